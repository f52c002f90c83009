#include "attemptlimiter.h"

#include <algorithm>

namespace {

// Records kept before forgotten ones are swept out.
constexpr qsizetype PruneAbove = 4096;

} // namespace

qint64 AttemptLimiter::delayAfter(int failures) const
{
    if (failures < m_freeFailures)
        return 0;
    const int doublings = std::min(failures - m_freeFailures, 40);
    return std::min(qint64(1000) << doublings, m_maxDelayMs);
}

int AttemptLimiter::failures(const QString& key, qint64 now) const
{
    const auto it = m_keys.constFind(key);
    if (it == m_keys.cend() || now - it->lastFailure >= m_forgetAfterMs)
        return 0;
    return it->failures;
}

qint64 AttemptLimiter::nextAttempt(const QString& key, qint64 now) const
{
    if (failures(key, now) < m_freeFailures)
        return now;
    return std::max(now, m_keys.value(key).nextAttempt);
}

void AttemptLimiter::attempted(const QString& key, qint64 now)
{
    const int count = failures(key, now);
    if (count < m_freeFailures)
        return;
    Record& record = m_keys[key];
    record.nextAttempt = std::max(record.nextAttempt, now + delayAfter(count));
}

void AttemptLimiter::failed(const QString& key, qint64 now)
{
    if (m_keys.size() > PruneAbove)
        prune(now);
    Record& record = m_keys[key];
    if (now - record.lastFailure >= m_forgetAfterMs)
        record.failures = 0;
    ++record.failures;
    record.lastFailure = now;
    // The pause runs from the failure, so the attempt after it waits too.
    record.nextAttempt = std::max(record.nextAttempt, now + delayAfter(record.failures));
}

void AttemptLimiter::prune(qint64 now)
{
    for (auto it = m_keys.begin(); it != m_keys.end();) {
        if (now - it->lastFailure >= m_forgetAfterMs && it->nextAttempt <= now)
            it = m_keys.erase(it);
        else
            ++it;
    }
}
