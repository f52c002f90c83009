#include "ops/admincommands.h"
#include "ops/adminsocket.h"
#include "ops/metrics.h"
#include "ops/metricsserver.h"
#include "serverfixture.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// One HTTP GET on a blocking socket, so that it works from any thread and
// while the caller's event loop is blocked: the status code and the body.
std::pair<int, QByteArray> httpGet(quint16 port, const char* path)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(3000))
        return {0, {}};
    socket.write(QByteArray("GET ") + path +
                 " HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n\r\n");
    // The answer is complete when its body has the length its header gives.
    QByteArray response;
    static const QRegularExpression length(QStringLiteral("content-length: *(\\d+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto complete = [&] {
        const qsizetype end = response.indexOf("\r\n\r\n");
        if (end < 0)
            return false;
        const QRegularExpressionMatch m = length.match(QString::fromLatin1(response.left(end)));
        return m.hasMatch() && response.size() - end - 4 >= m.captured(1).toLongLong();
    };
    while (!complete() && socket.waitForReadyRead(3000))
        response += socket.readAll();
    const int status = response.mid(9, 3).toInt();
    return {status, response.mid(response.indexOf("\r\n\r\n") + 4)};
}

// A sample's value in Prometheus text ("name{labels} value"), -1 if absent.
double sampleOf(const QByteArray& text, const QByteArray& series)
{
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith(series + ' '))
            return line.mid(series.size() + 1).toDouble();
    }
    return -1;
}

// A chat line from the user.
TestClient::Match chat(const QString& from, const QString& text)
{
    return testutil::fields({{1, from}, {2, text}});
}

} // namespace

// Running the server as a service: the admin socket and its commands, the
// metrics and readiness, and the real program under a fake systemd.
class TestServerOps : public QObject, ServerFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void adminCommandsChangeWhatTheLobbySees();
    void adminSocketIsTheOwnersAlone();
    void adminChangeWaitsForTheDatabase();
    void metricsMoveWithTraffic();
    void readyOnlyWhileTheLoopAnswers();
    void programReadyWatchdogAndStopping();
    void programReloadKeepsConnections();
    void programShutdownThroughTarvenixctl();
    void programLogsForTheJournal();

private:
    // Sends the line over the admin socket and waits for its whole answer:
    // the status line and the answer's lines.
    std::pair<QByteArray, QStringList> ask(const QByteArray& line);
    void startAdmin();
    // The program on a free port with the extra arguments; its port, 0 on
    // failure.
    int ctl(const QStringList& arguments, QByteArray* out = nullptr);

    std::unique_ptr<AdminCommands> m_commands;
    std::unique_ptr<AdminSocket> m_admin;
    QString m_socketPath;
};

void TestServerOps::init()
{
    prepare();
    m_options.robotDelayMs = 0;
    m_socketPath = m_dir->filePath(QStringLiteral("admin.sock"));
}

void TestServerOps::cleanup()
{
    m_admin.reset();
    m_commands.reset();
    stop();
}

void TestServerOps::startAdmin()
{
    QVERIFY(startServer());
    m_commands = std::make_unique<AdminCommands>(*m_server);
    m_admin = std::make_unique<AdminSocket>(*m_commands);
    QString error;
    QVERIFY2(m_admin->listen(m_socketPath, &error), qPrintable(error));
}

std::pair<QByteArray, QStringList> TestServerOps::ask(const QByteArray& line)
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(1000))
        return {"no connection", {}};
    socket.write(line + '\n');
    // The server answers from this thread's event loop.
    QByteArray answer;
    // A short or missing answer shows in what is returned.
    (void)QTest::qWaitFor(
        [&] {
            answer += socket.readAll();
            return answer.endsWith("\n\n") || socket.state() != QLocalSocket::ConnectedState;
        },
        3000);
    QList<QByteArray> lines = answer.split('\n');
    if (lines.size() < 3)
        return {"no answer", {}};
    lines.removeLast();
    lines.removeLast();
    QStringList body;
    for (qsizetype i = 1; i < lines.size(); ++i)
        body.append(QString::fromUtf8(lines[i]));
    return {lines.first(), body};
}

void TestServerOps::adminCommandsChangeWhatTheLobbySees()
{
    startAdmin();
    auto [alice, bob] = users("alice", "bob");
    QVERIFY(alice);
    const auto recordOf = [](const QString& nickname, bool member, bool admin) {
        return testutil::fields({{1, nickname}, {6, int(member)}, {8, int(admin)}});
    };

    const auto [listed, users] = ask("users");
    QCOMPARE(listed, QByteArray("ok"));
    QCOMPARE(users, (QStringList{QStringLiteral("alice address=127.0.0.1 rating=1500 games=0"),
                                 QStringLiteral("bob address=127.0.0.1 rating=1500 games=0")}));
    const int game = createGame(alice);
    QVERIFY(game > 0);
    const auto games = ask("games").second;
    QCOMPARE(games.size(), 1);
    QVERIFY2(games.first().startsWith(QStringLiteral("%1 waiting map=\"World\" operator=alice "
                                                     "players=1 robots=0")
                                          .arg(game)),
             qPrintable(games.first()));

    QCOMPARE(ask("member bob on"),
             std::make_pair(QByteArray("ok"), QStringList{QStringLiteral("bob member on")}));
    QVERIFY(alice->waitFor(Opcode::User, recordOf(QStringLiteral("bob"), true, false)));
    QCOMPARE(ask("ADMIN Bob on").second, QStringList{QStringLiteral("bob admin on")});
    QVERIFY(alice->waitFor(Opcode::User, recordOf(QStringLiteral("bob"), true, true)));
    QCOMPARE(ask("admin bob on").second, QStringList{QStringLiteral("bob admin already on")});
    // Stored: the next login brings the flags back.
    QVERIFY(m_server->storage().findAccount(QStringLiteral("bob"))->admin);

    QCOMPARE(ask("say Back in five minutes").first, QByteArray("ok"));
    for (TestClient* c : {alice, bob}) {
        QVERIFY(c->waitFor(Opcode::GlobalChat,
                           chat(Server::announcerName(), QStringLiteral("Back in five minutes"))));
        // The clients show chat of users they know only, so the server's
        // name comes and goes around the line.
        QVERIFY(c->waitFor(Opcode::EndUser, testutil::firstIs(Server::announcerName())));
    }

    QCOMPARE(ask("kick bob").first, QByteArray("ok"));
    QVERIFY(bob->waitFor(
        Opcode::GlobalChat,
        chat(Server::announcerName(), QStringLiteral("You have been removed by the operator."))));
    QVERIFY(bob->waitForDisconnect());
    QVERIFY(alice->waitFor(Opcode::EndUser, testutil::firstIs(QStringLiteral("bob"))));
    QCOMPARE(ask("kick bob").first, QByteArray("refused: bob is not logged in"));

    QCOMPARE(ask("ban bob on").first, QByteArray("ok"));
    TestClient* again = connectClient();
    QVERIFY(again);
    QCOMPARE(again->login(QStringLiteral("bob")), int(FailureCode::Banned));
    QCOMPARE(ask("ban bob off").first, QByteArray("ok"));
    QCOMPARE(again->login(QStringLiteral("bob")), -1);
    // A ban of someone logged in closes his connection too.
    QCOMPARE(ask("ban bob on").first, QByteArray("ok"));
    QVERIFY(again->waitForDisconnect());

    // Malformed commands are refused, and the socket goes on answering.
    const QList<QByteArray> malformed = {"",
                                         "frobnicate",
                                         "users now",
                                         "ban bob maybe",
                                         "member",
                                         "member nobody on",
                                         "shutdown soon",
                                         "shutdown -5",
                                         "shutdown cancel",
                                         "say",
                                         "reload",
                                         QByteArray("say ") + QByteArray(500, 'x'),
                                         QByteArray("\xff\xfe\x00 bin", 8)};
    for (const QByteArray& line : malformed) {
        const auto [status, body] = ask(line);
        QVERIFY2(status.startsWith("refused: "), line.constData());
    }
    QCOMPARE(ask(QByteArray(AdminSocket::MaxLineLength + 10, 'u')).first,
             QByteArray("refused: line too long"));
    QCOMPARE(ask("users").second, QStringList{QStringLiteral("alice address=127.0.0.1 rating=1500 "
                                                             "games=0 playing=%1")
                                                  .arg(game)});
}

void TestServerOps::adminSocketIsTheOwnersAlone()
{
    startAdmin();
    QFileInfo info(m_socketPath);
    QCOMPARE(info.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (::geteuid() != 0)
        QSKIP("switching to another user needs root");
    // Another user's process cannot connect.
    const QByteArray path = QFile::encodeName(m_socketPath);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        const int result = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::_exit(result == 0 ? 0 : errno == EACCES ? 1 : 2);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 1);
    // An existing socket a live server answers on is not taken over.
    AdminCommands commands(*m_server);
    AdminSocket second(commands);
    QString error;
    QVERIFY(!second.listen(m_socketPath, &error));
    QVERIFY2(error.contains(QStringLiteral("another server")), qPrintable(error));
}

void TestServerOps::adminChangeWaitsForTheDatabase()
{
    if (!m_pg)
        QSKIP("needs the server on PostgreSQL (TARVENIX_TEST_BACKEND=postgresql)");
    startAdmin();
    auto [alice, bob] = users("alice", "bob");
    QVERIFY(alice);

    // With the accounts locked elsewhere, the operator's change waits for
    // them and the command after it waits behind it; the lobby goes on.
    PgTestDatabase::TableLock lock(m_pg->url(), QStringLiteral("accounts"));
    QVERIFY(lock.isHeld());
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    QVERIFY(socket.waitForConnected(1000));
    socket.write("member bob on\nsay after the change\n");
    alice->sender.globalChat(QStringLiteral("while the operator waits"));
    QVERIFY(bob->waitFor(Opcode::GlobalChat, chat(QStringLiteral("alice"),
                                                  QStringLiteral("while the operator waits"))));
    QByteArray answer = socket.readAll();
    QCOMPARE(answer, QByteArray());
    QCOMPARE(bob->received(Opcode::GlobalChat).size(), 1);

    lock.release();
    QVERIFY(QTest::qWaitFor(
        [&] {
            answer += socket.readAll();
            return answer.count("\n\n") == 2;
        },
        10000));
    QCOMPARE(answer, QByteArray("ok\nbob member on\n\nok\nsaid to 2 users\n\n"));
    QVERIFY(alice->waitFor(Opcode::User, testutil::fields({{1, QStringLiteral("bob")}, {6, 1}})));
    QVERIFY(m_server->storage().findAccount(QStringLiteral("bob"))->member);
}

void TestServerOps::metricsMoveWithTraffic()
{
    QVERIFY(startServer());
    MetricsServer metrics({[this] {
                               Metrics::instance().usersOnline.set(m_server->userCount());
                               Metrics::instance().gamesRunning.set(m_server->runningGameCount());
                           },
                           [this] {
                               return m_server->databaseWritable();
                           }});
    QString error;
    const quint16 port = metrics.listen(QHostAddress::LocalHost, 0, &error);
    QVERIFY2(port, qPrintable(error));
    const QByteArray before = httpGet(port, "/metrics").second;
    QVERIFY(before.contains("# TYPE tarvenix_logins_total counter"));

    auto [alice, bob] = users("alice", "bob");
    QVERIFY(alice);
    alice->sender.globalChat(QStringLiteral("hello"));
    QVERIFY(bob->waitFor(Opcode::GlobalChat));
    TestClient* wrong = connectClient();
    QCOMPARE(wrong->login(QStringLiteral("alice"), QStringLiteral("nope")),
             int(FailureCode::WrongPassword));
    // A robot game played to its end, watched by bob.
    QVERIFY(gameLeftToRobots(alice, {QStringLiteral("Anvil"), QStringLiteral("Bramble")}, bob));
    QVERIFY(bob->waitFor(Opcode::Winner, {}, 20000));

    QByteArray after;
    QVERIFY(QTest::qWaitFor([&] {
        after = httpGet(port, "/metrics").second;
        return sampleOf(after, "tarvenix_users_online") == 2;
    }));
    const auto moved = [&](const QByteArray& series) {
        return std::max(0.0, sampleOf(after, series)) - std::max(0.0, sampleOf(before, series));
    };
    QCOMPARE(moved("tarvenix_registrations_total"), 2.0);
    QCOMPARE(moved("tarvenix_logins_total{result=\"ok\"}"), 2.0);
    QCOMPARE(moved("tarvenix_logins_total{result=\"wrong_password\"}"), 1.0);
    QCOMPARE(moved("tarvenix_chat_lines_total{channel=\"global\"}"), 1.0);
    // bob's sync is a whisper to himself.
    QCOMPARE(moved("tarvenix_chat_lines_total{channel=\"whisper\"}"), 1.0);
    QCOMPARE(moved("tarvenix_chat_deliveries_total"), 3.0);
    QCOMPARE(moved("tarvenix_games_finished_total"), 1.0);
    // Saved at its start and with the turns after (the turns of robots
    // that do not pause are written together), each save timed.
    QVERIFY(moved("tarvenix_games_saved_total") >= 1);
    QCOMPARE(moved("tarvenix_game_save_failures_total"), 0.0);
    QCOMPARE(moved("tarvenix_game_save_duration_seconds_count"),
             moved("tarvenix_games_saved_total"));
    QCOMPARE(moved("tarvenix_connections_accepted_total"), 3.0);
    QVERIFY(moved("tarvenix_requests_total") >= 10);
    QVERIFY(moved("tarvenix_messages_sent_total") > moved("tarvenix_requests_total"));
    QVERIFY(moved("tarvenix_robot_decision_duration_seconds_count") > 10);
    QVERIFY(moved("tarvenix_database_duration_seconds_count") >= 4);
    QCOMPARE(moved("tarvenix_request_duration_seconds_count"), moved("tarvenix_requests_total"));
    // Refused: the chat of a login that did not happen.
    wrong->sender.globalChat(QStringLiteral("x"));
    QVERIFY(QTest::qWaitFor([&] {
        return sampleOf(httpGet(port, "/metrics").second,
                        "tarvenix_refusals_total{request=\"GlobalChat\"}") >= 1;
    }));

    const QString promtool = QStandardPaths::findExecutable(QStringLiteral("promtool"));
    if (promtool.isEmpty())
        QSKIP("promtool (Debian's prometheus) is not installed");
    QProcess check;
    check.start(promtool, {QStringLiteral("check"), QStringLiteral("metrics")});
    check.write(after);
    check.closeWriteChannel();
    QVERIFY(check.waitForFinished(10000));
    QVERIFY2(check.exitCode() == 0, check.readAllStandardError().constData());
}

void TestServerOps::readyOnlyWhileTheLoopAnswers()
{
    QVERIFY(startServer());
    MetricsServer metrics({{}, [this] {
                               return m_server->databaseWritable();
                           }});
    QString error;
    const quint16 port = metrics.listen(QHostAddress::LocalHost, 0, &error);
    QVERIFY2(port, qPrintable(error));
    QCOMPARE(httpGet(port, "/ready"), std::make_pair(200, QByteArray("ready\n")));

    // The event loop blocked (as by a statement that hangs): /ready, asked
    // from another thread meanwhile, says 503.
    std::pair<int, QByteArray> blocked;
    std::thread asker([&] {
        QThread::msleep(MetricsServer::StaleMs + 400);
        blocked = httpGet(port, "/ready");
    });
    QThread::msleep(MetricsServer::StaleMs + 1200);
    asker.join();
    QCOMPARE(blocked.first, 503);
    QVERIFY(QTest::qWaitFor([&] { return httpGet(port, "/ready").first == 200; }, 2000));

    // A database that takes no writes is not ready either.
    MetricsServer readOnly({{}, [] {
                                return false;
                            }});
    const quint16 other = readOnly.listen(QHostAddress::LocalHost, 0, &error);
    QCOMPARE(httpGet(other, "/ready").first, 503);
}

void TestServerOps::programReadyWatchdogAndStopping()
{
    // systemd's side: a datagram socket the notifications arrive on.
    const QByteArray path = QFile::encodeName(m_dir->filePath(QStringLiteral("notify")));
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    QVERIFY(fd >= 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    QStringList received;
    const auto receive = [&] {
        char buffer[4096];
        ssize_t n = 0;
        while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0)
            received.append(QString::fromUtf8(buffer, n));
    };

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NOTIFY_SOCKET"), QString::fromLocal8Bit(path));
    environment.insert(QStringLiteral("WATCHDOG_USEC"), QStringLiteral("200000"));
    program.setProcessEnvironment(environment);
    program.setStandardErrorFile(QProcess::nullDevice());
    const quint16 port = testutil::startServerProgram(program, m_options.databasePath);
    QVERIFY(port);
    // The port takes connections, and the first word was READY.
    QVERIFY(QTest::qWaitFor([&] {
        receive();
        return !received.isEmpty();
    }));
    QVERIFY2(received.first().startsWith(QStringLiteral("READY=1\n")),
             qPrintable(received.first()));
    QVERIFY(received.first().contains(QStringLiteral("STATUS=listening on port %1").arg(port)));
    // The watchdog is pinged at half its interval, again and again.
    QVERIFY(QTest::qWaitFor(
        [&] {
            receive();
            return received.count(QStringLiteral("WATCHDOG=1")) >= 5;
        },
        3000));

    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 0);
    receive();
    QCOMPARE(received.last(), QStringLiteral("STOPPING=1"));
    ::close(fd);
}

void TestServerOps::programReloadKeepsConnections()
{
    const QString ini = m_dir->filePath(QStringLiteral("server.ini"));
    const auto write = [&](const QByteArray& text) {
        QFile file(ini);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) > 0;
    };
    QVERIFY(write("[limits]\nconnections-per-address = 16\n[game]\nrobot-delay = 600\n"));
    QProcess program;
    const quint16 port = testutil::startServerProgram(program, m_options.databasePath,
                                                      {QStringLiteral("--config"), ini});
    QVERIFY(port);
    std::vector<std::unique_ptr<TestClient>> clients;
    for (const char* name : {"ann", "ben", "cat"}) {
        clients.push_back(std::make_unique<TestClient>());
        QVERIFY(clients.back()->connectTo(port));
        QCOMPARE(clients.back()->registerAs(QLatin1String(name)), -1);
    }

    // The limit drops to the three connections there are.
    QVERIFY(write("[limits]\nconnections-per-address = 3\n[game]\nrobot-delay = 50\n"
                  "rejoin-grace = 5\n"));
    ::kill(pid_t(program.processId()), SIGHUP);
    QByteArray log;
    QVERIFY(QTest::qWaitFor([&] {
        log += program.readAllStandardError();
        return log.contains("reload: connections-per-address");
    }));
    QVERIFY2(log.contains("reload: robot-delay: 600 -> 50\n"), log.constData());
    QVERIFY(log.contains("reload: connections-per-address: 16 -> 3\n"));
    QVERIFY(log.contains("reload: rejoin-grace: 120 -> 5 (takes effect at the next start)\n"));
    TestClient fourth;
    QVERIFY(!fourth.connectTo(port));
    for (const auto& c : clients)
        QVERIFY(c->sync());

    // A file broken meanwhile changes nothing.
    QVERIFY(write("[limits]\nconnections-per-address = 99\nbroken line\n"));
    ::kill(pid_t(program.processId()), SIGHUP);
    QVERIFY(QTest::qWaitFor([&] {
        log += program.readAllStandardError();
        return log.contains("reload refused");
    }));
    QVERIFY(log.contains("server.ini:3: neither a [section]"));
    QVERIFY(!fourth.connectTo(port));
    for (const auto& c : clients)
        QVERIFY(c->sync());
    program.terminate();
    QVERIFY(program.waitForFinished(5000));
}

int TestServerOps::ctl(const QStringList& arguments, QByteArray* out)
{
    QProcess tool;
    tool.start(qEnvironmentVariable("TARVENIX_RUN_DIR") + QStringLiteral("/tarvenixctl"),
               QStringList{QStringLiteral("--socket"), m_socketPath} + arguments);
    if (!tool.waitForFinished(10000))
        return -1;
    if (out)
        *out = tool.readAllStandardOutput() + tool.readAllStandardError();
    return tool.exitCode();
}

void TestServerOps::programShutdownThroughTarvenixctl()
{
    QByteArray out;
    QCOMPARE(ctl({QStringLiteral("users")}, &out), 2);
    QVERIFY(out.contains("no server"));

    QProcess program;
    const quint16 port = testutil::startServerProgram(
        program, m_options.databasePath, {QStringLiteral("--admin-socket"), m_socketPath});
    QVERIFY(port);
    TestClient client;
    QVERIFY(client.connectTo(port));
    QCOMPARE(client.registerAs(QStringLiteral("ann")), -1);

    QCOMPARE(ctl({QStringLiteral("users")}, &out), 0);
    QCOMPARE(out, QByteArray("ann address=127.0.0.1 rating=1500 games=0 member\n"));
    QCOMPARE(ctl({QStringLiteral("kick"), QStringLiteral("nobody")}, &out), 1);
    QCOMPARE(out, QByteArray("tarvenixctl: refused: nobody is not logged in\n"));

    QCOMPARE(ctl({QStringLiteral("shutdown"), QStringLiteral("2"), QStringLiteral("new"),
                  QStringLiteral("version")},
                 &out),
             0);
    QCOMPARE(out, QByteArray("shutting down in 2 seconds\n"));
    const auto line = [&](const char* text) {
        return client.waitFor(Opcode::GlobalChat,
                              chat(Server::announcerName(), QString::fromLatin1(text)));
    };
    QVERIFY(line("The server shuts down in 2 seconds: new version"));
    QVERIFY(line("The server shuts down in 1 second."));
    QVERIFY(client.waitFor(Opcode::Closed, {}, 5000));
    // Closed is the last word before the connection goes.
    QCOMPARE(client.opcodes().last(), Opcode::Closed);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(ctl({QStringLiteral("users")}), 2);
}

void TestServerOps::programLogsForTheJournal()
{
    const QString logPath = m_dir->filePath(QStringLiteral("journal"));
    QFile(logPath).open(QIODevice::WriteOnly);
    struct stat st
    {};
    QCOMPARE(::stat(QFile::encodeName(logPath).constData(), &st), 0);
    const QString stream = QStringLiteral("%1:%2").arg(st.st_dev).arg(st.st_ino);
    const auto logOf = [&](const QString& journalStream, const QStringList& arguments,
                           bool runs) -> QByteArray {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("JOURNAL_STREAM"));
        if (!journalStream.isEmpty())
            environment.insert(QStringLiteral("JOURNAL_STREAM"), journalStream);
        program.setProcessEnvironment(environment);
        program.setStandardErrorFile(logPath);
        if (runs) {
            const quint16 port =
                testutil::startServerProgram(program, m_options.databasePath, arguments);
            TestClient client;
            if (!port || !client.connectTo(port) || client.login(QStringLiteral("nobody")) < 0)
                return {};
            program.terminate();
        } else {
            program.start(qEnvironmentVariable("TARVENIX_RUN_DIR") +
                              QStringLiteral("/tarvenix-server"),
                          arguments);
        }
        if (!program.waitForFinished(5000))
            return {};
        QFile file(logPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QStringList bad{QStringLiteral("--metrics"), QStringLiteral("nowhere:1")};
    QCOMPARE(logOf(stream, bad, false), QByteArray("<3>--metrics: not HOST:PORT: nowhere:1\n"));
    // Without the journal (or with another stream as standard error) the
    // lines keep their time.
    const QRegularExpression stamped(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} error: --metrics: not "
                       "HOST:PORT: nowhere:1\n$"));
    for (const QString& other : {QString(), QStringLiteral("1:2")}) {
        const QString text = QString::fromUtf8(logOf(other, bad, false));
        QVERIFY2(stamped.match(text).hasMatch(), qPrintable(text));
    }

    // A running server's lines carry their priority, one prefix a line.
    const QByteArray text = logOf(stream, {}, true);
    QVERIFY2(text.contains("\n<6>listening on 127.0.0.1 port "), text.constData());
    QVERIFY(text.contains("\n<4>login refused for 127.0.0.1"));
    for (const QByteArray& line : text.trimmed().split('\n'))
        QVERIFY2(QRegularExpression(QStringLiteral("^<[2-7]>\\S"))
                     .match(QString::fromUtf8(line))
                     .hasMatch(),
                 line.constData());
}

QTEST_MAIN(TestServerOps)
#include "tst_serverops.moc"
