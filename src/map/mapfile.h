#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class Map;

// A map stored on disk as a folder with map.json (picture, continents,
// countries, neighbours and sea lines) and index.gz (the country index as it
// travels to the board). Used for the maps shipped with the program.
struct MapFile
{
    struct ContinentEntry
    {
        int number = 0;
        QString name;
        int value = 0;
    };
    struct CountryEntry
    {
        int number = 0;
        QString name;
        int continent = 0;
        int textX = 0;
        int textY = 0;
        int areaX = 0;
        int areaY = 0;
        int areaWidth = 0;
        int areaHeight = 0;
    };

    // Empty when the folder holds no readable map.
    static std::optional<MapFile> read(const QString& folder);

    // Loads the map into the board the way a map from the server arrives.
    void applyTo(Map& map) const;

    int id = 0;
    QString name;
    QString picture;
    QByteArray index;
    QList<ContinentEntry> continents;
    QList<CountryEntry> countries;
    QList<QPair<int, int>> neighbours;
    QList<QList<int>> lines;
};
