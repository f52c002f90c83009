#include "mapstore.h"

#include "database.h"
#include "serverlogging.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

#include <algorithm>

namespace {

// map.json of a hand-made map is a few hundred KiB at most; anything larger
// is not one of ours.
constexpr qint64 MaxJsonSize = 4 * 1024 * 1024;
constexpr qint64 MaxIndexSize = 0x100000;

} // namespace

MapStore::MapStore(Database& database) : m_database(database) {}

int MapStore::loadDefaultMaps(const QString& dataDirectory)
{
    const QDir mapsDir(QDir(dataDirectory).filePath(QStringLiteral("maps")));
    int loaded = 0;
    const QStringList folders = mapsDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& folder : folders) {
        const QDir dir(mapsDir.filePath(folder));
        QFile json(dir.filePath(QStringLiteral("map.json")));
        QFile index(dir.filePath(QStringLiteral("index.gz")));
        if (!json.open(QIODevice::ReadOnly) || !index.open(QIODevice::ReadOnly) ||
            json.size() > MaxJsonSize || index.size() > MaxIndexSize) {
            qCWarning(lcServer) << "default map" << folder << "skipped: missing or oversized files";
            continue;
        }
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(json.readAll(), &parseError);
        QString error;
        std::optional<MapData> map;
        if (doc.isObject())
            map = MapData::fromJson(doc.object(), &error);
        else
            error = parseError.errorString();
        if (map) {
            map->index = index.readAll();
            if (map->id <= 0 || map->id > MaxDefaultMapId)
                error = QStringLiteral("id %1 outside 1..%2").arg(map->id).arg(MaxDefaultMapId);
            else if (m_entries.contains(map->id))
                error = QStringLiteral("id %1 used twice").arg(map->id);
            else
                error = map->validate();
        }
        if (!error.isEmpty()) {
            qCWarning(lcServer) << "default map" << folder << "skipped:" << error;
            continue;
        }
        insert(*map);
        m_defaultIds.append(map->id);
        ++loaded;
    }
    std::sort(m_defaultIds.begin(), m_defaultIds.end());
    qCInfo(lcServer) << "loaded" << loaded << "default maps from" << mapsDir.path();
    return loaded;
}

const MapStore::Entry* MapStore::insert(const MapData& map)
{
    auto entry = std::make_shared<Entry>(Entry{map, map.transferBytes()});
    m_entries.insert(map.id, entry);
    return entry.get();
}

const MapStore::Entry* MapStore::add(const MapData& map)
{
    return insert(map);
}

const MapStore::Entry* MapStore::find(int id)
{
    if (id <= 0)
        return nullptr;
    if (const auto it = m_entries.constFind(id); it != m_entries.constEnd())
        return it->get();
    if (id <= MaxDefaultMapId)
        return nullptr;
    std::optional<MapData> map = m_database.loadMap(id);
    return map ? insert(*map) : nullptr;
}

QList<const MapStore::Entry*> MapStore::popular() const
{
    QList<const Entry*> result;
    for (int id : m_defaultIds) {
        if (result.size() == PopularSlots)
            break;
        result.append(m_entries.value(id).get());
    }
    return result;
}
