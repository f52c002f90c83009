#pragma once

#include "board.h"
#include "gameaction.h"
#include "gameevent.h"
#include "seating.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class Clock;
class Random;

// The options that change how a game is played.
struct GameRules
{
    bool placeBeforeAttack = false;
    bool capitals = false;
    int timeoutSeconds = 120;
    // 0: the current player is removed when his time runs out; 1: removed
    // only if he did nothing in his turn, otherwise his turn ends; 2: his
    // turn ends.
    int timerMode = 0;
    bool replaceRobots = false;
    bool increasingCards = false;
    bool hideCards = false;
    bool blind = false;
    bool receiveCards = false;
};

// One running game: who owns which country with how many armies, the cards,
// whose turn it is and what he may do. Requests come in through apply(),
// each either refused without any change or turned into state changes and
// events for the seats and watchers. The engine has no timers: it keeps the
// turn's deadline on the injected clock and acts on it when checkTimer() is
// called. It neither knows nor cares whether a seat is a person or a robot.
class GameEngine
{
public:
    static constexpr int SeatCount = Rules::MaxPlayers;
    static constexpr int Joker = 3;

    enum class Step { Setup, Exchange, Decide, Place, Attack, Take, Move, Over };
    // What a seat is expected to do now. Attack also covers the moves at the
    // end of a turn (the step tells whether attacks are still allowed).
    enum class Need { Nothing, Capital, PlaceInitial, Exchange, Decide, Place, Attack, Take };

    enum class Refusal {
        None,
        GameOver,
        NotInGame,
        NotYourTurn,
        WrongStep,
        UnknownCountry,
        NotYourCountry,
        OwnCountry,
        NotNeighbours,
        TooFewArmies,
        BadDice,
        BadArmies,
        NothingToPlace,
        CapitalFirst,
        CapitalChosen,
        NotYourCards,
        NotASet,
    };
    static const char* describe(Refusal refusal);

    // seats: bit s set for every seat that takes part.
    GameEngine(std::shared_ptr<const Board> board, const GameRules& rules, std::uint8_t seats,
               Random& random, const Clock& clock);

    // Deals the countries and hands out the starting armies.
    void start();
    // A game picked up at a given position, past the first placing: for
    // replaying a reported game and for tests.
    struct Position
    {
        // Owner and armies per country index.
        std::vector<int> owners{};
        std::vector<int> armies{};
        std::array<std::vector<int>, SeatCount> cards{};
        // Capitals by seat, as country indexes.
        std::array<int, SeatCount> capitals{-1, -1, -1, -1, -1, -1};
        int firstSeat = 0;
        // Sets traded so far, and what each seat was last given to place.
        int setsTraded = 0;
        std::array<int, SeatCount> lastReinforcements{};
    };
    void startFrom(const Position& position);
    // Everything that decides the rest of the game, as a value: taken
    // between requests, once their events are taken, and put back into an
    // engine built on the same board, rules and seats after a restart. The
    // turn's deadline travels as the time left of it, so the clock of the
    // restarted engine may read anything.
    struct State
    {
        struct Seat
        {
            bool active = false;
            int countries = 0;
            std::vector<int> cards{};
            int capital = -1;
            int setupArmies = 0;
            bool setupActed = false;
            // What the seat was last given to place: everyone was told it,
            // and the robots judge a rival's continents by it.
            int lastReinforcements = 0;

            bool operator==(const Seat&) const = default;
        };

        std::uint8_t seats = 0;
        std::vector<int> owners{};
        std::vector<int> armies{};
        std::vector<int> movedIn{};
        std::array<Seat, SeatCount> seat{};
        std::vector<int> deck{};
        std::vector<int> discards{};
        Step step = Step::Setup;
        int startingArmies = 0;
        int current = -1;
        int firstSeat = -1;
        int winner = -1;
        int round = 0;
        int turns = 0;
        int pool = 0;
        int setsTraded = 0;
        bool conquered = false;
        bool acted = false;
        bool placingChosen = false;
        bool mustTrade = false;
        int takeFrom = -1;
        int takeTo = -1;
        int takeMin = 0;
        // Milliseconds left of the turn (or of the first placing); -1 when
        // nothing is timed.
        std::int64_t remainingMs = -1;

        bool operator==(const State&) const = default;
    };
    State state() const;
    // Takes the game up where the state left it. A state that does not fit
    // this engine's board and seats, or contradicts itself, changes nothing
    // and gives the reason.
    bool restore(const State& state, QString* why = nullptr);

    Refusal apply(int seat, const GameAction& action);
    // Acts on the deadline if it has passed.
    void checkTimer();
    // The seat's player has gone for good: a robot takes over, or the seat is
    // out, as the rules say.
    void removeSeat(int seat);

    // Events produced since the last call, in order.
    std::vector<GameEvent> takeEvents();
    // Everything one recipient needs to follow the game from now on: the
    // countries he may see, his cards, the card counts, and what the game
    // waits for. seat -1 is a watcher.
    std::vector<GameEventPayload> snapshot(int seat) const;

    const Board& board() const { return *m_board; }
    const GameRules& rules() const { return m_rules; }
    Step step() const { return m_step; }
    Need need(int seat) const;
    bool isOver() const { return m_step == Step::Over; }
    int winner() const { return m_winner; }
    int currentSeat() const { return m_current; }
    // Milliseconds on the clock, -1 when nothing is timed.
    std::int64_t deadline() const { return m_deadline; }
    int round() const { return m_round; }
    int turns() const { return m_turns; }

    bool takesPart(int seat) const
    {
        return seat >= 0 && seat < SeatCount && (m_seats >> seat) & 1u;
    }
    bool isActive(int seat) const { return takesPart(seat) && m_seat[size_t(seat)].active; }
    int activeSeats() const;
    int owner(int country) const { return m_owner[size_t(country)]; }
    int armies(int country) const { return m_armies[size_t(country)]; }
    int countriesOf(int seat) const { return m_seat[size_t(seat)].countries; }
    int armiesOf(int seat) const;
    const std::vector<int>& cards(int seat) const { return m_seat[size_t(seat)].cards; }
    int capital(int seat) const { return m_seat[size_t(seat)].capital; }
    int setupArmiesLeft(int seat) const { return m_seat[size_t(seat)].setupArmies; }
    int startingArmies() const { return m_startingArmies; }
    // Armies still to be placed in this turn.
    int pool() const { return m_pool; }
    bool conqueredThisTurn() const { return m_conquered; }
    // The conquest waiting for its take: from, to and the fewest armies.
    int takeFrom() const { return m_takeFrom; }
    int takeTo() const { return m_takeTo; }
    int takeMinimum() const { return m_takeMin; }
    // How many armies may still leave a country by a move in this turn.
    int movable(int country) const;
    // Whether the seat is told of the country: on a blind map only of its
    // own countries and their neighbours.
    bool sees(int seat, int country) const
    {
        return !m_rules.blind || !isActive(seat) || (m_sight[size_t(country)] >> seat) & 1u;
    }
    // What the next set (of that kind, for fixed values) brings.
    int setValue(const std::array<int, 3>& cards) const;
    int reinforcements(int seat) const;
    // The reinforcements the seat received at the start of its last turn,
    // as every seat was told; 0 before its first turn.
    int lastReinforcements(int seat) const { return m_seat[size_t(seat)].lastReinforcements; }

    static bool isSet(const std::array<int, 3>& cards);
    static int startingArmies(int seats, int countries, int fewestDealt, int mostDealt);
    // The value of the n-th set traded in a game with increasing values.
    static int increasingSetValue(int n);

private:
    struct SeatState
    {
        bool active = false;
        int countries = 0;
        std::vector<int> cards;
        int capital = -1;
        int setupArmies = 0;
        bool setupActed = false;
        int lastReinforcements = 0;
    };

    Refusal setupAction(int seat, const GameAction& action);
    Refusal turnAction(int seat, const GameAction& action);
    Refusal place(int seat, const action::Place& a);
    Refusal attack(int seat, const action::Attack& a);
    Refusal take(int seat, int armies);
    // Completes the pending take with that many armies.
    void moveIn(int armies);
    Refusal move(int seat, const action::Move& a);
    Refusal exchange(int seat, const action::Exchange& a);
    Refusal endTurn(int seat);

    void post(Audience to, GameEventPayload what);
    Audience countryAudience(int country) const;
    Audience seeingMask(int country) const;
    void postCountry(int country, Audience to);
    void postCardCount(int seat);
    void revealAll(int seat);

    void startClock();
    void finishSetupIfDone();
    void completeSetup(int seat);
    void beginTurn(int seat);
    // Tells the current seat what it may do next.
    void prompt();
    void finishTurn();
    int nextSeat(int after) const;
    void conquer(int from, int to, int attacker, int defender, int diceUsed);
    void eliminate(int seat, int by);
    // settle: see at once whether the game is over or the turn passes.
    void seatLeaves(int seat, bool settle = true);
    // Declares the winner (or the end, with nobody left) if there is one.
    bool checkWinner();
    int winnerNow() const;
    void drawCard(int seat);
    // Works out again who sees the country and its neighbours, or every
    // country (-1), after a change of owner.
    void refreshSight(int country = -1);

    std::shared_ptr<const Board> m_board;
    GameRules m_rules;
    std::uint8_t m_seats;
    Random& m_random;
    const Clock& m_clock;

    std::vector<int> m_owner;
    std::vector<int> m_armies;
    // Armies moved into a country in this turn; they may not move on.
    std::vector<int> m_movedIn;
    // The seats that hold each country or one of its neighbours, one bit
    // each: who sees it on a blind map. Robots ask this all the time.
    std::vector<std::uint8_t> m_sight;
    std::array<SeatState, SeatCount> m_seat;
    std::vector<int> m_deck;
    std::vector<int> m_discards;
    std::vector<GameEvent> m_events;

    Step m_step = Step::Setup;
    int m_startingArmies = 0;
    int m_current = -1;
    int m_firstSeat = -1;
    int m_winner = -1;
    int m_round = 0;
    int m_turns = 0;
    int m_pool = 0;
    int m_setsTraded = 0;
    bool m_conquered = false;
    bool m_acted = false;
    bool m_placingChosen = false;
    // Set when the current seat holds too many cards and must trade until
    // it holds at most four.
    bool m_mustTrade = false;
    int m_takeFrom = -1;
    int m_takeTo = -1;
    int m_takeMin = 0;
    std::int64_t m_deadline = -1;
};
