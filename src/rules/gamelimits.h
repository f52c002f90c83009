#pragma once

// The bounds a new game's options must keep, and the rating every account
// and robot starts from. The new-game dialog offers these ranges and the
// server refuses anything outside them.
namespace Rules {

inline constexpr int StartingRating = 1500;

// Seconds a turn may last.
inline constexpr int MinTimeout = 30;
inline constexpr int MaxTimeout = 1800;
// A rating range below 0 admits every rating.
inline constexpr int MinRatingRange = -50;
inline constexpr int MaxRatingRange = 400;
// What the turn timer does when it runs out: 0 to 2.
inline constexpr int MaxTimerMode = 2;

} // namespace Rules
