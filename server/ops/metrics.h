#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QString>

#include <array>
#include <atomic>
#include <cstdint>

// The server's counters, gauges and histograms, kept for Prometheus. One
// registry per process: the hooks in the server count into it from the
// event loop and the HTTP thread reads it, so every value is atomic or
// behind a lock.
class Metrics
{
public:
    class Counter
    {
    public:
        void add(std::uint64_t n = 1) { m_value.fetch_add(n, std::memory_order_relaxed); }
        std::uint64_t value() const { return m_value.load(std::memory_order_relaxed); }

    private:
        std::atomic<std::uint64_t> m_value{0};
    };

    class Gauge
    {
    public:
        void set(std::int64_t v) { m_value.store(v, std::memory_order_relaxed); }
        std::int64_t value() const { return m_value.load(std::memory_order_relaxed); }

    private:
        std::atomic<std::int64_t> m_value{0};
    };

    // A counter per label value; the values are a small set the server
    // names (reasons, results, request names), never text a user chose.
    class Labelled
    {
    public:
        void add(const QString& label, std::uint64_t n = 1);
        std::uint64_t value(const QString& label) const;
        QMap<QString, std::uint64_t> values() const;

    private:
        mutable QMutex m_mutex;
        QMap<QString, std::uint64_t> m_values;
    };

    // Durations in seconds, in buckets from 5 microseconds to 1 second.
    class Histogram
    {
    public:
        static constexpr std::array<double, 12> Bounds = {
            0.000005, 0.00001, 0.00005, 0.0001, 0.0005, 0.001, 0.005, 0.01, 0.05, 0.1, 0.5, 1.0};
        void observeNs(std::int64_t ns);
        std::uint64_t count() const { return m_count.load(std::memory_order_relaxed); }
        void render(QByteArray& out, const char* name) const;

    private:
        std::array<std::atomic<std::uint64_t>, Bounds.size()> m_buckets{};
        std::atomic<std::uint64_t> m_count{0};
        std::atomic<std::uint64_t> m_sumNs{0};
    };

    // Observes the time from its making to its end.
    class Timed
    {
    public:
        explicit Timed(Histogram& histogram) : m_histogram(histogram) { m_timer.start(); }
        ~Timed() { m_histogram.observeNs(m_timer.nsecsElapsed()); }
        Timed(const Timed&) = delete;
        Timed& operator=(const Timed&) = delete;

    private:
        Histogram& m_histogram;
        QElapsedTimer m_timer;
    };

    static Metrics& instance();

    Gauge connectionsOpen;
    Counter connectionsAccepted;
    Labelled connectionsRefused;
    Labelled logins;
    Counter registrations;
    Gauge usersOnline;
    Gauge gamesWaiting;
    Gauge gamesRunning;
    Counter gamesFinished;
    Counter gamesSaved;
    Counter gameSaveFailures;
    Counter requestsIn;
    Counter messagesOut;
    Labelled refusals;
    Labelled chatLines;
    Counter chatDeliveries;
    Histogram requestSeconds;
    Histogram databaseSeconds;
    Histogram robotDecisionSeconds;
    Histogram gameSaveSeconds;

    // The Prometheus text format (version 0.0.4).
    QByteArray render() const;
};
