#include "seattable.h"

#include "fieldbounds.h"

#include <algorithm>

SeatTable::SeatTable(QObject* parent) : QObject(parent) {}

void SeatTable::setPlayer(int seat, const QString& name, int rating, int level, int games,
                          bool robot, bool isFriend, bool isEnemy, bool admin)
{
    if (!isSeat(seat))
        return;
    PlayerEntry entry;
    entry.name = name;
    entry.robot = robot;
    entry.rating = rating;
    entry.level = level;
    entry.games = games;
    entry.isFriend = !robot && isFriend;
    entry.isEnemy = !robot && isEnemy;
    entry.admin = !robot && admin;
    m_entries[size_t(seat)] = entry;
    emit changed();
}

void SeatTable::setRobot(int seat, const QString& name, int rating, int level, int games)
{
    setPlayer(seat, name, rating, level, games, true, false, false, false);
}

void SeatTable::removePlayer(int seat)
{
    if (!isSeat(seat))
        return;
    m_entries[size_t(seat)].reset();
    emit changed();
}

void SeatTable::clear()
{
    m_current = -1;
    for (auto& entry : m_entries)
        entry.reset();
    emit changed();
}

void SeatTable::setCurrent(int seat)
{
    m_current = seat;
    emit changed();
}

PlayerEntry* SeatTable::mutableEntry(int seat)
{
    if (!isSeat(seat) || !m_entries[size_t(seat)])
        return nullptr;
    return &*m_entries[size_t(seat)];
}

const PlayerEntry* SeatTable::entry(int seat) const
{
    return const_cast<SeatTable*>(this)->mutableEntry(seat);
}

void SeatTable::setCards(int seat, int cards)
{
    if (PlayerEntry* e = mutableEntry(seat)) {
        e->cards = cards;
        emit changed();
    }
}

void SeatTable::setCardArmies(int seat, int armies)
{
    if (PlayerEntry* e = mutableEntry(seat)) {
        e->cardArmies = armies;
        emit changed();
    }
}

void SeatTable::exchanged(int seat, int armies)
{
    if (PlayerEntry* e = mutableEntry(seat)) {
        e->cardArmies = FieldBounds::saturate(qint64(e->cardArmies) + armies);
        e->cards = std::max(e->cards - 3, 0);
        emit changed();
    }
}

int SeatTable::seatOf(const QString& name, bool humansOnly) const
{
    for (int seat = 0; seat < Seats; ++seat) {
        const auto& e = m_entries[size_t(seat)];
        if (e && e->name == name && !(humansOnly && e->robot))
            return seat;
    }
    return -1;
}

template <typename Change> void SeatTable::changeHumans(const QString& name, Change change)
{
    for (auto& e : m_entries) {
        if (e && !e->robot && e->name.compare(name, Qt::CaseInsensitive) == 0)
            change(*e);
    }
    emit changed();
}

void SeatTable::makeFriend(const QString& name, bool isFriend)
{
    changeHumans(name, [isFriend](PlayerEntry& e) { e.isFriend = isFriend; });
}

void SeatTable::makeEnemy(const QString& name, bool isEnemy)
{
    changeHumans(name, [isEnemy](PlayerEntry& e) { e.isEnemy = isEnemy; });
}
