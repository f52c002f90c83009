#pragma once

#include <QHostAddress>
#include <QString>

// Everything the server can be told at start; main() fills it from the command
// line, the tests fill it directly to get a free port, a temporary database and
// short keep-alive intervals.
struct ServerOptions
{
    QHostAddress listenAddress = QHostAddress::LocalHost;
    // 0 lets the system pick a free port (the tests do).
    quint16 port = 8822;
    QString databasePath = QStringLiteral("tarvenix-server.db");
    // Holds maps/<id>-<name>/{map.json,index.gz}, the default (popular) maps.
    QString dataDirectory;

    int keepAliveIntervalMs = 30'000;
    int idleTimeoutMs = 90'000;
    // Unsent output beyond this marks a client as too slow to keep.
    qint64 maxQueuedOutput = 1024 * 1024;
    int maxClients = 2000;

    // Argon2id at its interactive limits costs about 64 MiB and a tenth of a
    // second per hash; the test suite and the load generator switch to the
    // library's minimum limits so hundreds of logins stay quick.
    bool fastPasswordHashing = false;
    bool newAccountsAreMembers = false;
};
