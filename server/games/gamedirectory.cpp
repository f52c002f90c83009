#include "gamedirectory.h"

#include "board.h"
#include "elo.h"
#include "gamelimits.h"
#include "gametable.h"
#include "lobby/lobby.h"
#include "maps/mapstore.h"
#include "ops/metrics.h"
#include "outgoing.h"
#include "peer.h"
#include "request.h"
#include "serverlogging.h"
#include "storage/storage.h"
#include "storage/storageexecutor.h"

namespace {

bool inRange(int v, int low, int high)
{
    return v >= low && v <= high;
}

} // namespace

GameDirectory::GameDirectory(const ServerOptions& options, Lobby& lobby, MapStore& maps,
                             QList<RobotInfo>& robots, TurnClock& clock, QObject* parent)
    : QObject(parent), m_options(options), m_lobby(lobby), m_maps(maps), m_robots(robots),
      m_turnClock(clock), m_seeds(options.seed ? SeededRandom(*options.seed) : SeededRandom())
{
    connect(&m_saver, &GameSaver::due, this, &GameDirectory::holdGame);
    m_pace.setSingleShot(true);
    m_pace.setTimerType(Qt::PreciseTimer);
    connect(&m_pace, &QTimer::timeout, this, &GameDirectory::writeWhenDue);
}

GameDirectory::~GameDirectory() = default;

void GameDirectory::setStorage(Storage* storage, StorageExecutor* writer, bool answersAtOnce)
{
    m_storage = storage;
    m_writer = writer;
    m_storageAnswersAtOnce = answersAtOnce || !writer;
    // A saver without storage marks nothing due, so no round waits for it.
    m_saver.setEnabled(m_options.saveRunningGames && writer);
}

void GameDirectory::holdRound(Hold hold)
{
    holdGame(0);
    emit outputHeld(hold);
}

void GameDirectory::holdGame(int gameId)
{
    if (!m_roundOpen) {
        m_roundOpen = true;
        emit outputHeld(Hold::Games);
        // Every game due in this round is written in one go, once the
        // round's requests, timers and robots have had their turn.
        QMetaObject::invokeMethod(this, &GameDirectory::endRound, Qt::QueuedConnection);
    }
    if (const auto it = m_rooms.find(gameId); it != m_rooms.end()) {
        for (Peer* peer : it->second->audience())
            peer->holdForRound();
    }
}

void GameDirectory::endRound()
{
    // A shutdown may have ended the round before its queued end came.
    if (!m_roundOpen)
        return;
    closeRound();
    // While a write is under way, the rounds after it gather for the next
    // one: a busy server writes several rounds in one commit.
    writeWhenDue();
}

void GameDirectory::writeWhenDue()
{
    if (m_writing > 0 || m_pace.isActive() || m_closedRounds.isEmpty())
        return;
    // Each write is a commit, and a commit writes every page it touched
    // anew: many games a commit cost far less than a few games in many.
    // Robots without a pause reach hundreds of turns a second, which would
    // otherwise be written in hundreds of small commits.
    const qint64 wait = m_lastWrite.isValid() ? WriteIntervalMs - m_lastWrite.elapsed() : 0;
    if (wait > 0) {
        m_pace.start(int(wait));
        return;
    }
    writeRounds();
}

void GameDirectory::closeRound()
{
    m_roundOpen = false;
    m_fresh.clear();
    const QList<VanishedGame> vanished = std::exchange(m_vanished, {});
    m_closedRounds.append(vanished);
    emit roundClosed(vanished);
}

void GameDirectory::writeRounds()
{
    ++m_writing;
    m_lastWrite.start();
    QStringList rated;
    for (const FinishedWrite& f : std::as_const(m_results))
        rated += f.nicknames;
    m_writer->post(
        [games = m_saver.takeDue(), results = std::exchange(m_results, {}),
         removed = std::exchange(m_removedSaves, {})](Storage& storage) {
            GameSaver::write(storage, games);
            for (int id : removed)
                storage.removeSavedGame(id);
            // Each result is a commit that waits for the disk; it takes the
            // saves before it along.
            for (const FinishedWrite& f : results) {
                if (!storage.recordFinishedGame(f.result, f.accounts, f.robots))
                    qCWarning(lcServer)
                        << "game" << f.result.gameId << "result could not be stored";
            }
        },
        [this, rounds = std::exchange(m_closedRounds, {}), rated,
         maps = std::exchange(m_endedMaps, {})] {
            --m_writing;
            for (const QString& nickname : rated) {
                const auto it = m_unwritten.find(nickname);
                if (it != m_unwritten.end() && --it->second == 0)
                    m_unwritten.erase(it);
            }
            for (const QList<VanishedGame>& vanished : rounds)
                emit roundWritten(vanished);
            for (int mapId : maps)
                emit ended(mapId);
            writeWhenDue();
        });
}

bool GameDirectory::usesMap(int mapId) const
{
    return std::any_of(m_rooms.cbegin(), m_rooms.cend(),
                       [mapId](const auto& game) { return game.second->mapId() == mapId; });
}

qint64 GameDirectory::graceLeft(const QString& nickname) const
{
    for (const auto& [id, room] : m_rooms) {
        if (!room->isRunning())
            continue;
        for (int seat = 0; seat < GameRoom::SeatCount; ++seat) {
            const GameRoom::Seat& s = room->seat(seat);
            if (s.isHeld() && s.name.compare(nickname, Qt::CaseInsensitive) == 0)
                return room->table()->graceLeft(seat);
        }
    }
    return -1;
}

QString GameDirectory::part(Peer* user)
{
    if (!user->game())
        return QStringLiteral("not in a game");
    leave(user);
    return {};
}

bool GameDirectory::playsInRunningGame(const Peer* user) const
{
    return user->game() && user->game()->isRunning() && !user->isObserver();
}

void GameDirectory::sendToGame(const GameRoom* room, const Message& message, const Peer* except)
{
    const QByteArray& wire = message.data();
    for (Peer* s : room->audience()) {
        if (s != except)
            s->send(wire);
    }
}

QString GameDirectory::newGame(Peer* user, const Message& message)
{
    if (!request::matches(message, Opcode::NewGame))
        return QStringLiteral("malformed");
    if (playsInRunningGame(user))
        return QStringLiteral("plays in a running game");
    const int mapId = message.getInt(1);
    const MapStore::Entry* map = m_maps.find(mapId);
    if (!map)
        return QStringLiteral("no map %1").arg(mapId);
    int ratingRange = 0;
    GameOptions o = GameOptions::decodeRequest(message, 2, &ratingRange);
    if (!inRange(o.timeout, Rules::MinTimeout, Rules::MaxTimeout) ||
        !inRange(o.minHumans, 1, GameRoom::SeatCount) ||
        !inRange(ratingRange, Rules::MinRatingRange, Rules::MaxRatingRange) ||
        !inRange(o.timerMode, 0, Rules::MaxTimerMode)) {
        return QStringLiteral("option out of range");
    }
    o.applyRatingRange(ratingRange, user->account().rating);

    leave(user);
    const int id = m_nextGameId++;
    auto room = std::make_unique<GameRoom>(id, mapId, map->map.name, map->map.author, o);
    GameRoom* created = room.get();
    m_rooms.emplace(id, std::move(room));
    created->setOperatorName(user->nickname());
    created->seatHuman(user, user->nickname());
    user->setGame(created, false);
    qCInfo(lcServer).noquote() << "game" << id << "created by" << user->nickname() << "on map"
                               << mapId;
    // A game left again within the round never reaches the others; nothing
    // of a new game is written, so the lobby waits only for the round's end.
    m_fresh.insert(id, user);
    holdRound(Hold::EverybodyUntilClosed);
    m_lobby.broadcast(created->announcement());
    m_lobby.broadcast(created->status());
    m_lobby.broadcast(Lobby::userRecord(*user));
    enterGame(user, created);
    return {};
}

QString GameDirectory::join(Peer* user, const Message& message)
{
    if (!request::matches(message, Opcode::Join))
        return QStringLiteral("malformed");
    const auto it = m_rooms.find(message.getInt(1));
    if (it == m_rooms.end())
        return QStringLiteral("no game %1").arg(message.getInt(1));
    GameRoom* room = it->second.get();
    const Account& me = user->account();
    const GameOptions& o = room->options();
    QString why;
    if (playsInRunningGame(user))
        why = QStringLiteral("plays in a running game");
    else if (room->isRunning())
        why = QStringLiteral("game is running");
    else if (room->seatOf(user) >= 0)
        why = QStringLiteral("already plays in it");
    else if (room->players() >= GameRoom::SeatCount)
        why = QStringLiteral("game is full");
    else if (o.minRating > 0 && o.maxRating > 0 &&
             (me.rating < o.minRating || me.rating > o.maxRating))
        why = QStringLiteral("rating outside %1-%2").arg(o.minRating).arg(o.maxRating);
    if (why.isEmpty() && o.sameLevel) {
        const Peer* op = m_lobby.find(room->operatorName());
        if (op && op->account().level != me.level)
            why = QStringLiteral("level differs from the operator's");
    }
    // On loopback everyone shares one host; that is the point of a local
    // server, so the rule only applies to remote players.
    if (why.isEmpty() && !o.sameHosts && !user->isLoopback()) {
        for (const Peer* player : room->audience()) {
            if (room->seatOf(player) >= 0 && player->peerAddress() == user->peerAddress())
                why = QStringLiteral("another player from the same host");
        }
    }
    if (!why.isEmpty())
        return why;

    m_fresh.remove(room->id());
    if (user->game() == room) {
        room->removeObserver(user);
        user->setGame(nullptr, false);
    } else {
        leave(user);
    }
    const int seat = room->seatHuman(user, user->nickname());
    user->setGame(room, false);
    m_lobby.broadcast(room->status());
    m_lobby.broadcast(Lobby::userRecord(*user));
    enterGame(user, room);
    sendToGame(room, room->seatMessage(seat), user);
    return {};
}

QString GameDirectory::watch(Peer* user, const Message& message)
{
    if (!request::matches(message, Opcode::Watch))
        return QStringLiteral("malformed");
    const auto it = m_rooms.find(message.getInt(1));
    if (it == m_rooms.end())
        return QStringLiteral("no game %1").arg(message.getInt(1));
    GameRoom* room = it->second.get();
    if (playsInRunningGame(user))
        return QStringLiteral("plays in a running game");
    if (room->isObserver(user))
        return QStringLiteral("already watches it");
    if (user->game() != room)
        m_fresh.remove(room->id());

    if (user->game() == room) {
        // A player of a waiting game steps back to watching it.
        const int seat = room->seatOf(user);
        room->freeSeat(seat);
        room->addObserver(user);
        user->setGame(room, true);
        if (room->operatorName() == user->nickname()) {
            if (const Peer* next = room->successor())
                room->setOperatorName(next->nickname());
        }
        sendToGame(room, outgoing::endPlayer(seat));
        m_lobby.broadcast(room->status());
        m_lobby.broadcast(Lobby::userRecord(*user));
        return {};
    }

    leave(user);
    // The board he is shown may be a point still on its way to storage.
    if (room->isRunning())
        holdRound();
    room->addObserver(user);
    user->setGame(room, true);
    m_lobby.broadcast(room->status());
    m_lobby.broadcast(Lobby::userRecord(*user));
    enterGame(user, room);
    if (room->isRunning())
        room->table()->sendState(user, -1);
    return {};
}

void GameDirectory::enterGame(Peer* user, GameRoom* room)
{
    if (const MapStore::Entry* map = m_maps.find(room->mapId()))
        user->send(map->transfer);
    for (int seat = 0; seat < GameRoom::SeatCount; ++seat) {
        if (room->seat(seat).kind != GameRoom::Seat::Empty)
            user->send(room->seatMessage(seat));
    }
}

void GameDirectory::leave(Peer* user)
{
    GameRoom* room = user->game();
    if (!room)
        return;
    const int seat = room->seatOf(user);
    const bool running = room->isRunning();
    if (seat >= 0) {
        // A running game keeps the seat: its countries stay on the board and
        // its player still counts in the result.
        if (running) {
            room->seat(seat).peer = nullptr;
            room->seat(seat).departed = true;
        } else {
            room->freeSeat(seat);
        }
    }
    room->removeObserver(user);
    user->setGame(nullptr, false);

    // Users' records go out before the game's end, so no client is left
    // pointing at a game it has already removed.
    if (m_lobby.contains(user))
        m_lobby.broadcast(Lobby::userRecord(*user));
    if (room->isEmpty()) {
        endGame(room);
        return;
    }
    if (room->operatorName() == user->nickname()) {
        if (const Peer* next = room->successor())
            room->setOperatorName(next->nickname());
    }
    if (seat >= 0 && running) {
        room->table()->seatGone(seat);
    } else if (seat >= 0) {
        sendToGame(room, outgoing::endPlayer(seat));
    }
    m_lobby.broadcast(room->status());
}

void GameDirectory::endGame(GameRoom* room, bool resultRecorded)
{
    const int id = room->id();
    const bool running = room->isRunning();
    m_saver.forget(id);
    m_finishing.remove(id);
    if (const auto fresh = m_fresh.constFind(id); fresh != m_fresh.cend()) {
        m_vanished.append({id, fresh.value()});
        m_fresh.erase(fresh);
    }
    // A finished game's save went with its result. The others' goes before
    // anybody hears of the end, also that of a game over whose result was
    // not stored (everybody left before it was).
    if (running && !resultRecorded) {
        holdRound();
        m_removedSaves.append(id);
    }
    // Whoever is still in the game leaves it first.
    for (Peer* s : room->audience()) {
        s->setGame(nullptr, false);
        m_lobby.broadcast(Lobby::userRecord(*s));
    }
    m_lobby.broadcast(outgoing::endGame(id));
    qCInfo(lcServer) << "game" << id << "ended";
    // The game may end from inside its own table's signal; the table goes
    // once that has returned.
    if (std::unique_ptr<GameTable> table = room->takeTable()) {
        table->halt();
        table.release()->deleteLater();
    }
    const int mapId = room->mapId();
    m_rooms.erase(id);
    // A running game's save keeps its map until the write that ends it is
    // done.
    if (running)
        m_endedMaps.append(mapId);
    else
        emit ended(mapId);
}

QString GameDirectory::kick(Peer* user, const Message& message)
{
    if (!request::matches(message, Opcode::Kick))
        return QStringLiteral("malformed");
    GameRoom* room = user->game();
    if (!room || room->operatorName() != user->nickname())
        return QStringLiteral("not the operator of a game");
    const QString name = request::text(message, 1);
    Peer* target = m_lobby.find(name);
    if (target && target != user && target->game() == room) {
        if (room->isRunning() && !target->isObserver())
            return QStringLiteral("%1 plays in a running game").arg(logText(name));
        qCInfo(lcServer).noquote()
            << user->nickname() << "kicked" << target->nickname() << "out of game" << room->id();
        leave(target);
        return {};
    }
    const int robotSeat = room->robotSeat(name);
    if (!target && robotSeat >= 0 && !room->isRunning()) {
        room->freeSeat(robotSeat);
        sendToGame(room, outgoing::endPlayer(robotSeat));
        m_lobby.broadcast(room->status());
        return {};
    }
    return QStringLiteral("%1 is not in the game").arg(logText(name));
}

QString GameDirectory::robot(Peer* user, const Message& message)
{
    if (!request::matches(message, Opcode::Robot))
        return QStringLiteral("malformed");
    GameRoom* room = user->game();
    if (!room || room->operatorName() != user->nickname() || room->isRunning())
        return QStringLiteral("not the operator of a waiting game");
    const QString name = request::text(message, 1);
    const auto robot = std::find_if(m_robots.cbegin(), m_robots.cend(), [&](const RobotInfo& r) {
        return r.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (robot == m_robots.cend() || room->robotSeat(robot->name) >= 0 || !room->canAddRobot())
        return QStringLiteral("robot %1 cannot be added").arg(logText(name));
    const int seat = room->seatRobot(robot->name);
    m_lobby.broadcast(room->status());
    sendToGame(room, room->seatMessage(seat));
    return {};
}

QString GameDirectory::start(Peer* user)
{
    GameRoom* room = user->game();
    if (!room || room->operatorName() != user->nickname())
        return QStringLiteral("not the operator of a game");
    if (!room->canStart())
        return QStringLiteral("game %1 cannot start").arg(room->id());
    const MapStore::Entry* map = m_maps.find(room->mapId());
    if (!map)
        return QStringLiteral("map %1 is gone").arg(room->mapId());
    std::unique_ptr<GameTable> table = makeTable(room, map->map, m_seeds.next());
    GameTable* started = table.get();
    room->setTable(std::move(table));
    qCInfo(lcServer).noquote() << "game" << room->id() << "started by" << user->nickname();

    m_lobby.broadcast(room->status());
    for (int seat = 0; seat < GameRoom::SeatCount; ++seat) {
        if (room->seat(seat).kind != GameRoom::Seat::Empty)
            sendToGame(room, room->seatMessage(seat));
    }
    started->start();
    return {};
}

std::unique_ptr<GameTable> GameDirectory::makeTable(GameRoom* room, const MapData& map,
                                                    std::uint64_t seed)
{
    auto table = std::make_unique<GameTable>(*room, std::make_shared<const Board>(map), m_robots,
                                             seed, m_options.robotDelayMs, m_turnClock);
    table->setSaver(&m_saver);
    connect(table.get(), &GameTable::finished, this, [this, id = room->id()](int winner) {
        const auto it = m_rooms.find(id);
        if (it != m_rooms.end() && it->second->isRunning())
            gameFinished(it->second.get(), winner);
    });
    connect(table.get(), &GameTable::graceOver, this, [this, id = room->id()](int seat) {
        const auto it = m_rooms.find(id);
        if (it != m_rooms.end() && it->second->isRunning() && it->second->seat(seat).isHeld())
            seatGone(it->second.get(), seat);
    });
    return table;
}

void GameDirectory::restore()
{
    for (const SavedGame& saved : m_storage->savedGames()) {
        m_nextGameId = std::max(m_nextGameId, saved.id + 1);
        QString why;
        if (restoreGame(saved, &why)) {
            // Saved before saving was turned off: the game plays on, but its
            // save would bring an old turn back after the next restart.
            if (!m_options.saveRunningGames)
                m_storage->removeSavedGame(saved.id);
            continue;
        }
        // Nobody is rated for a game the restart broke.
        qCWarning(lcServer).noquote()
            << "game" << saved.id << "cannot be restored and ends unrated:" << why;
        m_storage->removeSavedGame(saved.id);
        emit ended(saved.mapId);
    }
}

bool GameDirectory::restoreGame(const SavedGame& saved, QString* why)
{
    // At the start, before anybody is connected, the uploaded map a saved
    // game plays on is read from the storage; from then on it stays at hand
    // while the game runs.
    const MapStore::Entry* map = m_maps.find(saved.mapId);
    if (!map && saved.mapId > MapStore::MaxDefaultMapId) {
        if (const std::optional<MapData> stored = m_storage->loadMap(saved.mapId))
            map = m_maps.add(*stored);
    }
    if (!map) {
        *why = QStringLiteral("its map %1 is gone").arg(saved.mapId);
        return false;
    }
    auto room = std::make_unique<GameRoom>(saved.id, saved.mapId, map->map.name, map->map.author,
                                           saved.options);
    room->setOperatorName(saved.operatorName);
    for (const SavedSeat& s : saved.seats) {
        if (s.seat < 0 || s.seat >= GameRoom::SeatCount ||
            room->seat(s.seat).kind != GameRoom::Seat::Empty) {
            *why = QStringLiteral("its seats are damaged");
            return false;
        }
        GameRoom::Seat& seat = room->seat(s.seat);
        seat.kind = s.robot ? GameRoom::Seat::Robot : GameRoom::Seat::Human;
        seat.name = s.name;
        seat.account = s.accountId;
        seat.standIn = s.standIn;
        seat.departed = s.departed;
    }
    std::unique_ptr<GameTable> table = makeTable(room.get(), map->map, 0);
    if (!table->restore(saved, why))
        return false;
    GameTable* restored = table.get();
    room->setTable(std::move(table));
    GameRoom* r = room.get();
    m_rooms.emplace(saved.id, std::move(room));
    // Every player is away after a restart: his seat is held for the whole
    // grace, as after a dropped connection.
    int held = 0;
    for (int seat = 0; seat < GameRoom::SeatCount; ++seat) {
        if (r->seat(seat).isHeld() && restored->engine().isActive(seat)) {
            restored->seatAway(seat, m_options.rejoinGraceMs);
            ++held;
        }
    }
    restored->resume();
    qCInfo(lcServer).noquote() << "game" << saved.id << "restored on map" << saved.mapId
                               << "in turn" << restored->engine().turns() << "with" << held
                               << "seats held";
    return true;
}

int GameDirectory::saveAndHalt()
{
    for (const auto& [id, room] : m_rooms) {
        if (GameTable* table = room->table())
            table->save();
    }
    // The round ends here and is written at once, whatever is under way:
    // its output goes once the saves are written.
    holdRound();
    closeRound();
    const int saved = m_saver.dueCount();
    writeRounds();
    for (const auto& [id, room] : m_rooms) {
        if (GameTable* table = room->table())
            table->halt();
    }
    return saved;
}

QString GameDirectory::turn(Peer* user, const Message& message)
{
    GameRoom* room = user->game();
    const int seat = room ? room->seatOf(user) : -1;
    if (!room || !room->isRunning() || seat < 0)
        return QStringLiteral("not playing a running game");
    const QString refused = room->table()->handle(seat, message);
    if (!refused.isEmpty())
        return QStringLiteral("game %1 seat %2 - %3").arg(room->id()).arg(seat).arg(refused);
    return {};
}

bool GameDirectory::holdSeat(Peer* user)
{
    GameRoom* room = user->game();
    if (!room || !room->isRunning() || user->isObserver())
        return false;
    const int seat = room->seatOf(user);
    if (seat < 0 || !room->table()->engine().isActive(seat))
        return false;
    room->seat(seat).peer = nullptr;
    user->setGame(nullptr, false);
    qCInfo(lcServer).noquote() << "game" << room->id() << "holds seat" << seat << "for"
                               << user->nickname();
    // The seat is kept for the grace period, as long as the game runs.
    room->table()->seatAway(seat, m_options.rejoinGraceMs);
    m_lobby.broadcast(room->status());
    return true;
}

void GameDirectory::seatGone(GameRoom* room, int seat)
{
    qCInfo(lcServer).noquote() << "game" << room->id() << "gives up seat" << seat << "of"
                               << room->seat(seat).name;
    room->seat(seat).departed = true;
    if (room->clients() == 0 && room->disconnected() == 0) {
        endGame(room);
        return;
    }
    room->table()->seatGone(seat);
    m_lobby.broadcast(room->status());
}

void GameDirectory::rejoin(Peer* user)
{
    for (const auto& [id, room] : m_rooms) {
        if (!room->isRunning())
            continue;
        const int seat = room->heldSeatOf(user->account().id);
        if (seat < 0)
            continue;
        holdRound();
        room->seat(seat).peer = user;
        user->setGame(room.get(), false);
        qCInfo(lcServer).noquote()
            << user->nickname() << "is back in seat" << seat << "of game" << id;
        // His record names the game, so his client enters it before the map,
        // the seats and the board arrive. A robot playing for him lets go
        // first, so that he finds himself in his seat.
        m_lobby.broadcast(Lobby::userRecord(*user));
        m_lobby.broadcast(room->status());
        room->table()->seatBack(seat);
        enterGame(user, room.get());
        room->table()->sendState(user, seat);
        return;
    }
}

void GameDirectory::gameFinished(GameRoom* room, int winner)
{
    Metrics::instance().gamesFinished.add();
    m_saver.forget(room->id());
    if (!m_storageAnswersAtOnce) {
        // The standing of a player who is neither logged in nor on its way
        // to storage is in the database, which may keep a read waiting.
        QStringList humans;
        bool unknown = false;
        const GameTable* table = room->table();
        for (int s = 0; s < GameRoom::SeatCount; ++s) {
            if (!table->engine().takesPart(s) || table->startedAsRobot(s))
                continue;
            const QString name = table->startedBy(s);
            humans.append(name);
            unknown = unknown || (!m_lobby.find(name) && !m_unwritten.contains(name.toLower()));
        }
        if (unknown) {
            finishAfterReading(room, winner, humans);
            return;
        }
    }
    finish(room, winner, {});
}

void GameDirectory::finishAfterReading(GameRoom* room, int winner, const QStringList& nicknames)
{
    // Read on the games' writer, after the results already handed to it,
    // so that the database holds every result of this server but those
    // reckoned since, which m_unwritten keeps. Every player is read: one who
    // logs out meanwhile is known as well. Until the accounts are back the
    // game stands finished and nobody hears of its end; the event loop goes
    // on meanwhile.
    const int id = room->id();
    m_finishing.insert(id);
    // Rounds waiting for their write go ahead of the read, which a locked
    // account may keep waiting.
    if (m_pace.isActive() && m_writing == 0) {
        m_pace.stop();
        writeRounds();
    }
    auto read = std::make_shared<ReadAccounts>();
    m_writer->post(
        [read, nicknames](Storage& storage) {
            for (const QString& nickname : nicknames) {
                bool failed = false;
                std::optional<Account> account = storage.findAccount(nickname, &failed);
                if (failed)
                    qCWarning(lcServer).noquote()
                        << "the account of" << nickname << "could not be read for its rating";
                read->insert(nickname.toLower(), std::move(account));
            }
        },
        [this, id, winner, read] {
            // Everybody left the game meanwhile: it ended unrated.
            if (!m_finishing.remove(id))
                return;
            const auto it = m_rooms.find(id);
            if (it != m_rooms.end() && it->second->isRunning())
                finish(it->second.get(), winner, *read);
        });
}

void GameDirectory::finish(GameRoom* room, int winner, const ReadAccounts& read)
{
    // The result is announced once it is stored: the new ratings (recordResult
    // holds everybody when a rated player is logged in, as his record tells
    // them to the lobby), and whatever the game's own people hear of its end.
    // Nothing else the lobby hears of the end (the game gone, the watchers'
    // records) tells of the result, and the last moves were told already:
    // should a crash take the commit back, the game comes back running, and
    // everybody has been disconnected in between anyway. So the lobby does
    // not wait for the writer, which is often busy with other games' saves.
    holdGame(room->id());
    recordResult(room, winner, read);
    endGame(room, true);
}

void GameDirectory::recordResult(GameRoom* room, int winner, const ReadAccounts& read)
{
    const GameTable* table = room->table();
    struct Participant
    {
        int seat;
        QString name;
        bool robot;
        std::optional<Account> account;
        RobotInfo* robotInfo = nullptr;
        int rating = Rules::StartingRating;
    };
    std::vector<Participant> people;
    for (int s = 0; s < GameRoom::SeatCount; ++s) {
        if (!table->engine().takesPart(s))
            continue;
        Participant p{s, table->startedBy(s), table->startedAsRobot(s), std::nullopt};
        if (p.robot) {
            for (RobotInfo& r : m_robots) {
                if (r.name.compare(p.name, Qt::CaseInsensitive) == 0)
                    p.robotInfo = &r;
            }
            if (p.robotInfo)
                p.rating = p.robotInfo->rating;
        } else {
            // A player logged in carries his standing; one who is not may
            // have a game's result still on its way to storage, or else his
            // account was read for the game, or is read now from a storage
            // that answers at once.
            if (const Peer* user = m_lobby.find(p.name))
                p.account = user->account();
            else if (const auto it = m_unwritten.constFind(p.name.toLower());
                     it != m_unwritten.cend())
                p.account = it->first;
            else if (const auto known = read.constFind(p.name.toLower()); known != read.cend())
                p.account = *known;
            else
                p.account = m_storage->findAccount(p.name);
            if (p.account)
                p.rating = p.account->rating;
        }
        people.push_back(std::move(p));
    }

    // A seat whose player walked out wins nothing for him.
    const GameRoom::Seat* winning = winner >= 0 ? &room->seat(winner) : nullptr;
    const bool rated = winning && !winning->departed;
    std::vector<int> before;
    int champion = -1;
    for (const Participant& p : people) {
        if (rated && p.seat == winner)
            champion = int(before.size());
        before.push_back(p.rating);
    }
    const std::vector<int> after = ratingsAfter(before, champion);

    QStringList seats;
    FinishedWrite write;
    for (size_t i = 0; i < people.size(); ++i) {
        Participant& p = people[i];
        const int rating = after[i];
        seats.append(QStringLiteral("%1:%2").arg(p.name, p.robot ? QStringLiteral("robot")
                                                                 : QStringLiteral("human")));
        if (p.robotInfo) {
            const int change = rating - p.robotInfo->rating;
            p.robotInfo->rating = rating;
            ++p.robotInfo->games;
            write.robots.append({p.robotInfo->name, rating, p.robotInfo->games, change});
        } else if (p.account) {
            write.accounts.append(
                {p.account->id, rating, p.account->games + 1, rating - p.account->rating});
            write.nicknames.append(p.account->nickname.toLower());
        }
    }

    GameResult& result = write.result;
    result.gameId = room->id();
    result.mapId = room->mapId();
    result.mapName = m_maps.find(room->mapId()) ? m_maps.find(room->mapId())->map.name : QString();
    result.seats = seats.join(QLatin1Char(','));
    result.winner = winner >= 0 ? table->startedBy(winner) : QString();
    result.turns = table->engine().turns();
    result.rounds = table->engine().round();
    result.durationSeconds = int(table->elapsedMs() / 1000);
    for (qsizetype i = 0; i < write.accounts.size(); ++i) {
        const RatedAccount& a = write.accounts[i];
        const auto it = std::find_if(people.begin(), people.end(), [&](const Participant& p) {
            return p.account && p.account->id == a.id;
        });
        Account standing = *it->account;
        standing.rating = a.rating;
        standing.games = a.games;
        auto& unwritten = m_unwritten[write.nicknames[i]];
        unwritten = {standing, unwritten.second + 1};
        if (Peer* user = m_lobby.find(it->account->nickname)) {
            // His new rating goes to everybody, once it is stored.
            holdRound();
            user->account().rating = a.rating;
            user->account().games = a.games;
            if (user->game() != room)
                m_lobby.broadcast(Lobby::userRecord(*user));
        }
    }
    // Ratings, result and the end of the game's save are one write, with the
    // round's: a crash leaves either the finished game or the running one,
    // never both, and nobody hears of the new ratings before they are written.
    m_results.append(std::move(write));
    qCInfo(lcServer).noquote() << "game" << room->id() << "won by"
                               << (winner >= 0 ? table->startedBy(winner)
                                               : QStringLiteral("nobody"))
                               << "after" << result.turns << "turns";
}
