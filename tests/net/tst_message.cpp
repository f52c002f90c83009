#include "message.h"

#include <QTest>

#include <functional>
#include <random>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

const unsigned char* bytesOf(const QByteArray& data)
{
    return reinterpret_cast<const unsigned char*>(data.constData());
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

// Compares everything a reader can see of two messages.
void compareFields(const Message& actual, const Message& expected)
{
    QCOMPARE(actual.count(), expected.count());
    for (int i = 0; i < expected.count(); ++i) {
        QCOMPARE(actual.fieldLength(i), expected.fieldLength(i));
        QCOMPARE(actual.getInt(i), expected.getInt(i));
        QCOMPARE(QByteArray(actual.getString(i)), QByteArray(expected.getString(i)));
        QCOMPARE(actual.getString(i) == nullptr, expected.getString(i) == nullptr);
        QCOMPARE(actual.getBytes(i) == nullptr, expected.getBytes(i) == nullptr);
        if (expected.getBytes(i))
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(actual.getBytes(i)),
                                actual.fieldLength(i)),
                     QByteArray(reinterpret_cast<const char*>(expected.getBytes(i)),
                                expected.fieldLength(i)));
    }
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
    void examplesOnTheWire();
    void everyFieldKindRoundTrips();
    void typedReadsNeverFail();
    void stringReadsEndInsideTheField();
    void splitAtEveryByteBoundary();
    void byteByByte();
    void twoMessagesInOneChunk();
    void emptyMessage();
    void limits_data();
    void limits();
    void framingErrorKeepsWhatWasReceived();
    void serialisedFormIsCachedAndRebuilt();
    void serialisedFormDroppedWhenFed();
    void clearReusesForASmallerMessage();
    void copiesAreIndependent();
    void buildingSizes();
    void randomStreamsInRandomChunks();
    void garbageFramesAlikeInAnyChunking();
};

void TestMessage::examplesOnTheWire()
{
    Message keepAlive;
    keepAlive.addInt(40);
    QCOMPARE(keepAlive.data(), hex("000000010000000028"));
    QCOMPARE(keepAlive.size(), 9);
    QVERIFY(keepAlive.isComplete());
    QCOMPARE(keepAlive.state(), Message::Built);

    Message chat;
    chat.addInt(11);
    chat.addString("hi");
    QCOMPARE(chat.data(), hex("00000002000000000b01000000036869"
                              "00"));
    QCOMPARE(chat.size(), 17);

    Message minusOne;
    minusOne.addInt(-1);
    QCOMPARE(minusOne.data(), hex("0000000100ffffffff"));

    Message block;
    const unsigned char raw[] = {0x00, 0x01, 0xff};
    block.addBytes(raw, 3);
    block.addBytes(nullptr, 0);
    QCOMPARE(block.data(), hex("00000002"
                               "0200000003"
                               "0001ff"
                               "0200000000"));
}

void TestMessage::everyFieldKindRoundTrips()
{
    const QByteArray wire = everyKindOfField();
    Message m;
    QCOMPARE(feedAll(m, wire), wire.size());
    QVERIFY(m.isComplete());
    QCOMPARE(m.count(), 8);
    // A received message serialises back to exactly what came in, unknown
    // tag included, except that the string without NUL now ends in one.
    QByteArray expected = wire;
    expected[expected.indexOf("abc") + 2] = '\0';
    QCOMPARE(m.data(), expected);
    QCOMPARE(m.size(), wire.size());
}

void TestMessage::typedReadsNeverFail()
{
    Message m;
    QCOMPARE(feedAll(m, everyKindOfField()), everyKindOfField().size());

    QCOMPARE(m.getInt(0), 40);
    QCOMPARE(m.getInt(1), -1);
    QCOMPARE(m.fieldLength(0), 4);
    QVERIFY(!m.getString(0));
    QVERIFY(!m.getBytes(0));

    QCOMPARE(m.getInt(2), 0);
    QCOMPARE(QByteArray(m.getString(2)), QByteArray("hi"));
    QCOMPARE(m.fieldLength(2), 3);
    QVERIFY(!m.getBytes(2));

    const unsigned char* block = m.getBytes(4);
    QVERIFY(block);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(block), 4), hex("deadbeef"));
    QCOMPARE(m.getInt(4), 0);
    QVERIFY(!m.getString(4));

    QVERIFY(!m.getBytes(5));
    QCOMPARE(m.fieldLength(5), 0);

    // The unknown tag reads as a field of another type for every accessor.
    QCOMPARE(m.getInt(7), 0);
    QVERIFY(!m.getString(7));
    QVERIFY(!m.getBytes(7));
    QCOMPARE(m.fieldLength(7), 2);

    for (int i : {-1, 8, 1000}) {
        QCOMPARE(m.getInt(i), 0);
        QVERIFY(!m.getString(i));
        QVERIFY(!m.getBytes(i));
        QCOMPARE(m.fieldLength(i), 0);
    }
}

void TestMessage::stringReadsEndInsideTheField()
{
    Message m;
    feedAll(m, everyKindOfField());
    QVERIFY2(!m.getString(3), "a string of length 0 reads as absent");
    QCOMPARE(QByteArray(m.getString(6)), QByteArray("ab"));

    Message one;
    QCOMPARE(feedAll(one, hex("000000010100000001"
                              "00")),
             10);
    QVERIFY(one.getString(0));
    QCOMPARE(QByteArray(one.getString(0)), QByteArray());

    Message single;
    QCOMPARE(feedAll(single, hex("000000010100000001"
                                 "41")),
             10);
    QCOMPARE(QByteArray(single.getString(0)), QByteArray(""));

    Message embedded;
    QCOMPARE(feedAll(embedded, hex("000000010100000004"
                                   "61006200")),
             13);
    QCOMPARE(QByteArray(embedded.getString(0)), QByteArray("a"));
    QCOMPARE(embedded.fieldLength(0), 4);
}

void TestMessage::splitAtEveryByteBoundary()
{
    const QByteArray wire = everyKindOfField();
    Message whole;
    feedAll(whole, wire);

    for (int cut = 0; cut <= wire.size(); ++cut) {
        Message m;
        const int first = m.feed(bytesOf(wire), cut);
        QCOMPARE(first, cut);
        QCOMPARE(m.isComplete(), cut == wire.size());
        const int second = m.feed(bytesOf(wire) + cut, int(wire.size()) - cut);
        QCOMPARE(second, wire.size() - cut);
        QVERIFY(m.isComplete());
        compareFields(m, whole);
        if (QTest::currentTestFailed()) {
            qWarning("split at byte %d", cut);
            return;
        }
    }
}

void TestMessage::byteByByte()
{
    const QByteArray wire = everyKindOfField();
    Message whole;
    feedAll(whole, wire);

    Message m;
    for (int i = 0; i < wire.size(); ++i) {
        QVERIFY(!m.isComplete());
        QCOMPARE(m.feed(bytesOf(wire) + i, 1), 1);
    }
    QVERIFY(m.isComplete());
    compareFields(m, whole);
    QCOMPARE(m.feed(bytesOf(wire), 1), 0);
}

void TestMessage::twoMessagesInOneChunk()
{
    Message a;
    a.addInt(18);
    a.addInt(7);
    a.addInt(2);
    a.addInt(12);
    Message b;
    b.addInt(13);
    b.addString("bob");
    b.addString("hello there");
    const QByteArray stream = a.data() + b.data() + a.data();

    Message m;
    int position = 0;
    QList<QByteArray> received;
    while (position < stream.size()) {
        const int used = m.feed(bytesOf(stream) + position, int(stream.size()) - position);
        QVERIFY(used > 0);
        position += used;
        QVERIFY(m.isComplete());
        received.append(m.data());
        m.clear();
    }
    QCOMPARE(received, (QList<QByteArray>{a.data(), b.data(), a.data()}));

    // The first feed stops exactly at the end of the first message.
    Message first;
    QCOMPARE(feedAll(first, stream), a.size());
}

void TestMessage::emptyMessage()
{
    Message m;
    QVERIFY(!m.isComplete());
    QCOMPARE(m.state(), Message::Empty);
    QCOMPARE(m.feed(bytesOf(hex("000000")), 3), 3);
    QVERIFY(!m.isComplete());
    QCOMPARE(m.state(), Message::Receiving);
    QCOMPARE(m.feed(bytesOf(hex("0000000000")), 5), 1);
    QVERIFY(m.isComplete());
    QCOMPARE(m.count(), 0);
    QCOMPARE(m.size(), 4);
    QCOMPARE(m.data(), hex("00000000"));

    Message built;
    QCOMPARE(built.data(), hex("00000000"));
}

void TestMessage::limits_data()
{
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<bool>("accepted");

    QByteArray maxFields = hex("00000400");
    for (int i = 0; i < 1024; ++i)
        maxFields += hex("0000000001");
    QTest::newRow("1024 fields") << maxFields << true;
    QTest::newRow("1025 fields") << hex("00000401") << false;
    QTest::newRow("negative count") << hex("ffffffff") << false;
    QTest::newRow("count with top bit only") << hex("80000000") << false;

    for (char tag : {'\x01', '\x02', '\x09'}) {
        const QByteArray head = hex("00000001") + QByteArray(1, tag);
        const QByteArray name = QByteArray::number(int(tag));
        QTest::newRow("tag " + name + " length 0x100000")
            << head + hex("00100000") + QByteArray(0x100000, 'x') << true;
        QTest::newRow("tag " + name + " length 0x100001") << head + hex("00100001") << false;
        QTest::newRow("tag " + name + " negative length") << head + hex("ffffffff") << false;
        QTest::newRow("tag " + name + " length 0") << head + hex("00000000") << true;
    }
}

void TestMessage::limits()
{
    QFETCH(QByteArray, wire);
    QFETCH(bool, accepted);

    Message m;
    const int used = feedAll(m, wire);
    if (accepted) {
        QCOMPARE(used, wire.size());
        QVERIFY(m.isComplete());
        QCOMPARE(m.size(), wire.size());
    } else {
        QCOMPARE(used, -1);
        QVERIFY(!m.isComplete());
    }
}

void TestMessage::framingErrorKeepsWhatWasReceived()
{
    Message m;
    const QByteArray wire = hex("00000003"
                                "0000000005"
                                "010000000361620"
                                "0"
                                "01ffffffff");
    QCOMPARE(feedAll(m, wire), -1);
    QVERIFY(!m.isComplete());
    QCOMPARE(m.getInt(0), 5);
    QCOMPARE(QByteArray(m.getString(1)), QByteArray("ab"));

    // A bad length met in a later chunk is reported the same way.
    Message chunked;
    QCOMPARE(chunked.feed(bytesOf(wire), 20), 20);
    QCOMPARE(chunked.feed(bytesOf(wire) + 20, int(wire.size()) - 20), -1);
}

void TestMessage::serialisedFormIsCachedAndRebuilt()
{
    Message m;
    m.addInt(11);
    const QByteArray& first = m.data();
    const char* storage = first.constData();
    QCOMPARE(m.data().constData(), storage);
    QCOMPARE(m.data(), hex("00000001000000000b"));

    m.addString("x");
    QCOMPARE(m.data(), hex("00000002000000000b"
                           "01000000027800"));
    QCOMPARE(m.size(), 16);
    m.addInt(3);
    QCOMPARE(m.data(), hex("00000003000000000b"
                           "01000000027800"
                           "0000000003"));
}

void TestMessage::serialisedFormDroppedWhenFed()
{
    Message m;
    QCOMPARE(m.feed(bytesOf(hex("00000002000000000b")), 9), 9);
    QCOMPARE(m.data(), hex("00000001000000000b"));
    QCOMPARE(m.feed(bytesOf(hex("0000000007")), 5), 5);
    QVERIFY(m.isComplete());
    QCOMPARE(m.data(), hex("00000002000000000b0000000007"));
}

void TestMessage::clearReusesForASmallerMessage()
{
    Message m;
    const QByteArray big = hex("00000003"
                               "0100000006") +
                           QByteArray("abcde", 6) +
                           hex("0200000003414243"
                               "0000000009");
    QCOMPARE(feedAll(m, big), big.size());
    QCOMPARE(m.count(), 3);
    m.clear();
    QCOMPARE(m.state(), Message::Empty);
    QCOMPARE(m.count(), 0);
    QVERIFY(!m.isComplete());
    QVERIFY(!m.getString(0));

    // The reused slots must not leak the earlier message's tags or data.
    const QByteArray small = hex("00000002"
                                 "0200000002"
                                 "5a5a"
                                 "0100000002"
                                 "7900");
    QCOMPARE(feedAll(m, small), small.size());
    QCOMPARE(m.count(), 2);
    QVERIFY(!m.getString(0));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(m.getBytes(0)), 2), QByteArray("ZZ"));
    QCOMPARE(QByteArray(m.getString(1)), QByteArray("y"));
    QCOMPARE(m.getInt(2), 0);
    QCOMPARE(m.data(), small);

    // A large block is given back on clear, and the next message is intact.
    m.clear();
    const QByteArray block = hex("00000001"
                                 "0200040000") +
                             QByteArray(0x40000, 'm');
    QCOMPARE(feedAll(m, block), block.size());
    m.clear();
    QCOMPARE(feedAll(m, small), small.size());
    QCOMPARE(m.data(), small);
}

void TestMessage::copiesAreIndependent()
{
    Message received;
    feedAll(received, everyKindOfField());
    const Message copy = received;
    received.clear();
    feedAll(received, hex("00000001"
                          "0100000002"
                          "7a00"));

    QCOMPARE(copy.count(), 8);
    QCOMPARE(QByteArray(copy.getString(2)), QByteArray("hi"));
    QCOMPARE(copy.getInt(1), -1);
    QCOMPARE(QByteArray(received.getString(0)), QByteArray("z"));

    Message built;
    built.addString("one");
    Message other = built;
    other.addString("two");
    QCOMPARE(built.count(), 1);
    QCOMPARE(other.count(), 2);
    QCOMPARE(built.data(), hex("00000001"
                               "01000000046f6e6500"));
}

void TestMessage::buildingSizes()
{
    Message m;
    m.addString("");
    m.addString(nullptr);
    m.addBytes(nullptr, 0);
    QCOMPARE(m.count(), 3);
    QCOMPARE(m.fieldLength(0), 1);
    QCOMPARE(QByteArray(m.getString(0)), QByteArray(""));
    QVERIFY(m.getString(0));
    QCOMPARE(m.fieldLength(1), 1);
    QCOMPARE(m.fieldLength(2), 0);
    QVERIFY(!m.getBytes(2));
    QCOMPARE(m.size(), 4 + 6 + 6 + 5);
    QCOMPARE(m.data().size(), m.size());
}

namespace {

// Cuts a stream into messages, feeding it in pieces whose sizes come from
// next(); returns the wire form of every message and whether the stream
// ended in a framing error.
std::pair<QList<QByteArray>, bool> frame(const QByteArray& stream, const std::function<int()>& next)
{
    QList<QByteArray> messages;
    Message m;
    qsizetype offset = 0;
    while (offset < stream.size()) {
        const int n = int(std::min<qsizetype>(next(), stream.size() - offset));
        int position = 0;
        while (position < n) {
            const int used = m.feed(bytesOf(stream) + offset + position, n - position);
            if (used < 0)
                return {messages, true};
            position += used;
            if (m.isComplete()) {
                messages.append(m.data());
                m.clear();
            }
        }
        offset += n;
    }
    return {messages, false};
}

} // namespace

void TestMessage::randomStreamsInRandomChunks()
{
    std::mt19937 random(1234);
    QList<QByteArray> sent;
    QByteArray stream;
    for (int i = 0; i < 300; ++i) {
        Message m;
        const int fields = int(random() % 12);
        for (int f = 0; f < fields; ++f) {
            switch (random() % 3) {
            case 0:
                m.addInt(qint32(random()));
                break;
            case 1:
                m.addString(QByteArray(int(random() % 40), char('a' + random() % 26)).constData());
                break;
            default: {
                const QByteArray block(int(random() % 3000), char(random()));
                m.addBytes(bytesOf(block), int(block.size()));
            }
            }
        }
        sent.append(m.data());
        stream += m.data();
    }

    for (int maxChunk : {1, 3, 7, 64, 1024, 65536}) {
        const auto [received, failed] = frame(stream, [&] { return 1 + int(random() % maxChunk); });
        QVERIFY(!failed);
        QCOMPARE(received.size(), sent.size());
        QVERIFY2(received == sent, qPrintable(QStringLiteral("chunks up to %1").arg(maxChunk)));
    }
}

void TestMessage::garbageFramesAlikeInAnyChunking()
{
    std::mt19937 random(99);
    int framed = 0;
    int errors = 0;
    for (int round = 0; round < 200; ++round) {
        // Pieces that look like counts, tags and lengths, mixed with noise.
        QByteArray garbage;
        const int pieces = int(random() % 40);
        for (int i = 0; i < pieces; ++i) {
            switch (random() % 4) {
            case 0:
            case 1:
                garbage += QByteArray(3, '\0') + char(random() % 6);
                break;
            case 2:
                garbage += char(random() % 4);
                break;
            default:
                garbage += char(random());
            }
        }
        const auto whole = frame(garbage, [&] { return int(garbage.size()); });
        const auto single = frame(garbage, [] { return 1; });
        const auto mixed = frame(garbage, [&] { return 1 + int(random() % 9); });
        QCOMPARE(single, whole);
        QCOMPARE(mixed, whole);
        framed += whole.first.size();
        errors += whole.second ? 1 : 0;
    }
    // The rounds must reach both outcomes for the comparison to mean much.
    QVERIFY(framed > 50);
    QVERIFY(errors > 20);
}

QTEST_GUILESS_MAIN(TestMessage)
#include "tst_message.moc"
