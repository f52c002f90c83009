#include "battleodds.h"
#include "clock.h"
#include "gameengine.h"
#include "random.h"
#include "robot.h"
#include "testboards.h"

#include <QTest>

#include <deque>

namespace {

class ManualClock : public Clock
{
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 0;
};

// Dice come from a script while it lasts; everything else from a seed.
class ScriptedDice : public Random
{
public:
    explicit ScriptedDice(std::uint64_t seed = 1) : m_rest(seed) {}
    int uniform(int low, int high) override
    {
        if (low == 1 && high == 6 && !dice.empty()) {
            const int d = dice.front();
            dice.pop_front();
            return d;
        }
        return m_rest.uniform(low, high);
    }
    std::deque<int> dice;

private:
    SeededRandom m_rest;
};

template <class T> QList<T> eventsOf(const std::vector<GameEvent>& events)
{
    QList<T> out;
    for (const GameEvent& e : events) {
        if (const auto* p = std::get_if<T>(&e.what))
            out.append(*p);
    }
    return out;
}

template <class T> bool has(const std::vector<GameEvent>& events)
{
    return !eventsOf<T>(events).isEmpty();
}

// The opcode-like kind of each event, for order checks.
QList<int> kinds(const std::vector<GameEvent>& events)
{
    QList<int> out;
    for (const GameEvent& e : events)
        out.append(int(e.what.index()));
    return out;
}

int kind(const GameEventPayload& p)
{
    return int(p.index());
}

// A robot's answer in the words of a bug report.
QString describe(const GameAction& a)
{
    if (const auto* x = std::get_if<action::Attack>(&a))
        return QStringLiteral("attack %1 %2").arg(x->from).arg(x->to);
    if (const auto* t = std::get_if<action::Take>(&a))
        return QStringLiteral("take %1").arg(t->armies);
    if (const auto* m = std::get_if<action::Move>(&a))
        return QStringLiteral("move %1 %2 %3").arg(m->from).arg(m->to).arg(m->armies);
    if (const auto* p = std::get_if<action::Place>(&a))
        return QStringLiteral("place %1").arg(p->country);
    if (const auto* e = std::get_if<action::Exchange>(&a))
        return QStringLiteral("exchange %1 %2 %3")
            .arg(e->cards[0])
            .arg(e->cards[1])
            .arg(e->cards[2]);
    if (std::holds_alternative<action::PlaceArmies>(a))
        return QStringLiteral("place first");
    return std::holds_alternative<action::EndTurn>(a) ? QStringLiteral("end") : QString();
}

using Refusal = GameEngine::Refusal;
using Step = GameEngine::Step;

struct Table
{
    explicit Table(const GameRules& rules = {}, std::uint8_t seats = 0b11)
        : engine(lineBoard(), rules, seats, dice, clock)
    {}
    // Seat 0: A, B, C, D; seat 1: E, F.
    void standard(int armiesA = 5, int armiesD = 5, int armiesE = 3)
    {
        startFrom({.owners = {0, 0, 0, 0, 1, 1}, .armies = {armiesA, 1, 1, armiesD, armiesE, 1}});
    }
    void startFrom(const GameEngine::Position& p)
    {
        engine.startFrom(p);
        events = engine.takeEvents();
    }
    // Seat 0 chooses to place and puts every army on the country.
    void placeAll(int country)
    {
        apply(0, action::PlaceArmies{});
        apply(0, action::Place{country, true});
    }
    Refusal apply(int seat, const GameAction& a)
    {
        const Refusal r = engine.apply(seat, a);
        events = engine.takeEvents();
        return r;
    }
    // The index of one of the seat's countries.
    int countryOf(int seat) const
    {
        int c = 0;
        while (engine.owner(c) != seat)
            ++c;
        return c;
    }
    std::vector<int> armies() const
    {
        std::vector<int> out;
        for (int c = 0; c < engine.board().countryCount(); ++c)
            out.push_back(engine.armies(c));
        return out;
    }

    ScriptedDice dice;
    ManualClock clock;
    GameEngine engine;
    std::vector<GameEvent> events;
};

} // namespace

class TestGameEngine : public QObject
{
    Q_OBJECT

private slots:
    void startingArmies();
    void continentsKnowTheirEntrances();
    void dealingAndTheFirstPlacing();
    void capitalsComeBeforePlacing();
    void decideOrPlaceBeforeAttack();
    void attackRoundsAndTheirEvents();
    void doOrDieConquersAndTakeHasLimits();
    void invalidAttacksChangeNothing_data();
    void invalidAttacksChangeNothing();
    void movesAreLimitedToArmiesThatHaveNotMoved();
    void aConquestEarnsOneCardAtTheEnd();
    void exchangesAndForcedExchange();
    void eliminationHandsOverCardsAndEndsTheGame();
    void timerModes_data();
    void timerModes();
    void timeRunsOutInTheFirstPlacing();
    void departedSeatStaysOnTheBoard();
    void snapshotForAReturningPlayer();
    void diceMatchTheBattleTables_data();
    void diceMatchTheBattleTables();
    void hardRobotDecisions_data();
    void hardRobotDecisions();
    void hardRobotPlacesItsFirstArmiesTogether();
    void hardRobotOpensAgainstOneRival_data();
    void hardRobotOpensAgainstOneRival();
    void easyRobotDecisions_data();
    void easyRobotDecisions();
    void robotsDecideOnlyByWhatTheirSeatIsTold_data();
    void robotsDecideOnlyByWhatTheirSeatIsTold();
};

void TestGameEngine::startingArmies()
{
    // The classic count scaled to the map, capped by the fewest countries
    // dealt, and at least the most dealt.
    QCOMPARE(GameEngine::startingArmies(4, 43, 10, 11), 31);
    QCOMPARE(GameEngine::startingArmies(6, 12, 2, 2), 6);
    QCOMPARE(GameEngine::startingArmies(6, 6, 1, 1), 3);
}

void TestGameEngine::continentsKnowTheirEntrances()
{
    // A country counts once however many foreign neighbours it has: on the
    // ring, 10 borders 11 and, by a chord, 25.
    const auto line = lineBoard();
    QCOMPARE(line->continent(0).entrances, 1);
    QCOMPARE(line->continent(1).entrances, 1);
    const auto ring = ringBoard();
    for (int k = 0; k < ring->continentCount(); ++k)
        QCOMPARE(ring->continent(k).entrances, 3);
}

void TestGameEngine::dealingAndTheFirstPlacing()
{
    Table t;
    t.engine.start();
    t.events = t.engine.takeEvents();
    // Every country dealt with one army, then the armies, then the clock.
    QList<int> expected(6, kind(event::Country{}));
    expected << kind(event::Init{}) << kind(event::Clock{});
    QCOMPARE(kinds(t.events), expected);
    QCOMPARE(t.engine.countriesOf(0), 3);
    QCOMPARE(t.engine.countriesOf(1), 3);
    QCOMPARE(eventsOf<event::Init>(t.events).front().armies, 6);
    QCOMPARE(t.engine.setupArmiesLeft(0), 3);

    const int own0 = t.countryOf(0);
    const int own1 = t.countryOf(1);
    const int n0 = t.engine.board().number(own0);
    const int n1 = t.engine.board().number(own1);
    const std::vector<int> before = t.armies();
    QCOMPARE(t.apply(0, action::Place{n1, false}), Refusal::NotYourCountry);
    QCOMPARE(t.apply(0, action::Place{99, false}), Refusal::UnknownCountry);
    QCOMPARE(t.apply(0, action::Capital{n0}), Refusal::WrongStep);
    QCOMPARE(t.armies(), before);
    QVERIFY(t.events.empty());

    QCOMPARE(t.apply(0, action::Place{n0, false}), Refusal::None);
    QCOMPARE(t.engine.armies(own0), 2);
    QCOMPARE(eventsOf<event::Country>(t.events).front().armies, 2);
    QCOMPARE(t.apply(0, action::Place{n0, true}), Refusal::None);
    QCOMPARE(t.engine.armies(own0), 4);
    QCOMPARE(t.apply(0, action::Place{n0, false}), Refusal::NothingToPlace);
    QCOMPARE(t.engine.step(), Step::Setup);

    // The last placement starts the first turn: its clock, then the choice.
    QCOMPARE(t.apply(1, action::Place{n1, true}), Refusal::None);
    QCOMPARE(t.engine.step(), Step::Decide);
    const QList<int> tail = kinds(t.events).mid(1);
    QCOMPARE(tail, (QList<int>{kind(event::Clock{}), kind(event::Decide{})}));
    QCOMPARE(t.engine.armiesOf(0), 6);
    QCOMPARE(t.engine.armiesOf(1), 6);

    // Blind, each seat is told of its own countries and their neighbours.
    Table u(GameRules{.blind = true});
    u.engine.start();
    u.events = u.engine.takeEvents();
    for (const GameEvent& e : u.events) {
        const auto* c = std::get_if<event::Country>(&e.what);
        if (!c)
            continue;
        QVERIFY(e.to.watchers);
        for (int seat = 0; seat < 2; ++seat)
            QCOMPARE(e.to.has(seat), u.engine.sees(seat, u.engine.board().indexOf(c->country)));
    }
}

void TestGameEngine::capitalsComeBeforePlacing()
{
    Table t(GameRules{.capitals = true});
    t.engine.start();
    t.engine.takeEvents();
    const int mine = t.engine.board().number(t.countryOf(0));
    const int theirs = t.engine.board().number(t.countryOf(1));
    QCOMPARE(t.engine.need(0), GameEngine::Need::Capital);
    QCOMPARE(t.apply(0, action::Place{mine, false}), Refusal::CapitalFirst);
    QCOMPARE(t.apply(0, action::Capital{theirs}), Refusal::NotYourCountry);
    QCOMPARE(t.apply(0, action::Capital{mine}), Refusal::None);
    // Capitals are secret: nobody is told.
    QVERIFY(t.events.empty());
    QCOMPARE(t.apply(0, action::Capital{mine}), Refusal::CapitalChosen);
    QCOMPARE(t.engine.need(0), GameEngine::Need::PlaceInitial);
    QCOMPARE(t.apply(0, action::Place{mine, true}), Refusal::None);

    Table u(GameRules{.capitals = true});
    u.startFrom({.owners = {0, 0, 0, 0, 1, 1},
                 .armies = {1, 1, 1, 9, 1, 4},
                 .capitals = {0, 4, -1, -1, -1, -1}});
    u.placeAll(1);
    u.dice.dice = {6, 6, 6, 1};
    // Taking seat 1's capital while holding one's own wins, though seat 1
    // still holds a country.
    QCOMPARE(u.apply(0, action::Attack{4, 5, 3, false}), Refusal::None);
    QVERIFY(u.engine.isOver());
    QCOMPARE(u.engine.winner(), 0);
    QCOMPARE(u.engine.countriesOf(1), 1);
    QCOMPARE(u.engine.armies(4), 3);
}

void TestGameEngine::decideOrPlaceBeforeAttack()
{
    Table t;
    t.standard();
    // Four countries (at least 3) and the whole West (2); two countries.
    QCOMPARE(t.engine.reinforcements(1), 3);
    QCOMPARE(eventsOf<event::Decide>(t.events).size(), 1);
    QCOMPARE(t.apply(0, action::Place{1, false}), Refusal::WrongStep);
    QCOMPARE(t.apply(0, action::EndTurn{}), Refusal::WrongStep);
    QCOMPARE(t.apply(0, action::Move{1, 2, 1}), Refusal::WrongStep);
    QCOMPARE(t.apply(1, action::PlaceArmies{}), Refusal::NotYourTurn);
    QCOMPARE(t.apply(0, action::PlaceArmies{}), Refusal::None);
    QCOMPARE(eventsOf<event::Place>(t.events).front().armies, 5);
    QCOMPARE(t.apply(0, action::Place{5, false}), Refusal::NotYourCountry);
    QCOMPARE(t.apply(0, action::Place{1, false}), Refusal::None);
    QCOMPARE(t.engine.pool(), 4);
    QVERIFY(!has<event::More>(t.events));
    QCOMPARE(t.apply(0, action::Place{4, true}), Refusal::None);
    QCOMPARE(t.engine.armies(3), 9);
    QCOMPARE(eventsOf<event::More>(t.events).size(), 1);

    // Attacking first keeps the choice open after every attack.
    Table u;
    u.standard();
    u.dice.dice = {6, 6, 6, 1, 1};
    QCOMPARE(u.apply(0, action::Attack{4, 5, 3, false}), Refusal::None);
    QCOMPARE(u.engine.step(), Step::Decide);
    QCOMPARE(eventsOf<event::Decide>(u.events).size(), 1);

    Table v(GameRules{.placeBeforeAttack = true});
    v.standard();
    QCOMPARE(eventsOf<event::Place>(v.events).front().armies, 5);
    QCOMPARE(v.apply(0, action::Attack{4, 5, 3, false}), Refusal::WrongStep);
    QCOMPARE(v.apply(0, action::PlaceArmies{}), Refusal::WrongStep);
}

void TestGameEngine::attackRoundsAndTheirEvents()
{
    Table t;
    t.standard(5, 6, 3);
    t.placeAll(1);
    // 6 4 1 against 5 4: each side loses one, the tie to the defender.
    t.dice.dice = {6, 1, 4, 5, 4};
    QCOMPARE(t.apply(0, action::Attack{4, 5, 3, false}), Refusal::None);
    QCOMPARE(t.engine.armies(3), 5);
    QCOMPARE(t.engine.armies(4), 2);
    QCOMPARE(kinds(t.events),
             (QList<int>{kind(event::Attack{}), kind(event::Dice{}), kind(event::Country{}),
                         kind(event::Country{}), kind(event::More{})}));
    const event::Dice d = eventsOf<event::Dice>(t.events).front();
    QCOMPARE(d.attacker, 0);
    QCOMPARE(d.defender, 1);
    QCOMPARE(d.attack, (std::array<int, 3>{6, 4, 1}));
    QCOMPARE(d.defence, (std::array<int, 2>{5, 4}));
}

void TestGameEngine::doOrDieConquersAndTakeHasLimits()
{
    Table t;
    t.standard(5, 8, 3);
    t.placeAll(1);
    // Round one: both lose one (3 left on E, 7 on D... then 2); round two the
    // defence falls.
    t.dice.dice = {6, 2, 1, 5, 5, 6, 6, 6, 1, 1};
    QCOMPARE(t.apply(0, action::Attack{4, 5, 3, true}), Refusal::None);
    QCOMPARE(eventsOf<event::Dice>(t.events).size(), 2);
    QCOMPARE(t.engine.owner(4), 0);
    QCOMPARE(t.engine.armies(4), 0);
    QCOMPARE(t.engine.step(), Step::Take);
    const event::Take take = eventsOf<event::Take>(t.events).front();
    QCOMPARE(take.from, 4);
    QCOMPARE(take.to, 5);
    QCOMPARE(take.minimum, 3);
    const event::Country conquered = eventsOf<event::Country>(t.events).back();
    QCOMPARE(conquered.country, 5);
    QCOMPARE(conquered.owner, 0);

    QCOMPARE(t.apply(0, action::EndTurn{}), Refusal::WrongStep);
    QCOMPARE(t.apply(0, action::Take{2}), Refusal::BadArmies);
    QCOMPARE(t.apply(0, action::Take{7}), Refusal::BadArmies);
    QCOMPARE(t.apply(0, action::Take{6}), Refusal::None);
    QCOMPARE(t.engine.armies(3), 1);
    QCOMPARE(t.engine.armies(4), 6);
    QCOMPARE(eventsOf<event::More>(t.events).size(), 1);

    // Do or die stops with one army left.
    Table u;
    u.standard(5, 3, 9);
    u.placeAll(1);
    u.dice.dice = {1, 1, 6, 6, 1, 6};
    QCOMPARE(u.apply(0, action::Attack{4, 5, 2, true}), Refusal::None);
    QCOMPARE(u.engine.armies(3), 1);
    QCOMPARE(u.engine.owner(4), 1);
    QCOMPARE(eventsOf<event::Dice>(u.events).size(), 1);
}

void TestGameEngine::invalidAttacksChangeNothing_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("dice");
    QTest::addColumn<int>("refusal");
    QTest::newRow("own target") << 3 << 4 << 1 << int(Refusal::OwnCountry);
    QTest::newRow("not neighbours") << 1 << 5 << 1 << int(Refusal::NotNeighbours);
    QTest::newRow("from a foreign country") << 5 << 4 << 1 << int(Refusal::NotYourCountry);
    QTest::newRow("one army") << 3 << 2 << 1 << int(Refusal::OwnCountry);
    QTest::newRow("no dice") << 4 << 5 << 0 << int(Refusal::BadDice);
    QTest::newRow("four dice") << 4 << 5 << 4 << int(Refusal::BadDice);
    QTest::newRow("unknown country") << 4 << 9 << 1 << int(Refusal::UnknownCountry);
}

void TestGameEngine::invalidAttacksChangeNothing()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, dice);
    QFETCH(int, refusal);
    Table t;
    t.standard();
    const std::vector<int> before = t.armies();
    QCOMPARE(int(t.apply(0, action::Attack{from, to, dice, false})), refusal);
    QCOMPARE(t.armies(), before);
    QVERIFY(t.events.empty());
    QCOMPARE(t.engine.step(), Step::Decide);

    // More dice than armies to spare, and an attack from a lone army.
    Table u;
    u.standard(5, 3, 3);
    QCOMPARE(u.apply(0, action::Attack{4, 5, 3, false}), Refusal::BadDice);
    u.startFrom({.owners = {0, 0, 0, 0, 1, 1}, .armies = {1, 1, 1, 1, 3, 1}});
    QCOMPARE(u.apply(0, action::Attack{4, 5, 1, false}), Refusal::TooFewArmies);
}

void TestGameEngine::movesAreLimitedToArmiesThatHaveNotMoved()
{
    Table t;
    t.standard(5, 5, 3);
    t.placeAll(1);
    QCOMPARE(t.apply(0, action::Move{1, 3, 1}), Refusal::NotNeighbours);
    QCOMPARE(t.apply(0, action::Move{4, 5, 1}), Refusal::NotYourCountry);
    QCOMPARE(t.apply(0, action::Move{1, 2, 10}), Refusal::BadArmies);
    QCOMPARE(t.apply(0, action::Move{1, 2, 9}), Refusal::None);
    QCOMPARE(t.engine.armies(0), 1);
    QCOMPARE(t.engine.armies(1), 10);
    QCOMPARE(eventsOf<event::More>(t.events).size(), 1);
    QCOMPARE(t.engine.step(), Step::Move);
    // The nine that arrived stay; the army that was there may go on.
    QCOMPARE(t.engine.movable(1), 1);
    QCOMPARE(t.apply(0, action::Move{2, 3, 2}), Refusal::BadArmies);
    QCOMPARE(t.apply(0, action::Move{2, 3, 1}), Refusal::None);
    // After a move the attacks are over.
    QCOMPARE(t.apply(0, action::Attack{4, 5, 3, false}), Refusal::WrongStep);
    QCOMPARE(t.apply(0, action::EndTurn{}), Refusal::None);
}

void TestGameEngine::aConquestEarnsOneCardAtTheEnd()
{
    Table t(GameRules{}, 0b111);
    t.startFrom({.owners = {0, 0, 2, 0, 1, 1}, .armies = {1, 1, 3, 9, 1, 1}});
    t.placeAll(4);
    t.dice.dice = {6, 6, 6, 1};
    t.apply(0, action::Attack{4, 5, 3, false});
    t.apply(0, action::Take{3});
    t.dice.dice = {6, 6, 1};
    QCOMPARE(t.apply(0, action::Attack{5, 6, 2, false}), Refusal::None);
    QCOMPARE(eventsOf<event::SeatOut>(t.events).front().seat, 1);
    QCOMPARE(t.apply(0, action::Take{2}), Refusal::None);
    QCOMPARE(t.apply(0, action::EndTurn{}), Refusal::None);
    const QList<event::Card> cards = eventsOf<event::Card>(t.events);
    QCOMPARE(cards.size(), 1);
    QCOMPARE(t.engine.cards(0).size(), size_t(1));
    for (const GameEvent& e : t.events) {
        if (std::holds_alternative<event::Card>(e.what)) {
            QVERIFY(e.to.has(0));
            QVERIFY(!e.to.has(2) && !e.to.watchers);
        }
    }
    QCOMPARE(eventsOf<event::CardCount>(t.events).front().count, 1);
    QCOMPARE(kinds(t.events).back(), kind(event::Decide{}));
    QCOMPARE(t.engine.currentSeat(), 2);
    // The next seat conquers nothing and gets nothing.
    t.apply(2, action::PlaceArmies{});
    t.apply(2, action::Place{3, true});
    t.apply(2, action::EndTurn{});
    QVERIFY(t.engine.cards(2).empty());
}

void TestGameEngine::exchangesAndForcedExchange()
{
    Table t(GameRules{.increasingCards = true});
    GameEngine::Position p{.owners = {0, 0, 0, 0, 1, 1}, .armies = {1, 1, 1, 1, 1, 1}};
    p.cards[0] = {0, 0, 1, 2, 2};
    t.startFrom(p);
    QCOMPARE(eventsOf<event::MustExchange>(t.events).front().seat, 0);
    QCOMPARE(t.engine.step(), Step::Exchange);
    QCOMPARE(t.apply(0, action::PlaceArmies{}), Refusal::WrongStep);
    QCOMPARE(t.apply(0, action::Exchange{{0, 0, 1}}), Refusal::NotASet);
    QCOMPARE(t.apply(0, action::Exchange{{1, 1, 1}}), Refusal::NotYourCards);
    QCOMPARE(t.engine.cards(0).size(), size_t(5));
    QCOMPARE(t.apply(0, action::Exchange{{0, 1, 2}}), Refusal::None);
    QCOMPARE(eventsOf<event::Exchanged>(t.events).front().armies, 4);
    QCOMPARE(eventsOf<event::CardCount>(t.events).front().count, 2);
    // Down to two cards: the turn goes on with the choice, the set's armies
    // added to the reinforcements.
    QCOMPARE(kinds(t.events).back(), kind(event::Decide{}));
    QCOMPARE(t.engine.pool(), 3 + 2 + 4);
    QCOMPARE(t.engine.cards(0), (std::vector<int>{0, 2}));

    // A voluntary exchange while placing announces the new total.
    Table u(GameRules{.increasingCards = true});
    p.cards[0] = {2, 2, 3};
    u.startFrom(p);
    u.apply(0, action::PlaceArmies{});
    u.apply(0, action::Place{1, false});
    QCOMPARE(u.apply(0, action::Exchange{{2, 3, 2}}), Refusal::None);
    QCOMPARE(eventsOf<event::Place>(u.events).front().armies, 4 + 4);
    QCOMPARE(u.apply(0, action::Place{1, true}), Refusal::None);
    QCOMPARE(u.apply(0, action::Exchange{{2, 3, 2}}), Refusal::WrongStep);

    // Fixed values by kind: footmen, horsemen, cannons, one of each; a joker
    // makes the best set it can.
    Table plain;
    const QList<std::pair<std::array<int, 3>, int>> fixed = {
        {{2, 2, 2}, 4}, {{0, 0, 0}, 6}, {{0, 1, 2}, 10}, {{1, 3, 1}, 8}, {{3, 3, 3}, 10}};
    for (const auto& [cards, value] : fixed)
        QCOMPARE(plain.engine.setValue(cards), value);
    QVERIFY(!GameEngine::isSet({4, 4, 4}));
    QList<int> values;
    for (int n = 0; n < 9; ++n)
        values.append(GameEngine::increasingSetValue(n));
    QCOMPARE(values, (QList<int>{4, 6, 8, 10, 12, 15, 20, 25, 30}));
}

void TestGameEngine::eliminationHandsOverCardsAndEndsTheGame()
{
    Table t(GameRules{.receiveCards = true}, 0b111);
    GameEngine::Position p{.owners = {0, 0, 0, 0, 1, 2}, .armies = {1, 1, 1, 9, 1, 1}};
    p.cards[0] = {0, 1, 2};
    p.cards[1] = {0, 0, 1};
    t.startFrom(p);
    t.placeAll(4);
    t.dice.dice = {6, 6, 6, 1};
    QCOMPARE(t.apply(0, action::Attack{4, 5, 3, false}), Refusal::None);
    QCOMPARE(eventsOf<event::SeatOut>(t.events).front().seat, 1);
    QCOMPARE(eventsOf<event::Card>(t.events).size(), 3);
    QCOMPARE(t.engine.cards(0).size(), size_t(6));
    QVERIFY(t.engine.cards(1).empty());
    QVERIFY(!t.engine.isActive(1));
    QCOMPARE(t.engine.step(), Step::Take);
    // Six cards after a defeat: trade at once, down to four or fewer, and
    // place what the sets bring.
    t.apply(0, action::Take{3});
    QCOMPARE(t.engine.step(), Step::Exchange);
    QCOMPARE(t.apply(0, action::Attack{5, 6, 3, false}), Refusal::WrongStep);
    QCOMPARE(t.apply(0, action::Exchange{{0, 1, 2}}), Refusal::None);
    QCOMPARE(t.engine.step(), Step::Place);
    QCOMPARE(t.apply(0, action::Place{5, true}), Refusal::None);
    QCOMPARE(t.engine.step(), Step::Attack);

    t.dice.dice = {6, 6, 6, 1};
    QCOMPARE(t.apply(0, action::Attack{5, 6, 3, true}), Refusal::None);
    QVERIFY(t.engine.isOver());
    QCOMPARE(t.engine.winner(), 0);
    QCOMPARE(kinds(t.events).back(), kind(event::Winner{}));
    QCOMPARE(t.apply(0, action::EndTurn{}), Refusal::GameOver);
    QCOMPARE(t.engine.deadline(), -1);
}

void TestGameEngine::timerModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("acted");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("removed");
    QTest::newRow("mode 0 removes") << 0 << true << false << true;
    QTest::newRow("mode 1 removes the idle") << 1 << false << false << true;
    QTest::newRow("mode 1 ends an active turn") << 1 << true << false << false;
    QTest::newRow("mode 2 ends the turn") << 2 << false << false << false;
    QTest::newRow("mode 0 with a replacing robot") << 0 << false << true << false;
}

void TestGameEngine::timerModes()
{
    QFETCH(int, mode);
    QFETCH(bool, acted);
    QFETCH(bool, replace);
    QFETCH(bool, removed);
    Table t(GameRules{.timeoutSeconds = 60, .timerMode = mode, .replaceRobots = replace}, 0b111);
    t.startFrom({.owners = {0, 0, 1, 1, 2, 2}, .armies = {3, 1, 3, 1, 3, 1}});
    QCOMPARE(eventsOf<event::Clock>(t.events).front().seconds, 60);
    QCOMPARE(t.engine.deadline(), 60'000);
    if (acted)
        QCOMPARE(t.apply(0, action::PlaceArmies{}), Refusal::None);

    t.clock.now = 59'999;
    t.engine.checkTimer();
    QVERIFY(t.engine.takeEvents().empty());
    t.clock.now = 60'000;
    t.engine.checkTimer();
    t.events = t.engine.takeEvents();
    QCOMPARE(has<event::SeatOut>(t.events), removed);
    QCOMPARE(t.engine.isActive(0), !removed);
    QCOMPARE(has<event::SeatReplaced>(t.events), replace);
    if (replace) {
        // The robot plays on in the same turn, with a fresh clock.
        QCOMPARE(t.engine.currentSeat(), 0);
        QCOMPARE(t.engine.deadline(), 120'000);
        return;
    }
    QCOMPARE(t.engine.currentSeat(), 1);
    QVERIFY(has<event::TurnEnd>(t.events));
    QCOMPARE(t.engine.deadline(), 120'000);
    // Armies left unplaced are lost; the countries of a removed seat stay.
    QCOMPARE(t.engine.armies(0), 3);
    QCOMPARE(t.engine.owner(0), 0);
    if (mode != 1)
        return;
    // A turn begun by the previous player's last request counts as idle
    // until its own player acts.
    QCOMPARE(t.apply(1, action::PlaceArmies{}), Refusal::None);
    QCOMPARE(t.apply(1, action::Place{3, true}), Refusal::None);
    QCOMPARE(t.apply(1, action::EndTurn{}), Refusal::None);
    QCOMPARE(t.engine.currentSeat(), 2);
    t.clock.now = t.engine.deadline();
    t.engine.checkTimer();
    QVERIFY(has<event::SeatOut>(t.engine.takeEvents()));
    QVERIFY(!t.engine.isActive(2));
}

void TestGameEngine::timeRunsOutInTheFirstPlacing()
{
    for (int mode : {0, 2}) {
        Table t(GameRules{.timeoutSeconds = 30, .timerMode = mode});
        t.engine.start();
        t.engine.takeEvents();
        t.clock.now = 30'000;
        t.engine.checkTimer();
        t.events = t.engine.takeEvents();
        if (mode == 0) {
            // Both were idle: both are out and nobody wins.
            QCOMPARE(eventsOf<event::SeatOut>(t.events).size(), 2);
            QVERIFY(t.engine.isOver());
            QCOMPARE(t.engine.winner(), -1);
        } else {
            // Their armies are placed for them and the first turn begins.
            QCOMPARE(t.engine.armiesOf(0), 6);
            QCOMPARE(t.engine.armiesOf(1), 6);
            QVERIFY(has<event::Decide>(t.events));
        }
    }
}

void TestGameEngine::departedSeatStaysOnTheBoard()
{
    Table t(GameRules{}, 0b111);
    GameEngine::Position p{.owners = {0, 0, 1, 1, 2, 2}, .armies = {3, 1, 3, 1, 3, 1}};
    p.cards[0] = {0, 1};
    t.startFrom(p);
    t.engine.removeSeat(0);
    t.events = t.engine.takeEvents();
    QCOMPARE(kinds(t.events).mid(0, 2),
             (QList<int>{kind(event::SeatOut{}), kind(event::TurnEnd{})}));
    QCOMPARE(t.engine.currentSeat(), 1);
    QCOMPARE(t.engine.owner(0), 0);
    QVERIFY(t.engine.cards(0).empty());
    QCOMPARE(t.apply(0, action::EndTurn{}), Refusal::NotInGame);
    // The last one standing wins.
    t.engine.removeSeat(2);
    t.events = t.engine.takeEvents();
    QCOMPARE(t.engine.winner(), 1);
}

void TestGameEngine::snapshotForAReturningPlayer()
{
    Table t(GameRules{.timeoutSeconds = 90, .hideCards = true, .blind = true});
    GameEngine::Position p{.owners = {0, 0, 0, 1, 1, 1}, .armies = {2, 2, 2, 2, 2, 2}};
    p.cards[0] = {0};
    p.cards[1] = {1, 2};
    t.startFrom(p);
    t.clock.now = 30'500;
    const std::vector<GameEventPayload> s = t.engine.snapshot(1);
    QList<int> countries;
    QList<int> cards;
    QList<int> counts;
    for (const GameEventPayload& e : s) {
        if (const auto* c = std::get_if<event::Country>(&e))
            countries.append(c->country);
        if (const auto* c = std::get_if<event::Card>(&e))
            cards.append(c->card);
        if (const auto* c = std::get_if<event::CardCount>(&e))
            counts.append(c->seat);
    }
    QCOMPARE(countries, (QList<int>{3, 4, 5, 6}));
    QCOMPARE(cards, (QList<int>{1, 2}));
    QCOMPARE(counts, (QList<int>{1}));
    QCOMPARE(kind(s[s.size() - 2]), kind(event::Clock{}));
    QCOMPARE(std::get<event::Clock>(s[s.size() - 2]).seconds, 60);
    QCOMPARE(std::get<event::Decide>(s.back()).seat, 0);
    // A watcher sees the whole board and no hand.
    const std::vector<GameEventPayload> w = t.engine.snapshot(-1);
    QCOMPARE(std::count_if(w.begin(), w.end(),
                           [](const auto& e) { return std::holds_alternative<event::Country>(e); }),
             6);
    QVERIFY(std::none_of(w.begin(), w.end(),
                         [](const auto& e) { return std::holds_alternative<event::Card>(e); }));
    // Past the choice, the snapshot ends with what the seat may do next.
    t.apply(0, action::PlaceArmies{});
    QCOMPARE(kind(t.engine.snapshot(0).back()), kind(event::Place{}));
    t.apply(0, action::Place{1, true});
    QCOMPARE(kind(t.engine.snapshot(0).back()), kind(event::More{}));
}

void TestGameEngine::diceMatchTheBattleTables_data()
{
    QTest::addColumn<int>("attack");
    QTest::addColumn<int>("defence");
    // Of all the rolls, how many cost the attacker 0, 1 and 2 armies: the
    // classic tables.
    QTest::addColumn<QList<int>>("losses");
    QTest::addRow("3 against 2") << 3 << 2 << QList<int>{2890, 2611, 2275};
    QTest::addRow("2 against 2") << 2 << 2 << QList<int>{295, 420, 581};
    QTest::addRow("1 against 2") << 1 << 2 << QList<int>{55, 161};
    QTest::addRow("3 against 1") << 3 << 1 << QList<int>{855, 441};
}

void TestGameEngine::diceMatchTheBattleTables()
{
    QFETCH(int, attack);
    QFETCH(int, defence);
    QFETCH(QList<int>, losses);
    // Every roll of the dice once, each in a fresh round.
    const int dice = attack + defence;
    int rolls = 1;
    for (int i = 0; i < dice; ++i)
        rolls *= 6;
    QList<int> seen(losses.size(), 0);
    for (int roll = 0; roll < rolls; ++roll) {
        Table t;
        t.standard(1, attack + 1, defence);
        for (int i = 0, r = roll; i < dice; ++i, r /= 6)
            t.dice.dice.push_back(1 + r % 6);
        QCOMPARE(t.apply(0, action::Attack{4, 5, attack, false}), Refusal::None);
        const int lost = attack + 1 - t.engine.armies(3);
        QVERIFY(lost >= 0 && lost < seen.size());
        ++seen[lost];
    }
    QCOMPARE(seen, losses);
    // The robots' exact odds agree.
    for (int k = 0; k < losses.size(); ++k)
        QCOMPARE(BattleOdds::round(attack, defence, k), double(losses[k]) / rolls);
    QCOMPARE(BattleOdds::round(attack, defence, int(losses.size())), 0.0);
}

// The rules and what else a decision-table row starts from, in a few words:
// rule names (increasing, receive, place-first, capitals, blind, hide) and
// sets=N (sets traded so far), capitalS=N (seat S's capital), toldS=N (what
// seat S was last given to place), handS=a,b,c (seat S's cards), taken=N
// (armies moved in after the conquest, the robot asked what next).
struct Situation
{
    GameRules rules;
    GameEngine::Position position;
    // Armies moved in after the test's conquest; 0: the robot decides.
    int taken = 0;
};

Situation situation(const QString& text)
{
    Situation s;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString key = word.section(QLatin1Char('='), 0, 0);
        const QString value = word.section(QLatin1Char('='), 1);
        const int seat = key.right(1).toInt();
        if (key == QLatin1String("increasing"))
            s.rules.increasingCards = true;
        else if (key == QLatin1String("receive"))
            s.rules.receiveCards = true;
        else if (key == QLatin1String("place-first"))
            s.rules.placeBeforeAttack = true;
        else if (key == QLatin1String("capitals"))
            s.rules.capitals = true;
        else if (key == QLatin1String("blind"))
            s.rules.blind = true;
        else if (key == QLatin1String("hide"))
            s.rules.hideCards = true;
        else if (key == QLatin1String("taken"))
            s.taken = value.toInt();
        else if (key == QLatin1String("sets"))
            s.position.setsTraded = value.toInt();
        else if (key.startsWith(QLatin1String("capital")))
            s.position.capitals[size_t(seat)] = value.toInt() - 1;
        else if (key.startsWith(QLatin1String("told")))
            s.position.lastReinforcements[size_t(seat)] = value.toInt();
        else if (key.startsWith(QLatin1String("hand"))) {
            for (const QString& card : value.split(QLatin1Char(',')))
                s.position.cards[size_t(seat)].push_back(card.toInt());
        } else
            qFatal("unknown word in a situation: %s", qPrintable(word));
    }
    return s;
}

void TestGameEngine::hardRobotDecisions_data()
{
    // The line A-B-C | D-E-F by country number 1 to 6; seat 0 is the robot.
    // In a blind game it sees only its own countries and their neighbours.
    // It is asked for its next action at the start of its turn (placeOn -1),
    // once it chose to place (0), or after its armies went to country
    // placeOn and, with conquer set, a won attack from conquer[0] to
    // conquer[1]. The last column names the rules and what else the game
    // starts from (see situation()).
    QTest::addColumn<QList<int>>("owners");
    QTest::addColumn<QList<int>>("armies");
    QTest::addColumn<QList<int>>("hand");
    QTest::addColumn<int>("placeOn");
    QTest::addColumn<QList<int>>("conquer");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("rules");
    QTest::newRow("completes the West rather than a card elsewhere")
        << QList<int>{0, 0, 1, 0, 1, 1} << QList<int>{1, 6, 2, 6, 1, 1} << QList<int>{} << 1
        << QList<int>{} << QStringLiteral("attack 2 3") << QString();
    QTest::newRow("breaks a rival's continent")
        << QList<int>{1, 1, 1, 0, 0, 0} << QList<int>{1, 1, 2, 8, 1, 1} << QList<int>{} << 6
        << QList<int>{} << QStringLiteral("attack 4 3") << QString();
    QTest::newRow("guards the held continent's gate")
        << QList<int>{0, 1, 1, 0, 0, 0} << QList<int>{2, 5, 5, 2, 1, 1} << QList<int>{} << 0
        << QList<int>{} << QStringLiteral("place 4") << QString();
    QTest::newRow("two rivals, each with two fronts to feed: guard and strike")
        << QList<int>{0, 0, 1, 0, 2, 2} << QList<int>{1, 3, 1, 3, 5, 1} << QList<int>{} << 0
        << QList<int>{} << QStringLiteral("place 4") << QString();
    QTest::newRow("no attack against the odds")
        << QList<int>{0, 0, 0, 1, 1, 1} << QList<int>{1, 1, 4, 12, 1, 1} << QList<int>{} << 3
        << QList<int>{} << QStringLiteral("end") << QString();
    QTest::newRow("the conquest faces the enemy: everything goes in")
        << QList<int>{0, 0, 0, 0, 1, 1} << QList<int>{1, 1, 1, 10, 1, 8} << QList<int>{} << 1
        << QList<int>{4, 5} << QStringLiteral("take 9") << QString();
    QTest::newRow("the conquest is safe: the armies stay on guard")
        << QList<int>{0, 1, 0, 2, 0, 0} << QList<int>{1, 8, 10, 1, 1, 1} << QList<int>{} << 1
        << QList<int>{3, 4} << QStringLiteral("take 3") << QString();
    QTest::newRow("idle armies go to the front")
        << QList<int>{0, 0, 0, 1, 1, 1} << QList<int>{1, 8, 1, 6, 1, 1} << QList<int>{} << 1
        << QList<int>{} << QStringLiteral("move 2 3 7") << QString();
    QTest::newRow("one of each pays most: traded")
        << QList<int>{0, 0, 0, 1, 1, 1} << QList<int>{1, 1, 4, 4, 1, 1} << QList<int>{0, 1, 2} << -1
        << QList<int>{} << QStringLiteral("exchange 0 1 2") << QString();
    QTest::newRow("three footmen pay least: kept for a better set")
        << QList<int>{0, 0, 0, 1, 1, 1} << QList<int>{1, 1, 4, 4, 1, 1} << QList<int>{2, 2, 2} << -1
        << QList<int>{} << QStringLiteral("place first") << QString();
    QTest::newRow("a full hand trades its best set, the joker kept")
        << QList<int>{0, 0, 0, 1, 1, 1} << QList<int>{1, 1, 4, 4, 1, 1} << QList<int>{0, 3, 1, 2, 2}
        << -1 << QList<int>{} << QStringLiteral("exchange 0 1 2") << QString();

    // What the other rules change.
    QTest::newRow("sets have grown: three footmen are traded at once")
        << QList<int>{0, 0, 0, 1, 1, 1} << QList<int>{1, 1, 4, 4, 1, 1} << QList<int>{2, 2, 2} << -1
        << QList<int>{} << QStringLiteral("exchange 2 2 2") << QStringLiteral("increasing sets=5");
    QTest::newRow("placing comes first: the armies go out at once")
        << QList<int>{0, 1, 1, 0, 0, 0} << QList<int>{2, 5, 5, 2, 1, 1} << QList<int>{} << -1
        << QList<int>{} << QStringLiteral("place 4") << QStringLiteral("place-first");
    QTest::newRow("the threatened capital comes before the continent's gate")
        << QList<int>{0, 1, 1, 0, 0, 0} << QList<int>{2, 5, 5, 2, 1, 1} << QList<int>{} << 0
        << QList<int>{} << QStringLiteral("place 1")
        << QStringLiteral("capitals capital0=1 capital1=2");
    QTest::newRow("a defeated player's cards are worth the harder attack")
        << QList<int>{0, 0, 1, 0, 2, 2} << QList<int>{1, 5, 4, 5, 1, 2} << QList<int>{} << 1
        << QList<int>{} << QStringLiteral("attack 2 3")
        << QStringLiteral("receive hand1=0,1,2,0,1");
    QTest::newRow("without the cards the easier conquest is made")
        << QList<int>{0, 0, 1, 0, 2, 2} << QList<int>{1, 5, 4, 5, 1, 2} << QList<int>{} << 1
        << QList<int>{} << QStringLiteral("attack 4 5") << QStringLiteral("hand1=0,1,2,0,1");
    QTest::newRow("a player with two countries left is hunted for his cards")
        << QList<int>{0, 1, 1, 0, 2, 2} << QList<int>{1, 2, 3, 5, 3, 2} << QList<int>{} << 1
        << QList<int>{} << QStringLiteral("attack 1 2")
        << QStringLiteral("receive hand1=0,1,2,0,1");
    QTest::newRow("without his cards to take, the other front")
        << QList<int>{0, 1, 1, 0, 2, 2} << QList<int>{1, 2, 3, 5, 3, 2} << QList<int>{} << 1
        << QList<int>{} << QStringLiteral("attack 4 5") << QStringLiteral("hand1=0,1,2,0,1");
    QTest::newRow("blind: a rival of small income with both countries in sight is hunted")
        << QList<int>{0, 1, 1, 0, 2, 2} << QList<int>{1, 2, 3, 5, 3, 2} << QList<int>{} << 1
        << QList<int>{} << QStringLiteral("attack 1 2")
        << QStringLiteral("blind receive hand1=0,1,2,0,1 told1=3 told2=3");
    QTest::newRow("blind: of two rivals in sight, the one given three is nearly finished")
        << QList<int>{0, 1, 1, 2, 2, 0} << QList<int>{1, 3, 1, 1, 3, 1} << QList<int>{} << 0
        << QList<int>{} << QStringLiteral("place 1")
        << QStringLiteral("blind receive hand1=0,1,2,0,1 hand2=0,1,2,0,1 told1=3 told2=5");
    QTest::newRow("armies weigh more than the prize: the cheap battle, not the even one")
        << QList<int>{0, 1, 1, 0, 2, 2} << QList<int>{1, 2, 3, 5, 4, 2} << QList<int>{} << 1
        << QList<int>{} << QStringLiteral("attack 1 2") << QStringLiteral("hand1=0,1,2,0,1");
    QTest::newRow("blind: the dark beyond a conquest is not taken to be empty")
        << QList<int>{1, 1, 1, 0, 0, 2} << QList<int>{1, 1, 6, 3, 1, 10} << QList<int>{} << 4
        << QList<int>{} << QStringLiteral("end") << QStringLiteral("blind told1=3");
    QTest::newRow("blind: his reinforcements tell a rival holds the continent: broken")
        << QList<int>{1, 1, 1, 0, 0, 2} << QList<int>{1, 1, 5, 2, 1, 10} << QList<int>{} << 4
        << QList<int>{} << QStringLiteral("attack 4 3") << QStringLiteral("blind told1=6");
    QTest::newRow("blind: his reinforcements tell he holds no continent: left alone")
        << QList<int>{1, 1, 1, 0, 0, 2} << QList<int>{1, 1, 5, 2, 1, 10} << QList<int>{} << 4
        << QList<int>{} << QStringLiteral("end") << QStringLiteral("blind told1=3");
    QTest::newRow("two seats: his continent broken before the own one completed")
        << QList<int>{0, 1, 0, 1, 1, 1} << QList<int>{10, 3, 10, 3, 9, 7} << QList<int>{} << 1
        << QList<int>{} << QStringLiteral("attack 3 4") << QString();
    QTest::newRow("two seats: all he is given may land before the held continent's gate")
        << QList<int>{0, 1, 1, 0, 0, 0} << QList<int>{9, 4, 3, 9, 2, 2} << QList<int>{} << 0
        << QList<int>{} << QStringLiteral("place 4") << QString();
    QTest::newRow("two seats, capitals: towards where his capital most likely lies")
        << QList<int>{0, 1, 1, 0, 1, 1} << QList<int>{3, 1, 3, 6, 2, 1} << QList<int>{} << 1
        << QList<int>{} << QStringLiteral("attack 4 5")
        << QStringLiteral("capitals capital0=4 capital1=3");
    QTest::newRow("three seats, the card earned: a small gain is let go")
        << QList<int>{0, 0, 1, 2, 1, 2} << QList<int>{1, 10, 1, 4, 1, 1} << QList<int>{} << 2
        << QList<int>{2, 3} << QStringLiteral("move 2 3 2") << QStringLiteral("taken=10");
    QTest::newRow("three seats, cards taken: no armies fed to the front of the larger income")
        << QList<int>{1, 1, 1, 0, 0, 2} << QList<int>{1, 1, 6, 1, 1, 7} << QList<int>{} << 5
        << QList<int>{} << QStringLiteral("end") << QStringLiteral("receive");
}

void TestGameEngine::hardRobotDecisions()
{
    QFETCH(QList<int>, owners);
    QFETCH(QList<int>, armies);
    QFETCH(QList<int>, hand);
    QFETCH(int, placeOn);
    QFETCH(QList<int>, conquer);
    QFETCH(QString, expected);
    QFETCH(QString, rules);
    std::uint8_t seats = 0;
    for (int o : owners)
        seats |= std::uint8_t(1u << o);
    const Situation s = situation(rules);
    Table t(s.rules, seats);
    GameEngine::Position p = s.position;
    p.owners.assign(owners.begin(), owners.end());
    p.armies.assign(armies.begin(), armies.end());
    p.cards[0].assign(hand.begin(), hand.end());
    t.startFrom(p);
    if (placeOn >= 0 && !s.rules.placeBeforeAttack)
        QCOMPARE(t.apply(0, action::PlaceArmies{}), Refusal::None);
    if (placeOn > 0)
        QCOMPARE(t.apply(0, action::Place{placeOn, true}), Refusal::None);
    if (!conquer.isEmpty()) {
        t.dice.dice = {6, 6, 6, 1};
        QCOMPARE(t.apply(0, action::Attack{conquer[0], conquer[1], 3, false}), Refusal::None);
        QCOMPARE(t.engine.step(), Step::Take);
        if (s.taken > 0)
            QCOMPARE(t.apply(0, action::Take{s.taken}), Refusal::None);
    }
    const GameAction a = Robot::create(Robot::Level::Hard, t.dice)->act(t.engine, 0);
    QCOMPARE(describe(a), expected);
    QCOMPARE(t.apply(0, a), Refusal::None);
}

namespace {

// A robot's own chance that always draws the lowest number: the Easy robot
// then always takes its first option and always loses interest when it may.
class LowestDraws : public Random
{
public:
    int uniform(int low, int) override { return low; }
};

} // namespace

void TestGameEngine::hardRobotPlacesItsFirstArmiesTogether()
{
    // Against rivals who pile their first armies on one country and strike
    // from it, armies spread thin are lost country by country: Hard puts
    // all of them on the country it means to strike from.
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        SeededRandom random(seed);
        ManualClock clock;
        GameEngine game(ringBoard(), {}, 0b111111, random, clock);
        game.start();
        const auto robot = Robot::create(Robot::Level::Hard, random);
        while (game.need(0) == GameEngine::Need::PlaceInitial)
            QCOMPARE(game.apply(0, robot->act(game, 0)), Refusal::None);
        int stacks = 0;
        for (int c = 0; c < game.board().countryCount(); ++c)
            stacks += game.owner(c) == 0 && game.armies(c) > 1;
        QCOMPARE(stacks, 1);
    }
}

void TestGameEngine::hardRobotOpensAgainstOneRival_data()
{
    // The ring dealt in halves: the robot holds 1 to 15, the rival 16 to
    // 30. Within two steps of 15 lie the most enemy countries (16, 17, 29,
    // 30); 3 is as deep inside as any and borders no enemy. The robot
    // picks its capital (capital 0) or has the one given, with the rival's
    // stack already on 20 where rivalStack is set, and places all it has.
    QTest::addColumn<bool>("capitals");
    QTest::addColumn<int>("capital");
    QTest::addColumn<bool>("rivalStack");
    QTest::addColumn<int>("expectedCapital");
    QTest::addColumn<int>("expectedStack");
    QTest::addColumn<int>("capitalArmies");
    QTest::newRow("the stack goes where the most enemies are in reach")
        << false << -1 << false << -1 << 15 << 0;
    QTest::newRow("not beside the rival's stack, whoever begins")
        << false << -1 << true << -1 << 15 << 0;
    QTest::newRow("the capital goes deepest, the stack to the front")
        << true << 0 << false << 3 << 15 << 1;
    QTest::newRow("a capital on the border is guarded first") << true << 1 << true << 1 << 15 << 6;
}

void TestGameEngine::hardRobotOpensAgainstOneRival()
{
    QFETCH(bool, capitals);
    QFETCH(int, capital);
    QFETCH(bool, rivalStack);
    QFETCH(int, expectedCapital);
    QFETCH(int, expectedStack);
    QFETCH(int, capitalArmies);
    GameRules rules;
    rules.capitals = capitals;
    SeededRandom random(1);
    ManualClock clock;
    GameEngine game(ringBoard(), rules, 0b11, random, clock);
    game.start();
    GameEngine::State state = game.state();
    for (int c = 0; c < 30; ++c) {
        state.owners[size_t(c)] = c < 15 ? 0 : 1;
        state.armies[size_t(c)] = 1;
    }
    const int pool = state.seat[0].setupArmies;
    state.seat[0].countries = state.seat[1].countries = 15;
    state.seat[0].capital = capital > 0 ? capital - 1 : -1;
    state.seat[1].capital = capitals ? 24 : -1;
    if (rivalStack) {
        state.armies[19] += state.seat[1].setupArmies;
        state.seat[1].setupArmies = 0;
    }
    QVERIFY(game.restore(state));
    const auto robot = Robot::create(Robot::Level::Hard, random);
    while (game.step() == Step::Setup && game.need(0) != GameEngine::Need::Nothing)
        QCOMPARE(game.apply(0, robot->act(game, 0)), Refusal::None);
    if (capitals)
        QCOMPARE(game.capital(0) + 1, expectedCapital);
    QCOMPARE(game.armies(expectedStack - 1), 1 + pool - std::max(0, capitalArmies - 1));
    if (capitals)
        QCOMPARE(game.armies(expectedCapital - 1), capitalArmies);
}

void TestGameEngine::easyRobotDecisions_data()
{
    // Seat 0 holds A and B (or, with owners set, those given) and has placed
    // its armies on B; its next action.
    QTest::addColumn<QList<int>>("armies");
    QTest::addColumn<QList<int>>("owners");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a stack that overwhelms rolls on")
        << QList<int>{1, 40, 1, 1, 1, 1} << QList<int>{} << QStringLiteral("attack 2 3");
    QTest::newRow("a small stack loses interest")
        << QList<int>{1, 8, 1, 1, 1, 1} << QList<int>{} << QStringLiteral("end");
    QTest::newRow("a big stack against half of it or more too")
        << QList<int>{1, 40, 25, 1, 1, 1} << QList<int>{} << QStringLiteral("end");
    QTest::newRow("a stack behind the lines goes a step towards the border")
        << QList<int>{40, 1, 1, 1, 1, 1} << QList<int>{0, 0, 0, 1, 1, 1}
        << QStringLiteral("move 1 2 39");
    QTest::newRow("a few armies behind the lines stay")
        << QList<int>{8, 1, 1, 1, 1, 1} << QList<int>{0, 0, 0, 1, 1, 1} << QStringLiteral("end");
}

void TestGameEngine::easyRobotDecisions()
{
    QFETCH(QList<int>, armies);
    QFETCH(QList<int>, owners);
    QFETCH(QString, expected);
    if (owners.isEmpty())
        owners = {0, 0, 1, 1, 1, 1};
    Table t;
    t.startFrom(
        {.owners = {owners.begin(), owners.end()}, .armies = {armies.begin(), armies.end()}});
    t.placeAll(2);
    LowestDraws draws;
    const GameAction a = Robot::create(Robot::Level::Easy, draws)->act(t.engine, 0);
    QCOMPARE(describe(a), expected);
    QCOMPARE(t.apply(0, a), Refusal::None);
}

namespace {

// Everything one seat has been told of the game, as numbers: what it sees
// of every country, who is still in, its own cards and capital, the card
// counts it is shown, what each seat was last given to place, and the step.
std::vector<int> toldTo(const GameEngine& g, int seat)
{
    std::vector<int> out;
    for (int c = 0; c < g.board().countryCount(); ++c) {
        const bool seen = !g.rules().blind || g.sees(seat, c);
        out.insert(out.end(), {seen, seen ? g.owner(c) : 0, seen ? g.armies(c) : 0});
    }
    for (int s = 0; s < GameEngine::SeatCount; ++s) {
        const bool counted = !g.rules().hideCards || s == seat;
        out.insert(out.end(),
                   {g.isActive(s), counted ? int(g.cards(s).size()) : 0, g.lastReinforcements(s)});
    }
    out.insert(out.end(), g.cards(seat).begin(), g.cards(seat).end());
    out.insert(out.end(), {g.capital(seat), int(g.step()), g.currentSeat(), g.pool(),
                           g.conqueredThisTurn(), g.takeFrom(), g.takeMinimum()});
    return out;
}

// The position of a game at the start of the current seat's turn.
GameEngine::Position positionOf(const GameEngine& g)
{
    GameEngine::Position p;
    for (int c = 0; c < g.board().countryCount(); ++c) {
        p.owners.push_back(g.owner(c));
        p.armies.push_back(g.armies(c));
    }
    for (int s = 0; s < GameEngine::SeatCount; ++s) {
        if (!g.takesPart(s))
            continue;
        p.cards[size_t(s)] = g.cards(s);
        p.capitals[size_t(s)] = g.capital(s);
        p.lastReinforcements[size_t(s)] = g.lastReinforcements(s);
    }
    p.firstSeat = g.currentSeat();
    return p;
}

// The same position with everything the seat cannot know drawn anew: the
// owners and armies of the countries out of its sight, the other seats'
// cards (their number too when counts are hidden) and capitals. Every seat
// still in keeps a country. Returns how many countries were out of sight.
int redrawHidden(const GameEngine& g, int seat, GameEngine::Position* p, SeededRandom& r)
{
    std::vector<int> hidden;
    for (int c = 0; c < g.board().countryCount(); ++c) {
        if (!g.sees(seat, c))
            hidden.push_back(c);
    }
    std::vector<int> others;
    for (int s = 0; s < GameEngine::SeatCount; ++s) {
        if (s != seat && g.isActive(s))
            others.push_back(s);
    }
    for (int attempt = 0; attempt < 20 && !others.empty(); ++attempt) {
        std::vector<int> owners = p->owners;
        for (int c : hidden)
            owners[size_t(c)] = others[size_t(r.below(int(others.size())))];
        bool everyoneKeepsOne = true;
        for (int s : others)
            everyoneKeepsOne = everyoneKeepsOne && std::count(owners.begin(), owners.end(), s) > 0;
        if (everyoneKeepsOne) {
            p->owners = owners;
            break;
        }
    }
    for (int c : hidden)
        p->armies[size_t(c)] = r.uniform(1, 12);
    for (int s : others) {
        std::vector<int>& hand = p->cards[size_t(s)];
        const int count = g.rules().hideCards ? r.uniform(0, 4) : int(hand.size());
        hand.clear();
        for (int i = 0; i < count; ++i)
            hand.push_back(r.uniform(0, GameEngine::Joker));
        if (g.rules().capitals) {
            std::vector<int> own;
            for (int c = 0; c < g.board().countryCount(); ++c) {
                if (p->owners[size_t(c)] == s)
                    own.push_back(c);
            }
            p->capitals[size_t(s)] = own[size_t(r.below(int(own.size())))];
        }
    }
    return int(hidden.size());
}

} // namespace

void TestGameEngine::robotsDecideOnlyByWhatTheirSeatIsTold_data()
{
    QTest::addColumn<bool>("blind");
    QTest::addColumn<bool>("hideCards");
    QTest::addColumn<int>("seats");
    QTest::newRow("blind") << true << false << 6;
    QTest::newRow("blind, hidden cards") << true << true << 6;
    QTest::newRow("hidden cards") << false << true << 6;
    // Hard against a single rival guesses where his capital lies.
    QTest::newRow("two seats, blind") << true << false << 2;
}

void TestGameEngine::robotsDecideOnlyByWhatTheirSeatIsTold()
{
    // Robot games are stopped at the start of every turn; the turn is then
    // played twice, from the position as it is and from one in which
    // everything the seat cannot know is drawn anew, with the same dice and
    // the same robot. As long as the seat has been told the same in both,
    // the robot must do the same. Robots of every level play each game out
    // to a winner without a refusal.
    QFETCH(bool, blind);
    QFETCH(bool, hideCards);
    QFETCH(int, seats);
    const auto mask = std::uint8_t((1u << seats) - 1);
    const GameRules rules{.capitals = true,
                          .increasingCards = true,
                          .hideCards = hideCards,
                          .blind = blind,
                          .receiveCards = true};
    const auto board = ringBoard();
    const std::array<Robot::Level, 6> levels = {Robot::Level::Hard,   Robot::Level::Normal,
                                                Robot::Level::Hard,   Robot::Level::Easy,
                                                Robot::Level::Normal, Robot::Level::Random};
    int compared = 0;
    int turnsInTheDark = 0;
    int won = 0;
    // Games of two are short: more of them.
    const int games = seats == 2 ? 200 : 40;
    for (std::uint64_t seed = 1; seed <= std::uint64_t(games); ++seed) {
        SeededRandom random(seed);
        ManualClock clock;
        GameEngine game(board, rules, mask, random, clock);
        std::vector<std::unique_ptr<Robot>> robots;
        for (int s = 0; s < seats; ++s)
            robots.push_back(Robot::create(levels[size_t(s)], random));
        game.start();
        int turn = 0;
        while (!game.isOver() && game.round() <= 200) {
            int seat = game.currentSeat();
            if (game.step() == Step::Setup) {
                for (seat = 0; game.need(seat) == GameEngine::Need::Nothing; ++seat) {
                }
            } else if (game.turns() != turn) {
                turn = game.turns();
                SeededRandom redraw(seed * 1000 + std::uint64_t(turn));
                GameEngine::Position real = positionOf(game);
                GameEngine::Position other = real;
                turnsInTheDark += redrawHidden(game, seat, &other, redraw) > 0;
                SeededRandom diceA{std::uint64_t(turn)};
                SeededRandom diceB{std::uint64_t(turn)};
                GameEngine a(board, rules, mask, diceA, clock);
                GameEngine b(board, rules, mask, diceB, clock);
                a.startFrom(real);
                b.startFrom(other);
                SeededRandom drawsA{seed};
                SeededRandom drawsB{seed};
                const auto robotA = Robot::create(levels[size_t(seat)], drawsA);
                const auto robotB = Robot::create(levels[size_t(seat)], drawsB);
                while (a.currentSeat() == seat && !a.isOver() && !b.isOver() &&
                       toldTo(a, seat) == toldTo(b, seat)) {
                    const GameAction x = robotA->act(a, seat);
                    const GameAction y = robotB->act(b, seat);
                    QCOMPARE(describe(y), describe(x));
                    QCOMPARE(a.apply(seat, x), Refusal::None);
                    QCOMPARE(b.apply(seat, y), Refusal::None);
                    ++compared;
                }
            }
            const Refusal r = game.apply(seat, robots[size_t(seat)]->act(game, seat));
            QVERIFY2(r == Refusal::None, GameEngine::describe(r));
            game.takeEvents();
        }
        won += game.isOver() && game.winner() >= 0;
    }
    // Every game was played out to a winner, and the check ran on real
    // turns, in the dark where the game is blind.
    QCOMPARE(won, games);
    QVERIFY(compared > (seats == 2 ? 2000 : 5000));
    if (blind)
        QVERIFY(turnsInTheDark > (seats == 2 ? 400 : 1000));
}

QTEST_GUILESS_MAIN(TestGameEngine)
#include "tst_gameengine.moc"
