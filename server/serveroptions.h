#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class TurnClock;

// Everything the server can be told at start; main() fills it from the command
// line, the tests fill it directly to get a free port, a temporary database and
// short keep-alive intervals.
struct ServerOptions
{
    QHostAddress listenAddress = QHostAddress::LocalHost;
    // 0 lets the system pick a free port (the tests do).
    quint16 port = 8822;
    QString databasePath = QStringLiteral("tarvenix-server.db");
    // Several servers on one PostgreSQL database keep their saved games
    // under their names; empty means the host's name and the port.
    QString serverName;
    // How long a server's logins outlive it on a database shared with
    // other servers when it stops without logging them out; it renews the
    // lease three times as often.
    int loginLeaseSeconds = 60;
    // A statement a PostgreSQL database has not answered within this is
    // given up, and the request waiting for it refused.
    int databaseDeadlineMs = 10'000;
    // Holds maps/<id>-<name>/{map.json,index.gz}, the default (popular) maps.
    QString dataDirectory;

    // A client answers every keep-alive at once, so three missed ones mean
    // the connection is dead: noticed within 15 s.
    int keepAliveIntervalMs = 5'000;
    int idleTimeoutMs = 15'000;
    // Unsent output beyond this marks a client as too slow to keep.
    qint64 maxQueuedOutput = 1024 * 1024;
    int maxClients = 2000;
    // Threads that carry the connections' bytes, beside the main thread
    // that decides everything; 0 keeps them on the main thread, -1 chooses
    // by the number of cores.
    int ioThreads = -1;
    // A stranger's share of the server: connections from one address, those
    // of them not logged in yet, and how long one may stay without logging
    // in. Trusted addresses (tests and benchmarks crowding one machine) are
    // exempt from every limit kept per address.
    int maxConnectionsPerAddress = 16;
    int maxUnauthenticatedPerAddress = 8;
    int loginDeadlineMs = 20'000;
    QStringList trustedAddresses;
    // Password hashes checked at once, each on a thread of its own (about
    // 64 MiB and a tenth of a second of a core apiece at the interactive
    // limits), and logins that may wait. One thread leaves the other core
    // of a small machine to the event loop while guessers are about.
    int hashingThreads = 1;
    int maxPendingLogins = 64;
    int registrationsPerAddressPerHour = 10;
    // The disk an account's five map slots may take, indexes and
    // descriptions together: some thirty maps of the size of the world.
    qint64 maxMapBytesPerAccount = 1024 * 1024;
    // Chat lines (and whispers) a user may send in a burst, and how many a
    // second refill it; the excess is dropped.
    int chatBurst = 10;
    double chatLinesPerSecond = 1.0;
    // Games created, joined, watched or left, robots seated or unseated: a
    // burst, then one every two seconds; the lobby hears of each.
    int lobbyMovesBurst = 10;
    double lobbyMovesPerSecond = 0.5;

    // Argon2id at its interactive limits costs about 64 MiB and a tenth of a
    // second per hash; the test suite and the load generator switch to the
    // library's minimum limits so hundreds of logins stay quick.
    bool fastPasswordHashing = false;
    bool newAccountsAreMembers = false;

    // The pause before each move of a robot, for people watching it.
    int robotDelayMs = 600;
    // How long a second of a game's turn timer lasts. Games keep their
    // timeout of at least 30 s; the tests run those seconds faster.
    int timerSecondMs = 1000;
    // A clock of the caller's for the turn timers instead (it outlives the
    // server), which the tests move by hand.
    TurnClock* turnClock = nullptr;
    // How long a running game keeps the seat of a player whose connection
    // dropped.
    int rejoinGraceMs = 120'000;
    // Writes running games at every turn so that they outlive a crash or a
    // restart. Off, a restart ends them, as on a server without saves, and
    // each round's output goes out without waiting for a disk.
    bool saveRunningGames = true;
    // Makes dealing, dice and robots repeatable.
    std::optional<std::uint64_t> seed;
};
