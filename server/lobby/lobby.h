#pragma once

#include "allowance.h"
#include "storage/storageexecutor.h"

#include <QList>
#include <QString>

#include <unordered_map>

class Message;
class Peer;
struct ServerOptions;

// The users logged in, in login order (the lobby is announced in this
// order), and what passes between them outside a game's turns: broadcasts,
// chat in the three channels, whispers, and each user's friend and enemy
// masks. Requests come in as messages; each handler returns why it refused
// the request, or nothing when it was carried out.
class Lobby
{
public:
    static constexpr int MaxChatLength = 1024;
    static constexpr int MaxMaskLength = 128;

    explicit Lobby(const ServerOptions& options);

    // A reload's chat allowance, for users who start chatting after it.
    void setChatAllowance(int burst, double linesPerSecond)
    {
        m_chatBurst = burst;
        m_chatLinesPerSecond = linesPerSecond;
    }

    const QList<Peer*>& users() const { return m_users; }
    bool contains(const Peer* user) const { return m_users.contains(user); }
    // The user of the nickname, in any letter case, or nobody.
    Peer* find(const QString& nickname) const;
    void add(Peer* user);
    // Takes the user out and tells everyone he has gone.
    void remove(Peer* user);

    void broadcast(const Message& message, const Peer* except = nullptr) const;
    // The user's record as the lobby shows it: rating, games, his game.
    static Message userRecord(const Peer& user);

    // A global, game or members chat line, a whisper, a mask added or removed
    // (in the storage, whose answer the request waits for).
    QString chat(Peer& from, const Message& request, qint64 nowMs);
    QString whisper(Peer& from, const Message& request, qint64 nowMs);
    StorageAnswer mask(Peer& from, const Message& request);

private:
    bool takeChatLine(const Peer& from, qint64 nowMs);

    int m_chatBurst;
    double m_chatLinesPerSecond;
    QList<Peer*> m_users;
    std::unordered_map<const Peer*, Allowance> m_chat;
};
