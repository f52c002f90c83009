#include "serverlogging.h"

#include <algorithm>

// Info level on by default: the log line per login, game and refused request
// is the server's record of what happened.
Q_LOGGING_CATEGORY(lcServer, "tarvenix.server", QtInfoMsg)

QString logText(const QString& text)
{
    QString out;
    out.reserve(std::min(text.size(), MaxLoggedText) + 8);
    out += QLatin1Char('"');
    const qsizetype shown = std::min(text.size(), MaxLoggedText);
    for (qsizetype i = 0; i < shown; ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            // C0 and C1 controls and DEL as bytes; the formatting marks and
            // separators that can reorder or break what a terminal shows as
            // code points.
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else if (c.category() == QChar::Other_Format || c.isSurrogate() ||
                     c.category() == QChar::Separator_Line ||
                     c.category() == QChar::Separator_Paragraph)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    if (text.size() > shown)
        out += QStringLiteral("... (%1 characters)").arg(text.size());
    return out;
}
