#include "clickhint.h"

#include "mapmodel.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ClickHint", text);
}

bool ownGame(const MapModel& model)
{
    // A map of the editor has no seats; a watcher has none either.
    return model.localSeat() >= 0 && model.mapId() != 0;
}

QString moveOrAttackRefusal(const MapModel& model, const Country& clicked, bool attacking)
{
    const bool own = model.isOwn(clicked);
    const Country* source = model.selectedCountry();
    if (!source) {
        if (!own) {
            return tr("%1 is not yours: first click one of your countries with at least two "
                      "armies")
                .arg(clicked.name);
        }
        if (clicked.armies < 2) {
            return (attacking ? tr("%1 has only one army: a country needs two to attack")
                              : tr("%1 has only one army: one army always stays behind"))
                .arg(clicked.name);
        }
        return {};
    }
    if (source == &clicked)
        return {};
    if (!source->isNeighbour(clicked.number))
        return tr("%1 is not a neighbour of %2").arg(clicked.name, source->name);
    if (attacking && own) {
        return tr("%1 is yours: click an enemy neighbour of %2 to attack it")
            .arg(clicked.name, source->name);
    }
    if (!attacking && !own) {
        return tr("%1 is not yours: armies move only between your own countries").arg(clicked.name);
    }
    return {};
}

} // namespace

QString ClickHint::forMode(const MapModel& model)
{
    if (!ownGame(model))
        return {};
    const Country* selected = model.selectedCountry();
    switch (model.mode()) {
    case MapMode::PickCapital:
        return tr("Pick your capital: click one of your countries");
    case MapMode::PlaceInitial:
    case MapMode::Place:
        return tr("Place your armies: left click one of your countries for one army, right click "
                  "for all that are left");
    case MapMode::Attack:
        if (selected) {
            return tr("Click an enemy neighbour of %1 to attack it, or %1 again to choose another "
                      "country")
                .arg(selected->name);
        }
        return model.doOrDie()
                   ? tr("Do or die: click one of your countries with at least two armies, then an "
                        "enemy neighbour; the dice roll until one side is beaten")
                   : tr("Click one of your countries with at least two armies, then an enemy "
                        "neighbour");
    case MapMode::Move:
        if (selected) {
            return tr("Click one of your countries next to %1 to move armies there, or %1 again "
                      "to choose another country")
                .arg(selected->name);
        }
        return tr("Move: click one of your countries with at least two armies, then one of your "
                  "countries next to it");
    default:
        return {};
    }
}

QString ClickHint::forPanel(bool take, const QString& from, const QString& to)
{
    if (take) {
        return tr("%2 is yours: choose below how many armies move in from %1, then press Ok")
            .arg(from, to);
    }
    return tr("Choose below how many armies move from %1 to %2, then press Ok, or Cancel")
        .arg(from, to);
}

QString ClickHint::refusal(const MapModel& model, int number)
{
    const Country* clicked = model.country(number);
    if (!clicked || !ownGame(model))
        return {};
    switch (model.mode()) {
    case MapMode::Idle:
        return tr("Wait for your turn: the board takes no clicks now");
    case MapMode::PickCapital:
        if (!model.isOwn(*clicked))
            return tr("%1 is not yours: your capital must be one of your countries")
                .arg(clicked->name);
        return {};
    case MapMode::PlaceInitial:
    case MapMode::Place:
        if (!model.isOwn(*clicked))
            return tr("%1 is not yours: place your armies on your own countries")
                .arg(clicked->name);
        if (model.mode() == MapMode::PlaceInitial &&
            clicked->armies >= MapModel::InitialPlacingLimit) {
            return tr("%1 has %2 armies already: before the first turn a country with four or more "
                      "takes no more")
                .arg(clicked->name)
                .arg(clicked->armies);
        }
        return {};
    case MapMode::Attack:
        return moveOrAttackRefusal(model, *clicked, true);
    case MapMode::Move:
        return moveOrAttackRefusal(model, *clicked, false);
    default:
        return {};
    }
}
