#include "cards.h"
#include "cardswidget.h"
#include "move.h"
#include "playerlist.h"
#include "testwindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

// What the main window's game handlers add to the turn machine's decisions:
// the seat lines, the resets between games, the panels the buttons confirm
// and the keys. The whole turn with its requests is the scripted game's.
class TestGameHandlers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup() { m_test.reset(); }

    void lateMapMessagesAndStoring();
    void seats();
    void newGameStartsClean();
    void attacksAndConquests();
    void buttonsConfirmOpenPanel_data();
    void buttonsConfirmOpenPanel();
    void cancelledMoveKeepsDoOrDie();
    void exchangesAndClock();
    void leavingAndEnteringResetTheBoard();
    void gameKeys();

private:
    // The own user plays seat 0 against a robot at seat 1 in game 12, and
    // holds Alpha 5 and Gamma 1 against the robot's Beta 3.
    void enterGame();
    QToolButton* barButton(const char* keyWord) const { return m_test->barButton(keyWord); }
    QStringList newOutput();
    bool movePageShown() const
    {
        return m_window->stack()->currentWidget() == m_window->movePanel();
    }
    void clickMove(int from, int to)
    {
        m_test->clickCountry(from);
        m_test->clickCountry(to);
    }

    std::unique_ptr<TestWindow> m_test;
    Tarvenix* m_window = nullptr;
    Parser* m_parser = nullptr;
    Map* m_map = nullptr;
    int m_seen = 0;
};

namespace {

using Bytes = QList<QByteArray>;

QByteArray request(Opcode opcode, std::initializer_list<int> fields = {})
{
    return TestWindow::request(opcode, fields);
}

} // namespace

void TestGameHandlers::init()
{
    m_test = std::make_unique<TestWindow>();
    m_window = m_test->window.get();
    m_parser = m_test->parser;
    m_map = m_window->map();
    m_seen = 0;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestGameHandlers::enterGame()
{
    emit m_parser->newGame(12, 5, QStringLiteral("Three"), QStringLiteral("Ann"), false, false, 120,
                           false, false, false, false, false, false, 1, 0, 0, false, false, 2,
                           false, false);
    emit m_parser->newUser(QStringLiteral("Me"), QStringLiteral("me.example"));
    emit m_parser->user(QStringLiteral("Me"), 1620, 40, 12, 0, false, QString(), false, 3);
    emit m_parser->robot(QStringLiteral("Robby"), QStringLiteral("Ann"), 1710, 90, 4);
    m_test->sendMap();
    emit m_parser->player(0, false, QStringLiteral("Me"));
    emit m_parser->player(1, true, QStringLiteral("Robby"));
    emit m_parser->country(1, 0, 5);
    emit m_parser->country(2, 1, 3);
    emit m_parser->country(3, 0, 1);
    m_seen = m_test->outputCount();
}

QStringList TestGameHandlers::newOutput()
{
    const QStringList lines = m_test->outputSince(m_seen);
    m_seen = m_test->outputCount();
    return lines;
}

void TestGameHandlers::lateMapMessagesAndStoring()
{
    m_test->sendMap();
    emit m_parser->continentMap(2, QStringLiteral("Late"), 1);
    emit m_parser->lineMap(1, 1, 2, 2);
    QVERIFY(!m_map->model().continent(2));
    QCOMPARE(int(m_map->lines().size()), 1);
    emit m_parser->dice(0, 6, 5, 0, 3, 2, 9);
    QCOMPARE(m_map->die(0).value(), 6);

    m_map->store(2, QStringLiteral("Mine"));
    const QList<Opcode> sent = m_test->takeOpcodes();
    QCOMPARE(sent.first(), Opcode::StartMap);
    QCOMPARE(sent.last(), Opcode::EndMap);
    QCOMPARE(sent.count(Opcode::CountryMap), 3);
}

void TestGameHandlers::seats()
{
    emit m_parser->newUser(QStringLiteral("Kim"), QStringLiteral("kim.example"));
    emit m_parser->user(QStringLiteral("Kim"), 1810, 70, 0, 0, true, QString(), true, 5);
    enterGame();
    emit m_parser->player(2, false, QStringLiteral("Kim"));
    emit m_parser->player(3, false, QStringLiteral("Stranger"));
    emit m_parser->player(6, false, QStringLiteral("Nobody"));
    emit m_parser->replace(3, QStringLiteral("Robby"));
    QCOMPARE(newOutput(), QStringList({QStringLiteral("Player 3: Kim (kim.example)"),
                                       QStringLiteral("Player 4: Stranger ()"),
                                       QStringLiteral("Player 4 is replaced by the robot Robby")}));
    QCOMPARE(m_test->outputSince(0).filter(QStringLiteral("Player 2")),
             QStringList({QStringLiteral("Player 2: Robby (robot)")}));
    QCOMPARE(m_test->lastOutputLine().circleColor, m_window->playerList()->seatColor(3));

    // The entries come from the lobby's records, the robots' from the robot list.
    PlayerList* players = m_window->playerList();
    const auto record = [players](int seat) {
        const PlayerEntry* e = players->entry(seat);
        return QList<int>({e->rating, e->level, e->games, e->robot, e->admin});
    };
    QCOMPARE(record(0), QList<int>({1620, 3, 40, false, false}));
    QCOMPARE(record(2), QList<int>({1810, 5, 70, false, true}));
    QCOMPARE(record(3), QList<int>({1710, 4, 90, true, false}));

    QCOMPARE(m_map->model().localSeat(), 0);
    emit m_parser->endPlayer(2);
    QVERIFY(!players->entry(2));
    QCOMPARE(m_map->model().localSeat(), 0);
    emit m_parser->endPlayer(0);
    QCOMPARE(m_map->model().localSeat(), -1);
}

void TestGameHandlers::newGameStartsClean()
{
    enterGame();
    // Left over from an earlier game: a card, a selection and a current seat.
    emit m_parser->card(2);
    m_map->highlightCountry(2);
    m_map->model().setHighlighted(3);
    m_window->playerList()->setCurrent(1);

    emit m_parser->init(20);
    QVERIFY(m_window->cards()->cardsWidget()->cards().isEmpty());
    QVERIFY(!m_map->country(2)->selected);
    QCOMPARE(m_map->model().highlighted(), -1);
    QCOMPARE(m_window->playerList()->current(), -1);
    QCOMPARE(m_map->model().armyTarget(), 20);
    QCOMPARE(m_map->statusText(), QStringLiteral("You should place 14 armies"));
    QVERIFY(barButton("Place")->isChecked());
}

void TestGameHandlers::attacksAndConquests()
{
    enterGame();
    emit m_parser->more(0);
    emit m_parser->attack(2, 1, 1, true);
    QCOMPARE(newOutput(), QStringList({QStringLiteral("Beta attacks Alpha (do or die!)")}));
    QCOMPARE(m_test->lastOutputLine().circleColor, m_window->playerList()->seatColor(1));
    QVERIFY(m_map->country(1)->selected && m_map->country(2)->selected);
    QVERIFY(!m_map->country(3)->selected);

    // An attack on a country the board does not know shows nothing.
    emit m_parser->more(0);
    emit m_parser->attack(1, 9, 2, false);
    QVERIFY(newOutput().isEmpty());
    QCOMPARE(m_map->mode(), MapMode::Attack);

    // When all but one must go in, the client sends it without asking.
    emit m_parser->country(2, 0, 0);
    emit m_parser->take(1, 2, 4);
    QCOMPARE(m_test->sentBytes(), Bytes({request(Opcode::Take, {4})}));
    QVERIFY(!movePageShown());
}

void TestGameHandlers::buttonsConfirmOpenPanel_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("take");
    QTest::addColumn<Bytes>("sent");
    QTest::addColumn<MapMode>("mode");
    QTest::newRow("Attack after a take")
        << "Attack" << true << Bytes({request(Opcode::Take, {1})}) << MapMode::Attack;
    QTest::newRow("Do or Die after a move")
        << "DoOrDie" << false << Bytes({request(Opcode::Move, {2, 1, 1})}) << MapMode::Attack;
    QTest::newRow("Move after a move")
        << "Move" << false << Bytes({request(Opcode::Move, {2, 1, 1})}) << MapMode::Move;
}

void TestGameHandlers::buttonsConfirmOpenPanel()
{
    QFETCH(QString, button);
    QFETCH(bool, take);
    QFETCH(MapMode, mode);
    enterGame();
    emit m_parser->country(2, 0, 2);
    emit m_parser->more(0);
    if (take) {
        emit m_parser->take(1, 2, 1);
        m_window->movePanel()->slider()->setValue(1);
    } else {
        barButton("Move")->click();
        clickMove(1, 2);
        m_window->movePanel()->slider()->setValue(-1);
    }
    QVERIFY(movePageShown());
    barButton(qPrintable(button))->click();
    QTEST(m_test->sentBytes(), "sent");
    QVERIFY(!movePageShown());
    QCOMPARE(m_map->mode(), mode);
}

void TestGameHandlers::cancelledMoveKeepsDoOrDie()
{
    enterGame();
    emit m_parser->more(0);
    barButton("DoOrDie")->click();
    emit m_parser->country(2, 0, 1);
    barButton("Move")->click();
    clickMove(1, 2);
    m_window->movePanel()->slider()->setValue(2);
    m_window->movePanel()->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    QVERIFY(m_test->sent.isEmpty());
    QVERIFY(!movePageShown());
    QCOMPARE(m_map->mode(), MapMode::Attack);
    QVERIFY(barButton("DoOrDie")->isChecked());
    QVERIFY(!barButton("Attack")->isChecked());
    QCOMPARE(m_map->country(1)->armies, 5);

    // The choice outlives the game.
    emit m_parser->init(20);
    emit m_parser->country(2, 1, 1);
    emit m_parser->more(0);
    QVERIFY(barButton("DoOrDie")->isChecked());
    clickMove(1, 2);
    QCOMPARE(m_test->sentBytes(), Bytes({request(Opcode::Attack, {1, 2, 3, 1})}));
}

void TestGameHandlers::exchangesAndClock()
{
    // Before the server announced the own user, a clock means waiting.
    emit m_parser->clock(30);
    QVERIFY(barButton("Leave")->isEnabled());

    enterGame();
    PlayerList* players = m_window->playerList();
    emit m_parser->cardCount(1, 4);
    emit m_parser->exchange(1);
    emit m_parser->exchanged(1, 6);
    emit m_parser->exchanged(1, 8);
    QCOMPARE(newOutput(),
             QStringList({QStringLiteral("Robby must exchange cards"),
                          QStringLiteral("Robby receives 6 armies for exchanging cards"),
                          QStringLiteral("Robby receives 8 armies for exchanging cards")}));
    QCOMPARE(players->current(), 1);
    QCOMPARE(players->entry(1)->cardArmies, 14);
    // Empty seats say nothing; placing uses the armies up.
    emit m_parser->exchange(5);
    emit m_parser->exchanged(5, 4);
    emit m_parser->winner(4);
    QVERIFY(newOutput().isEmpty());
    emit m_parser->place(1, 14);
    QCOMPARE(players->entry(1)->cardArmies, 0);
}

void TestGameHandlers::leavingAndEnteringResetTheBoard()
{
    enterGame();
    emit m_parser->card(3);
    emit m_parser->country(2, 0, 0);
    emit m_parser->take(1, 2, 1);
    QVERIFY(movePageShown());
    m_map->highlightCountry(3);

    emit m_parser->user(QStringLiteral("Me"), 1620, 40, 0, 0, false, QString(), false, 3);
    QVERIFY(m_window->cards()->cardsWidget()->cards().isEmpty());
    QVERIFY(!m_window->cards()->cardsWidget()->gameItem());
    QVERIFY(!movePageShown());
    // The board is blank: no country, no selection, no seat of the last game.
    QVERIFY(m_map->countries().empty());
    QCOMPARE(m_map->countriesPie().total(), 0);
    QCOMPARE(m_map->model().localSeat(), -1);

    emit m_parser->card(1);
    emit m_parser->user(QStringLiteral("Me"), 1620, 40, 0, 12, false, QString(), false, 3);
    QVERIFY(m_window->cards()->cardsWidget()->cards().isEmpty());
    QCOMPARE(m_window->cards()->cardsWidget()->gameItem()->id, 12);
}

void TestGameHandlers::gameKeys()
{
    enterGame();
    emit m_parser->more(0);
    QCOMPARE(barButton("Finish")->toolTip(), QStringLiteral("Finish (F, Return)"));
    QTest::keyClick(m_window, Qt::Key_D);
    QVERIFY(m_map->model().doOrDie());
    QTest::keyClick(m_window, Qt::Key_A);
    QVERIFY(!m_map->model().doOrDie());
    QTest::keyClick(m_window, Qt::Key_M);
    QCOMPARE(m_map->mode(), MapMode::Move);
    // A key with a modifier is not the button's.
    QTest::keyClick(m_window, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(m_test->sent.isEmpty());

    // While a text field has the focus, letters and Return are its own.
    auto* field = new QLineEdit(m_map);
    field->show();
    field->setFocus();
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Return, Qt::Key_F})
        QTest::keyClick(field, key);
    QCOMPARE(field->text(), QStringLiteral("af"));
    QCOMPARE(m_map->mode(), MapMode::Move);
    QVERIFY(m_test->sent.isEmpty());
    delete field;

    // Return in the open move panel is its Ok, not Finish.
    emit m_parser->country(2, 0, 2);
    clickMove(1, 2);
    m_window->movePanel()->slider()->setValue(1);
    QTest::keyClick(m_window->movePanel()->findChild<QPushButton*>(QStringLiteral("MoveOk")),
                    Qt::Key_Return);
    QCOMPARE(m_test->sentBytes(), Bytes({request(Opcode::Move, {1, 2, 1})}));
    QTest::keyClick(m_window, Qt::Key_Return);
    QCOMPARE(m_test->sentBytes().last(), request(Opcode::End));
    // Keys of disabled buttons do nothing.
    emit m_parser->more(1);
    QTest::keyClick(m_window, Qt::Key_F);
    QCOMPARE(m_test->sent.size(), 2);
}

QTEST_MAIN(TestGameHandlers)
#include "tst_gamehandlers.moc"
