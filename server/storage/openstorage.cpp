#include "openstorage.h"

#include "postgresstorage.h"
#include "sqlitestorage.h"

namespace StorageLocation {

bool isPostgres(const QString& location)
{
    return PostgresStorage::isUrl(location);
}

QString forLog(const QString& location)
{
    return isPostgres(location) ? PostgresStorage::maskedUrl(location) : location;
}

std::unique_ptr<Storage> open(const QString& location, const QString& serverName, QString* error,
                              int deadlineMs)
{
    if (isPostgres(location)) {
        auto storage = std::make_unique<PostgresStorage>();
        storage->setDeadline(deadlineMs);
        if (!storage->open(location, serverName, error))
            return nullptr;
        return storage;
    }
    auto storage = std::make_unique<SqliteStorage>();
    if (!storage->open(location, error))
        return nullptr;
    return storage;
}

namespace {

std::unique_ptr<StorageExecutor> onThread(const QString& location, const QString& serverName,
                                          QString* error, int deadlineMs)
{
    auto executor = std::make_unique<ThreadStorageExecutor>();
    executor->setDeadline(deadlineMs);
    const bool opened = executor->open(
        [&](QString* why) { return StorageLocation::open(location, serverName, why, deadlineMs); },
        error);
    if (!opened)
        return nullptr;
    return executor;
}

} // namespace

std::unique_ptr<StorageExecutor> executor(const QString& location, const QString& serverName,
                                          Storage& storage, QString* error, int deadlineMs)
{
    if (!isPostgres(location))
        return std::make_unique<InlineStorageExecutor>(storage);
    return onThread(location, serverName, error, deadlineMs);
}

std::unique_ptr<StorageExecutor> gamesExecutor(const QString& location, const QString& serverName,
                                               QString* error, int deadlineMs)
{
    return onThread(location, serverName, error, deadlineMs);
}

} // namespace StorageLocation
