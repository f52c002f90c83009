#include "server.h"

#include "clientsession.h"
#include "gamelimits.h"
#include "iothread.h"
#include "nickname.h"
#include "ops/metrics.h"
#include "outgoing.h"
#include "request.h"
#include "serverlogging.h"
#include "storage/openstorage.h"
#include "storage/storageexecutor.h"

#include <QSysInfo>
#include <QTcpSocket>
#include <QThread>

#include <algorithm>

namespace {

QList<RobotInfo> defaultRobots()
{
    const QString owner = QStringLiteral("server");
    // Three of each level, so that a game can hold any mix of levels.
    return {
        {QStringLiteral("Anvil"), owner, Rules::StartingRating, 0, 1},
        {QStringLiteral("Bramble"), owner, Rules::StartingRating, 0, 1},
        {QStringLiteral("Cinder"), owner, Rules::StartingRating, 0, 1},
        {QStringLiteral("Dynamo"), owner, Rules::StartingRating, 0, 2},
        {QStringLiteral("Ember"), owner, Rules::StartingRating, 0, 2},
        {QStringLiteral("Flint"), owner, Rules::StartingRating, 0, 2},
        {QStringLiteral("Garnet"), owner, Rules::StartingRating, 0, 3},
        {QStringLiteral("Halcyon"), owner, Rules::StartingRating, 0, 3},
        {QStringLiteral("Ironwood"), owner, Rules::StartingRating, 0, 3},
        {QStringLiteral("Jasper"), owner, Rules::StartingRating, 0, 4},
        {QStringLiteral("Kestrel"), owner, Rules::StartingRating, 0, 4},
        {QStringLiteral("Lodestar"), owner, Rules::StartingRating, 0, 4},
    };
}

// A count with its noun for the log: "1 running game", "2 running games".
QString counted(qint64 n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QString runningGames(qint64 n)
{
    return counted(n, "running game", "running games");
}

} // namespace

Server::Server(const ServerOptions& options, QObject* parent)
    : QObject(parent), m_options(options), m_steadyClock(options.timerSecondMs),
      m_turnClock(options.turnClock ? options.turnClock : &m_steadyClock),
      m_mapSlots(m_options, m_maps), m_robots(defaultRobots()), m_lobby(options),
      m_games(m_options, m_lobby, m_maps, m_robots, *m_turnClock),
      m_accounts(m_options, m_robots, m_clock, RefusalLinesPerSecond)
{
    m_accounts.setGraceLeft(
        [this](const QString& nickname) { return m_games.graceLeft(nickname); });
    m_accounts.setLoggedOn(
        [this](const QString& nickname) { return m_lobby.find(nickname) != nullptr; });
    m_accounts.setHeldMaps([this] { return m_maps.cachedUploadIds(); });
    connect(&m_accounts, &Accounts::loggedIn, this, &Server::completeLogin);
    connect(&m_accounts, &Accounts::refusalsSuppressed, this, [this] {
        if (!m_refusalSummary.isActive())
            m_refusalSummary.start();
    });
    connect(&m_listener, &QTcpServer::newConnection, this, &Server::acceptConnections);
    m_mapSlots.setInUse([this](int id) { return m_games.usesMap(id); });
    m_maps.setInUse([this](int id) { return m_games.usesMap(id); });
    connect(&m_games, &GameDirectory::ended, this,
            [this](int mapId) { m_mapSlots.release(mapId); });
    // Write first, then send: what a round tells of saved games waits for
    // their save, and each round's output goes once its writes are done.
    connect(&m_games, &GameDirectory::outputHeld, this, [this](GameDirectory::Hold hold) {
        if (!m_gate.isRoundOpen())
            m_gate.openPass();
        if (hold == GameDirectory::Hold::Everybody)
            m_gate.holdAll();
        else if (hold == GameDirectory::Hold::EverybodyUntilClosed)
            m_gate.holdAllUntilClosed();
    });
    // What tells of a game that vanished within its round goes to its
    // creator only.
    const auto outsideVanished = [](const QList<VanishedGame>& vanished) -> OutputGate::Keep {
        if (vanished.isEmpty())
            return {};
        return [vanished](const ClientSession& session, const QByteArray& wire) {
            return std::none_of(vanished.cbegin(), vanished.cend(), [&](const VanishedGame& game) {
                return game.creator != &session && outgoing::namesGame(wire, game.id);
            });
        };
    };
    connect(&m_games, &GameDirectory::roundClosed, this,
            [this, outsideVanished](const QList<VanishedGame>& vanished) {
                m_gate.closeRound(outsideVanished(vanished));
            });
    connect(&m_games, &GameDirectory::roundWritten, this,
            [this, outsideVanished](const QList<VanishedGame>& vanished) {
                m_gate.releasePass(outsideVanished(vanished));
            });
    const int ioThreads = m_options.ioThreads >= 0
                              ? m_options.ioThreads
                              : automaticIoThreads(QThread::idealThreadCount());
    for (int i = 0; i < ioThreads; ++i)
        m_io.push_back(std::make_unique<IoThread>());
    if (m_io.empty())
        m_io.push_back(std::make_unique<IoThread>(IoThread::Mode::CallerThread));
    m_clock.start();
    m_refusalSummary.setSingleShot(true);
    m_refusalSummary.setInterval(1000);
    connect(&m_refusalSummary, &QTimer::timeout, this, &Server::logRefusalSummary);
}

Server::~Server()
{
    // Hashes still being checked answer to a server that is going; their
    // answers are dropped with it.
    m_accounts.waitForHashes();
    // Sessions point into the game rooms; let them go first.
    qDeleteAll(m_sessions);
    // What was posted to the storage is written before the logins go: the
    // last saves of the games and their results among it.
    m_gamesExecutor.reset();
    m_storageExecutor.reset();
    // A lease of no time gives every login of this server back to the
    // others at once.
    if (m_storage)
        m_storage->renewLease(0, true);
}

int Server::automaticIoThreads(int cores)
{
    return std::clamp(cores - 1, 1, 4);
}

bool Server::isValidNickname(const QString& nickname)
{
    return Rules::isValidNickname(nickname);
}

QString Server::storageName(const ServerOptions& options)
{
    if (!options.serverName.isEmpty())
        return options.serverName;
    return QStringLiteral("%1:%2").arg(QSysInfo::machineHostName()).arg(options.port);
}

bool Server::start(QString* error)
{
    if (!m_accounts.isUsable()) {
        *error = QStringLiteral("libsodium could not be initialised");
        return false;
    }
    QString dbError;
    m_storage = StorageLocation::open(m_options.databasePath, storageName(m_options), &dbError,
                                      m_options.databaseDeadlineMs);
    if (!m_storage) {
        *error = QStringLiteral("cannot open database %1: %2")
                     .arg(StorageLocation::forLog(m_options.databasePath), dbError);
        return false;
    }
    m_storageExecutor =
        StorageLocation::executor(m_options.databasePath, storageName(m_options), *m_storage,
                                  &dbError, m_options.databaseDeadlineMs);
    if (!m_storageExecutor) {
        *error = QStringLiteral("cannot open database %1: %2")
                     .arg(StorageLocation::forLog(m_options.databasePath), dbError);
        return false;
    }
    m_gamesExecutor = StorageLocation::gamesExecutor(m_options.databasePath, storageName(m_options),
                                                     &dbError, m_options.databaseDeadlineMs);
    if (!m_gamesExecutor) {
        *error = QStringLiteral("cannot open database %1: %2")
                     .arg(StorageLocation::forLog(m_options.databasePath), dbError);
        return false;
    }
    // The maps of saved games are read at the start; later requests bring
    // the maps they name into the cache through the executor first.
    m_games.setStorage(m_storage.get(), m_gamesExecutor.get(), m_storageExecutor->isInline());
    m_accounts.setStorage(m_storageExecutor.get());
    m_mapSlots.setStorage(m_storageExecutor.get());
    // Maps that only a game kept when the server last stopped have nobody
    // left to play them.
    if (const int unused = m_storage->removeUnusedMaps())
        qCInfo(lcServer).noquote()
            << "removed" << counted(unused, "uploaded map", "uploaded maps") << "no slot refers to";
    m_maps.loadDefaultMaps(m_options.dataDirectory);
    m_storage->loadRobotRatings(m_robots);
    m_databaseWritable = m_storage->isWritable();
    m_games.restore();
    // Renewed three times within the lease, so that a slow round of the
    // event loop never lets it run out.
    m_storage->renewLease(m_options.loginLeaseSeconds, true);
    m_loginLease.setInterval(m_options.loginLeaseSeconds * 1000 / 3);
    connect(&m_loginLease, &QTimer::timeout, this, [this] {
        m_storageExecutor->post([seconds = m_options.loginLeaseSeconds](Storage& storage) {
            storage.renewLease(seconds, false);
        });
    });
    m_loginLease.start();
    m_listener.setMaxPendingConnections(128);
    if (!m_listener.listen(m_options.listenAddress, m_options.port)) {
        *error = QStringLiteral("cannot listen on %1:%2: %3")
                     .arg(m_options.listenAddress.toString())
                     .arg(m_options.port)
                     .arg(m_listener.errorString());
        return false;
    }
    qCInfo(lcServer).noquote() << "listening on" << m_options.listenAddress.toString() << "port"
                               << m_listener.serverPort() << "database"
                               << StorageLocation::forLog(m_options.databasePath);
    return true;
}

void Server::shutdown()
{
    if (m_closing)
        return;
    m_closing = true;
    m_listener.close();
    const Message closing = outgoing::closed();
    for (ClientSession* s : std::as_const(m_sessions))
        s->send(closing);
    // Every game is saved as it stands and then stands still, so that the
    // next start takes each up where it is now.
    const std::uint64_t failedBefore = Metrics::instance().gameSaveFailures.value();
    const int saving = m_games.saveAndHalt();
    if (saving > 0) {
        qCInfo(lcServer).noquote() << "saving" << runningGames(saving);
        // The games' writes run in order: this follows the saves just handed
        // over (and a write still under way before them, whose failures it
        // counts too), and runs before the server is gone, since the writer
        // finishes what it was given first.
        m_gamesExecutor->post([saving, failedBefore](Storage&) {
            const qint64 failed = std::min<qint64>(
                saving, Metrics::instance().gameSaveFailures.value() - failedBefore);
            if (failed == 0)
                qCInfo(lcServer).noquote() << "saved" << runningGames(saving);
            else
                qCWarning(lcServer).noquote() << "saved" << saving - failed << "of"
                                              << runningGames(saving) << "- the others are lost";
        });
    }
    for (ClientSession* s : std::as_const(m_sessions))
        s->finish(QStringLiteral("server shutting down"));
}

void Server::acceptConnections()
{
    while (QTcpSocket* socket = m_listener.nextPendingConnection()) {
        // A peer that reset its connection before it was accepted has no
        // address left to read; every limit kept per address would miss it.
        if (socket->peerAddress().isNull()) {
            if (m_connectionLog.allow(m_clock.elapsed(), QString()))
                qCWarning(lcServer).noquote() << "refused connection - its address is unknown";
            else if (!m_refusalSummary.isActive())
                m_refusalSummary.start();
            socket->abort();
            socket->deleteLater();
            continue;
        }
        const QString address = ClientSession::addressOf(socket->peerAddress());
        const bool exempt = m_options.trustedAddresses.contains(address);
        const AddressUse use = m_addresses.value(address);
        QString refusal;
        QString reason;
        if (m_sessions.size() >= m_options.maxClients) {
            refusal = QStringLiteral("client limit %1 reached").arg(m_options.maxClients);
            reason = QStringLiteral("client_limit");
        } else if (!exempt && use.connections >= m_options.maxConnectionsPerAddress) {
            refusal = QStringLiteral("%1 connections from the address").arg(use.connections);
            reason = QStringLiteral("address_limit");
        } else if (!exempt && use.unauthenticated >= m_options.maxUnauthenticatedPerAddress) {
            refusal = QStringLiteral("%1 connections from the address not logged in")
                          .arg(use.unauthenticated);
            reason = QStringLiteral("not_logged_in_limit");
        }
        if (!refusal.isEmpty()) {
            Metrics::instance().connectionsRefused.add(reason);
            if (m_connectionLog.allow(m_clock.elapsed(), address))
                qCWarning(lcServer).noquote()
                    << "refused connection from" << address << "-" << refusal;
            else if (!m_refusalSummary.isActive())
                m_refusalSummary.start();
            socket->abort();
            socket->deleteLater();
            continue;
        }
        Metrics::instance().connectionsAccepted.add();
        AddressUse& counted = m_addresses[address];
        ++counted.connections;
        ++counted.unauthenticated;
        IoThread& io = *m_io[m_nextIo++ % m_io.size()];
        auto* session = new ClientSession(socket, m_options, io, this);
        session->setGate(&m_gate);
        m_sessions.append(session);
        connect(session, &ClientSession::received, this, [this, session](const Message& m) {
            Metrics::instance().requestsIn.add();
            if (session->isWaitingForStorage())
                session->defer(m);
            else
                handle(session, m);
        });
        connect(session, &ClientSession::closed, this, [this, session] { sessionClosed(session); });
    }
}

void Server::refuse(ClientSession* session, Opcode opcode, const QString& why)
{
    session->addRefusal();
    {
        const char* request = Protocol::opcodeName(qint32(opcode));
        Metrics::instance().refusals.add(request ? QString::fromLatin1(request)
                                                 : QStringLiteral("unknown"));
    }
    if (!m_refusalLog.allow(m_clock.elapsed(), session->peerAddress())) {
        if (!m_refusalSummary.isActive())
            m_refusalSummary.start();
        return;
    }
    const char* name = Protocol::opcodeName(qint32(opcode));
    qCWarning(lcServer).noquote()
        << "refused request" << (name ? QString::fromLatin1(name) : QString::number(qint32(opcode)))
        << "from" << (session->isLoggedIn() ? session->nickname() : session->peerAddress()) << "-"
        << why;
}

void Server::logRefusalSummary()
{
    const struct
    {
        LogThrottle& throttle;
        const char* what;
    } kinds[] = {{m_refusalLog, "refused requests"},
                 {m_accounts.loginLog(), "refused logins"},
                 {m_connectionLog, "refused connections"}};
    for (const auto& kind : kinds) {
        if (const std::optional<LogThrottle::Summary> summary = kind.throttle.takeSummary())
            qCWarning(lcServer).noquote()
                << summary->suppressed << "more" << kind.what << "not logged,"
                << summary->busiestCount << "of them from" << summary->busiest;
    }
}

void Server::handle(ClientSession* session, const Message& message)
{
    const Metrics::Timed timed(Metrics::instance().requestSeconds);
    dispatch(session, message);
}

void Server::answer(ClientSession* session, Opcode opcode, StorageAnswer answer)
{
    if (!answer.waits()) {
        if (!answer.refusal.isEmpty())
            refuse(session, opcode, answer.refusal);
        return;
    }
    session->setWaitingForStorage(true);
    m_storageExecutor->post(
        std::move(answer.work),
        [this, guard = QPointer(session), opcode, then = answer.then] {
            const bool present = guard && guard->state() != ClientSession::State::Closing;
            const QString why = then(present);
            if (!present)
                return;
            if (!why.isEmpty())
                refuse(guard, opcode, why);
            resume(guard);
        },
        true);
}

void Server::resume(ClientSession* session)
{
    session->setWaitingForStorage(false);
    while (!session->isWaitingForStorage() && session->state() != ClientSession::State::Closing) {
        std::optional<Message> next = session->takeDeferred();
        if (!next)
            break;
        handle(session, *next);
    }
}

void Server::dispatch(ClientSession* session, const Message& message)
{
    if (session->state() == ClientSession::State::Closing)
        return;
    if (!request::isInt(message, 0)) {
        refuse(session, Opcode(-1), QStringLiteral("no opcode"));
        return;
    }
    const auto opcode = Opcode(Protocol::opcodeOf(message));
    if (opcode == Opcode::Ping)
        return;

    // The services answer with why they refused a request, if they did.
    const auto refused = [&](const QString& why) {
        if (!why.isEmpty())
            refuse(session, opcode, why);
        return !why.isEmpty();
    };
    if (!session->isLoggedIn()) {
        if (opcode == Opcode::Login)
            refused(m_accounts.login(session, message));
        else if (opcode == Opcode::Register)
            refused(m_accounts.registration(session, message));
        else
            refuse(session, opcode, QStringLiteral("not logged in"));
        return;
    }

    if (!takeLobbyMove(session, opcode))
        return;

    switch (opcode) {
    case Opcode::Login:
    case Opcode::Register:
        refuse(session, opcode, QStringLiteral("already logged in"));
        break;
    case Opcode::GlobalChat:
    case Opcode::GameChat:
    case Opcode::MembersChat:
        if (!refused(m_lobby.chat(*session, message, m_clock.elapsed())))
            countChat(*session, opcode);
        break;
    case Opcode::Whisper:
        if (!refused(m_lobby.whisper(*session, message, m_clock.elapsed())))
            countChat(*session, opcode);
        break;
    case Opcode::NewGame: {
        // An uploaded map not at hand is read first; the game is made once
        // it is.
        StorageAnswer fetched = m_mapSlots.fetch(message.getInt(1));
        if (!fetched.waits()) {
            refused(m_games.newGame(session, message));
            break;
        }
        fetched.then = [this, session, message, then = std::move(fetched.then)](bool present) {
            QString why = then(present);
            if (why.isEmpty() && present)
                why = m_games.newGame(session, message);
            return why;
        };
        answer(session, opcode, std::move(fetched));
        break;
    }
    case Opcode::Join:
        refused(m_games.join(session, message));
        break;
    case Opcode::Watch:
        refused(m_games.watch(session, message));
        break;
    case Opcode::Part:
        refused(m_games.part(session));
        break;
    case Opcode::Kick:
        refused(m_games.kick(session, message));
        break;
    case Opcode::Robot:
        refused(m_games.robot(session, message));
        break;
    case Opcode::AddMask:
    case Opcode::RemoveMask:
        answer(session, opcode, m_lobby.mask(*session, message));
        break;
    case Opcode::StartMap:
    case Opcode::ContinentMap:
    case Opcode::CountryMap:
    case Opcode::NeighbourMap:
    case Opcode::LineMap:
        refused(m_mapSlots.part(session, message));
        break;
    case Opcode::EndMap:
        answer(session, opcode, m_mapSlots.end(session, message));
        break;
    case Opcode::StartGame:
        refused(m_games.start(session));
        break;
    case Opcode::Capital:
    case Opcode::Place:
    case Opcode::All:
    case Opcode::Armies:
    case Opcode::Attack:
    case Opcode::Take:
    case Opcode::Move:
    case Opcode::Exchange:
    case Opcode::End:
        refused(m_games.turn(session, message));
        break;
    case Opcode::Slot:
        answer(session, opcode, m_mapSlots.storeSlot(session, message));
        break;
    default:
        // Turn requests (24 to 39) belong to a running game; no game runs yet.
        refuse(session, opcode, QStringLiteral("not allowed now"));
        break;
    }
}

bool Server::takeLobbyMove(ClientSession* session, Opcode opcode)
{
    switch (opcode) {
    case Opcode::NewGame:
    case Opcode::Join:
    case Opcode::Watch:
    case Opcode::Kick:
    case Opcode::Robot:
        break;
    case Opcode::Part:
        // Leaving is never refused, but it is paid for: a create and a
        // leave are a pair.
        session->lobbyMoves().spend(m_clock.elapsed());
        return true;
    default:
        return true;
    }
    if (session->lobbyMoves().take(m_clock.elapsed()))
        return true;
    refuse(session, opcode, QStringLiteral("lobby allowance spent"));
    return false;
}

void Server::sessionClosed(ClientSession* session)
{
    // Its login, held back or waiting for the hashing thread, goes with it.
    m_accounts.sessionClosed(session);
    const bool loggedIn = m_lobby.contains(session);
    const auto use = m_addresses.find(session->peerAddress());
    if (use != m_addresses.end()) {
        --use->connections;
        if (!loggedIn)
            --use->unauthenticated;
        if (use->connections <= 0)
            m_addresses.erase(use);
    }
    if (loggedIn) {
        // Closing, the games keep their seats as they are: they were saved so.
        if (!m_closing && !m_games.holdSeat(session) && session->game())
            m_games.leave(session);
        m_lobby.remove(session);
        m_storageExecutor->post(
            [nickname = session->nickname()](Storage& storage) { storage.releaseLogin(nickname); });
        m_mapSlots.forget(session);
        qCInfo(lcServer).noquote() << "logout" << session->nickname();
    }
    if (session->refusals() > 0)
        qCInfo(lcServer).noquote()
            << "connection from" << session->peerAddress() << "closed after"
            << counted(session->refusals(), "refused request", "refused requests");
    m_sessions.removeAll(session);
    session->deleteLater();
}

void Server::completeLogin(ClientSession* session, const Account& account,
                           const LoginWelcome& welcome)
{
    for (const MapData& map : welcome.maps)
        m_maps.add(map);
    // The login or registration claimed the nickname when it was stored.
    session->setLoggedIn(account);
    m_lobby.add(session);
    --m_addresses[session->peerAddress()].unauthenticated;
    qCInfo(lcServer).noquote() << "login" << account.nickname << "from" << session->host();

    session->send(outgoing::success(account.nickname));
    Metrics::instance().logins.add(QStringLiteral("ok"));

    const Message announced = outgoing::newUser(account.nickname, session->host());
    const Message record = Lobby::userRecord(*session);
    for (Peer* other : m_lobby.users()) {
        if (other != session) {
            other->send(announced);
            other->send(record);
        }
    }

    for (const Peer* user : m_lobby.users()) {
        session->send(outgoing::newUser(user->nickname(), user->host()));
        session->send(Lobby::userRecord(*user));
    }
    for (const auto& [id, room] : m_games.rooms()) {
        session->send(room->announcement());
        session->send(room->status());
    }
    // The records above named games the client did not know yet; now that it
    // does, the records of everyone in a game tie them to it.
    for (const Peer* user : m_lobby.users()) {
        if (user->game())
            session->send(Lobby::userRecord(*user));
    }
    for (const StoredMask& mask : welcome.masks)
        session->send(outgoing::mask(mask.pattern, mask.kind));

    m_mapSlots.sendSlots(session, welcome.mapSlots);

    for (const RobotInfo& robot : std::as_const(m_robots))
        session->send(outgoing::robot(robot));
    m_games.rejoin(session);
}
