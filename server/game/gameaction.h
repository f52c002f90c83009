#pragma once

#include <array>
#include <variant>

// What a seat asks of the game, one value per turn request. Countries are
// the map's country numbers, as they arrive on the wire.
namespace action {

struct Capital
{
    int country;
};
// One army (all = false) or every army still to be placed (all = true).
struct Place
{
    int country;
    bool all = false;
};
// The answer to a choice between placing and attacking: place now.
struct PlaceArmies
{};
struct Attack
{
    int from;
    int to;
    int dice;
    bool doOrDie = false;
};
struct Take
{
    int armies;
};
struct Move
{
    int from;
    int to;
    int armies;
};
struct Exchange
{
    std::array<int, 3> cards;
};
struct EndTurn
{};

} // namespace action

using GameAction = std::variant<action::Capital, action::Place, action::PlaceArmies, action::Attack,
                                action::Take, action::Move, action::Exchange, action::EndTurn>;
