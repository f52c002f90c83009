#pragma once

// Who may take a seat in a waiting game, and when it may start.
namespace Rules {

inline constexpr int MaxPlayers = 6;

// A robot fits when the game allows robots, has a free seat, and leaves room
// for the humans it needs. players counts every taken seat.
bool canAddRobot(bool noRobots, int minHumans, int players, int robots);

// A waiting game starts with at least two seats taken and at least its
// minimum of human players among them.
bool canStart(bool running, int minHumans, int players, int robots);

} // namespace Rules
