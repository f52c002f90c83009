#include "fields.h"
#include "networkadapters.h"
#include "parser.h"
#include "sender.h"

#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <span>
#include <vector>

namespace {

// One spy per signal of Parser, so a test sees every emission.
struct AllSignals
{
    explicit AllSignals(Parser& parser)
    {
        const QMetaObject& meta = Parser::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            const QMetaMethod method = meta.method(i);
            if (method.methodType() == QMetaMethod::Signal)
                spies.push_back(std::make_unique<QSignalSpy>(&parser, method));
        }
    }

    // Every emission, as the spy that saw it.
    QList<const QSignalSpy*> emitted() const
    {
        QList<const QSignalSpy*> seen;
        for (const auto& spy : spies)
            seen.append(QList<const QSignalSpy*>(spy->count(), spy.get()));
        return seen;
    }

    std::vector<std::unique_ptr<QSignalSpy>> spies;
};

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

// The protocol's two adapters: every server message decoded into its typed
// signal, and every request the client makes encoded from its slot.
class TestAdapters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyOpcode_data();
    void everyOpcode();
    void startMapBlock();

    void everyRequest_data();
    void everyRequest();
    void blockAndTail();
    void hardwareAddresses();
};

void TestAdapters::initTestCase()
{
    qRegisterMetaType<const char*>("const char*");
}

void TestAdapters::everyOpcode_data()
{
    QTest::addColumn<QVariantList>("fields");
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<QVariantList>("expected");

    auto row = [](const char* name, const QVariantList& fields, const char* signature,
                  const QVariantList& expected) {
        QTest::newRow(name) << fields << QByteArray(signature) << expected;
    };
    using B = QByteArray;
    using S = QString;

    const char* newGame = "newGame(int,int,QString,QString,bool,bool,int,bool,bool,bool,bool,bool,"
                          "bool,int,int,int,bool,bool,int,bool,bool)";

    // Every server message, with distinct values in the fields the table
    // gives it, reaches the signal of its name with those values in order,
    // typed as the signal's parameters. The user message and the map's
    // block have rows of their own.
    const QMetaObject& meta = Parser::staticMetaObject;
    int count = 0;
    const Protocol::OpcodeFields* table = Protocol::opcodeTable(&count);
    for (const Protocol::OpcodeFields& entry : std::span(table, size_t(count))) {
        const QByteArray types(entry.message);
        if (entry.message == nullptr || entry.opcode == Opcode::User || types.contains('d'))
            continue;
        QVariantList fields{op(entry.opcode)};
        for (const char type : types) {
            const int n = int(fields.size());
            fields << (type == 's'   ? QVariant(B("text ") + B::number(n))
                       : type == 'b' ? QVariant(n % 2 == 1)
                                     : QVariant(10 + n));
        }
        // A message without its signal fails as a row of its own.
        const QByteArray name = B(entry.name).left(1).toLower() + B(entry.name).mid(1);
        QMetaMethod method;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            if (meta.method(i).name() == name)
                method = meta.method(i);
        }
        QVariantList expected;
        for (int i = 0; i < method.parameterCount(); ++i) {
            expected.append(fields.value(i + 1));
            expected.last().convert(method.parameterMetaType(i));
        }
        row(entry.name, fields, method.isValid() ? method.methodSignature().constData() : "missing",
            expected);
    }
    // The user message's ninth field is skipped, whatever its type.
    for (const auto& [name, nine] :
         {std::pair("user", QVariant(77)), std::pair("user, text as field nine", QVariant(B("x")))})
        row(name, {op(Opcode::User), B("ann"), 1510, 42, 7, 9, 1, B(":-)"), 1, nine, 3},
            "user(QString,int,int,int,int,bool,QString,bool,int)",
            {QStringLiteral("ann"), 1510, 42, 7, 9, true, QStringLiteral(":-)"), true, 3});
    row("newGame with only the id", {op(Opcode::NewGame), 12}, newGame,
        {12,    0,     S(), S(), false, false, 0,     false, false, false, false,
         false, false, 0,   0,   0,     false, false, 0,     false, false});
    row("Latin-1 text", {op(Opcode::GlobalChat), B("J\xe9r\xf4me"), B("\xa9 \xff")},
        "globalChat(QString,QString)",
        {QStringLiteral("J\u00e9r\u00f4me"), QStringLiteral("\u00a9 \u00ff")});
    row("block where a string belongs", {op(Opcode::Success), QVariant::fromValue(Block{"xyz"})},
        "success(QString)", {S()});
    row("non-zero bool other than one", {op(Opcode::Player), 0, -7, B("x")},
        "player(int,bool,QString)", {0, true, QStringLiteral("x")});
    row("surplus fields", {op(Opcode::More), 3, 4, B("x")}, "more(int)", {3});

    // An opcode only the client sends, and numbers no opcode has.
    for (int opcode : {op(Opcode::Login), op(table[count - 1].opcode) + 1, -1})
        QTest::addRow("unknown %d", opcode)
            << QVariantList{opcode, 1} << QByteArray("unknownOpcode(int)") << QVariantList{opcode};
    row("opcode as a string", {B("22")}, "start()", {});
    row("no fields", {}, "", {});
}

void TestAdapters::everyOpcode()
{
    QFETCH(QVariantList, fields);
    QFETCH(QByteArray, signature);
    QFETCH(QVariantList, expected);

    Parser parser;
    AllSignals all(parser);
    Message m = messageOf(fields);
    parser.parse(nullptr);
    parser.parse(&m);
    if (signature.isEmpty()) {
        QVERIFY(all.emitted().isEmpty());
        return;
    }
    QCOMPARE(all.emitted().size(), 1);
    const QSignalSpy* spy = all.emitted().first();
    QCOMPARE(spy->signal(), signature);
    const QList<QVariant>& args = spy->first();
    QCOMPARE(args.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(args.at(i).metaType(), expected.at(i).metaType());
        QCOMPARE(args.at(i), expected.at(i));
        if (expected.at(i).metaType() == QMetaType::fromType<QString>())
            QCOMPARE(args.at(i).toString().isNull(), expected.at(i).toString().isNull());
    }
}

void TestAdapters::startMapBlock()
{
    // The index arrives as a block; absent, or a string in its place, it is
    // null.
    const QVariantList head{op(Opcode::StartMap), 7, QByteArray("Isles"), QByteArray("Sea.png")};
    const QByteArray gz("\x1f\x8b\x08\x00\x00\x01\x02", 7);
    const std::pair<QVariantList, QByteArray> rows[] = {
        {{QVariant::fromValue(Block{gz})}, gz}, {{}, "null"}, {{QByteArray("abc")}, "null"}};
    for (const auto& [tail, index] : rows) {
        Parser parser;
        QList<QVariantList> calls;
        connect(
            &parser, &Parser::startMap, this,
            [&](int id, const QString& name, const QString& picture, const char* data, int length) {
                calls.append({id, name, picture, data ? QByteArray(data, length) : "null", length});
            });
        Message m = messageOf(head + tail);
        parser.parse(&m);
        QCOMPARE(calls, (QList<QVariantList>{{7, QStringLiteral("Isles"), QStringLiteral("Sea.png"),
                                              index, index == gz ? 7 : 0}}));
    }
}

void TestAdapters::everyRequest_data()
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

void TestAdapters::everyRequest()
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

void TestAdapters::blockAndTail()
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

void TestAdapters::hardwareAddresses()
{
    QCOMPARE(formatHardwareAddress(QByteArray::fromHex("0a1bc2d3e4ff")),
             QStringLiteral("0A:1B:C2:D3:E4:FF"));
    QCOMPARE(formatHardwareAddress(QByteArray::fromHex("00000000000099")),
             QStringLiteral("00:00:00:00:00:00"));
    QVERIFY(formatHardwareAddress(QByteArray::fromHex("0a1b")).isEmpty());
    // Linux gives loopback an all-zero address; it is no adapter.
    QVERIFY(!networkAdapterAddresses().contains(QStringLiteral("00:00:00:00:00:00")));
}

QTEST_GUILESS_MAIN(TestAdapters)
#include "tst_adapters.moc"
