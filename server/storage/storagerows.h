#pragma once

#include "storage.h"

#include <QString>

class QSqlQuery;

// The rows both databases store the same way: an account read back from a
// query by its column names, saved games and their seats, and a game's
// options as a text of JSON.
namespace StorageRows {

Account account(const QSqlQuery& q);
// A saved game's row (id, map_id, operator, options, engine, seeds_seed,
// seeds_drawn, dice_seed, dice_drawn, elapsed_ms), without its seats.
SavedGame savedGame(const QSqlQuery& q);
// A saved seat's row (seat, robot, name, account_id, stand_in, departed,
// random_seed, random_drawn).
SavedSeat savedSeat(const QSqlQuery& q);
QString optionsText(const GameOptions& options);
GameOptions options(const QByteArray& text);
// A null QString binds as SQL NULL; the text columns want an empty text.
inline QString text(const QString& s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

} // namespace StorageRows
