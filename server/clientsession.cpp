#include "clientsession.h"

#include "iothread.h"
#include "outgoing.h"
#include "outputgate.h"
#include "serverlogging.h"
#include "sessionsocket.h"

#include <QHostInfo>
#include <QTcpSocket>

ClientSession::ClientSession(QTcpSocket* socket, const ServerOptions& options, IoThread& io,
                             QObject* parent)
    : QObject(parent), m_io(io), m_peer(socket->peerAddress()),
      m_maxQueuedOutput(options.maxQueuedOutput), m_address(addressOf(m_peer)), m_host(m_address),
      m_lobbyMoves(options.lobbyMovesBurst, options.lobbyMovesPerSecond)
{
    auto* connection = new SessionSocket(
        socket, {options.keepAliveIntervalMs, options.idleTimeoutMs, options.maxQueuedOutput},
        m_taken);
    connect(connection, &SessionSocket::received, this, &ClientSession::received,
            Qt::QueuedConnection);
    connect(connection, &SessionSocket::failed, this, &ClientSession::connectionFailed,
            Qt::QueuedConnection);
    connect(connection, &SessionSocket::closed, this, &ClientSession::onDisconnected,
            Qt::QueuedConnection);
    m_connection = m_io.adopt(connection);

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
    if (!m_closedEmitted)
        m_io.drop(m_connection);
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
    return m_peer.isLoopback();
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
    // A connection closing takes nothing more.
    if (m_state == State::Closing)
        return;
    if (m_gate && (m_gate->holds(m_holdPass) || !m_held.isEmpty())) {
        if (m_held.isEmpty())
            m_gate->enlist(this);
        m_held.append({m_gate->pass(), wire});
        m_heldBytes += wire.size();
        if (m_heldBytes > m_maxQueuedOutput)
            drop(QStringLiteral("more than %1 bytes of output queued").arg(m_maxQueuedOutput));
        return;
    }
    handOver(wire);
}

void ClientSession::holdForRound()
{
    if (m_gate)
        m_holdPass = m_gate->pass();
}

void ClientSession::sendChat(const QByteArray& wire)
{
    if (m_state == State::Closing)
        return;
    if (!m_held.isEmpty()) {
        send(wire);
        return;
    }
    handOver(wire);
}

bool ClientSession::handOver(const QByteArray& wire)
{
    m_handedOver += wire.size();
    // The I/O thread's count is read only when the bound seems reached.
    if (m_handedOver - m_takenSeen > m_maxQueuedOutput) {
        m_takenSeen = m_taken->load(std::memory_order_relaxed);
        if (m_handedOver - m_takenSeen > m_maxQueuedOutput) {
            // Dropped even while closing: what is on its way never leaves.
            qCWarning(lcServer).noquote()
                << "dropping" << peerAddress() << nickname() << "- more than" << m_maxQueuedOutput
                << "bytes of output queued";
            m_state = State::Closing;
            m_loginDeadline.stop();
            m_io.drop(m_connection);
            return false;
        }
    }
    m_io.write(m_connection, wire);
    return true;
}

bool ClientSession::defer(const Message& message)
{
    m_deferred.append(message);
    m_deferredBytes += message.size();
    if (m_deferredBytes <= MaxDeferredBytes)
        return true;
    m_deferred.clear();
    drop(QStringLiteral("more than %1 bytes of requests waiting for the database")
             .arg(MaxDeferredBytes));
    return false;
}

std::optional<Message> ClientSession::takeDeferred()
{
    if (m_deferred.isEmpty())
        return std::nullopt;
    Message message = m_deferred.takeFirst();
    m_deferredBytes -= message.size();
    return message;
}

void ClientSession::releaseHeld(int pass, const std::function<bool(const QByteArray&)>& keep)
{
    if (m_closedEmitted) {
        m_held.clear();
        m_heldBytes = 0;
        return;
    }
    qsizetype due = 0;
    while (due < m_held.size() && m_held[due].pass <= pass)
        ++due;
    const QList<Held> held = m_held.first(due);
    m_held.remove(0, due);
    for (const Held& h : held) {
        m_heldBytes -= h.wire.size();
        if ((!keep || keep(h.wire)) && !handOver(h.wire)) {
            m_held.clear();
            m_heldBytes = 0;
            return;
        }
    }
    if (m_held.isEmpty() && m_disconnectWhenReleased)
        m_io.finish(m_connection);
}

void ClientSession::releaseRound(int pass, const std::function<bool(const QByteArray&)>& keep)
{
    if (m_held.isEmpty() || m_held.first().pass != pass || m_holdPass == pass)
        return;
    releaseHeld(pass, keep);
}

void ClientSession::finish(const QString& reason)
{
    if (m_state == State::Closing)
        return;
    qCInfo(lcServer).noquote() << "closing" << peerAddress() << nickname() << "-" << reason;
    m_state = State::Closing;
    m_loginDeadline.stop();
    // What waits for the gate goes out first.
    if (m_held.isEmpty())
        m_io.finish(m_connection);
    else
        m_disconnectWhenReleased = true;
}

void ClientSession::drop(const QString& reason)
{
    if (m_state == State::Closing)
        return;
    qCWarning(lcServer).noquote() << "dropping" << peerAddress() << nickname() << "-" << reason;
    m_state = State::Closing;
    m_loginDeadline.stop();
    m_io.drop(m_connection);
}

void ClientSession::connectionFailed(const QString& reason)
{
    if (m_state == State::Closing)
        return;
    qCWarning(lcServer).noquote() << "dropping" << peerAddress() << nickname() << "-" << reason;
    m_state = State::Closing;
    m_loginDeadline.stop();
}

void ClientSession::setLoggedIn(const Account& account)
{
    setAccount(account);
    m_state = State::LoggedIn;
    setLoginPending(false);
    m_loginDeadline.stop();
    m_io.setLogin(m_connection, true, false);
}

void ClientSession::setLoginPending(bool pending)
{
    if (pending && !m_loginPending)
        m_loginTicket = std::make_shared<std::atomic_bool>(true);
    else if (!pending)
        *m_loginTicket = false;
    if (pending != m_loginPending)
        m_io.setLogin(m_connection, isLoggedIn(), pending);
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

void ClientSession::onDisconnected()
{
    if (m_closedEmitted)
        return;
    m_closedEmitted = true;
    m_state = State::Closing;
    *m_present = false;
    m_loginDeadline.stop();
    emit closed();
}
