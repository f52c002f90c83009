#include "seating.h"

namespace Rules {

bool canAddRobot(bool noRobots, int minHumans, int players, int robots)
{
    return !noRobots && players < MaxPlayers && robots < MaxPlayers - minHumans;
}

bool canStart(bool running, int minHumans, int players, int robots)
{
    if (running || players < 2)
        return false;
    return players - robots >= minHumans;
}

} // namespace Rules
