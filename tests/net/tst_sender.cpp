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
    void exactBytes_data();
    void exactBytes();
    void loginAndRegistrationTail();
    void hardwareAddresses();
};

void TestSender::everyRequest_data()
{
    QTest::addColumn<Request>("request");
    QTest::addColumn<QVariantList>("fields");

    auto row = [](const char* name, Request request, const QVariantList& fields) {
        QTest::newRow(name) << request << fields;
    };
    using B = QByteArray;
    const QByteArray gz("\x1f\x8b\x08\0\0\xff", 6);

    row("newGame",
        [](Sender& s) {
            s.newGame(34, true, false, 300, true, false, true, false, true, false, 3, 250, true,
                      false, 2, true, false);
        },
        {8, 34, 1, 0, 300, 1, 0, 1, 0, 1, 0, 3, 250, 1, 0, 2, 1, 0});
    row("globalChat", [](Sender& s) { s.globalChat("hello"); }, {11, B("hello")});
    row("gameChat", [](Sender& s) { s.gameChat("gg"); }, {12, B("gg")});
    row("whisper", [](Sender& s) { s.whisper("ann", "psst"); }, {13, B("ann"), B("psst")});
    row("join", [](Sender& s) { s.join(12); }, {15, 12});
    row("watch", [](Sender& s) { s.watch(13); }, {16, 13});
    row("part", [](Sender& s) { s.part(); }, {17});
    row("robot", [](Sender& s) { s.robot("Bot 1"); }, {19, B("Bot 1")});
    row("place", [](Sender& s) { s.place(41); }, {24, 41});
    row("attack", [](Sender& s) { s.attack(3, 7, 2, true); }, {25, 3, 7, 2, 1});
    row("attack without do-or-die", [](Sender& s) { s.attack(3, 7, 3, false); }, {25, 3, 7, 3, 0});
    row("take", [](Sender& s) { s.take(5); }, {27, 5});
    row("exchange", [](Sender& s) { s.exchange(0, 1, 3); }, {31, 0, 1, 3});
    row("end", [](Sender& s) { s.end(); }, {33});
    row("armies", [](Sender& s) { s.armies(); }, {34});
    row("start", [](Sender& s) { s.start(); }, {35});
    row("all", [](Sender& s) { s.all(9); }, {36, 9});
    row("capital", [](Sender& s) { s.capital(8); }, {37, 8});
    row("move", [](Sender& s) { s.move(4, 5, 6); }, {39, 4, 5, 6});
    row("ping", [](Sender& s) { s.ping(); }, {40});
    row("kick", [](Sender& s) { s.kick("troll"); }, {43, B("troll")});
    row("membersChat", [](Sender& s) { s.membersChat("hi"); }, {44, B("hi")});
    row("addMask", [](Sender& s) { s.addMask("*.example", "friend"); },
        {48, B("*.example"), B("friend")});
    row("removeMask", [](Sender& s) { s.removeMask("ann*", "enemy"); },
        {49, B("ann*"), B("enemy")});
    row("startMap",
        [gz](Sender& s) {
            s.startMap("Sea.png", "Isles", reinterpret_cast<const unsigned char*>(gz.constData()),
                       int(gz.size()));
        },
        {51, B("Sea.png"), B("Isles"), QVariant::fromValue(Block{gz})});
    row("startMap with an empty index",
        [](Sender& s) { s.startMap("Sea.png", "Isles", nullptr, 0); },
        {51, B("Sea.png"), B("Isles"), QVariant::fromValue(Block{})});
    row("continentMap", [](Sender& s) { s.continentMap(2, "North", 5); }, {52, 2, B("North"), 5});
    row("countryMap", [](Sender& s) { s.countryMap(9, "Ice", 2, 10, 20, 5, 15, 30, 40); },
        {53, 9, B("Ice"), 2, 10, 20, 5, 15, 30, 40});
    row("neighbourMap", [](Sender& s) { s.neighbourMap(9, 10); }, {54, 9, 10});
    row("lineMap", [](Sender& s) { s.lineMap(1, 2, 3, 4); }, {55, 1, 2, 3, 4});
    row("endMap", [](Sender& s) { s.endMap(4); }, {56, 4});
    row("storeSlot", [](Sender& s) { s.storeSlot(0); }, {57, 0});

    row("negative numbers go out unchanged", [](Sender& s) { s.move(-1, -2, -3); },
        {39, -1, -2, -3});
    row("empty text", [](Sender& s) { s.globalChat(QString()); }, {11, B("")});
    row("Latin-1 text",
        [](Sender& s) {
            s.whisper(QString::fromUtf8("J\u00e9r\u00f4me"), QString::fromUtf8("\u00a9"));
        },
        {13, B("J\xe9r\xf4me"), B("\xa9")});
}

void TestSender::everyRequest()
{
    QFETCH(Request, request);
    QFETCH(QVariantList, fields);

    Sender sender;
    Sent sent(sender);
    request(sender);
    QCOMPARE(sent.messages.size(), 1);
    QCOMPARE(sent.messages.first().data(), wire(fields));
}

void TestSender::exactBytes_data()
{
    QTest::addColumn<Request>("request");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("attack(3, 7, 2, true)") << Request([](Sender& s) { s.attack(3, 7, 2, true); })
                                           << QByteArray::fromHex("00000005"
                                                                  "0000000019"
                                                                  "0000000003"
                                                                  "0000000007"
                                                                  "0000000002"
                                                                  "0000000001");
    QTest::newRow("ping") << Request([](Sender& s) { s.ping(); })
                          << QByteArray::fromHex("000000010000000028");
    QTest::newRow("startMap with an empty index")
        << Request([](Sender& s) { s.startMap("a", "b", nullptr, 0); })
        << QByteArray::fromHex("00000004"
                               "0000000033"
                               "01000000026100"
                               "01000000026200"
                               "0200000000");

    QByteArray newGame = QByteArray::fromHex("00000012"
                                             "0000000008");
    for (int value : {7, 1, 0, 60, 0, 1, 0, 1, 0, 1, 2, 100, 0, 1, 2, 0, 1}) {
        char field[5] = {0};
        qToBigEndian<qint32>(value, field + 1);
        newGame += QByteArray(field, 5);
    }
    QTest::newRow("newGame, 18 fields") << Request([](Sender& s) {
        s.newGame(7, true, false, 60, false, true, false, true, false, true, 2, 100, false, true, 2,
                  false, true);
    }) << newGame;
}

void TestSender::exactBytes()
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

    QCOMPARE(sent.messages[0].count(), 5 + tail.size() - 2);
    QCOMPARE(sent.messages[0].data(),
             wire(QVariantList{1, QByteArray("Bob"), QByteArray("secret")} + tail));

    // An all-empty registration still carries ten strings holding only the NUL.
    const Message& empty = sent.messages[1];
    QCOMPARE(empty.count(), 13 + tail.size() - 2);
    QCOMPARE(empty.getInt(0), 2);
    const QByteArray emptyString = QByteArray::fromHex("010000000100");
    QCOMPARE(empty.data().mid(4 + 5, 10 * 6), emptyString.repeated(10));
    QCOMPARE(empty.getInt(11), 11);
    QCOMPARE(QByteArray(empty.getString(12)), QByteArray("tarvenix"));

    QVariantList full{2};
    for (const char* text :
         {"nick", "pw", "Last", "First", "1 Road", "12345", "Town", "State", "Land", "a@b.example"})
        full.append(QByteArray(text));
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
