#pragma once

#include <QColor>
#include <QList>
#include <QString>

class QPainter;

// A pie of each seat's share of the armies or the countries, drawn by the
// board at one of its anchors.
class StatisticsPie
{
public:
    static constexpr int FullCircle = 5760;
    static constexpr int Diameter = 50;

    explicit StatisticsPie(const QString& title, int sliceCount = 6);

    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    int sliceCount() const { return int(m_values.size()); }

    void add(int slice, int delta);
    void set(int slice, int value);
    void setColor(int slice, const QColor& colour);
    int value(int slice) const { return m_values.value(slice); }
    QColor color(int slice) const { return m_colors.value(slice); }
    int total() const { return m_total; }
    void clear();

    // Slice angles in 1/16 degree that add up to a full circle. The rounding
    // remainder goes, one sixteenth at a time, to randomly picked slices that
    // are shown; slices without a share never get an angle. Empty when there
    // is nothing to draw.
    QList<int> angles() const;

    // Title and pie from the painter's origin.
    void draw(QPainter& painter) const;

private:
    QString m_title;
    QList<int> m_values;
    QList<QColor> m_colors;
    int m_total = 0;
};
