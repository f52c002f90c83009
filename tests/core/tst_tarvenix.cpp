#include "../chat/chatlines.h"
#include "chatbox.h"
#include "chatdialog.h"
#include "chatview.h"
#include "connection.h"
#include "connectstatus.h"
#include "logindialog.h"
#include "map.h"
#include "message.h"
#include "playerlist.h"
#include "protocol.h"
#include "question.h"
#include "registerdialog.h"
#include "scriptedserver.h"
#include "settings.h"
#include "tarvenix.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

namespace {

// What the program's own categories write while a test runs (the platform
// plugin's remarks are not the program's).
QStringList programOutput;
void collect(QtMsgType, const QMessageLogContext& context, const QString&)
{
    if (QLatin1String(context.category).startsWith(QLatin1String("tarvenix.")))
        programOutput << QLatin1String(context.category);
}

void click(QWidget* parent, const char* button)
{
    QTest::mouseClick(parent->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

// The main window against a server on 127.0.0.1 whose side the test plays:
// logging in and registering with what can go wrong on the way, the
// server's announcements, logging out and quitting, and the configuration
// window's reach.
class TestTarvenix : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startAndCancel();
    void greetingThenLoginOnTheSameConnection();
    void welcomeThenServerClosingOffersNewLogin();
    void unreachableOrSilentServer();
    void registration();
    void cancelWhileConnecting();
    void quitKey();
    void announcementsThenLogout();
    void configWindowFontsAndSeatColours();
    void marqueeRotation_data();
    void marqueeRotation();

private:
    void login(const QString& password = QStringLiteral("pw"));
    // Logs in as Rook and waits for the login request.
    void loginAndGreet(const char* welcome = nullptr);
    QString lastLine() const { return chatLines(m_window->output()).value(lineCount() - 1); }
    int lineCount() const { return m_window->output()->lineCount(); }
    QColor lastCircle() const { return m_window->output()->line(lineCount() - 1).circleColor; }
    int received() const { return int(m_server->received().size()); }
    bool lastReceivedIs(Opcode opcode) const
    {
        return Protocol::is(m_server->received().last(), opcode);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<ScriptedServer> m_server;
    std::unique_ptr<Tarvenix> m_window;
};

void TestTarvenix::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<Settings>(m_dir->filePath(QStringLiteral("tarvenix.cfg")));
    m_server = std::make_unique<ScriptedServer>();
    m_window = std::make_unique<Tarvenix>();
    m_window->setServer(QStringLiteral("127.0.0.1"), m_server->port());
    m_window->show();
    m_window->start();
}

void TestTarvenix::cleanup()
{
    m_window.reset();
    m_server.reset();
    m_settings.reset();
    m_dir.reset();
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
    QVERIFY(lastReceivedIs(Opcode::Login));
    if (welcome) {
        m_server->welcome(welcome);
        QTRY_COMPARE(lastLine(), QStringLiteral("Welcome ") + QLatin1String(welcome));
    }
}

void TestTarvenix::startAndCancel()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("QtTarvenixGame -- Game"));
    // A second start while logged out changes nothing.
    m_window->start();
    QVERIFY(m_window->loginDialog()->isVisible());
    QVERIFY(!m_window->registerDialog()->isVisible());
    click(m_window->loginDialog(), "_cancelButton");
    QVERIFY(!m_window->loginDialog()->isVisible());
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->connection());
}

void TestTarvenix::greetingThenLoginOnTheSameConnection()
{
    login(QStringLiteral("pa ss"));
    // The form stays with the attempt until the server greets, and nothing
    // is sent before.
    QVERIFY(m_window->loginDialog()->isConnecting());
    QCOMPARE(lastLine(), QStringLiteral("Connecting to 127.0.0.1:%1...").arg(m_server->port()));
    QTRY_COMPARE(m_server->clientCount(), 1);
    QTest::qWait(50);
    QCOMPARE(received(), 0);
    m_server->greet();
    QTRY_COMPARE(received(), 1);
    QVERIFY(!m_window->loginDialog()->isVisible());
    QCOMPARE(QByteArray(m_server->received().first().getString(2)), QByteArray("pa ss"));

    // A refusal keeps the connection: the second attempt goes out at once.
    Connection* connection = m_window->connection();
    m_server->refuse(5);
    QTRY_VERIFY(m_window->loginDialog()->isVisible());
    QCOMPARE(lastLine(), QStringLiteral("Login failed: wrong password"));
    QCOMPARE(lastCircle(), QColor(Qt::red));
    QCOMPARE(m_window->connection(), connection);
    login(QStringLiteral("right"));
    QTRY_COMPARE(received(), 2);
    QCOMPARE(QByteArray(m_server->received().last().getString(2)), QByteArray("right"));
    QCOMPARE(m_server->clientCount(), 1);
}

void TestTarvenix::welcomeThenServerClosingOffersNewLogin()
{
    // The welcome's spelling of the nickname is the one shown and stored.
    m_window->loginDialog()->findChild<QCheckBox*>(QStringLiteral("_storeBox"))->setChecked(true);
    loginAndGreet("ROOK");
    QCOMPARE(lastCircle(), QColor(Qt::lightGray));
    QCOMPARE(m_window->loginDialog()->nickname(), QStringLiteral("ROOK"));
    QCOMPARE(m_settings->value(QStringLiteral("login"), QStringLiteral("nickname")),
             QStringLiteral("ROOK"));
    QCOMPARE(m_settings->value(QStringLiteral("login"), QStringLiteral("password")),
             QStringLiteral("pw"));

    // Seats and chat users do not outlive the session they belong to.
    PlayerList* players = m_window->playerList();
    players->setPlayer(2, QStringLiteral("Rook"), 1500, 1, 0, false, false, false, false);
    players->setCurrent(2);
    ChatDialog* chat = m_window->chatDialog();
    m_window->actionChat();
    chat->addGlobalUser(QStringLiteral("Ann"));
    chat->addGlobalMessage(Qt::gray, Qt::black, QStringLiteral("Ann: bye"), false);

    QPointer<Connection> dead = m_window->connection();
    m_server->client()->disconnectFromHost();
    QTRY_COMPARE(lastLine(), QStringLiteral("The connection with the server has been lost"));
    QCOMPARE(lastCircle(), QColor(Qt::red));
    QVERIFY(m_window->loginDialog()->isVisible());
    QTRY_VERIFY(dead.isNull());
    QVERIFY(!players->entry(2));
    QCOMPARE(players->current(), -1);
    QVERIFY(!chat->isVisible());
    QCOMPARE(chat->globalBox()->userList()->topLevelItemCount(), 0);
    // What was said stays readable after the next login.
    QCOMPARE(chat->globalBox()->view()->lineCount(), 1);
    loginAndGreet();
}

void TestTarvenix::unreachableOrSilentServer()
{
    quint16 closed = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        closed = probe.serverPort();
    }
    m_window->setServer(QStringLiteral("127.0.0.1"), closed);
    const QString prefix = QStringLiteral("Could not connect to 127.0.0.1:%1: ").arg(closed);
    // While registering, the form the user came from comes back, still filled in.
    m_window->actionStartRegister();
    RegisterDialog* dialog = m_window->registerDialog();
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
        edit->setText(QStringLiteral("Rook"));
    click(dialog, "RegisterButton");
    QTRY_VERIFY(lastLine().startsWith(prefix));
    QVERIFY(dialog->isVisible());
    QVERIFY(!m_window->loginDialog()->isVisible());
    QCOMPARE(dialog->nickname(), QStringLiteral("Rook"));

    click(dialog, "CancelButton");
    login();
    QTRY_VERIFY(!m_window->loginDialog()->isConnecting());
    // The reason shows in the form as well as in the output.
    QVERIFY2(lastLine().size() > prefix.size() && lastLine().startsWith(prefix),
             qPrintable(lastLine()));
    QCOMPARE(m_window->loginDialog()->status()->text(), lastLine());
    QVERIFY(!m_window->connection());

    // A server that never greets is given up, quietly but for the game output.
    programOutput.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    m_window->setServer(QStringLiteral("127.0.0.1"), m_server->port());
    m_window->setGreetingTimeout(150);
    login();
    QTRY_COMPARE(m_server->clientCount(), 1);
    QTRY_VERIFY(!m_window->loginDialog()->isConnecting());
    qInstallMessageHandler(previous);
    QCOMPARE(lastLine(),
             QStringLiteral("Could not connect to 127.0.0.1:%1: the server did not answer")
                 .arg(m_server->port()));
    QTRY_COMPARE(m_server->client()->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(programOutput, QStringList());
}

void TestTarvenix::registration()
{
    LoginDialog* login = m_window->loginDialog();
    click(login, "_registerButton");
    RegisterDialog* dialog = m_window->registerDialog();
    QVERIFY(dialog->isVisible() && !login->isVisible());
    const QList<QPair<const char*, const char*>> fields{
        {"NameEdit", "Rook"},     {"PasswordEdit", "pw"},  {"VerifyEdit", "pw"},
        {"FirstNameEdit", "Ann"}, {"LastNameEdit", "Lee"}, {"AddressEdit", "1 Way"},
        {"ZipcodeEdit", "12345"}, {"CityEdit", "Town"},    {"StateEdit", "State"},
        {"CountryEdit", "Land"},  {"EmailEdit", "a@b.c"}};
    for (const auto& [name, value] : fields)
        dialog->findChild<QLineEdit*>(QLatin1String(name))->setText(QLatin1String(value));
    click(dialog, "RegisterButton");
    QVERIFY(dialog->isConnecting());
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

    // A refusal brings the form back with every field, and the reason.
    m_server->refuse(2);
    QTRY_COMPARE(lastLine(), QStringLiteral("Registration failed: try a different nickname"));
    QVERIFY(dialog->isVisible() && !login->isVisible());
    QCOMPARE(dialog->status()->text(), lastLine());
    QCOMPARE(dialog->email(), QStringLiteral("a@b.c"));
    // So does a nickname the server cannot use, and the form says that it
    // was the registration that failed.
    click(dialog, "RegisterButton");
    QTRY_COMPARE(received(), 2);
    m_server->refuse(0);
    QTRY_COMPARE(lastLine(), QStringLiteral("Login failed: invalid nickname"));
    QVERIFY(dialog->isVisible() && !login->isVisible());
    QCOMPARE(dialog->status()->text(), QStringLiteral("Registration failed: invalid nickname"));

    // Cancel goes back to the login dialog; its Login now logs in, at once.
    click(dialog, "CancelButton");
    click(login, "_loginButton");
    QVERIFY(!m_window->isRegistering());
    QTRY_COMPARE(received(), 3);
    QVERIFY(lastReceivedIs(Opcode::Login));
}

void TestTarvenix::cancelWhileConnecting()
{
    LoginDialog* dialog = m_window->loginDialog();
    login();
    QTRY_COMPARE(m_server->clientCount(), 1);
    // Escape gives up the attempt; it does not end the program.
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!m_window->connection());
    QVERIFY(!dialog->isConnecting());
    QVERIFY(dialog->isVisible() && m_window->isVisible());
    QCOMPARE(lastLine(),
             QStringLiteral("Stopped connecting to 127.0.0.1:%1").arg(m_server->port()));
    QTRY_COMPARE(m_server->client()->state(), QAbstractSocket::UnconnectedState);
    // The next attempt is a new connection.
    loginAndGreet();
}

void TestTarvenix::quitKey()
{
    // Logged out, Ctrl+Q ends the program at once.
    QVERIFY(QTest::qWaitForWindowActive(m_window->loginDialog()));
    QTest::keyClick(m_window->loginDialog(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!m_window->isVisible());

    // Logged in, it asks the logout question first; No keeps the session
    // and a later logout is no quit.
    m_window->show();
    m_window->start();
    loginAndGreet("Rook");
    Question* logout = m_window->logoutDialog();
    QTest::keyClick(m_window.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(logout->isVisible() && m_window->isVisible());
    click(logout, "NoButton");
    QVERIFY(m_window->connection());
    logout->show();
    click(logout, "YesButton");
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->loginDialog()->isVisible());

    loginAndGreet("Rook");
    QTest::keyClick(m_window.get(), Qt::Key_Q, Qt::ControlModifier);
    click(logout, "YesButton");
    QVERIFY(!m_window->connection());
    QVERIFY(!m_window->isVisible());
}

void TestTarvenix::announcementsThenLogout()
{
    loginAndGreet();
    const int before = lineCount();
    m_server->send(Protocol::message(Opcode::Closed));
    m_server->send(Protocol::message(Opcode::Upgrade));
    m_server->send(Protocol::message(Opcode(99)));
    m_server->send(Opcode::RobotError, {"Bot", "no such robot"});
    QTRY_COMPARE(lineCount(), before + 5);
    QCOMPARE(chatLines(m_window->output()).mid(before),
             QStringList({QStringLiteral("The server is closing down..."),
                          QStringLiteral("This program is out of date"),
                          QStringLiteral("Please visit www.tarvenix.example and download the "
                                         "latest version"),
                          QStringLiteral("Unknown opcode: 99"),
                          QStringLiteral("Robot error: Bot: no such robot")}));
    QCOMPARE(m_window->output()->line(before).textColor, QColor(Qt::red));
    // None of them ends the session, and a keep-alive is answered at once.
    QVERIFY(m_window->connection());
    m_server->send(Protocol::message(Opcode::Ping));
    QTRY_COMPARE(received(), 2);
    QVERIFY(lastReceivedIs(Opcode::Ping));

    m_window->playerList()->setPlayer(0, QStringLiteral("Bot"), 1500, 1, 0, true, false, false,
                                      false);
    Map* board = m_window->map();
    board->addContinent(1, QStringLiteral("North"), 3);
    board->addCountry(1, QStringLiteral("Alpha"), 1);
    board->setCountry(1, 0, 4);
    m_window->actionChat();
    m_window->chatDialog()->addGameUser(QStringLiteral("Ann"));
    Question* logout = m_window->logoutDialog();
    logout->show();
    click(logout, "YesButton");
    // The board is blank again, not the last session's map.
    QVERIFY(board->countries().empty());
    QVERIFY(board->model().continents().empty());
    QCOMPARE(board->countriesPie().total(), 0);
    QVERIFY(!m_window->playerList()->entry(0));
    QVERIFY(!m_window->chatDialog()->isVisible());
    QCOMPARE(m_window->chatDialog()->gameBox()->userList()->topLevelItemCount(), 0);
    QVERIFY(!m_window->connection());
    // Both fields are filled in: Return logs in again, it does not register.
    QCOMPARE(m_window->loginDialog()->focusWidget()->objectName(), QStringLiteral("_loginButton"));
    QTRY_COMPARE(m_server->client()->state(), QAbstractSocket::UnconnectedState);
    // Logging out is no loss of the connection.
    QVERIFY(lastLine() != QStringLiteral("The connection with the server has been lost"));
}

void TestTarvenix::configWindowFontsAndSeatColours()
{
    // A font stored by an earlier run reaches the game output at start-up.
    m_window.reset();
    m_settings->setValue(QStringLiteral("fonts"), QStringLiteral("Game output_size"),
                         QStringLiteral("13"));
    m_window = std::make_unique<Tarvenix>();
    m_window->show();
    m_window->start();
    QCOMPARE(m_window->output()->font().pointSize(), 13);

    QTest::mouseClick(m_window->findChild<QToolButton*>(QStringLiteral("ButtonConfig")),
                      Qt::LeftButton);
    QWidget* config = m_window->findChild<QWidget*>(QStringLiteral("ConfigDialog"));
    QVERIFY(config && config->isVisible());
    // "Use this color" on the third seat's row changes that seat everywhere.
    Map* map = m_window->map();
    PlayerList* players = m_window->playerList();
    config->findChildren<QRadioButton*>(QStringLiteral("PlayerCheckbox")).at(2)->click();
    config->findChild<QSlider*>(QStringLiteral("RedSlider"))->setValue(128);
    config->findChild<QPushButton*>(QStringLiteral("ColorEditorPushButton"))->click();
    QCOMPARE(map->backgroundColor(2), QColor(128, 255, 255));
    QCOMPARE(players->seatColor(2), QColor(128, 255, 255));
    QCOMPARE(map->backgroundColor(1), QColor(Qt::red));
    QCOMPARE(players->seatColor(5), QColor(Qt::magenta));

    // The logged-out look has no configuration window.
    m_window->reset(false);
    QVERIFY(!config->isVisible());
}

void TestTarvenix::marqueeRotation_data()
{
    QTest::addColumn<bool>("member");
    QTest::addColumn<int>("shown");
    // The rotation's own tests hold its timing; here, whose record counts.
    QTest::newRow("non-member") << false << 4;
    QTest::newRow("member") << true << 0;
}

void TestTarvenix::marqueeRotation()
{
    QFETCH(bool, member);
    qint64 now = 100000;
    m_window->setMarqueeClock([&now] { return now; });
    m_window->loginDialog()->setNickname(QStringLiteral("Rook"));
    m_window->parseNewUser(QStringLiteral("Rook"), QStringLiteral("host"));
    m_window->parseUser(QStringLiteral("Rook"), 1500, 3, 0, 0, member, QString(), false, 1);
    QVERIFY(!m_window->map()->marqueeVisible());
    // Five-second ticks: shown at ticks 0 and 1, again at 62 and 63.
    int shown = 0;
    for (int tick = 0; tick < 100; ++tick, now += 5) {
        m_window->actionMarqueeTimer();
        shown += m_window->map()->marqueeVisible();
    }
    QTEST(shown, "shown");
}

QTEST_MAIN(TestTarvenix)
#include "tst_tarvenix.moc"
