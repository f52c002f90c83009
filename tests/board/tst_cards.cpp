#include "cards.h"
#include "cardswidget.h"
#include "gamerecord.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

// The card hand: the set rule as the player meets it through clicks, the
// scroll bar for long hands, the exchange, and what the hand paints. The set
// rule itself is tested with the rules. Codes: 0 horseman, 1 cannon,
// 2 footman, 3 joker.
class TestCards : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_cards.reset(); }

    void selectionAndExchange();
    void pressAndReleaseOnDifferentCards();
    void scrollBarFollowsHand_data();
    void scrollBarFollowsHand();
    void exchangeKeepsOrderAndResetEmpties();
    void paintsFramesAndOptionStrip();

private:
    void deal(const QList<int>& codes)
    {
        for (int code : codes)
            m_cards->addCard(code);
    }
    QPoint centre(int index) const { return m_hand->pictureRect(index).center(); }
    void click(int index) { QTest::mouseClick(m_hand, Qt::LeftButton, {}, centre(index)); }
    void pressRelease(QPoint press, QPoint release)
    {
        QTest::mousePress(m_hand, Qt::LeftButton, {}, press);
        QTest::mouseRelease(m_hand, Qt::LeftButton, {}, release);
    }

    std::unique_ptr<Cards> m_cards;
    CardsWidget* m_hand = nullptr;
};

void TestCards::init()
{
    m_cards = std::make_unique<Cards>();
    m_hand = m_cards->cardsWidget();
    m_cards->resize(m_cards->sizeHint());
    m_cards->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_cards.get()));
}

void TestCards::selectionAndExchange()
{
    // The joker in front stays unselected and must not count.
    deal({3, 0, 0, 1, 2});
    QSignalSpy valid(m_cards.get(), &Cards::validSelection);
    QSignalSpy invalid(m_cards.get(), &Cards::invalidSelection);
    QSignalSpy exchanged(m_cards.get(), &Cards::exchanged);
    for (int i : {1, 2, 3})
        click(i);
    QCOMPARE(valid.count(), 0);
    // A refused exchange leaves the selection, and says nothing about it.
    m_cards->exchange();
    QCOMPARE(exchanged.count(), 0);
    QCOMPARE(invalid.count(), 0);
    QCOMPARE(m_hand->cards().size(), 5);

    // One of each is a set; a fourth card breaks it, taking it out again
    // mends it, and taking out one of the three breaks it again.
    click(2);
    click(4);
    QCOMPARE(valid.count(), 1);
    click(0);
    QCOMPARE(invalid.count(), 1);
    QVERIFY(!m_hand->isValidSelection());
    click(0);
    QCOMPARE(valid.count(), 2);
    click(1);
    QCOMPARE(invalid.count(), 2);
    click(1);
    m_cards->exchange();
    QCOMPARE(exchanged.count(), 1);
    QCOMPARE(m_hand->cards(), QList<int>({3, 0}));
}

void TestCards::pressAndReleaseOnDifferentCards()
{
    deal({0, 1, 2});
    pressRelease(centre(0), centre(2));
    QVERIFY(!m_hand->isSelected(0));
    QVERIFY(m_hand->isSelected(2));
    // A press beside the cards, a release above them or on an empty slot
    // flips nothing.
    pressRelease(QPoint(m_hand->pictureRect(0).left() - 1, centre(0).y()), centre(1));
    pressRelease(centre(1), QPoint(centre(1).x(), 5));
    pressRelease(centre(1), centre(2) + QPoint(m_hand->width() / CardsWidget::Slots, 0));
    QVERIFY(!m_hand->isSelected(1));
    QVERIFY(m_hand->isSelected(2));
}

void TestCards::scrollBarFollowsHand_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("maximum");
    QTest::newRow("5 cards") << 5 << 0;
    QTest::newRow("7 cards") << 7 << 2;
}

void TestCards::scrollBarFollowsHand()
{
    QFETCH(int, count);
    QFETCH(int, maximum);
    QScrollBar* bar = m_cards->scrollBar();
    const QRect before = m_hand->geometry();
    for (int i = 0; i < count; ++i)
        m_cards->addCard(i % 4);
    QCOMPARE(bar->maximum(), maximum);
    QCOMPARE(bar->isHidden(), maximum == 0);
    // The hand keeps its place and size when the bar comes and goes.
    QCOMPARE(m_hand->geometry(), before);
    if (maximum == 0)
        return;

    // Scrolling shifts the hand one slot per step; clicks follow the shift.
    const QRect firstSlot = m_hand->pictureRect(0);
    bar->setValue(maximum);
    QCOMPARE(m_hand->pictureRect(maximum), firstSlot);
    QTest::mouseClick(m_hand, Qt::LeftButton, {}, firstSlot.center());
    QVERIFY(m_hand->isSelected(maximum));
    QVERIFY(!m_hand->isSelected(0));
    // The wheel scrolls too, and the bar shows where the hand stands.
    QWheelEvent wheel(QPointF(10, 10), m_hand->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_hand, &wheel);
    QCOMPARE(m_hand->first(), maximum - 1);
    QCOMPARE(bar->value(), maximum - 1);
}

void TestCards::exchangeKeepsOrderAndResetEmpties()
{
    // Cannon, horseman, joker, footman, horseman, cannon, footman.
    deal({1, 0, 3, 2, 0, 1, 2});
    m_cards->scrollBar()->setValue(2);
    // Slots now show cards 2 to 6: the joker, the horseman and the footman
    // behind it.
    click(2);
    click(4);
    click(6);
    QSignalSpy exchanged(m_cards.get(), &Cards::exchanged);
    QSignalSpy invalid(m_cards.get(), &Cards::invalidSelection);
    m_cards->exchange();
    QCOMPARE(exchanged.first(), QVariantList({3, 0, 2}));
    QCOMPARE(invalid.count(), 1);
    QCOMPARE(m_hand->cards(), QList<int>({1, 0, 2, 1}));
    QVERIFY(!m_hand->isSelected(2) && !m_hand->isSelected(3));
    QVERIFY(m_cards->scrollBar()->isHidden());

    deal({0, 1, 2});
    m_cards->scrollBar()->setValue(1);
    click(1);
    m_cards->reset();
    QVERIFY(m_hand->cards().isEmpty());
    QCOMPARE(m_hand->first(), 0);
    // Cards dealt afterwards start unselected.
    deal({0});
    QVERIFY(!m_hand->isSelected(0));
}

void TestCards::paintsFramesAndOptionStrip()
{
    deal({0, 1});
    click(1);
    QImage shot = m_hand->grab().toImage();
    const QRect picture = m_hand->pictureRect(1);
    // The frame lies two pixels round the picture, its corners black.
    const QRect frame = picture.adjusted(-2, -2, 2, 2);
    for (QPoint corner :
         {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
        QCOMPARE(shot.pixelColor(corner), QColor(Qt::black));
    QVERIFY(shot.pixelColor(m_hand->pictureRect(0).topLeft() - QPoint(2, 2)) != Qt::black);
    const QImage horseman(QStringLiteral("Cards/Horseman.png"));
    QCOMPARE(shot.pixelColor(m_hand->pictureRect(0).center()),
             horseman.pixelColor(horseman.rect().center()));

    // With a game, its option icons stand at the top-right corner.
    const QColor background = shot.pixelColor(m_hand->width() - 5, 8);
    GameRecord game;
    game.options.capitals = true;
    game.options.timerMode = 2;
    m_cards->setGameItem(&game);
    shot = m_hand->grab().toImage();
    bool drawn = false;
    for (int x = m_hand->width() - game.optionsWidth(); x < m_hand->width(); ++x)
        for (int y = 2; y < 18; ++y)
            drawn = drawn || shot.pixelColor(x, y) != background;
    QVERIFY(drawn);
    m_cards->setGameItem(nullptr);
    QCOMPARE(m_hand->grab().toImage().pixelColor(m_hand->width() - 5, 8), background);
}

QTEST_MAIN(TestCards)
#include "tst_cards.moc"
