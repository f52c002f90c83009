#pragma once

#include <array>
#include <cstdint>
#include <variant>

// What the game tells its seats and watchers, one value per game message.
// Countries are map numbers, seats 0 to 5.
namespace event {

struct Country
{
    int country;
    int owner;
    int armies;
    bool operator==(const Country&) const = default;
};
// Every seat is to own this many armies once the first placing is done.
struct Init
{
    int armies;
    bool operator==(const Init&) const = default;
};
struct More
{
    int seat;
    bool operator==(const More&) const = default;
};
struct Decide
{
    int seat;
    bool operator==(const Decide&) const = default;
};
struct Place
{
    int seat;
    int armies;
    bool operator==(const Place&) const = default;
};
struct Attack
{
    int from;
    int to;
    int dice;
    bool doOrDie;
    bool operator==(const Attack&) const = default;
};
// Unused dice are 0.
struct Dice
{
    int attacker;
    std::array<int, 3> attack;
    int defender;
    std::array<int, 2> defence;
    bool operator==(const Dice&) const = default;
};
struct Take
{
    int from;
    int to;
    int minimum;
    bool operator==(const Take&) const = default;
};
struct Card
{
    int card;
    bool operator==(const Card&) const = default;
};
struct Winner
{
    int seat;
    bool operator==(const Winner&) const = default;
};
struct MustExchange
{
    int seat;
    bool operator==(const MustExchange&) const = default;
};
struct Exchanged
{
    int seat;
    int armies;
    bool operator==(const Exchanged&) const = default;
};
struct TurnEnd
{
    bool operator==(const TurnEnd&) const = default;
};
struct Clock
{
    int seconds;
    bool operator==(const Clock&) const = default;
};
struct CardCount
{
    int seat;
    int count;
    bool operator==(const CardCount&) const = default;
};
// The seat has been defeated or has left; its countries stay on the board.
struct SeatOut
{
    int seat;
    bool operator==(const SeatOut&) const = default;
};
// The seat's player has left or run out of time and a robot plays on in his
// place; whoever runs the game names the robot.
struct SeatReplaced
{
    int seat;
    bool operator==(const SeatReplaced&) const = default;
};

} // namespace event

using GameEventPayload =
    std::variant<event::Country, event::Init, event::More, event::Decide, event::Place,
                 event::Attack, event::Dice, event::Take, event::Card, event::Winner,
                 event::MustExchange, event::Exchanged, event::TurnEnd, event::Clock,
                 event::CardCount, event::SeatOut, event::SeatReplaced>;

// Who hears an event: a set of seats and, or not, the watchers (observers,
// and seats that are out of the game and now only watch).
struct Audience
{
    std::uint8_t seats = 0;
    bool watchers = false;

    static constexpr std::uint8_t AllSeats = 0x3f;
    static Audience everyone() { return {AllSeats, true}; }
    static Audience seat(int s) { return {std::uint8_t(1u << s), false}; }
    bool has(int s) const { return (seats >> s) & 1u; }

    bool operator==(const Audience&) const = default;
};

struct GameEvent
{
    Audience to;
    GameEventPayload what;

    bool operator==(const GameEvent&) const = default;
};
