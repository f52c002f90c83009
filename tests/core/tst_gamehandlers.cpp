#include "cards.h"
#include "cardswidget.h"
#include "move.h"
#include "playerlist.h"
#include "scriptedserver.h"
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
    void cleanup()
    {
        m_test.reset();
        m_server.reset();
    }

    void lateMapMessagesAndStoring();
    void seats();
    void newGameStartsClean();
    void attacksAndConquests();
    void cancelledMoveKeepsDoOrDie();
    void exchangesAndClock();
    void leavingAndEnteringResetTheBoard();
    void gameKeys();
    void wholeGameAgainstAServer();

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

    // Waits for exactly these requests to the server since the last check.
    void expect(const QList<QByteArray>& requests);
    void send(Opcode opcode, std::initializer_list<std::variant<int, const char*>> fields = {})
    {
        m_server->send(opcode, fields);
    }

    std::unique_ptr<TestWindow> m_test;
    std::unique_ptr<ScriptedServer> m_server;
    int m_checked = 0;
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

    // With a choice the panel opens; a game button confirms what it shows.
    emit m_parser->take(1, 2, 2);
    QVERIFY(movePageShown());
    m_window->movePanel()->slider()->setValue(3);
    barButton("Attack")->click();
    QCOMPARE(m_test->sentBytes().last(), request(Opcode::Take, {3}));
    QVERIFY(!movePageShown());
    QCOMPARE(m_map->mode(), MapMode::Attack);
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

void TestGameHandlers::expect(const QList<QByteArray>& requests)
{
    const int wanted = m_checked + int(requests.size());
    QTRY_VERIFY(m_server->received().size() >= wanted);
    // Nothing more arrives behind them.
    QTest::qWait(20);
    QList<QByteArray> got;
    for (int i = m_checked; i < m_server->received().size(); ++i)
        got << m_server->received()[i].data();
    QCOMPARE(got, requests);
    m_checked = wanted;
}

// A whole short game against a server on 127.0.0.1 whose side the test
// plays: login, seats, the map, the capital, placing, a decide, an attack
// with its conquest, cards, the final move and the winner. After every
// gesture the bytes the server received are checked.
void TestGameHandlers::wholeGameAgainstAServer()
{
    m_server = std::make_unique<ScriptedServer>();
    m_checked = 0;
    m_window->setServer(QStringLiteral("127.0.0.1"), m_server->port());
    m_window->actionLogin();
    QTRY_COMPARE(m_server->clientCount(), 1);
    m_server->greet();
    QTRY_COMPARE(m_server->received().size(), 1);
    QVERIFY(Protocol::is(m_server->received().first(), Opcode::Login));
    QCOMPARE(QByteArray(m_server->received().first().getString(1)), QByteArray("Me"));
    m_checked = 1;

    // The lobby: the own user, a game with capitals and place before attack
    // that he runs, and a robot to play against.
    m_server->welcome("Me");
    send(Opcode::NewUser, {"Me", "me.example"});
    {
        Message game = Protocol::message(Opcode::NewGame);
        game.addInt(12);
        game.addInt(5);
        game.addString("Three");
        game.addString("Ann");
        GameOptions options;
        options.capitals = true;
        options.placeBeforeAttack = true;
        options.encodeAnnouncement(game);
        m_server->send(game);
    }
    send(Opcode::User, {"Me", 1620, 40, 12, 0, 0, "", 0, 0, 3});
    send(Opcode::Game, {12, "Me", 0, 1, 2, 1, 0});
    QTRY_VERIFY(barButton("Start")->isEnabled());
    barButton("Start")->click();
    expect({request(Opcode::StartGame)});

    // Seats and the map.
    send(Opcode::Player, {0, 0, "Me"});
    send(Opcode::Player, {1, 1, "Robby"});
    {
        const QByteArray block = TestPicture::compressedIndex();
        Message start = Protocol::message(Opcode::StartMap);
        start.addInt(5);
        start.addString("Three");
        start.addString("world");
        start.addBytes(reinterpret_cast<const unsigned char*>(block.constData()),
                       int(block.size()));
        m_server->send(start);
        send(Opcode::ContinentMap, {1, "Land", 5});
        send(Opcode::CountryMap, {1, "Alpha", 1, 6, 14, 2, 2, 16, 26});
        send(Opcode::CountryMap, {2, "Beta", 1, 26, 14, 22, 2, 16, 26});
        send(Opcode::CountryMap, {3, "Gamma", 1, 46, 14, 42, 2, 16, 26});
        send(Opcode::NeighbourMap, {1, 2});
        send(Opcode::NeighbourMap, {2, 3});
        send(Opcode::EndMap);
    }
    send(Opcode::Country, {1, 0, 1});
    send(Opcode::Country, {2, 1, 1});
    send(Opcode::Country, {3, 0, 1});
    send(Opcode::Init, {8});
    QTRY_COMPARE(m_map->mode(), MapMode::PickCapital);
    QCOMPARE(m_map->model().localSeat(), 0);
    QCOMPARE(m_window->cards()->cardsWidget()->gameItem()->id, 12);

    // The capital, then one army on Alpha and the rest on Gamma.
    clickMove(2, 1);
    expect({request(Opcode::Capital, {1})});
    QCOMPARE(m_map->mode(), MapMode::PlaceInitial);
    QCOMPARE(m_map->statusText(), QStringLiteral("You should place 6 armies"));
    m_test->clickCountry(1);
    expect({request(Opcode::Place, {1})});
    send(Opcode::Country, {1, 0, 2});
    m_test->clickCountry(3, Qt::RightButton);
    expect({request(Opcode::All, {3})});
    send(Opcode::Country, {3, 0, 6});
    QTRY_VERIFY(m_map->statusText().isEmpty());

    // The robot's turn, then the own: place rather than attack.
    send(Opcode::Place, {1, 3});
    send(Opcode::Country, {2, 1, 4});
    send(Opcode::More, {1});
    send(Opcode::End);
    send(Opcode::Decide, {0});
    QTRY_VERIFY(barButton("Place")->isEnabled());
    QVERIFY(barButton("Attack")->isChecked());
    barButton("Place")->click();
    expect({request(Opcode::Armies)});
    send(Opcode::Place, {0, 3});
    QTRY_COMPARE(m_map->mode(), MapMode::Place);
    m_test->clickCountry(3, Qt::RightButton);
    expect({request(Opcode::All, {3})});
    send(Opcode::Country, {3, 0, 9});
    send(Opcode::More, {0});
    QTRY_COMPARE(m_map->mode(), MapMode::Attack);

    // An attack from Gamma takes Beta; four of the eight armies go in.
    clickMove(3, 2);
    expect({request(Opcode::Attack, {3, 2, 3, 0})});
    send(Opcode::Attack, {3, 2, 3, 0});
    send(Opcode::Dice, {0, 6, 5, 4, 1, 3, 2});
    send(Opcode::Country, {2, 0, 0});
    send(Opcode::Take, {3, 2, 2});
    Move* move = m_window->movePanel();
    QTRY_COMPARE(m_window->stack()->currentWidget(), move);
    QCOMPARE(move->slider()->minimum(), 2);
    QCOMPARE(move->slider()->maximum(), 8);
    move->slider()->setValue(4);
    QCOMPARE(m_map->country(2)->armies, 4);
    move->findChild<QPushButton*>(QStringLiteral("MoveOk"))->click();
    expect({request(Opcode::Take, {4})});
    send(Opcode::Country, {3, 0, 5});
    send(Opcode::Country, {2, 0, 4});
    send(Opcode::More, {0});
    QTRY_COMPARE(m_window->stack()->currentWidget(), m_window->cards());

    // Three cards make a set.
    for (int card : {2, 0, 1})
        send(Opcode::Card, {card});
    CardsWidget* hand = m_window->cards()->cardsWidget();
    QTRY_COMPARE(hand->cards().size(), 3);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(hand, Qt::LeftButton, {}, hand->pictureRect(i).center());
    barButton("Cards")->click();
    expect({request(Opcode::Exchange, {2, 0, 1})});
    send(Opcode::Exchanged, {0, 4});
    send(Opcode::CardCount, {0, 0});

    // The final move, confirmed by Finish: Beta gives two armies to Alpha.
    QTRY_VERIFY(barButton("Move")->isEnabled());
    barButton("Move")->click();
    clickMove(2, 1);
    QCOMPARE(move->slider()->maximum(), 3);
    move->slider()->setValue(2);
    barButton("Finish")->click();
    expect({request(Opcode::Move, {2, 1, 2}), request(Opcode::End)});

    send(Opcode::Country, {2, 0, 2});
    send(Opcode::Country, {1, 0, 4});
    send(Opcode::End);
    send(Opcode::Winner, {0});
    QTRY_VERIFY(m_test->outputSince(0).contains(QStringLiteral("Me has won the game")));
    QCOMPARE(m_map->mode(), MapMode::Idle);
    QVERIFY(!barButton("Attack")->isEnabled());

    expect({});
}

QTEST_MAIN(TestGameHandlers)
#include "tst_gamehandlers.moc"
