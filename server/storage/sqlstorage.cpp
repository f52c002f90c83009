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
    lock.prepare(m_sql.lockAccount);
    lock.addBindValue(accountId);
    return run(lock);
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
        q.prepare(m_sql.findAccount);
        q.addBindValue(nickname);
        if (!run(q))
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
        QSqlQuery q(*m_db);
        q.prepare(m_sql.insertAccount);
        q.addBindValue(account.nickname);
        q.addBindValue(QString::fromLatin1(account.passwordHash));
        for (int i = 0; i < 8; ++i)
            q.addBindValue(text(account.contact.value(i)));
        q.addBindValue(account.rating);
        q.addBindValue(account.games);
        q.addBindValue(account.level);
        q.addBindValue(flag(account.member));
        q.addBindValue(flag(account.admin));
        q.addBindValue(flag(account.banned));
        q.addBindValue(text(account.smilie));
        if (!run(q))
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
        q.prepare(QStringLiteral("UPDATE accounts SET password_hash = ? WHERE id = ?"));
        q.addBindValue(QString::fromLatin1(hash));
        q.addBindValue(accountId);
        return run(q) && q.numRowsAffected() == 1;
    });
}

bool SqlStorage::setRating(qint64 accountId, int rating, int games)
{
    return inTransaction([&] { return writeRating({accountId, rating, games}); });
}

bool SqlStorage::writeRating(const RatedAccount& account)
{
    QSqlQuery q(*m_db);
    q.prepare(QStringLiteral("UPDATE accounts SET rating = ?, games = ? WHERE id = ?"));
    q.addBindValue(account.rating);
    q.addBindValue(account.games);
    q.addBindValue(account.id);
    return run(q) && q.numRowsAffected() == 1;
}

bool SqlStorage::setAccountFlags(qint64 accountId, bool member, bool admin, bool banned)
{
    return inTransaction([&] {
        QSqlQuery q(*m_db);
        q.prepare(
            QStringLiteral("UPDATE accounts SET member = ?, admin = ?, banned = ? WHERE id = ?"));
        q.addBindValue(flag(member));
        q.addBindValue(flag(admin));
        q.addBindValue(flag(banned));
        q.addBindValue(accountId);
        return run(q) && q.numRowsAffected() == 1;
    });
}

QList<StoredMask> SqlStorage::masks(qint64 accountId)
{
    QList<StoredMask> result;
    reading([&] {
        result.clear();
        QSqlQuery q(*m_db);
        q.prepare(m_sql.masks);
        q.addBindValue(accountId);
        if (!run(q))
            return false;
        while (q.next())
            result.append({q.value(0).toString(), q.value(1).toString()});
        return true;
    });
    return result;
}

bool SqlStorage::addMask(qint64 accountId, const QString& pattern, const QString& kind)
{
    bool added = false;
    const bool ok = inTransaction([&] {
        // The account's row, locked, keeps two servers from both adding the
        // last mask under the cap.
        if (!lockAccount(accountId))
            return false;
        QSqlQuery count(*m_db);
        count.prepare(QStringLiteral("SELECT COUNT(*) FROM masks WHERE account_id = ?"));
        count.addBindValue(accountId);
        if (!run(count) || !count.next())
            return false;
        if (count.value(0).toInt() >= MaxMasksPerAccount) {
            added = false;
            return true;
        }
        QSqlQuery q(*m_db);
        q.prepare(m_sql.insertMask);
        q.addBindValue(accountId);
        q.addBindValue(kind);
        q.addBindValue(pattern);
        if (!run(q))
            return false;
        added = q.numRowsAffected() == 1;
        return true;
    });
    return ok && added;
}

bool SqlStorage::removeMask(qint64 accountId, const QString& pattern, const QString& kind)
{
    bool removed = false;
    const bool ok = inTransaction([&] {
        QSqlQuery q(*m_db);
        q.prepare(m_sql.removeMask);
        q.addBindValue(accountId);
        q.addBindValue(kind);
        q.addBindValue(pattern);
        if (!run(q))
            return false;
        removed = q.numRowsAffected() > 0;
        return true;
    });
    return ok && removed;
}

QList<int> SqlStorage::mapSlots(qint64 accountId)
{
    QList<int> result(SlotCount, 0);
    reading([&] {
        result.fill(0);
        QSqlQuery q(*m_db);
        q.prepare(QStringLiteral("SELECT slot, map_id FROM slots WHERE account_id = ?"));
        q.addBindValue(accountId);
        if (!run(q))
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
        q.prepare(m_sql.upsertSlot);
        q.addBindValue(accountId);
        q.addBindValue(slot);
        q.addBindValue(mapId);
        return run(q);
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
        used.prepare(m_sql.usedBytes);
        used.addBindValue(accountId);
        used.addBindValue(slot);
        if (!run(used) || !used.next())
            return false;
        if (used.value(0).toLongLong() + map.index.size() + body.size() > maxAccountBytes) {
            result.overQuota = true;
            return false;
        }
        QSqlQuery q(*m_db);
        q.prepare(m_sql.insertMap);
        q.addBindValue(map.name);
        q.addBindValue(text(map.author));
        q.addBindValue(map.picture);
        q.addBindValue(map.index);
        q.addBindValue(QString::fromUtf8(body));
        if (!run(q))
            return false;
        id = int(insertedId(q));
        if (id == 0)
            return false;
        QSqlQuery s(*m_db);
        s.prepare(m_sql.upsertSlot);
        s.addBindValue(accountId);
        s.addBindValue(slot);
        s.addBindValue(id);
        return run(s);
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

int SqlStorage::removeUnusedMaps()
{
    int removed = 0;
    inTransaction([&] {
        QSqlQuery q(*m_db);
        q.prepare(m_sql.removeUnusedMaps);
        if (!run(q))
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
        q.prepare(QStringLiteral("SELECT index_gz, body FROM maps WHERE id = ?"));
        q.addBindValue(id);
        if (!run(q))
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
    q.prepare(m_sql.upsertRobot);
    q.addBindValue(robot.name);
    q.addBindValue(robot.rating);
    q.addBindValue(robot.games);
    return run(q);
}

bool SqlStorage::storeResult(const GameResult& r)
{
    return inTransaction([&] { return writeResult(r); });
}

bool SqlStorage::writeResult(const GameResult& r)
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

bool SqlStorage::saveGame(const SavedGame& g)
{
    return inTransaction([&] { return writeSavedGame(g); });
}

bool SqlStorage::removeSavedGame(int id)
{
    return inTransaction([&] { return deleteSavedGame(id); });
}
