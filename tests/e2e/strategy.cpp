#include "strategy.h"

#include "cardset.h"
#include "map.h"

#include <algorithm>
#include <climits>

namespace strategy {

namespace {

// The fewest armies on an enemy neighbour, or nothing when the country is
// not on a front.
std::optional<int> weakestEnemy(const Map& map, const Country& country)
{
    std::optional<int> weakest;
    for (int n : country.neighbours()) {
        const Country* other = map.country(n);
        if (other && other->owner != country.owner)
            weakest = std::min(weakest.value_or(INT_MAX), other->armies);
    }
    return weakest;
}

} // namespace

int placeTarget(const Map& map, int seat)
{
    int best = -1;
    int bestMargin = INT_MIN;
    int fallback = -1;
    for (const auto& [number, country] : map.countries()) {
        if (country.owner != seat)
            continue;
        if (fallback < 0)
            fallback = number;
        const std::optional<int> enemy = weakestEnemy(map, country);
        if (enemy && country.armies - *enemy > bestMargin) {
            bestMargin = country.armies - *enemy;
            best = number;
        }
    }
    return best >= 0 ? best : fallback;
}

std::optional<Attack> attack(const Map& map, int seat)
{
    std::optional<Attack> best;
    int bestMargin = 1;
    for (const auto& [number, country] : map.countries()) {
        if (country.owner != seat || country.armies < 3)
            continue;
        for (int n : country.neighbours()) {
            const Country* target = map.country(n);
            if (!target || target->owner == seat)
                continue;
            const int margin = country.armies - target->armies;
            if (margin > bestMargin) {
                bestMargin = margin;
                best = Attack{number, n};
            }
        }
    }
    return best;
}

std::optional<Fortify> fortify(const Map& map, int seat, int limit)
{
    std::optional<Fortify> best;
    for (const auto& [number, country] : map.countries()) {
        if (country.owner != seat || country.armies < 2 || weakestEnemy(map, country))
            continue;
        if (best && country.armies - 1 <= best->armies)
            continue;
        for (int n : country.neighbours()) {
            const Country* front = map.country(n);
            if (front && front->owner == seat && weakestEnemy(map, *front)) {
                best = Fortify{number, n, std::min(country.armies - 1, limit)};
                break;
            }
        }
    }
    return best;
}

std::optional<std::array<int, 3>> cardSet(const QList<int>& hand)
{
    const int n = int(hand.size());
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            for (int c = b + 1; c < n; ++c) {
                if (Rules::isSet(hand[a], hand[b], hand[c]))
                    return std::array<int, 3>{a, b, c};
            }
        }
    }
    return std::nullopt;
}

} // namespace strategy
