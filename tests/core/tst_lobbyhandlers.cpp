#include "buttonbar.h"
#include "favouritesdialog.h"
#include "lobbymodel.h"
#include "logindialog.h"
#include "map.h"
#include "message.h"
#include "newgamedialog.h"
#include "parser.h"
#include "protocol.h"
#include "question.h"
#include "registerdialog.h"
#include "robotdialog.h"
#include "scripthost.h"
#include "sender.h"
#include "settings.h"
#include "tarvenix.h"
#include "usersdialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

// The main window's lobby handlers, driven through the parser's signals as
// the server's messages would: the own user record, entering and leaving
// games, the operator's buttons, script events and the requests sent.
class TestLobbyHandlers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void refusedLoginClearsTheLobby();
    void ownUserMakesBarConnected();
    void welcomeForgetsOwnUser();
    void enteringAndLeavingGames();
    void playingToWatchingSameGameChangesOnlyFlags();
    void unknownGameIdsCountAsLeaving();
    void endGameWhileInsideLeavesIt();
    void startOnlyWhenGameCanStart_data();
    void startOnlyWhenGameCanStart();
    void operatorButtonsOnEnteringAnnouncedGame();
    void nonOperatorLosesStartAndRobot();
    void userEvents();
    void chatEventsOnlyForKnownUsers();
    void handlersSeeRecordBeforeChange();
    void join_data();
    void join();
    void watch_data();
    void watch();
    void newGameHidesDialogAndSends();
    void leaveAsksTheRightQuestion();
    void slotsReachBothDialogs();
    void masksFromServerAreNotSentBack();
    void friendChangesRaiseEvents();
    void resetEmptiesLobby();

private:
    void announceGame(int id, const QString& op = QStringLiteral("Op"), bool running = false,
                      int players = 2);
    void announceMe();
    void moveMe(int playing, int watching);
    QStringList events() const;
    QToolButton* barButton(const char* keyWord) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<Tarvenix> m_window;
    Parser* m_parser = nullptr;
    QList<int> m_sent;
};

void TestLobbyHandlers::initTestCase()
{
    Tcl_FindExecutable(QCoreApplication::arguments().value(0).toLocal8Bit().constData());
}

void TestLobbyHandlers::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<Settings>(m_dir->filePath(QStringLiteral("tarvenix.cfg")));
    m_window = std::make_unique<Tarvenix>();
    m_window->loginDialog()->setNickname(QStringLiteral("Me"));
    m_parser = m_window->parser();
    m_sent.clear();
    connect(m_window->sender(), &Sender::send, this,
            [this](Message* message) { m_sent << Protocol::opcodeOf(*message); });

    // Every event of interest is recorded as one list: name, then arguments.
    Tcl_Interp* interp = m_window->scriptHost()->interp();
    QVERIFY(interp);
    const char* setup = "set ::events {}\n"
                        "proc record {name args} { lappend ::events [linsert $args 0 $name] }\n"
                        "foreach e {server_newuser server_user server_enduser server_chat "
                        "server_whisper user_becomes_friend user_becomes_enemy} {\n"
                        "  proc $e args \"record $e {*}\\$args\"\n"
                        "  on 0 $e $e\n"
                        "}\n";
    QCOMPARE(Tcl_Eval(interp, setup), TCL_OK);
}

void TestLobbyHandlers::cleanup()
{
    m_window.reset();
    m_settings.reset();
    m_dir.reset();
}

QStringList TestLobbyHandlers::events() const
{
    Tcl_Interp* interp = m_window->scriptHost()->interp();
    Tcl_Obj* list = Tcl_GetVar2Ex(interp, "::events", nullptr, 0);
    int count = 0;
    Tcl_Obj** items = nullptr;
    Tcl_ListObjGetElements(interp, list, &count, &items);
    QStringList result;
    for (int i = 0; i < count; ++i) {
        int n = 0;
        Tcl_Obj** words = nullptr;
        Tcl_ListObjGetElements(interp, items[i], &n, &words);
        QStringList parts;
        for (int j = 0; j < n; ++j)
            parts << QString::fromLatin1(Tcl_GetString(words[j]));
        result << parts.join(QLatin1Char('|'));
    }
    return result;
}

QToolButton* TestLobbyHandlers::barButton(const char* keyWord) const
{
    return m_window->buttonBar()->findChild<QToolButton*>(QStringLiteral("Button") +
                                                          QLatin1String(keyWord));
}

void TestLobbyHandlers::announceGame(int id, const QString& op, bool running, int players)
{
    emit m_parser->newGame(id, 3, "Isles", "Ann", false, false, 120, false, false, false, false,
                           false, false, 2, 0, 0, false, false, 0, false, false);
    emit m_parser->game(id, op, running, players, players, 0, 0);
}

void TestLobbyHandlers::announceMe()
{
    emit m_parser->newUser(QStringLiteral("Me"), QStringLiteral("me.example"));
    emit m_parser->user(QStringLiteral("Me"), 1500, 0, 0, 0, false, QString(), false, 1);
}

void TestLobbyHandlers::moveMe(int playing, int watching)
{
    emit m_parser->user(QStringLiteral("Me"), 1500, 0, playing, watching, false, QString(), false,
                        1);
}

// The texts and dialogs of each failure code are checked with the login
// handlers; here, what a refusal does to a lobby the user already saw.
void TestLobbyHandlers::refusedLoginClearsTheLobby()
{
    m_window->show();
    announceMe();
    QVERIFY(barButton("Chat")->isEnabled());
    emit m_parser->failure(5);
    QVERIFY(m_window->loginDialog()->isVisible());
    QVERIFY(!barButton("Chat")->isEnabled());
    QVERIFY(!m_window->usersDialog()->findUser(QStringLiteral("Me")));
}

void TestLobbyHandlers::ownUserMakesBarConnected()
{
    emit m_parser->newUser(QStringLiteral("me"), QStringLiteral("other.example"));
    QVERIFY(!m_window->lobby()->me());
    QVERIFY(!barButton("Users")->isEnabled());
    emit m_parser->newUser(QStringLiteral("Me"), QStringLiteral("me.example"));
    QCOMPARE(m_window->lobby()->me(), m_window->usersDialog()->findUser("Me"));
    for (const char* key : {"Chat", "Users", "Leave"})
        QVERIFY2(barButton(key)->isEnabled(), key);
    QVERIFY(!barButton("Store")->isEnabled());
}

void TestLobbyHandlers::welcomeForgetsOwnUser()
{
    announceMe();
    QVERIFY(m_window->lobby()->me());
    emit m_parser->success(QStringLiteral("Me"));
    QVERIFY(!m_window->lobby()->me());
    QVERIFY(m_window->usersDialog()->findUser(QStringLiteral("Me")));
}

void TestLobbyHandlers::enteringAndLeavingGames()
{
    announceGame(12);
    announceMe();
    m_window->newGameDialog()->show();
    m_window->logoutDialog()->show();
    moveMe(12, 0);
    QCOMPARE(m_window->lobby()->me()->gameId, 12);
    QVERIFY(barButton("Store")->isEnabled());
    QVERIFY(!m_window->newGameDialog()->isVisible());
    QVERIFY(!m_window->logoutDialog()->isVisible());
    // Until the card hand is built the stack has no cards page to raise.
    if (QWidget* cards = m_window->stackPage(Tarvenix::CardsPage))
        QCOMPARE(m_window->stack()->currentWidget(), cards);

    m_window->leaveDialog()->show();
    m_window->map()->setLocalSeat(2);
    m_window->map()->setMode(MapMode::Attack);
    moveMe(0, 0);
    QCOMPARE(m_window->map()->localSeat(), -1);
    QCOMPARE(m_window->map()->mode(), MapMode::Idle);
    QCOMPARE(m_window->lobby()->me()->gameId, 0);
    QVERIFY(!barButton("Store")->isEnabled());
    QVERIFY(!m_window->leaveDialog()->isVisible());
    QCOMPARE(m_window->stack()->currentWidget(), m_window->stackPage(Tarvenix::EditorPage));
}

void TestLobbyHandlers::playingToWatchingSameGameChangesOnlyFlags()
{
    announceGame(12);
    announceMe();
    moveMe(12, 0);
    m_window->favouritesDialog()->show();
    m_window->logoutDialog()->show();
    moveMe(0, 12);
    const UserInfo* me = m_window->lobby()->me();
    QCOMPARE(me->gameId, 12);
    QVERIFY(me->observer);
    // No entering again: the dialogs stay as they were.
    QVERIFY(m_window->favouritesDialog()->isVisible());
    QVERIFY(m_window->logoutDialog()->isVisible());
    QVERIFY(barButton("Store")->isEnabled());
}

void TestLobbyHandlers::unknownGameIdsCountAsLeaving()
{
    announceGame(12);
    announceMe();
    moveMe(12, 0);
    moveMe(98, 99);
    QCOMPARE(m_window->lobby()->me()->gameId, 0);
    QVERIFY(!barButton("Store")->isEnabled());
    QCOMPARE(m_window->stack()->currentWidget(), m_window->stackPage(Tarvenix::EditorPage));
}

void TestLobbyHandlers::endGameWhileInsideLeavesIt()
{
    announceGame(12, QStringLiteral("Me"));
    announceMe();
    moveMe(12, 0);
    QVERIFY(barButton("Store")->isEnabled());
    emit m_parser->endGame(12);
    QVERIFY(!m_window->usersDialog()->findGame(12));
    QVERIFY(!m_window->lobby()->gameOf(m_window->lobby()->me()));
    QVERIFY(!barButton("Store")->isEnabled());
    QVERIFY(!barButton("Start")->isEnabled());
    // The late user message changes nothing more and touches nothing freed.
    moveMe(0, 0);
    QCOMPARE(m_window->stack()->currentWidget(), m_window->stackPage(Tarvenix::EditorPage));
}

void TestLobbyHandlers::startOnlyWhenGameCanStart_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("robots");
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("robot");

    // minHumans is 2 in every row; the lobby model's tests hold the rule.
    QTest::newRow("two humans") << false << 2 << 0 << true << true;
    QTest::newRow("robot limit") << false << 5 << 4 << false << false;
}

void TestLobbyHandlers::startOnlyWhenGameCanStart()
{
    QFETCH(bool, running);
    QFETCH(int, players);
    QFETCH(int, robots);
    QFETCH(bool, start);
    QFETCH(bool, robot);
    announceGame(12, QStringLiteral("Me"), false, 1);
    announceMe();
    moveMe(12, 0);
    m_window->robotDialog()->show();
    emit m_parser->game(12, QStringLiteral("Me"), running, players - robots, players, robots, 0);
    QCOMPARE(barButton("Start")->isEnabled(), start);
    QCOMPARE(barButton("Robot")->isEnabled(), robot);
    QCOMPARE(m_window->robotDialog()->isVisible(), robot);
}

void TestLobbyHandlers::operatorButtonsOnEnteringAnnouncedGame()
{
    // The game's status arrives first, naming the user as its operator.
    announceGame(12, QStringLiteral("Me"), false, 2);
    announceGame(13, QStringLiteral("Zed"), false, 2);
    announceMe();
    QVERIFY(!barButton("Start")->isEnabled());
    moveMe(12, 0);
    QVERIFY(barButton("Start")->isEnabled());
    QVERIFY(barButton("Robot")->isEnabled());
    moveMe(13, 0);
    QVERIFY(!barButton("Start")->isEnabled());
    QVERIFY(!barButton("Robot")->isEnabled());
}

void TestLobbyHandlers::nonOperatorLosesStartAndRobot()
{
    announceGame(12, QStringLiteral("Me"), false, 1);
    announceMe();
    moveMe(12, 0);
    emit m_parser->game(12, QStringLiteral("Me"), false, 2, 2, 0, 0);
    QVERIFY(barButton("Start")->isEnabled());
    m_window->robotDialog()->show();
    emit m_parser->game(12, QStringLiteral("Other"), false, 2, 2, 0, 0);
    QVERIFY(!barButton("Start")->isEnabled());
    QVERIFY(!barButton("Robot")->isEnabled());
    QVERIFY(!m_window->robotDialog()->isVisible());
    // A game the user is not in leaves his buttons alone.
    announceGame(13, QStringLiteral("Zed"));
    barButton("Robot")->setEnabled(true);
    emit m_parser->game(13, QStringLiteral("Zed"), false, 2, 2, 0, 0);
    QVERIFY(barButton("Robot")->isEnabled());
}

void TestLobbyHandlers::userEvents()
{
    announceGame(12);
    emit m_parser->newUser(QStringLiteral("Ann"), QStringLiteral("ann.example"));
    emit m_parser->user(QStringLiteral("Ann"), 1720, 33, 0, 12, true, QStringLiteral(":-)"), false,
                        4);
    emit m_parser->user(QStringLiteral("Ghost"), 1, 1, 0, 0, false, QString(), false, 1);
    QCOMPARE(events(), (QStringList{"server_newuser|Ann|ann.example",
                                    "server_user|Ann|1720|33|12|0|1|1|:-)|0|4"}));
}

void TestLobbyHandlers::chatEventsOnlyForKnownUsers()
{
    emit m_parser->globalChat(QStringLiteral("Stranger"), QStringLiteral("hello"));
    emit m_parser->whisper(QStringLiteral("Stranger"), QStringLiteral("psst"));
    QVERIFY(events().isEmpty());

    emit m_parser->newUser(QStringLiteral("Ann"), QStringLiteral("h"));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    emit m_parser->globalChat(QStringLiteral("Ann"), QStringLiteral("hi all"));
    emit m_parser->gameChat(QStringLiteral("Ann"), QStringLiteral("gg"));
    emit m_parser->membersChat(QStringLiteral("Ann"), QStringLiteral("members"));
    emit m_parser->whisper(QStringLiteral("Ann"), QStringLiteral("psst"));
    QCOMPARE(events(), (QStringList{"server_newuser|Ann|h", "server_chat|global|Ann|hi all",
                                    "server_chat|game|Ann|gg", "server_chat|member|Ann|members",
                                    "server_whisper|Ann|psst"}));
    QVERIFY(m_window->usersDialog()->findUser("Ann")->lastActive >= before);
}

namespace {

// A script command that reports the lobby's current rating of a user, or
// "unknown": lets a handler show what the lobby held while it ran.
int probe(ClientData data, Tcl_Interp* interp, int objc, Tcl_Obj* const objv[])
{
    const auto* users = static_cast<const UsersDialog*>(data);
    const UserInfo* user =
        objc == 2 ? users->findUser(QString::fromLatin1(Tcl_GetString(objv[1]))) : nullptr;
    const QByteArray answer = user ? QByteArray::number(user->rating) : QByteArray("unknown");
    Tcl_SetObjResult(interp, Tcl_NewStringObj(answer.constData(), -1));
    return TCL_OK;
}

} // namespace

void TestLobbyHandlers::handlersSeeRecordBeforeChange()
{
    ScriptHost* host = m_window->scriptHost();
    host->addCommand("probe", probe, m_window->usersDialog());
    QCOMPARE(Tcl_Eval(host->interp(),
                      "proc server_user {nick args} { record server_user $nick [probe $nick] }\n"
                      "proc server_enduser {nick} { record server_enduser $nick [probe $nick] }"),
             TCL_OK);
    emit m_parser->newUser(QStringLiteral("Ann"), QStringLiteral("h"));
    emit m_parser->user(QStringLiteral("Ann"), 1720, 0, 0, 0, false, QString(), false, 1);
    emit m_parser->endUser(QStringLiteral("Ann"));
    emit m_parser->endUser(QStringLiteral("Ann"));
    QCOMPARE(events(), (QStringList{"server_newuser|Ann|h", "server_user|Ann|1500",
                                    "server_enduser|Ann|1720"}));
    QVERIFY(!m_window->usersDialog()->findUser(QStringLiteral("Ann")));
}

namespace {
constexpr int Join = int(Opcode::Join);
constexpr int Watch = int(Opcode::Watch);
constexpr int Part = int(Opcode::Part);
} // namespace

void TestLobbyHandlers::join_data()
{
    QTest::addColumn<int>("playing");
    QTest::addColumn<int>("watching");
    QTest::addColumn<int>("target");
    QTest::addColumn<QList<int>>("sent");

    // Game 12 waits, game 13 runs, game 14 waits; one row for each kind of
    // answer, the lobby model's tests hold the rule.
    QTest::newRow("in no game") << 0 << 0 << 14 << QList<int>{Join};
    QTest::newRow("plays in running") << 13 << 0 << 14 << QList<int>{};
    QTest::newRow("plays in other waiting") << 12 << 0 << 14 << QList<int>{Part, Join};
}

void TestLobbyHandlers::join()
{
    QFETCH(int, playing);
    QFETCH(int, watching);
    QFETCH(int, target);
    announceGame(12);
    announceGame(13, QStringLiteral("Op"), true);
    announceGame(14);
    m_window->actionJoin(14);
    QVERIFY2(m_sent.isEmpty(), "nothing without an own user record");
    announceMe();
    moveMe(playing, watching);
    m_window->actionJoin(target);
    QTEST(m_sent, "sent");
}

void TestLobbyHandlers::watch_data()
{
    QTest::addColumn<int>("playing");
    QTest::addColumn<int>("watching");
    QTest::addColumn<int>("target");
    QTest::addColumn<QList<int>>("sent");

    QTest::newRow("in no game") << 0 << 0 << 13 << QList<int>{Watch};
    QTest::newRow("plays in running") << 13 << 0 << 12 << QList<int>{};
    QTest::newRow("watches another") << 0 << 13 << 12 << QList<int>{Part, Watch};
}

void TestLobbyHandlers::watch()
{
    QFETCH(int, playing);
    QFETCH(int, watching);
    QFETCH(int, target);
    announceGame(12);
    announceGame(13, QStringLiteral("Op"), true);
    m_window->actionWatch(12);
    QVERIFY(m_sent.isEmpty());
    announceMe();
    moveMe(playing, watching);
    m_window->actionWatch(target);
    QTEST(m_sent, "sent");
}

void TestLobbyHandlers::newGameHidesDialogAndSends()
{
    announceMe();
    emit m_window->usersDialog()->newGame();
    QVERIFY(m_window->newGameDialog()->isVisible());
    emit m_window->newGameDialog()->newGame(3, false, false, 120, false, false, false, false, false,
                                            false, 4, -50, false, false, 0, false, true);
    QVERIFY(!m_window->newGameDialog()->isVisible());
    QCOMPARE(m_sent, QList<int>{int(Opcode::NewGame)});
}

void TestLobbyHandlers::leaveAsksTheRightQuestion()
{
    announceGame(12);
    announceMe();
    QTest::mouseClick(barButton("Leave"), Qt::LeftButton);
    QVERIFY(m_window->logoutDialog()->isVisible());
    QVERIFY(!m_window->leaveDialog()->isVisible());
    m_window->logoutDialog()->hide();
    moveMe(12, 0);
    QTest::mouseClick(barButton("Leave"), Qt::LeftButton);
    QVERIFY(m_window->leaveDialog()->isVisible());
    emit m_window->leaveDialog()->yes();
    QCOMPARE(m_sent, QList<int>{Part});
}

void TestLobbyHandlers::slotsReachBothDialogs()
{
    emit m_parser->slot(true, 1, 42, QStringLiteral("Delta"), QStringLiteral("Ann"));
    emit m_parser->slot(false, 1, 43, QStringLiteral("Gamma"), QStringLiteral("Bob"));
    const auto favourites =
        m_window->favouritesDialog()->findChildren<QRadioButton*>("FavouritesSlot");
    QCOMPARE(favourites.at(1)->text(), QStringLiteral("Delta by Ann"));
    QCOMPARE(favourites.at(0)->text(), QStringLiteral("Empty slot"));
    const auto personal =
        m_window->newGameDialog()->findChildren<QRadioButton*>("NewGameMapsPersonalButton");
    const auto popular =
        m_window->newGameDialog()->findChildren<QRadioButton*>("NewGameMapsPopularButton");
    QCOMPARE(personal.at(1)->text(), QStringLiteral("Delta by Ann"));
    QCOMPARE(popular.at(1)->text(), QStringLiteral("Gamma by Bob"));
    // Storing a map sends the slot.
    favourites.at(1)->setChecked(true);
    m_window->favouritesDialog()->findChild<QPushButton*>("FavouritesOkButton")->click();
    QCOMPARE(m_sent, QList<int>{int(Opcode::Slot)});
}

void TestLobbyHandlers::masksFromServerAreNotSentBack()
{
    emit m_parser->newUser(QStringLiteral("Ann"), QStringLiteral("ann.example"));
    emit m_parser->mask(QStringLiteral("ann@*"), QStringLiteral("enemy"));
    QVERIFY(m_sent.isEmpty());
    QVERIFY(m_window->usersDialog()->findUser("Ann")->isEnemy);
    QVERIFY(events().contains(QStringLiteral("user_becomes_enemy|Ann|1")));
}

void TestLobbyHandlers::friendChangesRaiseEvents()
{
    m_window->actionUserBecomesFriend(QStringLiteral("Ann"), true);
    m_window->actionUserBecomesFriend(QStringLiteral("Bob"), false);
    QCOMPARE(events(), (QStringList{"user_becomes_friend|Ann|1", "user_becomes_friend|Bob|0"}));
}

void TestLobbyHandlers::resetEmptiesLobby()
{
    announceGame(12);
    announceMe();
    moveMe(12, 0);
    emit m_parser->robot(QStringLiteral("Bot"), QStringLiteral("Ann"), 1, 1, 1);
    m_window->usersDialog()->show();
    m_window->reset(false);
    QVERIFY(!m_window->usersDialog()->isVisible());
    QVERIFY(!m_window->lobby()->me());
    QVERIFY(m_window->lobby()->games().isEmpty());
    QVERIFY(!m_window->robotDialog()->findRobot(QStringLiteral("Bot")));
    for (const char* key : {"Chat", "Users", "Leave", "Store", "Start", "Robot"})
        QVERIFY2(!barButton(key)->isEnabled(), key);
    QVERIFY(barButton("Config")->isEnabled());
}

QTEST_MAIN(TestLobbyHandlers)
#include "tst_lobbyhandlers.moc"
