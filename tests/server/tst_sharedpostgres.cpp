#include "pgtestdatabase.h"
#include "serverfixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <memory>

// Two server programs on one PostgreSQL database, as two lobbies of one
// community: one set of accounts and ratings, a nickname logged on at one
// of them at a time.
class TestSharedPostgres : public QObject, public ServerFixture
{
    Q_OBJECT

private slots:
    void twoServersShareAccountsAndLogins();

private:
    std::unique_ptr<TestClient> client(quint16 port)
    {
        auto c = std::make_unique<TestClient>();
        return c->connectTo(port) ? std::move(c) : nullptr;
    }
};

void TestSharedPostgres::twoServersShareAccountsAndLogins()
{
    PgTestDatabase pg;
    if (pg.url().isEmpty())
        QSKIP(qPrintable(pg.skipReason()));
    constexpr int LeaseSeconds = 3;
    const QStringList extra = {QStringLiteral("--robot-delay"), QStringLiteral("0"),
                               QStringLiteral("--login-lease"), QString::number(LeaseSeconds),
                               QStringLiteral("--trust"),       QStringLiteral("127.0.0.1")};
    QProcess first;
    QProcess second;
    const quint16 one = testutil::startServerProgram(first, pg.url(), extra);
    QVERIFY(one);
    const quint16 two = testutil::startServerProgram(second, pg.url(), extra);
    QVERIFY(two);

    // Registered at one, known at the other; logged on at one, refused at
    // the other in any letter case.
    auto alice = client(one);
    QVERIFY(alice);
    QCOMPARE(alice->registerAs(QStringLiteral("alice")), -1);
    auto bob = client(two);
    QVERIFY(bob);
    QCOMPARE(bob->registerAs(QStringLiteral("alice")), int(FailureCode::NicknameTaken));
    QCOMPARE(bob->login(QStringLiteral("ALICE")), int(FailureCode::AlreadyLoggedOn));
    QCOMPARE(bob->registerAs(QStringLiteral("bob")), -1);

    // alice leaves her robots' game to be played out at the first server;
    // the rating she lost there is hers at the second.
    auto carol = client(one);
    QVERIFY(carol);
    QCOMPARE(carol->registerAs(QStringLiteral("carol")), -1);
    const int game = gameLeftToRobots(alice.get(), {QStringLiteral("Anvil")}, carol.get());
    QVERIFY(game > 0);
    // The last moves may go out before the result is stored; the game's
    // end reaches its watcher only after.
    QVERIFY(carol->waitFor(Opcode::EndGame, testutil::firstIs(game), 20000));
    alice.reset();
    // Logged out at the first server, she may log on at the second.
    std::optional<Message> record;
    QVERIFY(QTest::qWaitFor([&] {
        auto again = client(two);
        if (!again || again->login(QStringLiteral("alice")) != -1)
            return false;
        record = again->waitFor(Opcode::User, testutil::firstIs(QStringLiteral("alice")));
        return true;
    }));
    QVERIFY(record);
    QVERIFY(record->getInt(2) < Rules::StartingRating);
    QCOMPARE(record->getInt(3), 1);

    // Killed, the first server cannot log carol out: the second refuses her
    // until its lease has run out, then lets her in.
    ::kill(pid_t(first.processId()), SIGKILL);
    QVERIFY(first.waitForFinished());
    QElapsedTimer sinceKill;
    sinceKill.start();
    auto early = client(two);
    QVERIFY(early);
    QCOMPARE(early->login(QStringLiteral("carol")), int(FailureCode::AlreadyLoggedOn));
    bool in = false;
    while (!in && sinceKill.elapsed() < (LeaseSeconds + 2) * 1000) {
        QTest::qWait(250);
        auto later = client(two);
        in = later && later->login(QStringLiteral("carol")) == -1;
    }
    QVERIFY(in);
    QVERIFY(sinceKill.elapsed() <= (LeaseSeconds + 1) * 1000);

    second.terminate();
    QVERIFY(second.waitForFinished());
}

QTEST_GUILESS_MAIN(TestSharedPostgres)
#include "tst_sharedpostgres.moc"
