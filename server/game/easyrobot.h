#pragma once

#include "robot.h"

// Plays legal, simple moves: its armies go to a border country picked at
// random, it attacks here and there where it has the bigger army, moves
// everything into what it conquers and rearranges nothing but a stack its
// conquests left behind the lines, which goes one step a turn towards the
// border. A stack that overwhelms whatever it meets keeps rolling until it
// stops doing so.
class EasyRobot : public Robot
{
public:
    explicit EasyRobot(Random& random) : Robot(random) {}

protected:
    int capital(const GameView& v) override;
    bool wantsTrade(const GameView& v) override;
    GameAction placeInitial(const GameView& v) override;
    GameAction place(const GameView& v) override;
    GameAction attackOrMove(const GameView& v) override;
    int take(const GameView& v) override;

private:
    int randomBorder(const GameView& v);
    static GameAction stackForward(const GameView& v);
};
