#include "cardswidget.h"

#include <QApplication>
#include <QTest>

// The card hand at a device pixel ratio of 2: the same layout in
// device-independent pixels, each card drawn from its doubled picture.
class TestCardsDpi : public QObject
{
    Q_OBJECT

private slots:
    void cardsAreSharp();
};

void TestCardsDpi::cardsAreSharp()
{
    CardsWidget hand;
    hand.addCard(CardsWidget::Joker);
    hand.addCard(CardsWidget::Cannon);
    hand.resize(hand.sizeHint());
    hand.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hand));
    QCOMPARE(hand.devicePixelRatio(), 2);
    QCOMPARE(hand.cardSize(), QSize(90, 130));

    QImage shot = hand.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    shot.setDevicePixelRatio(1);
    const char* const files[] = {"Cards/Joker@2x.png", "Cards/Cannon@2x.png"};
    for (int index = 0; index < 2; ++index) {
        const QRect rect = hand.pictureRect(index);
        const QImage doubled =
            QImage(QLatin1String(files[index])).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(doubled.size(), rect.size() * 2);
        // Opaque pixels come out exactly as the doubled picture has them.
        const QImage drawn = shot.copy(QRect(rect.topLeft() * 2, rect.size() * 2));
        int compared = 0;
        for (int y = 0; y < doubled.height(); y += 7) {
            for (int x = 0; x < doubled.width(); x += 5) {
                if (qAlpha(doubled.pixel(x, y)) != 255)
                    continue;
                QCOMPARE(drawn.pixel(x, y), doubled.pixel(x, y));
                ++compared;
            }
        }
        QVERIFY(compared > 500);
    }
}

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestCardsDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cardsdpi.moc"
