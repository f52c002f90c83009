#pragma once

#include "mapdata.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>

class Database;

// The maps games can be played on: the default maps read from the data
// directory at start (the popular maps) and the uploaded maps, fetched from
// the database on first use and kept with their serialised transfer.
class MapStore
{
public:
    static constexpr int PopularSlots = 5;
    // Default maps take the ids below the first uploaded map's id.
    static constexpr int MaxDefaultMapId = 1000;

    struct Entry
    {
        MapData map;
        QByteArray transfer;
    };

    explicit MapStore(Database& database);

    // Reads every maps/<folder>/map.json with its index.gz below the
    // directory; invalid maps are logged and skipped. Returns how many loaded.
    int loadDefaultMaps(const QString& dataDirectory);
    // Adds a validated map (already stored, with its id) to the cache.
    const Entry* add(const MapData& map);

    const Entry* find(int id);
    // The default maps in id order, at most PopularSlots of them.
    QList<const Entry*> popular() const;

private:
    const Entry* insert(const MapData& map);

    Database& m_database;
    QHash<int, std::shared_ptr<const Entry>> m_entries;
    QList<int> m_defaultIds;
};
