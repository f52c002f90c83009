#pragma once

#include <QRegularExpression>
#include <QString>

// A mask's wildcard pattern as a regular expression that matches a whole
// text without regard to case: '*' stands for any run of characters, '?' for
// any one character and "[...]" for one character of the set ("[!...]" for
// one outside it, "a-z" for a range). Unlike a file name pattern, '/' and '\'
// are characters like any other; a '[' without its ']' stands for itself.
QRegularExpression wildcardExpression(const QString& pattern);

// The expression's source before anchoring, for joining several patterns
// into one expression.
QString wildcardSource(const QString& pattern);

// The options every mask expression is compiled with.
inline constexpr QRegularExpression::PatternOptions WildcardOptions =
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption;

bool wildcardMatches(const QString& pattern, const QString& text);
