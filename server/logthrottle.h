#pragma once

#include <QHash>
#include <QString>

#include <optional>

// Keeps a kind of log line from flooding the log: at most a few lines a
// second are written, the others are counted by their source (an address)
// until a summary line takes the count.
class LogThrottle
{
public:
    struct Summary
    {
        int suppressed = 0;
        QString busiest;
        int busiestCount = 0;
    };

    explicit LogThrottle(int linesPerSecond) : m_linesPerSecond(linesPerSecond) {}

    // True when a line about `source` may be written at `nowMs`; otherwise
    // the line is counted for the next summary.
    bool allow(qint64 nowMs, const QString& source);
    bool hasSuppressed() const { return m_suppressed > 0; }
    // What was held back since the last summary, which starts a new count;
    // nothing when every line was written.
    std::optional<Summary> takeSummary();

private:
    int m_linesPerSecond;
    qint64 m_windowStart = -1;
    int m_written = 0;
    int m_suppressed = 0;
    QHash<QString, int> m_bySource;
};
