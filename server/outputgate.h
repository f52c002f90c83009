#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>

#include <functional>

class ClientSession;

// Keeps back what the server sends while running games wait to be written,
// and lets it go pass by pass as their writes come back, each connection's
// messages in the order they were sent: nobody hears of a point in a game
// that a crash could still take back, and a round of the event loop writes
// all its games at once.
//
// A round that has games to write opens a pass: what is sent during the
// round to those who watch or play those games waits for it, and everything
// sent during the round when it tells the lobby of what was written (a
// rating, a game taken back). Once the round is over its writes go to
// storage, and the next rounds go on meanwhile; a connection that still
// waits for something keeps what it is sent behind it, one that waits for
// nothing is written at once. The passes are let go in the order they were
// opened.
//
// A round may also hold everybody only until it is over, when what it tells
// the lobby depends on nothing written but may still be taken back within
// the round (a game created and left at once): a connection that waits for
// nothing older and is not held for the writes gets it when the round ends.
class OutputGate
{
public:
    // Whether a message kept by the session goes out after all.
    using Keep = std::function<bool(const ClientSession& session, const QByteArray& wire)>;

    // A round has begun whose output waits for its pass: the output of the
    // sessions held for it, or everybody's once holdAll() is called.
    void openPass();
    void holdAll() { m_all = true; }
    // Everybody's output waits, but only until the round is over.
    void holdAllUntilClosed() { m_untilClosed = true; }
    // Whether a session held for the given pass waits now.
    bool holds(int sessionPass) const
    {
        return m_roundOpen && (m_all || m_untilClosed || sessionPass == m_opened);
    }
    // The round is over; its pass waits for its writes. What it held only
    // until now goes out (what keep allows of it, when given).
    void closeRound(const Keep& keep = {});
    bool isRoundOpen() const { return m_roundOpen; }
    // The pass what is kept now belongs to.
    int pass() const { return m_opened; }
    bool isWaiting() const { return m_released < m_opened; }
    // The oldest pass still kept is written: every connection is handed
    // what it kept in that pass (what keep allows of it, when given).
    void releasePass(const Keep& keep = {});
    // The session has started to keep messages back.
    void enlist(ClientSession* session) { m_holding.append(session); }

private:
    // Hands the holding sessions what they kept up to the pass; with
    // roundOnly, only those that kept nothing else and were not held for
    // the pass's writes.
    void letGo(int pass, const Keep& keep, bool roundOnly);

    bool m_roundOpen = false;
    bool m_all = false;
    bool m_untilClosed = false;
    int m_opened = 0;
    int m_released = 0;
    QList<QPointer<ClientSession>> m_holding;
};
