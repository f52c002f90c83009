#include "barstate.h"

#include <QTest>

#include <functional>

// Through an alias, so that the registered name is a normalized one.
using Step = std::function<BarState(const BarState&)>;
Q_DECLARE_METATYPE(Step)

namespace {

// Every button and toggle on or off.
BarState all(bool on)
{
    BarState state;
    for (int i = 0; i < BarState::ButtonCount; ++i)
        state = state.withEnabled(BarState::Button(i), on);
    for (int i = 0; i < BarState::ToggleCount; ++i)
        state = state.withToggled(BarState::Toggle(i), on);
    return state;
}

// "1" or "0" per button in their order, a blank, then the four toggles.
QString snapshot(const BarState& state)
{
    QString text;
    for (int i = 0; i < BarState::ButtonCount; ++i)
        text += state.isEnabled(BarState::Button(i)) ? QLatin1Char('1') : QLatin1Char('0');
    text += QLatin1Char(' ');
    for (int i = 0; i < BarState::ToggleCount; ++i)
        text += state.isToggled(BarState::Toggle(i)) ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

} // namespace

// The button bar's states: what each step turns on and off, and what it
// leaves as it was.
class TestBarState : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
};

void TestBarState::steps_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QString>("expected");

    // Buttons: Chat Users Leave Start Place Attack DoOrDie Move Finish Store
    // Cards Config Robot; toggles: Place Attack DoOrDie Move. x: unchanged.
    auto row = [](const char* name, Step step, const char* expected) {
        QTest::newRow(name) << step << QString::fromLatin1(expected);
    };
    row(
        "the start", [](const BarState&) { return BarState(); }, "0000000000010 0000");
    row("connected", &BarState::connected, "111xxxxxxxxxx xxxx");
    row("notConnected", &BarState::notConnected, "00000000000x0 0000");
    row("inGame", &BarState::inGame, "xxxxxxxxx1xxx xxxx");
    row("notInGame", &BarState::notInGame, "xxx00000000x0 0000");
    row("notPlaying", &BarState::notPlaying, "xxxx00000xxxx 0000");
    row("placing", &BarState::placing, "xxxx00000xxxx 1000");
    row(
        "decide(true)", [](const BarState& s) { return s.decide(true); }, "xxxx11100xxxx 0100");
    row(
        "decide(false)", [](const BarState& s) { return s.decide(false); }, "xxxx11100xxxx 0010");
    row(
        "more(true)", [](const BarState& s) { return s.more(true); }, "xxxx01111xxxx 0100");
    row(
        "more(false)", [](const BarState& s) { return s.more(false); }, "xxxx01111xxxx 0010");
    row("moveState", &BarState::moveState, "xxxx01111xxxx 0001");
    row("waiting", &BarState::waiting, "xx1xxxxxxxxxx xxxx");
}

void TestBarState::steps()
{
    QFETCH(Step, step);
    QFETCH(QString, expected);
    for (const bool on : {true, false}) {
        const BarState before = all(on);
        QString wanted = expected;
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            if (wanted.at(i) == QLatin1Char('x'))
                wanted[i] = snapshot(before).at(i);
        }
        QCOMPARE(snapshot(step(before)), wanted);
    }
}

QTEST_GUILESS_MAIN(TestBarState)
#include "tst_barstate.moc"
