#pragma once

#include "hardrobot.h"

// A steady player: the planner's way of attacking and of splitting armies,
// without choosing a continent to conquer, without hunting weak players for
// their cards, and with a wider margin of safety on the odds.
class NormalRobot : public HardRobot
{
public:
    explicit NormalRobot(Random& random) : HardRobot(random, Style{true, false, 0.1}) {}
};
