// Fills the chat window through the shipped scripts, as a busy server
// would: 20 users with friends, enemies, an admin and an ignored user, 200
// lines over the three channels, and two whisper tabs, one of them lit
// (chat.sh).
// Usage: chatdemo [global|game|whisper]

#include "chatbox.h"
#include "chatdialog.h"
#include "chatuseritem.h"
#include "logindialog.h"
#include "parser.h"
#include "settings.h"
#include "tarvenix.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <tcl.h>

namespace {

// Nickname, host, game (negative: watching), member, admin.
struct Person
{
    const char* nick;
    const char* host;
    int game;
    bool member, admin;
};

const Person People[] = {
    {"Ann", "ann.example.org", 3, true, false},    {"Bob", "bob.example.com", 0, false, false},
    {"Carl", "carl.example.com", 3, true, false},  {"Dora", "dora.example.net", 0, true, true},
    {"Eve", "eve.example.org", 0, true, false},    {"Finn", "10.0.0.7", 3, false, false},
    {"Gus", "gus.example.com", 5, false, false},   {"Hanna", "hanna.example.net", -3, true, false},
    {"Ivo", "ivo.example.org", 0, false, false},   {"Jill", "jill.example.com", 5, true, false},
    {"Kurt", "10.0.0.12", 0, false, false},        {"lena", "lena.example.net", 0, true, false},
    {"Mo", "mo.example.org", 5, false, false},     {"Nina", "nina.example.com", 0, true, false},
    {"Otto", "otto.example.net", 0, false, false}, {"Pia", "pia.example.org", -3, true, false},
    {"quinn", "10.0.0.17", 0, false, false},       {"Rita", "rita.example.com", 0, false, false},
    {"Sam", "sam.example.net", 0, false, false},
};

const char* const Sayings[] = {
    "hi all",
    "anyone up for a quick game on Europe?",
    "gg everyone, that was close",
    "Africa is the easiest continent to hold, change my mind",
    "lol",
    "I keep losing my capital in the first three turns, any advice?",
    "brb",
    "who wants to team up against the robots?",
    "the new map by Ann is really nice, the islands make it slow in a good way",
    "wb",
    "no whispering in game 5 please",
    "place before attack or not?",
    "that was a do-or-die attack with three armies left... and it worked",
    "thanks!",
    "is the server staying up tonight?",
    "ok",
    "North America always turns into a long stand-off at the border",
    "cards are worth it after the fourth set",
};

const char* const GameSayings[] = {
    "gl hf",
    "why me again :(",
    "Carl, leave Asia to me and take Africa",
    "nice dice",
    "Ann is getting too strong, someone stop her",
    "I'll finish my turn quickly",
    "that border won't hold another round",
};

class Demo
{
public:
    explicit Demo(Tarvenix& window) : m_window(window), m_parser(window.parser()) {}

    void logIn()
    {
        emit m_parser->success(QStringLiteral("Rook"));
        emit m_parser->newGame(3, 2, QStringLiteral("Europe"), QStringLiteral("Ann"), true, false,
                               120, false, false, false, false, false, false, 2, 0, 0, false, false,
                               0, false, false);
        emit m_parser->game(3, QStringLiteral("Ann"), false, 5, 3, 0, 0);
        emit m_parser->newGame(5, 1, QStringLiteral("World"), QStringLiteral("Tarvenix"), false,
                               false, 60, false, false, false, false, true, false, 2, 0, 0, false,
                               false, 0, false, false);
        emit m_parser->game(5, QStringLiteral("Gus"), true, 3, 3, 0, 0);
        emit m_parser->mask(QStringLiteral("Ann@*"), QStringLiteral("friend"));
        emit m_parser->mask(QStringLiteral("Nina@*"), QStringLiteral("friend"));
        emit m_parser->mask(QStringLiteral("*@10.0.0.*"), QStringLiteral("enemy"));
        for (const Person& p : People)
            announce(p);
        announce({"Rook", "rook.example.net", 0, true, false});
        // Entering the game after everyone is known.
        emit m_parser->user(QStringLiteral("Rook"), 1612, 140, 3, 0, true, QString(), false, 3);
    }

    void talk()
    {
        QRandomGenerator random(20240601);
        const int people = int(std::size(People));
        const auto nick = [&](int i) {
            return QString::fromLatin1(People[i].nick);
        };
        for (int line = 0; line < 200; ++line) {
            const int speaker = random.bounded(people);
            const int channel = line % 10;
            if (channel < 6) {
                QString text =
                    QString::fromLatin1(Sayings[random.bounded(int(std::size(Sayings)))]);
                if (line % 23 == 0)
                    text = QStringLiteral("/me waves at everyone");
                emit m_parser->globalChat(nick(speaker), text);
            } else if (channel < 9) {
                const int player = std::array{0, 2, 5, 7, 15}[random.bounded(5)];
                emit m_parser->gameChat(
                    player == 0 && line > 150 ? QStringLiteral("Rook") : nick(player),
                    QString::fromLatin1(GameSayings[random.bounded(int(std::size(GameSayings)))]));
            } else {
                emit m_parser->membersChat(nick(speaker),
                                           QStringLiteral("members night on Friday?"));
            }
            if (line == 60)
                ignore(QStringLiteral("Bob"));
            if (line == 120) {
                emit m_parser->newUser(QStringLiteral("Tess"), QStringLiteral("tess.example.org"));
                emit m_parser->user(QStringLiteral("Tess"), 1677, 240, 0, 0, true, QString(), false,
                                    4);
            }
            if (line == 150)
                emit m_parser->endUser(QStringLiteral("Otto"));
        }
    }

    void whispers()
    {
        ChatDialog* chat = m_window.chatDialog();
        emit chat->startWhisper(QStringLiteral("Ann"));
        emit m_parser->whisper(QStringLiteral("Ann"),
                               QStringLiteral("want to join our game? we need one more"));
        emit chat->whisper(QStringLiteral("Ann"), QStringLiteral("sure, give me a minute"));
        emit m_parser->whisper(QStringLiteral("Ann"), QStringLiteral("great, game 3"));
        chat->tabs()->setCurrentWidget(chat->globalBox());
        emit m_parser->whisper(QStringLiteral("Eve"),
                               QStringLiteral("are you the Rook from yesterday's final?"));
    }

private:
    void announce(const Person& p)
    {
        const QString nick = QString::fromLatin1(p.nick);
        emit m_parser->newUser(nick, QString::fromLatin1(p.host));
        emit m_parser->user(nick, 1500, 20, p.game > 0 ? p.game : 0, p.game < 0 ? -p.game : 0,
                            p.member, QString(), p.admin, 2);
    }

    void ignore(const QString& nickname) { emit m_window.chatDialog()->ignore(nickname); }

    Tarvenix& m_window;
    Parser* m_parser;
};

} // namespace

int main(int argc, char* argv[])
{
    Tcl_FindExecutable(argv[0]);
    QApplication app(argc, argv);
    const QString view = app.arguments().value(1, QStringLiteral("global"));
    Settings settings(QDir::temp().filePath(QStringLiteral("chatdemo.cfg")));
    Tarvenix window;
    window.loginDialog()->setNickname(QStringLiteral("Rook"));

    Demo demo(window);
    demo.logIn();
    demo.talk();
    demo.whispers();

    ChatDialog* chat = window.chatDialog();
    ChatBox* global = chat->globalBox();
    global->userList()->setCurrentItem(global->findUser(QStringLiteral("Nina")));
    if (view == QLatin1String("game")) {
        chat->tabs()->setCurrentWidget(chat->gameBox());
    } else if (view == QLatin1String("whisper")) {
        chat->showWhisperBox(QStringLiteral("Ann"));
    } else {
        global->inputLine()->setText(QStringLiteral("anyone seen Carl today?"));
    }
    window.actionChat();
    return app.exec();
}
