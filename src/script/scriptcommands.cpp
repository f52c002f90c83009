#include "scriptcommands.h"

#include "chatdialog.h"
#include "chatview.h"
#include "scripthost.h"
#include "sender.h"

#include <QDateTime>

#include <tcl.h>

#include <array>
#include <span>

namespace {

using User = ScriptClient::User;
using Game = ScriptClient::Game;

// Everything a command may act on, for the length of one call.
struct Context
{
    const ScriptClient& client;
    Sender& sender;
    ChatDialog& chat;
    ChatView& output;
};

Tcl_Obj* newObj(int value)
{
    return Tcl_NewIntObj(value);
}

Tcl_Obj* newObj(qint64 value)
{
    return Tcl_NewWideIntObj(Tcl_WideInt(value));
}

Tcl_Obj* newObj(bool value)
{
    return Tcl_NewBooleanObj(value);
}

Tcl_Obj* newObj(const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    return Tcl_NewStringObj(utf8.constData(), int(utf8.size()));
}

template <typename T> Tcl_Obj* newList(const QList<T>& values)
{
    Tcl_Obj* list = Tcl_NewListObj(0, nullptr);
    for (const T& value : values)
        Tcl_ListObjAppendElement(nullptr, list, newObj(value));
    return list;
}

// One call of a command: its words and the ways of answering it.
class Call
{
public:
    Call(Tcl_Interp* interp, int objc, Tcl_Obj* const objv[])
        : m_interp(interp), m_objc(objc), m_objv(objv)
    {}

    Tcl_Interp* interp() const { return m_interp; }
    // The number of arguments after the command's name.
    int arguments() const { return m_objc - 1; }
    Tcl_Obj* word(int index) const { return m_objv[index]; }

    QString text(int index) const
    {
        int length = 0;
        const char* bytes = Tcl_GetStringFromObj(m_objv[index], &length);
        return QString::fromUtf8(bytes, length);
    }
    QString lowered(int index) const { return text(index).toLower(); }

    // Colour names and #rrggbb; anything else draws in black.
    QColor color(int index) const
    {
        const QColor color = QColor::fromString(text(index));
        return color.isValid() ? color : QColor(Qt::black);
    }

    // Optional flags never fail: a word that is absent or does not parse
    // counts as false.
    bool booleanFlag(int index) const
    {
        int value = 0;
        return index < m_objc && Tcl_GetBooleanFromObj(nullptr, m_objv[index], &value) == TCL_OK &&
               value != 0;
    }
    bool integerFlag(int index) const
    {
        int value = 0;
        return index < m_objc && Tcl_GetIntFromObj(nullptr, m_objv[index], &value) == TCL_OK &&
               value != 0;
    }

    int wrongArguments(int wordsKept, const char* usage) const
    {
        Tcl_WrongNumArgs(m_interp, wordsKept, m_objv, usage);
        return TCL_ERROR;
    }
    int fail(const QString& message) const
    {
        Tcl_SetObjResult(m_interp, newObj(message));
        return TCL_ERROR;
    }
    int done() const
    {
        Tcl_ResetResult(m_interp);
        return TCL_OK;
    }
    int answer(Tcl_Obj* result) const
    {
        Tcl_SetObjResult(m_interp, result);
        return TCL_OK;
    }

private:
    Tcl_Interp* m_interp;
    int m_objc;
    Tcl_Obj* const* m_objv;
};

// How many words an option takes after its own name, and its usage text.
struct Arity
{
    int least;
    int most;
    int wordsKept;
    const char* usage;
};

// Up to three names of one option; the unused ones are null.
using Names = std::array<const char*, 3>;

template <typename Row> const Row* findOption(std::span<const Row> rows, const QString& option)
{
    for (const Row& row : rows) {
        for (const char* name : row.names) {
            if (name && option == QLatin1String(name))
                return &row;
        }
    }
    return nullptr;
}

QString notValidOption(const QString& option)
{
    return option + QStringLiteral(" is not a valid option");
}

// Checks the words after the option at index optionWord.
bool checkArity(const Call& call, const Arity& arity, int optionWord, int* code)
{
    const int after = call.arguments() - optionWord;
    if (after >= arity.least && after <= arity.most)
        return true;
    *code = call.wrongArguments(arity.wordsKept, arity.usage);
    return false;
}

// The chat window's channels, in the order of the per-channel slot tables.
enum Channel { Global, GameChannel, Members };
constexpr std::array<const char*, 3> ChannelNames{"global", "game", "member"};

int channelOf(const QString& name)
{
    for (int i = 0; i < int(ChannelNames.size()); ++i) {
        if (name == QLatin1String(ChannelNames[size_t(i)]))
            return i;
    }
    return -1;
}

QString notValidChatbox(const QString& name)
{
    return name + QStringLiteral(" is not a valid chatbox");
}

// chatbox channel command ?args...?: the command's arguments start at word 3.
struct ChatboxOption
{
    Names names;
    Arity arity;
    void (*run)(ChatDialog& chat, Channel channel, const Call& call);
};

const ChatboxOption ChatboxOptions[] = {
    {{"output"},
     {3, 4, 3, "?circlecolor? ?linecolor? ?text? ?hideable?"},
     [](ChatDialog& chat, Channel channel, const Call& call) {
         constexpr std::array perChannel{&ChatDialog::addGlobalMessage, &ChatDialog::addGameMessage,
                                         &ChatDialog::addMembersMessage};
         (chat.*perChannel[channel])(call.color(3), call.color(4), call.text(5),
                                     call.integerFlag(6));
     }},
    {{"adduser"},
     {1, 1, 3, "nickname"},
     [](ChatDialog& chat, Channel channel, const Call& call) {
         constexpr std::array perChannel{&ChatDialog::addGlobalUser, &ChatDialog::addGameUser,
                                         &ChatDialog::addMembersUser};
         (chat.*perChannel[channel])(call.text(3));
     }},
    {{"removeuser"},
     {1, 1, 3, "nickname"},
     [](ChatDialog& chat, Channel channel, const Call& call) {
         constexpr std::array perChannel{&ChatDialog::removeGlobalUser, &ChatDialog::removeGameUser,
                                         &ChatDialog::removeMembersUser};
         (chat.*perChannel[channel])(call.text(3));
     }},
    {{"color"},
     {2, 2, 3, "nickname color"},
     [](ChatDialog& chat, Channel channel, const Call& call) {
         constexpr std::array perChannel{&ChatDialog::setGlobalUserColor,
                                         &ChatDialog::setGameUserColor,
                                         &ChatDialog::setMemberUserColor};
         (chat.*perChannel[channel])(call.text(3), call.color(4));
     }},
    {{"strikeout"},
     {2, 2, 3, "nickname strikeout"},
     [](ChatDialog& chat, Channel channel, const Call& call) {
         constexpr std::array perChannel{&ChatDialog::setGlobalUserStrikeOut,
                                         &ChatDialog::setGameUserStrikeOut,
                                         &ChatDialog::setMemberUserStrikeOut};
         (chat.*perChannel[channel])(call.text(3), call.booleanFlag(4));
     }},
    {{"reset"},
     {0, 0, 3, ""},
     [](ChatDialog& chat, Channel channel, const Call&) {
         constexpr std::array perChannel{&ChatDialog::resetGlobal, &ChatDialog::resetGame,
                                         &ChatDialog::resetMembers};
         (chat.*perChannel[channel])();
     }},
    {{"active"},
     {0, 0, 3, ""},
     [](ChatDialog& chat, Channel channel, const Call&) {
         constexpr std::array perChannel{&ChatDialog::hilightGlobal, &ChatDialog::hilightGame,
                                         &ChatDialog::hilightMembers};
         (chat.*perChannel[channel])();
     }},
};

int chatbox(Context& context, const Call& call)
{
    if (call.arguments() < 2)
        return call.wrongArguments(1, "chatbox command ?args...?");
    const QString channelName = call.lowered(1);
    const QString option = call.lowered(2);
    const int channel = channelOf(channelName);
    if (channel < 0)
        return call.fail(notValidChatbox(channelName));
    const ChatboxOption* row = findOption<ChatboxOption>(ChatboxOptions, option);
    if (!row)
        return call.fail(notValidOption(option));
    int code = TCL_OK;
    if (!checkArity(call, row->arity, 2, &code))
        return code;
    row->run(context.chat, Channel(channel), call);
    return call.done();
}

// color option seat
struct ColorOption
{
    Names names;
    QColor (ScriptClient::*color)(int seat) const;
};

const ColorOption ColorOptions[] = {
    {{"foreground", "text"}, &ScriptClient::seatTextColor},
    {{"background"}, &ScriptClient::seatBackgroundColor},
};

int color(Context& context, const Call& call)
{
    if (call.arguments() != 2)
        return call.wrongArguments(1, "foreground/background ?playernumber?");
    const QString option = call.lowered(1);
    int seat = -1;
    if (Tcl_GetIntFromObj(nullptr, call.word(2), &seat) != TCL_OK || seat < 0 ||
        seat >= ScriptClient::Seats)
        return call.fail(QStringLiteral("Invalid playernumber"));
    const ColorOption* row = findOption<ColorOption>(ColorOptions, option);
    if (!row)
        return call.fail(notValidOption(option) +
                         QStringLiteral(". Valid options are: foreground, background"));
    return call.answer(newObj((context.client.*row->color)(seat).name(QColor::HexRgb)));
}

// gameinfo option gameNumber: the result's Tcl type follows the field's.
struct GameOption
{
    Names names;
    Tcl_Obj* (*value)(const ScriptClient& client, const Game& game);
};

template <auto Field> Tcl_Obj* gameField(const ScriptClient&, const Game& game)
{
    return newObj(game.*Field);
}

template <auto Option> Tcl_Obj* gameOption(const ScriptClient&, const Game& game)
{
    return newObj(game.options.*Option);
}

Tcl_Obj* gameUsers(const ScriptClient& client, const Game& game)
{
    QStringList names;
    for (const QString& name : client.userNames()) {
        const std::optional<User> user = client.user(name);
        if (user && user->gameId == game.id)
            names.append(user->nickname);
    }
    return newList(names);
}

const GameOption GameInfoOptions[] = {
    {{"map", "mapid"}, gameField<&Game::mapId>},
    {{"alwaysplace", "placebeforeattack", "pba"}, gameOption<&GameOptions::placeBeforeAttack>},
    {{"capitals"}, gameOption<&GameOptions::capitals>},
    {{"seconds", "timeout"}, gameOption<&GameOptions::timeout>},
    {{"samehosts"}, gameOption<&GameOptions::sameHosts>},
    {{"replacebots"}, gameOption<&GameOptions::replaceBots>},
    {{"increasecards"}, gameOption<&GameOptions::increasingCards>},
    {{"hidecards"}, gameOption<&GameOptions::hideCards>},
    {{"nowhispers", "nowhispering"}, gameOption<&GameOptions::noWhispering>},
    {{"blind"}, gameOption<&GameOptions::blind>},
    {{"minhumans"}, gameOption<&GameOptions::minHumans>},
    {{"minrating"}, gameOption<&GameOptions::minRating>},
    {{"maxrating"}, gameOption<&GameOptions::maxRating>},
    {{"allowgifts", "gifts"}, gameOption<&GameOptions::gifts>},
    {{"getcards", "receivecards"}, gameOption<&GameOptions::receiveCards>},
    {{"running"}, gameField<&Game::running>},
    {{"players", "playercount", "numberofplayers"}, gameField<&Game::players>},
    {{"clients", "clientcount", "numberofclients"}, gameField<&Game::clients>},
    {{"robots", "robotcount", "numberofrobots"}, gameField<&Game::robots>},
    {{"disconnected"}, gameField<&Game::disconnected>},
    {{"operator"}, gameField<&Game::operatorName>},
    {{"users"}, gameUsers},
};

int gameinfo(Context& context, const Call& call)
{
    if (call.arguments() != 2)
        return call.wrongArguments(1, "option gameid");
    const QString option = call.lowered(1);
    int id = 0;
    if (Tcl_GetIntFromObj(call.interp(), call.word(2), &id) != TCL_OK)
        return TCL_ERROR;
    const std::optional<Game> game = context.client.game(id);
    if (!game)
        return call.fail(QString::number(id) + QStringLiteral(" is not a valid game ID"));
    const GameOption* row = findOption<GameOption>(GameInfoOptions, option);
    if (!row)
        return call.fail(notValidOption(option));
    return call.answer(row->value(context.client, *game));
}

int games(Context& context, const Call& call)
{
    if (call.arguments() != 0)
        return call.wrongArguments(1, "");
    return call.answer(newList(context.client.gameIds()));
}

int output(Context& context, const Call& call)
{
    if (call.arguments() != 1)
        return call.wrongArguments(1, "message");
    context.output.addLine(Qt::black, Qt::black, call.text(1), false);
    return call.done();
}

// playerinfo option nickname ?skiprobots?
struct PlayerOption
{
    Names names;
    Arity arity;
    Tcl_Obj* (*value)(const ScriptClient& client, const Call& call);
};

const PlayerOption PlayerOptions[] = {
    {{"number"},
     {1, 2, 2, "?nickname? ?skiprobots?"},
     [](const ScriptClient& client, const Call& call) {
         const QString nickname = call.text(2);
         const bool skipRobots = call.booleanFlag(3);
         for (int seat = 0; seat < ScriptClient::Seats; ++seat) {
             const std::optional<ScriptClient::Seat> entry = client.seat(seat);
             if (entry && entry->name == nickname && !(skipRobots && entry->robot))
                 return newObj(seat);
         }
         return newObj(-1);
     }},
};

int playerinfo(Context& context, const Call& call)
{
    if (call.arguments() < 2)
        return call.wrongArguments(1, "option ?nickname?");
    const QString option = call.lowered(1);
    const PlayerOption* row = findOption<PlayerOption>(PlayerOptions, option);
    if (!row)
        return call.fail(notValidOption(option));
    int code = TCL_OK;
    if (!checkArity(call, row->arity, 1, &code))
        return code;
    return call.answer(row->value(context.client, call));
}

int players(Context& context, const Call& call)
{
    if (call.arguments() != 0)
        return call.wrongArguments(1, "");
    QStringList names;
    for (int seat = 0; seat < ScriptClient::Seats; ++seat) {
        if (const std::optional<ScriptClient::Seat> entry = context.client.seat(seat))
            names.append(entry->name);
    }
    return call.answer(newList(names));
}

// send option ?args...?
struct SendOption
{
    Names names;
    Arity arity;
    int (*run)(Sender& sender, const Call& call);
};

const SendOption SendOptions[] = {
    {{"chat"},
     {2, 2, 2, "chatbox text"},
     [](Sender& sender, const Call& call) {
         const QString channelName = call.lowered(2);
         const int channel = channelOf(channelName);
         if (channel < 0)
             return call.fail(notValidChatbox(channelName));
         constexpr std::array requests{&Sender::globalChat, &Sender::gameChat,
                                       &Sender::membersChat};
         (sender.*requests[size_t(channel)])(call.text(3));
         return call.done();
     }},
    {{"whisper"},
     {2, 2, 2, "?nickname? ?text?"},
     [](Sender& sender, const Call& call) {
         sender.whisper(call.text(2), call.text(3));
         return call.done();
     }},
};

int send(Context& context, const Call& call)
{
    if (call.arguments() < 1)
        return call.wrongArguments(1, "option ?args...?");
    const QString option = call.lowered(1);
    const SendOption* row = findOption<SendOption>(SendOptions, option);
    if (!row)
        return call.fail(notValidOption(option));
    int code = TCL_OK;
    if (!checkArity(call, row->arity, 1, &code))
        return code;
    return row->run(context.sender, call);
}

// status option
struct StatusOption
{
    Names names;
    Tcl_Obj* (*value)(const ScriptClient& client);
};

const StatusOption StatusOptions[] = {
    {{"initialized"},
     [](const ScriptClient& client) {
         return newObj(client.isInitialized());
     }},
    {{"nickname", "nick"},
     [](const ScriptClient& client) {
         return newObj(client.loginNickname());
     }},
};

int status(Context& context, const Call& call)
{
    if (call.arguments() != 1)
        return call.wrongArguments(1, "option");
    const QString option = call.lowered(1);
    const StatusOption* row = findOption<StatusOption>(StatusOptions, option);
    if (!row)
        return call.fail(notValidOption(option));
    return call.answer(row->value(context.client));
}

// userinfo option nickname: the user together with the game entry he is in.
struct UserView
{
    const User& user;
    const std::optional<Game>& game;
};

struct UserOption
{
    Names names;
    Tcl_Obj* (*value)(const UserView& view);
};

template <auto Field> Tcl_Obj* userField(const UserView& view)
{
    return newObj(view.user.*Field);
}

const UserOption UserOptions[] = {
    {{"nick", "nickname"}, userField<&User::nickname>},
    {{"host", "hostname"}, userField<&User::hostname>},
    {{"rating"}, userField<&User::rating>},
    {{"games"}, userField<&User::games>},
    {{"smilie"}, userField<&User::smilie>},
    {{"game"},
     [](const UserView& view) {
         return newObj(view.game ? view.game->id : 0);
     }},
    {{"observer"}, userField<&User::observer>},
    {{"player"},
     [](const UserView& view) {
         return newObj(view.game.has_value() && !view.user.observer);
     }},
    {{"operator"},
     [](const UserView& view) {
         return newObj(view.game.has_value() && view.game->operatorName == view.user.nickname);
     }},
    {{"member"}, userField<&User::member>},
    {{"admin"}, userField<&User::admin>},
    {{"friend"}, userField<&User::isFriend>},
    {{"enemy"}, userField<&User::isEnemy>},
    {{"active"},
     [](const UserView& view) {
         return newObj(QDateTime::currentSecsSinceEpoch() - view.user.lastActive);
     }},
};

int userinfo(Context& context, const Call& call)
{
    if (call.arguments() != 2)
        return call.wrongArguments(1, "option nickname");
    const QString option = call.lowered(1);
    const QString nickname = call.text(2);
    const std::optional<User> user = context.client.user(nickname);
    if (!user)
        return call.fail(nickname + QStringLiteral(" is not logged on"));
    const UserOption* row = findOption<UserOption>(UserOptions, option);
    if (!row)
        return call.fail(notValidOption(option));
    const std::optional<Game> game =
        user->gameId != 0 ? context.client.game(user->gameId) : std::nullopt;
    return call.answer(row->value(UserView{*user, game}));
}

int users(Context& context, const Call& call)
{
    if (call.arguments() != 0)
        return call.wrongArguments(1, "");
    return call.answer(newList(context.client.userNames()));
}

// whisper option ?args...?
struct WhisperOption
{
    Names names;
    Arity arity;
    Tcl_Obj* (*run)(ChatDialog& chat, const Call& call);
};

const WhisperOption WhisperOptions[] = {
    {{"list"},
     {0, 0, 1, "list"},
     [](ChatDialog& chat, const Call&) {
         return newList(chat.whisperNames());
     }},
    {{"open", "activate"},
     {1, 1, 2, "?name?"},
     [](ChatDialog& chat, const Call& call) -> Tcl_Obj* {
         chat.showWhisperBox(call.text(2));
         return nullptr;
     }},
    {{"close"},
     {1, 1, 2, "?name?"},
     [](ChatDialog& chat, const Call& call) -> Tcl_Obj* {
         chat.closeWhisperBox(call.text(2));
         return nullptr;
     }},
    {{"output"},
     {4, 4, 2, "?name? ?circlecolor? ?linecolor? ?text?"},
     [](ChatDialog& chat, const Call& call) -> Tcl_Obj* {
         chat.addWhisperMessage(call.color(3), call.color(4), call.text(2), call.text(5));
         return nullptr;
     }},
    {{"active"},
     {1, 1, 2, "?nickname?"},
     [](ChatDialog& chat, const Call& call) -> Tcl_Obj* {
         chat.hilightWhisper(call.text(2));
         return nullptr;
     }},
};

int whisper(Context& context, const Call& call)
{
    if (call.arguments() < 1)
        return call.wrongArguments(1, "?option?");
    const QString option = call.lowered(1);
    const WhisperOption* row = findOption<WhisperOption>(WhisperOptions, option);
    if (!row)
        return call.fail(notValidOption(option));
    int code = TCL_OK;
    if (!checkArity(call, row->arity, 1, &code))
        return code;
    Tcl_Obj* result = row->run(context.chat, call);
    return result ? call.answer(result) : call.done();
}

using Run = int (*)(Context& context, const Call& call);

template <Run run> int command(ClientData data, Tcl_Interp* interp, int objc, Tcl_Obj* const objv[])
{
    auto* commands = static_cast<ScriptCommands*>(data);
    const ScriptCommands::Targets& targets = commands->targets();
    Context context{commands->client(), *targets.sender, *targets.chat, *targets.output};
    return run(context, Call(interp, objc, objv));
}

struct CommandRow
{
    const char* name;
    Tcl_ObjCmdProc* proc;
};

const CommandRow Commands[] = {
    {"chatbox", command<chatbox>},   {"color", command<color>},
    {"gameinfo", command<gameinfo>}, {"games", command<games>},
    {"output", command<output>},     {"playerinfo", command<playerinfo>},
    {"players", command<players>},   {"send", command<send>},
    {"status", command<status>},     {"userinfo", command<userinfo>},
    {"users", command<users>},       {"whisper", command<whisper>},
};

} // namespace

ScriptCommands::ScriptCommands(ScriptHost* host, std::unique_ptr<ScriptClient> client,
                               const Targets& targets)
    : QObject(host), m_client(std::move(client)), m_targets(targets)
{
    Q_ASSERT(m_client && targets.sender && targets.chat && targets.output);
    for (const CommandRow& row : Commands)
        host->addCommand(row.name, row.proc, this);
}

ScriptCommands::~ScriptCommands() = default;

QStringList ScriptCommands::names()
{
    QStringList names;
    for (const CommandRow& row : Commands)
        names.append(QLatin1String(row.name));
    return names;
}
