#include "testclient.h"

#include <QDeadlineTimer>
#include <QTest>

#include <algorithm>

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

void TestClient::readIncoming()
{
    const std::optional<QList<Message>> messages = testutil::split(m_socket.readAll(), &m_incoming);
    if (!messages) {
        m_socket.abort();
        return;
    }
    for (const Message& m : *messages) {
        if (!Protocol::conforms(m, Protocol::messageFields(Opcode(Protocol::opcodeOf(m))))) {
            const char* name = Protocol::opcodeName(Protocol::opcodeOf(m));
            offTable.append(name ? QString::fromLatin1(name)
                                 : QString::number(Protocol::opcodeOf(m)));
        }
        m_received.append(m);
        parser.parse(&m_received.last());
    }
}

bool TestClient::connectTo(quint16 port, const QHostAddress& from)
{
    if (!from.isNull() && !m_socket.bind(from))
        return false;
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    return m_socket.waitForConnected(3000) && waitFor(Opcode::Start);
}

bool TestClient::waitForDisconnect(int timeoutMs)
{
    return QTest::qWaitFor([this] { return m_socket.state() == QAbstractSocket::UnconnectedState; },
                           timeoutMs);
}

void TestClient::stopReading()
{
    disconnect(&m_socket, &QTcpSocket::readyRead, this, nullptr);
    m_socket.setReadBufferSize(1);
}

void TestClient::resumeReading()
{
    m_socket.setReadBufferSize(0);
    connect(&m_socket, &QTcpSocket::readyRead, this, &TestClient::readIncoming);
    readIncoming();
}

std::optional<Message> TestClient::waitForAny(const Match& match, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (qsizetype checked = 0;; QTest::qWait(2)) {
        for (; checked < m_received.size(); ++checked) {
            if (match(m_received.at(checked)))
                return m_received.at(checked);
        }
        // Nothing more comes over a closed connection.
        if (deadline.hasExpired() || m_socket.state() == QAbstractSocket::UnconnectedState)
            return std::nullopt;
    }
}

std::optional<Message> TestClient::waitFor(Opcode opcode, const Match& match, int timeoutMs)
{
    return waitForAny(
        [&](const Message& m) { return Protocol::is(m, opcode) && (!match || match(m)); },
        timeoutMs);
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

int TestClient::loginResult()
{
    const std::optional<Message> m = waitForAny(
        [](const Message& m) {
            return Protocol::is(m, Opcode::Success) || Protocol::is(m, Opcode::Failure) ||
                   Protocol::is(m, Opcode::Upgrade);
        },
        5000);
    if (!m)
        return -2;
    if (Protocol::is(*m, Opcode::Failure))
        return m->getInt(1);
    return Protocol::is(*m, Opcode::Success) ? -1 : int(Opcode::Upgrade);
}

int TestClient::login(const QString& name, const QString& password)
{
    m_received.clear();
    sender.login(name.toLatin1().constData(), password.toLatin1().constData());
    return loginResult();
}

int TestClient::registerAs(const QString& name, const QString& password)
{
    m_received.clear();
    sender.regist(name.toLatin1().constData(), password.toLatin1().constData(), "Doe", "Jo",
                  "1 Road", "12345", "Town", "State", "Land", "jo@example.org");
    return loginResult();
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

TestClient::Match testutil::fields(const QList<std::pair<int, QVariant>>& values)
{
    return [values](const Message& m) {
        return std::all_of(values.cbegin(), values.cend(), [&m](const auto& field) {
            const auto& [index, value] = field;
            return value.typeId() == QMetaType::QString ? text(m, index) == value.toString()
                                                        : m.getInt(index) == value.toInt();
        });
    };
}

std::optional<QList<Message>> testutil::split(const QByteArray& bytes, Message* partial)
{
    Message own;
    Message& m = partial ? *partial : own;
    QList<Message> out;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (int pos = 0, used = 0; pos < bytes.size(); pos += used) {
        used = m.feed(data + pos, int(bytes.size() - pos));
        if (used <= 0)
            return std::nullopt;
        if (m.isComplete()) {
            out.append(m);
            m.clear();
        }
    }
    return out;
}
