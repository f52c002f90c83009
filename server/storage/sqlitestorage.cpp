#include "sqlitestorage.h"

#include "serverlogging.h"
#include "storagerows.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <algorithm>
#include <ctime>

using StorageRows::text;

namespace {

const SqlStorage::Dialect& sqliteDialect()
{
    static const SqlStorage::Dialect dialect = {
        .findAccount = QStringLiteral("SELECT * FROM accounts WHERE nickname = ?"),
        .insertAccount = QStringLiteral(
            "INSERT INTO accounts (nickname, password_hash, last_name, first_name, address, zip,"
            " city, state, country, email, rating, games, level, member, admin, banned, smilie)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        .masks =
            QStringLiteral("SELECT pattern, kind FROM masks WHERE account_id = ? ORDER BY rowid"),
        .insertMask = QStringLiteral(
            "INSERT OR IGNORE INTO masks (account_id, kind, pattern) VALUES (?, ?, ?)"),
        .removeMask =
            QStringLiteral("DELETE FROM masks WHERE account_id = ? AND kind = ? AND pattern = ?"),
        .upsertSlot = QStringLiteral(
            "INSERT OR REPLACE INTO slots (account_id, slot, map_id) VALUES (?, ?, ?)"),
        .usedBytes = QStringLiteral(
            "SELECT COALESCE(SUM(length(m.index_gz) + length(CAST(m.body AS BLOB))), 0)"
            " FROM slots s JOIN maps m ON m.id = s.map_id"
            " WHERE s.account_id = ? AND s.slot <> ?"),
        .insertMap = QStringLiteral(
            "INSERT INTO maps (name, author, picture, index_gz, body) VALUES (?, ?, ?, ?, ?)"),
        .removeUnusedMaps =
            QStringLiteral("DELETE FROM maps WHERE id NOT IN (SELECT map_id FROM slots)"
                           " AND id NOT IN (SELECT map_id FROM saved_games)"),
        .upsertRobot =
            QStringLiteral("INSERT OR REPLACE INTO robots (name, rating, games) VALUES (?, ?, ?)"),
        .rateRobot = QStringLiteral("INSERT INTO robots (name, rating, games) VALUES (?, ?, ?)"
                                    " ON CONFLICT (name) DO UPDATE"
                                    " SET rating = robots.rating + ?, games = robots.games + 1"),
        .lockAccount = {},
        .returnsId = false,
        .integerFlags = true,
    };
    return dialect;
}

// How long a statement waits for the other connection's write lock before
// it gives up.
constexpr int LockWaitMs = 2000;

// Waits for the other connection (the event loop's or the games' writer) to
// let the write lock go. SQLite's own wait sleeps 1, 2, 5, 10 ms and longer
// between tries, while the other side mostly holds the lock for a fraction
// of a millisecond: the event loop stood still for a few milliseconds at
// every account it wrote while the games' writer was committing. This tries
// again after 0.1 ms, then after 0.5 ms, then every millisecond, until
// LockWaitMs have gone by.
int waitForLock(void*, int tries)
{
    constexpr int ShortTries = 20;  // 2 ms
    constexpr int MediumTries = 16; // 8 ms more
    constexpr int ShortWaitedUs = ShortTries * 100;
    constexpr int MediumWaitedUs = ShortWaitedUs + MediumTries * 500;
    int pauseUs = 1000;
    int waitedUs = MediumWaitedUs + (tries - ShortTries - MediumTries) * 1000;
    if (tries < ShortTries) {
        pauseUs = 100;
        waitedUs = tries * 100;
    } else if (tries < ShortTries + MediumTries) {
        pauseUs = 500;
        waitedUs = ShortWaitedUs + (tries - ShortTries) * 500;
    }
    if (waitedUs >= LockWaitMs * 1000)
        return 0;
    const timespec pause{0, long(pauseUs) * 1000};
    nanosleep(&pause, nullptr);
    return 1;
}

} // namespace

SqliteStorage::SqliteStorage() : SqlStorage(QStringLiteral("tarvenix-server-"), sqliteDialect()) {}

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
        !exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(LockWaitMs), error))
        return false;
    const QVariant handle = m_db->driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        if (sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData()))
            sqlite3_busy_handler(connection, waitForLock, nullptr);
    }
    return createSchema(error);
}

void SqliteStorage::close()
{
    m_saveGame.reset();
    m_clearSeats.reset();
    m_saveSeat.reset();
    m_updateGame.reset();
    m_updateSeat.reset();
    m_updateSeatRandom.reset();
    m_quickCommits.reset();
    m_safeCommits.reset();
    m_begin.reset();
    m_commit.reset();
    m_rollback.reset();
    m_written.clear();
    closeDatabase();
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

QSqlQuery& SqliteStorage::prepared(std::unique_ptr<QSqlQuery>& query, const QString& sql)
{
    if (!query) {
        query = std::make_unique<QSqlQuery>(*m_db);
        if (!query->prepare(sql))
            qCWarning(lcServer) << "database:" << query->lastError().text();
    }
    return *query;
}

bool SqliteStorage::inTransaction(const std::function<bool()>& work)
{
    QSqlQuery& begin = prepared(m_begin, QStringLiteral("BEGIN IMMEDIATE"));
    if (!begin.exec()) {
        qCWarning(lcServer) << "database: cannot begin a transaction:" << begin.lastError().text();
        return false;
    }
    if (work()) {
        QSqlQuery& commit = prepared(m_commit, QStringLiteral("COMMIT"));
        if (commit.exec())
            return true;
        qCWarning(lcServer) << "database: commit failed:" << commit.lastError().text();
    }
    prepared(m_rollback, QStringLiteral("ROLLBACK")).exec();
    return false;
}

bool SqliteStorage::saveGame(const SavedGame& game)
{
    if (SqlStorage::saveGame(game))
        return true;
    m_written.remove(game.id);
    return false;
}

bool SqliteStorage::saveGames(const QList<SavedGame>& games)
{
    // Running games are saved many times a second: their commits reach the
    // operating system, which is all a crashing or killed server needs, and
    // the disk with the next commit of anything else or the next checkpoint.
    // Accounts, ratings and results keep a commit that waits for the disk.
    run(prepared(m_quickCommits, QStringLiteral("PRAGMA synchronous=NORMAL")));
    const bool saved = inTransaction([&] {
        return std::all_of(games.cbegin(), games.cend(),
                           [this](const SavedGame& g) { return writeSavedGame(g); });
    });
    run(prepared(m_safeCommits, QStringLiteral("PRAGMA synchronous=FULL")));
    if (!saved) {
        for (const SavedGame& g : games)
            m_written.remove(g.id);
    }
    return saved;
}

bool SqliteStorage::writeSavedGame(const SavedGame& g)
{
    // Between two saves of a game, mostly its state and the random source
    // of the robot that moved change: two short updates instead of its
    // rows written anew, which moves every seat's row and index entry.
    bool done = false;
    const auto last = m_written.constFind(g.id);
    if (last != m_written.cend() && last->mapId == g.mapId &&
        last->operatorName == g.operatorName && last->options == g.options &&
        last->seats.size() == g.seats.size() &&
        std::equal(g.seats.cbegin(), g.seats.cend(), last->seats.cbegin(),
                   [](const SavedSeat& a, const SavedSeat& b) { return a.seat == b.seat; })) {
        if (!updateSavedGame(g, *last, &done))
            return false;
    }
    if (!done && !rewriteSavedGame(g))
        return false;
    m_written.insert(g.id, g);
    return true;
}

bool SqliteStorage::updateSavedGame(const SavedGame& g, const SavedGame& last, bool* done)
{
    QSqlQuery& q = prepared(
        m_updateGame,
        QStringLiteral("UPDATE saved_games SET engine = ?, seeds_seed = ?, seeds_drawn = ?,"
                       " dice_seed = ?, dice_drawn = ?, elapsed_ms = ?,"
                       " saved = CURRENT_TIMESTAMP WHERE id = ?"));
    q.bindValue(0, g.engine);
    q.bindValue(1, qint64(g.seeds.seed));
    q.bindValue(2, qint64(g.seeds.drawn));
    q.bindValue(3, qint64(g.dice.seed));
    q.bindValue(4, qint64(g.dice.drawn));
    q.bindValue(5, g.elapsedMs);
    q.bindValue(6, g.id);
    if (!run(q))
        return false;
    if (q.numRowsAffected() != 1)
        return true;
    QSqlQuery& seat = prepared(
        m_updateSeat,
        QStringLiteral("UPDATE saved_seats SET robot = ?, name = ?, account_id = ?, stand_in = ?,"
                       " departed = ?, random_seed = ?, random_drawn = ?"
                       " WHERE game_id = ? AND seat = ?"));
    // Mostly only the random source of the robot that moved.
    QSqlQuery& random = prepared(
        m_updateSeatRandom, QStringLiteral("UPDATE saved_seats SET random_seed = ?,"
                                           " random_drawn = ? WHERE game_id = ? AND seat = ?"));
    for (qsizetype i = 0; i < g.seats.size(); ++i) {
        const SavedSeat& s = g.seats[i];
        SavedSeat before = last.seats[i];
        if (s == before)
            continue;
        before.random = s.random;
        if (s == before) {
            random.bindValue(0, qint64(s.random.seed));
            random.bindValue(1, qint64(s.random.drawn));
            random.bindValue(2, g.id);
            random.bindValue(3, s.seat);
            if (!run(random))
                return false;
            if (random.numRowsAffected() != 1)
                return true;
            continue;
        }
        seat.bindValue(0, int(s.robot));
        seat.bindValue(1, text(s.name));
        seat.bindValue(2, s.accountId);
        seat.bindValue(3, text(s.standIn));
        seat.bindValue(4, int(s.departed));
        seat.bindValue(5, qint64(s.random.seed));
        seat.bindValue(6, qint64(s.random.drawn));
        seat.bindValue(7, g.id);
        seat.bindValue(8, s.seat);
        if (!run(seat))
            return false;
        if (seat.numRowsAffected() != 1)
            return true;
    }
    *done = true;
    return true;
}

bool SqliteStorage::rewriteSavedGame(const SavedGame& g)
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
    m_written.remove(id);
    QSqlQuery q(*m_db);
    q.prepare(QStringLiteral("DELETE FROM saved_games WHERE id = ?"));
    q.addBindValue(id);
    return run(q);
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
    while (q.next())
        games.append(StorageRows::savedGame(q));
    QSqlQuery seats(*m_db);
    seats.prepare(QStringLiteral("SELECT seat, robot, name, account_id, stand_in, departed,"
                                 " random_seed, random_drawn FROM saved_seats"
                                 " WHERE game_id = ? ORDER BY seat"));
    for (SavedGame& g : games) {
        seats.addBindValue(g.id);
        if (!run(seats))
            continue;
        while (seats.next())
            g.seats.append(StorageRows::savedSeat(seats));
        seats.finish();
    }
    return games;
}
