#pragma once

#include "mapdata.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>

// The maps games can be played on: the default maps read from the data
// directory at start (the popular maps) and the uploaded maps, kept with
// their serialised transfer. It never reads the storage itself: whoever
// names an uploaded map that is not at hand reads it first, away from the
// event loop, and adds it (a new game, a login's slots, an upload), and the
// restore of saved games adds theirs at the start. The default maps stay;
// of the uploaded maps only the most recently used are kept, so a stream of
// uploads cannot grow the server without bound, and those a game plays on,
// so that a game never waits for its map. An entry handed out stays valid
// until the next call that may add one (add, find) or forget().
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

    // Tells whether a game plays on a map, which keeps it in the cache.
    void setInUse(std::function<bool(int)> inUse) { m_inUse = std::move(inUse); }

    // Reads every maps/<folder>/map.json with its index.gz below the
    // directory; invalid maps are logged and skipped. Returns how many loaded.
    int loadDefaultMaps(const QString& dataDirectory);
    // Adds a validated map with its id: a default map, or an uploaded one
    // already stored (the cache keeps the most recent of those).
    const Entry* add(const MapData& map);

    // A default map or an uploaded one in the cache; nothing otherwise.
    const Entry* find(int id);
    // Drops a map removed from the storage.
    void forget(int id);
    int cachedUploads() const { return int(m_recentUploads.size()); }
    // The ids of the uploaded maps in the cache.
    QSet<int> cachedUploadIds() const { return {m_recentUploads.cbegin(), m_recentUploads.cend()}; }
    // The default maps in id order, at most PopularSlots of them.
    QList<const Entry*> popular() const;

private:
    std::function<bool(int)> m_inUse;
    QHash<int, std::shared_ptr<const Entry>> m_entries;
    QList<int> m_defaultIds;
    // Uploaded maps in the cache, the least recently used first.
    QList<int> m_recentUploads;
};
