#pragma once

#include "pgtestdatabase.h"
#include "protocol.h"
#include "server.h"
#include "storage/sqlitestorage.h"
#include "testclient.h"

#include <QHostAddress>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

// The server in-process on a free loopback port with a temporary database,
// and the clients a test connects to it. A test class derives from it and
// calls prepare() in its init(), adjusts m_options, then startServer().
// With TARVENIX_TEST_BACKEND=postgresql the database is one of its own on
// the tests' PostgreSQL instead, and the test is skipped without one.
class ServerFixture
{
protected:
    // A fresh database with the shipped maps (World is 1) and options for
    // them: any port, fast password hashing, no trusted address.
    void prepare();
    bool startServer();
    void stop();

    TestClient* connectClient(const QHostAddress& from = QHostAddress());
    TestClient* registered(const QString& nickname, const QHostAddress& from = QHostAddress());
    // Registers each nickname in turn; all null when one of them fails, so
    // that a test checks the first.
    template <class... Names> auto users(const Names&... names)
    {
        std::array<TestClient*, sizeof...(Names)> out{registered(QLatin1String(names))...};
        if (std::find(out.begin(), out.end(), nullptr) != out.end())
            out.fill(nullptr);
        return out;
    }
    // Stores the account with the password "secret" past the login, for
    // flags a registration does not set.
    bool storeAccount(Account account);
    TestClient* loggedIn(const Account& account);
    // A negative range admits every rating.
    static void requestGame(TestClient* creator, const GameOptions& options, int mapId = 1,
                            int ratingRange = -1);
    // Creates the game and waits for the creator's seat; the game's id, 0 on
    // failure.
    static int createGame(TestClient* creator, const GameOptions& options = {}, int mapId = 1,
                          int ratingRange = -1);
    // A game the creator leaves to robots before the watcher's eyes: creates
    // it, seats the robots, lets the watcher in, starts it and parts. The
    // game's id, 0 when a step fails.
    static int gameLeftToRobots(TestClient* creator, const QStringList& robots,
                                TestClient* watcher);
    // Drops the client's connection and waits until the server noticed.
    bool drop(TestClient* client);
    // Fails the test when a client received a message off the protocol
    // table.
    void dropClients();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PgTestDatabase> m_pg;
    ServerOptions m_options;
    std::unique_ptr<Server> m_server;
    std::vector<std::unique_ptr<TestClient>> m_clients;
};

namespace testutil {
QString dataDirectory();
// Starts the built server program on a free loopback port with the given
// database, the shipped maps and quick hashing, then the extra arguments;
// answers the port once it accepts connections, 0 when it does not. A
// given port names the server on a database several servers share: the
// same port takes up the saved games of the last run on it.
quint16 startServerProgram(QProcess& program, const QString& database,
                           const QStringList& extra = {}, quint16 port = 0);
// A map of the shipped data by its folder ("3-africa"); empty when missing.
MapData shippedMap(const QString& folder);
// Runs the statements on a database file past the server, one after the
// other; the first column of the last one's rows, nothing once one fails.
std::optional<QStringList> rawSql(const QString& path, const QStringList& statements);
} // namespace testutil
