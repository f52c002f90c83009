#pragma once

#include "mapdata.h"

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct Account
{
    qint64 id = 0;
    QString nickname{};
    QByteArray passwordHash{};
    // Last name, first name, address, zip code, city, state, country, e-mail.
    QStringList contact{};
    int rating = 1500;
    int games = 0;
    int level = 1;
    bool member = false;
    bool admin = false;
    bool banned = false;
    QString smilie{};
};

// One finished game, for statistics.
struct GameResult
{
    int gameId = 0;
    int mapId = 0;
    QString mapName;
    // "name:human" or "name:robot" per seat, in seat order, comma-separated.
    QString seats;
    QString winner;
    int turns = 0;
    int rounds = 0;
    int durationSeconds = 0;
};

struct RobotInfo;

struct StoredMask
{
    QString pattern;
    QString kind;
};

// The server's SQLite store: accounts, masks, personal map slots and the maps
// users have uploaded. Every change runs in its own transaction, so a failure
// half-way leaves the previous state intact.
class Database
{
public:
    static constexpr int SchemaVersion = 2;
    static constexpr int SlotCount = 5;
    // Uploaded maps are numbered above the default maps' ids.
    static constexpr int FirstUploadedMapId = 1001;
    static constexpr int MaxMasksPerAccount = 200;

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool open(const QString& path, QString* error);
    bool isOpen() const;
    void close();

    // Nothing for an unknown nickname; `failed`, when given, tells that
    // apart from a lookup the database could not answer.
    std::optional<Account> findAccount(const QString& nickname, bool* failed = nullptr);
    // Fails (nullopt) when the nickname is taken, in any letter case.
    std::optional<Account> createAccount(const Account& account);
    bool setPasswordHash(qint64 accountId, const QByteArray& hash);

    QList<StoredMask> masks(qint64 accountId);
    // Adding a mask that exists up to letter case, or beyond the per-account
    // cap, changes nothing and returns false.
    bool addMask(qint64 accountId, const QString& pattern, const QString& kind);
    bool removeMask(qint64 accountId, const QString& pattern, const QString& kind);

    // Map ids by slot; 0 for an empty slot.
    QList<int> mapSlots(qint64 accountId);
    bool setSlot(qint64 accountId, int slot, int mapId);
    // What came of storing an uploaded map in a slot.
    struct StoredSlot
    {
        // The new map's id; 0 when nothing was stored.
        int mapId = 0;
        // Nothing was stored because the account's maps would then take
        // more than their share of the disk.
        bool overQuota = false;
    };
    // Stores the map and puts it into the slot in one transaction, provided
    // the maps in the account's slots then take at most maxAccountBytes
    // (their indexes and descriptions together).
    StoredSlot storeMapInSlot(qint64 accountId, int slot, const MapData& map,
                              qint64 maxAccountBytes);
    // Removes an uploaded map that no slot refers to; true if it went.
    bool removeMapIfUnused(int id);
    // Removes every uploaded map no slot refers to, such as those a game
    // kept while it ran when the server stopped. Returns how many went.
    int removeUnusedMaps();
    std::optional<MapData> loadMap(int id);

    bool setRating(qint64 accountId, int rating, int games);
    // Robots keep their ratings by name; unknown robots keep their defaults.
    void loadRobotRatings(QList<RobotInfo>& robots);
    bool storeRobotRating(const RobotInfo& robot);
    bool storeResult(const GameResult& result);
    int resultCount();

private:
    bool createSchema(QString* error);
    // Brings a file of an older schema up to date, one version per step.
    bool migrate(int from, QString* error);
    bool exec(const QString& sql, QString* error = nullptr);
    bool inTransaction(const std::function<bool()>& work);

    QString m_connectionName;
    QSqlDatabase m_db;
};
