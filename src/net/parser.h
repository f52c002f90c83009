#pragma once

#include <QObject>
#include <QString>

class Message;

// The one place where the server's messages are understood: parse() reads
// field 0 as the opcode and emits one typed signal with the fields of that
// message. Missing or wrongly typed fields read as 0, false or a null string.
class Parser : public QObject
{
    Q_OBJECT

public:
    explicit Parser(QObject* parent = nullptr);

public slots:
    void parse(Message* message);

signals:
    void start();
    void success(const QString& nickname);
    void failure(int reason);
    void newUser(const QString& nickname, const QString& host);
    void user(const QString& nickname, int rating, int games, int playing, int watching,
              bool member, const QString& smilie, bool admin, int level);
    void endUser(const QString& nickname);
    void newGame(int gameId, int mapId, const QString& mapName, const QString& mapAuthor,
                 bool placeBeforeAttack, bool capitals, int timeout, bool sameHosts,
                 bool replaceBots, bool increasingCards, bool hideCards, bool noWhispering,
                 bool blind, int minimumHumans, int minimumRating, int maximumRating, bool gifts,
                 bool receiveCards, int timerMode, bool sameLevel, bool noRobots);
    void game(int gameId, const QString& op, bool running, int clients, int players, int robots,
              int disconnected);
    void endGame(int gameId);
    void globalChat(const QString& nickname, const QString& text);
    void gameChat(const QString& nickname, const QString& text);
    void whisper(const QString& nickname, const QString& text);
    void player(int seat, bool robot, const QString& name);
    void country(int country, int owner, int armies);
    void robot(const QString& name, const QString& owner, int rating, int games, int level);
    void init(int armies);
    void mask(const QString& mask, const QString& kind);
    void more(int seat);
    void decide(int seat);
    void place(int seat, int armies);
    void attack(int from, int to, int dice, bool doOrDie);
    void dice(int attacker, int attack1, int attack2, int attack3, int defender, int defence1,
              int defence2);
    void take(int from, int to, int minimum);
    void card(int card);
    void winner(int seat);
    void upgrade();
    void exchange(int seat);
    void exchanged(int seat, int armies);
    void end();
    void defend();
    void ping();
    void clock(int seconds);
    void closed();
    void membersChat(const QString& nickname, const QString& text);
    void replace(int seat, const QString& robot);
    void cardCount(int seat, int cards);
    void endPlayer(int seat);
    void queue(int value);
    // The index points into the received message and is valid only during the
    // emission; it is null with length 0 when the block is absent or empty.
    void startMap(int mapId, const QString& mapName, const QString& pictureName, const char* index,
                  int length);
    void continentMap(int number, const QString& name, int bonus);
    void countryMap(int number, const QString& name, int continent, int labelX, int labelY,
                    int areaX, int areaY, int areaWidth, int areaHeight);
    void neighbourMap(int country, int neighbour);
    void lineMap(int x1, int y1, int x2, int y2);
    void endMap();
    void slot(bool personal, int slot, int mapId, const QString& mapName, const QString& mapAuthor);
    void robotError(const QString& first, const QString& second);
    void unknownOpcode(int opcode);
    void warning(const QString& text);
};
