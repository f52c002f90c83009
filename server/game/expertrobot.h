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
// dice, so that luck does not decide between them. Everything else it does
// as the Hard robot. Its draws come from its seat's random source, one seed
// per search, so a seeded game is repeatable as long as the search stays
// within its processor time.
class ExpertRobot : public HardRobot
{
public:
    struct Budget
    {
        // Playouts per search, spread over the plans.
        int playouts = 96;
        // Processor time after which a search stops with what it has.
        std::int64_t capNs = 30'000'000;
        // Turns of the other seats played out after the own one.
        int rivalTurns = 5;
        // Later turns of its own played out, the Hard robot's way.
        int ownTurns = 0;
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
        bool capped = false;
    };
    const Report& lastSearch() const { return m_report; }

protected:
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

    std::vector<Plan> plans(const GameView& v);
    // The plan among the candidates that plays out best.
    Plan search(const GameView& v, const std::vector<Plan>& candidates);
    // Plays the imagined game from its position to the seat's next turn
    // and scores it for the seat.
    double playout(GameEngine& game, int seat);
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
    // A conquest since the plan was made: the way the turn goes on is
    // weighed again.
    bool m_conquered = false;
    Report m_report;
};
