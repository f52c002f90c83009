#include "sqlstorage.h"

#include "ops/metrics.h"
#include "serverlogging.h"
#include "storagerows.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

using StorageRows::text;

SqlStorage::SqlStorage(const QString& connectionPrefix, const Dialect& dialect)
    : m_connectionName(connectionPrefix + QUuid::createUuid().toString()),
      m_db(std::make_unique<QSqlDatabase>()), m_sql(dialect)
{}

SqlStorage::~SqlStorage() = default;

void SqlStorage::closeDatabase()
{
    if (m_db->isValid()) {
        m_db->close();
        *m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

bool SqlStorage::exec(const QString& sql, QString* error)
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

bool SqlStorage::run(QSqlQuery& q)
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

bool SqlStorage::run(QSqlQuery& q, const QString& statement, const QVariantList& values)
{
    if (!q.prepare(statement)) {
        qCWarning(lcServer) << "database:" << q.lastError().text();
        return false;
    }
    for (const QVariant& value : values)
        q.addBindValue(value);
    return run(q);
}

template <typename... Values>
bool SqlStorage::run(QSqlQuery& q, const QString& statement, const Values&... values)
{
    if (!q.prepare(statement)) {
        qCWarning(lcServer) << "database:" << q.lastError().text();
        return false;
    }
    (q.addBindValue(values), ...);
    return run(q);
}

bool SqlStorage::inTransaction(const std::function<bool()>& work)
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

bool SqlStorage::reading(const std::function<bool()>& work)
{
    return work();
}

bool SqlStorage::lockAccount(qint64 accountId)
{
    if (m_sql.lockAccount.isEmpty())
        return true;
    QSqlQuery lock(*m_db);
    return run(lock, m_sql.lockAccount, accountId);
}

qint64 SqlStorage::insertedId(QSqlQuery& q) const
{
    if (m_sql.returnsId)
        return q.next() ? q.value(0).toLongLong() : 0;
    return q.lastInsertId().toLongLong();
}

QVariant SqlStorage::flag(bool value) const
{
    return m_sql.integerFlags ? QVariant(int(value)) : QVariant(value);
}

std::optional<Account> SqlStorage::findAccount(const QString& nickname, bool* failed)
{
    std::optional<Account> found;
    const bool ran = reading([&] {
        QSqlQuery q(*m_db);
        if (!run(q, m_sql.findAccount, nickname))
            return false;
        found = q.next() ? std::optional(StorageRows::account(q)) : std::nullopt;
        return true;
    });
    if (failed)
        *failed = !ran;
    return found;
}

std::optional<Account> SqlStorage::createAccount(const Account& account)
{
    qint64 id = 0;
    const bool ok = inTransaction([&] {
        const auto contact = [&](int i) {
            return text(account.contact.value(i));
        };
        QSqlQuery q(*m_db);
        if (!run(q, m_sql.insertAccount, account.nickname,
                 QString::fromLatin1(account.passwordHash), contact(0), contact(1), contact(2),
                 contact(3), contact(4), contact(5), contact(6), contact(7), account.rating,
                 account.games, account.level, flag(account.member), flag(account.admin),
                 flag(account.banned), text(account.smilie)))
            return false;
        // No id where the database let a taken nickname pass without a row.
        id = insertedId(q);
        return true;
    });
    if (!ok || id == 0)
        return std::nullopt;
    Account created = account;
    created.id = id;
    while (created.contact.size() < 8)
        created.contact.append(QString());
    return created;
}

bool SqlStorage::setPasswordHash(qint64 accountId, const QByteArray& hash)
{
    return inTransaction([&] {
        QSqlQuery q(*m_db);
        return run(q, QStringLiteral("UPDATE accounts SET password_hash = ? WHERE id = ?"),
                   QString::fromLatin1(hash), accountId) &&
               q.numRowsAffected() == 1;
    });
}

bool SqlStorage::setRating(qint64 accountId, int rating, int games)
{
    return inTransaction([&] { return writeRating({accountId, rating, games}); });
}

bool SqlStorage::writeRating(const RatedAccount& account)
{
    QSqlQuery q(*m_db);
    return run(q, QStringLiteral("UPDATE accounts SET rating = ?, games = ? WHERE id = ?"),
               account.rating, account.games, account.id) &&
           q.numRowsAffected() == 1;
}

const QString SqlStorage::AddRatingChange =
    QStringLiteral("UPDATE accounts SET rating = rating + ?, games = games + 1 WHERE id = ?");

const QString SqlStorage::InsertResult =
    QStringLiteral("INSERT INTO results (game_id, map_id, map_name, seats, winner, turns, rounds,"
                   " duration_seconds) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");

QVariantList SqlStorage::resultValues(const GameResult& r)
{
    return {r.gameId,       r.mapId, text(r.mapName), text(r.seats),
            text(r.winner), r.turns, r.rounds,        r.durationSeconds};
}

bool SqlStorage::addRatingChange(const RatedAccount& account)
{
    QSqlQuery q(*m_db);
    return run(q, AddRatingChange, account.change, account.id) && q.numRowsAffected() == 1;
}

bool SqlStorage::setAccountFlags(qint64 accountId, bool member, bool admin, bool banned)
{
    return inTransaction([&] {
        QSqlQuery q(*m_db);
        return run(q,
                   QStringLiteral(
                       "UPDATE accounts SET member = ?, admin = ?, banned = ? WHERE id = ?"),
                   flag(member), flag(admin), flag(banned), accountId) &&
               q.numRowsAffected() == 1;
    });
}

QList<StoredMask> SqlStorage::masks(qint64 accountId)
{
    QList<StoredMask> result;
    reading([&] {
        result.clear();
        QSqlQuery q(*m_db);
        if (!run(q, m_sql.masks, accountId))
            return false;
        while (q.next())
            result.append({q.value(0).toString(), q.value(1).toString()});
        return true;
    });
    return result;
}

bool SqlStorage::addMask(qint64 accountId, const QString& pattern, const QString& kind,
                         bool* failed)
{
    bool added = false;
    const bool ok = inTransaction([&] {
        // The account's row, locked, keeps two servers from both adding the
        // last mask under the cap.
        if (!lockAccount(accountId))
            return false;
        QSqlQuery count(*m_db);
        if (!run(count, QStringLiteral("SELECT COUNT(*) FROM masks WHERE account_id = ?"),
                 accountId) ||
            !count.next())
            return false;
        if (count.value(0).toInt() >= MaxMasksPerAccount) {
            added = false;
            return true;
        }
        QSqlQuery q(*m_db);
        if (!run(q, m_sql.insertMask, accountId, kind, pattern))
            return false;
        added = q.numRowsAffected() == 1;
        return true;
    });
    if (failed)
        *failed = !ok;
    return ok && added;
}

bool SqlStorage::removeMask(qint64 accountId, const QString& pattern, const QString& kind,
                            bool* failed)
{
    bool removed = false;
    const bool ok = inTransaction([&] {
        QSqlQuery q(*m_db);
        if (!run(q, m_sql.removeMask, accountId, kind, pattern))
            return false;
        removed = q.numRowsAffected() > 0;
        return true;
    });
    if (failed)
        *failed = !ok;
    return ok && removed;
}

QList<int> SqlStorage::mapSlots(qint64 accountId)
{
    QList<int> result(SlotCount, 0);
    reading([&] {
        result.fill(0);
        QSqlQuery q(*m_db);
        if (!run(q, QStringLiteral("SELECT slot, map_id FROM slots WHERE account_id = ?"),
                 accountId))
            return false;
        while (q.next()) {
            const int slot = q.value(0).toInt();
            if (slot >= 0 && slot < SlotCount)
                result[slot] = q.value(1).toInt();
        }
        return true;
    });
    return result;
}

bool SqlStorage::setSlot(qint64 accountId, int slot, int mapId)
{
    if (slot < 0 || slot >= SlotCount)
        return false;
    return inTransaction([&] {
        QSqlQuery q(*m_db);
        return run(q, m_sql.upsertSlot, accountId, slot, mapId);
    });
}

StoredSlot SqlStorage::storeMapInSlot(qint64 accountId, int slot, const MapData& map,
                                      qint64 maxAccountBytes)
{
    StoredSlot result;
    if (slot < 0 || slot >= SlotCount)
        return result;
    const QByteArray body = QJsonDocument(map.toJson()).toJson(QJsonDocument::Compact);
    int id = 0;
    const bool ok = inTransaction([&] {
        result.overQuota = false;
        if (!lockAccount(accountId))
            return false;
        // The slot's present map makes way for the new one, so it does not
        // count against the account.
        QSqlQuery used(*m_db);
        if (!run(used, m_sql.usedBytes, accountId, slot) || !used.next())
            return false;
        if (used.value(0).toLongLong() + map.index.size() + body.size() > maxAccountBytes) {
            result.overQuota = true;
            return false;
        }
        QSqlQuery q(*m_db);
        if (!run(q, m_sql.insertMap, map.name, text(map.author), map.picture, map.index,
                 QString::fromUtf8(body)))
            return false;
        id = int(insertedId(q));
        if (id == 0)
            return false;
        QSqlQuery s(*m_db);
        return run(s, m_sql.upsertSlot, accountId, slot, id);
    });
    if (ok)
        result.mapId = id;
    return result;
}

bool SqlStorage::removeMapIfUnused(int id)
{
    if (id < FirstUploadedMapId)
        return false;
    bool removed = false;
    inTransaction([&] {
        QSqlQuery q(*m_db);
        if (!run(q,
                 QStringLiteral("DELETE FROM maps WHERE id = ?"
                                " AND NOT EXISTS (SELECT 1 FROM slots WHERE map_id = ?)"
                                " AND NOT EXISTS (SELECT 1 FROM saved_games WHERE map_id = ?)"),
                 id, id, id))
            return false;
        removed = q.numRowsAffected() > 0;
        return true;
    });
    return removed;
}

int SqlStorage::removeUnusedMaps()
{
    int removed = 0;
    inTransaction([&] {
        QSqlQuery q(*m_db);
        if (!run(q, m_sql.removeUnusedMaps))
            return false;
        removed = q.numRowsAffected();
        return true;
    });
    return removed;
}

std::optional<MapData> SqlStorage::loadMap(int id)
{
    QByteArray index;
    QByteArray body;
    bool found = false;
    reading([&] {
        QSqlQuery q(*m_db);
        if (!run(q, QStringLiteral("SELECT index_gz, body FROM maps WHERE id = ?"), id))
            return false;
        found = q.next();
        if (found) {
            index = q.value(0).toByteArray();
            body = q.value(1).toString().toUtf8();
        }
        return true;
    });
    if (!found)
        return std::nullopt;
    QString error;
    std::optional<MapData> map = MapData::fromJson(QJsonDocument::fromJson(body).object(), &error);
    if (!map) {
        qCWarning(lcServer) << "stored map" << id << "is unreadable:" << error;
        return std::nullopt;
    }
    map->id = id;
    map->index = index;
    return map;
}

bool SqlStorage::storeRobotRating(const RobotInfo& robot)
{
    return inTransaction([&] { return writeRobotRating(robot); });
}

bool SqlStorage::writeRobotRating(const RobotInfo& robot)
{
    QSqlQuery q(*m_db);
    return run(q, m_sql.upsertRobot, robot.name, robot.rating, robot.games);
}

bool SqlStorage::addRobotRatingChange(const RatedRobot& robot)
{
    QSqlQuery q(*m_db);
    return run(q, m_sql.rateRobot, robot.name, robot.rating, robot.games, robot.change);
}

bool SqlStorage::storeResult(const GameResult& r)
{
    return inTransaction([&] { return writeResult(r); });
}

bool SqlStorage::writeResult(const GameResult& r)
{
    QSqlQuery q(*m_db);
    return run(q, InsertResult, resultValues(r));
}

int SqlStorage::resultCount()
{
    int count = 0;
    reading([&] {
        QSqlQuery q(*m_db);
        if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM results")) || !q.next())
            return false;
        count = q.value(0).toInt();
        return true;
    });
    return count;
}

bool SqlStorage::recordFinishedGame(const GameResult& result, const QList<RatedAccount>& accounts,
                                    const QList<RatedRobot>& robots)
{
    return inTransaction([&] {
        for (const RatedAccount& a : accounts) {
            if (!addRatingChange(a))
                return false;
        }
        for (const RatedRobot& r : robots) {
            if (!addRobotRatingChange(r))
                return false;
        }
        return writeResult(result) && deleteSavedGame(result.gameId);
    });
}

bool SqlStorage::saveGame(const SavedGame& g)
{
    return inTransaction([&] { return writeSavedGame(g); });
}

bool SqlStorage::removeSavedGame(int id)
{
    return inTransaction([&] { return deleteSavedGame(id); });
}
