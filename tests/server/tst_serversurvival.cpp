#include "person.h"
#include "serverfixture.h"

#include <QProcess>
#include <QTcpServer>
#include <QTest>

#include <map>
#include <memory>

namespace {

constexpr int World = 1;
constexpr int WorldCountries = 42;
constexpr int GraceSeconds = 3;

} // namespace

// The real server program killed or stopped in the middle of running games
// and started again on the same database: the games come back as they were
// last saved, their players are let back into their seats, and each game
// ends once, with one result.
class TestServerSurvival : public QObject, ServerFixture
{
    Q_OBJECT

private:
    // The program on a free port; its log is kept in m_log when asked.
    bool startProgram(bool keepLog = false, const QStringList& extra = {});
    // Connects, registers or logs in, and follows the client as a person.
    TestClient* enter(const QString& nickname, bool registering,
                      Person::Mode mode = Person::Mode::Passive);
    Person& person(TestClient* client) { return *m_people.at(client); }
    void forgetClients();
    QStringList sql(const QString& statement)
    {
        const std::optional<QStringList> rows =
            m_pg ? m_pg->sql({statement}) : testutil::rawSql(m_database, {statement});
        return rows.value_or(QStringList{QStringLiteral("?")});
    }

    QString m_database;
    quint16 m_port = 0;
    QByteArray m_log;
    std::unique_ptr<QProcess> m_program;
    std::vector<std::unique_ptr<TestClient>> m_own;
    std::map<TestClient*, std::unique_ptr<Person>> m_people;

private slots:
    void init();
    void cleanup();
    void gamesComeBackAfterACrash_data();
    void gamesComeBackAfterACrash();
    void gameWhoseMapIsGoneEndsUnrated();
    void gamesAreLostWithoutSaving();
};

void TestServerSurvival::init()
{
    prepare();
    m_database = m_pg ? m_pg->url() : m_dir->filePath(QStringLiteral("program.db"));
    m_port = 0;
}

void TestServerSurvival::cleanup()
{
    forgetClients();
    if (m_program) {
        m_program->kill();
        m_program->waitForFinished();
        m_program.reset();
    }
}

void TestServerSurvival::forgetClients()
{
    m_people.clear();
    m_own.clear();
}

bool TestServerSurvival::startProgram(bool keepLog, const QStringList& extra)
{
    m_program = std::make_unique<QProcess>();
    m_program->setStandardOutputFile(QProcess::nullDevice());
    m_log.clear();
    if (keepLog) {
        QObject::connect(m_program.get(), &QProcess::readyReadStandardError, m_program.get(),
                         [this] { m_log += m_program->readAllStandardError(); });
    } else {
        m_program->setStandardErrorFile(QProcess::nullDevice());
    }
    // On PostgreSQL the saved games belong to the server by its port.
    m_port = testutil::startServerProgram(
        *m_program, m_database,
        QStringList{QStringLiteral("--trust"), QStringLiteral("127.0.0.1"),
                    QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("--robot-delay"),
                    QStringLiteral("0"), QStringLiteral("--rejoin-grace"),
                    QString::number(GraceSeconds)} +
            extra,
        m_pg ? m_port : 0);
    return m_port != 0;
}

TestClient* TestServerSurvival::enter(const QString& nickname, bool registering, Person::Mode mode)
{
    auto client = std::make_unique<TestClient>();
    TestClient* c = client.get();
    m_people[c] = std::make_unique<Person>(*c);
    // Set before the login: a player back in his seat is asked at once.
    m_people[c]->mode = mode;
    m_own.push_back(std::move(client));
    if (!c->connectTo(m_port))
        return nullptr;
    return (registering ? c->registerAs(nickname) : c->login(nickname)) == -1 ? c : nullptr;
}

void TestServerSurvival::gamesComeBackAfterACrash_data()
{
    QTest::addColumn<QString>("moment");
    QTest::addColumn<bool>("stopped");
    QTest::addRow("killed in her turn") << QStringLiteral("turn") << false;
    QTest::addRow("killed with her conquest untaken") << QStringLiteral("take") << false;
    QTest::addRow("killed in the first placing, one army placed")
        << QStringLiteral("placing") << false;
    QTest::addRow("killed with a player held") << QStringLiteral("held") << false;
    QTest::addRow("stopped in her turn") << QStringLiteral("turn") << true;
}

void TestServerSurvival::gamesComeBackAfterACrash()
{
    QFETCH(QString, moment);
    QFETCH(bool, stopped);
    const bool withBob = moment == QLatin1String("held");
    QVERIFY(startProgram(stopped));
    TestClient* alice = enter(QStringLiteral("alice"), true);
    TestClient* bob = withBob ? enter(QStringLiteral("bob"), true) : nullptr;
    QVERIFY(alice && (bob || !withBob));
    Person& her = person(alice);
    her.mode = moment == QLatin1String("take")      ? Person::Mode::Attacker
               : moment == QLatin1String("placing") ? Person::Mode::Waiting
                                                    : Person::Mode::Passive;
    if (her.mode == Person::Mode::Passive)
        her.turnsBeforeWaiting = 1;
    her.placeOneFirst = moment == QLatin1String("placing");
    const int game = createGame(alice, {}, World);
    QVERIFY(game > 0);
    if (bob) {
        bob->sender.join(game);
        QVERIFY(alice->waitFor(Opcode::Player, [](const Message& m) { return m.getInt(1) == 1; }));
    }
    alice->sender.robot(QStringLiteral("Dynamo"));
    alice->sender.robot(QStringLiteral("Ember"));
    const int robotsFrom = bob ? 2 : 1;
    QVERIFY(alice->waitFor(Opcode::Player,
                           [&](const Message& m) { return m.getInt(1) == robotsFrom + 1; }));
    alice->sender.start();

    // Up to the moment of the crash.
    if (moment == QLatin1String("placing")) {
        QTRY_VERIFY_WITH_TIMEOUT(her.asked, 10000);
    } else if (moment == QLatin1String("take")) {
        QTRY_VERIFY_WITH_TIMEOUT(her.took, 30000);
    } else {
        // Her second turn: the end of the first one was saved too.
        QTRY_VERIFY_WITH_TIMEOUT(her.mode == Person::Mode::Waiting && her.asked, 30000);
    }
    if (bob) {
        // Bob's connection drops in her turn: his seat is held, and saved so.
        m_people.erase(bob);
        std::erase_if(m_own, [bob](const auto& c) { return c.get() == bob; });
        QVERIFY(alice->waitFor(Opcode::Game, [&](const Message& m) {
            return m.getInt(1) == game && m.getInt(7) == 1;
        }));
    }
    const int seat = her.seat;
    const Person::Board saved = her.atSave;
    const QList<int> cards = her.cardsAtSave;
    QCOMPARE(saved.size(), WorldCountries);
    if (stopped) {
        m_program->terminate();
        QTRY_VERIFY(her.closed);
        QVERIFY(m_program->waitForFinished(10000));
        QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_program->exitCode(), 0);
        // The log tells of the save once it is written.
        m_log += m_program->readAllStandardError();
        QVERIFY2(m_log.contains("saved 1 running game\n"), m_log.constData());
    } else {
        m_program->kill();
        QVERIFY(m_program->waitForFinished(10000));
    }
    forgetClients();

    // The same database, a new process.
    QVERIFY(startProgram());
    TestClient* back = enter(QStringLiteral("alice"), false, Person::Mode::Waiting);
    QVERIFY(back);
    Person& again = person(back);
    QTRY_VERIFY_WITH_TIMEOUT(again.asked, 10000);
    QCOMPARE(again.seat, seat);
    QCOMPARE(again.board.size(), WorldCountries);
    for (auto it = saved.cbegin(); it != saved.cend(); ++it) {
        const auto now = again.board.value(it.key());
        QCOMPARE(now.first, it.value().first);
        // In the first placing the robots placed again at once.
        if (moment != QLatin1String("placing") || now.first == seat)
            QCOMPARE(now.second, it.value().second);
    }
    QCOMPARE(again.cards, cards);
    if (moment == QLatin1String("placing")) {
        // Game ids go on above the restored game's.
        TestClient* carol = enter(QStringLiteral("carol"), true);
        QVERIFY(carol);
        QCOMPARE(createGame(carol, {}, World), game + 1);
    }
    // Anybody else is held for the grace after the restart, then out.
    const int othersHeld = withBob ? 1 : 0;
    QVERIFY(back->waitFor(Opcode::Game, [&](const Message& m) {
        return m.getInt(1) == game && m.getInt(7) == othersHeld;
    }));
    if (withBob) {
        QVERIFY(back->waitFor(
            Opcode::EndPlayer, [](const Message& m) { return m.getInt(1) == 1; },
            (GraceSeconds + 3) * 1000));
    }

    // And on to the end, rated once.
    again.play();
    QTRY_VERIFY_WITH_TIMEOUT(again.winner >= 0, 60000);
    QTRY_COMPARE_WITH_TIMEOUT(sql(QStringLiteral("SELECT COUNT(*) FROM results")),
                              QStringList{QStringLiteral("1")}, 5000);
    QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM saved_games")),
             QStringList{QStringLiteral("0")});
    QCOMPARE(sql(QStringLiteral("SELECT games FROM accounts WHERE nickname IN ('alice', 'bob')")),
             withBob ? QStringList({QStringLiteral("1"), QStringLiteral("1")})
                     : QStringList{QStringLiteral("1")});
    QCOMPARE(sql(QStringLiteral("SELECT SUM(games) FROM robots")),
             QStringList{QStringLiteral("2")});
    // She lost; of the robots, the winner alone gained.
    QCOMPARE(sql(QStringLiteral("SELECT rating FROM accounts WHERE nickname = 'alice'")),
             QStringList{QStringLiteral("1484")});
    QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM robots WHERE rating > 1500")),
             QStringList{QStringLiteral("1")});
}

void TestServerSurvival::gameWhoseMapIsGoneEndsUnrated()
{
    QVERIFY(startProgram());
    TestClient* alice = enter(QStringLiteral("alice"), true);
    QVERIFY(alice);
    person(alice).mode = Person::Mode::Waiting;
    alice->uploadMap(testutil::shippedMap(QStringLiteral("3-africa")), 0);
    const auto slot = alice->waitFor(
        Opcode::Slot, [](const Message& m) { return m.getInt(1) == 1 && m.getInt(3) > 1000; });
    QVERIFY(slot);
    const int mapId = slot->getInt(3);
    const int game = createGame(alice, {}, mapId);
    QVERIFY(game > 0);
    alice->sender.robot(QStringLiteral("Dynamo"));
    QVERIFY(alice->waitFor(Opcode::Player, [](const Message& m) { return m.getInt(1) == 1; }));
    // Her slot takes another map, so that only the game keeps this one.
    alice->uploadMap(testutil::shippedMap(QStringLiteral("3-africa")), 0);
    QVERIFY(alice->waitFor(Opcode::Slot, [&](const Message& m) { return m.getInt(3) > mapId; }));
    alice->sender.start();
    QTRY_VERIFY_WITH_TIMEOUT(person(alice).asked, 10000);
    m_program->kill();
    QVERIFY(m_program->waitForFinished(10000));
    forgetClients();
    // The killed server's map survived its start-up cleaning once; now the
    // operator takes it away.
    QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM maps WHERE id = %1").arg(mapId)),
             QStringList{QStringLiteral("1")});
    QVERIFY(testutil::rawSql(m_database,
                             {QStringLiteral("PRAGMA foreign_keys = OFF"),
                              QStringLiteral("DELETE FROM maps WHERE id = %1").arg(mapId)}));

    QVERIFY(startProgram(true));
    const QByteArray line =
        QStringLiteral("game %1 cannot be restored and ends unrated: its map %2 "
                       "is gone")
            .arg(game)
            .arg(mapId)
            .toLatin1();
    QTRY_VERIFY_WITH_TIMEOUT(m_log.contains(line), 5000);
    TestClient* back = enter(QStringLiteral("alice"), false);
    QVERIFY(back && back->sync());
    QVERIFY(back->received(Opcode::NewGame).isEmpty());
    QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM saved_games")),
             QStringList{QStringLiteral("0")});
    QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM results")), QStringList{QStringLiteral("0")});
    QCOMPARE(sql(QStringLiteral("SELECT games FROM accounts")), QStringList{QStringLiteral("0")});
}

void TestServerSurvival::gamesAreLostWithoutSaving()
{
    // A game saved by a server that saved games, then one that does not.
    QVERIFY(startProgram());
    TestClient* alice = enter(QStringLiteral("alice"), true, Person::Mode::Waiting);
    QVERIFY(alice);
    const int game = createGame(alice, {}, World);
    QVERIFY(game > 0);
    alice->sender.robot(QStringLiteral("Dynamo"));
    QVERIFY(alice->waitFor(Opcode::Player, [](const Message& m) { return m.getInt(1) == 1; }));
    alice->sender.start();
    QTRY_VERIFY_WITH_TIMEOUT(person(alice).asked, 10000);
    QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM saved_games")),
             QStringList{QStringLiteral("1")});
    m_program->kill();
    QVERIFY(m_program->waitForFinished(10000));
    forgetClients();

    // The game is taken up once and its save dropped; turns played now are
    // written nowhere.
    const QStringList noSaving{QStringLiteral("--no-save-games")};
    QVERIFY(startProgram(false, noSaving));
    TestClient* back = enter(QStringLiteral("alice"), false);
    QVERIFY(back);
    Person& again = person(back);
    again.turnsBeforeWaiting = 2;
    QTRY_VERIFY_WITH_TIMEOUT(again.mode == Person::Mode::Waiting && again.asked, 30000);
    QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM saved_games")),
             QStringList{QStringLiteral("0")});
    m_program->kill();
    QVERIFY(m_program->waitForFinished(10000));
    forgetClients();

    QVERIFY(startProgram(false, noSaving));
    TestClient* late = enter(QStringLiteral("alice"), false);
    QVERIFY(late && late->sync());
    QVERIFY(late->received(Opcode::NewGame).isEmpty());
    QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM results")), QStringList{QStringLiteral("0")});
}

QTEST_GUILESS_MAIN(TestServerSurvival)
#include "tst_serversurvival.moc"
