#pragma once

#include <QString>
#include <QStringList>

// Copies a server's SQLite file into an empty PostgreSQL database: every
// account with its hash, mask, slot, uploaded map, robot rating, result and
// saved game, keeping their ids, in one transaction. The counts are
// compared before the commit. The file is opened read-only and left as it
// was.
class StorageMigration
{
public:
    // serverName is the name the saved games are kept under, the name of
    // the server that will take them up.
    static bool copySqliteToPostgres(const QString& sqlitePath, const QString& url,
                                     const QString& serverName, QStringList* copied,
                                     QString* error);
};
