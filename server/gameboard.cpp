#include "gameboard.h"

std::shared_ptr<const Board> makeBoard(const MapData& map)
{
    std::vector<Board::ContinentInput> continents;
    for (const MapContinent& c : map.continents)
        continents.push_back({c.number, c.name, c.value});
    std::vector<Board::CountryInput> countries;
    for (const MapCountry& c : map.countries)
        countries.push_back({c.number, c.name, c.continent});
    std::vector<std::array<int, 2>> neighbours(map.neighbours.begin(), map.neighbours.end());
    return std::make_shared<const Board>(continents, countries, neighbours);
}
