#include "mapfile.h"

#include "map.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

std::optional<MapFile> MapFile::read(const QString& folder)
{
    const QDir dir(folder);
    QFile json(dir.filePath(QStringLiteral("map.json")));
    QFile index(dir.filePath(QStringLiteral("index.gz")));
    if (!json.open(QIODevice::ReadOnly) || !index.open(QIODevice::ReadOnly))
        return std::nullopt;
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(json.readAll(), &error).object();
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;

    MapFile file;
    file.id = root.value(QLatin1String("id")).toInt();
    file.name = root.value(QLatin1String("name")).toString();
    file.picture = root.value(QLatin1String("picture")).toString();
    file.index = index.readAll();
    for (const QJsonValue& v : root.value(QLatin1String("continents")).toArray()) {
        const QJsonObject o = v.toObject();
        file.continents.append({o.value(QLatin1String("number")).toInt(),
                                o.value(QLatin1String("name")).toString(),
                                o.value(QLatin1String("value")).toInt()});
    }
    for (const QJsonValue& v : root.value(QLatin1String("countries")).toArray()) {
        const QJsonObject o = v.toObject();
        const QJsonArray area = o.value(QLatin1String("area")).toArray();
        const QJsonArray label = o.value(QLatin1String("label")).toArray();
        file.countries.append(
            {o.value(QLatin1String("number")).toInt(), o.value(QLatin1String("name")).toString(),
             o.value(QLatin1String("continent")).toInt(), label.at(0).toInt(), label.at(1).toInt(),
             area.at(0).toInt(), area.at(1).toInt(), area.at(2).toInt(), area.at(3).toInt()});
    }
    for (const QJsonValue& v : root.value(QLatin1String("neighbours")).toArray()) {
        const QJsonArray pair = v.toArray();
        file.neighbours.append({pair.at(0).toInt(), pair.at(1).toInt()});
    }
    for (const QJsonValue& v : root.value(QLatin1String("lines")).toArray()) {
        QList<int> line;
        for (const QJsonValue& c : v.toArray())
            line.append(c.toInt());
        if (line.size() == 4)
            file.lines.append(line);
    }
    return file;
}

void MapFile::applyTo(Map& map) const
{
    map.beginLoading(id, name, picture, index.constData(), int(index.size()));
    for (const ContinentEntry& c : continents)
        map.addContinent(c.number, c.name, c.value);
    for (const CountryEntry& c : countries)
        map.addCountry(c.number, c.name, c.continent, c.textX, c.textY, c.areaX, c.areaY,
                       c.areaWidth, c.areaHeight);
    for (const auto& [a, b] : neighbours)
        map.addNeighbour(a, b);
    for (const QList<int>& l : lines)
        map.addLine(l[0], l[1], l[2], l[3]);
    map.endLoading();
}
