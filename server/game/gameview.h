#pragma once

#include "gameengine.h"

#include <array>
#include <vector>

// What one seat knows of a game, and nothing more: robots see the game
// through this, so they play with what a person in the seat is told. In a
// blind game the countries the seat cannot see read as unowned and empty
// and the other seats' country counts are unknown; with hidden cards the
// other seats' card counts are unknown. Other seats' cards and capitals are
// never shown.
class GameView
{
public:
    static constexpr int Unknown = -1;

    GameView(const GameEngine& game, int seat) : m_game(game), m_seat(seat) {}

    const Board& board() const { return m_game.board(); }
    const GameRules& rules() const { return m_game.rules(); }
    int seat() const { return m_seat; }
    int countries() const { return m_game.board().countryCount(); }

    bool sees(int c) const { return !m_game.rules().blind || m_game.sees(m_seat, c); }
    bool mine(int c) const { return m_game.owner(c) == m_seat; }
    int owner(int c) const { return sees(c) ? m_game.owner(c) : -1; }
    int armies(int c) const { return sees(c) ? m_game.armies(c) : 0; }

    // The seats still playing; everyone is told when one goes out.
    bool isActive(int seat) const { return m_game.isActive(seat); }
    int activeSeats() const { return m_game.activeSeats(); }
    // The seats the game began with, those gone out and those who left
    // counted.
    int seatsInGame() const;
    // How many countries the seat holds, Unknown for another seat in a
    // blind game.
    int countriesOf(int seat) const;
    // How many cards the seat holds, Unknown for another seat when card
    // counts are hidden.
    int cardCount(int seat) const;
    // What the seat received at the start of its last turn; everyone is
    // told when it places them.
    int lastReinforcements(int seat) const { return m_game.lastReinforcements(seat); }

    // The seat's own part of the game.
    const std::vector<int>& hand() const { return m_game.cards(m_seat); }
    int capital() const { return m_game.capital(m_seat); }
    int setupArmiesLeft() const { return m_game.setupArmiesLeft(m_seat); }
    // What the next set brings; every trade is announced to everyone.
    int setValue(const std::array<int, 3>& cards) const { return m_game.setValue(cards); }

    // Rounds and turns played so far, the current one counted.
    int round() const { return m_game.round(); }
    int turns() const { return m_game.turns(); }

    // The turn, while it is the seat's own.
    GameEngine::Step step() const { return m_game.step(); }
    int pool() const { return m_game.pool(); }
    bool conqueredThisTurn() const { return m_game.conqueredThisTurn(); }
    int movable(int c) const { return mine(c) ? m_game.movable(c) : 0; }
    int takeFrom() const { return m_game.takeFrom(); }
    int takeTo() const { return m_game.takeTo(); }
    int takeMinimum() const { return m_game.takeMinimum(); }

private:
    const GameEngine& m_game;
    int m_seat;
};
