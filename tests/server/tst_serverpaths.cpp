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

    const auto row = [](const char* name, const char* program, const char* dataOption,
                        const char* dbOption, const char* stateDirectory, const char* data,
                        const char* database, bool create) {
        QTest::newRow(name) << QString::fromLatin1(program) << QString::fromLatin1(dataOption)
                            << QString::fromLatin1(dbOption) << QString::fromLatin1(stateDirectory)
                            << QString::fromLatin1(data) << QString::fromLatin1(database) << create;
    };
    const char* installed = "usr/share/games/tarvenix";
    const char* home = "/home/ann/.local/state/tarvenix-server/tarvenix-server.db";
    const char* service = "/var/lib/tarvenix-server/tarvenix-server.db";
    row("build run folder", "run", "", "", "", "run", "tarvenix-server.db", false);
    row("installed, by hand", "usr/games", "", "", "", installed, home, true);
    row("installed, service", "usr/games", "", "", "/var/lib/tarvenix-server", installed, service,
        false);
    row("service with several state directories", "usr/games", "", "",
        "/var/lib/tarvenix-server:/var/lib/other", installed, service, false);
    row("told where", "usr/games", "/srv/maps", "/srv/games.db", "/var/lib/tarvenix-server",
        "/srv/maps", "/srv/games.db", false);
    row("relative database as given", "usr/games", "", "my.db", "", installed, "my.db", false);
    // A program neither beside maps nor installed keeps today's defaults.
    row("a lone program", "usr", "", "", "", "usr", home, true);
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
