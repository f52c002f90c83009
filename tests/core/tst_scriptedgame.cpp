#include "cards.h"
#include "cardswidget.h"
#include "move.h"
#include "scriptedserver.h"
#include "testwindow.h"

#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

// A whole short game against a server on 127.0.0.1 whose side the test
// plays: login, seats, the map, the capital, placing, a decide, an attack
// with its conquest, cards, the final move and the winner. After every
// gesture the bytes the server received are checked.
class TestScriptedGame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void wholeGame();

private:
    void send(Opcode opcode, std::initializer_list<std::variant<int, const char*>> fields = {})
    {
        m_server->send(opcode, fields);
    }
    // Waits for exactly these requests since the last check.
    void expect(const QList<QByteArray>& requests);
    void clickCountry(int number, Qt::MouseButton button = Qt::LeftButton)
    {
        m_game->clickCountry(number, button);
    }
    QToolButton* barButton(const char* keyWord) const { return m_game->barButton(keyWord); }

    std::unique_ptr<TestWindow> m_game;
    std::unique_ptr<ScriptedServer> m_server;
    int m_checked = 0;
};

namespace {

QByteArray request(Opcode opcode, std::initializer_list<int> fields = {})
{
    return TestWindow::request(opcode, fields);
}

} // namespace

void TestScriptedGame::expect(const QList<QByteArray>& requests)
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

void TestScriptedGame::wholeGame()
{
    m_game = std::make_unique<TestWindow>();
    m_server = std::make_unique<ScriptedServer>();
    Tarvenix* window = m_game->window.get();
    Map* map = window->map();
    window->setServer(QStringLiteral("127.0.0.1"), m_server->port());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    window->actionLogin();
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
    QTRY_COMPARE(map->mode(), MapMode::PickCapital);
    QCOMPARE(map->model().localSeat(), 0);
    QCOMPARE(window->cards()->cardsWidget()->gameItem()->id, 12);

    // The capital, then one army on Alpha and the rest on Gamma.
    clickCountry(2);
    clickCountry(1);
    expect({request(Opcode::Capital, {1})});
    QCOMPARE(map->mode(), MapMode::PlaceInitial);
    QCOMPARE(map->statusText(), QStringLiteral("You should place 6 armies"));
    clickCountry(1);
    expect({request(Opcode::Place, {1})});
    send(Opcode::Country, {1, 0, 2});
    clickCountry(3, Qt::RightButton);
    expect({request(Opcode::All, {3})});
    send(Opcode::Country, {3, 0, 6});
    QTRY_VERIFY(map->statusText().isEmpty());

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
    QTRY_COMPARE(map->mode(), MapMode::Place);
    clickCountry(3, Qt::RightButton);
    expect({request(Opcode::All, {3})});
    send(Opcode::Country, {3, 0, 9});
    send(Opcode::More, {0});
    QTRY_COMPARE(map->mode(), MapMode::Attack);

    // An attack from Gamma takes Beta; four of the eight armies go in.
    clickCountry(3);
    clickCountry(2);
    expect({request(Opcode::Attack, {3, 2, 3, 0})});
    send(Opcode::Attack, {3, 2, 3, 0});
    send(Opcode::Dice, {0, 6, 5, 4, 1, 3, 2});
    send(Opcode::Country, {2, 0, 0});
    send(Opcode::Take, {3, 2, 2});
    Move* move = window->movePanel();
    QTRY_COMPARE(window->stack()->currentWidget(), move);
    QCOMPARE(move->slider()->minimum(), 2);
    QCOMPARE(move->slider()->maximum(), 8);
    move->slider()->setValue(4);
    QCOMPARE(map->country(2)->armies, 4);
    move->findChild<QPushButton*>(QStringLiteral("MoveOk"))->click();
    expect({request(Opcode::Take, {4})});
    send(Opcode::Country, {3, 0, 5});
    send(Opcode::Country, {2, 0, 4});
    send(Opcode::More, {0});
    QTRY_COMPARE(window->stack()->currentWidget(), window->cards());

    // Three cards make a set.
    for (int card : {2, 0, 1})
        send(Opcode::Card, {card});
    CardsWidget* hand = window->cards()->cardsWidget();
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
    clickCountry(2);
    clickCountry(1);
    QCOMPARE(move->slider()->maximum(), 3);
    move->slider()->setValue(2);
    barButton("Finish")->click();
    expect({request(Opcode::Move, {2, 1, 2}), request(Opcode::End)});

    send(Opcode::Country, {2, 0, 2});
    send(Opcode::Country, {1, 0, 4});
    send(Opcode::End);
    send(Opcode::Winner, {0});
    QTRY_VERIFY(m_game->outputSince(0).contains(QStringLiteral("Me has won the game")));
    QCOMPARE(map->mode(), MapMode::Idle);
    QVERIFY(!barButton("Attack")->isEnabled());

    const QStringList lines = m_game->outputSince(0);
    for (const char* line :
         {"Player 1: Me (me.example)", "Player 2: Robby (robot)", "All players receive 8 armies",
          "Please pick your capital", "Robby should place 3 armies",
          "Me should choose: Place 3 armies or attack", "Gamma attacks Beta with 3 dice",
          "Me receives 4 armies for exchanging cards"})
        QVERIFY2(lines.contains(QLatin1String(line)), line);
    expect({});
}

QTEST_MAIN(TestScriptedGame)
#include "tst_scriptedgame.moc"
