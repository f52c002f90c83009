#include "editorstroke.h"
#include "mapmodel.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(MapGesture::Kind)

using Points = QList<QPoint>;

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

// Alpha - Beta - Gamma in a row, and Delta apart without an owner.
// Seat 0 owns Alpha and Beta, seat 1 Gamma.
void loadFour(MapModel& model, int id = 7)
{
    model.beginLoading(id, QStringLiteral("Test"));
    model.addContinent(1, QStringLiteral("Land"), 5);
    model.addCountry(1, QStringLiteral("Alpha"), 1, 6, 14, 2, 2, 16, 26);
    model.addCountry(2, QStringLiteral("Beta"), 1, 26, 14, 21, 2, 17, 26);
    model.addCountry(3, QStringLiteral("Gamma"), 1, 46, 14, 41, 2, 17, 26);
    model.addCountry(4, QStringLiteral("Delta"), 1, 66, 14, 61, 2, 17, 26);
    model.addNeighbour(1, 2);
    model.addNeighbour(2, 3);
    model.endLoading();
    model.setCountry(1, 0, 3);
    model.setCountry(2, 0, 3);
    model.setCountry(3, 1, 3);
}

// A click in a mode for a seat, with Beta's armies and the country selected
// before; the gesture it makes and the country selected after.
struct Click
{
    const char* name;
    MapMode mode;
    int seat, betaArmies, selected, clicked;
    bool right;
    MapGesture::Kind kind;
    int target, dice, selectedAfter;
};

} // namespace

Q_DECLARE_METATYPE(Click)

// The map model without a board: loading and storing, what a click means in
// each mode for the local seat, the editor's strokes, the army target's
// status line and the signals a board repaints from.
class TestMapModel : public QObject
{
    Q_OBJECT

private slots:
    void loadingAndReset();
    void storedMapRoundTrips();

    void click_data();
    void click();
    void clicksThatChangeTheModel();
    void editorPressesOnlyOnEditedMaps();
    void strokesKeepPlaces();

    void placeStatus();
    void changesAreSignalled();
};

void TestMapModel::loadingAndReset()
{
    MapModel model;
    loadFour(model);
    QCOMPARE(int(model.countries().size()), 4);
    QCOMPARE(model.country(2)->neighbours(), QList<int>({1, 3}));
    // A country needs a known continent and a number the index can hold.
    model.addCountry(5, QStringLiteral("Nowhere"), 9);
    model.addCountry(0, QStringLiteral("Zero"), 1);
    model.addCountry(-2, QStringLiteral("Halo"), 1, 0, 0, 0, 0, 9, 9);
    QCOMPARE(int(model.countries().size()), 4);
    // An existing country stays as it is.
    model.addCountry(1, QStringLiteral("Again"), 1);
    QCOMPARE(model.country(1)->name, QStringLiteral("Alpha"));
    // Neighbours with an unknown country are dropped.
    model.addNeighbour(1, 42);
    QCOMPARE(model.country(1)->neighbours(), QList<int>({2}));

    // The map already shown is not loaded twice.
    model.setMode(MapMode::Attack);
    QVERIFY(!model.beginLoading(7, QStringLiteral("Test")));
    QVERIFY(!model.isLoading());
    QCOMPARE(model.country(1)->armies, 3);
    QCOMPARE(model.mode(), MapMode::Attack);

    model.setHighlighted(2);
    model.setArmyTarget(12);
    model.setLocalSeat(1);
    model.setDoOrDie(true);
    model.pick(MapMode::PickArea, 3);
    model.addLine(1, 2, 3, 4);
    QVERIFY(model.beginLoading(8, QStringLiteral("Other")));
    QVERIFY(model.isLoading());
    QVERIFY(model.countries().empty() && model.continents().empty() && model.lines().empty());
    QCOMPARE(model.mode(), MapMode::Idle);
    QCOMPARE(QList<int>({model.highlighted(), model.picked(), model.armyTarget()}),
             QList<int>({-1, -1, 0}));
    // The seat and the flag belong to the game, not to the map.
    QCOMPARE(model.localSeat(), 1);
    QVERIFY(model.doOrDie());

    // 0 means no map, so it never matches the map shown.
    model.reset();
    QVERIFY(model.beginLoading(0, QStringLiteral("Drawn")));
}

void TestMapModel::storedMapRoundTrips()
{
    MapData map;
    map.id = 3;
    map.name = QStringLiteral("Isles");
    map.picture = QStringLiteral("europe");
    map.continents = {{1, QStringLiteral("North"), 2}, {4, QStringLiteral("South"), 7}};
    map.countries = {{2, QStringLiteral("Fen"), 1, 10, 20, 5, 6, 30, 40},
                     {5, QStringLiteral("Moor"), 4, 60, 70, 50, 55, 12, 13},
                     {9, QStringLiteral("Tor"), 4, 80, 90, 75, 76, 8, 9}};
    map.neighbours = {{2, 5}, {5, 9}};
    map.lines = {{1, 2, 30, 40}, {7, 3, 2, 9}};

    MapModel model;
    QVERIFY(model.beginLoading(map.id, map.name));
    model.addMap(map);
    model.endLoading();
    QCOMPARE(model.country(5)->owner, -1);

    // Each pair goes out from both sides, grouped by country; lines are kept
    // normalised, the end with the smaller y first.
    MapData expected = map;
    expected.name = QStringLiteral("Copy");
    expected.neighbours = {{2, 5}, {5, 2}, {5, 9}, {9, 5}};
    QCOMPARE(model.toMapData(QStringLiteral("europe"), QStringLiteral("Copy")).toJson(),
             expected.toJson());
    model.addLine(30, 40, 1, 2);
    QCOMPARE(model.toMapData({}, {}).lines.last(), (std::array<int, 4>{1, 2, 30, 40}));
}

void TestMapModel::click_data()
{
    using G = MapGesture;
    const MapMode PI = MapMode::PlaceInitial;
    const MapMode P = MapMode::Place;
    const MapMode C = MapMode::PickCapital;
    const MapMode A = MapMode::Attack;
    const MapMode M = MapMode::Move;
    const Click rows[] = {
        {"initial placing on 3", PI, 0, 3, 0, 2, false, G::PlaceArmies, -1, 0, 0},
        {"initial placing stops at 4", PI, 0, 4, 0, 2, false, G::None, -1, 0, 0},
        {"placing has no limit, right button", P, 0, 9, 0, 2, true, G::PlaceArmies, -1, 0, 0},
        {"placing on an enemy", P, 0, 3, 0, 3, false, G::None, -1, 0, 0},
        {"a watcher owns no country without an owner", P, -1, 3, 0, 4, false, G::None, -1, 0, 0},
        {"an unknown country", P, 0, 3, 0, 42, false, G::None, -1, 0, 0},
        {"a click while idle", MapMode::Idle, 0, 3, 0, 2, false, G::None, -1, 0, 0},
        {"capital on an own country", C, 0, 3, 0, 2, false, G::PickCapital, -1, 0, 0},
        {"capital on an enemy", C, 0, 3, 0, 3, false, G::None, -1, 0, 0},
        {"1 army cannot attack", A, 0, 1, 0, 2, false, G::None, -1, 0, 0},
        {"2 armies are selected", A, 0, 2, 0, 2, false, G::None, -1, 0, 2},
        {"an enemy cannot be selected", A, 1, 3, 0, 2, false, G::None, -1, 0, 0},
        {"2 armies throw 1 die", A, 0, 2, 2, 3, false, G::Attack, 3, 1, 0},
        {"4 armies throw 3 dice", A, 0, 4, 2, 3, false, G::Attack, 3, 3, 0},
        {"attacking an own country keeps the selection", A, 0, 3, 2, 1, false, G::None, -1, 0, 2},
        {"attacking a country that is no neighbour", A, 0, 3, 1, 3, false, G::None, -1, 0, 1},
        {"the selected country again unselects it", A, 0, 3, 2, 2, false, G::None, -1, 0, 0},
        {"moving to an own neighbour", M, 0, 3, 2, 1, false, G::Move, 1, 0, 0},
        {"moving to an enemy keeps the selection", M, 0, 3, 2, 3, false, G::None, -1, 0, 2},
    };
    QTest::addColumn<Click>("row");
    for (const Click& row : rows)
        QTest::newRow(row.name) << row;
}

void TestMapModel::click()
{
    QFETCH(Click, row);
    MapModel model;
    loadFour(model);
    model.setCountry(2, 0, row.betaArmies);
    model.setLocalSeat(row.seat);
    model.setMode(row.mode);
    model.setDoOrDie(true);
    model.highlightCountry(row.selected);

    const MapGesture g = model.click(row.clicked, row.right);
    QCOMPARE(g.kind, row.kind);
    if (row.kind == MapGesture::None) {
        QCOMPARE(g, MapGesture());
    } else {
        // The source of a move or an attack is the selected country.
        QCOMPARE(g.country, row.selected ? row.selected : row.clicked);
        QCOMPARE(g.target, row.target);
        QCOMPARE(g.dice, row.dice);
        QCOMPARE(g.rightButton, row.right);
        QCOMPARE(g.doOrDie, row.kind == MapGesture::Attack);
    }
    QCOMPARE(model.selectedCountry() ? model.selectedCountry()->number : 0, row.selectedAfter);
    QCOMPARE(model.highlighted(), row.kind == MapGesture::PickCapital ? row.clicked : -1);
}

void TestMapModel::clicksThatChangeTheModel()
{
    MapModel model;
    loadFour(model, 0);
    model.pick(MapMode::PickNeighbours, 1);
    QCOMPARE(model.mode(), MapMode::PickNeighbours);

    QCOMPARE(model.click(3, false), (MapGesture{MapGesture::AddNeighbour, 3, 1}));
    QVERIFY(model.country(1)->isNeighbour(3) && model.country(3)->isNeighbour(1));
    QCOMPARE(model.click(2, false), (MapGesture{MapGesture::RemoveNeighbour, 2, 1}));
    QVERIFY(!model.country(1)->isNeighbour(2) && !model.country(2)->isNeighbour(1));
    QVERIFY(model.country(2)->isNeighbour(3));
    // The picked country is no neighbour of itself, and an unknown pick
    // links nothing.
    QCOMPARE(model.click(1, false).kind, MapGesture::None);
    QVERIFY(!model.country(1)->isNeighbour(1));
    model.pick(MapMode::PickNeighbours, 42);
    QCOMPARE(model.click(4, false).kind, MapGesture::None);
    QVERIFY(model.country(4)->neighbours().isEmpty());

    // The flag is the one set at the time of the attack, not of the
    // selection.
    model.setLocalSeat(0);
    model.setMode(MapMode::Attack);
    model.click(2, false);
    model.setDoOrDie(true);
    QVERIFY(model.click(3, false).doOrDie);

    // A new capital repaints the old one's label as well.
    model.setMode(MapMode::PickCapital);
    QSignalSpy labels(&model, &MapModel::labelChanged);
    model.click(1, false);
    model.click(2, false);
    QCOMPARE(model.highlighted(), 2);
    QCOMPARE(labels.count(), 3);
    QCOMPARE(labels.at(1).at(0).toInt(), 1);
}

void TestMapModel::editorPressesOnlyOnEditedMaps()
{
    for (const auto& [mode, editing] :
         {std::pair(MapMode::PaintBorders, true), std::pair(MapMode::PickNeighbours, true),
          std::pair(MapMode::Preview, false)}) {
        MapModel model;
        model.setMode(mode);
        QCOMPARE(model.isEditing(), editing);
        QVERIFY(model.acceptsPresses());
        loadFour(model, 7);
        model.setMode(mode);
        QCOMPARE(model.acceptsPresses(), !editing);
    }
}

// Strokes as records of what a drag did to the lines and points: applying
// and reverting them gives back exactly the lists before and after.
void TestMapModel::strokesKeepPlaces()
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

void TestMapModel::placeStatus()
{
    // Seat 0 owns 6 armies. The mode, the local seat and the army target, and
    // the armies the status asks for (0: no status).
    const std::tuple<MapMode, int, int, int> rows[] = {
        {MapMode::Place, 0, 9, 3},  {MapMode::PlaceInitial, 0, 7, 1}, {MapMode::Place, 0, 6, 0},
        {MapMode::Place, 0, -1, 0}, {MapMode::Attack, 0, 20, 0},      {MapMode::Place, -1, 2, 2}};
    MapModel model;
    loadFour(model);
    for (const auto& [mode, seat, target, armies] : rows) {
        model.setMode(mode);
        model.setLocalSeat(seat);
        model.setArmyTarget(target);
        QCOMPARE(model.placeStatus(),
                 armies ? QStringLiteral("You should place %1 armies").arg(armies) : QString());
    }
}

void TestMapModel::changesAreSignalled()
{
    MapModel model;
    loadFour(model);
    QSignalSpy changed(&model, &MapModel::countryChanged);
    QSignalSpy changing(&model, &MapModel::labelChanging);
    QVERIFY(!model.setCountry(1, 0, 3));
    QVERIFY(!model.setCountry(42, 0, 3));
    QVERIFY(changed.isEmpty() && changing.isEmpty());
    QVERIFY(model.setCountry(1, 2, 8));
    QCOMPARE(changed.takeFirst(), QVariantList({1, 0, 3}));
    QCOMPARE(changing.count(), 1);
    // Countries without an owner count for nobody.
    model.setCountry(4, -1, 5);
    QCOMPARE(QList<int>({model.armiesOf(2), model.countriesOf(2), model.armiesOf(0),
                         model.countriesOf(0), model.armiesOf(-1), model.countriesOf(-1)}),
             QList<int>({8, 1, 3, 1, 0, 0}));

    // Highlighting a selected country changes nothing; clearing reaches all.
    QSignalSpy labels(&model, &MapModel::labelChanged);
    QSignalSpy cleared(&model, &MapModel::selectionCleared);
    model.highlightCountry(2);
    model.highlightCountry(2);
    model.highlightCountry(42);
    QCOMPARE(labels.count(), 1);
    model.highlightCountry(3);
    model.clearSelection();
    QCOMPARE(cleared.count(), 1);
    QCOMPARE(model.selectedCountry(), nullptr);

    // The editor's label: only for the picked country, with the sample number.
    model.pick(MapMode::PickTextPosition, 4);
    QVERIFY(!model.placeLabel(3, QPoint(1, 1)));
    QVERIFY(model.placeLabel(4, QPoint(70, 20)));
    QCOMPARE(QPoint(model.country(4)->textX, model.country(4)->textY), QPoint(70, 20));
    QCOMPARE(model.country(4)->armies, MapModel::SampleArmies);
    model.placeLabelIfUnset(4, QPoint(9, 9));
    QCOMPARE(model.country(4)->textX, 70);
}

QTEST_GUILESS_MAIN(TestMapModel)
#include "tst_mapmodel.moc"
