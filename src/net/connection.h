#pragma once

#include "message.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;

// The client's one TCP connection to the game server. It cuts the incoming
// byte stream into messages and hands each complete one on through message();
// requests sent before the connect has completed are kept and go out in call
// order once it has. A connection is never restarted: once closed it stays
// closed, and the owner makes a new one.
class Connection : public QObject
{
    Q_OBJECT

public:
    enum State { Created, Connecting, Connected, Closed };
    Q_ENUM(State)

    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    State state() const { return m_state; }

public slots:
    // Looks the host up and connects without blocking; a failure is reported
    // through connectFailed().
    void start(const QString& host, quint16 port);
    void send(Message* message);
    // Closes the connection as if the server had gone away.
    void lost();
    void error(int code);

signals:
    // The message is the connection's own and is cleared right after the
    // emission; receivers copy what they keep.
    void message(Message* message);
    // The server closed the connection, a read failed or the stream could not
    // be framed; the socket is closed. Emitted at most once.
    void disconnected();
    void failure();
    // The host lookup or the connect failed; the reason is the socket's text.
    // Emitted at most once, and the connection stays closed.
    void connectFailed(const QString& reason);

private:
    class SocketCall;

    void onConnected();
    void onReadyRead();
    // Reads and frames everything available; returns false when the
    // connection was closed (or deleted by a receiver) meanwhile.
    bool drain();
    void onSocketError(QAbstractSocket::SocketError error);
    void onSocketDisconnected();
    void closeWhenDrained();
    bool consume(const unsigned char* bytes, qint64 n);
    void close();

    QTcpSocket* m_socket = nullptr;
    int m_socketDepth = 0;
    bool m_draining = false;
    bool m_closeWhenDrained = false;
    State m_state = Created;
    // Requests handed over before start(): the socket accepts writes only once
    // it has begun connecting.
    QByteArray m_pending;
    Message m_incoming;
};
