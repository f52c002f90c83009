#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QSize>
#include <QString>

#include <array>
#include <optional>
#include <vector>

struct MapContinent
{
    int number = 0;
    QString name;
    int value = 0;
};

struct MapCountry
{
    int number = 0;
    QString name;
    int continent = 0;
    int labelX = 0;
    int labelY = 0;
    int areaX = 0;
    int areaY = 0;
    int areaWidth = 0;
    int areaHeight = 0;
};

// One playable map as it is stored and travels: the picture it is drawn on,
// the gzip-compressed country index exactly as it travels, and the
// continents, countries, neighbour pairs and sea lines. The server keeps its
// maps as these; the board, the tools and the tests read the shipped map
// folders into them.
struct MapData
{
    // Caps on what a client may upload; generous for any hand-drawn map.
    static constexpr int MaxNameLength = 64;
    static constexpr int MaxContinents = 64;
    static constexpr int MaxCountries = 255;
    static constexpr int MaxNeighbours = 4096;
    static constexpr int MaxLines = 2048;

    int id = 0;
    QString name;
    QString author;
    QString picture;
    QByteArray index;
    QList<MapContinent> continents;
    QList<MapCountry> countries;
    QList<std::array<int, 2>> neighbours;
    QList<std::array<int, 4>> lines;

    // The size of a base picture by its name, or an invalid size for a name
    // that is not one of the five.
    static QSize pictureSize(const QString& picture);

    // Checks everything a client will trust when drawing the map; returns an
    // empty text for a valid map, otherwise why it is not.
    QString validate() const;

    // The country index inflated and checked to be exactly one value per
    // pixel of the picture, row by row, in host byte order; nothing for an
    // unknown picture or an index of another size or a damaged stream.
    std::optional<std::vector<qint32>> indexValues() const;

    // The same keys as a default map's map.json (the index lives beside it).
    QJsonObject toJson() const;
    static std::optional<MapData> fromJson(const QJsonObject& json, QString* error);

    // Reads a map folder: map.json with index.gz beside it. Oversized files
    // are refused unread. The map is not validated.
    static std::optional<MapData> readFolder(const QString& folder, QString* error);

private:
    std::optional<std::vector<qint32>> unpackIndex(QString* error) const;
};
