#pragma once

#include "robot.h"

// The baseline the robots are measured against: every choice is drawn
// uniformly from the legal ones (attacks with any number of dice, with or
// without do-or-die, moves between any two own neighbours with a random
// number of armies, or the end of the turn).
class RandomPlayer : public Robot
{
public:
    explicit RandomPlayer(Random& random) : Robot(random) {}

protected:
    int capital(const GameView& v) override;
    bool wantsTrade(const GameView& v) override;
    GameAction placeInitial(const GameView& v) override;
    GameAction decide(const GameView& v) override;
    GameAction place(const GameView& v) override;
    GameAction attackOrMove(const GameView& v) override;
    int take(const GameView& v) override;

private:
    GameAction anyPlacement(const GameView& v);
    // Every attack, then every move (from, to, no armies yet).
    std::vector<GameAction> choices(const GameView& v, bool attacks, bool moves);
};
