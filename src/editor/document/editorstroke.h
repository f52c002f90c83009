#pragma once

#include "mapline.h"

#include <QList>
#include <QPair>
#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

// What one press-drag-release on the board did to the lines and points the
// editor is drawing: the entries it took out, with the places they held, and
// the entries it appended. Applied to the lists it was made from it gives the
// lists after the stroke, and reverted it gives back the lists before, in the
// same order, so a stroke can be undone and redone any number of times.
class EditorStroke
{
public:
    // The point a stroke end joins: one within 2 pixels either way, else the
    // last one exactly 3 pixels straight left, right, above or below.
    static std::optional<QPoint> snap(const QList<QPoint>& points, QPoint point);

    // A border from the press to the release point; an end that joins no
    // point makes a new one. Both ends on the same point make no line.
    static EditorStroke paint(const QList<QPoint>& points, QPoint press, QPoint release);
    // Erases the point both ends snap to, every line ending there and, in
    // turn, every end point such a line leaves unused.
    static EditorStroke erase(const std::vector<MapLine>& lines, const QList<QPoint>& points,
                              QPoint press, QPoint release);

    bool isEmpty() const;
    void apply(std::vector<MapLine>& lines, QList<QPoint>& points) const;
    void revert(std::vector<MapLine>& lines, QList<QPoint>& points) const;
    // The picture rectangles the stroke changes on the board.
    QList<QRect> changedRects() const;

    const std::vector<MapLine>& addedLines() const { return m_addedLines; }
    const QList<QPoint>& addedPoints() const { return m_addedPoints; }
    int removedLineCount() const { return int(m_removedLines.size()); }
    int removedPointCount() const { return int(m_removedPoints.size()); }

private:
    // Ascending by the place the entry held before the stroke.
    QList<QPair<int, MapLine>> m_removedLines;
    QList<QPair<int, QPoint>> m_removedPoints;
    std::vector<MapLine> m_addedLines;
    QList<QPoint> m_addedPoints;
};
