#pragma once

// The engine's clock, not the client's of the same name.
#include "game/clock.h"

#include <QElapsedTimer>
#include <QObject>

// The time the games' turn timers run on. A table waits on the event loop
// until the clock says a deadline is due: after a real delay, or at once
// when the clock was moved.
class TurnClock : public QObject, public Clock
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Real milliseconds until the clock reaches the deadline, rounded up; -1
    // when only a move of the clock brings it there.
    virtual std::int64_t realMsUntil(std::int64_t deadline) const = 0;

signals:
    // The clock jumped ahead; deadlines may have passed.
    void moved();
};

// Real time, or faster: a second of it lasts secondMs real milliseconds.
class SteadyTurnClock : public TurnClock
{
public:
    explicit SteadyTurnClock(int secondMs, QObject* parent = nullptr);

    std::int64_t nowMs() const override;
    std::int64_t realMsUntil(std::int64_t deadline) const override;

private:
    QElapsedTimer m_timer;
    std::int64_t m_secondMs;
};
