#include "connection.h"
#include "fields.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QByteArray wireOf(const QVariantList& fields)
{
    return messageOf(fields).data();
}

// A server socket on 127.0.0.1 for one client.
class Peer
{
public:
    Peer() { QVERIFY(m_server.listen(QHostAddress::LocalHost)); }

    quint16 port() const { return m_server.serverPort(); }

    // Starts the connection to this peer and accepts it.
    QTcpSocket* accept(Connection& connection)
    {
        connection.start(QStringLiteral("127.0.0.1"), port());
        return accept();
    }

    QTcpSocket* accept()
    {
        if (!m_server.hasPendingConnections() && !m_server.waitForNewConnection(5000))
            return nullptr;
        m_socket.reset(m_server.nextPendingConnection());
        return m_socket.get();
    }

    // Everything the client sent until n bytes have arrived.
    QByteArray receive(qsizetype n)
    {
        QByteArray data;
        QDeadlineTimer deadline(5000);
        while (data.size() < n && !deadline.hasExpired()) {
            QTest::qWait(5);
            data += m_socket->readAll();
        }
        return data;
    }

    void write(const QByteArray& data)
    {
        m_socket->write(data);
        m_socket->flush();
    }

private:
    QTcpServer m_server;
    std::unique_ptr<QTcpSocket> m_socket;
};

// Records every message, copying as a receiver must, since the message is cleared after the
// emission.
struct Received
{
    explicit Received(Connection& connection)
    {
        QObject::connect(&connection, &Connection::message, &connection,
                         [this](Message* m) { messages.append(*m); });
    }
    QList<Message> messages;
};

} // namespace

// The TCP connection against a real server socket on the loopback address.
class TestConnection : public QObject
{
    Q_OBJECT

private slots:
    void sendsKeepTheirOrder();
    void messagesAcrossChunks();
    void streamEndsOnce_data();
    void streamEndsOnce();
    void connectFails_data();
    void connectFails();
    void lostClosesOnce();
    void receiverMayDeleteTheConnection();
    void receiverMaySendWhileHandlingAMessage();
    void receiverMayRunANestedEventLoop();
};

void TestConnection::sendsKeepTheirOrder()
{
    Peer peer;
    Connection connection;
    // Before the start, while connecting, and behind unsent bytes: large
    // blocks fill the socket's buffers, so later sends are queued.
    Message early = messageOf({op(Opcode::GlobalChat), QByteArray("bob")});
    connection.send(&early);
    connection.start(QStringLiteral("127.0.0.1"), peer.port());
    QCOMPARE(connection.state(), Connection::Connecting);
    Message second = messageOf({op(Opcode::Ping)});
    connection.send(&second);
    QVERIFY(peer.accept());
    QTRY_COMPARE(connection.state(), Connection::Connected);

    QByteArray expected = early.data() + second.data();
    for (int i = 0; i < 40; ++i) {
        Message m = Protocol::message(Opcode::StartMap);
        const QByteArray block(200 * 1024, char('a' + i % 26));
        m.addBytes(reinterpret_cast<const unsigned char*>(block.constData()), int(block.size()));
        m.addInt(i);
        connection.send(&m);
        expected += m.data();
    }
    QVERIFY(peer.receive(expected.size()) == expected);
}

void TestConnection::messagesAcrossChunks()
{
    Peer peer;
    Connection connection;
    Received received(connection);
    QVERIFY(peer.accept(connection));

    const QByteArray first = wireOf({op(Opcode::GlobalChat), QByteArray("a chat line")});
    const QByteArray second = wireOf({op(Opcode::Country), 4, 2, 9});
    const QByteArray third = wireOf({op(Opcode::Ping)});
    peer.write(first.left(7));
    QTest::qWait(50);
    QCOMPARE(received.messages.size(), 0);
    // The end of one message and the whole of the next in one write.
    peer.write(first.mid(7) + second + third.left(3));
    QTRY_COMPARE(received.messages.size(), 2);
    peer.write(third.mid(3));
    QTRY_COMPARE(received.messages.size(), 3);
    QCOMPARE(received.messages[0].data() + received.messages[1].data() +
                 received.messages[2].data(),
             first + second + third);
}

void TestConnection::streamEndsOnce_data()
{
    QTest::addColumn<bool>("framingError");
    QTest::newRow("server closes after its last message") << false;
    QTest::newRow("field count of 1025 after a good message") << true;
}

void TestConnection::streamEndsOnce()
{
    QFETCH(bool, framingError);

    Peer peer;
    Connection connection;
    Received received(connection);
    QSignalSpy disconnected(&connection, &Connection::disconnected);
    QSignalSpy failed(&connection, &Connection::connectFailed);
    QTcpSocket* socket = peer.accept(connection);
    QVERIFY(socket);
    QTRY_COMPARE(connection.state(), Connection::Connected);

    if (framingError) {
        // The message after the bad count must never be read.
        peer.write(wireOf({op(Opcode::More), 1}) + QByteArray::fromHex("00000401") +
                   wireOf({op(Opcode::Ping)}));
    } else {
        peer.write(wireOf({op(Opcode::More), 1}));
        socket->disconnectFromHost();
    }
    QTRY_COMPARE(disconnected.count(), 1);
    QCOMPARE(connection.state(), Connection::Closed);
    QCOMPARE(received.messages.size(), 1);
    QCOMPARE(received.messages[0].data(), wireOf({op(Opcode::More), 1}));
    // The client closed its end and reads nothing more.
    QTRY_COMPARE(socket->state(), QAbstractSocket::UnconnectedState);
    if (framingError)
        peer.write(wireOf({op(Opcode::Ping)}));
    QTest::qWait(100);
    QCOMPARE(received.messages.size(), 1);
    QCOMPARE(disconnected.count(), 1);
    QCOMPARE(failed.count(), 0);

    // A closed connection drops what it is given and does not start again.
    Message late = messageOf({op(Opcode::Ping)});
    connection.send(&late);
    connection.start(QStringLiteral("127.0.0.1"), peer.port());
    QCOMPARE(connection.state(), Connection::Closed);
}

void TestConnection::connectFails_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<quint16>("port");

    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    QTest::newRow("refused") << QStringLiteral("127.0.0.1") << port;
    QTest::newRow("empty host name") << QString() << quint16(8822);
}

void TestConnection::connectFails()
{
    QFETCH(QString, host);
    QFETCH(quint16, port);

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

void TestConnection::lostClosesOnce()
{
    Peer peer;
    Connection connection;
    QSignalSpy disconnected(&connection, &Connection::disconnected);
    QSignalSpy failure(&connection, &Connection::failure);
    QTcpSocket* socket = peer.accept(connection);
    QVERIFY(socket);
    QTRY_COMPARE(connection.state(), Connection::Connected);

    connection.lost();
    connection.lost();
    QCOMPARE(disconnected.count(), 1);
    QCOMPARE(connection.state(), Connection::Closed);
    QTRY_COMPARE(socket->state(), QAbstractSocket::UnconnectedState);

    connection.error(10054);
    QCOMPARE(failure.count(), 1);
    QCOMPARE(disconnected.count(), 1);
}

void TestConnection::receiverMayDeleteTheConnection()
{
    Peer peer;
    auto* connection = new Connection;
    int messages = 0;
    connect(connection, &Connection::message, this, [&](Message*) {
        ++messages;
        delete connection;
    });
    QVERIFY(peer.accept(*connection));
    peer.write(wireOf({op(Opcode::Ping)}) + wireOf({op(Opcode::Ping)}) +
               wireOf({op(Opcode::Clock), 30}));
    QTRY_COMPARE(messages, 1);
    QTest::qWait(100);
    QCOMPARE(messages, 1);
}

void TestConnection::receiverMaySendWhileHandlingAMessage()
{
    Peer peer;
    Connection connection;
    // Answering every keep-alive at once, as the client does.
    connect(&connection, &Connection::message, this, [&](Message* m) {
        Message answer;
        answer.addInt(m->getInt(0));
        answer.addInt(m->getInt(1));
        connection.send(&answer);
    });
    QVERIFY(peer.accept(connection));
    const QByteArray pings = wireOf({op(Opcode::Ping), 1}) + wireOf({op(Opcode::Ping), 2}) +
                             wireOf({op(Opcode::Ping), 3});
    peer.write(pings);
    QCOMPARE(peer.receive(pings.size()), pings);
}

void TestConnection::receiverMayRunANestedEventLoop()
{
    Peer peer;
    Connection connection;
    QList<int> order;
    QSignalSpy disconnected(&connection, &Connection::disconnected);
    QTcpSocket* socket = nullptr;
    // The first message opens something modal, and meanwhile the server sends
    // more and closes.
    connect(&connection, &Connection::message, this, [&](Message* m) {
        order.append(m->getInt(1));
        if (order.size() == 1) {
            socket->write(wireOf({op(Opcode::More), 3}) + wireOf({op(Opcode::More), 4}));
            socket->disconnectFromHost();
            QEventLoop loop;
            QTimer::singleShot(200, &loop, &QEventLoop::quit);
            loop.exec();
            order.append(-1);
        }
    });
    socket = peer.accept(connection);
    QVERIFY(socket);
    peer.write(wireOf({op(Opcode::More), 1}) + wireOf({op(Opcode::More), 2}));
    QTRY_COMPARE(disconnected.count(), 1);
    QCOMPARE(order, (QList<int>{1, -1, 2, 3, 4}));
    QTest::qWait(50);
    QCOMPARE(disconnected.count(), 1);
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
