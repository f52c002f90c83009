#include "mapslots.h"

MapSlots::MapSlots(QObject* parent) : QObject(parent) {}

void MapSlots::set(bool personal, int slot, const MapSlot& content)
{
    if (!isSlot(slot))
        return;
    (personal ? m_personal : m_popular)[size_t(slot)] = content;
    emit announced(personal, slot);
}

void MapSlots::clear()
{
    m_popular.fill({});
    m_personal.fill({});
    emit cleared();
}

const MapSlot& MapSlots::slot(bool personal, int slot) const
{
    static const MapSlot Empty;
    return isSlot(slot) ? (personal ? m_personal : m_popular)[size_t(slot)] : Empty;
}

int MapSlots::anyMapId() const
{
    for (const auto* table : {&m_popular, &m_personal}) {
        for (const MapSlot& s : *table) {
            if (s.isFilled())
                return s.mapId;
        }
    }
    return -1;
}
