#include "sessionsocket.h"

#include "ops/metrics.h"
#include "outgoing.h"
#include "protocol.h"

#include <QTcpSocket>

#include <sys/socket.h>
#include <sys/uio.h>

namespace {

// Reads stay below the field length bound that Message::feed accepts at once.
constexpr qint64 ReadChunk = 64 * 1024;
// The largest request is a map start with an index of up to 1 MiB; a message
// beyond this is an attempt to make the server allocate without bound.
constexpr qint64 MaxIncomingMessage = 0x100000 + 64 * 1024;
constexpr int FinishGraceMs = 5000;
// Messages handed to the kernel in one call.
constexpr size_t MaxGather = 64;

} // namespace

SessionSocket::SessionSocket(QTcpSocket* socket, const Limits& limits,
                             std::shared_ptr<std::atomic<qint64>> taken, QObject* parent)
    : QObject(parent), m_socket(socket), m_limits(limits), m_ping(outgoing::ping().data()),
      m_taken(std::move(taken))
{
    m_socket->setParent(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &SessionSocket::readIncoming);
    // Queued, so that a close noticed inside a write never pulls the
    // connection out from under the batch of writes still being applied.
    connect(m_socket, &QTcpSocket::disconnected, this, &SessionSocket::close, Qt::QueuedConnection);
    m_keepAlive.setInterval(limits.keepAliveMs);
    connect(&m_keepAlive, &QTimer::timeout, this, [this] {
        queue(m_ping);
        flushPending();
    });
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

bool SessionSocket::queue(const QByteArray& wire)
{
    // A socket already closed takes nothing more; its disconnected signal,
    // queued, closes the connection.
    if (m_closing || !m_socket->isOpen())
        return false;
    m_pending.push_back(&wire);
    m_pendingBytes += wire.size();
    return m_pending.size() == 1;
}

void SessionSocket::flushPending()
{
    if (m_pending.empty())
        return;
    if (m_closing) {
        m_pending.clear();
        m_pendingBytes = 0;
        return;
    }
    m_taken->fetch_add(m_pendingBytes, std::memory_order_relaxed);
    Metrics::instance().messagesOut.add(m_pending.size());
    size_t first = 0;
    qint64 offset = 0;
    // Bytes already waiting in the socket's buffer go first; only with none
    // may these overtake them on the way to the kernel.
    if (m_socket->bytesToWrite() == 0)
        writeDirect(first, offset);
    for (; first < m_pending.size(); ++first, offset = 0) {
        const QByteArray& wire = *m_pending[first];
        m_socket->write(wire.constData() + offset, wire.size() - offset);
    }
    m_pending.clear();
    m_pendingBytes = 0;
    // What the kernel did not take leaves when the socket can be written
    // again; a burst beyond a quarter of the bound is pushed early, so that
    // only a client that really stopped reading reaches it.
    if (m_socket->bytesToWrite() > m_limits.maxQueuedOutput / 4)
        m_socket->flush();
    if (m_socket->bytesToWrite() > m_limits.maxQueuedOutput)
        fail(QStringLiteral("more than %1 bytes of output queued").arg(m_limits.maxQueuedOutput));
}

void SessionSocket::writeDirect(size_t& first, qint64& offset)
{
    const auto fd = int(m_socket->socketDescriptor());
    if (fd < 0)
        return;
    iovec parts[MaxGather];
    while (first < m_pending.size()) {
        size_t count = 0;
        size_t wanted = 0;
        for (size_t i = first; i < m_pending.size() && count < MaxGather; ++i, ++count) {
            const QByteArray& wire = *m_pending[i];
            const qint64 skip = i == first ? offset : 0;
            parts[count].iov_base = const_cast<char*>(wire.constData() + skip);
            parts[count].iov_len = size_t(wire.size() - skip);
            wanted += parts[count].iov_len;
        }
        msghdr message{};
        message.msg_iov = parts;
        message.msg_iovlen = count;
        // A full buffer, or an error, leaves the rest to the socket, which
        // writes it when it can or reports the error as it does any other.
        const ssize_t sent = ::sendmsg(fd, &message, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent <= 0)
            return;
        for (auto left = qint64(sent); left > 0;) {
            const qint64 rest = m_pending[first]->size() - offset;
            if (left < rest) {
                offset += left;
                break;
            }
            left -= rest;
            ++first;
            offset = 0;
        }
        if (size_t(sent) < wanted)
            return;
    }
}

void SessionSocket::finish()
{
    if (m_closing)
        return;
    flushPending();
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
    m_pending.clear();
    m_pendingBytes = 0;
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
