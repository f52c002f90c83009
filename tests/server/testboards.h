#pragma once

#include "board.h"

#include <array>
#include <memory>
#include <vector>

// Small boards the engine and robot tests play on, where World would hide
// the one choice a case is about.

// Six countries in a line, 1-2-3-4-5-6: the West (1 to 3, bonus 2) and the
// East (4 to 6, bonus 3).
inline std::shared_ptr<const Board> lineBoard()
{
    return std::make_shared<const Board>(
        std::vector<Board::ContinentInput>{{1, QStringLiteral("West"), 2},
                                           {2, QStringLiteral("East"), 3}},
        std::vector<Board::CountryInput>{{1, QStringLiteral("A"), 1},
                                         {2, QStringLiteral("B"), 1},
                                         {3, QStringLiteral("C"), 1},
                                         {4, QStringLiteral("D"), 2},
                                         {5, QStringLiteral("E"), 2},
                                         {6, QStringLiteral("F"), 2}},
        std::vector<std::array<int, 2>>{{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}});
}

// Thirty countries in a ring of three continents, with a few chords.
inline std::shared_ptr<const Board> ringBoard()
{
    std::vector<Board::CountryInput> countries;
    std::vector<std::array<int, 2>> pairs;
    for (int i = 1; i <= 30; ++i) {
        countries.push_back({i, QString::number(i), 1 + (i - 1) / 10});
        pairs.push_back({i, i % 30 + 1});
        if (i % 5 == 0)
            pairs.push_back({i, (i + 14) % 30 + 1});
    }
    return std::make_shared<const Board>(
        std::vector<Board::ContinentInput>{
            {1, QStringLiteral("a"), 3}, {2, QStringLiteral("b"), 5}, {3, QStringLiteral("c"), 2}},
        countries, pairs);
}
