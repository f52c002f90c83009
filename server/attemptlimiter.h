#pragma once

#include <QHash>
#include <QString>

// Spaces out login attempts for one kind of key (an address, an account)
// once it has failed a few times: each failure beyond the free ones doubles
// the pause before the key's next attempt, up to a cap, and a quiet spell
// forgets the failures. Attempts reserve their turn, so a crowd of
// connections from one address waits in line instead of guessing in
// parallel. Times are milliseconds of the caller's clock.
class AttemptLimiter
{
public:
    AttemptLimiter(int freeFailures, qint64 maxDelayMs, qint64 forgetAfterMs = 15 * 60 * 1000)
        : m_freeFailures(freeFailures), m_maxDelayMs(maxDelayMs), m_forgetAfterMs(forgetAfterMs)
    {}

    // When an attempt for the key that arrives at `now` may run (at `now` or
    // later); the key's next attempt then waits its pause after this one.
    qint64 reserve(const QString& key, qint64 now);
    void failed(const QString& key, qint64 now);
    void succeeded(const QString& key) { m_keys.remove(key); }

    int failures(const QString& key, qint64 now) const;
    // The pause after an attempt once the key has failed that often.
    qint64 delayAfter(int failures) const;

private:
    struct Record
    {
        int failures = 0;
        qint64 lastFailure = 0;
        qint64 nextAttempt = 0;
    };

    // Drops records whose failures are forgotten, once the table is large.
    void prune(qint64 now);

    int m_freeFailures;
    qint64 m_maxDelayMs;
    qint64 m_forgetAfterMs;
    QHash<QString, Record> m_keys;
};
