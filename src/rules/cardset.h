#pragma once

// The cards a player collects and trades in sets for armies.
namespace Rules {

enum class Card : int { Horseman = 0, Cannon = 1, Footman = 2, Joker = 3 };

// Whether three cards, given by their codes, form a set that can be
// exchanged: all three alike, all three different, or a pair with a joker.
// Two jokers with any other card are no set; three jokers are.
bool isSet(int a, int b, int c);

} // namespace Rules
