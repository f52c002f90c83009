#include "board.h"
#include "clock.h"
#include "gameengine.h"
#include "gamestatecodec.h"
#include "mapdata.h"
#include "random.h"
#include "robot.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include <memory>

namespace {

class ManualClock : public Clock
{
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 0;
};

using State = GameEngine::State;

std::vector<std::shared_ptr<const Board>> defaultBoards()
{
    std::vector<std::shared_ptr<const Board>> boards;
    const QDir maps(qEnvironmentVariable("TARVENIX_SOURCE_DIR") + QStringLiteral("/data/maps"));
    for (const QString& folder : maps.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        QString error;
        const std::optional<MapData> map = MapData::readFolder(maps.filePath(folder), &error);
        if (map)
            boards.push_back(std::make_shared<const Board>(*map));
    }
    return boards;
}

// One game as a server runs it: the engine with its dice, a robot of its own
// random source at every seat, and a script (the people and the clock) that
// now and then lets time run out or has a seat leave. Everything but the
// script can be saved and put back into a new table.
struct Table
{
    struct Saved
    {
        QByteArray engine;
        SeededRandom::State dice;
        std::array<SeededRandom::State, GameEngine::SeatCount> robots{};
    };

    Table(std::shared_ptr<const Board> board, const GameRules& rules, std::uint8_t seats,
          int levels, std::uint64_t seed, std::int64_t now)
        : dice(seed), engine(std::move(board), rules, seats, dice, clock)
    {
        clock.now = now;
        for (int s = 0; s < GameEngine::SeatCount; ++s) {
            robotRandom[size_t(s)] = SeededRandom(seed * 7 + std::uint64_t(s) + 1);
            robots[size_t(s)] =
                Robot::create(Robot::Level((s + levels) % 4), robotRandom[size_t(s)]);
        }
    }

    Saved save() const
    {
        Saved saved{GameStateCodec::encode(engine.state()), dice.state(), {}};
        for (int s = 0; s < GameEngine::SeatCount; ++s)
            saved.robots[size_t(s)] = robotRandom[size_t(s)].state();
        return saved;
    }
    bool load(const Saved& saved)
    {
        const std::optional<State> state = GameStateCodec::decode(saved.engine);
        if (!state || !engine.restore(*state))
            return false;
        dice.restore(saved.dice);
        for (int s = 0; s < GameEngine::SeatCount; ++s)
            robotRandom[size_t(s)].restore(saved.robots[size_t(s)]);
        return true;
    }

    // One thing happens: a robot acts, time runs out or a seat leaves.
    // False once the game is over or nobody can act.
    bool step(SeededRandom& script, std::vector<GameEvent>& events)
    {
        if (engine.isOver())
            return false;
        const int roll = script.below(1000);
        if (roll < 3 && engine.deadline() >= 0) {
            clock.now = engine.deadline() + script.below(5000);
            engine.checkTimer();
        } else if (roll == 3) {
            engine.removeSeat(script.below(GameEngine::SeatCount));
        } else {
            int seat = engine.currentSeat();
            if (engine.step() == GameEngine::Step::Setup) {
                for (seat = 0;
                     seat < GameEngine::SeatCount && engine.need(seat) == GameEngine::Need::Nothing;
                     ++seat) {
                }
            }
            if (seat < 0 || seat >= GameEngine::SeatCount)
                return false;
            clock.now += script.below(3000);
            const GameEngine::Refusal r =
                engine.apply(seat, robots[size_t(seat)]->act(engine, seat));
            if (r != GameEngine::Refusal::None)
                qWarning("robot refused: %s", GameEngine::describe(r));
            engine.checkTimer();
        }
        const std::vector<GameEvent> now = engine.takeEvents();
        events.insert(events.end(), now.begin(), now.end());
        return true;
    }

    ManualClock clock;
    SeededRandom dice;
    std::array<SeededRandom, GameEngine::SeatCount> robotRandom{};
    std::array<std::unique_ptr<Robot>, GameEngine::SeatCount> robots{};
    GameEngine engine;
};

GameRules rulesFor(int n)
{
    // Walks through the flags so that every map meets each of them both
    // ways, with the three timer modes and three timeouts.
    const unsigned bits = unsigned(n) * 0x9Bu >> 2;
    GameRules r;
    r.placeBeforeAttack = bits & 1u;
    r.capitals = bits & 2u;
    r.replaceRobots = bits & 4u;
    r.increasingCards = bits & 8u;
    r.hideCards = bits & 16u;
    r.blind = bits & 32u;
    r.receiveCards = bits & 64u;
    r.timerMode = n % 3;
    r.timeoutSeconds = std::array{30, 60, 120}[size_t(n / 3 % 3)];
    return r;
}

QString where(const std::vector<GameEvent>& a, const std::vector<GameEvent>& b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return QStringLiteral("streams part at event %1 of %2 and %3 (kinds %4 and %5)")
        .arg(i)
        .arg(a.size())
        .arg(b.size())
        .arg(i < a.size() ? int(a[i].what.index()) : -1)
        .arg(i < b.size() ? int(b[i].what.index()) : -1);
}

} // namespace

class TestGameState : public QObject
{
    Q_OBJECT

private slots:
    void restoredGamesPlayOnAlike();
    void restoreRefusesStatesThatDoNotFit();
    void damagedBytesAreRefused();
    void randomSourcesResumeWhereTheyStopped();
};

void TestGameState::restoredGamesPlayOnAlike()
{
    // Each game twice from the same seed: once straight through, once saved
    // after every event and taken up by a new engine with new robots and
    // random sources on a clock showing another time. Both must tell the
    // seats exactly the same things.
    const auto boards = defaultBoards();
    QCOMPARE(boards.size(), size_t(5));
    constexpr int Games = 60;
    constexpr std::int64_t BudgetMs = 60'000;
    QElapsedTimer spent;
    spent.start();
    int played = 0;
    int winners = 0;
    for (int g = 0; g < Games && spent.elapsed() < BudgetMs; ++g, ++played) {
        const auto& board = boards[size_t(g) % boards.size()];
        const GameRules rules = rulesFor(g / int(boards.size()) + g);
        const int seatCount = 2 + g % 5;
        const auto seats = std::uint8_t(((1u << seatCount) - 1) << (g % (7 - seatCount)));
        const std::uint64_t seed = 1000 + std::uint64_t(g);

        std::vector<GameEvent> straight;
        {
            Table t(board, rules, seats, g, seed, 0);
            SeededRandom script(seed);
            t.engine.start();
            straight = t.engine.takeEvents();
            while (t.engine.round() <= 200 && t.step(script, straight)) {
            }
        }

        std::vector<GameEvent> resumed;
        auto t = std::make_unique<Table>(board, rules, seats, g, seed, 0);
        SeededRandom script(seed);
        t->engine.start();
        resumed = t->engine.takeEvents();
        for (int n = 1; t->engine.round() <= 200 && t->step(script, resumed); ++n) {
            const Table::Saved saved = t->save();
            const State before = t->engine.state();
            auto next = std::make_unique<Table>(board, rules, seats, g, seed + 99,
                                                std::int64_t(n) * 1'000'003);
            QVERIFY2(next->load(saved),
                     qPrintable(QStringLiteral("game %1, event %2").arg(g).arg(n)));
            QCOMPARE(next->engine.state(), before);
            t = std::move(next);
        }
        QVERIFY2(straight == resumed,
                 qPrintable(QStringLiteral("game %1: ").arg(g) + where(straight, resumed)));
        winners += straight.back().what.index() == GameEventPayload(event::Winner{}).index();
    }
    // Whole games, not only their openings.
    QVERIFY(played >= 15);
    QVERIFY(winners > played / 2);
}

void TestGameState::restoreRefusesStatesThatDoNotFit()
{
    const auto boards = defaultBoards();
    QVERIFY(!boards.empty());
    const auto& board = boards.front();
    ManualClock clock;
    SeededRandom dice(5);
    GameEngine game(board, {}, 0b111, dice, clock);
    game.start();
    game.takeEvents();
    const State good = game.state();

    using Spoil = std::function<void(State&)>;
    const std::pair<const char*, Spoil> cases[] = {
        {"other seats", Spoil([](State& s) { s.seats = 0b11; })},
        {"a country short", Spoil([](State& s) { s.owners.pop_back(); })},
        {"owner not at the table", Spoil([](State& s) { s.owners[0] = 4; })},
        {"negative armies", Spoil([](State& s) { s.armies[1] = -1; })},
        {"moved in more than there are", Spoil([](State& s) { s.movedIn[2] = s.armies[2] + 1; })},
        {"a card that does not exist", Spoil([](State& s) { s.seat[0].cards = {4}; })},
        {"active seat outside the game", Spoil([](State& s) { s.seat[5].active = true; })},
        {"capital off the map", Spoil([](State& s) { s.seat[1].capital = int(s.owners.size()); })},
        {"step out of range", Spoil([](State& s) { s.step = GameEngine::Step(42); })},
        {"turn of nobody", Spoil([](State& s) {
             s.step = GameEngine::Step::Attack;
             s.current = -1;
         })},
        {"take without a conquest", Spoil([](State& s) { s.step = GameEngine::Step::Take; })},
        {"deadline before the past", Spoil([](State& s) { s.remainingMs = -2; })},
    };
    for (const auto& [name, spoil] : cases) {
        State bad = good;
        spoil(bad);
        ManualClock otherClock;
        SeededRandom otherDice(6);
        GameEngine other(board, {}, 0b111, otherDice, otherClock);
        QString why;
        QVERIFY2(!other.restore(bad, &why), name);
        QVERIFY2(!why.isEmpty(), name);
        // Nothing was taken over.
        QCOMPARE(other.step(), GameEngine::Step::Setup);
        QCOMPARE(other.owner(0), -1);
    }
}

void TestGameState::damagedBytesAreRefused()
{
    const auto boards = defaultBoards();
    QVERIFY(!boards.empty());
    const auto& board = boards.front();
    ManualClock clock;
    SeededRandom dice(9);
    GameEngine game(board, {}, 0b111111, dice, clock);
    game.start();
    const QByteArray bytes = GameStateCodec::encode(game.state());
    QVERIFY(GameStateCodec::decode(bytes).has_value());
    // Compact enough to write at every turn: World with six seats.
    QVERIFY2(bytes.size() < 400, qPrintable(QString::number(bytes.size())));
    for (qsizetype cut = 0; cut < bytes.size(); ++cut)
        QVERIFY(!GameStateCodec::decode(bytes.left(cut)));
    QVERIFY(!GameStateCodec::decode(bytes + '\0'));
    QByteArray otherFormat = bytes;
    otherFormat[0] = char(2 * (GameStateCodec::Format + 1));
    QVERIFY(!GameStateCodec::decode(otherFormat));
    // A list claiming more entries than there are bytes allocates nothing.
    QByteArray huge = bytes.left(2);
    huge.append("\xfe\xff\xff\xff\x0f", 5);
    QVERIFY(!GameStateCodec::decode(huge));
    // Any single flipped byte is refused by the reader or by the engine, or
    // is a state the engine can play on; it never crashes either.
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        QByteArray flipped = bytes;
        flipped[i] = char(flipped[i] ^ 0x55);
        if (const auto state = GameStateCodec::decode(flipped)) {
            ManualClock c;
            SeededRandom d(1);
            GameEngine other(board, {}, 0b111111, d, c);
            if (other.restore(*state))
                other.snapshot(0);
        }
    }
}

void TestGameState::randomSourcesResumeWhereTheyStopped()
{
    SeededRandom a(77);
    for (int i = 0; i < 1000; ++i)
        a.uniform(1, i % 50 + 1);
    a.next();
    SeededRandom b;
    b.restore(a.state());
    QCOMPARE(b.state(), a.state());
    for (int i = 0; i < 1000; ++i)
        QCOMPARE(b.uniform(0, i), a.uniform(0, i));
    // The counting leaves the numbers as the plain engine draws them.
    std::mt19937_64 plain(77);
    SeededRandom c(77);
    for (int i = 0; i < 100; ++i)
        QCOMPARE(c.uniform(1, 6), std::uniform_int_distribution<int>(1, 6)(plain));
}

QTEST_GUILESS_MAIN(TestGameState)
#include "tst_gamestate.moc"
