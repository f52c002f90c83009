#pragma once

#include <QObject>
#include <QString>

#include <array>

// One map slot on the server: the map in it, or none (map id below 1).
struct MapSlot
{
    int mapId = -1;
    QString name;
    QString author;

    bool isFilled() const { return mapId >= 1; }
    bool operator==(const MapSlot&) const = default;
};

// The five popular and the five personal map slots as the server last
// announced them. The new-game dialog, the favourites dialog and the
// editor's store watch all follow this one table.
class MapSlots : public QObject
{
    Q_OBJECT

public:
    static constexpr int Count = 5;

    explicit MapSlots(QObject* parent = nullptr);

    static bool isSlot(int slot) { return slot >= 0 && slot < Count; }

    // A slot message: announced again even when nothing in it changed, since
    // a map stored into a slot comes back that way. Slots outside 0 to 4 are
    // ignored.
    void set(bool personal, int slot, const MapSlot& content);
    // Every slot empty again.
    void clear();

    // An empty slot outside 0 to 4.
    const MapSlot& slot(bool personal, int slot) const;
    // The first map in a slot, popular ones first; -1 while all are empty.
    int anyMapId() const;

signals:
    void announced(bool personal, int slot);
    void cleared();

private:
    std::array<MapSlot, Count> m_popular;
    std::array<MapSlot, Count> m_personal;
};
