#pragma once

#include "gamelimits.h"
#include "mapdata.h"
#include "protocol.h"
#include "random.h"
#include "robotinfo.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct Account
{
    qint64 id = 0;
    QString nickname{};
    QByteArray passwordHash{};
    // Last name, first name, address, zip code, city, state, country, e-mail.
    QStringList contact{};
    int rating = Rules::StartingRating;
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

struct StoredMask
{
    QString pattern;
    QString kind;
};

// What came of storing an uploaded map in a slot.
struct StoredSlot
{
    // The new map's id; 0 when nothing was stored.
    int mapId = 0;
    // Nothing was stored because the account's maps would then take more
    // than their share of the disk.
    bool overQuota = false;
};

// A player's new standing once a game is over.
struct RatedAccount
{
    qint64 id = 0;
    int rating = Rules::StartingRating;
    int games = 0;
    // What a finished game changed: several servers sharing one database
    // may rate the same player or robot at once, so a result adds its change
    // to what is stored rather than writing over another server's.
    int change = 0;
};

// A robot rated by a finished game: its standing as this server reckons it
// (stored as such when the robot has no row yet) and the game's change.
struct RatedRobot
{
    QString name;
    int rating = Rules::StartingRating;
    int games = 0;
    int change = 0;
};

// One seat of a running game as it was saved.
struct SavedSeat
{
    int seat = 0;
    bool robot = false;
    // The account's nickname or the robot's name.
    QString name{};
    qint64 accountId = 0;
    // The robot playing for the seat's player while he is away or since he
    // left; empty when nobody does.
    QString standIn{};
    // The player left the game for good; otherwise a human seat is held for
    // him after a restart.
    bool departed = false;
    // The random source of the robot at the seat, if there is one.
    SeededRandom::State random{};

    bool operator==(const SavedSeat&) const = default;
};

// A running game at its last save: the room, its seats and the engine's
// state, enough to take it up again after a restart.
struct SavedGame
{
    int id = 0;
    int mapId = 0;
    QString operatorName{};
    GameOptions options{};
    QList<SavedSeat> seats{};
    // The engine's state in its own byte form.
    QByteArray engine{};
    // The source of the seeds of robots that sit down later, and the dice.
    SeededRandom::State seeds{};
    SeededRandom::State dice{};
    // How long the game had run.
    qint64 elapsedMs = 0;
};

// What the server keeps between runs: accounts, masks, personal map slots,
// the maps users have uploaded, robots' ratings, finished games and the
// running games' last saves. Every change is whole or not at all: a failure
// half-way leaves the previous state intact.
class Storage
{
public:
    static constexpr int SlotCount = 5;
    // Uploaded maps are numbered above the default maps' ids.
    static constexpr int FirstUploadedMapId = 1001;
    static constexpr int MaxMasksPerAccount = 200;

    virtual ~Storage() = default;

    // Nothing for an unknown nickname; `failed`, when given, tells that
    // apart from a lookup the storage could not answer.
    virtual std::optional<Account> findAccount(const QString& nickname, bool* failed = nullptr) = 0;
    // Fails (nullopt) when the nickname is taken, in any letter case.
    virtual std::optional<Account> createAccount(const Account& account) = 0;
    virtual bool setPasswordHash(qint64 accountId, const QByteArray& hash) = 0;
    virtual bool setRating(qint64 accountId, int rating, int games) = 0;
    // The operator's flags of an account.
    virtual bool setAccountFlags(qint64 accountId, bool member, bool admin, bool banned) = 0;
    // Whether a write would go through now; changes nothing.
    virtual bool isWritable() = 0;
    // The time in milliseconds the request the next calls answer has left
    // (-1 when nobody waits for them): a database that may keep statements
    // waiting gives them up by then.
    virtual void setTimeLeft(int /*ms*/) {}

    virtual QList<StoredMask> masks(qint64 accountId) = 0;
    // Adding a mask that exists up to letter case, or beyond the per-account
    // cap, and removing one that does not exist change nothing and return
    // false. `failed`, when given, tells that apart from a change the storage
    // could not make.
    virtual bool addMask(qint64 accountId, const QString& pattern, const QString& kind,
                         bool* failed = nullptr) = 0;
    virtual bool removeMask(qint64 accountId, const QString& pattern, const QString& kind,
                            bool* failed = nullptr) = 0;

    // Map ids by slot; 0 for an empty slot.
    virtual QList<int> mapSlots(qint64 accountId) = 0;
    virtual bool setSlot(qint64 accountId, int slot, int mapId) = 0;
    // Stores the map and puts it into the slot at once, provided the maps in
    // the account's slots then take at most maxAccountBytes (their indexes
    // and descriptions together).
    virtual StoredSlot storeMapInSlot(qint64 accountId, int slot, const MapData& map,
                                      qint64 maxAccountBytes) = 0;
    // Removes an uploaded map that no slot refers to; true if it went.
    virtual bool removeMapIfUnused(int id) = 0;
    // Removes every uploaded map no slot refers to, such as those a game
    // kept while it ran when the server stopped. Returns how many went.
    virtual int removeUnusedMaps() = 0;
    virtual std::optional<MapData> loadMap(int id) = 0;

    // Robots keep their ratings by name; unknown robots keep their defaults.
    virtual void loadRobotRatings(QList<RobotInfo>& robots) = 0;
    virtual bool storeRobotRating(const RobotInfo& robot) = 0;
    virtual bool storeResult(const GameResult& result) = 0;
    virtual int resultCount() = 0;

    // Everything a finished game changes, at once: the players' ratings and
    // games (each changed by the game's change, one game more), the
    // robots', the result, and the game's save goes.
    virtual bool recordFinishedGame(const GameResult& result, const QList<RatedAccount>& accounts,
                                    const QList<RatedRobot>& robots) = 0;

    // Running games: each save replaces the game's last one. A saved game's
    // map stays in the database as long as the save does.
    virtual bool saveGame(const SavedGame& game) = 0;
    // Several games at once: all of them or, on failure, none. A storage
    // that cannot do better saves them one by one.
    virtual bool saveGames(const QList<SavedGame>& games)
    {
        for (const SavedGame& game : games) {
            if (!saveGame(game))
                return false;
        }
        return true;
    }
    virtual bool removeSavedGame(int id) = 0;
    // Every saved game, by id; nothing when they cannot be read.
    virtual QList<SavedGame> savedGames() = 0;

    // Several servers on one database: a nickname is logged on at one of
    // them at a time. Each server holds its logins under a lease it renews
    // well before it runs out; the logins of a server that stops renewing
    // it (killed, cut off from the database) are free once it has. The
    // first renewal, at the start, lets go of what the server held before.
    // A database only one server uses has nothing to keep.
    virtual bool renewLease(int /*seconds*/, bool /*starting*/) { return true; }
    // Takes the nickname for this server; false while another server holds
    // it under a lease that still runs. Claiming it again is harmless.
    virtual bool claimLogin(const QString& /*nickname*/) { return true; }
    virtual void releaseLogin(const QString& /*nickname*/) {}
};
