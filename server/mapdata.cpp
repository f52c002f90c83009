#include "mapdata.h"

#include "message.h"
#include "protocol.h"

#include <QJsonArray>
#include <QSet>
#include <QtEndian>

#include <cmath>
#include <limits>
#include <zlib.h>

namespace {

struct PictureEntry
{
    const char* name;
    int width;
    int height;
};

// The five base pictures every client carries; an index must match their size.
constexpr PictureEntry Pictures[] = {
    {"world", 780, 400},         {"europe", 780, 400},        {"africa", 780, 400},
    {"north america", 780, 400}, {"united states", 780, 400},
};

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
    for (const PictureEntry& p : Pictures) {
        if (picture == QLatin1String(p.name))
            return QSize(p.width, p.height);
    }
    return {};
}

std::optional<QByteArray> inflateBounded(const QByteArray& gzip, qsizetype maxOutput)
{
    z_stream zs{};
    // 16 + MAX_WBITS accepts the gzip wrapper only.
    if (inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK)
        return std::nullopt;

    QByteArray out;
    out.resize(maxOutput);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gzip.constData()));
    zs.avail_in = uInt(gzip.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = uInt(maxOutput);

    int rc = inflate(&zs, Z_FINISH);
    if (rc == Z_BUF_ERROR && zs.avail_out == 0) {
        // The buffer is full; one more byte of room tells whether the stream
        // really ends here or wants to write past the bound.
        unsigned char probe;
        zs.next_out = &probe;
        zs.avail_out = 1;
        rc = inflate(&zs, Z_FINISH);
        if (rc != Z_STREAM_END || zs.avail_out == 0) {
            inflateEnd(&zs);
            return std::nullopt;
        }
    }
    const qsizetype produced = qsizetype(zs.total_out);
    // Exactly one gzip member and nothing after it: bytes beyond the stream
    // would be stored and sent to every client unchecked.
    const bool trailing = zs.avail_in != 0;
    inflateEnd(&zs);
    if (rc != Z_STREAM_END || trailing)
        return std::nullopt;
    out.resize(produced);
    return out;
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

    const qsizetype expected = qsizetype(size.width()) * size.height() * 4;
    const std::optional<QByteArray> raw = inflateBounded(index, expected);
    if (!raw)
        return QStringLiteral("index is not a gzip stream of at most %1 bytes").arg(expected);
    if (raw->size() != expected)
        return QStringLiteral("index holds %1 bytes instead of %2").arg(raw->size()).arg(expected);

    const auto* words = reinterpret_cast<const unsigned char*>(raw->constData());
    int lastChecked = 0;
    for (qsizetype i = 0; i < expected; i += 4) {
        const qint32 v = qFromBigEndian<qint32>(words + i);
        if (v == lastChecked || v == -1 || v == -2 || v == 0)
            continue;
        if (!countryNumbers.contains(v))
            return QStringLiteral("index names undeclared country %1").arg(v);
        lastChecked = v;
    }
    return {};
}

QByteArray MapData::transferBytes() const
{
    QByteArray out;
    auto append = [&out](const Message& m) {
        out.append(m.data());
    };

    Message start = Protocol::message(Opcode::StartMap);
    start.addInt(id);
    start.addString(name.toLatin1().constData());
    start.addString(picture.toLatin1().constData());
    start.addBytes(reinterpret_cast<const unsigned char*>(index.constData()), int(index.size()));
    append(start);

    for (const MapContinent& c : continents) {
        Message m = Protocol::message(Opcode::ContinentMap);
        m.addInt(c.number);
        m.addString(c.name.toLatin1().constData());
        m.addInt(c.value);
        append(m);
    }
    for (const MapCountry& c : countries) {
        Message m = Protocol::message(Opcode::CountryMap);
        m.addInt(c.number);
        m.addString(c.name.toLatin1().constData());
        for (int v : {c.continent, c.labelX, c.labelY, c.areaX, c.areaY, c.areaWidth, c.areaHeight})
            m.addInt(v);
        append(m);
    }
    for (const auto& pair : neighbours) {
        Message m = Protocol::message(Opcode::NeighbourMap);
        m.addInt(pair[0]);
        m.addInt(pair[1]);
        append(m);
    }
    for (const auto& line : lines) {
        Message m = Protocol::message(Opcode::LineMap);
        for (int v : line)
            m.addInt(v);
        append(m);
    }
    append(Protocol::message(Opcode::EndMap));
    return out;
}

QJsonObject MapData::toJson() const
{
    QJsonArray continentArray;
    for (const MapContinent& c : continents)
        continentArray.append(
            QJsonObject{{"number", c.number}, {"name", c.name}, {"value", c.value}});
    QJsonArray countryArray;
    for (const MapCountry& c : countries) {
        countryArray.append(QJsonObject{
            {"number", c.number},
            {"name", c.name},
            {"continent", c.continent},
            {"label", intArray({c.labelX, c.labelY})},
            {"area", intArray({c.areaX, c.areaY, c.areaWidth, c.areaHeight})},
        });
    }
    QJsonArray neighbourArray;
    for (const auto& pair : neighbours)
        neighbourArray.append(intArray({pair[0], pair[1]}));
    QJsonArray lineArray;
    for (const auto& line : lines)
        lineArray.append(intArray({line[0], line[1], line[2], line[3]}));
    return QJsonObject{
        {"id", id},
        {"name", name},
        {"author", author},
        {"picture", picture},
        {"continents", continentArray},
        {"countries", countryArray},
        {"neighbours", neighbourArray},
        {"lines", lineArray},
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
    if (!readInt(json.value("id"), &map.id))
        return fail(QStringLiteral("no integer id"));
    map.name = json.value("name").toString();
    map.author = json.value("author").toString();
    map.picture = json.value("picture").toString();

    for (const QJsonValue& v : json.value("continents").toArray()) {
        const QJsonObject o = v.toObject();
        MapContinent c;
        if (!readInt(o.value("number"), &c.number) || !readInt(o.value("value"), &c.value))
            return fail(QStringLiteral("malformed continent"));
        c.name = o.value("name").toString();
        map.continents.append(c);
    }
    for (const QJsonValue& v : json.value("countries").toArray()) {
        const QJsonObject o = v.toObject();
        MapCountry c;
        int label[2];
        int area[4];
        if (!readInt(o.value("number"), &c.number) ||
            !readInt(o.value("continent"), &c.continent) || !readInts(o.value("label"), 2, label) ||
            !readInts(o.value("area"), 4, area))
            return fail(QStringLiteral("malformed country"));
        c.name = o.value("name").toString();
        c.labelX = label[0];
        c.labelY = label[1];
        c.areaX = area[0];
        c.areaY = area[1];
        c.areaWidth = area[2];
        c.areaHeight = area[3];
        map.countries.append(c);
    }
    for (const QJsonValue& v : json.value("neighbours").toArray()) {
        std::array<int, 2> pair;
        if (!readInts(v, 2, pair.data()))
            return fail(QStringLiteral("malformed neighbour pair"));
        map.neighbours.append(pair);
    }
    for (const QJsonValue& v : json.value("lines").toArray()) {
        std::array<int, 4> line;
        if (!readInts(v, 4, line.data()))
            return fail(QStringLiteral("malformed line"));
        map.lines.append(line);
    }
    return map;
}
