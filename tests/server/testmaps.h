#pragma once

#include "mapdata.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Small valid maps for the tests: a 780 x 400 index (the size of every base
// picture) split into vertical bands, one country per band, a one-pixel
// border of -1 with a -2 halo between bands.
namespace testmaps {

constexpr int Width = 780;
constexpr int Height = 400;

// The index words for the band layout, row by row.
std::vector<qint32> bandIndex(int countries);
QByteArray pack(const std::vector<qint32>& words);
MapData bandMap(int id, const QString& name, int countries = 3);
// Writes maps/<id>-<name>/{map.json,index.gz} below the directory.
bool writeDefaultMap(const QString& dataDirectory, const MapData& map);

} // namespace testmaps
