#pragma once

#include <QObject>
#include <QPointer>

#include <map>

class GameTable;
class Storage;

// Writes the running games that reached a point worth keeping, all of them
// together: one write takes every game due since the last, however many
// turns began meanwhile. Whoever owns it decides when to write (the games'
// directory does once per round of the event loop) and keeps back, until
// then, what would tell anybody of those points.
class GameSaver : public QObject
{
    Q_OBJECT

public:
    explicit GameSaver(QObject* parent = nullptr) : QObject(parent) {}

    void setStorage(Storage* storage) { m_storage = storage; }
    Storage* storage() const { return m_storage; }
    // The table's game is written at the next write, as it then stands.
    void markDue(GameTable* table);
    // The game is over or goes away: nothing of it is written any more.
    void forget(int gameId) { m_due.erase(gameId); }
    bool hasDue() const { return !m_due.empty(); }
    // Writes every game due, in one transaction; a game the storage
    // refuses then costs the others nothing. How many were written.
    int writeDue();

signals:
    // A first game is due since the last write.
    void due();

private:
    Storage* m_storage = nullptr;
    // By game id, so that the games are written in a steady order.
    std::map<int, QPointer<GameTable>> m_due;
};
