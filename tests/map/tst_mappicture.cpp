#include "country.h"
#include "indexcodec.h"
#include "mapline.h"
#include "mappicture.h"
#include "testpicture.h"
#include "tint.h"

#include <QPolygon>
#include <QTest>

using Points = QList<QPoint>;

// The pixel algorithms of a base picture: line rasterisation, tinting, the
// flood fill, burning borders, the gzip index coming in and the detail.
class TestMapPicture : public QObject
{
    Q_OBJECT

private slots:
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
};

static MapPicture testPicture()
{
    return MapPicture(QStringLiteral("test"), TestPicture::image());
}

void TestMapPicture::rasterize_data()
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

void TestMapPicture::rasterize()
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

void TestMapPicture::tint_data()
{
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QRgb>("original");
    QTest::addColumn<QRgb>("expected");

    QTest::newRow("red on black") << QColor(255, 0, 0) << qRgb(0, 0, 0) << qRgb(100, 0, 0);
    // (50 - 100) * 155 / 255 is -30.39: truncation toward zero gives 70, not 69.
    QTest::newRow("truncates toward zero")
        << QColor(100, 100, 100) << qRgb(50, 50, 50) << qRgb(70, 70, 70);
}

void TestMapPicture::tint()
{
    QFETCH(QColor, fill);
    QFETCH(QRgb, original);
    QFETCH(QRgb, expected);
    QCOMPARE(Tint(fill).apply(original), expected);
    QCOMPARE(qAlpha(Tint(fill).apply(qRgba(1, 2, 3, 0))), 255);
}

// Border (-1) is black and halo (-2) grey, but only where the picture shows land: the
// sea keeps its colour whatever the index says there. Both ways of setting the index.
void TestMapPicture::bordersShowOnlyOnLand()
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

void TestMapPicture::fillStaysWithinBorders()
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

void TestMapPicture::fillRefusesTakenPixels_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::newRow("border") << QPoint(10, 10);
    QTest::newRow("background") << QPoint(0, 0);
    QTest::newRow("claimed") << QPoint(10, 20);
    QTest::newRow("outside the picture") << QPoint(-1, 20);
}

void TestMapPicture::fillRefusesTakenPixels()
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
void TestMapPicture::missingPicture()
{
    MapPicture missing(QStringLiteral("none"), QStringLiteral("Maps/None.png"));
    Country c(1, QStringLiteral("c"), 0);
    c.area = QRect(0, 0, 10, 10);
    missing.fill(c, Qt::red);
    missing.refreshRect(c.area);
    QVERIFY(missing.coloured().isNull());
}

// How many words of the index a stream gets in, at least and at most.
void TestMapPicture::setIndexPartialInput_data()
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

void TestMapPicture::setIndexPartialInput()
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
void TestMapPicture::detailFollowsTheIndex()
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

QTEST_GUILESS_MAIN(TestMapPicture)
#include "tst_mappicture.moc"
