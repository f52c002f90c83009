#pragma once

#include "sqlstorage.h"

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
    bool saveGames(const QList<SavedGame>& games) override;
    QList<SavedGame> savedGames() override;

private:
    bool createSchema(QString* error);
    // Brings a file of an older schema up to date, one version per step.
    bool migrate(int from, QString* error);
    bool deleteSavedGame(int id) override;
    bool writeSavedGame(const SavedGame& game) override;
    // A statement prepared once and kept while the database is open.
    QSqlQuery& prepared(std::unique_ptr<QSqlQuery>& query, const QString& sql);

    // Saving running games happens often: its statements are kept.
    std::unique_ptr<QSqlQuery> m_saveGame;
    std::unique_ptr<QSqlQuery> m_clearSeats;
    std::unique_ptr<QSqlQuery> m_saveSeat;
};
