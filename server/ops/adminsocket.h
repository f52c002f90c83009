#pragma once

#include <QLocalServer>
#include <QObject>
#include <QSet>
#include <QString>

class AdminCommands;
class QLocalSocket;

// The local channel tarvenixctl talks through: a Unix socket the server's
// own user alone may open (mode 0600, and the peer's user checked), never
// a network port. A command is a line; its answer is a status line ("ok"
// or "refused: REASON"), the answer's lines, and an empty line. A command
// that waits for the database holds back the connection's next ones, so
// that the answers come in the order of the commands.
class AdminSocket : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 MaxLineLength = 4096;

    AdminSocket(AdminCommands& commands, QObject* parent = nullptr);
    ~AdminSocket() override;

    // Replaces a socket file left over by a server that is gone; refuses
    // one a running server answers on.
    bool listen(const QString& path, QString* error);
    QString path() const { return m_server.fullServerName(); }

private:
    void accept();
    void readLines(QLocalSocket* socket);

    AdminCommands& m_commands;
    // Connections whose command waits for its answer; before the server,
    // whose connections leave it as they go.
    QSet<const QObject*> m_waiting;
    QLocalServer m_server;
};
