#include "fields.h"
#include "networkadapters.h"
#include "sender.h"

#include <QRegularExpression>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(std::function<void(Sender&)>)

namespace {

using Request = std::function<void(Sender&)>;

QByteArray wire(const QVariantList& fields)
{
    return messageOf(fields).data();
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
    QVariantList tail{Protocol::Version, QByteArray(Protocol::ClientIdentifier)};
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

    // One row per request: the call as written, and the fields it must send.
#define REQUEST(call, ...) row(#call, [gz](Sender& s) { s.call; }, {__VA_ARGS__})
    REQUEST(globalChat(QStringLiteral("hello")), op(Opcode::GlobalChat), B("hello"));
    REQUEST(gameChat(QStringLiteral("gg")), op(Opcode::GameChat), B("gg"));
    REQUEST(whisper(QStringLiteral("ann"), QStringLiteral("psst")), op(Opcode::Whisper), B("ann"),
            B("psst"));
    REQUEST(join(12), op(Opcode::Join), 12);
    REQUEST(watch(13), op(Opcode::Watch), 13);
    REQUEST(part(), op(Opcode::Part));
    REQUEST(robot(QStringLiteral("Bot 1")), op(Opcode::Robot), B("Bot 1"));
    REQUEST(place(41), op(Opcode::Place), 41);
    REQUEST(attack(3, 7, 2, true), op(Opcode::Attack), 3, 7, 2, 1);
    REQUEST(attack(3, 7, 3, false), op(Opcode::Attack), 3, 7, 3, 0);
    REQUEST(newGame(34, true, false, 300, true, false, true, false, true, false, 3, 250, true,
                    false, 2, true, false),
            op(Opcode::NewGame), 34, 1, 0, 300, 1, 0, 1, 0, 1, 0, 3, 250, 1, 0, 2, 1, 0);
    REQUEST(take(5), op(Opcode::Take), 5);
    REQUEST(exchange(0, 1, 3), op(Opcode::Exchange), 0, 1, 3);
    REQUEST(end(), op(Opcode::End));
    REQUEST(armies(), op(Opcode::Armies));
    REQUEST(start(), op(Opcode::StartGame));
    REQUEST(all(9), op(Opcode::All), 9);
    REQUEST(capital(8), op(Opcode::Capital), 8);
    REQUEST(move(4, 5, 6), op(Opcode::Move), 4, 5, 6);
    REQUEST(ping(), op(Opcode::Ping));
    REQUEST(kick(QStringLiteral("troll")), op(Opcode::Kick), B("troll"));
    REQUEST(membersChat(QStringLiteral("hi")), op(Opcode::MembersChat), B("hi"));
    REQUEST(addMask(QStringLiteral("*.example"), QStringLiteral("friend")), op(Opcode::AddMask),
            B("*.example"), B("friend"));
    REQUEST(removeMask(QStringLiteral("ann*"), QStringLiteral("enemy")), op(Opcode::RemoveMask),
            B("ann*"), B("enemy"));
    REQUEST(startMap(QStringLiteral("Sea.png"), QStringLiteral("Isles"),
                     reinterpret_cast<const unsigned char*>(gz.constData()), 6),
            op(Opcode::StartMap), B("Sea.png"), B("Isles"), QVariant::fromValue(Block{gz}));
    REQUEST(startMap(QStringLiteral("a"), QStringLiteral("b"), nullptr, 0), op(Opcode::StartMap),
            B("a"), B("b"), QVariant::fromValue(Block{}));
    REQUEST(continentMap(2, QStringLiteral("North"), 5), op(Opcode::ContinentMap), 2, B("North"),
            5);
    REQUEST(countryMap(9, QStringLiteral("Ice"), 2, 10, 20, 5, 15, 30, 40), op(Opcode::CountryMap),
            9, B("Ice"), 2, 10, 20, 5, 15, 30, 40);
    REQUEST(neighbourMap(9, 10), op(Opcode::NeighbourMap), 9, 10);
    REQUEST(lineMap(1, 2, 3, 4), op(Opcode::LineMap), 1, 2, 3, 4);
    REQUEST(endMap(4), op(Opcode::EndMap), 4);
    REQUEST(storeSlot(0), op(Opcode::Slot), 0);
    // A null text goes out as the empty string, and text in Latin-1.
    REQUEST(globalChat(QString()), op(Opcode::GlobalChat), B(""));
    REQUEST(whisper(QString::fromUtf8("J\u00e9r\u00f4me"), QString::fromUtf8("\u00a9")),
            op(Opcode::Whisper), B("J\xe9r\xf4me"), B("\xa9"));
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
             wire(QVariantList{op(Opcode::Login), QByteArray("Bob"), QByteArray("secret")} + tail));

    // An all-empty registration still carries ten strings holding only the NUL.
    QVariantList empty{op(Opcode::Register)};
    QVariantList full{op(Opcode::Register)};
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
