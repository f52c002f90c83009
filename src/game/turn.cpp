#include "turn.h"

#include "armies.h"

#include <algorithm>

namespace {

TurnStep idle()
{
    return {MapMode::Idle, BarTurn::NotPlaying, false, {}};
}

} // namespace

TurnLine Turn::placeLine(int localSeat, int toPlace)
{
    return {tr("You should place %1 armies").arg(toPlace), localSeat};
}

int Turn::decideArmies(int countries)
{
    return Rules::decideArmies(countries);
}

TurnStep Turn::init(int armies, int localSeat, bool inGame, bool capitals, int toPlace)
{
    TurnStep step;
    step.lines << TurnLine{tr("All players receive %1 armies").arg(armies), -1};
    if (localSeat < 0) {
        step.mode = MapMode::Idle;
        return step;
    }
    if (!inGame)
        return step;
    if (capitals) {
        step.mode = MapMode::PickCapital;
        step.lines << TurnLine{tr("Please pick your capital"), localSeat};
        return step;
    }
    step.mode = MapMode::PlaceInitial;
    step.bar = BarTurn::Placing;
    step.lines << placeLine(localSeat, toPlace);
    return step;
}

TurnStep Turn::capitalChosen(int localSeat, int toPlace)
{
    return {MapMode::PlaceInitial, BarTurn::Placing, false, {placeLine(localSeat, toPlace)}};
}

TurnStep Turn::place(int seat, const QString& name, int armies, int localSeat)
{
    TurnStep step = idle();
    if (seat == localSeat && seat >= 0) {
        step.mode = MapMode::Place;
        step.bar = BarTurn::Placing;
    }
    step.lines << TurnLine{tr("%1 should place %2 armies").arg(name, QString::number(armies)),
                           seat};
    return step;
}

TurnStep Turn::decide(int seat, const QString& name, int countries, int localSeat, bool doOrDie)
{
    TurnStep step = idle();
    if (seat == localSeat && seat >= 0)
        step = {MapMode::Attack, BarTurn::Decide, !doOrDie, {}};
    step.lines << TurnLine{tr("%1 should choose: Place %2 armies or attack")
                               .arg(name, QString::number(decideArmies(countries))),
                           seat};
    return step;
}

TurnStep Turn::more(int seat, int localSeat, bool doOrDie)
{
    if (seat == localSeat && seat >= 0)
        return {MapMode::Attack, BarTurn::More, !doOrDie, {}};
    return idle();
}

TurnStep Turn::attack(const QString& from, const QString& to, int attacker, int dice, bool doOrDie)
{
    QString text;
    if (doOrDie)
        text = tr("%1 attacks %2 (do or die!)").arg(from, to);
    else if (dice == 1)
        text = tr("%1 attacks %2 with 1 die").arg(from, to);
    else
        text = tr("%1 attacks %2 with %3 dice").arg(from, to, QString::number(dice));
    // The next more message lets the attacker go on.
    return {MapMode::Idle, std::nullopt, false, {TurnLine{text, attacker}}};
}

TakeChoice Turn::take(int localSeat, int fromOwner, int fromArmies, bool conqueredKnown,
                      int minimum)
{
    if (localSeat < 0 || fromOwner != localSeat)
        return {};
    const int maximum = fromArmies - 1;
    // A minimum the attacker cannot even meet comes from a server that knows
    // better than this client's board: it gets its minimum rather than an
    // empty slider.
    if (minimum >= maximum)
        return {TakeChoice::SendAtOnce, minimum, minimum};
    if (!conqueredKnown)
        return {};
    return {TakeChoice::Choose, minimum, maximum};
}

TurnStep Turn::moveButton()
{
    return {MapMode::Move, BarTurn::MoveState, false, {}};
}

TurnStep Turn::attackButton()
{
    return {MapMode::Attack, std::nullopt, false, {}};
}

TurnStep Turn::cancelMove(bool doOrDie)
{
    return {MapMode::Attack, BarTurn::More, !doOrDie, {}};
}

TurnStep Turn::end()
{
    return idle();
}

TurnStep Turn::winner(int seat, const QString& name)
{
    TurnStep step = idle();
    step.lines << TurnLine{tr("%1 has won the game").arg(name), seat};
    return step;
}
