#pragma once

#include "robot.h"

// A steady player: it goes for the continent it holds most of, whatever the
// cost, guards the borders of what it holds, attacks wherever the exact odds
// are good enough for what the conquest is worth (a card, a continent,
// breaking a rival's bonus), splits its armies after a conquest by the
// threat on either side and brings idle armies to the front.
class NormalRobot : public Robot
{
public:
    explicit NormalRobot(Random& random) : Robot(random) {}

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
};
