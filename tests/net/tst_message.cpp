#include "message.h"
#include "protocol.h"

#include <QTest>

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

} // namespace

// Framing of one message on the wire and its assembly from received chunks.
class TestMessage : public QObject
{
    Q_OBJECT

private slots:
    void builtMessages();
    void typedReadsNeverFail();
    void limits();
    void memoryFollowsTheBytesReceived();
    void clearAndCopies();
};

void TestMessage::builtMessages()
{
    Message m = Protocol::message(Opcode::Ping);
    const char* storage = m.data().constData();
    QCOMPARE(m.data().constData(), storage);
    QVERIFY(m.isComplete());
    // A null block is an empty one, a null string an empty one with its NUL.
    const unsigned char raw[] = {0x00, 0x01, 0xff};
    m.addInt(-1);
    m.addBytes(raw, 3);
    m.addBytes(nullptr, 0);
    m.addString(nullptr);
    const Message copy = m;
    m.addString("");
    QCOMPARE(m.data(), hex("00000006"
                           "0000000028"
                           "00ffffffff"
                           "02000000030001ff"
                           "0200000000"
                           "010000000100"
                           "010000000100"));
    QCOMPARE(m.size(), m.data().size());
    QCOMPARE(copy.count(), 5);

    // A form taken while receiving is dropped when more bytes arrive.
    Message fed;
    QCOMPARE(fed.feed(bytesOf(hex("00000002000000000b")), 9), 9);
    QCOMPARE(fed.data(), hex("00000001000000000b"));
    QCOMPARE(fed.feed(bytesOf(hex("0000000007")), 5), 5);
    QCOMPARE(fed.data(), hex("00000002000000000b0000000007"));
}

void TestMessage::typedReadsNeverFail()
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

    QCOMPARE(m.getInt(0), 40);
    QCOMPARE(m.getInt(1), -1);
    QVERIFY(!m.getString(0) && !m.getBytes(0));
    QCOMPARE(m.getInt(2), 0);
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

void TestMessage::limits()
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

void TestMessage::memoryFollowsTheBytesReceived()
{
    // A peer that announces the largest field and then trickles costs what it
    // has sent, not what it announced.
    const QByteArray block = QByteArray(MessageField::MaxLength - 1, 'q') + '\0';
    const QByteArray wire = hex("000000020000000007") + hex("0100100000") + block;
    Message m;
    const int head = 9 + 5 + 100;
    QCOMPARE(m.feed(bytesOf(wire), head), head);
    QVERIFY2(m.heldBytes() < 16 * 1024, QByteArray::number(m.heldBytes()));

    // The rest in pieces: the field is whole and its text ends where the
    // peer's did.
    for (qsizetype offset = head; offset < wire.size(); offset += 4093) {
        const int n = int(std::min<qsizetype>(4093, wire.size() - offset));
        QCOMPARE(m.feed(bytesOf(wire) + offset, n), n);
    }
    QVERIFY(m.isComplete());
    QCOMPARE(qstrlen(m.getString(1)), size_t(MessageField::MaxLength - 1));
    QCOMPARE(m.data(), wire);
}

void TestMessage::clearAndCopies()
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

    // A large block is given back on clear.
    m.clear();
    QCOMPARE(feedAll(m, hex("000000010200040000") + QByteArray(0x40000, 'm')), 9 + 0x40000);
    m.clear();
    QVERIFY2(m.heldBytes() < 16 * 1024, QByteArray::number(m.heldBytes()));
}

QTEST_GUILESS_MAIN(TestMessage)
#include "tst_message.moc"
