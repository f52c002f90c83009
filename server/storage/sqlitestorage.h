#pragma once

#include "storage.h"

#include <functional>
#include <memory>

class QSqlDatabase;
class QSqlQuery;

// Storage in one SQLite file. Every change runs in its own transaction.
class SqliteStorage : public Storage
{
public:
    static constexpr int SchemaVersion = 3;

    SqliteStorage();
    ~SqliteStorage() override;
    SqliteStorage(const SqliteStorage&) = delete;
    SqliteStorage& operator=(const SqliteStorage&) = delete;

    bool open(const QString& path, QString* error);
    void close();

    std::optional<Account> findAccount(const QString& nickname, bool* failed = nullptr) override;
    std::optional<Account> createAccount(const Account& account) override;
    bool setPasswordHash(qint64 accountId, const QByteArray& hash) override;
    bool setRating(qint64 accountId, int rating, int games) override;
    bool setAccountFlags(qint64 accountId, bool member, bool admin, bool banned) override;
    bool isWritable() override;

    QList<StoredMask> masks(qint64 accountId) override;
    bool addMask(qint64 accountId, const QString& pattern, const QString& kind) override;
    bool removeMask(qint64 accountId, const QString& pattern, const QString& kind) override;

    QList<int> mapSlots(qint64 accountId) override;
    bool setSlot(qint64 accountId, int slot, int mapId) override;
    StoredSlot storeMapInSlot(qint64 accountId, int slot, const MapData& map,
                              qint64 maxAccountBytes) override;
    bool removeMapIfUnused(int id) override;
    int removeUnusedMaps() override;
    std::optional<MapData> loadMap(int id) override;

    void loadRobotRatings(QList<RobotInfo>& robots) override;
    bool storeRobotRating(const RobotInfo& robot) override;
    bool storeResult(const GameResult& result) override;
    int resultCount() override;
    bool recordFinishedGame(const GameResult& result, const QList<RatedAccount>& accounts,
                            const QList<RobotInfo>& robots) override;

    bool saveGame(const SavedGame& game) override;
    bool saveGames(const QList<SavedGame>& games) override;
    bool removeSavedGame(int id) override;
    QList<SavedGame> savedGames() override;

private:
    bool createSchema(QString* error);
    // Brings a file of an older schema up to date, one version per step.
    bool migrate(int from, QString* error);
    bool exec(const QString& sql, QString* error = nullptr);
    bool inTransaction(const std::function<bool()>& work);
    // The writes of one change, for use inside a transaction.
    bool writeRating(const RatedAccount& account);
    bool writeRobotRating(const RobotInfo& robot);
    bool writeResult(const GameResult& result);
    bool deleteSavedGame(int id);
    bool writeSavedGame(const SavedGame& game);
    // A statement prepared once and kept while the database is open.
    QSqlQuery& prepared(std::unique_ptr<QSqlQuery>& query, const QString& sql);

    QString m_connectionName;
    std::unique_ptr<QSqlDatabase> m_db;
    // Saving running games happens often: its statements are kept.
    std::unique_ptr<QSqlQuery> m_saveGame;
    std::unique_ptr<QSqlQuery> m_clearSeats;
    std::unique_ptr<QSqlQuery> m_saveSeat;
};
