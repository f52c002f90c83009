#include "cards.h"
#include "cardswidget.h"
#include "move.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

// The two panels beside the board. The card hand: press-and-release
// selection, the scroll bar for long hands and the exchange; codes 0 horseman,
// 1 cannon, 2 footman, 3 joker. The move panel: the slider's ranges, the
// previews, and what Ok, Reset and the keys report in move and in take mode.
class TestPanels : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pressAndReleaseOnDifferentCards();
    void scrollBarFollowsHand();
    void exchangeKeepsOrderAndResetEmpties();

    void moveRange_data();
    void moveRange();
    void okInMoveMode_data();
    void okInMoveMode();
    void takeMode();
    void resetAndEscape();

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
    void open(int leftArmies, int rightArmies);
    QPushButton* button(const char* name) const
    {
        return m_move->findChild<QPushButton*>(QLatin1String(name));
    }

    std::unique_ptr<Cards> m_cards;
    CardsWidget* m_hand = nullptr;
    std::unique_ptr<Move> m_move;
};

using Signals = QList<QVariantList>;

// The move panel takes the keys, so it is shown last and made active.
void TestPanels::init()
{
    m_cards = std::make_unique<Cards>();
    m_hand = m_cards->cardsWidget();
    m_cards->resize(m_cards->sizeHint());
    m_cards->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_cards.get()));
    m_move = std::make_unique<Move>();
    m_move->show();
    m_move->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_move.get()));
}

void TestPanels::cleanup()
{
    m_move.reset();
    m_cards.reset();
}

void TestPanels::pressAndReleaseOnDifferentCards()
{
    deal({0, 1, 2});
    pressRelease(centre(0), centre(2));
    QVERIFY(!m_hand->isSelected(0) && m_hand->isSelected(2));
    // A press beside the cards or a release on an empty slot flips nothing.
    pressRelease(QPoint(m_hand->pictureRect(0).left() - 1, centre(0).y()), centre(1));
    pressRelease(centre(1), centre(2) + QPoint(m_hand->width() / CardsWidget::Slots, 0));
    QVERIFY(!m_hand->isSelected(1) && m_hand->isSelected(2));
}

// Five cards fit; the bar comes with the sixth.
void TestPanels::scrollBarFollowsHand()
{
    QScrollBar* bar = m_cards->scrollBar();
    deal({0, 1, 2, 3, 0});
    QVERIFY(bar->isHidden());
    deal({1, 2});
    QCOMPARE(bar->maximum(), 2);
    QVERIFY(!bar->isHidden());
}

// The set rule is the rules' test's; here clicks select a set, a fourth card
// breaks it, and the exchange sends it and keeps the order of the rest.
void TestPanels::exchangeKeepsOrderAndResetEmpties()
{
    // Cannon, horseman, joker, footman, horseman, cannon, footman.
    deal({1, 0, 3, 2, 0, 1, 2});
    QSignalSpy valid(m_cards.get(), &Cards::validSelection);
    QSignalSpy invalid(m_cards.get(), &Cards::invalidSelection);
    QSignalSpy exchanged(m_cards.get(), &Cards::exchanged);
    m_cards->scrollBar()->setValue(2);
    // Slots now show cards 2 to 6; clicks follow the shift to the joker, the
    // horseman and the footman behind it.
    click(2);
    click(4);
    // A refused exchange leaves the selection and says nothing.
    m_cards->exchange();
    QVERIFY(exchanged.isEmpty() && invalid.isEmpty());
    click(6);
    QCOMPARE(valid.count(), 1);
    click(5);
    QCOMPARE(invalid.count(), 1);
    click(5);
    m_cards->exchange();
    QCOMPARE(exchanged.first(), QVariantList({3, 0, 2}));
    QCOMPARE(invalid.count(), 2);
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

void TestPanels::open(int leftArmies, int rightArmies)
{
    m_move->setCountry1(4, QStringLiteral("Alpha"), leftArmies);
    m_move->setCountry2(9, QStringLiteral("Beta"), rightArmies);
    m_move->doMove();
}

void TestPanels::moveRange_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::newRow("right side has one army") << 5 << 1 << 0 << 4;
    QTest::newRow("seven at most either way") << 20 << 12 << -7 << 7;
    QTest::newRow("left side has one army") << 1 << 6 << -5 << 0;
}

void TestPanels::moveRange()
{
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    // A take before leaves the slider elsewhere; the move starts afresh.
    m_move->doTake(2, 3);
    QSignalSpy preview(m_move.get(), &Move::changeCountry);
    open(left, right);
    QCOMPARE(m_move->slider()->minimum(), minimum);
    QCOMPARE(m_move->slider()->maximum(), maximum);
    QCOMPARE(m_move->value(), 0);
    QVERIFY(!m_move->isTakeMode());
    // The board always previews the slider's value, the starting one too.
    QCOMPARE(Signals(preview), Signals({{4, left}, {9, right}}));
}

void TestPanels::okInMoveMode_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<Signals>("moves");
    QTest::addColumn<Signals>("previews");
    QTest::addColumn<int>("cancels");
    QTest::newRow("left to right") << 2 << Signals({{4, 9, 2}}) << Signals() << 0;
    QTest::newRow("right to left") << -3 << Signals({{9, 4, 3}}) << Signals() << 0;
    QTest::newRow("nothing moves") << 0 << Signals() << Signals({{4, 6}, {9, 5}}) << 1;
}

void TestPanels::okInMoveMode()
{
    QFETCH(int, value);
    QFETCH(Signals, moves);
    QFETCH(Signals, previews);
    QFETCH(int, cancels);
    open(6, 5);
    m_move->slider()->setValue(value == 0 ? 1 : value);
    m_move->slider()->setValue(value);

    QSignalSpy move(m_move.get(), &Move::move);
    QSignalSpy take(m_move.get(), &Move::take);
    QSignalSpy cancel(m_move.get(), &Move::cancel);
    QSignalSpy preview(m_move.get(), &Move::changeCountry);
    QTest::mouseClick(button("MoveOk"), Qt::LeftButton);
    QCOMPARE(Signals(move), moves);
    QCOMPARE(Signals(preview), previews);
    QCOMPARE(cancel.count(), cancels);
    QCOMPARE(take.count(), 0);
}

void TestPanels::takeMode()
{
    m_move->setCountry1(4, QStringLiteral("Alpha"), 10);
    m_move->setCountry2(9, QStringLiteral("Beta"), 0);
    QSignalSpy preview(m_move.get(), &Move::changeCountry);
    QSignalSpy take(m_move.get(), &Move::take);
    QSignalSpy cancel(m_move.get(), &Move::cancel);
    m_move->doTake(3, 9);
    QVERIFY(!button("CancelButton")->isEnabled());
    QCOMPARE(Signals(preview), Signals({{4, 1}, {9, 9}}));
    preview.clear();
    QTest::mouseClick(button("MoveReset"), Qt::LeftButton);
    QCOMPARE(Signals(preview), Signals({{4, 7}, {9, 3}}));
    // Escape cannot back out of the conquest; Return takes.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(cancel.count(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(Signals(take), Signals({{3}}));
}

// Reset in move mode goes back to no move at all; Escape cancels.
void TestPanels::resetAndEscape()
{
    open(6, 5);
    QSignalSpy cancel(m_move.get(), &Move::cancel);
    m_move->slider()->setValue(-2);
    QTest::mouseClick(button("MoveReset"), Qt::LeftButton);
    QCOMPARE(m_move->value(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(cancel.count(), 1);
}

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
