#pragma once

#include <QColor>
#include <QList>
#include <QRect>

class QPainter;

// One die of the last attack's throw, drawn by the board at its anchor.
class Die
{
public:
    static constexpr int Size = 25;

    // Any value outside 1 to 6 hides the die.
    void set(const QColor& colour, int value);
    int value() const { return m_value; }
    QColor color() const { return m_color; }

    // The pips' squares for the current value, relative to the die's corner.
    QList<QRect> pips() const;
    void draw(QPainter& painter) const;

private:
    int m_value = 0;
    QColor m_color = Qt::black;
};
