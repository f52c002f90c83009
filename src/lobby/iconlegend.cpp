#include "iconlegend.h"

#include <QCoreApplication>

namespace {

// The option icons run up to here; the seat icons follow.
constexpr size_t SeatRows = 12;
constexpr size_t TimerRows = 17;

constexpr IconLegend::Row Rows[] = {
    {"Icons/NoBots.png", QT_TRANSLATE_NOOP("UsersWidget", "No robots in this game")},
    {"Icons/Ladder.png",
     QT_TRANSLATE_NOOP("UsersWidget", "Only players of the same level allowed")},
    {"Icons/Cards.png", QT_TRANSLATE_NOOP("UsersWidget", "Obtain cards from defeated players")},
    {"Icons/Robot.png",
     QT_TRANSLATE_NOOP("UsersWidget", "Disconnected players are replaced by robots")},
    {"Icons/SameHosts.png", QT_TRANSLATE_NOOP("UsersWidget", "Players from the same host allowed")},
    {"Icons/HideCards.png", QT_TRANSLATE_NOOP("UsersWidget", "Number of cards is hidden")},
    {"Icons/NoWhispering.png", QT_TRANSLATE_NOOP("UsersWidget", "Whispering not allowed")},
    {"Icons/Gift.png", QT_TRANSLATE_NOOP("UsersWidget", "With gifts")},
    {"Icons/IncreasingCards.png",
     QT_TRANSLATE_NOOP("UsersWidget", "Value for exchanged cards increases")},
    {"Icons/Blind.png", QT_TRANSLATE_NOOP("UsersWidget", "Blind map")},
    {"Icons/Capitals.png", QT_TRANSLATE_NOOP("UsersWidget", "With capitals")},
    {"Icons/PlaceBeforeAttack.png", QT_TRANSLATE_NOOP("UsersWidget", "Place armies before attack")},
    {"Icons/Observer.png", QT_TRANSLATE_NOOP("UsersWidget", "Observer")},
    {"Icons/Robot.png", QT_TRANSLATE_NOOP("UsersWidget", "Robot player")},
    {"Icons/Ghost.png", QT_TRANSLATE_NOOP("UsersWidget", "Disconnected player")},
    {"Icons/Player.png", QT_TRANSLATE_NOOP("UsersWidget", "Human player")},
    {"Icons/Waiting.png", QT_TRANSLATE_NOOP("UsersWidget", "Game is waiting for players")},
    {"Icons/Running.png", QT_TRANSLATE_NOOP("UsersWidget", "Game is running")},
    {"Icons/TimerMode1.png",
     QT_TRANSLATE_NOOP("UsersWidget", "Timer expires: current player is kicked out of the game")},
    {"Icons/TimerMode2.png",
     QT_TRANSLATE_NOOP("UsersWidget", "Timer expires: player is kicked is he was inactive")},
    {"Icons/TimerMode3.png", QT_TRANSLATE_NOOP("UsersWidget", "Timer expires: next turn starts")},
};

} // namespace

std::span<const IconLegend::Row> IconLegend::rows()
{
    return Rows;
}

QString IconLegend::meaning(const QString& file, bool seat)
{
    auto find = [&file](size_t first, size_t last) -> const char* {
        for (size_t k = first; k < last; ++k) {
            if (file == QLatin1String(Rows[k].file))
                return Rows[k].text;
        }
        return nullptr;
    };
    const char* text = seat ? find(SeatRows, TimerRows) : find(0, SeatRows);
    if (!text && !seat)
        text = find(TimerRows, std::size(Rows));
    return text ? QCoreApplication::translate("UsersWidget", text) : QString();
}
