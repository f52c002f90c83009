#pragma once

#include "message.h"
#include "storage/storage.h"

#include <QByteArray>
#include <QString>

class GameRoom;

// A logged-in user as the lobby and the games see him: where his messages
// go, his account, and the game he plays in or watches. Nothing behind it
// need be a socket.
class Peer
{
public:
    virtual void send(const QByteArray& wire) = 0;
    void send(const Message& message) { send(message.data()); }
    // A line a user wrote: it tells of no game, so it need not wait for the
    // games' saves, only behind what he was sent before.
    virtual void sendChat(const QByteArray& wire) { send(wire); }
    // What he is sent for the rest of this round tells of a game that waits
    // to be written: it waits too.
    virtual void holdForRound() {}

    const Account& account() const { return m_account; }
    Account& account() { return m_account; }
    const QString& nickname() const { return m_account.nickname; }
    // The address he connects from, as the limits kept per address count it,
    // and the name it has, as the lobby shows it.
    virtual QString peerAddress() const = 0;
    virtual const QString& host() const = 0;
    virtual bool isLoopback() const = 0;

    GameRoom* game() const { return m_game; }
    bool isObserver() const { return m_observer; }
    void setGame(GameRoom* game, bool observer)
    {
        m_game = game;
        m_observer = observer;
    }

protected:
    ~Peer() = default;
    void setAccount(const Account& account) { m_account = account; }

private:
    Account m_account;
    GameRoom* m_game = nullptr;
    bool m_observer = false;
};
