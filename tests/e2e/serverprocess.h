#pragma once

#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>

// The real tarvenix-server as a child process on a free loopback port, with
// a database of its own in a temporary folder. Its log (standard error) is
// kept line by line, so a test can wait for what the server reports and
// check afterwards that it refused nothing.
class ServerProcess : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        std::uint64_t seed = 1;
        int robotDelayMs = 0;
        int rejoinGraceSeconds = 120;
        QStringList extraArguments;
    };

    explicit ServerProcess(QObject* parent = nullptr);
    // Stops the server as SIGTERM would on the command line.
    ~ServerProcess() override;

    // The server program beside the client in the run directory.
    static QString program();

    // Starts the server and waits until it listens; false with the reason
    // when it does not come up.
    bool start(const Options& options, QString* error);
    void stop();

    quint16 port() const { return m_port; }
    qint64 pid() const { return m_process.processId(); }
    QString databasePath() const;
    const QStringList& log() const { return m_log; }
    // The log lines that report a refused connection, login or request.
    QStringList refusals() const;
    // Waits until a log line matches; the lines logged so far count.
    bool waitForLine(const QRegularExpression& pattern, int timeoutMs);

signals:
    void logged(const QString& line);

private:
    void readLog();

    QTemporaryDir m_dir;
    QProcess m_process;
    QByteArray m_partial;
    QStringList m_log;
    quint16 m_port = 0;
};
