#include "seatsample.h"

#include "gameview.h"
#include "random.h"

#include <algorithm>
#include <functional>

namespace {

// The deck holds one card per country and two jokers.
constexpr int DeckJokers = 2;

template <class T> void shuffle(std::vector<T>& v, Random& random)
{
    for (int i = int(v.size()) - 1; i > 0; --i)
        std::swap(v[size_t(i)], v[size_t(random.below(i + 1))]);
}

// How many sets were traded before, from what the next one brings.
int setsTraded(const GameView& v)
{
    if (!v.rules().increasingCards)
        return 0;
    const int next = v.setValue({0, 1, 2});
    int n = 0;
    while (GameEngine::increasingSetValue(n) < next && n < 100'000)
        ++n;
    return n;
}

// Shares the countries out of sight among the rivals in keeping with what
// each was last given to place: a third of the countries plus the bonus of
// the continents held, at least three. A continent whose countries in sight
// are all one rival's, and whose bonus his income leaves room for, is his
// whole; the rest of the dark goes to the rivals in proportion to the
// countries their income leaves them beyond those in sight, every rival
// keeping at least one. The hidden countries are in drawn order. Returns
// false where it has nothing to go by: a single rival, or none with an
// income yet.
bool darkByIncome(const GameView& v, const std::vector<int>& rivals, const std::vector<int>& hidden,
                  std::vector<int>& owners, Random& random)
{
    const Board& b = v.board();
    const size_t n = rivals.size();
    if (n < 2)
        return false;
    bool told = false;
    for (int r : rivals)
        told = told || v.lastReinforcements(r) > 0;
    if (!told)
        return false;
    std::vector<int> want(n, 0);
    std::vector<int> inSight(n, 0);
    std::vector<std::vector<int>> held(n);
    for (size_t i = 0; i < n; ++i) {
        const int r = rivals[i];
        inSight[i] = int(std::count(owners.begin(), owners.end(), r));
        const int counted = v.countriesOf(r);
        if (counted != GameView::Unknown) {
            want[i] = std::max(0, counted - inSight[i]);
            continue;
        }
        const int income = v.lastReinforcements(r);
        if (income == 0) {
            want[i] = int(hidden.size() / n);
            continue;
        }
        int base = income;
        for (int k = 0; k < b.continentCount(); ++k) {
            const Board::Continent& continent = b.continent(k);
            bool his = false;
            bool dark = false;
            bool whole = true;
            for (int c : continent.countries) {
                if (!v.sees(c))
                    dark = true;
                else if (owners[size_t(c)] == r)
                    his = true;
                else
                    whole = false;
            }
            if (!whole || !his || base - continent.bonus < 3)
                continue;
            base -= continent.bonus;
            if (dark)
                held[i].push_back(k);
        }
        const int guess = base > 3 ? 3 * base + random.uniform(0, 2)
                                   : random.uniform(std::min(inSight[i] + 1, 11), 11);
        want[i] = std::max(0, guess - inSight[i]);
    }

    std::vector<int> left(hidden.begin(), hidden.end());
    const auto give = [&](size_t i, int c) {
        owners[size_t(c)] = rivals[i];
        left.erase(std::find(left.begin(), left.end(), c));
        want[i] = std::max(0, want[i] - 1);
    };
    // Every rival holds a country.
    for (size_t i = 0; i < n && !left.empty(); ++i) {
        if (inSight[i] == 0)
            give(i, left.front());
    }
    // The continents thought held.
    for (size_t i = 0; i < n; ++i) {
        for (int k : held[i]) {
            for (int c : b.continent(k).countries) {
                if (owners[size_t(c)] < 0)
                    give(i, c);
            }
        }
    }
    // The rest in proportion to what each is thought to hold beyond it.
    int wanted = 0;
    for (int w : want)
        wanted += w;
    std::vector<int> share(n, 0);
    if (wanted <= 0) {
        for (size_t i = 0; i < n; ++i)
            want[i] = 1;
        wanted = int(n);
    }
    const int dark = int(left.size());
    std::vector<std::pair<double, size_t>> remainders;
    int given = 0;
    for (size_t i = 0; i < n; ++i) {
        const double exact = double(dark) * want[i] / wanted;
        share[i] = int(exact);
        given += share[i];
        remainders.push_back({exact - share[i], i});
    }
    std::sort(remainders.begin(), remainders.end(), std::greater<>());
    for (size_t j = 0; given < dark; j = (j + 1) % n, ++given)
        ++share[remainders[j].second];
    size_t next = 0;
    for (size_t i = 0; i < n; ++i) {
        for (int x = 0; x < share[i]; ++x)
            owners[size_t(left[next++])] = rivals[i];
    }
    return true;
}

} // namespace

SeatSample SeatSample::draw(const GameView& v, Random& random)
{
    using Step = GameEngine::Step;
    SeatSample out;
    GameEngine::State& s = out.state;
    const int me = v.seat();
    const size_t n = size_t(v.countries());
    out.seats = std::uint8_t(1u << me);
    std::vector<int> rivals;
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat) {
        if (seat != me && v.isActive(seat)) {
            rivals.push_back(seat);
            out.seats |= std::uint8_t(1u << seat);
        }
    }

    s.owners.assign(n, -1);
    s.armies.assign(n, 0);
    s.movedIn.assign(n, 0);
    std::vector<int> hidden;
    int enemyArmies = 0;
    int enemyCountries = 0;
    for (int c = 0; c < int(n); ++c) {
        if (!v.sees(c)) {
            hidden.push_back(c);
            continue;
        }
        const int owner = v.owner(c);
        s.owners[size_t(c)] = owner;
        s.armies[size_t(c)] = v.armies(c);
        if (owner >= 0)
            out.seats |= std::uint8_t(1u << owner);
        if (owner != me) {
            ++enemyCountries;
            enemyArmies += v.armies(c);
        }
        // An army moved in this turn may not move on.
        if (owner == me) {
            const int movable = v.movable(c);
            s.movedIn[size_t(c)] = movable >= v.armies(c) - 1 ? 0 : v.armies(c) - movable;
        }
    }

    // The dark: every rival still in holds at least one country there if he
    // holds none in sight; its armies are like those of the enemies in sight.
    if (!hidden.empty()) {
        shuffle(hidden, random);
        std::vector<int> holders = rivals;
        if (holders.empty()) {
            for (int seat = 0; seat < GameEngine::SeatCount; ++seat) {
                if (seat != me && (out.seats >> seat) & 1u)
                    holders.push_back(seat);
            }
        }
        if (holders.empty())
            holders.push_back(me);
        if (!darkByIncome(v, rivals, hidden, s.owners, random)) {
            size_t next = 0;
            for (int r : rivals) {
                const bool seen = std::find(s.owners.begin(), s.owners.end(), r) != s.owners.end();
                if (!seen && next < hidden.size())
                    s.owners[size_t(hidden[next++])] = r;
            }
            for (; next < hidden.size(); ++next)
                s.owners[size_t(hidden[next])] = holders[size_t(random.below(int(holders.size())))];
        }
        const double mean = double(std::max(1, enemyArmies)) / std::max(1, enemyCountries);
        const int most = std::max(1, int(2 * mean + 0.5) - 1);
        for (int c : hidden)
            s.armies[size_t(c)] = random.uniform(1, most);
    }

    // The cards: the seat's own hand as it is, the others dealt from what
    // is left, the rest the deck.
    std::vector<int> cards;
    cards.reserve(n + DeckJokers);
    for (size_t c = 0; c < n; ++c)
        cards.push_back(int(c % 3));
    for (int j = 0; j < DeckJokers; ++j)
        cards.push_back(GameEngine::Joker);
    for (int card : v.hand()) {
        const auto it = std::find(cards.begin(), cards.end(), card);
        if (it != cards.end())
            cards.erase(it);
    }
    shuffle(cards, random);
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat) {
        GameEngine::State::Seat& to = s.seat[size_t(seat)];
        to.lastReinforcements = v.lastReinforcements(seat);
        if (!((out.seats >> seat) & 1u))
            continue;
        to.active = seat == me || v.isActive(seat);
        to.countries = int(std::count(s.owners.begin(), s.owners.end(), seat));
        if (seat == me) {
            to.cards = v.hand();
            to.capital = v.capital();
            to.setupArmies = v.step() == Step::Setup ? v.setupArmiesLeft() : 0;
            continue;
        }
        if (to.active) {
            const int known = v.cardCount(seat);
            const int count = known == GameView::Unknown ? random.uniform(0, 4) : known;
            for (int i = 0; i < count && !cards.empty(); ++i) {
                to.cards.push_back(cards.back());
                cards.pop_back();
            }
        }
        if (v.rules().capitals && to.countries > 0) {
            int pick = random.below(to.countries);
            for (int c = 0; c < int(n); ++c) {
                if (s.owners[size_t(c)] == seat && pick-- == 0) {
                    to.capital = c;
                    break;
                }
            }
        }
    }
    s.deck = std::move(cards);

    s.seats = out.seats;
    s.step = v.step();
    s.current = s.step == Step::Setup || s.step == Step::Over ? -1 : me;
    s.firstSeat = me;
    if (s.step == Step::Setup) {
        // Nobody is told who begins until the first placing is over, and
        // the others' armies still to place show in what they have placed:
        // each country began with one.
        std::vector<int> seats;
        for (int seat = 0; seat < GameEngine::SeatCount; ++seat) {
            if ((out.seats >> seat) & 1u)
                seats.push_back(seat);
        }
        s.firstSeat = seats[size_t(random.below(int(seats.size())))];
        std::array<int, GameEngine::SeatCount> placed{};
        int mine = 0;
        for (int c = 0; c < int(n); ++c) {
            if (s.owners[size_t(c)] == me)
                mine += s.armies[size_t(c)];
            else if (s.owners[size_t(c)] >= 0 && v.sees(c))
                placed[size_t(s.owners[size_t(c)])] += s.armies[size_t(c)] - 1;
        }
        s.startingArmies = mine + v.setupArmiesLeft();
        for (int seat : seats) {
            if (seat != me)
                s.seat[size_t(seat)].setupArmies = std::max(
                    0, s.startingArmies - s.seat[size_t(seat)].countries - placed[size_t(seat)]);
        }
    }
    s.round = 1;
    s.turns = 1;
    s.pool = v.pool();
    s.setsTraded = setsTraded(v);
    s.conquered = v.conqueredThisTurn();
    // A conqueror who took a defeated player's cards and holds six or more
    // trades at once and then places.
    s.mustTrade = s.step == Step::Exchange ||
                  (s.step == Step::Take && v.rules().receiveCards && v.hand().size() >= 6);
    s.placingChosen = s.step == Step::Place || (s.mustTrade && s.conquered);
    if (s.step == Step::Take) {
        s.takeFrom = v.takeFrom();
        s.takeTo = v.takeTo();
    }
    s.takeMin = v.takeMinimum();
    s.remainingMs = -1;
    return out;
}
