#pragma once

#include <functional>

struct MapData;

// How many armies a seat receives at the start of its turn.
namespace Rules {

// Every seat gets at least this many, however few countries it holds.
inline constexpr int MinimumArmies = 3;

// One army per three countries held, at least MinimumArmies: what a turn
// offers before any continent bonus (and what the decide message announces).
int decideArmies(int countries);

// The bonus values of the continents whose every country the seat owns. A
// continent without countries belongs to nobody. ownerOf gives the seat
// owning a country number (-1 for none).
int continentBonus(const MapData& map, const std::function<int(int country)>& ownerOf, int seat);

// A turn's armies: the country count's share plus the continent bonus.
int reinforcements(int countries, int continentBonus);

} // namespace Rules
