#include "gameengine.h"

#include "armies.h"
#include "cardset.h"
#include "clock.h"
#include "random.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Classic starting armies for a board of 42 countries, by number of seats.
constexpr std::array<int, 7> ClassicStart = {0, 0, 40, 35, 30, 25, 20};
constexpr int ClassicCountries = 42;
// A player whose countries all hold this many armies can place no more of
// his first armies one by one, so nobody is given more than that.
constexpr int InitialCap = 4;
constexpr int Jokers = 2;

template <class... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

const char* GameEngine::describe(Refusal refusal)
{
    switch (refusal) {
    case Refusal::None:
        return "accepted";
    case Refusal::GameOver:
        return "the game is over";
    case Refusal::NotInGame:
        return "the seat is not in the game";
    case Refusal::NotYourTurn:
        return "not the seat's turn";
    case Refusal::WrongStep:
        return "not allowed in this part of the turn";
    case Refusal::UnknownCountry:
        return "no such country";
    case Refusal::NotYourCountry:
        return "the country belongs to another seat";
    case Refusal::OwnCountry:
        return "the country is the seat's own";
    case Refusal::NotNeighbours:
        return "the countries are not neighbours";
    case Refusal::TooFewArmies:
        return "too few armies";
    case Refusal::BadDice:
        return "number of dice out of range";
    case Refusal::BadArmies:
        return "number of armies out of range";
    case Refusal::NothingToPlace:
        return "no armies left to place";
    case Refusal::CapitalFirst:
        return "the capital must be chosen first";
    case Refusal::CapitalChosen:
        return "the capital is already chosen";
    case Refusal::NotYourCards:
        return "the seat does not hold these cards";
    case Refusal::NotASet:
        return "the cards are not a set";
    }
    return "refused";
}

GameEngine::GameEngine(std::shared_ptr<const Board> board, const GameRules& rules,
                       std::uint8_t seats, Random& random, const Clock& clock)
    : m_board(std::move(board)), m_rules(rules), m_seats(seats & Audience::AllSeats),
      m_random(random), m_clock(clock)
{
    const size_t n = size_t(m_board->countryCount());
    m_owner.assign(n, -1);
    m_armies.assign(n, 0);
    m_movedIn.assign(n, 0);
    m_sight.assign(n, 0);
    m_events.reserve(64);
}

int GameEngine::activeSeats() const
{
    int n = 0;
    for (int s = 0; s < SeatCount; ++s)
        n += isActive(s);
    return n;
}

int GameEngine::armiesOf(int seat) const
{
    int n = 0;
    for (size_t c = 0; c < m_owner.size(); ++c) {
        if (m_owner[c] == seat)
            n += m_armies[c];
    }
    return n;
}

bool GameEngine::isSet(const std::array<int, 3>& c)
{
    for (int card : c) {
        if (card < 0 || card > Joker)
            return false;
    }
    return Rules::isSet(c[0], c[1], c[2]);
}

int GameEngine::increasingSetValue(int n)
{
    static constexpr std::array<int, 6> First = {4, 6, 8, 10, 12, 15};
    if (n < int(First.size()))
        return First[size_t(n)];
    return 15 + 5 * (n - int(First.size()) + 1);
}

int GameEngine::setValue(const std::array<int, 3>& cards) const
{
    if (m_rules.increasingCards)
        return increasingSetValue(m_setsTraded);
    // Fixed values: three footmen 4, three horsemen 6, three cannons 8, one
    // of each 10. A joker stands for whatever makes the best set.
    int kind = -1;
    for (int card : cards) {
        if (card == Joker)
            continue;
        if (kind == -1)
            kind = card;
        else if (kind != card)
            return 10;
    }
    switch (kind) {
    case 2:
        return 4;
    case 0:
        return 6;
    case 1:
        return 8;
    default:
        return 10;
    }
}

int GameEngine::reinforcements(int seat) const
{
    const int bonus = Rules::continentBonus(
        m_board->map(),
        [this](int number) {
            const int c = m_board->indexOf(number);
            return c < 0 ? -1 : m_owner[size_t(c)];
        },
        seat);
    return Rules::reinforcements(countriesOf(seat), bonus);
}

int GameEngine::startingArmies(int seats, int countries, int fewestDealt, int mostDealt)
{
    const int classic = ClassicStart[size_t(std::clamp(seats, 2, SeatCount))];
    const int scaled = int(std::lround(double(classic) * countries / ClassicCountries));
    return std::max(mostDealt, std::min(scaled, InitialCap * fewestDealt));
}

int GameEngine::movable(int country) const
{
    return std::max(0, m_armies[size_t(country)] - std::max(1, m_movedIn[size_t(country)]));
}

void GameEngine::refreshSight(int country)
{
    const auto seenBy = [this](int c) {
        unsigned mask = 0;
        if (m_owner[size_t(c)] >= 0)
            mask |= 1u << m_owner[size_t(c)];
        for (int n : m_board->country(c).neighbours) {
            if (m_owner[size_t(n)] >= 0)
                mask |= 1u << m_owner[size_t(n)];
        }
        return std::uint8_t(mask);
    };
    if (country >= 0) {
        m_sight[size_t(country)] = seenBy(country);
        for (int n : m_board->country(country).neighbours)
            m_sight[size_t(n)] = seenBy(n);
        return;
    }
    for (int c = 0; c < m_board->countryCount(); ++c)
        m_sight[size_t(c)] = seenBy(c);
}

Audience GameEngine::seeingMask(int country) const
{
    Audience a{0, true};
    for (int s = 0; s < SeatCount; ++s) {
        if (takesPart(s) && sees(s, country))
            a.seats |= std::uint8_t(1u << s);
    }
    return a;
}

Audience GameEngine::countryAudience(int country) const
{
    return m_rules.blind ? seeingMask(country) : Audience::everyone();
}

void GameEngine::post(Audience to, GameEventPayload what)
{
    m_events.push_back({to, std::move(what)});
}

void GameEngine::postCountry(int country, Audience to)
{
    post(to, event::Country{m_board->number(country), m_owner[size_t(country)],
                            m_armies[size_t(country)]});
}

void GameEngine::postCardCount(int seat)
{
    const Audience to = m_rules.hideCards ? Audience::seat(seat) : Audience::everyone();
    post(to, event::CardCount{seat, int(m_seat[size_t(seat)].cards.size())});
}

void GameEngine::revealAll(int seat)
{
    if (!m_rules.blind)
        return;
    // The seat now watches; it was shown only what it could see so far.
    for (int c = 0; c < m_board->countryCount(); ++c)
        postCountry(c, Audience::seat(seat));
}

std::vector<GameEvent> GameEngine::takeEvents()
{
    std::vector<GameEvent> out;
    out.swap(m_events);
    m_events.reserve(64);
    return out;
}

void GameEngine::startClock()
{
    m_deadline = m_clock.nowMs() + std::int64_t(m_rules.timeoutSeconds) * 1000;
    post(Audience::everyone(), event::Clock{m_rules.timeoutSeconds});
}

void GameEngine::start()
{
    std::vector<int> seats;
    for (int s = 0; s < SeatCount; ++s) {
        if (takesPart(s)) {
            seats.push_back(s);
            m_seat[size_t(s)].active = true;
        }
    }
    const int countries = m_board->countryCount();
    if (seats.empty() || countries == 0) {
        m_step = Step::Over;
        return;
    }

    std::vector<int> order(static_cast<size_t>(countries));
    for (int c = 0; c < countries; ++c)
        order[size_t(c)] = c;
    for (int i = countries - 1; i > 0; --i)
        std::swap(order[size_t(i)], order[size_t(m_random.below(i + 1))]);
    const int firstDealt = m_random.below(int(seats.size()));
    for (int i = 0; i < countries; ++i) {
        const int seat = seats[size_t((firstDealt + i) % int(seats.size()))];
        m_owner[size_t(order[size_t(i)])] = seat;
        m_armies[size_t(order[size_t(i)])] = 1;
        ++m_seat[size_t(seat)].countries;
    }
    refreshSight();

    int fewest = countries;
    int most = 0;
    for (int s : seats) {
        fewest = std::min(fewest, countriesOf(s));
        most = std::max(most, countriesOf(s));
    }
    m_startingArmies = startingArmies(int(seats.size()), countries, fewest, most);
    for (int s : seats)
        m_seat[size_t(s)].setupArmies = m_startingArmies - countriesOf(s);

    // The deck: one card per country in turns of the three kinds, and two
    // jokers.
    for (int c = 0; c < countries; ++c)
        m_deck.push_back(c % 3);
    for (int j = 0; j < Jokers; ++j)
        m_deck.push_back(Joker);
    for (int i = int(m_deck.size()) - 1; i > 0; --i)
        std::swap(m_deck[size_t(i)], m_deck[size_t(m_random.below(i + 1))]);

    m_firstSeat = seats[size_t(m_random.below(int(seats.size())))];
    m_step = Step::Setup;
    for (int c = 0; c < countries; ++c)
        postCountry(c, countryAudience(c));
    post(Audience::everyone(), event::Init{m_startingArmies});
    startClock();
    finishSetupIfDone();
}

void GameEngine::startFrom(const Position& p)
{
    for (int s = 0; s < SeatCount; ++s) {
        SeatState& seat = m_seat[size_t(s)];
        seat.active = takesPart(s);
        seat.cards = p.cards[size_t(s)];
        seat.capital = p.capitals[size_t(s)];
        seat.countries = 0;
        seat.lastReinforcements = p.lastReinforcements[size_t(s)];
    }
    for (int c = 0; c < m_board->countryCount(); ++c) {
        m_owner[size_t(c)] = p.owners[size_t(c)];
        m_armies[size_t(c)] = p.armies[size_t(c)];
        if (isActive(m_owner[size_t(c)]))
            ++m_seat[size_t(m_owner[size_t(c)])].countries;
    }
    refreshSight();
    for (int c = 0; c < m_board->countryCount(); ++c)
        m_deck.push_back(c % 3);
    m_firstSeat = p.firstSeat;
    m_setsTraded = p.setsTraded;
    m_step = Step::Setup;
    beginTurn(p.firstSeat);
}

GameEngine::Need GameEngine::need(int seat) const
{
    if (m_step == Step::Over || !isActive(seat))
        return Need::Nothing;
    if (m_step == Step::Setup) {
        const SeatState& s = m_seat[size_t(seat)];
        if (m_rules.capitals && s.capital < 0)
            return Need::Capital;
        return s.setupArmies > 0 ? Need::PlaceInitial : Need::Nothing;
    }
    if (seat != m_current)
        return Need::Nothing;
    switch (m_step) {
    case Step::Exchange:
        return Need::Exchange;
    case Step::Decide:
        return Need::Decide;
    case Step::Place:
        return Need::Place;
    case Step::Take:
        return Need::Take;
    case Step::Attack:
    case Step::Move:
        return Need::Attack;
    default:
        return Need::Nothing;
    }
}

GameEngine::Refusal GameEngine::apply(int seat, const GameAction& action)
{
    if (m_step == Step::Over)
        return Refusal::GameOver;
    if (!isActive(seat))
        return Refusal::NotInGame;
    return m_step == Step::Setup ? setupAction(seat, action) : turnAction(seat, action);
}

GameEngine::Refusal GameEngine::setupAction(int seat, const GameAction& action)
{
    SeatState& s = m_seat[size_t(seat)];
    if (const auto* capital = std::get_if<action::Capital>(&action)) {
        if (!m_rules.capitals)
            return Refusal::WrongStep;
        if (s.capital >= 0)
            return Refusal::CapitalChosen;
        const int c = m_board->indexOf(capital->country);
        if (c < 0)
            return Refusal::UnknownCountry;
        if (m_owner[size_t(c)] != seat)
            return Refusal::NotYourCountry;
        s.capital = c;
        s.setupActed = true;
        finishSetupIfDone();
        return Refusal::None;
    }
    const auto* p = std::get_if<action::Place>(&action);
    if (!p)
        return Refusal::WrongStep;
    if (m_rules.capitals && s.capital < 0)
        return Refusal::CapitalFirst;
    if (s.setupArmies <= 0)
        return Refusal::NothingToPlace;
    const int c = m_board->indexOf(p->country);
    if (c < 0)
        return Refusal::UnknownCountry;
    if (m_owner[size_t(c)] != seat)
        return Refusal::NotYourCountry;
    const int n = p->all ? s.setupArmies : 1;
    m_armies[size_t(c)] += n;
    s.setupArmies -= n;
    s.setupActed = true;
    postCountry(c, countryAudience(c));
    finishSetupIfDone();
    return Refusal::None;
}

void GameEngine::finishSetupIfDone()
{
    if (m_step != Step::Setup)
        return;
    for (int s = 0; s < SeatCount; ++s) {
        if (need(s) != Need::Nothing)
            return;
    }
    beginTurn(isActive(m_firstSeat) ? m_firstSeat : nextSeat(m_firstSeat));
}

void GameEngine::completeSetup(int seat)
{
    SeatState& s = m_seat[size_t(seat)];
    std::vector<int> own;
    for (int c = 0; c < m_board->countryCount(); ++c) {
        if (m_owner[size_t(c)] == seat)
            own.push_back(c);
    }
    if (own.empty()) {
        s.setupArmies = 0;
        return;
    }
    if (m_rules.capitals && s.capital < 0)
        s.capital = own[size_t(m_random.below(int(own.size())))];
    std::vector<bool> changed(own.size(), false);
    for (; s.setupArmies > 0; --s.setupArmies) {
        const int i = m_random.below(int(own.size()));
        ++m_armies[size_t(own[size_t(i)])];
        changed[size_t(i)] = true;
    }
    for (size_t i = 0; i < own.size(); ++i) {
        if (changed[i])
            postCountry(own[i], countryAudience(own[i]));
    }
}

int GameEngine::nextSeat(int after) const
{
    for (int i = 1; i <= SeatCount; ++i) {
        const int s = (after + i) % SeatCount;
        if (isActive(s))
            return s;
    }
    return -1;
}

void GameEngine::beginTurn(int seat)
{
    auto position = [this](int s) {
        return (s - m_firstSeat + SeatCount) % SeatCount;
    };
    if (m_current < 0 || m_step == Step::Setup || position(seat) <= position(m_current))
        ++m_round;
    ++m_turns;
    m_current = seat;
    m_conquered = false;
    m_acted = false;
    m_placingChosen = false;
    m_takeFrom = m_takeTo = -1;
    std::fill(m_movedIn.begin(), m_movedIn.end(), 0);
    m_pool = reinforcements(seat);
    m_seat[size_t(seat)].lastReinforcements = m_pool;
    m_mustTrade = m_seat[size_t(seat)].cards.size() >= 5;
    m_step = Step::Decide;
    startClock();
    prompt();
}

void GameEngine::prompt()
{
    const int seat = m_current;
    if (m_mustTrade && m_seat[size_t(seat)].cards.size() > 4) {
        m_step = Step::Exchange;
        post(Audience::everyone(), event::MustExchange{seat});
        return;
    }
    m_mustTrade = false;
    if (m_pool > 0) {
        // After the choice to place, or where placing comes first, the seat
        // places; otherwise it may still choose.
        if (m_rules.placeBeforeAttack || m_placingChosen || m_step == Step::Place) {
            m_step = Step::Place;
            post(Audience::everyone(), event::Place{seat, m_pool});
        } else {
            m_step = Step::Decide;
            post(Audience::everyone(), event::Decide{seat});
        }
        return;
    }
    if (m_step != Step::Move)
        m_step = Step::Attack;
    post(Audience::everyone(), event::More{seat});
}

GameEngine::Refusal GameEngine::turnAction(int seat, const GameAction& action)
{
    if (seat != m_current)
        return Refusal::NotYourTurn;
    const int turn = m_turns;
    const Refusal r = std::visit(Overloaded{
                                     [&](const action::Capital&) { return Refusal::WrongStep; },
                                     [&](const action::Place& a) { return place(seat, a); },
                                     [&](const action::PlaceArmies&) {
                                         if (m_step != Step::Decide)
                                             return Refusal::WrongStep;
                                         m_placingChosen = true;
                                         m_step = Step::Place;
                                         post(Audience::everyone(), event::Place{seat, m_pool});
                                         return Refusal::None;
                                     },
                                     [&](const action::Attack& a) { return attack(seat, a); },
                                     [&](const action::Take& a) { return take(seat, a.armies); },
                                     [&](const action::Move& a) { return move(seat, a); },
                                     [&](const action::Exchange& a) { return exchange(seat, a); },
                                     [&](const action::EndTurn&) { return endTurn(seat); },
                                 },
                                 action);
    // A request that ends the turn has begun the next one, whose player has
    // not acted yet.
    if (r == Refusal::None && m_turns == turn)
        m_acted = true;
    return r;
}

GameEngine::Refusal GameEngine::place(int seat, const action::Place& a)
{
    if (m_step != Step::Place)
        return Refusal::WrongStep;
    const int c = m_board->indexOf(a.country);
    if (c < 0)
        return Refusal::UnknownCountry;
    if (m_owner[size_t(c)] != seat)
        return Refusal::NotYourCountry;
    const int n = a.all ? m_pool : 1;
    m_armies[size_t(c)] += n;
    m_pool -= n;
    postCountry(c, countryAudience(c));
    if (m_pool == 0)
        prompt();
    return Refusal::None;
}

GameEngine::Refusal GameEngine::attack(int seat, const action::Attack& a)
{
    if (m_step != Step::Decide && m_step != Step::Attack)
        return Refusal::WrongStep;
    const int from = m_board->indexOf(a.from);
    const int to = m_board->indexOf(a.to);
    if (from < 0 || to < 0)
        return Refusal::UnknownCountry;
    if (m_owner[size_t(from)] != seat)
        return Refusal::NotYourCountry;
    if (m_owner[size_t(to)] == seat)
        return Refusal::OwnCountry;
    if (!m_board->adjacent(from, to))
        return Refusal::NotNeighbours;
    if (m_armies[size_t(from)] < 2)
        return Refusal::TooFewArmies;
    if (a.dice < 1 || a.dice > std::min(3, m_armies[size_t(from)] - 1))
        return Refusal::BadDice;

    const int defender = m_owner[size_t(to)];
    const Audience watching =
        m_rules.blind ? Audience{std::uint8_t(seeingMask(from).seats | seeingMask(to).seats), true}
                      : Audience::everyone();
    post(watching, event::Attack{a.from, a.to, a.dice, a.doOrDie});
    int dice = a.dice;
    for (;;) {
        dice = std::min(dice, m_armies[size_t(from)] - 1);
        const int defence = std::min(2, m_armies[size_t(to)]);
        std::array<int, 3> att{};
        std::array<int, 2> def{};
        for (int i = 0; i < dice; ++i)
            att[size_t(i)] = m_random.die();
        for (int i = 0; i < defence; ++i)
            def[size_t(i)] = m_random.die();
        std::sort(att.begin(), att.end(), std::greater<>());
        std::sort(def.begin(), def.end(), std::greater<>());
        for (int i = 0; i < std::min(dice, defence); ++i) {
            if (att[size_t(i)] > def[size_t(i)])
                --m_armies[size_t(to)];
            else
                --m_armies[size_t(from)];
        }
        post(watching, event::Dice{seat, att, defender, def});
        if (m_armies[size_t(to)] == 0) {
            conquer(from, to, seat, defender, dice);
            return Refusal::None;
        }
        postCountry(from, countryAudience(from));
        postCountry(to, countryAudience(to));
        if (!a.doOrDie || m_armies[size_t(from)] < 2)
            break;
    }
    prompt();
    return Refusal::None;
}

void GameEngine::conquer(int from, int to, int attacker, int defender, int diceUsed)
{
    // The loser sees the country go; in a blind game the winner now also
    // sees past it.
    Audience before = countryAudience(to);
    std::vector<int> hidden;
    if (m_rules.blind) {
        for (int n : m_board->country(to).neighbours) {
            if (!sees(attacker, n))
                hidden.push_back(n);
        }
    }
    m_owner[size_t(to)] = attacker;
    refreshSight(to);
    --m_seat[size_t(defender)].countries;
    ++m_seat[size_t(attacker)].countries;
    m_conquered = true;
    Audience after = countryAudience(to);
    before.seats |= after.seats;
    postCountry(from, countryAudience(from));
    postCountry(to, before);
    for (int n : hidden)
        postCountry(n, Audience::seat(attacker));

    if (m_seat[size_t(defender)].countries == 0)
        eliminate(defender, attacker);

    m_takeFrom = from;
    m_takeTo = to;
    m_takeMin = std::min(diceUsed, m_armies[size_t(from)] - 1);
    if (winnerNow() >= 0) {
        // Nothing is left to decide; the attack moves in with its dice.
        moveIn(m_takeMin);
        checkWinner();
        return;
    }
    m_step = Step::Take;
    post(m_rules.blind ? before : Audience::everyone(),
         event::Take{m_board->number(from), m_board->number(to), m_takeMin});
}

void GameEngine::eliminate(int seat, int by)
{
    SeatState& loser = m_seat[size_t(seat)];
    loser.active = false;
    post(Audience::everyone(), event::SeatOut{seat});
    if (m_rules.receiveCards && !loser.cards.empty()) {
        SeatState& winner = m_seat[size_t(by)];
        for (int card : loser.cards) {
            winner.cards.push_back(card);
            post(Audience::seat(by), event::Card{card});
        }
        loser.cards.clear();
        postCardCount(by);
        // Classic rule: a conqueror who thereby holds six or more cards
        // trades at once until he holds four or fewer, and places the armies.
        if (winner.cards.size() >= 6) {
            m_mustTrade = true;
            m_placingChosen = true;
        }
    } else {
        m_discards.insert(m_discards.end(), loser.cards.begin(), loser.cards.end());
        loser.cards.clear();
    }
    postCardCount(seat);
    revealAll(seat);
}

bool GameEngine::checkWinner()
{
    if (activeSeats() == 0) {
        m_step = Step::Over;
        m_deadline = -1;
        return true;
    }
    const int winner = winnerNow();
    if (winner < 0)
        return false;
    m_winner = winner;
    m_step = Step::Over;
    m_deadline = -1;
    post(Audience::everyone(), event::Winner{winner});
    return true;
}

int GameEngine::winnerNow() const
{
    int winner = -1;
    if (activeSeats() == 1)
        winner = nextSeat(SeatCount - 1);
    if (winner < 0 && m_rules.capitals) {
        // Whoever holds every capital chosen in the game has won.
        int holder = -1;
        bool any = false;
        for (int s = 0; s < SeatCount && holder != -2; ++s) {
            const int c = m_seat[size_t(s)].capital;
            if (!takesPart(s) || c < 0)
                continue;
            any = true;
            const int o = m_owner[size_t(c)];
            if (holder == -1)
                holder = o;
            else if (holder != o)
                holder = -2;
        }
        if (any && holder >= 0 && isActive(holder))
            winner = holder;
    }
    return winner;
}

GameEngine::Refusal GameEngine::take(int seat, int armies)
{
    if (m_step != Step::Take)
        return Refusal::WrongStep;
    if (armies < m_takeMin || armies > m_armies[size_t(m_takeFrom)] - 1)
        return Refusal::BadArmies;
    (void)seat;
    moveIn(armies);
    m_step = m_placingChosen || m_pool == 0 ? Step::Attack : Step::Decide;
    prompt();
    return Refusal::None;
}

void GameEngine::moveIn(int armies)
{
    m_armies[size_t(m_takeFrom)] -= armies;
    m_armies[size_t(m_takeTo)] += armies;
    postCountry(m_takeFrom, countryAudience(m_takeFrom));
    postCountry(m_takeTo, countryAudience(m_takeTo));
    m_takeFrom = m_takeTo = -1;
}

GameEngine::Refusal GameEngine::move(int seat, const action::Move& a)
{
    if ((m_step != Step::Attack && m_step != Step::Move) || m_pool > 0)
        return Refusal::WrongStep;
    const int from = m_board->indexOf(a.from);
    const int to = m_board->indexOf(a.to);
    if (from < 0 || to < 0)
        return Refusal::UnknownCountry;
    if (m_owner[size_t(from)] != seat || m_owner[size_t(to)] != seat)
        return Refusal::NotYourCountry;
    if (from == to || !m_board->adjacent(from, to))
        return Refusal::NotNeighbours;
    if (a.armies < 1 || a.armies > movable(from))
        return Refusal::BadArmies;
    m_armies[size_t(from)] -= a.armies;
    m_armies[size_t(to)] += a.armies;
    m_movedIn[size_t(to)] += a.armies;
    postCountry(from, countryAudience(from));
    postCountry(to, countryAudience(to));
    m_step = Step::Move;
    prompt();
    return Refusal::None;
}

GameEngine::Refusal GameEngine::exchange(int seat, const action::Exchange& a)
{
    if (m_step != Step::Exchange && m_step != Step::Decide && m_step != Step::Place)
        return Refusal::WrongStep;
    if (!isSet(a.cards))
        return Refusal::NotASet;
    std::vector<int>& hand = m_seat[size_t(seat)].cards;
    std::vector<int> rest = hand;
    for (int card : a.cards) {
        const auto it = std::find(rest.begin(), rest.end(), card);
        if (it == rest.end())
            return Refusal::NotYourCards;
        rest.erase(it);
    }
    const int value = setValue(a.cards);
    ++m_setsTraded;
    hand.swap(rest);
    m_discards.insert(m_discards.end(), a.cards.begin(), a.cards.end());
    m_pool += value;
    post(Audience::everyone(), event::Exchanged{seat, value});
    postCardCount(seat);
    prompt();
    return Refusal::None;
}

void GameEngine::drawCard(int seat)
{
    if (m_deck.empty()) {
        m_deck.swap(m_discards);
        for (int i = int(m_deck.size()) - 1; i > 0; --i)
            std::swap(m_deck[size_t(i)], m_deck[size_t(m_random.below(i + 1))]);
    }
    if (m_deck.empty())
        return;
    const int card = m_deck.back();
    m_deck.pop_back();
    m_seat[size_t(seat)].cards.push_back(card);
    post(Audience::seat(seat), event::Card{card});
    postCardCount(seat);
}

GameEngine::Refusal GameEngine::endTurn(int seat)
{
    if (m_step != Step::Attack && m_step != Step::Move)
        return Refusal::WrongStep;
    (void)seat;
    finishTurn();
    return Refusal::None;
}

void GameEngine::finishTurn()
{
    if (m_conquered)
        drawCard(m_current);
    post(Audience::everyone(), event::TurnEnd{});
    const int next = nextSeat(m_current);
    if (next < 0) {
        m_step = Step::Over;
        m_deadline = -1;
        return;
    }
    beginTurn(next);
}

void GameEngine::checkTimer()
{
    if (m_step == Step::Over || m_deadline < 0 || m_clock.nowMs() < m_deadline)
        return;
    m_deadline = -1;
    const int mode = m_rules.timerMode;
    if (m_step == Step::Setup) {
        std::vector<int> late;
        for (int s = 0; s < SeatCount; ++s) {
            if (need(s) != Need::Nothing)
                late.push_back(s);
        }
        // Everyone late is dealt with before anybody can be the last one
        // left.
        bool removed = false;
        for (int s : late) {
            if (mode == 0 || (mode == 1 && !m_seat[size_t(s)].setupActed)) {
                if (m_rules.replaceRobots) {
                    removeSeat(s);
                } else {
                    seatLeaves(s, false);
                    removed = true;
                }
            } else {
                completeSetup(s);
            }
        }
        if (removed && checkWinner())
            return;
        if (m_step == Step::Setup) {
            // Robots that took over late seats need a clock of their own.
            bool waiting = false;
            for (int s = 0; s < SeatCount; ++s)
                waiting = waiting || need(s) != Need::Nothing;
            if (!waiting)
                finishSetupIfDone();
            else if (m_deadline < 0)
                startClock();
        }
        return;
    }
    if (mode == 0 || (mode == 1 && !m_acted)) {
        removeSeat(m_current);
        return;
    }
    if (m_step == Step::Take)
        take(m_current, m_takeMin);
    if (m_step == Step::Over)
        return;
    // Armies not placed in time are lost.
    m_pool = 0;
    m_mustTrade = false;
    finishTurn();
}

void GameEngine::removeSeat(int seat)
{
    if (!isActive(seat) || m_step == Step::Over)
        return;
    if (m_rules.replaceRobots) {
        post(Audience::everyone(), event::SeatReplaced{seat});
        if (m_step == Step::Setup) {
            if (m_deadline < 0)
                startClock();
        } else if (seat == m_current) {
            m_acted = false;
            startClock();
        }
        return;
    }
    seatLeaves(seat);
}

void GameEngine::seatLeaves(int seat, bool settle)
{
    const bool current = m_step != Step::Setup && seat == m_current;
    if (current && m_step == Step::Take)
        moveIn(m_takeMin);
    SeatState& s = m_seat[size_t(seat)];
    s.active = false;
    s.setupArmies = 0;
    m_discards.insert(m_discards.end(), s.cards.begin(), s.cards.end());
    s.cards.clear();
    post(Audience::everyone(), event::SeatOut{seat});
    revealAll(seat);
    if (!settle)
        return;
    if (checkWinner())
        return;
    if (m_step == Step::Setup) {
        finishSetupIfDone();
        return;
    }
    if (current) {
        m_conquered = false;
        m_pool = 0;
        post(Audience::everyone(), event::TurnEnd{});
        beginTurn(nextSeat(seat));
    }
}

std::vector<GameEventPayload> GameEngine::snapshot(int seat) const
{
    std::vector<GameEventPayload> out;
    const bool player = isActive(seat);
    for (int c = 0; c < m_board->countryCount(); ++c) {
        if (!player || sees(seat, c))
            out.push_back(
                event::Country{m_board->number(c), m_owner[size_t(c)], m_armies[size_t(c)]});
    }
    if (takesPart(seat)) {
        for (int card : m_seat[size_t(seat)].cards)
            out.push_back(event::Card{card});
    }
    for (int s = 0; s < SeatCount; ++s) {
        if (takesPart(s) && (!m_rules.hideCards || s == seat))
            out.push_back(event::CardCount{s, int(m_seat[size_t(s)].cards.size())});
    }
    if (m_step == Step::Over)
        return out;
    const int remaining =
        m_deadline < 0 ? 0
                       : int(std::max<std::int64_t>(0, m_deadline - m_clock.nowMs() + 999) / 1000);
    if (m_step == Step::Setup) {
        out.push_back(event::Init{m_startingArmies});
        out.push_back(event::Clock{remaining});
        return out;
    }
    out.push_back(event::Clock{remaining});
    switch (m_step) {
    case Step::Exchange:
        out.push_back(event::MustExchange{m_current});
        break;
    case Step::Decide:
        out.push_back(event::Decide{m_current});
        break;
    case Step::Place:
        out.push_back(event::Place{m_current, m_pool});
        break;
    case Step::Take:
        out.push_back(
            event::Take{m_board->number(m_takeFrom), m_board->number(m_takeTo), m_takeMin});
        break;
    default:
        out.push_back(event::More{m_current});
        break;
    }
    return out;
}

GameEngine::State GameEngine::state() const
{
    State s;
    s.seats = m_seats;
    s.owners = m_owner;
    s.armies = m_armies;
    s.movedIn = m_movedIn;
    for (int i = 0; i < SeatCount; ++i) {
        const SeatState& from = m_seat[size_t(i)];
        s.seat[size_t(i)] = {
            from.active,     from.countries,         from.cards, from.capital, from.setupArmies,
            from.setupActed, from.lastReinforcements};
    }
    s.deck = m_deck;
    s.discards = m_discards;
    s.step = m_step;
    s.startingArmies = m_startingArmies;
    s.current = m_current;
    s.firstSeat = m_firstSeat;
    s.winner = m_winner;
    s.round = m_round;
    s.turns = m_turns;
    s.pool = m_pool;
    s.setsTraded = m_setsTraded;
    s.conquered = m_conquered;
    s.acted = m_acted;
    s.placingChosen = m_placingChosen;
    s.mustTrade = m_mustTrade;
    s.takeFrom = m_takeFrom;
    s.takeTo = m_takeTo;
    s.takeMin = m_takeMin;
    s.remainingMs = m_deadline < 0 ? -1 : std::max<std::int64_t>(0, m_deadline - m_clock.nowMs());
    return s;
}

namespace {

// Far beyond any real game, low enough that no sum of them overflows.
constexpr int MaxCount = 1'000'000;

bool inRange(int v, int low, int high)
{
    return v >= low && v <= high;
}

bool cardsValid(const std::vector<int>& cards, int most)
{
    return int(cards.size()) <= most && std::all_of(cards.begin(), cards.end(), [](int c) {
               return inRange(c, 0, GameEngine::Joker);
           });
}

} // namespace

bool GameEngine::restore(const State& s, QString* why)
{
    const int n = m_board->countryCount();
    const int cardCount = n + Jokers;
    const auto seatOrNone = [](int v) {
        return inRange(v, -1, SeatCount - 1);
    };
    const QString fault = [&]() -> QString {
        if (s.seats != m_seats)
            return QStringLiteral("the seats taking part differ");
        if (int(s.owners.size()) != n || int(s.armies.size()) != n || int(s.movedIn.size()) != n)
            return QStringLiteral("the countries do not match the map's %1").arg(n);
        for (int c = 0; c < n; ++c) {
            const int owner = s.owners[size_t(c)];
            if (owner != -1 && !takesPart(owner))
                return QStringLiteral("country %1 has no owner at the table").arg(c);
            if (!inRange(s.armies[size_t(c)], 0, MaxCount) ||
                !inRange(s.movedIn[size_t(c)], 0, s.armies[size_t(c)]))
                return QStringLiteral("country %1 has armies out of range").arg(c);
        }
        for (int i = 0; i < SeatCount; ++i) {
            const State::Seat& seat = s.seat[size_t(i)];
            if ((seat.active && !takesPart(i)) || !inRange(seat.countries, 0, n) ||
                !cardsValid(seat.cards, cardCount) || !inRange(seat.capital, -1, n - 1) ||
                !inRange(seat.setupArmies, 0, MaxCount) ||
                !inRange(seat.lastReinforcements, 0, MaxCount))
                return QStringLiteral("seat %1 is out of range").arg(i);
        }
        if (!cardsValid(s.deck, cardCount) || !cardsValid(s.discards, cardCount))
            return QStringLiteral("the deck or the discards are out of range");
        if (!inRange(int(s.step), int(Step::Setup), int(Step::Over)) || !seatOrNone(s.current) ||
            !seatOrNone(s.firstSeat) || !seatOrNone(s.winner))
            return QStringLiteral("the step or a seat number is out of range");
        if (s.step != Step::Setup && s.step != Step::Over &&
            (s.current < 0 || !s.seat[size_t(s.current)].active))
            return QStringLiteral("the turn belongs to no seat in the game");
        if (!inRange(s.round, 0, MaxCount) || !inRange(s.turns, 0, MaxCount) ||
            !inRange(s.pool, 0, MaxCount) || !inRange(s.setsTraded, 0, MaxCount) ||
            !inRange(s.startingArmies, 0, MaxCount) || s.remainingMs < -1)
            return QStringLiteral("a counter is out of range");
        const bool takeFits = s.step == Step::Take
                                  ? inRange(s.takeFrom, 0, n - 1) && inRange(s.takeTo, 0, n - 1) &&
                                        s.owners[size_t(s.takeFrom)] == s.current &&
                                        s.owners[size_t(s.takeTo)] == s.current &&
                                        inRange(s.takeMin, 0, s.armies[size_t(s.takeFrom)] - 1)
                                  : s.takeFrom == -1 && s.takeTo == -1;
        if (!takeFits)
            return QStringLiteral("the pending conquest does not fit the board");
        return {};
    }();
    if (!fault.isEmpty()) {
        if (why)
            *why = fault;
        return false;
    }

    m_owner = s.owners;
    refreshSight();
    m_armies = s.armies;
    m_movedIn = s.movedIn;
    for (int i = 0; i < SeatCount; ++i) {
        const State::Seat& from = s.seat[size_t(i)];
        m_seat[size_t(i)] = {
            from.active,     from.countries,         from.cards, from.capital, from.setupArmies,
            from.setupActed, from.lastReinforcements};
    }
    m_deck = s.deck;
    m_discards = s.discards;
    m_events.clear();
    m_step = s.step;
    m_startingArmies = s.startingArmies;
    m_current = s.current;
    m_firstSeat = s.firstSeat;
    m_winner = s.winner;
    m_round = s.round;
    m_turns = s.turns;
    m_pool = s.pool;
    m_setsTraded = s.setsTraded;
    m_conquered = s.conquered;
    m_acted = s.acted;
    m_placingChosen = s.placingChosen;
    m_mustTrade = s.mustTrade;
    m_takeFrom = s.takeFrom;
    m_takeTo = s.takeTo;
    m_takeMin = s.takeMin;
    m_deadline = s.remainingMs < 0 ? -1 : m_clock.nowMs() + s.remainingMs;
    return true;
}
