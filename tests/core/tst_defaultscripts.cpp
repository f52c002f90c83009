#include "chatbox.h"
#include "chatdialog.h"
#include "chatuseritem.h"
#include "testwindow.h"
#include "whisperbox.h"

#include <QCheckBox>
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
    void channelLinesAndTyping();
    void whispersAndIgnore();
    void usersComeAndGo();

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

void TestDefaultScripts::channelLinesAndTyping()
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

void TestDefaultScripts::whispersAndIgnore()
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

void TestDefaultScripts::usersComeAndGo()
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
    m_test->window->actionLogout();
    logIn();
    QCOMPARE(game->userList()->topLevelItemCount(), 0);
}

QTEST_MAIN(TestDefaultScripts)
#include "tst_defaultscripts.moc"
