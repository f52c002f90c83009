#pragma once

#include "message.h"
#include "protocol.h"

#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <initializer_list>

// A game server whose every move the test scripts: it accepts connections on
// 127.0.0.1, cuts what the client sends into messages and sends what it is told.
class ScriptedServer : public QObject
{
public:
    ScriptedServer()
    {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                m_clients.append(socket);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            }
        });
    }

    quint16 port() const { return m_server.serverPort(); }
    int clientCount() const { return int(m_clients.size()); }
    QTcpSocket* client() const { return m_clients.last(); }
    QList<Message>& received() { return m_received; }

    void send(const Message& message) { client()->write(message.data()); }
    // A message of strings.
    void send(Opcode opcode, std::initializer_list<const char*> strings)
    {
        Message message = Protocol::message(opcode);
        for (const char* text : strings)
            message.addString(text);
        send(message);
    }
    void greet() { send(Protocol::message(Opcode::Start)); }
    void welcome(const char* nickname) { send(Opcode::Success, {nickname}); }
    void refuse(int reason)
    {
        Message message = Protocol::message(Opcode::Failure);
        message.addInt(reason);
        send(message);
    }

private:
    void read(QTcpSocket* socket)
    {
        const QByteArray bytes = socket->readAll();
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
        for (int position = 0; position < bytes.size();) {
            const int used = m_incoming.feed(data + position, int(bytes.size()) - position);
            QVERIFY(used > 0);
            position += used;
            if (m_incoming.isComplete()) {
                m_received.append(m_incoming);
                m_incoming.clear();
            }
        }
    }

    QTcpServer m_server;
    QList<QTcpSocket*> m_clients;
    QList<Message> m_received;
    Message m_incoming;
};
