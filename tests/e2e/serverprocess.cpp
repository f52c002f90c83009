#include "serverprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

namespace {

// Generous: the machine may be busy with builds while the tests run.
constexpr int StartTimeoutMs = 20000;

} // namespace

ServerProcess::ServerProcess(QObject* parent) : QObject(parent)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    connect(&m_process, &QProcess::readyReadStandardError, this, &ServerProcess::readLog);
}

ServerProcess::~ServerProcess()
{
    stop();
}

QString ServerProcess::program()
{
    QString dir = qEnvironmentVariable("TARVENIX_RUN_DIR");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath() + QStringLiteral("/../run");
    return QDir(dir).filePath(QStringLiteral("tarvenix-server"));
}

QString ServerProcess::databasePath() const
{
    return m_dir.filePath(QStringLiteral("server.db"));
}

bool ServerProcess::start(const Options& options, QString* error)
{
    if (!m_dir.isValid()) {
        *error = QStringLiteral("no temporary folder for the database");
        return false;
    }
    QStringList arguments = {QStringLiteral("--port"),
                             QStringLiteral("0"),
                             QStringLiteral("--db"),
                             databasePath(),
                             QStringLiteral("--fast-hashing"),
                             QStringLiteral("--trust"),
                             QStringLiteral("127.0.0.1"),
                             QStringLiteral("--robot-delay"),
                             QString::number(options.robotDelayMs),
                             QStringLiteral("--seed"),
                             QString::number(options.seed),
                             QStringLiteral("--rejoin-grace"),
                             QString::number(options.rejoinGraceSeconds)};
    arguments += options.extraArguments;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The log is what the tests read; nobody may switch it off around them.
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    m_process.setProcessEnvironment(environment);
    m_process.start(program(), arguments);
    if (!m_process.waitForStarted(StartTimeoutMs)) {
        *error = QStringLiteral("%1 does not start: %2").arg(program(), m_process.errorString());
        return false;
    }
    // Port 0 lets the system choose; the server says which port it got.
    static const QRegularExpression listening(QStringLiteral("listening on \\S+ port (\\d+)"));
    if (!waitForLine(listening, StartTimeoutMs)) {
        *error = QStringLiteral("the server did not start listening:\n%1").arg(m_log.join(u'\n'));
        return false;
    }
    for (const QString& line : std::as_const(m_log)) {
        const QRegularExpressionMatch match = listening.match(line);
        if (match.hasMatch())
            m_port = quint16(match.captured(1).toUInt());
    }
    return m_port != 0;
}

void ServerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    readLog();
}

QStringList ServerProcess::refusals() const
{
    static const QRegularExpression refused(QStringLiteral("\\brefus"));
    return m_log.filter(refused);
}

bool ServerProcess::waitForLine(const QRegularExpression& pattern, int timeoutMs)
{
    const auto seen = [this, &pattern] {
        for (const QString& line : std::as_const(m_log)) {
            if (pattern.match(line).hasMatch())
                return true;
        }
        return false;
    };
    return QTest::qWaitFor(seen, timeoutMs);
}

void ServerProcess::readLog()
{
    m_partial += m_process.readAllStandardError();
    qsizetype end;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_partial.left(end));
        m_partial.remove(0, end + 1);
        m_log.append(line);
        emit logged(line);
    }
}
