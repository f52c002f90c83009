// Shows the main window with a shipped map dealt among six seats, dice and
// pies, so the board can be looked at without a server.
// Usage: boarddemo MAP_FOLDER [SECONDS]

#include "map.h"
#include "mapdata.h"
#include "playerlist.h"
#include "settings.h"
#include "tarvenix.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <tcl.h>

#include <cstdio>

namespace {

struct SeatColours
{
    QColor text;
    QColor fill;
};

// The colour scheme's defaults.
const SeatColours Scheme[Map::Seats] = {
    {Qt::black, Qt::yellow}, {Qt::white, Qt::red},   {Qt::black, Qt::cyan},
    {Qt::white, Qt::blue},   {Qt::black, Qt::green}, {Qt::black, Qt::magenta},
};

const char* const Players[Map::Seats] = {"Anselm", "Brigida",  "Cosmo",
                                         "Dagny",  "Eberhard", "Filippa"};

} // namespace

int main(int argc, char* argv[])
{
    Tcl_FindExecutable(argv[0]);
    Settings settings(QDir::temp().filePath(QStringLiteral("boarddemo.cfg")));
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: boarddemo MAP_FOLDER [SECONDS]\n");
        return 2;
    }
    const auto file = MapData::readFolder(QString::fromLocal8Bit(argv[1]), nullptr);
    if (!file) {
        std::fprintf(stderr, "no map in %s\n", argv[1]);
        return 1;
    }

    Tarvenix window;
    Map* map = window.map();
    PlayerList* players = window.playerList();
    for (int seat = 0; seat < Map::Seats; ++seat) {
        map->setTextColor(seat, Scheme[seat].text);
        map->setBackgroundColor(seat, Scheme[seat].fill);
        players->setSeatColor(seat, Scheme[seat].fill);
        players->setPlayer(seat, QString::fromLatin1(Players[seat]), 1400 + 37 * seat, 1 + seat,
                           12 * seat, seat == 4, seat == 1, seat == 2, seat == 5);
    }
    players->setCards(1, 3);
    players->setCardArmies(1, 10);
    players->setCards(3, 2);
    players->setCurrent(1);

    map->loadMap(*file);
    int seat = 0;
    for (const auto& [number, country] : map->countries()) {
        map->setCountry(number, seat, 1 + (number * 7) % 12);
        seat = (seat + 1) % Map::Seats;
    }
    if (!map->countries().empty()) {
        const int first = map->countries().begin()->first;
        map->highlightCountry(first);
        map->model().setHighlighted(std::next(map->countries().begin())->first);
    }
    map->dice(1, 6, 4, 2, 3, 5, 1);
    map->model().setLocalSeat(1);
    map->setMode(MapMode::Place);
    map->model().setArmyTarget(map->armiesOf(1) + 5);
    map->updatePlaceStatus();

    window.show();
    const int seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 5;
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
