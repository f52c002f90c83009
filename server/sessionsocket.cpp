#include "sessionsocket.h"

#include "ops/metrics.h"
#include "outgoing.h"
#include "protocol.h"

#include <QTcpSocket>

namespace {

// Reads stay below the field length bound that Message::feed accepts at once.
constexpr qint64 ReadChunk = 64 * 1024;
// The largest request is a map start with an index of up to 1 MiB; a message
// beyond this is an attempt to make the server allocate without bound.
constexpr qint64 MaxIncomingMessage = 0x100000 + 64 * 1024;
constexpr int FinishGraceMs = 5000;

} // namespace

SessionSocket::SessionSocket(QTcpSocket* socket, const Limits& limits, QObject* parent)
    : QObject(parent), m_socket(socket), m_limits(limits), m_ping(outgoing::ping().data())
{
    m_socket->setParent(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &SessionSocket::readIncoming);
    // Queued, so that a close noticed inside a write never pulls the
    // connection out from under the batch of writes still being applied.
    connect(m_socket, &QTcpSocket::disconnected, this, &SessionSocket::close, Qt::QueuedConnection);
    m_keepAlive.setInterval(limits.keepAliveMs);
    connect(&m_keepAlive, &QTimer::timeout, this, [this] { write(m_ping); });
    // Restarting a timer for every read would cost a timer-list update per
    // message; instead the timer checks the last activity when it fires and
    // sleeps again for what is left.
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, &SessionSocket::checkIdle);
}

void SessionSocket::start()
{
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_keepAlive.start();
    m_lastActivity.start();
    m_idle.start(m_limits.idleTimeoutMs);
    // The peer may have spoken while the connection changed threads.
    if (m_socket->bytesAvailable() > 0)
        readIncoming();
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        QMetaObject::invokeMethod(this, &SessionSocket::close, Qt::QueuedConnection);
}

void SessionSocket::checkIdle()
{
    // A client waiting for the answer to its login is not silent; with
    // hashes queued the answer can take longer than the idle rule.
    if (m_loginPending)
        m_lastActivity.start();
    const qint64 silent = m_lastActivity.elapsed();
    if (silent >= m_limits.idleTimeoutMs)
        fail(QStringLiteral("silent for %1 ms").arg(silent));
    else
        m_idle.start(int(m_limits.idleTimeoutMs - silent));
}

void SessionSocket::setLogin(bool loggedIn, bool pending)
{
    if (m_loginPending && !pending)
        m_lastActivity.start();
    m_loggedIn = loggedIn;
    m_loginPending = pending;
}

void SessionSocket::write(const QByteArray& wire)
{
    // A socket already closed takes nothing more; its disconnected signal,
    // queued, closes the connection.
    if (m_closing || !m_socket->isOpen())
        return;
    m_socket->write(wire);
    Metrics::instance().messagesOut.add();
    // Output normally leaves when the event loop comes round; a burst of
    // broadcasts within one turn is pushed to the kernel early, so only a
    // client that really stopped reading reaches the bound.
    if (m_socket->bytesToWrite() > m_limits.maxQueuedOutput / 4)
        m_socket->flush();
    if (m_socket->bytesToWrite() > m_limits.maxQueuedOutput)
        fail(QStringLiteral("more than %1 bytes of output queued").arg(m_limits.maxQueuedOutput));
}

void SessionSocket::finish()
{
    if (m_closing)
        return;
    m_closing = true;
    m_keepAlive.stop();
    m_idle.stop();
    // disconnectFromHost() sends what is queued before closing. A peer that
    // stopped reading would hold it open for ever, so it gets a few seconds.
    m_socket->disconnectFromHost();
    QTimer::singleShot(FinishGraceMs, this, [this] {
        m_socket->abort();
        close();
    });
}

void SessionSocket::drop()
{
    m_closing = true;
    m_socket->abort();
    close();
}

void SessionSocket::fail(const QString& reason)
{
    if (m_closing)
        return;
    m_closing = true;
    m_keepAlive.stop();
    m_idle.stop();
    emit failed(reason);
    QMetaObject::invokeMethod(this, &SessionSocket::drop, Qt::QueuedConnection);
}

void SessionSocket::close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_closing = true;
    m_keepAlive.stop();
    m_idle.stop();
    emit closed();
}

void SessionSocket::readIncoming()
{
    char buffer[ReadChunk];
    while (!m_closing && m_socket->bytesAvailable() > 0) {
        const qint64 n = m_socket->read(buffer, sizeof buffer);
        if (n <= 0)
            break;
        // Before the login only real requests count as life: a keep-alive
        // answer (or a trickle of bytes) must not hold a connection open.
        if (m_loggedIn)
            m_lastActivity.start();
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer);
        int pos = 0;
        while (pos < n && !m_closing) {
            const int used = m_incoming.feed(bytes + pos, int(n - pos));
            if (used <= 0) {
                fail(QStringLiteral("framing error"));
                return;
            }
            pos += used;
            m_incomingSize += used;
            if (m_incomingSize > MaxIncomingMessage) {
                fail(QStringLiteral("message larger than %1 bytes").arg(MaxIncomingMessage));
                return;
            }
            if (m_incoming.isComplete()) {
                if (!m_loggedIn && m_incoming.getInt(0) != qint32(Opcode::Ping))
                    m_lastActivity.start();
                emit received(m_incoming);
                m_incoming.clear();
                m_incomingSize = 0;
            }
        }
    }
}
