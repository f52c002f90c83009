#include "../map/testpicture.h"
#include "editorstroke.h"
#include "mapdocument.h"
#include "mappicture.h"
#include "message.h"
#include "sender.h"
#include "tint.h"

#include <QSignalSpy>
#include <QTest>

// The editor's map without a screen: the strokes and their history, the
// wizard's steps on the picture, and the requests that store a map.
class TestMapDocument : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void strokesUndoAndRedo();
    void historyBelongsToOneDrawingStep();
    void previewBurnsTheLines();
    void areasLabelsAndNeighbours();
    void storedRequestsStayTheSame();

private:
    using Drawing = std::pair<QList<QLine>, QList<QPoint>>;
    Drawing drawing() const
    {
        QList<QLine> lines;
        for (const MapLine& l : m_model->lines())
            lines << QLine(l.p1(), l.p2());
        return {lines, m_model->points()};
    }
    // The pixel as the board shows it, and bare or tinted.
    QRgb shown(QPoint p) const { return m_picture->coloured().pixel(p); }
    QRgb bare(QPoint p, QColor tint = {}) const
    {
        const QRgb pixel = m_picture->picture().pixel(p);
        return tint.isValid() ? Tint(tint).apply(pixel) : pixel;
    }
    // Two borders cut the test picture's land into three countries' worth,
    // the third cut again into two regions; the borders are burnt in.
    void drawBorders();
    // A continent and the three countries, Gamma from both its regions.
    void makeCountries();

    std::unique_ptr<MapModel> m_model;
    std::unique_ptr<MapPicture> m_picture;
    std::unique_ptr<MapDocument> m_document;
};

void TestMapDocument::init()
{
    m_model = std::make_unique<MapModel>();
    m_picture = std::make_unique<MapPicture>(QStringLiteral("world"), TestPicture::image());
    m_document = std::make_unique<MapDocument>(*m_model);
    m_document->setPicture(m_picture.get());
}

void TestMapDocument::cleanup()
{
    m_document.reset();
    m_picture.reset();
    m_model.reset();
}

void TestMapDocument::drawBorders()
{
    m_model->setMode(MapMode::PaintBorders);
    m_document->paintBorder({19, 0}, {19, 29});
    m_document->paintBorder({39, 0}, {39, 29});
    m_document->paintBorder({39, 15}, {59, 15});
    m_document->paintBorder({5, 5}, {12, 9});
    m_model->setMode(MapMode::EraseBorders);
    m_document->eraseBorder({12, 9}, {12, 9});
    m_document->preview();
    m_document->previewContinue();
}

void TestMapDocument::makeCountries()
{
    m_model->addContinent(0, QStringLiteral("North"), 3);
    m_model->addContinent(1, QStringLiteral("South"), 7);
    const std::tuple<const char*, int, QList<QPoint>, QPoint> countries[] = {
        {"Alpha", 0, {{8, 10}}, {6, 14}},
        {"Beta", 1, {{28, 10}}, {}},
        {"Gamma", 1, {{48, 10}, {48, 22}}, {}},
    };
    int number = 0;
    for (const auto& [name, continent, clicks, label] : countries) {
        m_model->addCountry(++number, QString::fromLatin1(name), continent);
        m_document->pickArea(number);
        for (QPoint p : clicks)
            m_document->claimArea(p);
        m_document->pickTextPosition(number);
        if (!label.isNull())
            m_document->placeLabel(label);
        m_document->stopPicking();
    }
}

// Each stroke taken back leaves the lines and points exactly as they were
// before it, in their order, and made again as they were after it; a
// gesture that changes nothing is no stroke.
void TestMapDocument::strokesUndoAndRedo()
{
    QUndoStack* history = m_document->history();
    QSignalSpy drawn(m_document.get(), &MapDocument::drawingChanged);
    QList<Drawing> states{drawing()};
    auto stroke = [&](bool paint, QPoint press, QPoint release) {
        const bool changed = paint ? m_document->paintBorder(press, release)
                                   : m_document->eraseBorder(press, release);
        QVERIFY(changed);
        states << drawing();
    };
    // A chain a-b-c with a spur b-d, which a line d-e joins from 2 pixels
    // away; then b erased, which takes its three lines and a and c, which no
    // other line holds, while d keeps its line to e.
    stroke(true, {10, 10}, {30, 10});
    stroke(true, {30, 10}, {50, 10});
    stroke(true, {30, 10}, {30, 30});
    stroke(true, {32, 28}, {50, 28});
    stroke(false, {31, 11}, {30, 10});
    QCOMPARE(states.last(), Drawing({QLine(50, 28, 30, 30)}, {{30, 30}, {50, 28}}));
    QVERIFY(!m_document->paintBorder({30, 30}, {31, 31}));
    QVERIFY(!m_document->eraseBorder({30, 30}, {50, 28}));
    QVERIFY(!m_document->eraseBorder({5, 25}, {5, 25}));
    QCOMPARE(history->count(), 5);
    // Exactly 3 pixels straight away still joins; 3 pixels diagonally does not.
    QCOMPARE(EditorStroke::snap(m_model->points(), {33, 30}), QPoint(30, 30));
    QCOMPARE(EditorStroke::snap(m_model->points(), {33, 33}), std::nullopt);

    drawn.clear();
    for (qsizetype i = states.size() - 2; i >= 0; --i) {
        history->undo();
        QCOMPARE(drawing(), states[i]);
    }
    // The board repaints where the strokes went, the erased spur too.
    QVERIFY(std::any_of(drawn.cbegin(), drawn.cend(), [](const QList<QVariant>& args) {
        return args[0].toRect().contains(QRect(30, 10, 1, 20));
    }));
    for (qsizetype i = 1; i < states.size(); ++i) {
        history->redo();
        QCOMPARE(drawing(), states[i]);
    }
}

// The strokes can be taken back while their lines are drawn (through the
// preview and back: the preview's case), but not once the points are dropped,
// nor on another picture.
void TestMapDocument::historyBelongsToOneDrawingStep()
{
    QUndoStack* history = m_document->history();
    m_document->paintBorder({10, 10}, {30, 10});
    m_document->removePoints();
    QCOMPARE(history->count(), 0);
    QCOMPARE(m_model->lines().size(), size_t(1));

    m_document->paintBorder({10, 20}, {30, 20});
    MapPicture other(QStringLiteral("europe"), TestPicture::image());
    m_document->setPicture(&other);
    QCOMPARE(history->count(), 0);
}

// The preview burns the lines into the index; restoring takes them out and
// leaves the lines to draw on, their strokes still to undo; going on keeps the
// borders and drops the lines and their history.
void TestMapDocument::previewBurnsTheLines()
{
    QSignalSpy pictures(m_document.get(), &MapDocument::pictureChanged);
    m_document->paintBorder({30, 0}, {30, 29});
    m_document->preview();
    QCOMPARE(m_model->mode(), MapMode::Preview);
    QCOMPARE(m_picture->indexAt({30, 10}), -1);
    QCOMPARE(m_picture->indexAt({31, 10}), -2);
    m_document->previewRestore();
    QCOMPARE(m_model->mode(), MapMode::PaintBorders);
    QCOMPARE(m_picture->indexAt({30, 10}), 0);
    QCOMPARE(m_model->lines().size(), size_t(1));
    QCOMPARE(m_document->history()->count(), 1);
    m_document->preview();
    m_document->previewContinue();
    QCOMPARE(m_document->history()->count(), 0);
    QCOMPARE(m_model->mode(), MapMode::Idle);
    QVERIFY(m_model->lines().empty() && m_model->points().isEmpty());
    QCOMPARE(m_picture->indexAt({30, 10}), -1);
    // Each step changes the whole picture.
    QCOMPARE(pictures.count(), 3);
    QVERIFY(pictures.at(0).at(0).toRect().isNull());
}

// What the requests cannot show: claimed land is red, a label goes only
// where its country lies, the sample number leaves with a word to the board,
// and the neighbours show as they are picked.
void TestMapDocument::areasLabelsAndNeighbours()
{
    drawBorders();
    m_model->addContinent(0, QStringLiteral("North"), 3);
    m_model->addCountry(1, QStringLiteral("Alpha"), 0);
    m_document->pickArea(1);
    m_document->claimArea({8, 10});
    QCOMPARE(shown({8, 10}), bare({8, 10}, QColor(255, 0, 0)));
    QCOMPARE(m_model->country(1)->armies, MapModel::SampleArmies);
    m_document->pickTextPosition(1);
    QVERIFY(!m_document->placeLabel({28, 10}));
    QSignalSpy labels(m_model.get(), &MapModel::labelChanged);
    m_document->stopPicking();
    QCOMPARE(QList<QVariantList>(labels), QList<QVariantList>({{1}}));
    QCOMPARE(m_model->country(1)->armies, 0);
    QCOMPARE(shown({8, 10}), bare({8, 10}, Qt::yellow));

    m_model->addCountry(2, QStringLiteral("Beta"), 0);
    m_model->addCountry(3, QStringLiteral("Gamma"), 0);
    for (const auto& [number, at] : {std::pair{2, QPoint(28, 10)}, {3, QPoint(48, 10)}}) {
        m_document->pickArea(number);
        m_document->claimArea(at);
    }
    m_model->addNeighbour(2, 3);
    m_document->pickNeighbours(3);
    QCOMPARE(QList<QRgb>({shown({8, 10}), shown({28, 10}), shown({48, 10})}),
             QList<QRgb>({bare({8, 10}), bare({28, 10}, Qt::white), bare({48, 10}, Qt::yellow)}));
    QCOMPARE(m_document->toggleNeighbour(1).kind, MapGesture::AddNeighbour);
    QCOMPARE(m_document->toggleNeighbour(2).kind, MapGesture::RemoveNeighbour);
    QCOMPARE(QList<QRgb>({shown({8, 10}), shown({28, 10})}),
             QList<QRgb>({bare({8, 10}, Qt::white), bare({28, 10})}));
}

// The requests for a map drawn on the test picture, byte for byte as the
// board has always sent them: the index, the continents, each country with
// its neighbours, the sea line and the slot.
void TestMapDocument::storedRequestsStayTheSame()
{
    drawBorders();
    makeCountries();
    m_model->setMode(MapMode::PaintBorders);
    m_document->paintBorder({8, 20}, {48, 22});
    m_document->removePoints();
    m_document->pickNeighbours(1);
    m_document->toggleNeighbour(2);
    m_document->pickNeighbours(2);
    m_document->toggleNeighbour(3);
    m_document->pickNeighbours(3);
    m_document->toggleNeighbour(1);
    m_document->toggleNeighbour(2);
    m_document->toggleNeighbour(2);

    Sender sender;
    QByteArrayList sent;
    connect(&sender, &Sender::send, this, [&sent](Message* m) { sent << m->data().toHex(); });
    connect(m_document.get(), &MapDocument::startMap, &sender, &Sender::startMap);
    connect(m_document.get(), &MapDocument::continentMap, &sender, &Sender::continentMap);
    connect(m_document.get(), &MapDocument::countryMap, &sender, &Sender::countryMap);
    connect(m_document.get(), &MapDocument::neighbourMap, &sender, &Sender::neighbourMap);
    connect(m_document.get(), &MapDocument::lineMap, &sender, &Sender::lineMap);
    connect(m_document.get(), &MapDocument::endMap, &sender, &Sender::endMap);
    m_document->store(2, QStringLiteral("Mine"));

    const QByteArrayList expected = {
        // start world Mine, with the index
        "0000000400000000330100000006776f726c640001000000054d696e650002000000661f8b080000"
        "0000000003edd3310a80301004c08bfeffcb8929ac6c2f82f166618b340bc39131a44222a2653a27"
        "fa3dd5e7fbc8f6b17766cbcbcbcbcbcbcbcbcbcb5bc5bba8bb785fc987bdd5ee5beefff2f2f2f2f2"
        "f2f2f2eee8957fe6022d76dea2201c0000",
        // continent 0 North 3
        "000000040000000034000000000001000000064e6f727468000000000003",
        // continent 1 South 7
        "00000004000000003400000000010100000006536f757468000000000007",
        // country 1 Alpha
        "0000000a000000003500000000010100000006416c7068610000000000000000000006000000000e0000000002"
        "00000000020000000010000000001a",
        // neighbour 1 2
        "00000003000000003600000000010000000002",
        // neighbour 1 3
        "00000003000000003600000000010000000003",
        // country 2 Beta
        "0000000a00000000350000000002010000000542657461000000000001000000001c000000000a000000001500"
        "000000020000000011000000001a",
        // neighbour 2 1
        "00000003000000003600000000020000000001",
        // neighbour 2 3
        "00000003000000003600000000020000000003",
        // country 3 Gamma
        "0000000a00000000350000000003010000000647616d6d610000000000010000000030000000000a0000000029"
        "00000000020000000011000000001a",
        // neighbour 3 1
        "00000003000000003600000000030000000001",
        // neighbour 3 2
        "00000003000000003600000000030000000002",
        // line 8 20 48 22
        "0000000500000000370000000008000000001400000000300000000016",
        // end 2
        "0000000200000000380000000002",
    };
    QCOMPARE(sent, expected);
}

QTEST_GUILESS_MAIN(TestMapDocument)
#include "tst_mapdocument.moc"
