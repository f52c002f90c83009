#include "bannerview.h"
#include "country.h"
#include "favouritesdialog.h"
#include "indexcodec.h"
#include "map.h"
#include "mapdata.h"
#include "mapdocument.h"
#include "mapline.h"
#include "mappicture.h"
#include "marquee.h"
#include "playerlist.h"
#include "testpicture.h"
#include "tint.h"

#include <QPolygon>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

// The pixel algorithms of a base picture: line rasterisation, tinting, the
// flood fill, burning borders, the gzip index coming in and the detail. The
// board on a small synthetic picture: the map transfer, storing, clicks and
// drags given as real mouse events, and what it shows beside the map; then
// the shipped world at several sizes.
class TestMap : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rasterize_data();
    void rasterize();
    void tint_data();
    void tint();
    void bordersShowOnlyOnLand();
    void fillStaysWithinBorders();
    void fillRefusesTakenPixels_data();
    void fillRefusesTakenPixels();
    void missingPicture();
    void setIndexPartialInput_data();
    void setIndexPartialInput();
    void detailFollowsTheIndex();

    void loading();
    void gesturesBecomeSignals();
    void editorGesturesChangeTheDocument();
    void worldBoardAtEverySize();
    void picturesAreReadWhenShown();
    void setCountryKeepsPiesAndStatus();
    void movePreviewLeavesTheModel();
    void oneTableOfSeatColours();
    void dice();
    void capitalMarkerWearsItsOwner();
    void favouritesDialog();

private:
    QPoint at(QPoint picturePoint) const { return m_map->fromPicture(picturePoint); }
    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(m_map, button, {}, at(p));
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(m_map, Qt::LeftButton, {}, at(from));
        QTest::mouseRelease(m_map, Qt::LeftButton, {}, at(to));
    }
    // A picture pixel as the board shows it, and bare or tinted.
    QRgb shown(QPoint p) const { return m_map->picture().coloured().pixel(p); }
    QRgb bare(QPoint p, QColor tint = {}) const
    {
        const QRgb pixel = m_map->picture().picture().pixel(p);
        return tint.isValid() ? Tint(tint).apply(pixel) : pixel;
    }
    // The one selected country, or 0.
    int selected() const
    {
        int n = 0;
        for (const auto& [number, country] : m_map->countries())
            n = country.selected ? (n ? -1 : number) : n;
        return n;
    }

    Map* m_map = nullptr;
};

// Inside country 1, 2 and 3 of the test picture, and one sea pixel.
constexpr QPoint InOne{8, 10};
constexpr QPoint InTwo{28, 10};
constexpr QPoint InThree{48, 10};
constexpr QPoint AtSea{0, 0};

void TestMap::init()
{
    m_map = new Map;
    m_map->setPictures({{QStringLiteral("world"), TestPicture::image()}});
    m_map->resize(Map::MinimumSize);
    m_map->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_map));
    // The three countries as a server sends them.
    const QByteArray block = TestPicture::compressedIndex();
    m_map->beginLoading(7, QStringLiteral("Test"), QStringLiteral("world"), block.constData(),
                        int(block.size()));
    m_map->addContinent(1, QStringLiteral("Land"), 5);
    m_map->addCountry(1, QStringLiteral("Alpha"), 1, 6, 14, 2, 2, 16, 26);
    m_map->addCountry(2, QStringLiteral("Beta"), 1, 26, 14, 21, 2, 17, 26);
    m_map->addCountry(3, QStringLiteral("Gamma"), 1, 46, 14, 41, 2, 17, 26);
    m_map->addNeighbour(1, 2);
    m_map->addNeighbour(2, 3);
    m_map->model().endLoading();
    m_map->model().setLocalSeat(0);
    for (int n = 1; n <= 3; ++n)
        m_map->setCountry(n, n / 3, 3);
}

void TestMap::cleanup()
{
    delete m_map;
    m_map = nullptr;
}

// Whether a map id is new is the model's rule; the board keeps the map shown
// when it comes again, and brings the world for an unknown picture.
void TestMap::loading()
{
    m_map->beginLoading(7, QStringLiteral("Test"), QStringLiteral("world"), nullptr, 0);
    QCOMPARE(m_map->picture().indexAt(InTwo), 2);
    m_map->reset(QStringLiteral("atlantis"));
    QCOMPARE(m_map->picture().name(), QStringLiteral("world"));
    QVERIFY(m_map->countries().empty());
}

// What a click on a country does is the model's rule; the board makes a
// click of a press and a release on the same country only, and sends what
// the model decides.
void TestMap::gesturesBecomeSignals()
{
    QSignalSpy place(m_map, &Map::placeArmies);
    QSignalSpy attack(m_map, &Map::attack);
    m_map->setMode(MapMode::Place);
    drag(InOne, InTwo);
    drag(InOne, AtSea);
    drag(AtSea, InOne);
    QVERIFY(place.isEmpty());
    drag(InOne, InOne + QPoint(3, 4));
    click(InOne, Qt::RightButton);
    QCOMPARE(QList<QVariantList>(place), QList<QVariantList>({{1, false}, {1, true}}));

    m_map->setMode(MapMode::Attack);
    m_map->model().setDoOrDie(true);
    click(InTwo);
    QCOMPARE(selected(), 2);
    click(InThree);
    QCOMPARE(QList<QVariantList>(attack), QList<QVariantList>({{2, 3, 2, true}}));
    QCOMPARE(selected(), 0);
    // Editing modes the editor left behind draw nothing on a game's map.
    m_map->setMode(MapMode::PaintBorders);
    drag(InOne, InThree);
    QVERIFY(m_map->lines().empty() && m_map->points().isEmpty());
}

// The editor's gestures on the board become changes of its document, and
// the board shows them as they are made and taken back.
void TestMap::editorGesturesChangeTheDocument()
{
    MapDocument document(m_map->model());
    m_map->setDocument(&document);
    m_map->reset(QStringLiteral("world"));
    const QImage empty = m_map->grab().toImage();
    m_map->setMode(MapMode::PaintBorders);
    drag({30, 0}, {30, 29});
    QCOMPARE(int(m_map->lines().size()), 1);
    QVERIFY(m_map->grab().toImage() != empty);
    document.history()->undo();
    QVERIFY(m_map->lines().empty());
    QCOMPARE(m_map->grab().toImage(), empty);

    m_map->addContinent(0, QStringLiteral("Land"), 5);
    m_map->addCountry(1, QStringLiteral("Alpha"), 0);
    m_map->pickArea(1);
    // Without borders the whole land is one region.
    click(InOne);
    QCOMPARE(m_map->picture().indexAt(InThree), 1);
    m_map->pickTextPosition(1);
    QTest::mousePress(m_map, Qt::LeftButton, {}, at(InTwo));
    QCOMPARE(QPoint(m_map->country(1)->textX, m_map->country(1)->textY), InTwo);
    QTest::mouseRelease(m_map, Qt::LeftButton, {}, at(InTwo));
    m_map->setDocument(nullptr);
}

// A new board reads no picture, shown or not: it is the sea with its hint.
// A map reads its own picture, the three times larger one only while the
// board is larger than the picture; the empty board gives up the large one.
void TestMap::picturesAreReadWhenShown()
{
    Map board;
    board.resize(780, 400);
    board.setEmptyHint(QStringLiteral("Join a game"));
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QVERIFY(board.isBlank());
    QCOMPARE(board.pictureNames().size(), 5);
    QVERIFY(board.loadedPictures().isEmpty());
    const QImage empty = board.grab().toImage();
    // The hint is drawn in white, above the marquee's place in the middle.
    const auto whiteIn = [&empty](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < empty.width(); ++x) {
                if (empty.pixel(x, y) == qRgb(255, 255, 255))
                    return true;
            }
        }
        return false;
    };
    QVERIFY(whiteIn(0, empty.height() / 2 - 60));
    QVERIFY(!whiteIn(empty.height() / 2 - 50, empty.height()));

    // At most the picture's size in device pixels, at any scale factor.
    const qreal ratio = board.devicePixelRatioF();
    board.resize(int(780 / ratio), int(400 / ratio));
    board.reset(QStringLiteral("europe"));
    QCOMPARE(board.loadedPictures(), QStringList{QStringLiteral("europe")});
    QVERIFY(!board.isBlank());
    QCOMPARE(board.picture().size(), QSize(780, 400));
    board.grab();
    QCOMPARE(board.picture().detailScale(), 1);
    board.resize(1560, 800);
    board.grab();
    QCOMPARE(board.picture().detailScale(), 3);

    board.showEmpty();
    QVERIFY(board.isBlank());
    QCOMPARE(board.picture(QStringLiteral("europe"))->detailScale(), 1);
    board.reset(QStringLiteral("no such picture"));
    QCOMPARE(board.picture().name(), QStringLiteral("world"));
    QCOMPARE(board.loadedPictures(),
             (QStringList{QStringLiteral("world"), QStringLiteral("europe")}));
}

// The shipped world on the pictures it loads, at the size its window gives it:
// clicks land on the country of the index under them and the marquee covers
// the same picture pixels.
void TestMap::worldBoardAtEverySize()
{
    const auto world = MapData::readFolder(QStringLiteral("maps/1-world"), nullptr);
    QVERIFY(world);
    Map board;
    board.loadMap(*world);
    QCOMPARE(board.picture().size(), QSize(780, 400));
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));

    // On row 200 of the index: both edges of Maghreb and Sahel's (21) last
    // column, the border between halos, Nile's (22) first column, and sea.
    struct Point
    {
        int x;
        qreal within;
        int country;
    };
    const Point points[] = {
        {384, 0.1, 21}, {384, 0.9, 21}, {387, 0.5, 0}, {391, 0.1, 22}, {100, 0.5, 0}};
    struct Size
    {
        QSize size;
        qreal scale;
        QPoint offset;
    };
    for (const auto& [size, scale, offset] : {Size{{390, 300}, 0.5, {0, 50}},
                                              {{1366, 600}, 1.5, {98, 0}},
                                              {{2560, 1440}, 2560 / 780.0, {0, 64}}}) {
        board.resize(size);
        QCOMPARE(board.offset(), offset);
        for (const Point& p : points) {
            const QPoint pixel(p.x, 200);
            const QPointF position =
                QPointF(offset) + (QPointF(pixel) + QPointF(p.within, 0.5)) * scale;
            QCOMPARE(board.toPicture(position), pixel);
            const Country* hit = board.countryAt(position);
            QCOMPARE(hit ? hit->number : 0, p.country);
            if (scale >= 1)
                QCOMPARE(board.toPicture(board.fromPicture(pixel)), pixel);
        }
    }

    // Picture pixels 153-626 by 150-249, with the banner in its top box.
    board.resize(780, 400);
    QCOMPARE(board.marquee()->geometry(), QRect(153, 150, 474, 100));
    board.showMarquee();
    QCOMPARE(board.marquee()->browser()->geometry(), QRect(3, 3, 468, 60));
    board.hideMarquee();
    board.resize(1600, 900);
    QCOMPARE(board.marquee()->geometry(), QRect(313, 347, 974, 206));
}

// The board's side of a country's change: the status line while placing, the
// pies' slices and the tint.
void TestMap::setCountryKeepsPiesAndStatus()
{
    m_map->setMode(MapMode::Place);
    m_map->model().setArmyTarget(9);
    m_map->updatePlaceStatus();
    QCOMPARE(m_map->statusText(), QStringLiteral("You should place 3 armies"));
    m_map->setCountry(1, 0, 5);
    m_map->setCountry(2, 0, 4);
    QCOMPARE(m_map->statusText(), QString());

    const StatisticsPie& armies = m_map->armiesPie();
    const StatisticsPie& countries = m_map->countriesPie();
    m_map->setBackgroundColor(4, QColor(0, 200, 255));
    m_map->setCountry(2, 4, 2);
    QCOMPARE(QList<int>({countries.value(0), countries.value(4), armies.value(0), armies.value(4)}),
             QList<int>({1, 1, 5, 2}));
    QCOMPARE(shown(InTwo), bare(InTwo, QColor(0, 200, 255)));
    m_map->setCountry(2, -1, 0);
    QCOMPARE(countries.total(), 2);
    QCOMPARE(shown(InTwo), bare(InTwo));
}

// The move panel's preview is drawn over the board: the model, its sums and
// the pies keep the real armies, and the model's next count ends it.
void TestMap::movePreviewLeavesTheModel()
{
    const QRect label = m_map->labelRect(*m_map->country(1));
    m_map->previewArmies(1, 1);
    m_map->previewArmies(2, 15);
    m_map->previewArmies(9, 4);
    m_map->grab();
    QCOMPARE(m_map->country(1)->armies, 3);
    QCOMPARE(m_map->model().armiesOf(0), 6);
    QCOMPARE(m_map->armiesPie().value(0), 6);
    QCOMPARE(m_map->shownArmies(*m_map->country(2)), 15);
    QVERIFY(m_map->labelRect(*m_map->country(2)).width() > label.width());

    m_map->setCountry(2, 0, 4);
    QCOMPARE(m_map->shownArmies(*m_map->country(2)), 4);
    // Back to the model's own count is no preview at all.
    m_map->previewArmies(3, 3);
    m_map->endPreview(1);
    QVERIFY(!m_map->hasPreview());
    m_map->previewArmies(3, 2);
    m_map->endPreview();
    QCOMPARE(m_map->shownArmies(*m_map->country(3)), 3);
}

// The board and the player list read one table: a colour set through either
// shows in both, in the tint, the pies and the list's disc.
void TestMap::oneTableOfSeatColours()
{
    MapModel model;
    SeatColors colours;
    SeatTable seats;
    Map board(model, colours);
    PlayerList list(seats, colours);
    list.setSeatColor(2, Qt::red);
    board.setTextColor(2, Qt::white);
    QCOMPARE(board.backgroundColor(2), QColor(Qt::red));
    QCOMPARE(board.armiesPie().color(2), QColor(Qt::red));
    QCOMPARE(colours.text(2), QColor(Qt::white));
    board.setBackgroundColor(3, Qt::green);
    QCOMPARE(list.seatColor(3), QColor(Qt::green));
    QCOMPARE(list.seatColor(6), QColor(Qt::white));
}

// The dice take the seats' colours; a seat outside the table leaves the last
// throw.
void TestMap::dice()
{
    m_map->setBackgroundColor(1, Qt::red);
    m_map->setBackgroundColor(2, Qt::green);
    m_map->dice(1, 6, 0, 7, 2, 5, 1);
    m_map->dice(6, 1, 1, 1, 2, 1, 1);
    QList<int> values;
    for (int i = 0; i < 5; ++i)
        values << m_map->die(i).value();
    QCOMPARE(values, QList<int>({6, 0, 0, 5, 1}));
    QCOMPARE(m_map->die(0).color(), QColor(Qt::red));
    QCOMPARE(m_map->die(4).color(), QColor(Qt::green));
    QCOMPARE(m_map->backgroundColor(6), QColor(Qt::black));
    // A new game or the way out of one clears the throw, and so does a new map.
    m_map->clearDice();
    QCOMPARE(m_map->die(0).value(), 0);
    m_map->dice(1, 6, 0, 7, 2, 5, 1);
    m_map->reset(QStringLiteral("world"));
    QCOMPARE(m_map->die(3).value(), 0);
}

// The own capital's label box is yellow; taken by another seat, it shows
// that seat's colour.
void TestMap::capitalMarkerWearsItsOwner()
{
    m_map->setBackgroundColor(0, Qt::blue);
    m_map->setBackgroundColor(2, Qt::green);
    m_map->model().setHighlighted(1);
    const QRect box = m_map->toWidget(m_map->labelRect(*m_map->country(1)));
    // The pixels of the box in each colour.
    const auto count = [&](const QColor& colour) {
        const QImage shot = m_map->grab(box).toImage();
        int n = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x)
                n += shot.pixelColor(x, y) == colour;
        }
        return n;
    };
    QVERIFY(count(Qt::yellow) > box.width() * box.height() / 3);
    m_map->setCountry(1, 2, 2);
    QCOMPARE(count(Qt::yellow), 0);
    QVERIFY(count(Qt::green) > box.width() * box.height() / 3);
}

// The favourites dialog's slots and the slot its Ok button reports.
void TestMap::favouritesDialog()
{
    // The dialog shows the personal half of the table it is given.
    MapSlots table;
    FavouritesDialog dialog(table);
    table.set(true, 2, {7, QStringLiteral("Old"), QStringLiteral("Ann")});
    table.set(false, 4, {8, QStringLiteral("Popular"), QStringLiteral("Ann")});
    dialog.setSlot(2, QStringLiteral("Archipelago"), QStringLiteral("Ann"));
    QCOMPARE(table.slot(true, 2).mapId, 7);
    dialog.setSlot(5, QStringLiteral("Nowhere"), QStringLiteral("Bob"));
    dialog.setSlot(-1, QStringLiteral("Nowhere"), QStringLiteral("Bob"));
    const auto slotButtons = dialog.findChildren<QRadioButton*>(QStringLiteral("FavouritesSlot"));
    QCOMPARE(slotButtons.size(), 5);
    QCOMPARE(slotButtons.at(2)->text(), QStringLiteral("Archipelago by Ann"));
    QCOMPARE(slotButtons.at(4)->text(), QStringLiteral("Empty slot"));

    dialog.show();
    QSignalSpy stores(&dialog, &FavouritesDialog::store);
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("FavouritesOkButton"));
    // Nothing is stored until a slot is checked.
    QTest::mouseClick(ok, Qt::LeftButton);
    slotButtons.at(1)->click();
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(QList<QVariantList>(stores), QList<QVariantList>({{1}}));
}

using Points = QList<QPoint>;

static MapPicture testPicture()
{
    return MapPicture(QStringLiteral("test"), TestPicture::image());
}

void TestMap::rasterize_data()
{
    QTest::addColumn<QPoint>("a");
    QTest::addColumn<QPoint>("b");
    QTest::addColumn<Points>("pixels");

    QTest::newRow("single point") << QPoint(4, 4) << QPoint(4, 4) << Points({{4, 4}});
    QTest::newRow("horizontal leftwards")
        << QPoint(4, 2) << QPoint(1, 2) << Points({{1, 2}, {2, 2}, {3, 2}, {4, 2}});
    // 2.5 rounds away from zero to 3; the vertical runs fill the steps.
    QTest::newRow("steep") << QPoint(0, 0) << QPoint(2, 5)
                           << Points({{0, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}});
    QTest::newRow("steep falling")
        << QPoint(0, 5) << QPoint(2, 0) << Points({{2, 0}, {1, 1}, {1, 2}, {1, 3}, {0, 4}, {0, 5}});
    QTest::newRow("shallow") << QPoint(0, 0) << QPoint(5, 2)
                             << Points({{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}});
}

void TestMap::rasterize()
{
    QFETCH(QPoint, a);
    QFETCH(QPoint, b);
    QFETCH(Points, pixels);
    const MapLine line(a, b);
    QCOMPARE(line.pixels(), pixels);
    // The ends are kept top-left first, as they are stored and sent.
    QCOMPARE(line.p1(), pixels.first());
    QCOMPARE(line.boundingRect(), QPolygon(pixels).boundingRect());
    QVERIFY(line.hasEndPoint(a) && line.hasEndPoint(b) && !line.hasEndPoint(a + QPoint(1, 7)));
}

void TestMap::tint_data()
{
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QRgb>("original");
    QTest::addColumn<QRgb>("expected");

    QTest::newRow("red on black") << QColor(255, 0, 0) << qRgb(0, 0, 0) << qRgb(100, 0, 0);
    // (50 - 100) * 155 / 255 is -30.39: truncation toward zero gives 70, not 69.
    QTest::newRow("truncates toward zero")
        << QColor(100, 100, 100) << qRgb(50, 50, 50) << qRgb(70, 70, 70);
}

void TestMap::tint()
{
    QFETCH(QColor, fill);
    QFETCH(QRgb, original);
    QFETCH(QRgb, expected);
    QCOMPARE(Tint(fill).apply(original), expected);
    QCOMPARE(qAlpha(Tint(fill).apply(qRgba(1, 2, 3, 0))), 255);
}

// Border (-1) is black and halo (-2) grey, but only where the picture shows land: the
// sea keeps its colour whatever the index says there. Both ways of setting the index.
void TestMap::bordersShowOnlyOnLand()
{
    MapPicture burnt = testPicture();
    burnt.burnLine(MapLine(0, 10, 10, 10));
    MapPicture loaded = testPicture();
    std::vector<qint32> words = TestPicture::index();
    words[0] = -2;
    words[1] = -1;
    const QByteArray block = IndexCodec::deflate(words.data(), int(words.size()));
    loaded.setIndex(block.constData(), int(block.size()));

    // A colour of 0 stands for the bare picture.
    auto check = [](const MapPicture& picture, QPoint p, qint32 index, QRgb colour) {
        QCOMPARE(picture.indexAt(p), index);
        QCOMPARE(picture.coloured().pixel(p), colour ? colour : picture.picture().pixel(p));
    };
    check(burnt, {0, 10}, -1, TestPicture::Sea);
    check(burnt, {5, 10}, -1, MapPicture::Black);
    check(burnt, {5, 9}, -2, MapPicture::Grey);
    check(burnt, {5, 12}, 0, 0);
    check(loaded, {0, 0}, -2, TestPicture::Sea);
    check(loaded, {19, 10}, -1, MapPicture::Black);
    check(loaded, {30, 10}, 2, 0);
    burnt.restore();
    QCOMPARE(burnt.indexAt({5, 10}), 0);
    QCOMPARE(burnt.coloured(), burnt.picture());
}

// A steep diagonal border across the land and a level one from the west coast
// to it cut three regions; one country fills the south-west and the east.
struct Filled
{
    MapPicture picture = testPicture();
    Country country{4, QStringLiteral("two parts"), 0};
    QRect first;
    QRect second;
};

static Filled filled()
{
    Filled f;
    f.picture.burnLine(MapLine(20, 0, 31, TestPicture::Height - 1));
    f.picture.burnLine(MapLine(0, 10, 25, 10));
    f.first = f.picture.fillArea(f.country, {5, 20});
    f.second = f.picture.fillArea(f.country, {50, 15});
    return f;
}

void TestMap::fillStaysWithinBorders()
{
    const Filled f = filled();
    // Not a pixel leaks diagonally through the steep border.
    QVERIFY(!f.first.isNull() && f.first.right() < 32 && f.first.top() > 10);
    QVERIFY(!f.second.isNull() && f.second.left() > 19);
    // The area grows to hold both parts.
    QCOMPARE(f.country.area, f.first | f.second);
    QCOMPARE(f.picture.indexAt({50, 3}), 4);
    const QImage& bare = f.picture.picture();
    QCOMPARE(f.picture.coloured().pixel(5, 20), Tint(Qt::red).apply(bare.pixel(5, 20)));
    QCOMPARE(f.picture.indexAt({5, 5}), 0);
    QCOMPARE(f.picture.coloured().pixel(5, 5), bare.pixel(5, 5));
}

void TestMap::fillRefusesTakenPixels_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::newRow("border") << QPoint(10, 10);
    QTest::newRow("background") << QPoint(0, 0);
    QTest::newRow("claimed") << QPoint(10, 20);
    QTest::newRow("outside the picture") << QPoint(-1, 20);
}

void TestMap::fillRefusesTakenPixels()
{
    QFETCH(QPoint, point);
    Filled f = filled();
    const QImage before = f.picture.coloured();
    const std::vector<qint32> index(f.picture.index(), f.picture.index() + 60 * 30);
    Country other(2, QStringLiteral("other"), 0);
    QVERIFY(f.picture.fillArea(other, point).isNull());
    QVERIFY(other.area.isEmpty());
    QCOMPARE(f.picture.coloured(), before);
    QVERIFY(std::equal(index.begin(), index.end(), f.picture.index()));
}

// A picture that cannot be loaded stays null; fills and refreshes pass it by.
void TestMap::missingPicture()
{
    MapPicture missing(QStringLiteral("none"), QStringLiteral("Maps/None.png"));
    Country c(1, QStringLiteral("c"), 0);
    c.area = QRect(0, 0, 10, 10);
    missing.fill(c, Qt::red);
    missing.refreshRect(c.area);
    QVERIFY(missing.coloured().isNull());
}

// How many words of the index a stream gets in, at least and at most.
void TestMap::setIndexPartialInput_data()
{
    const std::vector<qint32> words = TestPicture::index();
    const int total = int(words.size());
    std::vector<qint32> longer = words;
    longer.insert(longer.end(), 5000, 3);
    const QByteArray full = IndexCodec::deflate(words.data(), total);

    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("least");
    QTest::addColumn<int>("most");
    QTest::newRow("exact") << full << total << total;
    QTest::newRow("short") << IndexCodec::deflate(words.data(), 700) << 700 << total;
    QTest::newRow("long") << IndexCodec::deflate(longer.data(), int(longer.size())) << total
                          << total;
    QTest::newRow("truncated") << full.left(full.size() / 3) << 1 << total - 1;
    QTest::newRow("not gzip") << QByteArray("this is not a gzip stream at all") << 0 << total;
}

void TestMap::setIndexPartialInput()
{
    QFETCH(QByteArray, block);
    QFETCH(int, least);
    QFETCH(int, most);
    const std::vector<qint32> words = TestPicture::index();
    const int total = int(words.size());
    // Start from another index, so that stale values would show.
    MapPicture picture = testPicture();
    const std::vector<qint32> ones(words.size(), 1);
    const QByteArray stale = IndexCodec::deflate(ones.data(), total);
    picture.setIndex(stale.constData(), int(stale.size()));
    picture.setIndex(block.constData(), int(block.size()));
    int k = 0;
    while (k < total && picture.index()[k] == words[size_t(k)])
        ++k;
    QVERIFY(k >= least && k <= most);
    // Every pixel the stream did not reach is back at its mask value and
    // shows the bare picture.
    for (int i = k; i < total; ++i) {
        const QPoint p(i % TestPicture::Width, i / TestPicture::Width);
        QCOMPARE(picture.index()[i], picture.mask()[i]);
        QCOMPARE(picture.coloured().pixel(p), picture.picture().pixel(p));
    }
}

// A detail three times as large with its own texture, whose coast reaches one
// detail pixel further west than the picture's land.
static QImage testDetail()
{
    QImage detail(TestPicture::Width * 3, TestPicture::Height * 3, QImage::Format_RGB32);
    for (int y = 0; y < detail.height(); ++y) {
        for (int x = 0; x < detail.width(); ++x) {
            const bool land = TestPicture::isLand(x / 3, y / 3) || (x == 5 && y >= 6 && y < 84);
            detail.setPixel(x, y,
                            land ? qRgb(50 + x, 100 + y, 40 + (x * y) % 50) : TestPicture::Sea);
        }
    }
    return detail;
}

// At the detail's own size the display is the detail coloured by the index:
// a country tinted, on its coast beyond the picture's land too, borders black
// and the sea as it is. Taking one country's tint back shows its texture
// again and leaves the other country and the borders in its area coloured.
void TestMap::detailFollowsTheIndex()
{
    const QImage detail = testDetail();
    MapPicture picture(QStringLiteral("test"), TestPicture::image(), detail);
    QCOMPARE(picture.detailScale(), 3);
    // One that is no whole multiple of the picture is left out.
    QCOMPARE(MapPicture(QStringLiteral("odd"), TestPicture::image(), detail.scaled(100, 50))
                 .detailScale(),
             1);
    const QByteArray block = TestPicture::compressedIndex();
    picture.setIndex(block.constData(), int(block.size()));
    Country one(1, QStringLiteral("one"), 0);
    one.area = QRect(2, 2, 16, 26);
    Country two(2, QStringLiteral("two"), 0);
    two.area = QRect(21, 2, 17, 26);
    picture.fill(one, Qt::red);
    picture.fill(two, Qt::green);
    picture.setDisplaySize(detail.size());
    const QPoint inside(31, 31), coast(5, 31), border(57, 31), sea(4, 31);
    const QImage& shown = picture.display();
    QCOMPARE(shown.pixel(inside), Tint(Qt::red).apply(detail.pixel(inside)));
    QCOMPARE(shown.pixel(coast), Tint(Qt::red).apply(detail.pixel(coast)));
    QCOMPARE(shown.pixel(border), MapPicture::Black);
    QCOMPARE(shown.pixel(sea), detail.pixel(sea));
    picture.fill(one, QColor());
    picture.refreshRect(one.area);
    QCOMPARE(picture.display().pixel(coast), detail.pixel(coast));
    const QImage& bare = picture.picture();
    QCOMPARE(picture.coloured().pixel(5, 5), bare.pixel(5, 5));
    QCOMPARE(picture.coloured().pixel(25, 5), Tint(Qt::green).apply(bare.pixel(25, 5)));
    QCOMPARE(picture.coloured().pixel(19, 5), MapPicture::Black);
}

QTEST_MAIN(TestMap)
#include "tst_map.moc"
