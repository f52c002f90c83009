#pragma once

#include "gameengine.h"
#include "random.h"
#include "robot.h"
#include "turnclock.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <memory>

class Peer;
class GameRoom;
class Message;
class GameSaver;
struct RobotInfo;
struct SavedGame;

// The running game of a room: feeds the engine the requests of the room's
// players and the choices of its robots, sends what the engine emits to the
// players and watchers who may see it, and keeps the clocks (the turn's
// deadline, the robots' pause) on the event loop.
class GameTable : public QObject
{
    Q_OBJECT

public:
    // The turn timer runs on clock, which outlives the table.
    GameTable(GameRoom& room, std::shared_ptr<const Board> board, const QList<RobotInfo>& robots,
              std::uint64_t seed, int robotDelayMs, TurnClock& clock, QObject* parent = nullptr);
    ~GameTable() override;

    // Where the game is saved: at its start, at the end of every turn, at
    // each placing of the first placing and whenever a seat changes hands,
    // before anyone is told; none by default.
    void setSaver(GameSaver* saver) { m_saver = saver; }
    int gameId() const;
    // Deals the countries; the room's seats have been announced.
    void start();
    // The game as it stands, for the storage.
    SavedGame saved() const;
    // Instead of start(): takes the game up where a save left it, the room's
    // seats already in place. False, with the reason, when the save does not
    // fit the room and the map.
    bool restore(const SavedGame& game, QString* why);
    // Sets the clocks going again after restore().
    void resume();
    // Has the game written at the saver's next write, as it then stands.
    void save();
    // A turn request of a seated player; why it was refused, empty when it
    // was taken.
    QString handle(int seat, const Message& request);
    // The seat's connection dropped; its seat is held for graceMs, then
    // graceOver() tells that the time is up. With replacing robots a robot
    // plays for him meanwhile.
    void seatAway(int seat, int graceMs);
    // The seat's player is back (the room's seat already points at his
    // peer): his grace stops, and a robot playing for him gives the seat
    // back.
    void seatBack(int seat);
    // How long the held seat's grace still runs, -1 when it does not run.
    qint64 graceLeft(int seat) const;
    // The seat's player has gone for good.
    void seatGone(int seat);
    // What a newcomer (a watcher, or a player back in his seat) is sent after
    // the map and the seats: the out seats, the countries he may see, cards,
    // card counts and what the game waits for.
    void sendState(Peer* peer, int seat);

    // Stops the clocks for good; the room is going away.
    void halt();

    const GameEngine& engine() const { return m_engine; }
    // Robots' pause before their next moves (a reload changes it).
    void setRobotDelay(int ms) { m_robotDelayMs = ms; }
    qint64 elapsedMs() const { return m_elapsedBefore + m_started.elapsed(); }
    // The player who started at each seat (the name a robot stand-in plays
    // for).
    const QString& startedBy(int seat) const { return m_startedBy[size_t(seat)]; }
    bool startedAsRobot(int seat) const { return m_startedAsRobot[size_t(seat)]; }

signals:
    // The engine has a winner (or nobody is left); the room may close.
    void finished(int winner);
    // The seat's player did not come back within his grace.
    void graceOver(int seat);

private:
    void flush();
    void deliver(const GameEvent& event);
    void replaceBy(int seat, bool standIn);
    QString freeRobotName() const;
    Robot::Level levelOf(const QString& robot) const;
    void seatRobot(int seat, const QString& name);
    void scheduleRobots();
    void robotsAct();
    void armTurnTimer();

    GameRoom& m_room;
    QList<RobotInfo> m_robotInfo;
    // Hands out the seeds of the dice and of every robot that sits down, so
    // that one number makes the whole game repeatable.
    SeededRandom m_seeds;
    // The engine's dice and each robot's choices draw from sources of their
    // own: a robot that thinks differently leaves the dice alone.
    SeededRandom m_dice;
    std::array<SeededRandom, GameEngine::SeatCount> m_robotRandom{};
    TurnClock& m_clock;
    GameEngine m_engine;
    std::array<std::unique_ptr<Robot>, GameEngine::SeatCount> m_robots;
    std::array<QString, GameEngine::SeatCount> m_startedBy;
    std::array<bool, GameEngine::SeatCount> m_startedAsRobot{};
    int m_robotDelayMs;
    QTimer m_robotTimer;
    QTimer m_turnTimer;
    // One per seat: a later drop starts its seat's grace afresh.
    std::array<QTimer, GameEngine::SeatCount> m_grace;
    QElapsedTimer m_started;
    // How long the game had run before a restart.
    qint64 m_elapsedBefore = 0;
    GameSaver* m_saver = nullptr;
    // The turn the last save was made in; a new turn is saved before its
    // first message goes out.
    int m_savedTurns = -1;
    bool m_saveDue = false;
    bool m_finished = false;
    bool m_halted = false;
};
