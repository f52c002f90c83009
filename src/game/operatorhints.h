#pragma once

#include <QString>

class GameRecord;

// Why Start or Robot cannot be pressed yet in a waiting game the own user
// operates, and what would change it: the button bar's tooltips and the
// line under it say so. Both texts are empty while the button can be
// pressed or the game runs.
struct OperatorHints
{
    static OperatorHints forGame(const GameRecord& game);

    // Both reasons, a line each, for the line under the buttons.
    QString line() const;
    bool isEmpty() const { return start.isEmpty() && robot.isEmpty(); }

    QString start;
    QString robot;

    bool operator==(const OperatorHints&) const = default;
};
