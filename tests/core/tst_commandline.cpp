#include "commandline.h"
#include "serveraddress.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

namespace {

// The program's name and the arguments, given as one line split at blanks.
QStringList arguments(const QString& line)
{
    return QStringList{QStringLiteral("tarvenix")} +
           line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

// The options as main() reads them with the server address among them, and
// the real program asked for its help and version where no display exists.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void serverAddress_data();
    void serverAddress();
    void outcomes_data();
    void outcomes();
    void withoutDisplay_data();
    void withoutDisplay();
};

void TestCommandLine::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7"));
}

void TestCommandLine::serverAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    // No host is a refusal.
    const auto row = [](const char* name, const char* text, const char* host, int port) {
        QTest::newRow(name) << QString::fromLatin1(text) << QString::fromLatin1(host) << port;
    };
    row("host only", "game.example.org", "game.example.org", 8822);
    row("blanks around", "  localhost:1 ", "localhost", 1);
    row("bracketed v6", "[::1]:8000", "::1", 8000);
    row("bracketed v6 without port", "[fe80::1]", "fe80::1", 8822);
    row("port zero", "host:0", nullptr, 0);
    row("port too big", "host:65536", nullptr, 0);
    row("empty host", ":8822", nullptr, 0);
    row("unclosed bracket", "[::1:80", nullptr, 0);
    row("junk after bracket", "[::1]x", nullptr, 0);
}

void TestCommandLine::serverAddress()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    ServerAddress address{QStringLiteral("unchanged"), 1};
    QCOMPARE(ServerAddress::parse(text, 8822, &address), !host.isEmpty());
    QCOMPARE(address.host, host.isEmpty() ? QStringLiteral("unchanged") : host);
    QCOMPARE(int(address.port), host.isEmpty() ? 1 : port);
}

void TestCommandLine::outcomes_data()
{
    using Outcome = CommandLine::Outcome;
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<bool>("afterApplication");
    QTest::addColumn<Outcome>("outcome");
    // The help holds this text; a run is the server and the banner's address.
    QTest::addColumn<QString>("text");
    QTest::newRow("help") << "--help" << QString() << false << Outcome::Help
                          << "--banner-url <url>";
    QTest::newRow("help beside a toolkit option") << "-platform xcb --help" << QString() << false
                                                  << Outcome::Help << "--server <host[:port]>";
    QTest::newRow("version") << "--version" << QString() << false << Outcome::Version
                             << "tarvenix 9.8.7\n";
    QTest::newRow("toolkit option left for later")
        << "-style fusion" << QString() << false << Outcome::Run << "127.0.0.1:8822 ";
    QTest::newRow("unknown option once the toolkit is done")
        << "--bogus" << QString() << true << Outcome::Error << "Unknown option 'bogus'.\n";
    QTest::newRow("server without its value") << "--server" << QString() << false << Outcome::Error
                                              << "Missing value after '--server'.\n";
    QTest::newRow("no server address") << "--server host:99999" << QString() << false
                                       << Outcome::Error << "Not a server address: host:99999\n";
    QTest::newRow("server from the variable")
        << ""
        << "games.example:9000" << true << Outcome::Run << "games.example:9000 ";
    QTest::newRow("option beats variable")
        << "--server [::1]:7000"
        << "games.example:9000" << true << Outcome::Run << "::1:7000 ";
    QTest::newRow("banner") << "--banner-url banner.example/page" << QString() << true
                            << Outcome::Run << "127.0.0.1:8822 http://banner.example/page";
}

void TestCommandLine::outcomes()
{
    QFETCH(QString, line);
    QFETCH(QString, variable);
    QFETCH(bool, afterApplication);
    QFETCH(CommandLine::Outcome, outcome);
    QFETCH(QString, text);
    const CommandLine commandLine(arguments(line), variable,
                                  afterApplication ? CommandLine::Stage::AfterApplication
                                                   : CommandLine::Stage::BeforeApplication);
    QCOMPARE(commandLine.outcome(), outcome);
    if (outcome == CommandLine::Outcome::Help)
        QVERIFY2(commandLine.text().contains(text), qPrintable(commandLine.text()));
    else if (outcome == CommandLine::Outcome::Run)
        QCOMPARE(QStringLiteral("%1:%2 %3")
                     .arg(commandLine.server().host)
                     .arg(commandLine.server().port)
                     .arg(commandLine.bannerUrl().toString()),
                 text);
    else
        QCOMPARE(commandLine.text(), text);
}

void TestCommandLine::withoutDisplay_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << "--help" << 0 << "Usage: tarvenix [options]\n" << QString();
    QTest::newRow("wrong address") << "--server :1" << 2 << QString() << "Not a server address: :1";
}

void TestCommandLine::withoutDisplay()
{
    QFETCH(QString, line);
    QFETCH(QString, out);
    QFETCH(QString, err);
    // The X11 platform with no display to reach aborts the program once the
    // application object is made: only an answer given before it gets out.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess program;
    program.setProcessEnvironment(environment);
    const QString runDir = qEnvironmentVariable("TARVENIX_RUN_DIR");
    program.setWorkingDirectory(runDir);
    program.start(runDir + QStringLiteral("/tarvenix"), arguments(line).mid(1));
    QVERIFY(program.waitForFinished(20000));
    const QString stdOut = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString stdErr = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QTEST(program.exitCode(), "exitCode");
    QVERIFY2(stdOut.startsWith(out), qPrintable(stdOut));
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err), qPrintable(stdErr));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
