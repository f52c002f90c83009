#pragma once

#include <vector>

// The ratings after a game: the winner (an index into the ratings, or -1 for
// none) beats every other player, each pairing weighed from the ratings
// before the game; a win against an equal rating is worth 16. No rating
// falls below 1.
std::vector<int> ratingsAfter(const std::vector<int>& before, int winner);
