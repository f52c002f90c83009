#pragma once

#include "robot.h"

// A planner: it picks the continent it can take and hold most cheaply,
// guards the borders of what it holds, weighs every attack by the exact
// odds against what the conquest is worth (a card, a continent, breaking a
// rival's bonus, wiping out a player), splits its armies after a conquest
// by the threat on either side and brings idle armies to the front.
class HardRobot : public Robot
{
public:
    explicit HardRobot(Random& random) : Robot(random) {}

protected:
    // What a lesser planner leaves out.
    struct Style
    {
        bool continents = true;
        bool hunting = true;
        double caution = 0;
    };
    HardRobot(Random& random, const Style& style) : Robot(random), m_style(style) {}

protected:
    GameAction placeInitial(const GameView& v) override;
    GameAction place(const GameView& v) override;
    GameAction attackOrMove(const GameView& v) override;
    int take(const GameView& v) override;

private:
    struct Plan
    {
        // The continent to take next, -1 if none.
        int target = -1;
        // Per continent: held whole by the seat.
        std::vector<bool> held;
    };
    Plan plan(const GameView& v) const;
    int placement(const GameView& v, const Plan& p) const;
    double conquestValue(const GameView& v, const Plan& p, int country) const;

    Style m_style;
};
