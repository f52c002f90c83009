#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// A straight line between two picture points: a border while the editor draws
// it, or a sea line linking two countries across water.
class MapLine
{
public:
    MapLine() = default;
    // The end points are stored with the smaller y first, then the smaller x.
    MapLine(int x1, int y1, int x2, int y2);
    MapLine(QPoint a, QPoint b) : MapLine(a.x(), a.y(), b.x(), b.y()) {}

    int x1() const { return m_x1; }
    int y1() const { return m_y1; }
    int x2() const { return m_x2; }
    int y2() const { return m_y2; }
    QPoint p1() const { return {m_x1, m_y1}; }
    QPoint p2() const { return {m_x2, m_y2}; }

    bool hasEndPoint(QPoint point) const { return point == p1() || point == p2(); }
    QRect boundingRect() const;
    // Computed on first use and kept: lines do not move.
    const QList<QPoint>& pixels() const;

    // Both ends included and no diagonal gaps left by steep stretches, so a
    // burnt line keeps a 4-connected flood fill on its own side.
    static QList<QPoint> rasterize(int x1, int y1, int x2, int y2);

private:
    int m_x1 = 0;
    int m_y1 = 0;
    int m_x2 = 0;
    int m_y2 = 0;
    mutable QList<QPoint> m_pixels;
};
