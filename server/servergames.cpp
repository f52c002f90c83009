// The game requests: creating, joining, watching, leaving and kicking, and
// seating robots.

#include "server.h"

#include "clientsession.h"
#include "gamelimits.h"
#include "games/gametable.h"
#include "outgoing.h"
#include "request.h"
#include "serverlogging.h"

namespace {

bool inRange(int v, int low, int high)
{
    return v >= low && v <= high;
}

} // namespace

bool Server::playsInRunningGame(const ClientSession* session) const
{
    return session->game() && session->game()->isRunning() && !session->isObserver();
}

void Server::sendToGame(const GameRoom* room, const Message& message, const Peer* except)
{
    const QByteArray& wire = message.data();
    for (Peer* s : room->audience()) {
        if (s != except)
            s->send(wire);
    }
}

void Server::handleNewGame(ClientSession* session, const Message& message)
{
    if (!request::matches(message, Opcode::NewGame)) {
        refuse(session, Opcode::NewGame, QStringLiteral("malformed"));
        return;
    }
    if (playsInRunningGame(session)) {
        refuse(session, Opcode::NewGame, QStringLiteral("plays in a running game"));
        return;
    }
    const int mapId = message.getInt(1);
    const MapStore::Entry* map = m_maps.find(mapId);
    if (!map) {
        refuse(session, Opcode::NewGame, QStringLiteral("no map %1").arg(mapId));
        return;
    }
    int ratingRange = 0;
    GameOptions o = GameOptions::decodeRequest(message, 2, &ratingRange);
    if (!inRange(o.timeout, Rules::MinTimeout, Rules::MaxTimeout) ||
        !inRange(o.minHumans, 1, GameRoom::SeatCount) ||
        !inRange(ratingRange, Rules::MinRatingRange, Rules::MaxRatingRange) ||
        !inRange(o.timerMode, 0, Rules::MaxTimerMode)) {
        refuse(session, Opcode::NewGame, QStringLiteral("option out of range"));
        return;
    }
    o.applyRatingRange(ratingRange, session->account().rating);

    leaveGame(session);
    const int id = m_nextGameId++;
    auto room = std::make_unique<GameRoom>(id, mapId, map->map.name, map->map.author, o);
    GameRoom* created = room.get();
    m_games.emplace(id, std::move(room));
    created->setOperatorName(session->nickname());
    created->seatHuman(session, session->nickname());
    session->setGame(created, false);
    qCInfo(lcServer).noquote() << "game" << id << "created by" << session->nickname() << "on map"
                               << mapId;

    m_lobby.broadcast(created->announcement());
    m_lobby.broadcast(created->status());
    m_lobby.broadcast(Lobby::userRecord(*session));
    enterGame(session, created);
}

void Server::handleJoin(ClientSession* session, const Message& message)
{
    if (!request::matches(message, Opcode::Join)) {
        refuse(session, Opcode::Join, QStringLiteral("malformed"));
        return;
    }
    const auto it = m_games.find(message.getInt(1));
    if (it == m_games.end()) {
        refuse(session, Opcode::Join, QStringLiteral("no game %1").arg(message.getInt(1)));
        return;
    }
    GameRoom* room = it->second.get();
    const Account& me = session->account();
    const GameOptions& o = room->options();
    QString why;
    if (playsInRunningGame(session))
        why = QStringLiteral("plays in a running game");
    else if (room->isRunning())
        why = QStringLiteral("game is running");
    else if (room->seatOf(session) >= 0)
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
    if (why.isEmpty() && !o.sameHosts && !session->isLoopback()) {
        for (const Peer* player : room->audience()) {
            if (room->seatOf(player) >= 0 && player->peerAddress() == session->peerAddress())
                why = QStringLiteral("another player from the same host");
        }
    }
    if (!why.isEmpty()) {
        refuse(session, Opcode::Join, why);
        return;
    }

    if (session->game() == room) {
        room->removeObserver(session);
        session->setGame(nullptr, false);
    } else {
        leaveGame(session);
    }
    const int seat = room->seatHuman(session, session->nickname());
    session->setGame(room, false);
    m_lobby.broadcast(room->status());
    m_lobby.broadcast(Lobby::userRecord(*session));
    enterGame(session, room);
    sendToGame(room, room->seatMessage(seat), session);
}

void Server::handleWatch(ClientSession* session, const Message& message)
{
    if (!request::matches(message, Opcode::Watch)) {
        refuse(session, Opcode::Watch, QStringLiteral("malformed"));
        return;
    }
    const auto it = m_games.find(message.getInt(1));
    if (it == m_games.end()) {
        refuse(session, Opcode::Watch, QStringLiteral("no game %1").arg(message.getInt(1)));
        return;
    }
    GameRoom* room = it->second.get();
    if (playsInRunningGame(session)) {
        refuse(session, Opcode::Watch, QStringLiteral("plays in a running game"));
        return;
    }
    if (room->isObserver(session)) {
        refuse(session, Opcode::Watch, QStringLiteral("already watches it"));
        return;
    }

    if (session->game() == room) {
        // A player of a waiting game steps back to watching it.
        const int seat = room->seatOf(session);
        room->freeSeat(seat);
        room->addObserver(session);
        session->setGame(room, true);
        if (room->operatorName() == session->nickname()) {
            if (const Peer* next = room->successor())
                room->setOperatorName(next->nickname());
        }
        sendToGame(room, outgoing::endPlayer(seat));
        m_lobby.broadcast(room->status());
        m_lobby.broadcast(Lobby::userRecord(*session));
        return;
    }

    leaveGame(session);
    room->addObserver(session);
    session->setGame(room, true);
    m_lobby.broadcast(room->status());
    m_lobby.broadcast(Lobby::userRecord(*session));
    enterGame(session, room);
    if (room->isRunning())
        room->table()->sendState(session, -1);
}

void Server::enterGame(ClientSession* session, GameRoom* room)
{
    if (const MapStore::Entry* map = m_maps.find(room->mapId()))
        session->send(map->transfer);
    for (int seat = 0; seat < GameRoom::SeatCount; ++seat) {
        if (room->seat(seat).kind != GameRoom::Seat::Empty)
            session->send(room->seatMessage(seat));
    }
}

void Server::leaveGame(Peer* session)
{
    GameRoom* room = session->game();
    if (!room)
        return;
    const int seat = room->seatOf(session);
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
    room->removeObserver(session);
    session->setGame(nullptr, false);

    // Users' records go out before the game's end, so no client is left
    // pointing at a game it has already removed.
    if (m_lobby.contains(session))
        m_lobby.broadcast(Lobby::userRecord(*session));
    if (room->isEmpty()) {
        endGame(room);
        return;
    }
    if (room->operatorName() == session->nickname()) {
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

void Server::endGame(GameRoom* room)
{
    const int id = room->id();
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
    m_games.erase(id);
    releaseMap(mapId);
}

void Server::handleKick(ClientSession* session, const Message& message)
{
    if (!request::matches(message, Opcode::Kick)) {
        refuse(session, Opcode::Kick, QStringLiteral("malformed"));
        return;
    }
    GameRoom* room = session->game();
    if (!room || room->operatorName() != session->nickname()) {
        refuse(session, Opcode::Kick, QStringLiteral("not the operator of a game"));
        return;
    }
    const QString name = request::text(message, 1);
    Peer* target = m_lobby.find(name);
    if (target && target != session && target->game() == room) {
        if (room->isRunning() && !target->isObserver()) {
            refuse(session, Opcode::Kick,
                   QStringLiteral("%1 plays in a running game").arg(logText(name)));
            return;
        }
        qCInfo(lcServer).noquote()
            << session->nickname() << "kicked" << target->nickname() << "out of game" << room->id();
        leaveGame(target);
        return;
    }
    const int robotSeat = room->robotSeat(name);
    if (!target && robotSeat >= 0 && !room->isRunning()) {
        room->freeSeat(robotSeat);
        sendToGame(room, outgoing::endPlayer(robotSeat));
        m_lobby.broadcast(room->status());
        return;
    }
    refuse(session, Opcode::Kick, QStringLiteral("%1 is not in the game").arg(logText(name)));
}

void Server::handleRobot(ClientSession* session, const Message& message)
{
    if (!request::matches(message, Opcode::Robot)) {
        refuse(session, Opcode::Robot, QStringLiteral("malformed"));
        return;
    }
    GameRoom* room = session->game();
    if (!room || room->operatorName() != session->nickname() || room->isRunning()) {
        refuse(session, Opcode::Robot, QStringLiteral("not the operator of a waiting game"));
        return;
    }
    const QString name = request::text(message, 1);
    const auto robot = std::find_if(m_robots.cbegin(), m_robots.cend(), [&](const RobotInfo& r) {
        return r.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (robot == m_robots.cend() || room->robotSeat(robot->name) >= 0 || !room->canAddRobot()) {
        refuse(session, Opcode::Robot,
               QStringLiteral("robot %1 cannot be added").arg(logText(name)));
        return;
    }
    const int seat = room->seatRobot(robot->name);
    m_lobby.broadcast(room->status());
    sendToGame(room, room->seatMessage(seat));
}
