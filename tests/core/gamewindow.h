#pragma once

#include "../map/testpicture.h"
#include "chatview.h"
#include "logindialog.h"
#include "map.h"
#include "message.h"
#include "parser.h"
#include "protocol.h"
#include "sender.h"
#include "settings.h"
#include "tarvenix.h"

#include <QTemporaryDir>

#include <initializer_list>
#include <memory>

// The main window logged in as "Me", with the three-country test picture
// among its map pictures, for tests of a running game.
class GameWindow
{
public:
    GameWindow()
        : m_settings(m_dir.filePath(QStringLiteral("tarvenix.cfg"))),
          window(std::make_unique<Tarvenix>())
    {
        window->loginDialog()->setNickname(QStringLiteral("Me"));
        window->map()->setPictures({{QStringLiteral("world"), TestPicture::image()}});
    }

    // The request as the bytes the client writes.
    static QByteArray request(Opcode opcode, std::initializer_list<int> fields = {})
    {
        Message message = Protocol::message(opcode);
        for (int field : fields)
            message.addInt(field);
        return message.data();
    }

    // The text of an output line, its words joined by single blanks.
    static QString text(const ChatLine& line)
    {
        QStringList words;
        for (const ChatWord& word : line.words)
            words << word.text;
        return words.join(QLatin1Char(' '));
    }

    QStringList outputSince(int first) const
    {
        QStringList lines;
        for (int i = first; i < window->output()->lineCount(); ++i)
            lines << text(window->output()->line(i));
        return lines;
    }

private:
    QTemporaryDir m_dir;
    Settings m_settings;

public:
    std::unique_ptr<Tarvenix> window;
};
