#pragma once

#include "sqlstorage.h"

#include <QHash>

#include <memory>

class QSqlQuery;

// Storage in one SQLite file. Every change runs in its own transaction.
class SqliteStorage : public SqlStorage
{
public:
    static constexpr int SchemaVersion = 3;

    SqliteStorage();
    ~SqliteStorage() override;
    SqliteStorage(const SqliteStorage&) = delete;
    SqliteStorage& operator=(const SqliteStorage&) = delete;

    bool open(const QString& path, QString* error);
    void close();

    bool isWritable() override;
    void loadRobotRatings(QList<RobotInfo>& robots) override;
    bool saveGame(const SavedGame& game) override;
    bool saveGames(const QList<SavedGame>& games) override;
    QList<SavedGame> savedGames() override;

protected:
    // Takes the write lock at the start: another connection (the games'
    // writer beside the event loop's) may commit between a transaction's
    // first read and its first write, which SQLite would refuse at once
    // instead of waiting its turn.
    bool inTransaction(const std::function<bool()>& work) override;

private:
    bool createSchema(QString* error);
    // Brings a file of an older schema up to date, one version per step.
    bool migrate(int from, QString* error);
    bool deleteSavedGame(int id) override;
    bool writeSavedGame(const SavedGame& game) override;
    bool rewriteSavedGame(const SavedGame& game);
    // Writes what changed since the game's last save: its state and the
    // seats whose robots drew since. False when its rows were not there.
    bool updateSavedGame(const SavedGame& game, const SavedGame& last, bool* done);
    // A statement prepared once and kept while the database is open.
    QSqlQuery& prepared(std::unique_ptr<QSqlQuery>& query, const QString& sql);

    // Saving running games happens often: its statements are kept.
    std::unique_ptr<QSqlQuery> m_saveGame;
    std::unique_ptr<QSqlQuery> m_clearSeats;
    std::unique_ptr<QSqlQuery> m_saveSeat;
    std::unique_ptr<QSqlQuery> m_updateGame;
    std::unique_ptr<QSqlQuery> m_updateSeat;
    std::unique_ptr<QSqlQuery> m_updateSeatRandom;
    std::unique_ptr<QSqlQuery> m_quickCommits;
    std::unique_ptr<QSqlQuery> m_safeCommits;
    std::unique_ptr<QSqlQuery> m_begin;
    std::unique_ptr<QSqlQuery> m_commit;
    std::unique_ptr<QSqlQuery> m_rollback;
    // Each running game as last written, as long as that is what the file
    // holds: a write that is not committed forgets its games.
    QHash<int, SavedGame> m_written;
};
