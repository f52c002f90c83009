#include "mapdata.h"

#include "basepictures.h"

#include "indexcodec.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QtEndian>

#include <cmath>
#include <limits>

namespace {

// map.json of a hand-made map is a few hundred KiB at most; anything larger
// is not one of ours.
constexpr qint64 MaxJsonSize = 4 * 1024 * 1024;
constexpr qint64 MaxIndexSize = 0x100000;

bool inPicture(QSize size, int x, int y)
{
    return x >= 0 && y >= 0 && x < size.width() && y < size.height();
}

QJsonArray intArray(std::initializer_list<int> values)
{
    QJsonArray a;
    for (int v : values)
        a.append(v);
    return a;
}

// Reads an integer from JSON, refusing fractions, strings and numbers
// beyond int rather than rounding or wrapping them.
bool readInt(const QJsonValue& v, int* out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!(d >= double(std::numeric_limits<int>::min()) &&
          d <= double(std::numeric_limits<int>::max())) ||
        d != std::trunc(d))
        return false;
    *out = int(d);
    return true;
}

bool readInts(const QJsonValue& v, int count, int* out)
{
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() != count)
        return false;
    for (int i = 0; i < count; ++i) {
        if (!readInt(a.at(i), &out[i]))
            return false;
    }
    return true;
}

} // namespace

QSize MapData::pictureSize(const QString& picture)
{
    for (const Rules::BasePicture& p : Rules::BasePictures) {
        if (picture == QLatin1String(p.name))
            return QSize(p.width, p.height);
    }
    return {};
}

std::optional<std::vector<qint32>> MapData::indexValues() const
{
    QString unused;
    return unpackIndex(&unused);
}

std::optional<std::vector<qint32>> MapData::unpackIndex(QString* error) const
{
    const QSize size = pictureSize(picture);
    if (!size.isValid()) {
        *error = QStringLiteral("unknown picture");
        return std::nullopt;
    }
    const qsizetype expected = qsizetype(size.width()) * size.height() * 4;
    const std::optional<QByteArray> raw = IndexCodec::inflateBounded(index, expected);
    if (!raw) {
        *error = QStringLiteral("index is not a gzip stream of at most %1 bytes").arg(expected);
        return std::nullopt;
    }
    if (raw->size() != expected) {
        *error =
            QStringLiteral("index holds %1 bytes instead of %2").arg(raw->size()).arg(expected);
        return std::nullopt;
    }
    std::vector<qint32> values(size_t(size.width()) * size_t(size.height()));
    qFromBigEndian<qint32>(raw->constData(), qsizetype(values.size()), values.data());
    return values;
}

QString MapData::validate() const
{
    if (name.trimmed().isEmpty() || name.size() > MaxNameLength)
        return QStringLiteral("map name empty or too long");
    const QSize size = pictureSize(picture);
    if (!size.isValid())
        return QStringLiteral("unknown picture");
    if (continents.isEmpty() || continents.size() > MaxContinents)
        return QStringLiteral("%1 continents").arg(continents.size());
    if (countries.isEmpty() || countries.size() > MaxCountries)
        return QStringLiteral("%1 countries").arg(countries.size());
    if (neighbours.size() > MaxNeighbours || lines.size() > MaxLines)
        return QStringLiteral("too many neighbour pairs or lines");

    QSet<int> continentNumbers;
    for (const MapContinent& c : continents) {
        if (c.name.size() > MaxNameLength)
            return QStringLiteral("continent %1: name too long").arg(c.number);
        if (continentNumbers.contains(c.number))
            return QStringLiteral("continent %1 declared twice").arg(c.number);
        continentNumbers.insert(c.number);
    }

    QSet<int> countryNumbers;
    for (const MapCountry& c : countries) {
        if (c.number <= 0)
            return QStringLiteral("country number %1 is not positive").arg(c.number);
        if (countryNumbers.contains(c.number))
            return QStringLiteral("country %1 declared twice").arg(c.number);
        if (c.name.size() > MaxNameLength)
            return QStringLiteral("country %1: name too long").arg(c.number);
        if (!continentNumbers.contains(c.continent))
            return QStringLiteral("country %1: no continent %2").arg(c.number).arg(c.continent);
        if (!inPicture(size, c.labelX, c.labelY))
            return QStringLiteral("country %1: label outside the picture").arg(c.number);
        // Clients scan the area rectangle when colouring a country, so it must
        // stay inside the picture; the sums are taken in 64 bits so that no
        // width can wrap them back inside.
        if (c.areaWidth < 0 || c.areaHeight < 0 || !inPicture(size, c.areaX, c.areaY) ||
            qint64(c.areaX) + c.areaWidth > size.width() ||
            qint64(c.areaY) + c.areaHeight > size.height())
            return QStringLiteral("country %1: area outside the picture").arg(c.number);
        countryNumbers.insert(c.number);
    }

    for (const auto& pair : neighbours) {
        if (!countryNumbers.contains(pair[0]) || !countryNumbers.contains(pair[1]) ||
            pair[0] == pair[1])
            return QStringLiteral("neighbour pair %1-%2 names no two countries")
                .arg(pair[0])
                .arg(pair[1]);
    }
    // Clients rasterise sea lines pixel by pixel; far-away end points would
    // make that loop practically endless.
    for (const auto& line : lines) {
        if (!inPicture(size, line[0], line[1]) || !inPicture(size, line[2], line[3]))
            return QStringLiteral("line outside the picture");
    }

    QString error;
    const std::optional<std::vector<qint32>> values = unpackIndex(&error);
    if (!values)
        return error;
    int lastChecked = 0;
    for (const qint32 v : *values) {
        if (v == lastChecked || v == -1 || v == -2 || v == 0)
            continue;
        if (!countryNumbers.contains(v))
            return QStringLiteral("index names undeclared country %1").arg(v);
        lastChecked = v;
    }
    return {};
}

QJsonObject MapData::toJson() const
{
    QJsonArray continentArray;
    for (const MapContinent& c : continents)
        continentArray.append(QJsonObject{{QStringLiteral("number"), c.number},
                                          {QStringLiteral("name"), c.name},
                                          {QStringLiteral("value"), c.value}});
    QJsonArray countryArray;
    for (const MapCountry& c : countries) {
        countryArray.append(QJsonObject{
            {QStringLiteral("number"), c.number},
            {QStringLiteral("name"), c.name},
            {QStringLiteral("continent"), c.continent},
            {QStringLiteral("label"), intArray({c.labelX, c.labelY})},
            {QStringLiteral("area"), intArray({c.areaX, c.areaY, c.areaWidth, c.areaHeight})},
        });
    }
    QJsonArray neighbourArray;
    for (const auto& pair : neighbours)
        neighbourArray.append(intArray({pair[0], pair[1]}));
    QJsonArray lineArray;
    for (const auto& line : lines)
        lineArray.append(intArray({line[0], line[1], line[2], line[3]}));
    return QJsonObject{
        {QStringLiteral("id"), id},
        {QStringLiteral("name"), name},
        {QStringLiteral("author"), author},
        {QStringLiteral("picture"), picture},
        {QStringLiteral("continents"), continentArray},
        {QStringLiteral("countries"), countryArray},
        {QStringLiteral("neighbours"), neighbourArray},
        {QStringLiteral("lines"), lineArray},
    };
}

std::optional<MapData> MapData::fromJson(const QJsonObject& json, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };

    MapData map;
    if (!readInt(json.value(QLatin1String("id")), &map.id))
        return fail(QStringLiteral("no integer id"));
    map.name = json.value(QLatin1String("name")).toString();
    map.author = json.value(QLatin1String("author")).toString();
    map.picture = json.value(QLatin1String("picture")).toString();

    for (const QJsonValue& v : json.value(QLatin1String("continents")).toArray()) {
        const QJsonObject o = v.toObject();
        MapContinent c;
        if (!readInt(o.value(QLatin1String("number")), &c.number) ||
            !readInt(o.value(QLatin1String("value")), &c.value))
            return fail(QStringLiteral("malformed continent"));
        c.name = o.value(QLatin1String("name")).toString();
        map.continents.append(c);
    }
    for (const QJsonValue& v : json.value(QLatin1String("countries")).toArray()) {
        const QJsonObject o = v.toObject();
        MapCountry c;
        int label[2];
        int area[4];
        if (!readInt(o.value(QLatin1String("number")), &c.number) ||
            !readInt(o.value(QLatin1String("continent")), &c.continent) ||
            !readInts(o.value(QLatin1String("label")), 2, label) ||
            !readInts(o.value(QLatin1String("area")), 4, area))
            return fail(QStringLiteral("malformed country"));
        c.name = o.value(QLatin1String("name")).toString();
        c.labelX = label[0];
        c.labelY = label[1];
        c.areaX = area[0];
        c.areaY = area[1];
        c.areaWidth = area[2];
        c.areaHeight = area[3];
        map.countries.append(c);
    }
    for (const QJsonValue& v : json.value(QLatin1String("neighbours")).toArray()) {
        std::array<int, 2> pair;
        if (!readInts(v, 2, pair.data()))
            return fail(QStringLiteral("malformed neighbour pair"));
        map.neighbours.append(pair);
    }
    for (const QJsonValue& v : json.value(QLatin1String("lines")).toArray()) {
        std::array<int, 4> line;
        if (!readInts(v, 4, line.data()))
            return fail(QStringLiteral("malformed line"));
        map.lines.append(line);
    }
    return map;
}

std::optional<MapData> MapData::readFolder(const QString& folder, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QDir dir(folder);
    QFile json(dir.filePath(QStringLiteral("map.json")));
    QFile index(dir.filePath(QStringLiteral("index.gz")));
    if (!json.open(QIODevice::ReadOnly) || !index.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("map.json or index.gz missing"));
    if (json.size() > MaxJsonSize || index.size() > MaxIndexSize)
        return fail(QStringLiteral("map.json or index.gz oversized"));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json.readAll(), &parseError);
    if (!doc.isObject())
        return fail(parseError.errorString());
    std::optional<MapData> map = fromJson(doc.object(), error);
    if (map)
        map->index = index.readAll();
    return map;
}
