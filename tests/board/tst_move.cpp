#include "move.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

// The move panel: the slider's ranges, the previews, and what Ok, Reset,
// Cancel and the keys report in move and in take mode.
class TestMove : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void moveRange_data();
    void moveRange();
    void okInMoveMode_data();
    void okInMoveMode();
    void takeMode();
    void keys();

private:
    void open(int leftArmies, int rightArmies);
    QPushButton* button(const char* name) const
    {
        return m_move->findChild<QPushButton*>(QLatin1String(name));
    }

    std::unique_ptr<Move> m_move;
};

using Signals = QList<QVariantList>;

void TestMove::init()
{
    m_move = std::make_unique<Move>();
    m_move->show();
    QVERIFY(QTest::qWaitForWindowActive(m_move.get()));
}

void TestMove::cleanup()
{
    m_move.reset();
}

void TestMove::open(int leftArmies, int rightArmies)
{
    m_move->setCountry1(4, QStringLiteral("Alpha"), leftArmies);
    m_move->setCountry2(9, QStringLiteral("Beta"), rightArmies);
    m_move->doMove();
}

void TestMove::moveRange_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::newRow("right side has one army") << 5 << 1 << 0 << 4;
    QTest::newRow("seven at most either way") << 20 << 12 << -7 << 7;
    QTest::newRow("left side has one army") << 1 << 6 << -5 << 0;
}

void TestMove::moveRange()
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

void TestMove::okInMoveMode_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<Signals>("moves");
    QTest::addColumn<Signals>("previews");
    QTest::addColumn<int>("cancels");
    QTest::newRow("left to right") << 2 << Signals({{4, 9, 2}}) << Signals() << 0;
    QTest::newRow("right to left") << -3 << Signals({{9, 4, 3}}) << Signals() << 0;
    QTest::newRow("nothing moves") << 0 << Signals() << Signals({{4, 6}, {9, 5}}) << 1;
}

void TestMove::okInMoveMode()
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

void TestMove::takeMode()
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

void TestMove::keys()
{
    open(6, 5);
    QSignalSpy cancel(m_move.get(), &Move::cancel);
    QSignalSpy move(m_move.get(), &Move::move);
    // The arrows drive the slider; Return moves.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Signals(move), Signals({{4, 9, 2}}));
    // Reset in move mode goes back to no move at all.
    open(6, 5);
    m_move->slider()->setValue(-2);
    QTest::mouseClick(button("MoveReset"), Qt::LeftButton);
    QCOMPARE(m_move->value(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(cancel.count(), 1);
}

QTEST_MAIN(TestMove)
#include "tst_move.moc"
