#include "barstate.h"
#include "buttonbar.h"
#include "clock.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

// The button bar showing its state and forwarding its clicks, and the turn
// clock's countdown and warning box. The states themselves are tested on
// BarState.
class TestButtonBar : public QObject
{
    Q_OBJECT

private slots:
    void buttonsForwardClicks();
    void showsItsState();
    void clock_data();
    void clock();
    void clockStopsAtZero();
};

namespace {

// In BarState's button order; the first four toggles are its toggles.
const char* const KeyWords[] = {"Chat", "Users",  "Leave", "Start", "Place",  "Attack", "DoOrDie",
                                "Move", "Finish", "Store", "Cards", "Config", "Robot"};
const char* const Toggles[] = {"Place", "Attack", "DoOrDie", "Move"};

QToolButton* button(const ButtonBar& bar, const char* keyWord)
{
    return bar.findChild<QToolButton*>(QStringLiteral("Button") + QLatin1String(keyWord));
}

void compareButtons(const ButtonBar& bar, const BarState& expected)
{
    QCOMPARE(bar.state(), expected);
    for (int i = 0; i < BarState::ButtonCount; ++i)
        QVERIFY2(button(bar, KeyWords[i])->isEnabled() == expected.isEnabled(BarState::Button(i)),
                 KeyWords[i]);
    for (int i = 0; i < BarState::ToggleCount; ++i)
        QVERIFY2(button(bar, Toggles[i])->isChecked() == expected.isToggled(BarState::Toggle(i)),
                 Toggles[i]);
}

// The box sits inside the 4-pixel margin; its fill shows at (6, 6).
bool showsRedBox(Clock& clock)
{
    return clock.grab().toImage().pixelColor(6, 6) == QColor(Qt::red);
}

} // namespace

void TestButtonBar::buttonsForwardClicks()
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
    // A disabled button says nothing.
    QSignalSpy chats(&bar, &ButtonBar::chat);
    bar.setChatEnabled(false);
    QTest::mouseClick(button(bar, "Chat"), Qt::LeftButton);
    QCOMPARE(chats.count(), 0);
}

void TestButtonBar::showsItsState()
{
    ButtonBar bar;
    compareButtons(bar, BarState());
    bar.connected();
    bar.inGame();
    bar.more(false);
    compareButtons(bar, BarState().connected().inGame().more(false));

    // A click on a toggle button is kept when the next state comes.
    QTest::mouseClick(button(bar, "Attack"), Qt::LeftButton);
    QVERIFY(bar.state().isToggled(BarState::AttackToggle));
    bar.setFinishEnabled(false);
    QVERIFY(button(bar, "Attack")->isChecked());

    bar.notConnected();
    compareButtons(bar, BarState().notConnected());

    // The toggle slots leave the enabled state alone.
    bar.setAttackToggled(true);
    QVERIFY(button(bar, "Attack")->isChecked() && !button(bar, "Attack")->isEnabled());
    bar.setMoveEnabled(true);
    bar.setMoveToggled(true);
    bar.setMoveToggled(false);
    QVERIFY(button(bar, "Move")->isEnabled() && !button(bar, "Move")->isChecked());
}

void TestButtonBar::clock_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("warning");

    QTest::newRow("75") << 75 << "01:15" << false;
    QTest::newRow("10") << 10 << "00:10" << true;
    QTest::newRow("0") << 0 << "00:00" << false;
    QTest::newRow("-30") << -30 << "00:00" << false;
}

void TestButtonBar::clock()
{
    QFETCH(int, seconds);
    QFETCH(bool, warning);
    ButtonBar bar;
    Clock* clock = bar.clock();
    clock->resize(120, 40);
    bar.setTimer(seconds);
    QTEST(clock->text(), "text");
    QCOMPARE(clock->isWarning(), warning);
    QCOMPARE(showsRedBox(*clock), warning);
    if (seconds > 0)
        QVERIFY(clock->isCounting());
}

void TestButtonBar::clockStopsAtZero()
{
    Clock clock;
    clock.resize(120, 40);
    // A fresh clock stops at its first tick.
    QTRY_VERIFY_WITH_TIMEOUT(!clock.isCounting(), 2000);
    clock.set(1);
    QVERIFY(clock.isCounting());
    QVERIFY(showsRedBox(clock));
    QTRY_VERIFY_WITH_TIMEOUT(!clock.isCounting(), 3000);
    QCOMPARE(clock.text(), QStringLiteral("00:00"));
    QVERIFY(!showsRedBox(clock));
}

QTEST_MAIN(TestButtonBar)
#include "tst_buttonbar.moc"
