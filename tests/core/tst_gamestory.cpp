#include "alertsconfig.h"
#include "boardpanel.h"
#include "chatdialog.h"
#include "configdialog.h"
#include "desktopnotifier.h"
#include "gameoverpanel.h"
#include "mapstorewatch.h"
#include "move.h"
#include "playerlist.h"
#include "testwindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolBar>

// What the main window tells a player of his game: the lines of what
// happened in the seats' colours, the player out of the game, the end with
// its summary and the board it keeps, the calls back to an inactive window,
// whispers while the chat is closed, and a row under the board that keeps
// its height. The chronicle's rules are tested with the client's core.
class TestGameStory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup() { m_test.reset(); }

    void storyToTheGameOver();
    void localPlayerOut_data();
    void localPlayerOut();
    void callsBackToAnInactiveWindow();
    void whisperWhileTheChatIsClosed();
    void steadyRowAndFollowingOutput();
    void namesWithPlaceMarkers();

private:
    // Timer mode 0: the timer removes players.
    void enterGame() { m_test->enterGame(); }
    ChatLine lastOutputLine() const
    {
        const ChatView* output = m_window->output();
        return output->line(output->lineCount() - 1);
    }

    std::unique_ptr<TestWindow> m_test;
    Tarvenix* m_window = nullptr;
    Parser* m_parser = nullptr;
    QStringList m_notified;
    QTemporaryDir m_dir;
};

namespace {

class RecordingNotifier : public DesktopNotifier
{
public:
    explicit RecordingNotifier(QStringList* calls) : m_calls(calls) {}
    void notify(const QString& summary, const QString& body) override
    {
        *m_calls << summary + QLatin1Char('|') + body;
    }

private:
    QStringList* m_calls;
};

QStringList tableRow(const QTableWidget* table, int row)
{
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column)
        cells << table->item(row, column)->text();
    return cells;
}

} // namespace

void TestGameStory::init()
{
    m_test = std::make_unique<TestWindow>();
    m_window = m_test->window.get();
    m_parser = m_test->parser;
    m_notified.clear();
    m_window->setNotifier(std::make_unique<RecordingNotifier>(&m_notified));
    m_window->setAlertFile(m_dir.filePath(QStringLiteral("alerts.ini")));
}

void TestGameStory::storyToTheGameOver()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    enterGame();
    // The server names the seats again at the start; the output does not.
    emit m_parser->player(0, false, QStringLiteral("Me"));
    emit m_parser->player(1, true, QStringLiteral("Robby"));
    QCOMPARE(m_test->outputSince(0).filter(QStringLiteral("Player ")),
             QStringList({QStringLiteral("Player 1: Me (me.example)"),
                          QStringLiteral("Player 2: Robby (robot)")}));

    const int first = m_test->outputCount();
    emit m_parser->init(20);
    emit m_parser->clock(60);
    emit m_parser->place(0, 3);
    emit m_parser->country(1, 0, 8);
    emit m_parser->more(0);
    emit m_parser->attack(1, 2, 3, false);
    emit m_parser->dice(0, 6, 6, 5, 1, 2, 1);
    emit m_parser->country(1, 0, 4);
    emit m_parser->country(2, 0, 3);
    const ChatLine conquest = lastOutputLine();
    emit m_parser->endPlayer(1);
    emit m_parser->winner(0);
    QCOMPARE(m_test->outputSince(first),
             QStringList({QStringLiteral("All players receive 20 armies"),
                          QStringLiteral("You should place 14 armies"),
                          QStringLiteral("Turn 1: Me receives 3 armies"),
                          QStringLiteral("Me should place 3 armies"),
                          QStringLiteral("Alpha attacks Beta with 3 dice"),
                          QStringLiteral("Me conquers Beta from Robby"),
                          QStringLiteral("Robby is defeated by Me"),
                          QStringLiteral("Me has won the game")}));
    QCOMPARE(conquest.circleColor, m_window->playerList()->seatColor(0));
    QCOMPARE(lastOutputLine().circleColor, m_window->playerList()->seatColor(0));
    QVERIFY(m_window->output()->isAtEnd());

    // The summary over the board; the clock has nothing left to count.
    GameOverPanel* panel = m_window->gameOverPanel();
    QVERIFY(panel->isVisible() && panel->parentWidget() == m_window->map());
    QCOMPARE(panel->title(), QStringLiteral("Me has won the game"));
    // Played in less than a minute.
    QVERIFY2(panel->text().startsWith(QStringLiteral("One turn in 0:0")),
             qPrintable(panel->text()));
    QCOMPARE(panel->table()->rowCount(), 2);
    // Three dice against two took both armies: the odds give 1.08.
    QCOMPARE(tableRow(panel->table(), 0),
             QStringList({QStringLiteral("Me"), QStringLiteral("3"), QStringLiteral("8"),
                          QStringLiteral("1"), QStringLiteral("+0.9"), QStringLiteral("0"),
                          QStringLiteral("1")}));
    QCOMPARE(tableRow(panel->table(), 1),
             QStringList({QStringLiteral("Robby"), QStringLiteral("0"), QStringLiteral("0"),
                          QStringLiteral("0"), QStringLiteral("-0.9"), QStringLiteral("0"),
                          QStringLiteral("0")}));
    const Clock* clock = m_window->buttonBar()->clock();
    QVERIFY(!clock->isCounting());
    QCOMPARE(clock->text(), QStringLiteral("00:00"));
    QCOMPARE(m_window->map()->die(0).value(), 6);

    // The server closes the game: the final position stays until the player
    // leaves it; then the board, the dice and the summary go.
    m_test->moveUser(QStringLiteral("Me"), 0, 0);
    QVERIFY(m_window->keepsFinishedBoard());
    QCOMPARE(m_window->map()->country(2)->owner, 0);
    QCOMPARE(m_window->map()->armiesOf(0), 8);
    QVERIFY(panel->isVisible());
    QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("PanelLeave")), Qt::LeftButton);
    QVERIFY(!panel->isVisible() && !m_window->keepsFinishedBoard());
    QVERIFY(m_window->map()->countries().empty());
    QCOMPARE(m_window->map()->die(0).value(), 0);
    QCOMPARE(m_window->stack()->currentIndex(), int(Tarvenix::EditorPage));
    QVERIFY(m_test->takeTexts().filter(QStringLiteral("Part")).isEmpty());
}

void TestGameStory::localPlayerOut_data()
{
    QTest::addColumn<bool>("defeated");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("title");
    QTest::newRow("removed by the turn timer")
        << false << QStringLiteral("Me is removed from the game by the turn timer")
        << QStringLiteral("The turn timer has removed you from the game");
    QTest::newRow("defeated") << true << QStringLiteral("Me is defeated by Robby")
                              << QStringLiteral("You have been defeated by Robby");
}

void TestGameStory::localPlayerOut()
{
    QFETCH(bool, defeated);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    enterGame();
    emit m_parser->init(20);
    // A second's clock has run out at once for the chronicle's slack.
    emit m_parser->clock(1);
    emit m_parser->place(0, 3);
    QCOMPARE(m_window->map()->mode(), MapMode::Place);
    if (defeated) {
        emit m_parser->attack(2, 1, 2, false);
        emit m_parser->country(1, 1, 2);
        emit m_parser->attack(2, 3, 1, false);
        emit m_parser->country(3, 1, 1);
    }
    const int first = m_test->outputCount();
    emit m_parser->endPlayer(0);
    QFETCH(QString, line);
    QCOMPARE(m_test->outputSince(first),
             QStringList({line, QStringLiteral("You are out of the game: watch it to its end, "
                                               "or leave it.")}));
    BoardPanel* notice = m_window->outNotice();
    QVERIFY(notice->isVisible());
    QTEST(notice->title(), "title");
    QCOMPARE(m_window->map()->model().localSeat(), -1);
    QCOMPARE(m_window->map()->mode(), MapMode::Idle);
    QVERIFY(!m_test->barButton("Finish")->isEnabled());

    // Watching on: the robot's turns ask nothing of him.
    emit m_parser->place(1, 3);
    QCOMPARE(m_window->map()->mode(), MapMode::Idle);
    // One click leaves; the board goes with the game he left.
    m_test->takeTexts();
    QTest::mouseClick(notice->findChild<QPushButton*>(QStringLiteral("PanelLeave")),
                      Qt::LeftButton);
    QCOMPARE(m_test->takeTexts(), QStringList({QStringLiteral("Part")}));
    emit m_parser->clock(60);
    m_test->moveUser(QStringLiteral("Me"), 0, 0);
    QVERIFY(!m_window->keepsFinishedBoard() && !notice->isVisible());
    QVERIFY(m_window->map()->countries().empty());
    QVERIFY(!m_window->buttonBar()->clock()->isCounting());
}

void TestGameStory::callsBackToAnInactiveWindow()
{
    // The window is not shown, so it is not the active one.
    enterGame();
    emit m_parser->place(1, 3);
    QVERIFY(m_notified.isEmpty());
    emit m_parser->init(20);
    QCOMPARE(m_notified,
             QStringList({QStringLiteral("Tarvenix: your turn|Your turn: place 14 armies")}));
    // Once per absence.
    emit m_parser->place(0, 4);
    emit m_parser->more(0);
    QCOMPARE(m_notified.size(), 1);

    // Back at the window, the next absence calls again, unless the player
    // switched the notifications off; the switch is remembered.
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    emit m_parser->more(0);
    QCOMPARE(m_notified.size(), 1);
    ChatDialog* chat = m_window->chatDialog();
    chat->show();
    chat->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(chat));
    QVERIFY(!m_window->isActiveWindow());
    ConfigDialog* config = m_window->configDialog();
    auto* desktop = config->findChild<QCheckBox*>(QStringLiteral("AlertDesktopBox"));
    QVERIFY(desktop->isChecked());
    desktop->click();
    QVERIFY(!m_window->alertSwitches().desktop);
    QVERIFY(!AlertSwitches::load(m_dir.filePath(QStringLiteral("alerts.ini"))).desktop);
    emit m_parser->more(0);
    QCOMPARE(m_notified.size(), 1);
    m_window->setAlertFile(m_dir.filePath(QStringLiteral("alerts.ini")));
    QVERIFY(!desktop->isChecked());
}

void TestGameStory::whisperWhileTheChatIsClosed()
{
    m_test->announceUser(QStringLiteral("Kim"));
    QToolButton* chat = m_test->barButton("Chat");
    emit m_parser->whisper(QStringLiteral("Kim"), QStringLiteral("psst"));
    QCOMPARE(m_test->lastLine(), QStringLiteral("Kim whispers to you"));
    QVERIFY(chat->property("marked").toBool());
    m_window->actionChat();
    QVERIFY(m_window->chatDialog()->isVisible());
    QVERIFY(!chat->property("marked").toBool());
    const int lines = m_test->outputCount();
    emit m_parser->whisper(QStringLiteral("Kim"), QStringLiteral("again"));
    QCOMPARE(m_test->outputCount(), lines);
    QVERIFY(!chat->property("marked").toBool());
}

void TestGameStory::steadyRowAndFollowingOutput()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    enterGame();
    emit m_parser->init(20);
    for (int i = 0; i < 40; ++i)
        emit m_parser->place(1, i);
    emit m_parser->more(0);
    QTest::qWait(50);
    const auto* row = m_window->findChild<QToolBar*>(QStringLiteral("BottomBar"));
    const QRect below = row->geometry();
    const QScrollBar* bar = m_window->output()->verticalScrollBar();
    QTRY_COMPARE(bar->value(), bar->maximum());

    // The move panel takes the hand's place and gives it back: the row under
    // the board keeps its size, and the newest line stays in sight.
    emit m_parser->country(1, 0, 6);
    emit m_parser->take(1, 3, 1);
    QCOMPARE(m_window->stack()->currentWidget(), m_window->movePanel());
    QTest::qWait(50);
    QTRY_COMPARE(row->geometry(), below);
    emit m_parser->country(3, 0, 2);
    QCOMPARE(m_window->stack()->currentIndex(), int(Tarvenix::CardsPage));
    QTest::qWait(50);
    QTRY_COMPARE(row->geometry(), below);
    emit m_parser->place(1, 99);
    QTRY_COMPARE(bar->value(), bar->maximum());
}

void TestGameStory::namesWithPlaceMarkers()
{
    enterGame();
    const int first = m_test->outputCount();
    emit m_parser->player(2, true, QStringLiteral("%2%1"));
    emit m_parser->replace(2, QStringLiteral("%1 x"));
    emit m_parser->exchange(2);
    emit m_parser->exchanged(2, 6);
    emit m_window->storeWatch()->stored(QStringLiteral("%1 map"), 1);
    QCOMPARE(m_test->outputSince(first),
             QStringList({QStringLiteral("Player 3: %2%1 (robot)"),
                          QStringLiteral("Player 3 is replaced by the robot %1 x"),
                          QStringLiteral("%1 x must exchange cards"),
                          QStringLiteral("%1 x receives 6 armies for exchanging cards"),
                          QStringLiteral("The map %1 map is stored in slot 2")}));
}

QTEST_MAIN(TestGameStory)
#include "tst_gamestory.moc"
