#include "robotroster.h"

#include <algorithm>

RobotRoster::RobotRoster(QObject* parent) : QObject(parent) {}

void RobotRoster::store(const RobotInfo& robot)
{
    const auto known = std::find_if(m_robots.begin(), m_robots.end(),
                                    [&robot](const RobotInfo& r) { return r.name == robot.name; });
    if (known != m_robots.end()) {
        *known = robot;
        emit stored(int(known - m_robots.begin()), false);
        return;
    }
    m_robots.append(robot);
    emit stored(int(m_robots.size()) - 1, true);
}

void RobotRoster::clear()
{
    m_robots.clear();
    emit cleared();
}

const RobotInfo* RobotRoster::find(const QString& name) const
{
    const auto known = std::find_if(m_robots.begin(), m_robots.end(),
                                    [&name](const RobotInfo& r) { return r.name == name; });
    return known != m_robots.end() ? &*known : nullptr;
}

QList<RobotChoice> RobotRoster::choices() const
{
    QList<RobotChoice> choices;
    for (const RobotInfo& robot : m_robots)
        choices.append({robot.name, robot.level});
    return choices;
}
