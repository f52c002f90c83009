#pragma once

#include "protocol.h"
#include "seating.h"

#include <QString>
#include <QStringList>

// The options and status of one game on the server, without any widget: the
// rules the lobby, the button bar and the card area apply to a game live here
// so they can be used and tested on their own. The values are plain copies,
// so a part of the client that keeps one cannot be hurt when the lobby drops
// the game.
class GameRecord
{
public:
    static constexpr int MaxPlayers = Rules::MaxPlayers;
    // Distance between two icons of a seat or option strip, in pixels.
    static constexpr int IconStep = 14;
    // Observers shown one icon each; more are shown as one icon and their
    // number.
    static constexpr int MaxObserverIcons = 6;

    // "%1 by %2" with the map's name and author, as the map column shows it.
    static QString mapTextFor(const QString& mapName, const QString& mapAuthor);

    // Stores a status message's values, within what a game can hold: six
    // seats, of them the robots, of the rest the disconnected players, and
    // no fewer connected people than human players.
    void update(const QString& operatorName, bool running, int clients, int players, int robots,
                int disconnected);

    bool canAddRobot() const;
    bool canStart() const;

    // Picture files of the seats, left to right: humans, disconnected
    // players, robots, then observers (a single one when they are more than
    // MaxObserverIcons; observerCount() then gives their number).
    QStringList seatIcons() const;
    // Connected people without a seat.
    int observers() const;
    // The number shown after the observer icon, 0 when each has an icon.
    int observerCount() const;
    // Picture files of the option strip: one per set flag, then the timer.
    QStringList optionIcons() const;
    int optionsWidth() const;
    // Picture file of the status column: running once the game has started,
    // even should a later status say otherwise.
    QString statusIcon() const;

    // Cell texts of the timeout and rating range columns.
    QString timeoutText() const;
    QString ratingText() const;

    int id = 0;
    int mapId = 0;
    QString mapText;
    // The creation values as the server announced them.
    GameOptions options;

    bool running = false;
    int players = 0;
    int clients = 0;
    int robots = 0;
    int disconnected = 0;
    QString operatorName;
    // Set by the first status that reports the game running.
    bool started = false;
};
