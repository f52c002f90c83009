#pragma once

#include "gamelimits.h"

#include <QString>

// A robot that can be seated in a waiting game. Level 1 plays easy, 2
// normal, 3 hard, 4 expert.
struct RobotInfo
{
    QString name;
    QString owner;
    int rating = Rules::StartingRating;
    int games = 0;
    int level = 1;
};
