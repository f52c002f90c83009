#include "barstate.h"

#include <QTest>

#include <functional>

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
    QTest::addColumn<QString>("fromOn");
    QTest::addColumn<QString>("fromOff");
    QTest::addColumn<QString>("expected");

    // Each step from every button and toggle on, and from all off. Buttons:
    // Chat Users Leave Start Place Attack DoOrDie Move Finish Store Cards
    // Config Robot; toggles: Place Attack DoOrDie Move. x: unchanged.
    using Step = std::function<BarState(const BarState&)>;
    const auto row = [](const char* name, const Step& step, const char* expected) {
        QTest::newRow(name) << snapshot(step(all(true))) << snapshot(step(all(false)))
                            << QString::fromLatin1(expected);
    };
    const auto styled = [&](const char* name, BarState (BarState::*step)(bool) const, bool attack,
                            const char* expected) {
        row(
            name, [=](const BarState& s) { return (s.*step)(attack); }, expected);
    };
    row(
        "the start", [](const BarState&) { return BarState(); }, "0000000000010 0000");
    row("connected", &BarState::connected, "111xxxxxxxxxx xxxx");
    row("notConnected", &BarState::notConnected, "00000000000x0 0000");
    row("inGame", &BarState::inGame, "xxxxxxxxx1xxx xxxx");
    row("notInGame", &BarState::notInGame, "xxx00000000x0 0000");
    row("notPlaying", &BarState::notPlaying, "xxxx00000xxxx 0000");
    row("placing", &BarState::placing, "xxxx00000xxxx 1000");
    styled("decide(true)", &BarState::decide, true, "xxxx11100xxxx 0100");
    styled("decide(false)", &BarState::decide, false, "xxxx11100xxxx 0010");
    styled("more(true)", &BarState::more, true, "xxxx01111xxxx 0100");
    styled("more(false)", &BarState::more, false, "xxxx01111xxxx 0010");
    row("moveState", &BarState::moveState, "xxxx01111xxxx 0001");
    row("waiting", &BarState::waiting, "xx1xxxxxxxxxx xxxx");
}

void TestBarState::steps()
{
    QFETCH(QString, fromOn);
    QFETCH(QString, fromOff);
    QFETCH(QString, expected);
    for (const bool on : {true, false}) {
        QString wanted = expected;
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            if (wanted.at(i) == QLatin1Char('x'))
                wanted[i] = on ? QLatin1Char('1') : QLatin1Char('0');
        }
        QCOMPARE(on ? fromOn : fromOff, wanted);
    }
}

QTEST_GUILESS_MAIN(TestBarState)
#include "tst_barstate.moc"
