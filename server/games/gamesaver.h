#pragma once

#include <QObject>
#include <QPointer>

#include <map>

class GameTable;
class Storage;
struct SavedGame;

// Collects the running games that reached a point worth keeping, to be
// written all of them together: one write takes every game due since the
// last, however many turns began meanwhile. Whoever owns it decides when to
// write (the games' directory does at the end of a round of the event loop,
// once the write before has come back) and keeps back, until the write is
// done, what would tell anybody of those points. The games are turned into
// bytes on the event loop; the storage gets only those.
class GameSaver : public QObject
{
    Q_OBJECT

public:
    explicit GameSaver(QObject* parent = nullptr) : QObject(parent) {}

    // Without storage nothing is ever due.
    void setEnabled(bool enabled) { m_enabled = enabled; }
    // The table's game is written at the next write, as it then stands.
    void markDue(GameTable* table);
    // The game is over or goes away: nothing of it is written any more.
    void forget(int gameId) { m_due.erase(gameId); }
    int dueCount() const { return int(m_due.size()); }
    // Every game due, as it stands now; none is due afterwards.
    QList<SavedGame> takeDue();
    // Writes the games in one transaction; when the storage refuses it,
    // each on its own, so that one bad game costs the others nothing. Runs
    // where the storage lives.
    static void write(Storage& storage, const QList<SavedGame>& games);

signals:
    // The game is due (again) since the last write.
    void due(int gameId);

private:
    bool m_enabled = false;
    // By game id, so that the games are written in a steady order.
    std::map<int, QPointer<GameTable>> m_due;
};
