#pragma once

#include <QHash>
#include <QString>

// Spaces out login attempts for one kind of key (an address, an account)
// once it has failed a few times: each failure beyond the free ones doubles
// the pause before the key's next attempt, up to a cap, and a quiet spell
// forgets the failures. An attempt takes its turn only when it runs, so a
// crowd of waiting attempts from one key still runs one per pause, and an
// attempt whose connection went away while it waited holds up nobody.
// Times are milliseconds of the caller's clock.
class AttemptLimiter
{
public:
    AttemptLimiter(int freeFailures, qint64 maxDelayMs, qint64 forgetAfterMs = 15 * 60 * 1000)
        : m_freeFailures(freeFailures), m_maxDelayMs(maxDelayMs), m_forgetAfterMs(forgetAfterMs)
    {}

    // When the key's next attempt may run: `now`, or the end of its pause.
    qint64 nextAttempt(const QString& key, qint64 now) const;
    // An attempt for the key runs at `now`: the next one waits its pause.
    void attempted(const QString& key, qint64 now);
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
