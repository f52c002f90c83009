// Plays the first turns of a six-seat game on a shipped map through the main
// window's message handlers, then stops at one scene of the local player's
// turn, so the board, the card hand, the move panel, the player list, the
// button bar and the game output can be looked at without a server.
// Usage: gamedemo MAP_FOLDER SCENE [SECONDS]
// Scenes: place, decide, attack, cards3, cards7, take, move, watch.

#include "cards.h"
#include "cardswidget.h"
#include "demogame.h"
#include "map.h"
#include "mapdata.h"
#include "settings.h"
#include "tarvenix.h"
#include "translations.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>

#include <tcl.h>

#include <cstdio>
#include <vector>

namespace {

using DemoGame::enemyNeighbours;
using DemoGame::Me;

// Countries of a seat, in number order.
std::vector<int> countriesOf(const Map& map, int seat)
{
    std::vector<int> numbers;
    for (const auto& [number, country] : map.countries()) {
        if (country.owner == seat)
            numbers.push_back(number);
    }
    return numbers;
}

void clickCard(CardsWidget* hand, int index)
{
    const QPointF centre = hand->pictureRect(index).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, centre, hand->mapToGlobal(centre), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(hand, &event);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    Tcl_FindExecutable(argv[0]);
    Settings settings(QDir::temp().filePath(QStringLiteral("gamedemo.cfg")));
    QApplication app(argc, argv);
    // In the desktop's language, as the program: LANG=de_DE.UTF-8 shows German.
    const Translations translations(QLocale::system());
    const auto file = DemoGame::mapArgument(argc, argv, "gamedemo MAP_FOLDER SCENE [SECONDS]");
    if (!file)
        return argc < 3 ? 2 : 1;
    const QString scene = QString::fromLocal8Bit(argv[2]);

    Tarvenix window;
    Map* map = window.map();
    window.show();

    // The own user plays in game 7, which shows its options, or watches it.
    DemoGame::deal(window, *file, 2, scene == QLatin1String("watch"));

    // A few turns of the others.
    window.parsePlace(0, 3);
    const auto [from0, to0] = enemyNeighbours(*map, 0);
    window.parseMore(0);
    window.parseAttack(from0, to0, 3, false);
    map->dice(0, 6, 4, 2, map->country(to0)->owner, 5, 1);
    window.parseAttack(from0, to0, 2, true);
    window.parseEnd();
    window.parseCardCount(0, 3);
    window.parseCardCount(3, 5);
    window.parseExchange(2);
    window.parseExchanged(2, 6);
    window.parseCardCount(2, 1);
    window.parsePlace(2, 9);
    window.parseEnd();
    window.parseClock(95);

    const int cards = scene == QLatin1String("cards7") ? 7 : 3;
    for (int i = 0; i < cards; ++i)
        window.parseCard(i % 4);
    window.parseCardCount(Me, cards);

    if (scene == QLatin1String("place")) {
        window.parsePlace(Me, 6);
    } else if (scene == QLatin1String("decide")) {
        window.parseDecide(Me);
    } else if (scene == QLatin1String("watch")) {
        window.parsePlace(3, 4);
    } else {
        window.parseMore(Me);
        const auto [from, to] = enemyNeighbours(*map, Me);
        if (scene == QLatin1String("attack")) {
            window.parseAttack(from, to, 3, false);
            map->dice(Me, 6, 3, 3, map->country(to)->owner, 4, 2);
            window.parseMore(Me);
        } else if (scene == QLatin1String("take")) {
            window.parseAttack(from, to, 3, false);
            window.parseCountry(from, Me, 9);
            window.parseCountry(to, Me, 0);
            window.parseTake(from, to, 3);
        } else if (scene == QLatin1String("move")) {
            window.parseCountry(from, Me, 8);
            window.parseCountry(to, Me, 3);
            window.actionMove();
            window.actionMove(from, to);
        } else if (scene.startsWith(QLatin1String("cards"))) {
            CardsWidget* hand = window.cards()->cardsWidget();
            // Horseman, cannon, footman: a set.
            for (int index : {0, 1, 2})
                clickCard(hand, index);
        }
    }
    if (countriesOf(*map, Me).empty())
        std::fprintf(stderr, "the local seat owns no country\n");

    DemoGame::quitAfterSeconds(app, argc, argv);
    return app.exec();
}
