#pragma once

#include "mapdata.h"
#include "message.h"
#include "parser.h"
#include "protocol.h"
#include "sender.h"

#include <QList>
#include <QObject>
#include <QTcpSocket>

#include <functional>
#include <optional>

// A protocol client for the server tests: requests go out through the
// client's own Sender, and every message that comes in is kept (for order
// checks) and decoded by the client's Parser (for QSignalSpy checks).
class TestClient : public QObject
{
    Q_OBJECT

public:
    explicit TestClient(QObject* parent = nullptr);

    // Connects to the server on 127.0.0.1 and waits for its greeting; `from`
    // picks another loopback address (127.0.0.2, ...) as the client's own.
    bool connectTo(quint16 port, const QHostAddress& from = QHostAddress());
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    // Waits until the server closed the connection.
    bool waitForDisconnect(int timeoutMs = 3000);

    // Logs in (or registers) and waits for success or failure; returns the
    // failure code, or -1 on success (the Upgrade opcode when the server wants a
    // newer client).
    int login(const QString& nickname, const QString& password = QStringLiteral("secret"));
    int registerAs(const QString& nickname, const QString& password = QStringLiteral("secret"));

    // Waits until a message with the opcode (and matching the predicate)
    // has arrived; returns a copy of it, or nothing after the timeout or
    // once the connection is closed.
    std::optional<Message> waitFor(Opcode opcode,
                                   const std::function<bool(const Message&)>& match = {},
                                   int timeoutMs = 3000);
    // A round trip through the server: everything the server sent this client
    // before handling the marker has arrived when this returns.
    bool sync();

    QList<const Message*> received(Opcode opcode) const;
    QList<Opcode> opcodes() const;
    void forget() { m_received.clear(); }
    // Stops taking bytes off the socket, so that the server's output to this
    // client backs up as it would for a stalled peer.
    void stopReading();
    // Raw bytes past the Sender, for malformed input.
    void writeRaw(const QByteArray& bytes);
    // Sends the map as the editor does (each neighbour pair from both ends),
    // for the personal slot; the server answers with the slot.
    void uploadMap(const MapData& map, int slot);

    Sender sender;
    Parser parser;
    QString nickname;
    bool answerPings = true;

private:
    void readIncoming();
    int waitForLoginResult();

    QTcpSocket m_socket;
    Message m_incoming;
    QList<Message> m_received;
    int m_syncCounter = 0;
    bool m_reading = true;
};

namespace testutil {
// The text of a string field, or a null string.
QString text(const Message& m, int i);
} // namespace testutil
