#include "serverfixture.h"

#include "passwordhasher.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

void ServerFixture::prepare()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_options = ServerOptions{};
    m_options.port = 0;
    m_options.databasePath = m_dir->filePath(QStringLiteral("server.db"));
    m_options.dataDirectory = testutil::dataDirectory();
    m_options.fastPasswordHashing = true;
    m_pg.reset();
    if (qEnvironmentVariable("TARVENIX_TEST_BACKEND") == QLatin1String("postgresql")) {
        m_pg = std::make_unique<PgTestDatabase>();
        if (m_pg->url().isEmpty())
            QSKIP(qPrintable(m_pg->skipReason()));
        m_options.databasePath = m_pg->url();
    }
}

bool ServerFixture::startServer()
{
    // Skipped for want of a database.
    if (m_pg && m_pg->url().isEmpty())
        return false;
    dropClients();
    m_server.reset();
    m_server = std::make_unique<Server>(m_options);
    QString error;
    if (m_server->start(&error))
        return true;
    QTest::qFail(qPrintable(error), __FILE__, __LINE__);
    return false;
}

void ServerFixture::dropClients()
{
    for (const auto& client : m_clients) {
        if (!client->offTable.isEmpty())
            QTest::qFail(qPrintable(QStringLiteral("messages off the protocol table: %1")
                                        .arg(client->offTable.join(QLatin1Char(' ')))),
                         __FILE__, __LINE__);
    }
    m_clients.clear();
}

void ServerFixture::stop()
{
    dropClients();
    m_server.reset();
    m_dir.reset();
    m_pg.reset();
}

TestClient* ServerFixture::connectClient(const QHostAddress& from)
{
    m_clients.push_back(std::make_unique<TestClient>());
    TestClient* c = m_clients.back().get();
    return c->connectTo(m_server->port(), from) ? c : nullptr;
}

TestClient* ServerFixture::registered(const QString& nickname, const QHostAddress& from)
{
    TestClient* c = connectClient(from);
    return c && c->registerAs(nickname) == -1 ? c : nullptr;
}

bool ServerFixture::storeAccount(Account account)
{
    account.passwordHash = PasswordHasher(PasswordHasher::Cost::Minimum).hash("secret");
    return m_server->storage().createAccount(account).has_value();
}

TestClient* ServerFixture::loggedIn(const Account& account)
{
    TestClient* c = storeAccount(account) ? connectClient() : nullptr;
    return c && c->login(account.nickname) == -1 ? c : nullptr;
}

void ServerFixture::requestGame(TestClient* creator, const GameOptions& o, int mapId,
                                int ratingRange)
{
    creator->sender.newGame(mapId, o.placeBeforeAttack, o.capitals, o.timeout, o.sameHosts,
                            o.replaceBots, o.increasingCards, o.hideCards, o.noWhispering, o.blind,
                            o.minHumans, ratingRange, o.gifts, o.receiveCards, o.timerMode,
                            o.sameLevel, o.noRobots);
}

int ServerFixture::createGame(TestClient* creator, const GameOptions& options, int mapId,
                              int ratingRange)
{
    creator->forget();
    requestGame(creator, options, mapId, ratingRange);
    const std::optional<Message> game = creator->waitFor(Opcode::NewGame);
    // The creator's own seat comes last; after it the game is complete.
    return game && creator->waitFor(Opcode::Player) ? game->getInt(1) : 0;
}

int ServerFixture::gameLeftToRobots(TestClient* creator, const QStringList& robots,
                                    TestClient* watcher)
{
    const int game = createGame(creator);
    if (game == 0)
        return 0;
    for (const QString& robot : robots)
        creator->sender.robot(robot);
    // The seats are numbered from the creator's, 0.
    if (!creator->waitFor(Opcode::Player, testutil::firstIs(int(robots.size()))))
        return 0;
    watcher->sender.watch(game);
    if (!watcher->sync())
        return 0;
    creator->sender.start();
    if (!creator->waitFor(Opcode::Init))
        return 0;
    creator->sender.part();
    return game;
}

bool ServerFixture::drop(TestClient* client)
{
    const int users = m_server->userCount();
    std::erase_if(m_clients, [client](const auto& c) { return c.get() == client; });
    return QTest::qWaitFor([&] { return m_server->userCount() < users; });
}

QString testutil::dataDirectory()
{
    return qEnvironmentVariable("TARVENIX_SOURCE_DIR") + QStringLiteral("/data");
}

MapData testutil::shippedMap(const QString& folder)
{
    return MapData::readFolder(dataDirectory() + QStringLiteral("/maps/") + folder, nullptr)
        .value_or(MapData());
}

std::optional<QStringList> testutil::rawSql(const QString& path, const QStringList& statements)
{
    std::optional<QStringList> rows;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            rows.emplace();
            for (const QString& sql : statements) {
                if (!q.exec(sql))
                    rows.reset();
                if (!rows)
                    break;
            }
            while (rows && q.next())
                rows->append(q.value(0).toString());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return rows;
}

quint16 testutil::startServerProgram(QProcess& program, const QString& database,
                                     const QStringList& extra, quint16 port)
{
    const QString path =
        qEnvironmentVariable("TARVENIX_RUN_DIR") + QStringLiteral("/tarvenix-server");
    if (!QFileInfo::exists(path))
        return 0;
    if (port == 0) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost))
            return 0;
        port = probe.serverPort();
    }
    program.start(path, QStringList{QStringLiteral("--port"), QString::number(port),
                                    QStringLiteral("--db"), database, QStringLiteral("--data"),
                                    dataDirectory(), QStringLiteral("--fast-hashing")} +
                            extra);
    if (!program.waitForStarted())
        return 0;
    // A machine busy with other builds may take several seconds to start
    // the program and take up its saved games; one that gave up is not
    // waited for.
    const bool listening = QTest::qWaitFor(
        [&] {
            if (program.state() == QProcess::NotRunning)
                return true;
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            return socket.waitForConnected(100);
        },
        20000);
    return listening && program.state() != QProcess::NotRunning ? port : 0;
}
