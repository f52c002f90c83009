#pragma once

#include "seating.h"

#include <QColor>
#include <QObject>

#include <array>

// The colours of the six seats: a text colour for the army numbers and a
// background colour that tints the seat's countries, its pie slices, its dice
// and its disc in the player list. The board and the player list both read
// this one table; seats outside 0 to 5 are ignored.
class SeatColors : public QObject
{
    Q_OBJECT

public:
    static constexpr int Seats = Rules::MaxPlayers;

    explicit SeatColors(QObject* parent = nullptr);

    static bool isSeat(int seat) { return seat >= 0 && seat < Seats; }

    // Black outside the seats.
    QColor text(int seat) const;
    QColor background(int seat) const;

    void setText(int seat, const QColor& colour);
    void setBackground(int seat, const QColor& colour);

signals:
    void textChanged(int seat);
    void backgroundChanged(int seat);

private:
    std::array<QColor, Seats> m_text;
    std::array<QColor, Seats> m_background;
};
