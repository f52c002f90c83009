#include "clientsession.h"
#include "logthrottle.h"
#include "server.h"
#include "serverlogging.h"
#include "testclient.h"
#include "testmaps.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// The server's log while it lives: every line of the server's category,
// kept instead of printed.
class ServerLog
{
public:
    ServerLog() : m_previous(qInstallMessageHandler(&ServerLog::collect)) { s_lines.clear(); }
    ~ServerLog() { qInstallMessageHandler(m_previous); }
    ServerLog(const ServerLog&) = delete;
    ServerLog& operator=(const ServerLog&) = delete;

    static const QStringList& lines() { return s_lines; }
    static QStringList matching(const QString& part) { return s_lines.filter(part); }

private:
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& text)
    {
        if (qstrcmp(context.category, "tarvenix.server") == 0)
            s_lines << text;
    }

    static inline QStringList s_lines;
    QtMessageHandler m_previous;
};

} // namespace

// What any stranger with a socket can do to the server, tried against the
// real server on loopback: the defences hold and the damage stays with the
// one who tried.
class TestServerDefences : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void logText_data();
    void logText();
    void logThrottle();
    void forgedLogLinesAreEscaped();
    void refusalFloodIsSummarised();

private:
    void startServer();
    TestClient* connectClient();
    TestClient* registered(const QString& nickname);
    int createGame(TestClient* client);

    std::unique_ptr<QTemporaryDir> m_dir;
    ServerOptions m_options;
    std::unique_ptr<Server> m_server;
    std::vector<std::unique_ptr<TestClient>> m_clients;
};

void TestServerDefences::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(testmaps::writeDefaultMap(m_dir->path(), testmaps::bandMap(1, "Testland")));
    m_options = ServerOptions{};
    m_options.port = 0;
    m_options.databasePath = m_dir->filePath(QStringLiteral("server.db"));
    m_options.dataDirectory = m_dir->path();
    m_options.fastPasswordHashing = true;
    startServer();
}

void TestServerDefences::startServer()
{
    m_server = std::make_unique<Server>(m_options);
    QString error;
    QVERIFY2(m_server->start(&error), qPrintable(error));
}

void TestServerDefences::cleanup()
{
    m_clients.clear();
    m_server.reset();
    m_dir.reset();
}

TestClient* TestServerDefences::connectClient()
{
    m_clients.push_back(std::make_unique<TestClient>());
    TestClient* c = m_clients.back().get();
    return c->connectTo(m_server->port()) ? c : nullptr;
}

TestClient* TestServerDefences::registered(const QString& nickname)
{
    TestClient* c = connectClient();
    return c && c->registerAs(nickname) == -1 ? c : nullptr;
}

int TestServerDefences::createGame(TestClient* client)
{
    client->forget();
    client->sender.newGame(1, false, true, 90, false, false, true, false, false, false, 2, 100,
                           false, false, 1, false, false);
    const std::optional<Message> game = client->waitFor(Opcode::NewGame);
    return game && client->waitFor(Opcode::Player) ? game->getInt(1) : 0;
}

void TestServerDefences::logText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("logged");

    QTest::newRow("plain") << "Bob"
                           << "\"Bob\"";
    QTest::newRow("empty") << ""
                           << "\"\"";
    QTest::newRow("line breaks") << "a\nb\rc\td"
                                 << "\"a\\nb\\rc\\td\"";
    QTest::newRow("quote and backslash") << "say \"hi\\\""
                                         << "\"say \\\"hi\\\\\\\"\"";
    QTest::newRow("other controls")
        << QStringLiteral("\x01\x1b[31m\x7f") << "\"\\x01\\x1b[31m\\x7f\"";
    QTest::newRow("Latin-1 control") << QString(QChar(0x85)) << "\"\\x85\"";
    QTest::newRow("Latin-1 letters stay")
        << QString::fromUtf8("J\u00e9r\u00f4me") << QString::fromUtf8("\"J\u00e9r\u00f4me\"");
    QTest::newRow("direction override") << QString::fromUtf8("a\u202eb") << "\"a\\u202eb\"";
    QTest::newRow("cut") << QString(100, QLatin1Char('x'))
                         << "\"" + QString(MaxLoggedText, QLatin1Char('x')) +
                                "\"... (100 characters)";
}

void TestServerDefences::logText()
{
    QFETCH(QString, text);
    QFETCH(QString, logged);
    QCOMPARE(::logText(text), logged);
}

void TestServerDefences::logThrottle()
{
    LogThrottle throttle(3);
    QVERIFY(!throttle.takeSummary());
    for (int i = 0; i < 3; ++i)
        QVERIFY(throttle.allow(1000 + i, QStringLiteral("10.0.0.1")));
    QVERIFY(!throttle.allow(1500, QStringLiteral("10.0.0.1")));
    QVERIFY(!throttle.allow(1600, QStringLiteral("10.0.0.2")));
    QVERIFY(!throttle.allow(1700, QStringLiteral("10.0.0.1")));
    QVERIFY(throttle.hasSuppressed());
    // A new second writes again, and the summary holds what was held back.
    QVERIFY(throttle.allow(2000, QStringLiteral("10.0.0.2")));
    const std::optional<LogThrottle::Summary> summary = throttle.takeSummary();
    QVERIFY(summary);
    QCOMPARE(summary->suppressed, 3);
    QCOMPARE(summary->busiest, QStringLiteral("10.0.0.1"));
    QCOMPARE(summary->busiestCount, 2);
    QVERIFY(!throttle.takeSummary());
}

void TestServerDefences::forgedLogLinesAreEscaped()
{
    const ServerLog log;
    TestClient* ann = registered(QStringLiteral("Ann"));
    QVERIFY(ann);
    QVERIFY(createGame(ann) > 0);
    const QString forged = QStringLiteral("Zed\n2026-12-06 12:00:00.000 login admin from 10.0.0.1");
    ann->sender.kick(forged);
    ann->sender.robot(forged);
    QVERIFY(ann->sync());

    const QStringList kicks = log.matching(QStringLiteral("is not in the game"));
    QCOMPARE(kicks.size(), 1);
    QVERIFY2(kicks.first().contains(
                 QStringLiteral("\"Zed\\n2026-12-06 12:00:00.000 login admin from 10.0.0.1\"")),
             qPrintable(kicks.first()));
    QVERIFY(log.matching(QStringLiteral("cannot be added"))
                .first()
                .contains(QStringLiteral("\"Zed\\n2026")));
    for (const QString& line : log.lines())
        QVERIFY2(!line.contains(QLatin1Char('\n')), qPrintable(line));
}

void TestServerDefences::refusalFloodIsSummarised()
{
    const ServerLog log;
    QElapsedTimer clock;
    clock.start();
    TestClient* junk = connectClient();
    QVERIFY(junk);
    // Requests nobody may make before logging in, as fast as they go out.
    for (int i = 0; i < 2000; ++i)
        junk->sender.globalChat(QStringLiteral("spam"));

    // Every request is either written or counted into a summary line.
    const QString written = QStringLiteral("refused request ");
    const QString summarised = QStringLiteral("more refused requests not logged");
    const auto accounted = [&] {
        qsizetype n = log.matching(written).size();
        for (const QString& line : log.matching(summarised))
            n += line.section(QLatin1Char(' '), 0, 0).toInt();
        return n;
    };
    QTRY_COMPARE_WITH_TIMEOUT(accounted(), qsizetype(2000), 10000);
    const qint64 seconds = clock.elapsed() / 1000 + 1;
    QVERIFY2(log.matching(written).size() <= seconds * Server::RefusalLinesPerSecond,
             qPrintable(log.matching(written).join(QLatin1Char('\n'))));
    const QString summary = log.matching(summarised).first();
    QVERIFY2(summary.contains(QStringLiteral("of them from 127.0.0.1")), qPrintable(summary));

    junk->writeRaw(QByteArray::fromHex("ffffffff"));
    QVERIFY(junk->waitForDisconnect());
    QTRY_VERIFY(!log.matching(QStringLiteral("closed after 2000 refused requests")).isEmpty());
}

QTEST_GUILESS_MAIN(TestServerDefences)
#include "tst_serverdefences.moc"
