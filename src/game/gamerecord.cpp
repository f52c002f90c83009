#include "gamerecord.h"

#include "seating.h"

#include <QCoreApplication>

#include <algorithm>

QString GameRecord::mapTextFor(const QString& mapName, const QString& mapAuthor)
{
    return QCoreApplication::translate("GameItem", "%1 by %2").arg(mapName, mapAuthor);
}

bool GameRecord::canAddRobot() const
{
    return Rules::canAddRobot(noBots, minHumans, players, robots);
}

bool GameRecord::canStart() const
{
    return Rules::canStart(running, minHumans, players, robots);
}

QStringList GameRecord::seatIcons() const
{
    QStringList icons;
    const int humans = std::max(0, players - robots - disconnected);
    for (int i = 0; i < humans; ++i)
        icons << QStringLiteral("Icons/Player.png");
    for (int i = 0; i < disconnected; ++i)
        icons << QStringLiteral("Icons/Ghost.png");
    for (int i = 0; i < robots; ++i)
        icons << QStringLiteral("Icons/Robot.png");
    // Everyone connected who does not hold a seat watches.
    const int total = clients + robots + disconnected;
    while (icons.size() < total)
        icons << QStringLiteral("Icons/Observer.png");
    return icons;
}

QStringList GameRecord::optionIcons() const
{
    const struct
    {
        bool set;
        const char* file;
    } flags[] = {
        {placeBeforeAttack, "Icons/PlaceBeforeAttack.png"},
        {capitals, "Icons/Capitals.png"},
        {blind, "Icons/Blind.png"},
        {increasingCards, "Icons/IncreasingCards.png"},
        {gifts, "Icons/Gift.png"},
        {noWhispering, "Icons/NoWhispering.png"},
        {hideCards, "Icons/HideCards.png"},
        {sameHosts, "Icons/SameHosts.png"},
        {replaceBots, "Icons/Robot.png"},
        {getCards, "Icons/Cards.png"},
        {sameLevel, "Icons/Ladder.png"},
        {noBots, "Icons/NoBots.png"},
    };
    QStringList icons;
    for (const auto& flag : flags) {
        if (flag.set)
            icons << QLatin1String(flag.file);
    }
    switch (timerMode) {
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
    this->clients = clients;
    this->players = players;
    this->robots = robots;
    this->disconnected = disconnected;
}

GameOptions GameRecord::options() const
{
    GameOptions options;
    options.placeBeforeAttack = placeBeforeAttack;
    options.capitals = capitals;
    options.timeout = timeout;
    options.sameHosts = sameHosts;
    options.replaceBots = replaceBots;
    options.increasingCards = increasingCards;
    options.hideCards = hideCards;
    options.noWhispering = noWhispering;
    options.blind = blind;
    options.minHumans = minHumans;
    options.minRating = minRating;
    options.maxRating = maxRating;
    options.gifts = gifts;
    options.receiveCards = getCards;
    options.timerMode = timerMode;
    options.sameLevel = sameLevel;
    options.noRobots = noBots;
    return options;
}

QString GameRecord::timeoutText() const
{
    if (timeout <= 0)
        return {};
    return QString::asprintf("%02d:%02d", timeout / 60, timeout % 60);
}

QString GameRecord::ratingText() const
{
    if (minRating <= 0 || maxRating <= 0)
        return {};
    return QString::asprintf("%d - %d", minRating, maxRating);
}
