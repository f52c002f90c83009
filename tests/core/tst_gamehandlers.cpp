#include "cards.h"
#include "cardswidget.h"
#include "move.h"
#include "playerlist.h"
#include "robotdialog.h"
#include "testwindow.h"
#include "usersdialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

// The main window in a running game, driven through the parser's signals as
// the server's messages would and through clicks on the board, the buttons
// and the panels; requests are checked as the bytes the client writes.
class TestGameHandlers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup() { m_test.reset(); }

    void mapArrivesAndLeavesInOrder();
    void countryAndDiceUpdates();
    void seats();
    void startOfGame_data();
    void startOfGame();
    void turnsOfOtherSeats();
    void attackLines();
    void take_data();
    void take();
    void buttonsConfirmOpenPanel_data();
    void buttonsConfirmOpenPanel();
    void cancelledMoveKeepsAttackStyle_data();
    void cancelledMoveKeepsAttackStyle();
    void cardsAndExchanges();
    void clockAndWinner();
    void leavingAndEnteringResetTheBoard();
    void gameKeys();

private:
    // The own user plays seat 0 against a robot at seat 1 in game 12.
    void enterGame(bool capitals = false, bool placeBeforeAttack = false);
    // Alpha 5 and Gamma 1 for the own seat, Beta 3 for the robot.
    void deal();
    void clickCountry(int number) { m_test->clickCountry(number); }
    QToolButton* barButton(const char* keyWord) const { return m_test->barButton(keyWord); }
    QStringList newOutput();
    bool movePageShown() const
    {
        return m_window->stack()->currentWidget() == m_window->movePanel();
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

void TestGameHandlers::enterGame(bool capitals, bool placeBeforeAttack)
{
    emit m_parser->newGame(12, 5, QStringLiteral("Three"), QStringLiteral("Ann"), placeBeforeAttack,
                           capitals, 120, false, false, false, false, false, false, 1, 0, 0, false,
                           false, 2, false, false);
    emit m_parser->newUser(QStringLiteral("Me"), QStringLiteral("me.example"));
    emit m_parser->user(QStringLiteral("Me"), 1620, 40, 12, 0, false, QString(), false, 3);
    emit m_parser->robot(QStringLiteral("Robby"), QStringLiteral("Ann"), 1710, 90, 4);
    m_test->sendMap();
    emit m_parser->player(0, false, QStringLiteral("Me"));
    emit m_parser->player(1, true, QStringLiteral("Robby"));
    m_seen = m_test->outputCount();
}

void TestGameHandlers::deal()
{
    emit m_parser->country(1, 0, 5);
    emit m_parser->country(2, 1, 3);
    emit m_parser->country(3, 0, 1);
}

QStringList TestGameHandlers::newOutput()
{
    const QStringList lines = m_test->outputSince(m_seen);
    m_seen = m_test->outputCount();
    return lines;
}

void TestGameHandlers::mapArrivesAndLeavesInOrder()
{
    // An unknown continent drops the country, and later its neighbour pairs.
    m_test->sendMap(5, 9);
    QCOMPARE(m_map->mapId(), 5);
    QCOMPARE(m_map->model().mapName(), QStringLiteral("Three"));
    QVERIFY(!m_map->isLoading());
    QCOMPARE(int(m_map->countries().size()), 2);
    QVERIFY(m_map->country(1)->isNeighbour(2));
    QCOMPARE(m_map->country(2)->neighbourCount(), 1);
    QCOMPARE(int(m_map->lines().size()), 1);
    QCOMPARE(m_map->picture().indexAt({28, 10}), 2);

    // After the end, map messages are ignored.
    emit m_parser->continentMap(2, QStringLiteral("Late"), 1);
    emit m_parser->lineMap(1, 1, 2, 2);
    QVERIFY(!m_map->model().continent(2));
    QCOMPARE(int(m_map->lines().size()), 1);

    m_map->store(2, QStringLiteral("Mine"));
    QCOMPARE(m_test->takeOpcodes(),
             QList<Opcode>({Opcode::StartMap, Opcode::ContinentMap, Opcode::CountryMap,
                            Opcode::NeighbourMap, Opcode::CountryMap, Opcode::NeighbourMap,
                            Opcode::LineMap, Opcode::EndMap}));

    // The same map again skips to its end, keeping the board; another one replaces it.
    emit m_parser->country(1, 2, 7);
    m_test->sendMap(5, 9);
    QCOMPARE(m_map->country(1)->armies, 7);
    QCOMPARE(m_map->country(2)->neighbourCount(), 1);
    QCOMPARE(int(m_map->lines().size()), 1);
    m_test->sendMap(6, 9);
    QCOMPARE(m_map->mapId(), 6);
    QCOMPARE(m_map->country(1)->owner, -1);
    QCOMPARE(m_map->countriesPie().total(), 0);
}

void TestGameHandlers::countryAndDiceUpdates()
{
    m_test->sendMap();
    emit m_parser->country(1, 0, 4);
    m_map->highlightCountry(1);
    emit m_parser->country(2, 1, 3);
    QVERIFY(!m_map->country(1)->selected);
    QCOMPARE(m_map->country(2)->owner, 1);
    QCOMPARE(m_map->armiesPie().value(1), 3);
    // Unknown countries change nothing.
    emit m_parser->country(42, 1, 3);
    QCOMPARE(m_map->armiesPie().total(), 7);

    emit m_parser->dice(0, 6, 5, 0, 3, 2, 9);
    QCOMPARE(QList<int>({m_map->die(0).value(), m_map->die(2).value(), m_map->die(3).value(),
                         m_map->die(4).value()}),
             QList<int>({6, 0, 2, 0}));
}

void TestGameHandlers::seats()
{
    emit m_parser->newUser(QStringLiteral("Kim"), QStringLiteral("kim.example"));
    emit m_parser->user(QStringLiteral("Kim"), 1810, 70, 0, 0, true, QString(), true, 5);
    enterGame();
    emit m_parser->player(2, false, QStringLiteral("Kim"));
    emit m_parser->player(3, false, QStringLiteral("Stranger"));
    emit m_parser->player(6, false, QStringLiteral("Nobody"));
    QCOMPARE(newOutput(), QStringList({QStringLiteral("Player 3: Kim (kim.example)"),
                                       QStringLiteral("Player 4: Stranger ()")}));
    QCOMPARE(m_test->outputSince(0).filter(QStringLiteral("Player ")).mid(0, 2),
             QStringList({QStringLiteral("Player 1: Me (me.example)"),
                          QStringLiteral("Player 2: Robby (robot)")}));
    QCOMPARE(m_map->model().localSeat(), 0);

    // The entries come from the lobby's records, the robot's from its own.
    PlayerList* players = m_window->playerList();
    QCOMPARE(
        QList<int>({players->entry(0)->rating, players->entry(0)->level, players->entry(0)->games}),
        QList<int>({1620, 3, 40}));
    QVERIFY(players->entry(1)->robot);
    QCOMPARE(
        QList<int>({players->entry(1)->rating, players->entry(1)->level, players->entry(1)->games}),
        QList<int>({1710, 4, 90}));
    QVERIFY(players->entry(2)->admin);

    // The circle of a seat's line is the seat's colour.
    QCOMPARE(m_test->lastOutputLine().circleColor, players->seatColor(3));
    QCOMPARE(m_test->lastOutputLine().textColor, QColor(Qt::black));

    emit m_parser->replace(3, QStringLiteral("Robby"));
    QCOMPARE(newOutput(), QStringList({QStringLiteral("Player 4 is replaced by the robot Robby")}));
    QVERIFY(players->entry(3)->robot);
    QCOMPARE(players->entry(3)->rating, 1710);

    emit m_parser->endPlayer(2);
    QVERIFY(!players->entry(2));
    QCOMPARE(m_map->model().localSeat(), 0);
    emit m_parser->endPlayer(0);
    QCOMPARE(m_map->model().localSeat(), -1);
}

void TestGameHandlers::startOfGame_data()
{
    QTest::addColumn<bool>("capitals");
    QTest::addColumn<MapMode>("mode");
    QTest::addColumn<bool>("placeToggled");
    QTest::addColumn<QStringList>("lines");
    const QString all = QStringLiteral("All players receive 20 armies");
    // The modes of every case are the turn's tests; here, what the window shows.
    QTest::newRow("capitals") << true << MapMode::PickCapital << false
                              << QStringList{all, QStringLiteral("Please pick your capital")};
    QTest::newRow("no capitals") << false << MapMode::PlaceInitial << true
                                 << QStringList{all, QStringLiteral("You should place 14 armies")};
}

void TestGameHandlers::startOfGame()
{
    QFETCH(bool, capitals);
    QFETCH(MapMode, mode);
    QFETCH(bool, placeToggled);
    QFETCH(QStringList, lines);
    enterGame(capitals);
    deal();
    // Left over from an earlier game: a card, a selection and a current seat.
    emit m_parser->card(2);
    m_map->highlightCountry(2);
    m_map->model().setHighlighted(3);
    m_window->playerList()->setCurrent(1);

    emit m_parser->init(20);
    QCOMPARE(newOutput(), lines);
    QCOMPARE(m_map->mode(), mode);
    QCOMPARE(barButton("Place")->isChecked(), placeToggled);
    QVERIFY(m_window->cards()->cardsWidget()->cards().isEmpty());
    QVERIFY(!m_map->country(2)->selected);
    QCOMPARE(m_map->model().highlighted(), -1);
    QCOMPARE(m_window->playerList()->current(), -1);
    QCOMPARE(m_map->model().armyTarget(), 20);
    QCOMPARE(m_map->statusText(),
             placeToggled ? QStringLiteral("You should place 14 armies") : QString());
    QVERIFY(m_test->sent.isEmpty());
}

void TestGameHandlers::turnsOfOtherSeats()
{
    enterGame(false, true);
    deal();
    emit m_parser->decide(0);
    QCOMPARE(newOutput(),
             QStringList({QStringLiteral("Me should choose: Place 3 armies or attack")}));
    QCOMPARE(m_map->mode(), MapMode::Attack);
    QVERIFY(barButton("Place")->isEnabled());
    QVERIFY(barButton("Attack")->isChecked());
    barButton("Place")->click();
    QCOMPARE(m_test->sentBytes(), Bytes({request(Opcode::Armies)}));

    emit m_parser->place(1, 3);
    QCOMPARE(newOutput(), QStringList({QStringLiteral("Robby should place 3 armies")}));
    QCOMPARE(m_map->mode(), MapMode::Idle);
    QVERIFY(!barButton("Place")->isEnabled());
    QCOMPARE(m_window->playerList()->current(), 1);

    // A decide for an empty seat still prints, with no name.
    emit m_parser->decide(4);
    QCOMPARE(newOutput(), QStringList({QStringLiteral("should choose: Place 3 armies or attack")}));
    emit m_parser->more(0);
    QCOMPARE(m_map->mode(), MapMode::Attack);
    QVERIFY(barButton("Finish")->isEnabled());
    emit m_parser->more(1);
    QCOMPARE(m_map->mode(), MapMode::Idle);
    QVERIFY(!barButton("Finish")->isEnabled());
    QVERIFY(newOutput().isEmpty());
}

void TestGameHandlers::attackLines()
{
    enterGame();
    deal();
    emit m_parser->more(0);
    // The own seat attacks through two clicks; the request goes straight out.
    clickCountry(1);
    clickCountry(2);
    QCOMPARE(m_test->sentBytes(), Bytes({request(Opcode::Attack, {1, 2, 3, 0})}));

    emit m_parser->attack(1, 2, 3, false);
    QCOMPARE(newOutput(), QStringList({QStringLiteral("Alpha attacks Beta with 3 dice")}));
    QCOMPARE(m_test->lastOutputLine().circleColor, m_window->playerList()->seatColor(0));
    QVERIFY(m_map->country(1)->selected);
    QVERIFY(m_map->country(2)->selected);
    QCOMPARE(m_map->mode(), MapMode::Idle);

    emit m_parser->attack(2, 3, 1, false);
    emit m_parser->attack(2, 1, 1, true);
    QCOMPARE(newOutput(), QStringList({QStringLiteral("Beta attacks Gamma with 1 die"),
                                       QStringLiteral("Beta attacks Alpha (do or die!)")}));
    QVERIFY(!m_map->country(3)->selected);
    QCOMPARE(m_test->lastOutputLine().circleColor, m_window->playerList()->seatColor(1));

    // An attack on a country the board does not know shows nothing.
    emit m_parser->more(0);
    emit m_parser->attack(1, 9, 2, false);
    QVERIFY(newOutput().isEmpty());
    QCOMPARE(m_map->mode(), MapMode::Attack);
}

void TestGameHandlers::take_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<Bytes>("sent");
    QTest::addColumn<bool>("panel");
    // The turn's tests hold the rule; here, the panel or the request.
    QTest::newRow("a choice") << 2 << Bytes() << true;
    QTest::newRow("all but one must go") << 4 << Bytes({request(Opcode::Take, {4})}) << false;
}

void TestGameHandlers::take()
{
    QFETCH(int, minimum);
    QFETCH(Bytes, sent);
    QFETCH(bool, panel);
    enterGame();
    deal();
    emit m_parser->more(0);
    // Alpha's attack took Beta.
    emit m_parser->country(2, 0, 0);
    emit m_parser->take(1, 2, minimum);
    QCOMPARE(m_test->sentBytes(), sent);
    QCOMPARE(movePageShown(), panel);
    QCOMPARE(m_map->mode(), panel ? MapMode::Idle : MapMode::Attack);
    if (!panel)
        return;
    Move* move = m_window->movePanel();
    QVERIFY(move->isTakeMode());
    QCOMPARE(move->slider()->minimum(), 2);
    QCOMPARE(move->slider()->maximum(), 4);
    QCOMPARE(move->country1().name, QStringLiteral("Alpha"));
    QCOMPARE(move->country2().name, QStringLiteral("Beta"));
    // The board previews the slider's choice.
    QCOMPARE(m_map->country(1)->armies, 1);
    QCOMPARE(m_map->country(2)->armies, 4);
}

void TestGameHandlers::buttonsConfirmOpenPanel_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("take");
    QTest::addColumn<Bytes>("sent");
    QTest::addColumn<MapMode>("mode");
    QTest::newRow("Finish after a move")
        << "Finish" << false << Bytes({request(Opcode::Move, {2, 1, 1}), request(Opcode::End)})
        << MapMode::Idle;
    QTest::newRow("Finish after a take")
        << "Finish" << true << Bytes({request(Opcode::Take, {1}), request(Opcode::End)})
        << MapMode::Idle;
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
    QFETCH(Bytes, sent);
    QFETCH(MapMode, mode);
    enterGame();
    deal();
    emit m_parser->country(2, 0, 2);
    emit m_parser->more(0);
    if (take) {
        emit m_parser->take(1, 2, 1);
        m_window->movePanel()->slider()->setValue(1);
    } else {
        barButton("Move")->click();
        clickCountry(1);
        clickCountry(2);
        m_window->movePanel()->slider()->setValue(-1);
    }
    QVERIFY(movePageShown());
    barButton(qPrintable(button))->click();
    QCOMPARE(m_test->sentBytes(), sent);
    QVERIFY(!movePageShown());
    QCOMPARE(m_map->mode(), mode);
}

void TestGameHandlers::cancelledMoveKeepsAttackStyle_data()
{
    QTest::addColumn<bool>("doOrDie");
    QTest::newRow("attack") << false;
    QTest::newRow("do or die") << true;
}

void TestGameHandlers::cancelledMoveKeepsAttackStyle()
{
    QFETCH(bool, doOrDie);
    enterGame();
    deal();
    emit m_parser->more(0);
    barButton(doOrDie ? "DoOrDie" : "Attack")->click();
    QCOMPARE(m_map->model().doOrDie(), doOrDie);
    emit m_parser->country(2, 0, 1);
    barButton("Move")->click();
    clickCountry(1);
    clickCountry(2);
    m_window->movePanel()->slider()->setValue(2);
    m_window->movePanel()->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    QVERIFY(m_test->sent.isEmpty());
    QVERIFY(!movePageShown());
    QCOMPARE(m_map->mode(), MapMode::Attack);
    QCOMPARE(barButton("Attack")->isChecked(), !doOrDie);
    QCOMPARE(barButton("DoOrDie")->isChecked(), doOrDie);
    QCOMPARE(m_map->country(1)->armies, 5);
    QCOMPARE(m_map->country(2)->armies, 1);

    // The flag outlives the game.
    emit m_parser->init(20);
    emit m_parser->country(2, 1, 1);
    emit m_parser->more(0);
    QCOMPARE(barButton("DoOrDie")->isChecked(), doOrDie);
    clickCountry(1);
    clickCountry(2);
    QCOMPARE(m_test->sentBytes(), Bytes({request(Opcode::Attack, {1, 2, 3, doOrDie})}));
}

void TestGameHandlers::cardsAndExchanges()
{
    enterGame();
    for (int card : {0, 1, 2, 0})
        emit m_parser->card(card);
    CardsWidget* hand = m_window->cards()->cardsWidget();
    QCOMPARE(hand->cards(), QList<int>({0, 1, 2, 0}));
    QVERIFY(!barButton("Cards")->isEnabled());
    for (int i : {0, 1, 2})
        QTest::mouseClick(hand, Qt::LeftButton, {}, hand->pictureRect(i).center());
    QVERIFY(barButton("Cards")->isEnabled());
    barButton("Cards")->click();
    QCOMPARE(m_test->sentBytes(), Bytes({request(Opcode::Exchange, {0, 1, 2})}));
    QCOMPARE(hand->cards(), QList<int>({0}));
    QVERIFY(!barButton("Cards")->isEnabled());

    PlayerList* players = m_window->playerList();
    emit m_parser->cardCount(1, 4);
    emit m_parser->cardCount(5, 4);
    QCOMPARE(players->entry(1)->cards, 4);
    emit m_parser->exchange(1);
    QCOMPARE(newOutput(), QStringList({QStringLiteral("Robby must exchange cards")}));
    QCOMPARE(players->current(), 1);
    emit m_parser->exchanged(1, 6);
    emit m_parser->exchanged(1, 8);
    QCOMPARE(newOutput(),
             QStringList({QStringLiteral("Robby receives 6 armies for exchanging cards"),
                          QStringLiteral("Robby receives 8 armies for exchanging cards")}));
    // Two sets out of four cards: the count stops at none.
    QCOMPARE(players->entry(1)->cards, 0);
    QCOMPARE(players->entry(1)->cardArmies, 14);
    emit m_parser->exchange(5);
    emit m_parser->exchanged(5, 4);
    QVERIFY(newOutput().isEmpty());
    emit m_parser->place(1, 14);
    QCOMPARE(players->entry(1)->cardArmies, 0);
}

void TestGameHandlers::clockAndWinner()
{
    // Before the server announced the own user, a clock means waiting.
    emit m_parser->clock(30);
    QVERIFY(barButton("Leave")->isEnabled());
    QCOMPARE(m_window->buttonBar()->clock()->text(), QStringLiteral("00:30"));

    enterGame();
    deal();
    emit m_parser->more(0);
    emit m_parser->winner(4);
    QVERIFY(newOutput().isEmpty());
    QCOMPARE(m_map->mode(), MapMode::Attack);
    QVERIFY(barButton("Attack")->isEnabled());
    emit m_parser->winner(1);
    QCOMPARE(newOutput(), QStringList({QStringLiteral("Robby has won the game")}));
    QCOMPARE(m_map->mode(), MapMode::Idle);
    QVERIFY(!barButton("Attack")->isEnabled());

    emit m_parser->more(0);
    clickCountry(1);
    emit m_parser->end();
    QCOMPARE(m_map->mode(), MapMode::Idle);
    QVERIFY(!m_map->country(1)->selected);
    QVERIFY(!barButton("Finish")->isEnabled());
}

void TestGameHandlers::leavingAndEnteringResetTheBoard()
{
    enterGame();
    deal();
    emit m_parser->card(3);
    emit m_parser->country(2, 0, 0);
    emit m_parser->take(1, 2, 1);
    QVERIFY(movePageShown());
    QCOMPARE(m_window->cards()->cardsWidget()->gameItem()->id, 12);
    m_map->highlightCountry(3);

    emit m_parser->user(QStringLiteral("Me"), 1620, 40, 0, 0, false, QString(), false, 3);
    QVERIFY(m_window->cards()->cardsWidget()->cards().isEmpty());
    QVERIFY(!m_window->cards()->cardsWidget()->gameItem());
    QVERIFY(!movePageShown());
    // The board is blank: no country, no selection, no seat of the last game.
    QVERIFY(m_map->countries().empty());
    QVERIFY(!m_map->country(3));
    QCOMPARE(m_map->countriesPie().total(), 0);
    QCOMPARE(m_map->model().localSeat(), -1);

    emit m_parser->card(1);
    emit m_parser->user(QStringLiteral("Me"), 1620, 40, 0, 12, false, QString(), false, 3);
    QVERIFY(m_window->cards()->cardsWidget()->cards().isEmpty());
    QCOMPARE(m_window->cards()->cardsWidget()->gameItem()->id, 12);
    QCOMPARE(m_window->stack()->currentWidget(), m_window->cards());
}

void TestGameHandlers::gameKeys()
{
    enterGame();
    deal();
    emit m_parser->more(0);
    QCOMPARE(barButton("Attack")->toolTip(), QStringLiteral("Attack (A)"));
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
    QCOMPARE(m_window->focusWidget(), field);
    QTest::keyClick(field, Qt::Key_A);
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_F);
    QCOMPARE(m_map->mode(), MapMode::Move);
    QCOMPARE(field->text(), QStringLiteral("af"));
    QVERIFY(m_test->sent.isEmpty());
    delete field;

    // Return in the open move panel is its Ok, not Finish.
    emit m_parser->country(2, 0, 2);
    clickCountry(1);
    clickCountry(2);
    QVERIFY(movePageShown());
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
