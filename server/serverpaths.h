#pragma once

#include <QString>

// Where the server reads its default maps and keeps its database when the
// command line does not say. Run from a build's run/ folder, which holds
// maps/ beside the program, it keeps both there and the database in the
// working directory; installed, it reads the maps from the installed data
// directory and keeps the database in its state directory: systemd's
// $STATE_DIRECTORY, otherwise one of the user's own.
struct ServerPaths
{
    QString dataDirectory;
    QString databasePath;
    // The directory the database's folder must be made in first; empty when
    // the database goes where it is told or into the working directory.
    QString createDirectory;

    struct Inputs
    {
        QString programDirectory;
        QString installedData;  // empty when the program is not installed
        QString dataOption;     // --data, empty when not given
        QString databaseOption; // --db, empty when not given
        QString stateDirectory; // $STATE_DIRECTORY; several are separated by ':'
        QString userStateDirectory;
    };
    static ServerPaths choose(const Inputs& inputs);
    // The user's state directory ($XDG_STATE_HOME or ~/.local/state) for the server.
    static QString userStateDirectory();
};
