#include "gamechronicle.h"

#include "armies.h"
#include "mapmodel.h"

#include <QElapsedTimer>

#include <algorithm>
#include <functional>

namespace {

bool validSeat(int seat)
{
    return seat >= 0 && seat < Rules::MaxPlayers;
}

// Losses of both sides for dice already sorted from the highest down: the
// highest dice meet pairwise and a tie goes to the defender.
std::pair<int, int> compare(std::array<int, 3> attack, std::array<int, 2> defence)
{
    std::sort(attack.begin(), attack.end(), std::greater<>());
    std::sort(defence.begin(), defence.end(), std::greater<>());
    int attackerLoss = 0;
    int defenderLoss = 0;
    for (size_t i = 0; i < 2; ++i) {
        if (attack[i] <= 0 || defence[i] <= 0)
            break;
        if (attack[i] > defence[i])
            ++defenderLoss;
        else
            ++attackerLoss;
    }
    return {attackerLoss, defenderLoss};
}

} // namespace

std::pair<int, int> DiceRound::losses() const
{
    return compare(attack, defence);
}

GameChronicle::GameChronicle(const MapModel& map, Clock clock)
    : m_map(map), m_clock(std::move(clock))
{
    if (!m_clock) {
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        m_clock = [timer] {
            return timer->elapsed();
        };
    }
    reset();
}

namespace {

// Every equally likely throw of that many dice, counted through.
std::pair<double, double> countLosses(int attackDice, int defenceDice)
{
    const int dice = attackDice + defenceDice;
    int throws = 1;
    for (int i = 0; i < dice; ++i)
        throws *= 6;
    long attackerTotal = 0;
    long defenderTotal = 0;
    for (int code = 0; code < throws; ++code) {
        std::array<int, 3> attack{};
        std::array<int, 2> defence{};
        int rest = code;
        for (int i = 0; i < dice; ++i, rest /= 6) {
            const int face = rest % 6 + 1;
            if (i < attackDice)
                attack[size_t(i)] = face;
            else
                defence[size_t(i - attackDice)] = face;
        }
        const auto [a, d] = compare(attack, defence);
        attackerTotal += a;
        defenderTotal += d;
    }
    return {double(attackerTotal) / throws, double(defenderTotal) / throws};
}

} // namespace

std::pair<double, double> GameChronicle::expectedLosses(int attackDice, int defenceDice)
{
    // Counted once for each of the twelve ways dice can meet.
    static const auto table = [] {
        std::array<std::array<std::pair<double, double>, 3>, 4> odds{};
        for (int a = 0; a <= 3; ++a) {
            for (int d = 0; d <= 2; ++d)
                odds[size_t(a)][size_t(d)] = countLosses(a, d);
        }
        return odds;
    }();
    return table[size_t(std::clamp(attackDice, 0, 3))][size_t(std::clamp(defenceDice, 0, 2))];
}

void GameChronicle::reset()
{
    for (SeatFigures& seat : m_seats)
        seat = {};
    m_lastTakenBy.fill(-1);
    m_rounds.clear();
    m_attack = {};
    m_started = false;
    m_timerMode = -1;
    m_startedAt = now();
    m_endedAt = -1;
    m_deadline = -1;
    m_turnSeat = -1;
    m_turnLinePending = false;
    m_turnNumber = 0;
    m_winner = -1;
}

qint64 GameChronicle::now() const
{
    return m_clock();
}

QString GameChronicle::nameOf(int seat) const
{
    return validSeat(seat) ? m_seats[size_t(seat)].name : QString();
}

QString GameChronicle::countryName(int number) const
{
    const Country* c = m_map.country(number);
    return c ? c->name : QString();
}

void GameChronicle::player(int seat, const QString& name, bool robot)
{
    if (!validSeat(seat))
        return;
    SeatFigures& figures = m_seats[size_t(seat)];
    figures.name = name;
    figures.robot = robot;
    figures.present = true;
}

void GameChronicle::init(int timerMode)
{
    // The seats stay: their messages came before the start.
    const auto seats = m_seats;
    reset();
    for (size_t i = 0; i < seats.size(); ++i) {
        m_seats[i].name = seats[i].name;
        m_seats[i].robot = seats[i].robot;
        m_seats[i].present = seats[i].present;
    }
    m_started = true;
    m_timerMode = timerMode;
}

void GameChronicle::clock(int seconds)
{
    m_deadline = seconds > 0 ? now() + qint64(seconds) * 1000 : -1;
}

int GameChronicle::reinforcements(int seat) const
{
    int bonus = 0;
    for (const auto& [number, continent] : m_map.continents()) {
        bool any = false;
        bool all = true;
        for (const auto& [n, c] : m_map.countries()) {
            if (c.continent != number)
                continue;
            any = true;
            all = all && c.owner == seat;
        }
        if (any && all)
            bonus += continent.value;
    }
    return Rules::reinforcements(m_map.countriesOf(seat), bonus);
}

QList<TurnLine> GameChronicle::prompt(int seat, int armies)
{
    QList<TurnLine> lines = closeAttack();
    if (!validSeat(seat) || isOver())
        return lines;
    if (seat != m_turnSeat) {
        m_turnSeat = seat;
        ++m_turnNumber;
        ++m_seats[size_t(seat)].turns;
        m_turnLinePending = true;
    }
    if (m_turnLinePending && armies >= 0) {
        m_turnLinePending = false;
        lines << TurnLine{
            tr("Turn %1: %2 receives %3 armies")
                .arg(QString::number(m_turnNumber), nameOf(seat), QString::number(armies)),
            seat};
    }
    return lines;
}

QList<TurnLine> GameChronicle::attack(int from, int to, bool doOrDie)
{
    QList<TurnLine> lines = closeAttack();
    const Country* attacking = m_map.country(from);
    const Country* attacked = m_map.country(to);
    if (!attacking || !attacked || isOver())
        return lines;
    m_attack = {from, to, attacking->owner, attacked->owner, doOrDie, false};
    return lines;
}

void GameChronicle::dice(const DiceRound& round)
{
    m_rounds << round;
    const auto [attackerLoss, defenderLoss] = round.losses();
    const int attackDice =
        int(std::count_if(round.attack.begin(), round.attack.end(), [](int d) { return d > 0; }));
    const int defenceDice =
        int(std::count_if(round.defence.begin(), round.defence.end(), [](int d) { return d > 0; }));
    const auto [expectedAttackerLoss, expectedDefenderLoss] =
        expectedLosses(attackDice, defenceDice);
    if (validSeat(round.attacker)) {
        SeatFigures& attacker = m_seats[size_t(round.attacker)];
        ++attacker.throws;
        attacker.kills += defenderLoss;
        attacker.expectedKills += expectedDefenderLoss;
    }
    if (validSeat(round.defender)) {
        SeatFigures& defender = m_seats[size_t(round.defender)];
        ++defender.throws;
        defender.kills += attackerLoss;
        defender.expectedKills += expectedAttackerLoss;
    }
}

QList<TurnLine> GameChronicle::country(int number, int owner, int armies)
{
    Q_UNUSED(armies);
    QList<TurnLine> lines;
    const Country* c = m_map.country(number);
    if (!c || c->owner == owner)
        return lines;
    if (!m_started) {
        // A watcher who comes into a running game hears no start: the first
        // owned country shows the game is on.
        if (owner >= 0) {
            m_started = true;
            m_startedAt = now();
        }
        return lines;
    }
    const int previous = c->owner;
    if (validSeat(previous) && validSeat(owner))
        m_lastTakenBy[size_t(previous)] = owner;
    if (number == m_attack.to && owner == m_attack.attacker && !m_attack.conquered) {
        m_attack.conquered = true;
        if (validSeat(owner))
            ++m_seats[size_t(owner)].conquered;
        lines << TurnLine{
            tr("%1 conquers %2 from %3").arg(nameOf(owner), c->name, nameOf(previous)), owner};
    }
    const int local = m_map.localSeat();
    if (number == m_map.highlighted() && local >= 0 && previous == local && owner != local) {
        lines << TurnLine{tr("%1 has taken your capital %2").arg(nameOf(owner), c->name), owner};
    }
    return lines;
}

QList<TurnLine> GameChronicle::closeAttack()
{
    QList<TurnLine> lines;
    const PendingAttack attack = std::exchange(m_attack, {});
    if (!attack.doOrDie || attack.conquered || attack.to < 0)
        return lines;
    lines << TurnLine{
        tr("%1 holds %2 against the do-or-die attack of %3")
            .arg(nameOf(attack.defender), countryName(attack.to), nameOf(attack.attacker)),
        attack.defender};
    return lines;
}

void GameChronicle::exchanged(int seat)
{
    if (validSeat(seat))
        m_seats[size_t(seat)].cardsTraded += 3;
}

QList<TurnLine> GameChronicle::turnEnd()
{
    QList<TurnLine> lines = closeAttack();
    m_turnSeat = -1;
    m_turnLinePending = false;
    return lines;
}

GameChronicle::Exit GameChronicle::seatOut(int seat)
{
    Exit exit;
    if (!validSeat(seat))
        return exit;
    exit.lines = closeAttack();
    const QString name = nameOf(seat);
    if (m_started && m_map.countriesOf(seat) == 0) {
        exit.how = SeatExit::Defeated;
        exit.by = m_lastTakenBy[size_t(seat)];
        if (exit.by >= 0)
            exit.lines << TurnLine{tr("%1 is defeated by %2").arg(name, nameOf(exit.by)), seat};
        else
            exit.lines << TurnLine{tr("%1 is defeated").arg(name), seat};
        return exit;
    }
    // Only the seat whose time runs, or any seat while all place at the
    // start, can be removed by the clock, and only in the timer modes that
    // remove players.
    const bool timed = m_started && m_deadline >= 0 && m_timerMode != 2 &&
                       (m_turnSeat < 0 || m_turnSeat == seat) && now() >= m_deadline - TimerSlack;
    if (timed) {
        exit.how = SeatExit::TimedOut;
        exit.lines << TurnLine{tr("%1 is removed from the game by the turn timer").arg(name), seat};
    } else {
        exit.lines << TurnLine{tr("%1 has left the game").arg(name), seat};
    }
    return exit;
}

QList<TurnLine> GameChronicle::replaced(int seat)
{
    QList<TurnLine> lines;
    if (!validSeat(seat) || !m_started || isOver())
        return lines;
    const bool timed = m_deadline >= 0 && m_timerMode != 2 &&
                       (m_turnSeat < 0 || m_turnSeat == seat) && now() >= m_deadline - TimerSlack;
    if (timed)
        lines << TurnLine{tr("%1 has run out of time").arg(nameOf(seat)), seat};
    return lines;
}

QList<TurnLine> GameChronicle::winner(int seat)
{
    QList<TurnLine> lines = closeAttack();
    if (!validSeat(seat) || isOver())
        return lines;
    m_winner = seat;
    m_endedAt = now();
    m_deadline = -1;
    return lines;
}

qint64 GameChronicle::durationMs() const
{
    if (!m_started)
        return 0;
    return (m_endedAt >= 0 ? m_endedAt : now()) - m_startedAt;
}

SeatFigures GameChronicle::figures(int seat) const
{
    if (!validSeat(seat))
        return {};
    SeatFigures figures = m_seats[size_t(seat)];
    figures.countries = m_map.countriesOf(seat);
    figures.armies = m_map.armiesOf(seat);
    return figures;
}
