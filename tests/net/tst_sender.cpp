#include "message.h"
#include "networkadapters.h"
#include "sender.h"

#include <QRegularExpression>
#include <QTest>
#include <QtEndian>

#include <functional>

namespace {

struct Block
{
    QByteArray bytes;
};

} // namespace

Q_DECLARE_METATYPE(Block)
Q_DECLARE_METATYPE(std::function<void(Sender&)>)

namespace {

using Request = std::function<void(Sender&)>;

// The wire form of a message made of ints, Latin-1 strings and blocks.
QByteArray wire(const QVariantList& fields)
{
    Message m;
    for (const QVariant& field : fields) {
        if (field.metaType() == QMetaType::fromType<int>() ||
            field.metaType() == QMetaType::fromType<bool>()) {
            m.addInt(field.toInt());
        } else if (field.metaType() == QMetaType::fromType<QByteArray>()) {
            m.addString(field.toByteArray().constData());
        } else if (field.metaType() == QMetaType::fromType<Block>()) {
            const QByteArray b = field.value<Block>().bytes;
            m.addBytes(reinterpret_cast<const unsigned char*>(b.constData()), int(b.size()));
        } else {
            qFatal("unexpected field type %s", field.typeName());
        }
    }
    return m.data();
}

// Collects the wire form of every message a sender emits.
struct Sent
{
    explicit Sent(Sender& sender)
    {
        QObject::connect(&sender, &Sender::send, &sender,
                         [this](Message* m) { messages.append(*m); });
    }
    QList<Message> messages;
};

// Big-endian integer fields, written out independently of Message.
QByteArray intsOnWire(std::initializer_list<qint32> values)
{
    QByteArray out(4, '\0');
    qToBigEndian<qint32>(qint32(values.size()), out.data());
    for (qint32 value : values) {
        char field[5] = {0};
        qToBigEndian<qint32>(value, field + 1);
        out += QByteArray(field, 5);
    }
    return out;
}

QVariantList clientTail()
{
    QVariantList tail{11, QByteArray("tarvenix")};
    for (const QString& address : networkAdapterAddresses())
        tail.append(address.toLatin1());
    return tail;
}

} // namespace

// Encoding of every request the client makes.
class TestSender : public QObject
{
    Q_OBJECT

private slots:
    void everyRequest_data();
    void everyRequest();
    void loginAndRegistrationTail();
    void hardwareAddresses();
};

void TestSender::everyRequest_data()
{
    QTest::addColumn<Request>("request");
    QTest::addColumn<QByteArray>("bytes");

    auto row = [](const char* name, Request request, const QVariantList& fields) {
        QTest::newRow(name) << request << wire(fields);
    };
    using B = QByteArray;
    const QByteArray gz("\x1f\x8b\x08\0\0\xff", 6);

    // Exact bytes first, for the requests whose encoding is spelled out.
    QTest::newRow("attack(3, 7, 2, true)")
        << Request([](Sender& s) { s.attack(3, 7, 2, true); })
        << QByteArray::fromHex("00000005"
                               "0000000019000000000300000000070000000002"
                               "0000000001");
    QTest::newRow("newGame, 18 fields") << Request([](Sender& s) {
        s.newGame(34, true, false, 300, true, false, true, false, true, false, 3, 250, true, false,
                  2, true, false);
    }) << intsOnWire({8, 34, 1, 0, 300, 1, 0, 1, 0, 1, 0, 3, 250, 1, 0, 2, 1, 0});
    QTest::newRow("startMap with an empty index")
        << Request([](Sender& s) { s.startMap("a", "b", nullptr, 0); })
        << QByteArray::fromHex("00000004000000003301000000026100010000000262000200000000");

    // One row per request: the call as written, and the fields it must send.
#define REQUEST(call, ...) row(#call, [gz](Sender& s) { s.call; }, {__VA_ARGS__})
    REQUEST(globalChat("hello"), 11, B("hello"));
    REQUEST(gameChat("gg"), 12, B("gg"));
    REQUEST(whisper("ann", "psst"), 13, B("ann"), B("psst"));
    REQUEST(join(12), 15, 12);
    REQUEST(watch(13), 16, 13);
    REQUEST(part(), 17);
    REQUEST(robot("Bot 1"), 19, B("Bot 1"));
    REQUEST(place(41), 24, 41);
    REQUEST(attack(3, 7, 3, false), 25, 3, 7, 3, 0);
    REQUEST(take(5), 27, 5);
    REQUEST(exchange(0, 1, 3), 31, 0, 1, 3);
    REQUEST(end(), 33);
    REQUEST(armies(), 34);
    REQUEST(start(), 35);
    REQUEST(all(9), 36, 9);
    REQUEST(capital(8), 37, 8);
    REQUEST(move(4, 5, 6), 39, 4, 5, 6);
    REQUEST(ping(), 40);
    REQUEST(kick("troll"), 43, B("troll"));
    REQUEST(membersChat("hi"), 44, B("hi"));
    REQUEST(addMask("*.example", "friend"), 48, B("*.example"), B("friend"));
    REQUEST(removeMask("ann*", "enemy"), 49, B("ann*"), B("enemy"));
    REQUEST(startMap("Sea.png", "Isles", reinterpret_cast<const unsigned char*>(gz.constData()), 6),
            51, B("Sea.png"), B("Isles"), QVariant::fromValue(Block{gz}));
    REQUEST(continentMap(2, "North", 5), 52, 2, B("North"), 5);
    REQUEST(countryMap(9, "Ice", 2, 10, 20, 5, 15, 30, 40), 53, 9, B("Ice"), 2, 10, 20, 5, 15, 30,
            40);
    REQUEST(neighbourMap(9, 10), 54, 9, 10);
    REQUEST(lineMap(1, 2, 3, 4), 55, 1, 2, 3, 4);
    REQUEST(endMap(4), 56, 4);
    REQUEST(storeSlot(0), 57, 0);
    // Negative numbers go out unchanged, a null text as the empty string,
    // and text in Latin-1.
    REQUEST(move(-1, -2, -3), 39, -1, -2, -3);
    REQUEST(globalChat(QString()), 11, B(""));
    REQUEST(whisper(QString::fromUtf8("J\u00e9r\u00f4me"), QString::fromUtf8("\u00a9")), 13,
            B("J\xe9r\xf4me"), B("\xa9"));
#undef REQUEST
}

void TestSender::everyRequest()
{
    QFETCH(Request, request);
    QFETCH(QByteArray, bytes);

    Sender sender;
    Sent sent(sender);
    request(sender);
    QCOMPARE(sent.messages.size(), 1);
    QCOMPARE(sent.messages.first().data(), bytes);
}

void TestSender::loginAndRegistrationTail()
{
    Sender sender;
    Sent sent(sender);
    const QVariantList tail = clientTail();

    sender.login("Bob", "secret");
    sender.regist("", "", "", "", "", "", "", "", "", "");
    sender.regist("nick", "pw", "Last", "First", "1 Road", "12345", "Town", "State", "Land",
                  "a@b.example");
    QCOMPARE(sent.messages.size(), 3);
    QCOMPARE(sent.messages[0].data(),
             wire(QVariantList{1, QByteArray("Bob"), QByteArray("secret")} + tail));

    // An all-empty registration still carries ten strings holding only the NUL.
    QVariantList empty{2};
    QVariantList full{2};
    for (const char* text : {"nick", "pw", "Last", "First", "1 Road", "12345", "Town", "State",
                             "Land", "a@b.example"}) {
        empty.append(QByteArray());
        full.append(QByteArray(text));
    }
    QCOMPARE(sent.messages[1].data().mid(4 + 5, 10 * 6),
             QByteArray::fromHex("010000000100").repeated(10));
    QCOMPARE(sent.messages[1].data(), wire(empty + tail));
    QCOMPARE(sent.messages[2].data(), wire(full + tail));
}

void TestSender::hardwareAddresses()
{
    QCOMPARE(formatHardwareAddress(QByteArray::fromHex("0a1bc2d3e4ff")),
             QStringLiteral("0A:1B:C2:D3:E4:FF"));
    QCOMPARE(formatHardwareAddress(QByteArray::fromHex("00000000000099")),
             QStringLiteral("00:00:00:00:00:00"));
    QVERIFY(formatHardwareAddress(QByteArray::fromHex("0a1b")).isEmpty());

    const QRegularExpression format(QStringLiteral("^([0-9A-F]{2}:){5}[0-9A-F]{2}$"));
    const QStringList addresses = networkAdapterAddresses();
    for (const QString& address : addresses)
        QVERIFY2(format.match(address).hasMatch(), qPrintable(address));
    // Linux gives loopback an all-zero address; it is no adapter.
    QVERIFY(!addresses.contains(QStringLiteral("00:00:00:00:00:00")));

    // Every address is reported on the warning output as it is sent.
    for (const QString& address : addresses)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(address));
    Sender sender;
    Sent sent(sender);
    sender.login("a", "b");
    QCOMPARE(sent.messages.size(), 1);
}

QTEST_GUILESS_MAIN(TestSender)
#include "tst_sender.moc"
