#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class Connection;
class Parser;
class Sender;

// The seat a robots' game needs at its start. The server starts no game
// without a human in it, and a player cannot watch the game he plays in; so
// the demo opens the game from a second, windowless login that seats the
// robots, starts once the watcher is in, and leaves at once. The game lets
// robots stand in for players who leave, so a robot takes over the seat.
class DemoHost : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* Nickname = "demo-host";
    static constexpr int Robots = 3;

    explicit DemoHost(QObject* parent = nullptr);

    // Logs in (registering the account on its first use) and opens the game.
    void start(const QString& host, quint16 port);
    int gameId() const { return m_gameId; }

signals:
    // The game is open for watching.
    void opened(int gameId);
    // The game runs and the seat is left to a robot.
    void handedOver(int gameId);
    // The server refused the account, or the connection went.
    void failed();

private:
    void loginFailed(int reason);
    void game(int id, const QString& op, bool running, int clients, int robots);
    void openGame();

    Connection* m_connection;
    Parser* m_parser;
    Sender* m_sender;
    bool m_loggedIn = false;
    bool m_opening = false;
    bool m_startAsked = false;
    bool m_handedOver = false;
    int m_worldMap = 0;
    int m_gameId = 0;
    QStringList m_robots;
};
