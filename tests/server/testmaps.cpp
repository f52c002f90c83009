#include "testmaps.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QtEndian>

#include <zlib.h>

namespace testmaps {

QByteArray gzip(const QByteArray& raw)
{
    z_stream zs{};
    deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&zs, uLong(raw.size()))) + 32, '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.constData()));
    zs.avail_in = uInt(raw.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = uInt(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(qsizetype(zs.total_out));
    deflateEnd(&zs);
    return out;
}

QByteArray bandIndex(int countries, int width, int height)
{
    QByteArray raw(qsizetype(width) * height * 4, '\0');
    auto* out = reinterpret_cast<uchar*>(raw.data());
    const int band = width / countries;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int b = std::min(x / band, countries - 1);
            const int fromEdge = x - b * band;
            qint32 v = b + 1;
            if (b > 0 && fromEdge == 0)
                v = -1;
            else if ((b > 0 && fromEdge == 1) || (b < countries - 1 && x == (b + 1) * band - 1))
                v = -2;
            qToBigEndian<qint32>(v, out + (qsizetype(y) * width + x) * 4);
        }
    }
    return raw;
}

MapData bandMap(int id, const QString& name, int countries)
{
    MapData map;
    map.id = id;
    map.name = name;
    map.author = QStringLiteral("tests");
    map.picture = QStringLiteral("europe");
    map.index = gzip(bandIndex(countries));
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
