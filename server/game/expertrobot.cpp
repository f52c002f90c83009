#include "expertrobot.h"

#include "battleodds.h"
#include "clock.h"
#include "seatsample.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <numeric>

namespace {

class StillClock : public Clock
{
public:
    std::int64_t nowMs() const override { return 0; }
};

const StillClock stillClock;

// Adds a country to the candidate places unless it is none or listed.
void addPlace(std::vector<int>& places, int c)
{
    if (c >= 0 && std::find(places.begin(), places.end(), c) == places.end())
        places.push_back(c);
}

// Draws the lowest value every time: for a position whose hidden part
// nobody looks at.
class Lowest : public Random
{
public:
    int uniform(int low, int) override { return low; }
};

// The board of the real game, for the imagined ones that live only while
// the robot thinks.
std::shared_ptr<const Board> borrowed(const Board& board)
{
    return std::shared_ptr<const Board>(std::shared_ptr<const Board>(), &board);
}

std::int64_t threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// A playout that has not reached the seat's next turn after this many
// decisions is scored where it stands.
constexpr int MostDecisions = 4000;
// The odds from which a bold plan attacks where the Hard robot would stop.
constexpr double BoldOdds = 0.7;
// Less allowance than this is not worth a search: a few playouts of each
// plan in a six-seat game.
constexpr std::int64_t LeastSearchSteps = 3000;
// How many times the playouts a search has with a single rival left: a
// playout is short then, and the search weighs more plans; with twice the
// playouts each got too few to tell them apart.
constexpr int DuelPlayouts = 4;
// The guard on a search's processor time is half as long again with a
// single rival left: a few searches decide a game of two, and the largest
// of them, the answer to the first blows, takes about 40 ms here.
constexpr double DuelCap = 1.5;
// Past the even rounds, each round's share is this much of the one before.
constexpr double Fading = 0.9;
// Against a single rival, the share of the strength at the table when the
// seat's next turn begins tells its odds of winning along a logistic curve,
// steep and centred below an even share (fitted on games against the Hard
// robot); the placing's plans are weighed by those odds.
constexpr double DuelSlope = 20;
constexpr double DuelCentre = 0.39;
// The first turn of the second of two, the answer to the beginner's first
// blows, gets this many turns' shares, and plays out its own next turn.
constexpr int AnswerShares = 4;

} // namespace

std::int64_t ExpertRobot::turnAllowance(const Budget& budget, int round)
{
    // The shares of every round there could be add up to the game's
    // allowance: the first placing (round 0) and the even rounds, and the
    // fading ones after them whose sum is Fading / (1 - Fading) shares.
    const double share =
        double(budget.gameSteps) / (std::max(0, budget.evenRounds) + 1 + Fading / (1 - Fading));
    const int past = std::max(0, round - budget.evenRounds);
    return std::int64_t(share * std::pow(Fading, past));
}

void ExpertRobot::beginTurn(const GameView& v)
{
    if (v.turns() != m_turn) {
        m_turn = v.turns();
        m_turnLeft = turnAllowance(m_budget, v.round());
    }
}

GameAction ExpertRobot::placeInitial(const GameView& v)
{
    if (!m_searching && m_budget.firstOwnTurns >= 0) {
        beginTurn(v);
        m_plan = search(v, firstPlans(v), m_budget.firstOwnTurns).value_or(Plan{});
    }
    if (!m_plan.placed && m_plan.placeOn >= 0 && v.mine(m_plan.placeOn)) {
        m_plan.placed = true;
        return action::Place{v.board().number(m_plan.placeOn), true};
    }
    return HardRobot::placeInitial(v);
}

GameAction ExpertRobot::place(const GameView& v)
{
    if (!m_searching) {
        beginTurn(v);
        int ownTurns = m_budget.ownTurns;
        if (v.activeSeats() == 2 && v.round() == 1 && v.turns() == 2 &&
            m_turnLeft == turnAllowance(m_budget, 1)) {
            m_turnLeft *= AnswerShares;
            ownTurns = std::max(ownTurns, 1);
        }
        m_duel = v.activeSeats() == 2;
        m_plan = search(v, plans(v), ownTurns).value_or(Plan{});
        m_duel = false;
        m_conquered = false;
    }
    if (!m_plan.placed && m_plan.placeOn >= 0 && v.mine(m_plan.placeOn)) {
        m_plan.placed = true;
        return action::Place{v.board().number(m_plan.placeOn), true};
    }
    return HardRobot::place(v);
}

int ExpertRobot::take(const GameView& v)
{
    m_conquered = !m_searching;
    return HardRobot::take(v);
}

GameAction ExpertRobot::attackOrMove(const GameView& v)
{
    if (m_conquered && v.step() == GameEngine::Step::Attack) {
        m_conquered = false;
        std::vector<Plan> styles;
        for (Style style : {Style::Hard, Style::Cautious, Style::Bold})
            styles.push_back({-1, style, true});
        if (const auto plan = search(v, styles, m_budget.ownTurns))
            m_plan = *plan;
    }
    const GameAction hard = HardRobot::attackOrMove(v);
    const bool attacks = std::holds_alternative<action::Attack>(hard);
    switch (m_plan.style) {
    case Style::Hard:
        break;
    case Style::Cautious:
        if (attacks && v.conqueredThisTurn())
            return movesOnly(v);
        break;
    case Style::Bold:
        if (!attacks && v.step() == GameEngine::Step::Attack) {
            if (const auto a = boldAttack(v))
                return *a;
        }
        break;
    }
    return hard;
}

std::vector<int> ExpertRobot::places(const GameView& v, int pool, int hardChoice)
{
    const Board& b = v.board();
    std::vector<int> places{hardChoice};

    // Where the armies open the most promising attack: the odds of taking
    // a neighbour with all of them, more where it completes a continent or
    // breaks a rival's.
    // The two best, from different countries.
    int attackFrom = -1;
    double attackScore = 0;
    int secondFrom = -1;
    double secondScore = 0;
    // Where they guard the most: the most outnumbered border country,
    // more so in a continent held.
    int guard = -1;
    double guardScore = 0;
    for (int c = 0; c < v.countries(); ++c) {
        if (!v.mine(c) || !isBorder(v, c))
            continue;
        const int a = v.armies(c);
        for (int m : b.country(c).neighbours) {
            if (v.mine(m))
                continue;
            const Board::Continent& k = b.continent(b.country(m).continent);
            int notMine = 0;
            int ownersOther = 0;
            for (int x : k.countries) {
                notMine += !v.mine(x);
                ownersOther += v.owner(x) == v.owner(m) && v.sees(x);
            }
            double value = 1;
            if (notMine == 1)
                value += k.bonus;
            if (ownersOther == int(k.countries.size()))
                value += k.bonus;
            const double score = BattleOdds::win(a - 1 + pool, v.armies(m)) * value;
            if (score > attackScore) {
                if (attackFrom != c) {
                    secondFrom = attackFrom;
                    secondScore = attackScore;
                }
                attackScore = score;
                attackFrom = c;
            } else if (score > secondScore && c != attackFrom) {
                secondScore = score;
                secondFrom = c;
            }
        }
        const Board::Continent& home = b.continent(b.country(c).continent);
        bool held = true;
        for (int x : home.countries)
            held = held && v.mine(x);
        const double outnumbered =
            enemyArmiesAround(v, c) - a + (held ? home.bonus : 0) + (c == v.capital() ? 5 : 0);
        if (guard < 0 || outnumbered > guardScore) {
            guard = c;
            guardScore = outnumbered;
        }
    }
    for (int c : {attackFrom, guard, secondFrom})
        addPlace(places, c);
    return places;
}

int ExpertRobot::trailStart(const GameView& v)
{
    const Board& b = v.board();
    int best = -1;
    int longest = 1;
    std::vector<char> seen(size_t(v.countries()));
    std::vector<int> open;
    const auto reach = [&](int c) {
        for (int m : b.country(c).neighbours) {
            if (!v.mine(m) && v.sees(m) && v.armies(m) == 1 && !seen[size_t(m)]) {
                seen[size_t(m)] = 1;
                open.push_back(m);
            }
        }
    };
    for (int c = 0; c < v.countries(); ++c) {
        if (!v.mine(c))
            continue;
        std::fill(seen.begin(), seen.end(), 0);
        reach(c);
        int length = 0;
        while (!open.empty()) {
            const int x = open.back();
            open.pop_back();
            ++length;
            reach(x);
        }
        if (length > longest) {
            longest = length;
            best = c;
        }
    }
    return best;
}

std::vector<ExpertRobot::Plan> ExpertRobot::plans(const GameView& v)
{
    const GameAction hard = HardRobot::place(v);
    std::vector<int> at =
        places(v, v.pool(), v.board().indexOf(std::get<action::Place>(hard).country));
    // Against a single rival, also where his countries of one army run on
    // the longest: the trail his stack left or his spread-out placing,
    // taken back cheaply while the stack that left it stands far off.
    if (v.activeSeats() == 2)
        addPlace(at, trailStart(v));
    // Against a single rival a playout is short enough to weigh every
    // other border country too, fought the Hard robot's way: the few
    // places above often miss the front where the turn's armies count.
    const size_t ruled = at.size();
    if (v.activeSeats() == 2) {
        for (int c = 0; c < v.countries(); ++c) {
            if (v.mine(c) && isBorder(v, c))
                addPlace(at, c);
        }
    }
    std::vector<Plan> out;
    for (size_t i = 0; i < at.size(); ++i) {
        for (Style style : {Style::Hard, Style::Cautious, Style::Bold}) {
            if (i < ruled || style == Style::Hard)
                out.push_back({at[i], style, false});
        }
    }
    return out;
}

std::vector<ExpertRobot::Plan> ExpertRobot::firstPlans(const GameView& v)
{
    const Board& b = v.board();
    const GameAction hard = HardRobot::placeInitial(v);
    std::vector<int> at =
        places(v, v.setupArmiesLeft(), b.indexOf(std::get<action::Place>(hard).country));
    // Beside the biggest stack in sight, to strike it first or to stand
    // against it; and where the most enemy countries lie next to one
    // another, for a stack that rolls on.
    int stackedNext = -1;
    int biggest = 1;
    int rolling = -1;
    int most = 0;
    // And, against a single rival, where the fewest enemies can strike it
    // at once: should he begin, he spends his first turn on countries of
    // one army and meets the stack whole. Among six, a stack that cannot
    // strike in its first turn falls behind the others.
    int shielded = -1;
    int fewest = 0;
    for (int c = 0; c < v.countries(); ++c) {
        if (!v.mine(c))
            continue;
        const int exposure = 1000 * enemyNeighbours(v, c) + enemyArmiesAround(v, c);
        if (v.activeSeats() == 2 && (shielded < 0 || exposure < fewest)) {
            shielded = c;
            fewest = exposure;
        }
        int enemies = 0;
        for (int m : b.country(c).neighbours) {
            if (v.mine(m) || !v.sees(m))
                continue;
            ++enemies;
            if (v.armies(m) > biggest) {
                biggest = v.armies(m);
                stackedNext = c;
            }
        }
        if (enemies > most) {
            most = enemies;
            rolling = c;
        }
    }
    for (int c : {stackedNext, rolling, shielded})
        addPlace(at, c);
    // Against a single rival the stack decides the first blows, whoever
    // begins, and a playout of the first round is short: every own country
    // is weighed. The places above may all miss the one that plays out
    // best by far.
    if (v.activeSeats() == 2) {
        for (int c = 0; c < v.countries(); ++c) {
            if (v.mine(c))
                addPlace(at, c);
        }
    }
    std::vector<Plan> out;
    for (int c : at)
        out.push_back({c, Style::Hard, false});
    return out;
}

std::optional<ExpertRobot::Plan>
ExpertRobot::search(const GameView& v, const std::vector<Plan>& candidates, int ownTurns)
{
    m_report = {int(candidates.size()), 0, 0, false, {}};
    for (const Plan& plan : candidates)
        addPlace(m_report.places, plan.placeOn);
    if (candidates.size() < 2)
        return candidates.empty() ? Plan{} : candidates.front();
    // A turn taken up in the middle (after a restart) has no share: it is
    // finished the Hard robot's way.
    const std::int64_t allowance = v.turns() == m_turn ? m_turnLeft / 2 : 0;
    if (allowance < LeastSearchSteps || m_cpuNs >= m_budget.gameCapNs) {
        ++m_skipped;
        return std::nullopt;
    }

    // One seed per search from the seat's own source; the searches draws
    // come from it.
    const std::uint64_t seed = std::uint64_t(m_random.uniform(0, 0x3fffffff)) << 30 |
                               std::uint64_t(m_random.uniform(0, 0x3fffffff));
    SeededRandom draws(seed);
    SeededRandom dice(seed);
    const std::uint8_t seats = SeatSample::draw(v, draws).seats;
    GameEngine game(borrowed(v.board()), v.rules(), seats, dice, stillClock);

    std::vector<size_t> alive(candidates.size());
    std::iota(alive.begin(), alive.end(), size_t(0));
    std::vector<double> total(candidates.size(), 0.0);
    std::vector<int> count(candidates.size(), 0);
    const auto mean = [&](size_t i) {
        return count[i] > 0 ? total[i] / count[i] : -1.0;
    };
    // Rounds of halving: 12 plans, then 6, 3 and 2.
    int perBatch = 0;
    for (size_t k = alive.size();; k = (k + 1) / 2) {
        perBatch += int(k);
        if (k <= 2)
            break;
    }
    const bool duel = v.activeSeats() == 2;
    const int playouts = m_budget.playouts * (duel ? DuelPlayouts : 1);
    const std::int64_t cap = duel ? std::int64_t(double(m_budget.capNs) * DuelCap) : m_budget.capNs;
    int batches = std::max(1, playouts / perBatch);
    std::int64_t left = allowance;
    std::int64_t longest = 0;
    bool sized = false;
    const std::int64_t started = threadCpuNs();
    const Plan kept = m_plan;
    m_ownTurns = ownTurns;
    m_searching = true;
    for (bool stop = false; !stop;) {
        for (int batch = 0; batch < batches && !stop; ++batch) {
            // A batch starts only if it can end within the allowance; the
            // limit on each playout is the last resort.
            if (sized && left < longest * std::int64_t(alive.size())) {
                stop = true;
                break;
            }
            SeededRandom sampling(draws.next());
            const SeatSample sample = SeatSample::draw(v, sampling);
            const std::uint64_t diceSeed = draws.next();
            for (size_t i : alive) {
                if (!game.restore(sample.state))
                    break;
                dice = SeededRandom(diceSeed);
                m_plan = candidates[i];
                std::int64_t steps = left;
                total[i] += playout(game, v.seat(), steps);
                left -= steps;
                longest = std::max(longest, steps);
                ++count[i];
                ++m_report.playouts;
                if (threadCpuNs() - started > cap) {
                    stop = m_report.capped = true;
                    break;
                }
            }
            if (!sized) {
                // The first batch tells what a playout costs in this
                // position: the rounds get the batches the allowance pays.
                sized = true;
                const std::int64_t perPlayout =
                    std::max<std::int64_t>(1, (allowance - left) / std::int64_t(alive.size()));
                batches = std::clamp(int(allowance / (perPlayout * perBatch)), 1, batches);
            }
        }
        if (alive.size() <= 2)
            break;
        std::stable_sort(alive.begin(), alive.end(),
                         [&](size_t x, size_t y) { return mean(x) > mean(y); });
        alive.resize((alive.size() + 1) / 2);
    }
    m_searching = false;
    m_plan = kept;
    m_report.steps = allowance - left;
    m_turnLeft -= m_report.steps;
    m_spent += m_report.steps;
    m_cpuNs += threadCpuNs() - started;

    // Ties go to the plan listed first, the Hard robot's own.
    size_t best = alive.front();
    for (size_t i : alive) {
        if (mean(i) > mean(best) || (mean(i) == mean(best) && i < best))
            best = i;
    }
    return candidates[best];
}

double ExpertRobot::playout(GameEngine& game, int seat, std::int64_t& steps)
{
    const std::int64_t most = std::min<std::int64_t>(MostDecisions, steps);
    int rivalTurns = m_budget.rivalTurns;
    int ownTurns = m_ownTurns;
    int turn = game.turns();
    std::int64_t decisions = 0;
    while (decisions < most && !game.isOver()) {
        int s = game.currentSeat();
        if (game.step() == GameEngine::Step::Setup) {
            // The first placing: the seat's own stack, then the others'.
            s = seat;
            for (int i = 0; i < GameEngine::SeatCount && game.need(s) == GameEngine::Need::Nothing;
                 ++i)
                s = (seat + i + 1) % GameEngine::SeatCount;
        }
        if (game.turns() != turn) {
            turn = game.turns();
            if (s == seat) {
                if (--ownTurns < 0)
                    break;
                rivalTurns = m_budget.rivalTurns;
                m_plan = Plan{-1, Style::Hard, true};
            } else if (--rivalTurns < 0) {
                break;
            }
        }
        const GameAction a = s == seat ? act(game, s) : m_rival.act(game, s);
        ++decisions;
        if (game.apply(s, a) != GameEngine::Refusal::None)
            break;
    }
    steps = decisions;
    const double share = score(game, seat);
    return m_duel ? 1.0 / (1.0 + std::exp(-DuelSlope * (share - DuelCentre))) : share;
}

double ExpertRobot::score(const GameEngine& game, int seat)
{
    if (game.isOver())
        return game.winner() == seat ? 1.0 : 0.0;
    if (!game.isActive(seat))
        return 0.0;
    // Strength: what a seat places each turn counts three times, with its
    // armies and its cards.
    double own = 0;
    double all = 0;
    for (int s = 0; s < GameEngine::SeatCount; ++s) {
        if (!game.isActive(s))
            continue;
        const double strength =
            3.0 * game.reinforcements(s) + game.armiesOf(s) + 1.5 * double(game.cards(s).size());
        all += strength;
        if (s == seat)
            own = strength;
    }
    return all > 0 ? own / all : 0.0;
}

GameAction ExpertRobot::movesOnly(const GameView& v)
{
    Lowest lowest;
    SeatSample sample = SeatSample::draw(v, lowest);
    sample.state.step = GameEngine::Step::Move;
    GameEngine copy(borrowed(v.board()), v.rules(), sample.seats, lowest, stillClock);
    if (!copy.restore(sample.state))
        return action::EndTurn{};
    return HardRobot::attackOrMove(GameView(copy, v.seat()));
}

std::optional<GameAction> ExpertRobot::boldAttack(const GameView& v)
{
    int from = -1;
    int to = -1;
    double best = BoldOdds;
    for (int c = 0; c < v.countries(); ++c) {
        if (!v.mine(c) || v.armies(c) < 2)
            continue;
        for (int m : v.board().country(c).neighbours) {
            if (v.mine(m))
                continue;
            const double odds = BattleOdds::win(v.armies(c) - 1, v.armies(m));
            if (odds > best) {
                best = odds;
                from = c;
                to = m;
            }
        }
    }
    if (from < 0)
        return std::nullopt;
    return attackWithAll(v, from, to, false);
}
