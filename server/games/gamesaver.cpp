#include "gamesaver.h"

#include "gametable.h"
#include "ops/metrics.h"
#include "serverlogging.h"
#include "storage/storage.h"

void GameSaver::markDue(GameTable* table)
{
    if (!m_storage)
        return;
    const bool first = m_due.empty();
    m_due[table->gameId()] = table;
    if (first)
        emit due();
}

int GameSaver::writeDue()
{
    std::map<int, QPointer<GameTable>> due;
    due.swap(m_due);
    QList<SavedGame> games;
    for (const auto& [id, table] : due) {
        // A finished game's save goes with its result.
        if (table && !table->engine().isOver())
            games.append(table->saved());
    }
    if (games.isEmpty() || !m_storage)
        return 0;
    Metrics& metrics = Metrics::instance();
    const Metrics::Timed timed(metrics.gameSaveSeconds);
    if (m_storage->saveGames(games)) {
        metrics.gamesSaved.add(std::uint64_t(games.size()));
        return int(games.size());
    }
    int written = 0;
    for (const SavedGame& game : std::as_const(games)) {
        if (m_storage->saveGame(game)) {
            metrics.gamesSaved.add();
            ++written;
        } else {
            metrics.gameSaveFailures.add();
            qCWarning(lcServer) << "game" << game.id << "could not be saved";
        }
    }
    return written;
}
