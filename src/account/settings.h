#pragma once

#include <QString>

#include <map>
#include <memory>

class QIODevice;

// One named section of the configuration file: keys and their values.
class SettingsSection
{
public:
    explicit SettingsSection(const QString& name) : m_name(name) {}

    const QString& name() const { return m_name; }
    QString value(const QString& key, const QString& defaultValue = QString()) const;
    void setValue(const QString& key, const QString& value);
    void removeValue(const QString& key);
    bool contains(const QString& key) const { return m_entries.count(key) != 0; }
    int size() const { return int(m_entries.size()); }
    // Writes the header, one "key=value" line per entry and a blank line.
    void write(QIODevice& out) const;

private:
    QString m_name;
    std::map<QString, QString> m_entries;
};

// The configuration file (nickname, password, fonts): read once when the
// object is made, changed in memory while the program runs, and written back
// when the object is destroyed, only if something was changed. Exactly one
// exists while the program runs and is reached through instance().
class Settings
{
public:
    explicit Settings(const QString& fileName);
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // The program's configuration: the first Settings made and not yet
    // destroyed, or null.
    static Settings* instance();

    QString value(const QString& section, const QString& key,
                  const QString& defaultValue = QString()) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    void removeValue(const QString& section, const QString& key);
    SettingsSection* section(const QString& name, bool create);
    const SettingsSection* section(const QString& name) const;

    const QString& fileName() const { return m_fileName; }
    bool isModified() const { return m_modified; }
    // Writes the whole configuration through a temporary file that replaces
    // the old one only when complete; the file is readable by its owner only,
    // as it may hold a password. Returns false when nothing could be written.
    bool save();

private:
    void read();

    QString m_fileName;
    bool m_modified = false;
    std::map<QString, std::unique_ptr<SettingsSection>> m_sections;
};
