#include "message.h"
#include "protocol.h"

#include <QTest>

#include <functional>

// Through an alias, so that the registered name is a normalized one.
using Setter = std::function<void(GameOptions&)>;
Q_DECLARE_METATYPE(Setter)

namespace {

// Every option false or 0, so that setting one shows up in one field only.
GameOptions zero()
{
    GameOptions o;
    o.timeout = 0;
    o.minHumans = 0;
    return o;
}

QList<int> ints(const Message& m)
{
    QList<int> values;
    for (int i = 0; i < m.count(); ++i)
        values << m.getInt(i);
    return values;
}

} // namespace

// The protocol table against a copy written out here, and the two orders of
// the game options.
class TestProtocol : public QObject
{
    Q_OBJECT

private slots:
    void opcodeTable_data();
    void opcodeTable();
    void everyNumberIsInTheTable();
    void options_data();
    void options();
    void ratingRange();
};

void TestProtocol::opcodeTable_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("message");

    // Null: that direction does not exist.
    const QByteArray none;
    auto row = [](int number, const char* name, const QByteArray& request,
                  const QByteArray& message) {
        QTest::newRow(name) << number << QByteArray(name) << request << message;
    };
    row(0, "Start", none, "");
    row(1, "Login", "ssis*", none);
    row(2, "Register", "ssssssssssis*", none);
    row(3, "Success", none, "s");
    row(4, "Failure", none, "i");
    row(5, "NewUser", none, "ss");
    row(6, "User", none, "siiiibsbii");
    row(7, "EndUser", none, "s");
    row(8, "NewGame", "ibbibbbbbbiibbibb", "iissbbibbbbbbiiibbibb");
    row(9, "Game", none, "isbiiii");
    row(10, "EndGame", none, "i");
    row(11, "GlobalChat", "s", "ss");
    row(12, "GameChat", "s", "ss");
    row(13, "Whisper", "ss", "ss");
    row(14, "Player", none, "ibs");
    row(15, "Join", "i", none);
    row(16, "Watch", "i", none);
    row(17, "Part", "", none);
    row(18, "Country", none, "iii");
    row(19, "Robot", "s", "ssiii");
    row(20, "Init", none, "i");
    row(21, "Mask", none, "ss");
    row(22, "More", none, "i");
    row(23, "Decide", none, "i");
    row(24, "Place", "i", "ii");
    row(25, "Attack", "iiib", "iiib");
    row(26, "Dice", none, "iiiiiii");
    row(27, "Take", "i", "iii");
    row(28, "Card", none, "i");
    row(29, "Winner", none, "i");
    row(30, "Upgrade", none, "");
    row(31, "Exchange", "iii", "i");
    row(32, "Exchanged", none, "ii");
    row(33, "End", "", "");
    row(34, "Armies", "", none);
    row(35, "StartGame", "", none);
    row(36, "All", "i", none);
    row(37, "Capital", "i", none);
    row(38, "Defend", none, "");
    row(39, "Move", "iii", none);
    row(40, "Ping", "", "");
    row(41, "Clock", none, "i");
    row(42, "Closed", none, "");
    row(43, "Kick", "s", none);
    row(44, "MembersChat", "s", "ss");
    row(45, "Replace", none, "is");
    row(46, "CardCount", none, "ii");
    row(47, "EndPlayer", none, "i");
    row(48, "AddMask", "ss", none);
    row(49, "RemoveMask", "ss", none);
    row(50, "Queue", none, "i");
    row(51, "StartMap", "ssd", "issd");
    row(52, "ContinentMap", "isi", "isi");
    row(53, "CountryMap", "isiiiiiii", "isiiiiiii");
    row(54, "NeighbourMap", "ii", "ii");
    row(55, "LineMap", "iiii", "iiii");
    row(56, "EndMap", "i", "");
    row(57, "Slot", "i", "biiss");
    row(58, "RobotError", none, "ss");
}

void TestProtocol::opcodeTable()
{
    QFETCH(int, number);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, message);

    const Protocol::OpcodeFields* row = Protocol::fieldsOf(number);
    QVERIFY(row);
    QCOMPARE(int(row->opcode), number);
    QCOMPARE(QByteArray(row->name), name);
    QCOMPARE(QByteArray(row->request), request);
    QCOMPARE(row->request == nullptr, request.isNull());
    QCOMPARE(QByteArray(row->message), message);
    QCOMPARE(row->message == nullptr, message.isNull());
    QCOMPARE(QByteArray(Protocol::opcodeName(number)), name);
}

void TestProtocol::everyNumberIsInTheTable()
{
    int count = 0;
    Protocol::opcodeTable(&count);
    QCOMPARE(count, 59);
    for (qint32 unknown : {-1, 59, 100})
        QVERIFY(!Protocol::fieldsOf(unknown));
    QCOMPARE(Protocol::Version, 11);
    QCOMPARE(QByteArray(Protocol::ClientIdentifier), QByteArray("tarvenix"));

    Message m = Protocol::message(Opcode::Whisper);
    QCOMPARE(m.count(), 1);
    QVERIFY(Protocol::is(m, Opcode::Whisper));
    QCOMPARE(int(FailureCode::WrongPassword), 5);
}

// Each option alone, at a value no other option has: it must land in its own
// field of each order and come back from it, so swapping two options in one
// of the encoders or decoders fails its row.
void TestProtocol::options_data()
{
    QTest::addColumn<Setter>("set");
    QTest::addColumn<int>("requestField");
    QTest::addColumn<int>("announcementField");
    QTest::addColumn<int>("value");

    auto row = [](const char* name, Setter set, int request, int announcement, int value) {
        QTest::newRow(name) << set << request << announcement << value;
    };
    // Field numbers within each order: the request's 0 is its field 2, the
    // announcement's 0 its field 5. The rating bounds have no place in the
    // request, which carries a range instead (-1 marks that).
#define OPTION(name, value, request, announcement)                                                 \
    row(                                                                                           \
        #name, [](GameOptions& o) { o.name = value; }, request, announcement, int(value))
    OPTION(placeBeforeAttack, true, 0, 0);
    OPTION(capitals, true, 1, 1);
    OPTION(timeout, 315, 2, 2);
    OPTION(sameHosts, true, 3, 3);
    OPTION(replaceBots, true, 4, 4);
    OPTION(increasingCards, true, 5, 5);
    OPTION(hideCards, true, 6, 6);
    OPTION(noWhispering, true, 7, 7);
    OPTION(blind, true, 8, 8);
    OPTION(minHumans, 4, 9, 9);
    OPTION(minRating, 1400, -1, 10);
    OPTION(maxRating, 1650, -1, 11);
    OPTION(gifts, true, 11, 12);
    OPTION(receiveCards, true, 12, 13);
    OPTION(timerMode, 2, 13, 14);
    OPTION(sameLevel, true, 14, 15);
    OPTION(noRobots, true, 15, 16);
#undef OPTION
}

void TestProtocol::options()
{
    QFETCH(Setter, set);
    QFETCH(int, requestField);
    QFETCH(int, announcementField);
    QFETCH(int, value);

    GameOptions options = zero();
    set(options);

    Message request;
    options.encodeRequest(request, 0);
    QCOMPARE(request.count(), GameOptions::RequestFieldCount);
    QList<int> expected(GameOptions::RequestFieldCount, 0);
    if (requestField >= 0)
        expected[requestField] = value;
    QCOMPARE(ints(request), expected);

    Message announcement;
    options.encodeAnnouncement(announcement);
    QCOMPARE(announcement.count(), GameOptions::AnnouncementFieldCount);
    expected = QList<int>(GameOptions::AnnouncementFieldCount, 0);
    expected[announcementField] = value;
    QCOMPARE(ints(announcement), expected);
    QCOMPARE(GameOptions::decodeAnnouncement(announcement, 0), options);

    // Behind the opcode and the map id, as the new-game request has them.
    Message wire = Protocol::message(Opcode::NewGame);
    wire.addInt(7);
    options.encodeRequest(wire, 0);
    int range = -1;
    const GameOptions decoded = GameOptions::decodeRequest(wire, 2, &range);
    QCOMPARE(range, 0);
    GameOptions withoutBounds = options;
    withoutBounds.minRating = 0;
    withoutBounds.maxRating = 0;
    QCOMPARE(decoded, withoutBounds);
}

// The request's one range against the announcement's two bounds: range,
// own rating, the minimum and the maximum.
void TestProtocol::ratingRange()
{
    const QList<std::array<int, 4>> rows = {
        {-1, 1500, 0, 0}, {0, 1500, 1500, 1500}, {100, 1500, 1400, 1600}, {200, 150, 1, 350}};
    for (const auto& [range, rating, minimum, maximum] : rows) {
        GameOptions options = zero();
        options.minRating = 99;
        options.maxRating = 99;
        Message request;
        options.encodeRequest(request, range);
        QCOMPARE(request.getInt(10), range);
        int decodedRange = 0;
        GameOptions decoded = GameOptions::decodeRequest(request, 0, &decodedRange);
        QCOMPARE(decodedRange, range);
        decoded.applyRatingRange(decodedRange, rating);
        QCOMPARE(decoded.minRating, minimum);
        QCOMPARE(decoded.maxRating, maximum);
    }
}

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
