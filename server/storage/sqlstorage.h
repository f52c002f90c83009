#pragma once

#include "storage.h"

#include <functional>
#include <memory>

class QSqlDatabase;
class QSqlQuery;

// What the SQL storages have in common: the connection, the statements that
// read and write the same way on every database, and the transactions they
// run in. Each database gives its own wording of the statements that differ.
class SqlStorage : public Storage
{
public:
    // The statements each database words its own way, with `?` for the
    // values in the same order on every database.
    struct Dialect
    {
        QString findAccount;   // nickname
        QString insertAccount; // the account's columns; gives the new id
        QString masks;         // account, in the order the masks were added
        QString insertMask;    // account, kind, pattern; a pattern there already is no error
        QString removeMask;    // account, kind, pattern
        QString upsertSlot;    // account, slot, map
        QString usedBytes;     // account, slot left out
        QString insertMap;     // name, author, picture, index, body; gives the new id
        QString removeUnusedMaps;
        QString upsertRobot; // name, rating, games
        // name, rating, games for a new row; the change for a stored one
        QString rateRobot;
        // Locks the account's row (account) before a change that depends on
        // its other rows; empty where the write lock covers the whole file.
        QString lockAccount;
        // The inserts that give an id answer it with a row rather than
        // through the driver's last insert id.
        bool returnsId = false;
        // Flags are stored as integers rather than booleans.
        bool integerFlags = false;
    };

    ~SqlStorage() override;
    SqlStorage(const SqlStorage&) = delete;
    SqlStorage& operator=(const SqlStorage&) = delete;

    std::optional<Account> findAccount(const QString& nickname, bool* failed = nullptr) override;
    std::optional<Account> createAccount(const Account& account) override;
    bool setPasswordHash(qint64 accountId, const QByteArray& hash) override;
    bool setRating(qint64 accountId, int rating, int games) override;
    bool setAccountFlags(qint64 accountId, bool member, bool admin, bool banned) override;

    QList<StoredMask> masks(qint64 accountId) override;
    bool addMask(qint64 accountId, const QString& pattern, const QString& kind,
                 bool* failed = nullptr) override;
    bool removeMask(qint64 accountId, const QString& pattern, const QString& kind,
                    bool* failed = nullptr) override;

    QList<int> mapSlots(qint64 accountId) override;
    bool setSlot(qint64 accountId, int slot, int mapId) override;
    StoredSlot storeMapInSlot(qint64 accountId, int slot, const MapData& map,
                              qint64 maxAccountBytes) override;
    bool removeMapIfUnused(int id) override;
    int removeUnusedMaps() override;
    std::optional<MapData> loadMap(int id) override;

    bool storeRobotRating(const RobotInfo& robot) override;
    bool storeResult(const GameResult& result) override;
    int resultCount() override;
    bool recordFinishedGame(const GameResult& result, const QList<RatedAccount>& accounts,
                            const QList<RatedRobot>& robots) override;

    bool saveGame(const SavedGame& game) override;
    bool removeSavedGame(int id) override;

protected:
    SqlStorage(const QString& connectionPrefix, const Dialect& dialect);

    // Runs `work` in one transaction, committed only when it returns true.
    virtual bool inTransaction(const std::function<bool()>& work);
    // Runs the reads of `work`; false when they failed.
    virtual bool reading(const std::function<bool()>& work);
    // The writes of one change, for use inside a transaction.
    virtual bool deleteSavedGame(int id) = 0;
    virtual bool writeSavedGame(const SavedGame& game) = 0;

    // A finished game's statements, the same on every database: one
    // account's rating change (change, id) and the result's row (its
    // values in resultValues' order).
    static const QString AddRatingChange;
    static const QString InsertResult;
    static QVariantList resultValues(const GameResult& r);

    bool exec(const QString& sql, QString* error = nullptr);
    // Runs a prepared statement and logs why it failed, if it did.
    static bool run(QSqlQuery& q);
    // Prepares the statement, binds the values in their order and runs it.
    // A statement the database refused to prepare (or cancelled while it
    // did, at the deadline) is not run, and that reason is logged.
    template <typename... Values>
    static bool run(QSqlQuery& q, const QString& statement, const Values&... values);
    static bool run(QSqlQuery& q, const QString& statement, const QVariantList& values);
    void closeDatabase();

    QString m_connectionName;
    std::unique_ptr<QSqlDatabase> m_db;

private:
    bool writeRating(const RatedAccount& account);
    bool writeRobotRating(const RobotInfo& robot);
    bool addRatingChange(const RatedAccount& account);
    bool addRobotRatingChange(const RatedRobot& robot);
    bool writeResult(const GameResult& result);
    bool lockAccount(qint64 accountId);
    // The id of the row an insert made, 0 when it made none.
    qint64 insertedId(QSqlQuery& q) const;
    QVariant flag(bool value) const;

    const Dialect& m_sql;
};
