#pragma once

#include "mapdata.h"
#include "maps/mapstore.h"
#include "serveroptions.h"
#include "storage/storageexecutor.h"

#include <QString>

#include <functional>
#include <optional>
#include <unordered_map>

class Message;
class Peer;

// The users' map slots: maps uploaded for a personal slot, part by part,
// checked and stored; slots filled from the current game's map; the slots a
// user is shown at login; and uploaded maps removed once nothing refers to
// them. Requests come in as messages; each handler returns why it refused
// the request, or nothing when it was carried out, or the storage work the
// request waits for. The storage's reads and writes go through its executor,
// in the order they were asked for.
class MapService
{
public:
    MapService(const ServerOptions& options, MapStore& maps);

    void setStorage(StorageExecutor* storage) { m_storage = storage; }
    // Tells whether a game still plays on a map, which keeps it.
    void setInUse(std::function<bool(int)> inUse) { m_inUse = std::move(inUse); }

    // His personal slots (map ids by slot, as the login read them), then the
    // popular maps.
    void sendSlots(Peer* user, const QList<int>& personal);
    QString part(Peer* user, const Message& message);
    StorageAnswer end(Peer* user, const Message& message);
    StorageAnswer storeSlot(Peer* user, const Message& message);
    // Brings an uploaded map into the cache, for a request that names it;
    // refuses the request when there is no such map.
    StorageAnswer fetch(int id);
    // Removes an uploaded map from the storage and the cache once neither a
    // slot nor a game refers to it.
    void release(int id);
    // The user has gone, and his upload in progress with him.
    void forget(const Peer* user);

private:
    static void sendSlot(Peer* user, bool personal, int slot, const MapData& map);

    const ServerOptions& m_options;
    MapStore& m_maps;
    StorageExecutor* m_storage = nullptr;
    std::function<bool(int)> m_inUse;
    // Maps being uploaded, between their start and end messages.
    std::unordered_map<const Peer*, std::optional<MapData>> m_uploads;
};
