#include "chatbox.h"
#include "chatdialog.h"
#include "chatuseritem.h"
#include "testwindow.h"
#include "whisperbox.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

const QColor Friend(0x00, 0x80, 0x00);
const QColor Enemy(0xff, 0x00, 0x00);
const QColor Admin(0x00, 0x00, 0x80);
const QColor Other(0x80, 0x80, 0x80);

void type(QLineEdit* input, const QString& text)
{
    input->setText(text);
    QTest::keyClick(input, Qt::Key_Return);
}

QStringList listed(ChatBox* box)
{
    QStringList names;
    for (int i = 0; i < box->userList()->topLevelItemCount(); ++i)
        names.append(box->userList()->topLevelItem(i)->text(0));
    return names;
}

} // namespace

// The scripts shipped in Scripts/, loaded by a real main window with its
// real chat window and driven as the server and the user would: through
// the parser's signals and the chat window's widgets. No script may ever
// fail: a load error or a failing handler fails the test.
class TestDefaultScripts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup();
    void shippedScriptsAreLoaded();
    void friendsLineShowsGreenAndLightsItsTab();
    void typedLineIsSentOnceAndShownOnce();
    void channelsThatCannotBeUsedSayWhy();
    void whispersHaveTabsOfTheirOwn();
    void slashCommands();
    void ignoreHidesAndStrikesOut();
    void joinsAndPartsAreHideableLines();
    void enteringAGameFillsTheGameList();
    void membersAndColoursFollowTheServerAndTheMasks();
    void withoutScriptsNothingHappens();

private:
    void announce(const QString& nickname, int playing = 0, int watching = 0, bool member = false,
                  bool admin = false)
    {
        m_test->announceUser(nickname, playing, watching, member, admin);
    }
    // The users the server announces on login, the own user last.
    void logIn();
    QStringList sent() { return m_test->takeTexts(); }

    std::unique_ptr<TestWindow> m_test;
    ChatDialog* m_chat = nullptr;
    Parser* m_parser = nullptr;
};

void TestDefaultScripts::init()
{
    // A failing handler reports "Error: ..." on the warning output.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^Error")));
    m_test = std::make_unique<TestWindow>();
    m_chat = m_test->window->chatDialog();
    m_parser = m_test->parser;
}

void TestDefaultScripts::cleanup()
{
    // Load errors and handler errors both end up in the game output.
    if (m_test) {
        for (const QString& line : m_test->outputSince(0))
            QVERIFY2(!line.startsWith(QStringLiteral("Error")), qPrintable(line));
    }
    m_test.reset();
}

void TestDefaultScripts::logIn()
{
    emit m_parser->success(QStringLiteral("Me"));
    announce(QStringLiteral("Ann"));
    announce(QStringLiteral("ben"), 0, 0, true);
    announce(QStringLiteral("Root"), 0, 0, false, true);
    announce(QStringLiteral("Me"), 0, 0, true);
}

void TestDefaultScripts::shippedScriptsAreLoaded()
{
    // Every shipped script registers its handlers at load, without errors.
    ScriptHost* host = m_test->window->scriptHost();
    for (const char* event :
         {"chat_message", "chat_whisper", "chat_whisperbutton", "chat_closebutton", "chat_ignore",
          "server_chat", "server_whisper", "server_newuser", "server_user", "server_enduser",
          "user_becomes_friend", "user_becomes_enemy"})
        QVERIFY2(host->handlerCount(QLatin1String(event)) > 0, event);
    QCOMPARE(m_test->window->output()->lineCount(), 0);
    QVERIFY(QDir(QStringLiteral("Scripts")).entryList({QStringLiteral("*.tcl")}).size() >= 2);
}

void TestDefaultScripts::friendsLineShowsGreenAndLightsItsTab()
{
    logIn();
    emit m_parser->mask(QStringLiteral("Ann@*"), QStringLiteral("friend"));
    m_chat->tabs()->setCurrentWidget(m_chat->gameBox());

    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("hello {world} [x] $y"));
    ChatView* view = m_chat->globalBox()->view();
    QCOMPARE(chatLines(view), QStringList{QStringLiteral("Ann: hello {world} [x] $y")});
    QCOMPARE(view->line(0).circleColor, Friend);
    QCOMPARE(view->line(0).textColor, QColor(Qt::black));
    QVERIFY(!view->line(0).hideable);
    QVERIFY(m_chat->isMarkedActive(m_chat->globalBox()));
    QCOMPARE(m_chat->globalBox()->findUser(QStringLiteral("Ann"))->color(), Friend);

    // A line on the channel in front leaves its tab as it is.
    emit m_parser->gameChat(QStringLiteral("Root"), QStringLiteral("gl hf"));
    QCOMPARE(chatLines(m_chat->gameBox()->view()), QStringList{QStringLiteral("Root: gl hf")});
    QCOMPARE(m_chat->gameBox()->view()->line(0).circleColor, Admin);
    QVERIFY(!m_chat->isMarkedActive(m_chat->gameBox()));
    emit m_parser->membersChat(QStringLiteral("ben"), QStringLiteral("hi"));
    QCOMPARE(m_chat->membersBox()->view()->line(0).circleColor, Other);
    QVERIFY(m_chat->isMarkedActive(m_chat->membersBox()));

    // A line from a user the client does not know raises nothing.
    emit m_parser->globalChat(QStringLiteral("Ghost"), QStringLiteral("boo"));
    QCOMPARE(view->lineCount(), 1);
}

void TestDefaultScripts::typedLineIsSentOnceAndShownOnce()
{
    logIn();
    type(m_chat->globalBox()->inputLine(), QStringLiteral("hello everyone"));
    QCOMPARE(sent(), QStringList{QStringLiteral("GlobalChat|hello everyone")});
    // The line appears when the server sends it back, and only then.
    QCOMPARE(m_chat->globalBox()->view()->lineCount(), 0);
    emit m_parser->globalChat(QStringLiteral("Me"), QStringLiteral("hello everyone"));
    QCOMPARE(chatLines(m_chat->globalBox()->view()),
             QStringList{QStringLiteral("Me: hello everyone")});

    type(m_chat->membersBox()->inputLine(), QStringLiteral("members here?"));
    QCOMPARE(sent(), QStringList{QStringLiteral("MembersChat|members here?")});
    QCOMPARE(m_chat->membersBox()->view()->lineCount(), 0);
}

void TestDefaultScripts::channelsThatCannotBeUsedSayWhy()
{
    emit m_parser->success(QStringLiteral("Me"));
    announce(QStringLiteral("Me"));
    type(m_chat->gameBox()->inputLine(), QStringLiteral("anyone?"));
    type(m_chat->membersBox()->inputLine(), QStringLiteral("let me in"));
    QVERIFY(sent().isEmpty());
    QCOMPARE(chatLines(m_chat->gameBox()->view()),
             QStringList{QStringLiteral("You are not in a game")});
    QCOMPARE(chatLines(m_chat->membersBox()->view()),
             QStringList{QStringLiteral("This channel is for members only")});
}

void TestDefaultScripts::whispersHaveTabsOfTheirOwn()
{
    logIn();
    ChatBox* global = m_chat->globalBox();
    global->userList()->setCurrentItem(global->findUser(QStringLiteral("Ann")));
    QTest::mouseClick(global->whisperButton(), Qt::LeftButton);
    WhisperBox* ann = m_chat->whisperBox(QStringLiteral("Ann"));
    QVERIFY(ann);
    QCOMPARE(m_chat->tabs()->currentWidget(), ann);

    // Whispers are not sent back by the server: the own line shows at once.
    type(ann->inputLine(), QStringLiteral("psst"));
    QCOMPARE(sent(), QStringList{QStringLiteral("Whisper|Ann|psst")});
    QCOMPARE(chatLines(ann->view()), QStringList{QStringLiteral("Me: psst")});

    // An answer lands in the tab and lights it when it is behind.
    m_chat->tabs()->setCurrentWidget(global);
    emit m_parser->whisper(QStringLiteral("Ann"), QStringLiteral("yes?"));
    QCOMPARE(chatLines(ann->view()),
             (QStringList{QStringLiteral("Me: psst"), QStringLiteral("Ann: yes?")}));
    QVERIFY(m_chat->isMarkedActive(ann));

    // A whisper from someone new opens his tab behind the one in front.
    emit m_parser->whisper(QStringLiteral("ben"), QStringLiteral("hey"));
    QCOMPARE(m_chat->whisperNames(), (QStringList{QStringLiteral("Ann"), QStringLiteral("ben")}));
    QCOMPARE(m_chat->tabs()->currentWidget(), global);
    QVERIFY(m_chat->isMarkedActive(m_chat->whisperBox(QStringLiteral("ben"))));

    // /w from a channel whispers and brings the conversation forward; the
    // nickname may be typed in any case.
    type(global->inputLine(), QStringLiteral("/w BEN see you  later"));
    QCOMPARE(sent(), QStringList{QStringLiteral("Whisper|ben|see you  later")});
    QCOMPARE(m_chat->tabs()->currentWidget(), m_chat->whisperBox(QStringLiteral("ben")));
    QCOMPARE(chatLines(m_chat->whisperBox(QStringLiteral("ben"))->view()).last(),
             QStringLiteral("Me: see you later"));
    QCOMPARE(global->view()->lineCount(), 0);

    // Someone who is gone cannot be whispered to.
    emit m_parser->endUser(QStringLiteral("Ann"));
    type(ann->inputLine(), QStringLiteral("still there?"));
    QVERIFY(sent().isEmpty());
    QCOMPARE(chatLines(ann->view()).last(), QStringLiteral("Ann is not logged on"));

    QTest::mouseClick(ann->closeButton(), Qt::LeftButton);
    QCOMPARE(m_chat->whisperNames(), QStringList{QStringLiteral("ben")});
}

void TestDefaultScripts::slashCommands()
{
    logIn();
    QLineEdit* input = m_chat->globalBox()->inputLine();
    ChatView* view = m_chat->globalBox()->view();

    type(input, QStringLiteral("/me waves"));
    QCOMPARE(sent(), QStringList{QStringLiteral("GlobalChat|/me waves")});
    emit m_parser->globalChat(QStringLiteral("Me"), QStringLiteral("/me waves"));
    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("/me waves back"));
    QCOMPARE(chatLines(view),
             (QStringList{QStringLiteral("* Me waves"), QStringLiteral("* Ann waves back")}));
    QCOMPARE(view->line(1).circleColor, Other);
    QVERIFY(view->line(1).textColor != QColor(Qt::black));

    type(input, QStringLiteral("//shrug"));
    QCOMPARE(sent(), QStringList{QStringLiteral("GlobalChat|/shrug")});

    // Help, mistakes and unknown commands stay in the box; nothing is sent.
    const int before = view->lineCount();
    type(input, QStringLiteral("/help"));
    QVERIFY(view->lineCount() >= before + 3);
    const QString help = chatLines(view).mid(before).join(QLatin1Char('\n'));
    for (const char* command : {"/w", "/me", "/help"})
        QVERIFY2(help.contains(QLatin1String(command)), command);
    const int afterHelp = view->lineCount();
    type(input, QStringLiteral("/dance now"));
    type(input, QStringLiteral("/w Ann"));
    type(input, QStringLiteral("/me"));
    QCOMPARE(chatLines(view).mid(afterHelp),
             (QStringList{QStringLiteral("Unknown command /dance - type /help for the list"),
                          QStringLiteral("Usage: /w nickname text"),
                          QStringLiteral("Usage: /me text")}));
    QVERIFY(sent().isEmpty());
    QVERIFY(m_chat->whisperNames().isEmpty());
}

void TestDefaultScripts::ignoreHidesAndStrikesOut()
{
    logIn();
    ChatBox* members = m_chat->membersBox();
    members->userList()->setCurrentItem(members->findUser(QStringLiteral("ben")));
    QTest::mouseClick(members->ignoreButton(), Qt::LeftButton);
    for (ChatBox* box : {m_chat->globalBox(), members})
        QVERIFY(box->findUser(QStringLiteral("ben"))->strikeOut());

    emit m_parser->globalChat(QStringLiteral("ben"), QStringLiteral("can you hear me"));
    emit m_parser->membersChat(QStringLiteral("ben"), QStringLiteral("hello?"));
    emit m_parser->whisper(QStringLiteral("ben"), QStringLiteral("psst"));
    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("I can"));
    QCOMPARE(chatLines(m_chat->globalBox()->view()), QStringList{QStringLiteral("Ann: I can")});
    QCOMPARE(members->view()->lineCount(), 0);
    QVERIFY(m_chat->whisperNames().isEmpty());

    // The strike-out stays when he comes back, and Ignore again lifts it.
    emit m_parser->endUser(QStringLiteral("ben"));
    announce(QStringLiteral("ben"), 0, 0, true);
    QVERIFY(m_chat->globalBox()->findUser(QStringLiteral("ben"))->strikeOut());
    QVERIFY(members->findUser(QStringLiteral("ben"))->strikeOut());
    emit m_chat->ignore(QStringLiteral("ben"));
    QVERIFY(!m_chat->globalBox()->findUser(QStringLiteral("ben"))->strikeOut());
    QVERIFY(!members->findUser(QStringLiteral("ben"))->strikeOut());
    emit m_parser->globalChat(QStringLiteral("ben"), QStringLiteral("back"));
    QCOMPARE(chatLines(m_chat->globalBox()->view()).last(), QStringLiteral("ben: back"));

    // Ignoring yourself does nothing.
    emit m_chat->ignore(QStringLiteral("Me"));
    QVERIFY(!m_chat->globalBox()->findUser(QStringLiteral("Me"))->strikeOut());
}

void TestDefaultScripts::joinsAndPartsAreHideableLines()
{
    logIn();
    ChatBox* global = m_chat->globalBox();
    // The users there before the own login come without join lines.
    QCOMPARE(listed(global), (QStringList{QStringLiteral("Ann"), QStringLiteral("ben"),
                                          QStringLiteral("Me"), QStringLiteral("Root")}));
    QCOMPARE(global->view()->lineCount(), 0);

    announce(QStringLiteral("Cleo"), 0, 0, true);
    emit m_parser->endUser(QStringLiteral("ben"));
    QCOMPARE(listed(global), (QStringList{QStringLiteral("Ann"), QStringLiteral("Cleo"),
                                          QStringLiteral("Me"), QStringLiteral("Root")}));
    QCOMPARE(listed(m_chat->membersBox()),
             (QStringList{QStringLiteral("Cleo"), QStringLiteral("Me")}));
    QCOMPARE(chatLines(global->view()),
             (QStringList{QStringLiteral("Cleo has joined"), QStringLiteral("ben has left")}));
    QCOMPARE(chatLines(m_chat->membersBox()->view()),
             (QStringList{QStringLiteral("Cleo has joined"), QStringLiteral("ben has left")}));
    for (int i = 0; i < 2; ++i) {
        QVERIFY(global->view()->line(i).hideable);
        QCOMPARE(global->view()->line(i).textColor, Other);
    }

    emit m_parser->globalChat(QStringLiteral("Cleo"), QStringLiteral("hi all"));
    global->leaveJoins()->click();
    QCOMPARE(global->view()->line(0).height, 0);
    QVERIFY(global->view()->line(2).height > 0);
}

void TestDefaultScripts::enteringAGameFillsTheGameList()
{
    logIn();
    emit m_parser->newGame(7, 3, QStringLiteral("Isles"), QStringLiteral("Ann"), false, false, 90,
                           false, false, false, false, false, false, 2, 0, 0, false, false, 0,
                           false, false);
    emit m_parser->game(7, QStringLiteral("Ann"), false, 2, 2, 0, 0);
    emit m_parser->user(QStringLiteral("Ann"), 1500, 0, 7, 0, false, QString(), false, 1);
    emit m_parser->user(QStringLiteral("ben"), 1500, 0, 0, 7, true, QString(), false, 1);
    ChatBox* game = m_chat->gameBox();
    QCOMPARE(game->userList()->topLevelItemCount(), 0);

    emit m_parser->user(QStringLiteral("Me"), 1500, 0, 7, 0, true, QString(), false, 1);
    QCOMPARE(listed(game),
             (QStringList{QStringLiteral("Ann"), QStringLiteral("ben"), QStringLiteral("Me")}));
    type(game->inputLine(), QStringLiteral("hi"));
    QCOMPARE(sent(), QStringList{QStringLiteral("GameChat|hi")});

    // Others come and go; the lines are hideable.
    emit m_parser->user(QStringLiteral("Root"), 1500, 0, 0, 7, false, QString(), true, 1);
    emit m_parser->user(QStringLiteral("Ann"), 1500, 0, 0, 0, false, QString(), false, 1);
    QCOMPARE(listed(game),
             (QStringList{QStringLiteral("ben"), QStringLiteral("Me"), QStringLiteral("Root")}));
    QCOMPARE(game->findUser(QStringLiteral("Root"))->color(), Admin);
    emit m_parser->endUser(QStringLiteral("ben"));
    QCOMPARE(chatLines(game->view()), (QStringList{QStringLiteral("You have joined game 7"),
                                                   QStringLiteral("Root is watching the game"),
                                                   QStringLiteral("Ann has left the game"),
                                                   QStringLiteral("ben has left the game")}));
    for (int i = 0; i < game->view()->lineCount(); ++i)
        QVERIFY(game->view()->line(i).hideable);

    emit m_parser->user(QStringLiteral("Me"), 1500, 0, 0, 0, true, QString(), false, 1);
    QCOMPARE(game->userList()->topLevelItemCount(), 0);
    QCOMPARE(chatLines(game->view()).last(), QStringLiteral("You have left game 7"));

    // After a logout the next login starts with an empty game list.
    emit m_parser->user(QStringLiteral("Me"), 1500, 0, 0, 7, true, QString(), false, 1);
    QCOMPARE(chatLines(game->view()).last(), QStringLiteral("You are watching game 7"));
    m_test->window->actionLogout();
    logIn();
    QCOMPARE(game->userList()->topLevelItemCount(), 0);
    QCOMPARE(chatLines(game->view()).last(), QStringLiteral("You are watching game 7"));
    QCOMPARE(listed(m_chat->globalBox()).size(), 4);
}

void TestDefaultScripts::membersAndColoursFollowTheServerAndTheMasks()
{
    logIn();
    ChatBox* members = m_chat->membersBox();
    QCOMPARE(listed(members), (QStringList{QStringLiteral("ben"), QStringLiteral("Me")}));
    emit m_parser->user(QStringLiteral("ben"), 1500, 0, 0, 0, false, QString(), true, 1);
    QCOMPARE(listed(members), QStringList{QStringLiteral("Me")});
    QCOMPARE(m_chat->globalBox()->findUser(QStringLiteral("ben"))->color(), Admin);

    emit m_parser->mask(QStringLiteral("A*"), QStringLiteral("enemy"));
    QCOMPARE(m_chat->globalBox()->findUser(QStringLiteral("Ann"))->color(), Enemy);
    emit m_parser->mask(QStringLiteral("Ann@*"), QStringLiteral("friend"));
    QCOMPARE(m_chat->globalBox()->findUser(QStringLiteral("Ann"))->color(),
             QColor(0xff, 0x7f, 0x00));
    QCOMPARE(m_chat->globalBox()->findUser(QStringLiteral("Root"))->color(), Admin);
    QCOMPARE(m_chat->globalBox()->findUser(QStringLiteral("Me"))->color(), Other);
}

void TestDefaultScripts::withoutScriptsNothingHappens()
{
    // A run directory without Scripts/: the chat window stays empty and
    // typed text goes nowhere.
    m_test.reset();
    const QString runDir = QDir::currentPath();
    const QTemporaryDir empty;
    QVERIFY(QDir::setCurrent(empty.path()));
    m_test = std::make_unique<TestWindow>();
    QDir::setCurrent(runDir);
    m_chat = m_test->window->chatDialog();
    m_parser = m_test->parser;

    logIn();
    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("hi"));
    type(m_chat->globalBox()->inputLine(), QStringLiteral("hello"));
    QVERIFY(sent().isEmpty());
    QCOMPARE(m_chat->globalBox()->view()->lineCount(), 0);
    QCOMPARE(m_chat->globalBox()->userList()->topLevelItemCount(), 0);
}

QTEST_MAIN(TestDefaultScripts)
#include "tst_defaultscripts.moc"
