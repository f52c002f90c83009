#include "robotgameplan.h"

#include "gamerecord.h"

#include <algorithm>
#include <cstdlib>

QStringList RobotGamePlan::pick(const QList<RobotChoice>& offered, int level, int count)
{
    QList<RobotChoice> ordered = offered;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [level](const RobotChoice& a, const RobotChoice& b) {
                         const int da = std::abs(a.level - level);
                         const int db = std::abs(b.level - level);
                         return da != db ? da < db : a.level < b.level;
                     });
    QStringList names;
    for (const RobotChoice& robot : std::as_const(ordered)) {
        if (names.size() >= count)
            break;
        if (!names.contains(robot.name, Qt::CaseInsensitive))
            names << robot.name;
    }
    return names;
}

void RobotGamePlan::begin(const QString& me, const QStringList& robots)
{
    m_state = State::Opening;
    m_me = me;
    m_robots = robots;
    m_gameId = 0;
    m_refused = 0;
}

void RobotGamePlan::cancel()
{
    m_state = State::Idle;
    m_robots.clear();
    m_gameId = 0;
    m_refused = 0;
}

RobotGamePlan::Step RobotGamePlan::gameChanged(const GameRecord& game, int ownGameId)
{
    switch (m_state) {
    case State::Idle:
        return Step::None;
    case State::Opening:
        // The new game is the one the own user sits in and operates.
        if (game.id != ownGameId || game.operatorName != m_me || game.running)
            return Step::None;
        m_gameId = game.id;
        m_state = State::Seating;
        return Step::AddRobots;
    case State::Seating:
        if (game.id != m_gameId)
            return Step::None;
        return startIfReady(game);
    }
    return Step::None;
}

RobotGamePlan::Step RobotGamePlan::robotRefused(const GameRecord* game)
{
    if (m_state != State::Seating)
        return Step::None;
    ++m_refused;
    return game && game->id == m_gameId ? startIfReady(*game) : Step::None;
}

RobotGamePlan::Step RobotGamePlan::startIfReady(const GameRecord& game)
{
    if (game.running) {
        cancel();
        return Step::None;
    }
    if (game.robots + m_refused < m_robots.size())
        return Step::None;
    // Every robot asked for is seated or refused: start, or give up when
    // too few came for a game.
    const bool ready = game.canStart();
    cancel();
    return ready ? Step::Start : Step::None;
}
