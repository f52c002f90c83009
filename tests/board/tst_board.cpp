#include "barstate.h"
#include "buttonbar.h"
#include "cards.h"
#include "cardswidget.h"
#include "clock.h"
#include "die.h"
#include "move.h"
#include "playerlist.h"
#include "statisticspie.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <numeric>

// The small displays beside the board: the pies' angles, the dice's pips, the
// player list's colours, the button bar showing its state (whose table is
// BarState's test's) and forwarding clicks, and the turn clock. The two
// panels beside the board. The card hand: press-and-release selection, the
// scroll bar for long hands and the exchange; codes 0 horseman, 1 cannon, 2
// footman, 3 joker. The move panel: the slider's ranges, the previews, and
// what Ok, Reset and the keys report in move and in take mode.
class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pieAngles();
    void diePips_data();
    void diePips();
    void entriesBySeatAndName();
    void buttonsForwardClicks();
    void buttonBarShowsItsState();
    void buttonTooltips();
    void clock();

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
    QPushButton* moveButton(const char* name) const
    {
        return m_move->findChild<QPushButton*>(QLatin1String(name));
    }

    std::unique_ptr<Cards> m_cards;
    CardsWidget* m_hand = nullptr;
    std::unique_ptr<Move> m_move;
};

using Ints = QList<int>;
using Signals = QList<QVariantList>;

// The move panel takes the keys, so it is shown last and made active.
void TestBoard::init()
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

void TestBoard::cleanup()
{
    m_move.reset();
    m_cards.reset();
}

void TestBoard::pieAngles()
{
    // Sixteenths of a degree; thirds share the circle exactly.
    StatisticsPie thirds(QStringLiteral("Armies"), 3);
    for (int i = 0; i < 3; ++i)
        thirds.set(i, 1);
    QCOMPARE(thirds.angles(), (Ints{1920, 1920, 1920}));

    StatisticsPie pie(QStringLiteral("Countries"));
    pie.add(0, 1);
    pie.add(2, 2);
    pie.add(5, 4);
    // 822 + 1645 + 3291 leaves 2 sixteenths to hand out, at random.
    QSet<Ints> seen;
    for (int run = 0; run < 200; ++run) {
        const Ints a = pie.angles();
        QCOMPARE(std::accumulate(a.begin(), a.end(), 0), StatisticsPie::FullCircle);
        QCOMPARE(a[1] + a[3] + a[4], 0);
        QVERIFY(a[0] >= 822 && a[2] >= 1645 && a[5] >= 3291);
        seen.insert(a);
    }
    QVERIFY(seen.size() > 1);

    pie.clear();
    QVERIFY(pie.angles().isEmpty());
    // Slices outside the table are ignored.
    pie.add(-1, 5);
    pie.add(6, 5);
    pie.set(-1, 3);
    pie.setColor(-1, Qt::red);
    QCOMPARE(pie.total(), 0);
    // A slice driven below zero must not open or overfill the pie.
    pie.add(0, 3);
    pie.add(1, 1);
    pie.add(2, -1);
    const Ints a = pie.angles();
    QCOMPARE(a[2], 0);
    QCOMPARE(std::accumulate(a.begin(), a.end(), 0), StatisticsPie::FullCircle);
}

void TestBoard::diePips_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QList<QRect>>("pips");
    auto pip = [](int x, int y) {
        return QRect(x, y, 5, 5);
    };
    const QColor yellow(Qt::yellow);
    QTest::newRow("0 hides") << 0 << yellow << QList<QRect>{};
    QTest::newRow("7 hides") << 7 << yellow << QList<QRect>{};
    // Pips stand out on dark dice too.
    QTest::newRow("1 on blue") << 1 << QColor(Qt::blue) << QList<QRect>{pip(10, 10)};
    QTest::newRow("6") << 6 << yellow << QList<QRect>{pip(3, 3),  pip(17, 17), pip(17, 3),
                                                      pip(3, 17), pip(3, 10),  pip(17, 10)};
}

void TestBoard::diePips()
{
    QFETCH(int, value);
    QFETCH(QColor, colour);
    QFETCH(QList<QRect>, pips);
    Die die;
    die.set(colour, value);
    QCOMPARE(die.pips(), pips);
    QCOMPARE(die.value(), pips.isEmpty() ? 0 : value);

    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    die.draw(painter);
    painter.end();
    // A hidden die leaves the picture untouched; the centre shows a pip exactly
    // for the odd values.
    const QRgb face = image.pixel(12, 6), centre = image.pixel(12, 12);
    QCOMPARE(face, pips.isEmpty() ? QColor(Qt::gray).rgb() : colour.rgb());
    QCOMPARE(std::abs(qGray(centre) - qGray(face)) > 100, !pips.isEmpty() && value % 2 == 1);
}

void TestBoard::entriesBySeatAndName()
{
    PlayerList list;
    list.setRobot(0, QStringLiteral("Max"), 1700, 3, 12);
    list.setPlayer(4, QStringLiteral("Max"), 1500, 1, 2, false, false, false, false);
    list.setSeatColor(4, Qt::cyan);
    list.setSeatColor(6, Qt::red);
    QCOMPARE(list.seatColorOf(QStringLiteral("Max"), true), QColor(Qt::cyan));
    QCOMPARE(list.seatColorOf(QStringLiteral("Max"), false), QColor(Qt::yellow));
    QCOMPARE(list.seatColor(-1), QColor(Qt::white));
    QCOMPARE(list.seatColor(6), QColor(Qt::white));
    // A four-digit rating fits its column.
    QVERIFY(list.columnWidth(3) > list.fontMetrics().horizontalAdvance(QStringLiteral("8888")));
}

namespace {

// In BarState's button order; the first four toggles are its toggles.
const char* const KeyWords[] = {"Chat", "Users",  "Leave", "Start", "Place",  "Attack", "DoOrDie",
                                "Move", "Finish", "Store", "Cards", "Config", "Robot"};
const char* const Toggles[] = {"Place", "Attack", "DoOrDie", "Move"};

QToolButton* button(const ButtonBar& bar, const char* keyWord)
{
    return bar.findChild<QToolButton*>(QStringLiteral("Button") + QLatin1String(keyWord));
}

// The box sits inside the 4-pixel margin; its fill shows at (6, 6).
bool showsRedBox(Clock& clock)
{
    return clock.grab().toImage().pixelColor(6, 6) == QColor(Qt::red);
}

} // namespace

void TestBoard::buttonsForwardClicks()
{
    ButtonBar bar;
    void (ButtonBar::*forwarded[])() = {&ButtonBar::chat,    &ButtonBar::users, &ButtonBar::leave,
                                        &ButtonBar::start,   &ButtonBar::place, &ButtonBar::attack,
                                        &ButtonBar::doOrDie, &ButtonBar::move,  &ButtonBar::finish,
                                        &ButtonBar::store,   &ButtonBar::cards, &ButtonBar::config,
                                        &ButtonBar::robot};
    for (int i = 0; i < 13; ++i) {
        button(bar, KeyWords[i])->setEnabled(true);
        QSignalSpy spy(&bar, forwarded[i]);
        button(bar, KeyWords[i])->click();
        QVERIFY2(spy.count() == 1, KeyWords[i]);
    }
}

void TestBoard::buttonBarShowsItsState()
{
    ButtonBar bar;
    bar.connected();
    bar.inGame();
    bar.more(false);
    const BarState expected = BarState().connected().inGame().more(false);
    QCOMPARE(bar.state(), expected);
    for (int i = 0; i < BarState::ButtonCount; ++i)
        QVERIFY2(button(bar, KeyWords[i])->isEnabled() == expected.isEnabled(BarState::Button(i)),
                 KeyWords[i]);
    for (int i = 0; i < BarState::ToggleCount; ++i)
        QVERIFY2(button(bar, Toggles[i])->isChecked() == expected.isToggled(BarState::Toggle(i)),
                 Toggles[i]);
    // A click on a toggle button is kept when the next state comes.
    QTest::mouseClick(button(bar, "Attack"), Qt::LeftButton);
    QVERIFY(bar.state().isToggled(BarState::AttackToggle));
    bar.setFinishEnabled(false);
    QVERIFY(button(bar, "Attack")->isChecked());
    // The toggle slots leave the enabled state alone.
    bar.notConnected();
    bar.setAttackToggled(true);
    QVERIFY(button(bar, "Attack")->isChecked() && !button(bar, "Attack")->isEnabled());
}

// Every button's tooltip names it, its keys and what it does; a reason why
// it is off shows only while it is off.
void TestBoard::buttonTooltips()
{
    ButtonBar bar;
    QStringList descriptions;
    for (int i = 0; i < BarState::ButtonCount; ++i) {
        const auto which = BarState::Button(i);
        const QString tip = button(bar, KeyWords[i])->toolTip();
        QVERIFY2(tip.endsWith(u'\n' + ButtonBar::description(which)), KeyWords[i]);
        descriptions << ButtonBar::description(which);
    }
    QCOMPARE(QSet<QString>(descriptions.begin(), descriptions.end()).size(), 13);
    QVERIFY(button(bar, "Attack")->toolTip().startsWith(QLatin1String("Attack (A)\n")));
    QVERIFY(button(bar, "Finish")->toolTip().startsWith(QLatin1String("Finish (F, Return)\n")));
    bar.setKeyText(BarState::Users, QStringLiteral("Ctrl+U"));
    QVERIFY(button(bar, "Users")->toolTip().startsWith(QLatin1String("Users (Ctrl+U)\n")));

    const QString reason = QStringLiteral("Start needs a second player");
    bar.setDisabledReason(BarState::Start, reason);
    QVERIFY(button(bar, "Start")->toolTip().endsWith(u'\n' + reason));
    bar.setStartEnabled(true);
    QVERIFY(!button(bar, "Start")->toolTip().contains(reason));
    bar.setStartEnabled(false);
    QVERIFY(button(bar, "Start")->toolTip().endsWith(u'\n' + reason));
    bar.setDisabledReason(BarState::Start, QString());
    QVERIFY(button(bar, "Start")->toolTip().endsWith(ButtonBar::description(BarState::Start)));
}

// The turn clock counts down in minutes and seconds, shows the red box in the
// last ten seconds and stops at zero, whatever time the server gave.
void TestBoard::clock()
{
    ButtonBar bar;
    Clock* clock = bar.clock();
    clock->resize(120, 40);
    for (const auto& [seconds, text, warning] :
         {std::tuple{75, "01:15", false}, {10, "00:10", true}, {-30, "00:00", false}}) {
        bar.setTimer(seconds);
        QCOMPARE(clock->text(), QString::fromLatin1(text));
        QCOMPARE(clock->isWarning(), warning);
        QCOMPARE(showsRedBox(*clock), warning);
    }
    bar.setTimer(1);
    QVERIFY(clock->isCounting());
    QTRY_VERIFY_WITH_TIMEOUT(!clock->isCounting(), 3000);
    QCOMPARE(clock->text(), QStringLiteral("00:00"));
    QVERIFY(!showsRedBox(*clock));
}

void TestBoard::pressAndReleaseOnDifferentCards()
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
void TestBoard::scrollBarFollowsHand()
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
void TestBoard::exchangeKeepsOrderAndResetEmpties()
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

void TestBoard::open(int leftArmies, int rightArmies)
{
    m_move->setCountry1(4, QStringLiteral("Alpha"), leftArmies);
    m_move->setCountry2(9, QStringLiteral("Beta"), rightArmies);
    m_move->doMove();
}

void TestBoard::moveRange_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::newRow("right side has one army") << 5 << 1 << 0 << 4;
    QTest::newRow("seven at most either way") << 20 << 12 << -7 << 7;
    QTest::newRow("left side has one army") << 1 << 6 << -5 << 0;
}

void TestBoard::moveRange()
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

void TestBoard::okInMoveMode_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<Signals>("moves");
    QTest::addColumn<Signals>("previews");
    QTest::addColumn<int>("cancels");
    QTest::newRow("left to right") << 2 << Signals({{4, 9, 2}}) << Signals() << 0;
    QTest::newRow("right to left") << -3 << Signals({{9, 4, 3}}) << Signals() << 0;
    QTest::newRow("nothing moves") << 0 << Signals() << Signals({{4, 6}, {9, 5}}) << 1;
}

void TestBoard::okInMoveMode()
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
    QTest::mouseClick(moveButton("MoveOk"), Qt::LeftButton);
    QCOMPARE(Signals(move), moves);
    QCOMPARE(Signals(preview), previews);
    QCOMPARE(cancel.count(), cancels);
    QCOMPARE(take.count(), 0);
}

void TestBoard::takeMode()
{
    m_move->setCountry1(4, QStringLiteral("Alpha"), 10);
    m_move->setCountry2(9, QStringLiteral("Beta"), 0);
    QSignalSpy preview(m_move.get(), &Move::changeCountry);
    QSignalSpy take(m_move.get(), &Move::take);
    QSignalSpy cancel(m_move.get(), &Move::cancel);
    m_move->doTake(3, 9);
    QVERIFY(!moveButton("CancelButton")->isEnabled());
    QCOMPARE(Signals(preview), Signals({{4, 1}, {9, 9}}));
    preview.clear();
    QTest::mouseClick(moveButton("MoveReset"), Qt::LeftButton);
    QCOMPARE(Signals(preview), Signals({{4, 7}, {9, 3}}));
    // Escape cannot back out of the conquest; Return takes.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(cancel.count(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(Signals(take), Signals({{3}}));
}

// Reset in move mode goes back to no move at all; Escape cancels.
void TestBoard::resetAndEscape()
{
    open(6, 5);
    QSignalSpy cancel(m_move.get(), &Move::cancel);
    m_move->slider()->setValue(-2);
    QTest::mouseClick(moveButton("MoveReset"), Qt::LeftButton);
    QCOMPARE(m_move->value(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(cancel.count(), 1);
}

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
