#pragma once

#include "chatview.h"

#include <QStringList>

// The lines a chat view holds, as plain texts (words joined by one space),
// oldest first; hidden lines are included.
inline QStringList chatLines(const ChatView* view)
{
    QStringList texts;
    for (int i = 0; i < view->lineCount(); ++i) {
        QStringList words;
        for (const ChatWord& word : view->line(i).words)
            words.append(word.text);
        texts.append(words.join(QLatin1Char(' ')));
    }
    return texts;
}
