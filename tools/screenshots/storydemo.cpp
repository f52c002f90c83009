// Plays a six-seat game on a shipped map through the main window's message
// handlers up to one moment of its story, so the game output's lines, the
// notices over the board and the game-over summary can be looked at without
// a server.
// Usage: storydemo MAP_FOLDER SCENE [SECONDS]
// Scenes: conquest (a chain of conquests by the local player), defeat (the
// local player loses his last country), timer (the turn timer removes him),
// gameover (the summary after the winner).

#include "logindialog.h"
#include "map.h"
#include "mapdata.h"
#include "settings.h"
#include "tarvenix.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <tcl.h>

#include <cstdio>
#include <vector>

namespace {

const char* const Players[Map::Seats] = {"Anselm", "Brigida",  "Cosmo",
                                         "Dagny",  "Eberhard", "Filippa"};
constexpr int Me = 1;

// A country of the seat next to one of another seat (or of the given one).
std::pair<int, int> enemyNeighbours(const Map& map, int seat, int victim = -1)
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
    if (argc < 3) {
        std::fprintf(stderr, "usage: storydemo MAP_FOLDER SCENE [SECONDS]\n");
        return 2;
    }
    const auto file = MapData::readFolder(QString::fromLocal8Bit(argv[1]), nullptr);
    if (!file) {
        std::fprintf(stderr, "no map in %s\n", argv[1]);
        return 1;
    }
    const QString scene = QString::fromLocal8Bit(argv[2]);

    Tarvenix window;
    Map* map = window.map();
    window.resize(1280, 720);
    window.show();

    const QString me = QLatin1String(Players[Me]);
    window.loginDialog()->setNickname(me);
    window.parseSuccess(me);
    for (int seat = 0; seat < Map::Seats; ++seat) {
        if (seat != 2 && seat != 4)
            window.parseNewUser(QLatin1String(Players[seat]),
                                QStringLiteral("host%1.example").arg(seat));
    }
    window.parseNewGame(7, file->id, file->name, QStringLiteral("Tarvenix"), true, false, 120,
                        false, true, true, false, false, false, 2, 0, 0, false, true, 0, false,
                        false);
    window.parseUser(me, 1612, 48, 7, 0, true, QString(), false, 3);

    map->loadMap(*file);
    for (int seat = 0; seat < Map::Seats; ++seat)
        window.parsePlayer(seat, seat == 2 || seat == 4, QLatin1String(Players[seat]));
    int seat = 0;
    for (const auto& [number, country] : map->countries()) {
        window.parseCountry(number, seat, 1 + (number * 7) % 6);
        seat = (seat + 1) % Map::Seats;
    }
    window.parseInit(25);
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

    const int seconds = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 5;
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
