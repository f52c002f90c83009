#include "serverfixture.h"
#include "testplayer.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

using testutil::text;

namespace {

constexpr int World = 1;
constexpr int WorldCountries = 42;

QList<int> sorted(QList<int> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

// The turn timers' time, moved by the test alone.
class ManualTurnClock : public TurnClock
{
public:
    std::int64_t nowMs() const override { return m_now; }
    std::int64_t realMsUntil(std::int64_t) const override { return -1; }
    void advance(std::int64_t ms)
    {
        m_now += ms;
        emit moved();
    }

private:
    std::int64_t m_now = 0;
};

} // namespace

// Running games on the server in-process, played over loopback by test
// clients (each with a TestPlayer that follows the game from its messages)
// against the server's robots on the World map.
class TestServerGame : public QObject, ServerFixture
{
    Q_OBJECT

private:
    // Connects and logs in, registering the nickname on its first use; with
    // `player`, a TestPlayer follows the client from before the login on.
    TestClient* logIn(const QString& nickname, TestPlayer** player = nullptr);
    // Creates a game on World with the robots seated; returns its id.
    int createGame(TestClient* op, const GameOptions& options, const QStringList& robots);

    ManualTurnClock m_turnClock;
    std::vector<std::unique_ptr<TestPlayer>> m_players;
    QStringList m_registered;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void gameAgainstRobotsRunsToItsEnd();
    void rejoiningWithinTheGracePeriod_data();
    void rejoiningWithinTheGracePeriod();
    void seatAfterTheGracePeriod_data();
    void seatAfterTheGracePeriod();
    void standInRobotGivesTheSeatBack();
    void timerModes_data();
    void timerModes();
};

void TestServerGame::initTestCase()
{
    // Refused requests are logged as warnings: none may occur in these
    // games, neither from the test players nor from the robots.
    QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.server.info=false"));
}

void TestServerGame::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("refused|was refused")));
    prepare();
    m_options.dataDirectory = qEnvironmentVariable("TARVENIX_SOURCE_DIR") + QStringLiteral("/data");
    m_options.trustedAddresses = {QStringLiteral("127.0.0.1")};
    m_options.seed = 11;
    m_options.robotDelayMs = 0;
    m_registered.clear();
}

void TestServerGame::cleanup()
{
    m_players.clear();
    stop();
}

TestClient* TestServerGame::logIn(const QString& nickname, TestPlayer** player)
{
    m_clients.push_back(std::make_unique<TestClient>());
    TestClient* c = m_clients.back().get();
    if (player) {
        m_players.push_back(std::make_unique<TestPlayer>(*c));
        *player = m_players.back().get();
    }
    if (!c->connectTo(m_server->port()))
        return nullptr;
    const bool known = m_registered.contains(nickname);
    m_registered.append(nickname);
    const int result = known ? c->login(nickname) : c->registerAs(nickname);
    return result == -1 ? c : nullptr;
}

int TestServerGame::createGame(TestClient* op, const GameOptions& o, const QStringList& robots)
{
    const int game = ServerFixture::createGame(op, o, World, 0);
    if (!game)
        return 0;
    for (const QString& robot : robots)
        op->sender.robot(robot);
    const auto seated = [&] {
        return op->received(Opcode::Player).size() == robots.size() + 1;
    };
    return QTest::qWaitFor(seated) ? game : 0;
}

void TestServerGame::gameAgainstRobotsRunsToItsEnd()
{
    startServer();
    TestPlayer* player = nullptr;
    TestClient* alice = logIn(QStringLiteral("alice"), &player);
    QVERIFY(alice);
    GameOptions o;
    o.timeout = 120;
    o.timerMode = 2;
    o.increasingCards = true;
    QVERIFY(createGame(
        alice, o, {QStringLiteral("Garnet"), QStringLiteral("Dynamo"), QStringLiteral("Anvil")}));
    QElapsedTimer clock;
    clock.start();
    alice->sender.start();

    // Every seat is announced, the board dealt, then the armies given out.
    QVERIFY(alice->waitFor(Opcode::Init));
    const QList<Opcode> opening = alice->opcodes().mid(0, alice->opcodes().indexOf(Opcode::Init));
    QCOMPARE(opening.count(Opcode::Player), 4 + 4);
    QCOMPARE(opening.count(Opcode::Country), WorldCountries);
    QCOMPARE(alice->received(Opcode::Init).first()->getInt(1), 30);
    const std::optional<Message> winner = alice->waitFor(Opcode::Winner, {}, 60'000);
    QVERIFY(winner);
    QVERIFY(alice->waitFor(Opcode::EndGame));
    qInfo("game over after %lld ms", static_cast<long long>(clock.elapsed()));
    QVERIFY(player->answers() > 1);

    // The result and everyone's new rating and count of games.
    QCOMPARE(m_server->database().resultCount(), 1);
    const bool aliceWon = winner->getInt(1) == 0;
    const std::optional<Message> record = alice->waitFor(Opcode::User, [](const Message& m) {
        return text(m, 1) == QStringLiteral("alice") && m.getInt(3) == 1;
    });
    QVERIFY(record);
    const int rating = record->getInt(2);
    QVERIFY(aliceWon ? rating > 1500 : rating < 1500);
    QHash<QString, std::pair<int, int>> robots;
    for (const RobotInfo& r : m_server->robots()) {
        if (r.games > 0)
            robots.insert(r.name, {r.rating, r.games});
    }
    QCOMPARE(robots.size(), 3);
    int changed = 0;
    for (const auto& [robotRating, games] : std::as_const(robots)) {
        QCOMPARE(games, 1);
        changed += robotRating != 1500;
    }
    QVERIFY(changed >= 1);

    // A restarted server has them all.
    m_players.clear();
    startServer();
    TestClient* again = logIn(QStringLiteral("alice"));
    QVERIFY(again);
    const std::optional<Message> stored = again->waitFor(
        Opcode::User, [](const Message& m) { return text(m, 1) == QStringLiteral("alice"); });
    QVERIFY(stored);
    QCOMPARE(stored->getInt(2), rating);
    QCOMPARE(stored->getInt(3), 1);
    QVERIFY(again->waitFor(Opcode::Robot,
                           [](const Message& m) { return text(m, 1) == QStringLiteral("Anvil"); }));
    for (const Message* m : again->received(Opcode::Robot)) {
        const auto it = robots.constFind(text(*m, 1));
        const std::pair<int, int> expected = it == robots.cend() ? std::pair{1500, 0} : *it;
        QCOMPARE(std::pair(m->getInt(3), m->getInt(4)), expected);
    }
}

void TestServerGame::rejoiningWithinTheGracePeriod_data()
{
    QTest::addColumn<bool>("blind");
    QTest::addColumn<bool>("hideCards");
    QTest::newRow("open") << false << false;
    QTest::newRow("blind, cards hidden") << true << true;
}

void TestServerGame::rejoiningWithinTheGracePeriod()
{
    QFETCH(bool, blind);
    QFETCH(bool, hideCards);
    m_options.rejoinGraceMs = 20'000;
    startServer();
    TestPlayer* before = nullptr;
    TestClient* alice = logIn(QStringLiteral("alice"), &before);
    QVERIFY(alice);
    // Once she holds a card she stops at the next thing her turn asks.
    before->idleWhen = [before] {
        return !before->hand().isEmpty();
    };
    GameOptions o;
    o.timeout = 300;
    o.timerMode = 2;
    o.blind = blind;
    o.hideCards = hideCards;
    const int game = createGame(alice, o, {QStringLiteral("Dynamo"), QStringLiteral("Cinder")});
    QVERIFY(game);
    alice->sender.start();
    QVERIFY(QTest::qWaitFor([&] { return before->isIdle(); }, 30'000));
    const int seat = before->seat();
    const QList<int> hand = before->hand();
    QHash<int, std::pair<int, int>> known;
    for (int c : before->countries()) {
        if (before->owner(c) >= 0)
            known.insert(c, {before->owner(c), before->armies(c)});
    }
    // The game waits for her while she is away.
    QVERIFY(drop(alice));

    TestPlayer* after = nullptr;
    TestClient* back = logIn(QStringLiteral("alice"), &after);
    QVERIFY(back);
    QVERIFY(back->waitFor(Opcode::Decide));
    const QList<Opcode> order = back->opcodes();

    // Her record names the game before anything of it arrives, so the client
    // enters the game; then the map, the seats and the board.
    const qsizetype entered = order.indexOf(Opcode::StartMap);
    QVERIFY(entered > 0);
    const QList<const Message*> records = back->received(Opcode::User);
    QVERIFY(std::any_of(records.begin(), records.end(), [&](const Message* m) {
        return text(*m, 1) == QStringLiteral("alice") && m->getInt(4) == game;
    }));
    QVERIFY(order.lastIndexOf(Opcode::User) < entered);
    QVERIFY(order.indexOf(Opcode::EndMap) < order.indexOf(Opcode::Player));
    QList<int> seats;
    for (const Message* m : back->received(Opcode::Player, Opcode::Decide)) {
        seats.append(m->getInt(1));
        if (m->getInt(1) == seat) {
            QCOMPARE(m->getInt(2), 0);
            QCOMPARE(text(*m, 3), QStringLiteral("alice"));
        }
    }
    QCOMPARE(seats, (QList<int>{0, 1, 2}));

    // Every country she may see, as she saw it.
    QHash<int, std::pair<int, int>> shown;
    for (const Message* m : back->received(Opcode::Country, Opcode::Decide))
        shown.insert(m->getInt(1), {m->getInt(2), m->getInt(3)});
    // On a blind map those are her own and their neighbours; what she saw
    // of the others before is out of date and not sent again.
    QSet<int> visible;
    for (int c : before->countries()) {
        if (before->owner(c) != seat)
            continue;
        visible.insert(c);
        for (int n : before->neighbours(c))
            visible.insert(n);
    }
    const QList<int> shownCountries = shown.keys();
    QCOMPARE(QSet<int>(shownCountries.begin(), shownCountries.end()),
             blind ? visible : QSet<int>(before->countries().begin(), before->countries().end()));
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        QCOMPARE(it.value(), known.value(it.key()));
    QCOMPARE(shown.size() < WorldCountries, blind);

    // Her cards and nobody else's; the counts unless they are hidden.
    QList<int> cards;
    for (const Message* m : back->received(Opcode::Card, Opcode::Decide))
        cards.append(m->getInt(1));
    QCOMPARE(sorted(cards), sorted(hand));
    QList<int> counted;
    for (const Message* m : back->received(Opcode::CardCount, Opcode::Decide)) {
        counted.append(m->getInt(1));
        if (m->getInt(1) == seat)
            QCOMPARE(m->getInt(2), hand.size());
    }
    QCOMPARE(counted, hideCards ? QList<int>({seat}) : QList<int>({0, 1, 2}));

    // Her turn: the clock, then the choice it waits for.
    const std::optional<Message> clock = back->waitFor(Opcode::Clock);
    QVERIFY(clock);
    QVERIFY(clock->getInt(1) > 0 && clock->getInt(1) <= 300);
    QCOMPARE(order.indexOf(Opcode::Clock) + 1, order.indexOf(Opcode::Decide));
    QCOMPARE(back->received(Opcode::Decide).first()->getInt(1), seat);

    // She plays on from there: her choice to place is taken.
    QCOMPARE(after->seat(), seat);
    QVERIFY(back->waitFor(Opcode::Place, [&](const Message& m) { return m.getInt(1) == seat; }));
    QVERIFY(after->answers() >= 2);
}

void TestServerGame::seatAfterTheGracePeriod_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("seat out") << false;
    QTest::newRow("robot plays on") << true;
}

void TestServerGame::seatAfterTheGracePeriod()
{
    QFETCH(bool, replace);
    m_options.rejoinGraceMs = 300;
    m_options.robotDelayMs = 20;
    startServer();
    TestPlayer* player = nullptr;
    TestClient* alice = logIn(QStringLiteral("alice"), &player);
    // Someone watching keeps the game going once its only person is gone.
    TestClient* carol = logIn(QStringLiteral("carol"));
    QVERIFY(alice && carol);
    player->idleWhen = [player] {
        return player->answers() > 0;
    };
    GameOptions o;
    o.timeout = 300;
    o.timerMode = 2;
    o.replaceBots = replace;
    const int game = createGame(alice, o, {QStringLiteral("Dynamo"), QStringLiteral("Ember")});
    QVERIFY(game);
    carol->sender.watch(game);
    QVERIFY(carol->waitFor(Opcode::EndMap));
    alice->sender.start();
    QVERIFY(QTest::qWaitFor([&] { return player->isIdle(); }, 10'000));
    const int seat = player->seat();
    QVERIFY(drop(alice));
    QTest::qWait(m_options.rejoinGraceMs + 200);

    // Too late: she is back in the lobby, not in the game.
    TestClient* late = logIn(QStringLiteral("alice"));
    QVERIFY(late);
    QVERIFY(late->sync());
    QVERIFY(late->received(Opcode::StartMap).isEmpty());
    const std::optional<Message> record = late->waitFor(
        Opcode::User, [](const Message& m) { return text(m, 1) == QStringLiteral("alice"); });
    QVERIFY(record);
    QCOMPARE(record->getInt(4), 0);
    const std::optional<Message> status =
        late->waitFor(Opcode::Game, [&](const Message& m) { return m.getInt(1) == game; });
    QVERIFY(status);
    QCOMPARE(status->getInt(7), 0);

    // Watching, she finds her seat out of the game or played by a robot.
    late->forget();
    late->sender.watch(game);
    QVERIFY(late->waitFor(Opcode::Clock));
    QVERIFY(late->sync());
    const QList<const Message*> seats = late->received(Opcode::Player);
    const auto mine = std::find_if(seats.begin(), seats.end(),
                                   [&](const Message* m) { return m->getInt(1) == seat; });
    QVERIFY(mine != seats.end());
    const bool out =
        late->waitFor(
                Opcode::EndPlayer, [&](const Message& m) { return m.getInt(1) == seat; }, 0)
            .has_value();
    QCOMPARE(out, !replace);
    QCOMPARE((*mine)->getInt(2), int(replace));
    if (replace)
        QVERIFY(text(**mine, 3) != QStringLiteral("alice"));
    else
        QCOMPARE(text(**mine, 3), QStringLiteral("alice"));
}

void TestServerGame::standInRobotGivesTheSeatBack()
{
    m_options.rejoinGraceMs = 20'000;
    m_options.robotDelayMs = 5;
    startServer();
    TestPlayer* player = nullptr;
    TestClient* alice = logIn(QStringLiteral("alice"), &player);
    TestClient* carol = logIn(QStringLiteral("carol"));
    QVERIFY(alice && carol);
    player->idleWhen = [player] {
        return player->answers() > 0;
    };
    GameOptions o;
    o.timeout = 300;
    o.timerMode = 2;
    o.replaceBots = true;
    const int game = createGame(alice, o, {QStringLiteral("Dynamo"), QStringLiteral("Ember")});
    QVERIFY(game);
    carol->sender.watch(game);
    QVERIFY(carol->waitFor(Opcode::EndMap));
    alice->sender.start();
    QVERIFY(QTest::qWaitFor([&] { return player->isIdle(); }, 10'000));
    const int seat = player->seat();
    carol->forget();
    QVERIFY(drop(alice));

    // A robot takes her seat and plays one of her turns through.
    const std::optional<Message> replaced = carol->waitFor(Opcode::Replace);
    QVERIFY(replaced);
    QCOMPARE(replaced->getInt(1), seat);
    const QString robot = text(*replaced, 2);
    QVERIFY(!robot.isEmpty() && robot != QStringLiteral("Dynamo") &&
            robot != QStringLiteral("Ember"));
    const std::optional<Message> status = carol->waitFor(
        Opcode::Game, [&](const Message& m) { return m.getInt(1) == game && m.getInt(7) == 1; });
    QVERIFY(status);
    QVERIFY(carol->waitFor(
        Opcode::More, [&](const Message& m) { return m.getInt(1) == seat; }, 10'000));

    // She is back: everyone sees her in the seat again, she first of all.
    carol->forget();
    TestPlayer* again = nullptr;
    TestClient* back = logIn(QStringLiteral("alice"), &again);
    QVERIFY(back);
    QVERIFY(back->waitFor(Opcode::CardCount));
    const std::optional<Message> own =
        back->waitFor(Opcode::Player, [&](const Message& m) { return m.getInt(1) == seat; });
    QVERIFY(own);
    QCOMPARE(own->getInt(2), 0);
    QCOMPARE(text(*own, 3), QStringLiteral("alice"));
    QCOMPARE(again->seat(), seat);
    const std::optional<Message> seen =
        carol->waitFor(Opcode::Player, [&](const Message& m) { return m.getInt(1) == seat; });
    QVERIFY(seen);
    QCOMPARE(seen->getInt(2), 0);
    QCOMPARE(text(*seen, 3), QStringLiteral("alice"));

    // The robot has let go: her next turn waits for her, and she plays it.
    QVERIFY(QTest::qWaitFor([&] { return again->answers() > 0; }, 20'000));
    QVERIFY(back->waitFor(Opcode::End, {}, 20'000));
}

void TestServerGame::timerModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("acts");
    QTest::addColumn<bool>("replace");
    QTest::newRow("mode 0 removes") << 0 << true << false;
    QTest::newRow("mode 0, a robot takes over") << 0 << false << true;
    QTest::newRow("mode 1 removes the idle") << 1 << false << false;
    QTest::newRow("mode 1 ends an active turn") << 1 << true << false;
    QTest::newRow("mode 2 ends the turn") << 2 << false << false;
}

void TestServerGame::timerModes()
{
    QFETCH(int, mode);
    QFETCH(bool, acts);
    QFETCH(bool, replace);
    m_options.turnClock = &m_turnClock;
    startServer();
    TestPlayer* player = nullptr;
    TestClient* alice = logIn(QStringLiteral("alice"), &player);
    QVERIFY(alice);
    // She places her first armies; acting, she also places those of her
    // turn; then she waits.
    const int answers = acts ? 3 : 1;
    player->idleWhen = [player, answers] {
        return player->answers() >= answers;
    };
    GameOptions o;
    o.timeout = 30;
    o.timerMode = mode;
    o.replaceBots = replace;
    QVERIFY(createGame(alice, o, {QStringLiteral("Dynamo")}));
    alice->sender.start();
    QVERIFY(QTest::qWaitFor([&] { return player->isIdle(); }, 10'000));
    const int seat = player->seat();
    const QList<const Message*> clocks = alice->received(Opcode::Clock);
    QCOMPARE(clocks.last()->getInt(1), 30);
    // The timer's verdict on her turn (a robot in her seat, her removal or
    // the end of the turn) waits for the whole timeout.
    alice->forget();
    m_turnClock.advance(30'000 - 1);
    QVERIFY(alice->sync());
    for (Opcode verdict : {Opcode::Replace, Opcode::EndPlayer, Opcode::End})
        QVERIFY(alice->received(verdict).isEmpty());
    m_turnClock.advance(1);

    if (replace) {
        const std::optional<Message> replaced = alice->waitFor(Opcode::Replace);
        QVERIFY(replaced);
        QCOMPARE(replaced->getInt(1), seat);
        QVERIFY(alice->received(Opcode::EndPlayer).isEmpty());
        // The robot finishes her turn.
        QVERIFY(alice->waitFor(Opcode::End));
        return;
    }
    const bool removed = mode == 0 || (mode == 1 && !acts);
    if (removed) {
        QVERIFY(alice->waitFor(Opcode::EndPlayer,
                               [&](const Message& m) { return m.getInt(1) == seat; }));
        // The robot is left alone and wins.
        const std::optional<Message> winner = alice->waitFor(Opcode::Winner);
        QVERIFY(winner);
        QVERIFY(winner->getInt(1) != seat);
        return;
    }
    // Her turn ends and the next one is hers again after the robot's.
    QVERIFY(alice->waitFor(Opcode::End));
    QVERIFY(alice->received(Opcode::EndPlayer).isEmpty());
    QVERIFY(alice->waitFor(Opcode::Decide, [&](const Message& m) { return m.getInt(1) == seat; }));
    QCOMPARE(alice->received(Opcode::Clock).last()->getInt(1), 30);
    if (mode == 1) {
        // Idle through the whole of that turn, she is out.
        m_turnClock.advance(30'000);
        QVERIFY(alice->waitFor(Opcode::EndPlayer,
                               [&](const Message& m) { return m.getInt(1) == seat; }));
    }
}

QTEST_GUILESS_MAIN(TestServerGame)
#include "tst_servergame.moc"
