#pragma once

#include "database.h"
#include "mapdata.h"

#include "message.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <optional>

class GameRoom;
class QTcpSocket;

// One client connection: cuts the byte stream into messages, queues output up
// to a bound, sends the keep-alive and drops the client when it falls silent.
// It knows the account once logged in and the game it sits in or watches;
// what a request means is the Server's business.
class ClientSession : public QObject
{
    Q_OBJECT

public:
    enum class State { Connected, LoggedIn, Closing };

    ClientSession(QTcpSocket* socket, int keepAliveMs, int idleTimeoutMs, qint64 maxQueuedOutput,
                  QObject* parent = nullptr);
    ~ClientSession() override;

    State state() const { return m_state; }
    bool isLoggedIn() const { return m_state == State::LoggedIn; }
    // The peer's address, replaced by its host name once the reverse lookup
    // answers.
    const QString& host() const { return m_host; }
    QString peerAddress() const;
    bool isLoopback() const;

    void send(const Message& message);
    void send(const QByteArray& wire);
    // Flushes what is queued, then closes; no further request is handled.
    void finish(const QString& reason);
    // Closes at once, from the event loop, so callers iterating over sessions
    // are never disturbed; closed() follows.
    void drop(const QString& reason);

    void setLoggedIn(const Account& account);
    Account& account() { return m_account; }
    const Account& account() const { return m_account; }
    const QString& nickname() const { return m_account.nickname; }

    GameRoom* game() const { return m_game; }
    bool isObserver() const { return m_observer; }
    void setGame(GameRoom* game, bool observer)
    {
        m_game = game;
        m_observer = observer;
    }

    int addFailedLogin() { return ++m_failedLogins; }
    int addRefusal() { return ++m_refusals; }
    int refusals() const { return m_refusals; }

    // A map being uploaded, between its start and end messages.
    std::optional<MapData>& upload() { return m_upload; }

signals:
    void received(const Message& message);
    // Emitted once, when the connection has gone for whatever reason.
    void closed();

private:
    void readIncoming();
    void onDisconnected();
    void lookupHost();

    QTcpSocket* m_socket;
    Message m_incoming;
    qint64 m_incomingSize = 0;
    QTimer m_keepAlive;
    QTimer m_idle;
    QElapsedTimer m_lastActivity;
    qint64 m_maxQueuedOutput;
    State m_state = State::Connected;
    bool m_closedEmitted = false;
    QString m_host;
    Account m_account;
    GameRoom* m_game = nullptr;
    bool m_observer = false;
    std::optional<MapData> m_upload;
    int m_lookupId = -1;
    int m_failedLogins = 0;
    int m_refusals = 0;
};
