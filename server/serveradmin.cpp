// The operator's side of the server: settings taken over while it runs,
// the lists and actions of the admin socket, and lines from the server.

#include "server.h"

#include "clientsession.h"
#include "games/gametable.h"
#include "ops/metrics.h"
#include "outgoing.h"
#include "serverlogging.h"

void Server::reconfigure(const ServerOptions& options)
{
    m_options = options;
    m_accounts.limitsChanged();
    m_lobby.setChatAllowance(options.chatBurst, options.chatLinesPerSecond);
    for (const auto& [id, room] : m_games.rooms()) {
        if (room->isRunning())
            room->table()->setRobotDelay(options.robotDelayMs);
    }
}

QStringList Server::adminUsers() const
{
    QStringList out;
    for (const Peer* s : m_lobby.users()) {
        const Account& a = s->account();
        QString line = QStringLiteral("%1 address=%2 rating=%3 games=%4")
                           .arg(a.nickname, s->peerAddress())
                           .arg(a.rating)
                           .arg(a.games);
        if (const GameRoom* game = s->game())
            line += QStringLiteral(" %1=%2")
                        .arg(s->isObserver() ? QLatin1String("watching") : QLatin1String("playing"))
                        .arg(game->id());
        if (a.member)
            line += QLatin1String(" member");
        if (a.admin)
            line += QLatin1String(" admin");
        out.append(line);
    }
    return out;
}

QStringList Server::adminGames()
{
    QStringList out;
    for (const auto& [id, room] : m_games.rooms()) {
        const MapStore::Entry* map = m_maps.find(room->mapId());
        out.append(QStringLiteral("%1 %2 map=%3 operator=%4 players=%5 robots=%6 watchers=%7 "
                                  "away=%8")
                       .arg(id)
                       .arg(room->isRunning() ? QLatin1String("running") : QLatin1String("waiting"))
                       .arg(map ? logText(map->map.name) : QString::number(room->mapId()),
                            room->operatorName())
                       .arg(room->players())
                       .arg(room->robots())
                       .arg(room->observers().size())
                       .arg(room->disconnected()));
    }
    return out;
}

int Server::runningGameCount() const
{
    return int(std::count_if(m_games.rooms().cbegin(), m_games.rooms().cend(),
                             [](const auto& entry) { return entry.second->isRunning(); }));
}

void Server::announce(const QString& text, Peer* only)
{
    // Clients show chat only from users they know, so the server's name is
    // announced for the line and withdrawn after it.
    const QString name = announcerName();
    QByteArray wire = outgoing::newUser(name, QStringLiteral("server")).data();
    wire += outgoing::user({name, Rules::StartingRating, 0, 0, 0, false, {}, true, 0}).data();
    wire += outgoing::chat(Opcode::GlobalChat, name, text).data();
    wire += outgoing::endUser(name).data();
    if (only) {
        only->send(wire);
        return;
    }
    for (Peer* user : m_lobby.users())
        user->send(wire);
}

bool Server::adminKick(const QString& nickname, const QString& why)
{
    Peer* user = m_lobby.find(nickname);
    const auto session = std::find_if(m_sessions.cbegin(), m_sessions.cend(),
                                      [user](const ClientSession* s) { return s == user; });
    if (!user || session == m_sessions.cend())
        return false;
    announce(why, user);
    // Out of his game for good, so that a robot takes his seat at once.
    if (user->game())
        m_games.leave(user);
    (*session)->finish(QStringLiteral("removed by the operator"));
    return true;
}

void Server::adminSetFlag(const QString& nickname, AccountFlag flag, bool on, FlagDone done)
{
    struct Outcome
    {
        FlagResult result = FlagResult::Failed;
        std::optional<Account> account;
    };
    m_storageExecutor->run<Outcome>(
        this,
        [nickname, flag, on](Storage& storage) {
            Outcome outcome;
            bool failed = false;
            outcome.account = storage.findAccount(nickname, &failed);
            if (failed)
                return outcome;
            if (!outcome.account) {
                outcome.result = FlagResult::NoAccount;
                return outcome;
            }
            Account& a = *outcome.account;
            bool& value = flag == AccountFlag::Member  ? a.member
                          : flag == AccountFlag::Admin ? a.admin
                                                       : a.banned;
            if (value == on) {
                outcome.result = FlagResult::Unchanged;
                return outcome;
            }
            value = on;
            outcome.result = storage.setAccountFlags(a.id, a.member, a.admin, a.banned)
                                 ? FlagResult::Changed
                                 : FlagResult::Failed;
            return outcome;
        },
        [this, flag, nickname, done = std::move(done)](const Outcome& outcome) {
            const QString spelling = outcome.account ? outcome.account->nickname : nickname;
            if (outcome.result == FlagResult::Changed) {
                if (Peer* user = m_lobby.find(spelling)) {
                    if (flag == AccountFlag::Banned && outcome.account->banned) {
                        adminKick(spelling, QStringLiteral("You are banned from this server."));
                    } else if (flag != AccountFlag::Banned) {
                        user->account().member = outcome.account->member;
                        user->account().admin = outcome.account->admin;
                        m_lobby.broadcast(Lobby::userRecord(*user));
                    }
                }
            }
            done(outcome.result, spelling);
        });
}

bool Server::databaseWritable()
{
    if (!m_storageExecutor)
        return false;
    // Asked again each time and answered from the last check, so that a
    // database that does not answer holds up nothing; a file answers at once.
    if (!m_writableCheckPending) {
        m_writableCheckPending = true;
        m_storageExecutor->run<bool>(
            this, [](Storage& storage) { return storage.isWritable(); },
            [this](bool writable) {
                m_databaseWritable = writable;
                m_writableCheckPending = false;
            });
    }
    return m_databaseWritable;
}

void Server::countChat(const Peer& from, Opcode opcode) const
{
    Metrics& metrics = Metrics::instance();
    switch (opcode) {
    case Opcode::GlobalChat:
        metrics.chatLines.add(QStringLiteral("global"));
        metrics.chatDeliveries.add(std::uint64_t(m_lobby.users().size()));
        break;
    case Opcode::GameChat:
        metrics.chatLines.add(QStringLiteral("game"));
        metrics.chatDeliveries.add(from.game() ? std::uint64_t(from.game()->audience().size()) : 0);
        break;
    case Opcode::MembersChat:
        metrics.chatLines.add(QStringLiteral("members"));
        metrics.chatDeliveries.add(
            std::uint64_t(std::count_if(m_lobby.users().cbegin(), m_lobby.users().cend(),
                                        [](const Peer* user) { return user->account().member; })));
        break;
    default:
        metrics.chatLines.add(QStringLiteral("whisper"));
        metrics.chatDeliveries.add();
        break;
    }
}
