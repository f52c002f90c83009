#include "../net/fields.h"
#include "games/elo.h"
#include "maps/mapstore.h"
#include "serverfixture.h"

#include <QJsonDocument>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTest>

#include <climits>
#include <memory>
#include <vector>

using testutil::fields;
using testutil::firstIs;
using testutil::text;

// The server in-process on a free loopback port with a temporary database,
// driven by clients that speak through the client's own Sender and Parser.
class TestServer : public QObject, ServerFixture
{
    Q_OBJECT

private:
    // A field of every message of the opcode received, leaving out the
    // whispers that sync() sent itself.
    static QStringList texts(TestClient* c, Opcode opcode, int field = 2);
    static void connectionThreads();
    // Three lines from one user reach the other within a moment each,
    // whatever else waits for the database.
    static bool chatFlows(TestClient* from, TestClient* to, const QString& meanwhile);
    // alice and bob logged in, carol registered and gone, and the accounts
    // held by another connection; all null without PostgreSQL.
    struct AwayWhileLocked
    {
        TestClient* alice = nullptr;
        TestClient* bob = nullptr;
        std::unique_ptr<PgTestDatabase::TableLock> lock;
    };
    AwayWhileLocked carolAwayWhileAccountsLocked();

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loginAndRegistrationFailures_data();
    void loginAndRegistrationFailures();
    void outdatedClientAndRepeatedFailures();
    void loginIsAnnouncedInOrder();
    void uploadedMaps();
    void silentClientIsDropped();
    void shutdownTellsEveryClient();
    void stalledClientIsDroppedWhenItsQueueIsFull_data() { connectionThreads(); }
    void stalledClientIsDroppedWhenItsQueueIsFull();
    void laggingClientGetsEveryLineInOrder_data() { connectionThreads(); }
    void laggingClientGetsEveryLineInOrder();
    void hostileRequestsAreIgnored();
    void stalledDatabaseHoldsOnlyItsLogins();
    void stalledDatabaseHoldsOnlyTheRequester();
    void unansweredStatementIsRefusedAtTheDeadline();
    void stalledSaveHoldsOnlyItsGame();
    void absentPlayerIsRatedWithoutStallingTheLobby();
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

QStringList TestServer::texts(TestClient* c, Opcode opcode, int field)
{
    QStringList out;
    for (const Message* m : c->received(opcode)) {
        if (!text(*m, 2).startsWith(QLatin1String("sync-")))
            out << text(*m, field);
    }
    return out;
}

bool TestServer::chatFlows(TestClient* from, TestClient* to, const QString& meanwhile)
{
    for (int i = 0; i < 3; ++i) {
        const QString line = QStringLiteral("%1 %2").arg(meanwhile).arg(i);
        from->sender.globalChat(line);
        if (!to->waitFor(Opcode::GlobalChat, fields({{2, line}}), 2000))
            return false;
    }
    return true;
}

TestServer::AwayWhileLocked TestServer::carolAwayWhileAccountsLocked()
{
    const auto [alice, bob, carol] = users("alice", "bob", "carol");
    if (!alice || !drop(carol))
        return {};
    auto lock =
        std::make_unique<PgTestDatabase::TableLock>(m_pg->url(), QStringLiteral("accounts"));
    if (!lock->isHeld())
        return {};
    return {alice, bob, std::move(lock)};
}

void TestServer::loginAndRegistrationFailures_data()
{
    QTest::addColumn<bool>("registering");
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("expected");

    QTest::addRow("registration") << true << "dave" << QStringLiteral("pw") << -1;
    QTest::addRow("invalid nickname") << true << "da ve" << QStringLiteral("pw") << 0;
    QTest::addRow("nickname taken") << true << "ALICE" << QStringLiteral("pw") << 2;
    QTest::addRow("nickname of a robot") << true << "anvil" << QStringLiteral("pw") << 2;
    QTest::addRow("empty password") << true << "erin" << QStringLiteral("") << 6;
    QTest::addRow("login in other case") << false << "ALICE" << QStringLiteral("secret") << -1;
    QTest::addRow("unknown nickname") << false << "nobody" << QStringLiteral("secret") << 0;
    QTest::addRow("invalid nickname at login") << false << "?!" << QStringLiteral("secret") << 0;
    QTest::addRow("wrong password") << false << "alice" << QStringLiteral("guess") << 5;
    QTest::addRow("banned") << false << "bob" << QStringLiteral("secret") << 3;
    QTest::addRow("already logged on in other case")
        << false << "Carol" << QStringLiteral("secret") << 1;
}

void TestServer::loginAndRegistrationFailures()
{
    QFETCH(bool, registering);
    QFETCH(QString, nickname);
    QFETCH(QString, password);
    QFETCH(int, expected);

    QVERIFY(storeAccount({.nickname = QStringLiteral("alice")}));
    QVERIFY(storeAccount({.nickname = QStringLiteral("bob"), .banned = true}));
    QVERIFY(loggedIn({.nickname = QStringLiteral("carol")}));

    TestClient* c = connectClient();
    QVERIFY(c);
    QCOMPARE(registering ? c->registerAs(nickname, password) : c->login(nickname, password),
             expected);
    if (expected == -1) {
        // The server's spelling of the nickname, whatever was typed.
        QCOMPARE(c->nickname, registering ? nickname : QStringLiteral("alice"));
        QVERIFY(c->waitFor(Opcode::NewUser, firstIs(c->nickname)));
    } else {
        // A refusal keeps the connection open for the next attempt.
        QVERIFY(c->isConnected());
        QCOMPARE(c->login(QStringLiteral("alice")), -1);
    }
}

void TestServer::outdatedClientAndRepeatedFailures()
{
    QVERIFY(registered(QStringLiteral("alice")));
    TestClient* old = connectClient();
    QVERIFY(old);
    old->writeRaw(messageOf({op(Opcode::Login), QByteArray("alice"), QByteArray("secret"), 10,
                             QByteArray("tarvenix")})
                      .data());
    QVERIFY(old->waitFor(Opcode::Upgrade));
    QVERIFY(old->waitForDisconnect());
    QVERIFY(old->received(Opcode::Success).isEmpty());

    TestClient* guesser = connectClient();
    QVERIFY(guesser);
    for (int i = 0; i < Accounts::MaxFailedLogins; ++i)
        QCOMPARE(guesser->login(QStringLiteral("alice"), QStringLiteral("guess")), 5);
    QVERIFY(guesser->waitForDisconnect());
}

void TestServer::loginIsAnnouncedInOrder()
{
    TestClient* alice = registered(QStringLiteral("alice"));
    QVERIFY(alice);
    // Doubled, blank and unknown masks are not kept; the rest is trimmed.
    const QList<std::pair<const char*, const char*>> added = {
        {"bob@*", "friend"},   {"BOB@*", "friend"}, {"bob@*", "enemy"},
        {"  eve*  ", "enemy"}, {"   ", "enemy"},    {"x*", "stranger"}};
    for (const auto& [pattern, kind] : added)
        alice->sender.addMask(QLatin1String(pattern), QLatin1String(kind));
    alice->sender.removeMask(QStringLiteral("BOB@*"), QStringLiteral("enemy"));
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
    QVERIFY(again->waitFor(Opcode::Robot, firstIs(m_server->robots().last().name)));
    // Users, games, then bob's record again now that his game is known.
    QList<Opcode> expected = {Opcode::Success, Opcode::NewUser, Opcode::User, Opcode::NewUser,
                              Opcode::User,    Opcode::NewGame, Opcode::Game, Opcode::User,
                              Opcode::Mask,    Opcode::Mask};
    for (int i = 0; i < MapStore::PopularSlots; ++i)
        expected.append(Opcode::Slot);
    for (qsizetype i = 0; i < m_server->robots().size(); ++i)
        expected.append(Opcode::Robot);
    QCOMPARE(again->opcodes(), expected);
    const QList<const Message*> users = again->received(Opcode::NewUser);
    QCOMPARE(text(*users[0], 1), QStringLiteral("bob"));
    QCOMPARE(text(*users[1], 1), QStringLiteral("alice"));
    QCOMPARE(texts(again, Opcode::Mask, 1),
             (QStringList{QStringLiteral("bob@*"), QStringLiteral("eve*")}));
    QCOMPARE(texts(again, Opcode::Mask),
             (QStringList{QStringLiteral("friend"), QStringLiteral("enemy")}));
    const Message* popular = again->received(Opcode::Slot).first();
    QCOMPARE(std::pair(popular->getInt(1), popular->getInt(3)), std::pair(0, 1));
    QCOMPARE(text(*popular, 4), QStringLiteral("World"));
    QVERIFY(fields({{1, QStringLiteral("bob")}, {4, game}, {5, 0}})(
        *again->received(Opcode::User).last()));

    // Everyone else hears of alice: newUser, then her record.
    QVERIFY(bob->waitFor(Opcode::User, firstIs(QStringLiteral("alice"))));
    QCOMPARE(bob->opcodes(), (QList<Opcode>{Opcode::NewUser, Opcode::User}));
}

void TestServer::uploadedMaps()
{
    // Room for one and a half of the test maps.
    const MapData map = testutil::shippedMap(QStringLiteral("3-africa"));
    m_options.maxMapBytesPerAccount =
        3 * (map.index.size() + QJsonDocument(map.toJson()).toJson(QJsonDocument::Compact).size()) /
        2;
    startServer();
    TestClient* alice = registered(QStringLiteral("alice"));
    TestClient* bob = registered(QStringLiteral("bob"));
    QVERIFY(alice && bob);
    Storage& db = m_server->storage();
    const qint64 account = db.findAccount(QStringLiteral("alice"))->id;
    const auto upload = [&](int slot, const MapData& m) {
        alice->forget();
        alice->uploadMap(m, slot);
        const Message* stored = alice->sync() && !alice->received(Opcode::Slot).isEmpty()
                                    ? alice->received(Opcode::Slot).first()
                                    : nullptr;
        return stored && stored->getInt(1) == 1 && stored->getInt(2) == slot ? stored->getInt(3)
                                                                             : 0;
    };

    const int first = upload(2, map);
    QVERIFY(first >= Storage::FirstUploadedMapId);
    const Message* slot = alice->received(Opcode::Slot).first();
    QCOMPARE(std::pair(text(*slot, 4), text(*slot, 5)),
             std::pair(map.name, QStringLiteral("alice")));

    // A game on the new map hands it to whoever enters, as it was drawn.
    requestGame(alice, {.noRobots = true}, first);
    const std::optional<Message> game = bob->waitFor(Opcode::NewGame);
    QVERIFY(game);
    QCOMPARE(std::pair(game->getInt(2), text(*game, 3)), std::pair(first, map.name));
    bob->sender.watch(game->getInt(1));
    const std::optional<Message> start = bob->waitFor(Opcode::StartMap);
    QVERIFY(start);
    QCOMPARE(start->getInt(1), first);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(start->getBytes(4)), start->fieldLength(4)),
             map.index);
    bob->sender.part();
    QVERIFY(bob->sync());

    // The game keeps the map it is played on while the slot moves on; a
    // replaced map nothing else holds goes at once.
    const int second = upload(2, map);
    QVERIFY(second > first);
    QVERIFY(db.loadMap(first));
    alice->sender.part();
    QVERIFY(QTest::qWaitFor([&] { return !db.loadMap(first); }));
    const qsizetype known = alice->received(Opcode::Slot).size();
    alice->sender.storeSlot(0);
    QVERIFY(alice->sync());
    QCOMPARE(alice->received(Opcode::Slot).size(), known);
    const int third = upload(2, map);
    QVERIFY(third > second);
    // The replaced map is removed after the slot's answer, on PostgreSQL on
    // the database's thread.
    QVERIFY(QTest::qWaitFor([&] { return !db.loadMap(second); }));

    // Nothing is stored for a slot out of range, a map the checks refuse, one
    // without its start, nor a second map beyond the account's share.
    QCOMPARE(upload(5, map), 0);
    QCOMPARE(upload(0, map), 0);
    MapData broken = map;
    broken.countries[0].continent = 9;
    QCOMPARE(upload(1, broken), 0);
    alice->sender.continentMap(1, QStringLiteral("West"), 2);
    alice->sender.endMap(1);
    QVERIFY(alice->sync());
    QVERIFY(alice->isConnected());
    QCOMPARE(db.mapSlots(account).mid(0, 3), (QList<int>{0, 0, third}));
    // Outside a game there was nothing to store; the current game's map
    // fills the slot.
    QVERIFY(createGame(alice) > 0);
    alice->sender.storeSlot(4);
    QVERIFY(alice->waitFor(Opcode::Slot, fields({{1, 1}, {2, 4}, {3, 1}})));
}

void TestServer::silentClientIsDropped()
{
    m_options.keepAliveIntervalMs = 50;
    m_options.idleTimeoutMs = 400;
    startServer();
    const auto [alice, bob] = users("alice", "bob");
    QVERIFY(alice);
    bob->sender.join(createGame(alice));
    QVERIFY(alice->waitFor(Opcode::Player, firstIs(1)));
    alice->forget();
    bob->answerPings = false;
    // The lost client is announced and leaves its game.
    QVERIFY(alice->waitFor(Opcode::EndUser, firstIs(QStringLiteral("bob"))));
    QVERIFY(bob->waitForDisconnect());
    QVERIFY(alice->waitFor(Opcode::EndPlayer, firstIs(1)));
    QVERIFY(alice->waitFor(Opcode::Game, fields({{4, 1}, {5, 1}})));
    // Alice answered every keep-alive and is still there.
    QVERIFY(alice->isConnected());
    QVERIFY(alice->received(Opcode::Ping).size() >= 3);
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

// Where the connections are written: on an I/O thread, or on the main
// thread with everything else.
void TestServer::connectionThreads()
{
    QTest::addColumn<int>("ioThreads");
    QTest::addRow("I/O thread") << 1;
    QTest::addRow("main thread") << 0;
}

void TestServer::stalledClientIsDroppedWhenItsQueueIsFull()
{
    QFETCH(int, ioThreads);
    m_options.ioThreads = ioThreads;
    m_options.maxQueuedOutput = 64 * 1024;
    // A sender this fast is cut by the chat allowance otherwise.
    m_options.chatBurst = 1'000'000;
    startServer();
    const auto [alice, bob] = users("alice", "bob");
    QVERIFY(alice);
    bob->stopReading();

    // Far more than the socket buffers on both ends hold, so the rest has to
    // queue in the server. Whispers reach Bob alone: Alice's own output stays
    // empty however slowly a busy machine lets her read, and she keeps her
    // connection.
    const QString line(Lobby::MaxChatLength, QLatin1Char('x'));
    for (int i = 0; i < 20000 && alice->received(Opcode::EndUser).isEmpty(); ++i) {
        alice->sender.whisper(QStringLiteral("bob"), line);
        if (i % 20 == 19)
            QTest::qWait(1);
    }
    QVERIFY(alice->waitFor(Opcode::EndUser, firstIs(QStringLiteral("bob")), 5000));
    QVERIFY(alice->sync());
    QCOMPARE(m_server->userCount(), 1);
}

void TestServer::laggingClientGetsEveryLineInOrder()
{
    // More than the socket buffers on both ends hold, under the bound: the
    // server writes part of what it has to the kernel and keeps the rest,
    // and what follows must queue behind it. The bound is far above the
    // 20 MB Alice gets back, read slowly on a busy machine.
    QFETCH(int, ioThreads);
    m_options.ioThreads = ioThreads;
    m_options.maxQueuedOutput = 64 * 1024 * 1024;
    m_options.chatBurst = 1'000'000;
    startServer();
    const auto [alice, bob] = users("alice", "bob");
    QVERIFY(alice);
    bob->stopReading();
    constexpr int Lines = 20000;
    const QString filler(Lobby::MaxChatLength - 8, QLatin1Char('x'));
    for (int i = 0; i < Lines; ++i) {
        alice->sender.globalChat(QString::number(i) + QLatin1Char(' ') + filler);
        if (i % 20 == 19)
            QTest::qWait(1);
    }
    QVERIFY(alice->waitFor(
        Opcode::GlobalChat,
        [](const Message& m) {
            return text(m, 2).startsWith(QString::number(Lines - 1) + QLatin1Char(' '));
        },
        10000));
    bob->resumeReading();
    QVERIFY(
        QTest::qWaitFor([&] { return bob->received(Opcode::GlobalChat).size() >= Lines; }, 20000));
    const QStringList lines = texts(bob, Opcode::GlobalChat);
    QCOMPARE(lines.size(), Lines);
    for (int i = 0; i < Lines; ++i)
        QCOMPARE(lines[i].section(QLatin1Char(' '), 0, 0), QString::number(i));
    QVERIFY(bob->offTable.isEmpty());
}

void TestServer::hostileRequestsAreIgnored()
{
    const auto [alice, mallory, bob, carol] = users("alice", "mallory", "bob", "carol");
    QVERIFY(alice);
    const int game = createGame(alice);

    // Malformed input affects only its sender. A field count far beyond the
    // limit cannot be resynchronised; nor can a message that would make the
    // server hold gigabytes: two fields of the largest length each.
    carol->writeRaw(QByteArray::fromHex("7fffffff00000000"));
    QByteArray huge = QByteArray::fromHex("00000400");
    for (int i = 0; i < 2; ++i)
        huge += QByteArray::fromHex("0200100000") + QByteArray(0x100000, 'a');
    bob->writeRaw(huge);
    for (TestClient* c : {carol, bob}) {
        QVERIFY(c->waitForDisconnect());
        QVERIFY(alice->waitFor(Opcode::EndUser, firstIs(c->nickname)));
    }
    QCOMPARE(m_server->userCount(), 2);

    // Before the login only the login and registration are heard.
    TestClient* eve = connectClient();
    QVERIFY(eve);
    eve->sender.globalChat(QStringLiteral("anonymous"));
    eve->sender.join(game);
    QCOMPARE(eve->registerAs(QStringLiteral("eve")), -1);

    // Wrong field types, missing fields, an unknown game and opcode, nothing.
    for (const QVariantList& fields : QList<QVariantList>{{QByteArray("15")},
                                                          {op(Opcode::Join), QByteArray("1")},
                                                          {op(Opcode::Join)},
                                                          {op(Opcode::Join), game + 100},
                                                          {op(Opcode::GlobalChat), 7},
                                                          {op(Opcode::GlobalChat), QByteArray()},
                                                          {op(Opcode::NewGame), 1},
                                                          {999},
                                                          {}})
        mallory->writeRaw(messageOf(fields).data());
    // An out-of-range option is refused as a whole.
    requestGame(mallory, {.timeout = 5, .noRobots = true});
    requestGame(mallory, {.minHumans = 9, .noRobots = true});
    requestGame(mallory, {.noRobots = true}, 77);
    QVERIFY(mallory->sync() && alice->sync());
    QCOMPARE(m_server->gameCount(), 1);
    QVERIFY(alice->received(Opcode::GlobalChat).isEmpty());
    QVERIFY(mallory->received(Opcode::StartMap).isEmpty());

    // Well-framed requests with every opcode and random fields of random
    // types, from inside the game, the same sequence on every run.
    mallory->sender.join(game);
    QVERIFY(mallory->waitFor(Opcode::EndMap));
    QRandomGenerator random(20261206);
    const QList<qint32> interesting = {0, 1, -1, 5, 6, 7, 15, 400, 1001, INT_MAX, INT_MIN};
    for (int n = 0; n < 3000; ++n) {
        Message m;
        m.addInt(random.bounded(60));
        for (int f = random.bounded(12); f > 0; --f) {
            const QByteArray block(random.bounded(64), char(random.bounded(256)));
            switch (random.bounded(3)) {
            case 0:
                m.addInt(interesting[random.bounded(int(interesting.size()))]);
                break;
            case 1:
                m.addString(block.toHex().constData());
                break;
            default:
                m.addBytes(reinterpret_cast<const unsigned char*>(block.constData()),
                           int(block.size()));
            }
        }
        mallory->writeRaw(m.data());
        if (n % 100 == 99)
            QTest::qWait(1);
    }
    // Whatever mallory managed, alice is still served and the store works.
    alice->sender.globalChat(QStringLiteral("after the storm"));
    QVERIFY(alice->waitFor(Opcode::GlobalChat, fields({{2, QStringLiteral("after the storm")}})));
    QVERIFY(registered(QStringLiteral("latecomer")));
}

void TestServer::absentPlayerIsRatedWithoutStallingTheLobby()
{
    if (!m_pg)
        QSKIP("needs the server on PostgreSQL (TARVENIX_TEST_BACKEND=postgresql)");
    // Slow enough robots that carol is gone long before her game ends.
    m_options.robotDelayMs = 2;
    QVERIFY(startServer());
    Account standing;
    standing.nickname = QStringLiteral("carol");
    standing.rating = 1700;
    standing.games = 5;
    TestClient* carol = loggedIn(standing);
    const auto [alice, bob] = users("alice", "bob");
    QVERIFY(carol && alice);
    const QList<RobotInfo> robots = m_server->robots();
    const auto ratingOf = [&](const QString& name) {
        return std::find_if(robots.cbegin(), robots.cend(),
                            [&](const RobotInfo& r) { return r.name == name; })
            ->rating;
    };
    const int game =
        gameLeftToRobots(carol, {QStringLiteral("Anvil"), QStringLiteral("Bramble")}, bob);
    QVERIFY(game > 0);
    // Out of the game, for good, before she goes.
    QVERIFY(carol->sync());
    QVERIFY(drop(carol));

    // Her rating is in the accounts another connection holds when the game
    // is over: its end waits for them, the lobby does not.
    const auto lock =
        std::make_unique<PgTestDatabase::TableLock>(m_pg->url(), QStringLiteral("accounts"));
    QVERIFY(lock->isHeld());
    const std::optional<Message> winner = bob->waitFor(Opcode::Winner, {}, 60000);
    QVERIFY(winner);
    QVERIFY(chatFlows(alice, bob, QStringLiteral("while the game waits for its ratings")));
    QVERIFY(bob->received(Opcode::EndGame).isEmpty());
    QCOMPARE(m_server->storage().resultCount(), 0);

    lock->release();
    QVERIFY(bob->waitFor(Opcode::EndGame, firstIs(game), 10000));
    QTRY_COMPARE(m_server->storage().resultCount(), 1);
    // Rated once, from the standing she had: she played seat 0, her robots
    // seats 1 and 2; her seat wins nothing for her, as she walked out.
    const int seat = winner->getInt(1);
    const std::vector<int> after = ratingsAfter(
        {standing.rating, ratingOf(QStringLiteral("Anvil")), ratingOf(QStringLiteral("Bramble"))},
        seat == 0 ? -1 : seat);
    const std::optional<Account> stored = m_server->storage().findAccount(QStringLiteral("carol"));
    QVERIFY(stored);
    QCOMPARE(stored->games, standing.games + 1);
    QCOMPARE(stored->rating, after[0]);
}

QTEST_GUILESS_MAIN(TestServer)
#include "tst_server.moc"

void TestServer::stalledDatabaseHoldsOnlyItsLogins()
{
    if (!m_pg)
        QSKIP("needs the server on PostgreSQL (TARVENIX_TEST_BACKEND=postgresql)");
    // Another connection holds the accounts: a login and a registration wait
    // for it, the chat of those logged in goes on meanwhile.
    const auto [alice, bob, lock] = carolAwayWhileAccountsLocked();
    QVERIFY(alice);
    TestClient* returning = connectClient();
    TestClient* newcomer = connectClient();
    QVERIFY(returning && newcomer);
    returning->sender.login("carol", "secret");
    newcomer->sender.regist("dave", "secret", "", "", "", "", "", "", "", "");
    QVERIFY(chatFlows(alice, bob, QStringLiteral("while the accounts are locked")));
    for (TestClient* waiting : {returning, newcomer}) {
        QVERIFY(waiting->received(Opcode::Success).isEmpty());
        QVERIFY(waiting->received(Opcode::Failure).isEmpty());
    }

    lock->release();
    QVERIFY(returning->waitFor(Opcode::Success, {}, 10000));
    QVERIFY(newcomer->waitFor(Opcode::Success, {}, 10000));
    QVERIFY(bob->waitFor(Opcode::NewUser, firstIs(QStringLiteral("dave"))));
    QCOMPARE(m_server->userCount(), 4);
}

void TestServer::stalledDatabaseHoldsOnlyTheRequester()
{
    if (!m_pg)
        QSKIP("needs the server on PostgreSQL (TARVENIX_TEST_BACKEND=postgresql)");
    const auto [alice, bob] = users("alice", "bob");
    QVERIFY(alice);
    QVERIFY(createGame(alice) > 0);

    // While a table another connection holds keeps one of alice's requests
    // waiting, her later requests wait behind it; everybody else goes on.
    // Once the table is free, the request is carried out and answered
    // before what she sent after it.
    const struct
    {
        const char* table;
        std::function<void(Sender&)> request;
        std::function<bool()> done;
    } cases[] = {
        {"masks", [](Sender& s) { s.addMask(QStringLiteral("b*"), QStringLiteral("friend")); },
         [&] {
             return m_pg->sql({QStringLiteral("SELECT pattern || ' ' || kind FROM masks")}) ==
                    QStringList{QStringLiteral("b* friend")};
         }},
        {"slots", [](Sender& s) { s.storeSlot(3); },
         [&] {
             return alice->waitFor(Opcode::Slot, fields({{1, 1}, {2, 3}, {3, 1}}), 0).has_value();
         }},
    };
    for (const auto& c : cases) {
        const QString table = QString::fromLatin1(c.table);
        PgTestDatabase::TableLock lock(m_pg->url(), table);
        QVERIFY(lock.isHeld());
        c.request(alice->sender);
        const QString after = QStringLiteral("after the change of %1").arg(table);
        alice->sender.globalChat(after);
        const QString meanwhile = QStringLiteral("while %1 are locked").arg(table);
        bob->sender.globalChat(meanwhile);
        QVERIFY(alice->waitFor(Opcode::GlobalChat, fields({{2, meanwhile}}), 2000));
        QVERIFY(!texts(bob, Opcode::GlobalChat).contains(after));
        lock.release();
        QVERIFY(alice->waitFor(Opcode::GlobalChat, fields({{2, after}}), 10000));
        QVERIFY2(c.done(), c.table);
    }
}

void TestServer::unansweredStatementIsRefusedAtTheDeadline()
{
    if (!m_pg)
        QSKIP("needs the server on PostgreSQL (TARVENIX_TEST_BACKEND=postgresql)");
    m_options.databaseDeadlineMs = 1000;
    QVERIFY(startServer());
    // The accounts stay locked far beyond the deadline: the login is
    // refused as the database's failure while the lock is still held, and
    // the chat of the others goes on meanwhile. The logins queued behind it
    // share the deadline with their time in the queue: they do not wait a
    // whole deadline each, one after the other.
    const auto [alice, bob, lock] = carolAwayWhileAccountsLocked();
    QVERIFY(alice);
    TestClient* returning = connectClient();
    QVERIFY(returning);
    returning->sender.login("carol", "secret");
    std::vector<TestClient*> queued;
    for (int i = 0; i < 12; ++i) {
        queued.push_back(connectClient());
        QVERIFY(queued.back());
        queued.back()->sender.login(QStringLiteral("queued%1").arg(i).toLatin1().constData(),
                                    "secret");
    }
    QVERIFY(chatFlows(alice, bob, QStringLiteral("while the accounts are locked")));
    const std::optional<Message> failure = returning->waitFor(Opcode::Failure, {}, 10000);
    QVERIFY(failure);
    QCOMPARE(failure->getInt(1), int(FailureCode::ServerError));
    QVERIFY(returning->received(Opcode::Success).isEmpty());
    // Twelve deadlines one after the other would take twelve seconds.
    QTRY_VERIFY_WITH_TIMEOUT(
        std::all_of(queued.cbegin(), queued.cend(),
                    [](TestClient* c) { return !c->received(Opcode::Failure).isEmpty(); }),
        6000);
    for (TestClient* c : queued)
        QCOMPARE(c->received(Opcode::Failure).first()->getInt(1), int(FailureCode::ServerError));

    // Once the lock is gone, the same login on the same connection gets in.
    lock->release();
    returning->sender.login("carol", "secret");
    QVERIFY(returning->waitFor(Opcode::Success, {}, 10000));
    QVERIFY(bob->waitFor(Opcode::NewUser, firstIs(QStringLiteral("carol"))));
}

void TestServer::stalledSaveHoldsOnlyItsGame()
{
    const auto [alice, bob, carol] = users("alice", "bob", "carol");
    QVERIFY(alice);
    QVERIFY(createGame(alice) > 0);
    alice->sender.robot(QStringLiteral("Anvil"));
    QVERIFY(alice->waitFor(Opcode::Player, firstIs(1)));

    // Another connection holds what the game's first save writes to: the
    // game waits for it, and so does what alice hears of it, while the chat
    // of the others goes on.
    PgTestDatabase::TableLock lock(m_options.databasePath, QStringLiteral("saved_games"));
    QVERIFY(lock.isHeld());
    alice->sender.start();
    QVERIFY(chatFlows(bob, carol, QStringLiteral("while the game is saved")));
    // Nothing of a new game is written: the lobby hears of it meanwhile.
    bob->forget();
    requestGame(carol, {});
    QVERIFY(bob->waitFor(Opcode::NewGame, {}, 1500));
    QVERIFY(alice->received(Opcode::Init).isEmpty());

    lock.release();
    QVERIFY(alice->waitFor(Opcode::Init, {}, 10000));
    // What waited went out in the order it was sent: the game, then the
    // chat that came during its save.
    QVERIFY(alice->waitFor(Opcode::GlobalChat,
                           fields({{2, QStringLiteral("while the game is saved 2")}})));
    const QList<Opcode> order = alice->opcodes();
    QVERIFY(order.indexOf(Opcode::Init) < order.indexOf(Opcode::GlobalChat));
    QCOMPARE(m_server->storage().savedGames().size(), 1);
}
