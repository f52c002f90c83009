#include "chatbox.h"
#include "chatdialog.h"
#include "chatuseritem.h"
#include "configdialog.h"
#include "gameitem.h"
#include "gamerecord.h"
#include "lobbymodel.h"
#include "newgamedialog.h"
#include "playerlist.h"
#include "question.h"
#include "robotdialog.h"
#include "robotroster.h"
#include "testwindow.h"
#include "usersdialog.h"
#include "whisperbox.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

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

// What the main window does with the lobby model's answers, the script events
// and commands, and the chat scripts shipped in Scripts/ driven as the server
// and the user would. No script may ever fail: a load error or a failing
// handler fails the test. The lobby's rules themselves are the lobby model's.
class TestLobbyHandlers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup();

    void ownUserEntersAndLeaves();
    void scriptEventsAndCommands();
    void channelsAndWhispers();
    void usersComeAndGo();
    void hugeObserverCountIsANumber();

private:
    bool enabled(const char* keyWord) const { return m_test->barButton(keyWord)->isEnabled(); }
    QString eval(const char* script) const { return m_test->eval(QLatin1String(script)); }
    // The users the server announces on login, the own user last.
    void logIn();
    QStringList sent() { return m_test->takeTexts(); }
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
    // A failing handler reports "Error: ..." on the warning output, a load
    // error in the game output.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^Error")));
    m_test = std::make_unique<TestWindow>();
    m_window = m_test->window.get();
    m_parser = m_test->parser;
    m_chat = m_window->chatDialog();
    m_test->recordEvents("server_newuser server_user server_enduser server_chat server_whisper "
                         "user_becomes_friend user_becomes_enemy chat_message chat_closebutton");
}

void TestLobbyHandlers::cleanup()
{
    for (const QString& line : m_test->outputSince(0))
        QVERIFY2(!line.startsWith(QStringLiteral("Error")), qPrintable(line));
    m_test.reset();
}

void TestLobbyHandlers::hugeObserverCountIsANumber()
{
    logIn();
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

    const GameRecord* game = m_window->lobby()->findGame(4);
    QVERIFY(game);
    QCOMPARE(game->observerCount(), (1 << 30) - 1 - 2);
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

void TestLobbyHandlers::logIn()
{
    emit m_parser->success(QStringLiteral("Me"));
    m_test->announceUser(QStringLiteral("Ann"));
    m_test->announceUser(QStringLiteral("ben"), 0, 0, true);
    m_test->announceUser(QStringLiteral("Root"), 0, 0, false, true);
    m_test->announceUser(QStringLiteral("Me"), 0, 0, true);
}

void TestLobbyHandlers::ownUserEntersAndLeaves()
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

void TestLobbyHandlers::scriptEventsAndCommands()
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

void TestLobbyHandlers::channelsAndWhispers()
{
    logIn();
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
    QCOMPARE(lines(ann), (QStringList{QStringLiteral("Me: psst"), QStringLiteral("Ann: yes?")}));
    QVERIFY(m_chat->isMarkedActive(ann));
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
    logIn();
    QCOMPARE(game->userList()->topLevelItemCount(), 0);
}

QTEST_MAIN(TestLobbyHandlers)
#include "tst_lobbyhandlers.moc"
