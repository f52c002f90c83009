#include "person.h"
#include "serverfixture.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTest>

#include <memory>
#include <vector>

using testutil::fields;
using testutil::firstIs;
using testutil::text;

namespace {

constexpr int World = 1;

QStringList s_warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtWarningMsg)
        s_warnings << text;
}
constexpr int WorldCountries = 42;

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
// clients against the server's robots on the World map.
class TestServerGame : public QObject, ServerFixture
{
    Q_OBJECT

private:
    // Connects and logs in, the account made on its first use; with
    // `person`, a Person follows the client from before the login on.
    TestClient* logIn(const QString& nickname, Person** person = nullptr);
    // A game (m_game) on World of alice against two robots in which she
    // answers once; she is asked again when this returns. Her client, null
    // on failure. A watcher enters before the start.
    TestClient* aliceIdles(Person** player, const GameOptions& options,
                           TestClient* watcher = nullptr);

    ManualTurnClock m_turnClock;
    int m_game = 0;
    std::vector<std::unique_ptr<Person>> m_players;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void seatAfterHerConnectionIsLost_data();
    void seatAfterHerConnectionIsLost();
    void idleTurnRemovesThePlayerAtItsTimeout();
    void secondDropKeepsTheSeatForTheWholeGrace();
    void rejoinWhileHerAccountIsGuessedAt();
    void refusedMovesAreLoggedAFewASecond();
};

void TestServerGame::initTestCase()
{
    // Refused requests are logged as warnings: none may occur in these
    // games, neither from the test players nor from the robots.
    QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.server.info=false"));
}

void TestServerGame::init()
{
    // Guessing at a password is refused, and logged so, on purpose.
    const QByteArray test = QTest::currentTestFunction();
    if (test != "rejoinWhileHerAccountIsGuessedAt" && test != "refusedMovesAreLoggedAFewASecond")
        QTest::failOnWarning(QRegularExpression(QStringLiteral("refused|was refused")));
    prepare();
    m_options.trustedAddresses = {QStringLiteral("127.0.0.1")};
    m_options.seed = 11;
    m_options.robotDelayMs = 0;
}

void TestServerGame::cleanup()
{
    m_players.clear();
    stop();
}

TestClient* TestServerGame::logIn(const QString& nickname, Person** player)
{
    storeAccount({.nickname = nickname});
    m_clients.push_back(std::make_unique<TestClient>());
    TestClient* c = m_clients.back().get();
    if (player) {
        m_players.push_back(std::make_unique<Person>(*c));
        *player = m_players.back().get();
    }
    return c->connectTo(m_server->port()) && c->login(nickname) == -1 ? c : nullptr;
}

TestClient* TestServerGame::aliceIdles(Person** player, const GameOptions& o, TestClient* watcher)
{
    TestClient* alice = logIn(QStringLiteral("alice"), player);
    Person* p = *player;
    if (!alice)
        return nullptr;
    // She places her first armies, then waits from her first turn on.
    p->turnsBeforeWaiting = 0;
    m_game = createGame(alice, o, World, 0);
    alice->sender.robot(QStringLiteral("Dynamo"));
    alice->sender.robot(QStringLiteral("Ember"));
    if (!m_game || !alice->waitFor(Opcode::Player, firstIs(2)))
        return nullptr;
    if (watcher) {
        watcher->sender.watch(m_game);
        watcher->waitFor(Opcode::EndMap);
    }
    alice->sender.start();
    return QTest::qWaitFor([&] { return p->mode == Person::Mode::Waiting; }, 10'000) ? alice
                                                                                     : nullptr;
}

void TestServerGame::seatAfterHerConnectionIsLost_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("back");
    QTest::addRow("seat out after the grace period") << false << false;
    QTest::addRow("robot plays on after the grace period") << true << false;
    QTest::addRow("seat kept for her return") << false << true;
    QTest::addRow("stand-in gives the seat back") << true << true;
}

void TestServerGame::seatAfterHerConnectionIsLost()
{
    QFETCH(bool, replace);
    QFETCH(bool, back);
    m_options.rejoinGraceMs = back ? 20'000 : 300;
    m_options.robotDelayMs = 5;
    startServer();
    // Someone watching keeps the game going once its only person is gone.
    TestClient* carol = logIn(QStringLiteral("carol"));
    Person* player = nullptr;
    TestClient* alice =
        aliceIdles(&player, {.timeout = 300, .replaceBots = replace, .timerMode = 2}, carol);
    QVERIFY(alice && m_game);
    const int game = m_game;
    const int seat = player->seat;
    // At the start every seat is announced again, the board dealt, then the
    // armies given out.
    QList<Opcode> opening = alice->opcodes();
    opening = opening.mid(0, opening.indexOf(Opcode::Init));
    QCOMPARE(opening.count(Opcode::Player), 3 + 3);
    QCOMPARE(opening.count(Opcode::Country), WorldCountries);
    QCOMPARE(alice->received(Opcode::Init).first()->getInt(1), 35);
    carol->forget();
    QVERIFY(drop(alice));
    if (!back) {
        QTest::qWait(m_options.rejoinGraceMs + 200);
        // Too late: she is back in the lobby, not in the game.
        TestClient* late = logIn(QStringLiteral("alice"));
        QVERIFY(late && late->sync());
        QVERIFY(late->received(Opcode::StartMap).isEmpty());
        QVERIFY(late->waitFor(Opcode::User, fields({{1, QStringLiteral("alice")}, {4, 0}})));
        QVERIFY(late->waitFor(Opcode::Game, fields({{1, game}, {7, 0}})));
        // Watching, she finds her seat out of the game or played by a robot.
        late->forget();
        late->sender.watch(game);
        QVERIFY(late->waitFor(Opcode::Clock));
        QVERIFY(late->sync());
        const std::optional<Message> mine = late->waitFor(Opcode::Player, firstIs(seat));
        QVERIFY(mine);
        QCOMPARE(!late->received(Opcode::EndPlayer).isEmpty(), !replace);
        QCOMPARE(mine->getInt(2), int(replace));
        QCOMPARE(text(*mine, 3) == QStringLiteral("alice"), !replace);
        return;
    }

    if (replace) {
        // A robot takes her seat and plays one of her turns through.
        const std::optional<Message> replaced = carol->waitFor(Opcode::Replace);
        QVERIFY(replaced);
        QCOMPARE(replaced->getInt(1), seat);
        QVERIFY(!text(*replaced, 2).isEmpty() && text(*replaced, 2) != QStringLiteral("Dynamo"));
        QVERIFY(carol->waitFor(Opcode::Game, fields({{1, game}, {7, 1}})));
        QVERIFY(carol->waitFor(Opcode::More, firstIs(seat), 10'000));
        carol->forget();
    }

    // She is back in her seat. Her record names the game before anything of
    // it arrives, so that the client enters the game; then the map, the
    // seats, the board, her clock and the choice it waits for.
    Person* again = nullptr;
    TestClient* returned = logIn(QStringLiteral("alice"), &again);
    QVERIFY(returned &&
            returned->waitFor(Opcode::Player,
                              fields({{1, seat}, {2, 0}, {3, QStringLiteral("alice")}})));
    QCOMPARE(again->seat, seat);
    QVERIFY(returned->waitFor(Opcode::User, fields({{1, QStringLiteral("alice")}, {4, game}})));
    if (replace) {
        // Everyone sees her in the seat the robot gave back.
        QVERIFY(carol->waitFor(Opcode::Player, fields({{1, seat}, {3, QStringLiteral("alice")}})));
    } else {
        QVERIFY(returned->waitFor(Opcode::Decide));
        const QList<Opcode> order = returned->opcodes();
        QVERIFY(order.lastIndexOf(Opcode::User) < order.indexOf(Opcode::StartMap));
        QVERIFY(order.indexOf(Opcode::EndMap) < order.indexOf(Opcode::Player));
        QVERIFY(order.lastIndexOf(Opcode::Player) < order.indexOf(Opcode::Country));
        QCOMPARE(order.mid(0, order.indexOf(Opcode::Decide)).count(Opcode::Country),
                 WorldCountries);
        QCOMPARE(order.indexOf(Opcode::Clock) + 1, order.indexOf(Opcode::Decide));
        QCOMPARE(returned->received(Opcode::Decide).first()->getInt(1), seat);
    }
    // Her next turn waits for her, and she plays it.
    QVERIFY(QTest::qWaitFor([&] { return again->asked; }, 20'000));
    QVERIFY(returned->waitFor(Opcode::End, {}, 20'000));
}

void TestServerGame::idleTurnRemovesThePlayerAtItsTimeout()
{
    // The turn's timer runs on the server's clock: timer mode 1 removes a
    // player who did nothing in a turn.
    m_options.turnClock = &m_turnClock;
    startServer();
    Person* player = nullptr;
    QVERIFY(aliceIdles(&player, {.timeout = 30, .timerMode = 1}));
    const int seat = player->seat;
    QCOMPARE(m_clients.front()->received(Opcode::Clock).last()->getInt(1), 30);
    m_turnClock.advance(30'000);
    QVERIFY(m_clients.front()->waitFor(Opcode::EndPlayer, firstIs(seat)));
}

void TestServerGame::secondDropKeepsTheSeatForTheWholeGrace()
{
    m_options.rejoinGraceMs = 2000;
    m_options.robotDelayMs = 5;
    startServer();
    TestClient* carol = logIn(QStringLiteral("carol"));
    Person* player = nullptr;
    QVERIFY(aliceIdles(&player, {.timeout = 300, .timerMode = 2}, carol));
    const int game = m_game;
    const int seat = player->seat;

    QElapsedTimer firstDrop;
    firstDrop.start();
    QVERIFY(drop(m_clients[1].get()));
    TestClient* back = logIn(QStringLiteral("alice"));
    QVERIFY(back && back->waitFor(Opcode::EndMap));
    QTest::qWait(1000);
    carol->forget();
    QElapsedTimer secondDrop;
    secondDrop.start();
    QVERIFY(drop(back));
    QVERIFY(carol->waitFor(Opcode::Game, fields({{1, game}, {7, 1}})));
    // The first drop's grace ends meanwhile; it no longer counts.
    QTest::qWait(int(m_options.rejoinGraceMs - firstDrop.elapsed() + 500));
    QVERIFY(carol->sync());
    QVERIFY(carol->received(Opcode::EndPlayer).isEmpty());
    // The second drop's grace ends in its own time.
    QVERIFY(carol->waitFor(Opcode::EndPlayer, firstIs(seat), 5000));
    QVERIFY(secondDrop.elapsed() >= m_options.rejoinGraceMs);
}

void TestServerGame::rejoinWhileHerAccountIsGuessedAt()
{
    m_options.rejoinGraceMs = 4000;
    m_options.robotDelayMs = 5;
    startServer();
    TestClient* carol = logIn(QStringLiteral("carol"));
    Person* player = nullptr;
    QVERIFY(aliceIdles(&player, {.timeout = 300, .timerMode = 2}, carol));
    const int seat = player->seat;
    QVERIFY(drop(m_clients[1].get()));
    carol->forget();
    // Ten addresses guess once each: her account's pause is long now, and
    // it holds back 127.0.0.5, which guessed too.
    for (int a = 2; a < 12; ++a) {
        TestClient guesser;
        QVERIFY(
            guesser.connectTo(m_server->port(), QHostAddress(QStringLiteral("127.0.0.%1").arg(a))));
        QCOMPARE(guesser.login(QStringLiteral("alice"), QStringLiteral("guess")),
                 int(FailureCode::WrongPassword));
    }
    // She comes back from behind that address, within her grace: her login
    // waits, but not past her seat.
    m_clients.push_back(std::make_unique<TestClient>());
    TestClient* back = m_clients.back().get();
    QVERIFY(back->connectTo(m_server->port(), QHostAddress(QStringLiteral("127.0.0.5"))));
    QCOMPARE(back->login(QStringLiteral("alice")), -1);
    QVERIFY(back->waitFor(Opcode::Player, fields({{1, seat}, {3, QStringLiteral("alice")}})));
    QVERIFY(carol->sync());
    QVERIFY(carol->received(Opcode::EndPlayer).isEmpty());
}

void TestServerGame::refusedMovesAreLoggedAFewASecond()
{
    startServer();
    Person* player = nullptr;
    TestClient* alice = aliceIdles(&player, {.timeout = 300, .timerMode = 2});
    QVERIFY(alice);
    s_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 2000; ++i)
        alice->sender.attack(998, 999, 3, false);
    QVERIFY(alice->sync());
    const qint64 seconds = clock.elapsed() / 1000 + 1;
    QTest::qWait(1100);
    qInstallMessageHandler(previous);
    QVERIFY2(s_warnings.filter(QStringLiteral("refused request Attack")).size() <= 5 * seconds,
             qPrintable(QString::number(s_warnings.size())));
    QVERIFY(!s_warnings.filter(QStringLiteral("refused request Attack")).isEmpty());
    QCOMPARE(s_warnings.filter(QStringLiteral("more refused requests not logged")).size(), 1);
}

QTEST_GUILESS_MAIN(TestServerGame)
#include "tst_servergame.moc"
