#include "../net/fields.h"
#include "clientsession.h"
#include "serverfixture.h"
#include "testmaps.h"

#include <QJsonDocument>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <climits>
#include <memory>
#include <vector>

using testutil::text;

// The server in-process on a free loopback port with a temporary database,
// driven by clients that speak through the client's own Sender and Parser.
class TestServer : public QObject, ServerFixture
{
    Q_OBJECT

private:
    // Registers a member (the flag is set in the database, read at login).
    TestClient* member(const QString& nickname);
    // Whispers received, leaving out the ones sync() sent itself.
    static int whispers(TestClient* c);

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loginAndRegistrationFailures_data();
    void loginAndRegistrationFailures();
    void outdatedClientIsToldToUpgrade();
    void repeatedFailedLoginsCloseTheConnection();
    void loginIsAnnouncedInOrder();
    void lostClientIsAnnouncedAndLeavesItsGame();
    void chatReachesExactlyTheRightUsers();
    void whisperingIsRefusedAroundANoWhisperingGame();
    void gameLifecycle();
    void robotsFollowTheSeatRules();
    void joiningAnotherGameLeavesTheFirst();
    void observersAndPlayersSwitchWithinAGame();
    void masksSurviveARestart();
    void storingAValidMap();
    void replacedMapsGoAndAccountsHaveAQuota();
    void storingAnInvalidMap_data();
    void storingAnInvalidMap();
    void storingTheCurrentGamesMap();
    void silentClientIsDropped();
    void shutdownTellsEveryClient();
    void stalledClientIsDroppedWhenItsQueueIsFull();
    void malformedInputAffectsOnlyItsSender();
    void requestsWithWrongFieldTypesAreIgnored();
    void randomRequestsLeaveTheServerWhole();
};

void TestServer::initTestCase()
{
    // Refusals are logged on purpose in most tests; keep the output readable.
    if (qEnvironmentVariableIsEmpty("TARVENIX_SERVER_LOG"))
        QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.server.info=false\n"
                                                        "tarvenix.server.warning=false"));
}

void TestServer::init()
{
    prepare();
    // These tests crowd one address; the limits per address have tests of
    // their own.
    m_options.trustedAddresses = {QStringLiteral("127.0.0.1")};
    startServer();
}

void TestServer::cleanup()
{
    stop();
}

TestClient* TestServer::member(const QString& nickname)
{
    TestClient* first = registered(nickname);
    if (!first)
        return nullptr;
    const std::optional<Account> account = m_server->database().findAccount(nickname);
    m_server->database().setFlags(account->id, true, false, false);
    if (!drop(first))
        return nullptr;
    TestClient* second = connectClient();
    return second && second->login(nickname) == -1 ? second : nullptr;
}

int TestServer::whispers(TestClient* c)
{
    int n = 0;
    for (const Message* m : c->received(Opcode::Whisper))
        n += !text(*m, 2).startsWith(QLatin1String("sync-"));
    return n;
}

void TestServer::loginAndRegistrationFailures_data()
{
    QTest::addColumn<bool>("registering");
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("expected");

    QTest::newRow("registration") << true << "dave" << QStringLiteral("pw") << -1;
    QTest::newRow("nickname too short") << true << "d" << QStringLiteral("pw") << 0;
    QTest::newRow("nickname too long") << true << "abcdefghijklmnopq" << QStringLiteral("pw") << 0;
    QTest::newRow("nickname with a space") << true << "da ve" << QStringLiteral("pw") << 0;
    QTest::newRow("nickname taken") << true << "alice" << QStringLiteral("pw") << 2;
    QTest::newRow("nickname taken in other case") << true << "ALICE" << QStringLiteral("pw") << 2;
    QTest::newRow("nickname of a robot") << true << "anvil" << QStringLiteral("pw") << 2;
    QTest::newRow("empty password") << true << "erin" << QStringLiteral("") << 6;
    QTest::newRow("login") << false << "alice" << QStringLiteral("secret") << -1;
    QTest::newRow("login in other case") << false << "ALICE" << QStringLiteral("secret") << -1;
    QTest::newRow("unknown nickname") << false << "nobody" << QStringLiteral("secret") << 0;
    QTest::newRow("invalid nickname") << false << "?!" << QStringLiteral("secret") << 0;
    QTest::newRow("wrong password") << false << "alice" << QStringLiteral("guess") << 5;
    QTest::newRow("banned") << false << "bob" << QStringLiteral("secret") << 3;
    QTest::newRow("already logged on") << false << "carol" << QStringLiteral("secret") << 1;
    QTest::newRow("already logged on in other case")
        << false << "Carol" << QStringLiteral("secret") << 1;
}

void TestServer::loginAndRegistrationFailures()
{
    QFETCH(bool, registering);
    QFETCH(QString, nickname);
    QFETCH(QString, password);
    QFETCH(int, expected);

    QVERIFY(registered(QStringLiteral("alice")));
    QVERIFY(registered(QStringLiteral("bob")));
    QVERIFY(registered(QStringLiteral("carol")));
    m_clients.erase(m_clients.begin(), m_clients.begin() + 2);
    QTRY_COMPARE(m_server->userCount(), 1);
    const std::optional<Account> bob = m_server->database().findAccount(QStringLiteral("bob"));
    QVERIFY(m_server->database().setFlags(bob->id, false, false, true));

    TestClient* c = connectClient();
    QVERIFY(c);
    const int result =
        registering ? c->registerAs(nickname, password) : c->login(nickname, password);
    QCOMPARE(result, expected);
    if (expected == -1) {
        // The server's spelling of the nickname, whatever was typed.
        QCOMPARE(c->nickname, registering ? nickname : QStringLiteral("alice"));
        QVERIFY(c->waitFor(Opcode::NewUser,
                           [&](const Message& m) { return text(m, 1) == c->nickname; }));
    } else {
        // A refusal keeps the connection open for the next attempt.
        QVERIFY(c->isConnected());
        QCOMPARE(c->login(QStringLiteral("alice")), -1);
    }
}

void TestServer::outdatedClientIsToldToUpgrade()
{
    TestClient* c = connectClient();
    QVERIFY(c);
    Message login = Protocol::message(Opcode::Login);
    login.addString("alice");
    login.addString("secret");
    login.addInt(10);
    login.addString("tarvenix");
    c->writeRaw(login.data());
    QVERIFY(c->waitFor(Opcode::Upgrade));
    QVERIFY(c->waitForDisconnect());
    QVERIFY(c->received(Opcode::Success).isEmpty());
}

void TestServer::repeatedFailedLoginsCloseTheConnection()
{
    QVERIFY(registered(QStringLiteral("alice")));
    TestClient* c = connectClient();
    QVERIFY(c);
    for (int i = 0; i < Server::MaxFailedLogins; ++i)
        QCOMPARE(c->login(QStringLiteral("alice"), QStringLiteral("guess")), 5);
    QVERIFY(c->waitForDisconnect());
}

void TestServer::loginIsAnnouncedInOrder()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    QVERIFY(alice);
    alice->sender.addMask(QStringLiteral("bob@*"), QStringLiteral("friend"));
    alice->sender.addMask(QStringLiteral("eve*"), QStringLiteral("enemy"));
    QVERIFY(alice->sync());
    m_clients.clear();
    QTRY_COMPARE(m_server->userCount(), 0);

    TestClient* bob = registered(QStringLiteral("bob"));
    QVERIFY(bob);
    const int game = createGame(bob);
    QVERIFY(game > 0);
    bob->forget();

    TestClient* again = connectClient();
    QVERIFY(again);
    QCOMPARE(again->login(QStringLiteral("alice")), -1);
    const QString lastRobot = m_server->robots().last().name;
    QVERIFY(
        again->waitFor(Opcode::Robot, [&](const Message& m) { return text(m, 1) == lastRobot; }));
    // Users, games, then bob's record again now that his game is known.
    QList<Opcode> expected = {Opcode::Success, Opcode::NewUser, Opcode::User, Opcode::NewUser,
                              Opcode::User,    Opcode::NewGame, Opcode::Game, Opcode::User,
                              Opcode::Mask,    Opcode::Mask,    Opcode::Slot};
    for (qsizetype i = 0; i < m_server->robots().size(); ++i)
        expected.append(Opcode::Robot);
    QCOMPARE(again->opcodes(), expected);
    const QList<const Message*> users = again->received(Opcode::NewUser);
    QCOMPARE(text(*users[0], 1), QStringLiteral("bob"));
    QCOMPARE(text(*users[1], 1), QStringLiteral("alice"));
    QCOMPARE(text(*users[1], 2).isEmpty(), false);
    const QList<const Message*> masks = again->received(Opcode::Mask);
    QCOMPARE(text(*masks[0], 1), QStringLiteral("bob@*"));
    QCOMPARE(text(*masks[0], 2), QStringLiteral("friend"));
    QCOMPARE(text(*masks[1], 2), QStringLiteral("enemy"));
    const Message* popular = again->received(Opcode::Slot).first();
    QCOMPARE(popular->getInt(1), 0);
    QCOMPARE(popular->getInt(3), 1);
    QCOMPARE(text(*popular, 4), QStringLiteral("Testland"));
    // The record of bob shows him playing in his game.
    QCOMPARE(again->received(Opcode::User).first()->getInt(4), game);
    QCOMPARE(text(*again->received(Opcode::User).last(), 1), QStringLiteral("bob"));
    QCOMPARE(again->received(Opcode::User).last()->getInt(4), game);

    // Everyone else hears of alice: newUser, then her record.
    QVERIFY(bob->waitFor(Opcode::User,
                         [](const Message& m) { return text(m, 1) == QStringLiteral("alice"); }));
    QCOMPARE(bob->opcodes(), (QList<Opcode>{Opcode::NewUser, Opcode::User}));
}

void TestServer::lostClientIsAnnouncedAndLeavesItsGame()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    QVERIFY(alice && bob);
    const int game = createGame(alice);
    bob->sender.join(game);
    QVERIFY(alice->waitFor(Opcode::Player, [](const Message& m) { return m.getInt(1) == 1; }));
    alice->forget();

    m_clients.pop_back();
    QVERIFY(alice->waitFor(Opcode::EndUser,
                           [](const Message& m) { return text(m, 1) == QStringLiteral("bob"); }));
    const QList<const Message*> status = alice->received(Opcode::Game);
    QVERIFY(!status.isEmpty());
    QCOMPARE(status.last()->getInt(5), 1);
    QVERIFY(!alice->received(Opcode::EndPlayer).isEmpty());
    QCOMPARE(alice->received(Opcode::EndPlayer).first()->getInt(1), 1);
    QCOMPARE(m_server->userCount(), 1);
}

void TestServer::chatReachesExactlyTheRightUsers()
{
    TestClient* alice = member(QStringLiteral("Alice"));
    TestClient* bob = member(QStringLiteral("bob"));
    TestClient* carol = registered(QStringLiteral("carol"));
    TestClient* dave = registered(QStringLiteral("dave"));
    QVERIFY(alice && bob && carol && dave);
    const QList<TestClient*> all = {alice, bob, carol, dave};
    const int game = createGame(alice);
    carol->sender.watch(game);
    QVERIFY(carol->waitFor(Opcode::EndMap));
    for (TestClient* c : all) {
        QVERIFY(c->sync());
        c->forget();
    }

    // Nicknames as the server spells them, whatever case the login used.
    bob->sender.globalChat(QStringLiteral("hello all"));
    for (TestClient* c : all)
        QVERIFY(c->waitFor(Opcode::GlobalChat, [](const Message& m) {
            return text(m, 1) == QStringLiteral("bob") && text(m, 2) == QStringLiteral("hello all");
        }));

    alice->sender.gameChat(QStringLiteral("game line"));
    QVERIFY(alice->waitFor(Opcode::GameChat));
    QVERIFY(carol->waitFor(Opcode::GameChat,
                           [](const Message& m) { return text(m, 1) == QStringLiteral("Alice"); }));

    alice->sender.membersChat(QStringLiteral("members line"));
    QVERIFY(bob->waitFor(Opcode::MembersChat, [](const Message& m) {
        return text(m, 2) == QStringLiteral("members line");
    }));
    QVERIFY(alice->waitFor(Opcode::MembersChat));
    carol->sender.membersChat(QStringLiteral("not a member"));

    alice->sender.whisper(QStringLiteral("DAVE"), QStringLiteral("psst"));
    QVERIFY(dave->waitFor(Opcode::Whisper, [](const Message& m) {
        return text(m, 1) == QStringLiteral("Alice") && text(m, 2) == QStringLiteral("psst");
    }));

    for (TestClient* c : all)
        QVERIFY(c->sync());
    QCOMPARE(bob->received(Opcode::GameChat).size(), 0);
    QCOMPARE(dave->received(Opcode::GameChat).size(), 0);
    QCOMPARE(carol->received(Opcode::MembersChat).size(), 0);
    QCOMPARE(dave->received(Opcode::MembersChat).size(), 0);
    QCOMPARE(alice->received(Opcode::MembersChat).size(), 1);
    for (TestClient* c : {alice, bob, carol})
        QCOMPARE(whispers(c), 0);
    QCOMPARE(whispers(dave), 1);
}

void TestServer::whisperingIsRefusedAroundANoWhisperingGame()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    TestClient* carol = registered(QStringLiteral("carol"));
    QVERIFY(alice && bob && carol);
    const int game = createGame(alice, {.noWhispering = true});
    bob->sender.join(game);
    QVERIFY(bob->waitFor(Opcode::EndMap));
    QVERIFY(carol->sync());

    alice->sender.whisper(QStringLiteral("bob"), QStringLiteral("inside"));
    carol->sender.whisper(QStringLiteral("alice"), QStringLiteral("into"));
    bob->sender.whisper(QStringLiteral("carol"), QStringLiteral("out of"));
    // The game chat marks the point by which the whispers were handled.
    alice->sender.gameChat(QStringLiteral("after"));
    QVERIFY(bob->waitFor(Opcode::GameChat,
                         [](const Message& m) { return text(m, 2) == QStringLiteral("after"); }));
    QVERIFY(alice->waitFor(Opcode::GameChat,
                           [](const Message& m) { return text(m, 2) == QStringLiteral("after"); }));
    QVERIFY(carol->sync());
    QCOMPARE(whispers(bob), 0);
    QCOMPARE(whispers(alice), 0);
    QCOMPARE(whispers(carol), 0);

    // Once out of the game, whispering works again.
    bob->sender.part();
    QVERIFY(bob->waitFor(Opcode::User, [](const Message& m) {
        return text(m, 1) == QStringLiteral("bob") && m.getInt(4) == 0;
    }));
    carol->sender.whisper(QStringLiteral("bob"), QStringLiteral("free"));
    QVERIFY(bob->waitFor(Opcode::Whisper,
                         [](const Message& m) { return text(m, 2) == QStringLiteral("free"); }));
}

void TestServer::gameLifecycle()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    TestClient* carol = registered(QStringLiteral("carol"));
    QVERIFY(alice && bob && carol);

    requestGame(alice,
                {.placeBeforeAttack = true,
                 .timeout = 300,
                 .replaceBots = true,
                 .hideCards = true,
                 .blind = true,
                 .minHumans = 2,
                 .gifts = true,
                 .timerMode = 2,
                 .sameLevel = true},
                1, 100);
    const std::optional<Message> created = carol->waitFor(Opcode::NewGame);
    QVERIFY(created);
    const int game = created->getInt(1);
    // Game id, map id, map name, author, then the options in their order;
    // a range of 100 points centres on alice's 1500.
    const QList<int> options = {1, 0, 300, 0, 1, 0, 1, 0, 1, 2, 1400, 1600, 1, 0, 2, 1, 0};
    QCOMPARE(created->getInt(2), 1);
    QCOMPARE(text(*created, 3), QStringLiteral("Testland"));
    QCOMPARE(text(*created, 4), QStringLiteral("tests"));
    for (int i = 0; i < options.size(); ++i)
        QCOMPARE(created->getInt(5 + i), options[i]);
    const std::optional<Message> status = carol->waitFor(Opcode::Game);
    QVERIFY(status);
    QCOMPARE(text(*status, 2), QStringLiteral("alice"));
    QCOMPARE(status->getInt(3), 0);
    QCOMPARE(status->getInt(4), 1);
    QCOMPARE(status->getInt(5), 1);
    QVERIFY(carol->waitFor(Opcode::User, [&](const Message& m) {
        return text(m, 1) == QStringLiteral("alice") && m.getInt(4) == game && m.getInt(5) == 0;
    }));
    // The creator receives the map, then his seat.
    QVERIFY(alice->waitFor(Opcode::Player));
    const QList<Opcode> aliceTail =
        alice->opcodes().mid(alice->opcodes().indexOf(Opcode::StartMap));
    QCOMPARE(aliceTail, (QList<Opcode>{Opcode::StartMap, Opcode::ContinentMap, Opcode::ContinentMap,
                                       Opcode::CountryMap, Opcode::CountryMap, Opcode::CountryMap,
                                       Opcode::NeighbourMap, Opcode::NeighbourMap, Opcode::LineMap,
                                       Opcode::EndMap, Opcode::Player}));
    QCOMPARE(alice->received(Opcode::StartMap).first()->getInt(1), 1);

    bob->sender.join(game);
    QVERIFY(bob->waitFor(Opcode::Player, [](const Message& m) { return m.getInt(1) == 1; }));
    QCOMPARE(bob->received(Opcode::Player).size(), 2);
    QVERIFY(alice->waitFor(Opcode::Player, [](const Message& m) {
        return m.getInt(1) == 1 && m.getInt(2) == 0 && text(m, 3) == QStringLiteral("bob");
    }));
    QVERIFY(carol->waitFor(Opcode::Game,
                           [](const Message& m) { return m.getInt(4) == 2 && m.getInt(5) == 2; }));

    carol->sender.watch(game);
    QVERIFY(carol->waitFor(Opcode::EndMap));
    QVERIFY(carol->waitFor(Opcode::User, [&](const Message& m) {
        return text(m, 1) == QStringLiteral("carol") && m.getInt(4) == 0 && m.getInt(5) == game;
    }));
    QVERIFY(alice->waitFor(Opcode::Game,
                           [](const Message& m) { return m.getInt(4) == 3 && m.getInt(5) == 2; }));

    alice->sender.robot(QStringLiteral("Anvil"));
    QVERIFY(carol->waitFor(Opcode::Player, [](const Message& m) {
        return m.getInt(1) == 2 && m.getInt(2) == 1 && text(m, 3) == QStringLiteral("Anvil");
    }));
    QVERIFY(carol->waitFor(Opcode::Game,
                           [](const Message& m) { return m.getInt(5) == 3 && m.getInt(6) == 1; }));

    // Only the operator kicks.
    carol->forget();
    bob->sender.kick(QStringLiteral("carol"));
    QVERIFY(bob->sync());
    QVERIFY(carol->sync());
    QVERIFY(carol->received(Opcode::User).isEmpty());

    alice->sender.kick(QStringLiteral("bob"));
    QVERIFY(carol->waitFor(Opcode::EndPlayer, [](const Message& m) { return m.getInt(1) == 1; }));
    QVERIFY(bob->waitFor(Opcode::User, [](const Message& m) {
        return text(m, 1) == QStringLiteral("bob") && m.getInt(4) == 0 && m.getInt(5) == 0;
    }));
    QVERIFY(carol->waitFor(Opcode::Game,
                           [](const Message& m) { return m.getInt(5) == 2 && m.getInt(4) == 2; }));

    // The operator leaves: the observer takes over the waiting game.
    alice->sender.part();
    QVERIFY(bob->waitFor(Opcode::Game,
                         [](const Message& m) { return text(m, 2) == QStringLiteral("carol"); }));
    QCOMPARE(m_server->gameCount(), 1);

    carol->sender.part();
    const std::optional<Message> ended = bob->waitFor(Opcode::EndGame);
    QVERIFY(ended);
    QCOMPARE(ended->getInt(1), game);
    // Carol's record goes out before the game's end.
    const QList<Opcode> order = bob->opcodes();
    QCOMPARE(text(*bob->received(Opcode::User).last(), 1), QStringLiteral("carol"));
    QVERIFY(order.lastIndexOf(Opcode::User) < order.lastIndexOf(Opcode::EndGame));
    QCOMPARE(m_server->gameCount(), 0);
}

void TestServer::robotsFollowTheSeatRules()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    QVERIFY(alice && bob);

    const int noBots = createGame(alice, {.noRobots = true});
    alice->sender.robot(QStringLiteral("Anvil"));
    QVERIFY(alice->sync());
    QCOMPARE(alice->received(Opcode::Player).size(), 1);

    // With four humans required, two of the six seats may be robots.
    alice->forget();
    const int game = createGame(alice, {.minHumans = 4});
    QVERIFY(game != noBots);
    QVERIFY(alice->waitFor(Opcode::Player));
    bob->sender.join(game);
    QVERIFY(bob->waitFor(Opcode::EndMap));
    bob->sender.robot(QStringLiteral("Anvil"));
    alice->sender.robot(QStringLiteral("Anvil"));
    alice->sender.robot(QStringLiteral("anvil"));
    alice->sender.robot(QStringLiteral("Nobody"));
    alice->sender.robot(QStringLiteral("Bramble"));
    alice->sender.robot(QStringLiteral("Cinder"));
    QVERIFY(alice->sync());
    QList<QString> robots;
    for (const Message* m : alice->received(Opcode::Player)) {
        if (m->getInt(2))
            robots.append(text(*m, 3));
    }
    QCOMPARE(robots, (QList<QString>{QStringLiteral("Anvil"), QStringLiteral("Bramble")}));

    // The operator may send a robot away again while the game waits.
    alice->sender.kick(QStringLiteral("Bramble"));
    QVERIFY(bob->waitFor(Opcode::EndPlayer, [](const Message& m) { return m.getInt(1) == 3; }));
}

void TestServer::joiningAnotherGameLeavesTheFirst()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    TestClient* carol = registered(QStringLiteral("carol"));
    QVERIFY(alice && bob && carol);
    const int first = createGame(alice);
    const int second = createGame(bob);
    QVERIFY(first > 0 && second > first);

    carol->sender.join(first);
    QVERIFY(carol->waitFor(Opcode::EndMap));
    carol->sender.join(second);
    QVERIFY(carol->waitFor(Opcode::User, [&](const Message& m) {
        return text(m, 1) == QStringLiteral("carol") && m.getInt(4) == second;
    }));
    QVERIFY(alice->waitFor(Opcode::EndPlayer, [](const Message& m) { return m.getInt(1) == 1; }));

    // Watching another game leaves the one the user is in; an empty game ends.
    alice->sender.watch(second);
    QVERIFY(
        carol->waitFor(Opcode::EndGame, [&](const Message& m) { return m.getInt(1) == first; }));
    QCOMPARE(m_server->gameCount(), 1);
}

void TestServer::observersAndPlayersSwitchWithinAGame()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    QVERIFY(alice && bob);
    const int game = createGame(alice);

    bob->sender.watch(game);
    QVERIFY(bob->waitFor(Opcode::EndMap));
    bob->sender.join(game);
    QVERIFY(alice->waitFor(Opcode::Player, [](const Message& m) { return m.getInt(1) == 1; }));
    QVERIFY(alice->waitFor(Opcode::Game,
                           [](const Message& m) { return m.getInt(4) == 2 && m.getInt(5) == 2; }));
    QVERIFY(bob->waitFor(Opcode::User, [&](const Message& m) {
        return text(m, 1) == QStringLiteral("bob") && m.getInt(4) == game && m.getInt(5) == 0;
    }));

    // The operator steps back to watching: his seat goes, and the game
    // passes to the player who is left.
    alice->sender.watch(game);
    QVERIFY(bob->waitFor(Opcode::EndPlayer, [](const Message& m) { return m.getInt(1) == 0; }));
    QVERIFY(bob->waitFor(Opcode::Game, [](const Message& m) {
        return text(m, 2) == QStringLiteral("bob") && m.getInt(4) == 2 && m.getInt(5) == 1;
    }));
    QVERIFY(alice->waitFor(Opcode::User, [&](const Message& m) {
        return text(m, 1) == QStringLiteral("alice") && m.getInt(4) == 0 && m.getInt(5) == game;
    }));
    QCOMPARE(m_server->gameCount(), 1);
}

void TestServer::masksSurviveARestart()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    QVERIFY(alice);
    alice->sender.addMask(QStringLiteral("bob@*"), QStringLiteral("friend"));
    alice->sender.addMask(QStringLiteral("BOB@*"), QStringLiteral("friend"));
    alice->sender.addMask(QStringLiteral("bob@*"), QStringLiteral("enemy"));
    alice->sender.addMask(QStringLiteral("  eve*  "), QStringLiteral("enemy"));
    alice->sender.addMask(QStringLiteral("   "), QStringLiteral("enemy"));
    alice->sender.addMask(QStringLiteral("x*"), QStringLiteral("stranger"));
    alice->sender.removeMask(QStringLiteral("BOB@*"), QStringLiteral("enemy"));
    QVERIFY(alice->sync());

    startServer();

    TestClient* again = connectClient();
    QVERIFY(again);
    QCOMPARE(again->login(QStringLiteral("alice")), -1);
    QVERIFY(again->waitFor(Opcode::Robot));
    QList<QPair<QString, QString>> masks;
    for (const Message* m : again->received(Opcode::Mask))
        masks.append({text(*m, 1), text(*m, 2)});
    const QList<QPair<QString, QString>> expected = {
        {QStringLiteral("bob@*"), QStringLiteral("friend")},
        {QStringLiteral("eve*"), QStringLiteral("enemy")}};
    QCOMPARE(masks, expected);
}

void TestServer::storingAValidMap()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    QVERIFY(alice && bob);
    const MapData map = testmaps::bandMap(0, QStringLiteral("Bands"), 4);
    alice->uploadMap(map, 2);

    const std::optional<Message> slot =
        alice->waitFor(Opcode::Slot, [](const Message& m) { return m.getInt(1) == 1; });
    QVERIFY(slot);
    QCOMPARE(slot->getInt(2), 2);
    const int id = slot->getInt(3);
    QVERIFY(id >= Database::FirstUploadedMapId);
    QCOMPARE(text(*slot, 4), QStringLiteral("Bands"));
    QCOMPARE(text(*slot, 5), QStringLiteral("alice"));
    QCOMPARE(m_server->database().mapSlots(
                 m_server->database().findAccount(QStringLiteral("alice"))->id)[2],
             id);

    // A game on the new map hands it to whoever enters, as it was drawn.
    requestGame(alice, {.noRobots = true}, id);
    const std::optional<Message> game = bob->waitFor(Opcode::NewGame);
    QVERIFY(game);
    QCOMPARE(game->getInt(2), id);
    QCOMPARE(text(*game, 3), QStringLiteral("Bands"));
    QCOMPARE(game->getInt(15), 0);
    QCOMPARE(game->getInt(16), 0);
    bob->sender.watch(game->getInt(1));
    const std::optional<Message> start = bob->waitFor(Opcode::StartMap);
    QVERIFY(start);
    QCOMPARE(start->getInt(1), id);
    QCOMPARE(text(*start, 3), QStringLiteral("europe"));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(start->getBytes(4)), start->fieldLength(4)),
             map.index);
    QVERIFY(bob->waitFor(Opcode::EndMap));
    QCOMPARE(bob->received(Opcode::CountryMap).size(), 4);
    QCOMPARE(bob->received(Opcode::NeighbourMap).size(), 3);

    // The slot is there at the next login.
    m_clients.erase(m_clients.begin());
    QVERIFY(bob->waitFor(Opcode::EndUser,
                         [](const Message& m) { return text(m, 1) == QStringLiteral("alice"); }));
    TestClient* again = connectClient();
    QVERIFY(again);
    QCOMPARE(again->login(QStringLiteral("alice")), -1);
    QVERIFY(again->waitFor(Opcode::Slot, [&](const Message& m) {
        return m.getInt(1) == 1 && m.getInt(2) == 2 && m.getInt(3) == id;
    }));
}

void TestServer::replacedMapsGoAndAccountsHaveAQuota()
{
    // Room for two of the test maps.
    const MapData map = testmaps::bandMap(0, QStringLiteral("Bands"), 4);
    m_options.maxMapBytesPerAccount =
        2 * (map.index.size() + QJsonDocument(map.toJson()).toJson(QJsonDocument::Compact).size());
    startServer();
    TestClient* alice = registered(QStringLiteral("alice"));
    QVERIFY(alice);
    Database& db = m_server->database();
    const qint64 account = db.findAccount(QStringLiteral("alice"))->id;
    const auto upload = [&](int slot) {
        alice->forget();
        alice->uploadMap(map, slot);
        if (!alice->sync())
            return -1;
        for (const Message* m : alice->received(Opcode::Slot)) {
            if (m->getInt(1) == 1 && m->getInt(2) == slot)
                return m->getInt(3);
        }
        return 0;
    };

    const int first = upload(0);
    QVERIFY(first > 0);
    requestGame(alice, {.noRobots = true}, first);
    QVERIFY(
        alice->waitFor(Opcode::NewGame, [&](const Message& m) { return m.getInt(2) == first; }));

    // The game keeps the map it is played on while the slot moves on.
    const int second = upload(0);
    QVERIFY(second > first);
    QVERIFY(db.loadMap(first));
    alice->sender.part();
    QVERIFY(QTest::qWaitFor([&] { return !db.loadMap(first); }));

    // A replaced map nothing else holds goes at once.
    const int third = upload(0);
    QVERIFY(third > second);
    QVERIFY(!db.loadMap(second));

    // A third map would outgrow the account's share; the slot stays empty.
    QVERIFY(upload(1) > 0);
    QCOMPARE(upload(2), 0);
    QVERIFY(alice->isConnected());
    QCOMPARE(db.mapSlots(account)[2], 0);
    QCOMPARE(db.mapSlots(account)[0], third);
}

void TestServer::storingAnInvalidMap_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("unknown picture") << "picture";
    QTest::newRow("index too short") << "short";
    QTest::newRow("index not gzip") << "garbage";
    QTest::newRow("undeclared country in index") << "undeclared";
    QTest::newRow("country without continent") << "continent";
    QTest::newRow("neighbour naming no country") << "neighbour";
    QTest::newRow("area outside the picture") << "area";
    QTest::newRow("slot out of range") << "slot";
    QTest::newRow("no start") << "nostart";
}

void TestServer::storingAnInvalidMap()
{
    QFETCH(QString, fault);
    TestClient* alice = registered(QStringLiteral("alice"));
    QVERIFY(alice);
    MapData map = testmaps::bandMap(0, QStringLiteral("Broken"), 3);
    int slot = 1;
    if (fault == QStringLiteral("picture"))
        map.picture = QStringLiteral("atlantis");
    else if (fault == QStringLiteral("short"))
        map.index = testmaps::gzip(testmaps::bandIndex(3).left(1000));
    else if (fault == QStringLiteral("garbage"))
        map.index = QByteArray(500, 'x');
    else if (fault == QStringLiteral("undeclared"))
        map.index = testmaps::gzip(testmaps::bandIndex(4));
    else if (fault == QStringLiteral("continent"))
        map.countries[0].continent = 9;
    else if (fault == QStringLiteral("neighbour"))
        map.neighbours.append({1, 7});
    else if (fault == QStringLiteral("area"))
        map.countries[1].areaWidth = 5000;
    else if (fault == QStringLiteral("slot"))
        slot = 5;

    if (fault != QStringLiteral("nostart"))
        alice->sender.startMap(map.picture, map.name,
                               reinterpret_cast<const unsigned char*>(map.index.constData()),
                               int(map.index.size()));
    for (const MapContinent& c : map.continents)
        alice->sender.continentMap(c.number, c.name, c.value);
    for (const MapCountry& c : map.countries)
        alice->sender.countryMap(c.number, c.name, c.continent, c.labelX, c.labelY, c.areaX,
                                 c.areaY, c.areaWidth, c.areaHeight);
    for (const auto& pair : map.neighbours)
        alice->sender.neighbourMap(pair[0], pair[1]);
    alice->sender.endMap(slot);

    QVERIFY(alice->sync());
    QVERIFY(alice->isConnected());
    for (const Message* m : alice->received(Opcode::Slot))
        QCOMPARE(m->getInt(1), 0);
    const QList<int> personal = m_server->database().mapSlots(
        m_server->database().findAccount(QStringLiteral("alice"))->id);
    QCOMPARE(personal, QList<int>(5, 0));
}

void TestServer::storingTheCurrentGamesMap()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    QVERIFY(alice);
    alice->sender.storeSlot(0);
    QVERIFY(alice->sync());
    QVERIFY(alice->received(Opcode::Slot).size() == 1);

    createGame(alice);
    alice->sender.storeSlot(4);
    const std::optional<Message> slot =
        alice->waitFor(Opcode::Slot, [](const Message& m) { return m.getInt(1) == 1; });
    QVERIFY(slot);
    QCOMPARE(slot->getInt(2), 4);
    QCOMPARE(slot->getInt(3), 1);
    QCOMPARE(text(*slot, 4), QStringLiteral("Testland"));
}

void TestServer::silentClientIsDropped()
{
    m_options.keepAliveIntervalMs = 50;
    m_options.idleTimeoutMs = 400;
    startServer();

    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    QVERIFY(alice && bob);
    bob->answerPings = false;
    QVERIFY(bob->waitFor(Opcode::Ping));

    QVERIFY(alice->waitFor(
        Opcode::EndUser, [](const Message& m) { return text(m, 1) == QStringLiteral("bob"); },
        3000));
    QVERIFY(bob->waitForDisconnect());
    // Alice answered every keep-alive and is still there.
    QVERIFY(alice->isConnected());
    QVERIFY(alice->received(Opcode::Ping).size() >= 3);
    QCOMPARE(m_server->userCount(), 1);
}

void TestServer::shutdownTellsEveryClient()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* waiting = connectClient();
    QVERIFY(alice && waiting);
    const quint16 port = m_server->port();
    m_server->shutdown();
    for (TestClient* c : {alice, waiting}) {
        QVERIFY(c->waitFor(Opcode::Closed));
        QVERIFY(c->waitForDisconnect());
    }
    // Nobody new gets in either.
    TestClient late;
    QVERIFY(!late.connectTo(port));
}

void TestServer::stalledClientIsDroppedWhenItsQueueIsFull()
{
    m_options.maxQueuedOutput = 64 * 1024;
    // A sender this fast is cut by the chat allowance otherwise.
    m_options.chatBurst = 1'000'000;
    startServer();

    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    QVERIFY(alice && bob);
    bob->stopReading();

    // Far more than the socket buffers on both ends hold, so the rest has to
    // queue in the server. Alice keeps reading, and keeps her connection.
    const QString line(Server::MaxChatLength, QLatin1Char('x'));
    for (int i = 0; i < 20000 && alice->received(Opcode::EndUser).isEmpty(); ++i) {
        alice->sender.globalChat(line);
        if (i % 20 == 19)
            QTest::qWait(1);
    }
    QVERIFY(alice->waitFor(
        Opcode::EndUser, [](const Message& m) { return text(m, 1) == QStringLiteral("bob"); },
        5000));
    QVERIFY(alice->sync());
    QVERIFY(alice->isConnected());
    QCOMPARE(m_server->userCount(), 1);
}

void TestServer::malformedInputAffectsOnlyItsSender()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    TestClient* carol = registered(QStringLiteral("carol"));
    QVERIFY(alice && bob && carol);
    const int game = createGame(alice);
    QVERIFY(game > 0);

    // A field count far beyond the limit cannot be resynchronised.
    carol->writeRaw(QByteArray::fromHex("7fffffff00000000"));
    QVERIFY(carol->waitForDisconnect());
    QVERIFY(alice->waitFor(Opcode::EndUser,
                           [](const Message& m) { return text(m, 1) == QStringLiteral("carol"); }));

    // Nor can a message that would make the server hold gigabytes: two
    // fields of the largest length each.
    QByteArray huge = QByteArray::fromHex("00000400");
    for (int i = 0; i < 2; ++i) {
        huge += QByteArray::fromHex("0200100000");
        huge += QByteArray(0x100000, 'a');
    }
    bob->writeRaw(huge);
    QVERIFY(bob->waitForDisconnect());
    QVERIFY(alice->waitFor(Opcode::EndUser,
                           [](const Message& m) { return text(m, 1) == QStringLiteral("bob"); }));

    alice->sender.globalChat(QStringLiteral("still here"));
    QVERIFY(alice->waitFor(Opcode::GlobalChat, [](const Message& m) {
        return text(m, 2) == QStringLiteral("still here");
    }));
    QCOMPARE(m_server->gameCount(), 1);
    QCOMPARE(m_server->userCount(), 1);
}

void TestServer::requestsWithWrongFieldTypesAreIgnored()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    QVERIFY(alice && bob);
    const int game = createGame(alice);

    // Wrong field types, missing fields, an unknown game and opcode, nothing.
    const QList<QVariantList> requests = {
        {QByteArray("15")},
        {op(Opcode::Join), QByteArray("1")},
        {op(Opcode::Join)},
        {op(Opcode::Join), game + 100},
        {op(Opcode::GlobalChat), 7},
        {op(Opcode::NewGame), 1},
        {999},
        {},
    };
    for (const QVariantList& fields : requests)
        bob->writeRaw(messageOf(fields).data());
    // An out-of-range option is refused as a whole.
    requestGame(bob, {.timeout = 5, .noRobots = true});
    requestGame(bob, {.minHumans = 9, .noRobots = true});
    requestGame(bob, {.noRobots = true}, 77);
    QVERIFY(bob->sync());
    QVERIFY(bob->isConnected());
    QCOMPARE(m_server->gameCount(), 1);
    QCOMPARE(bob->received(Opcode::GlobalChat).size(), 0);
    QCOMPARE(bob->received(Opcode::StartMap).size(), 0);

    // Before the login only the login and registration are heard.
    TestClient* eve = connectClient();
    QVERIFY(eve);
    eve->sender.globalChat(QStringLiteral("anonymous"));
    eve->sender.join(game);
    QCOMPARE(eve->registerAs(QStringLiteral("eve")), -1);
    QVERIFY(alice->sync());
    QCOMPARE(alice->received(Opcode::GlobalChat).size(), 0);
}

void TestServer::randomRequestsLeaveTheServerWhole()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* mallory = registered(QStringLiteral("mallory"));
    QVERIFY(alice && mallory);
    const int game = createGame(alice);
    mallory->sender.join(game);
    QVERIFY(mallory->waitFor(Opcode::EndMap));

    // Well-framed requests with every opcode and random fields of random
    // types, the same sequence on every run.
    QRandomGenerator random(20261206);
    const QList<qint32> interesting = {0, 1, -1, 5, 6, 7, 15, 400, 1001, INT_MAX, INT_MIN};
    for (int n = 0; n < 3000; ++n) {
        Message m;
        m.addInt(random.bounded(60));
        const int fields = random.bounded(12);
        for (int f = 0; f < fields; ++f) {
            switch (random.bounded(3)) {
            case 0:
                m.addInt(interesting[random.bounded(int(interesting.size()))]);
                break;
            case 1:
                m.addString(
                    QByteArray(random.bounded(20), char('a' + random.bounded(26))).constData());
                break;
            default: {
                const QByteArray block(random.bounded(64), char(random.bounded(256)));
                m.addBytes(reinterpret_cast<const unsigned char*>(block.constData()),
                           int(block.size()));
                break;
            }
            }
        }
        mallory->writeRaw(m.data());
        if (n % 100 == 99)
            QTest::qWait(1);
    }

    // Whatever mallory managed, alice is still served and the store works.
    alice->sender.globalChat(QStringLiteral("after the storm"));
    QVERIFY(alice->waitFor(Opcode::GlobalChat, [](const Message& m) {
        return text(m, 2) == QStringLiteral("after the storm");
    }));
    TestClient* late = registered(QStringLiteral("latecomer"));
    QVERIFY(late);
    QVERIFY(m_server->database().findAccount(QStringLiteral("alice")));
}

QTEST_GUILESS_MAIN(TestServer)
#include "tst_server.moc"
