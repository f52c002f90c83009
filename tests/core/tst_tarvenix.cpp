#include "../chat/chatlines.h"
#include "chatbox.h"
#include "chatdialog.h"
#include "chatview.h"
#include "connection.h"
#include "connectstatus.h"
#include "logindialog.h"
#include "map.h"
#include "playerlist.h"
#include "question.h"
#include "registerdialog.h"
#include "scriptedserver.h"
#include "settings.h"
#include "tarvenix.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

void click(QWidget* parent, const char* button)
{
    QTest::mouseClick(parent->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

// The main window against a server on 127.0.0.1 whose side the test plays:
// logging in and registering with what can go wrong on the way, the
// server's announcements, and what a lost connection or a logout clears.
class TestTarvenix : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loginRefusalAndLostConnection();
    void registrationKeepsItsForm();
    void announcementsThenLogoutAndQuit();
    void seatColoursReachBoardAndSeats();

private:
    void login(const QString& password = QStringLiteral("pw"));
    // Logs in as Rook; waits for the login request and answers it, if asked.
    void loginAndGreet(const char* welcome = nullptr);
    QString lastLine() const { return chatLines(m_window->output()).value(lineCount() - 1); }
    int lineCount() const { return m_window->output()->lineCount(); }
    QColor lastCircle() const { return m_window->output()->line(lineCount() - 1).circleColor; }
    int received() const { return int(m_server->received().size()); }

    QTemporaryDir m_dir;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<ScriptedServer> m_server;
    std::unique_ptr<Tarvenix> m_window;
};

void TestTarvenix::init()
{
    m_settings = std::make_unique<Settings>(m_dir.filePath(QStringLiteral("tarvenix.cfg")));
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
        QTRY_COMPARE(lastLine(), QStringLiteral("Welcome ") + QLatin1String(welcome));
    }
}

void TestTarvenix::loginRefusalAndLostConnection()
{
    // Escape gives up an attempt; it does not end the program.
    LoginDialog* dialog = m_window->loginDialog();
    login();
    QCOMPARE(lastLine(), QStringLiteral("Connecting to 127.0.0.1:%1...").arg(m_server->port()));
    QTRY_COMPARE(m_server->clientCount(), 1);
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!m_window->connection());
    QVERIFY(dialog->isVisible() && m_window->isVisible());
    QCOMPARE(lastLine(),
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
    QCOMPARE(lastLine(), QStringLiteral("Login failed: wrong password"));
    QCOMPARE(lastCircle(), QColor(Qt::red));
    dialog->findChild<QCheckBox*>(QStringLiteral("_storeBox"))->setChecked(true);
    login();
    QTRY_COMPARE(received(), 2);
    QCOMPARE(m_server->clientCount(), 2);

    // The welcome's spelling of the nickname is the one shown and stored.
    m_server->welcome("ROOK");
    QTRY_COMPARE(lastLine(), QStringLiteral("Welcome ROOK"));
    QCOMPARE(dialog->nickname(), QStringLiteral("ROOK"));
    QCOMPARE(m_settings->value(QStringLiteral("login"), QStringLiteral("nickname")),
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
    QTRY_COMPARE(lastLine(), QStringLiteral("The connection with the server has been lost"));
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
    QTRY_COMPARE(lastLine(),
                 QStringLiteral("Could not connect to 127.0.0.1:%1: the server did not answer")
                     .arg(m_server->port()));
    QVERIFY(!dialog->isConnecting());
}

void TestTarvenix::registrationKeepsItsForm()
{
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
    QTRY_VERIFY(lastLine().startsWith(unreachable));
    QVERIFY(lastLine().size() > unreachable.size());
    QVERIFY(dialog->isVisible() && !login->isVisible());
    QCOMPARE(dialog->status()->text(), lastLine());

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
    QTRY_COMPARE(lastLine(), QStringLiteral("Registration failed: try a different nickname"));
    QVERIFY(dialog->isVisible() && !login->isVisible());
    QCOMPARE(dialog->email(), QStringLiteral("a@b.c"));
    click(dialog, "RegisterButton");
    QTRY_COMPARE(received(), 2);
    m_server->refuse(0);
    QTRY_COMPARE(lastLine(), QStringLiteral("Login failed: invalid nickname"));
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
    loginAndGreet("Rook");
    const int before = lineCount();
    m_server->send(Protocol::message(Opcode::Closed));
    m_server->send(Protocol::message(Opcode::Upgrade));
    m_server->send(Protocol::message(Opcode(99)));
    m_server->send(Opcode::RobotError, {"Bot", "no such robot"});
    m_server->send(Protocol::message(Opcode::Ping));
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
    QTRY_COMPARE(received(), 2);
    QVERIFY(Protocol::is(m_server->received().last(), Opcode::Ping));

    // Logged in, Ctrl+Q asks the logout question; No keeps the session and
    // a later logout is no quit.
    Map* board = m_window->map();
    board->addContinent(1, QStringLiteral("North"), 3);
    board->addCountry(1, QStringLiteral("Alpha"), 1);
    board->setCountry(1, 0, 4);
    Question* logout = m_window->logoutDialog();
    QTest::keyClick(m_window.get(), Qt::Key_Q, Qt::ControlModifier);
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
    QVERIFY(lastLine() != QStringLiteral("The connection with the server has been lost"));

    // Once the logout after Ctrl+Q is answered, the program ends; logged
    // out, Ctrl+Q ends it at once.
    loginAndGreet("Rook");
    QTest::keyClick(m_window.get(), Qt::Key_Q, Qt::ControlModifier);
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
