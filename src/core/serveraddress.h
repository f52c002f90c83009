#pragma once

#include <QString>

// A game server's host and port as given on the command line or in the
// environment: "host", "host:port", "[v6-address]" or "[v6-address]:port".
struct ServerAddress
{
    QString host;
    quint16 port = 0;

    // False for an empty host or a port outside 1..65535; defaultPort is used
    // when the text names none.
    static bool parse(const QString& text, quint16 defaultPort, ServerAddress* address);
};
