#include "allowance.h"

#include <algorithm>

void Allowance::refill(qint64 nowMs)
{
    if (m_refilledAt >= 0 && nowMs > m_refilledAt)
        m_left =
            std::min(double(m_burst), m_left + double(nowMs - m_refilledAt) / 1000.0 * m_perSecond);
    m_refilledAt = std::max(m_refilledAt, nowMs);
}

bool Allowance::take(qint64 nowMs)
{
    refill(nowMs);
    if (m_left < 1.0)
        return false;
    m_left -= 1.0;
    return true;
}
