#pragma once

#include "gamelimits.h"
#include "protocol.h"
#include "seating.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the script commands ask of the client: the users and games the lobby
// knows, the seats of the current game, the seat colours and the login. The
// values are copies, so a command never holds on to the client's state.
class ScriptClient
{
public:
    struct User
    {
        QString nickname;
        QString hostname{};
        // The id of the game the user plays in or watches, 0 for none; the
        // game need not be known.
        int gameId = 0;
        int rating = Rules::StartingRating;
        int games = 0;
        bool observer = false;
        bool member = false;
        QString smilie{};
        bool admin = false;
        bool isFriend = false;
        bool isEnemy = false;
        // Seconds since the epoch of the user's last chat line or whisper;
        // 0 until the first one.
        qint64 lastActive = 0;
    };

    struct Game
    {
        int id = 0;
        int mapId = 0;
        GameOptions options;
        bool running = false;
        int players = 0;
        int clients = 0;
        int robots = 0;
        int disconnected = 0;
        QString operatorName{};
    };

    // An occupied seat of the current game.
    struct Seat
    {
        QString name;
        bool robot = false;
    };

    static constexpr int Seats = Rules::MaxPlayers;

    virtual ~ScriptClient() = default;

    virtual QStringList userNames() const = 0;
    // Found by the exact nickname.
    virtual std::optional<User> user(const QString& nickname) const = 0;
    virtual QList<int> gameIds() const = 0;
    virtual std::optional<Game> game(int id) const = 0;
    // Seat 0 to 5; nothing for an empty seat.
    virtual std::optional<Seat> seat(int seat) const = 0;
    virtual QColor seatTextColor(int seat) const = 0;
    virtual QColor seatBackgroundColor(int seat) const = 0;
    // The nickname typed at login.
    virtual QString loginNickname() const = 0;
    // True once the server has announced the user's own entry.
    virtual bool isInitialized() const = 0;
};
