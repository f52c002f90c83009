#include "statisticspie.h"

#include "fieldbounds.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>

StatisticsPie::StatisticsPie(const QString& title, int sliceCount)
    : m_title(title), m_values(sliceCount, 0), m_colors(sliceCount, QColor(Qt::black))
{}

void StatisticsPie::add(int slice, int delta)
{
    if (slice < 0 || slice >= sliceCount())
        return;
    set(slice, FieldBounds::saturate(qint64(m_values[slice]) + delta));
}

void StatisticsPie::set(int slice, int value)
{
    if (slice < 0 || slice >= sliceCount())
        return;
    m_values[slice] = FieldBounds::saturate(value);
    // Kept within bounds itself, so a pile of saturated slices cannot
    // overflow it either.
    qint64 total = 0;
    for (int v : std::as_const(m_values))
        total += v;
    m_total = FieldBounds::saturate(total);
}

void StatisticsPie::setColor(int slice, const QColor& colour)
{
    if (slice < 0 || slice >= sliceCount())
        return;
    m_colors[slice] = colour;
}

void StatisticsPie::clear()
{
    m_values.fill(0);
    m_total = 0;
}

QList<int> StatisticsPie::angles() const
{
    // Only positive shares count, so a slice driven below zero by an
    // inconsistent update can neither open the pie nor overfill it.
    qint64 total = 0;
    for (int v : m_values)
        total += std::max(v, 0);
    if (total <= 0)
        return {};

    QList<int> angles(sliceCount(), 0);
    int sum = 0;
    for (int i = 0; i < sliceCount(); ++i) {
        angles[i] = int(qint64(std::max(m_values[i], 0)) * FullCircle / total);
        sum += angles[i];
    }
    if (sum == 0)
        return {};
    auto* random = QRandomGenerator::global();
    while (sum < FullCircle) {
        const int i = int(random->bounded(quint32(sliceCount())));
        if (angles[i] != 0) {
            ++angles[i];
            ++sum;
        }
    }
    return angles;
}

void StatisticsPie::draw(QPainter& painter) const
{
    painter.save();
    painter.setPen(Qt::white);
    const int width = painter.fontMetrics().horizontalAdvance(m_title);
    painter.drawText((Diameter - width) / 2, 75, m_title);

    const QList<int> angles = this->angles();
    int start = 0;
    for (int i = 0; i < angles.size(); ++i) {
        if (angles[i] == 0)
            continue;
        painter.setPen(m_colors[i]);
        painter.setBrush(m_colors[i]);
        painter.drawPie(0, 0, Diameter, Diameter, start, angles[i]);
        start += angles[i];
    }
    painter.restore();
}
