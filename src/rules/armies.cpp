#include "armies.h"

#include "mapdata.h"

#include <QHash>

#include <algorithm>

namespace Rules {

int decideArmies(int countries)
{
    return std::max(countries / 3, MinimumArmies);
}

int continentBonus(const MapData& map, const std::function<int(int country)>& ownerOf, int seat)
{
    // Per continent: whether it has a country and whether all belong to the seat.
    QHash<int, bool> held;
    for (const MapCountry& country : map.countries) {
        const bool owned = ownerOf(country.number) == seat;
        const auto it = held.find(country.continent);
        if (it == held.end())
            held.insert(country.continent, owned);
        else
            *it = *it && owned;
    }
    int bonus = 0;
    for (const MapContinent& continent : map.continents) {
        if (held.value(continent.number, false))
            bonus += continent.value;
    }
    return bonus;
}

int reinforcements(int countries, int continentBonus)
{
    return decideArmies(countries) + continentBonus;
}

} // namespace Rules
