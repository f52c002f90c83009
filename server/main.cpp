#include "clientsession.h"
#include "server.h"
#include "serverlogging.h"
#include "serverpaths.h"

#include "datadirectories.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

int main(int argc, char* argv[])
{
    // Qt's own poll-based event dispatcher handles hundreds of sockets whose
    // write notifiers come and go with every message far more cheaply than
    // the GLib one, which walks a list per change.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix-server"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    qSetMessagePattern(
        QStringLiteral("%{time yyyy-MM-dd hh:mm:ss.zzz} %{if-warning}warning: %{endif}"
                       "%{if-critical}error: %{endif}%{message}"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The Tarvenix game server: accounts, lobby, chat and games."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption listenOption(
        QStringLiteral("listen"), QStringLiteral("Address to listen on (default 127.0.0.1)."),
        QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("TCP port (default 8822)."),
                                        QStringLiteral("n"), QStringLiteral("8822"));
    const QCommandLineOption dbOption(
        QStringLiteral("db"),
        QStringLiteral("SQLite database file, created on first start (default "
                       "tarvenix-server.db: in the working directory when the default maps are "
                       "beside the program, otherwise in $STATE_DIRECTORY or "
                       "~/.local/state/tarvenix-server)."),
        QStringLiteral("file"));
    const QCommandLineOption dataOption(
        QStringLiteral("data"),
        QStringLiteral("Directory holding maps/ with the default maps (default: the "
                       "program's directory, or the installed data directory)."),
        QStringLiteral("dir"));
    const QCommandLineOption membersOption(
        QStringLiteral("all-members"),
        QStringLiteral("New accounts become members (members chat, no banner)."));
    const QCommandLineOption fastHashOption(
        QStringLiteral("fast-hashing"),
        QStringLiteral("Hash passwords with Argon2id's minimum limits. For tests and "
                       "benchmarks only: such hashes are cheap to crack."));
    const QCommandLineOption trustOption(
        QStringLiteral("trust"),
        QStringLiteral("Exempt the address from the limits kept per address (connections, "
                       "failed logins, registrations); may be given more than once. For "
                       "tests and benchmarks that crowd one machine."),
        QStringLiteral("address"));
    const QCommandLineOption seedOption(
        QStringLiteral("seed"),
        QStringLiteral("Seed all randomness (dealing, dice, robots) for repeatable games."),
        QStringLiteral("n"));
    const QCommandLineOption robotDelayOption(
        QStringLiteral("robot-delay"),
        QStringLiteral("Milliseconds a robot waits before each move (default 600)."),
        QStringLiteral("ms"), QStringLiteral("600"));
    const QCommandLineOption graceOption(
        QStringLiteral("rejoin-grace"),
        QStringLiteral("Seconds a running game keeps the seat of a player whose connection "
                       "dropped (default 120)."),
        QStringLiteral("s"), QStringLiteral("120"));
    parser.addOptions({listenOption, portOption, dbOption, dataOption, membersOption,
                       fastHashOption, trustOption, seedOption, robotDelayOption, graceOption});
    parser.process(app);

    ServerOptions options;
    if (!options.listenAddress.setAddress(parser.value(listenOption))) {
        qCritical("--listen: not an address: %s", qPrintable(parser.value(listenOption)));
        return 2;
    }
    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        qCritical("--port: not a port number: %s", qPrintable(parser.value(portOption)));
        return 2;
    }
    options.port = quint16(port);
    const QString programDirectory = QCoreApplication::applicationDirPath();
    const ServerPaths paths = ServerPaths::choose(
        {programDirectory, DataDirectories::installedDataDirectory(programDirectory),
         parser.value(dataOption), parser.value(dbOption), qEnvironmentVariable("STATE_DIRECTORY"),
         ServerPaths::userStateDirectory()});
    if (!paths.createDirectory.isEmpty() && !QFileInfo::exists(paths.createDirectory)) {
        // The database holds the password hashes: the directory is the user's alone.
        if (!QDir().mkpath(paths.createDirectory) ||
            !QFile::setPermissions(paths.createDirectory, QFileDevice::ReadOwner |
                                                              QFileDevice::WriteOwner |
                                                              QFileDevice::ExeOwner)) {
            qCritical("cannot create %s", qPrintable(paths.createDirectory));
            return 1;
        }
    }
    options.databasePath = paths.databasePath;
    options.dataDirectory = paths.dataDirectory;
    options.newAccountsAreMembers = parser.isSet(membersOption);
    options.fastPasswordHashing = parser.isSet(fastHashOption);
    for (const QString& trusted : parser.values(trustOption)) {
        QHostAddress address;
        if (!address.setAddress(trusted)) {
            qCritical("--trust: not an address: %s", qPrintable(trusted));
            return 2;
        }
        options.trustedAddresses.append(ClientSession::addressOf(address));
    }
    if (parser.isSet(seedOption)) {
        bool ok = false;
        options.seed = parser.value(seedOption).toULongLong(&ok);
        if (!ok) {
            qCritical("--seed: not a number: %s", qPrintable(parser.value(seedOption)));
            return 2;
        }
    }
    bool delayOk = false;
    options.robotDelayMs = parser.value(robotDelayOption).toInt(&delayOk);
    bool graceOk = false;
    const int grace = parser.value(graceOption).toInt(&graceOk);
    if (!delayOk || options.robotDelayMs < 0 || !graceOk || grace < 0 || grace > 86400) {
        qCritical("--robot-delay and --rejoin-grace take a number of milliseconds and seconds");
        return 2;
    }
    options.rejoinGraceMs = grace * 1000;

    // Every client is a descriptor; the usual soft limit of 1024 would cap
    // the server well below its client limit.
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }

    Server server(options);
    QString error;
    if (!server.start(&error)) {
        qCritical("%s", qPrintable(error));
        return 1;
    }

    // SIGINT and SIGTERM tell the clients the server is closing, give their
    // sockets a moment to flush, then quit.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [&server, notifier] {
            char byte;
            [[maybe_unused]] const auto n = ::read(signalPipe[0], &byte, 1);
            notifier->setEnabled(false);
            qCInfo(lcServer) << "shutting down";
            server.shutdown();
            QTimer::singleShot(500, qApp, &QCoreApplication::quit);
        });
        std::signal(SIGINT, onSignal);
        std::signal(SIGTERM, onSignal);
    }
    return app.exec();
}
