#include "fields.h"
#include "networkadapters.h"
#include "sender.h"

#include <QTest>

#include <span>
#include <vector>

namespace {

// Collects the wire form of every message a sender emits.
struct Sent
{
    explicit Sent(Sender& sender)
    {
        QObject::connect(&sender, &Sender::send, &sender,
                         [this](Message* m) { messages.append(m->data()); });
    }
    QList<QByteArray> messages;
};

} // namespace

// Encoding of every request the client makes.
class TestSender : public QObject
{
    Q_OBJECT

private slots:
    void everyRequest_data();
    void everyRequest();
    void blockAndTail();
    void hardwareAddresses();
};

void TestSender::everyRequest_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<QByteArray>("bytes");

    // Every request the table gives the client, called through the slot of
    // its name with distinct values (text in Latin-1), sends them in order.
    // Login, registration and the map's block have tests of their own.
    int count = 0;
    const Protocol::OpcodeFields* table = Protocol::opcodeTable(&count);
    const QMetaObject& meta = Sender::staticMetaObject;
    for (const Protocol::OpcodeFields& entry : std::span(table, size_t(count))) {
        const QByteArray types(entry.request);
        if (entry.request == nullptr || types.contains('*') || types.contains('d'))
            continue;
        QByteArray name = QByteArray(entry.name).left(1).toLower() + QByteArray(entry.name).mid(1);
        if (entry.opcode == Opcode::StartGame)
            name = "start";
        else if (entry.opcode == Opcode::Slot)
            name = "storeSlot";
        int slot = -1;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            if (meta.method(i).name() == name)
                slot = i;
        }
        QVariantList arguments;
        QVariantList fields{op(entry.opcode)};
        for (const char type : types) {
            const int n = int(fields.size());
            if (type == 's') {
                const QByteArray text = QByteArray("t\xe9xt ") + QByteArray::number(n);
                arguments << QString::fromLatin1(text);
                fields << text;
            } else {
                arguments << (type == 'b' ? QVariant(n % 2 == 0) : QVariant(10 + n));
                fields << arguments.last();
            }
        }
        QTest::newRow(entry.name) << slot << arguments << wireOf(fields);
    }
    QTest::newRow("null text") << meta.indexOfSlot("globalChat(QString)") << QVariantList{QString()}
                               << wireOf({op(Opcode::GlobalChat), QByteArray("")});
}

void TestSender::everyRequest()
{
    QFETCH(int, slot);
    QFETCH(QVariantList, arguments);
    QFETCH(QByteArray, bytes);

    QVERIFY2(slot >= 0, "the request has no slot of its name");
    QCOMPARE(Sender::staticMetaObject.method(slot).parameterCount(), arguments.size());
    std::vector<void*> argv{nullptr};
    for (QVariant& argument : arguments)
        argv.push_back(argument.data());
    Sender sender;
    Sent sent(sender);
    QMetaObject::metacall(&sender, QMetaObject::InvokeMetaMethod, slot, argv.data());
    QCOMPARE(sent.messages, QList<QByteArray>{bytes});
}

void TestSender::blockAndTail()
{
    Sender sender;
    Sent sent(sender);
    // A null index is an empty block.
    const QByteArray gz("\x1f\x8b\x08\0\0\xff", 6);
    sender.startMap(QStringLiteral("Sea.png"), QStringLiteral("Isles"),
                    reinterpret_cast<const unsigned char*>(gz.constData()), 6);
    sender.startMap(QStringLiteral("a"), QStringLiteral("b"), nullptr, 0);
    // Login and registration end in the version, the client and the
    // adapters' addresses; an all-empty registration still carries ten
    // strings holding only the NUL.
    sender.login("Bob", "secret");
    sender.regist("", "", "", "", "", "", "", "", "", "");
    sender.regist("nick", "pw", "Last", "First", "1 Road", "12345", "Town", "State", "Land",
                  "a@b.example");

    QVariantList tail{Protocol::Version, QByteArray(Protocol::ClientIdentifier)};
    for (const QString& address : networkAdapterAddresses())
        tail.append(address.toLatin1());
    QVariantList empty{op(Opcode::Register)};
    QVariantList full{op(Opcode::Register)};
    for (const char* text : {"nick", "pw", "Last", "First", "1 Road", "12345", "Town", "State",
                             "Land", "a@b.example"}) {
        empty.append(QByteArray());
        full.append(QByteArray(text));
    }
    const QVariantList map{op(Opcode::StartMap), QByteArray("Sea.png"), QByteArray("Isles")};
    QCOMPARE(
        sent.messages,
        (QList<QByteArray>{
            wireOf(map + QVariantList{QVariant::fromValue(Block{gz})}),
            wireOf({op(Opcode::StartMap), QByteArray("a"), QByteArray("b"),
                    QVariant::fromValue(Block{})}),
            wireOf(QVariantList{op(Opcode::Login), QByteArray("Bob"), QByteArray("secret")} + tail),
            wireOf(empty + tail), wireOf(full + tail)}));
}

void TestSender::hardwareAddresses()
{
    QCOMPARE(formatHardwareAddress(QByteArray::fromHex("0a1bc2d3e4ff")),
             QStringLiteral("0A:1B:C2:D3:E4:FF"));
    QCOMPARE(formatHardwareAddress(QByteArray::fromHex("00000000000099")),
             QStringLiteral("00:00:00:00:00:00"));
    QVERIFY(formatHardwareAddress(QByteArray::fromHex("0a1b")).isEmpty());
    // Linux gives loopback an all-zero address; it is no adapter.
    QVERIFY(!networkAdapterAddresses().contains(QStringLiteral("00:00:00:00:00:00")));
}

QTEST_GUILESS_MAIN(TestSender)
#include "tst_sender.moc"
