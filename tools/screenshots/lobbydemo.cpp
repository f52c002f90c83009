// Fills the lobby from a scripted game server on 127.0.0.1 (30 users, 8 games
// in every state, masks, map slots and robots) and shows one of the lobby's
// windows for a screenshot (lobby.sh).
// Usage: lobbydemo users|masks|newgame-options|newgame-timer|newgame-maps|robots|main

#include "gameitem.h"
#include "logindialog.h"
#include "maskswidget.h"
#include "message.h"
#include "newgamedialog.h"
#include "protocol.h"
#include "robotdialog.h"
#include "settings.h"
#include "tarvenix.h"
#include "translations.h"
#include "usersdialog.h"
#include "userswidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QTreeWidget>

#include <tcl.h>

namespace {

Message message(Opcode opcode, std::initializer_list<QVariant> fields)
{
    Message m = Protocol::message(opcode);
    for (const QVariant& field : fields) {
        if (field.typeId() == QMetaType::QString)
            m.addString(field.toString().toLatin1().constData());
        else
            m.addInt(field.toInt());
    }
    return m;
}

struct Game
{
    int id;
    const char* map;
    const char* author;
    int timeout;
    int minHumans, minRating, maxRating;
    int timerMode;
    unsigned flags; // bits in the order of the option icons
    const char* op;
    bool running;
    int clients, players, robots, disconnected;
};

const Game Games[] = {
    {1, "World", "Ann", 120, 2, 0, 0, 0, 0x0001, "Ann", false, 2, 2, 0, 0},
    {2, "Europe", "Bob", 90, 3, 1200, 1800, 1, 0x0803, "Bob", true, 5, 5, 1, 1},
    {3, "Africa", "Carl", 300, 4, 0, 0, 2, 0x0024, "Rook", false, 3, 2, 0, 0},
    {4, "North America", "Dora", 60, 1, 0, 0, 0, 0x0FFF, "Eve", true, 6, 6, 2, 0},
    {5, "United States", "Finn", 0, 2, 1400, 0, 1, 0x0100, "Gus", false, 6, 6, 0, 0},
    {6, "Islands", "Hanna", 1800, 6, 1500, 2200, 2, 0x0410, "Hanna", true, 4, 4, 0, 2},
    {7, "World", "Ann", 45, 1, 0, 0, 0, 0x0000, "Ivo", false, 1, 1, 0, 0},
    {8, "Europe", "Bob", 240, 2, 0, 0, 2, 0x0222, "Jill", true, 3, 3, 3, 0},
};

Message newGame(const Game& g)
{
    const auto bit = [&g](int i) {
        return ((g.flags >> i) & 1) != 0;
    };
    // Bits in icon order: place, capitals, blind, increasing, gifts, no
    // whisper, hide cards, same hosts, replace bots, get cards, same level, no
    // bots.
    GameOptions o;
    o.placeBeforeAttack = bit(0);
    o.capitals = bit(1);
    o.blind = bit(2);
    o.increasingCards = bit(3);
    o.gifts = bit(4);
    o.noWhispering = bit(5);
    o.hideCards = bit(6);
    o.sameHosts = bit(7);
    o.replaceBots = bit(8);
    o.receiveCards = bit(9);
    o.sameLevel = bit(10);
    o.noRobots = bit(11);
    o.timeout = g.timeout;
    o.minHumans = g.minHumans;
    o.minRating = g.minRating;
    o.maxRating = g.maxRating;
    o.timerMode = g.timerMode;
    Message m = message(Opcode::NewGame, {g.id, 100 + g.id, QString::fromLatin1(g.map),
                                          QString::fromLatin1(g.author)});
    o.encodeAnnouncement(m);
    return m;
}

// Nickname, host, rating, games, level, game (negative: watching), member,
// admin.
struct Person
{
    const char* nick;
    const char* host;
    int rating, games, level, game;
    bool member, admin;
};

const Person People[] = {
    {"Rook", "rook.example.net", 1612, 140, 3, 3, true, false},
    {"Ann", "ann.example.org", 1844, 512, 5, 1, true, false},
    {"Bob", "10.0.0.2", 1390, 77, 2, 2, false, false},
    {"Carl", "carl.example.com", 1502, 33, 2, 3, true, false},
    {"Dora", "dora.example.net", 2011, 901, 7, 4, true, true},
    {"Eve", "eve.example.org", 1720, 260, 4, 4, true, false},
    {"Finn", "10.0.0.7", 1188, 12, 1, 2, false, false},
    {"Gus", "gus.example.com", 1455, 98, 3, 5, false, false},
    {"Hanna", "hanna.example.net", 1960, 654, 6, 6, true, false},
    {"Ivo", "ivo.example.org", 1500, 0, 1, 7, false, false},
    {"Jill", "jill.example.com", 1633, 188, 3, 8, true, false},
    {"Kurt", "10.0.0.12", 900, 41, 1, -2, false, false},
    {"Lena", "lena.example.net", 1580, 120, 3, -4, true, false},
    {"Mo", "mo.example.org", 1475, 64, 2, 4, false, false},
    {"Nina", "nina.example.com", 1702, 333, 4, 5, true, false},
    {"Otto", "otto.example.net", 1350, 25, 2, 5, false, false},
    {"Pia", "pia.example.org", 1801, 410, 5, 5, true, false},
    {"Quinn", "10.0.0.17", 1262, 18, 1, 5, false, false},
    {"Rita", "rita.example.com", 1544, 150, 3, 5, false, false},
    {"Sam", "sam.example.net", 1499, 88, 2, 6, false, false},
    {"Tess", "tess.example.org", 1677, 240, 4, 6, true, false},
    {"Udo", "udo.example.com", 1420, 51, 2, 2, false, false},
    {"Vera", "vera.example.net", 2250, 1200, 8, 2, true, false},
    {"Walt", "walt.example.org", 1333, 30, 2, -6, false, false},
    {"Xena", "xena.example.com", 1900, 700, 6, 4, true, false},
    {"Yuri", "10.0.0.25", 1015, 9, 1, 0, false, false},
    {"Zoe", "zoe.example.net", 1610, 205, 3, 0, true, false},
    {"alice", "alice.example.org", 1520, 60, 2, 0, false, false},
    {"bert", "bert.example.com", 1480, 44, 2, -8, false, false},
    {"cleo", "cleo.example.net", 1760, 300, 4, 8, true, false},
};

// Greets each client and, once it has logged in, tells it everything.
class ScriptedServer : public QObject
{
public:
    ScriptedServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            send(socket, message(Opcode::Start, {}));
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                socket->readAll();
                if (!m_told) {
                    m_told = true;
                    tell(socket);
                }
            });
        });
    }

    quint16 port() const { return m_server.serverPort(); }

private:
    static void send(QTcpSocket* socket, const Message& m) { socket->write(m.data()); }

    void tell(QTcpSocket* s)
    {
        send(s, message(Opcode::Success, {QStringLiteral("Rook")}));
        for (const Game& g : Games) {
            send(s, newGame(g));
            send(s, message(Opcode::Game, {g.id, QString::fromLatin1(g.op), int(g.running),
                                           g.clients, g.players, g.robots, g.disconnected}));
        }
        send(s, message(Opcode::Mask, {QStringLiteral("Ann@*"), QStringLiteral("friend")}));
        send(s, message(Opcode::Mask, {QStringLiteral("*@10.0.0.*"), QStringLiteral("enemy")}));
        send(s, message(Opcode::Mask,
                        {QStringLiteral("Eve@*.example.org"), QStringLiteral("friend")}));
        send(s, message(Opcode::Mask, {QStringLiteral("Eve@*"), QStringLiteral("enemy")}));
        send(s, message(Opcode::Mask, {QStringLiteral("[NP]i?a@*"), QStringLiteral("friend")}));
        for (const Person& p : People) {
            send(s, message(Opcode::NewUser,
                            {QString::fromLatin1(p.nick), QString::fromLatin1(p.host)}));
            send(s, message(Opcode::User, {QString::fromLatin1(p.nick), p.rating, p.games,
                                           p.game > 0 ? p.game : 0, p.game < 0 ? -p.game : 0,
                                           int(p.member), QString(), int(p.admin), 0, p.level}));
        }
        const char* maps[] = {"World", "Europe", "Africa", "North America", "United States"};
        for (int i = 0; i < 5; ++i) {
            send(s, message(Opcode::Slot, {0, i, 1 + i, QString::fromLatin1(maps[i]),
                                           QStringLiteral("Tarvenix")}));
        }
        send(s, message(Opcode::Slot,
                        {1, 0, 31, QStringLiteral("Archipelago"), QStringLiteral("Rook")}));
        send(s, message(Opcode::Slot,
                        {1, 2, 32, QStringLiteral("Twin Lakes"), QStringLiteral("Ann")}));
        const struct
        {
            const char* nick;
            const char* owner;
            int rating, games, level;
        } robots[] = {{"Tinman", "Ann", 1420, 310, 3},
                      {"Clank", "Bob", 980, 1200, 1},
                      {"Sprocket", "Dora", 1730, 95, 5},
                      {"Gizmo", "Rook", 1205, 40, 2},
                      {"Bolt", "Vera", 2010, 2890, 8}};
        for (const auto& r : robots) {
            send(s,
                 message(Opcode::Robot, {QString::fromLatin1(r.nick), QString::fromLatin1(r.owner),
                                         r.rating, r.games, r.level}));
        }
    }

    QTcpServer m_server;
    bool m_told = false;
};

void arrange(Tarvenix& window, const QString& view)
{
    UsersDialog* users = window.usersDialog();
    auto* games = users->usersWidget()->findChild<QTreeWidget*>(QStringLiteral("GameList"));
    if (view == QLatin1String("users")) {
        for (int i = 0; i < games->topLevelItemCount(); ++i) {
            auto* row = static_cast<GameItem*>(games->topLevelItem(i));
            if (row->game()->id == 2)
                games->setCurrentItem(row);
        }
        users->show();
    } else if (view == QLatin1String("masks")) {
        users->switchDisplay();
        auto* maskUsers = users->masksWidget()->findChild<QTreeWidget*>(QStringLiteral("UserList"));
        maskUsers->setCurrentItem(
            maskUsers->findItems(QStringLiteral("Kurt"), Qt::MatchExactly).value(0));
        users->show();
    } else if (view.startsWith(QLatin1String("newgame-"))) {
        NewGameDialog* dialog = window.newGameDialog();
        const int tab = view.endsWith(QLatin1String("options")) ? 0
                        : view.endsWith(QLatin1String("timer")) ? 1
                                                                : 2;
        dialog->findChild<QTabWidget*>(QStringLiteral("NewGameDialogTabs"))->setCurrentIndex(tab);
        const auto personal =
            dialog->findChildren<QAbstractButton*>(QStringLiteral("NewGameMapsPersonalButton"));
        personal.value(0)->click();
        dialog->show();
    } else if (view == QLatin1String("robots")) {
        window.robotDialog()->show();
    } else if (view == QLatin1String("main")) {
        window.show();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    Tcl_FindExecutable(argv[0]);
    QApplication app(argc, argv);
    // In the desktop's language, as the program: LANG=de_DE.UTF-8 shows German.
    const Translations translations(QLocale::system());
    const QString view = app.arguments().value(1, QStringLiteral("users"));
    Settings settings(QDir::temp().filePath(QStringLiteral("lobbydemo.cfg")));
    ScriptedServer server;
    Tarvenix window;
    window.setServer(QStringLiteral("127.0.0.1"), server.port());
    window.loginDialog()->setNickname(QStringLiteral("Rook"));
    window.actionLogin();
    QTimer::singleShot(1000, &window, [&window, view] { arrange(window, view); });
    return app.exec();
}
