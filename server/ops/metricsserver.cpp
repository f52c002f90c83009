#include "metricsserver.h"

#include "metrics.h"

#include <QHttpServer>
#include <QHttpServerResponse>
#include <QTcpServer>

#include <chrono>

MetricsServer::MetricsServer(Probes probes, QObject* parent)
    : QObject(parent), m_probes(std::move(probes)), m_lastBeat(nowMs())
{
    m_thread.setObjectName(QStringLiteral("metrics"));
    m_beat.setInterval(BeatMs);
    connect(&m_beat, &QTimer::timeout, this, &MetricsServer::beat);
}

MetricsServer::~MetricsServer()
{
    if (m_thread.isRunning()) {
        QMetaObject::invokeMethod(
            &m_anchor, [this] { delete m_http; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
}

qint64 MetricsServer::nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool MetricsServer::isReady() const
{
    return nowMs() - m_lastBeat.load() < StaleMs && m_databaseWritable.load();
}

void MetricsServer::beat()
{
    m_lastBeat.store(nowMs());
    if (m_probes.sample)
        m_probes.sample();
    // The database is checked less often: each check takes its write lock.
    if (m_beatsSinceCheck++ % (DatabaseCheckMs / BeatMs) == 0)
        m_databaseWritable.store(!m_probes.databaseWritable || m_probes.databaseWritable());
}

quint16 MetricsServer::listen(const QHostAddress& address, quint16 port, QString* error)
{
    beat();
    m_beat.start();
    m_thread.start();
    quint16 bound = 0;
    QString why;
    // The HTTP server is made in its thread, so that its sockets belong
    // there.
    m_anchor.moveToThread(&m_thread);
    QMetaObject::invokeMethod(
        &m_anchor,
        [&] {
            m_http = new QHttpServer;
            m_http->route(QStringLiteral("/metrics"), [] {
                return QHttpServerResponse(QByteArrayLiteral("text/plain; version=0.0.4"),
                                           Metrics::instance().render());
            });
            m_http->route(QStringLiteral("/ready"), [this] {
                if (isReady())
                    return QHttpServerResponse(QByteArrayLiteral("text/plain"),
                                               QByteArrayLiteral("ready\n"));
                return QHttpServerResponse(QByteArrayLiteral("text/plain"),
                                           QByteArrayLiteral("not ready\n"),
                                           QHttpServerResponse::StatusCode::ServiceUnavailable);
            });
            bound = m_http->listen(address, port);
            if (!bound) {
                const QList<QTcpServer*> servers = m_http->servers();
                why = servers.isEmpty() ? QStringLiteral("cannot listen")
                                        : servers.first()->errorString();
            }
        },
        Qt::BlockingQueuedConnection);
    if (!bound)
        *error = QStringLiteral("metrics on %1:%2: %3").arg(address.toString()).arg(port).arg(why);
    return bound;
}
