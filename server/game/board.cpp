#include "board.h"

#include <algorithm>

Board::Board(const std::vector<ContinentInput>& continents,
             const std::vector<CountryInput>& countries,
             const std::vector<std::array<int, 2>>& neighbours)
{
    MapData map;
    for (const ContinentInput& c : continents)
        map.continents.append({c.number, c.name, c.bonus});
    for (const CountryInput& c : countries) {
        MapCountry country;
        country.number = c.number;
        country.name = c.name;
        country.continent = c.continent;
        map.countries.append(country);
    }
    for (const auto& pair : neighbours)
        map.neighbours.append(pair);
    build(map);
}

Board::Board(const MapData& map)
{
    build(map);
}

void Board::build(const MapData& map)
{
    m_map = map;
    m_map.index.clear();
    m_map.lines.clear();
    for (const MapContinent& c : map.continents)
        m_continents.push_back({c.number, c.name, c.value, {}, 0});
    auto continentIndex = [this](int number) {
        for (size_t i = 0; i < m_continents.size(); ++i) {
            if (m_continents[i].number == number)
                return int(i);
        }
        return -1;
    };
    int highest = 0;
    for (const MapCountry& c : map.countries)
        highest = std::max(highest, c.number);
    m_indexOf.assign(size_t(highest) + 1, -1);
    for (const MapCountry& c : map.countries) {
        const int continent = continentIndex(c.continent);
        if (continent < 0 || c.number < 0 || m_indexOf[size_t(c.number)] >= 0)
            continue;
        m_indexOf[size_t(c.number)] = int(m_countries.size());
        m_continents[size_t(continent)].countries.push_back(int(m_countries.size()));
        m_countries.push_back({c.number, c.name, continent, {}});
    }
    for (const auto& [a, b] : map.neighbours) {
        const int i = indexOf(a);
        const int j = indexOf(b);
        if (i < 0 || j < 0 || i == j || adjacent(i, j))
            continue;
        m_countries[size_t(i)].neighbours.push_back(j);
        m_countries[size_t(j)].neighbours.push_back(i);
    }
    for (size_t k = 0; k < m_continents.size(); ++k) {
        for (int c : m_continents[k].countries) {
            const std::vector<int>& n = m_countries[size_t(c)].neighbours;
            m_continents[k].entrances += std::any_of(n.begin(), n.end(), [&](int x) {
                return m_countries[size_t(x)].continent != int(k);
            });
        }
    }
}

bool Board::adjacent(int a, int b) const
{
    const std::vector<int>& n = m_countries[size_t(a)].neighbours;
    return std::find(n.begin(), n.end(), b) != n.end();
}
