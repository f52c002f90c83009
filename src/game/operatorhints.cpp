#include "operatorhints.h"

#include "gamerecord.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("OperatorHints", text);
}

} // namespace

OperatorHints OperatorHints::forGame(const GameRecord& game)
{
    OperatorHints hints;
    if (game.running)
        return hints;
    const GameOptions& options = game.options;
    const int humans = game.players - game.robots;
    if (!game.canStart()) {
        if (humans < options.minHumans) {
            // Spelt out, so that lupdate sees a text with plural forms.
            hints.start = QCoreApplication::translate(
                "OperatorHints",
                "Start needs at least %n human players: wait for more players to join, or "
                "open a new game with a lower minimum on the Timer tab",
                nullptr, options.minHumans);
        } else if (options.noRobots) {
            hints.start = tr("Start needs a second player: wait for someone to join");
        } else {
            hints.start = tr("Start needs a second player: add a robot with Robot or wait for "
                             "someone to join");
        }
    }
    if (!game.canAddRobot()) {
        if (options.noRobots) {
            hints.robot = tr("No robots in the game is ticked: robots cannot join this game; "
                             "untick it in the New game dialog for your next game");
        } else if (game.players >= GameRecord::MaxPlayers) {
            hints.robot = tr("Every seat is taken: no robot can join");
        } else {
            hints.robot = QCoreApplication::translate(
                "OperatorHints",
                "The game keeps %n seats for human players: no more robots can join", nullptr,
                options.minHumans);
        }
    }
    return hints;
}

QString OperatorHints::line() const
{
    if (start.isEmpty() || robot.isEmpty())
        return start + robot;
    return start + QLatin1Char('\n') + robot;
}
