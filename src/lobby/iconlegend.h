#pragma once

#include <QString>

#include <span>

// The meaning of every picture the lobby's lists show, in the legend's order:
// the option icons first, then the seat and game states, then the timer
// modes.
class IconLegend
{
public:
    struct Row
    {
        const char* file;
        const char* text;
    };

    static std::span<const Row> rows();
    // The translated meaning of a picture; `seat` tells the seat icons of a
    // game's users from its option icons, which share a picture.
    static QString meaning(const QString& file, bool seat);
};
