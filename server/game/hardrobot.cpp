#include "hardrobot.h"

#include "battleodds.h"

namespace {

// The worth of things, in armies.
struct Weights
{
    // A country of one's own, beyond what it holds.
    double country = 0.5;
    // The card that the turn's first conquest earns.
    double card = 3.0;
    // Per army of bonus: completing a continent, breaking a rival's.
    double complete = 4.0;
    double breakBonus = 3.0;
    // Per army of bonus, spread over the enemy countries left in the
    // continent the robot is after.
    double progress = 2.5;
    // Finishing a player, the last one.
    double eliminate = 5.0;
    double win = 1000.0;
    // An army of one's own lost, an enemy army destroyed.
    double ownArmy = 1.5;
    double enemyArmy = 0.3;
    // A held continent's bonus, per army of it, on each of its countries.
    double heldBonus = 1.0;
    // Share of a neighbour's income that may land on his stack before he
    // attacks.
    double income = 0.5;
    // Share of the other enemy neighbours' armies that adds to the
    // strongest one's.
    double others = 0.5;
    // What an attack must gain, and the odds below which it is not made.
    double margin = 0.75;
    double leastOdds = 0.3;
    // What an army placed for an attack counts against one placed for
    // defence.
    double offence = 1.0;
    // What a move at the end of the turn must gain.
    double moveMargin = 0.05;
    // Trade a set worth less than this only when the hand is full.
    int tradeAtValue = 8;
};

constexpr Weights Worth;

// What the robot makes of the board at one moment of its turn.
class Assessment
{
public:
    explicit Assessment(const GameView& v) : m_v(v), m_w(Worth)
    {
        const Board& b = v.board();
        std::array<int, GameEngine::SeatCount> countries{};
        double armies = 0;
        for (int c = 0; c < v.countries(); ++c) {
            const int o = v.owner(c);
            if (o >= 0)
                ++countries[size_t(o)];
            armies += v.armies(c);
        }
        // Armies pile up as a game goes on; what one is worth falls with it.
        m_army = std::min(1.0, 3.0 * v.countries() / std::max(1.0, armies));
        std::array<int, GameEngine::SeatCount> bonus{};
        m_heldBy.assign(size_t(b.continentCount()), -1);
        m_enemyIn.assign(size_t(b.continentCount()), 0);
        for (int k = 0; k < b.continentCount(); ++k) {
            const Board::Continent& continent = b.continent(k);
            if (continent.countries.empty())
                continue;
            int holder = v.owner(continent.countries.front());
            for (int c : continent.countries) {
                if (v.owner(c) != holder)
                    holder = -1;
                m_enemyIn[size_t(k)] += !v.mine(c);
            }
            m_heldBy[size_t(k)] = holder;
            if (holder >= 0)
                bonus[size_t(holder)] += continent.bonus;
        }
        for (int s = 0; s < GameEngine::SeatCount; ++s)
            m_income[size_t(s)] = std::max(3, countries[size_t(s)] / 3) + bonus[size_t(s)];
        m_target = chooseTarget();
    }

    // The armies the strongest enemy neighbour could bring against c, were
    // c the robot's.
    double threat(int c) const
    {
        double most = 0;
        double sum = 0;
        for (int n : m_v.board().country(c).neighbours) {
            if (m_v.mine(n))
                continue;
            const int o = m_v.owner(n);
            const double t = m_v.armies(n) - 1 + (o >= 0 ? m_w.income * m_income[size_t(o)] : 0.0);
            most = std::max(most, t);
            sum += std::max(0.0, t);
        }
        return most + m_w.others * (sum - most);
    }

    // What c is worth to the robot if it held it with armies armies.
    double hold(int c, int armies, double threat) const
    {
        const double lost = threat <= 0 ? 0.0 : BattleOdds::win(int(threat + 0.5), armies);
        return importance(c) * (1 - lost);
    }
    double hold(int c, int armies) const { return hold(c, armies, threat(c)); }

    double importance(int c) const
    {
        const Board& b = m_v.board();
        const int k = b.country(c).continent;
        double value = m_w.country;
        if (m_heldBy[size_t(k)] == m_v.seat())
            value += m_w.heldBonus * b.continent(k).bonus;
        return value;
    }

    // What conquering the enemy country m brings, card included if the turn
    // has not earned it yet.
    double prize(int m, bool cardEarned) const
    {
        const Board& b = m_v.board();
        const GameEngine& g = m_v.game();
        const int k = b.country(m).continent;
        const int bonus = b.continent(k).bonus;
        double value = m_w.country;
        if (!cardEarned)
            value += m_w.card;
        if (m_enemyIn[size_t(k)] == 1)
            value += m_w.complete * bonus;
        const int defender = m_v.owner(m);
        if (defender >= 0 && m_heldBy[size_t(k)] == defender)
            value += m_w.breakBonus * bonus;
        if (k == m_target)
            value += m_w.progress * bonus / std::max(1, m_enemyIn[size_t(k)]);
        if (defender >= 0 && g.isActive(defender) && g.countriesOf(defender) == 1) {
            value += g.activeSeats() == 2 ? m_w.win : m_w.eliminate;
            if (g.rules().receiveCards)
                value += m_w.card * double(g.cards(defender).size());
        }
        return value;
    }

    // The best way to share armies armies (at least least of them in to)
    // between from and to after a conquest, with what it is worth.
    std::pair<int, double> split(int from, int to, int armies, int least) const
    {
        const double threatFrom = threatWith(from, to);
        const double threatTo = threatWith(to, from);
        int best = least;
        double bestValue = -1e9;
        for (int x = least; x <= armies - 1; ++x) {
            const double value = hold(from, armies - x, threatFrom) + hold(to, x, threatTo) +
                                 onwards(to, x) + onwards(from, armies - x);
            if (value > bestValue) {
                bestValue = value;
                best = x;
            }
        }
        return {best, bestValue};
    }

    // What one attack from c to m gains, by the odds, against not making it.
    double attackGain(int c, int m) const
    {
        const int a = m_v.armies(c);
        const int d = m_v.armies(m);
        const double pw = BattleOdds::win(a - 1, d);
        if (pw < m_w.leastOdds)
            return -1e9;
        const double survivors = BattleOdds::survivorsIfWon(a - 1, d);
        const bool cardEarned = m_v.game().conqueredThisTurn();
        const double now = hold(c, a);
        const int left = std::max(2, 1 + int(survivors + 0.5));
        const double won = prize(m, cardEarned) + split(c, m, left, std::min(3, left - 1)).second;
        const double lost = hold(c, 1);
        // Armies spent either way, the defender's destroyed.
        const double spent = pw * (a - 1 - survivors) + (1 - pw) * (a - 1) * 0.8;
        const double killed = pw * d + (1 - pw) * d * 0.5;
        return pw * won + (1 - pw) * lost - now +
               m_army * (m_w.enemyArmy * killed - m_w.ownArmy * spent);
    }

    int target() const { return m_target; }
    const Weights& w() const { return m_w; }

private:
    // The threat on c once other, a neighbour, is the robot's too.
    double threatWith(int c, int other) const
    {
        double most = 0;
        double sum = 0;
        for (int n : m_v.board().country(c).neighbours) {
            if (n == other || m_v.mine(n))
                continue;
            const int o = m_v.owner(n);
            const double t = m_v.armies(n) - 1 + (o >= 0 ? m_w.income * m_income[size_t(o)] : 0.0);
            most = std::max(most, t);
            sum += std::max(0.0, t);
        }
        return most + m_w.others * (sum - most);
    }

    // The best attack still open from c held by armies armies, once the
    // turn's card is earned.
    double onwards(int c, int armies) const
    {
        if (armies < 2)
            return 0;
        double best = 0;
        for (int n : m_v.board().country(c).neighbours) {
            if (m_v.mine(n))
                continue;
            const double pw = BattleOdds::win(armies - 1, m_v.armies(n));
            best = std::max(best, pw * (prize(n, true) - m_w.country) * 0.5);
        }
        return best;
    }

    int chooseTarget() const
    {
        const Board& b = m_v.board();
        int target = -1;
        double bestScore = 0;
        for (int k = 0; k < b.continentCount(); ++k) {
            const Board::Continent& continent = b.continent(k);
            if (continent.countries.empty() || m_enemyIn[size_t(k)] == 0)
                continue;
            int mine = 0;
            int enemyArmies = 0;
            for (int c : continent.countries) {
                if (m_v.mine(c))
                    ++mine;
                else
                    enemyArmies += std::max(1, m_v.armies(c));
            }
            if (mine == 0)
                continue;
            // Entrances to guard once it is held.
            int entrances = 0;
            for (int c : continent.countries) {
                for (int n : b.country(c).neighbours) {
                    if (b.country(n).continent != k) {
                        ++entrances;
                        break;
                    }
                }
            }
            const double size = double(continent.countries.size());
            const double score = (continent.bonus + 1.0) * (0.5 + mine / size) /
                                 (1.0 + enemyArmies + 0.5 * entrances);
            if (score > bestScore) {
                bestScore = score;
                target = k;
            }
        }
        return target;
    }

    const GameView& m_v;
    const Weights& m_w;
    std::array<int, GameEngine::SeatCount> m_income{};
    std::vector<int> m_heldBy;
    std::vector<int> m_enemyIn;
    int m_target = -1;
    double m_army = 1;
};

// The country where one more army gains the most, pool armies still to
// come.
int placement(const GameView& v, int pool)
{
    const Assessment s(v);
    const bool cardEarned = v.game().conqueredThisTurn();
    int best = -1;
    double bestGain = -1e9;
    for (int c = 0; c < v.countries(); ++c) {
        if (!v.mine(c))
            continue;
        const int a = v.armies(c);
        const double threat = s.threat(c);
        if (threat <= 0 && best >= 0)
            continue;
        const double defence = s.hold(c, a + 1, threat) - s.hold(c, a, threat);
        double offence = 0;
        for (int m : v.board().country(c).neighbours) {
            if (v.mine(m))
                continue;
            const int d = v.armies(m);
            const double value = s.prize(m, cardEarned);
            const double one = BattleOdds::win(a, d) - BattleOdds::win(a - 1, d);
            const double all =
                (BattleOdds::win(a - 1 + pool, d) - BattleOdds::win(a - 1, d)) / std::max(1, pool);
            offence = std::max(offence, value * std::max(one, all));
        }
        const double gain = defence + s.w().offence * offence;
        if (gain > bestGain) {
            bestGain = gain;
            best = c;
        }
    }
    return best;
}

} // namespace

bool HardRobot::wantsTrade(const GameView& v)
{
    const auto set = bestSet(v);
    if (!set)
        return false;
    return v.game().cards(v.seat()).size() >= 4 || v.game().setValue(*set) >= Worth.tradeAtValue;
}

GameAction HardRobot::placeInitial(const GameView& v)
{
    const int pool = v.game().setupArmiesLeft(v.seat());
    return action::Place{v.board().number(placement(v, std::max(1, pool))), false};
}

GameAction HardRobot::place(const GameView& v)
{
    return action::Place{v.board().number(placement(v, v.game().pool())), true};
}

GameAction HardRobot::attackOrMove(const GameView& v)
{
    const GameEngine& g = v.game();
    const Assessment s(v);
    if (g.step() == GameEngine::Step::Attack) {
        int from = -1;
        int to = -1;
        double bestGain = s.w().margin;
        for (int c = 0; c < v.countries(); ++c) {
            if (!v.mine(c) || v.armies(c) < 2)
                continue;
            for (int m : v.board().country(c).neighbours) {
                if (v.mine(m))
                    continue;
                const double gain = s.attackGain(c, m);
                if (gain > bestGain) {
                    bestGain = gain;
                    from = c;
                    to = m;
                }
            }
        }
        if (from >= 0)
            return attackWithAll(v, from, to, false);
    }
    // Armies to where they guard the most.
    int bestFrom = -1;
    int bestTo = -1;
    int bestArmies = 0;
    double bestGain = s.w().moveMargin;
    for (int c = 0; c < v.countries(); ++c) {
        if (!v.mine(c))
            continue;
        const int free = g.movable(c);
        if (free < 1)
            continue;
        const int a = v.armies(c);
        const double threatHere = s.threat(c);
        const double here = s.hold(c, a, threatHere);
        for (int n : v.board().country(c).neighbours) {
            if (!v.mine(n))
                continue;
            const double threatThere = s.threat(n);
            const double there = s.hold(n, v.armies(n), threatThere);
            for (int x = 1; x <= free; ++x) {
                const double gain = s.hold(c, a - x, threatHere) +
                                    s.hold(n, v.armies(n) + x, threatThere) - here - there;
                if (gain > bestGain) {
                    bestGain = gain;
                    bestFrom = c;
                    bestTo = n;
                    bestArmies = x;
                }
            }
        }
    }
    if (bestFrom >= 0)
        return action::Move{v.board().number(bestFrom), v.board().number(bestTo), bestArmies};
    return bringForward(v);
}

int HardRobot::take(const GameView& v)
{
    const GameEngine& g = v.game();
    const Assessment s(v);
    return s.split(g.takeFrom(), g.takeTo(), g.armies(g.takeFrom()), g.takeMinimum()).first;
}
