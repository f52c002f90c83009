#include "sqlitestorage.h"

#include "ops/metrics.h"
#include "serverlogging.h"
#include "storagerows.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <functional>

namespace {

// Runs a prepared statement and logs why it failed, if it did.
bool run(QSqlQuery& q)
{
    QElapsedTimer timer;
    timer.start();
    const bool done = q.exec();
    Metrics::instance().databaseSeconds.observeNs(timer.nsecsElapsed());
    if (done)
        return true;
    qCWarning(lcServer) << "database:" << q.lastError().text();
    return false;
}

} // namespace

using StorageRows::text;

SqliteStorage::SqliteStorage()
    : m_connectionName(QStringLiteral("tarvenix-server-%1").arg(QUuid::createUuid().toString())),
      m_db(std::make_unique<QSqlDatabase>())
{}

SqliteStorage::~SqliteStorage()
{
    close();
}

bool SqliteStorage::open(const QString& path, QString* error)
{
    *m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db->setDatabaseName(path);
    if (!m_db->open()) {
        if (error)
            *error = m_db->lastError().text();
        return false;
    }
    // WAL keeps readers and the single writer out of each other's way and
    // survives a crash mid-write; foreign keys keep masks and slots tied to
    // their account.
    {
        QSqlQuery q(*m_db);
        if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next() ||
            q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
            qCWarning(lcServer) << "database" << path << "does not run in WAL mode";
        }
    }
    if (!exec(QStringLiteral("PRAGMA foreign_keys=ON"), error) ||
        !exec(QStringLiteral("PRAGMA busy_timeout=2000"), error))
        return false;
    return createSchema(error);
}

void SqliteStorage::close()
{
    m_saveGame.reset();
    m_clearSeats.reset();
    m_saveSeat.reset();
    if (m_db->isValid()) {
        m_db->close();
        *m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

bool SqliteStorage::exec(const QString& sql, QString* error)
{
    QSqlQuery q(*m_db);
    QElapsedTimer timer;
    timer.start();
    const bool done = q.exec(sql);
    Metrics::instance().databaseSeconds.observeNs(timer.nsecsElapsed());
    if (done)
        return true;
    if (error)
        *error = q.lastError().text();
    qCWarning(lcServer) << "database:" << q.lastError().text();
    return false;
}

bool SqliteStorage::inTransaction(const std::function<bool()>& work)
{
    if (!m_db->transaction()) {
        qCWarning(lcServer) << "database: cannot begin a transaction:" << m_db->lastError().text();
        return false;
    }
    if (work()) {
        if (m_db->commit())
            return true;
        qCWarning(lcServer) << "database: commit failed:" << m_db->lastError().text();
    }
    m_db->rollback();
    return false;
}

bool SqliteStorage::createSchema(QString* error)
{
    QSqlQuery q(*m_db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    const int version = q.value(0).toInt();
    q.finish();
    if (version == SchemaVersion)
        return true;
    if (version > SchemaVersion) {
        if (error)
            *error = QStringLiteral("the database was written by a newer server (schema %1)")
                         .arg(version);
        return false;
    }
    if (version > 0)
        return migrate(version, error);

    const QStringList statements = {
        QStringLiteral("CREATE TABLE accounts ("
                       " id INTEGER PRIMARY KEY,"
                       " nickname TEXT NOT NULL UNIQUE COLLATE NOCASE,"
                       " password_hash TEXT NOT NULL,"
                       " last_name TEXT NOT NULL DEFAULT '', first_name TEXT NOT NULL DEFAULT '',"
                       " address TEXT NOT NULL DEFAULT '', zip TEXT NOT NULL DEFAULT '',"
                       " city TEXT NOT NULL DEFAULT '', state TEXT NOT NULL DEFAULT '',"
                       " country TEXT NOT NULL DEFAULT '', email TEXT NOT NULL DEFAULT '',"
                       " rating INTEGER NOT NULL DEFAULT %1,"
                       " games INTEGER NOT NULL DEFAULT 0,"
                       " level INTEGER NOT NULL DEFAULT 1,"
                       " member INTEGER NOT NULL DEFAULT 0,"
                       " admin INTEGER NOT NULL DEFAULT 0,"
                       " banned INTEGER NOT NULL DEFAULT 0,"
                       " smilie TEXT NOT NULL DEFAULT '',"
                       " created TEXT NOT NULL DEFAULT CURRENT_TIMESTAMP)")
            .arg(Rules::StartingRating),
        QStringLiteral("CREATE TABLE masks ("
                       " account_id INTEGER NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,"
                       " kind TEXT NOT NULL CHECK (kind IN ('friend', 'enemy')),"
                       " pattern TEXT NOT NULL COLLATE NOCASE,"
                       " PRIMARY KEY (account_id, kind, pattern))"),
        QStringLiteral("CREATE TABLE maps ("
                       " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " name TEXT NOT NULL, author TEXT NOT NULL, picture TEXT NOT NULL,"
                       " index_gz BLOB NOT NULL, body TEXT NOT NULL,"
                       " created TEXT NOT NULL DEFAULT CURRENT_TIMESTAMP)"),
        QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES ('maps', %1)")
            .arg(FirstUploadedMapId - 1),
        QStringLiteral("CREATE TABLE slots ("
                       " account_id INTEGER NOT NULL REFERENCES accounts(id) ON DELETE CASCADE,"
                       " slot INTEGER NOT NULL CHECK (slot BETWEEN 0 AND 4),"
                       " map_id INTEGER NOT NULL,"
                       " PRIMARY KEY (account_id, slot))"),
        QStringLiteral("PRAGMA user_version = 1"),
    };
    const bool ok = inTransaction([&] {
        for (const QString& sql : statements) {
            if (!exec(sql, error)) {
                qCWarning(lcServer) << sql;
                return false;
            }
        }
        return true;
    });
    if (!ok)
        return false;
    qCInfo(lcServer) << "created database schema version 1";
    return migrate(1, error);
}

bool SqliteStorage::migrate(int from, QString* error)
{
    // Step n takes a file from version n to n + 1, in one transaction with
    // the version stamp, so a failed step leaves the file as it was.
    static const QList<QStringList> steps = {
        {},
        {
            QStringLiteral("CREATE TABLE robots ("
                           " name TEXT PRIMARY KEY COLLATE NOCASE,"
                           " rating INTEGER NOT NULL DEFAULT %1,"
                           " games INTEGER NOT NULL DEFAULT 0)")
                .arg(Rules::StartingRating),
            QStringLiteral("CREATE TABLE results ("
                           " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                           " game_id INTEGER NOT NULL,"
                           " map_id INTEGER NOT NULL, map_name TEXT NOT NULL,"
                           " seats TEXT NOT NULL, winner TEXT NOT NULL,"
                           " turns INTEGER NOT NULL, rounds INTEGER NOT NULL,"
                           " duration_seconds INTEGER NOT NULL,"
                           " finished TEXT NOT NULL DEFAULT CURRENT_TIMESTAMP)"),
        },
        {
            QStringLiteral("CREATE TABLE saved_games ("
                           " id INTEGER PRIMARY KEY,"
                           " map_id INTEGER NOT NULL,"
                           " operator TEXT NOT NULL,"
                           " options TEXT NOT NULL,"
                           " engine BLOB NOT NULL,"
                           " seeds_seed INTEGER NOT NULL, seeds_drawn INTEGER NOT NULL,"
                           " dice_seed INTEGER NOT NULL, dice_drawn INTEGER NOT NULL,"
                           " elapsed_ms INTEGER NOT NULL,"
                           " saved TEXT NOT NULL DEFAULT CURRENT_TIMESTAMP)"),
            QStringLiteral("CREATE TABLE saved_seats ("
                           " game_id INTEGER NOT NULL REFERENCES saved_games(id) ON DELETE CASCADE,"
                           " seat INTEGER NOT NULL CHECK (seat BETWEEN 0 AND 5),"
                           " robot INTEGER NOT NULL,"
                           " name TEXT NOT NULL,"
                           " account_id INTEGER NOT NULL DEFAULT 0,"
                           " stand_in TEXT NOT NULL DEFAULT '',"
                           " departed INTEGER NOT NULL DEFAULT 0,"
                           " random_seed INTEGER NOT NULL DEFAULT 0,"
                           " random_drawn INTEGER NOT NULL DEFAULT 0,"
                           " PRIMARY KEY (game_id, seat))"),
        },
    };
    for (int version = from; version < SchemaVersion; ++version) {
        const bool ok = inTransaction([&] {
            for (const QString& sql : steps[version]) {
                if (!exec(sql, error))
                    return false;
            }
            return exec(QStringLiteral("PRAGMA user_version = %1").arg(version + 1), error);
        });
        if (!ok) {
            qCWarning(lcServer) << "database: migration from schema" << version << "failed";
            return false;
        }
        qCInfo(lcServer) << "database migrated to schema version" << version + 1;
    }
    return true;
}

std::optional<Account> SqliteStorage::findAccount(const QString& nickname, bool* failed)
{
    QSqlQuery q(*m_db);
    q.prepare(QStringLiteral("SELECT * FROM accounts WHERE nickname = ?"));
    q.addBindValue(nickname);
    const bool ran = run(q);
    if (failed)
        *failed = !ran;
    if (!ran || !q.next())
        return std::nullopt;
    return StorageRows::account(q);
}

std::optional<Account> SqliteStorage::createAccount(const Account& account)
{
    qint64 id = 0;
    const bool ok = inTransaction([&] {
        QSqlQuery q(*m_db);
        q.prepare(QStringLiteral(
            "INSERT INTO accounts (nickname, password_hash, last_name, first_name, address, zip,"
            " city, state, country, email, rating, games, level, member, admin, banned, smilie)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        q.addBindValue(account.nickname);
        q.addBindValue(QString::fromLatin1(account.passwordHash));
        for (int i = 0; i < 8; ++i)
            q.addBindValue(text(account.contact.value(i)));
        q.addBindValue(account.rating);
        q.addBindValue(account.games);
        q.addBindValue(account.level);
        q.addBindValue(int(account.member));
        q.addBindValue(int(account.admin));
        q.addBindValue(int(account.banned));
        q.addBindValue(text(account.smilie));
        if (!run(q))
            return false;
        id = q.lastInsertId().toLongLong();
        return true;
    });
    if (!ok)
        return std::nullopt;
    Account created = account;
    created.id = id;
    while (created.contact.size() < 8)
        created.contact.append(QString());
    return created;
}

bool SqliteStorage::setPasswordHash(qint64 accountId, const QByteArray& hash)
{
    return inTransaction([&] {
        QSqlQuery q(*m_db);
        q.prepare(QStringLiteral("UPDATE accounts SET password_hash = ? WHERE id = ?"));
        q.addBindValue(QString::fromLatin1(hash));
        q.addBindValue(accountId);
        return run(q) && q.numRowsAffected() == 1;
    });
}

QList<StoredMask> SqliteStorage::masks(qint64 accountId)
{
    QList<StoredMask> result;
    QSqlQuery q(*m_db);
    q.prepare(
        QStringLiteral("SELECT pattern, kind FROM masks WHERE account_id = ? ORDER BY rowid"));
    q.addBindValue(accountId);
    if (!run(q))
        return result;
    while (q.next())
        result.append({q.value(0).toString(), q.value(1).toString()});
    return result;
}

bool SqliteStorage::addMask(qint64 accountId, const QString& pattern, const QString& kind)
{
    return inTransaction([&] {
        QSqlQuery count(*m_db);
        count.prepare(QStringLiteral("SELECT COUNT(*) FROM masks WHERE account_id = ?"));
        count.addBindValue(accountId);
        if (!run(count) || !count.next() || count.value(0).toInt() >= MaxMasksPerAccount)
            return false;
        QSqlQuery q(*m_db);
        q.prepare(QStringLiteral(
            "INSERT OR IGNORE INTO masks (account_id, kind, pattern) VALUES (?, ?, ?)"));
        q.addBindValue(accountId);
        q.addBindValue(kind);
        q.addBindValue(pattern);
        return run(q) && q.numRowsAffected() == 1;
    });
}

bool SqliteStorage::removeMask(qint64 accountId, const QString& pattern, const QString& kind)
{
    return inTransaction([&] {
        QSqlQuery q(*m_db);
        q.prepare(
            QStringLiteral("DELETE FROM masks WHERE account_id = ? AND kind = ? AND pattern = ?"));
        q.addBindValue(accountId);
        q.addBindValue(kind);
        q.addBindValue(pattern);
        return run(q) && q.numRowsAffected() > 0;
    });
}

QList<int> SqliteStorage::mapSlots(qint64 accountId)
{
    QList<int> result(SlotCount, 0);
    QSqlQuery q(*m_db);
    q.prepare(QStringLiteral("SELECT slot, map_id FROM slots WHERE account_id = ?"));
    q.addBindValue(accountId);
    if (!run(q))
        return result;
    while (q.next()) {
        const int slot = q.value(0).toInt();
        if (slot >= 0 && slot < SlotCount)
            result[slot] = q.value(1).toInt();
    }
    return result;
}

bool SqliteStorage::setSlot(qint64 accountId, int slot, int mapId)
{
    if (slot < 0 || slot >= SlotCount)
        return false;
    return inTransaction([&] {
        QSqlQuery q(*m_db);
        q.prepare(QStringLiteral(
            "INSERT OR REPLACE INTO slots (account_id, slot, map_id) VALUES (?, ?, ?)"));
        q.addBindValue(accountId);
        q.addBindValue(slot);
        q.addBindValue(mapId);
        return run(q);
    });
}

StoredSlot SqliteStorage::storeMapInSlot(qint64 accountId, int slot, const MapData& map,
                                         qint64 maxAccountBytes)
{
    StoredSlot result;
    if (slot < 0 || slot >= SlotCount)
        return result;
    const QByteArray body = QJsonDocument(map.toJson()).toJson(QJsonDocument::Compact);
    int id = 0;
    const bool ok = inTransaction([&] {
        // The slot's present map makes way for the new one, so it does not
        // count against the account.
        QSqlQuery used(*m_db);
        used.prepare(QStringLiteral(
            "SELECT COALESCE(SUM(length(m.index_gz) + length(CAST(m.body AS BLOB))), 0)"
            " FROM slots s JOIN maps m ON m.id = s.map_id"
            " WHERE s.account_id = ? AND s.slot <> ?"));
        used.addBindValue(accountId);
        used.addBindValue(slot);
        if (!run(used) || !used.next())
            return false;
        if (used.value(0).toLongLong() + map.index.size() + body.size() > maxAccountBytes) {
            result.overQuota = true;
            return false;
        }
        QSqlQuery q(*m_db);
        q.prepare(QStringLiteral(
            "INSERT INTO maps (name, author, picture, index_gz, body) VALUES (?, ?, ?, ?, ?)"));
        q.addBindValue(map.name);
        q.addBindValue(text(map.author));
        q.addBindValue(map.picture);
        q.addBindValue(map.index);
        q.addBindValue(QString::fromUtf8(body));
        if (!run(q))
            return false;
        id = q.lastInsertId().toInt();
        QSqlQuery s(*m_db);
        s.prepare(QStringLiteral(
            "INSERT OR REPLACE INTO slots (account_id, slot, map_id) VALUES (?, ?, ?)"));
        s.addBindValue(accountId);
        s.addBindValue(slot);
        s.addBindValue(id);
        return run(s);
    });
    if (ok)
        result.mapId = id;
    return result;
}

bool SqliteStorage::removeMapIfUnused(int id)
{
    if (id < FirstUploadedMapId)
        return false;
    bool removed = false;
    inTransaction([&] {
        QSqlQuery q(*m_db);
        q.prepare(QStringLiteral("DELETE FROM maps WHERE id = ?"
                                 " AND NOT EXISTS (SELECT 1 FROM slots WHERE map_id = ?)"
                                 " AND NOT EXISTS (SELECT 1 FROM saved_games WHERE map_id = ?)"));
        q.addBindValue(id);
        q.addBindValue(id);
        q.addBindValue(id);
        if (!run(q))
            return false;
        removed = q.numRowsAffected() > 0;
        return true;
    });
    return removed;
}

int SqliteStorage::removeUnusedMaps()
{
    int removed = 0;
    inTransaction([&] {
        QSqlQuery q(*m_db);
        q.prepare(QStringLiteral("DELETE FROM maps WHERE id NOT IN (SELECT map_id FROM slots)"
                                 " AND id NOT IN (SELECT map_id FROM saved_games)"));
        if (!run(q))
            return false;
        removed = q.numRowsAffected();
        return true;
    });
    return removed;
}

std::optional<MapData> SqliteStorage::loadMap(int id)
{
    QSqlQuery q(*m_db);
    q.prepare(QStringLiteral("SELECT index_gz, body FROM maps WHERE id = ?"));
    q.addBindValue(id);
    if (!run(q) || !q.next())
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(q.value(1).toByteArray());
    QString error;
    std::optional<MapData> map = MapData::fromJson(doc.object(), &error);
    if (!map) {
        qCWarning(lcServer) << "stored map" << id << "is unreadable:" << error;
        return std::nullopt;
    }
    map->id = id;
    map->index = q.value(0).toByteArray();
    return map;
}

bool SqliteStorage::setRating(qint64 accountId, int rating, int games)
{
    return inTransaction([&] { return writeRating({accountId, rating, games}); });
}

bool SqliteStorage::writeRating(const RatedAccount& account)
{
    QSqlQuery q(*m_db);
    q.prepare(QStringLiteral("UPDATE accounts SET rating = ?, games = ? WHERE id = ?"));
    q.addBindValue(account.rating);
    q.addBindValue(account.games);
    q.addBindValue(account.id);
    return run(q) && q.numRowsAffected() == 1;
}

bool SqliteStorage::setAccountFlags(qint64 accountId, bool member, bool admin, bool banned)
{
    return inTransaction([&] {
        QSqlQuery q(*m_db);
        q.prepare(
            QStringLiteral("UPDATE accounts SET member = ?, admin = ?, banned = ? WHERE id = ?"));
        q.addBindValue(int(member));
        q.addBindValue(int(admin));
        q.addBindValue(int(banned));
        q.addBindValue(accountId);
        return run(q) && q.numRowsAffected() == 1;
    });
}

bool SqliteStorage::isWritable()
{
    // Taking the write lock and letting it go at once proves that the file
    // takes writes (not read-only, not locked by another writer, disk there).
    QSqlQuery q(*m_db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    return q.exec(QStringLiteral("ROLLBACK"));
}

void SqliteStorage::loadRobotRatings(QList<RobotInfo>& robots)
{
    QSqlQuery q(*m_db);
    q.prepare(QStringLiteral("SELECT rating, games FROM robots WHERE name = ?"));
    for (RobotInfo& robot : robots) {
        q.addBindValue(robot.name);
        if (run(q) && q.next()) {
            robot.rating = q.value(0).toInt();
            robot.games = q.value(1).toInt();
        }
        q.finish();
    }
}

bool SqliteStorage::storeRobotRating(const RobotInfo& robot)
{
    return inTransaction([&] { return writeRobotRating(robot); });
}

bool SqliteStorage::writeRobotRating(const RobotInfo& robot)
{
    QSqlQuery q(*m_db);
    q.prepare(
        QStringLiteral("INSERT OR REPLACE INTO robots (name, rating, games) VALUES (?, ?, ?)"));
    q.addBindValue(robot.name);
    q.addBindValue(robot.rating);
    q.addBindValue(robot.games);
    return run(q);
}

bool SqliteStorage::storeResult(const GameResult& r)
{
    return inTransaction([&] { return writeResult(r); });
}

bool SqliteStorage::writeResult(const GameResult& r)
{
    QSqlQuery q(*m_db);
    q.prepare(QStringLiteral(
        "INSERT INTO results (game_id, map_id, map_name, seats, winner, turns, rounds,"
        " duration_seconds) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(r.gameId);
    q.addBindValue(r.mapId);
    q.addBindValue(text(r.mapName));
    q.addBindValue(text(r.seats));
    q.addBindValue(text(r.winner));
    q.addBindValue(r.turns);
    q.addBindValue(r.rounds);
    q.addBindValue(r.durationSeconds);
    return run(q);
}

int SqliteStorage::resultCount()
{
    QSqlQuery q(*m_db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM results")) || !q.next())
        return 0;
    return q.value(0).toInt();
}

bool SqliteStorage::recordFinishedGame(const GameResult& result,
                                       const QList<RatedAccount>& accounts,
                                       const QList<RobotInfo>& robots)
{
    return inTransaction([&] {
        for (const RatedAccount& a : accounts) {
            if (!writeRating(a))
                return false;
        }
        for (const RobotInfo& r : robots) {
            if (!writeRobotRating(r))
                return false;
        }
        return writeResult(result) && deleteSavedGame(result.gameId);
    });
}

QSqlQuery& SqliteStorage::prepared(std::unique_ptr<QSqlQuery>& query, const QString& sql)
{
    if (!query) {
        query = std::make_unique<QSqlQuery>(*m_db);
        if (!query->prepare(sql))
            qCWarning(lcServer) << "database:" << query->lastError().text();
    }
    return *query;
}

bool SqliteStorage::saveGame(const SavedGame& g)
{
    return inTransaction([&] { return writeSavedGame(g); });
}

bool SqliteStorage::saveGames(const QList<SavedGame>& games)
{
    // Running games are saved many times a second: their commits reach the
    // operating system, which is all a crashing or killed server needs, and
    // the disk with the next commit of anything else or the next checkpoint.
    // Accounts, ratings and results keep a commit that waits for the disk.
    exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    const bool saved = inTransaction([&] {
        return std::all_of(games.cbegin(), games.cend(),
                           [this](const SavedGame& g) { return writeSavedGame(g); });
    });
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
    return saved;
}

bool SqliteStorage::writeSavedGame(const SavedGame& g)
{
    QSqlQuery& q = prepared(
        m_saveGame,
        QStringLiteral(
            "INSERT INTO saved_games (id, map_id, operator, options, engine, seeds_seed,"
            " seeds_drawn, dice_seed, dice_drawn, elapsed_ms) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
            " ON CONFLICT (id) DO UPDATE SET map_id = excluded.map_id,"
            " operator = excluded.operator, options = excluded.options,"
            " engine = excluded.engine, seeds_seed = excluded.seeds_seed,"
            " seeds_drawn = excluded.seeds_drawn, dice_seed = excluded.dice_seed,"
            " dice_drawn = excluded.dice_drawn, elapsed_ms = excluded.elapsed_ms,"
            " saved = CURRENT_TIMESTAMP"));
    q.bindValue(0, g.id);
    q.bindValue(1, g.mapId);
    q.bindValue(2, text(g.operatorName));
    q.bindValue(3, StorageRows::optionsText(g.options));
    q.bindValue(4, g.engine);
    q.bindValue(5, qint64(g.seeds.seed));
    q.bindValue(6, qint64(g.seeds.drawn));
    q.bindValue(7, qint64(g.dice.seed));
    q.bindValue(8, qint64(g.dice.drawn));
    q.bindValue(9, g.elapsedMs);
    if (!run(q))
        return false;
    QSqlQuery& clear =
        prepared(m_clearSeats, QStringLiteral("DELETE FROM saved_seats WHERE game_id = ?"));
    clear.bindValue(0, g.id);
    if (!run(clear))
        return false;
    QSqlQuery& seat = prepared(
        m_saveSeat,
        QStringLiteral(
            "INSERT INTO saved_seats (game_id, seat, robot, name, account_id, stand_in, departed,"
            " random_seed, random_drawn) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const SavedSeat& s : g.seats) {
        seat.bindValue(0, g.id);
        seat.bindValue(1, s.seat);
        seat.bindValue(2, int(s.robot));
        seat.bindValue(3, text(s.name));
        seat.bindValue(4, s.accountId);
        seat.bindValue(5, text(s.standIn));
        seat.bindValue(6, int(s.departed));
        seat.bindValue(7, qint64(s.random.seed));
        seat.bindValue(8, qint64(s.random.drawn));
        if (!run(seat))
            return false;
    }
    return true;
}

bool SqliteStorage::deleteSavedGame(int id)
{
    QSqlQuery q(*m_db);
    q.prepare(QStringLiteral("DELETE FROM saved_games WHERE id = ?"));
    q.addBindValue(id);
    return run(q);
}

bool SqliteStorage::removeSavedGame(int id)
{
    return inTransaction([&] { return deleteSavedGame(id); });
}

QList<SavedGame> SqliteStorage::savedGames()
{
    QList<SavedGame> games;
    QSqlQuery q(*m_db);
    if (!q.exec(QStringLiteral("SELECT id, map_id, operator, options, engine, seeds_seed,"
                               " seeds_drawn, dice_seed, dice_drawn, elapsed_ms"
                               " FROM saved_games ORDER BY id"))) {
        qCWarning(lcServer) << "database:" << q.lastError().text();
        return games;
    }
    while (q.next()) {
        SavedGame g;
        g.id = q.value(0).toInt();
        g.mapId = q.value(1).toInt();
        g.operatorName = q.value(2).toString();
        g.options = StorageRows::options(q.value(3).toByteArray());
        g.engine = q.value(4).toByteArray();
        g.seeds = {quint64(q.value(5).toLongLong()), quint64(q.value(6).toLongLong())};
        g.dice = {quint64(q.value(7).toLongLong()), quint64(q.value(8).toLongLong())};
        g.elapsedMs = q.value(9).toLongLong();
        games.append(g);
    }
    QSqlQuery seats(*m_db);
    seats.prepare(QStringLiteral("SELECT seat, robot, name, account_id, stand_in, departed,"
                                 " random_seed, random_drawn FROM saved_seats"
                                 " WHERE game_id = ? ORDER BY seat"));
    for (SavedGame& g : games) {
        seats.addBindValue(g.id);
        if (!run(seats))
            continue;
        while (seats.next()) {
            SavedSeat s;
            s.seat = seats.value(0).toInt();
            s.robot = seats.value(1).toBool();
            s.name = seats.value(2).toString();
            s.accountId = seats.value(3).toLongLong();
            s.standIn = seats.value(4).toString();
            s.departed = seats.value(5).toBool();
            s.random = {quint64(seats.value(6).toLongLong()), quint64(seats.value(7).toLongLong())};
            g.seats.append(s);
        }
        seats.finish();
    }
    return games;
}
