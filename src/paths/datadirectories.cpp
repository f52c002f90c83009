#include "datadirectories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

std::optional<DataDirectories>& current()
{
    static std::optional<DataDirectories> directories;
    return directories;
}

QString firstFolder(const QString& relativePath)
{
    const qsizetype slash = relativePath.indexOf(QLatin1Char('/'));
    return slash > 0 ? relativePath.left(slash) : QString();
}

} // namespace

DataDirectories::DataDirectories(const QString& startDirectory, const QString& installedData,
                                 const QString& userDirectory)
    : m_start(QDir(startDirectory).absolutePath()),
      m_installed(installedData.isEmpty() ? QString() : QDir(installedData).absolutePath()),
      m_user(userDirectory.isEmpty() ? QString() : QDir(userDirectory).absolutePath())
{
    const QDir start(m_start);
    const bool ownSetup = start.exists(QStringLiteral("tarvenix.cfg")) ||
                          QFileInfo(start.filePath(QStringLiteral("Scripts"))).isDir();
    m_usesUserDirectory = !ownSetup && !m_user.isEmpty();
}

QString DataDirectories::file(const QString& relativePath) const
{
    if (QDir::isAbsolutePath(relativePath))
        return relativePath;
    const QString folder = firstFolder(relativePath);
    const QDir start(m_start);
    if (!folder.isEmpty() && !m_installed.isEmpty() && !QFileInfo(start.filePath(folder)).isDir() &&
        QFileInfo(QDir(m_installed).filePath(folder)).isDir())
        return QDir(m_installed).filePath(relativePath);
    return start.filePath(relativePath);
}

QString DataDirectories::workingDirectory() const
{
    return m_usesUserDirectory ? m_user : m_start;
}

bool DataDirectories::prepareWorkingDirectory(QString* error) const
{
    if (!m_usesUserDirectory)
        return true;
    const QDir user(m_user);
    if (!user.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("cannot create %1").arg(m_user);
        return false;
    }
    const QString scripts = user.filePath(QStringLiteral("Scripts"));
    if (QFileInfo::exists(scripts) || m_installed.isEmpty())
        return true;
    const QDir defaults(QDir(m_installed).filePath(QStringLiteral("Scripts")));
    if (!defaults.exists())
        return true;
    if (!user.mkpath(QStringLiteral("Scripts"))) {
        *error = QStringLiteral("cannot create %1").arg(scripts);
        return false;
    }
    const QDir target(scripts);
    for (const QFileInfo& script : defaults.entryInfoList(QDir::Files, QDir::Name)) {
        const QString copy = target.filePath(script.fileName());
        if (QFileInfo::exists(copy))
            continue;
        if (!QFile::copy(script.filePath(), copy)) {
            *error = QStringLiteral("cannot copy %1 to %2").arg(script.filePath(), copy);
            return false;
        }
        // The installed file is read-only; the user's copy is his to edit.
        QFile(copy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    return true;
}

QString DataDirectories::installedDataDirectory(const QString& programDirectory)
{
    const QString data = QDir::cleanPath(
        QDir(programDirectory).filePath(QStringLiteral(TARVENIX_DATA_FROM_PROGRAM)));
    return QFileInfo(data).isDir() ? data : QString();
}

QString DataDirectories::programDirectory()
{
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath())
        .absolutePath();
}

void DataDirectories::setCurrent(const DataDirectories& directories)
{
    current() = directories;
}

QString DataDirectories::resolve(const QString& relativePath)
{
    return current() ? current()->file(relativePath) : relativePath;
}
