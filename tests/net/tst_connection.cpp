#include "connection.h"
#include "fields.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {} // namespace

// The TCP connection against a real server socket on the loopback address.
class TestConnection : public QObject
{
    Q_OBJECT

private slots:
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
    // Starts the connection to the server socket, unless it has started, and
    // accepts it.
    QTcpSocket* accept(Connection& connection);
    void write(const QByteArray& data);
    // Everything the client sent until n bytes have arrived.
    QByteArray receive(qsizetype n);

    std::unique_ptr<QTcpServer> m_server;
    std::unique_ptr<QTcpSocket> m_socket;
};

void TestConnection::init()
{
    m_server = std::make_unique<QTcpServer>();
    QVERIFY(m_server->listen(QHostAddress::LocalHost));
}

void TestConnection::cleanup()
{
    m_socket.reset();
    m_server.reset();
}

QTcpSocket* TestConnection::accept(Connection& connection)
{
    connection.start(QStringLiteral("127.0.0.1"), m_server->serverPort());
    if (!m_server->hasPendingConnections() && !m_server->waitForNewConnection(5000))
        return nullptr;
    m_socket.reset(m_server->nextPendingConnection());
    return m_socket.get();
}

void TestConnection::write(const QByteArray& data)
{
    m_socket->write(data);
    m_socket->flush();
}

QByteArray TestConnection::receive(qsizetype n)
{
    QByteArray data;
    QDeadlineTimer deadline(5000);
    while (data.size() < n && !deadline.hasExpired()) {
        QTest::qWait(5);
        data += m_socket->readAll();
    }
    return data;
}

void TestConnection::sendsKeepTheirOrder()
{
    Connection connection;
    // Before the start, while connecting and once connected.
    Message early = messageOf({op(Opcode::GlobalChat), QByteArray("bob")});
    connection.send(&early);
    connection.start(QStringLiteral("127.0.0.1"), m_server->serverPort());
    QCOMPARE(connection.state(), Connection::Connecting);
    Message second = messageOf({op(Opcode::Ping)});
    connection.send(&second);
    QVERIFY(accept(connection));
    QTRY_COMPARE(connection.state(), Connection::Connected);
    Message third = messageOf({op(Opcode::Join), 4});
    connection.send(&third);
    const QByteArray expected = early.data() + second.data() + third.data();
    QCOMPARE(receive(expected.size()), expected);
}

void TestConnection::messagesAcrossChunks()
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
    QCOMPARE(receive(received.join().size()), received.join());
}

void TestConnection::streamEndsOnce_data()
{
    QTest::addColumn<int>("end");
    QTest::newRow("server closes after its last message") << 0;
    QTest::newRow("field count of 1025 after a good message") << 1;
    QTest::newRow("the client gives up twice") << 2;
}

void TestConnection::streamEndsOnce()
{
    QFETCH(int, end);

    Connection connection;
    QList<QByteArray> received;
    connect(&connection, &Connection::message, this,
            [&](Message* m) { received.append(m->data()); });
    QSignalSpy disconnected(&connection, &Connection::disconnected);
    QSignalSpy failed(&connection, &Connection::connectFailed);
    QSignalSpy failure(&connection, &Connection::failure);
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
    connection.start(QStringLiteral("127.0.0.1"), m_server->serverPort());
    QTest::qWait(100);
    QCOMPARE(connection.state(), Connection::Closed);
    QVERIFY(!m_server->hasPendingConnections());
    QCOMPARE(received, QList<QByteArray>{more});
    QCOMPARE(disconnected.count(), 1);
    QCOMPARE(failed.count(), 0);
    // A socket error reported later is a failure, not a second end.
    connection.error(10054);
    QCOMPARE(failure.count(), 1);
    QCOMPARE(disconnected.count(), 1);
}

void TestConnection::connectFails()
{
    // Refused, and a host name that fails at once.
    const quint16 closed = m_server->serverPort();
    m_server->close();
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

void TestConnection::receiverMayDeleteTheConnection()
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

void TestConnection::receiverMayRunANestedEventLoop()
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
            m_socket->disconnectFromHost();
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

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
