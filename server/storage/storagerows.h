#pragma once

#include "storage.h"

#include <QString>

class QSqlQuery;

// The rows both databases store the same way: an account read back from a
// query by its column names, and a game's options as a text of JSON.
namespace StorageRows {

Account account(const QSqlQuery& q);
QString optionsText(const GameOptions& options);
GameOptions options(const QByteArray& text);
// A null QString binds as SQL NULL; the text columns want an empty text.
inline QString text(const QString& s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

} // namespace StorageRows
