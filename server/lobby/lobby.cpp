#include "lobby.h"

#include "games/gameroom.h"
#include "outgoing.h"
#include "peer.h"
#include "request.h"
#include "serveroptions.h"
#include "storage/storage.h"

Lobby::Lobby(const ServerOptions& options)
    : m_chatBurst(options.chatBurst), m_chatLinesPerSecond(options.chatLinesPerSecond)
{}

Peer* Lobby::find(const QString& nickname) const
{
    for (Peer* user : m_users) {
        if (user->nickname().compare(nickname, Qt::CaseInsensitive) == 0)
            return user;
    }
    return nullptr;
}

void Lobby::add(Peer* user)
{
    m_users.append(user);
}

void Lobby::remove(Peer* user)
{
    m_users.removeAll(user);
    m_chat.erase(user);
    broadcast(outgoing::endUser(user->nickname()));
}

void Lobby::broadcast(const Message& message, const Peer* except) const
{
    const QByteArray& wire = message.data();
    for (Peer* user : m_users) {
        if (user != except)
            user->send(wire);
    }
}

Message Lobby::userRecord(const Peer& user)
{
    const Account& a = user.account();
    const GameRoom* game = user.game();
    return outgoing::user(
        {a.nickname, a.rating, a.games, game && !user.isObserver() ? game->id() : 0,
         game && user.isObserver() ? game->id() : 0, a.member, a.smilie, a.admin, a.level});
}

bool Lobby::takeChatLine(const Peer& from, qint64 nowMs)
{
    auto it = m_chat.find(&from);
    if (it == m_chat.end())
        it = m_chat.emplace(&from, Allowance(m_chatBurst, m_chatLinesPerSecond)).first;
    return it->second.take(nowMs);
}

QString Lobby::chat(Peer& from, const Message& request, qint64 nowMs)
{
    const auto opcode = Opcode(Protocol::opcodeOf(request));
    if (!request::matches(request, opcode))
        return QStringLiteral("malformed");
    const QString text = request::text(request, 1);
    if (text.isEmpty() || text.size() > MaxChatLength)
        return QStringLiteral("chat line empty or too long");
    if (!takeChatLine(from, nowMs))
        return QStringLiteral("chat allowance spent; line dropped");
    const Message line = outgoing::chat(opcode, from.nickname(), text);
    const QByteArray& wire = line.data();
    if (opcode == Opcode::GlobalChat) {
        for (Peer* user : m_users)
            user->sendChat(wire);
    } else if (opcode == Opcode::GameChat) {
        if (!from.game())
            return QStringLiteral("not in a game");
        for (Peer* listener : from.game()->audience())
            listener->sendChat(wire);
    } else {
        if (!from.account().member)
            return QStringLiteral("not a member");
        for (Peer* user : m_users) {
            if (user->account().member)
                user->sendChat(wire);
        }
    }
    return {};
}

QString Lobby::whisper(Peer& from, const Message& request, qint64 nowMs)
{
    if (!request::matches(request, Opcode::Whisper))
        return QStringLiteral("malformed");
    const QString text = request::text(request, 2);
    if (text.isEmpty() || text.size() > MaxChatLength)
        return QStringLiteral("whisper empty or too long");
    Peer* target = find(request::text(request, 1));
    if (!target)
        return QStringLiteral("no such user");
    // Whispering in or into a game that forbids it would pass hidden advice
    // to a player.
    for (const Peer* p : std::initializer_list<const Peer*>{&from, target}) {
        if (p->game() && p->game()->options().noWhispering)
            return QStringLiteral("game %1 does not allow whispering").arg(p->game()->id());
    }
    // A whisper to oneself reaches nobody else, so only others are shielded.
    if (target != &from && !takeChatLine(from, nowMs))
        return QStringLiteral("chat allowance spent; whisper dropped");
    target->sendChat(outgoing::chat(Opcode::Whisper, from.nickname(), text).data());
    return {};
}

StorageAnswer Lobby::mask(Peer& from, const Message& request)
{
    const auto opcode = Opcode(Protocol::opcodeOf(request));
    if (!request::matches(request, opcode))
        return QStringLiteral("malformed");
    const QString pattern = request::text(request, 1).trimmed();
    const QString kind = request::text(request, 2);
    if (pattern.isEmpty() || pattern.size() > MaxMaskLength ||
        (kind != QLatin1String("friend") && kind != QLatin1String("enemy")))
        return QStringLiteral("bad mask or kind");
    const qint64 account = from.account().id;
    const bool adding = opcode == Opcode::AddMask;
    struct Change
    {
        bool made = false;
        bool failed = false;
    };
    return StorageAnswer::later<Change>(
        [adding, account, pattern, kind](Storage& storage) {
            Change change;
            change.made = adding ? storage.addMask(account, pattern, kind, &change.failed)
                                 : storage.removeMask(account, pattern, kind, &change.failed);
            return change;
        },
        [adding](Change change, bool) {
            if (change.made)
                return QString();
            if (change.failed)
                return adding ? QStringLiteral("mask not added: database error")
                              : QStringLiteral("mask not removed: database error");
            return adding ? QStringLiteral("mask unchanged (duplicate or limit)")
                          : QStringLiteral("mask unchanged (unknown)");
        });
}
