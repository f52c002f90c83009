#include "die.h"

#include <QPainter>

void Die::set(const QColor& colour, int value)
{
    m_color = colour;
    m_value = value >= 1 && value <= 6 ? value : 0;
}

QList<QRect> Die::pips() const
{
    QList<QRect> pips;
    if (m_value == 0)
        return pips;
    auto pip = [&](int x, int y) {
        pips.append(QRect(x, y, 5, 5));
    };
    if (m_value >= 2) {
        pip(3, 3);
        pip(17, 17);
    }
    if (m_value >= 4) {
        pip(17, 3);
        pip(3, 17);
    }
    if (m_value == 6) {
        pip(3, 10);
        pip(17, 10);
    }
    if (m_value % 2 == 1)
        pip(10, 10);
    return pips;
}

void Die::draw(QPainter& painter) const
{
    if (m_value == 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(m_color);
    painter.setBrush(m_color);
    painter.drawRoundedRect(QRect(0, 0, Size, Size), 25, 25, Qt::RelativeSize);
    // Black pips vanish on a dark seat colour.
    const QColor pipColour = qGray(m_color.rgb()) < 100 ? QColor(Qt::white) : QColor(Qt::black);
    painter.setPen(pipColour);
    painter.setBrush(pipColour);
    for (const QRect& pip : pips())
        painter.drawEllipse(pip);
    painter.restore();
}
