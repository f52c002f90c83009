#include "editorstroke.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

using Points = QList<QPoint>;

// Strokes as records of what a drag did to the lines and points: applying
// and reverting them gives back exactly the lists before and after.
class TestEditorStroke : public QObject
{
    Q_OBJECT

private slots:
    void eraseCascadeKeepsPlaces();
    void longSessionsUndoAndRedoExactly();
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

void TestEditorStroke::eraseCascadeKeepsPlaces()
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

    // Ends that snap to different points, or to none, erase nothing.
    QVERIFY(EditorStroke::erase(sketch.lines, sketch.points, a, c).isEmpty());
    QVERIFY(EditorStroke::erase(sketch.lines, sketch.points, {200, 200}, {200, 200}).isEmpty());
    // Exactly 3 pixels straight away still joins; 3 pixels diagonally does not.
    QCOMPARE(EditorStroke::snap(sketch.points, a + QPoint(3, 0)), a);
    QCOMPARE(EditorStroke::snap(sketch.points, a + QPoint(3, 3)), std::nullopt);
}

// A long session of random strokes on a small field, so that ends often
// join points and erasing cascades: undoing everything walks back through
// every earlier state, and redoing walks forward again.
void TestEditorStroke::longSessionsUndoAndRedoExactly()
{
    QRandomGenerator random(20240611);
    auto somewhere = [&random] {
        return QPoint(random.bounded(40), random.bounded(40));
    };
    Sketch sketch;
    QList<Sketch> states{sketch};
    QList<EditorStroke> strokes;
    while (strokes.size() < 300) {
        EditorStroke stroke;
        if (random.bounded(3) == 0 && !sketch.points.isEmpty()) {
            const QPoint p = sketch.points[random.bounded(int(sketch.points.size()))];
            stroke = EditorStroke::erase(sketch.lines, sketch.points, p, p + QPoint(1, 0));
        } else {
            stroke = EditorStroke::paint(sketch.points, somewhere(), somewhere());
        }
        if (stroke.isEmpty())
            continue;
        stroke.apply(sketch.lines, sketch.points);
        strokes << stroke;
        states << sketch;
    }
    QVERIFY(std::any_of(strokes.begin(), strokes.end(),
                        [](const EditorStroke& s) { return s.removedLineCount() > 1; }));

    for (qsizetype i = strokes.size() - 1; i >= 0; --i) {
        strokes[i].revert(sketch.lines, sketch.points);
        QCOMPARE(contents(sketch), contents(states[i]));
    }
    for (qsizetype i = 0; i < strokes.size(); ++i) {
        strokes[i].apply(sketch.lines, sketch.points);
        QCOMPARE(contents(sketch), contents(states[i + 1]));
    }
}

QTEST_GUILESS_MAIN(TestEditorStroke)
#include "tst_editorstroke.moc"
