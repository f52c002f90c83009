#include "connection.h"

#include "netlogging.h"

#include <QPointer>
#include <QTcpSocket>

namespace {

constexpr qint64 ReadChunk = 64 * 1024;

} // namespace

// Marks the time spent inside one of the socket's emissions; it survives the
// connection being deleted meanwhile.
class Connection::SocketCall
{
public:
    explicit SocketCall(Connection* connection) : m_connection(connection)
    {
        ++connection->m_socketDepth;
    }
    ~SocketCall()
    {
        if (m_connection)
            --m_connection->m_socketDepth;
    }
    SocketCall(const SocketCall&) = delete;
    SocketCall& operator=(const SocketCall&) = delete;

private:
    QPointer<Connection> m_connection;
};

Connection::Connection(QObject* parent) : QObject(parent), m_socket(new QTcpSocket(this))
{
    connect(m_socket, &QTcpSocket::connected, this, &Connection::onConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &Connection::onReadyRead);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &Connection::onSocketError);
    connect(m_socket, &QTcpSocket::disconnected, this, &Connection::onSocketDisconnected);
}

Connection::~Connection()
{
    // The socket emits signals from its destructor; none of them may reach a
    // connection that is half destroyed.
    m_socket->disconnect(this);
    m_socket->abort();
    // Deleted from a receiver of one of our signals, we are inside one of the
    // socket's own emissions, which goes on using the socket after we return.
    if (m_socketDepth > 0) {
        m_socket->setParent(nullptr);
        m_socket->deleteLater();
    }
}

void Connection::start(const QString& host, quint16 port)
{
    if (m_state != Created)
        return;
    m_state = Connecting;
    qCDebug(lcNet) << "connecting to" << host << port;
    const QPointer<Connection> self(this);
    m_socket->connectToHost(host, port);
    // A lookup that fails at once reports through connectFailed() inside the
    // call above, whose receiver may even have deleted this connection.
    if (self && m_state == Connecting && !m_pending.isEmpty()) {
        m_socket->write(m_pending);
        m_pending.clear();
    }
}

void Connection::send(Message* message)
{
    if (!message)
        return;
    switch (m_state) {
    case Created:
        m_pending.append(message->data());
        break;
    case Connecting:
    case Connected:
        m_socket->write(message->data());
        break;
    case Closed:
        break;
    }
}

void Connection::lost()
{
    if (m_state == Closed)
        return;
    close();
    emit disconnected();
}

void Connection::error(int code)
{
    Q_UNUSED(code)
    emit failure();
}

void Connection::onConnected()
{
    if (m_state == Connecting)
        m_state = Connected;
}

void Connection::onReadyRead()
{
    const SocketCall call(this);
    drain();
}

bool Connection::drain()
{
    if (m_state != Connected)
        return false;
    // A receiver running a nested event loop (a modal dialog, say) can bring
    // us back here while a message is still being handed on; the outer call
    // reads on once that receiver returns.
    if (m_draining)
        return true;
    m_draining = true;
    unsigned char buffer[ReadChunk];
    for (;;) {
        const qint64 n = m_socket->read(reinterpret_cast<char*>(buffer), ReadChunk);
        if (n < 0) {
            lost();
            return false;
        }
        if (n == 0)
            break;
        if (!consume(buffer, n))
            return false;
    }
    m_draining = false;
    if (m_closeWhenDrained) {
        lost();
        return false;
    }
    return true;
}

bool Connection::consume(const unsigned char* bytes, qint64 n)
{
    // A receiver may close or even delete this connection while a message is
    // being handed on; nothing after that may touch it.
    QPointer<Connection> self(this);
    qint64 position = 0;
    while (position < n) {
        const int used = m_incoming.feed(bytes + position, int(n - position));
        if (used < 0) {
            qCDebug(lcNet) << "framing error in the incoming stream; closing";
            lost();
            return false;
        }
        position += used;
        if (m_incoming.isComplete()) {
            emit message(&m_incoming);
            if (!self || m_state == Closed)
                return false;
            m_incoming.clear();
        }
    }
    return true;
}

void Connection::onSocketError(QAbstractSocket::SocketError error)
{
    const SocketCall call(this);
    switch (m_state) {
    case Created:
    case Closed:
        return;
    case Connecting: {
        const QString reason = m_socket->errorString();
        qCDebug(lcNet) << "connect failed:" << error << reason;
        close();
        emit connectFailed(reason);
        return;
    }
    case Connected:
        closeWhenDrained();
        return;
    }
}

void Connection::onSocketDisconnected()
{
    const SocketCall call(this);
    if (m_state == Connected)
        closeWhenDrained();
}

void Connection::closeWhenDrained()
{
    // The last bytes the server sent before closing can still be read; while
    // a read is under way, it closes once it has handed on everything.
    if (m_draining) {
        m_closeWhenDrained = true;
        return;
    }
    if (drain())
        lost();
}

void Connection::close()
{
    m_state = Closed;
    m_pending.clear();
    m_socket->abort();
}
