#pragma once

#include "robot.h"

// A planner that counts everything in armies. A country it holds is worth
// what it adds to the income and to a continent, discounted by the chance
// that the strongest neighbour takes it in the coming round; an enemy
// country is worth a card, a continent completed or broken, a player
// finished. Every army placed, every attack round, every split after a
// conquest and every move at the end of the turn is the choice that gains
// the most by those counts, with the exact odds of the dice.
class HardRobot : public Robot
{
public:
    explicit HardRobot(Random& random) : Robot(random) {}

protected:
    int capital(const GameView& v) override;
    bool wantsTrade(const GameView& v) override;
    GameAction placeInitial(const GameView& v) override;
    GameAction place(const GameView& v) override;
    GameAction attackOrMove(const GameView& v) override;
    int take(const GameView& v) override;
};
