#pragma once

#include "mapdata.h"
#include "message.h"
#include "parser.h"
#include "protocol.h"
#include "sender.h"

#include <QList>
#include <QObject>
#include <QTcpSocket>
#include <QVariant>

#include <functional>
#include <optional>

// A protocol client for the server tests: requests go out through the
// client's own Sender, and every message that comes in is kept (for order
// checks) and decoded by the client's Parser (for QSignalSpy checks).
class TestClient : public QObject
{
    Q_OBJECT

public:
    using Match = std::function<bool(const Message&)>;

    explicit TestClient(QObject* parent = nullptr);

    // Connects to the server and waits for its greeting; `from` picks another
    // loopback address (127.0.0.2, ...) as the client's own.
    bool connectTo(quint16 port, const QHostAddress& from = QHostAddress());
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    bool waitForDisconnect(int timeoutMs = 3000);

    // The failure code, or -1 on success (the Upgrade opcode when the server
    // wants a newer client, -2 without an answer).
    int login(const QString& nickname, const QString& password = QStringLiteral("secret"));
    int registerAs(const QString& nickname, const QString& password = QStringLiteral("secret"));

    // The first message kept with the opcode (and matching), waiting for it
    // until the timeout or until the connection is closed.
    std::optional<Message> waitFor(Opcode opcode, const Match& match = {}, int timeoutMs = 3000);
    // A round trip through the server: everything the server sent this client
    // before handling the marker has arrived when this returns.
    bool sync();

    QList<const Message*> received(Opcode opcode) const;
    QList<Opcode> opcodes() const;
    void forget() { m_received.clear(); }
    // Stops taking bytes off the socket, so that the server's output to this
    // client backs up as it would for a stalled peer.
    void stopReading();
    void resumeReading();
    void writeRaw(const QByteArray& bytes) { m_socket.write(bytes); }
    // Sends the map as the editor does (each neighbour pair from both ends).
    void uploadMap(const MapData& map, int slot);

    Sender sender;
    Parser parser;
    QString nickname;
    bool answerPings = true;
    // The messages received whose fields the protocol table does not allow
    // (by opcode name), which the fixture fails the test for.
    QStringList offTable;

private:
    std::optional<Message> waitForAny(const Match& match, int timeoutMs);
    int loginResult();
    void readIncoming();

    QTcpSocket m_socket;
    Message m_incoming;
    QList<Message> m_received;
    int m_syncCounter = 0;
};

namespace testutil {
inline QString text(const Message& m, int i)
{
    return QString::fromLatin1(m.getString(i));
}
// A message whose fields hold the values, by index: a text where the value
// is a string, a number otherwise.
TestClient::Match fields(const QList<std::pair<int, QVariant>>& values);
// A message whose first field is the value: a nickname, a seat, a game.
inline TestClient::Match firstIs(const QVariant& value)
{
    return fields({{1, value}});
}
// The messages a byte stream holds; nothing on a framing error.
std::optional<QList<Message>> split(const QByteArray& bytes, Message* partial = nullptr);
} // namespace testutil
