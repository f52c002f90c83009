#include "maps/mapstore.h"

#include "outgoing.h"
#include "serverlogging.h"

#include <QDir>

#include <algorithm>

int MapStore::loadDefaultMaps(const QString& dataDirectory)
{
    const QDir mapsDir(QDir(dataDirectory).filePath(QStringLiteral("maps")));
    int loaded = 0;
    const QStringList folders = mapsDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& folder : folders) {
        QString error;
        std::optional<MapData> map = MapData::readFolder(mapsDir.filePath(folder), &error);
        if (map) {
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
        add(*map);
        m_defaultIds.append(map->id);
        ++loaded;
    }
    std::sort(m_defaultIds.begin(), m_defaultIds.end());
    qCInfo(lcServer) << "loaded" << loaded << "default maps from" << mapsDir.path();
    return loaded;
}

const MapStore::Entry* MapStore::add(const MapData& map)
{
    auto entry = std::make_shared<Entry>(Entry{map, outgoing::mapTransfer(map)});
    m_entries.insert(map.id, entry);
    if (map.id > MaxDefaultMapId) {
        m_recentUploads.removeOne(map.id);
        m_recentUploads.append(map.id);
        // The least recently used maps no game plays on make room.
        qsizetype oldest = 0;
        while (m_recentUploads.size() > CachedUploads && oldest < m_recentUploads.size() - 1) {
            const int id = m_recentUploads.at(oldest);
            if (m_inUse && m_inUse(id)) {
                ++oldest;
                continue;
            }
            m_recentUploads.removeAt(oldest);
            m_entries.remove(id);
        }
    }
    return entry.get();
}

const MapStore::Entry* MapStore::find(int id)
{
    if (id <= 0)
        return nullptr;
    if (const auto it = m_entries.constFind(id); it != m_entries.constEnd()) {
        if (id > MaxDefaultMapId && m_recentUploads.constLast() != id) {
            m_recentUploads.removeOne(id);
            m_recentUploads.append(id);
        }
        return it->get();
    }
    return nullptr;
}

void MapStore::forget(int id)
{
    if (id > MaxDefaultMapId && m_recentUploads.removeOne(id))
        m_entries.remove(id);
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
