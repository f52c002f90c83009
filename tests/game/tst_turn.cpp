#include "barstate.h"
#include "seattable.h"
#include "turn.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(TurnStep)
Q_DECLARE_METATYPE(std::optional<MapMode>)
Q_DECLARE_METATYPE(std::optional<BarTurn>)

// The local player's turn without widgets: the state machine's step for each
// message or action and condition (the board's mode, the button bar's state
// and the output lines), the bar's states themselves, and the six seats.
class TestTurn : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void take();

    void barStates_data();
    void barStates();

    void seatOfAndMasks();
    void seatEntries();
    void exchanges();
};

namespace {

constexpr int Me = 2;
constexpr int Other = 4;
constexpr int Watching = -1;

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

void human(SeatTable& seats, int seat, const QString& name)
{
    seats.setPlayer(seat, name, 1500, 1, 0, false, false, false, false);
}

} // namespace

void TestTurn::steps_data()
{
    // The mode and the bar's state a step sets (none: unchanged), whether
    // Attack shows pressed in Decide and More, and its lines as "seat: text".
    QTest::addColumn<TurnStep>("step");
    QTest::addColumn<std::optional<MapMode>>("mode");
    QTest::addColumn<std::optional<BarTurn>>("bar");
    QTest::addColumn<bool>("attackStyle");
    QTest::addColumn<QStringList>("lines");

    const auto row = [](const char* name, const TurnStep& step, std::optional<MapMode> mode,
                        std::optional<BarTurn> bar, const QStringList& lines = {},
                        bool attackStyle = false) {
        QTest::newRow(name) << step << mode << bar << attackStyle << lines;
    };
    using M = MapMode;
    using B = BarTurn;
    const std::nullopt_t same = std::nullopt;
    const QString anna = QStringLiteral("Anna");
    const QString alpha = QStringLiteral("Alpha");
    const QString beta = QStringLiteral("Beta");
    const QString received = QStringLiteral("-1: All players receive 30 armies");
    row("init, watching", Turn::init(30, Watching, true, true, 30), M::Idle, same, {received});
    row("init, own game with capitals", Turn::init(30, Me, true, true, 27), M::PickCapital, same,
        {received, QStringLiteral("2: Please pick your capital")});
    row("init, own game without capitals", Turn::init(30, Me, true, false, 27), M::PlaceInitial,
        B::Placing, {received, QStringLiteral("2: You should place 27 armies")});
    row("init, own game not yet known", Turn::init(30, Me, false, false, 27), same, same,
        {received});
    row("capital chosen", Turn::capitalChosen(Me, 26), M::PlaceInitial, B::Placing,
        {QStringLiteral("2: You should place 26 armies")});

    row("place, own seat", Turn::place(Me, anna, 5, Me), M::Place, B::Placing,
        {QStringLiteral("2: Anna should place 5 armies")});
    row("place, watching", Turn::place(0, QStringLiteral("Cleo"), 3, Watching), M::Idle,
        B::NotPlaying, {QStringLiteral("0: Cleo should place 3 armies")});

    row("decide, own seat", Turn::decide(Me, anna, 12, Me, false), M::Attack, B::Decide,
        {QStringLiteral("2: Anna should choose: Place 4 armies or attack")}, true);
    row("decide, other seat", Turn::decide(Other, QString(), 2, Me, false), M::Idle, B::NotPlaying,
        {QStringLiteral("4:  should choose: Place 3 armies or attack")});

    row("more, own seat, do or die style", Turn::more(Me, Me, true), M::Attack, B::More);
    row("more, other seat", Turn::more(Other, Me, false), M::Idle, B::NotPlaying);

    row("attack, one die", Turn::attack(alpha, beta, Other, 1, false), M::Idle, same,
        {QStringLiteral("4: Alpha attacks Beta with 1 die")});
    row("attack, three dice", Turn::attack(alpha, beta, Me, 3, false), M::Idle, same,
        {QStringLiteral("2: Alpha attacks Beta with 3 dice")});
    row("attack, do or die with one die", Turn::attack(alpha, beta, Me, 1, true), M::Idle, same,
        {QStringLiteral("2: Alpha attacks Beta (do or die!)")});

    row("Move button", Turn::moveButton(), M::Move, B::MoveState);
    row("Attack or Do or Die button", Turn::attackButton(), M::Attack, same);
    row("move cancelled", Turn::cancelMove(false), M::Attack, B::More, {}, true);
    row("winner", Turn::winner(Other, QStringLiteral("Bert")), M::Idle, B::NotPlaying,
        {QStringLiteral("4: Bert has won the game")});
}

void TestTurn::steps()
{
    QFETCH(TurnStep, step);
    QTEST(step.mode, "mode");
    QTEST(step.bar, "bar");
    if (step.bar == BarTurn::Decide || step.bar == BarTurn::More)
        QTEST(step.attackStyle, "attackStyle");
    QStringList lines;
    for (const TurnLine& line : step.lines)
        lines << QStringLiteral("%1: %2").arg(line.seat).arg(line.text);
    QTEST(lines, "lines");
}

void TestTurn::take()
{
    // The attacking country has 8 armies unless said otherwise: 7 may move.
    // "forced, conquered country unknown" and "minimum above what can move"
    // send the minimum at once.
    using C = TakeChoice;
    QCOMPARE(Turn::take(Me, Me, 8, true, 3), (C{C::Choose, 3, 7}));
    QCOMPARE(Turn::take(Me, Me, 4, false, 3), (C{C::SendAtOnce, 3, 3}));
    QCOMPARE(Turn::take(Me, Me, 2, true, 3), (C{C::SendAtOnce, 3, 3}));
    // Not the local player's choice: the conquered country is unknown, the
    // country is another seat's, or the local client watches.
    QCOMPARE(Turn::take(Me, Me, 8, false, 3), C());
    QCOMPARE(Turn::take(Me, Other, 8, true, 3), C());
    QCOMPARE(Turn::take(Watching, Watching, 8, true, 3), C());
}

// What each of the bar's steps turns on and off, and what it leaves as it
// was.
void TestTurn::barStates_data()
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

void TestTurn::barStates()
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

// Finding a seat by name, the flags a robot never carries, cards and
// exchanges, and the masks' flags by name.
void TestTurn::seatOfAndMasks()
{
    SeatTable seats;
    seats.setRobot(0, QStringLiteral("Max"), 1700, 3, 12);
    human(seats, 4, QStringLiteral("Max"));
    QCOMPARE(seats.seatOf(QStringLiteral("Max"), false), 0);
    QCOMPARE(seats.seatOf(QStringLiteral("Max"), true), 4);
    QCOMPARE(seats.seatOf(QStringLiteral("max"), false), -1);

    // The masks reach humans of the name in any case, and no robot.
    human(seats, 1, QStringLiteral("Eve"));
    seats.setRobot(2, QStringLiteral("eve"), 1500, 1, 0);
    human(seats, 3, QStringLiteral("EVE"));
    human(seats, 5, QStringLiteral("Evelyn"));
    seats.makeFriend(QStringLiteral("eVe"), true);
    seats.makeEnemy(QStringLiteral("eve"), true);
    for (int seat : {1, 3})
        QVERIFY(seats.entry(seat)->isFriend && seats.entry(seat)->isEnemy);
    for (int seat : {2, 5})
        QVERIFY(!seats.entry(seat)->isFriend && !seats.entry(seat)->isEnemy);
    seats.makeFriend(QStringLiteral("EVE"), false);
    QVERIFY(!seats.entry(1)->isFriend && seats.entry(1)->isEnemy);
}

void TestTurn::seatEntries()
{
    SeatTable seats;
    seats.setPlayer(2, QStringLiteral("Kim"), 1610, 4, 33, false, true, true, true);
    QCOMPARE(*seats.entry(2),
             (PlayerEntry{QStringLiteral("Kim"), false, 1610, 4, 33, 0, 0, true, true, true}));
    seats.setPlayer(2, QStringLiteral("Kim"), 1610, 4, 33, true, true, true, true);
    QCOMPARE(*seats.entry(2), (PlayerEntry{QStringLiteral("Kim"), true, 1610, 4, 33}));
    // A robot taking the seat over starts without flags and without cards.
    seats.setPlayer(2, QStringLiteral("Kim"), 1610, 4, 33, false, true, true, true);
    seats.setCards(2, 4);
    seats.setRobot(2, QStringLiteral("Bot"), 1500, 1, 0);
    QCOMPARE(*seats.entry(2), (PlayerEntry{QStringLiteral("Bot"), true, 1500, 1, 0}));
    seats.clear();

    // Seats outside the table are no seats.
    QSignalSpy changed(&seats, &SeatTable::changed);
    human(seats, 6, QStringLiteral("Nobody"));
    seats.setRobot(-1, QStringLiteral("Nobody"), 1, 1, 1);
    seats.removePlayer(6);
    seats.setCards(0, 3);
    seats.exchanged(0, 5);
    QVERIFY(changed.isEmpty());
    QVERIFY(!seats.entry(6) && !seats.entry(-1) && !seats.entry(0));
    QCOMPARE(seats.seatOf(QStringLiteral("Nobody"), false), -1);

    // Clearing empties the seats and forgets the current one.
    human(seats, 5, QStringLiteral("Ann"));
    seats.setCurrent(5);
    seats.clear();
    QCOMPARE(seats.current(), -1);
    QVERIFY(!seats.entry(5));
}

void TestTurn::exchanges()
{
    // Cards before, armies received before, armies of the exchange; the
    // cards and armies after. A card count that arrives late never goes
    // below nothing.
    const QList<std::array<int, 5>> rows = {{5, 0, 4, 2, 4}, {3, 10, 8, 0, 18}, {2, 0, 6, 0, 6}};
    for (const auto& [cards, received, armies, cardsAfter, armiesAfter] : rows) {
        SeatTable seats;
        human(seats, 3, QStringLiteral("Eve"));
        seats.setCards(3, cards);
        seats.setCardArmies(3, received);
        seats.exchanged(3, armies);
        QCOMPARE(seats.entry(3)->cards, cardsAfter);
        QCOMPARE(seats.entry(3)->cardArmies, armiesAfter);
    }
}

QTEST_GUILESS_MAIN(TestTurn)
#include "tst_turn.moc"
