#include "robotlevel.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("RobotLevel", text);
}

} // namespace

QString RobotLevel::name(int level)
{
    switch (level) {
    case Easy:
        return tr("Easy");
    case Normal:
        return tr("Normal");
    case Hard:
        return tr("Hard");
    case Expert:
        return tr("Expert");
    default:
        return tr("Level %1").arg(level);
    }
}

QString RobotLevel::description(int level)
{
    switch (level) {
    case Easy:
        return tr("Easy: places its armies on a border at random and attacks here and there "
                  "where it has more armies. For a first game.");
    case Normal:
        return tr("Normal: goes for a continent, guards its borders and attacks when the odds "
                  "are good. A fair game for a player who knows the rules.");
    case Hard:
        return tr("Hard: counts every army, card and continent bonus and plays the best odds "
                  "of the dice. Beats most players.");
    case Expert:
        return tr("Expert: plays like Hard and searches ahead, trying many ways the turn could "
                  "go before it moves. The strongest robot.");
    default:
        return tr("A robot of a level this program does not know yet.");
    }
}

QString RobotLevel::summary(int level)
{
    switch (level) {
    case Easy:
        return tr("for a first game");
    case Normal:
        return tr("a fair game");
    case Hard:
        return tr("beats most players");
    case Expert:
        return tr("searches ahead, the strongest");
    default:
        return tr("not known to this program yet");
    }
}

QString RobotLevel::title(int level)
{
    return tr("%1 %2").arg(level).arg(name(level));
}
