#include "gameview.h"

int GameView::countriesOf(int seat) const
{
    if (seat != m_seat && m_game.rules().blind)
        return Unknown;
    return m_game.countriesOf(seat);
}

int GameView::cardCount(int seat) const
{
    if (seat != m_seat && m_game.rules().hideCards)
        return Unknown;
    return int(m_game.cards(seat).size());
}

int GameView::seatsInGame() const
{
    int n = 0;
    for (int s = 0; s < GameEngine::SeatCount; ++s)
        n += m_game.takesPart(s);
    return n;
}
