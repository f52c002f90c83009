#include "map.h"
#include "testpicture.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

// The board at a device pixel ratio of 2: the picture is blown up without
// blurring and clicks still land on the picture pixel under the mouse.
class TestMapDpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pictureIsSharp();
    void clicksHitPicturePixels_data();
    void clicksHitPicturePixels();

private:
    Map m_map;
};

void TestMapDpi::initTestCase()
{
    m_map.setPictures({{QStringLiteral("world"), TestPicture::image()}});
    const QByteArray block = TestPicture::compressedIndex();
    m_map.beginLoading(1, QStringLiteral("Test"), QStringLiteral("world"), block.constData(),
                       int(block.size()));
    m_map.addContinent(1, QStringLiteral("Land"), 5);
    m_map.addCountry(1, QStringLiteral("Alpha"), 1, 6, 14, 2, 2, 16, 26);
    m_map.addCountry(2, QStringLiteral("Beta"), 1, 26, 14, 21, 2, 17, 26);
    m_map.endLoading();
    m_map.setLocalSeat(0);
    for (int n : {1, 2})
        m_map.setCountry(n, 0, 1);
    m_map.setMode(MapMode::Place);
    m_map.resize(Map::MinimumSize);
    m_map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_map));
    QCOMPARE(m_map.devicePixelRatio(), 2);
}

void TestMapDpi::pictureIsSharp()
{
    QImage shot = m_map.grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.setDevicePixelRatio(1);
    QCOMPARE(shot.size(), Map::MinimumSize * 2);
    // Rows clear of the labels: every picture pixel is a 2 x 2 block of its own
    // colour, the black border column included.
    const QRect rows(0, 20, TestPicture::Width, TestPicture::Height - 20);
    const QImage expected =
        m_map.picture()
            .coloured()
            .copy(rows)
            .convertToFormat(QImage::Format_RGB32)
            .scaled(rows.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QCOMPARE(shot.copy(QRect(m_map.offset() * 2 + rows.topLeft() * 2, rows.size() * 2)), expected);
}

void TestMapDpi::clicksHitPicturePixels_data()
{
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<int>("country");
    // The border is picture column 19, halos 18 and 20.
    QTest::newRow("last pixel of Alpha") << QPointF(17.9, 10.5) << 1;
    QTest::newRow("left half of the halo") << QPointF(18.0, 10.0) << 0;
    QTest::newRow("right half of the border") << QPointF(19.6, 10.5) << 0;
    QTest::newRow("first pixel of Beta") << QPointF(21.5, 10.5) << 2;
}

void TestMapDpi::clicksHitPicturePixels()
{
    QFETCH(QPointF, position);
    QFETCH(int, country);
    QSignalSpy place(&m_map, &Map::placeArmies);
    const QPointF pos = position + m_map.offset();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, pos, m_map.mapToGlobal(pos), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&m_map, &event);
    }
    QCOMPARE(QList<QVariantList>(place),
             country ? QList<QVariantList>({{country, false}}) : QList<QVariantList>());
}

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestMapDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mapdpi.moc"
