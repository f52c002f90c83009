#pragma once

#include "storage.h"
#include "storageexecutor.h"

#include <QString>

#include <memory>

// Where the server keeps its data, as --db names it: a PostgreSQL URL
// (postgresql://...) or else the path of an SQLite file.
namespace StorageLocation {

bool isPostgres(const QString& location);
// The location as the log may show it: a URL without its password.
QString forLog(const QString& location);
// Opens the storage and brings its schema up to date; nothing, with the
// reason in `error`, when it cannot. serverName keeps this server's saved
// games apart where several servers share one database. A database across
// the network gives up a statement it has not answered within deadlineMs
// (0: no deadline); a file answers at once.
std::unique_ptr<Storage> open(const QString& location, const QString& serverName, QString* error,
                              int deadlineMs = 0);
// Where the work that must not hold up the event loop runs: on the storage
// itself, inline, for a file; on a connection of its own on a thread of its
// own for a database (storage then serves what may wait for it).
std::unique_ptr<StorageExecutor> executor(const QString& location, const QString& serverName,
                                          Storage& storage, QString* error, int deadlineMs = 0);
// Where the running games' saves and the finished games' results are
// written: a connection of their own on a thread of their own, for a file
// as for a database, so that the event loop never waits for a commit.
std::unique_ptr<StorageExecutor> gamesExecutor(const QString& location, const QString& serverName,
                                               QString* error, int deadlineMs = 0);

} // namespace StorageLocation
