#include "barstate.h"

BarState::BarState()
{
    m_enabled[Config] = true;
}

BarState BarState::withEnabled(Button button, bool on) const
{
    BarState next = *this;
    next.m_enabled[button] = on;
    return next;
}

BarState BarState::withToggled(Toggle toggle, bool on) const
{
    BarState next = *this;
    next.m_toggled[toggle] = on;
    return next;
}

BarState BarState::withTurn(bool place, bool attack, bool doOrDie, bool move, bool finish) const
{
    return withEnabled(Place, place)
        .withEnabled(Attack, attack)
        .withEnabled(DoOrDie, doOrDie)
        .withEnabled(Move, move)
        .withEnabled(Finish, finish);
}

BarState BarState::withToggles(bool place, bool attack, bool doOrDie, bool move) const
{
    return withToggled(PlaceToggle, place)
        .withToggled(AttackToggle, attack)
        .withToggled(DoOrDieToggle, doOrDie)
        .withToggled(MoveToggle, move);
}

BarState BarState::connected() const
{
    return withEnabled(Chat, true).withEnabled(Users, true).withEnabled(Leave, true);
}

BarState BarState::notConnected() const
{
    return notInGame().withEnabled(Leave, false).withEnabled(Chat, false).withEnabled(Users, false);
}

BarState BarState::inGame() const
{
    return withEnabled(Store, true);
}

BarState BarState::notInGame() const
{
    return notPlaying()
        .withEnabled(Robot, false)
        .withEnabled(Start, false)
        .withEnabled(Store, false)
        .withEnabled(Cards, false);
}

BarState BarState::notPlaying() const
{
    return withTurn(false, false, false, false, false).withToggles(false, false, false, false);
}

BarState BarState::placing() const
{
    return withTurn(false, false, false, false, false).withToggles(true, false, false, false);
}

BarState BarState::decide(bool attack) const
{
    return withTurn(true, true, true, false, false).withToggles(false, attack, !attack, false);
}

BarState BarState::more(bool attack) const
{
    return withTurn(false, true, true, true, true).withToggles(false, attack, !attack, false);
}

BarState BarState::moveState() const
{
    return withTurn(false, true, true, true, true).withToggles(false, false, false, true);
}

BarState BarState::waiting() const
{
    return withEnabled(Leave, true);
}
