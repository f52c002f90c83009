#pragma once

#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcServer)

// Longest piece of user-supplied text a log line quotes.
constexpr qsizetype MaxLoggedText = 64;

// User-supplied text as a log line may show it: quoted, with quotes,
// backslashes and control characters escaped and cut to MaxLoggedText
// characters, so no user can write a line of his own into the log or make
// one of ours as long as he likes.
QString logText(const QString& text);
