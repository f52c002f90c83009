#pragma once

#include "hardrobot.h"

#include <cstdint>
#include <vector>

class GameEngine;

// The Hard robot with foresight. At the start of each placing it weighs a
// handful of plans for the turn (where the armies go, and whether to stop
// once the card is earned, fight as the Hard robot does, or press on
// wherever the odds are good) by playing each out many times: in games
// drawn anew each time from what its seat has been told, with dice of its
// own, its own turn by the plan and every other seat by the Hard robot's
// play until its next turn, scored by its share of the strength at the
// table. Plans that fall behind are dropped halfway (successive halving),
// and every plan of a round is played in the same drawn games with the same
// dice, so that luck does not decide between them. Where the stack of the
// first placing stands it weighs the same way, through the first turns
// round the table, with who begins drawn anew in each imagined game.
// Everything else it does as the Hard robot.
//
// A game gives it an allowance of decisions played out, spread over its
// turns by the round: equal shares for the first rounds, less and less
// after them, so that however long a game lasts its thinking stays within
// the allowance. A turn's searches draw from the turn's share, each at most
// half of what is left; where too little is left it does as the Hard robot.
// The allowance depends only on the round and on the turn's own searches,
// so a restored game goes on as the saved one would have. Its draws come
// from its seat's random source, one seed per search, so a seeded game is
// repeatable as long as no search reaches its processor-time guard.
class ExpertRobot : public HardRobot
{
public:
    struct Budget
    {
        // Playouts per search, spread over the plans; four times as many
        // with a single rival left.
        int playouts = 96;
        // Decisions played out in a whole game at most.
        std::int64_t gameSteps = 1'200'000;
        // Rounds whose turns get equal shares of the allowance.
        int evenRounds = 25;
        // Guards: processor time after which a search stops with what it
        // has (half as long again with a single rival left), and after
        // which a robot searches no more.
        std::int64_t capNs = 30'000'000;
        std::int64_t gameCapNs = 4'500'000'000;
        // Turns of the other seats played out after the own one.
        int rivalTurns = 5;
        // Later turns of its own played out, the Hard robot's way.
        int ownTurns = 0;
        // The same after the first placing, whose stack decides the first
        // blows whoever begins; -1 places it the Hard robot's way.
        int firstOwnTurns = 1;
    };

    explicit ExpertRobot(Random& random) : ExpertRobot(random, Budget{}) {}
    ExpertRobot(Random& random, const Budget& budget)
        : HardRobot(random), m_rival(random), m_budget(budget)
    {}

    // How the last search went, for tests and measurements.
    struct Report
    {
        int plans = 0;
        int playouts = 0;
        // Decisions played out.
        std::int64_t steps = 0;
        bool capped = false;
        // The countries the plans place on, each once.
        std::vector<int> places;
    };
    const Report& lastSearch() const { return m_report; }
    // Decisions played out since the robot sat down, and the searches left
    // out for want of allowance.
    std::int64_t stepsSpent() const { return m_spent; }
    int searchesSkipped() const { return m_skipped; }

    // What the turns of the round may play out together.
    static std::int64_t turnAllowance(const Budget& budget, int round);
    // The own country from which the most enemy countries of one army in
    // sight can be reached, each beside the last: the trail a stack left.
    // -1 where no such run holds more than one.
    static int trailStart(const GameView& v);

protected:
    GameAction placeInitial(const GameView& v) override;
    GameAction place(const GameView& v) override;
    GameAction attackOrMove(const GameView& v) override;
    int take(const GameView& v) override;

private:
    enum class Style { Hard, Cautious, Bold };
    struct Plan
    {
        // The country whose armies the turn's placing goes to, -1 for the
        // Hard robot's choice.
        int placeOn = -1;
        Style style = Style::Hard;
        bool placed = false;
    };

    // Where the armies to place might go: the Hard robot's choice first.
    std::vector<int> places(const GameView& v, int pool, int hardChoice);
    std::vector<Plan> plans(const GameView& v);
    // Where the stack of the first placing might stand.
    std::vector<Plan> firstPlans(const GameView& v);
    // Starts the turn's share of the allowance.
    void beginTurn(const GameView& v);
    // The plan among the candidates that plays out best, or nothing when
    // the turn's allowance is spent; ownTurns of its own later turns are
    // played out.
    std::optional<Plan> search(const GameView& v, const std::vector<Plan>& candidates,
                               int ownTurns);
    // Plays the imagined game from its position to the seat's next turn,
    // at most steps decisions, and scores it for the seat; steps is left
    // with what was played.
    double playout(GameEngine& game, int seat, std::int64_t& steps);
    static double score(const GameEngine& game, int seat);
    // The Hard robot's moves once the attacks are over.
    GameAction movesOnly(const GameView& v);
    // The attack with the best odds, if they are good.
    static std::optional<GameAction> boldAttack(const GameView& v);

    // Plays the other seats in the playouts; it never draws.
    HardRobot m_rival;
    Budget m_budget;
    Plan m_plan;
    bool m_searching = false;
    // The placing's plans against a single rival are weighed by the odds of
    // winning the playouts end with rather than by the share of strength.
    bool m_duel = false;
    // A conquest since the plan was made: the way the turn goes on is
    // weighed again.
    bool m_conquered = false;
    // Own later turns the running search plays out.
    int m_ownTurns = 0;
    // The turn whose share of the allowance is left, and what is left.
    int m_turn = -1;
    std::int64_t m_turnLeft = 0;
    std::int64_t m_spent = 0;
    std::int64_t m_cpuNs = 0;
    int m_skipped = 0;
    Report m_report;
};
