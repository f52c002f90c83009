// The running game: starting it, turn requests, players who lose their
// connection and come back, and the end of a game with its ratings.

#include "server.h"

#include "board.h"
#include "clientsession.h"
#include "gamelimits.h"
#include "games/elo.h"
#include "games/gametable.h"
#include "request.h"
#include "serverlogging.h"

#include <QTimer>

void Server::handleStartGame(ClientSession* session)
{
    GameRoom* room = session->game();
    if (!room || room->operatorName() != session->nickname()) {
        refuse(session, Opcode::StartGame, QStringLiteral("not the operator of a game"));
        return;
    }
    if (!room->canStart()) {
        refuse(session, Opcode::StartGame, QStringLiteral("game %1 cannot start").arg(room->id()));
        return;
    }
    const MapStore::Entry* map = m_maps.find(room->mapId());
    if (!map) {
        refuse(session, Opcode::StartGame, QStringLiteral("map %1 is gone").arg(room->mapId()));
        return;
    }
    auto table =
        std::make_unique<GameTable>(*room, std::make_shared<const Board>(map->map), m_robots,
                                    m_seeds.next(), m_options.robotDelayMs, *m_turnClock);
    connect(table.get(), &GameTable::finished, this, [this, id = room->id()](int winner) {
        const auto it = m_games.find(id);
        if (it != m_games.end() && it->second->isRunning())
            gameFinished(it->second.get(), winner);
    });
    connect(table.get(), &GameTable::graceOver, this, [this, id = room->id()](int seat) {
        const auto it = m_games.find(id);
        if (it != m_games.end() && it->second->isRunning() && it->second->seat(seat).isHeld())
            seatGone(it->second.get(), seat);
    });
    GameTable* started = table.get();
    room->setTable(std::move(table));
    qCInfo(lcServer).noquote() << "game" << room->id() << "started by" << session->nickname();

    m_lobby.broadcast(room->status());
    for (int seat = 0; seat < GameRoom::SeatCount; ++seat) {
        if (room->seat(seat).kind != GameRoom::Seat::Empty)
            sendToGame(room, room->seatMessage(seat));
    }
    started->start();
}

void Server::handleTurn(ClientSession* session, const Message& message)
{
    GameRoom* room = session->game();
    const int seat = room ? room->seatOf(session) : -1;
    if (!room || !room->isRunning() || seat < 0) {
        refuse(session, Opcode(Protocol::opcodeOf(message)),
               QStringLiteral("not playing a running game"));
        return;
    }
    const QString refused = room->table()->handle(seat, message);
    if (!refused.isEmpty())
        refuse(session, Opcode(Protocol::opcodeOf(message)),
               QStringLiteral("game %1 seat %2 - %3").arg(room->id()).arg(seat).arg(refused));
}

bool Server::holdSeat(ClientSession* session)
{
    GameRoom* room = session->game();
    if (!room || !room->isRunning() || session->isObserver())
        return false;
    const int seat = room->seatOf(session);
    if (seat < 0 || !room->table()->engine().isActive(seat))
        return false;
    room->seat(seat).peer = nullptr;
    session->setGame(nullptr, false);
    qCInfo(lcServer).noquote() << "game" << room->id() << "holds seat" << seat << "for"
                               << session->nickname();
    // The seat is kept for the grace period, as long as the game runs.
    room->table()->seatAway(seat, m_options.rejoinGraceMs);
    m_lobby.broadcast(room->status());
    return true;
}

void Server::seatGone(GameRoom* room, int seat)
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

void Server::rejoin(ClientSession* session)
{
    for (const auto& [id, room] : m_games) {
        if (!room->isRunning())
            continue;
        const int seat = room->heldSeatOf(session->account().id);
        if (seat < 0)
            continue;
        room->seat(seat).peer = session;
        session->setGame(room.get(), false);
        qCInfo(lcServer).noquote()
            << session->nickname() << "is back in seat" << seat << "of game" << id;
        // His record names the game, so his client enters it before the map,
        // the seats and the board arrive. A robot playing for him lets go
        // first, so that he finds himself in his seat.
        m_lobby.broadcast(Lobby::userRecord(*session));
        m_lobby.broadcast(room->status());
        room->table()->seatBack(seat);
        enterGame(session, room.get());
        room->table()->sendState(session, seat);
        return;
    }
}

void Server::gameFinished(GameRoom* room, int winner)
{
    recordResult(room, winner);
    endGame(room);
}

void Server::recordResult(GameRoom* room, int winner)
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
    for (size_t i = 0; i < people.size(); ++i) {
        Participant& p = people[i];
        const int rating = after[i];
        seats.append(QStringLiteral("%1:%2").arg(p.name, p.robot ? QStringLiteral("robot")
                                                                 : QStringLiteral("human")));
        if (p.robotInfo) {
            p.robotInfo->rating = rating;
            ++p.robotInfo->games;
            m_storage->storeRobotRating(*p.robotInfo);
        } else if (p.account) {
            m_storage->setRating(p.account->id, rating, p.account->games + 1);
            if (Peer* user = m_lobby.find(p.account->nickname)) {
                user->account().rating = rating;
                user->account().games = p.account->games + 1;
                if (user->game() != room)
                    m_lobby.broadcast(Lobby::userRecord(*user));
            }
        }
    }

    GameResult result;
    result.gameId = room->id();
    result.mapId = room->mapId();
    result.mapName = m_maps.find(room->mapId()) ? m_maps.find(room->mapId())->map.name : QString();
    result.seats = seats.join(QLatin1Char(','));
    result.winner = winner >= 0 ? table->startedBy(winner) : QString();
    result.turns = table->engine().turns();
    result.rounds = table->engine().round();
    result.durationSeconds = int(table->elapsedMs() / 1000);
    m_storage->storeResult(result);
    qCInfo(lcServer).noquote() << "game" << room->id() << "won by"
                               << (winner >= 0 ? table->startedBy(winner)
                                               : QStringLiteral("nobody"))
                               << "after" << result.turns << "turns";
}
