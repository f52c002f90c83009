#include "storagemigration.h"

#include "postgresstorage.h"
#include "sqlitestorage.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

enum class Kind {
    Plain,
    // SQLite keeps flags as 0 and 1, PostgreSQL as booleans.
    Flag,
};

struct Column
{
    const char* name;
    Kind kind = Kind::Plain;
};

struct Table
{
    const char* name;
    // What one row and several are called in the report.
    const char* row;
    const char* rows;
    QList<Column> columns;
    // Saved games go under the server's name, a column SQLite has not.
    bool perServer = false;
    // The identity column's sequence to move past the copied ids, and the
    // SQLite sequence that may be ahead of them.
    bool identity = false;
};

const QList<Table>& tables()
{
    static const QList<Table> all = {
        {"accounts",
         "account",
         "accounts",
         {{"id"},
          {"nickname"},
          {"password_hash"},
          {"last_name"},
          {"first_name"},
          {"address"},
          {"zip"},
          {"city"},
          {"state"},
          {"country"},
          {"email"},
          {"rating"},
          {"games"},
          {"level"},
          {"member", Kind::Flag},
          {"admin", Kind::Flag},
          {"banned", Kind::Flag},
          {"smilie"},
          {"created"}},
         false,
         true},
        // In the order they were added, which PostgreSQL's ids keep.
        {"masks", "mask", "masks", {{"account_id"}, {"kind"}, {"pattern"}}},
        {"maps",
         "map",
         "maps",
         {{"id"}, {"name"}, {"author"}, {"picture"}, {"index_gz"}, {"body"}, {"created"}},
         false,
         true},
        {"slots", "slot", "slots", {{"account_id"}, {"slot"}, {"map_id"}}},
        {"robots", "robot rating", "robot ratings", {{"name"}, {"rating"}, {"games"}}},
        {"results",
         "result",
         "results",
         {{"id"},
          {"game_id"},
          {"map_id"},
          {"map_name"},
          {"seats"},
          {"winner"},
          {"turns"},
          {"rounds"},
          {"duration_seconds"},
          {"finished"}},
         false,
         true},
        {"saved_games",
         "saved game",
         "saved games",
         {{"id"},
          {"map_id"},
          {"operator"},
          {"options"},
          {"engine"},
          {"seeds_seed"},
          {"seeds_drawn"},
          {"dice_seed"},
          {"dice_drawn"},
          {"elapsed_ms"},
          {"saved"}},
         true},
        {"saved_seats",
         "saved seat",
         "saved seats",
         {{"game_id"},
          {"seat"},
          {"robot", Kind::Flag},
          {"name"},
          {"account_id"},
          {"stand_in"},
          {"departed", Kind::Flag},
          {"random_seed"},
          {"random_drawn"}},
         true},
    };
    return all;
}

// "1 map", "2 maps", "0 maps".
QString counted(qint64 n, const Table& t)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? t.row : t.rows));
}

QString columnList(const Table& t)
{
    QStringList names;
    for (const Column& c : t.columns)
        names << QLatin1String(c.name);
    return names.join(QStringLiteral(", "));
}

bool count(QSqlDatabase& db, const QString& table, const QString& where, qint64* n, QString* error)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM %1%2").arg(table, where)) || !q.next()) {
        *error = QStringLiteral("%1: %2").arg(table, q.lastError().text());
        return false;
    }
    *n = q.value(0).toLongLong();
    return true;
}

// Copies one table's rows; their number in `copied`.
bool copyTable(QSqlDatabase& from, QSqlDatabase& to, const Table& t, const QString& serverName,
               qint64* copied, QString* error)
{
    const QString table = QLatin1String(t.name);
    QSqlQuery read(from);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(columnList(t), table))) {
        *error = QStringLiteral("reading %1: %2").arg(table, read.lastError().text());
        return false;
    }
    QString columns = columnList(t);
    QStringList marks(t.columns.size(), QStringLiteral("?"));
    if (t.perServer) {
        columns.prepend(QStringLiteral("server, "));
        marks.prepend(QStringLiteral("?"));
    }
    QSqlQuery write(to);
    if (!write.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(table, columns, marks.join(QStringLiteral(", "))))) {
        *error = QStringLiteral("writing %1: %2").arg(table, write.lastError().text());
        return false;
    }
    *copied = 0;
    while (read.next()) {
        if (t.perServer)
            write.addBindValue(serverName);
        for (int i = 0; i < t.columns.size(); ++i) {
            const QVariant value = read.value(i);
            write.addBindValue(t.columns[i].kind == Kind::Flag ? QVariant(value.toBool()) : value);
        }
        if (!write.exec()) {
            *error = QStringLiteral("writing %1: %2").arg(table, write.lastError().text());
            return false;
        }
        ++*copied;
    }
    if (!t.identity)
        return true;
    // New rows go on after the copied ones, and after any SQLite had
    // numbered and removed since.
    qint64 next = 0;
    QSqlQuery sequence(from);
    if (sequence.exec(
            QStringLiteral("SELECT max(seq) FROM sqlite_sequence WHERE name = '%1'").arg(table)) &&
        sequence.next())
        next = sequence.value(0).toLongLong();
    QSqlQuery highest(from);
    if (highest.exec(QStringLiteral("SELECT max(id) FROM %1").arg(table)) && highest.next())
        next = std::max(next, highest.value(0).toLongLong());
    if (next == 0)
        return true;
    QSqlQuery move(to);
    if (!move.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'id'), %2)")
                       .arg(table)
                       .arg(next))) {
        *error = QStringLiteral("numbering %1: %2").arg(table, move.lastError().text());
        return false;
    }
    return true;
}

} // namespace

bool StorageMigration::copySqliteToPostgres(const QString& sqlitePath, const QString& url,
                                            const QString& serverName, QStringList* copied,
                                            QString* error)
{
    if (!QFileInfo(sqlitePath).isFile()) {
        *error = QStringLiteral("no database file %1").arg(sqlitePath);
        return false;
    }
    const QString connection =
        QStringLiteral("tarvenix-migration-%1").arg(QUuid::createUuid().toString());
    bool done = false;
    {
        QSqlDatabase from = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        from.setDatabaseName(sqlitePath);
        from.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery version(from);
        if (!from.open()) {
            *error = from.lastError().text();
        } else if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next()) {
            *error = version.lastError().text();
        } else if (version.value(0).toInt() != SqliteStorage::SchemaVersion) {
            // The file is only read; an older one is brought up to date by
            // starting the server on it once.
            *error = QStringLiteral("the file has schema %1, this server %2: start the server on "
                                    "it once first")
                         .arg(version.value(0).toInt())
                         .arg(SqliteStorage::SchemaVersion);
        } else {
            PostgresStorage target;
            if (target.open(url, serverName, error)) {
                done = target.bulkTransaction([&](QSqlDatabase& to) {
                    for (const Table& t : tables()) {
                        qint64 there = 0;
                        if (!count(to, QLatin1String(t.name), QString(), &there, error))
                            return false;
                        if (there > 0) {
                            *error = QStringLiteral("the database is not empty: it holds %1")
                                         .arg(counted(there, t));
                            return false;
                        }
                    }
                    copied->clear();
                    for (const Table& t : tables()) {
                        qint64 rows = 0;
                        qint64 source = 0;
                        qint64 target = 0;
                        if (!copyTable(from, to, t, serverName, &rows, error) ||
                            !count(from, QLatin1String(t.name), QString(), &source, error) ||
                            !count(to, QLatin1String(t.name), QString(), &target, error))
                            return false;
                        if (rows != source || target != source) {
                            *error = QStringLiteral("%1: %2 in the file, %3 copied")
                                         .arg(QLatin1String(t.name))
                                         .arg(source)
                                         .arg(target);
                            return false;
                        }
                        copied->append(counted(rows, t));
                    }
                    return true;
                });
                if (!done && error->isEmpty())
                    *error = QStringLiteral("the transaction failed");
            }
        }
        from.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return done;
}
