#pragma once

#include "seating.h"
#include "turn.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <array>
#include <functional>

class MapModel;

// One throw of the dice: the attacking and the defending seat with their
// dice, unused dice 0.
struct DiceRound
{
    int attacker = -1;
    std::array<int, 3> attack{};
    int defender = -1;
    std::array<int, 2> defence{};

    // Armies lost by the attacker and by the defender in this throw.
    std::pair<int, int> losses() const;
};

// What one seat did in a game, as the game-over summary shows it.
struct SeatFigures
{
    QString name;
    bool present = false;
    bool robot = false;
    // Countries and armies on the board when the figures were taken.
    int countries = 0;
    int armies = 0;
    int conquered = 0;
    int cardsTraded = 0;
    int turns = 0;
    int throws = 0;
    // Armies the seat's dice took from the other side, and what the exact
    // odds of the same throws would have taken on average.
    int kills = 0;
    double expectedKills = 0;

    // Above 0: the dice were kinder than the odds.
    double luck() const { return kills - expectedKills; }
};

// How a seat came to leave the game.
enum class SeatExit { Left, Defeated, TimedOut };

// The story of the current game told from the messages the client receives:
// the lines that say what happened (conquests, the end of a do-or-die attack,
// a captured capital, defeats, departures, the start of each turn), the dice
// of every throw and each seat's figures for the summary. It only reads the
// map; the main window calls it before it applies a message to the map, so
// it still sees what the message changes.
class GameChronicle
{
    Q_DECLARE_TR_FUNCTIONS(GameChronicle)

public:
    // Milliseconds of a steady clock.
    using Clock = std::function<qint64()>;
    // A seat removed this close to its turn's end ran out of time.
    static constexpr qint64 TimerSlack = 1500;

    explicit GameChronicle(const MapModel& map, Clock clock = {});

    // The expected armies lost by the attacker and by the defender when that
    // many dice meet, over every equally likely throw.
    static std::pair<double, double> expectedLosses(int attackDice, int defenceDice);

    // Forgets the game: nothing happened yet.
    void reset();

    // A seat's player, as the seat messages name him.
    void player(int seat, const QString& name, bool robot);
    // The start of the game; timerMode is the game's (-1 when unknown).
    void init(int timerMode);
    void clock(int seconds);
    // A place, decide, more or exchange message for the seat: the first of a
    // turn starts it. armies is what the turn brings, -1 when the message
    // does not say.
    QList<TurnLine> prompt(int seat, int armies);
    // The armies a turn starting now would bring the seat.
    int reinforcements(int seat) const;
    QList<TurnLine> attack(int from, int to, bool doOrDie);
    void dice(const DiceRound& round);
    // Before the map takes the new owner and armies.
    QList<TurnLine> country(int number, int owner, int armies);
    void exchanged(int seat);
    QList<TurnLine> turnEnd();

    struct Exit
    {
        SeatExit how = SeatExit::Left;
        // The seat that took its last country, -1 when unknown.
        int by = -1;
        QList<TurnLine> lines;
    };
    // An end player message, before the seat is emptied.
    Exit seatOut(int seat);
    // A replace message, before the robot takes the seat.
    QList<TurnLine> replaced(int seat);
    QList<TurnLine> winner(int seat);

    bool isStarted() const { return m_started; }
    bool isOver() const { return m_winner >= 0; }
    int winnerSeat() const { return m_winner; }
    // From the start to the winner, or to now while the game runs.
    qint64 durationMs() const;
    int turnCount() const { return m_turnNumber; }
    // The seat's figures, its countries and armies as the board holds them.
    SeatFigures figures(int seat) const;
    const QList<DiceRound>& rounds() const { return m_rounds; }

private:
    struct PendingAttack
    {
        int from = -1;
        int to = -1;
        int attacker = -1;
        int defender = -1;
        bool doOrDie = false;
        bool conquered = false;
    };

    QString nameOf(int seat) const;
    QString countryName(int number) const;
    qint64 now() const;
    // The line for a do-or-die attack that stopped short of its country.
    QList<TurnLine> closeAttack();

    const MapModel& m_map;
    Clock m_clock;
    std::array<SeatFigures, Rules::MaxPlayers> m_seats;
    // The seat that last took a country from each seat.
    std::array<int, Rules::MaxPlayers> m_lastTakenBy{};
    QList<DiceRound> m_rounds;
    PendingAttack m_attack;
    bool m_started = false;
    int m_timerMode = -1;
    qint64 m_startedAt = 0;
    qint64 m_endedAt = -1;
    qint64 m_deadline = -1;
    int m_turnSeat = -1;
    bool m_turnLinePending = false;
    int m_turnNumber = 0;
    int m_winner = -1;
};
