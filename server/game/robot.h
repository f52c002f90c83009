#pragma once

#include "gameaction.h"
#include "gameengine.h"
#include "gameview.h"
#include "random.h"

#include <memory>
#include <optional>
#include <vector>

// A player of the engine's interface: asked for its next action whenever
// its seat has something to do, it answers with a legal one. The levels
// differ in how they choose.
class Robot
{
public:
    enum class Level { Random = 0, Easy = 1, Normal = 2, Hard = 3, Expert = 4 };

    static std::unique_ptr<Robot> create(Level level, Random& random);

    virtual ~Robot() = default;
    // Only called while the seat's need() is not Nothing.
    GameAction act(const GameEngine& game, int seat);

protected:
    explicit Robot(Random& random) : m_random(random) {}

    virtual int capital(const GameView& v);
    virtual GameAction placeInitial(const GameView& v) = 0;
    // Trade at the start of a turn (a set in hand, no obligation)?
    virtual bool wantsTrade(const GameView& v);
    // Place first, or attack before placing?
    virtual GameAction decide(const GameView& v);
    virtual GameAction place(const GameView& v) = 0;
    virtual GameAction attackOrMove(const GameView& v) = 0;
    virtual int take(const GameView& v) = 0;

    // Helpers shared by the levels.
    static std::vector<int> own(const GameView& v);
    static int enemyArmiesAround(const GameView& v, int c);
    static int enemyNeighbours(const GameView& v, int c);
    static bool isBorder(const GameView& v, int c) { return enemyNeighbours(v, c) > 0; }
    // The set worth the most armies, if the hand holds one.
    static std::optional<std::array<int, 3>> bestSet(const GameView& v);
    // Every own country's distance, through own countries, to one that
    // borders an enemy (0 on the border).
    static std::vector<int> distanceToBorder(const GameView& v);
    // Moves armies from behind the lines one step towards the border; an
    // end of turn once there is nothing left to bring forward.
    static GameAction bringForward(const GameView& v);
    static action::Attack attackWithAll(const GameView& v, int from, int to, bool doOrDie);
    int pick(int n) { return m_random.below(n); }

    Random& m_random;
};
