#pragma once

#include "gamerecord.h"

#include <QList>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <optional>

// The local player's hand: five slots of cards side by side, the first one
// shown being first(). Where the widget is smaller than five cards at their
// pictures' size, the cards shrink to fit, drawn down from the large
// pictures so that they stay sharp. A click (press and release on cards) selects or
// deselects the card under the release; while exactly three selected cards
// form a set, exchange() takes them out of the hand. The option strip of the
// current game is drawn in the top-right corner.
class CardsWidget : public QWidget
{
    Q_OBJECT

public:
    enum Card { Horseman = 0, Cannon = 1, Footman = 2, Joker = 3 };
    static constexpr int Slots = 5;
    // No hand holds more cards than the deck has: one per country of the
    // largest map and two jokers. Cards beyond are a server's error.
    static constexpr int MaxCards = 255 + 2;
    // Top edge of the card pictures, below the option strip.
    static constexpr int CardTop = 30;

    explicit CardsWidget(QWidget* parent = nullptr);

    const QList<int>& cards() const { return m_cards; }
    bool isSelected(int index) const { return m_selected.value(index); }
    int first() const { return m_first; }
    bool isValidSelection() const;
    // The size every card is laid out with: the joker picture's, shrunk to
    // the widget's size where that is short of it.
    QSize cardSize() const { return cardSizeFor(size()); }
    // Where the card's picture lies in the widget; empty for a card before
    // first(), and possibly outside the widget for one beyond the fifth slot.
    QRect pictureRect(int index) const;
    // The card whose picture lies under the point, or -1.
    int cardAt(QPoint point) const;

    // The game whose option strip is drawn; null for none. A copy is kept.
    void setGameItem(const GameRecord* game);
    const GameRecord* gameItem() const { return m_game ? &*m_game : nullptr; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void addCard(int code);
    void reset();
    void setFirst(int first);
    void exchange();

signals:
    void validSelection();
    void invalidSelection();
    void exchanged(int card1, int card2, int card3);
    void maxChanged(int maximum);
    void currentChanged(int first);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int slotWidth() const { return width() / Slots; }
    QSize cardSizeFor(QSize widget) const;
    int lastFirst() const { return std::max(int(m_cards.size()) - Slots, 0); }
    QList<int> selectedIndexes() const;
    // The pictures as drawn: the files' own where the cards have their full
    // size, else the large ones scaled down to the card size.
    void preparePictures(QSize card, qreal devicePixelRatio);
    void loadOriginals();

    QList<int> m_cards;
    QList<bool> m_selected;
    std::array<QPixmap, 4> m_originals;
    bool m_originalsLoaded = false;
    std::array<QPixmap, 4> m_pictures;
    qreal m_pictureRatio = 0;
    QSize m_pictureSize;
    // The joker picture's size, which every card is laid out with.
    QSize m_cardSize;
    int m_first = 0;
    int m_pressedCard = -1;
    std::optional<GameRecord> m_game;
};
