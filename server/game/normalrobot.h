#pragma once

#include "hardrobot.h"

// A steady player: the planner's way of attacking and of splitting armies,
// but it goes for the continent it holds most of, whatever the cost, and
// takes more risks on the dice.
class NormalRobot : public HardRobot
{
public:
    explicit NormalRobot(Random& random)
        : HardRobot(random, Style{true, true, true, false, 0.1, true, true})
    {}
};
