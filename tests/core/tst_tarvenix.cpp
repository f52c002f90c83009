#include "../net/fields.h"
#include "../net/scriptedserver.h"
#include "alertsconfig.h"
#include "boardpanel.h"
#include "cards.h"
#include "cardswidget.h"
#include "chatbox.h"
#include "chatdialog.h"
#include "chatuseritem.h"
#include "chatview.h"
#include "configdialog.h"
#include "connection.h"
#include "connectstatus.h"
#include "desktopnotifier.h"
#include "fieldbounds.h"
#include "gameitem.h"
#include "gameoverpanel.h"
#include "gamerecord.h"
#include "helpdialog.h"
#include "lobbymodel.h"
#include "mapstorewatch.h"
#include "move.h"
#include "newgamedialog.h"
#include "playerlist.h"
#include "question.h"
#include "registerdialog.h"
#include "robotdialog.h"
#include "robotroster.h"
#include "seatcolors.h"
#include "testwindow.h"
#include "usersdialog.h"
#include "whisperbox.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTcpServer>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>

#include <climits>

// The main window's wiring, driven through its parser's signals and clicks
// or against a scripted server on 127.0.0.1: the server's messages reach the
// seats, the board and the lobby, gestures and keys send their requests,
// logging in and out; what it tells a player of his game (the lines of what
// happened in the seats' colours, the player out, the end with its summary
// and the board it keeps, calls back to an inactive window); the script
// events and commands and the chat scripts shipped in Scripts/. No script
// may ever fail: a load error or a failing handler fails the test. The
// rules themselves (the turn, the lobby, the chronicle) and whole games are
// tested elsewhere.
class TestTarvenix : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup();

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

    void storyToTheGameOver();
    void localPlayerOut_data();
    void localPlayerOut();
    void callsBackToAnInactiveWindow();
    // The row under the board keeps its height, the output follows.
    void steadyRowAndFollowingOutput();

    void ownUserEntersAndLeaves();
    void scriptEventsAndCommands();
    void channelsAndWhispers();
    void usersComeAndGo();
    void hugeObserverCountIsANumber();

private:
    // TestWindow's game, with Robby in the robot list and timer mode 2.
    void enterGame(bool capitals = false)
    {
        emit m_parser->robot(QStringLiteral("Robby"), QStringLiteral("Ann"), 1710, 90, 4);
        m_test->enterGame(capitals, 2);
    }
    QToolButton* barButton(const char* keyWord) const { return m_test->barButton(keyWord); }
    bool enabled(const char* keyWord) const { return barButton(keyWord)->isEnabled(); }
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
    ChatLine lastOutputLine() const
    {
        const ChatView* output = m_window->output();
        return output->line(output->lineCount() - 1);
    }
    QString eval(const char* script) const { return m_test->eval(QLatin1String(script)); }
    QStringList sent() { return m_test->takeTexts(); }
    void user(const char* nickname, int playing, int watching, bool member = false,
              bool admin = false)
    {
        m_test->moveUser(QLatin1String(nickname), playing, watching, member, admin);
    }
    // The users the server announces on login, the own user last.
    void lobbyAtLogin();
    void login();
    // Logs in as Rook, answers the greeting and welcomes him.
    void loginAndWelcome();
    int received() const { return int(m_server->received().size()); }

    std::unique_ptr<TestWindow> m_test;
    std::unique_ptr<ScriptedServer> m_server;
    Tarvenix* m_window = nullptr;
    Parser* m_parser = nullptr;
    Map* m_map = nullptr;
    ChatDialog* m_chat = nullptr;
    QStringList m_notified;
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

// A chat box or a whisper tab.
template <typename Box> void type(Box* box, const QString& text)
{
    box->inputLine()->setText(text);
    QTest::keyClick(box->inputLine(), Qt::Key_Return);
}

template <typename Box> QStringList lines(Box* box)
{
    return chatLines(box->view());
}

QStringList listed(ChatBox* box)
{
    QStringList names;
    for (int i = 0; i < box->userList()->topLevelItemCount(); ++i)
        names.append(box->userList()->topLevelItem(i)->text(0));
    return names;
}

} // namespace

void TestTarvenix::init()
{
    // A failing handler reports "Error: ..." on the warning output, a load
    // error in the game output.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^Error")));
    m_test = std::make_unique<TestWindow>();
    m_window = m_test->window.get();
    m_parser = m_test->parser;
    m_map = m_window->map();
    m_chat = m_window->chatDialog();
    m_notified.clear();
    m_window->setNotifier(std::make_unique<RecordingNotifier>(&m_notified));
    m_test->recordEvents("server_newuser server_user server_enduser server_chat server_whisper "
                         "user_becomes_friend user_becomes_enemy chat_message chat_closebutton");
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestTarvenix::cleanup()
{
    for (const QString& line : m_test->outputSince(0))
        QVERIFY2(!line.startsWith(QStringLiteral("Error")), qPrintable(line));
    m_test.reset();
    m_server.reset();
}

void TestTarvenix::gameMessagesReachSeatsAndBoard()
{
    // Names that hold place markers of their own stay as they are in every
    // line.
    const QString kim = QStringLiteral("%2%1");
    const QString robot = QStringLiteral("%1 x");
    m_test->announceUser(kim, 0, 0, true, true);
    emit m_parser->robot(robot, QStringLiteral("Ann"), 1690, 90, 4);
    enterGame();
    const int seen = m_test->outputCount();
    // A seat's entry comes from the lobby's record, a robot's from the robot list.
    emit m_parser->player(2, false, kim);
    PlayerList* players = m_window->playerList();
    QVERIFY(players->entry(2)->admin && !players->entry(2)->robot);
    emit m_parser->replace(2, robot);
    QVERIFY(players->entry(2)->robot && players->entry(2)->rating == 1690);
    emit m_parser->exchange(2);
    emit m_parser->exchanged(2, 6);
    emit m_parser->exchanged(5, 4);
    emit m_window->storeWatch()->stored(QStringLiteral("%1 map"), 1);
    QCOMPARE(m_test->outputSince(seen),
             QStringList({QStringLiteral("Player 3: %2%1 (%2%1.example)"),
                          QStringLiteral("Player 3 is replaced by the robot %1 x"),
                          QStringLiteral("%1 x must exchange cards"),
                          QStringLiteral("%1 x receives 6 armies for exchanging cards"),
                          QStringLiteral("The map %1 map is stored in slot 2")}));
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

void TestTarvenix::storyToTheGameOver()
{
    m_test->enterGame();
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

void TestTarvenix::localPlayerOut_data()
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

void TestTarvenix::localPlayerOut()
{
    QFETCH(bool, defeated);
    m_test->enterGame();
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

void TestTarvenix::callsBackToAnInactiveWindow()
{
    // The chat window has the focus, not the main window.
    ChatDialog* chat = m_window->chatDialog();
    chat->show();
    chat->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(chat));
    m_test->enterGame();
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
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    emit m_parser->more(0);
    QCOMPARE(m_notified.size(), 1);
    chat->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(chat));
    QVERIFY(!m_window->isActiveWindow());
    ConfigDialog* config = m_window->configDialog();
    auto* desktop = config->findChild<QCheckBox*>(QStringLiteral("AlertDesktopBox"));
    QVERIFY(desktop->isChecked());
    desktop->click();
    QVERIFY(!m_window->alertSwitches().desktop);
    const QString file = AlertSwitches::fileBeside(m_test->settings.fileName());
    QVERIFY(!AlertSwitches::load(file).desktop);
    emit m_parser->more(0);
    QCOMPARE(m_notified.size(), 1);
    m_window->setAlertFile(file);
    QVERIFY(!desktop->isChecked());
}

void TestTarvenix::steadyRowAndFollowingOutput()
{
    m_test->enterGame();
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

void TestTarvenix::hugeObserverCountIsANumber()
{
    lobbyAtLogin();
    m_test->announceGame(4);
    UsersDialog* lobby = m_window->usersDialog();
    lobby->show();
    QVERIFY(QTest::qWaitForWindowExposed(lobby));
    // The largest count the wire carries, through the real parser, then a
    // keep-alive: it is answered, and the games list shows the observers as
    // one icon and their number instead of building an icon for each.
    Message status = messageOf({op(Opcode::Game), 4, QByteArray("Op"), 0, 0x7fffffff, 2, 0, 0});
    Message ping = messageOf({op(Opcode::Ping)});
    m_parser->parse(&status);
    auto* games = lobby->findChild<QTreeWidget*>(QStringLiteral("GameList"));
    QVERIFY(games && games->topLevelItemCount() == 1);
    games->viewport()->grab();
    sent();
    m_parser->parse(&ping);
    QCOMPARE(sent(), QStringList{QStringLiteral("Ping")});

    QTreeWidgetItem* row = games->topLevelItem(0);
    const QStringList icons = row->data(GameItem::UsersColumn, GameItem::IconsRole).toStringList();
    QCOMPARE(icons.size(), 3);
    QCOMPARE(icons.last(), QStringLiteral("Icons/Observer.png"));
    QCOMPARE(row->data(GameItem::UsersColumn, GameItem::CountRole).toInt(), (1 << 30) - 3);
    // The column is as wide as the icons and the number, not a mile wide.
    QVERIFY(games->header()->sectionSize(GameItem::UsersColumn) < 400);

    // Back to a handful, an icon each again.
    emit m_parser->game(4, QStringLiteral("Op"), false, 5, 2, 0, 0);
    QCOMPARE(row->data(GameItem::UsersColumn, GameItem::IconsRole).toStringList().size(), 5);
    QCOMPARE(row->data(GameItem::UsersColumn, GameItem::CountRole).toInt(), 0);
}

void TestTarvenix::lobbyAtLogin()
{
    emit m_parser->success(QStringLiteral("Me"));
    m_test->announceUser(QStringLiteral("Ann"));
    m_test->announceUser(QStringLiteral("ben"), 0, 0, true);
    m_test->announceUser(QStringLiteral("Root"), 0, 0, false, true);
    m_test->announceUser(QStringLiteral("Me"), 0, 0, true);
}

void TestTarvenix::ownUserEntersAndLeaves()
{
    // The game's status arrives first, naming the user as its operator.
    m_test->announceGame(12, QStringLiteral("Me"));
    m_test->announceGame(14);
    m_test->announceUser(QStringLiteral("Me"));
    QVERIFY(!enabled("Start"));
    m_window->newGameDialog()->show();
    user("Me", 12, 0);
    QVERIFY(enabled("Start") && enabled("Robot") && enabled("Store"));
    QVERIFY(!m_window->newGameDialog()->isVisible());
    QCOMPARE(m_window->stack()->currentWidget(), m_window->stackPage(Tarvenix::CardsPage));
    // Joining from another waiting game leaves that one first.
    m_window->actionJoin(14);
    QCOMPARE(sent(), QStringList({QStringLiteral("Part"), QStringLiteral("Join|14")}));

    // Leave asks to leave the game; outside one it asks to log out.
    m_test->barButton("Leave")->click();
    emit m_window->leaveDialog()->yes();
    QCOMPARE(sent(), QStringList{QStringLiteral("Part")});
    m_window->leaveDialog()->show();
    user("Me", 0, 0);
    QVERIFY(!enabled("Store") && !m_window->leaveDialog()->isVisible());
    QCOMPARE(m_window->stack()->currentWidget(), m_window->stackPage(Tarvenix::EditorPage));
    m_test->barButton("Leave")->click();
    QVERIFY(m_window->logoutDialog()->isVisible());
    m_window->actionWatch(14);
    QCOMPARE(sent(), QStringList{QStringLiteral("Watch|14")});

    // A game that ends while the user is inside is left properly; the late
    // user message then touches nothing freed.
    user("Me", 14, 0);
    emit m_parser->endGame(14);
    QVERIFY(!enabled("Store"));
    user("Me", 0, 0);

    // One slot message reaches both dialogs that show the slots.
    emit m_parser->slot(true, 2, 9, QStringLiteral("Isles"), QStringLiteral("Bob"));
    const auto named = [this](const char* dialogButtons, int slot) {
        return m_window->findChildren<QRadioButton*>(QLatin1String(dialogButtons)).at(slot)->text();
    };
    QCOMPARE(named("FavouritesSlot", 2), QStringLiteral("Isles by Bob"));
    QCOMPARE(named("NewGameMapsPersonalButton", 2), QStringLiteral("Isles by Bob"));
    QCOMPARE(m_window->newGameDialog()->maps()->anyMapId(), 9);

    // A refusal after a welcome empties the lobby the user already saw.
    emit m_parser->robot(QStringLiteral("Bot"), QStringLiteral("Ann"), 1, 1, 1);
    emit m_parser->failure(int(FailureCode::WrongPassword));
    QVERIFY(m_window->loginDialog()->isVisible());
    QVERIFY(!m_window->lobby()->findUser(QStringLiteral("Me")));
    QVERIFY(!m_window->robotDialog()->findRobot(QStringLiteral("Bot")));
    QVERIFY(m_window->robots()->robots().isEmpty());
    QCOMPARE(m_window->newGameDialog()->maps()->anyMapId(), -1);
    QVERIFY(!enabled("Users") && enabled("Config"));
}

void TestTarvenix::scriptEventsAndCommands()
{
    // Chat from users the lobby does not know raises nothing.
    emit m_parser->globalChat(QStringLiteral("Stranger"), QStringLiteral("hello"));
    emit m_parser->user(QStringLiteral("Ghost"), 1, 1, 0, 0, false, QString(), false, 1);
    QVERIFY(m_test->takeEvents().isEmpty());

    // The handlers still see the previous record through the script commands.
    QCOMPARE(eval("proc old {nick args} { lappend ::events [userinfo rating $nick] }\n"
                  "on -50 server_user old; on -50 server_enduser old"),
             QString());
    emit m_parser->newGame(7, 3, QStringLiteral("Isles"), QStringLiteral("Ann"), true, false, 90,
                           false, false, false, false, true, false, 2, 0, 0, true, false, 0, false,
                           false);
    emit m_parser->game(7, QStringLiteral("Ann"), false, 3, 2, 1, 0);
    emit m_parser->newUser(QStringLiteral("Ann"), QStringLiteral("ann.example"));
    emit m_parser->user(QStringLiteral("Ann"), 1720, 33, 7, 0, true, QStringLiteral(":)"), false,
                        4);
    emit m_parser->newUser(QStringLiteral("Me"), QStringLiteral("me.example"));
    emit m_parser->membersChat(QStringLiteral("Ann"), QStringLiteral("members"));
    emit m_parser->gameChat(QStringLiteral("Ann"), QStringLiteral("gg"));
    emit m_parser->whisper(QStringLiteral("Ann"), QStringLiteral("psst"));
    // Masks from the server classify without being sent back.
    emit m_parser->mask(QStringLiteral("ann@*"), QStringLiteral("enemy"));
    m_window->actionUserBecomesFriend(QStringLiteral("Bob"), false);
    // Typed text beyond Latin-1 reaches the scripts as the server will get it.
    emit m_chat->globalChat(QString::fromUtf8("5 \u20ac, caf\u00e9"));
    QCOMPARE(m_test->takeEvents(),
             (QStringList{QStringLiteral("server_newuser|Ann|ann.example"),
                          QStringLiteral("server_user|Ann|1720|33|7|1|0|1|:)|0|4"),
                          QStringLiteral("1500"), QStringLiteral("server_newuser|Me|me.example"),
                          QStringLiteral("server_chat|member|Ann|members"),
                          QStringLiteral("server_chat|game|Ann|gg"),
                          QStringLiteral("server_whisper|Ann|psst"),
                          QStringLiteral("user_becomes_enemy|Ann|1"),
                          QStringLiteral("user_becomes_friend|Bob|0"),
                          QString::fromUtf8("chat_message|global|5 ?, caf\u00e9")}));
    QCOMPARE(sent(), QStringList{QString::fromUtf8("GlobalChat|5 ?, caf\u00e9")});

    // The commands read the lobby, the seats and the colours.
    QCOMPARE(eval("join [lmap o {nick host rating games smilie game observer player operator "
                  "member admin} { userinfo $o Ann }] ,"),
             QStringLiteral("Ann,ann.example,1720,33,:),7,0,1,1,1,0"));
    QCOMPARE(eval("join [lmap o {map pba capitals timeout nowhispers minhumans gifts operator "
                  "players clients robots} { gameinfo $o 7 }] ,"),
             QStringLiteral("3,1,0,90,1,2,1,Ann,2,3,1"));
    m_window->playerList()->setRobot(4, QStringLiteral("Robby"), 1500, 1, 0);
    QCOMPARE(eval("players"), QStringLiteral("Robby"));
    QCOMPARE(eval("color background 3"), m_window->configDialog()->backgroundColor(3).name());
    emit m_parser->endUser(QStringLiteral("Ann"));
    QCOMPARE(m_test->takeEvents(),
             (QStringList{QStringLiteral("server_enduser|Ann"), QStringLiteral("1720")}));
    QVERIFY(!m_window->lobby()->findUser(QStringLiteral("Ann")));
}

void TestTarvenix::channelsAndWhispers()
{
    lobbyAtLogin();
    // While the chat window is closed, a whisper is told in the game output
    // and marks Chat; opened, the chat takes the mark and the whispers.
    QToolButton* chat = barButton("Chat");
    emit m_parser->whisper(QStringLiteral("Ann"), QStringLiteral("psst?"));
    QCOMPARE(m_test->lastLine(), QStringLiteral("Ann whispers to you"));
    QVERIFY(chat->property("marked").toBool());
    m_window->actionChat();
    QVERIFY(m_chat->isVisible() && !chat->property("marked").toBool());
    const int output = m_test->outputCount();
    ChatBox* global = m_chat->globalBox();
    emit m_parser->mask(QStringLiteral("Ann@*"), QStringLiteral("friend"));
    m_chat->tabs()->setCurrentWidget(m_chat->gameBox());
    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("hello {world} [x] $y"));
    QCOMPARE(lines(global), QStringList{QStringLiteral("Ann: hello {world} [x] $y")});
    QCOMPARE(global->view()->line(0).circleColor, QColor(0x00, 0x80, 0x00));
    QVERIFY(m_chat->isMarkedActive(global));
    // A typed line appears when the server sends it back; mistakes and closed
    // channels stay in the box.
    type(global, QStringLiteral("/me waves"));
    type(global, QStringLiteral("//shrug"));
    type(global, QStringLiteral("/dance now"));
    type(m_chat->gameBox(), QStringLiteral("anyone?"));
    type(m_chat->membersBox(), QStringLiteral("members here?"));
    QCOMPARE(sent(), QStringList({QStringLiteral("GlobalChat|/me waves"),
                                  QStringLiteral("GlobalChat|/shrug"),
                                  QStringLiteral("MembersChat|members here?")}));
    emit m_parser->globalChat(QStringLiteral("Me"), QStringLiteral("/me waves"));
    QCOMPARE(lines(global).mid(1),
             QStringList({QStringLiteral("Unknown command /dance - type /help for the list"),
                          QStringLiteral("* Me waves")}));
    QCOMPARE(lines(m_chat->gameBox()).last(), QStringLiteral("You are not in a game"));

    // Whispers are not sent back: the own line shows at once, an answer
    // lights the tab when it is behind, and /w finds the nickname in any case.
    global->userList()->setCurrentItem(global->findUser(QStringLiteral("Ann")));
    QTest::mouseClick(global->whisperButton(), Qt::LeftButton);
    WhisperBox* ann = m_chat->whisperBox(QStringLiteral("Ann"));
    QCOMPARE(m_chat->tabs()->currentWidget(), ann);
    type(ann, QStringLiteral("psst"));
    m_chat->tabs()->setCurrentWidget(global);
    emit m_parser->whisper(QStringLiteral("Ann"), QStringLiteral("yes?"));
    QCOMPARE(lines(ann), (QStringList{QStringLiteral("Ann: psst?"), QStringLiteral("Me: psst"),
                                      QStringLiteral("Ann: yes?")}));
    QVERIFY(m_chat->isMarkedActive(ann));
    QCOMPARE(m_test->outputCount(), output);
    QVERIFY(!chat->property("marked").toBool());
    type(global, QStringLiteral("/w ANN see you  later"));
    QCOMPARE(sent(), QStringList({QStringLiteral("Whisper|Ann|psst"),
                                  QStringLiteral("Whisper|Ann|see you  later")}));
    // Someone who is gone cannot be whispered to; closing the tab tells the scripts.
    emit m_parser->endUser(QStringLiteral("Ann"));
    type(ann, QStringLiteral("still there?"));
    QCOMPARE(lines(ann).last(), QStringLiteral("Ann is not logged on"));
    m_test->takeEvents();
    QTest::mouseClick(ann->closeButton(), Qt::LeftButton);
    QCOMPARE(m_test->takeEvents(), QStringList{QStringLiteral("chat_closebutton|Ann")});

    // An ignored user's lines and whispers are dropped; Ignore again lifts it.
    ChatBox* members = m_chat->membersBox();
    members->userList()->setCurrentItem(members->findUser(QStringLiteral("ben")));
    QTest::mouseClick(members->ignoreButton(), Qt::LeftButton);
    const int before = global->view()->lineCount();
    emit m_parser->globalChat(QStringLiteral("ben"), QStringLiteral("can you hear me"));
    emit m_parser->whisper(QStringLiteral("ben"), QStringLiteral("psst"));
    QCOMPARE(global->view()->lineCount(), before);
    QVERIFY(m_chat->whisperNames().isEmpty());
    QVERIFY(members->findUser(QStringLiteral("ben"))->strikeOut());
    emit m_chat->ignore(QStringLiteral("ben"));
    QVERIFY(!global->findUser(QStringLiteral("ben"))->strikeOut());
    QVERIFY(sent().isEmpty());
}

void TestTarvenix::usersComeAndGo()
{
    lobbyAtLogin();
    ChatBox* global = m_chat->globalBox();
    // The users there before the own login come without join lines; later
    // ones come and go with hideable lines.
    QCOMPARE(global->view()->lineCount(), 0);
    m_test->announceUser(QStringLiteral("Abe"), 0, 0, true);
    emit m_parser->endUser(QStringLiteral("ben"));
    QCOMPARE(listed(m_chat->membersBox()),
             (QStringList{QStringLiteral("Abe"), QStringLiteral("Me")}));
    QCOMPARE(lines(global),
             (QStringList{QStringLiteral("Abe has joined"), QStringLiteral("ben has left")}));
    global->leaveJoins()->click();
    QCOMPARE(global->view()->line(0).height, 0);
    // Colours follow the server and the masks, the admin's first.
    emit m_parser->mask(QStringLiteral("R*"), QStringLiteral("enemy"));
    const ChatUserItem* root = global->findUser(QStringLiteral("Root"));
    QCOMPARE(root->color(), QColor(0x00, 0x00, 0x80));
    emit m_parser->user(QStringLiteral("Root"), 1500, 0, 0, 0, false, QString(), false, 1);
    QCOMPARE(root->color(), QColor(0xff, 0x00, 0x00));

    // The game list fills when the own user enters, follows the others and
    // empties when he leaves, and after a logout.
    m_test->announceGame(7, QStringLiteral("Ann"));
    user("Ann", 7, 0);
    ChatBox* game = m_chat->gameBox();
    user("Me", 7, 0, true);
    QCOMPARE(listed(game), (QStringList{QStringLiteral("Ann"), QStringLiteral("Me")}));
    user("Root", 0, 7);
    user("Ann", 0, 0);
    user("Me", 0, 0, true);
    QCOMPARE(game->userList()->topLevelItemCount(), 0);
    QCOMPARE(lines(game), (QStringList{QStringLiteral("You have joined game 7"),
                                       QStringLiteral("Root is watching the game"),
                                       QStringLiteral("Ann has left the game"),
                                       QStringLiteral("You have left game 7")}));
    user("Me", 0, 7, true);
    m_window->actionLogout();
    lobbyAtLogin();
    QCOMPARE(game->userList()->topLevelItemCount(), 0);
}

QTEST_MAIN(TestTarvenix)
#include "tst_tarvenix.moc"
