#include "cards.h"
#include "cardswidget.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

// The card hand: the set rule as the player meets it through clicks, the
// scroll bar for long hands and the exchange. The set rule itself is tested
// with the rules. Codes: 0 horseman, 1 cannon,
// 2 footman, 3 joker.
class TestCards : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_cards.reset(); }

    void selectionAndExchange();
    void pressAndReleaseOnDifferentCards();
    void scrollBarFollowsHand();
    void exchangeKeepsOrderAndResetEmpties();

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

// Five cards fit; the bar comes with the sixth, and the hand keeps its place
// and size when it does.
void TestCards::scrollBarFollowsHand()
{
    QScrollBar* bar = m_cards->scrollBar();
    const QRect before = m_hand->geometry();
    deal({0, 1, 2, 3, 0});
    QVERIFY(bar->isHidden());
    deal({1, 2});
    QCOMPARE(bar->maximum(), 2);
    QVERIFY(!bar->isHidden());
    QCOMPARE(m_hand->geometry(), before);

    // Scrolling shifts the hand one slot per step; clicks follow the shift.
    const QRect firstSlot = m_hand->pictureRect(0);
    bar->setValue(2);
    QCOMPARE(m_hand->pictureRect(2), firstSlot);
    QTest::mouseClick(m_hand, Qt::LeftButton, {}, firstSlot.center());
    QVERIFY(m_hand->isSelected(2) && !m_hand->isSelected(0));
    // The wheel scrolls too, and the bar shows where the hand stands.
    QWheelEvent wheel(QPointF(10, 10), m_hand->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_hand, &wheel);
    QCOMPARE(m_hand->first(), 1);
    QCOMPARE(bar->value(), 1);
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

QTEST_MAIN(TestCards)
#include "tst_cards.moc"
