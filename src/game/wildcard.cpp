#include "wildcard.h"

namespace {

bool isAsciiAlphanumeric(QChar c)
{
    return c.unicode() < 128 && c.isLetterOrNumber();
}

// Outside a set, every character but the wildcards stands for itself.
void appendLiteral(QString& expression, QChar c)
{
    if (!isAsciiAlphanumeric(c))
        expression += QLatin1Char('\\');
    expression += c;
}

// The index of the ']' that closes the set opened at `open`, or -1. A ']'
// right after the '[' (or after "[!") belongs to the set.
qsizetype closingBracket(const QString& pattern, qsizetype open)
{
    qsizetype i = open + 1;
    if (i < pattern.size() && (pattern[i] == QLatin1Char('!') || pattern[i] == QLatin1Char('^')))
        ++i;
    if (i < pattern.size() && pattern[i] == QLatin1Char(']'))
        ++i;
    return pattern.indexOf(QLatin1Char(']'), i);
}

void appendSet(QString& expression, QStringView body)
{
    expression += QLatin1Char('[');
    qsizetype i = 0;
    if (body.startsWith(QLatin1Char('!')) || body.startsWith(QLatin1Char('^'))) {
        expression += QLatin1Char('^');
        i = 1;
    }
    const qsizetype first = i;
    for (; i < body.size(); ++i) {
        const QChar c = body[i];
        // A dash between two characters makes a range; at either end it is
        // a dash. Everything else is escaped, so no class syntax leaks in.
        if (c == QLatin1Char('-') && i > first && i + 1 < body.size())
            expression += c;
        else
            appendLiteral(expression, c);
    }
    expression += QLatin1Char(']');
}

} // namespace

QString wildcardSource(const QString& pattern)
{
    QString expression;
    expression.reserve(pattern.size() * 2);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('*')) {
            expression += QLatin1String(".*");
        } else if (c == QLatin1Char('?')) {
            expression += QLatin1Char('.');
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = closingBracket(pattern, i);
            if (close < 0) {
                appendLiteral(expression, c);
                continue;
            }
            appendSet(expression, QStringView(pattern).mid(i + 1, close - i - 1));
            i = close;
        } else {
            appendLiteral(expression, c);
        }
    }
    return expression;
}

QRegularExpression wildcardExpression(const QString& pattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(wildcardSource(pattern)),
                              WildcardOptions);
}

bool wildcardMatches(const QString& pattern, const QString& text)
{
    return wildcardExpression(pattern).match(text).hasMatch();
}
