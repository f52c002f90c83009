#include "seatcolors.h"

SeatColors::SeatColors(QObject* parent) : QObject(parent)
{
    m_text.fill(QColor(Qt::black));
    m_background.fill(QColor(Qt::yellow));
}

QColor SeatColors::text(int seat) const
{
    return isSeat(seat) ? m_text[size_t(seat)] : QColor(Qt::black);
}

QColor SeatColors::background(int seat) const
{
    return isSeat(seat) ? m_background[size_t(seat)] : QColor(Qt::black);
}

void SeatColors::setText(int seat, const QColor& colour)
{
    if (!isSeat(seat))
        return;
    m_text[size_t(seat)] = colour;
    emit textChanged(seat);
}

void SeatColors::setBackground(int seat, const QColor& colour)
{
    if (!isSeat(seat))
        return;
    m_background[size_t(seat)] = colour;
    emit backgroundChanged(seat);
}
