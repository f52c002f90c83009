#include "message.h"
#include "protocol.h"

#include <QTest>

Q_DECLARE_METATYPE(GameOptions)

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

const unsigned char* bytesOf(const QByteArray& data)
{
    return reinterpret_cast<const unsigned char*>(data.constData());
}

QByteArray blockOf(const Message& m, int i)
{
    return QByteArray(reinterpret_cast<const char*>(m.getBytes(i)), m.fieldLength(i));
}

// A message holding one field of every kind the wire knows, including the
// ones only a peer produces: an empty string, an empty block, a string whose
// last byte is not NUL and a field with an unknown tag.
QByteArray everyKindOfField()
{
    return hex("00000008"
               "0000000028"         // integer 40
               "00ffffffff"         // integer -1
               "0100000003686900"   // "hi"
               "0100000000"         // string of length 0
               "0200000004deadbeef" // block of four bytes
               "0200000000"         // block of length 0
               "0100000003616263"   // "abc" without its NUL
               "07000000020102");   // unknown tag 7, two bytes
}

// Feeds the whole buffer, returning the bytes used or -1.
int feedAll(Message& m, const QByteArray& data)
{
    return m.feed(bytesOf(data), int(data.size()));
}

// Every opcode's number, name and the field types of its request and of its
// server message (null: that direction does not exist).
struct OpcodeRow
{
    int number;
    const char* name;
    const char* request;
    const char* message;
};

const OpcodeRow Golden[] = {
    {0, "Start", nullptr, ""},
    {1, "Login", "ssis*", nullptr},
    {2, "Register", "ssssssssssis*", nullptr},
    {3, "Success", nullptr, "s"},
    {4, "Failure", nullptr, "i"},
    {5, "NewUser", nullptr, "ss"},
    {6, "User", nullptr, "siiiibsbii"},
    {7, "EndUser", nullptr, "s"},
    {8, "NewGame", "ibbibbbbbbiibbibb", "iissbbibbbbbbiiibbibb"},
    {9, "Game", nullptr, "isbiiii"},
    {10, "EndGame", nullptr, "i"},
    {11, "GlobalChat", "s", "ss"},
    {12, "GameChat", "s", "ss"},
    {13, "Whisper", "ss", "ss"},
    {14, "Player", nullptr, "ibs"},
    {15, "Join", "i", nullptr},
    {16, "Watch", "i", nullptr},
    {17, "Part", "", nullptr},
    {18, "Country", nullptr, "iii"},
    {19, "Robot", "s", "ssiii"},
    {20, "Init", nullptr, "i"},
    {21, "Mask", nullptr, "ss"},
    {22, "More", nullptr, "i"},
    {23, "Decide", nullptr, "i"},
    {24, "Place", "i", "ii"},
    {25, "Attack", "iiib", "iiib"},
    {26, "Dice", nullptr, "iiiiiii"},
    {27, "Take", "i", "iii"},
    {28, "Card", nullptr, "i"},
    {29, "Winner", nullptr, "i"},
    {30, "Upgrade", nullptr, ""},
    {31, "Exchange", "iii", "i"},
    {32, "Exchanged", nullptr, "ii"},
    {33, "End", "", ""},
    {34, "Armies", "", nullptr},
    {35, "StartGame", "", nullptr},
    {36, "All", "i", nullptr},
    {37, "Capital", "i", nullptr},
    {38, "Defend", nullptr, ""},
    {39, "Move", "iii", nullptr},
    {40, "Ping", "", ""},
    {41, "Clock", nullptr, "i"},
    {42, "Closed", nullptr, ""},
    {43, "Kick", "s", nullptr},
    {44, "MembersChat", "s", "ss"},
    {45, "Replace", nullptr, "is"},
    {46, "CardCount", nullptr, "ii"},
    {47, "EndPlayer", nullptr, "i"},
    {48, "AddMask", "ss", nullptr},
    {49, "RemoveMask", "ss", nullptr},
    {50, "Queue", nullptr, "i"},
    {51, "StartMap", "ssd", "issd"},
    {52, "ContinentMap", "isi", "isi"},
    {53, "CountryMap", "isiiiiiii", "isiiiiiii"},
    {54, "NeighbourMap", "ii", "ii"},
    {55, "LineMap", "iiii", "iiii"},
    {56, "EndMap", "i", ""},
    {57, "Slot", "i", "biiss"},
    {58, "RobotError", nullptr, "ss"},
};

QByteArray describe(int number, const char* name, const char* request, const char* message)
{
    return QByteArray::number(number) + ' ' + name + ": request " + (request ? request : "none") +
           ", message " + (message ? message : "none");
}

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

// The wire: one message's framing and its assembly from received chunks, the
// protocol table against a copy written out here, and the two orders of the
// game options.
class TestProtocol : public QObject
{
    Q_OBJECT

private slots:
    void builtMessages();
    void typedReadsNeverFail();
    void limits();
    void memoryFollowsTheBytesReceived();
    void clearAndCopies();

    void opcodeTable();
    void options_data();
    void options();
    void ratingRange();
};

void TestProtocol::builtMessages()
{
    Message m = Protocol::message(Opcode::Ping);
    QVERIFY(m.isComplete());
    // A null block is an empty one, a null string an empty one with its NUL.
    const unsigned char raw[] = {0x00, 0x01, 0xff};
    m.addInt(-1);
    m.addBytes(raw, 3);
    m.addBytes(nullptr, 0);
    m.addString(nullptr);
    m.addString("");
    QCOMPARE(m.data(), hex("00000006"
                           "0000000028"
                           "00ffffffff"
                           "02000000030001ff"
                           "0200000000"
                           "010000000100"
                           "010000000100"));
    QCOMPARE(m.size(), m.data().size());

    // A form taken while receiving is dropped when more bytes arrive.
    Message fed;
    QCOMPARE(fed.feed(bytesOf(hex("00000002000000000b")), 9), 9);
    QCOMPARE(fed.data(), hex("00000001000000000b"));
    QCOMPARE(fed.feed(bytesOf(hex("0000000007")), 5), 5);
    QCOMPARE(fed.data(), hex("00000002000000000b0000000007"));
}

void TestProtocol::typedReadsNeverFail()
{
    const QByteArray wire = everyKindOfField();
    Message m;
    QCOMPARE(feedAll(m, wire), wire.size());
    QCOMPARE(m.count(), 8);
    // A received message serialises back to exactly what came in, unknown
    // tag included, except that the string without NUL now ends in one.
    QByteArray expected = wire;
    expected[expected.indexOf("abc") + 2] = '\0';
    QCOMPARE(m.data(), expected);

    QCOMPARE(QList<int>({m.getInt(0), m.getInt(1), m.getInt(2)}), QList<int>({40, -1, 0}));
    QVERIFY(!m.getString(0) && !m.getBytes(0));
    QCOMPARE(QByteArray(m.getString(2)), QByteArray("hi"));
    QCOMPARE(blockOf(m, 4), hex("deadbeef"));
    QVERIFY(!m.getBytes(5));
    // Strings end inside their field: one of length 0 reads as absent, one
    // without NUL loses its last byte, one with a NUL inside ends there.
    QVERIFY(!m.getString(3));
    QCOMPARE(QByteArray(m.getString(6)), QByteArray("ab"));
    Message embedded;
    QCOMPARE(feedAll(embedded, hex("00000001010000000461006200")), 13);
    QCOMPARE(QByteArray(embedded.getString(0)), QByteArray("a"));

    // The unknown tag (7) and indices out of range read as fields of another
    // type for every accessor.
    for (int i : {-1, 7, 8, 1000}) {
        QCOMPARE(m.getInt(i), 0);
        QVERIFY(!m.getString(i));
        QVERIFY(!m.getBytes(i));
        QCOMPARE(m.fieldLength(i), i == 7 ? 2 : 0);
    }
}

void TestProtocol::limits()
{
    // Up to 1024 fields and 0x100000 bytes a field are taken; a count or a
    // length beyond, or below zero, refuses the stream.
    QByteArray maxFields = hex("00000400");
    for (int i = 0; i < 1024; ++i)
        maxFields += hex("0000000001");
    const std::pair<QByteArray, bool> rows[] = {
        {hex("00000000"), true},
        {maxFields, true},
        {hex("00000401"), false},
        {hex("ffffffff"), false},
        {hex("000000010200100000") + QByteArray(0x100000, 'x'), true},
        {hex("000000010100100001"), false},
        {hex("0000000109ffffffff"), false},
    };
    for (const auto& [wire, accepted] : rows) {
        Message m;
        QCOMPARE(feedAll(m, wire), accepted ? wire.size() : -1);
        QCOMPARE(m.isComplete(), accepted);
        if (accepted)
            QCOMPARE(m.size(), wire.size());
    }
}

void TestProtocol::memoryFollowsTheBytesReceived()
{
    // A peer that announces the largest field and then trickles costs what it
    // has sent, not what it announced.
    const QByteArray block = QByteArray(MessageField::MaxLength - 1, 'q') + '\0';
    const QByteArray wire = hex("000000020000000007") + hex("0100100000") + block;
    Message m;
    const int head = 9 + 5 + 100;
    QCOMPARE(m.feed(bytesOf(wire), head), head);
    QVERIFY2(m.heldBytes() < 16 * 1024, QByteArray::number(m.heldBytes()));

    // Then the rest: the field is whole and its text ends where the peer's
    // did.
    QCOMPARE(m.feed(bytesOf(wire) + head, int(wire.size()) - head), int(wire.size()) - head);
    QVERIFY(m.isComplete());
    QCOMPARE(qstrlen(m.getString(1)), size_t(MessageField::MaxLength - 1));
    QCOMPARE(m.data(), wire);
    // Clearing gives the large field back.
    m.clear();
    QVERIFY2(m.heldBytes() < 16 * 1024, QByteArray::number(m.heldBytes()));
}

void TestProtocol::clearAndCopies()
{
    Message m;
    const QByteArray big =
        hex("000000030100000006") + QByteArray("abcde", 6) + hex("02000000034142430000000009");
    QCOMPARE(feedAll(m, big), big.size());
    const Message copy = m;
    m.clear();

    // The reused slots must not leak the earlier message's tags or data, nor
    // reach the copy.
    const QByteArray small = hex("0000000202000000025a5a01000000027900");
    QCOMPARE(feedAll(m, small), small.size());
    QVERIFY(!m.getString(0));
    QCOMPARE(blockOf(m, 0), QByteArray("ZZ"));
    QCOMPARE(QByteArray(m.getString(1)), QByteArray("y"));
    QCOMPARE(m.getInt(2), 0);
    QCOMPARE(m.data(), small);
    QCOMPARE(copy.data(), big);
}

void TestProtocol::opcodeTable()
{
    int count = 0;
    Protocol::opcodeTable(&count);
    QCOMPARE(count, int(std::size(Golden)));
    for (const OpcodeRow& row : Golden) {
        const Protocol::OpcodeFields* fields = Protocol::fieldsOf(row.number);
        QVERIFY2(fields, row.name);
        QCOMPARE(describe(int(fields->opcode), fields->name, fields->request, fields->message),
                 describe(row.number, row.name, row.request, row.message));
        QCOMPARE(QByteArray(Protocol::opcodeName(row.number)), QByteArray(row.name));
    }
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
    QTest::addColumn<GameOptions>("options");
    QTest::addColumn<int>("requestField");
    QTest::addColumn<int>("announcementField");
    QTest::addColumn<int>("value");

    // Field numbers within each order: the request's 0 is its field 2, the
    // announcement's 0 its field 5. The rating bounds have no place in the
    // request, which carries a range instead (-1 marks that).
#define OPTION(name, value, request, announcement)                                                 \
    {                                                                                              \
        GameOptions o = zero();                                                                    \
        o.name = value;                                                                            \
        QTest::newRow(#name) << o << request << announcement << int(value);                        \
    }
    OPTION(placeBeforeAttack, true, 0, 0)
    OPTION(capitals, true, 1, 1)
    OPTION(timeout, 315, 2, 2)
    OPTION(sameHosts, true, 3, 3)
    OPTION(replaceBots, true, 4, 4)
    OPTION(increasingCards, true, 5, 5)
    OPTION(hideCards, true, 6, 6)
    OPTION(noWhispering, true, 7, 7)
    OPTION(blind, true, 8, 8)
    OPTION(minHumans, 4, 9, 9)
    OPTION(minRating, 1400, -1, 10)
    OPTION(maxRating, 1650, -1, 11)
    OPTION(gifts, true, 11, 12)
    OPTION(receiveCards, true, 12, 13)
    OPTION(timerMode, 2, 13, 14)
    OPTION(sameLevel, true, 14, 15)
    OPTION(noRobots, true, 15, 16)
#undef OPTION
}

void TestProtocol::options()
{
    QFETCH(GameOptions, options);
    QFETCH(int, requestField);
    QFETCH(int, announcementField);
    QFETCH(int, value);

    // The request behind the opcode and the map id, as the new-game request
    // has it.
    Message request = Protocol::message(Opcode::NewGame);
    request.addInt(7);
    options.encodeRequest(request, 0);
    QList<int> expected(GameOptions::RequestFieldCount, 0);
    if (requestField >= 0)
        expected[requestField] = value;
    QCOMPARE(ints(request).mid(2), expected);
    int range = -1;
    GameOptions withoutBounds = options;
    withoutBounds.minRating = withoutBounds.maxRating = 0;
    QCOMPARE(GameOptions::decodeRequest(request, 2, &range), withoutBounds);
    QCOMPARE(range, 0);

    Message announcement;
    options.encodeAnnouncement(announcement);
    expected = QList<int>(GameOptions::AnnouncementFieldCount, 0);
    expected[announcementField] = value;
    QCOMPARE(ints(announcement), expected);
    QCOMPARE(GameOptions::decodeAnnouncement(announcement, 0), options);
}

// The request's one range against the announcement's two bounds: range,
// own rating, the minimum and the maximum.
void TestProtocol::ratingRange()
{
    const QList<std::array<int, 4>> rows = {
        {-1, 1500, 0, 0}, {0, 1500, 1500, 1500}, {100, 1500, 1400, 1600}, {200, 150, 1, 350}};
    for (const auto& [range, rating, minimum, maximum] : rows) {
        Message request;
        zero().encodeRequest(request, range);
        QCOMPARE(request.getInt(10), range);
        int decodedRange = 0;
        GameOptions decoded = GameOptions::decodeRequest(request, 0, &decodedRange);
        QCOMPARE(decodedRange, range);
        decoded.minRating = decoded.maxRating = 99;
        decoded.applyRatingRange(decodedRange, rating);
        QCOMPARE(QList<int>({decoded.minRating, decoded.maxRating}),
                 QList<int>({minimum, maximum}));
    }
}

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
