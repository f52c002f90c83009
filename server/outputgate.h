#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>

#include <functional>

class ClientSession;

// Keeps back what the server sends while running games wait to be written,
// and lets it go once they are, each connection's messages in the order they
// were sent: nobody hears of a point in a game that a crash could still take
// back, and a round of the event loop writes all its games at once.
class OutputGate
{
public:
    bool isClosed() const { return m_closed; }
    void close() { m_closed = true; }
    // Whether a message kept by the session goes out after all.
    using Keep = std::function<bool(const ClientSession& session, const QByteArray& wire)>;

    // Lets output pass again, and first hands every connection what it kept
    // (what keep allows of it, when given).
    void open(const Keep& keep = {});
    // The session has started to keep messages back; open() releases them.
    void enlist(ClientSession* session) { m_holding.append(session); }

private:
    bool m_closed = false;
    QList<QPointer<ClientSession>> m_holding;
};
