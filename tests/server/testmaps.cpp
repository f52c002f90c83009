#include "testmaps.h"

#include "indexcodec.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

namespace testmaps {

std::vector<qint32> bandIndex(int countries)
{
    std::vector<qint32> words(size_t(Width) * Height);
    const int band = Width / countries;
    for (size_t i = 0; i < words.size(); ++i) {
        const int x = int(i % Width);
        const int b = std::min(x / band, countries - 1);
        const int fromEdge = x - b * band;
        words[i] = b + 1;
        if (b > 0 && fromEdge == 0)
            words[i] = -1;
        else if ((b > 0 && fromEdge == 1) || (b < countries - 1 && x == (b + 1) * band - 1))
            words[i] = -2;
    }
    return words;
}

QByteArray pack(const std::vector<qint32>& words)
{
    return IndexCodec::deflate(words.data(), int(words.size()));
}

MapData bandMap(int id, const QString& name, int countries)
{
    MapData map;
    map.id = id;
    map.name = name;
    map.author = QStringLiteral("tests");
    map.picture = QStringLiteral("europe");
    map.index = pack(bandIndex(countries));
    map.continents = {{1, QStringLiteral("West"), 2}, {2, QStringLiteral("East"), 3}};
    const int band = Width / countries;
    for (int i = 1; i <= countries; ++i) {
        MapCountry c;
        c.number = i;
        c.name = QStringLiteral("Land %1").arg(i);
        c.continent = i <= countries / 2 ? 1 : 2;
        c.labelX = (i - 1) * band + band / 2;
        c.labelY = Height / 2;
        c.areaX = (i - 1) * band;
        c.areaY = 0;
        c.areaWidth = i == countries ? Width - c.areaX : band;
        c.areaHeight = Height;
        map.countries.append(c);
        if (i > 1)
            map.neighbours.append({i - 1, i});
    }
    map.lines = {{10, 10, Width - 10, Height - 10}};
    return map;
}

bool writeDefaultMap(const QString& dataDirectory, const MapData& map)
{
    const QString folder = QStringLiteral("maps/%1-%2").arg(map.id).arg(map.name);
    QDir dir(dataDirectory);
    if (!dir.mkpath(folder))
        return false;
    QFile json(dir.filePath(folder + QStringLiteral("/map.json")));
    QFile index(dir.filePath(folder + QStringLiteral("/index.gz")));
    if (!json.open(QIODevice::WriteOnly) || !index.open(QIODevice::WriteOnly))
        return false;
    json.write(QJsonDocument(map.toJson()).toJson());
    index.write(map.index);
    return true;
}

} // namespace testmaps
