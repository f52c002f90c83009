#include "../net/fields.h"
#include "chatbox.h"
#include "chatdialog.h"
#include "chatlines.h"
#include "chatuseritem.h"
#include "chatview.h"
#include "message.h"
#include "protocol.h"
#include "scriptcommands.h"
#include "scripthost.h"
#include "sender.h"
#include "whisperbox.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <array>

namespace {

// The client state the commands read, set up by each test.
class FakeClient : public ScriptClient
{
public:
    QStringList userNames() const override { return m_users.keys(); }
    std::optional<User> user(const QString& nickname) const override
    {
        return m_users.contains(nickname) ? std::optional(m_users[nickname]) : std::nullopt;
    }
    QList<int> gameIds() const override { return m_games.keys(); }
    std::optional<Game> game(int id) const override
    {
        return m_games.contains(id) ? std::optional(m_games[id]) : std::nullopt;
    }
    std::optional<Seat> seat(int seat) const override { return m_seats.at(size_t(seat)); }
    QColor seatTextColor(int seat) const override { return QColor(10 * seat, 0, 0xAB); }
    QColor seatBackgroundColor(int seat) const override { return QColor(0xFE, 0xDC, seat); }
    QString loginNickname() const override { return m_login; }
    bool isInitialized() const override { return m_initialized; }

    QMap<QString, User> m_users;
    QMap<int, Game> m_games;
    std::array<std::optional<Seat>, Seats> m_seats;
    QString m_login;
    bool m_initialized = false;
};

} // namespace

// The script host: loading Scripts/*.tcl, the on command, the order of
// handler chains, error reporting and Tcl timers driven by the Qt loop. The
// twelve script commands: each way a call is refused, leaving everything as
// it was; each kind of option with the Tcl type of its result; lenient flags.
class TestScript : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void loadsInOrderAndReportsFailures();
    void handlersRunInWeightOrder();
    void failuresAreReportedAndTheRestRun();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void results_data();
    void results();
    void chatWindowCommands();
    void sendOutputAndActivity();

private:
    // Evaluates the script; the result text, and the code through code.
    QString eval(const QString& script, int* code = nullptr);
    QString eval(const char* script, int* code = nullptr)
    {
        return eval(QString::fromUtf8(script), code);
    }
    void writeScript(const QString& name, const QByteArray& text);
    // The lines the host reported, each checked to be drawn as an error.
    QStringList errorTexts() const;

    // The host and its commands go first, before what the commands reach.
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ChatDialog> m_chat;
    std::unique_ptr<ChatView> m_output;
    std::unique_ptr<Sender> m_sender;
    std::unique_ptr<ScriptHost> m_host;
    std::unique_ptr<QSignalSpy> m_errors;
    FakeClient* m_client = nullptr;
    QList<Message> m_sent;
    // The internal type of the last result, "string" for a plain text.
    QString m_resultType;
};

void TestScript::initTestCase()
{
    Tcl_FindExecutable(QCoreApplication::arguments().value(0).toLocal8Bit().constData());
}

void TestScript::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Scripts")));
    m_host = std::make_unique<ScriptHost>();
    QVERIFY(m_host->isValid());
    m_errors = std::make_unique<QSignalSpy>(m_host.get(), &ScriptHost::outputLine);
    m_chat = std::make_unique<ChatDialog>();
    m_output = std::make_unique<ChatView>();
    m_sender = std::make_unique<Sender>();
    m_sent.clear();
    connect(m_sender.get(), &Sender::send, this, [this](Message* m) { m_sent.append(*m); });

    auto client = std::make_unique<FakeClient>();
    m_client = client.get();
    const ScriptClient::User users[] = {
        {.nickname = QStringLiteral("Ann"), .gameId = 7, .rating = 1712},
        {.nickname = QStringLiteral("Ben"), .gameId = 7, .observer = true, .isEnemy = true},
        // In a game the client does not know.
        {.nickname = QStringLiteral("Cleo"), .gameId = 99},
    };
    for (const ScriptClient::User& user : users)
        m_client->m_users.insert(user.nickname, user);
    m_client->m_games = {
        {7,
         {.id = 7,
          .mapId = 3,
          .options = {.placeBeforeAttack = true, .timeout = 90},
          .players = 4,
          .operatorName = QStringLiteral("Ann")}},
        {12, {.id = 12, .options = {.timeout = 45}, .running = true}},
    };
    m_client->m_login = QStringLiteral("Ann");
    m_client->m_seats[0] = ScriptClient::Seat{QStringLiteral("Bot"), true};
    m_client->m_seats[2] = ScriptClient::Seat{QStringLiteral("Ann"), false};
    m_client->m_seats[3] = ScriptClient::Seat{QStringLiteral("Bot"), false};
    m_client->m_seats[5] = ScriptClient::Seat{QStringLiteral("Ann"), false};

    new ScriptCommands(m_host.get(), std::move(client),
                       {m_sender.get(), m_chat.get(), m_output.get()});
}

QString TestScript::eval(const QString& script, int* code)
{
    const QByteArray utf8 = script.toUtf8();
    const int result = Tcl_EvalEx(m_host->interp(), utf8.constData(), int(utf8.size()), 0);
    if (code)
        *code = result;
    // Read through the object: the string form of the result would replace
    // it with a plain string.
    Tcl_Obj* object = Tcl_GetObjResult(m_host->interp());
    m_resultType =
        object->typePtr ? QString::fromLatin1(object->typePtr->name) : QStringLiteral("string");
    return QString::fromUtf8(Tcl_GetString(object));
}

void TestScript::writeScript(const QString& name, const QByteArray& text)
{
    QFile file(m_dir->filePath(QStringLiteral("Scripts/") + name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QStringList TestScript::errorTexts() const
{
    QStringList texts;
    for (const QList<QVariant>& args : *m_errors) {
        // Error lines: red circle, black text, never hideable.
        const bool shaped = args.at(0).value<QColor>() == QColor(Qt::red) &&
                            args.at(1).value<QColor>() == QColor(Qt::black) && !args.at(3).toBool();
        texts.append(shaped ? args.at(2).toString() : QStringLiteral("<wrong line shape>"));
    }
    return texts;
}

// Scripts/*.tcl load in case-insensitive order; a file that fails is
// reported with its line, keeps what ran before the error, and the later
// files still load.
void TestScript::loadsInOrderAndReportsFailures()
{
    for (const QString& name :
         {QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("a2")})
        writeScript(name + QStringLiteral(".tcl"), "lappend ::order " + name.toLatin1() + '\n');
    writeScript(QStringLiteral("notes.txt"), "lappend ::order notes\n");
    writeScript(QStringLiteral("bad.tcl"), "set ::before 1\n\nerror boom\nset ::after 1\n");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Scripts/x.tcl")));
    m_host->loadScripts(m_dir->filePath(QStringLiteral("NoSuchFolder")));
    m_host->loadScripts(m_dir->filePath(QStringLiteral("Scripts")));
    QCOMPARE(eval("set ::order"), QStringLiteral("A a2 b C"));

    const QStringList texts = errorTexts();
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0], QStringLiteral("Error in bad.tcl: boom (3)"));
    QVERIFY2(texts[1].startsWith(QStringLiteral("Error in x.tcl: ")), qPrintable(texts[1]));
    QCOMPARE(eval("set ::before"), QStringLiteral("1"));
    QCOMPARE(eval("info exists ::after"), QStringLiteral("0"));
}

void TestScript::handlersRunInWeightOrder()
{
    eval("set ::calls {}\n"
         "proc first5 {args} { lappend ::calls first5 }\n"
         "proc minus1 {args} { lappend ::calls minus1 }\n"
         "proc second5 {args} { lappend ::calls second5 }\n"
         "proc zero {args} { lappend ::calls zero; set ::got $args }\n"
         "on 5 ev first5; on -1 ev minus1; on 5 ev second5; on 0x10 ev zero\n");
    m_host->raiseEvent(QStringLiteral("EV"));
    QCOMPARE(m_host->handlerCount(QStringLiteral("ev")), 4);
    m_host->raiseEvent(QStringLiteral("ev"),
                       {QStringLiteral("J\u00fcrgen"), QStringLiteral("hello {brace [x] $y")});
    QCOMPARE(eval("set ::calls"), QStringLiteral("minus1 first5 second5 zero"));
    // The arguments arrive as separate words, untouched by Tcl's quoting.
    QCOMPARE(eval("lindex $::got 1"), QStringLiteral("hello {brace [x] $y"));
    QCOMPARE(eval("llength $::got"), QStringLiteral("2"));

    // A handler hooked during the raise runs from the next raise on, where
    // its weight puts it.
    eval("set ::calls {}\n"
         "proc late {args} { lappend ::calls late }\n"
         "proc early {args} { lappend ::calls early }\n"
         "proc hooker {args} {\n"
         "  lappend ::calls hooker\n"
         "  if {![info exists ::hooked]} { set ::hooked 1; on 10 hooked late; on -10 hooked early "
         "}\n"
         "}\n"
         "on 0 hooked hooker\n");
    m_host->raiseEvent(QStringLiteral("hooked"));
    m_host->raiseEvent(QStringLiteral("hooked"));
    QCOMPARE(eval("set ::calls"), QStringLiteral("hooker late early hooker late"));
    QVERIFY(m_errors->isEmpty());
}

// A failing handler or timer script is reported and the rest still run;
// timers run from the Qt loop, not before they are due.
void TestScript::failuresAreReportedAndTheRestRun()
{
    const QStringList errors{QStringLiteral("Error: boom"),
                             QStringLiteral("Error: invoked \"break\" outside of a loop"),
                             QStringLiteral("Error: invalid command name \"missing\""),
                             QStringLiteral("Error: late failure")};
    for (const QString& error : errors)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(error));
    eval("set ::calls {}\n"
         "proc fails {} { error boom }\n"
         "proc breaks {} { lappend ::calls breaks; return -code break }\n"
         "proc last {} { lappend ::calls last; after 500 { set ::fired 1 }; return ignored }\n"
         "on 1 ev fails; on 2 ev breaks; on 3 ev missing; on 4 ev last\n"
         "after 0 { error {late failure} }\n");
    QElapsedTimer clock;
    clock.start();
    m_host->raiseEvent(QStringLiteral("ev"));
    QCOMPARE(eval("set ::calls"), QStringLiteral("breaks last"));
    QTRY_COMPARE(errorTexts(), errors);
    QTRY_COMPARE_WITH_TIMEOUT(eval("info exists ::fired"), QStringLiteral("1"), 10000);
    QVERIFY2(clock.elapsed() >= 450, qPrintable(QString::number(clock.elapsed())));
}

// The usage texts and failures come from the commands' tables: one row for
// each check of each command, and the order of the checks where a call
// breaks two rules. A row's text is the start of the error.
void TestScript::refusalsChangeNothing_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("error");
    const auto row = [](const char* script, const char* error) {
        QTest::newRow(script) << QString::fromLatin1(script) << QString::fromLatin1(error);
    };
    const auto usage = [](const char* script, const char* words) {
        QTest::newRow(script)
            << QString::fromLatin1(script)
            << QStringLiteral("wrong # args: should be \"%1").arg(QLatin1String(words));
    };
    // Tcl repeats the words kept as typed and separates an empty usage text
    // from them with a space too.
    usage("on 1 ev", "on weight type proc\"");
    usage("chatbox global", "chatbox chatbox command ?args...?\"");
    usage("chatbox Game OUTPUT red black hi 1 more",
          "chatbox Game OUTPUT ?circlecolor? ?linecolor? ?text? ?hideable?\"");
    usage("chatbox game active now", "chatbox game active \"");
    usage("whisper list Ann", "whisper list\"");
    // The other commands' arity checks, the usage text after the words kept.
    for (const char* script :
         {"color foreground", "gameinfo 7", "games 1", "output a b", "playerinfo number",
          "players all", "send", "status", "userinfo Ann", "users all", "whisper"})
        usage(script, QByteArray(script).split(' ').constFirst() + ' ');
    usage("playerinfo number Ann 1 2", "playerinfo number ?");
    usage("send chat global", "send chat chatbox");
    row("on heavy ev p", "expected integer but got \"heavy\"");
    row("chatbox Lobby Bogus", "lobby is not a valid chatbox");
    row("chatbox GLOBAL Shout", "shout is not a valid option");
    row("color bogus 6", "Invalid playernumber");
    row("color Border 2",
        "border is not a valid option. Valid options are: foreground, background");
    row("gameinfo map seven", "expected integer but got \"seven\"");
    row("gameinfo bogus 9", "9 is not a valid game ID");
    row("gameinfo Colour 7", "colour is not a valid option");
    row("playerinfo Seat Ann", "seat is not a valid option");
    row("send Shout hi", "shout is not a valid option");
    row("send chat Lobby hi", "lobby is not a valid chatbox");
    row("status Rating", "rating is not a valid option");
    row("userinfo bogus ann", "ann is not logged on");
    row("userinfo Colour Ann", "colour is not a valid option");
    row("whisper Shout Ann", "shout is not a valid option");
}

void TestScript::refusalsChangeNothing()
{
    QFETCH(QString, script);
    QFETCH(QString, error);
    m_chat->addGlobalUser(QStringLiteral("Ann"));

    int code = TCL_OK;
    const QString result = eval(script, &code);
    QVERIFY2(result.startsWith(error), qPrintable(result));
    QCOMPARE(code, TCL_ERROR);

    QVERIFY(m_sent.isEmpty());
    QCOMPARE(m_host->handlerCount(QStringLiteral("ev")), 0);
    QCOMPARE(m_output->lineCount(), 0);
    QCOMPARE(m_chat->tabs()->count(), 3);
    for (ChatBox* box : {m_chat->globalBox(), m_chat->gameBox(), m_chat->membersBox()})
        QCOMPARE(box->view()->lineCount(), 0);
    QCOMPARE(m_chat->globalBox()->userList()->topLevelItemCount(), 1);
    QCOMPARE(m_chat->gameBox()->userList()->topLevelItemCount(), 0);
    QCOMPARE(m_chat->globalBox()->findUser(QStringLiteral("Ann"))->color(), QColor(Qt::black));
    QVERIFY(!m_chat->isMarkedActive(m_chat->gameBox()));
}

void TestScript::results_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("result");
    // Tcl keeps booleans as integers; a text result has no internal type.
    QTest::addColumn<QString>("type");
    const auto row = [](const char* script, const char* result, const char* type) {
        QTest::newRow(script) << script << result << type;
    };
    row("color TEXT 5", "#3200ab", "string");
    row("color background 0", "#fedc00", "string");

    // Each name of an option of each kind (a game's field, one of its rules,
    // a count) for game 7 and, in capitals, for game 12: the values differ.
    const auto split = [](const char* words) {
        return QString::fromLatin1(words).split(QLatin1Char(' '));
    };
    for (const auto& [options, values] : {std::pair{"map mapid", "3 0"},
                                          {"alwaysplace placebeforeattack pba", "1 0"},
                                          {"seconds timeout", "90 45"},
                                          {"running", "0 1"},
                                          {"players playercount numberofplayers", "4 0"}}) {
        for (const QString& option : split(options)) {
            QTest::addRow("gameinfo %s", qPrintable(option))
                << QStringLiteral("gameinfo %1 7").arg(option) << split(values)[0] << "int";
            QTest::addRow("gameinfo %s other game", qPrintable(option))
                << QStringLiteral("gameinfo %1 12").arg(option.toUpper()) << split(values)[1]
                << "int";
        }
    }
    row("gameinfo operator 7", "Ann", "string");
    row("gameinfo users 7", "Ann Ben", "list");
    // Tcl makes an empty list the empty object, which has no type yet.
    row("gameinfo users 12", "", "string");
    row("games", "7 12", "list");

    // A field of each type and the options the commands work out, for Ann,
    // Ben and Cleo, who is in a game the client does not know.
    for (const auto& [options, values, type] :
         {std::tuple{"nick nickname", "Ann Ben Cleo", "string"},
          {"rating", "1712 1500 1500", "int"},
          {"game", "7 7 0", "int"},
          {"player", "1 0 0", "int"},
          {"operator", "1 0 0", "int"},
          {"enemy", "0 1 0", "int"}}) {
        for (const QString& option : split(options)) {
            for (int i = 0; i < 3; ++i) {
                const QString name = split("Ann Ben Cleo")[i];
                QTest::addRow("userinfo %s %s", qPrintable(option), qPrintable(name))
                    << QStringLiteral("userinfo %1 %2").arg(option, name) << split(values)[i]
                    << QString::fromLatin1(type);
            }
        }
    }
    row("userinfo RATING Ann", "1712", "int");
    row("users", "Ann Ben Cleo", "list");
    row("status initialized", "0", "int");
    row("status NICK", "Ann", "string");
    // The first seat of the name, robots skipped on request.
    row("players", "Bot Ann Bot Ann", "list");
    row("playerinfo number Ann", "2", "int");
    row("playerinfo number Bot", "0", "int");
    row("playerinfo number Bot true", "3", "int");
    row("playerinfo NUMBER bot 1", "-1", "int");
}

void TestScript::results()
{
    QFETCH(QString, script);
    QFETCH(QString, result);
    QFETCH(QString, type);
    int code = TCL_ERROR;
    QCOMPARE(eval(script, &code), result);
    QCOMPARE(code, TCL_OK);
    QCOMPARE(m_resultType, type);
}

void TestScript::chatWindowCommands()
{
    QCOMPARE(eval("chatbox GLOBAL adduser Ann\n"
                  "chatbox global adduser Ben\n"
                  "chatbox Game adduser Ann\n"
                  "chatbox member adduser Cleo\n"
                  "chatbox global color ANN #00800A\n"
                  "chatbox game color ann darkred\n"
                  "chatbox member output blue green {Cleo: hello} 1\n"
                  "chatbox global removeuser Ben\n"
                  "chatbox game active\n"),
             QString());
    ChatBox* global = m_chat->globalBox();
    ChatBox* game = m_chat->gameBox();
    ChatBox* members = m_chat->membersBox();
    QCOMPARE(global->userList()->topLevelItemCount(), 1);
    QCOMPARE(global->findUser(QStringLiteral("ann"))->color(), QColor(0x00, 0x80, 0x0A));
    QCOMPARE(game->findUser(QStringLiteral("ann"))->color(), QColor(0x8b, 0x00, 0x00));
    QCOMPARE(members->userList()->topLevelItem(0)->text(0), QStringLiteral("Cleo"));
    QVERIFY(m_chat->isMarkedActive(game));
    QVERIFY(!m_chat->isMarkedActive(members));
    QCOMPARE(chatLines(members->view()), QStringList{QStringLiteral("Cleo: hello")});
    const ChatLine& line = members->view()->line(0);
    QCOMPARE(line.circleColor, QColor(Qt::blue));
    QCOMPARE(line.textColor, QColor(0x00, 0x80, 0x00));

    eval("chatbox Global reset");
    QCOMPARE(global->userList()->topLevelItemCount(), 0);
    QCOMPARE(game->userList()->topLevelItemCount(), 1);

    // The hideable flag is an integer and the strike-out a boolean; neither
    // fails on a word of another kind.
    const QList<std::tuple<const char*, bool, bool>> flags = {
        {"", false, false}, {"yes", false, true}, {"maybe", false, false}, {"7", true, true}};
    for (const auto& [flag, hideable, strikeOut] : flags) {
        int code = TCL_ERROR;
        eval(QStringLiteral("chatbox game output gray black {a line} %1\n"
                            "chatbox game strikeout Ann %1")
                 .arg(QLatin1String(flag)),
             &code);
        QCOMPARE(code, *flag ? TCL_OK : TCL_ERROR);
        QCOMPARE(game->view()->line(game->view()->lineCount() - 1).hideable, hideable);
        QCOMPARE(game->findUser(QStringLiteral("Ann"))->strikeOut(), strikeOut);
    }

    // Whisper tabs, found by the exact nickname.
    eval("whisper output Ben red black {Ben: hi}\n"
         "whisper active Ben\n"
         "whisper OPEN Ann\n"
         "whisper activate ann\n");
    QCOMPARE(eval("whisper list"), QStringLiteral("Ben Ann ann"));
    QCOMPARE(m_chat->tabs()->currentWidget(), m_chat->whisperBox(QStringLiteral("ann")));
    QVERIFY(m_chat->isMarkedActive(m_chat->whisperBox(QStringLiteral("Ben"))));
    const ChatView* ben = m_chat->whisperBox(QStringLiteral("Ben"))->view();
    QCOMPARE(chatLines(ben), QStringList{QStringLiteral("Ben: hi")});
    QCOMPARE(ben->line(0).circleColor, QColor(Qt::red));

    eval("whisper close Ben; whisper close Nobody");
    QCOMPARE(eval("whisper list"), QStringLiteral("Ann ann"));
    QCOMPARE(m_resultType, QStringLiteral("list"));
}

void TestScript::sendOutputAndActivity()
{
    QCOMPARE(eval(QString::fromUtf8("send chat GLOBAL {hello all}\n"
                                    "send CHAT game gg\n"
                                    "send chat Member {members only}\n"
                                    "send whisper Ben {psst, Ben}\n"
                                    "send chat global {Grüße}\n")),
             QString());
    QStringList sent;
    for (const Message& message : std::as_const(m_sent))
        sent << requestText(message);
    QCOMPARE(sent,
             (QStringList{QStringLiteral("GlobalChat|hello all"), QStringLiteral("GameChat|gg"),
                          QStringLiteral("MembersChat|members only"),
                          QStringLiteral("Whisper|Ben|psst, Ben"),
                          QString::fromUtf8("GlobalChat|Gr\u00fc\u00dfe")}));

    // Output goes to the game output, drawn as the program's own lines.
    QCOMPARE(eval("output \"Script loaded: [llength [users]] users\""), QString());
    QCOMPARE(chatLines(m_output.get()), QStringList{QStringLiteral("Script loaded: 3 users")});
    QCOMPARE(m_output->line(0).circleColor, QColor(Qt::black));
    QVERIFY(!m_output->line(0).hideable);

    // A user is active for the seconds since his last line.
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    m_client->m_users[QStringLiteral("Ann")].lastActive = now - 30;
    const qint64 recent = eval("userinfo ACTIVE Ann").toLongLong();
    QVERIFY2(recent >= 30 && recent < 40, qPrintable(QString::number(recent)));
    QCOMPARE(m_resultType, QStringLiteral("int"));
}

QTEST_MAIN(TestScript)
#include "tst_script.moc"
