#include "country.h"

Country::Country(int number, const QString& name, int continent)
    : number(number), continent(continent), name(name)
{}

void Country::addNeighbour(int number)
{
    if (!m_neighbours.contains(number))
        m_neighbours.append(number);
}

void Country::removeNeighbour(int number)
{
    m_neighbours.removeAll(number);
}
