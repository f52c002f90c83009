#pragma once

#include "../chat/chatlines.h"
#include "../map/testpicture.h"
#include "../net/fields.h"
#include "buttonbar.h"
#include "chatview.h"
#include "logindialog.h"
#include "map.h"
#include "message.h"
#include "parser.h"
#include "protocol.h"
#include "scripthost.h"
#include "sender.h"
#include "settings.h"
#include "tarvenix.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <tcl.h>

// The main window with a settings file of its own, its nickname "Me" and the
// three-country test picture among its map pictures, driven through its
// parser's signals as the server's messages would, keeping every request.
class TestWindow
{
public:
    TestWindow()
        : settings(m_dir.filePath(QStringLiteral("tarvenix.cfg"))),
          window(std::make_unique<Tarvenix>()), parser(window->parser())
    {
        window->loginDialog()->setNickname(QStringLiteral("Me"));
        window->map()->setPictures({{QStringLiteral("world"), TestPicture::image()}});
        QObject::connect(window->sender(), &Sender::send, window.get(),
                         [this](Message* message) { sent << *message; });
    }

    // Once per test program, before the first window makes its interpreter.
    static void initTestCase()
    {
        Tcl_FindExecutable(QCoreApplication::arguments().value(0).toLocal8Bit().constData());
        QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.map.warning=false"));
    }

    // The requests sent since the last take, as requestText() writes them.
    QStringList takeTexts()
    {
        QStringList list;
        for (const Message& message : std::exchange(sent, {}))
            list << requestText(message);
        return list;
    }

    QToolButton* barButton(const char* keyWord) const
    {
        return window->buttonBar()->findChild<QToolButton*>(QStringLiteral("Button") +
                                                            QLatin1String(keyWord));
    }

    int outputCount() const { return window->output()->lineCount(); }
    QStringList outputSince(int first) const { return chatLines(window->output()).mid(first); }
    QString lastLine() const { return chatLines(window->output()).value(outputCount() - 1); }

    // Runs a script in the window's interpreter; "error: ..." when it fails.
    QString eval(const QString& script) const
    {
        Tcl_Interp* interp = window->scriptHost()->interp();
        const QByteArray utf8 = script.toUtf8();
        const bool ok = Tcl_EvalEx(interp, utf8.constData(), int(utf8.size()), 0) == TCL_OK;
        const QString result = QString::fromUtf8(Tcl_GetStringResult(interp));
        return ok ? result : QStringLiteral("error: ") + result;
    }

    // From now on these script events are recorded, each as its name and
    // arguments joined by '|'; takeEvents() hands them out and forgets them.
    void recordEvents(const char* names) const
    {
        QCOMPARE(eval(QStringLiteral("set ::events {}\n"
                                     "foreach e {%1} {\n"
                                     "  proc $e args \"lappend ::events \\[join \\[linsert "
                                     "\\$args 0 $e\\] |\\]\"\n"
                                     "  on -100 $e $e\n"
                                     "}\n")
                          .arg(QLatin1String(names))),
                 QString());
    }
    QStringList takeEvents() const
    {
        const QString all =
            eval(QStringLiteral("set all $::events; set ::events {}; join $all \\n"));
        return all.isEmpty() ? QStringList() : all.split(QLatin1Char('\n'));
    }

    // A game of map 3 and its status.
    void announceGame(int id, const QString& op = QStringLiteral("Op")) const
    {
        emit parser->newGame(id, 3, QStringLiteral("Isles"), QStringLiteral("Ann"), false, false,
                             120, false, false, false, false, false, false, 2, 0, 0, false, false,
                             0, false, false);
        emit parser->game(id, op, false, 2, 2, 0, 0);
    }
    // A user of host "<nickname in lower case>.example", rating 1500.
    void announceUser(const QString& nickname, int playing = 0, int watching = 0,
                      bool member = false, bool admin = false) const
    {
        emit parser->newUser(nickname, nickname.toLower() + QStringLiteral(".example"));
        moveUser(nickname, playing, watching, member, admin);
    }
    void moveUser(const QString& nickname, int playing, int watching, bool member = false,
                  bool admin = false) const
    {
        emit parser->user(nickname, 1500, 0, playing, watching, member, QString(), admin, 1);
    }

    // Map 5, "Three", on the test picture: Alpha, Beta and Gamma side by side
    // on continent 1, each the neighbour of the next.
    void sendMap() const
    {
        const QByteArray block = TestPicture::compressedIndex();
        emit parser->startMap(5, QStringLiteral("Three"), QStringLiteral("world"),
                              block.constData(), int(block.size()));
        emit parser->continentMap(1, QStringLiteral("Land"), 5);
        emit parser->countryMap(1, QStringLiteral("Alpha"), 1, 6, 14, 2, 2, 16, 26);
        emit parser->countryMap(2, QStringLiteral("Beta"), 1, 26, 14, 21, 2, 17, 26);
        emit parser->countryMap(3, QStringLiteral("Gamma"), 1, 46, 14, 41, 2, 17, 26);
        emit parser->neighbourMap(1, 2);
        emit parser->neighbourMap(2, 3);
        emit parser->endMap();
    }

    // The own user plays seat 0 against the robot Robby at seat 1 in game 12
    // on sendMap()'s map, and holds Alpha 5 and Gamma 1 against Robby's Beta 3.
    void enterGame(bool capitals = false, int timerMode = 0) const
    {
        emit parser->newGame(12, 5, QStringLiteral("Three"), QStringLiteral("Ann"), false, capitals,
                             120, false, false, false, false, false, false, 1, 0, 0, false, false,
                             timerMode, false, false);
        announceUser(QStringLiteral("Me"), 12);
        sendMap();
        emit parser->player(0, false, QStringLiteral("Me"));
        emit parser->player(1, true, QStringLiteral("Robby"));
        emit parser->country(1, 0, 5);
        emit parser->country(2, 1, 3);
        emit parser->country(3, 0, 1);
    }

    // A click on a picture point inside one of the three test countries.
    void clickCountry(int number, Qt::MouseButton button = Qt::LeftButton) const
    {
        const QPoint inside(number == 1 ? 10 : number == 2 ? 29 : 49, 20);
        QTest::mouseClick(window->map(), button, {}, window->map()->fromPicture(inside));
    }

private:
    QTemporaryDir m_dir;

public:
    Settings settings;
    std::unique_ptr<Tarvenix> window;
    Parser* parser;
    QList<Message> sent;
};
