#include "settings.h"

#include <QBuffer>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

Q_LOGGING_CATEGORY(lcSettings, "tarvenix.settings", QtWarningMsg)

namespace {

// Each read takes at most this many bytes, so a longer line is read in pieces.
constexpr qint64 MaxLineLength = 4096;

Settings* s_instance = nullptr;

} // namespace

QString SettingsSection::value(const QString& key, const QString& defaultValue) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? defaultValue : it->second;
}

void SettingsSection::setValue(const QString& key, const QString& value)
{
    m_entries[key] = value;
}

void SettingsSection::removeValue(const QString& key)
{
    m_entries.erase(key);
}

void SettingsSection::write(QIODevice& out) const
{
    // Characters without a Latin-1 form are written as '?'.
    out.write('[' + m_name.toLatin1() + "]\n");
    for (const auto& [key, value] : m_entries)
        out.write(key.toLatin1() + '=' + value.toLatin1() + '\n');
    out.write("\n");
}

Settings::Settings(const QString& fileName) : m_fileName(fileName)
{
    if (!s_instance)
        s_instance = this;
    read();
}

Settings::~Settings()
{
    if (m_modified)
        save();
    if (s_instance == this)
        s_instance = nullptr;
}

Settings* Settings::instance()
{
    return s_instance;
}

void Settings::read()
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;

    // Trimmed as bytes: white space is the six ASCII blanks only, so Latin-1
    // characters such as the no-break space (0xA0) stay part of a name or value.
    const auto text = [](const QByteArray& bytes) {
        return QString::fromLatin1(bytes.trimmed());
    };
    SettingsSection* current = nullptr;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(MaxLineLength).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            current = section(text(line.mid(1, line.size() - 2)), true);
            continue;
        }
        if (!current)
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            current->setValue(text(line), text(line));
        else
            current->setValue(text(line.left(equals)), text(line.mid(equals + 1)));
    }
}

bool Settings::save()
{
    QBuffer content;
    content.open(QIODevice::WriteOnly);
    for (const auto& [name, sect] : m_sections)
        sect->write(content);
    const QByteArray bytes = content.data();

    // Unbuffered, so a short write on a full disk is seen here: a buffered
    // QSaveFile commits the truncated file as if it were whole.
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qCDebug(lcSettings) << "cannot write" << m_fileName << file.errorString();
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size()) {
        qCDebug(lcSettings) << "cannot write" << m_fileName << file.errorString();
        // Never committed, the temporary file is removed with the QSaveFile.
        return false;
    }
    if (!file.commit()) {
        qCDebug(lcSettings) << "cannot write" << m_fileName << file.errorString();
        return false;
    }
    m_modified = false;
    return true;
}

SettingsSection* Settings::section(const QString& name, bool create)
{
    const auto it = m_sections.find(name);
    if (it != m_sections.end())
        return it->second.get();
    if (!create)
        return nullptr;
    return m_sections.emplace(name, std::make_unique<SettingsSection>(name)).first->second.get();
}

const SettingsSection* Settings::section(const QString& name) const
{
    const auto it = m_sections.find(name);
    return it == m_sections.end() ? nullptr : it->second.get();
}

QString Settings::value(const QString& section, const QString& key,
                        const QString& defaultValue) const
{
    const SettingsSection* s = this->section(section);
    return s ? s->value(key, defaultValue) : defaultValue;
}

void Settings::setValue(const QString& section, const QString& key, const QString& value)
{
    this->section(section, true)->setValue(key, value);
    m_modified = true;
}

void Settings::removeValue(const QString& section, const QString& key)
{
    SettingsSection* s = this->section(section, false);
    if (!s)
        return;
    s->removeValue(key);
    m_modified = true;
}
