#pragma once

#include "mapdata.h"
#include "maps/mapstore.h"
#include "serveroptions.h"

#include <QString>

#include <functional>
#include <optional>
#include <unordered_map>

class Message;
class Peer;
class Storage;

// The users' map slots: maps uploaded for a personal slot, part by part,
// checked and stored; slots filled from the current game's map; the slots a
// user is shown at login; and uploaded maps removed once nothing refers to
// them. Requests come in as messages; each handler returns why it refused
// the request, or nothing when it was carried out.
class MapService
{
public:
    MapService(const ServerOptions& options, MapStore& maps);

    void setStorage(Storage* storage) { m_storage = storage; }
    // Tells whether a game still plays on a map, which keeps it.
    void setInUse(std::function<bool(int)> inUse) { m_inUse = std::move(inUse); }

    // His personal slots, then the popular maps.
    void sendSlots(Peer* user);
    QString part(Peer* user, const Message& message);
    QString end(Peer* user, const Message& message);
    QString storeSlot(Peer* user, const Message& message);
    // Removes an uploaded map from the storage and the cache once neither a
    // slot nor a game refers to it.
    void release(int id);
    // The user has gone, and his upload in progress with him.
    void forget(const Peer* user);

private:
    void sendSlot(Peer* user, bool personal, int slot, const MapStore::Entry* entry);

    const ServerOptions& m_options;
    MapStore& m_maps;
    Storage* m_storage = nullptr;
    std::function<bool(int)> m_inUse;
    // Maps being uploaded, between their start and end messages.
    std::unordered_map<const Peer*, std::optional<MapData>> m_uploads;
};
