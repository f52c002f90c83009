#pragma once

#include <QtGlobal>

// A token bucket: a burst of actions at once, then a steady rate, never
// more than a burst saved up. Times are milliseconds of the caller's clock.
class Allowance
{
public:
    Allowance(int burst, double perSecond) : m_burst(burst), m_perSecond(perSecond), m_left(burst)
    {}

    // Takes one action at `nowMs`; false when the allowance is spent.
    bool take(qint64 nowMs);
    // Takes one action if there is one left, never refusing it.
    void spend(qint64 nowMs) { take(nowMs); }

private:
    void refill(qint64 nowMs);

    int m_burst;
    double m_perSecond;
    double m_left;
    qint64 m_refilledAt = -1;
};
