#include "../net/fields.h"
#include "cards.h"
#include "cardswidget.h"
#include "chatdialog.h"
#include "chatview.h"
#include "configdialog.h"
#include "connection.h"
#include "connectstatus.h"
#include "fieldbounds.h"
#include "helpdialog.h"
#include "move.h"
#include "newgamedialog.h"
#include "playerlist.h"
#include "question.h"
#include "registerdialog.h"
#include "robotroster.h"
#include "scriptedserver.h"
#include "seatcolors.h"
#include "testwindow.h"
#include "usersdialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTextBrowser>

#include <climits>

// The main window's wiring, driven through its parser's signals and clicks
// or against a scripted server on 127.0.0.1: the server's messages reach the
// seats and the board, gestures and keys send their requests, logging in and
// out. The turn's rules and whole games are tested elsewhere.
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

    void gameMessagesReachSeatsAndBoard();
    void gesturesAndKeysSendRequests();
    // Hostile numbers arrive within bounds, and every sum of them stays defined.
    void numbersFromTheServer();
    // Against a scripted server: registering and logging in with what can
    // go wrong on the way, logging out and quitting.
    void loginSession();
    // A newcomer's way in: the line under the buttons, the help page, the
    // empty board's hint and the game against robots in one step.
    void firstSteps();
    // Built for the login first: the dialog is up before the rest, which
    // comes once it is on screen and then matches a window built at once.
    void loginFirst();
    void loginFirstEarlyClicks();

private:
    // TestWindow's game, with Robby in the robot list and timer mode 2.
    void enterGame(bool capitals = false)
    {
        emit m_parser->robot(QStringLiteral("Robby"), QStringLiteral("Ann"), 1710, 90, 4);
        m_test->enterGame(capitals, 2);
    }
    QToolButton* barButton(const char* keyWord) const { return m_test->barButton(keyWord); }
    CardsWidget* hand() const { return m_window->cards()->cardsWidget(); }
    bool movePageShown() const
    {
        return m_window->stack()->currentWidget() == m_window->movePanel();
    }
    void clickMove(int from, int to)
    {
        m_test->clickCountry(from);
        m_test->clickCountry(to);
    }
    void login();
    // Logs in as Rook, answers the greeting and welcomes him.
    void loginAndWelcome();
    int received() const { return int(m_server->received().size()); }

    std::unique_ptr<TestWindow> m_test;
    std::unique_ptr<ScriptedServer> m_server;
    Tarvenix* m_window = nullptr;
    Parser* m_parser = nullptr;
    Map* m_map = nullptr;
};

namespace {

void click(QWidget* parent, const char* button)
{
    QTest::mouseClick(parent->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

QVariantList country(int number, int owner, int armies)
{
    return {op(Opcode::Country), number, owner, armies};
}

} // namespace

void TestTarvenix::init()
{
    m_test = std::make_unique<TestWindow>();
    m_window = m_test->window.get();
    m_parser = m_test->parser;
    m_map = m_window->map();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestTarvenix::gameMessagesReachSeatsAndBoard()
{
    m_test->announceUser(QStringLiteral("Kim"), 0, 0, true, true);
    enterGame();
    const int seen = m_test->outputCount();
    // A seat's entry comes from the lobby's record, a robot's from the robot list.
    emit m_parser->player(2, false, QStringLiteral("Kim"));
    PlayerList* players = m_window->playerList();
    QVERIFY(players->entry(2)->admin && !players->entry(2)->robot);
    emit m_parser->replace(2, QStringLiteral("Robby"));
    QVERIFY(players->entry(2)->robot && players->entry(2)->rating == 1710);
    emit m_parser->exchanged(1, 6);
    emit m_parser->exchanged(5, 4);
    QCOMPARE(m_test->outputSince(seen),
             QStringList({QStringLiteral("Player 3: Kim (kim.example)"),
                          QStringLiteral("Player 3 is replaced by the robot Robby"),
                          QStringLiteral("Robby receives 6 armies for exchanging cards")}));
    QVERIFY(m_test->outputSince(0).contains(QStringLiteral("Player 2: Robby (robot)")));

    // Leaving blanks the board and puts it back to idle: no country, no
    // card, no open panel, no seat of the last game; entering another game
    // starts a new hand.
    emit m_parser->card(3);
    emit m_parser->country(2, 0, 0);
    emit m_parser->take(1, 2, 1);
    QVERIFY(movePageShown());
    // The panel's choice shows on the board without moving any army.
    const int taken = m_window->movePanel()->value();
    QVERIFY(taken > 1);
    QCOMPARE(m_map->shownArmies(*m_map->country(2)), taken);
    QCOMPARE(m_map->shownArmies(*m_map->country(1)), 5 - taken);
    QCOMPARE(m_map->country(2)->armies, 0);
    QCOMPARE(m_map->armiesPie().value(0), 6);
    m_test->moveUser(QStringLiteral("Me"), 0, 0);
    QVERIFY(hand()->cards().isEmpty() && !hand()->gameItem());
    QVERIFY(!movePageShown() && !players->entry(0));
    QCOMPARE(m_map->mode(), MapMode::Idle);
    QVERIFY(m_map->countries().empty());
    QCOMPARE(m_map->countriesPie().total(), 0);
    QCOMPARE(m_map->model().localSeat(), -1);
    emit m_parser->card(1);
    m_test->moveUser(QStringLiteral("Me"), 0, 12);
    QVERIFY(hand()->cards().isEmpty());
    QCOMPARE(hand()->gameItem()->id, 12);
}

void TestTarvenix::firstSteps()
{
    const QLabel* line = m_window->statusLine();
    QTest::keyClick(m_window, Qt::Key_F1);
    QVERIFY(m_window->helpDialog()->isVisible());
    // The page covers every control a turn needs.
    const QString page = m_window->helpDialog()->browser()->toPlainText();
    for (const char* topic : {"left click", "right click", "Attacking", "Do or Die", "Taking",
                              "Moving", "Cards", "capital", "The timer", "F1"})
        QVERIFY2(page.contains(QLatin1String(topic)), topic);
    m_window->helpDialog()->hide();

    // The operator of a waiting game learns why Start is off, from the line
    // and the button's tooltip, until a robot makes two players.
    enterGame();
    emit m_parser->game(12, QStringLiteral("Me"), false, 1, 1, 0, 0);
    const QString second = QStringLiteral(
        "Start needs a second player: add a robot with Robot or wait for someone to join");
    QCOMPARE(line->text(), second);
    QVERIFY(!barButton("Start")->isEnabled());
    QVERIFY(barButton("Start")->toolTip().endsWith(second));
    emit m_parser->game(12, QStringLiteral("Me"), false, 1, 2, 1, 0);
    QVERIFY(barButton("Start")->isEnabled());
    QVERIFY(!barButton("Start")->toolTip().contains(second));
    QCOMPARE(line->text(), QString());

    // In the player's turn the line says what a click does, and why one did
    // nothing, until the board asks for something else (every hint and
    // refusal is the click hints' own table).
    emit m_parser->more(0);
    QCOMPARE(line->text(),
             QStringLiteral(
                 "Click one of your countries with at least two armies, then an enemy neighbour"));
    m_test->clickCountry(3);
    QCOMPARE(line->text(),
             QStringLiteral("Gamma has only one army: a country needs two to attack"));
    m_test->clickCountry(1);
    QVERIFY(line->text().startsWith(QStringLiteral("Click an enemy neighbour of Alpha")));
    // While the panel asks how many armies go in, the board waits for it,
    // not for another turn: a click there leaves the line as it is.
    emit m_parser->country(2, 0, 0);
    emit m_parser->take(1, 2, 1);
    const QString take =
        QStringLiteral("Beta is yours: choose below how many armies move in from Alpha, then "
                       "press Ok");
    QCOMPARE(line->text(), take);
    m_test->clickCountry(3);
    QCOMPARE(line->text(), take);
    m_window->movePanel()->okClicked();
    QCOMPARE(line->text(), QString());
    emit m_parser->end();
    QCOMPARE(line->text(), QString());

    // Out of the game the board is empty and says how to get into one.
    QVERIFY(!m_map->isBlank());
    m_test->moveUser(QStringLiteral("Me"), 0, 0);
    QVERIFY(m_map->isBlank());
    QCOMPARE(m_map->emptyHint(), Tarvenix::wayInHint());
    QCOMPARE(m_map->grab().toImage().pixel(2, 2), qRgb(30, 54, 86));

    // One step against robots: the game with robots allowed and one human,
    // the robots once the own user operates it, Start once they are in.
    m_test->takeTexts();
    emit m_parser->robot(QStringLiteral("Dynamo"), QStringLiteral("server"), 1500, 0, 2);
    emit m_parser->robot(QStringLiteral("Anvil"), QStringLiteral("server"), 1500, 0, 1);
    m_window->newGameDialog()->setSlot(false, 0, 3, QStringLiteral("Isles"), QStringLiteral("x"));
    m_window->actionRobotGame(3, 2, 2);
    QCOMPARE(m_test->takeTexts(),
             QStringList{QStringLiteral("NewGame|3|0|0|120|0|0|0|0|0|0|1|-50|0|0|0|0|0")});
    emit m_parser->newGame(14, 3, QStringLiteral("Isles"), QStringLiteral("x"), false, false, 120,
                           false, false, false, false, false, false, 1, 0, 0, false, false, 0,
                           false, false);
    emit m_parser->game(14, QStringLiteral("Me"), false, 1, 1, 0, 0);
    QVERIFY(m_test->takeTexts().isEmpty());
    m_test->moveUser(QStringLiteral("Me"), 14, 0);
    QCOMPARE(m_test->takeTexts(),
             (QStringList{QStringLiteral("Robot|Dynamo"), QStringLiteral("Robot|Anvil")}));
    emit m_parser->game(14, QStringLiteral("Me"), false, 1, 2, 1, 0);
    QVERIFY(m_test->takeTexts().isEmpty());
    emit m_parser->robotError(QStringLiteral("Anvil"), QStringLiteral("busy"));
    QCOMPARE(m_test->takeTexts(), QStringList{QStringLiteral("StartGame")});
    QVERIFY(!m_window->robotPlan().isActive());
}

void TestTarvenix::gesturesAndKeysSendRequests()
{
    enterGame(true);
    emit m_parser->init(20);
    // The robot's country is no capital; then one army, then all the rest;
    // an attack, and three cards picked in the hand.
    clickMove(2, 1);
    m_test->clickCountry(3);
    m_test->clickCountry(3, Qt::RightButton);
    emit m_parser->more(0);
    clickMove(1, 2);
    for (int card : {0, 1, 2})
        emit m_parser->card(card);
    for (int i : {0, 1, 2})
        QTest::mouseClick(hand(), Qt::LeftButton, {}, hand()->pictureRect(i).center());
    barButton("Cards")->click();
    QVERIFY(hand()->cards().isEmpty());
    // A conquest's panel is confirmed by a game button, or sent without
    // asking when all but one must go in.
    emit m_parser->country(2, 0, 0);
    emit m_parser->take(1, 2, 4);
    emit m_parser->take(1, 2, 2);
    m_window->movePanel()->slider()->setValue(3);
    barButton("Attack")->click();
    QVERIFY(!movePageShown());

    // The game buttons' keys.
    QTest::keyClick(m_window, Qt::Key_D);
    QVERIFY(m_map->model().doOrDie());
    QTest::keyClick(m_window, Qt::Key_M);
    QCOMPARE(m_map->mode(), MapMode::Move);
    // A key with a modifier is not the button's; while a text field has the
    // focus, letters and Return are its own.
    QTest::keyClick(m_window, Qt::Key_F, Qt::ControlModifier);
    auto* field = new QLineEdit(m_map);
    field->show();
    field->setFocus();
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Return, Qt::Key_F})
        QTest::keyClick(field, key);
    QCOMPARE(field->text(), QStringLiteral("af"));
    QCOMPARE(m_map->mode(), MapMode::Move);
    delete field;

    // Cancel closes the move panel without a request, back to attacking;
    // Return in the open panel is its Ok, not Finish.
    emit m_parser->country(2, 0, 2);
    clickMove(1, 2);
    m_window->movePanel()->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    QVERIFY(!movePageShown());
    QCOMPARE(m_map->mode(), MapMode::Attack);
    QTest::keyClick(m_window, Qt::Key_M);
    clickMove(1, 2);
    m_window->movePanel()->slider()->setValue(1);
    QTest::keyClick(m_window->movePanel()->findChild<QPushButton*>(QStringLiteral("MoveOk")),
                    Qt::Key_Return);
    QTest::keyClick(m_window, Qt::Key_Return);
    // Keys of disabled buttons do nothing.
    emit m_parser->more(1);
    QTest::keyClick(m_window, Qt::Key_F);
    QCOMPARE(m_test->takeTexts(),
             QStringList({QStringLiteral("Capital|1"), QStringLiteral("Place|3"),
                          QStringLiteral("All|3"), QStringLiteral("Attack|1|2|3|0"),
                          QStringLiteral("Exchange|0|1|2"), QStringLiteral("Take|4"),
                          QStringLiteral("Take|3"), QStringLiteral("Move|1|2|1"),
                          QStringLiteral("End")}));
}

void TestTarvenix::numbersFromTheServer()
{
    using FieldBounds::Armies;
    using FieldBounds::Number;
    const QSignalSpy users(m_parser, &Parser::user);
    const auto feed = [this](const QVariantList& fields) {
        Message message = messageOf(fields);
        m_parser->parse(&message);
    };
    feed({op(Opcode::StartMap), 5, QByteArray("Three"), QByteArray("world"),
          QVariant::fromValue(Block{TestPicture::compressedIndex()})});
    feed({op(Opcode::ContinentMap), 1, QByteArray("Land"), 5});
    feed({op(Opcode::CountryMap), 1, QByteArray("Alpha"), 1, INT_MIN, INT_MIN, 2, 2, 16, 26});
    feed({op(Opcode::CountryMap), 2, QByteArray("Beta"), 1, 26, 14, 21, 2, 17, 26});
    feed({op(Opcode::EndMap)});
    for (int i = 0; i < 50; ++i) {
        feed(country(1, 0, INT_MAX));
        feed(country(1, 1, INT_MIN));
    }
    QCOMPARE(m_map->armiesPie().total(), -Armies);
    feed(country(1, 0, INT_MAX));
    feed(country(2, 0, INT_MAX));
    // Painting draws the labels and the pies from the numbers.
    m_window->grab();
    QCOMPARE(m_map->country(1)->armies, Armies);
    QCOMPARE(m_map->model().armiesOf(0), 2 * Armies);
    QCOMPARE(m_map->labelRect(*m_map->country(1)).left(), -FieldBounds::Coordinate - 2);

    feed({op(Opcode::Player), 0, 1, QByteArray("Anvil")});
    for (int i = 0; i < 3000; ++i)
        feed({op(Opcode::Exchanged), 0, INT_MAX});
    QCOMPARE(m_window->playerList()->seats().entry(0)->cardArmies, Number);
    // A user in two games at the far end of the numbers.
    feed({op(Opcode::NewGame), 12, 5, QByteArray("Three"), QByteArray("Ann")});
    feed({op(Opcode::NewUser), QByteArray("Bob"), QByteArray("bob.example")});
    feed({op(Opcode::User), QByteArray("Bob"), 1500, 3, INT_MAX, INT_MAX, 0, QByteArray(""), 0, 0,
          1});
    QCOMPARE(users.last().at(3).toInt(), Number);

    // Seats, countries and users the client does not know change nothing.
    const SeatTable& seats = m_window->playerList()->seats();
    const int lines = m_test->outputCount();
    const int current = seats.current();
    feed({op(Opcode::Player), 6, 0, QByteArray("Ghost")});
    feed({op(Opcode::Player), -1, 0, QByteArray("Ghost")});
    feed({op(Opcode::Exchange), 4});
    feed({op(Opcode::Winner), 5});
    feed({op(Opcode::Attack), 1, 99, 3, 0});
    feed({op(Opcode::EndUser), QByteArray("Nobody")});
    feed({op(Opcode::Whisper), QByteArray("Nobody"), QByteArray("hi")});
    QCOMPARE(m_test->outputCount(), lines);
    QCOMPARE(seats.current(), current);
    QVERIFY(!seats.entry(4) && !seats.entry(5));
    QCOMPARE(m_map->model().highlighted(), -1);
    QVERIFY(m_window->chatDialog()->whisperNames().isEmpty());
}

void TestTarvenix::login()
{
    LoginDialog* dialog = m_window->loginDialog();
    QVERIFY(dialog->isVisible());
    dialog->findChild<QLineEdit*>(QStringLiteral("_nickname"))->setText(QStringLiteral("Rook"));
    dialog->findChild<QLineEdit*>(QStringLiteral("_password"))->setText(QStringLiteral("pw"));
    click(dialog, "_loginButton");
}

void TestTarvenix::loginAndWelcome()
{
    const int clients = m_server->clientCount();
    const int requests = received();
    login();
    QTRY_COMPARE(m_server->clientCount(), clients + 1);
    m_server->greet();
    QTRY_COMPARE(received(), requests + 1);
    m_server->welcome("Rook");
    QTRY_COMPARE(m_test->lastLine(), Tarvenix::wayInHint());
    QCOMPARE(m_test->outputSince(m_test->outputCount() - 2).first(),
             QStringLiteral("Welcome Rook"));
}

void TestTarvenix::loginSession()
{
    // A server that is not there brings the form back, still filled in.
    quint16 closed = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        closed = probe.serverPort();
    }
    m_window->setServer(QStringLiteral("127.0.0.1"), closed);
    m_window->start();
    LoginDialog* login = m_window->loginDialog();
    click(login, "_registerButton");
    RegisterDialog* dialog = m_window->registerDialog();
    // Each field holds its own name, the passwords excepted, in the request's order.
    const QList<QByteArray> fields{"NameEdit",    "PasswordEdit", "LastNameEdit", "FirstNameEdit",
                                   "AddressEdit", "ZipcodeEdit",  "CityEdit",     "StateEdit",
                                   "CountryEdit", "EmailEdit",    "VerifyEdit"};
    for (const QByteArray& name : fields) {
        const bool password = name == "PasswordEdit" || name == "VerifyEdit";
        dialog->findChild<QLineEdit*>(QLatin1String(name))
            ->setText(QLatin1String(password ? "pw" : name));
    }
    click(dialog, "RegisterButton");
    QTRY_VERIFY(m_test->lastLine().startsWith(
        QStringLiteral("Could not connect to 127.0.0.1:%1: ").arg(closed)));
    QVERIFY(dialog->isVisible() && !login->isVisible());

    m_server = std::make_unique<ScriptedServer>();
    m_window->setServer(QStringLiteral("127.0.0.1"), m_server->port());
    click(dialog, "RegisterButton");
    QTRY_COMPARE(m_server->clientCount(), 1);
    m_server->greet();
    QTRY_COMPARE(received(), 1);
    const Message& request = m_server->received().first();
    QVERIFY(Protocol::is(request, Opcode::Register));
    for (int i = 0; i < 10; ++i)
        QCOMPARE(QByteArray(request.getString(i + 1)), i == 1 ? QByteArray("pw") : fields[i]);
    // A refusal brings the form back with every field, for another attempt on
    // the same connection; a nickname the server cannot use is named as the
    // registration's in the form.
    m_server->refuse(0);
    QTRY_VERIFY(dialog->isVisible() && !login->isVisible());
    QCOMPARE(dialog->status()->text(), QStringLiteral("Registration failed: invalid nickname"));
    QCOMPARE(dialog->email(), QStringLiteral("EmailEdit"));
    click(dialog, "RegisterButton");
    QTRY_COMPARE(received(), 2);

    // Cancel goes back to the login dialog, whose attempts go out at once on
    // the connection a refusal keeps.
    click(dialog, "CancelButton");
    this->login();
    QTRY_COMPARE(received(), 3);
    m_server->refuse(5);
    QTRY_COMPARE(m_test->lastLine(), QStringLiteral("Login failed: wrong password"));
    this->login();
    QTRY_COMPARE(received(), 4);
    QCOMPARE(m_server->clientCount(), 1);
    m_server->welcome("Rook");
    // None of these ends the session, and a keep-alive is answered at once.
    const int before = m_test->outputCount();
    m_server->send(Protocol::message(Opcode(99)));
    m_server->send(Opcode::RobotError, {"Bot", "no such robot"});
    m_server->send(Protocol::message(Opcode::Ping));
    QTRY_COMPARE(received(), 5);
    QVERIFY(Protocol::is(m_server->received().last(), Opcode::Ping));
    // The welcome is followed, once, by the way into a game.
    QCOMPARE(m_test->outputSince(before),
             QStringList({QStringLiteral("Welcome Rook"), Tarvenix::wayInHint(),
                          QStringLiteral("Unknown opcode: 99"),
                          QStringLiteral("Robot error: Bot: no such robot")}));

    // Logged in, Ctrl+Q asks the logout question; No keeps the session and
    // a later logout is no quit, nor a lost connection.
    m_map->addContinent(1, QStringLiteral("North"), 3);
    m_map->addCountry(1, QStringLiteral("Alpha"), 1);
    Question* logout = m_window->logoutDialog();
    QTest::keyClick(m_window, Qt::Key_Q, Qt::ControlModifier);
    click(logout, "NoButton");
    logout->show();
    click(logout, "YesButton");
    QVERIFY(m_window->isVisible() && !m_window->connection());
    QVERIFY(m_test->lastLine() != QStringLiteral("The connection with the server has been lost"));
    // The board is blank again, not the last session's map; Return in the
    // login form logs in again, it does not register.
    QVERIFY(m_map->countries().empty());
    QVERIFY(m_map->model().continents().empty());
    QCOMPARE(login->focusWidget()->objectName(), QStringLiteral("_loginButton"));

    // Escape gives up an attempt; it does not end the program.
    this->login();
    QTRY_COMPARE(m_server->clientCount(), 2);
    QTest::keyClick(login, Qt::Key_Escape);
    QVERIFY(!m_window->connection() && m_window->isVisible() && login->isVisible());

    // The seats do not outlive a lost connection either.
    loginAndWelcome();
    PlayerList* players = m_window->playerList();
    players->setPlayer(2, QStringLiteral("Rook"), 1500, 1, 0, false, false, false, false);
    players->setCurrent(2);
    QPointer<Connection> dead = m_window->connection();
    m_server->client()->disconnectFromHost();
    QTRY_VERIFY(dead.isNull());
    QVERIFY(login->isVisible() && !players->entry(2));
    QCOMPARE(players->current(), -1);
    // A server that never greets is given up.
    m_window->setGreetingTimeout(150);
    this->login();
    QTRY_COMPARE(m_test->lastLine(),
                 QStringLiteral("Could not connect to 127.0.0.1:%1: the server did not answer")
                     .arg(m_server->port()));
    QVERIFY(!login->isConnecting());

    // Once the logout after Ctrl+Q is answered, the program ends; logged
    // out, Ctrl+Q ends it at once.
    m_window->setGreetingTimeout(10000);
    loginAndWelcome();
    QTest::keyClick(m_window, Qt::Key_Q, Qt::ControlModifier);
    click(logout, "YesButton");
    QVERIFY(!m_window->isVisible());
    m_window->show();
    m_window->start();
    QVERIFY(QTest::qWaitForWindowActive(login));
    QTest::keyClick(login, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!m_window->isVisible());
}

namespace {

QStringList childNames(const QObject* root)
{
    QStringList names;
    for (const QObject* child : root->findChildren<QObject*>()) {
        if (!child->objectName().isEmpty())
            names << child->objectName();
    }
    names.sort();
    return names;
}

} // namespace

void TestTarvenix::loginFirst()
{
    Tarvenix window(nullptr, Tarvenix::Build::LoginFirst);
    QVERIFY(!window.isBuilt());
    QVERIFY(!window.usersDialog());
    QVERIFY(!window.configDialog());
    // The output's font and the seats' colours, which the configuration
    // window gives once it is there, are the same before.
    const QFont outputFont = window.output()->font();
    const QColor background = window.seatColors()->background(3);
    window.show();
    window.start();
    QVERIFY(window.loginDialog()->isVisible());
    // Well before the fallback: the dialog's exposure brings the rest.
    QTRY_VERIFY_WITH_TIMEOUT(window.isBuilt(), Tarvenix::MaxBuildDelay / 2);
    QVERIFY(window.loginDialog()->isVisible());
    QCOMPARE(window.output()->font(), outputFont);
    QCOMPARE(window.seatColors()->background(3), background);
    QCOMPARE(window.configDialog()->backgroundColor(3), background);

    QCOMPARE(childNames(&window), childNames(m_window));
    QCOMPARE(childNames(window.usersDialog()), childNames(m_window->usersDialog()));
    QCOMPARE(childNames(window.chatDialog()), childNames(m_window->chatDialog()));
    // The stack sizes itself to the hand it shows, not to the editor's page
    // added before it.
    QCOMPARE(window.stack()->count(), 3);
    QCOMPARE(window.stack()->currentWidget(), window.cards());
    const QWidget* editor = window.stackPage(Tarvenix::EditorPage);
    QCOMPARE(window.stack()->widget(0), editor);
    QCOMPARE(editor->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
    QCOMPARE(editor->sizePolicy().verticalPolicy(), QSizePolicy::Ignored);
    QCOMPARE(window.cards()->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);

    // The server's messages reach the parts built late.
    emit window.parser()->robot(QStringLiteral("Robby"), QStringLiteral("Ann"), 1710, 90, 4);
    QCOMPARE(window.robots()->choices().size(), 1);
}

void TestTarvenix::loginFirstEarlyClicks()
{
    // A click that beats the rest of the window's build must find it built:
    // Register shows its dialog, Login connects with the parser in place.
    Tarvenix registering(nullptr, Tarvenix::Build::LoginFirst);
    registering.start();
    emit registering.loginDialog()->registerClick();
    QVERIFY(registering.isBuilt());
    QVERIFY(registering.registerDialog()->isVisible());

    Tarvenix loggingIn(nullptr, Tarvenix::Build::LoginFirst);
    loggingIn.setServer(QStringLiteral("127.0.0.1"), 1);
    loggingIn.start();
    emit loggingIn.loginDialog()->loginClick();
    QVERIFY(loggingIn.isBuilt());
    QVERIFY(loggingIn.connection());
    QVERIFY(loggingIn.parser());
}

QTEST_MAIN(TestTarvenix)
#include "tst_tarvenix.moc"
