#pragma once

#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

// The real tarvenix-server as a child process on a free loopback port, with
// a database of its own in a temporary folder and robots that move at once.
// The environment variable TARVENIX_SERVER_PROGRAM runs another build of the
// server, such as an installed one, in place of the build's own.
// Its log (standard error) is kept line by line, so a test can wait for what
// the server reports and check afterwards that it refused nothing.
class ServerProcess : public QObject
{
    Q_OBJECT

public:
    ServerProcess();
    // Stops the server as SIGTERM would on the command line.
    ~ServerProcess() override;

    // Starts the server with the seed for dealing, dice and robots and waits
    // until it listens; false with error() saying why when it does not.
    bool start(quint64 seed);
    const QString& error() const { return m_error; }

    quint16 port() const { return m_port; }
    const QStringList& log() const { return m_log; }
    // The log lines that report a refused connection, login or request.
    QStringList refusals() const;
    // Waits until a log line matches; the lines logged so far count.
    bool waitForLine(const QRegularExpression& pattern, int timeoutMs = 10000);

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QStringList m_log;
    QString m_error;
    quint16 m_port = 0;
};
