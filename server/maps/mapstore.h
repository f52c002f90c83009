#pragma once

#include "mapdata.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>

class Storage;

// The maps games can be played on: the default maps read from the data
// directory at start (the popular maps) and the uploaded maps, fetched from
// the storage on first use and kept with their serialised transfer. The
// default maps stay; of the uploaded maps only the most recently used are
// kept, so a stream of uploads cannot grow the server without bound, and
// those a game plays on, which are never read again while it runs. An
// entry handed out stays valid until the next call that may add one (add,
// find) or forget().
class MapStore
{
public:
    static constexpr int PopularSlots = 5;
    // Default maps take the ids below the first uploaded map's id.
    static constexpr int MaxDefaultMapId = 1000;
    // Uploaded maps kept in memory; a map runs to a few hundred KiB with its
    // transfer at most.
    static constexpr int CachedUploads = 32;

    struct Entry
    {
        MapData map;
        QByteArray transfer;
    };

    // Without a storage only the default maps are found.
    explicit MapStore(Storage* storage = nullptr);
    void setStorage(Storage* storage) { m_storage = storage; }
    // Tells whether a game plays on a map, which keeps it in the cache.
    void setInUse(std::function<bool(int)> inUse) { m_inUse = std::move(inUse); }

    // Reads every maps/<folder>/map.json with its index.gz below the
    // directory; invalid maps are logged and skipped. Returns how many loaded.
    int loadDefaultMaps(const QString& dataDirectory);
    // Adds a validated map with its id: a default map, or an uploaded one
    // already stored (the cache keeps the most recent of those).
    const Entry* add(const MapData& map);

    // Reads an uploaded map missing from the cache from the storage.
    const Entry* find(int id);
    // Only what is at hand: a default map or an uploaded one in the cache.
    const Entry* cached(int id);
    // Drops a map removed from the storage.
    void forget(int id);
    int cachedUploads() const { return int(m_recentUploads.size()); }
    // The ids of the uploaded maps in the cache.
    QSet<int> cachedUploadIds() const { return {m_recentUploads.cbegin(), m_recentUploads.cend()}; }
    // The default maps in id order, at most PopularSlots of them.
    QList<const Entry*> popular() const;

private:
    Storage* m_storage;
    std::function<bool(int)> m_inUse;
    QHash<int, std::shared_ptr<const Entry>> m_entries;
    QList<int> m_defaultIds;
    // Uploaded maps in the cache, the least recently used first.
    QList<int> m_recentUploads;
};
