#pragma once

#include "storage.h"

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
// games apart where several servers share one database.
std::unique_ptr<Storage> open(const QString& location, const QString& serverName, QString* error);

} // namespace StorageLocation
