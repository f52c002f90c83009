#pragma once

#include "message.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>
#include <vector>

class QTcpSocket;

// The socket side of one client connection, on an I/O thread: cuts the
// byte stream into messages, writes what the server sends up to a bound,
// sends the keep-alive and notices silence. What a message means, and
// everything that decides, is the main thread's business; the two speak
// only through queued signals and the commands an IoThread hands over.
class SessionSocket : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int keepAliveMs;
        int idleTimeoutMs;
        qint64 maxQueuedOutput;
    };

    // Takes the socket over; made on the main thread, then moved to an I/O
    // thread, where start() sets it going. Every byte taken from the main
    // thread is counted into taken, so that the main thread can tell how
    // much of what it sent is still on its way.
    SessionSocket(QTcpSocket* socket, const Limits& limits,
                  std::shared_ptr<std::atomic<qint64>> taken, QObject* parent = nullptr);

    void start();
    // Keeps the bytes, which must stay valid until flushPending(), for the
    // next write; true when nothing was pending before.
    bool queue(const QByteArray& wire);
    // Writes what is queued in one go: straight to the kernel while nothing
    // waits in the socket's own buffer and the kernel takes it, the rest
    // behind what waits.
    void flushPending();
    // Flushes what is queued, then closes, within a few seconds.
    void finish();
    // Closes at once.
    void drop();
    // Before the login only real requests count as life, and a login being
    // checked is no silence.
    void setLogin(bool loggedIn, bool pending);

signals:
    void received(const Message& message);
    // The connection closes itself: a framing error, a message too large,
    // too much output queued, silence. closed() follows.
    void failed(const QString& reason);
    // Emitted once, when the connection has gone for whatever reason.
    void closed();

private:
    void readIncoming();
    // Writes the pending bytes to the kernel from the given one on, as far
    // as it takes them; moves the position past what it took.
    void writeDirect(size_t& first, qint64& offset);
    void checkIdle();
    void fail(const QString& reason);
    void close();

    QTcpSocket* m_socket;
    Limits m_limits;
    QByteArray m_ping;
    std::shared_ptr<std::atomic<qint64>> m_taken;
    std::vector<const QByteArray*> m_pending;
    qint64 m_pendingBytes = 0;
    Message m_incoming;
    qint64 m_incomingSize = 0;
    QTimer m_keepAlive{this};
    QTimer m_idle{this};
    QElapsedTimer m_lastActivity;
    bool m_loggedIn = false;
    bool m_loginPending = false;
    bool m_closing = false;
    bool m_closed = false;
};
