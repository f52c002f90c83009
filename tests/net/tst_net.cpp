#include "connection.h"
#include "fields.h"
#include "networkadapters.h"
#include "parser.h"
#include "scriptedserver.h"
#include "sender.h"

#include <QEventLoop>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

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

    QList<const QSignalSpy*> emitted() const
    {
        QList<const QSignalSpy*> seen;
        for (const auto& spy : spies)
            seen.append(QList<const QSignalSpy*>(spy->count(), spy.get()));
        return seen;
    }

    std::vector<std::unique_ptr<QSignalSpy>> spies;
};

// The index of the class's own method of that name, or -1.
int indexOf(const QMetaObject& meta, const QByteArray& name)
{
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        if (meta.method(i).name() == name)
            return i;
    }
    return -1;
}

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

// The client's network layer: every server message decoded into its typed
// signal, every request encoded from its slot, and the TCP connection
// against a real server socket on the loopback address.
class TestNet : public QObject
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

    void init();
    void cleanup();
    void sendsKeepTheirOrder();
    void messagesAcrossChunks();
    void streamEndsOnce_data();
    void streamEndsOnce();
    void connectFails();
    void receiverMayDeleteTheConnection();
    void receiverMayRunANestedEventLoop();

private:
    // Starts the connection to the scripted server, unless it has started,
    // and waits until the server has accepted it.
    QTcpSocket* accept(Connection& connection);
    void write(const QByteArray& data) { m_server->client()->write(data); }
    // The wire form of what the client sent, once n messages have arrived.
    QList<QByteArray> receive(qsizetype n);

    std::unique_ptr<ScriptedServer> m_server;
};

void TestNet::initTestCase()
{
    qRegisterMetaType<const char*>("const char*");
}

void TestNet::everyOpcode_data()
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
        const QMetaMethod method = meta.method(indexOf(meta, name));
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

void TestNet::everyOpcode()
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

void TestNet::startMapBlock()
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

void TestNet::everyRequest_data()
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
        const int slot = indexOf(meta, name);
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
}

void TestNet::everyRequest()
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

void TestNet::blockAndTail()
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
    QCOMPARE(
        sent.messages,
        (QList<QByteArray>{
            wireOf({op(Opcode::StartMap), QByteArray("Sea.png"), QByteArray("Isles"),
                    QVariant::fromValue(Block{gz})}),
            wireOf({op(Opcode::StartMap), QByteArray("a"), QByteArray("b"),
                    QVariant::fromValue(Block{})}),
            wireOf(QVariantList{op(Opcode::Login), QByteArray("Bob"), QByteArray("secret")} + tail),
            wireOf(empty + tail), wireOf(full + tail)}));
}

void TestNet::hardwareAddresses()
{
    QCOMPARE(formatHardwareAddress(QByteArray::fromHex("0a1bc2d3e4ff")),
             QStringLiteral("0A:1B:C2:D3:E4:FF"));
    QCOMPARE(formatHardwareAddress(QByteArray::fromHex("00000000000099")),
             QStringLiteral("00:00:00:00:00:00"));
    QVERIFY(formatHardwareAddress(QByteArray::fromHex("0a1b")).isEmpty());
    // Linux gives loopback an all-zero address; it is no adapter.
    QVERIFY(!networkAdapterAddresses().contains(QStringLiteral("00:00:00:00:00:00")));
}

void TestNet::init()
{
    m_server = std::make_unique<ScriptedServer>();
}

void TestNet::cleanup()
{
    m_server.reset();
}

QTcpSocket* TestNet::accept(Connection& connection)
{
    connection.start(QStringLiteral("127.0.0.1"), m_server->port());
    return QTest::qWaitFor([this] { return m_server->clientCount() > 0; }, 5000)
               ? m_server->client()
               : nullptr;
}

QList<QByteArray> TestNet::receive(qsizetype n)
{
    // What has arrived by then; the caller's comparison names what is missing.
    static_cast<void>(QTest::qWaitFor([&] { return m_server->received().size() >= n; }, 5000));
    QList<QByteArray> wire;
    for (const Message& m : m_server->received())
        wire << m.data();
    return wire;
}

void TestNet::sendsKeepTheirOrder()
{
    Connection connection;
    // Before the start, while connecting and once connected.
    Message early = messageOf({op(Opcode::GlobalChat), QByteArray("bob")});
    connection.send(&early);
    connection.start(QStringLiteral("127.0.0.1"), m_server->port());
    QCOMPARE(connection.state(), Connection::Connecting);
    Message second = messageOf({op(Opcode::Ping)});
    connection.send(&second);
    QVERIFY(accept(connection));
    QTRY_COMPARE(connection.state(), Connection::Connected);
    Message third = messageOf({op(Opcode::Join), 4});
    connection.send(&third);
    QCOMPARE(receive(3), (QList<QByteArray>{early.data(), second.data(), third.data()}));
}

void TestNet::messagesAcrossChunks()
{
    Connection connection;
    // Each message is copied, as a receiver must since it is cleared after
    // the emission, and answered at once, as the client answers a
    // keep-alive, while the rest of the chunk is still to be read.
    QList<QByteArray> received;
    connect(&connection, &Connection::message, this, [&](Message* m) {
        received.append(m->data());
        Message answer = *m;
        connection.send(&answer);
    });
    QVERIFY(accept(connection));

    const QByteArray first = wireOf({op(Opcode::GlobalChat), QByteArray("a chat line")});
    const QByteArray second = wireOf({op(Opcode::Country), 4, 2, 9});
    const QByteArray third = wireOf({op(Opcode::Ping)});
    write(first.left(7));
    QTest::qWait(50);
    QVERIFY(received.isEmpty());
    // The end of one message and the whole of the next in one write.
    write(first.mid(7) + second + third.left(3));
    QTRY_COMPARE(received.size(), 2);
    write(third.mid(3));
    QTRY_COMPARE(received.size(), 3);
    QCOMPARE(received, (QList<QByteArray>{first, second, third}));
    QCOMPARE(receive(3), received);
}

void TestNet::streamEndsOnce_data()
{
    QTest::addColumn<int>("end");
    QTest::newRow("server closes after its last message") << 0;
    QTest::newRow("field count of 1025 after a good message") << 1;
    QTest::newRow("the client gives up twice") << 2;
}

void TestNet::streamEndsOnce()
{
    QFETCH(int, end);

    Connection connection;
    QList<QByteArray> received;
    connect(&connection, &Connection::message, this,
            [&](Message* m) { received.append(m->data()); });
    QSignalSpy disconnected(&connection, &Connection::disconnected);
    QSignalSpy failed(&connection, &Connection::connectFailed);
    QTcpSocket* socket = accept(connection);
    QVERIFY(socket);
    QTRY_COMPARE(connection.state(), Connection::Connected);

    const QByteArray more = wireOf({op(Opcode::More), 1});
    if (end == 1) {
        // The message after the bad count must never be read.
        write(more + QByteArray::fromHex("00000401") + wireOf({op(Opcode::Ping)}));
    } else {
        write(more);
        if (end == 0) {
            socket->disconnectFromHost();
        } else {
            QTRY_COMPARE(received.size(), 1);
            connection.lost();
            connection.lost();
        }
    }
    QTRY_COMPARE(disconnected.count(), 1);
    // The client closed its end; a closed connection drops what it is given
    // and does not start again.
    QTRY_COMPARE(socket->state(), QAbstractSocket::UnconnectedState);
    Message late = messageOf({op(Opcode::Ping)});
    connection.send(&late);
    connection.start(QStringLiteral("127.0.0.1"), m_server->port());
    QTest::qWait(100);
    QCOMPARE(connection.state(), Connection::Closed);
    QCOMPARE(m_server->clientCount(), 1);
    QCOMPARE(received, QList<QByteArray>{more});
    QVERIFY(m_server->received().isEmpty());
    QCOMPARE(disconnected.count(), 1);
    QCOMPARE(failed.count(), 0);
}

void TestNet::connectFails()
{
    // Refused, and a host name that fails at once.
    const quint16 closed = m_server->port();
    m_server.reset();
    for (const auto& [host, port] :
         {std::pair(QStringLiteral("127.0.0.1"), closed), std::pair(QString(), quint16(8822))}) {
        Connection connection;
        QSignalSpy failed(&connection, &Connection::connectFailed);
        QSignalSpy disconnected(&connection, &Connection::disconnected);
        connection.start(host, port);
        // Written data makes the socket report a refusal twice.
        Message m = messageOf({op(Opcode::Login)});
        connection.send(&m);
        connection.send(&m);
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(connection.state(), Connection::Closed);
        QTest::qWait(100);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(disconnected.count(), 0);
    }
}

void TestNet::receiverMayDeleteTheConnection()
{
    auto* connection = new Connection;
    int messages = 0;
    connect(connection, &Connection::message, this, [&](Message*) {
        ++messages;
        delete connection;
    });
    QVERIFY(accept(*connection));
    write(wireOf({op(Opcode::Ping)}) + wireOf({op(Opcode::Ping)}) +
          wireOf({op(Opcode::Clock), 30}));
    QTRY_COMPARE(messages, 1);
    QTest::qWait(100);
    QCOMPARE(messages, 1);
}

void TestNet::receiverMayRunANestedEventLoop()
{
    Connection connection;
    QList<int> order;
    QSignalSpy disconnected(&connection, &Connection::disconnected);
    // The first message opens something modal, and meanwhile the server sends
    // more and closes.
    connect(&connection, &Connection::message, this, [&](Message* m) {
        order.append(m->getInt(1));
        if (order.size() == 1) {
            write(wireOf({op(Opcode::More), 3}) + wireOf({op(Opcode::More), 4}));
            m_server->client()->disconnectFromHost();
            QEventLoop loop;
            QTimer::singleShot(200, &loop, &QEventLoop::quit);
            loop.exec();
            order.append(-1);
        }
    });
    QVERIFY(accept(connection));
    write(wireOf({op(Opcode::More), 1}) + wireOf({op(Opcode::More), 2}));
    QTRY_COMPARE(disconnected.count(), 1);
    QCOMPARE(order, (QList<int>{1, -1, 2, 3, 4}));
    QTest::qWait(50);
    QCOMPARE(disconnected.count(), 1);
}

QTEST_GUILESS_MAIN(TestNet)
#include "tst_net.moc"
