#include "gamesaver.h"

#include "gametable.h"
#include "ops/metrics.h"
#include "serverlogging.h"
#include "storage/storage.h"

void GameSaver::markDue(GameTable* table)
{
    if (!m_enabled)
        return;
    m_due[table->gameId()] = table;
    emit due(table->gameId());
}

QList<SavedGame> GameSaver::takeDue()
{
    std::map<int, QPointer<GameTable>> due;
    due.swap(m_due);
    QList<SavedGame> games;
    for (const auto& [id, table] : due) {
        // A finished game's save goes with its result.
        if (table && !table->engine().isOver())
            games.append(table->saved());
    }
    return games;
}

void GameSaver::write(Storage& storage, const QList<SavedGame>& games)
{
    if (games.isEmpty())
        return;
    Metrics& metrics = Metrics::instance();
    const Metrics::Timed timed(metrics.gameSaveSeconds);
    if (storage.saveGames(games)) {
        metrics.gamesSaved.add(std::uint64_t(games.size()));
        return;
    }
    for (const SavedGame& game : games) {
        if (storage.saveGame(game)) {
            metrics.gamesSaved.add();
        } else {
            metrics.gameSaveFailures.add();
            qCWarning(lcServer) << "game" << game.id << "could not be saved";
        }
    }
}
