#pragma once

#include "seatcolors.h"
#include "seating.h"
#include "seattable.h"

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <array>
#include <memory>

// The game's six seats as a painted table: turn arrow, seat colour, name,
// rating, level, games played, and the cards held with the armies received
// for cards. It shows a SeatTable in the seats' background colours, both
// handed in by the main window (a list made without them keeps its own).
// The name column grows to the longest
// name while the cards keep their room; a name cut short has a tooltip.
class PlayerList : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Seats = Rules::MaxPlayers;
    static constexpr int Columns = 7;

    explicit PlayerList(QWidget* parent = nullptr);
    PlayerList(SeatTable& seats, SeatColors& colours, QWidget* parent = nullptr);

    SeatTable& seats() { return m_seats; }
    const SeatTable& seats() const { return m_seats; }
    SeatColors& seatColors() { return m_colours; }

    void setPlayer(int seat, const QString& name, int rating, int level, int games, bool robot,
                   bool isFriend, bool isEnemy, bool admin)
    {
        m_seats.setPlayer(seat, name, rating, level, games, robot, isFriend, isEnemy, admin);
    }
    void setRobot(int seat, const QString& name, int rating, int level, int games)
    {
        m_seats.setRobot(seat, name, rating, level, games);
    }
    void removePlayer(int seat) { m_seats.removePlayer(seat); }
    void clear() { m_seats.clear(); }

    void setSeatColor(int seat, const QColor& colour);
    QColor seatColor(int seat) const;
    void setCurrent(int seat) { m_seats.setCurrent(seat); }
    int current() const { return m_seats.current(); }

    const PlayerEntry* entry(int seat) const { return m_seats.entry(seat); }
    void setCards(int seat, int cards) { m_seats.setCards(seat, cards); }
    void setCardArmies(int seat, int armies) { m_seats.setCardArmies(seat, armies); }
    void exchanged(int seat, int armies) { m_seats.exchanged(seat, armies); }

    int seatOf(const QString& name, bool humansOnly) const
    {
        return m_seats.seatOf(name, humansOnly);
    }
    QColor seatColorOf(const QString& name, bool humansOnly) const;

    // Left edge and width of a column for the current widget width.
    int columnX(int column) const;
    int columnWidth(int column) const;
    int rowHeight() const { return std::max(height() / Seats, 1); }

    QSize sizeHint() const override;

public slots:
    void makeFriend(const QString& name, bool isFriend) { m_seats.makeFriend(name, isFriend); }
    void makeEnemy(const QString& name, bool isEnemy) { m_seats.makeEnemy(name, isEnemy); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void init();
    int fixedWidth(int column) const;
    // The fixed columns but the name's.
    int otherColumns() const;
    int cardsRoom() const;
    int longestName() const;
    void paintCell(QPainter& painter, int seat, int column, const QRect& cell);
    void paintCards(QPainter& painter, const PlayerEntry& entry, const QRect& cell);
    // Set only on a list made without a table and colours of the window's.
    std::unique_ptr<SeatTable> m_ownSeats;
    std::unique_ptr<SeatColors> m_ownColours;
    SeatTable& m_seats;
    SeatColors& m_colours;
    QPixmap m_arrow;
    QPixmap m_card;
};
