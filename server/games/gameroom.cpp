#include "gameroom.h"

#include "gametable.h"
#include "message.h"
#include "outgoing.h"
#include "peer.h"
#include "seating.h"

GameRoom::GameRoom(int id, int mapId, const QString& mapName, const QString& mapAuthor,
                   const GameOptions& options)
    : m_id(id), m_mapId(mapId), m_mapName(mapName), m_mapAuthor(mapAuthor), m_options(options)
{}

GameRoom::~GameRoom() = default;

void GameRoom::setTable(std::unique_ptr<GameTable> table)
{
    m_table = std::move(table);
}

std::unique_ptr<GameTable> GameRoom::takeTable()
{
    return std::move(m_table);
}

int GameRoom::heldSeatOf(qint64 account) const
{
    for (int i = 0; i < SeatCount; ++i) {
        if (m_seats[size_t(i)].isHeld() && m_seats[size_t(i)].account == account)
            return i;
    }
    return -1;
}

int GameRoom::clients() const
{
    int n = int(m_observers.size());
    for (const Seat& s : m_seats)
        n += s.kind == Seat::Human && s.peer;
    return n;
}

int GameRoom::disconnected() const
{
    int n = 0;
    for (const Seat& s : m_seats)
        n += s.isHeld();
    return n;
}

int GameRoom::seatOf(const Peer* peer) const
{
    for (int i = 0; i < SeatCount; ++i) {
        if (m_seats[size_t(i)].kind == Seat::Human && m_seats[size_t(i)].peer == peer)
            return i;
    }
    return -1;
}

int GameRoom::robotSeat(const QString& name) const
{
    for (int i = 0; i < SeatCount; ++i) {
        if (m_seats[size_t(i)].kind == Seat::Robot &&
            m_seats[size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int GameRoom::players() const
{
    int n = 0;
    for (const Seat& s : m_seats)
        n += s.kind != Seat::Empty;
    return n;
}

int GameRoom::robots() const
{
    int n = 0;
    for (const Seat& s : m_seats)
        n += s.kind == Seat::Robot;
    return n;
}

bool GameRoom::canAddRobot() const
{
    return Rules::canAddRobot(m_options.noRobots, m_options.minHumans, players(), robots());
}

bool GameRoom::canStart() const
{
    return Rules::canStart(isRunning(), m_options.minHumans, players(), robots());
}

int GameRoom::seatHuman(Peer* peer, const QString& name)
{
    for (int i = 0; i < SeatCount; ++i) {
        Seat& s = m_seats[size_t(i)];
        if (s.kind == Seat::Empty) {
            s = Seat{Seat::Human, name, peer->account().id, peer, {}, false};
            return i;
        }
    }
    return -1;
}

int GameRoom::seatRobot(const QString& name)
{
    for (int i = 0; i < SeatCount; ++i) {
        Seat& s = m_seats[size_t(i)];
        if (s.kind == Seat::Empty) {
            s = Seat{Seat::Robot, name, 0, nullptr, {}, false};
            return i;
        }
    }
    return -1;
}

void GameRoom::freeSeat(int index)
{
    if (index >= 0 && index < SeatCount)
        m_seats[size_t(index)] = Seat{};
}

void GameRoom::addObserver(Peer* peer)
{
    if (!m_observers.contains(peer))
        m_observers.append(peer);
}

void GameRoom::removeObserver(Peer* peer)
{
    m_observers.removeAll(peer);
}

QList<Peer*> GameRoom::audience() const
{
    QList<Peer*> result;
    for (const Seat& s : m_seats) {
        if (s.kind == Seat::Human && s.peer)
            result.append(s.peer);
    }
    result.append(m_observers);
    return result;
}

Peer* GameRoom::successor() const
{
    for (const Seat& s : m_seats) {
        if (s.kind == Seat::Human && s.peer)
            return s.peer;
    }
    return m_observers.isEmpty() ? nullptr : m_observers.first();
}

Message GameRoom::announcement() const
{
    return outgoing::newGame(m_id, m_mapId, m_mapName, m_mapAuthor, m_options);
}

Message GameRoom::status() const
{
    return outgoing::game(
        {m_id, m_operator, isRunning(), clients(), players(), robots(), disconnected()});
}

Message GameRoom::seatMessage(int index) const
{
    const Seat& s = m_seats[size_t(index)];
    return outgoing::player(index, s.kind == Seat::Robot || !s.standIn.isEmpty(),
                            s.standIn.isEmpty() ? s.name : s.standIn);
}
