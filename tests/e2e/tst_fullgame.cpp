#include "../chat/chatlines.h"
#include "buttonbar.h"
#include "demorun.h"
#include "gameoverpanel.h"
#include "gamerecord.h"
#include "lobbymodel.h"
#include "map.h"
#include "player.h"
#include "playerlist.h"
#include "serverprocess.h"
#include "settings.h"
#include "tarvenix.h"
#include "userinfo.h"
#include "wizarddriver.h"

#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <tcl.h>

// A newcomer's first evening with the real client and the real server: the
// registration, a whole game on World against three robots in one click, a
// map of his own drawn and played against robots seated by hand, and the
// demo.
class TestFullGame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void newcomerPlaysWorldAgainstThreeRobots();
    void mapDrawnOnEuropeIsStoredAndPlayedAgainstTwoRobots();
    void demoWatchesRobotsPlayAWholeGameOnEveryRun();

private:
    QTemporaryDir m_dir;
    Settings m_settings{m_dir.filePath(QStringLiteral("tarvenix.cfg"))};
};

namespace {

// The nickname of the one "has won the game" line of the game output; empty
// when there is not exactly one.
QString winnerIn(const Tarvenix* window)
{
    static const QRegularExpression won(QStringLiteral("^(\\S+) has won the game$"));
    const QStringList lines = chatLines(window->output()).filter(won);
    return lines.size() == 1 ? won.match(lines.first()).captured(1) : QString();
}

} // namespace

void TestFullGame::initTestCase()
{
    Tcl_FindExecutable(QCoreApplication::arguments().value(0).toLocal8Bit().constData());
    QVERIFY(m_dir.isValid());
}

void TestFullGame::newcomerPlaysWorldAgainstThreeRobots()
{
    ServerProcess server;
    QVERIFY2(server.start(7), qPrintable(server.error()));
    Player ann(QStringLiteral("Ann"), server.port());
    // Alone on the server, one click in the lobby opens a game on World
    // against three Normal robots and starts it.
    QVERIFY2(ann.registerAccount(QStringLiteral("harbour7")) && ann.playAgainstRobots(),
             qPrintable(ann.error() + QStringLiteral("\nserver refusals:\n") +
                        server.refusals().join(u'\n')));
    const GameRecord* record = ann.window()->lobby()->myGame();
    QCOMPARE(record->players, 4);
    QCOMPARE(record->robots, 3);
    QVERIFY2(record->mapText.startsWith(QLatin1String("World by ")), qPrintable(record->mapText));
    QStringList seated;
    for (int seat = 0; seat < 6; ++seat) {
        if (const PlayerEntry* entry = ann.window()->playerList()->entry(seat);
            entry && entry->robot)
            seated << entry->name;
    }
    seated.sort();
    QCOMPARE(seated, (QStringList{QStringLiteral("Dynamo"), QStringLiteral("Ember"),
                                  QStringLiteral("Flint")}));
    const int game = record->id;
    QVERIFY2(ann.playUntil([&] { return ann.isOver(); }),
             qPrintable(ann.error() + QStringLiteral("\nserver refusals:\n") +
                        server.refusals().join(u'\n')));
    const QString winner = winnerIn(ann.window());
    QVERIFY2(server.waitForLine(
                 QRegularExpression(QStringLiteral("game %1 won by %2 ").arg(game).arg(winner))),
             qPrintable(server.log().join(u'\n')));
    // The strategy got to every part of a turn.
    const Player::Stats& did = ann.stats();
    QVERIFY(did.attacks > 0 && did.choices > 0 && did.moves > 0 && did.exchanges > 0);

    // The summary over the board: the winner holds the world, every seat has
    // its figures, and the clock counts no more.
    const GameOverPanel* panel = ann.window()->gameOverPanel();
    QVERIFY(!panel->isHidden());
    QCOMPARE(panel->title(), QStringLiteral("%1 has won the game").arg(winner));
    const QTableWidget* table = panel->table();
    QCOMPARE(table->rowCount(), 4);
    int countries = 0;
    int conquered = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        const auto cell = [&](int column) {
            return table->item(row, column)->text();
        };
        countries += cell(GameOverPanel::CountriesColumn).toInt();
        conquered += cell(GameOverPanel::ConqueredColumn).toInt();
        QCOMPARE(cell(GameOverPanel::CardsColumn).toInt() % 3, 0);
        if (cell(GameOverPanel::PlayerColumn) == winner) {
            QCOMPARE(cell(GameOverPanel::CountriesColumn), QStringLiteral("42"));
            QVERIFY(cell(GameOverPanel::TurnsColumn).toInt() > 0);
        }
    }
    QCOMPARE(countries, 42);
    QVERIFY(conquered >= 42 / 4 * 3);
    QVERIFY(!ann.window()->buttonBar()->clock()->isCounting());

    // Back in the lobby: one game played, rated against three robots of
    // 1500 each, the winner taking 16 from each loser.
    const LobbyModel* lobby = ann.window()->lobby();
    QTRY_VERIFY_WITH_TIMEOUT(lobby->me()->gameId == 0 && lobby->me()->games == 1, 10000);
    QCOMPARE(lobby->me()->rating, winner == QLatin1String("Ann") ? 1500 + 3 * 16 : 1500 - 16);
    // Out of the closed game, the board still shows how it ended.
    QVERIFY(ann.window()->keepsFinishedBoard());
    QCOMPARE(ann.window()->map()->model().countriesOf(ann.window()->chronicle()->winnerSeat()), 42);
    QVERIFY2(server.refusals().isEmpty(), qPrintable(server.refusals().join(u'\n')));
}

void TestFullGame::mapDrawnOnEuropeIsStoredAndPlayedAgainstTwoRobots()
{
    ServerProcess server;
    QVERIFY2(server.start(11), qPrintable(server.error()));
    Player ann(QStringLiteral("Ann"), server.port());
    QVERIFY2(ann.registerAccount(QStringLiteral("harbour7")), qPrintable(ann.error()));

    WizardDriver driver(ann.window());
    const ThreeCountries plan = ThreeCountries::onEurope();
    driver.drawThreeCountries(plan, 2, QStringLiteral("Trio"));
    QVERIFY2(driver.errors().isEmpty(), qPrintable(driver.errors().join(u'\n')));
    QVERIFY2(
        server.waitForLine(QRegularExpression(QStringLiteral("map \\d+ \"Trio\" stored by Ann"))),
        qPrintable(server.log().join(u'\n')));

    QVERIFY2(ann.startGame(QStringLiteral("Trio by Ann"),
                           {QStringLiteral("Anvil"), QStringLiteral("Bramble")}),
             qPrintable(ann.error()));
    // The board shows the map as it came back from the server: the three
    // countries drawn on the Europe picture, each within its coasts.
    const Map* board = ann.window()->map();
    QCOMPARE(board->picture().name(), QStringLiteral("europe"));
    QCOMPARE(board->countries().size(), size_t(3));
    const QList<QRect> bounds = {plan.alphaArea, plan.betaArea, plan.gammaArea};
    for (const auto& [number, country] : board->countries())
        QVERIFY2(bounds.value(number - 1).contains(country.area), qPrintable(country.name));

    QVERIFY2(ann.playUntil([&] { return ann.isOver(); }), qPrintable(ann.error()));
    QVERIFY(!winnerIn(ann.window()).isEmpty());
    QVERIFY2(server.refusals().isEmpty(), qPrintable(server.refusals().join(u'\n')));
}

void TestFullGame::demoWatchesRobotsPlayAWholeGameOnEveryRun()
{
    ServerProcess server;
    QVERIFY2(server.start(1), qPrintable(server.error()));
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
        QVERIFY(window.lobby()->me());
        QCOMPARE(window.lobby()->me()->nickname, QLatin1String(DemoRun::Nickname));
        QVERIFY(!winnerIn(&window).isEmpty());
        // Robots only in the player list: the host's seat went to one.
        for (const char* human : {DemoRun::Nickname, DemoRun::HostNickname})
            QCOMPARE(window.playerList()->seatOf(QLatin1String(human), true), -1);
        QVERIFY(server.waitForLine(
            QRegularExpression(QStringLiteral("game %1 won by ").arg(demo.gameId()))));
    }
    // Only the second run's registrations were refused, as already taken.
    QCOMPARE(server.refusals().size(), 2);
}

QTEST_MAIN(TestFullGame)
#include "tst_fullgame.moc"
