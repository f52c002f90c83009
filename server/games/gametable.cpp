#include "gametable.h"

#include "gameroom.h"
#include "gamesaver.h"
#include "gamestatecodec.h"
#include "message.h"
#include "ops/metrics.h"
#include "outgoing.h"
#include "peer.h"
#include "protocol.h"
#include "request.h"
#include "robotinfo.h"
#include "serverlogging.h"
#include "storage/storage.h"

namespace {

std::uint8_t seatsOf(const GameRoom& room)
{
    std::uint8_t seats = 0;
    for (int s = 0; s < GameRoom::SeatCount; ++s) {
        if (room.seat(s).kind != GameRoom::Seat::Empty)
            seats |= std::uint8_t(1u << s);
    }
    return seats;
}

GameRules rulesOf(const GameOptions& o)
{
    GameRules r;
    r.placeBeforeAttack = o.placeBeforeAttack;
    r.capitals = o.capitals;
    r.timeoutSeconds = o.timeout;
    r.timerMode = o.timerMode;
    r.replaceRobots = o.replaceBots;
    r.increasingCards = o.increasingCards;
    r.hideCards = o.hideCards;
    r.blind = o.blind;
    r.receiveCards = o.receiveCards;
    return r;
}

// A turn request as the engine's action, or nothing when it is malformed or
// no turn request at all.
std::optional<GameAction> actionOf(const Message& m)
{
    const qint32 opcode = Protocol::opcodeOf(m);
    const auto op = Opcode(opcode);
    if (!Protocol::fieldsOf(opcode) || !request::matches(m, op))
        return std::nullopt;
    switch (op) {
    case Opcode::Capital:
        return action::Capital{m.getInt(1)};
    case Opcode::Place:
        return action::Place{m.getInt(1), false};
    case Opcode::All:
        return action::Place{m.getInt(1), true};
    case Opcode::Armies:
        return action::PlaceArmies{};
    case Opcode::Attack:
        return action::Attack{m.getInt(1), m.getInt(2), m.getInt(3), m.getInt(4) != 0};
    case Opcode::Take:
        return action::Take{m.getInt(1)};
    case Opcode::Move:
        return action::Move{m.getInt(1), m.getInt(2), m.getInt(3)};
    case Opcode::Exchange:
        return action::Exchange{{m.getInt(1), m.getInt(2), m.getInt(3)}};
    case Opcode::End:
        return action::EndTurn{};
    default:
        return std::nullopt;
    }
}

} // namespace

GameTable::GameTable(GameRoom& room, std::shared_ptr<const Board> board,
                     const QList<RobotInfo>& robots, std::uint64_t seed, int robotDelayMs,
                     TurnClock& clock, QObject* parent)
    : QObject(parent), m_room(room), m_robotInfo(robots), m_seeds(seed), m_dice(m_seeds.next()),
      m_clock(clock),
      m_engine(std::move(board), rulesOf(room.options()), seatsOf(room), m_dice, m_clock),
      m_robotDelayMs(robotDelayMs)
{
    for (int s = 0; s < GameEngine::SeatCount; ++s) {
        const GameRoom::Seat& seat = room.seat(s);
        m_startedBy[size_t(s)] = seat.name;
        m_startedAsRobot[size_t(s)] = seat.kind == GameRoom::Seat::Robot;
        if (seat.kind == GameRoom::Seat::Robot)
            seatRobot(s, seat.name);
    }
    m_robotTimer.setSingleShot(true);
    m_turnTimer.setSingleShot(true);
    connect(&m_robotTimer, &QTimer::timeout, this, &GameTable::robotsAct);
    const auto checkTimer = [this] {
        m_engine.checkTimer();
        flush();
    };
    connect(&m_turnTimer, &QTimer::timeout, this, checkTimer);
    connect(&m_clock, &TurnClock::moved, this, checkTimer);
    for (int s = 0; s < GameEngine::SeatCount; ++s) {
        QTimer& grace = m_grace[size_t(s)];
        grace.setSingleShot(true);
        // A coarse timer may fire a twentieth early: seconds of a long grace.
        grace.setTimerType(Qt::PreciseTimer);
        connect(&grace, &QTimer::timeout, this, [this, s] { emit graceOver(s); });
    }
}

GameTable::~GameTable() = default;

Robot::Level GameTable::levelOf(const QString& robot) const
{
    for (const RobotInfo& r : m_robotInfo) {
        if (r.name.compare(robot, Qt::CaseInsensitive) == 0)
            return Robot::Level(std::clamp(r.level, 1, 4));
    }
    return Robot::Level::Normal;
}

void GameTable::seatRobot(int seat, const QString& name)
{
    m_robotRandom[size_t(seat)] = SeededRandom(m_seeds.next());
    m_robots[size_t(seat)] = Robot::create(levelOf(name), m_robotRandom[size_t(seat)]);
}

QString GameTable::freeRobotName() const
{
    // A normal robot if one is free, else any robot not at the table.
    QString fallback;
    for (const RobotInfo& r : m_robotInfo) {
        bool seated = false;
        for (int s = 0; s < GameRoom::SeatCount; ++s) {
            const GameRoom::Seat& seat = m_room.seat(s);
            seated = seated || seat.name.compare(r.name, Qt::CaseInsensitive) == 0 ||
                     seat.standIn.compare(r.name, Qt::CaseInsensitive) == 0;
        }
        if (seated)
            continue;
        if (r.level == int(Robot::Level::Normal))
            return r.name;
        if (fallback.isEmpty())
            fallback = r.name;
    }
    return fallback.isEmpty() ? QStringLiteral("Robot") : fallback;
}

void GameTable::halt()
{
    m_finished = true;
    m_halted = true;
    m_robotTimer.stop();
    m_turnTimer.stop();
    for (QTimer& grace : m_grace)
        grace.stop();
}

void GameTable::start()
{
    m_started.start();
    m_engine.start();
    m_saveDue = true;
    flush();
}

SavedGame GameTable::saved() const
{
    SavedGame g;
    g.id = m_room.id();
    g.mapId = m_room.mapId();
    g.operatorName = m_room.operatorName();
    g.options = m_room.options();
    for (int s = 0; s < GameRoom::SeatCount; ++s) {
        const GameRoom::Seat& seat = m_room.seat(s);
        if (seat.kind == GameRoom::Seat::Empty)
            continue;
        g.seats.append(
            {s, seat.kind == GameRoom::Seat::Robot, seat.name, seat.account, seat.standIn,
             seat.departed,
             m_robots[size_t(s)] ? m_robotRandom[size_t(s)].state() : SeededRandom::State{}});
    }
    g.engine = GameStateCodec::encode(m_engine.state());
    g.seeds = m_seeds.state();
    g.dice = m_dice.state();
    g.elapsedMs = elapsedMs();
    return g;
}

int GameTable::gameId() const
{
    return m_room.id();
}

void GameTable::save()
{
    m_saveDue = false;
    m_savedTurns = m_engine.turns();
    if (m_saver)
        m_saver->markDue(this);
}

bool GameTable::restore(const SavedGame& game, QString* why)
{
    const std::optional<GameEngine::State> state = GameStateCodec::decode(game.engine);
    if (!state) {
        *why = QStringLiteral("its state is unreadable");
        return false;
    }
    if (!m_engine.restore(*state, why))
        return false;
    if (m_engine.isOver()) {
        *why = QStringLiteral("it was over");
        return false;
    }
    m_seeds.restore(game.seeds);
    m_dice.restore(game.dice);
    for (const SavedSeat& saved : game.seats) {
        const size_t s = size_t(saved.seat);
        m_robots[s].reset();
        const QString& robot = saved.robot ? saved.name : saved.standIn;
        if (!robot.isEmpty()) {
            m_robotRandom[s].restore(saved.random);
            m_robots[s] = Robot::create(levelOf(robot), m_robotRandom[s]);
        }
    }
    m_elapsedBefore = game.elapsedMs;
    m_savedTurns = m_engine.turns();
    return true;
}

void GameTable::resume()
{
    m_started.start();
    armTurnTimer();
    scheduleRobots();
}

QString GameTable::handle(int seat, const Message& request)
{
    const std::optional<GameAction> action = actionOf(request);
    if (!action)
        return QStringLiteral("malformed turn request");
    if (m_robots[size_t(seat)])
        return QStringLiteral("a robot plays this seat");
    const GameEngine::Refusal r = m_engine.apply(seat, *action);
    if (r != GameEngine::Refusal::None)
        return QString::fromLatin1(GameEngine::describe(r));
    flush();
    return {};
}

void GameTable::flush()
{
    // Written before anyone hears of it (the saver's owner keeps the news
    // back until then): a restart finds the game no further back than the
    // start of the turn under way, or than the last placing of the first.
    const std::vector<GameEvent> events = m_engine.takeEvents();
    const bool placed = m_engine.step() == GameEngine::Step::Setup && !events.empty();
    if (!m_engine.isOver() && (m_saveDue || placed || m_engine.turns() != m_savedTurns))
        save();
    for (const GameEvent& e : events)
        deliver(e);
    if (m_engine.isOver()) {
        m_robotTimer.stop();
        m_turnTimer.stop();
        if (!m_finished) {
            m_finished = true;
            // After this call returns: the room may be destroyed in the slot.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (!m_halted)
                        emit finished(m_engine.winner());
                },
                Qt::QueuedConnection);
        }
        return;
    }
    if (m_finished)
        return;
    armTurnTimer();
    scheduleRobots();
}

void GameTable::deliver(const GameEvent& e)
{
    if (const auto* replaced = std::get_if<event::SeatReplaced>(&e.what)) {
        replaceBy(replaced->seat, false);
        return;
    }
    const QByteArray wire = outgoing::gameEvent(e.what).data();
    for (int s = 0; s < GameRoom::SeatCount; ++s) {
        Peer* peer = m_room.seat(s).peer;
        if (peer && e.to.has(s) && m_room.seat(s).kind == GameRoom::Seat::Human)
            peer->send(wire);
    }
    if (e.to.watchers) {
        for (Peer* observer : m_room.observers())
            observer->send(wire);
    }
}

void GameTable::replaceBy(int seat, bool standIn)
{
    GameRoom::Seat& s = m_room.seat(seat);
    if (!standIn && s.kind == GameRoom::Seat::Human)
        s.departed = true;
    if (!m_robots[size_t(seat)]) {
        s.standIn = freeRobotName();
        seatRobot(seat, s.standIn);
        save();
        const QByteArray wire = outgoing::replace(seat, s.standIn).data();
        for (Peer* c : m_room.audience())
            c->send(wire);
    }
}

void GameTable::seatAway(int seat, int graceMs)
{
    m_grace[size_t(seat)].start(graceMs);
    if (m_room.options().replaceBots && m_engine.isActive(seat) && !m_robots[size_t(seat)])
        replaceBy(seat, true);
    else
        save();
    scheduleRobots();
}

void GameTable::seatBack(int seat)
{
    m_grace[size_t(seat)].stop();
    GameRoom::Seat& s = m_room.seat(seat);
    if (s.standIn.isEmpty()) {
        save();
    } else {
        // The robot gives the seat back.
        s.standIn.clear();
        m_robots[size_t(seat)].reset();
        save();
        const QByteArray wire = m_room.seatMessage(seat).data();
        for (Peer* c : m_room.audience()) {
            if (c != s.peer)
                c->send(wire);
        }
    }
}

qint64 GameTable::graceLeft(int seat) const
{
    const QTimer& grace = m_grace[size_t(seat)];
    return grace.isActive() ? grace.remainingTime() : -1;
}

void GameTable::seatGone(int seat)
{
    m_grace[size_t(seat)].stop();
    GameRoom::Seat& s = m_room.seat(seat);
    s.departed = true;
    m_engine.removeSeat(seat);
    m_saveDue = true;
    flush();
}

void GameTable::sendState(Peer* peer, int seat)
{
    for (int s = 0; s < GameRoom::SeatCount; ++s) {
        if (m_engine.takesPart(s) && !m_engine.isActive(s))
            peer->send(outgoing::endPlayer(s));
    }
    for (const GameEventPayload& p : m_engine.snapshot(seat))
        peer->send(outgoing::gameEvent(p));
}

void GameTable::armTurnTimer()
{
    const std::int64_t deadline = m_engine.deadline();
    const std::int64_t wait = deadline < 0 ? -1 : m_clock.realMsUntil(deadline);
    if (wait < 0) {
        m_turnTimer.stop();
        return;
    }
    // A timer that fires a little early finds the deadline not yet passed
    // and is started again for the rest.
    m_turnTimer.start(int(wait));
}

void GameTable::scheduleRobots()
{
    if (m_robotTimer.isActive() || m_engine.isOver() || m_finished)
        return;
    for (int s = 0; s < GameEngine::SeatCount; ++s) {
        if (m_robots[size_t(s)] && m_engine.need(s) != GameEngine::Need::Nothing) {
            m_robotTimer.start(m_robotDelayMs);
            return;
        }
    }
}

void GameTable::robotsAct()
{
    // The first placing has no turns: every robot does all of its share at
    // once. In a turn the robot makes one move per pause, so that people can
    // follow it.
    const bool setup = m_engine.step() == GameEngine::Step::Setup;
    for (int s = 0; s < GameEngine::SeatCount && !m_engine.isOver(); ++s) {
        Robot* robot = m_robots[size_t(s)].get();
        if (!robot || (!setup && s != m_engine.currentSeat()))
            continue;
        while (m_engine.need(s) != GameEngine::Need::Nothing) {
            QElapsedTimer thinking;
            thinking.start();
            const GameAction action = robot->act(m_engine, s);
            Metrics::instance().robotDecisionSeconds.observeNs(thinking.nsecsElapsed());
            const GameEngine::Refusal r = m_engine.apply(s, action);
            if (r != GameEngine::Refusal::None) {
                qCWarning(lcServer).noquote() << "game" << m_room.id() << "robot at seat" << s
                                              << "was refused:" << GameEngine::describe(r);
                break;
            }
            if (!setup || m_engine.step() != GameEngine::Step::Setup)
                break;
        }
        if (!setup)
            break;
    }
    flush();
}
