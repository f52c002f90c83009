#pragma once

#include "gameroom.h"
#include "gamesaver.h"
#include "random.h"
#include "robotinfo.h"
#include "serveroptions.h"
#include "storage/storage.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <map>
#include <memory>

class Lobby;
class MapStore;
class Message;
class Peer;
class GameTable;
class StorageExecutor;
struct MapData;
class TurnClock;

// A game created and gone again within one round of the event loop: nobody
// but its creator need ever hear of it.
struct VanishedGame
{
    int id = 0;
    const Peer* creator = nullptr;
};

// The games of the server: creating, joining, watching, leaving and kicking,
// seating robots, starting, turns, seats held for players whose connection
// dropped and their return, and the end of a game with its ratings. What
// every user hears of goes out through the lobby. Requests come in as
// messages; each handler returns why it refused the request, or nothing
// when it was carried out.
class GameDirectory : public QObject
{
    Q_OBJECT

public:
    // The robots' ratings change with their games; the clock outlives the
    // directory.
    GameDirectory(const ServerOptions& options, Lobby& lobby, MapStore& maps,
                  QList<RobotInfo>& robots, TurnClock& clock, QObject* parent = nullptr);
    ~GameDirectory() override;

    // Ratings, results and running games are kept there: read from
    // storage, written through writer, whose commits may come back later.
    // A storage that does not answer at once (a database across the
    // network) is read at a game's end through the writer too.
    void setStorage(Storage* storage, StorageExecutor* writer, bool answersAtOnce = true);

    // The games by id, in the order they were created.
    const std::map<int, std::unique_ptr<GameRoom>>& rooms() const { return m_rooms; }
    int count() const { return int(m_rooms.size()); }
    bool usesMap(int mapId) const;
    // How long a running game still keeps the nickname's seat for him, or
    // -1 when no game does.
    qint64 graceLeft(const QString& nickname) const;

    QString newGame(Peer* user, const Message& message);
    QString join(Peer* user, const Message& message);
    QString watch(Peer* user, const Message& message);
    QString part(Peer* user);
    QString kick(Peer* user, const Message& message);
    QString robot(Peer* user, const Message& message);
    QString start(Peer* user);
    QString turn(Peer* user, const Message& message);

    // Takes the user out of his game, if he is in one.
    void leave(Peer* user);
    // Keeps the seat of a player whose connection dropped in a running
    // game; false when he has no such seat.
    bool holdSeat(Peer* user);
    // Puts a player who logs in again back into his held seat.
    void rejoin(Peer* user);
    // Takes up the games saved when the server last stopped; those that
    // cannot be restored end unrated, with the reason logged.
    void restore();
    // Saves every running game as it stands and stops its clocks, for a
    // shutdown; how many were handed to storage.
    int saveAndHalt();

    // Whose output from now on waits, and for what.
    enum class Hold {
        // The players and watchers of the games held, for the round's writes.
        Games,
        // Everybody, until the round is over.
        EverybodyUntilClosed,
        // Everybody, for the round's writes.
        Everybody,
    };

signals:
    // A game has ended (a running game's end is written); its map may be
    // unused now.
    void ended(int mapId);
    // What goes out from now on must wait: a running game is due to be
    // saved, a finished game's result to be stored, or a new game may go
    // again before anybody need hear of it. The round lasts until
    // roundClosed(), at the end of this round of the event loop, when every
    // game due goes to storage (and what was held only until then goes
    // out); the rest of its output waits until roundWritten(), once those
    // writes are done (rounds are written in the order they were held).
    // What tells of the games that vanished in the round goes to their
    // creators only.
    void outputHeld(GameDirectory::Hold hold);
    void roundClosed(const QList<VanishedGame>& vanished);
    void roundWritten(const QList<VanishedGame>& vanished);

private:
    // Holds what goes out for the rest of the round: everybody's, or only
    // what the game's players and watchers are sent.
    void holdRound(Hold hold = Hold::Everybody);
    void holdGame(int gameId);
    void endRound();
    void closeRound();
    // Hands what the closed rounds wrote to storage in one job; their output
    // goes once it is done.
    void writeRounds();
    // Writes the closed rounds unless a write is under way or the last one
    // began less than WriteIntervalMs ago; then as soon as it may. A round
    // of a quiet server is written at once.
    void writeWhenDue();
    static constexpr int WriteIntervalMs = 20;
    bool playsInRunningGame(const Peer* user) const;
    void enterGame(Peer* user, GameRoom* room);
    // A game that ends with its result stored has no save left to remove.
    void endGame(GameRoom* room, bool resultRecorded = false);
    void sendToGame(const GameRoom* room, const Message& message, const Peer* except = nullptr);
    void seatGone(GameRoom* room, int seat);
    void gameFinished(GameRoom* room, int winner);
    // A table for the room, wired to the directory and its storage.
    std::unique_ptr<GameTable> makeTable(GameRoom* room, const MapData& map, std::uint64_t seed);
    bool restoreGame(const SavedGame& saved, QString* why);
    // Accounts read for a finished game, by nickname in lower case; nothing
    // for a nickname without one.
    using ReadAccounts = QHash<QString, std::optional<Account>>;
    // Reads the accounts of the game's players on the games' writer, then
    // ends the game with them.
    void finishAfterReading(GameRoom* room, int winner, const QStringList& nicknames);
    void finish(GameRoom* room, int winner, const ReadAccounts& read);
    // Ratings, games played and the result of a finished game.
    void recordResult(GameRoom* room, int winner, const ReadAccounts& read);

    const ServerOptions& m_options;
    Lobby& m_lobby;
    MapStore& m_maps;
    QList<RobotInfo>& m_robots;
    TurnClock& m_turnClock;
    Storage* m_storage = nullptr;
    StorageExecutor* m_writer = nullptr;
    bool m_storageAnswersAtOnce = true;
    // Finished games whose end waits for their players' accounts.
    QSet<int> m_finishing;
    GameSaver m_saver;
    bool m_roundOpen = false;
    // A finished game's ratings, games played and result, written with the
    // end of its save.
    struct FinishedWrite
    {
        GameResult result;
        QList<RatedAccount> accounts;
        // The accounts' nicknames in lower case.
        QStringList nicknames;
        QList<RatedRobot> robots;
    };
    // What the next write takes besides the games due.
    QList<FinishedWrite> m_results;
    QList<int> m_removedSaves;
    // The maps of games that ended since, told of once the write is done.
    QList<int> m_endedMaps;
    // Rounds closed while a write was under way, whose output waits for the
    // next write; and how many writes are under way.
    QList<QList<VanishedGame>> m_closedRounds;
    int m_writing = 0;
    // When the last write began, and the wait for the next one.
    QElapsedTimer m_lastWrite;
    QTimer m_pace;
    // Accounts of players who are not logged in whose new standing is on
    // its way to storage, by nickname in lower case, with how many writes
    // carry one: a game that ends meanwhile starts from it.
    QHash<QString, std::pair<Account, int>> m_unwritten;
    // The games created in this round that only their creator has been in,
    // and those of them that have ended.
    QHash<int, const Peer*> m_fresh;
    QList<VanishedGame> m_vanished;
    std::map<int, std::unique_ptr<GameRoom>> m_rooms;
    int m_nextGameId = 1;
    // Seeds every game's random source: repeatable with --seed.
    SeededRandom m_seeds;
};
