// tarvenixctl: sends one command to a running tarvenix-server through its
// admin socket and prints the answer. Exit codes: 0 done, 1 refused (the
// reason on standard error), 2 no server.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocalSocket>

#include <cstdio>

namespace {

constexpr int Done = 0;
constexpr int Refused = 1;
constexpr int NoServer = 2;
// A shutdown's countdown or a reload answers at once; a server that takes
// longer is stuck.
constexpr int AnswerTimeoutMs = 10'000;

QString defaultSocket()
{
    const QString fromEnvironment = qEnvironmentVariable("TARVENIX_ADMIN_SOCKET");
    return fromEnvironment.isEmpty() ? QStringLiteral("/run/tarvenix-server/admin.sock")
                                     : fromEnvironment;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvenixctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Administers a running Tarvenix server through its admin socket.\n\n"
        "Commands:\n"
        "  users                        the users logged in\n"
        "  games                        the games, waiting and running\n"
        "  kick NICK                    closes the user's connection, telling him\n"
        "  ban NICK on|off              refuses the account's logins (and kicks it)\n"
        "  member NICK on|off           makes the account a member or not\n"
        "  admin NICK on|off            makes the account an administrator or not\n"
        "  say TEXT                     a line from the server to every user\n"
        "  shutdown SECONDS [REASON]    counts down to every user, then stops the server\n"
        "  shutdown cancel              calls a countdown off\n"
        "  reload                       reads the configuration file again\n\n"
        "Exit status: 0 done, 1 refused, 2 no server."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption socketOption(
        QStringLiteral("socket"),
        QStringLiteral("The server's admin socket (default $TARVENIX_ADMIN_SOCKET or "
                       "/run/tarvenix-server/admin.sock)."),
        QStringLiteral("path"), defaultSocket());
    parser.addOption(socketOption);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command and its "
                                                                           "arguments."));
    parser.process(app);
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return Refused;
    }
    const QString path = parser.value(socketOption);

    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(3000)) {
        std::fprintf(stderr, "tarvenixctl: no server at %s: %s\n", qPrintable(path),
                     qPrintable(socket.errorString()));
        return NoServer;
    }
    socket.write(words.join(QLatin1Char(' ')).toUtf8().replace('\n', ' ') + '\n');
    socket.flush();

    // The answer: a status line, its lines, an empty line.
    QList<QByteArray> lines;
    QByteArray buffer;
    while (lines.isEmpty() || !lines.last().isEmpty()) {
        if (!socket.canReadLine()) {
            if (socket.state() != QLocalSocket::ConnectedState ||
                !socket.waitForReadyRead(AnswerTimeoutMs)) {
                if (!socket.canReadLine()) {
                    std::fprintf(stderr, "tarvenixctl: the server at %s did not answer\n",
                                 qPrintable(path));
                    return NoServer;
                }
            }
            continue;
        }
        QByteArray line = socket.readLine();
        line.chop(1);
        lines.append(line);
    }
    socket.disconnectFromServer();
    const QByteArray status = lines.takeFirst();
    lines.removeLast();
    for (const QByteArray& line : std::as_const(lines))
        std::printf("%s\n", line.constData());
    if (status == "ok")
        return Done;
    std::fprintf(stderr, "tarvenixctl: %s\n", status.constData());
    return Refused;
}
