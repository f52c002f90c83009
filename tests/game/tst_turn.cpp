#include "turn.h"

#include <QTest>

Q_DECLARE_METATYPE(TurnStep)
Q_DECLARE_METATYPE(TakeChoice)
Q_DECLARE_METATYPE(std::optional<MapMode>)
Q_DECLARE_METATYPE(std::optional<BarTurn>)

// The local player's turn state machine, one row per message or action and
// condition: the board's mode, the button bar's state and the output lines.
class TestTurn : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void take_data();
    void take();
};

namespace {

constexpr int Me = 2;
constexpr int Other = 4;
constexpr int Watching = -1;

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

void TestTurn::take_data()
{
    QTest::addColumn<TakeChoice>("choice");
    QTest::addColumn<TakeChoice>("expected");
    const TakeChoice ignore;
    // The attacking country has 8 armies unless said otherwise: 7 may move.
    QTest::newRow("a choice to make")
        << Turn::take(Me, Me, 8, true, 3) << TakeChoice{TakeChoice::Choose, 3, 7};
    QTest::newRow("forced, conquered country unknown")
        << Turn::take(Me, Me, 4, false, 3) << TakeChoice{TakeChoice::SendAtOnce, 3, 3};
    QTest::newRow("minimum above what can move")
        << Turn::take(Me, Me, 2, true, 3) << TakeChoice{TakeChoice::SendAtOnce, 3, 3};
    QTest::newRow("conquered country unknown") << Turn::take(Me, Me, 8, false, 3) << ignore;
    QTest::newRow("another seat's country") << Turn::take(Me, Other, 8, true, 3) << ignore;
    QTest::newRow("watching") << Turn::take(Watching, Watching, 8, true, 3) << ignore;
}

void TestTurn::take()
{
    QFETCH(TakeChoice, choice);
    QFETCH(TakeChoice, expected);
    QCOMPARE(choice, expected);
}

QTEST_GUILESS_MAIN(TestTurn)
#include "tst_turn.moc"
