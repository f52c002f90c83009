#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class GameRecord;

// A robot the server offers: its name and its level.
struct RobotChoice
{
    QString name;
    int level = 0;
};

// A game against robots in one step, with nothing but the requests a player
// sends by hand: the game is opened (robots allowed, one human), and once
// the server has seated the own user as its operator the robots are asked
// for; when they are in, the game is started. The main window sends what
// each step returns.
class RobotGamePlan
{
public:
    enum class Step { None, AddRobots, Start };

    // Robots of the level first, then of the nearest levels (the weaker one
    // first at equal distance), in the order offered, each at most once.
    static QStringList pick(const QList<RobotChoice>& offered, int level, int count);

    // After the game was asked for, with the robots to seat.
    void begin(const QString& me, const QStringList& robots);
    void cancel();
    bool isActive() const { return m_state != State::Idle; }
    const QStringList& robots() const { return m_robots; }
    int gameId() const { return m_gameId; }

    // A game's status, once stored: what to send now.
    Step gameChanged(const GameRecord& game, int ownGameId);
    // The server refused a robot: the game starts with those that came.
    Step robotRefused(const GameRecord* game);

private:
    enum class State { Idle, Opening, Seating };

    Step startIfReady(const GameRecord& game);

    State m_state = State::Idle;
    QString m_me;
    QStringList m_robots;
    int m_gameId = 0;
    int m_refused = 0;
};
