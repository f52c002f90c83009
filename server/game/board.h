#pragma once

#include "mapdata.h"

#include <QString>

#include <array>
#include <vector>

// The fixed part of a map as a game sees it: countries by dense index, their
// continents and their neighbours. Country numbers are the map's own (they
// travel on the wire); everything inside the engine works on indexes
// 0..countryCount()-1 so that per-country state fits in flat vectors.
class Board
{
public:
    struct Continent
    {
        int number = 0;
        QString name;
        int bonus = 0;
        std::vector<int> countries;
        // Its countries with a neighbour outside it: where it must be
        // guarded once held.
        int entrances = 0;
    };

    struct Country
    {
        int number = 0;
        QString name;
        int continent = -1;
        std::vector<int> neighbours;
    };

    struct ContinentInput
    {
        int number;
        QString name;
        int bonus;
    };
    struct CountryInput
    {
        int number;
        QString name;
        int continent;
    };

    // Countries whose continent is unknown and neighbour pairs naming an
    // unknown country are dropped, as a client drawing the map drops them.
    Board(const std::vector<ContinentInput>& continents, const std::vector<CountryInput>& countries,
          const std::vector<std::array<int, 2>>& neighbours);
    explicit Board(const MapData& map);

    // The map the board was made of, for the shared rules.
    const MapData& map() const { return m_map; }

    int countryCount() const { return int(m_countries.size()); }
    int continentCount() const { return int(m_continents.size()); }
    const Country& country(int index) const { return m_countries[size_t(index)]; }
    const Continent& continent(int index) const { return m_continents[size_t(index)]; }
    int number(int index) const { return m_countries[size_t(index)].number; }
    // The index of a country number, or -1.
    int indexOf(int number) const
    {
        return number >= 0 && number < int(m_indexOf.size()) ? m_indexOf[size_t(number)] : -1;
    }
    bool adjacent(int a, int b) const;

private:
    void build(const MapData& map);

    MapData m_map;
    std::vector<Continent> m_continents;
    std::vector<Country> m_countries;
    std::vector<int> m_indexOf;
};
