#include "barstate.h"
#include "buttonbar.h"
#include "clock.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <functional>

// The button bar's states against their table, its signals, and the turn
// clock's countdown and warning box.
class TestButtonBar : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void buttonsForwardClicks();
    void stateSlots();
    void toggleSlotsLeaveEnabledAlone();
    void clockShowsMinutesAndSeconds();
    void clockWarningBox_data();
    void clockWarningBox();
    void clockStopsAtZero();
};

namespace {

const char* const KeyWords[] = {"Chat", "Users",  "Leave", "Start", "Place",  "Attack", "DoOrDie",
                                "Move", "Finish", "Store", "Cards", "Config", "Robot"};
const char* const Toggles[] = {"Place", "Attack", "DoOrDie", "Move"};

QToolButton* button(const ButtonBar& bar, const char* keyWord)
{
    return bar.findChild<QToolButton*>(QStringLiteral("Button") + QLatin1String(keyWord));
}

// The buttons' enabled states, in KeyWords order, as "1", "0" per button,
// then the four toggles.
QString snapshot(const ButtonBar& bar)
{
    QString text;
    for (const char* word : KeyWords)
        text += button(bar, word)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    text += QLatin1Char(' ');
    for (const char* word : Toggles)
        text += button(bar, word)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

void setAll(ButtonBar& bar, bool enabled, bool toggled)
{
    for (const char* word : KeyWords)
        button(bar, word)->setEnabled(enabled);
    for (const char* word : Toggles)
        button(bar, word)->setChecked(toggled);
}

// The box sits inside the 4-pixel margin; its fill shows at (6, 6).
bool showsRedBox(Clock& clock)
{
    return clock.grab().toImage().pixelColor(6, 6) == QColor(Qt::red);
}

} // namespace

void TestButtonBar::construction()
{
    ButtonBar bar;
    QCOMPARE(snapshot(bar), QStringLiteral("0000000000010 0000"));
    for (const char* word : KeyWords) {
        QToolButton* b = button(bar, word);
        QVERIFY2(b, word);
        QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(b->autoRaise());
    }
    QCOMPARE(button(bar, "DoOrDie")->text(), QStringLiteral("Do or Die"));
    for (const char* word : Toggles)
        QVERIFY(button(bar, word)->isCheckable());
    QVERIFY(!button(bar, "Finish")->isCheckable());
    QVERIFY(bar.findChild<Clock*>(QStringLiteral("Clock")));
    QCOMPARE(bar.clock()->text(), QStringLiteral("00:00"));
}

void TestButtonBar::buttonsForwardClicks()
{
    ButtonBar bar;
    void (ButtonBar::*forwarded[])() = {&ButtonBar::chat,    &ButtonBar::users, &ButtonBar::leave,
                                        &ButtonBar::start,   &ButtonBar::place, &ButtonBar::attack,
                                        &ButtonBar::doOrDie, &ButtonBar::move,  &ButtonBar::finish,
                                        &ButtonBar::store,   &ButtonBar::cards, &ButtonBar::config,
                                        &ButtonBar::robot};
    setAll(bar, true, false);
    for (int i = 0; i < 13; ++i) {
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

// Each row is run twice, from all buttons and toggles on and from all off; an
// "x" in the expected text is a blank cell of the table: the value before.
// Columns: Chat Users Leave Start Place Attack DoOrDie Move Finish Store Cards
// Config Robot, a space, then the Place, Attack, Do or Die and Move toggles.
// The state slots show the state's own step; the steps are tested with the
// state itself.
void TestButtonBar::stateSlots()
{
    ButtonBar bar;
    bar.connected();
    bar.inGame();
    bar.more(false);
    const BarState expected = BarState().connected().inGame().more(false);
    QCOMPARE(bar.state(), expected);
    for (int i = 0; i < BarState::ButtonCount; ++i)
        QCOMPARE(button(bar, KeyWords[i])->isEnabled(), expected.isEnabled(BarState::Button(i)));
    for (int i = 0; i < BarState::ToggleCount; ++i)
        QCOMPARE(button(bar, Toggles[i])->isChecked(), expected.isToggled(BarState::Toggle(i)));

    // A click on a toggle button is kept when the next state comes.
    QTest::mouseClick(button(bar, "Attack"), Qt::LeftButton);
    QVERIFY(bar.state().isToggled(BarState::AttackToggle));
    bar.setFinishEnabled(false);
    QVERIFY(button(bar, "Attack")->isChecked());

    bar.notConnected();
    QCOMPARE(bar.state(), BarState().notConnected());
    QCOMPARE(snapshot(bar), QStringLiteral("0000000000010 0000"));
}

void TestButtonBar::toggleSlotsLeaveEnabledAlone()
{
    ButtonBar bar;
    bar.setAttackToggled(true);
    QVERIFY(button(bar, "Attack")->isChecked());
    QVERIFY(!button(bar, "Attack")->isEnabled());
    bar.setMoveEnabled(true);
    bar.setMoveToggled(true);
    bar.setMoveToggled(false);
    QVERIFY(button(bar, "Move")->isEnabled());
    QVERIFY(!button(bar, "Move")->isChecked());
}

void TestButtonBar::clockShowsMinutesAndSeconds()
{
    ButtonBar bar;
    bar.setTimer(75);
    QCOMPARE(bar.clock()->text(), QStringLiteral("01:15"));
    QVERIFY(bar.clock()->isCounting());
    QVERIFY(!bar.clock()->isWarning());
    bar.setTimer(-30);
    QCOMPARE(bar.clock()->text(), QStringLiteral("00:00"));
    bar.setTimer(3599);
    QCOMPARE(bar.clock()->text(), QStringLiteral("59:59"));
}

void TestButtonBar::clockWarningBox_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<bool>("warning");

    QTest::newRow("11") << 11 << false;
    QTest::newRow("10") << 10 << true;
    QTest::newRow("5") << 5 << true;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("0") << 0 << false;
}

void TestButtonBar::clockWarningBox()
{
    QFETCH(int, seconds);
    QFETCH(bool, warning);
    Clock clock;
    clock.resize(120, 40);
    clock.set(seconds);
    QCOMPARE(clock.isWarning(), warning);
    QCOMPARE(showsRedBox(clock), warning);
    QCOMPARE(clock.text(), QString::asprintf("00:%02d", seconds));
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
