// Plays the first turns of a six-seat game on a shipped map through the main
// window's message handlers, then stops at one scene of the local player's
// turn, so the board, the card hand, the move panel, the player list, the
// button bar and the game output can be looked at without a server.
// Usage: gamedemo MAP_FOLDER SCENE [SECONDS]
// Scenes: place, decide, attack, cards3, cards7, take, move, watch.

#include "cards.h"
#include "cardswidget.h"
#include "logindialog.h"
#include "map.h"
#include "mapdata.h"
#include "settings.h"
#include "tarvenix.h"
#include "translations.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTimer>

#include <tcl.h>

#include <cstdio>
#include <vector>

namespace {

const char* const Players[Map::Seats] = {"Anselm", "Brigida",  "Cosmo",
                                         "Dagny",  "Eberhard", "Filippa"};
constexpr int Me = 1;

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

// A country of the seat next to one of another seat.
std::pair<int, int> enemyNeighbours(const Map& map, int seat)
{
    for (const auto& [number, country] : map.countries()) {
        if (country.owner != seat)
            continue;
        for (const auto& [other, candidate] : map.countries()) {
            if (other != number && country.isNeighbour(other) && candidate.owner != seat)
                return {number, other};
        }
    }
    return {-1, -1};
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
    if (argc < 3) {
        std::fprintf(stderr, "usage: gamedemo MAP_FOLDER SCENE [SECONDS]\n");
        return 2;
    }
    const auto file = MapData::readFolder(QString::fromLocal8Bit(argv[1]), nullptr);
    if (!file) {
        std::fprintf(stderr, "no map in %s\n", argv[1]);
        return 1;
    }
    const QString scene = QString::fromLocal8Bit(argv[2]);

    Tarvenix window;
    Map* map = window.map();
    window.show();

    // The lobby: the own user plays in game 7, which shows its options.
    const QString me = QLatin1String(Players[Me]);
    window.loginDialog()->setNickname(me);
    window.parseSuccess(me);
    for (int seat = 0; seat < Map::Seats; ++seat) {
        if (seat != 2 && seat != 4)
            window.parseNewUser(QLatin1String(Players[seat]),
                                QStringLiteral("host%1.example").arg(seat));
    }
    window.parseNewGame(7, file->id, file->name, QStringLiteral("Tarvenix"), true, false, 120,
                        false, true, true, false, false, false, 2, 0, 0, false, true, 2, false,
                        false);
    window.parseUser(me, 1612, 48, scene == QLatin1String("watch") ? 0 : 7,
                     scene == QLatin1String("watch") ? 7 : 0, true, QString(), false, 3);

    map->loadMap(*file);
    for (int seat = 0; seat < Map::Seats; ++seat)
        window.parsePlayer(seat, seat == 2 || seat == 4, QLatin1String(Players[seat]));

    int seat = 0;
    for (const auto& [number, country] : map->countries()) {
        window.parseCountry(number, seat, 1 + (number * 7) % 6);
        seat = (seat + 1) % Map::Seats;
    }
    window.parseInit(25);

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

    const int seconds = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 5;
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
