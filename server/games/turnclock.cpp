#include "turnclock.h"

#include <algorithm>

SteadyTurnClock::SteadyTurnClock(int secondMs, QObject* parent)
    : TurnClock(parent), m_secondMs(std::max(1, secondMs))
{
    m_timer.start();
}

std::int64_t SteadyTurnClock::nowMs() const
{
    return m_timer.elapsed() * 1000 / m_secondMs;
}

std::int64_t SteadyTurnClock::realMsUntil(std::int64_t deadline) const
{
    return std::max<std::int64_t>(0, ((deadline - nowMs()) * m_secondMs + 999) / 1000);
}
