#include "barstate.h"
#include "buttonbar.h"
#include "clock.h"
#include "die.h"
#include "playerlist.h"
#include "statisticspie.h"

#include <QPainter>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <numeric>

// The small displays beside the board: the pies' angles, the dice's pips, the
// player list's colours, the button bar showing its state (whose table is
// BarState's test's) and forwarding clicks, and the turn clock.
class TestBoardDisplays : public QObject
{
    Q_OBJECT

private slots:
    void pieAngles();
    void diePips_data();
    void diePips();
    void entriesBySeatAndName();
    void buttonsForwardClicks();
    void buttonBarShowsItsState();
    void buttonTooltips();
    void clock();
};

using Ints = QList<int>;

void TestBoardDisplays::pieAngles()
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

void TestBoardDisplays::diePips_data()
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

void TestBoardDisplays::diePips()
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

void TestBoardDisplays::entriesBySeatAndName()
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

void TestBoardDisplays::buttonsForwardClicks()
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

void TestBoardDisplays::buttonBarShowsItsState()
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
void TestBoardDisplays::buttonTooltips()
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
void TestBoardDisplays::clock()
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

QTEST_MAIN(TestBoardDisplays)
#include "tst_boarddisplays.moc"
