#include "editorstroke.h"

#include <QTest>

#include <vector>

using Points = QList<QPoint>;

// Strokes as records of what a drag did to the lines and points: applying
// and reverting them gives back exactly the lists before and after.
class TestEditorStroke : public QObject
{
    Q_OBJECT

private slots:
    void strokesKeepPlaces();
};

namespace {

struct Sketch
{
    std::vector<MapLine> lines;
    Points points;
};

// Both lists, the lines end point by end point, in list order.
std::pair<QList<QRect>, Points> contents(const Sketch& sketch)
{
    QList<QRect> ends;
    for (const MapLine& l : sketch.lines)
        ends << QRect(l.p1(), l.p2());
    return {ends, sketch.points};
}

} // namespace

void TestEditorStroke::strokesKeepPlaces()
{
    // Erasing b, where a chain a-b-c meets a spur b-d among lines that stay,
    // takes its three lines and the points a and d they leave without a
    // line; c keeps its line to e.
    const QPoint a(10, 10), b(30, 10), c(50, 10), d(30, 30), e(70, 40), f(90, 40);
    Sketch sketch{{MapLine(e, f), MapLine(a, b), MapLine(b, c), MapLine(e, c), MapLine(b, d)},
                  {e, f, a, b, c, d}};
    const Sketch before = sketch;

    const EditorStroke eraseB =
        EditorStroke::erase(sketch.lines, sketch.points, b, b + QPoint(1, 1));
    QCOMPARE(eraseB.removedLineCount(), 3);
    eraseB.apply(sketch.lines, sketch.points);
    QCOMPARE(contents(sketch), std::pair(QList<QRect>{QRect(e, f), QRect(c, e)}, Points{e, f, c}));
    eraseB.revert(sketch.lines, sketch.points);
    QCOMPARE(contents(sketch), contents(before));

    // A painted border joins the point within reach and makes a new one at
    // the other end; both ends on one point make no line.
    const EditorStroke border = EditorStroke::paint(sketch.points, a + QPoint(2, -2), {10, 60});
    border.apply(sketch.lines, sketch.points);
    Sketch painted = before;
    painted.lines.emplace_back(a, QPoint(10, 60));
    painted.points << QPoint(10, 60);
    QCOMPARE(contents(sketch), contents(painted));
    border.revert(sketch.lines, sketch.points);
    QCOMPARE(contents(sketch), contents(before));
    QVERIFY(EditorStroke::paint(sketch.points, a, a + QPoint(1, 1)).isEmpty());

    // Ends that snap to different points, or to none, erase nothing.
    QVERIFY(EditorStroke::erase(sketch.lines, sketch.points, a, c).isEmpty());
    QVERIFY(EditorStroke::erase(sketch.lines, sketch.points, {200, 200}, {200, 200}).isEmpty());
    // Exactly 3 pixels straight away still joins; 3 pixels diagonally does not.
    QCOMPARE(EditorStroke::snap(sketch.points, a + QPoint(3, 0)), a);
    QCOMPARE(EditorStroke::snap(sketch.points, a + QPoint(3, 3)), std::nullopt);
}

QTEST_GUILESS_MAIN(TestEditorStroke)
#include "tst_editorstroke.moc"
