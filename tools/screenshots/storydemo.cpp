// Plays a six-seat game on a shipped map through the main window's message
// handlers up to one moment of its story, so the game output's lines, the
// notices over the board and the game-over summary can be looked at without
// a server.
// Usage: storydemo MAP_FOLDER SCENE [SECONDS]
// Scenes: conquest (a chain of conquests by the local player), defeat (the
// local player loses his last country), timer (the turn timer removes him),
// gameover (the summary after the winner).

#include "demogame.h"
#include "map.h"
#include "mapdata.h"
#include "settings.h"
#include "tarvenix.h"

#include <QApplication>
#include <QDir>

#include <tcl.h>

#include <cstdio>
#include <vector>

namespace {

using DemoGame::enemyNeighbours;
using DemoGame::Me;

// One throw and the conquest it brings, as the server tells it.
void conquer(Tarvenix& window, int from, int to, int armies)
{
    Map* map = window.map();
    const int attacker = map->country(from)->owner;
    const int defender = map->country(to)->owner;
    window.parseAttack(from, to, 3, false);
    map->dice(attacker, 6, 5, 2, defender, 4, 0);
    window.parseDice(attacker, 6, 5, 2, defender, 4, 0);
    window.parseCountry(from, attacker, armies);
    window.parseCountry(to, attacker, 3);
    if (map->model().countriesOf(defender) == 0)
        window.parseEndPlayer(defender);
}

// The seat takes every country of the victim it can reach, one by one.
void sweep(Tarvenix& window, int seat, int victim, int limit)
{
    for (int i = 0; i < limit; ++i) {
        const auto [from, to] = enemyNeighbours(*window.map(), seat, victim);
        if (from < 0)
            return;
        conquer(window, from, to, 4);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    Tcl_FindExecutable(argv[0]);
    Settings settings(QDir::temp().filePath(QStringLiteral("storydemo.cfg")));
    QApplication app(argc, argv);
    const auto file = DemoGame::mapArgument(argc, argv, "storydemo MAP_FOLDER SCENE [SECONDS]");
    if (!file)
        return argc < 3 ? 2 : 1;
    const QString scene = QString::fromLocal8Bit(argv[2]);

    Tarvenix window;
    window.resize(1280, 720);
    window.show();

    DemoGame::deal(window, *file, 0, false);
    window.parseClock(95);

    if (scene == QLatin1String("conquest")) {
        window.parsePlace(0, 3);
        window.parseEnd();
        window.parsePlace(Me, 7);
        window.parseMore(Me);
        sweep(window, Me, 2, 3);
        sweep(window, Me, 3, 2);
        window.parseMore(Me);
    } else if (scene == QLatin1String("defeat")) {
        window.parsePlace(0, 5);
        window.parseMore(0);
        sweep(window, 0, Me, 40);
        sweep(window, 3, Me, 40);
        sweep(window, 5, Me, 40);
        sweep(window, 2, Me, 40);
        sweep(window, 4, Me, 40);
        window.parseMore(0);
    } else if (scene == QLatin1String("timer")) {
        window.parsePlace(0, 4);
        window.parseEnd();
        window.parseClock(1);
        window.parsePlace(Me, 6);
        window.parseEndPlayer(Me);
        window.parseClock(95);
        window.parsePlace(2, 5);
    } else {
        // Seat 0 sweeps the board, the others go one after another.
        window.parsePlace(0, 9);
        window.parseMore(0);
        for (int round = 0; round < 60; ++round) {
            for (int victim = 1; victim < Map::Seats; ++victim)
                sweep(window, 0, victim, 2);
            for (int victim = 2; victim < Map::Seats; ++victim)
                sweep(window, 1, victim, 1);
        }
        for (int victim = 1; victim < Map::Seats; ++victim)
            sweep(window, 0, victim, 100);
        window.parseWinner(0);
    }

    DemoGame::quitAfterSeconds(app, argc, argv);
    return app.exec();
}
