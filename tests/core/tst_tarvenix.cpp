#include "../chat/chatlines.h"
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
#include <QSignalSpy>
#include <QSlider>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// Collects what the program's own categories write to the warning output
// while it lives (the platform plugin's remarks are not the program's).
class WarningOutput
{
public:
    WarningOutput() : m_previous(qInstallMessageHandler(&WarningOutput::collect))
    {
        s_lines.clear();
    }
    ~WarningOutput() { qInstallMessageHandler(m_previous); }
    WarningOutput(const WarningOutput&) = delete;
    WarningOutput& operator=(const WarningOutput&) = delete;

    static QStringList lines() { return s_lines; }

private:
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& text)
    {
        const QString category = QString::fromLatin1(context.category);
        if (category.startsWith(QLatin1String("tarvenix.")))
            s_lines << category + QStringLiteral(": ") + text;
    }

    static inline QStringList s_lines;
    QtMessageHandler m_previous;
};

void click(QWidget* parent, const char* button)
{
    QTest::mouseClick(parent->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

class TestTarvenix : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startShowsLoginAndCancelEndsProgram();
    void greetingThenExactLogin();
    void refusedLoginKeepsConnection();
    void welcomeThenServerClosingOffersNewLogin();
    void unreachableServer();
    void silentServerTimesOut();
    void registration();
    void cancelWhileConnecting();
    void quitKey();
    void announcementsThenLogout();
    void configWindowFontsAndSeatColours();
    void marqueeRotation_data();
    void marqueeRotation();

private:
    void login(const QString& nickname = QStringLiteral("Rook"),
               const QString& password = QStringLiteral("pw"));
    void loginAndGreet(const QString& nickname = QStringLiteral("Rook"),
                       const QString& password = QStringLiteral("pw"));
    QString useClosedPort();
    QString lastLine() const;
    QColor lastCircle() const;

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

void TestTarvenix::login(const QString& nickname, const QString& password)
{
    LoginDialog* dialog = m_window->loginDialog();
    QVERIFY(dialog->isVisible());
    dialog->findChild<QLineEdit*>(QStringLiteral("_nickname"))->setText(nickname);
    dialog->findChild<QLineEdit*>(QStringLiteral("_password"))->setText(password);
    click(dialog, "_loginButton");
}

void TestTarvenix::loginAndGreet(const QString& nickname, const QString& password)
{
    login(nickname, password);
    QTRY_COMPARE(m_server->clientCount(), 1);
    m_server->greet();
    QTRY_COMPARE(m_server->received().size(), 1);
}

// Points the window at a port nobody listens on; returns the start of the error line.
QString TestTarvenix::useClosedPort()
{
    quint16 port = 0;
    {
        QTcpServer probe;
        if (probe.listen(QHostAddress::LocalHost))
            port = probe.serverPort();
    }
    m_window->setServer(QStringLiteral("127.0.0.1"), port);
    return QStringLiteral("Could not connect to 127.0.0.1:%1: ").arg(port);
}

QString TestTarvenix::lastLine() const
{
    return chatLines(m_window->output()).value(m_window->output()->lineCount() - 1);
}

QColor TestTarvenix::lastCircle() const
{
    const ChatView* output = m_window->output();
    return output->lineCount() ? output->line(output->lineCount() - 1).circleColor : QColor();
}

void TestTarvenix::startShowsLoginAndCancelEndsProgram()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("QtTarvenixGame -- Game"));
    QVERIFY(m_window->loginDialog()->isVisible());
    QVERIFY(!m_window->registerDialog()->isVisible());
    // A second start while logged out changes nothing.
    m_window->start();
    QVERIFY(m_window->loginDialog()->isVisible());

    click(m_window->loginDialog(), "_cancelButton");
    QVERIFY(!m_window->loginDialog()->isVisible());
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->connection());
}

void TestTarvenix::greetingThenExactLogin()
{
    login(QStringLiteral("Rook"), QStringLiteral("pa ss"));
    // The form stays with the attempt until the server greets.
    QVERIFY(m_window->loginDialog()->isVisible());
    QVERIFY(m_window->loginDialog()->isConnecting());
    QCOMPARE(lastLine(), QStringLiteral("Connecting to 127.0.0.1:%1...").arg(m_server->port()));
    QTRY_COMPARE(m_server->clientCount(), 1);
    // Nothing is sent before the server has greeted.
    QTest::qWait(50);
    QVERIFY(m_server->received().isEmpty());

    m_server->greet();
    QTRY_COMPARE(m_server->received().size(), 1);
    QVERIFY(!m_window->loginDialog()->isVisible());
    QVERIFY(!m_window->loginDialog()->isConnecting());
    // The sender's tests hold the version and addresses that follow.
    const Message& request = m_server->received().first();
    QVERIFY(Protocol::is(request, Opcode::Login));
    QCOMPARE(QByteArray(request.getString(1)), QByteArray("Rook"));
    QCOMPARE(QByteArray(request.getString(2)), QByteArray("pa ss"));
}

void TestTarvenix::refusedLoginKeepsConnection()
{
    loginAndGreet(QStringLiteral("Rook"), QStringLiteral("wrong"));
    Connection* connection = m_window->connection();
    m_server->refuse(5);
    QTRY_VERIFY(m_window->loginDialog()->isVisible());
    QCOMPARE(lastLine(), QStringLiteral("Login failed: wrong password"));
    QCOMPARE(lastCircle(), QColor(Qt::red));
    QCOMPARE(m_window->connection(), connection);

    // The second attempt goes out at once, on the same connection.
    login(QStringLiteral("Rook"), QStringLiteral("right"));
    QTRY_COMPARE(m_server->received().size(), 2);
    QCOMPARE(QByteArray(m_server->received().last().getString(2)), QByteArray("right"));
    QCOMPARE(m_server->clientCount(), 1);
}

void TestTarvenix::welcomeThenServerClosingOffersNewLogin()
{
    // The welcome's spelling of the nickname is the one shown and stored.
    m_window->loginDialog()->findChild<QCheckBox*>(QStringLiteral("_storeBox"))->setChecked(true);
    loginAndGreet(QStringLiteral("rook"));
    QCOMPARE(m_settings->value(QStringLiteral("login"), QStringLiteral("nickname")),
             QStringLiteral("rook"));
    m_server->welcome("Rook");
    QTRY_COMPARE(lastLine(), QStringLiteral("Welcome Rook"));
    QCOMPARE(lastCircle(), QColor(Qt::lightGray));
    QCOMPARE(m_window->loginDialog()->nickname(), QStringLiteral("Rook"));
    QCOMPARE(m_settings->value(QStringLiteral("login"), QStringLiteral("nickname")),
             QStringLiteral("Rook"));
    QCOMPARE(m_settings->value(QStringLiteral("login"), QStringLiteral("password")),
             QStringLiteral("pw"));

    // Seats do not outlive the session they belong to.
    PlayerList* players = m_window->playerList();
    players->setPlayer(2, QStringLiteral("Rook"), 1500, 1, 0, false, false, false, false);
    players->setCurrent(2);

    QPointer<Connection> dead = m_window->connection();
    m_server->client()->disconnectFromHost();
    QTRY_COMPARE(lastLine(), QStringLiteral("The connection with the server has been lost"));
    QCOMPARE(lastCircle(), QColor(Qt::red));
    QVERIFY(m_window->loginDialog()->isVisible());
    QVERIFY(!m_window->connection());
    QTRY_VERIFY(dead.isNull());
    QVERIFY(!players->entry(2));
    QCOMPARE(players->current(), -1);

    login();
    QTRY_COMPARE(m_server->clientCount(), 2);
    m_server->greet();
    QTRY_COMPARE(m_server->received().size(), 2);
    QVERIFY(Protocol::is(m_server->received().last(), Opcode::Login));
}

void TestTarvenix::unreachableServer()
{
    const QString prefix = useClosedPort();
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
    QVERIFY(!m_window->connection());

    click(dialog, "CancelButton");
    const int lines = m_window->output()->lineCount();
    login();
    QTRY_VERIFY(!m_window->loginDialog()->isConnecting());
    QVERIFY(m_window->loginDialog()->isVisible());
    QCOMPARE(m_window->output()->lineCount(), lines + 2);
    // The reason shows in the form as well as in the output.
    QCOMPARE(m_window->loginDialog()->status()->text(), lastLine());
    QVERIFY2(lastLine().startsWith(prefix), qPrintable(lastLine()));
    QVERIFY(lastLine().size() > prefix.size());
    QCOMPARE(m_window->output()->line(lines + 1).textColor, QColor(Qt::red));
    QVERIFY(!m_window->connection());

    // The next attempt, at a server that is there, works.
    m_window->setServer(QStringLiteral("127.0.0.1"), m_server->port());
    loginAndGreet();
}

void TestTarvenix::silentServerTimesOut()
{
    // Connecting and giving up on a silent server are no business of the
    // warning output: the game output tells the user.
    const WarningOutput warnings;
    m_window->setGreetingTimeout(150);
    login();
    QTRY_COMPARE(m_server->clientCount(), 1);
    QTRY_VERIFY(!m_window->loginDialog()->isConnecting());
    QVERIFY(m_window->loginDialog()->isVisible());
    QCOMPARE(lastLine(),
             QStringLiteral("Could not connect to 127.0.0.1:%1: the server did not answer")
                 .arg(m_server->port()));
    QVERIFY(!m_window->connection());
    QTRY_COMPARE(m_server->client()->state(), QAbstractSocket::UnconnectedState);
    // A greeting that comes too late reaches nobody.
    QVERIFY(m_server->received().isEmpty());
    QCOMPARE(warnings.lines(), QStringList());
}

void TestTarvenix::registration()
{
    LoginDialog* login = m_window->loginDialog();
    click(login, "_registerButton");
    RegisterDialog* dialog = m_window->registerDialog();
    QVERIFY(dialog->isVisible());
    QVERIFY(!login->isVisible());
    const QList<QPair<const char*, const char*>> fields{
        {"NameEdit", "Rook"},     {"PasswordEdit", "pw"},  {"VerifyEdit", "pw"},
        {"FirstNameEdit", "Ann"}, {"LastNameEdit", "Lee"}, {"AddressEdit", "1 Way"},
        {"ZipcodeEdit", "12345"}, {"CityEdit", "Town"},    {"StateEdit", "State"},
        {"CountryEdit", "Land"},  {"EmailEdit", "a@b.c"}};
    for (const auto& [name, value] : fields)
        dialog->findChild<QLineEdit*>(QLatin1String(name))->setText(QLatin1String(value));
    click(dialog, "RegisterButton");
    QVERIFY(m_window->isRegistering());
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isConnecting());
    QVERIFY(!login->isVisible());
    QTRY_COMPARE(m_server->clientCount(), 1);
    m_server->greet();
    QTRY_COMPARE(m_server->received().size(), 1);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->isConnecting());
    const Message& request = m_server->received().first();
    QVERIFY(Protocol::is(request, Opcode::Register));
    const QList<QByteArray> expected{"Rook",  "pw",   "Lee",   "Ann",  "1 Way",
                                     "12345", "Town", "State", "Land", "a@b.c"};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(QByteArray(request.getString(i + 1)), expected[i]);

    m_server->refuse(2);
    QTRY_COMPARE(lastLine(), QStringLiteral("Registration failed: try a different nickname"));
    QVERIFY(dialog->isVisible());
    QVERIFY(!login->isVisible());
    QCOMPARE(dialog->status()->text(), lastLine());
    QCOMPARE(dialog->nickname(), QStringLiteral("Rook"));
    QCOMPARE(dialog->email(), QStringLiteral("a@b.c"));

    // A nickname the server cannot use brings the form back too, not the
    // login dialog, and says that it was the registration that failed.
    click(dialog, "RegisterButton");
    QTRY_COMPARE(m_server->received().size(), 2);
    QVERIFY(Protocol::is(m_server->received().last(), Opcode::Register));
    m_server->refuse(0);
    QTRY_COMPARE(lastLine(), QStringLiteral("Login failed: invalid nickname"));
    QVERIFY(dialog->isVisible());
    QVERIFY(!login->isVisible());
    QCOMPARE(dialog->status()->text(), QStringLiteral("Registration failed: invalid nickname"));

    // Cancel goes back to the login dialog; its Login now logs in, at once.
    click(dialog, "CancelButton");
    QVERIFY(login->isVisible());
    click(login, "_loginButton");
    QVERIFY(!m_window->isRegistering());
    QTRY_COMPARE(m_server->received().size(), 3);
    QVERIFY(Protocol::is(m_server->received().last(), Opcode::Login));
}

void TestTarvenix::cancelWhileConnecting()
{
    LoginDialog* dialog = m_window->loginDialog();
    login();
    QTRY_COMPARE(m_server->clientCount(), 1);
    QVERIFY(dialog->isConnecting());
    // Escape gives up the attempt; it does not end the program.
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!m_window->connection());
    QVERIFY(!dialog->isConnecting());
    QVERIFY(dialog->isVisible());
    QVERIFY(m_window->isVisible());
    QCOMPARE(lastLine(),
             QStringLiteral("Stopped connecting to 127.0.0.1:%1").arg(m_server->port()));
    QTRY_COMPARE(m_server->client()->state(), QAbstractSocket::UnconnectedState);

    // The form is open again and the next attempt is a new connection.
    QVERIFY(dialog->findChild<QPushButton*>(QStringLiteral("_loginButton"))->isEnabled());
    login();
    QTRY_COMPARE(m_server->clientCount(), 2);
    m_server->greet();
    QTRY_COMPARE(m_server->received().size(), 1);
    QVERIFY(Protocol::is(m_server->received().first(), Opcode::Login));
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
    loginAndGreet();
    m_server->welcome("Rook");
    QTRY_COMPARE(lastLine(), QStringLiteral("Welcome Rook"));
    Question* logout = m_window->logoutDialog();
    QTest::keyClick(m_window.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(logout->isVisible());
    QVERIFY(m_window->isVisible());
    click(logout, "NoButton");
    QVERIFY(m_window->connection());
    logout->show();
    click(logout, "YesButton");
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->loginDialog()->isVisible());

    login();
    QTRY_COMPARE(m_server->clientCount(), 2);
    m_server->greet();
    QTRY_COMPARE(m_server->received().size(), 2);
    m_server->welcome("Rook");
    QTRY_COMPARE(lastLine(), QStringLiteral("Welcome Rook"));
    QTest::keyClick(m_window.get(), Qt::Key_Q, Qt::ControlModifier);
    click(logout, "YesButton");
    QVERIFY(!m_window->connection());
    QVERIFY(!m_window->isVisible());
}

void TestTarvenix::announcementsThenLogout()
{
    loginAndGreet();
    const int before = m_window->output()->lineCount();
    m_server->send(Protocol::message(Opcode::Closed));
    m_server->send(Protocol::message(Opcode::Upgrade));
    m_server->send(Protocol::message(Opcode(99)));
    m_server->send(Opcode::RobotError, {"Bot", "no such robot"});
    const ChatView* output = m_window->output();
    QTRY_COMPARE(output->lineCount(), before + 5);
    const QStringList expected{
        QStringLiteral("The server is closing down..."),
        QStringLiteral("This program is out of date"),
        QStringLiteral("Please visit www.tarvenix.example and download the latest version"),
        QStringLiteral("Unknown opcode: 99"), QStringLiteral("Robot error: Bot: no such robot")};
    QCOMPARE(chatLines(output).mid(before), expected);
    QCOMPARE(output->line(before).circleColor, QColor(Qt::lightGray));
    QCOMPARE(output->line(before).textColor, QColor(Qt::red));
    // None of them ends the session.
    QVERIFY(m_window->connection());
    QVERIFY(!m_window->loginDialog()->isVisible());

    // A keep-alive is answered at once.
    m_server->send(Protocol::message(Opcode::Ping));
    QTRY_COMPARE(m_server->received().size(), 2);
    QVERIFY(Protocol::is(m_server->received().last(), Opcode::Ping));

    m_window->playerList()->setPlayer(0, QStringLiteral("Bot"), 1500, 1, 0, true, false, false,
                                      false);
    Map* board = m_window->map();
    board->addContinent(1, QStringLiteral("North"), 3);
    board->addCountry(1, QStringLiteral("Alpha"), 1);
    board->setCountry(1, 0, 4);
    Question* logout = m_window->logoutDialog();
    logout->show();
    click(logout, "YesButton");
    // The board is blank again, not the last session's map.
    QVERIFY(board->countries().empty());
    QVERIFY(board->model().continents().empty());
    QCOMPARE(board->countriesPie().total(), 0);
    QVERIFY(!m_window->connection());
    QVERIFY(!m_window->playerList()->entry(0));
    QVERIFY(m_window->loginDialog()->isVisible());
    QVERIFY(!logout->isVisible());
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
    m_settings->setValue(QStringLiteral("fonts"), QStringLiteral("Game output_italic"),
                         QStringLiteral("1"));
    m_window = std::make_unique<Tarvenix>();
    m_window->show();
    m_window->start();
    QCOMPARE(m_window->output()->font().pointSize(), 13);
    QVERIFY(m_window->output()->font().italic());

    auto* configButton = m_window->findChild<QToolButton*>(QStringLiteral("ButtonConfig"));
    QVERIFY(configButton && configButton->isEnabled());
    QTest::mouseClick(configButton, Qt::LeftButton);
    QWidget* config = m_window->findChild<QWidget*>(QStringLiteral("ConfigDialog"));
    QVERIFY(config && config->isVisible());

    // The configured scheme reaches the board and the player list at start-up.
    Map* map = m_window->map();
    PlayerList* players = m_window->playerList();
    QCOMPARE(map->backgroundColor(1), QColor(Qt::red));
    QCOMPARE(map->textColor(1), QColor(Qt::white));
    QCOMPARE(players->seatColor(5), QColor(Qt::magenta));
    // "Use this color" on the third seat's row changes that seat everywhere.
    const auto radios = config->findChildren<QRadioButton*>(QStringLiteral("PlayerCheckbox"));
    QCOMPARE(radios.size(), 6);
    radios[2]->click();
    config->findChild<QSlider*>(QStringLiteral("RedSlider"))->setValue(128);
    config->findChild<QPushButton*>(QStringLiteral("ColorEditorPushButton"))->click();
    QCOMPARE(map->backgroundColor(2), QColor(128, 255, 255));
    QCOMPARE(players->seatColor(2), QColor(128, 255, 255));
    QCOMPARE(map->backgroundColor(1), QColor(Qt::red));

    // The logged-out look has no configuration window.
    m_window->reset(false);
    QVERIFY(!config->isVisible());
}

void TestTarvenix::marqueeRotation_data()
{
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("member");
    QTest::addColumn<int>("shown");
    // The rotation's own tests hold its timing; here, whose record counts.
    QTest::newRow("own record not yet known") << false << false << 4;
    QTest::newRow("non-member") << true << false << 4;
    QTest::newRow("member") << true << true << 0;
}

void TestTarvenix::marqueeRotation()
{
    QFETCH(bool, known);
    QFETCH(bool, member);
    qint64 now = 100000;
    m_window->setMarqueeClock([&now] { return now; });
    if (known) {
        m_window->loginDialog()->setNickname(QStringLiteral("Rook"));
        m_window->parseNewUser(QStringLiteral("Rook"), QStringLiteral("host"));
        m_window->parseUser(QStringLiteral("Rook"), 1500, 3, 0, 0, member, QString(), false, 1);
    }
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
