#pragma once

#include <QString>

// Where the client reads its pictures and keeps its settings and scripts.
// Each data folder (Icons/, Maps/, ...) comes from the directory the program
// starts in when that holds it, otherwise from the installed data directory.
// The settings file and Scripts/ live in the start directory when it holds
// either, so a build's run/ folder or a player's own setup works as it is;
// otherwise in a directory of the user's own, which gets the default scripts
// on its first use.
class DataDirectories
{
public:
    DataDirectories() = default;
    DataDirectories(const QString& startDirectory, const QString& installedData,
                    const QString& userDirectory);

    // The file to load for a path relative to the data ("Icons/Player.png").
    // Absolute paths, and paths whose folder neither directory holds, are
    // resolved against the start directory.
    QString file(const QString& relativePath) const;
    QString workingDirectory() const;
    bool usesUserDirectory() const { return m_usesUserDirectory; }

    // Creates the user's directory when it is the working directory, and
    // fills a Scripts/ folder it does not have yet with the default scripts.
    // Files already there are never replaced. False, with the reason, when
    // the directory cannot be made.
    bool prepareWorkingDirectory(QString* error) const;

    // The data directory of an installation, found from the directory of its
    // program; empty when there is none.
    static QString installedDataDirectory(const QString& programDirectory);
    // The directory of the running program, without needing an application object.
    static QString programDirectory();

    // The process's lookup, used by every place that loads a picture. Until
    // one is set, paths are returned as they are (the working directory's).
    static void setCurrent(const DataDirectories& directories);
    static QString resolve(const QString& relativePath);

private:
    QString m_start;
    QString m_installed;
    QString m_user;
    bool m_usesUserDirectory = false;
};
