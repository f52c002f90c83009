#include "hardrobot.h"

#include "battleodds.h"

#include <algorithm>
#include <cmath>

namespace {

// The worth of things, in armies.
struct Weights
{
    // A country of one's own, beyond what it holds: it counts towards the
    // income, and a rival who must take it back spends armies on it.
    double country = 1.0;
    // The card that the turn's first conquest earns, with sets of the
    // usual value; when sets grow, by how much more at most.
    double card = 3.0;
    double usualSet = 7.0;
    double mostCardGrowth = 4.0;
    // The cards a defeated player is thought to hold when nobody is told.
    double hiddenCards = 2.0;
    // Per army of bonus: completing a continent, breaking a rival's; in a
    // game of two, his income is all that feeds the stack he strikes with.
    double complete = 4.0;
    double breakBonus = 3.0;
    double breakLastBonus = 7.0;
    // Per army of bonus, spread over the enemy countries left in the
    // continent the robot is after.
    double progress = 2.5;
    // Finishing a player, the last one.
    double eliminate = 5.0;
    double win = 1000.0;
    // A player with this many countries or fewer is hunted: each of his
    // countries counts for this share of finishing him, divided by their
    // number.
    int huntCountries = 4;
    double hunt = 0.5;
    // The own capital, and the own capital with one rival left.
    double capital = 4.0;
    double lastCapital = 15.0;
    // In a game of two with capitals, taking the rival's capital wins it at
    // once. Where it lies is guessed: the odds of each country of his fall
    // by e to this power for each foreign neighbour it has, one in the dark
    // as likely as one deep inside his land (a guess spread evenly over his
    // countries did no better than none). The guess counts thrice the win
    // it may bring: it is only a guess, and pressing on into his land
    // played better than weighing it at the win alone.
    double capitalShyness = 1.5;
    double capitalHunt = 3.0;
    // An army of one's own lost; an enemy army destroyed counts this much
    // spread over the rivals. Armies weigh more than a country or a card:
    // a robot that traded them for prizes at 2.2 won the round it struck
    // and lost the next to a rival who still had his stack.
    double ownArmy = 4.0;
    // A held continent's bonus, per army of it, on each of its countries.
    double heldBonus = 1.0;
    // Share of a neighbour's income that may land on his stack before he
    // attacks, when he has nobody else to fight; it is divided among the
    // rivals, as each has that many fronts to feed. A robot that feared
    // every rival's income on each border spread its armies for defence
    // and was taken apart by rivals who strike with one stack.
    double income = 0.5;
    // Where a defeated player's cards are taken, the rival of large income
    // is the one who finishes players and trades their cards on the spot:
    // his income counts twice as much.
    double receiveIncome = 1.0;
    // In a game of two the rival has no other front: what he is given and
    // the sets he trades go on the one stack.
    double lastRivalIncome = 1.5;
    // Share of the other enemy neighbours' armies that adds to the
    // strongest one's.
    double others = 0.2;
    // What an attack must gain, and the odds below which it is not made.
    // Among three or more seats, once the turn's card is earned, an attack
    // must gain more: a robot that spread its stack over a row of new
    // countries in its first turn was picked apart by every neighbour. Not
    // on the blind map, where a conquest is also a look further on.
    double margin = 0.75;
    double marginOnceCarded = 2.0;
    double leastOdds = 0.3;
    // What an army placed for an attack counts against one placed for
    // defence.
    double offence = 1.0;
    // How far a rival's last reinforcements may be off the guess of his
    // countries in a blind game.
    int incomeSlack = 1;
    // What a move at the end of the turn must gain.
    double moveMargin = 0.05;
    // Trade a set worth less than this only when the hand is full.
    int tradeAtValue = 8;
    // Armies of the first placing that guard a capital on the border
    // against a single rival.
    int capitalGuard = 5;
};

constexpr Weights Worth;

// The shares of a stack weighed one by one after a conquest, at most, before
// the robot weighs them a step apart.
constexpr int SplitSteps = 256;

// What the robot makes of the board at one moment of its turn.
class Assessment
{
public:
    explicit Assessment(const GameView& v) : m_v(v), m_w(Worth)
    {
        const Board& b = v.board();
        std::array<int, GameEngine::SeatCount> countries{};
        double armies = 0;
        int seen = 0;
        int enemyCountries = 0;
        int enemyArmies = 0;
        for (int c = 0; c < v.countries(); ++c) {
            if (!v.sees(c))
                continue;
            ++seen;
            const int o = v.owner(c);
            if (o >= 0)
                ++countries[size_t(o)];
            armies += v.armies(c);
            if (!v.mine(c)) {
                ++enemyCountries;
                enemyArmies += v.armies(c);
            }
        }
        // What lies in the dark is taken to be like the enemy countries in
        // sight.
        const int unseen = v.countries() - seen;
        m_unseenArmies = std::max(1.0, double(enemyArmies) / std::max(1, enemyCountries));
        armies += unseen * m_unseenArmies;
        // Armies pile up as a game goes on; what one is worth falls with it.
        m_army = std::min(1.0, 3.0 * v.countries() / std::max(1.0, armies));
        // Destroying one rival's army helps only against him.
        m_enemyArmy = m_w.ownArmy / std::max(1, v.activeSeats() - 1);
        m_card = cardWorth(v);
        int rivals = 0;
        for (int s = 0; s < GameEngine::SeatCount; ++s)
            rivals += s != v.seat() && v.isActive(s);
        // Countries held, counted or, in the dark, guessed.
        std::array<int, GameEngine::SeatCount> held{};
        for (int s = 0; s < GameEngine::SeatCount; ++s) {
            held[size_t(s)] = v.countriesOf(s);
            if (held[size_t(s)] == GameView::Unknown)
                held[size_t(s)] = countries[size_t(s)] + unseen / std::max(1, rivals);
        }
        findHolders(held);
        estimateHoldings(countries, unseen);
        std::array<int, GameEngine::SeatCount> bonus{};
        for (int k = 0; k < b.continentCount(); ++k) {
            if (m_heldBy[size_t(k)] >= 0)
                bonus[size_t(m_heldBy[size_t(k)])] += b.continent(k).bonus;
        }
        for (int s = 0; s < GameEngine::SeatCount; ++s) {
            const int told = v.lastReinforcements(s);
            m_income[size_t(s)] = v.rules().blind && s != v.seat() && told > 0
                                      ? told
                                      : std::max(3, held[size_t(s)] / 3) + bonus[size_t(s)];
        }
        int incomes = 0;
        for (int s = 0; s < GameEngine::SeatCount; ++s)
            incomes += s != v.seat() && v.isActive(s) ? m_income[size_t(s)] : 0;
        m_unseenIncome = double(incomes) / std::max(1, rivals);
        m_duel = v.seatsInGame() == 2;
        const double income = v.rules().receiveCards ? m_w.receiveIncome : m_w.income;
        m_incomeShare = m_duel ? m_w.lastRivalIncome : income / std::max(1, rivals);
        m_target = chooseTarget();
        if (v.rules().capitals && m_duel)
            guessRivalCapital();
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
            const double t = armiesAt(n) - 1 + m_incomeShare * incomeAt(n);
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
        if (c == m_v.capital())
            value += capitalWorth();
        return value;
    }

    // What conquering the enemy country m brings, card included if the turn
    // has not earned it yet.
    double prize(int m, bool cardEarned) const
    {
        const Board& b = m_v.board();
        const int k = b.country(m).continent;
        const int bonus = b.continent(k).bonus;
        double value = m_w.country;
        if (!cardEarned)
            value += m_card;
        if (m_enemyIn[size_t(k)] == 1)
            value += m_w.complete * bonus;
        const int defender = m_v.owner(m);
        if (defender >= 0 && m_heldBy[size_t(k)] == defender)
            value += (m_duel ? m_w.breakLastBonus : m_w.breakBonus) * bonus;
        if (k == m_target)
            value += m_w.progress * bonus / std::max(1, m_enemyIn[size_t(k)]);
        if (m == m_v.capital())
            value += capitalWorth();
        if (!m_rivalCapitalOdds.empty())
            value += m_rivalCapitalOdds[size_t(m)] * m_w.capitalHunt * m_w.win;
        // In the dark a guess of his countries is worth acting on only for
        // his cards or the last rival: chasing a rival thought weaker than
        // he is costs more than finishing him brings.
        const bool hunted = defender >= 0 && m_v.isActive(defender) &&
                            (m_v.countriesOf(defender) != GameView::Unknown ||
                             m_v.rules().receiveCards || m_v.activeSeats() == 2);
        const int left = hunted ? m_left[size_t(defender)] : 0;
        if (left == 1) {
            value += m_v.activeSeats() == 2 ? m_w.win : finishing(defender);
        } else if (left > 1 && left <= m_w.huntCountries) {
            // A player nearly finished: each of his countries is a step.
            value += m_w.hunt * finishing(defender) / left;
        }
        return value;
    }

    // The best way to share armies armies (at least least of them in to)
    // between from and to after a conquest, with what it is worth.
    std::pair<int, double> split(int from, int to, int armies, int least) const
    {
        const double threatFrom = threatWith(from, to);
        const double threatTo = threatWith(to, from);
        // Every share of a stack is weighed, and a stack can hold thousands
        // of armies once sets grow: what lies beyond is worked out once.
        onwardTargets(from, m_beyondFrom);
        onwardTargets(to, m_beyondTo);
        int best = least;
        double bestValue = -1e9;
        const auto weigh = [&](int x) {
            const double value = hold(from, armies - x, threatFrom) + hold(to, x, threatTo) +
                                 onwards(m_beyondTo, x) + onwards(m_beyondFrom, armies - x);
            if (value > bestValue) {
                bestValue = value;
                best = x;
            }
        };
        // Where sets grow a stack reaches tens of thousands, and the odds
        // of battles that large are read at a coarser grain anyway: such a
        // stack's shares are weighed a step apart, then share by share round
        // the best. Stacks of a few hundred are weighed share by share.
        const int step = std::max(1, (armies - least) / SplitSteps);
        for (int x = least; x <= armies - 1; x += step)
            weigh(x);
        if (step > 1) {
            const int around = best;
            for (int x = std::max(least, around - step + 1);
                 x <= std::min(armies - 1, around + step - 1); ++x)
                weigh(x);
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
        const bool cardEarned = m_v.conqueredThisTurn();
        const double now = hold(c, a);
        const int left = std::max(2, 1 + int(survivors + 0.5));
        const double won = prize(m, cardEarned) + split(c, m, left, std::min(3, left - 1)).second;
        const double lost = hold(c, 1);
        // Armies spent either way, the defender's destroyed.
        const double spent = pw * (a - 1 - survivors) + (1 - pw) * (a - 1) * 0.8;
        const double killed = pw * d + (1 - pw) * d * 0.5;
        return pw * won + (1 - pw) * lost - now +
               m_army * (m_enemyArmy * killed - m_w.ownArmy * spent);
    }

    int target() const { return m_target; }
    const Weights& w() const { return m_w; }

private:
    // What finishing the player brings: one rival less and, where the
    // cards of the defeated are taken, his cards.
    double finishing(int defender) const
    {
        double value = m_w.eliminate;
        if (m_v.rules().receiveCards) {
            const int cards = m_v.cardCount(defender);
            value += m_card * (cards == GameView::Unknown ? m_w.hiddenCards : double(cards));
        }
        return value;
    }

    // How many countries each rival holds: counted where the seat is told,
    // otherwise those in sight and a share of the dark. What a rival was
    // last given to place tells it: three per three countries, continents
    // aside, so a rival given more than three holds about three times that,
    // and one given three holds eleven or fewer. The dark left over goes to
    // the rivals of the smallest income in proportion to the room that
    // leaves them beyond what is seen of them: one whose countries are all
    // in sight is known to be nearly finished. With one rival left the dark
    // is all his.
    void estimateHoldings(const std::array<int, GameEngine::SeatCount>& inSight, int unseen)
    {
        const Board& b = m_v.board();
        std::array<double, GameEngine::SeatCount> room{};
        double rooms = 0;
        for (int s = 0; s < GameEngine::SeatCount; ++s) {
            const int counted = m_v.countriesOf(s);
            if (counted != GameView::Unknown) {
                m_left[size_t(s)] = counted;
                continue;
            }
            m_left[size_t(s)] = inSight[size_t(s)];
            if (!m_v.isActive(s))
                continue;
            int base = m_v.lastReinforcements(s);
            for (int k = 0; k < b.continentCount(); ++k) {
                if (m_heldBy[size_t(k)] == s)
                    base -= b.continent(k).bonus;
            }
            if (m_v.lastReinforcements(s) == 0) {
                room[size_t(s)] = m_v.countries();
            } else if (base > 3) {
                const int guess = std::max(inSight[size_t(s)], 3 * base + 1);
                unseen -= guess - inSight[size_t(s)];
                m_left[size_t(s)] = guess;
            } else {
                room[size_t(s)] = std::max(0, 11 - inSight[size_t(s)]);
            }
            rooms += room[size_t(s)];
        }
        if (unseen <= 0 || rooms <= 0)
            return;
        for (int s = 0; s < GameEngine::SeatCount; ++s)
            m_left[size_t(s)] += int(unseen * room[size_t(s)] / rooms + 0.5);
    }

    // The odds that each country is the capital of the rival in a game of
    // two: a player hides his capital where few enemies border it. Only the
    // countries he holds now can be it; the countries out of sight are his.
    void guessRivalCapital()
    {
        const Board& b = m_v.board();
        int rival = -1;
        for (int s = 0; s < GameEngine::SeatCount; ++s) {
            if (s != m_v.seat() && m_v.isActive(s))
                rival = s;
        }
        m_rivalCapitalOdds.assign(size_t(m_v.countries()), 0.0);
        double total = 0;
        for (int c = 0; c < m_v.countries(); ++c) {
            if (m_v.mine(c) || (m_v.sees(c) && m_v.owner(c) != rival))
                continue;
            int foreign = 0;
            for (int n : b.country(c).neighbours)
                foreign += m_v.sees(n) && m_v.owner(n) != rival;
            const double odds = std::exp(-m_w.capitalShyness * foreign);
            m_rivalCapitalOdds[size_t(c)] = odds;
            total += odds;
        }
        for (double& odds : m_rivalCapitalOdds)
            odds /= std::max(total, 1e-9);
    }

    // Whoever holds every capital wins, so the own one is guarded; most
    // of all when a single rival is left, who needs only it.
    double capitalWorth() const { return m_v.activeSeats() == 2 ? m_w.lastCapital : m_w.capital; }

    // Who holds each continent whole, as far as the seat can tell. In the
    // dark, a continent whose countries in sight all belong to one rival is
    // taken to be his when what he was last given to place leaves room for
    // its bonus beside those of the continents he is seen to hold.
    void findHolders(const std::array<int, GameEngine::SeatCount>& held)
    {
        const Board& b = m_v.board();
        m_heldBy.assign(size_t(b.continentCount()), -1);
        m_enemyIn.assign(size_t(b.continentCount()), 0);
        std::vector<bool> inSight(size_t(b.continentCount()), true);
        for (int k = 0; k < b.continentCount(); ++k) {
            int holder = -2;
            for (int c : b.continent(k).countries) {
                m_enemyIn[size_t(k)] += !m_v.mine(c);
                if (!m_v.sees(c)) {
                    inSight[size_t(k)] = false;
                    continue;
                }
                if (holder == -2)
                    holder = m_v.owner(c);
                else if (m_v.owner(c) != holder)
                    holder = -1;
            }
            m_heldBy[size_t(k)] = std::max(holder, -1);
        }
        std::array<int, GameEngine::SeatCount> room{};
        for (int s = 0; s < GameEngine::SeatCount; ++s) {
            room[size_t(s)] =
                m_v.lastReinforcements(s) - std::max(3, held[size_t(s)] / 3) + m_w.incomeSlack;
            for (int k = 0; k < b.continentCount(); ++k) {
                if (inSight[size_t(k)] && m_heldBy[size_t(k)] == s)
                    room[size_t(s)] -= b.continent(k).bonus;
            }
        }
        for (int k = 0; k < b.continentCount(); ++k) {
            const int s = m_heldBy[size_t(k)];
            if (s < 0 || inSight[size_t(k)] || s == m_v.seat())
                continue;
            if (b.continent(k).bonus > room[size_t(s)])
                m_heldBy[size_t(k)] = -1;
        }
    }

    // The armies on c, as far as the seat can tell.
    double armiesAt(int c) const { return m_v.sees(c) ? m_v.armies(c) : m_unseenArmies; }
    // The income of c's owner, as far as the seat can tell.
    double incomeAt(int c) const
    {
        if (!m_v.sees(c))
            return m_unseenIncome;
        const int o = m_v.owner(c);
        return o >= 0 ? m_income[size_t(o)] : 0.0;
    }

    // What a card is worth: more as the sets grow.
    double cardWorth(const GameView& v) const
    {
        if (!v.rules().increasingCards)
            return m_w.card;
        const double next = v.setValue({0, 1, 2});
        return m_w.card * std::clamp(next / m_w.usualSet, 1.0, m_w.mostCardGrowth);
    }

    // The threat on c once other, a neighbour, is the robot's too.
    double threatWith(int c, int other) const
    {
        double most = 0;
        double sum = 0;
        for (int n : m_v.board().country(c).neighbours) {
            if (n == other || m_v.mine(n))
                continue;
            const double t = armiesAt(n) - 1 + m_incomeShare * incomeAt(n);
            most = std::max(most, t);
            sum += std::max(0.0, t);
        }
        return most + m_w.others * (sum - most);
    }

    // An enemy neighbour to attack next: its armies, and half of what
    // taking it brings beyond a country.
    struct Onward
    {
        int armies;
        double worth;
    };
    // Into targets, whose room is kept from one call to the next: a
    // decision weighs a split for every attack it considers.
    void onwardTargets(int c, std::vector<Onward>& targets) const
    {
        targets.clear();
        for (int n : m_v.board().country(c).neighbours) {
            if (!m_v.mine(n))
                targets.push_back({int(armiesAt(n) + 0.5), (prize(n, true) - m_w.country) * 0.5});
        }
    }
    // The best attack still open, among targets, from a country held by
    // armies armies, once the turn's card is earned.
    double onwards(const std::vector<Onward>& targets, int armies) const
    {
        if (armies < 2)
            return 0;
        double best = 0;
        for (const Onward& t : targets)
            best = std::max(best, BattleOdds::win(armies - 1, t.armies) * t.worth);
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
            double enemyArmies = 0;
            for (int c : continent.countries) {
                if (m_v.mine(c))
                    ++mine;
                else
                    enemyArmies += std::max(1.0, armiesAt(c));
            }
            if (mine == 0)
                continue;
            // The more entrances to guard once it is held, the less it is
            // worth going after.
            const double size = double(continent.countries.size());
            const double score = (continent.bonus + 1.0) * (0.5 + mine / size) /
                                 (1.0 + enemyArmies + 0.5 * continent.entrances);
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
    std::array<int, GameEngine::SeatCount> m_left{};
    std::vector<int> m_heldBy;
    std::vector<int> m_enemyIn;
    // Empty unless the rival's capital is hunted.
    std::vector<double> m_rivalCapitalOdds;
    int m_target = -1;
    // A game of two seats from the start.
    bool m_duel = false;
    double m_army = 1;
    double m_enemyArmy = 0;
    double m_card = 0;
    double m_unseenArmies = 1;
    double m_unseenIncome = 0;
    double m_incomeShare = 0;
    // Room for split's onward targets.
    mutable std::vector<Onward> m_beyondFrom;
    mutable std::vector<Onward> m_beyondTo;
};

// The country where one more army gains the most, pool armies still to
// come.
int placement(const GameView& v, int pool)
{
    const Assessment s(v);
    const bool cardEarned = v.conqueredThisTurn();
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
    return v.hand().size() >= 4 || v.setValue(*set) >= Worth.tradeAtValue;
}

int HardRobot::capital(const GameView& v)
{
    // Against a single rival, whose first turn may roll his stack over a
    // row of countries of one army, the capital goes as deep into the own
    // countries as the deal allows, then where the fewest enemies border it.
    if (v.activeSeats() != 2)
        return Robot::capital(v);
    const std::vector<int> distance = distanceToBorder(v);
    int best = -1;
    for (int c : own(v)) {
        if (best < 0 || distance[size_t(c)] > distance[size_t(best)] ||
            (distance[size_t(c)] == distance[size_t(best)] &&
             enemyNeighbours(v, c) < enemyNeighbours(v, best)))
            best = c;
    }
    return best;
}

GameAction HardRobot::placeInitial(const GameView& v)
{
    // Every army of the first placing goes on the one country chosen for
    // all of them: armies spread two or three to a country fall one by one
    // to a rival who strikes from a single stack, and a stack of its own is
    // the robot's first strike.
    const int pool = v.setupArmiesLeft();
    if (v.activeSeats() != 2)
        return action::Place{v.board().number(placement(v, std::max(1, pool))), true};
    // Against a single rival a capital on the border gets a guard first:
    // whoever holds both capitals wins, and a stack that rolls through
    // countries of one army would end the game in his first turn.
    if (v.rules().capitals && v.capital() >= 0 && isBorder(v, v.capital()) &&
        v.armies(v.capital()) <= Worth.capitalGuard)
        return action::Place{v.board().number(v.capital()), false};
    // The stack goes where the most enemy countries lie within two steps,
    // whether or not the rival's stack is already on the board: the one who
    // begins rolls over countries of one army, and a stack in a corner or
    // held off beside his cannot strike back in time. One placed for the
    // continent it would complete sat in a dead end while the rival took
    // the rest of the board.
    int best = -1;
    double most = -1;
    for (int c : own(v)) {
        double reach = 0;
        for (int n : v.board().country(c).neighbours) {
            reach += !v.mine(n);
            for (int m : v.board().country(n).neighbours)
                reach += m != c && !v.mine(m) ? 0.5 : 0.0;
        }
        if (reach > most) {
            most = reach;
            best = c;
        }
    }
    return action::Place{v.board().number(best), true};
}

GameAction HardRobot::place(const GameView& v)
{
    return action::Place{v.board().number(placement(v, v.pool())), true};
}

GameAction HardRobot::attackOrMove(const GameView& v)
{
    const Assessment s(v);
    if (v.step() == GameEngine::Step::Attack) {
        int from = -1;
        int to = -1;
        const bool crowded = v.activeSeats() > 2 && v.conqueredThisTurn() && !v.rules().blind;
        double bestGain = crowded ? s.w().marginOnceCarded : s.w().margin;
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
        const int free = v.movable(c);
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
    const Assessment s(v);
    return s.split(v.takeFrom(), v.takeTo(), v.armies(v.takeFrom()), v.takeMinimum()).first;
}
