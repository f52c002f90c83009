// The chat window, the chat gestures that become script events, and the
// script commands' view of the client.

#include "tarvenix.h"

#include "buttonbar.h"
#include "chatdialog.h"
#include "configdialog.h"
#include "lobbymodel.h"
#include "logindialog.h"
#include "playerlist.h"
#include "scriptclient.h"
#include "scriptcommands.h"
#include "scripthost.h"

namespace {

// The client's state as the script commands read it: the lobby's users and
// games, the seats of the current game, the seat colours and the login.
class WindowScriptClient : public ScriptClient
{
public:
    explicit WindowScriptClient(const Tarvenix* window) : m_window(window) {}

    QStringList userNames() const override
    {
        QStringList names;
        for (const UserInfo* user : m_window->lobby()->users())
            names.append(user->nickname);
        return names;
    }

    std::optional<User> user(const QString& nickname) const override
    {
        const UserInfo* info = m_window->lobby()->findUser(nickname);
        if (!info)
            return std::nullopt;
        User user;
        user.nickname = info->nickname;
        user.hostname = info->hostname;
        user.gameId = info->gameId;
        user.rating = info->rating;
        user.games = info->games;
        user.observer = info->observer;
        user.member = info->member;
        user.smilie = info->smilie;
        user.admin = info->admin;
        user.isFriend = info->isFriend;
        user.isEnemy = info->isEnemy;
        user.lastActive = info->lastActive;
        return user;
    }

    QList<int> gameIds() const override
    {
        QList<int> ids;
        for (const GameRecord* game : m_window->lobby()->games())
            ids.append(game->id);
        return ids;
    }

    std::optional<Game> game(int id) const override
    {
        const GameRecord* item = m_window->lobby()->findGame(id);
        if (!item)
            return std::nullopt;
        Game game;
        game.id = item->id;
        game.mapId = item->mapId;
        game.options = item->options;
        game.running = item->running;
        game.players = item->players;
        game.clients = item->clients;
        game.robots = item->robots;
        game.disconnected = item->disconnected;
        game.operatorName = item->operatorName;
        return game;
    }

    std::optional<Seat> seat(int seat) const override
    {
        const PlayerEntry* entry = m_window->playerList()->entry(seat);
        if (!entry)
            return std::nullopt;
        return Seat{entry->name, entry->robot};
    }

    QColor seatTextColor(int seat) const override
    {
        return m_window->configDialog()->textColor(seat);
    }

    QColor seatBackgroundColor(int seat) const override
    {
        return m_window->configDialog()->backgroundColor(seat);
    }

    QString loginNickname() const override { return m_window->lobby()->ownNickname(); }

    bool isInitialized() const override { return m_window->lobby()->me() != nullptr; }

private:
    const Tarvenix* m_window;
};

// What the server will get of a typed text: the scripts see the line as it
// will be sent.
QString latin1(const QString& text)
{
    return QString::fromLatin1(text.toLatin1());
}

} // namespace

void Tarvenix::createChat()
{
    m_chatDialog = new ChatDialog;
}

void Tarvenix::connectChatActions()
{
    connect(m_buttonBar, &ButtonBar::chat, this, &Tarvenix::actionChat);
    connect(m_chatDialog, &ChatDialog::globalChat, this, &Tarvenix::actionGlobalChat);
    connect(m_chatDialog, &ChatDialog::gameChat, this, &Tarvenix::actionGameChat);
    connect(m_chatDialog, &ChatDialog::membersChat, this, &Tarvenix::actionMembersChat);
    connect(m_chatDialog, &ChatDialog::whisper, this, &Tarvenix::actionWhisper);
    connect(m_chatDialog, &ChatDialog::startWhisper, this, &Tarvenix::actionWhisperClicked);
    connect(m_chatDialog, &ChatDialog::stopWhisper, this, &Tarvenix::actionCloseClicked);
    connect(m_chatDialog, &ChatDialog::ignore, this, &Tarvenix::actionIgnore);
    connect(m_configDialog, &ConfigDialog::chatboxFont, m_chatDialog, &ChatDialog::changeFont);
}

void Tarvenix::createScriptCommands()
{
    new ScriptCommands(m_scripts, std::make_unique<WindowScriptClient>(this),
                       {m_sender, m_chatDialog, m_output});
}

void Tarvenix::resetChat()
{
    m_chatDialog->hide();
    m_chatDialog->reset();
}

void Tarvenix::actionChat()
{
    bringUp(m_chatDialog);
    m_buttonBar->setChatMarked(false);
}

void Tarvenix::actionGlobalChat(const QString& text)
{
    raiseEvent(QStringLiteral("chat_message"), {QStringLiteral("global"), latin1(text)});
}

void Tarvenix::actionGameChat(const QString& text)
{
    raiseEvent(QStringLiteral("chat_message"), {QStringLiteral("game"), latin1(text)});
}

void Tarvenix::actionMembersChat(const QString& text)
{
    raiseEvent(QStringLiteral("chat_message"), {QStringLiteral("member"), latin1(text)});
}

void Tarvenix::actionWhisper(const QString& nickname, const QString& text)
{
    raiseEvent(QStringLiteral("chat_whisper"), {nickname, latin1(text)});
}

void Tarvenix::actionWhisperClicked(const QString& nickname)
{
    raiseEvent(QStringLiteral("chat_whisperbutton"), {nickname});
}

void Tarvenix::actionCloseClicked(const QString& nickname)
{
    raiseEvent(QStringLiteral("chat_closebutton"), {nickname});
}

void Tarvenix::actionIgnore(const QString& nickname)
{
    raiseEvent(QStringLiteral("chat_ignore"), {nickname});
}
