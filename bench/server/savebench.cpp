// The cost of saving a running game: six robots play on World, and the game
// is written to a SQLite database at every turn's start, each save in a
// transaction of its own. Prints the bytes of the engine's state and the time
// per save; then writes the same saves again as the server does, in passes
// (one transaction each) of one game and of twenty, and prints the time per
// pass and per game.

#include "board.h"
#include "clock.h"
#include "gameengine.h"
#include "gamestatecodec.h"
#include "mapdata.h"
#include "random.h"
#include "robot.h"
#include "storage/sqlitestorage.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

class StillClock : public Clock
{
public:
    std::int64_t nowMs() const override { return 0; }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString data = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QDir(QCoreApplication::applicationDirPath())
                                        .filePath(QStringLiteral("../run/maps/1-world"));
    const std::optional<MapData> map = MapData::readFolder(data, nullptr);
    QTemporaryDir dir;
    SqliteStorage storage;
    QString error;
    if (!map || !storage.open(dir.filePath(QStringLiteral("save.db")), &error)) {
        std::fprintf(stderr, "no map at %s or no database: %s\n", qPrintable(data),
                     qPrintable(error));
        return 2;
    }
    const auto board = std::make_shared<const Board>(*map);
    std::vector<qint64> times;
    std::vector<qsizetype> sizes;
    QList<SavedGame> all;
    StillClock clock;
    for (std::uint64_t g = 1; g <= 20; ++g) {
        SeededRandom dice(g);
        std::array<SeededRandom, 6> random{};
        std::vector<std::unique_ptr<Robot>> robots;
        for (int s = 0; s < 6; ++s)
            robots.push_back(Robot::create(Robot::Level(1 + s % 3), random[size_t(s)]));
        GameEngine game(board, {}, 0x3f, dice, clock);
        game.start();
        int savedTurn = -1;
        while (!game.isOver() && game.round() <= 300) {
            if (game.turns() != savedTurn) {
                savedTurn = game.turns();
                SavedGame saved;
                saved.id = int(g);
                saved.mapId = 1;
                saved.operatorName = QStringLiteral("operator");
                for (int s = 0; s < 6; ++s)
                    saved.seats.append({s,
                                        true,
                                        QStringLiteral("Robot%1").arg(s),
                                        0,
                                        {},
                                        false,
                                        random[size_t(s)].state()});
                saved.engine = GameStateCodec::encode(game.state());
                saved.dice = dice.state();
                QElapsedTimer t;
                t.start();
                storage.saveGame(saved);
                times.push_back(t.nsecsElapsed());
                sizes.push_back(saved.engine.size());
                all.append(saved);
            }
            int seat = game.currentSeat();
            if (game.step() == GameEngine::Step::Setup) {
                for (seat = 0; game.need(seat) == GameEngine::Need::Nothing; ++seat) {
                }
            }
            game.apply(seat, robots[size_t(seat)]->act(game, seat));
            game.takeEvents();
        }
        storage.removeSavedGame(int(g));
    }
    std::sort(times.begin(), times.end());
    std::sort(sizes.begin(), sizes.end());
    const auto at = [](const auto& v, double q) {
        return v[std::min(v.size() - 1, size_t(q * double(v.size())))];
    };
    std::printf("%zu saves: engine state %lld bytes median, %lld at most; save median %.3f ms, "
                "p99 %.3f ms\n",
                times.size(), static_cast<long long>(at(sizes, 0.5)),
                static_cast<long long>(sizes.back()), double(at(times, 0.5)) / 1e6,
                double(at(times, 0.99)) / 1e6);

    // Games side by side, each written once per pass: one alone shows what
    // the pass's commit saves by itself, twenty what collecting saves adds.
    for (const int passGames : {1, 20}) {
        std::vector<qint64> passes;
        for (qsizetype from = 0; from + passGames <= all.size(); from += passGames) {
            QList<SavedGame> pass = all.mid(from, passGames);
            for (int i = 0; i < passGames; ++i)
                pass[i].id = 100 + i;
            QElapsedTimer t;
            t.start();
            storage.saveGames(pass);
            passes.push_back(t.nsecsElapsed());
        }
        std::sort(passes.begin(), passes.end());
        std::printf("%zu passes of %d game%s: pass median %.3f ms (%.3f ms a game), p99 %.3f ms\n",
                    passes.size(), passGames, passGames == 1 ? "" : "s",
                    double(at(passes, 0.5)) / 1e6, double(at(passes, 0.5)) / 1e6 / passGames,
                    double(at(passes, 0.99)) / 1e6);
    }
    return 0;
}
