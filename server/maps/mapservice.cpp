#include "mapservice.h"

#include "games/gameroom.h"
#include "outgoing.h"
#include "peer.h"
#include "request.h"
#include "serverlogging.h"
#include "storage/storage.h"

namespace {

// One part beyond a cap is kept, so the map fails validation at its end;
// the rest are dropped to keep memory bounded meanwhile.
template <typename List, typename Item> void appendCapped(List& list, const Item& item, int cap)
{
    if (list.size() <= cap)
        list.append(item);
}

} // namespace

MapService::MapService(const ServerOptions& options, MapStore& maps)
    : m_options(options), m_maps(maps)
{}

void MapService::forget(const Peer* user)
{
    m_uploads.erase(user);
}

void MapService::sendSlots(Peer* user, const QList<int>& personal)
{
    for (int slot = 0; slot < personal.size(); ++slot) {
        if (const MapStore::Entry* entry = m_maps.find(personal[slot]))
            sendSlot(user, true, slot, entry->map);
    }
    const QList<const MapStore::Entry*> popular = m_maps.popular();
    for (int slot = 0; slot < popular.size(); ++slot)
        sendSlot(user, false, slot, popular[slot]->map);
}

void MapService::sendSlot(Peer* user, bool personal, int slot, const MapData& map)
{
    user->send(outgoing::slot(personal, slot, map.id, map.name, map.author));
}

QString MapService::part(Peer* user, const Message& message)
{
    const auto opcode = Opcode(Protocol::opcodeOf(message));
    std::optional<MapData>& upload = m_uploads[user];

    if (opcode == Opcode::StartMap) {
        if (!request::matches(message, opcode)) {
            upload.reset();
            return QStringLiteral("malformed map start");
        }
        MapData map;
        map.picture = request::text(message, 1);
        map.name = request::text(message, 2).trimmed();
        map.author = user->nickname();
        map.index =
            QByteArray(reinterpret_cast<const char*>(message.getBytes(3)), message.fieldLength(3));
        upload = std::move(map);
        return {};
    }
    if (!upload)
        return QStringLiteral("no map transfer in progress");

    if (!request::matches(message, opcode)) {
        // A map with a part missing cannot be stored as the user drew it.
        upload.reset();
        return QStringLiteral("malformed map part; transfer abandoned");
    }
    switch (opcode) {
    case Opcode::ContinentMap:
        appendCapped(upload->continents,
                     MapContinent{message.getInt(1), request::text(message, 2), message.getInt(3)},
                     MapData::MaxContinents);
        break;
    case Opcode::CountryMap: {
        MapCountry c;
        c.number = message.getInt(1);
        c.name = request::text(message, 2);
        c.continent = message.getInt(3);
        c.labelX = message.getInt(4);
        c.labelY = message.getInt(5);
        c.areaX = message.getInt(6);
        c.areaY = message.getInt(7);
        c.areaWidth = message.getInt(8);
        c.areaHeight = message.getInt(9);
        appendCapped(upload->countries, c, MapData::MaxCountries);
        break;
    }
    case Opcode::NeighbourMap: {
        // The editor sends each pair from both ends; the map keeps it once.
        const int a = message.getInt(1);
        const int b = message.getInt(2);
        const std::array<int, 2> pair{std::min(a, b), std::max(a, b)};
        if (!upload->neighbours.contains(pair))
            appendCapped(upload->neighbours, pair, MapData::MaxNeighbours);
        break;
    }
    case Opcode::LineMap:
        appendCapped(upload->lines,
                     std::array<int, 4>{message.getInt(1), message.getInt(2), message.getInt(3),
                                        message.getInt(4)},
                     MapData::MaxLines);
        break;
    default:
        break;
    }
    return {};
}

StorageAnswer MapService::end(Peer* user, const Message& message)
{
    std::optional<MapData> upload;
    if (const auto it = m_uploads.find(user); it != m_uploads.end()) {
        upload.swap(it->second);
        m_uploads.erase(it);
    }
    if (!upload)
        return QStringLiteral("no map transfer in progress");
    const int slot = message.getInt(1);
    if (!request::matches(message, Opcode::EndMap) || !(slot >= 0 && slot < Storage::SlotCount))
        return QStringLiteral("no slot 0 to 4");
    const QString error = upload->validate();
    if (!error.isEmpty()) {
        qCWarning(lcServer).noquote()
            << "map" << logText(upload->name) << "on picture" << logText(upload->picture) << "from"
            << user->nickname() << "refused:" << error;
        return {};
    }
    const qint64 accountId = user->account().id;
    // The storage's copy and the cache's.
    const MapData copy = *upload;
    struct Stored
    {
        // The map the slot held before.
        int previous = 0;
        StoredSlot slot;
    };
    return StorageAnswer::later<Stored>(
        [accountId, slot, map = copy,
         maxBytes = m_options.maxMapBytesPerAccount](Storage& storage) {
            Stored stored;
            stored.previous = storage.mapSlots(accountId).value(slot);
            stored.slot = storage.storeMapInSlot(accountId, slot, map, maxBytes);
            return stored;
        },
        [this, user, slot, map = std::move(*upload),
         nickname = user->nickname()](const Stored& stored, bool present) mutable {
            if (stored.slot.mapId == 0) {
                qCWarning(lcServer).noquote()
                    << "map" << logText(map.name) << "from" << nickname
                    << (stored.slot.overQuota
                            ? QStringLiteral("refused: the account's maps would take more "
                                             "than %1 bytes")
                                  .arg(m_options.maxMapBytesPerAccount)
                            : QStringLiteral("could not be stored"));
                return QString();
            }
            map.id = stored.slot.mapId;
            qCInfo(lcServer).noquote() << "map" << map.id << logText(map.name) << "stored by"
                                       << nickname << "in slot" << slot;
            if (present)
                sendSlot(user, true, slot, m_maps.add(map)->map);
            release(stored.previous);
            return QString();
        });
}

StorageAnswer MapService::storeSlot(Peer* user, const Message& message)
{
    const int slot = message.getInt(1);
    if (!request::matches(message, Opcode::Slot) || !(slot >= 0 && slot < Storage::SlotCount))
        return QStringLiteral("no slot 0 to 4");
    const GameRoom* room = user->game();
    const MapStore::Entry* entry = room ? m_maps.find(room->mapId()) : nullptr;
    if (!entry)
        return QStringLiteral("not in a game");
    const qint64 accountId = user->account().id;
    const int mapId = entry->map.id;
    struct Stored
    {
        int previous = 0;
        bool stored = false;
    };
    // Only what the slot shows: the map itself may leave the cache meanwhile.
    MapData shown;
    shown.id = mapId;
    shown.name = entry->map.name;
    shown.author = entry->map.author;
    return StorageAnswer::later<Stored>(
        [accountId, slot, mapId](Storage& storage) {
            Stored stored;
            stored.previous = storage.mapSlots(accountId).value(slot);
            stored.stored = storage.setSlot(accountId, slot, mapId);
            return stored;
        },
        [this, user, slot, shown](const Stored& stored, bool present) {
            if (!stored.stored)
                return QStringLiteral("slot could not be stored");
            if (present)
                sendSlot(user, true, slot, shown);
            if (stored.previous != shown.id)
                release(stored.previous);
            return QString();
        });
}

StorageAnswer MapService::fetch(int id)
{
    if (id <= MapStore::MaxDefaultMapId || m_maps.find(id))
        return {};
    return StorageAnswer::later<std::optional<MapData>>(
        [id](Storage& storage) { return storage.loadMap(id); },
        [this, id](std::optional<MapData> map, bool) {
            if (!map)
                return QStringLiteral("no map %1").arg(id);
            m_maps.add(*map);
            return QString();
        });
}

void MapService::release(int id)
{
    if (id <= MapStore::MaxDefaultMapId || (m_inUse && m_inUse(id)))
        return;
    auto removed = std::make_shared<bool>(false);
    m_storage->post([id, removed](Storage& storage) { *removed = storage.removeMapIfUnused(id); },
                    [this, id, removed] {
                        // A game that took the map up meanwhile plays on it
                        // from the cache.
                        if (!*removed || (m_inUse && m_inUse(id)))
                            return;
                        m_maps.forget(id);
                        qCInfo(lcServer) << "map" << id << "removed: no slot or game refers to it";
                    });
}
