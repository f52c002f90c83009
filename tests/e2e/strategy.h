#pragma once

#include <QList>

#include <array>
#include <optional>

class Map;

// A simple legal way to play a seat, read off the board as the client shows
// it: every army goes to the strongest country on a front, attacks are made
// only with at least two armies more than the defender, and at the end of a
// turn the strongest country behind the front moves up to it. Every choice
// is deterministic, so a game against seeded robots plays the same each run.
namespace strategy {

struct Attack
{
    int from = -1;
    int to = -1;
};

struct Fortify
{
    int from = -1;
    int to = -1;
    int armies = 0;
};

// The own country that takes new armies: on a front, with the best odds
// against its weakest enemy neighbour; any own country when none is on a
// front; -1 when the seat owns nothing.
int placeTarget(const Map& map, int seat);
std::optional<Attack> attack(const Map& map, int seat);
// At most `limit` armies from behind the front to a front country next to
// it, leaving one behind.
std::optional<Fortify> fortify(const Map& map, int seat, int limit);
// Positions in the hand of three cards that form a set.
std::optional<std::array<int, 3>> cardSet(const QList<int>& hand);

} // namespace strategy
