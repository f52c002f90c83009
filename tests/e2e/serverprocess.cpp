#include "serverprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include <algorithm>

// Generous: the machine may be busy with builds while the tests run.
constexpr int StartTimeoutMs = 20000;

ServerProcess::ServerProcess()
{
    m_process.setStandardOutputFile(QProcess::nullDevice());
    connect(&m_process, &QProcess::readyReadStandardError, this, &ServerProcess::readLog);
}

ServerProcess::~ServerProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(5000);
}

bool ServerProcess::start(quint64 seed, QString* error)
{
    QString runDir = qEnvironmentVariable("TARVENIX_RUN_DIR");
    if (runDir.isEmpty())
        runDir = QCoreApplication::applicationDirPath() + QStringLiteral("/../run");
    const QString program = QDir(runDir).filePath(QStringLiteral("tarvenix-server"));
    // Port 0 lets the system choose; the server says which port it got.
    const QStringList arguments =
        QStringLiteral("--fast-hashing --trust 127.0.0.1 --robot-delay 0 --port 0 --seed")
            .split(u' ')
        << QString::number(seed) << QStringLiteral("--db")
        << m_dir.filePath(QStringLiteral("server.db"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The log is what the tests read; nobody may switch it off around them.
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    m_process.setProcessEnvironment(environment);
    m_process.start(program, arguments);
    if (!m_dir.isValid() || !m_process.waitForStarted(StartTimeoutMs)) {
        *error = QStringLiteral("%1 does not start: %2").arg(program, m_process.errorString());
        return false;
    }
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

QStringList ServerProcess::refusals() const
{
    static const QRegularExpression refused(QStringLiteral("\\brefus"));
    return m_log.filter(refused);
}

bool ServerProcess::waitForLine(const QRegularExpression& pattern, int timeoutMs)
{
    return QTest::qWaitFor(
        [this, &pattern] {
            return std::any_of(m_log.cbegin(), m_log.cend(), [&pattern](const QString& line) {
                return pattern.match(line).hasMatch();
            });
        },
        timeoutMs);
}

void ServerProcess::readLog()
{
    m_partial += m_process.readAllStandardError();
    qsizetype end;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        m_log.append(QString::fromUtf8(m_partial.left(end)));
        m_partial.remove(0, end + 1);
    }
}
