#pragma once

#include "protocol.h"
#include "seating.h"

#include <QList>
#include <QString>

#include <array>
#include <memory>

class Peer;
class GameTable;
class Message;

// One game on the server: its map and options, the operator, the six seats
// and the observers. The lobby side (who may sit where) lives here; the
// running game's engine hangs off the same room.
class GameRoom
{
public:
    static constexpr int SeatCount = Rules::MaxPlayers;

    // A seat belongs to an account (or a robot) rather than to a
    // connection: a player whose connection drops in a running game keeps
    // it, without a peer, until he is back or his time is up.
    struct Seat
    {
        enum Kind { Empty, Human, Robot };
        Kind kind = Empty;
        QString name;
        qint64 account = 0;
        Peer* peer = nullptr;
        // The robot playing for the seat's player while he is away, or in
        // his place since he left.
        QString standIn;
        // The player left the running game for good.
        bool departed = false;

        bool isHeld() const { return kind == Human && !peer && !departed; }
    };

    GameRoom(int id, int mapId, const QString& mapName, const QString& mapAuthor,
             const GameOptions& options);
    ~GameRoom();

    int id() const { return m_id; }
    int mapId() const { return m_mapId; }
    const GameOptions& options() const { return m_options; }
    const QString& operatorName() const { return m_operator; }
    void setOperatorName(const QString& name) { m_operator = name; }
    bool isRunning() const { return m_table != nullptr; }
    GameTable* table() const { return m_table.get(); }
    void setTable(std::unique_ptr<GameTable> table);
    std::unique_ptr<GameTable> takeTable();

    const Seat& seat(int index) const { return m_seats[size_t(index)]; }
    Seat& seat(int index) { return m_seats[size_t(index)]; }
    int seatOf(const Peer* peer) const;
    // The seat held for an account whose connection dropped, or -1.
    int heldSeatOf(qint64 account) const;
    int robotSeat(const QString& name) const;
    bool isObserver(const Peer* peer) const { return m_observers.contains(peer); }
    const QList<Peer*>& observers() const { return m_observers; }

    int players() const;
    int robots() const;
    // Connected people: human players and observers.
    int clients() const;
    // Players whose connection is gone but whose seat is kept; only a running
    // game keeps such seats.
    int disconnected() const;
    bool isEmpty() const { return clients() == 0 && disconnected() == 0; }

    bool canAddRobot() const;
    bool canStart() const;

    // Each returns the seat taken, or -1 when the game is full.
    int seatHuman(Peer* peer, const QString& name);
    int seatRobot(const QString& name);
    void freeSeat(int index);
    void addObserver(Peer* peer);
    void removeObserver(Peer* peer);

    // Connected human players in seat order, then observers: everyone who
    // hears the game's chat and sees its board.
    QList<Peer*> audience() const;
    // The first human player by seat, else the first observer, else nobody.
    Peer* successor() const;

    Message announcement() const;
    Message status() const;
    Message seatMessage(int index) const;

private:
    int m_id;
    int m_mapId;
    QString m_mapName;
    QString m_mapAuthor;
    GameOptions m_options;
    QString m_operator;
    std::unique_ptr<GameTable> m_table;
    std::array<Seat, SeatCount> m_seats;
    QList<Peer*> m_observers;
};
