// Plays a whole game on World against three robots on the local server, as
// the end-to-end test does, and saves a picture of the screen at each phase:
// the lobby, the new-game dialog, placing, an attack with its dice, the move
// panel, the cards and the winner.
// Usage: fullgamedemo OUT_DIR (under an X server; see fullgame.sh)

#include "cards.h"
#include "cardswidget.h"
#include "newgamedialog.h"
#include "parser.h"
#include "player.h"
#include "robotdialog.h"
#include "serverprocess.h"
#include "settings.h"
#include "tarvenix.h"
#include "translations.h"
#include "usersdialog.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include <tcl.h>

#include <cstdio>
#include <functional>

namespace {

// The screen where the main window lies, with the dialogs over it.
bool shoot(const QDir& out, const char* name, const QWidget* window)
{
    // Long enough for the board's and the dialogs' repaints to reach the
    // screen.
    QTest::qWait(700);
    const QString file = out.filePath(QStringLiteral("fullgame-%1.png").arg(QLatin1String(name)));
    const QRect area = window->frameGeometry();
    const bool saved = QGuiApplication::primaryScreen()
                           ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                           .save(file);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(file));
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    Tcl_FindExecutable(argv[0]);
    QApplication app(argc, argv);
    // In the desktop's language, as the program: LANG=de_DE.UTF-8 shows German.
    const Translations translations(QLocale::system());
    if (argc < 2) {
        std::fprintf(stderr, "usage: fullgamedemo OUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    Settings settings(QDir::temp().filePath(QStringLiteral("fullgamedemo.cfg")));
    ServerProcess server;
    if (!server.start(7)) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }

    Player ann(QStringLiteral("Ann"), server.port());
    if (!ann.registerAccount(QStringLiteral("harbour7"))) {
        std::fprintf(stderr, "%s\n", qPrintable(ann.error()));
        return 1;
    }
    Tarvenix* window = ann.window();
    window->actionUsers();
    shoot(out, "lobby", window);
    window->actionNewGame();
    NewGameDialog* newGame = window->newGameDialog();
    newGame->findChild<QTabWidget*>(QStringLiteral("NewGameDialogTabs"))
        ->setCurrentWidget(newGame->maps());
    shoot(out, "newgame", window);

    const bool opened =
        ann.startGame(QStringLiteral("World"), {QStringLiteral("Anvil"), QStringLiteral("Dynamo"),
                                                QStringLiteral("Garnet")});
    if (!opened) {
        std::fprintf(stderr, "%s\n", qPrintable(ann.error()));
        return 1;
    }

    // The lobby and the robots are not needed during the game.
    const auto closeDialogs = [window] {
        window->usersDialog()->hide();
        window->robotDialog()->hide();
    };
    closeDialogs();
    // The end of the game follows the winner at once and clears the board:
    // the window is drawn as the winner is announced.
    QPixmap winner;
    QObject::connect(window->parser(), &Parser::winner, window,
                     [window, &winner] { winner = window->grab(); });
    using Prompt = Player::Prompt;
    const auto waiting = [&ann](Prompt prompt) {
        return ann.hasPrompt() && ann.prompt() == prompt;
    };
    struct Phase
    {
        const char* name;
        std::function<bool()> reached;
    };
    const QList<Phase> phases = {
        {"placing",
         [&] {
             return waiting(Prompt::Place);
         }},
        {"attack",
         [&] {
             return ann.stats().attacks > 0 && waiting(Prompt::Attack);
         }},
        {"move",
         [&] {
             return waiting(Prompt::Take);
         }},
        {"cards",
         [&] {
             return window->cards()->cardsWidget()->cards().size() >= 3 && waiting(Prompt::Place);
         }},
    };
    for (const Phase& phase : phases) {
        if (!ann.playUntil([&] { return phase.reached() || ann.isOver(); })) {
            std::fprintf(stderr, "%s\n", qPrintable(ann.error()));
            return 1;
        }
        if (!ann.isOver())
            shoot(out, phase.name, window);
    }
    if (!ann.playUntil([&ann] { return ann.isOver(); })) {
        std::fprintf(stderr, "%s\n", qPrintable(ann.error()));
        return 1;
    }
    const QString winnerFile = out.filePath(QStringLiteral("fullgame-winner.png"));
    const bool saved = winner.save(winnerFile);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(winnerFile));
    return 0;
}
