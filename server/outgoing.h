#pragma once

#include "gameevent.h"
#include "message.h"
#include "protocol.h"

#include <QString>

struct MapData;
struct RobotInfo;

// Every message the server sends, each built through the protocol table.
namespace outgoing {

Message greeting();
Message ping();
Message closed();
Message upgrade();
Message success(const QString& nickname);
Message failure(FailureCode code);

Message newUser(const QString& nickname, const QString& host);
// A user's lobby record: the game he plays in or watches (0 for none).
struct UserRecord
{
    QString nickname;
    int rating = 0;
    int games = 0;
    int playing = 0;
    int watching = 0;
    bool member = false;
    QString smilie;
    bool admin = false;
    int level = 0;
};
Message user(const UserRecord& record);
Message endUser(const QString& nickname);
Message mask(const QString& pattern, const QString& kind);
Message robot(const RobotInfo& robot);
Message slot(bool personal, int slot, int mapId, const QString& name, const QString& author);

// A chat line of the opcode's channel (global, game, members) or a whisper.
Message chat(Opcode channel, const QString& from, const QString& text);

Message newGame(int id, int mapId, const QString& mapName, const QString& mapAuthor,
                const GameOptions& options);
struct GameStatus
{
    int id = 0;
    QString operatorName;
    bool running = false;
    int clients = 0;
    int players = 0;
    int robots = 0;
    int disconnected = 0;
};
Message game(const GameStatus& status);
Message endGame(int id);
// Whether the message is one the lobby hears of the game by: its
// announcement, its status, its end, or a user's record naming it.
bool namesGame(const QByteArray& wire, int id);
Message player(int seat, bool robot, const QString& name);
Message replace(int seat, const QString& robot);
Message endPlayer(int seat);
// The message of a game event; a seat's replacement is the table's own
// (replace()), so it has none.
Message gameEvent(const GameEventPayload& payload);

// The map as the server sends it: start, continents, countries, neighbour
// pairs, lines and end, serialised back to back.
QByteArray mapTransfer(const MapData& map);

} // namespace outgoing
