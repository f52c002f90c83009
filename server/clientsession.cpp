#include "clientsession.h"

#include "ops/metrics.h"
#include "outgoing.h"
#include "outputgate.h"
#include "protocol.h"
#include "serverlogging.h"

#include <QHostInfo>
#include <QTcpSocket>

#include <algorithm>

namespace {

// Reads stay below the field length bound that Message::feed accepts at once.
constexpr qint64 ReadChunk = 64 * 1024;
// The largest request is a map start with an index of up to 1 MiB; a message
// beyond this is an attempt to make the server allocate without bound.
constexpr qint64 MaxIncomingMessage = 0x100000 + 64 * 1024;
constexpr int FinishGraceMs = 5000;

} // namespace

ClientSession::ClientSession(QTcpSocket* socket, const ServerOptions& options, QObject* parent)
    : QObject(parent), m_socket(socket), m_maxQueuedOutput(options.maxQueuedOutput),
      m_address(addressOf(socket->peerAddress())), m_host(m_address),
      m_lobbyMoves(options.lobbyMovesBurst, options.lobbyMovesPerSecond)
{
    const int keepAliveMs = options.keepAliveIntervalMs;
    const int idleTimeoutMs = options.idleTimeoutMs;
    m_socket->setParent(this);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);

    connect(m_socket, &QTcpSocket::readyRead, this, &ClientSession::readIncoming);
    // Queued, so that a close noticed inside a write never pulls the session
    // out from under a loop that is still sending to others.
    connect(m_socket, &QTcpSocket::disconnected, this, &ClientSession::onDisconnected,
            Qt::QueuedConnection);

    m_keepAlive.setInterval(keepAliveMs);
    connect(&m_keepAlive, &QTimer::timeout, this, [this] { send(outgoing::ping()); });
    m_keepAlive.start();

    // Restarting a timer for every read would cost a timer-list update per
    // message; instead the timer checks the last activity when it fires and
    // sleeps again for what is left.
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, [this, idleTimeoutMs] {
        // A client waiting for the answer to its login is not silent; with
        // hashes queued the answer can take longer than the idle rule.
        if (m_loginPending)
            m_lastActivity.start();
        const qint64 silent = m_lastActivity.elapsed();
        if (silent >= idleTimeoutMs)
            drop(QStringLiteral("silent for %1 ms").arg(silent));
        else
            m_idle.start(int(idleTimeoutMs - silent));
    });
    m_lastActivity.start();
    m_idle.start(idleTimeoutMs);

    m_loginDeadline.setSingleShot(true);
    m_loginDeadline.setInterval(options.loginDeadlineMs);
    connect(&m_loginDeadline, &QTimer::timeout, this, &ClientSession::loginDeadlinePassed);
    m_loginDeadline.start();
    m_connected.start();

    lookupHost();

    send(outgoing::greeting());
}

ClientSession::~ClientSession()
{
    *m_present = false;
    if (m_lookupId != -1)
        QHostInfo::abortHostLookup(m_lookupId);
}

QString ClientSession::addressOf(const QHostAddress& peer)
{
    QHostAddress address = peer;
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4)
        address = QHostAddress(v4);
    return address.toString();
}

bool ClientSession::isLoopback() const
{
    return m_socket->peerAddress().isLoopback();
}

void ClientSession::lookupHost()
{
    // The overload taking a functor leaks the functor's slot object when the
    // lookup is aborted, that is for every client that leaves before its
    // name is known; the named slot costs no allocation.
    m_lookupId = QHostInfo::lookupHost(m_address, this, SLOT(hostLookedUp(QHostInfo)));
}

void ClientSession::hostLookedUp(const QHostInfo& info)
{
    m_lookupId = -1;
    if (info.error() == QHostInfo::NoError && !info.hostName().isEmpty())
        m_host = info.hostName();
}

void ClientSession::send(const QByteArray& wire)
{
    // A socket already closed takes nothing more; its disconnected signal,
    // queued, finishes the session.
    if (m_state == State::Closing || !m_socket->isOpen())
        return;
    Metrics::instance().messagesOut.add();
    if (m_gate && m_gate->isClosed()) {
        if (m_held.isEmpty())
            m_gate->enlist(this);
        m_held.append(wire);
        m_heldBytes += wire.size();
        if (m_socket->bytesToWrite() + m_heldBytes > m_maxQueuedOutput)
            drop(QStringLiteral("more than %1 bytes of output queued").arg(m_maxQueuedOutput));
        return;
    }
    write(wire);
}

void ClientSession::releaseHeld(const std::function<bool(const QByteArray&)>& keep)
{
    const QList<QByteArray> held = std::exchange(m_held, {});
    m_heldBytes = 0;
    for (const QByteArray& wire : held) {
        if (!m_socket->isOpen())
            return;
        if (!keep || keep(wire))
            write(wire);
    }
    if (m_disconnectWhenReleased)
        m_socket->disconnectFromHost();
}

void ClientSession::write(const QByteArray& wire)
{
    m_socket->write(wire);
    // Output normally leaves when the event loop comes round; a burst of
    // broadcasts within one turn is pushed to the kernel early, so only a
    // client that really stopped reading reaches the bound.
    if (m_socket->bytesToWrite() > m_maxQueuedOutput / 4)
        m_socket->flush();
    if (m_socket->bytesToWrite() > m_maxQueuedOutput)
        drop(QStringLiteral("more than %1 bytes of output queued").arg(m_maxQueuedOutput));
}

void ClientSession::finish(const QString& reason)
{
    if (m_state == State::Closing)
        return;
    qCInfo(lcServer).noquote() << "closing" << peerAddress() << nickname() << "-" << reason;
    m_state = State::Closing;
    m_keepAlive.stop();
    m_idle.stop();
    // disconnectFromHost() sends what is queued before closing; the
    // disconnected() signal then finishes the session. A peer that stopped
    // reading would hold it open for ever, so it gets a few seconds.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_held.isEmpty())
                m_socket->disconnectFromHost();
            else
                m_disconnectWhenReleased = true;
        },
        Qt::QueuedConnection);
    QTimer::singleShot(FinishGraceMs, this, [this] {
        m_socket->abort();
        onDisconnected();
    });
}

void ClientSession::drop(const QString& reason)
{
    if (m_state == State::Closing)
        return;
    qCWarning(lcServer).noquote() << "dropping" << peerAddress() << nickname() << "-" << reason;
    m_state = State::Closing;
    m_keepAlive.stop();
    m_idle.stop();
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_socket->abort();
            onDisconnected();
        },
        Qt::QueuedConnection);
}

void ClientSession::setLoggedIn(const Account& account)
{
    setAccount(account);
    m_state = State::LoggedIn;
    setLoginPending(false);
    m_loginDeadline.stop();
}

void ClientSession::setLoginPending(bool pending)
{
    if (m_loginPending && !pending)
        m_lastActivity.start();
    if (pending && !m_loginPending)
        m_loginTicket = std::make_shared<std::atomic_bool>(true);
    else if (!pending)
        *m_loginTicket = false;
    m_loginPending = pending;
}

void ClientSession::loginDeadlinePassed()
{
    if (m_state != State::Connected)
        return;
    // A login being checked gets its answer first; the deadline looks again
    // a little later.
    if (m_loginPending) {
        m_loginDeadline.start(1000);
        return;
    }
    drop(QStringLiteral("no login within %1 ms of the greeting").arg(m_connected.elapsed()));
}

void ClientSession::readIncoming()
{
    char buffer[ReadChunk];
    while (m_state != State::Closing && m_socket->bytesAvailable() > 0) {
        const qint64 n = m_socket->read(buffer, sizeof buffer);
        if (n <= 0)
            break;
        // Before the login only real requests count as life: a keep-alive
        // answer (or a trickle of bytes) must not hold a connection open.
        if (m_state == State::LoggedIn)
            m_lastActivity.start();
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer);
        int pos = 0;
        while (pos < n && m_state != State::Closing) {
            const int used = m_incoming.feed(bytes + pos, int(n - pos));
            if (used <= 0) {
                drop(QStringLiteral("framing error"));
                return;
            }
            pos += used;
            m_incomingSize += used;
            if (m_incomingSize > MaxIncomingMessage) {
                drop(QStringLiteral("message larger than %1 bytes").arg(MaxIncomingMessage));
                return;
            }
            if (m_incoming.isComplete()) {
                if (m_state != State::LoggedIn && m_incoming.getInt(0) != qint32(Opcode::Ping))
                    m_lastActivity.start();
                emit received(m_incoming);
                m_incoming.clear();
                m_incomingSize = 0;
            }
        }
    }
}

void ClientSession::onDisconnected()
{
    if (m_closedEmitted)
        return;
    m_closedEmitted = true;
    m_state = State::Closing;
    *m_present = false;
    m_keepAlive.stop();
    m_idle.stop();
    emit closed();
}
