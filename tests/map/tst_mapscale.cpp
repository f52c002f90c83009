#include "bannerview.h"
#include "map.h"
#include "mapdata.h"
#include "marquee.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTest>

#include <cmath>

// The board drawn at the size its window gives it, at the device pixel ratio
// the process runs with (CTest runs this at 1, 1.5 and 2): clicks land on the
// country of the index under them, the marquee covers the same picture
// pixels, and an owner change repaints only that country.
class TestMapScale : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hitTesting_data();
    void hitTesting();
    void marqueeCoversTheSamePicturePixels();
    void ownerChangeRepaintsTheCountry();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    Map m_map;
    QRegion m_painted;
};

void TestMapScale::initTestCase()
{
    auto world = MapData::readFolder(QStringLiteral("maps/1-world"), nullptr);
    QVERIFY(world);
    // Without the sea lines nothing but the pies is drawn over the picture.
    world->lines.clear();
    m_map.loadMap(*world);
    QCOMPARE(m_map.picture().size(), QSize(780, 400));
    int seat = 0;
    for (const auto& [number, country] : m_map.countries())
        m_map.setCountry(number, seat++ % Map::Seats, 0);
    m_map.setMode(MapMode::Place);
    m_map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_map));
    m_map.installEventFilter(this);
}

bool TestMapScale::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_map && event->type() == QEvent::Paint)
        m_painted += static_cast<QPaintEvent*>(event)->region();
    return false;
}

void TestMapScale::hitTesting_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<qreal>("within");
    QTest::addColumn<int>("country");
    // Row 200 of the world index: Maghreb and Sahel (21) up to column 384,
    // halos at 385-386 and 388-390 round the border 387, Nile (22) from 391,
    // sea up to column 141.
    struct Size
    {
        const char* name;
        QSize size;
        qreal scale;
        QPoint offset;
    };
    const Size sizes[] = {
        {"picture", {780, 400}, 1.0, {0, 0}},
        {"half", {390, 300}, 0.5, {0, 50}},
        {"wide", {1366, 600}, 1.5, {98, 0}},
        {"2560x1440", {2560, 1440}, 2560 / 780.0, {0, 64}},
    };
    struct Point
    {
        const char* name;
        QPoint pixel;
        qreal within;
        int country;
    };
    const Point points[] = {
        {"west edge of 21's last column", {384, 200}, 0.1, 21},
        {"east edge of 21's last column", {384, 200}, 0.9, 21},
        {"halo", {386, 200}, 0.5, 0},
        {"border", {387, 200}, 0.5, 0},
        {"west edge of 22's first column", {391, 200}, 0.1, 22},
        {"sea", {100, 200}, 0.5, 0},
    };
    for (const Size& s : sizes) {
        for (const Point& p : points)
            QTest::addRow("%s, %s", s.name, p.name)
                << s.size << s.scale << s.offset << p.pixel << p.within << p.country;
    }
}

void TestMapScale::hitTesting()
{
    QFETCH(QSize, size);
    QFETCH(qreal, scale);
    QFETCH(QPoint, offset);
    QFETCH(QPoint, pixel);
    QFETCH(qreal, within);
    QFETCH(int, country);
    m_map.resize(size);
    QCOMPARE(m_map.offset(), offset);
    const QPointF position = QPointF(offset) + (QPointF(pixel) + QPointF(within, 0.5)) * scale;
    QCOMPARE(m_map.toPicture(position), pixel);
    const Country* hit = m_map.countryAt(position);
    QCOMPARE(hit ? hit->number : 0, country);
    if (scale >= 1)
        QCOMPARE(m_map.toPicture(m_map.fromPicture(pixel)), pixel);
}

// Picture pixels 153-626 by 150-249, with the banner in its top box.
void TestMapScale::marqueeCoversTheSamePicturePixels()
{
    m_map.resize(1600, 900);
    QCOMPARE(m_map.marquee()->geometry(), QRect(313, 347, 974, 206));
    m_map.resize(780, 400);
    QCOMPARE(m_map.marquee()->geometry(), QRect(153, 150, 474, 100));
    m_map.showMarquee();
    QCOMPARE(m_map.marquee()->browser()->geometry(), QRect(3, 3, 468, 60));
    m_map.hideMarquee();
}

void TestMapScale::ownerChangeRepaintsTheCountry()
{
    m_map.resize(1600, 900);
    QTest::qWait(50);
    m_painted = QRegion();
    const Country& nile = *m_map.country(22);
    m_map.setCountry(22, (nile.owner + 1) % Map::Seats, 3);
    QTRY_VERIFY(!m_painted.isEmpty());
    // Nile's area (388, 183, 56 x 51) and its label, the pies beside the map.
    const qreal s = 1600 / 780.0;
    const QRect area = QRectF(388 * s, 40 + 183 * s, 56 * s, 51 * s).toAlignedRect();
    const QRect pies = QRectF(24 * s, 40 + 314 * s, 130 * s, 80 * s).toAlignedRect();
    QVERIFY(m_painted.contains(area.adjusted(1, 1, -1, -1)));
    // A picture pixel round it for the detail's coast, a unit for smoothing.
    const int margin = int(std::ceil(s)) + 2;
    const QRegion allowed = QRegion(area.adjusted(-margin, -margin, margin, margin)) +
                            pies.adjusted(-margin, -margin, margin, margin);
    QCOMPARE((m_painted - allowed).boundingRect(), QRect());
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestMapScale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mapscale.moc"
