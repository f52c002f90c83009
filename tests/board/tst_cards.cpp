#include "cards.h"
#include "cardswidget.h"
#include "gamerecord.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

// The card hand: the set rule as the player meets it through clicks, the
// scroll bar for long hands, the exchange, and what the hand paints.
class TestCards : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void setRule_data();
    void setRule();
    void fourthCardBreaksSet();
    void pressAndReleaseOnDifferentCards();
    void scrollBarFollowsHand_data();
    void scrollBarFollowsHand();
    void exchangeKeepsOrder();
    void resetEmptiesHand();
    void paintsFramesAndOptionStrip();

private:
    void deal(const QList<int>& codes);
    // Presses on one card and releases on another, as a real click would.
    void click(int pressIndex, int releaseIndex);
    void click(int index) { click(index, index); }
    QPoint centre(int index) const;

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
    QCOMPARE(m_hand->cardSize(), QSize(90, 130));
}

void TestCards::cleanup()
{
    m_cards.reset();
}

void TestCards::deal(const QList<int>& codes)
{
    for (int code : codes)
        m_cards->addCard(code);
}

QPoint TestCards::centre(int index) const
{
    return m_hand->pictureRect(index).center();
}

void TestCards::click(int pressIndex, int releaseIndex)
{
    QTest::mousePress(m_hand, Qt::LeftButton, {}, centre(pressIndex));
    QTest::mouseRelease(m_hand, Qt::LeftButton, {}, centre(releaseIndex));
}

// The set rule itself is tested with the rules; here it is met through clicks
// on the hand: 0 horseman, 1 cannon, 2 footman, 3 joker.
void TestCards::setRule_data()
{
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<bool>("isSet");
    QTest::newRow("three alike") << QList<int>{0, 0, 0} << true;
    QTest::newRow("one of each") << QList<int>{2, 0, 1} << true;
    QTest::newRow("joker first") << QList<int>{3, 0, 1} << true;
    QTest::newRow("a pair and another") << QList<int>{0, 0, 1} << false;
    QTest::newRow("two jokers and a horseman") << QList<int>{3, 3, 0} << false;
}

void TestCards::setRule()
{
    QFETCH(QList<int>, codes);
    QFETCH(bool, isSet);
    // A card in front that stays unselected must not count.
    deal({3});
    deal(codes);
    QSignalSpy valid(m_cards.get(), &Cards::validSelection);
    QSignalSpy invalid(m_cards.get(), &Cards::invalidSelection);
    click(1);
    click(2);
    QCOMPARE(valid.count(), 0);
    click(3);
    QCOMPARE(valid.count(), isSet ? 1 : 0);
    QCOMPARE(m_hand->isValidSelection(), isSet);
    QCOMPARE(invalid.count(), 0);

    QSignalSpy exchanged(m_cards.get(), &Cards::exchanged);
    m_cards->exchange();
    QCOMPARE(exchanged.count(), isSet ? 1 : 0);
    QCOMPARE(m_hand->cards().size(), isSet ? 1 : 4);
    // A refused exchange leaves the selection, and says nothing about it.
    QCOMPARE(invalid.count(), isSet ? 1 : 0);
}

void TestCards::fourthCardBreaksSet()
{
    deal({0, 1, 2, 0});
    QSignalSpy valid(m_cards.get(), &Cards::validSelection);
    QSignalSpy invalid(m_cards.get(), &Cards::invalidSelection);
    for (int i = 0; i < 3; ++i)
        click(i);
    QCOMPARE(valid.count(), 1);
    click(3);
    QCOMPARE(invalid.count(), 1);
    QVERIFY(!m_hand->isValidSelection());
    click(3);
    QCOMPARE(valid.count(), 2);
    // Taking a card out of the set breaks it again.
    click(1);
    QCOMPARE(invalid.count(), 2);
    QCOMPARE(valid.count(), 2);
}

void TestCards::pressAndReleaseOnDifferentCards()
{
    deal({0, 1, 2});
    click(0, 2);
    QVERIFY(!m_hand->isSelected(0));
    QVERIFY(m_hand->isSelected(2));

    // A press that hits no card, or a release beside the cards, flips nothing.
    const QPoint gap(m_hand->pictureRect(0).left() - 1, centre(0).y());
    QTest::mousePress(m_hand, Qt::LeftButton, {}, gap);
    QTest::mouseRelease(m_hand, Qt::LeftButton, {}, centre(1));
    QTest::mousePress(m_hand, Qt::LeftButton, {}, centre(1));
    QTest::mouseRelease(m_hand, Qt::LeftButton, {}, QPoint(centre(1).x(), 5));
    // An empty slot is no card either.
    QTest::mousePress(m_hand, Qt::LeftButton, {}, centre(1));
    QTest::mouseRelease(m_hand, Qt::LeftButton, {},
                        centre(2) + QPoint(m_hand->width() / CardsWidget::Slots, 0));
    QCOMPARE(m_hand->isSelected(1), false);
    QCOMPARE(m_hand->isSelected(2), true);
}

void TestCards::scrollBarFollowsHand_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("maximum");
    QTest::newRow("3 cards") << 3 << 0;
    QTest::newRow("5 cards") << 5 << 0;
    QTest::newRow("6 cards") << 6 << 1;
    QTest::newRow("7 cards") << 7 << 2;
}

void TestCards::scrollBarFollowsHand()
{
    QFETCH(int, count);
    QFETCH(int, maximum);
    QScrollBar* bar = m_cards->scrollBar();
    QCOMPARE(bar->objectName(), QStringLiteral("CardsScrollbar"));
    QVERIFY(bar->isHidden());
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
    QCOMPARE(m_hand->first(), maximum);
    QVERIFY(m_hand->pictureRect(0).isEmpty());
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

void TestCards::exchangeKeepsOrder()
{
    // Cannon, horseman, joker, footman, horseman, cannon, footman.
    deal({1, 0, 3, 2, 0, 1, 2});
    m_cards->scrollBar()->setValue(2);
    // Slots now show cards 2 to 6: pick the joker, the horseman and the
    // footman behind it.
    click(2);
    click(4);
    click(6);
    QVERIFY(m_hand->isValidSelection());
    QSignalSpy exchanged(m_cards.get(), &Cards::exchanged);
    QSignalSpy invalid(m_cards.get(), &Cards::invalidSelection);
    m_cards->exchange();
    QCOMPARE(exchanged.count(), 1);
    QCOMPARE(exchanged.first(), QVariantList({3, 0, 2}));
    QCOMPARE(invalid.count(), 1);
    QCOMPARE(m_hand->cards(), QList<int>({1, 0, 2, 1}));
    for (int i = 0; i < 4; ++i)
        QVERIFY(!m_hand->isSelected(i));
    QCOMPARE(m_hand->first(), 0);
    QCOMPARE(m_cards->scrollBar()->value(), 0);
    QVERIFY(m_cards->scrollBar()->isHidden());
}

void TestCards::resetEmptiesHand()
{
    deal({0, 1, 2, 3, 0, 1, 2});
    m_cards->scrollBar()->setValue(1);
    click(1);
    m_cards->reset();
    QVERIFY(m_hand->cards().isEmpty());
    QCOMPARE(m_hand->first(), 0);
    QVERIFY(m_cards->scrollBar()->isHidden());
    QCOMPARE(m_cards->scrollBar()->maximum(), 0);
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
    const QRect frame(picture.topLeft() - QPoint(2, 2), picture.size() + QSize(4, 4));
    for (QPoint corner :
         {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
        QCOMPARE(shot.pixelColor(corner), QColor(Qt::black));
    QVERIFY(shot.pixelColor(frame.bottomRight() + QPoint(1, 1)) != Qt::black);
    QVERIFY(shot.pixelColor(m_hand->pictureRect(0).topLeft() - QPoint(2, 2)) != Qt::black);
    // The card picture itself is drawn, not left as background.
    const QImage horseman(QStringLiteral("Cards/Horseman.png"));
    QCOMPARE(shot.pixelColor(m_hand->pictureRect(0).center()),
             horseman.pixelColor(horseman.rect().center()));

    // With a game, its option icons stand at the top-right corner.
    const QColor background = shot.pixelColor(m_hand->width() - 5, 8);
    GameRecord game;
    game.options.capitals = true;
    game.options.timerMode = 2;
    m_cards->setGameItem(&game);
    QCOMPARE(m_hand->gameItem()->options.capitals, true);
    shot = m_hand->grab().toImage();
    const int left = m_hand->width() - game.optionsWidth();
    bool drawn = false;
    for (int x = left; x < m_hand->width(); ++x) {
        for (int y = 2; y < 18; ++y)
            drawn = drawn || shot.pixelColor(x, y) != background;
    }
    QVERIFY(drawn);
    for (int y = 0; y < CardsWidget::CardTop - 2; ++y)
        QCOMPARE(shot.pixelColor(left - 1, y), background);
    m_cards->setGameItem(nullptr);
    QVERIFY(!m_hand->gameItem());
    QCOMPARE(m_hand->grab().toImage().pixelColor(m_hand->width() - 5, 8), background);
}

QTEST_MAIN(TestCards)
#include "tst_cards.moc"
