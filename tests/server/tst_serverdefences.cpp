#include "../net/fields.h"
#include "allowance.h"
#include "attemptlimiter.h"
#include "clientsession.h"
#include "loginguard.h"
#include "logthrottle.h"
#include "serverfixture.h"
#include "serverlogging.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace {

QtMessageHandler s_defaultHandler = nullptr;
QStringList s_serverLog;

// The server's lines are kept, not printed, unless TARVENIX_SERVER_LOG is
// set: it logs every refusal these tests provoke.
void collectServerLog(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (qstrcmp(context.category, "tarvenix.server") != 0)
        s_defaultHandler(type, context, text);
    else
        s_serverLog << text;
}

// The personal slot, filled.
const TestClient::Match personalSlot3 = testutil::fields({{1, 1}, {2, 3}});

} // namespace

// What any stranger with a socket can do to the server, tried against the
// real server on loopback: the defences hold and the damage stays with the
// one who tried.
class TestServerDefences : public QObject, ServerFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void logText_data();
    void logText();
    void logThrottle();
    void forgedLogLinesAreEscaped();
    void attemptLimiterSpacesOutFailures();
    void chatAllowance();

    void connectionsBeforeLoginAreLimited();
    void clientGoneBeforeItsHashIsDone();
    void registrationsAndGuessesAreLimitedPerAddress();
    void crowdOfAddressesLeavesRoomForOthers();
    void ownerGetsInWhileOthersGuess();
    void lobbyChurnIsPaced();
    void gameLeftAtOnceReachesNobodyElse();
    void connectionWithoutAnAddressIsRefused();
    void databaseErrorsAreTheirOwnRefusal();
    void stoppedOrKilledServerLosesNothingAnswered();
};

void TestServerDefences::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("TARVENIX_SERVER_LOG"))
        s_defaultHandler = qInstallMessageHandler(collectServerLog);
}

void TestServerDefences::init()
{
    s_serverLog.clear();
    prepare();
    startServer();
}

void TestServerDefences::cleanup()
{
    stop();
}

void TestServerDefences::logText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("logged");

    QTest::addRow("line breaks") << "a\nb\rc\td" << QStringLiteral("\"a\\nb\\rc\\td\"");
    QTest::addRow("quote and backslash")
        << "say \"hi\\\"" << QStringLiteral("\"say \\\"hi\\\\\\\"\"");
    QTest::addRow("other controls")
        << QStringLiteral("\x01\x1b[31m\x7f") << "\"\\x01\\x1b[31m\\x7f\"";
    QTest::addRow("Latin-1 letters stay")
        << QString::fromUtf8("J\u00e9r\u00f4me") << QString::fromUtf8("\"J\u00e9r\u00f4me\"");
    QTest::addRow("direction override") << QString::fromUtf8("a\u202eb") << "\"a\\u202eb\"";
    QTest::addRow("cut") << QString(100, QLatin1Char('x'))
                         << QStringLiteral("\"") + QString(MaxLoggedText, QLatin1Char('x')) +
                                QStringLiteral("\"... (100 characters)");
}

void TestServerDefences::logText()
{
    QFETCH(QString, text);
    QFETCH(QString, logged);
    QCOMPARE(::logText(text), logged);
}

void TestServerDefences::logThrottle()
{
    LogThrottle throttle(3);
    QVERIFY(!throttle.takeSummary());
    for (int i = 0; i < 3; ++i)
        QVERIFY(throttle.allow(1000 + i, QStringLiteral("10.0.0.1")));
    QVERIFY(!throttle.allow(1500, QStringLiteral("10.0.0.1")));
    QVERIFY(!throttle.allow(1600, QStringLiteral("10.0.0.2")));
    QVERIFY(!throttle.allow(1700, QStringLiteral("10.0.0.1")));
    QVERIFY(throttle.hasSuppressed());
    // A new second writes again, and the summary holds what was held back.
    QVERIFY(throttle.allow(2000, QStringLiteral("10.0.0.2")));
    const std::optional<LogThrottle::Summary> summary = throttle.takeSummary();
    QVERIFY(summary);
    QCOMPARE(summary->suppressed, 3);
    QCOMPARE(summary->busiest, QStringLiteral("10.0.0.1"));
    QCOMPARE(summary->busiestCount, 2);
    QVERIFY(!throttle.takeSummary());
}

void TestServerDefences::forgedLogLinesAreEscaped()
{
    TestClient* ann = registered(QStringLiteral("Ann"));
    QVERIFY(ann);
    QVERIFY(createGame(ann) > 0);
    ann->sender.kick(QStringLiteral("Zed\n2026-12-06 12:00:00.000 login admin"));
    QVERIFY(ann->sync());
    const QStringList kicks = s_serverLog.filter(QStringLiteral("is not in the game"));
    QCOMPARE(kicks.size(), 1);
    QVERIFY2(
        kicks.first().contains(QStringLiteral("\"Zed\\n2026-12-06 12:00:00.000 login admin\"")),
        qPrintable(kicks.first()));
}

void TestServerDefences::attemptLimiterSpacesOutFailures()
{
    AttemptLimiter limiter(2, 5000, 60'000);
    const QString key = QStringLiteral("10.0.0.9");
    QCOMPARE((QList<qint64>{limiter.delayAfter(1), limiter.delayAfter(2), limiter.delayAfter(3),
                            limiter.delayAfter(5), limiter.delayAfter(60)}),
             (QList<qint64>{0, 1000, 2000, 5000, 5000}));
    // One failure is free; the pause after the second runs from it.
    QCOMPARE(limiter.nextAttempt(key, 100), 100);
    limiter.failed(key, 100);
    QCOMPARE(limiter.nextAttempt(key, 200), 200);
    limiter.failed(key, 200);
    QCOMPARE(limiter.nextAttempt(key, 300), 1200);
    // Attempts that wait together run one per pause: the turn goes to the
    // one that runs, and the others wait for the next.
    limiter.attempted(key, 1200);
    QCOMPARE(limiter.nextAttempt(key, 1200), 2200);
    limiter.failed(key, 1300);
    QCOMPARE(limiter.nextAttempt(key, 1400), 3300);
    // An attempt that never runs (its client left) holds up nobody.
    QCOMPARE(limiter.nextAttempt(key, 3300), 3300);
    // Other keys are not held back, and a quiet minute forgets.
    QCOMPARE(limiter.nextAttempt(QStringLiteral("10.0.0.10"), 1400), 1400);
    QCOMPARE(limiter.failures(key, 61'300), 0);
    QCOMPARE(limiter.nextAttempt(key, 70'000), 70'000);

    // The guard holds an address back sooner than an account; a success
    // clears neither count.
    LoginGuard::Limits limits;
    limits.addressFreeFailures = 1;
    limits.accountFreeFailures = 3;
    limits.trusted = {QStringLiteral("10.0.0.99")};
    LoginGuard guard(limits);
    const QString address = QStringLiteral("10.0.0.1");
    const QString ann = QStringLiteral("Ann");
    guard.loginFailed(address, ann, 0);
    QVERIFY(guard.nextLogin(address, QStringLiteral("Bob"), 10) > 10);
    QCOMPARE(guard.nextLogin(QStringLiteral("10.0.0.2"), QStringLiteral("ANN"), 10), 10);
    guard.loginFailed(QStringLiteral("10.0.0.2"), QStringLiteral("ann"), 20);
    guard.loginFailed(QStringLiteral("10.0.0.3"), ann, 30);
    guard.loginFailed(QStringLiteral("10.0.0.99"), ann, 30);
    // The account's pause holds back the addresses that failed, trusted or
    // not, and never one that did not: that may be its owner.
    for (const char* failed : {"10.0.0.3", "10.0.0.99"})
        QVERIFY2(guard.nextLogin(QLatin1String(failed), ann, 40) > 40, failed);
    QCOMPARE(guard.nextLogin(QStringLiteral("10.0.0.4"), ann, 40), 40);
    QCOMPARE(guard.nextLogin(QStringLiteral("10.0.0.98"), ann, 40), 40);
    // Nor the address its owner last logged in from, even after his typo.
    guard.loginSucceeded(QStringLiteral("10.0.0.5"), ann);
    for (int i = 0; i < 4; ++i)
        guard.loginFailed(QStringLiteral("10.0.0.6"), ann, 50);
    guard.loginFailed(QStringLiteral("10.0.0.5"), ann, 50);
    QVERIFY(guard.nextLogin(QStringLiteral("10.0.0.6"), ann, 60) > 60);
    QCOMPARE(guard.nextLogin(QStringLiteral("10.0.0.98"), ann, 60), 60);
    QCOMPARE(guard.failures(address, 60), 1);
}

void TestServerDefences::chatAllowance()
{
    Allowance allowance(3, 2.0);
    // The burst at once, then two lines a second, never more than a burst
    // saved up.
    for (int i = 0; i < 3; ++i)
        QVERIFY(allowance.take(0));
    QVERIFY(!allowance.take(0));
    QVERIFY(!allowance.take(400));
    QVERIFY(allowance.take(600));
    QVERIFY(!allowance.take(600));
    for (int i = 0; i < 3; ++i)
        QVERIFY(allowance.take(60'000));
    QVERIFY(!allowance.take(60'000));
}

void TestServerDefences::connectionsBeforeLoginAreLimited()
{
    m_options.maxUnauthenticatedPerAddress = 4;
    m_options.loginDeadlineMs = 2500;
    m_options.keepAliveIntervalMs = 100;
    m_options.idleTimeoutMs = 600;
    startServer();

    // A crowd from one address gets four connections; one of them keeps
    // talking, the others only answer the keep-alive.
    QList<TestClient*> crowd;
    for (int i = 0; i < 10; ++i) {
        if (TestClient* c = connectClient())
            crowd.append(c);
    }
    QCOMPARE(crowd.size(), 4);
    QCOMPARE(m_server->sessionCount(), 4);
    // Someone else, from another address, is greeted and logs in.
    QVERIFY(registered(QStringLiteral("Ann"), QHostAddress(QStringLiteral("127.0.0.2"))));

    // Keep-alive answers are no life before the login; real requests are,
    // up to the login's deadline.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000) {
        crowd.front()->sender.globalChat(QStringLiteral("anyone?"));
        QTest::qWait(100);
    }
    QVERIFY(crowd.front()->isConnected());
    for (qsizetype i = 1; i < crowd.size(); ++i)
        QVERIFY(!crowd[i]->isConnected());
    // Talking on does not keep it past the deadline.
    while (crowd.front()->isConnected() && clock.elapsed() < 5000) {
        crowd.front()->sender.globalChat(QStringLiteral("anyone?"));
        QTest::qWait(100);
    }
    QCOMPARE(s_serverLog.filter(QStringLiteral("no login within")).size(), 1);

    // The address is served again, and logged in the keep-alive is enough.
    TestClient* late = connectClient();
    QVERIFY(late);
    QCOMPARE(late->registerAs(QStringLiteral("Cleo")), -1);
    QTest::qWait(1200);
    QVERIFY(late->isConnected());
}

void TestServerDefences::clientGoneBeforeItsHashIsDone()
{
    // Six registrations at the real cost take longer together than a client
    // may be silent; waiting for a hash is not silence, the last ones are
    // still answered.
    m_options.fastPasswordHashing = false;
    m_options.hashingThreads = 1;
    m_options.idleTimeoutMs = 250;
    startServer();
    for (int i = 0; i < 6; ++i) {
        const QByteArray nickname = "Patient" + QByteArray::number(i);
        connectClient()->sender.regist(nickname.constData(), "pw", "", "", "", "", "", "", "", "");
    }
    for (const auto& client : m_clients)
        QVERIFY(client->waitFor(Opcode::Success, {}, 10000));
    QVERIFY(registered(QStringLiteral("Ann")));
    m_clients.clear();
    QTRY_COMPARE(m_server->userCount(), 0);
    // Logins and registrations whose clients leave at once: their answers
    // find nobody, and the account of a registration that lost its client
    // is not made.
    for (int i = 0; i < 3; ++i) {
        connectClient()->sender.login("Ann", i == 0 ? "secret" : "wrong");
        const QByteArray ghost = "Ghost" + QByteArray::number(i);
        connectClient()->sender.regist(ghost.constData(), "pw", "", "", "", "", "", "", "", "");
    }
    m_clients.clear();
    // Hanging up on a login counts against the address as a failure: after
    // six of them it is held back.
    QTRY_COMPARE(m_server->sessionCount(), 0);
    TestClient* held = connectClient();
    QVERIFY(held);
    held->sender.login("Ann", "secret");
    QVERIFY(!held->waitFor(Opcode::Success, {}, 500));
    TestClient* ann = connectClient(QHostAddress(QStringLiteral("127.0.0.2")));
    QVERIFY(ann);
    QCOMPARE(ann->login(QStringLiteral("Ann")), -1);
    QVERIFY(!m_server->storage().findAccount(QStringLiteral("Ghost0")));
}

void TestServerDefences::registrationsAndGuessesAreLimitedPerAddress()
{
    m_options.registrationsPerAddressPerHour = 3;
    m_options.maxPendingLogins = 4;
    startServer();
    for (const char* name : {"Ann", "Bob", "Cleo"})
        QVERIFY(registered(QLatin1String(name)));
    m_clients.clear();
    QTRY_COMPARE(m_server->userCount(), 0);
    TestClient* fourth = connectClient();
    QVERIFY(fourth);
    // A login without its password is answered, not left hanging.
    fourth->writeRaw(messageOf({op(Opcode::Login), QByteArray("Ann")}).data());
    const std::optional<Message> answer = fourth->waitFor(Opcode::Failure);
    QVERIFY(answer);
    QCOMPARE(answer->getInt(1), int(FailureCode::LogonFailed));
    QCOMPARE(fourth->registerAs(QStringLiteral("Dora")), int(FailureCode::TryLater));
    QVERIFY(!m_server->storage().findAccount(QStringLiteral("Dora")));
    // Logging in is not registering, and another address has its own share.
    QCOMPARE(fourth->login(QStringLiteral("Ann")), -1);
    QVERIFY(registered(QStringLiteral("Dora"), QHostAddress(QStringLiteral("127.0.0.2"))));
    // Past the address's free failures a guess is held back, then answered.
    const QHostAddress attacker(QStringLiteral("127.0.0.3"));
    TestClient* guesser = connectClient(attacker);
    QVERIFY(guesser);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(guesser->login(QStringLiteral("Ann"), QStringLiteral("guess")),
                 int(FailureCode::WrongPassword));
    QCOMPARE(s_serverLog.filter(QStringLiteral("held back")).size(), 1);

    // A held-back guess goes with its connection: each is made and the
    // connection closed at once, many more times than logins may wait.
    m_clients.clear();
    QTRY_COMPARE(m_server->sessionCount(), 0);
    for (int i = 0; i < 12; ++i) {
        TestClient* c = connectClient(attacker);
        QVERIFY(c);
        const qsizetype logged = s_serverLog.size();
        c->sender.login("Ann", "guess");
        QTRY_VERIFY(s_serverLog.size() > logged);
        m_clients.clear();
        QTRY_COMPARE(m_server->sessionCount(), 0);
    }
    QVERIFY(s_serverLog.filter(QStringLiteral("held back")).size() >= 5);
    // Another address, and the attacker's own next connection, are served.
    TestClient* other = connectClient(QHostAddress(QStringLiteral("127.0.0.2")));
    QVERIFY(other);
    QCOMPARE(other->registerAs(QStringLiteral("Eve")), -1);
    TestClient* again = connectClient(attacker);
    QVERIFY(again);
    const qsizetype logged = s_serverLog.size();
    again->sender.login("Ann", "secret");
    QTRY_VERIFY(s_serverLog.size() > logged);
    QVERIFY(s_serverLog.mid(logged).filter(QStringLiteral("logins are being checked")).isEmpty());
}

void TestServerDefences::crowdOfAddressesLeavesRoomForOthers()
{
    m_options.maxPendingLogins = 6;
    startServer();
    for (const char* name : {"Ann", "Bob"})
        QVERIFY(registered(QLatin1String(name)));
    m_clients.clear();
    QTRY_COMPARE(m_server->userCount(), 0);

    // Four addresses fail four times, so that their next guesses wait 2 s,
    // then guess from three connections each: more than may wait.
    QList<TestClient*> crowd;
    for (int a = 10; a < 14; ++a) {
        const QHostAddress from(QStringLiteral("127.0.0.%1").arg(a));
        TestClient* first = connectClient(from);
        QVERIFY(first);
        // Each at a name of its own, so that no account's pauses hold it.
        const QString name = QStringLiteral("Nobody%1").arg(a);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(first->login(name), int(FailureCode::InvalidNickname));
        first->sender.login(name.toLatin1().constData(), "secret");
        crowd << first << connectClient(from) << connectClient(from);
    }
    for (qsizetype i = 0; i < crowd.size(); i += 3)
        QVERIFY(crowd[i]->waitFor(Opcode::Failure, {}, 5000));
    const auto toldToWait = [&crowd] {
        return std::count_if(crowd.cbegin(), crowd.cend(), [](TestClient* c) {
            return c->waitFor(Opcode::Failure, {}, 0).value_or(Message()).getInt(1) ==
                   int(FailureCode::TryLater);
        });
    };
    for (TestClient* c : std::as_const(crowd)) {
        QVERIFY(c);
        c->forget();
        c->sender.login("Nobody", "secret");
    }
    // An address holding as many waiting logins as any other waits for a
    // place; the crowd fills every place.
    QTRY_COMPARE(toldToWait(), crowd.size() - m_options.maxPendingLogins);

    // The owner, from an address of his own, is let in at once: the address
    // holding the most gives up its newest guess for him.
    TestClient* owner = connectClient(QHostAddress(QStringLiteral("127.0.0.2")));
    QVERIFY(owner);
    QCOMPARE(owner->login(QStringLiteral("Ann")), -1);
    QCOMPARE(toldToWait(), crowd.size() - m_options.maxPendingLogins + 1);

    // Guesses waiting for the hashing thread behind one another: a login
    // from an address that has not failed goes ahead of them.
    stop();
    prepare();
    m_options.fastPasswordHashing = false;
    m_options.hashingThreads = 1;
    startServer();
    for (const char* name : {"Ann", "Bob"})
        QVERIFY(registered(QLatin1String(name)));
    m_clients.clear();
    QList<TestClient*> guessers;
    for (int a = 10; a < 13; ++a) {
        const QHostAddress from(QStringLiteral("127.0.0.%1").arg(a));
        TestClient* first = connectClient(from);
        QVERIFY(first);
        QCOMPARE(first->login(QStringLiteral("Nobody%1").arg(a)),
                 int(FailureCode::InvalidNickname));
        guessers << first << connectClient(from) << connectClient(from);
    }
    QList<TestClient*> answered;
    for (TestClient* g : std::as_const(guessers)) {
        QVERIFY(g);
        g->forget();
        g->sender.login("Ann", "guess");
        connect(&g->parser, &Parser::failure, this, [&answered, g] { answered.append(g); });
    }
    TestClient* bob = connectClient(QHostAddress(QStringLiteral("127.0.0.3")));
    QVERIFY(bob);
    connect(&bob->parser, &Parser::success, this, [&answered, bob] { answered.append(bob); });
    QCOMPARE(bob->login(QStringLiteral("Bob")), -1);
    QTRY_COMPARE_WITH_TIMEOUT(answered.size(), guessers.size() + 1, 20000);
    // At most the guess being hashed when he came, and the one whose turn
    // followed it, came before him.
    QVERIFY2(answered.indexOf(bob) <= 2, qPrintable(QString::number(answered.indexOf(bob))));
}

void TestServerDefences::ownerGetsInWhileOthersGuess()
{
    startServer();
    QVERIFY(registered(QStringLiteral("Ann")));
    m_clients.clear();
    // Guessers from four addresses, each with a few connections, keep
    // guessing at Ann's password; the account's pauses grow long.
    QList<TestClient*> guessers;
    for (int a = 3; a <= 6; ++a) {
        for (int c = 0; c < 3; ++c) {
            TestClient* g = connectClient(QHostAddress(QStringLiteral("127.0.0.%1").arg(a)));
            QVERIFY(g);
            guessers.append(g);
        }
    }
    const auto guess = [](TestClient* g) {
        if (g->isConnected() && !g->waitFor(Opcode::Failure, {}, 0))
            return;
        g->forget();
        g->sender.login("Ann", "guess");
    };
    for (TestClient* g : std::as_const(guessers))
        g->sender.login("Ann", "guess");
    QElapsedTimer attack;
    attack.start();
    while (attack.elapsed() < 2500) {
        for (TestClient* g : std::as_const(guessers))
            guess(g);
        QTest::qWait(20);
    }
    QVERIFY(s_serverLog.filter(QStringLiteral("held back")).size() >= 6);

    // The owner, from an address of his own, gets in at once while the
    // guessing goes on; then from the address he last logged in from, even
    // after a typo of his there.
    for (const bool typo : {false, true}) {
        const QHostAddress home(QStringLiteral("127.0.0.8"));
        TestClient* owner = connectClient(home);
        QVERIFY(owner);
        if (typo)
            QCOMPARE(owner->login(QStringLiteral("Ann"), QStringLiteral("typo")),
                     int(FailureCode::WrongPassword));
        s_serverLog.clear();
        owner->forget();
        owner->sender.login("Ann", "secret");
        QVERIFY2(owner->waitFor(Opcode::Success, {}, 1000),
                 typo ? "after a typo" : "fresh address");
        QVERIFY(s_serverLog.filter(QStringLiteral("held back")).filter(home.toString()).isEmpty());
        QVERIFY(drop(owner));
        for (TestClient* g : std::as_const(guessers))
            guess(g);
    }
    // A guesser's right password still waits out the account's pause.
    TestClient* lucky = connectClient(QHostAddress(QStringLiteral("127.0.0.4")));
    QVERIFY(lucky);
    s_serverLog.clear();
    lucky->sender.login("Ann", "secret");
    QVERIFY(!lucky->waitFor(Opcode::Success, {}, 300));
    QVERIFY(!s_serverLog.filter(QStringLiteral("127.0.0.4 for Ann held back")).isEmpty());
}

void TestServerDefences::lobbyChurnIsPaced()
{
    m_options.lobbyMovesBurst = 4;
    startServer();
    const auto [ann, bob] = users("Ann", "Bob");
    QVERIFY(ann && bob);
    QVERIFY(bob->sync());
    bob->forget();
    s_serverLog.clear();
    // Ann creates and leaves games as fast as she can: the first two pairs
    // are served (and reach nobody else when a pair is read at once), the
    // rest are refused; she may always leave.
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 200; ++i) {
        requestGame(ann, {});
        ann->sender.part();
    }
    QVERIFY(ann->sync());
    QVERIFY(bob->sync());
    const qsizetype announced = bob->received(Opcode::NewGame).size();
    QVERIFY2(announced <= 2 + clock.elapsed() / 2000 + 1, qPrintable(QString::number(announced)));
    QCOMPARE(bob->received(Opcode::EndGame).size(), announced);
    QCOMPARE(m_server->gameCount(), 0);
    // Hundreds of refusals, a few lines of the log: five a second, then one
    // line that counts the rest.
    const qint64 seconds = clock.elapsed() / 1000 + 1;
    QVERIFY2(s_serverLog.filter(QStringLiteral("refused request")).size() <= 5 * seconds,
             qPrintable(s_serverLog.join(QLatin1Char('\n'))));
    QTRY_COMPARE(s_serverLog.filter(QStringLiteral("more refused requests not logged")).size(), 1);
    // Paced, she is served again, and others never were held back.
    QVERIFY(createGame(bob) > 0);
    QTest::qWait(2100);
    QVERIFY(ann->sync());
    ann->forget();
    requestGame(ann, {});
    QVERIFY(ann->waitFor(Opcode::NewGame));
}

void TestServerDefences::gameLeftAtOnceReachesNobodyElse()
{
    const auto [ann, bob] = users("Ann", "Bob");
    QVERIFY(ann && bob);
    QVERIFY(bob->sync());
    bob->forget();
    // What the lobby said, without the round trips of sync().
    const auto heard = [](const TestClient* client) {
        QList<Opcode> opcodes = client->opcodes();
        opcodes.removeAll(Opcode::Whisper);
        opcodes.removeAll(Opcode::Ping);
        return opcodes;
    };

    // A game that stays: everyone hears of it and of Ann in it; she then
    // gets its map and her seat.
    const int kept = createGame(ann);
    QVERIFY(kept > 0);
    QVERIFY(ann->sync());
    QVERIFY(bob->sync());
    const QList<Opcode> announced{Opcode::NewGame, Opcode::Game, Opcode::User};
    QCOMPARE(heard(bob), announced);
    QCOMPARE(heard(ann).mid(0, 3), announced);
    QCOMPARE(heard(ann).last(), Opcode::Player);
    ann->sender.part();
    QVERIFY(bob->waitFor(Opcode::EndGame));

    // Created and left in one breath: Ann hears all of it, in the same order;
    // Bob only that she is in no game, as before.
    QVERIFY(ann->sync());
    ann->forget();
    bob->forget();
    requestGame(ann, {});
    ann->sender.part();
    QVERIFY(ann->waitFor(Opcode::EndGame));
    QVERIFY(bob->sync());
    QCOMPARE(heard(bob), QList<Opcode>{Opcode::User});
    QCOMPARE(bob->received(Opcode::User).first()->getInt(4), 0);
    const QList<Opcode> seen = heard(ann);
    QCOMPARE(seen.mid(0, 3), announced);
    QCOMPARE(seen.mid(seen.size() - 3),
             (QList<Opcode>{Opcode::Player, Opcode::User, Opcode::EndGame}));
    QCOMPARE(ann->received(Opcode::EndGame).first()->getInt(1), kept + 1);
    QCOMPARE(m_server->gameCount(), 0);
}

void TestServerDefences::connectionWithoutAnAddressIsRefused()
{
    // Connections that reset before the server takes them: the kernel has
    // queued them, but their peers are gone by the time they are accepted.
    for (int i = 0; i < 3; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(m_server->port());
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to), 0);
        const linger reset{1, 0};
        QCOMPARE(::setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset), 0);
        ::close(fd);
    }
    QTRY_COMPARE(s_serverLog.filter(QStringLiteral("its address is unknown")).size(), 3);
    QCOMPARE(m_server->sessionCount(), 0);
    QVERIFY(registered(QStringLiteral("Ann")));
}

void TestServerDefences::databaseErrorsAreTheirOwnRefusal()
{
    QVERIFY(registered(QStringLiteral("Ann")));
    m_clients.clear();
    // Another program takes the accounts away under the server.
    QVERIFY(testutil::rawSql(m_options.databasePath,
                             {QStringLiteral("ALTER TABLE accounts RENAME TO elsewhere")}));
    TestClient* c = connectClient();
    QVERIFY(c);
    QCOMPARE(c->login(QStringLiteral("Ann")), int(FailureCode::ServerError));
    QCOMPARE(c->registerAs(QStringLiteral("Bob")), int(FailureCode::ServerError));
}

void TestServerDefences::stoppedOrKilledServerLosesNothingAnswered()
{
    const QString database = m_dir->filePath(QStringLiteral("program.db"));
    const MapData map = testutil::shippedMap(QStringLiteral("3-africa"));

    // What the server answered as done: the accounts, and the slots.
    QStringList accounts;
    QStringList withSlot;
    QRandomGenerator random(9);
    for (int round = 0; round < 4; ++round) {
        QProcess server;
        if (round > 0)
            server.setStandardErrorFile(QProcess::nullDevice());
        const quint16 port = testutil::startServerProgram(
            server, database, {QStringLiteral("--trust"), QStringLiteral("127.0.0.1")});
        QVERIFY(port);
        // Stopped by a signal first: built with the sanitizers, the exit
        // status also tells that it freed everything and touched no memory
        // it should not. Then killed at some moment of the work.
        QTimer::singleShot(random.bounded(200, 900), &server,
                           [&server, round] { round == 0 ? server.terminate() : server.kill(); });
        for (int i = 0; server.state() == QProcess::Running; ++i) {
            TestClient client;
            const QString nickname = QStringLiteral("r%1u%2").arg(round).arg(i);
            if (!client.connectTo(port) || client.registerAs(nickname) != -1)
                break;
            accounts.append(nickname);
            client.uploadMap(map, 3);
            if (!client.waitFor(Opcode::Slot, personalSlot3))
                break;
            withSlot.append(nickname);
        }
        QTRY_COMPARE_WITH_TIMEOUT(server.state(), QProcess::NotRunning, 20000);
        if (round == 0) {
            QVERIFY2(server.exitStatus() == QProcess::NormalExit && server.exitCode() == 0,
                     server.readAllStandardError().right(4000).constData());
        } else {
            QCOMPARE(server.exitStatus(), QProcess::CrashExit);
        }

        QCOMPARE(testutil::rawSql(database, {QStringLiteral("PRAGMA integrity_check")}),
                 QStringList{QStringLiteral("ok")});
    }
    QVERIFY2(accounts.size() >= 4, "the server was stopped before it answered anything");

    m_options.databasePath = database;
    startServer();
    for (const QString& nickname : std::as_const(accounts)) {
        TestClient* client = connectClient();
        QVERIFY(client && client->login(nickname) == -1);
        if (withSlot.contains(nickname))
            QVERIFY2(client->waitFor(Opcode::Slot, personalSlot3), qPrintable(nickname));
        m_clients.clear();
    }
}

QTEST_GUILESS_MAIN(TestServerDefences)
#include "tst_serverdefences.moc"
