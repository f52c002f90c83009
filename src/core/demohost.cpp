#include "demohost.h"

#include "connection.h"
#include "parser.h"
#include "protocol.h"
#include "sender.h"

namespace {

// Everyone who runs the demo on this server shares its accounts, so their
// password is no secret.
const char* const Password = "watch-robots";

// Whoever watches besides the host.
constexpr int HostAndWatcher = 2;

} // namespace

DemoHost::DemoHost(QObject* parent)
    : QObject(parent), m_connection(new Connection(this)), m_parser(new Parser(this)),
      m_sender(new Sender(this))
{
    connect(m_connection, &Connection::message, m_parser, &Parser::parse);
    connect(m_sender, &Sender::send, m_connection, &Connection::send);
    connect(m_connection, &Connection::disconnected, this, [this] {
        if (!m_handedOver)
            emit failed();
    });
    connect(m_connection, &Connection::connectFailed, this, &DemoHost::failed);
    connect(m_parser, &Parser::start, this, [this] {
        // Registering first costs one refusal on later runs.
        m_sender->regist(Nickname, Password, "Host", "Demo", "1 Board Street", "1000", "Tarvenix",
                         "Local", "Local", "demo-host@localhost");
    });
    connect(m_parser, &Parser::failure, this, &DemoHost::loginFailed);
    connect(m_parser, &Parser::success, this, [this] {
        m_loggedIn = true;
        openGame();
    });
    connect(m_parser, &Parser::slot, this,
            [this](bool personal, int slot, int mapId, const QString&, const QString&) {
                // The first popular slot holds World on a fresh server.
                if (!personal && slot == 0)
                    m_worldMap = mapId;
                openGame();
            });
    connect(m_parser, &Parser::robot, this, [this](const QString& name) {
        if (m_robots.size() < Robots && !m_robots.contains(name))
            m_robots << name;
        openGame();
    });
    connect(m_parser, &Parser::game, this,
            [this](int id, const QString& op, bool running, int clients, int, int robots, int) {
                game(id, op, running, clients, robots);
            });
}

void DemoHost::start(const QString& host, quint16 port)
{
    m_connection->start(host, port);
}

void DemoHost::loginFailed(int reason)
{
    if (reason == int(FailureCode::NicknameTaken) && !m_loggedIn)
        m_sender->login(Nickname, Password);
    else
        emit failed();
}

void DemoHost::openGame()
{
    if (!m_loggedIn || m_opening || m_worldMap <= 0 || m_robots.size() < Robots)
        return;
    m_opening = true;
    // Robots stand in for players who leave: the host's seat goes to one.
    m_sender->newGame(m_worldMap, false, false, 60, true, true, true, false, false, false, 1, 0,
                      false, true, 0, false, false);
}

void DemoHost::game(int id, const QString& op, bool running, int clients, int robots)
{
    if (op != QLatin1String(Nickname) || (m_gameId != 0 && id != m_gameId) || m_handedOver)
        return;
    if (m_gameId == 0) {
        m_gameId = id;
        for (const QString& robot : m_robots)
            m_sender->robot(robot);
        emit opened(id);
        return;
    }
    if (running) {
        m_handedOver = true;
        m_sender->part();
        emit handedOver(id);
    } else if (robots == Robots && clients >= HostAndWatcher && !m_startAsked) {
        m_startAsked = true;
        m_sender->start();
    }
}
