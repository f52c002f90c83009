#include "adminsocket.h"

#include "admincommands.h"
#include "serverlogging.h"

#include <QFile>
#include <QLocalSocket>
#include <QPointer>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// The user at the other end of a Unix socket, or -1.
long peerUser(qintptr descriptor)
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return -1;
    return long(credentials.uid);
}

} // namespace

AdminSocket::AdminSocket(AdminCommands& commands, QObject* parent)
    : QObject(parent), m_commands(commands)
{
    // Made in a private directory and given its mode before it is moved
    // into place, so that nobody else can connect in between.
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &AdminSocket::accept);
}

AdminSocket::~AdminSocket()
{
    m_server.close();
}

bool AdminSocket::listen(const QString& path, QString* error)
{
    if (QFile::exists(path)) {
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(500)) {
            *error = QStringLiteral("admin socket %1: another server answers on it").arg(path);
            return false;
        }
        QLocalServer::removeServer(path);
    }
    if (!m_server.listen(path)) {
        *error = QStringLiteral("admin socket %1: %2").arg(path, m_server.errorString());
        return false;
    }
    // Read and write for the owner only; connecting needs write access.
    QFile::setPermissions(m_server.fullServerName(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    qCInfo(lcServer).noquote() << "admin socket" << m_server.fullServerName();
    return true;
}

void AdminSocket::accept()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        const long user = peerUser(socket->socketDescriptor());
        // The mode keeps others out already; the peer's user is checked as
        // well in case the file's mode was changed.
        if (user != long(::geteuid()) && user != 0) {
            qCWarning(lcServer) << "admin socket: refused a connection of user" << user;
            socket->write("refused: not the server's user\n\n");
            socket->disconnectFromServer();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readLines(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this,
                [this](const QObject* gone) { m_waiting.remove(gone); });
    }
}

void AdminSocket::readLines(QLocalSocket* socket)
{
    // The lines after a command that waits are read once it is answered.
    if (m_waiting.contains(socket))
        return;
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(MaxLineLength + 1);
        if (!line.endsWith('\n')) {
            socket->write("refused: line too long\n\n");
            socket->disconnectFromServer();
            return;
        }
        m_waiting.insert(socket);
        auto running = std::make_shared<bool>(true);
        m_commands.run(QString::fromUtf8(line), [this, guard = QPointer(socket),
                                                 running](const AdminCommands::Reply& reply) {
            if (!guard)
                return;
            QByteArray out = reply.done
                                 ? QByteArray("ok\n")
                                 : "refused: " + reply.reason.toUtf8().replace('\n', ' ') + '\n';
            for (const QString& l : reply.lines)
                out += l.toUtf8().replace('\n', ' ') + '\n';
            out += '\n';
            guard->write(out);
            m_waiting.remove(guard.data());
            if (!*running)
                readLines(guard);
        });
        *running = false;
        if (m_waiting.contains(socket))
            return;
    }
    if (socket->bytesAvailable() > MaxLineLength) {
        socket->write("refused: line too long\n\n");
        socket->disconnectFromServer();
    }
}
