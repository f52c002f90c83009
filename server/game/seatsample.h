#pragma once

#include "gameengine.h"

#include <cstdint>

class GameView;
class Random;

// A whole game as one seat may imagine it: what the seat has been told
// stands as it is, the rest is drawn in keeping with it. Drawn again and
// again, such positions let a robot look ahead without knowing more than a
// person in its seat: the owners and armies of the countries out of sight,
// the other seats' cards (and their number when it is hidden), their
// capitals and the order of the deck.
struct SeatSample
{
    // The seats the imagined game is played by: the seat itself, those
    // still in and those whose countries it sees.
    std::uint8_t seats = 0;
    GameEngine::State state;

    static SeatSample draw(const GameView& v, Random& random);
};
