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
    explicit HardRobot(Random& random);

protected:
    // What a lesser planner leaves out.
    struct Style
    {
        bool continents = true;
        // Choose the continent by what is held of it only.
        bool simplePlan = false;
        bool defence = true;
        bool hunting = false;
        double caution = 0.2;
        // Bring every idle army forward, or make one move and stop.
        bool manyMoves = true;
        // Reach for the card that the first conquest of a turn earns.
        bool cards = true;
    };
    HardRobot(Random& random, const Style& style);

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
