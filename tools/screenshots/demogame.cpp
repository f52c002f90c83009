#include "demogame.h"

#include "logindialog.h"
#include "map.h"
#include "mapdata.h"
#include "tarvenix.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace DemoGame {

namespace {

const char* const Players[Map::Seats] = {"Anselm", "Brigida",  "Cosmo",
                                         "Dagny",  "Eberhard", "Filippa"};

bool isRobot(int seat)
{
    return seat == 2 || seat == 4;
}

} // namespace

QString player(int seat)
{
    return QLatin1String(Players[seat]);
}

std::optional<MapData> mapArgument(int argc, char* argv[], const char* usage)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return std::nullopt;
    }
    auto file = MapData::readFolder(QString::fromLocal8Bit(argv[1]), nullptr);
    if (!file)
        std::fprintf(stderr, "no map in %s\n", argv[1]);
    return file;
}

void deal(Tarvenix& window, const MapData& map, int timerMode, bool watching)
{
    const QString me = player(Me);
    window.loginDialog()->setNickname(me);
    window.parseSuccess(me);
    for (int seat = 0; seat < Map::Seats; ++seat) {
        if (!isRobot(seat))
            window.parseNewUser(player(seat), QStringLiteral("host%1.example").arg(seat));
    }
    window.parseNewGame(7, map.id, map.name, QStringLiteral("Tarvenix"), true, false, 120, false,
                        true, true, false, false, false, 2, 0, 0, false, true, timerMode, false,
                        false);
    window.parseUser(me, 1612, 48, watching ? 0 : 7, watching ? 7 : 0, true, QString(), false, 3);

    Map* board = window.map();
    board->loadMap(map);
    for (int seat = 0; seat < Map::Seats; ++seat)
        window.parsePlayer(seat, isRobot(seat), player(seat));
    int seat = 0;
    for (const auto& [number, country] : board->countries()) {
        window.parseCountry(number, seat, 1 + (number * 7) % 6);
        seat = (seat + 1) % Map::Seats;
    }
    window.parseInit(25);
}

std::pair<int, int> enemyNeighbours(const Map& map, int seat, int victim)
{
    for (const auto& [number, country] : map.countries()) {
        if (country.owner != seat)
            continue;
        for (const auto& [other, candidate] : map.countries()) {
            if (other != number && country.isNeighbour(other) && candidate.owner != seat &&
                (victim < 0 || candidate.owner == victim))
                return {number, other};
        }
    }
    return {-1, -1};
}

void quitAfterSeconds(QCoreApplication& app, int argc, char* argv[])
{
    const int seconds = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 5;
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
}

} // namespace DemoGame
