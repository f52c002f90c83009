#pragma once

#include "games/gamedirectory.h"
#include "games/turnclock.h"
#include "lobby/lobby.h"
#include "loginguard.h"
#include "logthrottle.h"
#include "maps/mapservice.h"
#include "maps/mapstore.h"
#include "passwordhasher.h"
#include "protocol.h"
#include "random.h"
#include "robotinfo.h"
#include "serveroptions.h"
#include "storage/storage.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QThreadPool>
#include <QTimer>

#include <map>
#include <memory>

class ClientSession;
class Message;

// The local game server: accepts connections, logs users in, keeps the lobby
// of users and games and answers every request. Single-threaded: everything
// runs from the event loop of the thread that created it.
class Server : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxPasswordLength = 128;
    static constexpr int MaxContactLength = 128;
    // Failed logins a connection may make before it is closed.
    static constexpr int MaxFailedLogins = 5;
    // A rejoining player's login is checked at the latest this long before
    // his seat's grace runs out, so that the answer comes in time.
    static constexpr qint64 RejoinMarginMs = 2000;
    // Refused requests logged a second, server-wide; the rest are counted
    // into one summary line. Refused connections and failed logins each
    // have such a budget too.
    static constexpr int RefusalLinesPerSecond = 5;

    explicit Server(const ServerOptions& options, QObject* parent = nullptr);
    ~Server() override;

    // Opens the database, loads the default maps and starts listening.
    bool start(QString* error);
    // Tells every client that the server is closing and drops them.
    void shutdown();

    quint16 port() const { return m_listener.serverPort(); }
    Storage& storage() { return *m_storage; }
    int sessionCount() const { return int(m_sessions.size()); }
    int userCount() const { return int(m_lobby.users().size()); }
    int gameCount() const { return m_games.count(); }
    const QList<RobotInfo>& robots() const { return m_robots; }

    static bool isValidNickname(const QString& nickname);

private:
    void acceptConnections();
    void dispatch(ClientSession* session, const Message& message);
    void sessionClosed(ClientSession* session);
    // False, with the request refused, when the session has spent its
    // allowance of requests that every client hears of.
    bool takeLobbyMove(ClientSession* session, Opcode opcode);
    void refuse(ClientSession* session, Opcode opcode, const QString& why);
    void logRefusalSummary();

    // Logging in (serverlogin.cpp; completeLogin in server.cpp).
    void handleLogin(ClientSession* session, const Message& message);
    void handleRegistration(ClientSession* session, const Message& message);
    bool checkVersion(ClientSession* session, const Message& message, int field);
    void loginFailed(ClientSession* session, FailureCode code, const QString& why);
    // False, with the client told to try later, when too many logins wait.
    bool admitLogin(ClientSession* session);
    // Marks a login or registration of the session as waiting (for its turn
    // or its hash) and counts it; a session that goes stops counting.
    void setLoginPending(ClientSession* session, bool pending);
    // Checks the login now, or waits for the pause its address or its
    // account must keep, and tries again then.
    void takeLoginTurn(ClientSession* session, const QString& nickname, const QByteArray& password,
                       bool heldBefore);
    void checkLogin(ClientSession* session, const QString& nickname, const QByteArray& password);
    void passwordChecked(ClientSession* session, bool matches, const QByteArray& upgradedHash,
                         qint64 accountId, const QString& nickname, const QString& address);
    void registrationHashed(ClientSession* session, const Account& account);
    void completeLogin(ClientSession* session, const Account& account);

    ServerOptions m_options;
    SteadyTurnClock m_steadyClock;
    TurnClock* m_turnClock;
    QTcpServer m_listener;
    std::unique_ptr<Storage> m_storage;
    MapStore m_maps;
    MapService m_mapSlots;
    PasswordHasher m_hasher;
    QList<RobotInfo> m_robots;
    QList<ClientSession*> m_sessions;
    Lobby m_lobby;
    GameDirectory m_games;
    QElapsedTimer m_clock;
    LogThrottle m_refusalLog{RefusalLinesPerSecond};
    LogThrottle m_loginLog{RefusalLinesPerSecond};
    LogThrottle m_connectionLog{RefusalLinesPerSecond};
    QTimer m_refusalSummary;

    // Connections from one address, and those of them not logged in.
    struct AddressUse
    {
        int connections = 0;
        int unauthenticated = 0;
    };
    QHash<QString, AddressUse> m_addresses;
    LoginGuard m_guard;
    // Logins and registrations of live connections waiting for their turn
    // or their hash.
    int m_pendingLogins = 0;
    // Last, so that it is destroyed first: its threads use the hasher.
    QThreadPool m_hashing;
};
