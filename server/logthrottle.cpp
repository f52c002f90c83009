#include "logthrottle.h"

namespace {

// Sources counted between two summaries; the rest share one count, so a
// crowd of addresses cannot make the throttle itself grow without bound.
constexpr int MaxSources = 256;

} // namespace

bool LogThrottle::allow(qint64 nowMs, const QString& source)
{
    if (m_windowStart < 0 || nowMs - m_windowStart >= 1000) {
        m_windowStart = nowMs;
        m_written = 0;
    }
    if (m_written < m_linesPerSecond) {
        ++m_written;
        return true;
    }
    ++m_suppressed;
    if (m_bySource.size() < MaxSources || m_bySource.contains(source))
        ++m_bySource[source];
    return false;
}

std::optional<LogThrottle::Summary> LogThrottle::takeSummary()
{
    if (m_suppressed == 0)
        return std::nullopt;
    Summary summary;
    summary.suppressed = m_suppressed;
    for (auto it = m_bySource.cbegin(); it != m_bySource.cend(); ++it) {
        if (it.value() > summary.busiestCount) {
            summary.busiest = it.key();
            summary.busiestCount = it.value();
        }
    }
    m_suppressed = 0;
    m_bySource.clear();
    return summary;
}
