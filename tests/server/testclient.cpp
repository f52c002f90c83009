#include "testclient.h"

#include <QDeadlineTimer>
#include <QTest>

TestClient::TestClient(QObject* parent) : QObject(parent)
{
    connect(&sender, &Sender::send, this, [this](Message* m) { m_socket.write(m->data()); });
    connect(&parser, &Parser::ping, this, [this] {
        if (answerPings)
            sender.ping();
    });
    // Known at once: whatever follows the success in the same read (a
    // rejoined game) may name the client.
    connect(&parser, &Parser::success, this, [this](const QString& name) { nickname = name; });
    connect(&m_socket, &QTcpSocket::readyRead, this, &TestClient::readIncoming);
}

bool TestClient::connectTo(quint16 port, const QHostAddress& from)
{
    if (!from.isNull() && !m_socket.bind(from))
        return false;
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    if (!m_socket.waitForConnected(3000))
        return false;
    return waitFor(Opcode::Start).has_value();
}

bool TestClient::waitForDisconnect(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_socket.state() != QAbstractSocket::UnconnectedState && !deadline.hasExpired())
        QTest::qWait(5);
    return m_socket.state() == QAbstractSocket::UnconnectedState;
}

void TestClient::stopReading()
{
    m_reading = false;
    m_socket.setReadBufferSize(1);
}

void TestClient::readIncoming()
{
    if (!m_reading)
        return;
    const QByteArray bytes = m_socket.readAll();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    int pos = 0;
    while (pos < bytes.size()) {
        const int used = m_incoming.feed(data + pos, int(bytes.size() - pos));
        if (used <= 0) {
            m_socket.abort();
            return;
        }
        pos += used;
        if (m_incoming.isComplete()) {
            m_received.append(m_incoming);
            parser.parse(&m_incoming);
            m_incoming.clear();
        }
    }
}

std::optional<Message>
TestClient::waitFor(Opcode opcode, const std::function<bool(const Message&)>& match, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    qsizetype checked = 0;
    for (;;) {
        for (; checked < m_received.size(); ++checked) {
            const Message& m = m_received.at(checked);
            if (Protocol::is(m, opcode) && (!match || match(m)))
                return m;
        }
        // Nothing more comes over a closed connection.
        if (deadline.hasExpired() || m_socket.state() == QAbstractSocket::UnconnectedState)
            return std::nullopt;
        QTest::qWait(2);
    }
}

bool TestClient::sync()
{
    // A whisper to oneself comes back only through the server.
    const QString token = QStringLiteral("sync-%1").arg(++m_syncCounter);
    sender.whisper(nickname, token);
    return waitFor(Opcode::Whisper, [&](const Message& m) { return testutil::text(m, 2) == token; })
        .has_value();
}

QList<const Message*> TestClient::received(Opcode opcode) const
{
    QList<const Message*> result;
    for (const Message& m : m_received) {
        if (Protocol::is(m, opcode))
            result.append(&m);
    }
    return result;
}

QList<Opcode> TestClient::opcodes() const
{
    QList<Opcode> result;
    for (const Message& m : m_received)
        result.append(Opcode(Protocol::opcodeOf(m)));
    return result;
}

void TestClient::writeRaw(const QByteArray& bytes)
{
    m_socket.write(bytes);
}

int TestClient::waitForLoginResult()
{
    QDeadlineTimer deadline(5000);
    for (;;) {
        for (const Message& m : std::as_const(m_received)) {
            if (Protocol::is(m, Opcode::Success))
                return -1;
            if (Protocol::is(m, Opcode::Failure))
                return m.getInt(1);
            if (Protocol::is(m, Opcode::Upgrade))
                return int(Opcode::Upgrade);
        }
        if (deadline.hasExpired())
            return -2;
        QTest::qWait(2);
    }
}

int TestClient::login(const QString& name, const QString& password)
{
    m_received.clear();
    sender.login(name.toLatin1().constData(), password.toLatin1().constData());
    return waitForLoginResult();
}

int TestClient::registerAs(const QString& name, const QString& password)
{
    m_received.clear();
    sender.regist(name.toLatin1().constData(), password.toLatin1().constData(), "Doe", "Jo",
                  "1 Road", "12345", "Town", "State", "Land", "jo@example.org");
    return waitForLoginResult();
}

void TestClient::uploadMap(const MapData& map, int slot)
{
    sender.startMap(map.picture, map.name,
                    reinterpret_cast<const unsigned char*>(map.index.constData()),
                    int(map.index.size()));
    for (const MapContinent& c : map.continents)
        sender.continentMap(c.number, c.name, c.value);
    for (const MapCountry& c : map.countries)
        sender.countryMap(c.number, c.name, c.continent, c.labelX, c.labelY, c.areaX, c.areaY,
                          c.areaWidth, c.areaHeight);
    for (const auto& pair : map.neighbours) {
        sender.neighbourMap(pair[0], pair[1]);
        sender.neighbourMap(pair[1], pair[0]);
    }
    for (const auto& line : map.lines)
        sender.lineMap(line[0], line[1], line[2], line[3]);
    sender.endMap(slot);
}

namespace testutil {
QString text(const Message& m, int i)
{
    return QString::fromLatin1(m.getString(i));
}
} // namespace testutil
