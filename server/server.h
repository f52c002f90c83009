#pragma once

#include "accounts/accounts.h"
#include "games/gamedirectory.h"
#include "games/turnclock.h"
#include "lobby/lobby.h"
#include "logthrottle.h"
#include "maps/mapservice.h"
#include "maps/mapstore.h"
#include "ops/admintarget.h"
#include "outputgate.h"
#include "protocol.h"
#include "robotinfo.h"
#include "serveroptions.h"
#include "storage/storage.h"
#include "storage/storageexecutor.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTimer>

#include <memory>
#include <vector>

class ClientSession;
class IoThread;
class StorageExecutor;
class Message;

// The local game server: accepts connections, logs users in, keeps the lobby
// of users and games and answers every request. Everything that decides runs
// from the event loop of the thread that created it; the connections' bytes
// are read and written on I/O threads of their own.
class Server : public QObject, public AdminTarget
{
    Q_OBJECT

public:
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
    // The I/O threads started on a machine of so many cores when the
    // options leave it to the server.
    static int automaticIoThreads(int cores);
    // The name the server keeps its saved games under in a database other
    // servers may share: the one it was given, or the host's and the port's.
    static QString storageName(const ServerOptions& options);

    // The operator's side (serveradmin.cpp): the admin socket, reloads and
    // the metrics.
    const ServerOptions& options() const { return m_options; }
    // Takes over the settings a running server can change: the limits, the
    // members default, the robots' delay (running games too).
    void reconfigure(const ServerOptions& options);
    QStringList adminUsers() const override;
    QStringList adminGames() override;
    int adminUserCount() const override { return userCount(); }
    void adminSay(const QString& text) override { announce(text); }
    bool adminKick(const QString& nickname, const QString& why) override;
    void adminSetFlag(const QString& nickname, AccountFlag flag, bool on, FlagDone done) override;
    // A line from the server, to every user or to one.
    void announce(const QString& text, Peer* only = nullptr);
    int runningGameCount() const;
    // Whether the database takes writes, as last checked, without changing
    // anything; each call checks again for the next.
    bool databaseWritable();
    // The name announced lines come from: no nickname can be spelt so.
    static QString announcerName() { return QStringLiteral("[server]"); }
    // Counts a chat line or whisper the lobby passed on.
    void countChat(const Peer& from, Opcode opcode) const;

private:
    void acceptConnections();
    // Takes a request on, timed.
    void handle(ClientSession* session, const Message& message);
    void dispatch(ClientSession* session, const Message& message);
    // Refuses the request as its handler answered, or waits for the storage
    // work it answered: the session's later requests wait until it is done.
    void answer(ClientSession* session, Opcode opcode, StorageAnswer answer);
    // Takes on the requests that waited for the storage, until one of them
    // waits again.
    void resume(ClientSession* session);
    void sessionClosed(ClientSession* session);
    // False, with the request refused, when the session has spent its
    // allowance of requests that every client hears of.
    bool takeLobbyMove(ClientSession* session, Opcode opcode);
    void refuse(ClientSession* session, Opcode opcode, const QString& why);
    void logRefusalSummary();

    void completeLogin(ClientSession* session, const Account& account, const LoginWelcome& welcome);

    ServerOptions m_options;
    SteadyTurnClock m_steadyClock;
    TurnClock* m_turnClock;
    QTcpServer m_listener;
    std::unique_ptr<Storage> m_storage;
    // Logins, registrations, presence and the lease go through it: with a
    // database across the network they never hold up the event loop.
    std::unique_ptr<StorageExecutor> m_storageExecutor;
    // The running games' saves and the finished games' results: their
    // commits never hold up the event loop.
    std::unique_ptr<StorageExecutor> m_gamesExecutor;
    MapStore m_maps;
    MapService m_mapSlots;
    QList<RobotInfo> m_robots;
    // Before the sessions, which hand their bytes to them.
    std::vector<std::unique_ptr<IoThread>> m_io;
    size_t m_nextIo = 0;
    QList<ClientSession*> m_sessions;
    // Holds the output of a round in which running games are due to be
    // saved, until they are, and what follows it on the same connections.
    OutputGate m_gate;
    Lobby m_lobby;
    GameDirectory m_games;
    // Shutting down: the running games are saved and stay as they are while
    // the connections close.
    bool m_closing = false;
    QElapsedTimer m_clock;
    LogThrottle m_refusalLog{RefusalLinesPerSecond};
    LogThrottle m_connectionLog{RefusalLinesPerSecond};
    QTimer m_refusalSummary;
    QTimer m_loginLease;
    bool m_databaseWritable = false;
    bool m_writableCheckPending = false;

    // Connections from one address, and those of them not logged in.
    struct AddressUse
    {
        int connections = 0;
        int unauthenticated = 0;
    };
    QHash<QString, AddressUse> m_addresses;
    // Last, so that it is destroyed first: its hashing threads answer to
    // the server.
    Accounts m_accounts;
};
