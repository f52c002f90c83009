#pragma once

#include "allowance.h"
#include "mapdata.h"
#include "peer.h"
#include "serveroptions.h"
#include "storage/storage.h"

#include "message.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class IoThread;
class OutputGate;
class QHostInfo;
class QTcpSocket;

// One client connection as the main thread sees it: its requests come in as
// messages, what is sent to it goes to its SessionSocket on an I/O thread, and
// it is dropped when it does not log in in time. It knows the account once
// logged in and the game it sits in or watches; what a request means is the
// Server's business.
class ClientSession : public QObject, public Peer
{
    Q_OBJECT

public:
    enum class State { Connected, LoggedIn, Closing };

    // The socket goes to a SessionSocket on the I/O thread.
    ClientSession(QTcpSocket* socket, const ServerOptions& options, IoThread& io,
                  QObject* parent = nullptr);
    ~ClientSession() override;

    State state() const { return m_state; }
    bool isLoggedIn() const { return m_state == State::LoggedIn; }
    // The peer's address, replaced by its host name once the reverse lookup
    // answers.
    const QString& host() const override { return m_host; }
    QString peerAddress() const override { return m_address; }
    bool isLoopback() const override;
    // An address as the server counts it: IPv4 clients on a dual-stack socket
    // in their plain dotted form.
    static QString addressOf(const QHostAddress& address);

    using Peer::send;
    void send(const QByteArray& wire) override;
    void sendChat(const QByteArray& wire) override;
    void holdForRound() override;
    // While the gate's round holds this session, and while anything sent
    // before still waits, what is sent waits in the session.
    void setGate(OutputGate* gate) { m_gate = gate; }
    // Writes what waited for the gate's passes up to this one (what keep
    // allows of it, when given).
    void releaseHeld(int pass, const std::function<bool(const QByteArray&)>& keep = {});
    // The same at the end of the gate's round, when the round held
    // everybody only until then: unless this session was held for the
    // pass's writes or still waits for an older pass.
    void releaseRound(int pass, const std::function<bool(const QByteArray&)>& keep = {});
    bool isHolding() const { return !m_held.isEmpty(); }
    // Flushes what is queued, then closes; no further request is handled.
    void finish(const QString& reason);
    // Closes at once; closed() follows from the event loop, so callers
    // iterating over sessions are never disturbed.
    void drop(const QString& reason);

    void setLoggedIn(const Account& account);

    int addFailedLogin() { return ++m_failedLogins; }
    // A login or registration is being checked: waiting for its turn or for
    // its password hash. The login deadline waits for its answer.
    bool isLoginPending() const { return m_loginPending; }
    void setLoginPending(bool pending);
    // True while the login waiting now still waits: it turns false when the
    // login is answered, given up or the connection goes, so that a timer or
    // a hash left over from it finds it gone even if another login follows.
    std::shared_ptr<const std::atomic_bool> loginTicket() const { return m_loginTicket; }
    // False once the connection has gone; work for it on another thread
    // (a password hash) looks here and is skipped.
    std::shared_ptr<const std::atomic_bool> presence() const { return m_present; }
    // Creating, joining, watching and leaving games, seating and unseating
    // robots: each goes to every client, so they are paced as chat is.
    Allowance& lobbyMoves() { return m_lobbyMoves; }
    // One of its requests waits for the storage's answer: the requests that
    // follow it wait behind it, in order.
    bool isWaitingForStorage() const { return m_waitingForStorage; }
    void setWaitingForStorage(bool waiting) { m_waitingForStorage = waiting; }
    // Keeps a request until the storage has answered; false, with the
    // connection dropped, when more than MaxDeferredBytes of them wait.
    bool defer(const Message& message);
    std::optional<Message> takeDeferred();
    static constexpr qint64 MaxDeferredBytes = 4 * 1024 * 1024;
    int addRefusal() { return ++m_refusals; }
    int refusals() const { return m_refusals; }

signals:
    void received(const Message& message);
    // Emitted once, when the connection has gone for whatever reason.
    void closed();

private slots:
    void hostLookedUp(const QHostInfo& info);

private:
    void connectionFailed(const QString& reason);
    void onDisconnected();
    void lookupHost();
    void loginDeadlinePassed();
    // Hands the bytes to the I/O thread, unless more than the output bound
    // of what was handed over is still on its way: a connection whose
    // thread does not keep up is dropped like a client that stopped reading.
    bool handOver(const QByteArray& wire);

    IoThread& m_io;
    quint64 m_connection;
    QHostAddress m_peer;
    QTimer m_loginDeadline;
    QElapsedTimer m_connected;
    qint64 m_maxQueuedOutput;
    // Bytes handed to the I/O thread, and those of them it has taken, as
    // last looked at and as it counts them.
    qint64 m_handedOver = 0;
    qint64 m_takenSeen = 0;
    std::shared_ptr<std::atomic<qint64>> m_taken = std::make_shared<std::atomic<qint64>>(0);
    State m_state = State::Connected;
    bool m_closedEmitted = false;
    QString m_address;
    QString m_host;
    int m_lookupId = -1;
    int m_failedLogins = 0;
    int m_refusals = 0;
    bool m_loginPending = false;
    std::shared_ptr<std::atomic_bool> m_loginTicket = std::make_shared<std::atomic_bool>(false);
    std::shared_ptr<std::atomic_bool> m_present = std::make_shared<std::atomic_bool>(true);
    Allowance m_lobbyMoves;
    bool m_waitingForStorage = false;
    QList<Message> m_deferred;
    qint64 m_deferredBytes = 0;
    OutputGate* m_gate = nullptr;
    // The gate's pass this session was last held for.
    int m_holdPass = 0;
    struct Held
    {
        int pass;
        QByteArray wire;
    };
    // In the order sent, so their passes never go down.
    QList<Held> m_held;
    qint64 m_heldBytes = 0;
    // finish() came while messages were held: they go first.
    bool m_disconnectWhenReleased = false;
};
