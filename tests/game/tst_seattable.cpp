#include "seattable.h"

#include <QSignalSpy>
#include <QTest>

// The six seats without a player list: finding a seat by name, the flags a
// robot never carries, cards and exchanges, and the masks' flags by name.
class TestSeatTable : public QObject
{
    Q_OBJECT

private slots:
    void seatOf_data();
    void seatOf();
    void robotsCarryNoFlags();
    void exchanges();
    void masksReachHumansByName();
    void seatsOutsideTheTable();
};

void TestSeatTable::seatOf_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("humansOnly");
    QTest::addColumn<int>("seat");
    // Seat 0 is the robot Max, seat 4 the player Max, seat 5 the player Ann.
    QTest::newRow("first seat of the name") << QStringLiteral("Max") << false << 0;
    QTest::newRow("robots skipped") << QStringLiteral("Max") << true << 4;
    QTest::newRow("exact case") << QStringLiteral("max") << false << -1;
    QTest::newRow("nobody") << QStringLiteral("Zed") << false << -1;
    QTest::newRow("empty name") << QString() << false << -1;
}

void TestSeatTable::seatOf()
{
    QFETCH(QString, name);
    QFETCH(bool, humansOnly);
    QFETCH(int, seat);
    SeatTable seats;
    seats.setRobot(0, QStringLiteral("Max"), 1700, 3, 12);
    seats.setPlayer(4, QStringLiteral("Max"), 1500, 1, 2, false, false, false, false);
    seats.setPlayer(5, QStringLiteral("Ann"), 1500, 1, 2, false, false, false, false);
    QCOMPARE(seats.seatOf(name, humansOnly), seat);
}

void TestSeatTable::robotsCarryNoFlags()
{
    SeatTable seats;
    for (const bool robot : {false, true}) {
        seats.setPlayer(2, QStringLiteral("Kim"), 1610, 4, 33, robot, true, true, true);
        const PlayerEntry* e = seats.entry(2);
        QCOMPARE(e->name, QStringLiteral("Kim"));
        QCOMPARE(QList<int>({e->rating, e->level, e->games, e->cards, e->cardArmies}),
                 QList<int>({1610, 4, 33, 0, 0}));
        QCOMPARE(e->robot, robot);
        QCOMPARE(QList<bool>({e->isFriend, e->isEnemy, e->admin}), QList<bool>(3, !robot));
    }
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
        seats.setPlayer(3, QStringLiteral("Eve"), 1500, 1, 0, false, false, false, false);
        seats.setCards(3, cards);
        seats.setCardArmies(3, received);
        seats.exchanged(3, armies);
        QCOMPARE(seats.entry(3)->cards, cardsAfter);
        QCOMPARE(seats.entry(3)->cardArmies, armiesAfter);
    }
}

void TestSeatTable::masksReachHumansByName()
{
    SeatTable seats;
    seats.setPlayer(1, QStringLiteral("Eve"), 1500, 1, 0, false, false, false, false);
    seats.setRobot(2, QStringLiteral("eve"), 1500, 1, 0);
    seats.setPlayer(3, QStringLiteral("EVE"), 1500, 1, 0, false, false, false, false);
    seats.setPlayer(4, QStringLiteral("Evelyn"), 1500, 1, 0, false, false, false, false);
    seats.makeFriend(QStringLiteral("eVe"), true);
    seats.makeEnemy(QStringLiteral("eve"), true);
    for (int seat : {1, 3})
        QVERIFY(seats.entry(seat)->isFriend && seats.entry(seat)->isEnemy);
    for (int seat : {2, 4})
        QVERIFY(!seats.entry(seat)->isFriend && !seats.entry(seat)->isEnemy);
    seats.makeFriend(QStringLiteral("EVE"), false);
    QVERIFY(!seats.entry(1)->isFriend && seats.entry(1)->isEnemy);
}

void TestSeatTable::seatsOutsideTheTable()
{
    SeatTable seats;
    QSignalSpy changed(&seats, &SeatTable::changed);
    seats.setPlayer(6, QStringLiteral("Nobody"), 1, 1, 1, false, false, false, false);
    seats.setRobot(-1, QStringLiteral("Nobody"), 1, 1, 1);
    seats.removePlayer(6);
    seats.setCards(0, 3);
    seats.exchanged(0, 5);
    QVERIFY(changed.isEmpty());
    QVERIFY(!seats.entry(6) && !seats.entry(-1) && !seats.entry(0));
    QCOMPARE(seats.seatOf(QStringLiteral("Nobody"), false), -1);

    seats.setPlayer(5, QStringLiteral("Ann"), 1500, 1, 0, false, false, false, false);
    seats.setCurrent(5);
    QCOMPARE(seats.current(), 5);
    QCOMPARE(changed.count(), 2);
    seats.removePlayer(5);
    QVERIFY(!seats.entry(5));
    seats.setPlayer(5, QStringLiteral("Ann"), 1500, 1, 0, false, false, false, false);
    seats.clear();
    QCOMPARE(seats.current(), -1);
    QVERIFY(!seats.entry(5));
}

QTEST_GUILESS_MAIN(TestSeatTable)
#include "tst_seattable.moc"
