#include "seattable.h"

#include <QSignalSpy>
#include <QTest>

// The six seats without a player list: finding a seat by name, the flags a
// robot never carries, cards and exchanges, and the masks' flags by name.
class TestSeatTable : public QObject
{
    Q_OBJECT

private slots:
    void seatOfAndMasks();
    void robotsCarryNoFlags();
    void exchanges();
    void seatsOutsideTheTable();

private:
    void human(SeatTable& seats, int seat, const QString& name)
    {
        seats.setPlayer(seat, name, 1500, 1, 0, false, false, false, false);
    }
};

void TestSeatTable::seatOfAndMasks()
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

void TestSeatTable::robotsCarryNoFlags()
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
}

void TestSeatTable::exchanges()
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

void TestSeatTable::seatsOutsideTheTable()
{
    SeatTable seats;
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

QTEST_GUILESS_MAIN(TestSeatTable)
#include "tst_seattable.moc"
