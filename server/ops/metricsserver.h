#pragma once

#include <QHostAddress>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

class QHttpServer;

// /metrics (the Prometheus text format) and /ready over HTTP, answered by a
// thread of their own so that a blocked event loop is seen rather than
// shared: the loop beats a heartbeat four times a second, and /ready says
// 200 only while the last beat is under a second old and the database took
// its last check. The beat also samples the gauges through `sample`.
class MetricsServer : public QObject
{
    Q_OBJECT

public:
    static constexpr int BeatMs = 250;
    static constexpr qint64 StaleMs = 1000;
    static constexpr int DatabaseCheckMs = 2000;

    struct Probes
    {
        // Fills the gauges; runs on the event loop.
        std::function<void()> sample;
        // Whether the database takes writes; runs on the event loop.
        std::function<bool()> databaseWritable;
    };

    explicit MetricsServer(Probes probes, QObject* parent = nullptr);
    ~MetricsServer() override;

    // Port 0 picks a free one; the port listened on, or 0 with the reason.
    quint16 listen(const QHostAddress& address, quint16 port, QString* error);
    bool isReady() const;

private:
    void beat();
    static qint64 nowMs();

    Probes m_probes;
    QThread m_thread;
    // Live in m_thread.
    QObject m_anchor;
    QHttpServer* m_http = nullptr;
    QTimer m_beat;
    int m_beatsSinceCheck = 0;
    std::atomic<qint64> m_lastBeat;
    std::atomic<bool> m_databaseWritable{false};
};
