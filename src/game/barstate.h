#pragma once

#include <array>

// What the button bar shows, as a value: which of its thirteen buttons are
// enabled and which of its four toggle buttons are pressed. The state
// functions return the bar's next state from this one, leaving alone what
// the step does not concern, so the rules of the bar are testable without a
// widget; ButtonBar::setState() shows a state.
class BarState
{
public:
    enum Button {
        Chat,
        Users,
        Leave,
        Start,
        Place,
        Attack,
        DoOrDie,
        Move,
        Finish,
        Store,
        Cards,
        Config,
        Robot,
        ButtonCount
    };
    enum Toggle { PlaceToggle, AttackToggle, DoOrDieToggle, MoveToggle, ToggleCount };

    // Only Config is enabled at first.
    BarState();

    bool isEnabled(Button button) const { return m_enabled[button]; }
    bool isToggled(Toggle toggle) const { return m_toggled[toggle]; }
    BarState withEnabled(Button button, bool on) const;
    BarState withToggled(Toggle toggle, bool on) const;

    // Chat, Users and Leave on.
    BarState connected() const;
    // Everything but Config off, no toggle pressed.
    BarState notConnected() const;
    // Store on.
    BarState inGame() const;
    // notPlaying(), and Robot, Start, Store and Cards off.
    BarState notInGame() const;
    // The turn buttons off and released.
    BarState notPlaying() const;
    // The turn buttons off, Place shown pressed.
    BarState placing() const;
    // Place, Attack and Do or Die on; attack tells which of the two attack
    // styles is pressed.
    BarState decide(bool attack) const;
    // Attack, Do or Die, Move and Finish on, with the attack style pressed.
    BarState more(bool attack) const;
    // As more(), with Move pressed instead of an attack style.
    BarState moveState() const;
    // Leave on.
    BarState waiting() const;

    bool operator==(const BarState&) const = default;

private:
    BarState withTurn(bool place, bool attack, bool doOrDie, bool move, bool finish) const;
    BarState withToggles(bool place, bool attack, bool doOrDie, bool move) const;

    std::array<bool, ButtonCount> m_enabled{};
    std::array<bool, ToggleCount> m_toggled{};
};
