#pragma once

#include "serveroptions.h"

#include <QCommandLineOption>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

// What the server program runs with: the server's own options and the
// program's operator channels around it.
struct ServiceSettings
{
    ServiceSettings();

    ServerOptions server;
    // The local socket tarvenixctl talks to; none when empty.
    QString adminSocket;
    // Where /metrics and /ready are served; off while the port is 0.
    QHostAddress metricsAddress = QHostAddress::LocalHost;
    quint16 metricsPort = 0;
};

// The server's settings from three places, each over the one before: the
// built-in defaults, an INI file (--config FILE, read by QSettings) and the
// command line. A file with a line that cannot be used is refused whole,
// naming the line. Reading again (SIGHUP, the admin's reload) gives the
// settings a running server may take over, and names what changed.
class ServerConfig
{
public:
    ServerConfig();

    // Adds every option of the program to the parser (besides --help and
    // --version).
    void addOptions(QCommandLineParser& parser) const;
    // Takes the parsed command line; false, with the reason, when an option
    // has a value it cannot use.
    bool setCommandLine(const QCommandLineParser& parser, QString* error);
    // Reads the file, if any, and lays the command line over it.
    std::optional<ServiceSettings> load(QString* error) const;
    const QString& configFile() const { return m_configFile; }

    // Lines naming every setting that differs, as "key: old -> new"; those
    // a running server cannot take over are marked so.
    static QStringList changes(const ServiceSettings& from, const ServiceSettings& to);
    // The settings of `to` a running server takes over; the others stay as
    // in `running`.
    static ServerOptions reloadable(const ServerOptions& running, const ServerOptions& to);

    // The settings the file may hold, "section/key", in the order of the
    // example file.
    static QStringList keys();

private:
    struct Flag
    {
        int row;
        QString value;
    };

    QString m_configFile;
    QList<Flag> m_flags;
    bool m_fastHashing = false;
    std::optional<std::uint64_t> m_seed;
};
