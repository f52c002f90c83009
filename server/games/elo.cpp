#include "elo.h"

#include <algorithm>
#include <cmath>

namespace {

// Elo with the usual factor.
constexpr double RatingFactor = 32;

} // namespace

std::vector<int> ratingsAfter(const std::vector<int>& before, int winner)
{
    std::vector<int> after = before;
    if (winner < 0 || winner >= int(before.size()))
        return after;
    const int champion = before[size_t(winner)];
    for (size_t i = 0; i < before.size(); ++i) {
        if (int(i) == winner)
            continue;
        const double expected = 1 / (1 + std::pow(10.0, (before[i] - champion) / 400.0));
        const int delta = int(std::lround(RatingFactor * (1 - expected)));
        after[size_t(winner)] += delta;
        after[i] -= delta;
    }
    for (int& rating : after)
        rating = std::max(1, rating);
    return after;
}
