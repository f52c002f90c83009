#include "chatbox.h"
#include "chatdialog.h"
#include "chatuseritem.h"
#include "configdialog.h"
#include "favouritesdialog.h"
#include "lobbymodel.h"
#include "newgamedialog.h"
#include "playerlist.h"
#include "question.h"
#include "robotdialog.h"
#include "testwindow.h"
#include "usersdialog.h"
#include "whisperbox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

const QColor Friend(0x00, 0x80, 0x00);
const QColor Enemy(0xff, 0x00, 0x00);
const QColor Admin(0x00, 0x00, 0x80);
const QColor Other(0x80, 0x80, 0x80);

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

// What the main window does with the lobby model's answers (the own user
// entering and leaving games, the operator's buttons), the script events and
// commands, and the chat scripts shipped in Scripts/ driven as the server and
// the user would. No script may ever fail: a load error or a failing handler
// fails the test. The lobby's rules themselves are the lobby model's.
class TestLobbyHandlers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup();

    void ownUserRecord();
    void enteringAndLeavingGames();
    void operatorButtonsFollowTheOwnMove();
    void serverEvents();
    void handlersSeeRecordBeforeChange();
    void commandsReadTheWindow();
    void channelLinesAndTyping();
    void whispersAndIgnore();
    void usersComeAndGo();

private:
    bool enabled(const char* keyWord) const { return m_test->barButton(keyWord)->isEnabled(); }
    QString eval(const char* script) const { return m_test->eval(QLatin1String(script)); }
    // The users the server announces on login, the own user last.
    void logIn();
    QStringList sent() { return m_test->takeTexts(); }
    QColor colour(const char* nickname) const
    {
        return m_chat->globalBox()->findUser(QLatin1String(nickname))->color();
    }
    void user(const char* nickname, int playing, int watching, bool member = false,
              bool admin = false)
    {
        m_test->moveUser(QLatin1String(nickname), playing, watching, member, admin);
    }

    std::unique_ptr<TestWindow> m_test;
    Tarvenix* m_window = nullptr;
    Parser* m_parser = nullptr;
    ChatDialog* m_chat = nullptr;
};

void TestLobbyHandlers::init()
{
    // A failing handler reports "Error: ..." on the warning output.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^Error")));
    m_test = std::make_unique<TestWindow>();
    m_window = m_test->window.get();
    m_parser = m_test->parser;
    m_chat = m_window->chatDialog();
    m_test->recordEvents("server_newuser server_user server_enduser server_chat server_whisper "
                         "user_becomes_friend user_becomes_enemy chat_message chat_whisper "
                         "chat_whisperbutton chat_closebutton chat_ignore");
}

void TestLobbyHandlers::cleanup()
{
    // Load errors and handler errors both end up in the game output.
    for (const QString& line : m_test->outputSince(0))
        QVERIFY2(!line.startsWith(QStringLiteral("Error")), qPrintable(line));
    m_test.reset();
}

void TestLobbyHandlers::logIn()
{
    emit m_parser->success(QStringLiteral("Me"));
    m_test->announceUser(QStringLiteral("Ann"));
    m_test->announceUser(QStringLiteral("ben"), 0, 0, true);
    m_test->announceUser(QStringLiteral("Root"), 0, 0, false, true);
    m_test->announceUser(QStringLiteral("Me"), 0, 0, true);
}

void TestLobbyHandlers::ownUserRecord()
{
    // Another spelling of the own nickname is another user.
    emit m_parser->newUser(QStringLiteral("me"), QStringLiteral("other.example"));
    QVERIFY(!m_window->lobby()->me());
    QVERIFY(!enabled("Users"));
    m_test->announceUser(QStringLiteral("Me"));
    QCOMPARE(m_window->lobby()->me()->nickname, QStringLiteral("Me"));
    QVERIFY(enabled("Users"));

    // Joining from another waiting game leaves that one first.
    m_test->announceGame(12);
    m_test->announceGame(14);
    user("Me", 12, 0);
    m_window->actionJoin(14);
    QCOMPARE(sent(), QStringList({QStringLiteral("Part"), QStringLiteral("Join|")}));
    user("Me", 0, 0);
    m_window->actionWatch(14);
    QCOMPARE(sent(), QStringList{QStringLiteral("Watch|")});

    // A welcome forgets the record, the user stays listed.
    emit m_parser->success(QStringLiteral("Me"));
    QVERIFY(!m_window->lobby()->me());
    QVERIFY(m_window->lobby()->findUser(QStringLiteral("Me")));

    // A refusal after that empties the lobby the user already saw.
    m_test->announceUser(QStringLiteral("Me"));
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
    m_test->announceUser(QStringLiteral("Me"));
    m_window->newGameDialog()->show();
    m_window->logoutDialog()->show();
    user("Me", 12, 0);
    QVERIFY(enabled("Store"));
    QVERIFY(!m_window->newGameDialog()->isVisible());
    QVERIFY(!m_window->logoutDialog()->isVisible());
    QCOMPARE(m_window->stack()->currentWidget(), m_window->stackPage(Tarvenix::CardsPage));

    // From playing to watching the same game is no entering: dialogs stay.
    m_window->favouritesDialog()->show();
    user("Me", 0, 12);
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
    user("Me", 0, 0);
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
    user("Me", 12, 0);
    emit m_parser->endGame(12);
    QVERIFY(!m_window->lobby()->findGame(12));
    QVERIFY(!enabled("Store"));
    QCOMPARE(m_window->stack()->currentWidget(), m_window->stackPage(Tarvenix::EditorPage));
    user("Me", 0, 0);
}

void TestLobbyHandlers::operatorButtonsFollowTheOwnMove()
{
    // The game's status arrives first, naming the user as its operator.
    m_test->announceGame(12, QStringLiteral("Me"));
    m_test->announceGame(13, QStringLiteral("Zed"));
    m_test->announceUser(QStringLiteral("Me"));
    QVERIFY(!enabled("Start"));
    user("Me", 12, 0);
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
    user("Me", 13, 0);
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

void TestLobbyHandlers::channelLinesAndTyping()
{
    logIn();
    ChatBox* global = m_chat->globalBox();
    emit m_parser->mask(QStringLiteral("Ann@*"), QStringLiteral("friend"));
    m_chat->tabs()->setCurrentWidget(m_chat->gameBox());
    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("hello {world} [x] $y"));
    emit m_parser->globalChat(QStringLiteral("Ghost"), QStringLiteral("boo"));
    QCOMPARE(lines(global), QStringList{QStringLiteral("Ann: hello {world} [x] $y")});
    QCOMPARE(global->view()->line(0).circleColor, Friend);
    QCOMPARE(global->view()->line(0).textColor, QColor(Qt::black));
    QVERIFY(m_chat->isMarkedActive(global));
    // A line on the channel in front leaves its tab as it is.
    emit m_parser->gameChat(QStringLiteral("Root"), QStringLiteral("gl hf"));
    QCOMPARE(m_chat->gameBox()->view()->line(0).circleColor, Admin);
    QVERIFY(!m_chat->isMarkedActive(m_chat->gameBox()));

    // A typed line appears when the server sends it back, and only then.
    type(global, QStringLiteral("hello everyone"));
    type(global, QStringLiteral("/me waves"));
    type(global, QStringLiteral("//shrug"));
    type(m_chat->membersBox(), QStringLiteral("members here?"));
    QCOMPARE(sent(), QStringList({QStringLiteral("GlobalChat|hello everyone"),
                                  QStringLiteral("GlobalChat|/me waves"),
                                  QStringLiteral("GlobalChat|/shrug"),
                                  QStringLiteral("MembersChat|members here?")}));
    QCOMPARE(global->view()->lineCount(), 1);
    emit m_parser->globalChat(QStringLiteral("Me"), QStringLiteral("/me waves"));
    QCOMPARE(lines(global).last(), QStringLiteral("* Me waves"));

    // Help, mistakes, unknown commands and closed channels stay in the box.
    type(global, QStringLiteral("/help"));
    QVERIFY(lines(global).join(QLatin1Char('\n')).contains(QLatin1String("/w nickname")));
    const int afterHelp = global->view()->lineCount();
    for (const char* line : {"/dance now", "/w Ann", "/me"})
        type(global, QLatin1String(line));
    QCOMPARE(lines(global).mid(afterHelp),
             (QStringList{QStringLiteral("Unknown command /dance - type /help for the list"),
                          QStringLiteral("Usage: /w nickname text"),
                          QStringLiteral("Usage: /me text")}));
    user("Me", 0, 0, false);
    type(m_chat->gameBox(), QStringLiteral("anyone?"));
    type(m_chat->membersBox(), QStringLiteral("let me in"));
    QCOMPARE(lines(m_chat->gameBox()).last(), QStringLiteral("You are not in a game"));
    QCOMPARE(lines(m_chat->membersBox()).last(),
             QStringLiteral("This channel is for members only"));
    QVERIFY(sent().isEmpty());
}

void TestLobbyHandlers::whispersAndIgnore()
{
    logIn();
    ChatBox* global = m_chat->globalBox();
    global->userList()->setCurrentItem(global->findUser(QStringLiteral("Ann")));
    QTest::mouseClick(global->whisperButton(), Qt::LeftButton);
    WhisperBox* ann = m_chat->whisperBox(QStringLiteral("Ann"));
    QCOMPARE(m_chat->tabs()->currentWidget(), ann);
    // Whispers are not sent back by the server: the own line shows at once,
    // and an answer lights the tab when it is behind.
    type(ann, QStringLiteral("psst"));
    m_chat->tabs()->setCurrentWidget(global);
    emit m_parser->whisper(QStringLiteral("Ann"), QStringLiteral("yes?"));
    QCOMPARE(lines(ann), (QStringList{QStringLiteral("Me: psst"), QStringLiteral("Ann: yes?")}));
    QVERIFY(m_chat->isMarkedActive(ann));
    // /w from a channel whispers in any case of the nickname and brings the
    // conversation forward.
    type(global, QStringLiteral("/w ANN see you  later"));
    QCOMPARE(sent(), QStringList({QStringLiteral("Whisper|Ann|psst"),
                                  QStringLiteral("Whisper|Ann|see you  later")}));
    QCOMPARE(m_chat->tabs()->currentWidget(), ann);
    // Someone who is gone cannot be whispered to.
    emit m_parser->endUser(QStringLiteral("Ann"));
    type(ann, QStringLiteral("still there?"));
    QCOMPARE(lines(ann).last(), QStringLiteral("Ann is not logged on"));

    // An ignored user's lines and whispers are dropped; the strike-out stays
    // when he comes back, and Ignore again lifts it.
    ChatBox* members = m_chat->membersBox();
    members->userList()->setCurrentItem(members->findUser(QStringLiteral("ben")));
    QTest::mouseClick(members->ignoreButton(), Qt::LeftButton);
    const int before = global->view()->lineCount();
    emit m_parser->globalChat(QStringLiteral("ben"), QStringLiteral("can you hear me"));
    emit m_parser->whisper(QStringLiteral("ben"), QStringLiteral("psst"));
    QCOMPARE(global->view()->lineCount(), before);
    QCOMPARE(m_chat->whisperNames(), QStringList{QStringLiteral("Ann")});
    emit m_parser->endUser(QStringLiteral("ben"));
    m_test->announceUser(QStringLiteral("ben"), 0, 0, true);
    QVERIFY(members->findUser(QStringLiteral("ben"))->strikeOut());
    emit m_chat->ignore(QStringLiteral("ben"));
    QVERIFY(!global->findUser(QStringLiteral("ben"))->strikeOut());
    emit m_chat->ignore(QStringLiteral("Me"));
    QVERIFY(!global->findUser(QStringLiteral("Me"))->strikeOut());
    QVERIFY(sent().isEmpty());
}

void TestLobbyHandlers::usersComeAndGo()
{
    logIn();
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
    QVERIFY(global->view()->line(1).hideable);
    QCOMPARE(global->view()->line(1).textColor, Other);
    global->leaveJoins()->click();
    QCOMPARE(global->view()->line(0).height, 0);

    // Colours follow the server and the masks.
    user("Abe", 0, 0, false, true);
    QCOMPARE(listed(m_chat->membersBox()), QStringList{QStringLiteral("Me")});
    QCOMPARE(colour("Abe"), Admin);
    emit m_parser->mask(QStringLiteral("Ann@*"), QStringLiteral("friend"));
    QCOMPARE(colour("Ann"), Friend);
    emit m_parser->mask(QStringLiteral("A*"), QStringLiteral("enemy"));
    QCOMPARE(colour("Ann"), QColor(0xff, 0x7f, 0x00));
    emit m_parser->mask(QStringLiteral("R*"), QStringLiteral("enemy"));
    QCOMPARE(colour("Root"), Admin);
    QCOMPARE(colour("Me"), Other);
    emit m_parser->user(QStringLiteral("Root"), 1500, 0, 0, 0, false, QString(), false, 1);
    QCOMPARE(colour("Root"), Enemy);

    // The game list fills when the own user enters, follows the others and
    // empties when he leaves.
    m_test->announceGame(7, QStringLiteral("Ann"));
    user("Ann", 7, 0);
    ChatBox* game = m_chat->gameBox();
    user("Me", 7, 0, true);
    QCOMPARE(listed(game), (QStringList{QStringLiteral("Ann"), QStringLiteral("Me")}));
    type(game, QStringLiteral("hi"));
    QCOMPARE(sent(), QStringList{QStringLiteral("GameChat|hi")});
    user("Root", 0, 7);
    user("Ann", 0, 0);
    user("Me", 0, 0, true);
    QCOMPARE(game->userList()->topLevelItemCount(), 0);
    QCOMPARE(lines(game), (QStringList{QStringLiteral("You have joined game 7"),
                                       QStringLiteral("Root is watching the game"),
                                       QStringLiteral("Ann has left the game"),
                                       QStringLiteral("You have left game 7")}));
    QVERIFY(game->view()->line(3).hideable);
    // After a logout the next login starts with an empty game list.
    user("Me", 0, 7, true);
    QCOMPARE(lines(game).last(), QStringLiteral("You are watching game 7"));
    m_window->actionLogout();
    logIn();
    QCOMPARE(game->userList()->topLevelItemCount(), 0);
}

QTEST_MAIN(TestLobbyHandlers)
#include "tst_lobbyhandlers.moc"
