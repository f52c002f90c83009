#include "editorstroke.h"

#include <algorithm>
#include <cstdlib>

std::optional<QPoint> EditorStroke::snap(const QList<QPoint>& points, QPoint point)
{
    std::optional<QPoint> straight;
    for (const QPoint& p : points) {
        const int dx = std::abs(p.x() - point.x());
        const int dy = std::abs(p.y() - point.y());
        if (dx < 3 && dy < 3)
            return p;
        if ((dx == 0 && dy == 3) || (dy == 0 && dx == 3))
            straight = p;
    }
    return straight;
}

EditorStroke EditorStroke::paint(const QList<QPoint>& points, QPoint press, QPoint release)
{
    EditorStroke stroke;
    // The release end may join the point the press end has just made.
    QList<QPoint> known = points;
    auto resolve = [&](QPoint p) {
        if (const auto snapped = snap(known, p))
            return *snapped;
        known.append(p);
        stroke.m_addedPoints.append(p);
        return p;
    };
    const QPoint a = resolve(press);
    const QPoint b = resolve(release);
    if (a != b)
        stroke.m_addedLines.emplace_back(a, b);
    return stroke;
}

EditorStroke EditorStroke::erase(const std::vector<MapLine>& lines, const QList<QPoint>& points,
                                 QPoint press, QPoint release)
{
    EditorStroke stroke;
    const auto a = snap(points, press);
    const auto b = snap(points, release);
    if (!a || !b || *a != *b)
        return stroke;

    // Entries are only marked while the cascade runs, so that each keeps the
    // place it had and the stroke can put it back there.
    std::vector<bool> lineGone(lines.size(), false);
    std::vector<bool> pointGone(size_t(points.size()), false);
    QList<QPoint> pending{*a};
    while (!pending.isEmpty()) {
        const QPoint p = pending.takeFirst();
        for (qsizetype j = 0; j < points.size(); ++j) {
            if (points[j] == p)
                pointGone[size_t(j)] = true;
        }
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lineGone[i] || !lines[i].hasEndPoint(p))
                continue;
            lineGone[i] = true;
            const QPoint other = lines[i].p1() == p ? lines[i].p2() : lines[i].p1();
            bool used = false;
            for (size_t k = 0; k < lines.size() && !used; ++k)
                used = !lineGone[k] && lines[k].hasEndPoint(other);
            if (!used && other != p && !pending.contains(other))
                pending.append(other);
        }
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lineGone[i])
            stroke.m_removedLines.append({int(i), lines[i]});
    }
    for (qsizetype j = 0; j < points.size(); ++j) {
        if (pointGone[size_t(j)])
            stroke.m_removedPoints.append({int(j), points[j]});
    }
    return stroke;
}

bool EditorStroke::isEmpty() const
{
    return m_removedLines.isEmpty() && m_removedPoints.isEmpty() && m_addedLines.empty() &&
           m_addedPoints.isEmpty();
}

void EditorStroke::apply(std::vector<MapLine>& lines, QList<QPoint>& points) const
{
    // From the back, so the places of the entries still to go stay valid.
    for (auto it = m_removedLines.crbegin(); it != m_removedLines.crend(); ++it) {
        if (size_t(it->first) < lines.size())
            lines.erase(lines.begin() + it->first);
    }
    for (auto it = m_removedPoints.crbegin(); it != m_removedPoints.crend(); ++it) {
        if (it->first < points.size())
            points.removeAt(it->first);
    }
    lines.insert(lines.end(), m_addedLines.begin(), m_addedLines.end());
    points.append(m_addedPoints);
}

void EditorStroke::revert(std::vector<MapLine>& lines, QList<QPoint>& points) const
{
    lines.resize(lines.size() - std::min(lines.size(), m_addedLines.size()));
    points.resize(points.size() - std::min(points.size(), m_addedPoints.size()));
    for (const auto& [place, line] : m_removedLines)
        lines.insert(lines.begin() + std::min(size_t(place), lines.size()), line);
    for (const auto& [place, point] : m_removedPoints)
        points.insert(std::min(qsizetype(place), points.size()), point);
}

QList<QRect> EditorStroke::changedRects() const
{
    QList<QRect> rects;
    auto addPoint = [&rects](QPoint p) {
        rects.append(QRect(p.x() - 3, p.y() - 3, 7, 7));
    };
    auto addLine = [&rects](const MapLine& line) {
        rects.append(line.boundingRect().adjusted(-1, -1, 1, 1));
    };
    for (const auto& [place, line] : m_removedLines)
        addLine(line);
    for (const auto& [place, point] : m_removedPoints)
        addPoint(point);
    for (const MapLine& line : m_addedLines)
        addLine(line);
    for (const QPoint& point : m_addedPoints)
        addPoint(point);
    return rects;
}
