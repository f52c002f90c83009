#include "turn.h"

#include <QTest>

Q_DECLARE_METATYPE(TurnStep)
Q_DECLARE_METATYPE(TakeChoice)

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

QString modeName(const std::optional<MapMode>& mode)
{
    static const char* const names[] = {"Idle",        "PaintBorders",     "EraseBorders",
                                        "PickArea",    "PickTextPosition", "PickNeighbours",
                                        "PickCapital", "PlaceInitial",     "Place",
                                        "Move",        "Attack",           "Preview"};
    return mode ? QLatin1String(names[int(*mode)]) : QStringLiteral("unchanged");
}

QString barName(const TurnStep& step)
{
    if (!step.bar)
        return QStringLiteral("unchanged");
    static const char* const names[] = {"notPlaying()", "placing()", "decide", "more",
                                        "moveState()"};
    QString name = QLatin1String(names[int(*step.bar)]);
    if (*step.bar == BarTurn::Decide || *step.bar == BarTurn::More)
        name += step.attackStyle ? QStringLiteral("(true)") : QStringLiteral("(false)");
    return name;
}

// Each line as "seat: text", the seat whose colour marks it.
QStringList lineTexts(const TurnStep& step)
{
    QStringList texts;
    for (const TurnLine& line : step.lines)
        texts << QStringLiteral("%1: %2").arg(line.seat).arg(line.text);
    return texts;
}

} // namespace

void TestTurn::steps_data()
{
    QTest::addColumn<TurnStep>("step");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QStringList>("lines");

    const auto row = [](const char* name, const TurnStep& step, const char* mode, const char* bar,
                        const QStringList& lines = {}) {
        QTest::newRow(name) << step << QString::fromLatin1(mode) << QString::fromLatin1(bar)
                            << lines;
    };
    const QString anna = QStringLiteral("Anna");
    const QString alpha = QStringLiteral("Alpha");
    const QString beta = QStringLiteral("Beta");
    const QString received = QStringLiteral("-1: All players receive 30 armies");
    row("init, watching", Turn::init(30, Watching, true, true, 30), "Idle", "unchanged",
        {received});
    row("init, own game with capitals", Turn::init(30, Me, true, true, 27), "PickCapital",
        "unchanged", {received, QStringLiteral("2: Please pick your capital")});
    row("init, own game without capitals", Turn::init(30, Me, true, false, 27), "PlaceInitial",
        "placing()", {received, QStringLiteral("2: You should place 27 armies")});
    row("init, own game not yet known", Turn::init(30, Me, false, false, 27), "unchanged",
        "unchanged", {received});
    row("capital chosen", Turn::capitalChosen(Me, 26), "PlaceInitial", "placing()",
        {QStringLiteral("2: You should place 26 armies")});

    row("place, own seat", Turn::place(Me, anna, 5, Me), "Place", "placing()",
        {QStringLiteral("2: Anna should place 5 armies")});
    row("place, watching", Turn::place(0, QStringLiteral("Cleo"), 3, Watching), "Idle",
        "notPlaying()", {QStringLiteral("0: Cleo should place 3 armies")});

    const QStringList annaChooses{
        QStringLiteral("2: Anna should choose: Place 4 armies or attack")};
    row("decide, own seat, attack style", Turn::decide(Me, anna, 12, Me, false), "Attack",
        "decide(true)", annaChooses);
    row("decide, own seat, do or die style", Turn::decide(Me, anna, 12, Me, true), "Attack",
        "decide(false)", annaChooses);
    row("decide, other seat", Turn::decide(Other, QString(), 2, Me, false), "Idle", "notPlaying()",
        {QStringLiteral("4:  should choose: Place 3 armies or attack")});

    row("more, own seat, attack style", Turn::more(Me, Me, false), "Attack", "more(true)");
    row("more, own seat, do or die style", Turn::more(Me, Me, true), "Attack", "more(false)");
    row("more, other seat", Turn::more(Other, Me, false), "Idle", "notPlaying()");

    row("attack, one die", Turn::attack(alpha, beta, Other, 1, false), "Idle", "unchanged",
        {QStringLiteral("4: Alpha attacks Beta with 1 die")});
    row("attack, three dice", Turn::attack(alpha, beta, Me, 3, false), "Idle", "unchanged",
        {QStringLiteral("2: Alpha attacks Beta with 3 dice")});
    row("attack, do or die with one die", Turn::attack(alpha, beta, Me, 1, true), "Idle",
        "unchanged", {QStringLiteral("2: Alpha attacks Beta (do or die!)")});

    row("Move button", Turn::moveButton(), "Move", "moveState()");
    row("Attack or Do or Die button", Turn::attackButton(), "Attack", "unchanged");
    row("move cancelled, attack style", Turn::cancelMove(false), "Attack", "more(true)");
    row("move cancelled, do or die style", Turn::cancelMove(true), "Attack", "more(false)");
    row("end", Turn::end(), "Idle", "notPlaying()");
    row("winner", Turn::winner(Other, QStringLiteral("Bert")), "Idle", "notPlaying()",
        {QStringLiteral("4: Bert has won the game")});
}

void TestTurn::steps()
{
    QFETCH(TurnStep, step);
    QFETCH(QString, mode);
    QFETCH(QString, bar);
    QFETCH(QStringList, lines);
    QCOMPARE(modeName(step.mode), mode);
    QCOMPARE(barName(step), bar);
    QCOMPARE(lineTexts(step), lines);
}

void TestTurn::take_data()
{
    QTest::addColumn<TakeChoice>("choice");
    QTest::addColumn<TakeChoice>("expected");
    const TakeChoice ignore;
    // The attacking country has 8 armies unless said otherwise: 7 may move.
    QTest::newRow("a choice to make")
        << Turn::take(Me, Me, 8, true, 3) << TakeChoice{TakeChoice::Choose, 3, 7};
    QTest::newRow("all but one must move")
        << Turn::take(Me, Me, 8, true, 7) << TakeChoice{TakeChoice::SendAtOnce, 7, 7};
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
    QCOMPARE(choice.kind, expected.kind);
    QCOMPARE(choice.minimum, expected.minimum);
    QCOMPARE(choice.maximum, expected.maximum);
}

QTEST_GUILESS_MAIN(TestTurn)
#include "tst_turn.moc"
