#include "../chat/chatlines.h"
#include "../net/fields.h"
#include "cards.h"
#include "cardswidget.h"
#include "chatbox.h"
#include "chatdialog.h"
#include "connection.h"
#include "connectstatus.h"
#include "fieldbounds.h"
#include "move.h"
#include "playerlist.h"
#include "question.h"
#include "registerdialog.h"
#include "scriptedserver.h"
#include "testwindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTreeWidget>

#include <climits>

// The main window, driven through its parser's signals and clicks or against
// a scripted server: logging in, and in a game what its handlers add to the
// turn machine's decisions (the seat lines, the resets between games, the
// panels the buttons confirm, the keys) and the requests its gestures send.
// Whole games are played end to end elsewhere.
class TestTarvenix : public QObject
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

    void gesturesSendRequests();
    void seats();
    void attacksAndConquests();
    void exchangesAndClock();
    void leavingAndEnteringResetTheBoard();
    void gameKeys();
    // Numbers from a hostile server, the extremes of int among them, go
    // through the parser into the handlers, the models and the painted
    // board: they arrive within bounds, every sum made of them stays
    // defined, and sane numbers come through as they were.
    void numbersFromTheServer_data();
    void numbersFromTheServer();

    // Against a server on 127.0.0.1 whose side the test plays: logging in
    // and registering with what can go wrong on the way, the server's
    // announcements, and what a lost connection or a logout clears.
    void loginRefusalAndLostConnection();
    void registrationKeepsItsForm();
    void announcementsThenLogoutAndQuit();
    void seatColoursReachBoardAndSeats();

private:
    // The own user plays seat 0 against a robot at seat 1 in game 12, and
    // holds Alpha 5 and Gamma 1 against the robot's Beta 3.
    void enterGame(bool capitals = false);
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

    void connectToServer()
    {
        m_server = std::make_unique<ScriptedServer>();
        m_window->setServer(QStringLiteral("127.0.0.1"), m_server->port());
        m_window->start();
    }
    void login(const QString& password = QStringLiteral("pw"));
    // Logs in as Rook; waits for the login request and answers it, if asked.
    void loginAndGreet(const char* welcome = nullptr);
    int received() const { return int(m_server->received().size()); }

    std::unique_ptr<TestWindow> m_test;
    std::unique_ptr<ScriptedServer> m_server;
    Tarvenix* m_window = nullptr;
    Parser* m_parser = nullptr;
    Map* m_map = nullptr;
    int m_seen = 0;
};

namespace {

using Bytes = QList<QByteArray>;

void click(QWidget* parent, const char* button)
{
    QTest::mouseClick(parent->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}
using Messages = QList<QVariantList>;

// Country 1 of the test map with its label at x, y and its area.
QVariantList alpha(int x = 6, int y = 14, QList<int> area = {2, 2, 16, 26})
{
    QVariantList fields{op(Opcode::CountryMap), 1, QByteArray("Alpha"), 1, x, y};
    for (int value : area)
        fields << value;
    return fields;
}

QVariantList country(int number, int owner, int armies)
{
    return {op(Opcode::Country), number, owner, armies};
}

// The probes a row may name, read after its messages.
int probe(const Tarvenix& window, const QSignalSpy& users, const QString& name)
{
    const Map* map = window.map();
    const Country* alpha = map->country(1);
    if (name == QLatin1String("armies"))
        return alpha->armies;
    if (name == QLatin1String("armies pie"))
        return map->armiesPie().total();
    if (name == QLatin1String("armies of seat 0"))
        return map->model().armiesOf(0);
    if (name == QLatin1String("label rectangle left"))
        return map->labelRect(*alpha).left();
    if (name == QLatin1String("card armies"))
        return window.playerList()->seats().entry(0)->cardArmies;
    // What the handlers and the scripts get.
    if (name == QLatin1String("playing of Bob"))
        return users.last().at(3).toInt();
    if (name == QLatin1String("lines"))
        return int(map->lines().size());
    qFatal("no probe %s", qPrintable(name));
}

QByteArray request(Opcode opcode, std::initializer_list<int> fields = {})
{
    return TestWindow::request(opcode, fields);
}

} // namespace

void TestTarvenix::init()
{
    m_test = std::make_unique<TestWindow>();
    m_window = m_test->window.get();
    m_parser = m_test->parser;
    m_map = m_window->map();
    m_seen = 0;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestTarvenix::enterGame(bool capitals)
{
    emit m_parser->newGame(12, 5, QStringLiteral("Three"), QStringLiteral("Ann"), false, capitals,
                           120, false, false, false, false, false, false, 1, 0, 0, false, false, 2,
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

QStringList TestTarvenix::newOutput()
{
    const QStringList lines = m_test->outputSince(m_seen);
    m_seen = m_test->outputCount();
    return lines;
}

void TestTarvenix::gesturesSendRequests()
{
    enterGame(true);
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
    QCOMPARE(m_map->mode(), MapMode::PickCapital);

    // The robot's country is no capital; then one army, then all the rest.
    clickMove(2, 1);
    QCOMPARE(m_map->statusText(), QStringLiteral("You should place 14 armies"));
    m_test->clickCountry(3);
    m_test->clickCountry(3, Qt::RightButton);
    QCOMPARE(m_test->sentBytes(), Bytes({request(Opcode::Capital, {1}), request(Opcode::Place, {3}),
                                         request(Opcode::All, {3})}));
    m_test->sent.clear();

    emit m_parser->more(0);
    clickMove(1, 2);
    for (int card : {0, 1, 2})
        emit m_parser->card(card);
    CardsWidget* hand = m_window->cards()->cardsWidget();
    for (int i : {0, 1, 2})
        QTest::mouseClick(hand, Qt::LeftButton, {}, hand->pictureRect(i).center());
    barButton("Cards")->click();
    QCOMPARE(m_test->sentBytes(),
             Bytes({request(Opcode::Attack, {1, 2, 3, 0}), request(Opcode::Exchange, {0, 1, 2})}));
    QVERIFY(hand->cards().isEmpty());
}

void TestTarvenix::seats()
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

void TestTarvenix::attacksAndConquests()
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

void TestTarvenix::exchangesAndClock()
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

void TestTarvenix::leavingAndEnteringResetTheBoard()
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

void TestTarvenix::gameKeys()
{
    enterGame();
    emit m_parser->more(0);
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

    // Cancel closes the move panel without a request, back to attacking;
    // Return in the open panel is its Ok, not Finish.
    emit m_parser->country(2, 0, 2);
    clickMove(1, 2);
    m_window->movePanel()->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    QVERIFY(!movePageShown());
    QCOMPARE(m_map->mode(), MapMode::Attack);
    QVERIFY(m_test->sent.isEmpty());
    QTest::keyClick(m_window, Qt::Key_M);
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

void TestTarvenix::numbersFromTheServer_data()
{
    QTest::addColumn<QVariantList>("alpha");
    QTest::addColumn<Messages>("messages");
    QTest::addColumn<Messages>("repeated");
    QTest::addColumn<int>("repeat");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<int>("expected");

    const Messages none;
    const auto user = [](int playing, int watching) {
        return Messages{{op(Opcode::NewGame), 12, 5, QByteArray("Three"), QByteArray("Ann")},
                        {op(Opcode::NewUser), QByteArray("Bob"), QByteArray("bob.example")},
                        {op(Opcode::User), QByteArray("Bob"), 1500, 3, playing, watching, 0,
                         QByteArray(""), 0, 0, 1}};
    };
    const Messages robot{{op(Opcode::Player), 0, 1, QByteArray("Anvil")}};
    const auto exchanged = [](int armies) {
        return Messages{{op(Opcode::Exchanged), 0, armies}};
    };
    using FieldBounds::Armies;
    using FieldBounds::Coordinate;
    using FieldBounds::Number;

    QTest::newRow("sane armies pie") << alpha() << Messages{country(1, 0, 7), country(2, 0, 5)}
                                     << none << 0 << "armies pie" << 12;
    QTest::newRow("most armies") << alpha() << Messages{country(1, 0, INT_MAX)} << none << 0
                                 << "armies" << Armies;
    QTest::newRow("armies swinging")
        << alpha() << none << Messages{country(1, 0, INT_MAX), country(1, 1, INT_MIN)} << 50
        << "armies pie" << -Armies;
    QTest::newRow("armies of a seat")
        << alpha() << Messages{country(1, 0, INT_MAX), country(2, 0, INT_MAX)} << none << 0
        << "armies of seat 0" << 2 * Armies;
    QTest::newRow("label far left") << alpha(INT_MIN, INT_MIN) << Messages{country(1, 0, 3)} << none
                                    << 0 << "label rectangle left" << -Coordinate - 2;
    QTest::newRow("area beyond every edge")
        << alpha(6, 14, {INT_MAX, INT_MIN, INT_MAX, INT_MAX}) << Messages{country(1, 0, 3)} << none
        << 0 << "armies" << 3;
    QTest::newRow("card armies pile up")
        << alpha() << robot << exchanged(INT_MAX) << 3000 << "card armies" << Number;
    QTest::newRow("user in two games at the far end")
        << alpha() << user(INT_MAX, INT_MAX) << none << 0 << "playing of Bob" << Number;
    QTest::newRow("line across everything")
        << alpha() << Messages{{op(Opcode::LineMap), INT_MIN, INT_MIN, INT_MAX, INT_MAX}} << none
        << 0 << "lines" << 1;
}

void TestTarvenix::numbersFromTheServer()
{
    QFETCH(QVariantList, alpha);
    QFETCH(Messages, messages);
    QFETCH(Messages, repeated);
    QFETCH(int, repeat);
    QFETCH(QString, probe);

    const QSignalSpy users(m_parser, &Parser::user);
    const auto feed = [this](const QVariantList& fields) {
        Message message = messageOf(fields);
        m_parser->parse(&message);
    };

    // Lines are part of the map, so line rows go in before its end.
    const bool lineRow = messages.value(0).value(0) == op(Opcode::LineMap);
    feed({op(Opcode::StartMap), 5, QByteArray("Three"), QByteArray("world"),
          QVariant::fromValue(Block{TestPicture::compressedIndex()})});
    feed({op(Opcode::ContinentMap), 1, QByteArray("Land"), 5});
    feed(alpha);
    feed({op(Opcode::CountryMap), 2, QByteArray("Beta"), 1, 26, 14, 21, 2, 17, 26});
    if (lineRow)
        feed(messages.takeFirst());
    feed({op(Opcode::EndMap)});
    for (const QVariantList& fields : std::as_const(messages))
        feed(fields);
    for (int i = 0; i < repeat; ++i) {
        for (const QVariantList& fields : std::as_const(repeated))
            feed(fields);
    }
    // Painting draws the labels, the lines and the pies from the numbers.
    m_window->grab();
    QTEST(::probe(*m_window, users, probe), "expected");
}

void TestTarvenix::login(const QString& password)
{
    LoginDialog* dialog = m_window->loginDialog();
    QVERIFY(dialog->isVisible());
    dialog->findChild<QLineEdit*>(QStringLiteral("_nickname"))->setText(QStringLiteral("Rook"));
    dialog->findChild<QLineEdit*>(QStringLiteral("_password"))->setText(password);
    click(dialog, "_loginButton");
}

void TestTarvenix::loginAndGreet(const char* welcome)
{
    const int clients = m_server->clientCount();
    const int requests = received();
    login();
    QTRY_COMPARE(m_server->clientCount(), clients + 1);
    m_server->greet();
    QTRY_COMPARE(received(), requests + 1);
    QVERIFY(Protocol::is(m_server->received().last(), Opcode::Login));
    if (welcome) {
        m_server->welcome(welcome);
        QTRY_COMPARE(m_test->lastLine(), QStringLiteral("Welcome ") + QLatin1String(welcome));
    }
}

void TestTarvenix::loginRefusalAndLostConnection()
{
    connectToServer();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("QtTarvenixGame -- Game"));
    // Escape gives up an attempt; it does not end the program.
    LoginDialog* dialog = m_window->loginDialog();
    login();
    QCOMPARE(m_test->lastLine(),
             QStringLiteral("Connecting to 127.0.0.1:%1...").arg(m_server->port()));
    QTRY_COMPARE(m_server->clientCount(), 1);
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!m_window->connection());
    QVERIFY(dialog->isVisible() && m_window->isVisible());
    QCOMPARE(m_test->lastLine(),
             QStringLiteral("Stopped connecting to 127.0.0.1:%1").arg(m_server->port()));

    // The next attempt is a new connection, and nothing is sent before the
    // server greets.
    login(QStringLiteral("pa ss"));
    QTRY_COMPARE(m_server->clientCount(), 2);
    QTest::qWait(50);
    QCOMPARE(received(), 0);
    m_server->greet();
    QTRY_COMPARE(received(), 1);
    QCOMPARE(QByteArray(m_server->received().first().getString(2)), QByteArray("pa ss"));

    // A refusal keeps the connection: the second attempt goes out at once.
    m_server->refuse(5);
    QTRY_VERIFY(dialog->isVisible());
    QCOMPARE(m_test->lastLine(), QStringLiteral("Login failed: wrong password"));
    QCOMPARE(m_test->lastOutputLine().circleColor, QColor(Qt::red));
    dialog->findChild<QCheckBox*>(QStringLiteral("_storeBox"))->setChecked(true);
    login();
    QTRY_COMPARE(received(), 2);
    QCOMPARE(m_server->clientCount(), 2);

    // The welcome's spelling of the nickname is the one shown and stored.
    m_server->welcome("ROOK");
    QTRY_COMPARE(m_test->lastLine(), QStringLiteral("Welcome ROOK"));
    QCOMPARE(dialog->nickname(), QStringLiteral("ROOK"));
    QCOMPARE(m_test->settings.value(QStringLiteral("login"), QStringLiteral("nickname")),
             QStringLiteral("ROOK"));

    // Seats and chat users do not outlive the session they belong to; what
    // was said stays readable.
    PlayerList* players = m_window->playerList();
    players->setPlayer(2, QStringLiteral("Rook"), 1500, 1, 0, false, false, false, false);
    players->setCurrent(2);
    ChatDialog* chat = m_window->chatDialog();
    m_window->actionChat();
    chat->addGlobalUser(QStringLiteral("Ann"));
    chat->addGlobalMessage(Qt::gray, Qt::black, QStringLiteral("Ann: bye"), false);
    QPointer<Connection> dead = m_window->connection();
    m_server->client()->disconnectFromHost();
    QTRY_COMPARE(m_test->lastLine(),
                 QStringLiteral("The connection with the server has been lost"));
    QVERIFY(dialog->isVisible());
    QTRY_VERIFY(dead.isNull());
    QVERIFY(!players->entry(2));
    QCOMPARE(players->current(), -1);
    QVERIFY(!chat->isVisible());
    QCOMPARE(chat->globalBox()->userList()->topLevelItemCount(), 0);
    QCOMPARE(chat->globalBox()->view()->lineCount(), 1);

    // A server that never greets is given up.
    m_window->setGreetingTimeout(150);
    login();
    QTRY_COMPARE(m_test->lastLine(),
                 QStringLiteral("Could not connect to 127.0.0.1:%1: the server did not answer")
                     .arg(m_server->port()));
    QVERIFY(!dialog->isConnecting());
}

void TestTarvenix::registrationKeepsItsForm()
{
    connectToServer();
    LoginDialog* login = m_window->loginDialog();
    click(login, "_registerButton");
    RegisterDialog* dialog = m_window->registerDialog();
    const QList<QPair<const char*, const char*>> fields{
        {"NameEdit", "Rook"},     {"PasswordEdit", "pw"},  {"VerifyEdit", "pw"},
        {"FirstNameEdit", "Ann"}, {"LastNameEdit", "Lee"}, {"AddressEdit", "1 Way"},
        {"ZipcodeEdit", "12345"}, {"CityEdit", "Town"},    {"StateEdit", "State"},
        {"CountryEdit", "Land"},  {"EmailEdit", "a@b.c"}};
    for (const auto& [name, value] : fields)
        dialog->findChild<QLineEdit*>(QLatin1String(name))->setText(QLatin1String(value));

    // A server that is not there brings the form back, still filled in.
    quint16 closed = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        closed = probe.serverPort();
    }
    m_window->setServer(QStringLiteral("127.0.0.1"), closed);
    click(dialog, "RegisterButton");
    const QString unreachable = QStringLiteral("Could not connect to 127.0.0.1:%1: ").arg(closed);
    QTRY_VERIFY(m_test->lastLine().startsWith(unreachable));
    QVERIFY(m_test->lastLine().size() > unreachable.size());
    QVERIFY(dialog->isVisible() && !login->isVisible());
    QCOMPARE(dialog->status()->text(), m_test->lastLine());

    m_window->setServer(QStringLiteral("127.0.0.1"), m_server->port());
    click(dialog, "RegisterButton");
    QTRY_COMPARE(m_server->clientCount(), 1);
    m_server->greet();
    QTRY_COMPARE(received(), 1);
    QVERIFY(!dialog->isVisible());
    const Message& request = m_server->received().first();
    QVERIFY(Protocol::is(request, Opcode::Register));
    const QList<QByteArray> expected{"Rook",  "pw",   "Lee",   "Ann",  "1 Way",
                                     "12345", "Town", "State", "Land", "a@b.c"};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(QByteArray(request.getString(i + 1)), expected[i]);

    // A refusal brings the form back with every field, and the reason; so
    // does a nickname the server cannot use, named as the registration's.
    m_server->refuse(2);
    QTRY_COMPARE(m_test->lastLine(),
                 QStringLiteral("Registration failed: try a different nickname"));
    QVERIFY(dialog->isVisible() && !login->isVisible());
    QCOMPARE(dialog->email(), QStringLiteral("a@b.c"));
    click(dialog, "RegisterButton");
    QTRY_COMPARE(received(), 2);
    m_server->refuse(0);
    QTRY_COMPARE(m_test->lastLine(), QStringLiteral("Login failed: invalid nickname"));
    QVERIFY(dialog->isVisible() && !login->isVisible());
    QCOMPARE(dialog->status()->text(), QStringLiteral("Registration failed: invalid nickname"));

    // Cancel goes back to the login dialog; its Login now logs in, at once.
    click(dialog, "CancelButton");
    click(login, "_loginButton");
    QTRY_COMPARE(received(), 3);
    QVERIFY(Protocol::is(m_server->received().last(), Opcode::Login));
}

void TestTarvenix::announcementsThenLogoutAndQuit()
{
    connectToServer();
    loginAndGreet("Rook");
    const int before = m_test->outputCount();
    m_server->send(Protocol::message(Opcode::Closed));
    m_server->send(Protocol::message(Opcode::Upgrade));
    m_server->send(Protocol::message(Opcode(99)));
    m_server->send(Opcode::RobotError, {"Bot", "no such robot"});
    m_server->send(Protocol::message(Opcode::Ping));
    QTRY_COMPARE(m_test->outputCount(), before + 5);
    QCOMPARE(chatLines(m_window->output()).mid(before),
             QStringList({QStringLiteral("The server is closing down..."),
                          QStringLiteral("This program is out of date"),
                          QStringLiteral("Please visit www.tarvenix.example and download the "
                                         "latest version"),
                          QStringLiteral("Unknown opcode: 99"),
                          QStringLiteral("Robot error: Bot: no such robot")}));
    QCOMPARE(m_window->output()->line(before).textColor, QColor(Qt::red));
    // None of them ends the session, and a keep-alive is answered at once.
    QTRY_COMPARE(received(), 2);
    QVERIFY(Protocol::is(m_server->received().last(), Opcode::Ping));

    // Logged in, Ctrl+Q asks the logout question; No keeps the session and
    // a later logout is no quit.
    Map* board = m_window->map();
    board->addContinent(1, QStringLiteral("North"), 3);
    board->addCountry(1, QStringLiteral("Alpha"), 1);
    board->setCountry(1, 0, 4);
    Question* logout = m_window->logoutDialog();
    QTest::keyClick(m_window, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(logout->isVisible());
    click(logout, "NoButton");
    QVERIFY(m_window->connection());
    logout->show();
    click(logout, "YesButton");
    QVERIFY(m_window->isVisible());
    // The board is blank again, not the last session's map; Return in the
    // login form logs in again, it does not register.
    QVERIFY(board->countries().empty());
    QVERIFY(board->model().continents().empty());
    QCOMPARE(board->countriesPie().total(), 0);
    QVERIFY(!m_window->connection());
    QCOMPARE(m_window->loginDialog()->focusWidget()->objectName(), QStringLiteral("_loginButton"));
    QVERIFY(m_test->lastLine() != QStringLiteral("The connection with the server has been lost"));

    // Once the logout after Ctrl+Q is answered, the program ends; logged
    // out, Ctrl+Q ends it at once.
    loginAndGreet("Rook");
    QTest::keyClick(m_window, Qt::Key_Q, Qt::ControlModifier);
    click(logout, "YesButton");
    QVERIFY(!m_window->isVisible());
    m_window->show();
    m_window->start();
    QVERIFY(QTest::qWaitForWindowActive(m_window->loginDialog()));
    QTest::keyClick(m_window->loginDialog(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!m_window->isVisible());
}

void TestTarvenix::seatColoursReachBoardAndSeats()
{
    m_window->actionConfig();
    auto* config = m_window->findChild<QWidget*>(QStringLiteral("ConfigDialog"));
    // "Use this color" on the third seat's row changes that seat everywhere.
    config->findChildren<QRadioButton*>(QStringLiteral("PlayerCheckbox")).at(2)->click();
    config->findChild<QSlider*>(QStringLiteral("RedSlider"))->setValue(128);
    config->findChild<QPushButton*>(QStringLiteral("ColorEditorPushButton"))->click();
    QCOMPARE(m_window->map()->backgroundColor(2), QColor(128, 255, 255));
    QCOMPARE(m_window->playerList()->seatColor(2), QColor(128, 255, 255));
    QCOMPARE(m_window->map()->backgroundColor(1), QColor(Qt::red));
}

QTEST_MAIN(TestTarvenix)
#include "tst_tarvenix.moc"
