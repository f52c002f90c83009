#include "ops/serverconfig.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A setting as text, read from where the server takes it.
using Read = std::function<QString(const ServiceSettings&)>;

template <typename T> Read option(T ServerOptions::*field)
{
    return [field](const ServiceSettings& s) {
        const T& v = s.server.*field;
        if constexpr (std::is_arithmetic_v<T>)
            return QString::number(v);
        else if constexpr (std::is_same_v<T, QHostAddress>)
            return v.toString();
        else if constexpr (std::is_same_v<T, QStringList>)
            return v.join(u' ');
        else
            return QString(v);
    };
}

} // namespace

// The settings as the program reads them: defaults, the INI file, the
// command line over it, and what a reload may change.
class TestServerConfig : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void everySettingReadAndOverridden_data();
    void everySettingReadAndOverridden();
    void defaultsWithoutFile();
    void refused_data();
    void refused();
    void reloadTakesOnlyWhatCanChange();
    void shippedExampleIsTheDefaults();

private:
    // Parses the arguments (the program's name first is added) with a file
    // of `ini`, if given; the settings or the error.
    std::optional<ServiceSettings> load(QStringList arguments, const QByteArray& ini = {},
                                        QString* error = nullptr);

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_files = 0;
};

void TestServerConfig::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

std::optional<ServiceSettings> TestServerConfig::load(QStringList arguments, const QByteArray& ini,
                                                      QString* error)
{
    if (!ini.isNull()) {
        // A file of its own each time: QSettings keeps what it read of a
        // path while the file looks unchanged.
        const QString path = m_dir->filePath(QStringLiteral("%1/server.ini").arg(++m_files));
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(ini) != ini.size())
            return std::nullopt;
        arguments.prepend(path);
        arguments.prepend(QStringLiteral("--config"));
    }
    arguments.prepend(QStringLiteral("tarvenix-server"));
    ServerConfig config;
    QCommandLineParser parser;
    config.addOptions(parser);
    QString why;
    if (!parser.parse(arguments)) {
        why = parser.errorText();
    } else if (config.setCommandLine(parser, &why)) {
        if (std::optional<ServiceSettings> settings = config.load(&why))
            return settings;
    }
    if (error)
        *error = why;
    return std::nullopt;
}

void TestServerConfig::everySettingReadAndOverridden_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("fileValue");
    QTest::addColumn<QStringList>("flag");
    QTest::addColumn<Read>("read");
    QTest::addColumn<QString>("fromFile");
    QTest::addColumn<QString>("fromFlag");

    const auto row = [](const char* section, const char* key, const char* fileValue,
                        const char* flag, Read read, const char* fromFile, const char* fromFlag) {
        QTest::addRow("%s/%s", section, key)
            << QString::fromLatin1(section) << QString::fromLatin1(key)
            << QString::fromLatin1(fileValue) << QString::fromLatin1(flag).split(u' ') << read
            << QString::fromLatin1(fromFile) << QString::fromLatin1(fromFlag);
    };
    using O = ServerOptions;
    row("network", "listen", "0.0.0.0", "--listen ::1", option(&O::listenAddress), "0.0.0.0",
        "::1");
    row("network", "port", "9000", "--port 9001", option(&O::port), "9000", "9001");
    row("network", "metrics", "0.0.0.0:9100", "--metrics [::1]:9101",
        Read([](const ServiceSettings& s) {
            return s.metricsAddress.toString() + u' ' + QString::number(s.metricsPort);
        }),
        "0.0.0.0 9100", "::1 9101");
    row("network", "admin-socket", "/run/a.sock", "--admin-socket /tmp/b.sock",
        Read([](const ServiceSettings& s) { return s.adminSocket; }), "/run/a.sock", "/tmp/b.sock");
    row("storage", "database", "/var/lib/x.db", "--db y.db", option(&O::databasePath),
        "/var/lib/x.db", "y.db");
    row("storage", "save-games", "no", "--save-games", option(&O::saveRunningGames), "0", "1");
    row("storage", "data", "/usr/share/x", "--data /opt/y", option(&O::dataDirectory),
        "/usr/share/x", "/opt/y");
    row("game", "robot-delay", "50", "--robot-delay 0", option(&O::robotDelayMs), "50", "0");
    row("game", "rejoin-grace", "30", "--rejoin-grace 300", option(&O::rejoinGraceMs), "30000",
        "300000");
    row("accounts", "members-by-default", "no", "--all-members", option(&O::newAccountsAreMembers),
        "0", "1");
    row("limits", "max-clients", "100", "--max-clients 50", option(&O::maxClients), "100", "50");
    row("limits", "connections-per-address", "4", "--connections-per-address 5",
        option(&O::maxConnectionsPerAddress), "4", "5");
    row("limits", "unauthenticated-per-address", "2", "--unauthenticated-per-address 3",
        option(&O::maxUnauthenticatedPerAddress), "2", "3");
    row("limits", "registrations-per-hour", "0", "--registrations-per-hour 20",
        option(&O::registrationsPerAddressPerHour), "0", "20");
    row("limits", "chat-burst", "3", "--chat-burst 30", option(&O::chatBurst), "3", "30");
    row("limits", "chat-lines-per-second", "0.5", "--chat-lines-per-second 2",
        option(&O::chatLinesPerSecond), "0.5", "2");
    row("limits", "trust", "\"127.0.0.2, ::ffff:10.0.0.1\"", "--trust 10.0.0.2 --trust ::1",
        option(&O::trustedAddresses), "127.0.0.2 10.0.0.1", "10.0.0.2 ::1");
}

void TestServerConfig::everySettingReadAndOverridden()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, fileValue);
    QFETCH(QStringList, flag);
    QFETCH(Read, read);
    QFETCH(QString, fromFile);
    QFETCH(QString, fromFlag);

    const QByteArray ini = QStringLiteral("; a comment\n# another\n[%1]\n%2 = %3\n")
                               .arg(section, key, fileValue)
                               .toUtf8();
    QString error;
    const std::optional<ServiceSettings> file = load({}, ini, &error);
    QVERIFY2(file, qPrintable(error));
    QCOMPARE(read(*file), fromFile);
    const std::optional<ServiceSettings> both = load(flag, ini, &error);
    QVERIFY2(both, qPrintable(error));
    QCOMPARE(read(*both), fromFlag);
    // The file's one setting leaves the others at their defaults.
    ServiceSettings defaults;
    QCOMPARE(ServerConfig::changes(defaults, *file).size(), 1);
}

void TestServerConfig::defaultsWithoutFile()
{
    const std::optional<ServiceSettings> s = load({});
    QVERIFY(s);
    QCOMPARE(s->server.port, quint16(8822));
    QCOMPARE(s->server.listenAddress, QHostAddress(QHostAddress::LocalHost));
    QCOMPARE(s->server.robotDelayMs, 600);
    QCOMPARE(s->server.rejoinGraceMs, 120'000);
    // A server of one's own makes everyone a member; a server that sells
    // memberships turns it off.
    QVERIFY(s->server.newAccountsAreMembers);
    QVERIFY(!load({QStringLiteral("--no-members-by-default")})->server.newAccountsAreMembers);
    QCOMPARE(s->metricsPort, quint16(0));
    QVERIFY(s->adminSocket.isEmpty());
    QVERIFY(!s->server.fastPasswordHashing);
    QVERIFY(!s->server.seed);
    const std::optional<ServiceSettings> seeded =
        load({QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("--fast-hashing")});
    QCOMPARE(seeded->server.seed, std::optional<std::uint64_t>(7));
    QVERIFY(seeded->server.fastPasswordHashing);
}

void TestServerConfig::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("error");
    // A bad file names the line.
    const auto file = [](const char* name, const char* ini, const char* error) {
        QTest::newRow(name) << QStringList() << QByteArray(ini)
                            << QStringLiteral("server.ini") + QLatin1String(error);
    };
    const auto flags = [](const char* name, const char* line, const char* error) {
        QTest::newRow(name) << QString::fromLatin1(line).split(u' ') << QByteArray()
                            << QString::fromLatin1(error);
    };
    file("not a number", "[network]\nlisten = ::\n\nport = 88x\n",
         ":4: network/port: not a number");
    file("out of range", "[game]\nrobot-delay = -1\n", ":2: game/robot-delay: not a number from 0");
    file("unknown key", "; c\n[limits]\nchat-burts = 3\n", ":3: unknown setting limits/chat-burts");
    file("outside a section", "port = 1\n", ":1: unknown setting port");
    file("no equals sign", "[network]\nport 8822\n", ":2: neither a [section]");
    file("open section", "[network\nport = 1\n", ":1: neither a [section]");
    file("bad address", "[limits]\ntrust = 127.0.0.1, nowhere\n",
         ":2: limits/trust: not an address: nowhere");
    file("list for one value", "[storage]\ndatabase = a,b\n", ":2: storage/database: one value");
    file("bad switch", "[accounts]\nmembers-by-default = maybe\n",
         ":2: accounts/members-by-default: not yes or no");
    file("metrics without port", "[network]\nmetrics = 127.0.0.1\n",
         ":2: network/metrics: not HOST:PORT");
    flags("port", "--port 70000", "--port: not a number from 0 to 65535: 70000");
    flags("seed", "--seed x", "--seed: not a number: x");
    flags("contradiction", "--all-members --no-members-by-default", "contradict");
    flags("missing file", "--config /nonexistent/x.ini", "/nonexistent/x.ini: cannot read");
}

void TestServerConfig::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, ini);
    QFETCH(QString, error);
    QString why;
    QVERIFY(!load(arguments, ini, &why));
    QVERIFY2(why.contains(error), qPrintable(why));
}

void TestServerConfig::reloadTakesOnlyWhatCanChange()
{
    const std::optional<ServiceSettings> before = load({}, "[network]\nport = 9000\n");
    const std::optional<ServiceSettings> after =
        load({}, "[network]\nport = 9001\n[game]\nrobot-delay = 10\n"
                 "[limits]\nconnections-per-address = 2\n[accounts]\nmembers-by-default = off\n");
    QVERIFY(before && after);
    const ServerOptions taken = ServerConfig::reloadable(before->server, after->server);
    QCOMPARE(taken.port, quint16(9000));
    QCOMPARE(taken.robotDelayMs, 10);
    QCOMPARE(taken.maxConnectionsPerAddress, 2);
    QVERIFY(!taken.newAccountsAreMembers);
    QCOMPARE(ServerConfig::changes(*before, *after),
             (QStringList{QStringLiteral("port: 9000 -> 9001 (takes effect at the next start)"),
                          QStringLiteral("robot-delay: 600 -> 10"),
                          QStringLiteral("members-by-default: yes -> no"),
                          QStringLiteral("connections-per-address: 16 -> 2")}));
}

void TestServerConfig::shippedExampleIsTheDefaults()
{
    // The example names every setting, and its values are the defaults.
    QFile example(qEnvironmentVariable("TARVENIX_SOURCE_DIR") +
                  QStringLiteral("/server/tarvenix-server.conf"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray text = example.readAll();
    for (const QString& key : ServerConfig::keys()) {
        const QString name = key.section(QLatin1Char('/'), 1);
        QVERIFY2(text.contains(name.toUtf8() + " ="), qPrintable(key));
    }
    // Uncommented, it reads as the defaults.
    QByteArray uncommented;
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith(';') && line.contains(" = "))
            uncommented += line.mid(1).trimmed() + '\n';
        else if (line.startsWith('['))
            uncommented += line + '\n';
    }
    QString error;
    const std::optional<ServiceSettings> s = load({}, uncommented, &error);
    QVERIFY2(s, qPrintable(error));
    QCOMPARE(ServerConfig::changes(ServiceSettings(), *s), QStringList());
}

QTEST_GUILESS_MAIN(TestServerConfig)
#include "tst_serverconfig.moc"
