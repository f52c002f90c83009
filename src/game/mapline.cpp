#include "mapline.h"

#include <algorithm>
#include <cmath>

MapLine::MapLine(int x1, int y1, int x2, int y2)
{
    if (y2 < y1 || (y2 == y1 && x2 < x1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
}

QRect MapLine::boundingRect() const
{
    return QRect(QPoint(std::min(m_x1, m_x2), std::min(m_y1, m_y2)),
                 QPoint(std::max(m_x1, m_x2), std::max(m_y1, m_y2)));
}

const QList<QPoint>& MapLine::pixels() const
{
    if (m_pixels.isEmpty())
        m_pixels = rasterize(m_x1, m_y1, m_x2, m_y2);
    return m_pixels;
}

QList<QPoint> MapLine::rasterize(int x1, int y1, int x2, int y2)
{
    QList<QPoint> pixels;
    if (x1 == x2 && y1 == y2) {
        pixels.append({x1, y1});
        return pixels;
    }
    if (x1 == x2) {
        const int s = y2 > y1 ? 1 : -1;
        pixels.reserve(std::abs(y2 - y1) + 1);
        for (int y = y1; y != y2; y += s)
            pixels.append({x1, y});
        pixels.append({x2, y2});
        return pixels;
    }
    if (y1 == y2) {
        const int s = x2 > x1 ? 1 : -1;
        pixels.reserve(std::abs(x2 - x1) + 1);
        for (int x = x1; x != x2; x += s)
            pixels.append({x, y1});
        pixels.append({x2, y2});
        return pixels;
    }

    const double m = double(y1 - y2) / double(x1 - x2);
    const double b = y2 - x2 * m;
    const int s = x1 > x2 ? -1 : 1;
    pixels.reserve(std::abs(x2 - x1) + std::abs(y2 - y1) + 1);
    int previous = y1;
    for (int x = x1;; x += s) {
        const int y = x == x2 ? y2 : int(std::round(x * m + b));
        if (y != previous) {
            // Fill the vertical run at this column so that steep lines stay
            // 8-connected instead of skipping rows.
            const int t = y > previous ? 1 : -1;
            for (int yy = previous + t; yy != y; yy += t)
                pixels.append({x, yy});
        }
        pixels.append({x, y});
        previous = y;
        if (x == x2)
            break;
    }
    return pixels;
}
