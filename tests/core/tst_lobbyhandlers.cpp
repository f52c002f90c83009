#include "chatdialog.h"
#include "configdialog.h"
#include "favouritesdialog.h"
#include "lobbymodel.h"
#include "newgamedialog.h"
#include "playerlist.h"
#include "question.h"
#include "robotdialog.h"
#include "testwindow.h"
#include "usersdialog.h"

#include <QStackedWidget>

// What the main window does with the lobby model's answers: the own user
// entering and leaving games, the operator's buttons, the requests of the
// lobby's dialogs, and the script events and commands. The rules themselves
// are the lobby model's.
class TestLobbyHandlers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup() { m_test.reset(); }

    void ownUserRecord();
    void enteringAndLeavingGames();
    void operatorButtonsFollowTheOwnMove();
    void serverEvents();
    void handlersSeeRecordBeforeChange();
    void commandsReadTheWindow();

private:
    void announceMe() { m_test->announceUser(QStringLiteral("Me")); }
    void moveMe(int playing, int watching)
    {
        m_test->moveUser(QStringLiteral("Me"), playing, watching);
    }
    bool enabled(const char* keyWord) const { return m_test->barButton(keyWord)->isEnabled(); }
    QString eval(const char* script) const { return m_test->eval(QLatin1String(script)); }

    std::unique_ptr<TestWindow> m_test;
    Tarvenix* m_window = nullptr;
    Parser* m_parser = nullptr;
};

void TestLobbyHandlers::init()
{
    m_test = std::make_unique<TestWindow>();
    m_window = m_test->window.get();
    m_parser = m_test->parser;
    m_test->recordEvents("server_newuser server_user server_enduser server_chat server_whisper "
                         "user_becomes_friend user_becomes_enemy chat_message chat_whisper "
                         "chat_whisperbutton chat_closebutton chat_ignore");
}

void TestLobbyHandlers::ownUserRecord()
{
    // Another spelling of the own nickname is another user.
    emit m_parser->newUser(QStringLiteral("me"), QStringLiteral("other.example"));
    QVERIFY(!m_window->lobby()->me());
    QVERIFY(!enabled("Users"));
    announceMe();
    QCOMPARE(m_window->lobby()->me()->nickname, QStringLiteral("Me"));
    QVERIFY(enabled("Users"));

    // A welcome forgets the record, the user stays listed.
    emit m_parser->success(QStringLiteral("Me"));
    QVERIFY(!m_window->lobby()->me());
    QVERIFY(m_window->lobby()->findUser(QStringLiteral("Me")));

    // A refusal after that empties the lobby the user already saw.
    announceMe();
    m_test->announceGame(12);
    emit m_parser->robot(QStringLiteral("Bot"), QStringLiteral("Ann"), 1, 1, 1);
    m_window->usersDialog()->show();
    emit m_parser->failure(int(FailureCode::WrongPassword));
    QVERIFY(m_window->loginDialog()->isVisible());
    QVERIFY(!m_window->usersDialog()->isVisible());
    QVERIFY(!m_window->lobby()->findUser(QStringLiteral("Me")));
    QVERIFY(m_window->lobby()->games().isEmpty());
    QVERIFY(!m_window->robotDialog()->findRobot(QStringLiteral("Bot")));
    for (const char* key : {"Chat", "Users", "Leave", "Store", "Start", "Robot"})
        QVERIFY2(!enabled(key), key);
    QVERIFY(enabled("Config"));
}

void TestLobbyHandlers::enteringAndLeavingGames()
{
    m_test->announceGame(12);
    announceMe();
    m_window->newGameDialog()->show();
    m_window->logoutDialog()->show();
    moveMe(12, 0);
    QVERIFY(enabled("Store"));
    QVERIFY(!m_window->newGameDialog()->isVisible());
    QVERIFY(!m_window->logoutDialog()->isVisible());
    QCOMPARE(m_window->stack()->currentWidget(), m_window->stackPage(Tarvenix::CardsPage));

    // From playing to watching the same game is no entering: dialogs stay.
    m_window->favouritesDialog()->show();
    moveMe(0, 12);
    QVERIFY(m_window->favouritesDialog()->isVisible());

    // Leave asks to leave the game; outside one it asks to log out.
    m_test->barButton("Leave")->click();
    QVERIFY(m_window->leaveDialog()->isVisible());
    emit m_window->leaveDialog()->yes();
    QCOMPARE(m_test->takeTexts(), QStringList{QStringLiteral("Part")});
    m_window->leaveDialog()->show();
    m_window->playerList()->setPlayer(2, QStringLiteral("Me"), 1, 1, 1, false, false, false, false);
    m_window->map()->model().setLocalSeat(2);
    m_window->map()->setMode(MapMode::Attack);
    moveMe(0, 0);
    QVERIFY(!m_window->playerList()->entry(2));
    QCOMPARE(m_window->map()->model().localSeat(), -1);
    QCOMPARE(m_window->map()->mode(), MapMode::Idle);
    QVERIFY(!enabled("Store"));
    QVERIFY(!m_window->leaveDialog()->isVisible());
    QCOMPARE(m_window->stack()->currentWidget(), m_window->stackPage(Tarvenix::EditorPage));
    m_test->barButton("Leave")->click();
    QVERIFY(m_window->logoutDialog()->isVisible());

    // A game that ends while the user is inside is left properly; the late
    // user message then touches nothing freed.
    moveMe(12, 0);
    emit m_parser->endGame(12);
    QVERIFY(!m_window->lobby()->findGame(12));
    QVERIFY(!enabled("Store"));
    QCOMPARE(m_window->stack()->currentWidget(), m_window->stackPage(Tarvenix::EditorPage));
    moveMe(0, 0);
}

void TestLobbyHandlers::operatorButtonsFollowTheOwnMove()
{
    // The game's status arrives first, naming the user as its operator.
    m_test->announceGame(12, QStringLiteral("Me"));
    m_test->announceGame(13, QStringLiteral("Zed"));
    announceMe();
    QVERIFY(!enabled("Start"));
    moveMe(12, 0);
    QVERIFY(enabled("Start") && enabled("Robot"));

    // At the robot limit the robot window closes.
    m_window->robotDialog()->show();
    emit m_parser->game(12, QStringLiteral("Me"), false, 1, 5, 4, 0);
    QVERIFY(!enabled("Robot"));
    QVERIFY(!m_window->robotDialog()->isVisible());
    // A game the user is not in leaves his buttons alone; entering it takes them away.
    m_test->barButton("Robot")->setEnabled(true);
    emit m_parser->game(13, QStringLiteral("Zed"), false, 2, 2, 0, 0);
    QVERIFY(enabled("Robot"));
    moveMe(13, 0);
    QVERIFY(!enabled("Robot"));
}

void TestLobbyHandlers::serverEvents()
{
    // Chat from users the lobby does not know raises nothing.
    emit m_parser->globalChat(QStringLiteral("Stranger"), QStringLiteral("hello"));
    emit m_parser->whisper(QStringLiteral("Stranger"), QStringLiteral("psst"));
    emit m_parser->user(QStringLiteral("Ghost"), 1, 1, 0, 0, false, QString(), false, 1);
    QVERIFY(m_test->takeEvents().isEmpty());

    m_test->announceGame(12);
    emit m_parser->newUser(QStringLiteral("Ann"), QStringLiteral("ann.example"));
    emit m_parser->user(QStringLiteral("Ann"), 1720, 33, 0, 12, true, QStringLiteral(":-)"), false,
                        4);
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("hi all"));
    emit m_parser->gameChat(QStringLiteral("Ann"), QStringLiteral("gg"));
    emit m_parser->membersChat(QStringLiteral("Ann"), QStringLiteral("members"));
    emit m_parser->whisper(QStringLiteral("Ann"), QStringLiteral("psst"));
    QCOMPARE(m_test->takeEvents(),
             (QStringList{QStringLiteral("server_newuser|Ann|ann.example"),
                          QStringLiteral("server_user|Ann|1720|33|12|0|1|1|:-)|0|4"),
                          QStringLiteral("server_chat|global|Ann|hi all"),
                          QStringLiteral("server_chat|game|Ann|gg"),
                          QStringLiteral("server_chat|member|Ann|members"),
                          QStringLiteral("server_whisper|Ann|psst")}));
    QVERIFY(m_window->lobby()->findUser(QStringLiteral("Ann"))->lastActive >= before);

    // Masks from the server classify without being sent back.
    emit m_parser->mask(QStringLiteral("ann@*"), QStringLiteral("enemy"));
    QVERIFY(m_test->sent.isEmpty());
    m_window->actionUserBecomesFriend(QStringLiteral("Bob"), false);
    // Typed text beyond Latin-1 reaches the scripts as the server will get it.
    emit m_window->chatDialog()->globalChat(QString::fromUtf8("5 \u20ac, caf\u00e9"));
    QCOMPARE(m_test->takeEvents(),
             (QStringList{QStringLiteral("user_becomes_enemy|Ann|1"),
                          QStringLiteral("user_becomes_friend|Bob|0"),
                          QString::fromUtf8("chat_message|global|5 ?, caf\u00e9")}));
}

// The handlers still see the previous record through the script commands.
void TestLobbyHandlers::handlersSeeRecordBeforeChange()
{
    QCOMPARE(eval("proc server_user {nick args} { lappend ::events [userinfo rating $nick] }\n"
                  "proc server_enduser {nick} { lappend ::events [userinfo rating $nick] }"),
             QString());
    emit m_parser->newUser(QStringLiteral("Ann"), QStringLiteral("h"));
    emit m_parser->user(QStringLiteral("Ann"), 1720, 0, 0, 0, false, QString(), false, 1);
    emit m_parser->endUser(QStringLiteral("Ann"));
    emit m_parser->endUser(QStringLiteral("Ann"));
    QCOMPARE(m_test->takeEvents(), (QStringList{QStringLiteral("server_newuser|Ann|h"),
                                                QStringLiteral("1500"), QStringLiteral("1720")}));
    QVERIFY(!m_window->lobby()->findUser(QStringLiteral("Ann")));
}

void TestLobbyHandlers::commandsReadTheWindow()
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

    QCOMPARE(eval("status initialized"), QStringLiteral("1"));
    QCOMPARE(eval("status nick"), QStringLiteral("Me"));
    QCOMPARE(eval("lsort [users]"), QStringLiteral("Ann Ben Me"));
    QCOMPARE(eval("games"), QStringLiteral("7"));
    QCOMPARE(eval("join [lmap o {nick host rating games smilie game observer player operator "
                  "member admin} { userinfo $o Ann }] ,"),
             QStringLiteral("Ann,ann.example,1720,33,:),7,0,1,1,1,0"));
    QCOMPARE(eval("join [lmap o {game observer player operator admin} { userinfo $o Ben }] ,"),
             QStringLiteral("7,1,0,0,1"));
    QCOMPARE(eval("join [lmap o {map pba capitals timeout nowhispers minhumans gifts operator "
                  "players clients robots} { gameinfo $o 7 }] ,"),
             QStringLiteral("3,1,0,90,1,2,1,Ann,2,3,1"));

    m_window->playerList()->setPlayer(1, QStringLiteral("Ann"), 1720, 4, 33, false, false, false,
                                      false);
    m_window->playerList()->setRobot(4, QStringLiteral("Robby"), 1500, 1, 0);
    QCOMPARE(eval("players"), QStringLiteral("Ann Robby"));
    QCOMPARE(eval("playerinfo number Robby 1"), QStringLiteral("-1"));
    QCOMPARE(eval("color background 3"), m_window->configDialog()->backgroundColor(3).name());
}

QTEST_MAIN(TestLobbyHandlers)
#include "tst_lobbyhandlers.moc"
