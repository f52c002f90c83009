#include "serverprocess.h"

#include <QCoreApplication>
#include <QTest>

// Generous: the machine may be busy with builds while the tests run.
constexpr int StartTimeoutMs = 20000;

ServerProcess::ServerProcess()
{
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setReadChannel(QProcess::StandardError);
    connect(&m_process, &QProcess::readyReadStandardError, this, [this] {
        while (m_process.canReadLine())
            m_log.append(QString::fromUtf8(m_process.readLine()).chopped(1));
    });
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

bool ServerProcess::start(quint64 seed)
{
    // Beside the tests' folder, or the same folder for a program in it;
    // TARVENIX_SERVER_PROGRAM names another, such as an installed one.
    QString program = qEnvironmentVariable("TARVENIX_SERVER_PROGRAM");
    if (program.isEmpty())
        program =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../run/tarvenix-server");
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
    // The server finds its maps beside itself or in its installation, never
    // in the directory it starts in: it starts in its own empty folder.
    m_process.setWorkingDirectory(m_dir.path());
    m_process.start(program, arguments);
    static const QRegularExpression listening(QStringLiteral("listening on \\S+ port (\\d+)"));
    if (!m_dir.isValid() || !m_process.waitForStarted(StartTimeoutMs) ||
        !waitForLine(listening, StartTimeoutMs)) {
        m_error = QStringLiteral("%1 did not start listening (%2):\n%3")
                      .arg(program, m_process.errorString(), m_log.join(u'\n'));
        return false;
    }
    m_port = quint16(listening.match(m_log.filter(listening).first()).captured(1).toUInt());
    return true;
}

QStringList ServerProcess::refusals() const
{
    static const QRegularExpression refused(QStringLiteral("\\brefus"));
    return m_log.filter(refused);
}

bool ServerProcess::waitForLine(const QRegularExpression& pattern, int timeoutMs)
{
    return QTest::qWaitFor([&] { return !m_log.filter(pattern).isEmpty(); }, timeoutMs);
}
