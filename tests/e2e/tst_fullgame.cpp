#include "../chat/chatlines.h"
#include "demorun.h"
#include "lobbymodel.h"
#include "map.h"
#include "player.h"
#include "playerlist.h"
#include "serverprocess.h"
#include "settings.h"
#include "tarvenix.h"
#include "userinfo.h"
#include "useritem.h"
#include "usersdialog.h"
#include "wizarddriver.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <tcl.h>

#include <memory>

// A newcomer's first evening, from the registration to the end of a whole
// game on World against three robots, a map of his own drawn and played, with
// the real client and the real server.
class TestFullGame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void newcomerPlaysWorldAgainstThreeRobots();
    void twoFriendsChatAndOneComesBackAfterALostLine();
    void mapDrawnOnEuropeIsStoredAndPlayedAgainstTwoRobots();
    void demoWatchesRobotsPlayAWholeGameOnEveryRun();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Settings> m_settings;
};

namespace {

const QStringList Robots = {QStringLiteral("Anvil"), QStringLiteral("Bramble"),
                            QStringLiteral("Cinder")};

// Elo with factor 32 between equal ratings: the winner takes 16 from each
// loser.
constexpr int Stake = 16;

} // namespace

void TestFullGame::initTestCase()
{
    Tcl_FindExecutable(QCoreApplication::arguments().value(0).toLocal8Bit().constData());
    QVERIFY(m_dir.isValid());
    m_settings = std::make_unique<Settings>(m_dir.filePath(QStringLiteral("tarvenix.cfg")));
}

void TestFullGame::newcomerPlaysWorldAgainstThreeRobots()
{
    QElapsedTimer clock;
    clock.start();
    ServerProcess server;
    QString error;
    ServerProcess::Options options;
    options.seed = 7;
    QVERIFY2(server.start(options, &error), qPrintable(error));

    Player ann(QStringLiteral("Ann"), server.port());
    const QString password = QStringLiteral("harbour7");
    QVERIFY2(ann.registerAccount(password), qPrintable(ann.error()));
    QVERIFY2(ann.logOut(), qPrintable(ann.error()));
    QVERIFY2(ann.logIn(password), qPrintable(ann.error()));

    QVERIFY2(ann.openGame(QStringLiteral("World")), qPrintable(ann.error()));
    for (const QString& robot : Robots)
        QVERIFY2(ann.addRobot(robot), qPrintable(ann.error()));
    QVERIFY2(ann.startGame(), qPrintable(ann.error()));
    const int game = ann.gameId();
    QVERIFY(game > 0);

    const bool played = playToEnd({&ann}, &error);
    QVERIFY2(played, qPrintable(error + QStringLiteral("\nserver refusals:\n") +
                                server.refusals().join(u'\n') + QStringLiteral("\noutput:\n") +
                                ann.output().mid(ann.output().size() - 20).join(u'\n')));
    qInfo("game over after %lld ms: %d turns, %d placings, %d attacks, %d conquests chosen, "
          "%d moves, %d exchanges",
          static_cast<long long>(clock.elapsed()), ann.stats().turns, ann.stats().placings,
          ann.stats().attacks, ann.stats().choices, ann.stats().moves, ann.stats().exchanges);

    // Four seats at the start: Ann and the three robots, as the player list
    // showed them; at the end only the winner is left in it.
    QStringList humans;
    QStringList robots;
    for (const Player::Seat& seat : ann.startSeats()) {
        if (!seat.name.isEmpty())
            (seat.robot ? robots : humans).append(seat.name);
    }
    QCOMPARE(humans, QStringList{QStringLiteral("Ann")});
    robots.sort();
    QCOMPARE(robots, Robots);
    QCOMPARE(ann.startSeats().value(ann.seat()).name, QStringLiteral("Ann"));

    const QString winner = ann.startSeats().value(ann.winnerSeat()).name;
    QVERIFY(!winner.isEmpty());
    QStringList left;
    for (const Player::Seat& seat : ann.finalSeats()) {
        if (!seat.name.isEmpty())
            left.append(seat.name);
    }
    QCOMPARE(left, QStringList{winner});
    static const QRegularExpression wonLine(QStringLiteral("^\\S+ has won the game$"));
    QCOMPARE(ann.output().filter(wonLine),
             QStringList{winner + QStringLiteral(" has won the game")});
    QVERIFY2(
        server.waitForLine(
            QRegularExpression(QStringLiteral("game %1 won by %2 ").arg(game).arg(winner)), 10000),
        qPrintable(server.log().join(u'\n')));

    // The strategy got to every part of a turn.
    QVERIFY(ann.stats().attacks > 0);
    QVERIFY(ann.stats().choices > 0);
    QVERIFY(ann.stats().moves > 0);
    QVERIFY(ann.stats().exchanges > 0);

    // Back in the lobby: one game played, rated against three robots of
    // 1500 each.
    const LobbyModel* lobby = ann.window()->lobby();
    const int rating = winner == QLatin1String("Ann") ? 1500 + 3 * Stake : 1500 - Stake;
    QTRY_VERIFY_WITH_TIMEOUT(lobby->me() && lobby->me()->gameId == 0 && lobby->me()->games == 1,
                             10000);
    QCOMPARE(lobby->me()->rating, rating);
    QVERIFY(!lobby->findGame(game));
    const auto* users =
        ann.window()->usersDialog()->findChild<QTreeWidget*>(QStringLiteral("UserList"));
    QVERIFY(users);
    const QList<QTreeWidgetItem*> rows =
        users->findItems(QStringLiteral("Ann"), Qt::MatchExactly, UserItem::NicknameColumn);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first()->text(UserItem::RatingColumn), QString::number(rating));
    QCOMPARE(rows.first()->text(UserItem::GamesColumn), QStringLiteral("1"));

    QVERIFY2(server.refusals().isEmpty(), qPrintable(server.refusals().join(u'\n')));
    qInfo("whole case in %lld ms", static_cast<long long>(clock.elapsed()));
}

void TestFullGame::twoFriendsChatAndOneComesBackAfterALostLine()
{
    ServerProcess server;
    QString error;
    ServerProcess::Options options;
    options.seed = 6;
    QVERIFY2(server.start(options, &error), qPrintable(error));

    Player ann(QStringLiteral("Ann"), server.port());
    Player ben(QStringLiteral("Ben"), server.port());
    const QString password = QStringLiteral("harbour7");
    for (Player* p : {&ann, &ben})
        QVERIFY2(p->registerAccount(password), qPrintable(p->error()));
    QVERIFY2(ann.openGame(QStringLiteral("World"), 2), qPrintable(ann.error()));
    QVERIFY2(ben.joinGame(ann.gameId()), qPrintable(ben.error()));
    for (const QString& robot : Robots.mid(0, 2))
        QVERIFY2(ann.addRobot(robot), qPrintable(ann.error()));
    QVERIFY2(ann.startGame(), qPrintable(ann.error()));

    // Typed at one client, shown once at the other, through the default
    // scripts at both ends.
    const QString hello = QStringLiteral("Ann: good luck, Ben");
    const QString thanks = QStringLiteral("Ben: thanks, same to you");
    const auto heard = [](const Player& p, const QString& line) {
        return p.gameChannel().count(line);
    };
    QVERIFY2(ann.sayInGame(hello.mid(5)), qPrintable(ann.error()));
    QVERIFY2(ben.sayInGame(thanks.mid(5)), qPrintable(ben.error()));
    QTRY_COMPARE_WITH_TIMEOUT(heard(ben, hello), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(heard(ann, thanks), 1, 10000);

    // Ben's line breaks in his second turn, as he is about to attack; the
    // game waits for him in his seat.
    const auto benAttacks = [&ben] {
        return ben.hasPrompt() && ben.prompt() == Player::Prompt::Attack && ben.stats().turns >= 2;
    };
    QVERIFY2(playUntil({&ann, &ben}, benAttacks, &error), qPrintable(error));
    const Player::Holding before = ben.holding();
    QVERIFY(!before.armies.isEmpty() && !before.cards.isEmpty());
    ben.loseConnection();
    QVERIFY(
        server.waitForLine(QRegularExpression(QStringLiteral("holds seat \\d+ for Ben")), 10000));
    QVERIFY2(ben.logIn(password), qPrintable(ben.error()));
    QVERIFY(server.waitForLine(QRegularExpression(QStringLiteral("Ben is back in seat")), 10000));
    QTRY_VERIFY_WITH_TIMEOUT(ben.hasPrompt(), 10000);
    const Player::Holding after = ben.holding();
    QCOMPARE(after.armies, before.armies);
    QCOMPARE(after.cards, before.cards);
    QVERIFY(after.prompt == Player::Prompt::Attack);
    QCOMPARE(ann.window()->playerList()->seatOf(QStringLiteral("Ben"), false), ben.seat());

    QVERIFY2(
        playToEnd({&ann, &ben}, &error),
        qPrintable(error + QStringLiteral("\nserver refusals:\n") + server.refusals().join(u'\n')));
    QCOMPARE(ben.winnerSeat(), ann.winnerSeat());
    QCOMPARE(heard(ben, hello), 1);
    QCOMPARE(heard(ann, thanks), 1);
    QVERIFY2(server.refusals().isEmpty(), qPrintable(server.refusals().join(u'\n')));
}

void TestFullGame::mapDrawnOnEuropeIsStoredAndPlayedAgainstTwoRobots()
{
    ServerProcess server;
    QString error;
    ServerProcess::Options options;
    options.seed = 11;
    QVERIFY2(server.start(options, &error), qPrintable(error));
    Player ann(QStringLiteral("Ann"), server.port());
    QVERIFY2(ann.registerAccount(QStringLiteral("harbour7")), qPrintable(ann.error()));

    WizardDriver driver(ann.window());
    const ThreeCountries plan = ThreeCountries::onEurope();
    driver.drawThreeCountries(plan, 2, QStringLiteral("Trio"));
    QVERIFY2(driver.errors().isEmpty(), qPrintable(driver.errors().join(u'\n')));
    QVERIFY2(server.waitForLine(
                 QRegularExpression(QStringLiteral("map \\d+ \"Trio\" stored by Ann")), 10000),
             qPrintable(server.log().join(u'\n')));

    QVERIFY2(ann.openGame(QStringLiteral("Trio by Ann"), 1, true), qPrintable(ann.error()));
    for (const QString& robot : Robots.mid(0, 2))
        QVERIFY2(ann.addRobot(robot), qPrintable(ann.error()));
    QVERIFY2(ann.startGame(), qPrintable(ann.error()));
    // The board shows the map as it came back from the server: the three
    // countries drawn on the Europe picture, each within its coasts.
    const Map* board = ann.window()->map();
    QCOMPARE(board->picture().name(), QStringLiteral("europe"));
    QStringList names;
    const QList<QRect> bounds = {plan.alphaArea, plan.betaArea, plan.gammaArea};
    for (const auto& [number, country] : board->countries()) {
        names << country.name;
        QVERIFY2(bounds.value(number - 1).contains(country.area), qPrintable(country.name));
    }
    QCOMPARE(names, (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"),
                                 QStringLiteral("Gamma")}));

    QVERIFY2(playToEnd({&ann}, &error), qPrintable(error));
    const QString winner = ann.startSeats().value(ann.winnerSeat()).name;
    QVERIFY(!winner.isEmpty());
    QCOMPARE(ann.output().filter(QStringLiteral(" has won the game")),
             QStringList{winner + QStringLiteral(" has won the game")});
    QVERIFY2(server.refusals().isEmpty(), qPrintable(server.refusals().join(u'\n')));
}

void TestFullGame::demoWatchesRobotsPlayAWholeGameOnEveryRun()
{
    ServerProcess server;
    QString error;
    QVERIFY2(server.start({}, &error), qPrintable(error));
    // The first run registers both demo accounts, the second logs them in.
    for (int run = 1; run <= 2; ++run) {
        Tarvenix window;
        window.setServer(QStringLiteral("127.0.0.1"), server.port());
        window.show();
        window.start();
        DemoRun demo(&window);
        demo.start();
        QTRY_VERIFY_WITH_TIMEOUT(
            demo.stage() == DemoRun::Stage::Over || demo.stage() == DemoRun::Stage::Failed, 60000);
        QCOMPARE(demo.stage(), DemoRun::Stage::Over);
        const UserInfo* me = window.lobby()->me();
        QVERIFY(me);
        QCOMPARE(me->nickname, QLatin1String(DemoRun::Nickname));
        static const QRegularExpression wonLine(QStringLiteral("^\\S+ has won the game$"));
        QCOMPARE(chatLines(window.output()).filter(wonLine).size(), 1);
        // Robots only in the player list: the host's seat went to one.
        const PlayerList* seats = window.playerList();
        for (const char* human : {DemoRun::Nickname, DemoRun::HostNickname})
            QCOMPARE(seats->seatOf(QLatin1String(human), true), -1);
        QVERIFY(server.waitForLine(
            QRegularExpression(QStringLiteral("game %1 won by ").arg(demo.gameId())), 10000));
    }
    // Only the second run's registrations were refused, as already taken.
    QCOMPARE(server.refusals().size(), 2);
}

QTEST_MAIN(TestFullGame)
#include "tst_fullgame.moc"
