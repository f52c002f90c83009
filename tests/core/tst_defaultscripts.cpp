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
    void linesColoursAndTabs();
    void typedLinesAndChannelsThatCannotBeUsed();
    void whispersHaveTabsOfTheirOwn();
    void slashCommands();
    void ignoreHidesAndStrikesOut();
    void joinsAndPartsAreHideableLines();
    void enteringAGameFillsTheGameList();
    void withoutScriptsNothingHappens();

private:
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
    m_test->announceUser(QStringLiteral("Ann"));
    m_test->announceUser(QStringLiteral("ben"), 0, 0, true);
    m_test->announceUser(QStringLiteral("Root"), 0, 0, false, true);
    m_test->announceUser(QStringLiteral("Me"), 0, 0, true);
}

void TestDefaultScripts::linesColoursAndTabs()
{
    logIn();
    emit m_parser->mask(QStringLiteral("Ann@*"), QStringLiteral("friend"));
    m_chat->tabs()->setCurrentWidget(m_chat->gameBox());
    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("hello {world} [x] $y"));
    ChatView* view = m_chat->globalBox()->view();
    QCOMPARE(lines(m_chat->globalBox()), QStringList{QStringLiteral("Ann: hello {world} [x] $y")});
    QCOMPARE(view->line(0).circleColor, Friend);
    QCOMPARE(view->line(0).textColor, QColor(Qt::black));
    QVERIFY(!view->line(0).hideable);
    QVERIFY(m_chat->isMarkedActive(m_chat->globalBox()));

    // A line on the channel in front leaves its tab as it is.
    emit m_parser->gameChat(QStringLiteral("Root"), QStringLiteral("gl hf"));
    QCOMPARE(m_chat->gameBox()->view()->line(0).circleColor, Admin);
    QVERIFY(!m_chat->isMarkedActive(m_chat->gameBox()));
    emit m_parser->membersChat(QStringLiteral("ben"), QStringLiteral("hi"));
    QCOMPARE(m_chat->membersBox()->view()->line(0).circleColor, Other);
    // A line from a user the client does not know raises nothing.
    emit m_parser->globalChat(QStringLiteral("Ghost"), QStringLiteral("boo"));
    QCOMPARE(view->lineCount(), 1);

    // Membership and colours follow the server and the masks.
    QCOMPARE(listed(m_chat->membersBox()),
             (QStringList{QStringLiteral("ben"), QStringLiteral("Me")}));
    user("ben", 0, 0, false, true);
    QCOMPARE(listed(m_chat->membersBox()), QStringList{QStringLiteral("Me")});
    QCOMPARE(colour("ben"), Admin);
    m_test->announceUser(QStringLiteral("Abe"));
    emit m_parser->mask(QStringLiteral("A*"), QStringLiteral("enemy"));
    QCOMPARE(colour("Abe"), Enemy);
    QCOMPARE(colour("Ann"), QColor(0xff, 0x7f, 0x00));
    QCOMPARE(colour("Root"), Admin);
    QCOMPARE(colour("Me"), Other);
}

void TestDefaultScripts::typedLinesAndChannelsThatCannotBeUsed()
{
    logIn();
    type(m_chat->globalBox(), QStringLiteral("hello everyone"));
    type(m_chat->membersBox(), QStringLiteral("members here?"));
    QCOMPARE(sent(), QStringList({QStringLiteral("GlobalChat|hello everyone"),
                                  QStringLiteral("MembersChat|members here?")}));
    // The line appears when the server sends it back, and only then.
    QCOMPARE(m_chat->globalBox()->view()->lineCount(), 0);
    emit m_parser->globalChat(QStringLiteral("Me"), QStringLiteral("hello everyone"));
    QCOMPARE(lines(m_chat->globalBox()), QStringList{QStringLiteral("Me: hello everyone")});

    user("Me", 0, 0, false);
    type(m_chat->gameBox(), QStringLiteral("anyone?"));
    type(m_chat->membersBox(), QStringLiteral("let me in"));
    QVERIFY(sent().isEmpty());
    QCOMPARE(lines(m_chat->gameBox()), QStringList{QStringLiteral("You are not in a game")});
    QCOMPARE(lines(m_chat->membersBox()),
             QStringList{QStringLiteral("This channel is for members only")});
}

void TestDefaultScripts::whispersHaveTabsOfTheirOwn()
{
    logIn();
    ChatBox* global = m_chat->globalBox();
    global->userList()->setCurrentItem(global->findUser(QStringLiteral("Ann")));
    QTest::mouseClick(global->whisperButton(), Qt::LeftButton);
    WhisperBox* ann = m_chat->whisperBox(QStringLiteral("Ann"));
    QCOMPARE(m_chat->tabs()->currentWidget(), ann);

    // Whispers are not sent back by the server: the own line shows at once.
    type(ann, QStringLiteral("psst"));
    QCOMPARE(sent(), QStringList{QStringLiteral("Whisper|Ann|psst")});
    // An answer lands in the tab and lights it when it is behind.
    m_chat->tabs()->setCurrentWidget(global);
    emit m_parser->whisper(QStringLiteral("Ann"), QStringLiteral("yes?"));
    QCOMPARE(lines(ann), (QStringList{QStringLiteral("Me: psst"), QStringLiteral("Ann: yes?")}));
    QVERIFY(m_chat->isMarkedActive(ann));

    // A whisper from someone new opens his tab behind the one in front.
    emit m_parser->whisper(QStringLiteral("ben"), QStringLiteral("hey"));
    QCOMPARE(m_chat->whisperNames(), (QStringList{QStringLiteral("Ann"), QStringLiteral("ben")}));
    QCOMPARE(m_chat->tabs()->currentWidget(), global);

    // /w from a channel whispers and brings the conversation forward; the
    // nickname may be typed in any case.
    type(global, QStringLiteral("/w BEN see you  later"));
    QCOMPARE(sent(), QStringList{QStringLiteral("Whisper|ben|see you  later")});
    QCOMPARE(m_chat->tabs()->currentWidget(), m_chat->whisperBox(QStringLiteral("ben")));
    QCOMPARE(global->view()->lineCount(), 0);

    // Someone who is gone cannot be whispered to.
    emit m_parser->endUser(QStringLiteral("Ann"));
    type(ann, QStringLiteral("still there?"));
    QVERIFY(sent().isEmpty());
    QCOMPARE(lines(ann).last(), QStringLiteral("Ann is not logged on"));
}

void TestDefaultScripts::slashCommands()
{
    logIn();
    ChatBox* global = m_chat->globalBox();
    type(global, QStringLiteral("/me waves"));
    type(global, QStringLiteral("//shrug"));
    QCOMPARE(sent(), QStringList({QStringLiteral("GlobalChat|/me waves"),
                                  QStringLiteral("GlobalChat|/shrug")}));
    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("/me waves back"));
    QCOMPARE(lines(global), QStringList{QStringLiteral("* Ann waves back")});
    QVERIFY(global->view()->line(0).textColor != QColor(Qt::black));

    // Help, mistakes and unknown commands stay in the box; nothing is sent.
    type(global, QStringLiteral("/help"));
    const QString help = lines(global).mid(1).join(QLatin1Char('\n'));
    for (const char* command : {"/w", "/me", "/help"})
        QVERIFY2(help.contains(QLatin1String(command)), command);
    const int afterHelp = global->view()->lineCount();
    type(global, QStringLiteral("/dance now"));
    type(global, QStringLiteral("/w Ann"));
    type(global, QStringLiteral("/me"));
    QCOMPARE(lines(global).mid(afterHelp),
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
    emit m_parser->globalChat(QStringLiteral("ben"), QStringLiteral("can you hear me"));
    emit m_parser->membersChat(QStringLiteral("ben"), QStringLiteral("hello?"));
    emit m_parser->whisper(QStringLiteral("ben"), QStringLiteral("psst"));
    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("I can"));
    QCOMPARE(lines(m_chat->globalBox()), QStringList{QStringLiteral("Ann: I can")});
    QCOMPARE(members->view()->lineCount(), 0);
    QVERIFY(m_chat->whisperNames().isEmpty());

    // The strike-out stays when he comes back, and Ignore again lifts it.
    emit m_parser->endUser(QStringLiteral("ben"));
    m_test->announceUser(QStringLiteral("ben"), 0, 0, true);
    for (ChatBox* box : {m_chat->globalBox(), members})
        QVERIFY(box->findUser(QStringLiteral("ben"))->strikeOut());
    emit m_chat->ignore(QStringLiteral("ben"));
    for (ChatBox* box : {m_chat->globalBox(), members})
        QVERIFY(!box->findUser(QStringLiteral("ben"))->strikeOut());
    // Ignoring yourself does nothing.
    emit m_chat->ignore(QStringLiteral("Me"));
    QVERIFY(!m_chat->globalBox()->findUser(QStringLiteral("Me"))->strikeOut());
}

void TestDefaultScripts::joinsAndPartsAreHideableLines()
{
    logIn();
    ChatBox* global = m_chat->globalBox();
    // The users there before the own login come without join lines.
    QCOMPARE(global->view()->lineCount(), 0);
    m_test->announceUser(QStringLiteral("Cleo"), 0, 0, true);
    emit m_parser->endUser(QStringLiteral("ben"));
    QCOMPARE(listed(global), (QStringList{QStringLiteral("Ann"), QStringLiteral("Cleo"),
                                          QStringLiteral("Me"), QStringLiteral("Root")}));
    const QStringList comings{QStringLiteral("Cleo has joined"), QStringLiteral("ben has left")};
    QCOMPARE(lines(global), comings);
    QCOMPARE(lines(m_chat->membersBox()), comings);
    QVERIFY(global->view()->line(1).hideable);
    QCOMPARE(global->view()->line(1).textColor, Other);

    emit m_parser->globalChat(QStringLiteral("Cleo"), QStringLiteral("hi all"));
    global->leaveJoins()->click();
    QCOMPARE(global->view()->line(0).height, 0);
    QVERIFY(global->view()->line(2).height > 0);
}

void TestDefaultScripts::enteringAGameFillsTheGameList()
{
    logIn();
    m_test->announceGame(7, QStringLiteral("Ann"));
    user("Ann", 7, 0);
    user("ben", 0, 7, true);
    ChatBox* game = m_chat->gameBox();
    QCOMPARE(game->userList()->topLevelItemCount(), 0);

    user("Me", 7, 0, true);
    QCOMPARE(listed(game),
             (QStringList{QStringLiteral("Ann"), QStringLiteral("ben"), QStringLiteral("Me")}));
    type(game, QStringLiteral("hi"));
    QCOMPARE(sent(), QStringList{QStringLiteral("GameChat|hi")});

    // Others come and go; the lines are hideable.
    user("Root", 0, 7, false, true);
    user("Ann", 0, 0);
    emit m_parser->endUser(QStringLiteral("ben"));
    QCOMPARE(listed(game), (QStringList{QStringLiteral("Me"), QStringLiteral("Root")}));
    user("Me", 0, 0, true);
    QCOMPARE(game->userList()->topLevelItemCount(), 0);
    QCOMPARE(lines(game), (QStringList{QStringLiteral("You have joined game 7"),
                                       QStringLiteral("Root is watching the game"),
                                       QStringLiteral("Ann has left the game"),
                                       QStringLiteral("ben has left the game"),
                                       QStringLiteral("You have left game 7")}));
    for (int i = 0; i < game->view()->lineCount(); ++i)
        QVERIFY(game->view()->line(i).hideable);

    // After a logout the next login starts with an empty game list.
    user("Me", 0, 7, true);
    QCOMPARE(lines(game).last(), QStringLiteral("You are watching game 7"));
    m_test->window->actionLogout();
    logIn();
    QCOMPARE(game->userList()->topLevelItemCount(), 0);
    QCOMPARE(listed(m_chat->globalBox()).size(), 4);
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
    type(m_chat->globalBox(), QStringLiteral("hello"));
    QVERIFY(sent().isEmpty());
    QCOMPARE(m_chat->globalBox()->view()->lineCount(), 0);
    QCOMPARE(m_chat->globalBox()->userList()->topLevelItemCount(), 0);
}

QTEST_MAIN(TestDefaultScripts)
#include "tst_defaultscripts.moc"
