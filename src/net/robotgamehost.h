#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class Connection;
class Parser;
class Sender;

// Opens a game of robots from a windowless login. The server starts no game
// without a human in it, so the host takes a seat, seats the robots, starts
// once the watchers it waits for are in, and then hands its seat over: the
// game lets robots stand in for players who leave or lose their line.
//
// Handing over by leaving ends the game unless someone watches it; losing
// the line keeps the seat held for the server's grace period, with a robot
// in it, and needs no watcher.
class RobotGameHost : public QObject
{
    Q_OBJECT

public:
    enum class HandOver { Leave, DropLine };

    struct Plan
    {
        QString nickname;
        // Demo and load accounts are shared, so the password is no secret.
        QString password;
        int robots = 3;
        int watchers = 0;
        HandOver handOver = HandOver::Leave;
    };

    explicit RobotGameHost(Plan plan, QObject* parent = nullptr);

    // Logs in (registering the account on its first use) and opens the game
    // on the first popular map, World on a fresh server.
    void start(const QString& host, quint16 port);
    int gameId() const { return m_gameId; }

signals:
    void opened(int gameId);
    // The game runs and the seat is left to a robot.
    void handedOver(int gameId);
    // The server refused the account, or the line went before the hand-over.
    void failed();

private:
    void loginFailed(int reason);
    void game(int id, const QString& op, bool running, int clients, int robots);
    void openGame();

    Plan m_plan;
    Connection* m_connection;
    Parser* m_parser;
    Sender* m_sender;
    bool m_loggedIn = false;
    bool m_opening = false;
    bool m_startAsked = false;
    bool m_handedOver = false;
    int m_map = 0;
    int m_gameId = 0;
    QStringList m_robots;
};
