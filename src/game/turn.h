#pragma once

#include "mapmode.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

// The button bar's states during a game.
enum class BarTurn { NotPlaying, Placing, Decide, More, MoveState };

// A line for the game output: its text and the seat whose colour marks it,
// or -1 for the neutral grey of messages to everyone.
struct TurnLine
{
    QString text;
    int seat = -1;

    bool operator==(const TurnLine&) const = default;
};

// What the local client does on a game message or a turn action: the board's
// mode and the button bar's state, each only where it changes, and the lines
// for the game output.
struct TurnStep
{
    std::optional<MapMode> mode;
    std::optional<BarTurn> bar;
    // For Decide and More: true shows Attack pressed, false Do or Die.
    bool attackStyle = false;
    QList<TurnLine> lines;
};

// What a conquest asks of the local player.
struct TakeChoice
{
    enum Kind {
        // Not the local player's conquest.
        Ignore,
        // There is nothing to choose: the minimum goes at once.
        SendAtOnce,
        // The move panel opens from minimum to maximum.
        Choose,
    };
    Kind kind = Ignore;
    int minimum = 0;
    int maximum = 0;

    bool operator==(const TakeChoice&) const = default;
};

// The turn state machine of the local player as pure functions of the
// message, the local seat and the little else each decision needs. A seat of
// -1 is the local seat of a watcher. Every message about another seat leaves
// the local client idle and not playing. The texts are the main window's.
class Turn
{
    Q_DECLARE_TR_FUNCTIONS(Tarvenix)

public:
    // The armies a decide message offers to a seat owning that many countries.
    static int decideArmies(int countries);

    // The start of the game: every player receives the armies. inGame is false
    // while the own game entry is unknown; toPlace is what the local seat still
    // has to place.
    static TurnStep init(int armies, int localSeat, bool inGame, bool capitals, int toPlace);
    // The local player picked his capital.
    static TurnStep capitalChosen(int localSeat, int toPlace);
    static TurnStep place(int seat, const QString& name, int armies, int localSeat);
    static TurnStep decide(int seat, const QString& name, int countries, int localSeat,
                           bool doOrDie);
    static TurnStep more(int seat, int localSeat, bool doOrDie);
    // An attack between two known countries; attacker is the attacking owner.
    static TurnStep attack(const QString& from, const QString& to, int attacker, int dice,
                           bool doOrDie);
    static TakeChoice take(int localSeat, int fromOwner, int fromArmies, bool conqueredKnown,
                           int minimum);
    static TurnStep moveButton();
    // The Attack or the Do or Die button.
    static TurnStep attackButton();
    static TurnStep cancelMove(bool doOrDie);
    static TurnStep end();
    static TurnStep winner(int seat, const QString& name);

private:
    static TurnLine placeLine(int localSeat, int toPlace);
};
