#pragma once

#include <QWidget>

class CardsWidget;
class GameRecord;
class QScrollBar;

// The card hand page under the board: the cards above a scroll bar that
// appears once the hand holds more cards than the five slots show.
class Cards : public QWidget
{
    Q_OBJECT

public:
    explicit Cards(QWidget* parent = nullptr);

    CardsWidget* cardsWidget() const { return m_cards; }
    QScrollBar* scrollBar() const { return m_scrollBar; }
    void setGameItem(const GameRecord* game);

public slots:
    void reset();
    void addCard(int code);
    void exchange();
    void maxChanged(int maximum);
    void currentChanged(int first);

signals:
    void validSelection();
    void invalidSelection();
    void exchanged(int card1, int card2, int card3);

private:
    CardsWidget* m_cards = nullptr;
    QScrollBar* m_scrollBar = nullptr;
};
