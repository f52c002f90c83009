#pragma once

#include <QString>

#include <optional>
#include <utility>

class Map;
struct MapData;
class QCoreApplication;
class Tarvenix;

// What the game demos share: six seats in game 7 on a shipped map, the local
// player at seat Me, and the moves they look for on the board.
namespace DemoGame {

constexpr int Me = 1;

QString player(int seat);

// The map folder named first on the command line, or nothing once the
// usage or the missing map has been told.
std::optional<MapData> mapArgument(int argc, char* argv[], const char* usage);

// The lobby as the server would tell it (the local player in game 7, or
// watching it), then the map dealt round the table: seats 2 and 4 are
// robots, and the first placing begins with 25 armies each.
void deal(Tarvenix& window, const MapData& map, int timerMode, bool watching);

// A country of the seat next to one of another seat (of victim's, when
// given), or {-1, -1}.
std::pair<int, int> enemyNeighbours(const Map& map, int seat, int victim = -1);

// Quits after the seconds given third on the command line (5 without).
void quitAfterSeconds(QCoreApplication& app, int argc, char* argv[]);

} // namespace DemoGame
