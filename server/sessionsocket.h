#pragma once

#include "message.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

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
    // thread, where start() sets it going.
    SessionSocket(QTcpSocket* socket, const Limits& limits, QObject* parent = nullptr);

    void start();
    void write(const QByteArray& wire);
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
    void checkIdle();
    void fail(const QString& reason);
    void close();

    QTcpSocket* m_socket;
    Limits m_limits;
    QByteArray m_ping;
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
