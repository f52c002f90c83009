#include "country.h"
#include "indexcodec.h"
#include "mapline.h"
#include "mappicture.h"
#include "testpicture.h"
#include "tint.h"

#include <QPolygon>
#include <QTest>
#include <QtEndian>

using Points = QList<QPoint>;

// The pixel algorithms of a base picture: line rasterisation, tinting, the
// flood fill, burning borders and the gzip index in both directions.
class TestMapPicture : public QObject
{
    Q_OBJECT

private slots:
    void rasterize_data();
    void rasterize();
    void tint_data();
    void tint();
    void burntLineSeparatesFill();
    void bordersShowOnlyOnLand();
    void fillAreaRefusesTakenPixels_data();
    void fillAreaRefusesTakenPixels();
    void fillAreaGrowsOneRectangle();
    void fillWithInvalidColourRestoresOnlyThatCountry();
    void setIndexPartialInput_data();
    void setIndexPartialInput();
    void compressIndexIsBigEndianGzip();
    void detailFollowsTheIndex_data();
    void detailFollowsTheIndex();
};

// The test picture, with the three countries' index if asked.
static MapPicture testPicture(bool withIndex = false)
{
    MapPicture picture(QStringLiteral("test"), TestPicture::image());
    if (withIndex) {
        const QByteArray block = TestPicture::compressedIndex();
        picture.setIndex(block.constData(), int(block.size()));
    }
    return picture;
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
    QTest::newRow("mixed") << QColor(255, 255, 0) << qRgb(10, 200, 30) << qRgb(107, 222, 18);
}

void TestMapPicture::tint()
{
    QFETCH(QColor, fill);
    QFETCH(QRgb, original);
    QFETCH(QRgb, expected);
    QCOMPARE(Tint(fill).apply(original), expected);
    QCOMPARE(qAlpha(Tint(fill).apply(qRgba(1, 2, 3, 0))), 255);
}

void TestMapPicture::burntLineSeparatesFill()
{
    MapPicture picture = testPicture();
    // A steep diagonal border across the whole land block.
    picture.burnLine(MapLine(20, 0, 31, TestPicture::Height - 1));
    Country left(1, QStringLiteral("left"), 0);
    QVERIFY(picture.fillArea(left, {3, 15}).right() < 32);
    for (int y = 0; y < TestPicture::Height; ++y)
        for (int x = 32; x < TestPicture::Width; ++x)
            QVERIFY(picture.indexAt({x, y}) != 1);
    Country right(2, QStringLiteral("right"), 0);
    QVERIFY(!picture.fillArea(right, {50, 15}).isNull());
    QCOMPARE(picture.indexAt({50, 3}), 2);
    QCOMPARE(picture.indexAt({3, 3}), 1);
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
    QVERIFY(loaded.block().isEmpty());

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

void TestMapPicture::fillAreaRefusesTakenPixels_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::newRow("border") << QPoint(10, 10);
    QTest::newRow("background") << QPoint(0, 0);
    QTest::newRow("claimed") << QPoint(10, 20);
    QTest::newRow("outside the picture") << QPoint(-1, 20);
}

void TestMapPicture::fillAreaRefusesTakenPixels()
{
    QFETCH(QPoint, point);
    MapPicture picture = testPicture();
    picture.burnLine(MapLine(0, 10, TestPicture::Width - 1, 10));
    Country first(1, QStringLiteral("first"), 0);
    picture.fillArea(first, {10, 20});
    const QImage before = picture.coloured();
    const std::vector<qint32> index(picture.index(), picture.index() + 60 * 30);

    Country second(2, QStringLiteral("second"), 0);
    QVERIFY(picture.fillArea(second, point).isNull());
    QVERIFY(second.area.isEmpty());
    QCOMPARE(picture.coloured(), before);
    QVERIFY(std::equal(index.begin(), index.end(), picture.index()));
}

void TestMapPicture::fillAreaGrowsOneRectangle()
{
    MapPicture picture = testPicture();
    picture.burnLine(MapLine(30, 0, 30, TestPicture::Height - 1));
    picture.burnLine(MapLine(0, 15, 29, 15));
    Country c(4, QStringLiteral("two parts"), 0);
    QCOMPARE(picture.fillArea(c, {5, 5}), QRect(QPoint(2, 2), QPoint(28, 13)));
    QCOMPARE(picture.fillArea(c, {40, 25}), QRect(QPoint(32, 2), QPoint(57, 27)));
    QCOMPARE(c.area, QRect(QPoint(2, 2), QPoint(57, 27)));
    // The fill tints red over the picture and leaves the other part alone.
    QCOMPARE(picture.coloured().pixel(5, 5), Tint(Qt::red).apply(picture.picture().pixel(5, 5)));
    QCOMPARE(picture.indexAt({5, 20}), 0);
    QCOMPARE(picture.coloured().pixel(5, 20), picture.picture().pixel(5, 20));
}

void TestMapPicture::fillWithInvalidColourRestoresOnlyThatCountry()
{
    MapPicture picture = testPicture(true);
    Country one(1, QStringLiteral("one"), 0);
    one.area = QRect(2, 2, 16, 26);
    Country two(2, QStringLiteral("two"), 0);
    two.area = QRect(21, 2, 17, 26);
    picture.fill(one, Qt::green);
    picture.fill(two, Qt::green);
    QVERIFY(picture.coloured().pixel(5, 5) != picture.picture().pixel(5, 5));

    picture.fill(one, QColor());
    QCOMPARE(picture.coloured().pixel(5, 5), picture.picture().pixel(5, 5));
    QCOMPARE(picture.coloured().pixel(25, 5),
             Tint(Qt::green).apply(picture.picture().pixel(25, 5)));
    // Border and halo inside the area keep their colours.
    QCOMPARE(picture.coloured().pixel(19, 5), MapPicture::Black);
}

void TestMapPicture::setIndexPartialInput_data()
{
    const std::vector<qint32> words = TestPicture::index();
    const int total = int(words.size());
    std::vector<qint32> longer = words;
    longer.insert(longer.end(), 5000, 3);

    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("applied");

    QTest::newRow("exact") << IndexCodec::deflate(words.data(), total) << total;
    QTest::newRow("short") << IndexCodec::deflate(words.data(), 700) << 700;
    QTest::newRow("long") << IndexCodec::deflate(longer.data(), int(longer.size())) << total;
    const QByteArray full = IndexCodec::deflate(words.data(), total);
    QTest::newRow("truncated") << full.left(full.size() / 3) << -1;
    QTest::newRow("not gzip") << QByteArray("this is not a gzip stream at all") << 0;
    QByteArray badMethod = full;
    badMethod[2] = 7;
    QTest::newRow("unknown compression method") << badMethod << 0;
    // The checksum is only known at the end, when every word is in.
    QByteArray badChecksum = full;
    badChecksum[badChecksum.size() - 8] ^= 0x5a;
    QTest::newRow("bad checksum") << badChecksum << total;
}

void TestMapPicture::setIndexPartialInput()
{
    QFETCH(QByteArray, block);
    QFETCH(int, applied);
    const std::vector<qint32> words = TestPicture::index();
    MapPicture picture = testPicture();
    // Start from a different index so that stale values would show.
    const std::vector<qint32> ones(words.size(), 1);
    const QByteArray stale = IndexCodec::deflate(ones.data(), int(ones.size()));
    picture.setIndex(stale.constData(), int(stale.size()));

    picture.setIndex(block.constData(), int(block.size()));
    const int total = int(words.size());
    int k = 0;
    while (k < total && picture.index()[k] == words[size_t(k)])
        ++k;
    if (applied >= 0)
        QVERIFY(k >= applied);
    // Every pixel the stream did not reach is back at its mask value and
    // shows the bare picture.
    for (int i = applied >= 0 ? applied : k; i < total; ++i) {
        const QPoint p(i % TestPicture::Width, i / TestPicture::Width);
        QCOMPARE(picture.index()[i], picture.mask()[i]);
        QCOMPARE(picture.coloured().pixel(p), picture.picture().pixel(p));
    }
    if (applied < 0)
        QVERIFY(k > 0 && k < total);
}

void TestMapPicture::compressIndexIsBigEndianGzip()
{
    MapPicture picture = testPicture(true);
    picture.compressIndex();
    const QByteArray stored = picture.block();
    // One big-endian word per pixel, as the map transfer carries it.
    const std::vector<qint32> words = TestPicture::index();
    const QByteArray raw =
        IndexCodec::inflateBounded(stored, 4 * words.size()).value_or(QByteArray());
    QCOMPARE(size_t(raw.size()), 4 * words.size());
    for (size_t k = 0; k < words.size(); ++k)
        QCOMPARE(qFromBigEndian<qint32>(raw.constData() + 4 * k), words[k]);
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

// What a detail pixel shows once the picture is coloured.
enum class Shows { Red, Detail, Black };
Q_DECLARE_METATYPE(Shows)

void TestMapPicture::detailFollowsTheIndex_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<Shows>("expected");
    QTest::newRow("tinted country") << QPoint(31, 31) << Shows::Red;
    QTest::newRow("border block") << QPoint(57, 31) << Shows::Black;
    QTest::newRow("coast beyond the picture's land") << QPoint(5, 31) << Shows::Red;
    QTest::newRow("sea") << QPoint(4, 31) << Shows::Detail;
}

void TestMapPicture::detailFollowsTheIndex()
{
    QFETCH(QPoint, at);
    QFETCH(Shows, expected);
    const QImage detail = testDetail();
    MapPicture picture(QStringLiteral("test"), TestPicture::image(), detail);
    QCOMPARE(picture.detailScale(), 3);
    // A detail that is no whole multiple of the picture is left out.
    QCOMPARE(MapPicture(QStringLiteral("odd"), TestPicture::image(), detail.scaled(100, 50))
                 .detailScale(),
             1);
    const QByteArray block = TestPicture::compressedIndex();
    picture.setIndex(block.constData(), int(block.size()));
    Country one(1, QStringLiteral("one"), 0);
    one.area = QRect(2, 2, 16, 26);
    picture.fill(one, Qt::red);
    picture.setDisplaySize(detail.size());
    const QRgb d = detail.pixel(at);
    const QRgb want = expected == Shows::Red     ? Tint(Qt::red).apply(d)
                      : expected == Shows::Black ? MapPicture::Black
                                                 : d;
    QCOMPARE(picture.detailColoured().pixel(at), want);
    // At the detail's own size the display is the coloured detail.
    QCOMPARE(picture.display().pixel(at), want);
    // Taking the tint back shows the detail's texture again, on the coast
    // outside the country's area too.
    picture.fill(one, QColor());
    picture.refreshRect(one.area);
    QCOMPARE(picture.display().pixel(at), expected == Shows::Red ? d : want);
}

QTEST_GUILESS_MAIN(TestMapPicture)
#include "tst_mappicture.moc"
