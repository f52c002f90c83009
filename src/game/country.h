#pragma once

#include <QList>
#include <QRect>
#include <QString>

// One country of the current map. The neighbour relation is symmetric, but a
// country only keeps its own side: whoever changes it changes both countries.
class Country
{
public:
    Country() = default;
    Country(int number, const QString& name, int continent);

    bool isNeighbour(int number) const { return m_neighbours.contains(number); }
    void addNeighbour(int number);
    void removeNeighbour(int number);
    int neighbourCount() const { return int(m_neighbours.size()); }
    int neighbour(int i) const { return m_neighbours.value(i); }
    const QList<int>& neighbours() const { return m_neighbours; }

    int number = 0;
    int continent = 0;
    QString name;
    int textX = 0;
    int textY = 0;
    // Encloses every pixel of the country in the index, so recolouring scans
    // only this rectangle; the null rectangle while the country has no land.
    QRect area;
    int armies = 0;
    int owner = -1;
    bool selected = false;

private:
    QList<int> m_neighbours;
};
