#pragma once

#include <QtGlobal>

#include <algorithm>

// Bounds on the numbers the client takes from the server. They lie far
// beyond anything a real game sends, and far enough inside the range of int
// that the client's sums, differences and rectangles made of them cannot
// overflow, whatever a hostile server sends.
namespace FieldBounds {

// Ids, ratings, counts of games, seats, timers: two of them add up safely.
constexpr int Number = (1 << 30) - 1;
// Picture coordinates and sizes; pictures are a few thousand pixels wide.
constexpr int Coordinate = 1 << 16;
// The armies on one country, or given to a seat at once.
constexpr int Armies = 1 << 20;

constexpr int clamp(int value, int bound)
{
    return std::clamp(value, -bound, bound);
}

// A running total kept within Number, so that adding any bounded value to
// it stays defined.
constexpr int saturate(qint64 value)
{
    return int(std::clamp<qint64>(value, -Number, Number));
}

} // namespace FieldBounds
