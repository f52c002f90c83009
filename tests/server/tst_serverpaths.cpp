#include "serverpaths.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Where the server takes its default maps and keeps its database when the
// command line does not say: a build's run folder, an installation started
// by hand, and the service under systemd.
class TestServerPaths : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void choose_data();
    void choose();
    void userStateDirectory();

private:
    QTemporaryDir m_dir;
};

void TestServerPaths::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("run/maps/1-World"))));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("usr/games"))));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("usr/share/games/tarvenix/maps/1-World"))));
}

void TestServerPaths::choose_data()
{
    // Directories relative to the scratch folder; "" for none given.
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("dataOption");
    QTest::addColumn<QString>("dbOption");
    QTest::addColumn<QString>("stateDirectory");
    QTest::addColumn<QString>("expectedData");
    QTest::addColumn<QString>("expectedDatabase"); // absolute, or as given
    QTest::addColumn<bool>("create");

    const QString installed = QStringLiteral("usr/share/games/tarvenix");
    const QString home = QStringLiteral("/home/ann/.local/state/tarvenix-server");
    QTest::newRow("build run folder") << "run"
                                      << ""
                                      << ""
                                      << ""
                                      << "run"
                                      << "tarvenix-server.db" << false;
    QTest::newRow("installed, by hand")
        << "usr/games"
        << ""
        << ""
        << "" << installed << home + QStringLiteral("/tarvenix-server.db") << true;
    QTest::newRow("installed, service") << "usr/games"
                                        << ""
                                        << ""
                                        << "/var/lib/tarvenix-server" << installed
                                        << "/var/lib/tarvenix-server/tarvenix-server.db" << false;
    QTest::newRow("service with several state directories")
        << "usr/games"
        << ""
        << ""
        << "/var/lib/tarvenix-server:/var/lib/other" << installed
        << "/var/lib/tarvenix-server/tarvenix-server.db" << false;
    QTest::newRow("told where") << "usr/games"
                                << "/srv/maps"
                                << "/srv/games.db"
                                << "/var/lib/tarvenix-server"
                                << "/srv/maps"
                                << "/srv/games.db" << false;
    QTest::newRow("relative database as given") << "usr/games"
                                                << ""
                                                << "my.db"
                                                << "" << installed << "my.db" << false;
    // A program neither beside maps nor installed keeps today's defaults.
    QTest::newRow("a lone program")
        << "usr"
        << ""
        << ""
        << ""
        << "usr" << home + QStringLiteral("/tarvenix-server.db") << true;
}

void TestServerPaths::choose()
{
    QFETCH(QString, program);
    QFETCH(QString, dataOption);
    QFETCH(QString, dbOption);
    QFETCH(QString, stateDirectory);
    QFETCH(QString, expectedData);
    QFETCH(QString, expectedDatabase);
    QFETCH(bool, create);

    const QString installed = m_dir.filePath(QStringLiteral("usr/share/games/tarvenix"));
    const QString userState = QStringLiteral("/home/ann/.local/state/tarvenix-server");
    const ServerPaths paths = ServerPaths::choose(
        {m_dir.filePath(program), program == QLatin1String("usr/games") ? installed : QString(),
         dataOption, dbOption, stateDirectory, userState});
    QCOMPARE(paths.dataDirectory,
             QDir::isAbsolutePath(expectedData) ? expectedData : m_dir.filePath(expectedData));
    QCOMPARE(paths.databasePath, expectedDatabase);
    QCOMPARE(paths.createDirectory, create ? userState : QString());
}

void TestServerPaths::userStateDirectory()
{
    qputenv("XDG_STATE_HOME", "/var/tmp/state");
    QCOMPARE(ServerPaths::userStateDirectory(), QStringLiteral("/var/tmp/state/tarvenix-server"));
    // A relative XDG_STATE_HOME is to be ignored.
    qputenv("XDG_STATE_HOME", "state");
    QCOMPARE(ServerPaths::userStateDirectory(),
             QDir::homePath() + QStringLiteral("/.local/state/tarvenix-server"));
    qunsetenv("XDG_STATE_HOME");
    QCOMPARE(ServerPaths::userStateDirectory(),
             QDir::homePath() + QStringLiteral("/.local/state/tarvenix-server"));
}

QTEST_GUILESS_MAIN(TestServerPaths)
#include "tst_serverpaths.moc"
