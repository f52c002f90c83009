#include "robotgamehost.h"

#include "connection.h"
#include "parser.h"
#include "protocol.h"
#include "sender.h"

RobotGameHost::RobotGameHost(Plan plan, QObject* parent)
    : QObject(parent), m_plan(std::move(plan)), m_connection(new Connection(this)),
      m_parser(new Parser(this)), m_sender(new Sender(this))
{
    connect(m_connection, &Connection::message, m_parser, &Parser::parse);
    connect(m_sender, &Sender::send, m_connection, &Connection::send);
    connect(m_connection, &Connection::disconnected, this, [this] {
        if (!m_handedOver)
            emit failed();
    });
    connect(m_connection, &Connection::connectFailed, this, &RobotGameHost::failed);
    connect(m_parser, &Parser::ping, m_sender, &Sender::ping);
    connect(m_parser, &Parser::start, this, [this] {
        // Registering first costs one refusal when the account exists.
        const QByteArray nickname = m_plan.nickname.toLatin1();
        const QByteArray password = m_plan.password.toLatin1();
        m_sender->regist(nickname.constData(), password.constData(), "Host", "Robot",
                         "1 Board Street", "1000", "Tarvenix", "Local", "Local", "host@localhost");
    });
    connect(m_parser, &Parser::failure, this, &RobotGameHost::loginFailed);
    connect(m_parser, &Parser::success, this, [this] {
        m_loggedIn = true;
        openGame();
    });
    connect(m_parser, &Parser::slot, this,
            [this](bool personal, int slot, int mapId, const QString&, const QString&) {
                if (!personal && slot == 0)
                    m_map = mapId;
                openGame();
            });
    connect(m_parser, &Parser::robot, this, [this](const QString& name) {
        if (m_robots.size() < m_plan.robots && !m_robots.contains(name))
            m_robots << name;
        openGame();
    });
    connect(m_parser, &Parser::game, this,
            [this](int id, const QString& op, bool running, int clients, int, int robots, int) {
                game(id, op, running, clients, robots);
            });
}

void RobotGameHost::start(const QString& host, quint16 port)
{
    m_connection->start(host, port);
}

void RobotGameHost::loginFailed(int reason)
{
    if (reason == int(FailureCode::NicknameTaken) && !m_loggedIn) {
        const QByteArray nickname = m_plan.nickname.toLatin1();
        const QByteArray password = m_plan.password.toLatin1();
        m_sender->login(nickname.constData(), password.constData());
    } else {
        emit failed();
    }
}

void RobotGameHost::openGame()
{
    if (!m_loggedIn || m_opening || m_map <= 0 || m_robots.size() < m_plan.robots)
        return;
    m_opening = true;
    // Robots stand in for players who leave: the host's seat goes to one.
    m_sender->newGame(m_map, false, false, 60, true, true, true, false, false, false, 1, 0, false,
                      true, 0, false, false);
}

void RobotGameHost::game(int id, const QString& op, bool running, int clients, int robots)
{
    if (op != m_plan.nickname || (m_gameId != 0 && id != m_gameId) || m_handedOver)
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
        if (m_plan.handOver == HandOver::Leave)
            m_sender->part();
        else
            m_connection->lost();
        emit handedOver(id);
    } else if (robots == m_plan.robots && clients >= 1 + m_plan.watchers && !m_startAsked) {
        m_startAsked = true;
        m_sender->start();
    }
}
