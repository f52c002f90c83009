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

    const QString received = QStringLiteral("-1: All players receive 30 armies");
    QTest::newRow("init, watching") << Turn::init(30, Watching, true, true, 30) << "Idle"
                                    << "unchanged" << QStringList{received};
    QTest::newRow("init, own game with capitals")
        << Turn::init(30, Me, true, true, 27) << "PickCapital"
        << "unchanged" << QStringList{received, QStringLiteral("2: Please pick your capital")};
    QTest::newRow("init, own game without capitals")
        << Turn::init(30, Me, true, false, 27) << "PlaceInitial"
        << "placing()" << QStringList{received, QStringLiteral("2: You should place 27 armies")};
    QTest::newRow("init, own game not yet known")
        << Turn::init(30, Me, false, false, 27) << "unchanged"
        << "unchanged" << QStringList{received};
    QTest::newRow("capital chosen")
        << Turn::capitalChosen(Me, 26) << "PlaceInitial"
        << "placing()" << QStringList{QStringLiteral("2: You should place 26 armies")};

    QTest::newRow("place, own seat")
        << Turn::place(Me, QStringLiteral("Anna"), 5, Me) << "Place"
        << "placing()" << QStringList{QStringLiteral("2: Anna should place 5 armies")};
    QTest::newRow("place, other seat")
        << Turn::place(Other, QStringLiteral("Bert"), 4, Me) << "Idle"
        << "notPlaying()" << QStringList{QStringLiteral("4: Bert should place 4 armies")};
    QTest::newRow("place, watching")
        << Turn::place(0, QStringLiteral("Cleo"), 3, Watching) << "Idle"
        << "notPlaying()" << QStringList{QStringLiteral("0: Cleo should place 3 armies")};

    const QString annaChooses = QStringLiteral("2: Anna should choose: Place 4 armies or attack");
    QTest::newRow("decide, own seat, attack style")
        << Turn::decide(Me, QStringLiteral("Anna"), 12, Me, false) << "Attack"
        << "decide(true)" << QStringList{annaChooses};
    QTest::newRow("decide, own seat, do or die style")
        << Turn::decide(Me, QStringLiteral("Anna"), 12, Me, true) << "Attack"
        << "decide(false)" << QStringList{annaChooses};
    QTest::newRow("decide, other seat")
        << Turn::decide(Other, QString(), 2, Me, false) << "Idle"
        << "notPlaying()"
        << QStringList{QStringLiteral("4:  should choose: Place 3 armies or attack")};

    QTest::newRow("more, own seat, attack style") << Turn::more(Me, Me, false) << "Attack"
                                                  << "more(true)" << QStringList();
    QTest::newRow("more, own seat, do or die style") << Turn::more(Me, Me, true) << "Attack"
                                                     << "more(false)" << QStringList();
    QTest::newRow("more, other seat") << Turn::more(Other, Me, false) << "Idle"
                                      << "notPlaying()" << QStringList();
    QTest::newRow("more, watching") << Turn::more(Other, Watching, false) << "Idle"
                                    << "notPlaying()" << QStringList();

    QTest::newRow("attack, one die")
        << Turn::attack(QStringLiteral("Alpha"), QStringLiteral("Beta"), Other, 1, false) << "Idle"
        << "unchanged" << QStringList{QStringLiteral("4: Alpha attacks Beta with 1 die")};
    QTest::newRow("attack, three dice")
        << Turn::attack(QStringLiteral("Alpha"), QStringLiteral("Beta"), Me, 3, false) << "Idle"
        << "unchanged" << QStringList{QStringLiteral("2: Alpha attacks Beta with 3 dice")};
    QTest::newRow("attack, no dice")
        << Turn::attack(QStringLiteral("Alpha"), QStringLiteral("Beta"), Me, 0, false) << "Idle"
        << "unchanged" << QStringList{QStringLiteral("2: Alpha attacks Beta with 0 dice")};
    QTest::newRow("attack, do or die with one die")
        << Turn::attack(QStringLiteral("Alpha"), QStringLiteral("Beta"), Me, 1, true) << "Idle"
        << "unchanged" << QStringList{QStringLiteral("2: Alpha attacks Beta (do or die!)")};

    QTest::newRow("Move button") << Turn::moveButton() << "Move"
                                 << "moveState()" << QStringList();
    QTest::newRow("Attack or Do or Die button") << Turn::attackButton() << "Attack"
                                                << "unchanged" << QStringList();
    QTest::newRow("move cancelled, attack style") << Turn::cancelMove(false) << "Attack"
                                                  << "more(true)" << QStringList();
    QTest::newRow("move cancelled, do or die style") << Turn::cancelMove(true) << "Attack"
                                                     << "more(false)" << QStringList();
    QTest::newRow("end") << Turn::end() << "Idle"
                         << "notPlaying()" << QStringList();
    QTest::newRow("winner") << Turn::winner(Other, QStringLiteral("Bert")) << "Idle"
                            << "notPlaying()"
                            << QStringList{QStringLiteral("4: Bert has won the game")};
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
    QTest::newRow("unowned country") << Turn::take(Me, -1, 8, true, 3) << ignore;
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
