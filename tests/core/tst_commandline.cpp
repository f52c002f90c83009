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
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << before << help
                          << QStringLiteral("--banner-url <url>");
    QTest::newRow("short help") << QStringList{QStringLiteral("-h")} << before << help
                                << QStringLiteral("--server <host[:port]>");
    QTest::newRow("help beside a toolkit option")
        << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--help")}
        << before << help << QStringLiteral("--version");
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << before << version
                             << QStringLiteral("tarvenix 9.8.7\n");
    QTest::newRow("toolkit option left for later")
        << QStringList{QStringLiteral("-style"), QStringLiteral("fusion")} << before << run
        << QString();
    QTest::newRow("unknown option once the toolkit is done")
        << QStringList{QStringLiteral("--bogus")} << after << error
        << QStringLiteral("Unknown option 'bogus'.\n");
    QTest::newRow("server without its value")
        << QStringList{QStringLiteral("--server")} << before << error
        << QStringLiteral("Missing value after '--server'.\n");
    QTest::newRow("no server address")
        << QStringList{QStringLiteral("--server"), QStringLiteral("host:99999")} << before << error
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
        << QStringList{QStringLiteral("--server"), QStringLiteral("[::1]:7000")}
        << QStringLiteral("games.example:9000") << "::1" << 7000 << QUrl();
    QTest::newRow("banner") << QStringList{QStringLiteral("--banner-url"),
                                           QStringLiteral("banner.example/page")}
                            << QString() << QStringLiteral("127.0.0.1") << 8822
                            << QUrl(QStringLiteral("http://banner.example/page"));
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
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0
                          << QStringLiteral("Usage: tarvenix [options]\n") << QString();
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                             << QStringLiteral("tarvenix ") << QString();
    QTest::newRow("wrong address") << QStringList{QStringLiteral("--server"), QStringLiteral(":1")}
                                   << 2 << QString() << QStringLiteral("Not a server address: :1");
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
