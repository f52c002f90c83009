#include "gamerecord.h"

#include "fieldbounds.h"
#include "seating.h"

#include <QCoreApplication>

#include <algorithm>

QString GameRecord::mapTextFor(const QString& mapName, const QString& mapAuthor)
{
    return QCoreApplication::translate("GameItem", "%1 by %2").arg(mapName, mapAuthor);
}

bool GameRecord::canAddRobot() const
{
    return Rules::canAddRobot(options.noRobots, options.minHumans, players, robots);
}

bool GameRecord::canStart() const
{
    return Rules::canStart(running, options.minHumans, players, robots);
}

QStringList GameRecord::seatIcons() const
{
    QStringList icons;
    const int humans = players - robots - disconnected;
    for (int i = 0; i < humans; ++i)
        icons << QStringLiteral("Icons/Player.png");
    for (int i = 0; i < disconnected; ++i)
        icons << QStringLiteral("Icons/Ghost.png");
    for (int i = 0; i < robots; ++i)
        icons << QStringLiteral("Icons/Robot.png");
    // Everyone connected who does not hold a seat watches.
    const int watching = observerCount() > 0 ? 1 : observers();
    for (int i = 0; i < watching; ++i)
        icons << QStringLiteral("Icons/Observer.png");
    return icons;
}

int GameRecord::observers() const
{
    return std::max(0, clients - (players - robots - disconnected));
}

int GameRecord::observerCount() const
{
    const int count = observers();
    return count > MaxObserverIcons ? count : 0;
}

QStringList GameRecord::optionIcons() const
{
    const struct
    {
        bool set;
        const char* file;
    } flags[] = {
        {options.placeBeforeAttack, "Icons/PlaceBeforeAttack.png"},
        {options.capitals, "Icons/Capitals.png"},
        {options.blind, "Icons/Blind.png"},
        {options.increasingCards, "Icons/IncreasingCards.png"},
        {options.gifts, "Icons/Gift.png"},
        {options.noWhispering, "Icons/NoWhispering.png"},
        {options.hideCards, "Icons/HideCards.png"},
        {options.sameHosts, "Icons/SameHosts.png"},
        {options.replaceBots, "Icons/Robot.png"},
        {options.receiveCards, "Icons/Cards.png"},
        {options.sameLevel, "Icons/Ladder.png"},
        {options.noRobots, "Icons/NoBots.png"},
    };
    QStringList icons;
    for (const auto& flag : flags) {
        if (flag.set)
            icons << QLatin1String(flag.file);
    }
    switch (options.timerMode) {
    case 0:
        icons << QStringLiteral("Icons/TimerMode1.png");
        break;
    case 1:
        icons << QStringLiteral("Icons/TimerMode2.png");
        break;
    default:
        icons << QStringLiteral("Icons/TimerMode3.png");
        break;
    }
    return icons;
}

int GameRecord::optionsWidth() const
{
    return IconStep * int(optionIcons().size());
}

QString GameRecord::statusIcon() const
{
    return started || running ? QStringLiteral("Icons/Running.png")
                              : QStringLiteral("Icons/Waiting.png");
}

void GameRecord::update(const QString& operatorName, bool running, int clients, int players,
                        int robots, int disconnected)
{
    if (running)
        started = true;
    this->operatorName = operatorName;
    this->running = running;
    // A hostile or broken server may send any numbers; what is drawn, and
    // what a loop runs over, stays within what a game can mean.
    this->players = std::clamp(players, 0, MaxPlayers);
    this->robots = std::clamp(robots, 0, this->players);
    this->disconnected = std::clamp(disconnected, 0, this->players - this->robots);
    this->clients = std::clamp(clients, 0, FieldBounds::Number);
}

QString GameRecord::timeoutText() const
{
    if (options.timeout <= 0)
        return {};
    return QString::asprintf("%02d:%02d", options.timeout / 60, options.timeout % 60);
}

QString GameRecord::ratingText() const
{
    if (options.minRating <= 0 || options.maxRating <= 0)
        return {};
    return QString::asprintf("%d - %d", options.minRating, options.maxRating);
}
