#include "commandline.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

// The options as main() reads them, and the real program asked for its help
// and version where no display exists.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void outcomes_data();
    void outcomes();
    void serverAndBanner_data();
    void serverAndBanner();
    void withoutDisplay_data();
    void withoutDisplay();
};

void TestCommandLine::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7"));
}

void TestCommandLine::outcomes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("text");
    const int before = int(CommandLine::Stage::BeforeApplication);
    const int after = int(CommandLine::Stage::AfterApplication);
    const int run = int(CommandLine::Outcome::Run);
    const int help = int(CommandLine::Outcome::Help);
    const int version = int(CommandLine::Outcome::Version);
    const int error = int(CommandLine::Outcome::Error);
    QTest::newRow("nothing") << QStringList() << before << run << QString();
    QTest::newRow("help") << QStringList{"--help"} << before << help << "--banner-url <url>";
    QTest::newRow("short help") << QStringList{"-h"} << before << help << "--server <host[:port]>";
    QTest::newRow("help beside a toolkit option")
        << QStringList{"-platform", "xcb", "--help"} << before << help << "--version";
    QTest::newRow("version") << QStringList{"--version"} << before << version << "tarvenix 9.8.7\n";
    QTest::newRow("toolkit option left for later")
        << QStringList{"-style", "fusion"} << before << run << QString();
    QTest::newRow("unknown option once the toolkit is done")
        << QStringList{"--bogus"} << after << error << "Unknown option 'bogus'.\n";
    QTest::newRow("server without its value")
        << QStringList{"--server"} << before << error << "Missing value after '--server'.\n";
    QTest::newRow("no server address") << QStringList{"--server", "host:99999"} << before << error
                                       << "Not a server address: host:99999\n";
}

void TestCommandLine::outcomes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, stage);
    QFETCH(int, outcome);
    QFETCH(QString, text);
    arguments.prepend(QStringLiteral("tarvenix"));
    const CommandLine commandLine(arguments, QString(), CommandLine::Stage(stage));
    QCOMPARE(int(commandLine.outcome()), outcome);
    if (commandLine.outcome() == CommandLine::Outcome::Help)
        QVERIFY2(commandLine.text().contains(text), qPrintable(commandLine.text()));
    else
        QCOMPARE(commandLine.text(), text);
}

void TestCommandLine::serverAndBanner_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QUrl>("banner");
    QTest::newRow("defaults") << QStringList() << QString() << "127.0.0.1" << 8822 << QUrl();
    QTest::newRow("variable") << QStringList() << "games.example:9000"
                              << "games.example" << 9000 << QUrl();
    QTest::newRow("option beats variable")
        << QStringList{"--server", "[::1]:7000"} << "games.example:9000"
        << "::1" << 7000 << QUrl();
    QTest::newRow("banner") << QStringList{"--banner-url", "banner.example/page"} << QString()
                            << "127.0.0.1" << 8822 << QUrl("http://banner.example/page");
}

void TestCommandLine::serverAndBanner()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, variable);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QUrl, banner);
    arguments.prepend(QStringLiteral("tarvenix"));
    const CommandLine commandLine(arguments, variable, CommandLine::Stage::AfterApplication);
    QCOMPARE(int(commandLine.outcome()), int(CommandLine::Outcome::Run));
    QCOMPARE(commandLine.server().host, host);
    QCOMPARE(int(commandLine.server().port), port);
    QCOMPARE(commandLine.bannerUrl(), banner);
}

void TestCommandLine::withoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: tarvenix [options]\n"
                          << QString();
    QTest::newRow("version") << QStringList{"--version"} << 0 << "tarvenix " << QString();
    QTest::newRow("wrong address")
        << QStringList{"--server", ":1"} << 2 << QString() << "Not a server address: :1";
}

void TestCommandLine::withoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
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
    program.setWorkingDirectory(qEnvironmentVariable("TARVENIX_RUN_DIR"));
    program.start(qEnvironmentVariable("TARVENIX_RUN_DIR") + QStringLiteral("/tarvenix"),
                  arguments);
    QVERIFY(program.waitForFinished(20000));
    const QString stdOut = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString stdErr = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY2(stdOut.startsWith(out), qPrintable(stdOut));
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err), qPrintable(stdErr));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
