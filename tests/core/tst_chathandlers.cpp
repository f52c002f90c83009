#include "chatbox.h"
#include "chatdialog.h"
#include "chatview.h"
#include "configdialog.h"
#include "logindialog.h"
#include "parser.h"
#include "playerlist.h"
#include "scripthost.h"
#include "settings.h"
#include "tarvenix.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

// The main window's chat window: its gestures raising script events, the
// Chat button, the reset on logout and on a lost connection, and the script
// commands reading the window's lobby, seats, colours and login.
class TestChatHandlers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void gesturesRaiseEvents();
    void chatButtonShowsOrRestores();
    void logoutAndLostConnectionReset_data();
    void logoutAndLostConnectionReset();
    void commandsReadTheWindow();

private:
    QString eval(const QString& script);
    QStringList events();
    void announceUsers();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<Tarvenix> m_window;
    ChatDialog* m_chat = nullptr;
    Parser* m_parser = nullptr;
};

void TestChatHandlers::initTestCase()
{
    Tcl_FindExecutable(QCoreApplication::arguments().value(0).toLocal8Bit().constData());
}

void TestChatHandlers::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<Settings>(m_dir->filePath(QStringLiteral("tarvenix.cfg")));
    m_window = std::make_unique<Tarvenix>();
    m_window->loginDialog()->setNickname(QStringLiteral("Me"));
    m_chat = m_window->chatDialog();
    m_parser = m_window->parser();
    QCOMPARE(eval(QStringLiteral(
                 "set ::events {}\n"
                 "foreach e {chat_message chat_whisper chat_whisperbutton chat_closebutton "
                 "chat_ignore} {\n"
                 "  proc $e args \"lappend ::events \\[join \\[linsert \\$args 0 $e\\] |\\]\"\n"
                 "  on -100 $e $e\n"
                 "}\n")),
             QString());
}

void TestChatHandlers::cleanup()
{
    m_window.reset();
    m_settings.reset();
    m_dir.reset();
}

QString TestChatHandlers::eval(const QString& script)
{
    Tcl_Interp* interp = m_window->scriptHost()->interp();
    const QByteArray utf8 = script.toUtf8();
    if (Tcl_EvalEx(interp, utf8.constData(), int(utf8.size()), 0) != TCL_OK)
        return QStringLiteral("error: ") + QString::fromUtf8(Tcl_GetStringResult(interp));
    return QString::fromUtf8(Tcl_GetStringResult(interp));
}

QStringList TestChatHandlers::events()
{
    QStringList list;
    const QString all = eval(QStringLiteral("join $::events \\n"));
    if (!all.isEmpty())
        list = all.split(QLatin1Char('\n'));
    eval(QStringLiteral("set ::events {}"));
    return list;
}

void TestChatHandlers::announceUsers()
{
    emit m_parser->newGame(7, 3, QStringLiteral("Isles"), QStringLiteral("Ann"), true, false, 90,
                           false, false, false, false, true, false, 2, 0, 0, true, false, 0, false,
                           false);
    emit m_parser->game(7, QStringLiteral("Ann"), false, 3, 2, 1, 0);
    emit m_parser->newUser(QStringLiteral("Ann"), QStringLiteral("ann.example"));
    emit m_parser->user(QStringLiteral("Ann"), 1720, 33, 7, 0, true, QStringLiteral(":)"), false,
                        4);
    emit m_parser->newUser(QStringLiteral("Ben"), QStringLiteral("ben.example"));
    emit m_parser->user(QStringLiteral("Ben"), 1400, 2, 0, 7, false, QString(), true, 1);
    emit m_parser->newUser(QStringLiteral("Me"), QStringLiteral("me.example"));
}

void TestChatHandlers::gesturesRaiseEvents()
{
    QTest::keyClicks(m_chat->globalBox()->inputLine(), QStringLiteral("hello all"));
    QTest::keyClick(m_chat->globalBox()->inputLine(), Qt::Key_Return);
    emit m_chat->gameChat(QStringLiteral("gg"));
    emit m_chat->membersChat(QStringLiteral("hi"));
    emit m_chat->whisper(QStringLiteral("Ann"), QStringLiteral("psst"));
    // Text beyond Latin-1 reaches the scripts as the server will get it.
    emit m_chat->globalChat(QString::fromUtf8("5 \u20ac, caf\u00e9"));
    m_chat->globalBox()->addUser(QStringLiteral("Ben"));
    m_chat->globalBox()->userList()->setCurrentItem(
        m_chat->globalBox()->userList()->topLevelItem(0));
    QTest::mouseClick(m_chat->globalBox()->whisperButton(), Qt::LeftButton);
    QTest::mouseClick(m_chat->globalBox()->ignoreButton(), Qt::LeftButton);
    emit m_chat->stopWhisper(QStringLiteral("Ann"));

    QCOMPARE(events(), (QStringList{QStringLiteral("chat_message|global|hello all"),
                                    QStringLiteral("chat_message|game|gg"),
                                    QStringLiteral("chat_message|member|hi"),
                                    QStringLiteral("chat_whisper|Ann|psst"),
                                    QString::fromUtf8("chat_message|global|5 ?, caf\u00e9"),
                                    QStringLiteral("chat_whisperbutton|Ben"),
                                    QStringLiteral("chat_ignore|Ben"),
                                    QStringLiteral("chat_closebutton|Ann")}));
}

void TestChatHandlers::chatButtonShowsOrRestores()
{
    m_window->show();
    QToolButton* chat = m_window->findChild<QToolButton*>(QStringLiteral("ButtonChat"));
    QVERIFY(chat);
    QVERIFY(!m_chat->isVisible());
    announceUsers();
    QVERIFY(chat->isEnabled());
    chat->click();
    QVERIFY(m_chat->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(m_chat));

    m_chat->showMinimized();
    QTRY_VERIFY(m_chat->isMinimized());
    chat->click();
    QTRY_VERIFY(!m_chat->isMinimized());
    QVERIFY(m_chat->isVisible());
}

void TestChatHandlers::logoutAndLostConnectionReset_data()
{
    QTest::addColumn<bool>("lost");
    QTest::newRow("logout") << false;
    QTest::newRow("lost connection") << true;
}

void TestChatHandlers::logoutAndLostConnectionReset()
{
    QFETCH(bool, lost);
    m_window->actionChat();
    m_chat->addGlobalUser(QStringLiteral("Ann"));
    m_chat->addGameUser(QStringLiteral("Ann"));
    m_chat->addMembersUser(QStringLiteral("Ann"));
    m_chat->addGlobalMessage(Qt::gray, Qt::black, QStringLiteral("Ann: bye"), false);
    if (lost)
        m_window->disconnected();
    else
        m_window->actionLogout();
    QVERIFY(!m_chat->isVisible());
    for (ChatBox* box : {m_chat->globalBox(), m_chat->gameBox(), m_chat->membersBox()})
        QCOMPARE(box->userList()->topLevelItemCount(), 0);
    // What was said stays readable after the next login.
    QCOMPARE(m_chat->globalBox()->view()->lineCount(), 1);
}

void TestChatHandlers::commandsReadTheWindow()
{
    QCOMPARE(eval(QStringLiteral("status initialized")), QStringLiteral("0"));
    announceUsers();
    QCOMPARE(eval(QStringLiteral("status initialized")), QStringLiteral("1"));
    QCOMPARE(eval(QStringLiteral("status nick")), QStringLiteral("Me"));
    QCOMPARE(eval(QStringLiteral("lsort [users]")), QStringLiteral("Ann Ben Me"));
    QCOMPARE(eval(QStringLiteral("games")), QStringLiteral("7"));

    const QString ann = eval(QStringLiteral(
        "join [lmap o {nick host rating games smilie game observer player operator member "
        "admin} { userinfo $o Ann }] ,"));
    QCOMPARE(ann, QStringLiteral("Ann,ann.example,1720,33,:),7,0,1,1,1,0"));
    const QString ben = eval(QStringLiteral(
        "join [lmap o {game observer player operator admin} { userinfo $o Ben }] ,"));
    QCOMPARE(ben, QStringLiteral("7,1,0,0,1"));
    QCOMPARE(eval(QStringLiteral("lsort [gameinfo users 7]")), QStringLiteral("Ann Ben"));
    QCOMPARE(eval(QStringLiteral(
                 "join [lmap o {map pba capitals timeout nowhispers minhumans gifts operator "
                 "players clients robots} { gameinfo $o 7 }] ,")),
             QStringLiteral("3,1,0,90,1,2,1,Ann,2,3,1"));

    m_window->playerList()->setPlayer(1, QStringLiteral("Ann"), 1720, 4, 33, false, false, false,
                                      false);
    m_window->playerList()->setRobot(4, QStringLiteral("Robby"), 1500, 1, 0);
    QCOMPARE(eval(QStringLiteral("players")), QStringLiteral("Ann Robby"));
    QCOMPARE(eval(QStringLiteral("playerinfo number Robby 1")), QStringLiteral("-1"));
    QCOMPARE(eval(QStringLiteral("playerinfo number Robby")), QStringLiteral("4"));

    ConfigDialog* config = m_window->configDialog();
    QCOMPARE(eval(QStringLiteral("color foreground 3")), config->textColor(3).name());
    QCOMPARE(eval(QStringLiteral("color background 3")), config->backgroundColor(3).name());

    // The commands act on the window's own chat window and game output.
    const int lines = m_window->output()->lineCount();
    eval(QStringLiteral("chatbox game adduser Ann; output {a note}"));
    QCOMPARE(m_chat->gameBox()->userList()->topLevelItemCount(), 1);
    QCOMPARE(m_window->output()->lineCount(), lines + 1);
}

QTEST_MAIN(TestChatHandlers)
#include "tst_chathandlers.moc"
