#pragma once

#include <QObject>
#include <QString>

#include <initializer_list>

class Message;
enum class Opcode : qint32;

// Turns every request the client makes of the game server into one message.
// Each slot builds a message whose field 0 is the request's opcode, emits it
// through send() and drops it; the sender keeps no state about the session.
class Sender : public QObject
{
    Q_OBJECT

public:
    explicit Sender(QObject* parent = nullptr);

public slots:
    // Nickname and password travel as the Latin-1 bytes given here.
    void login(const char* nickname, const char* password);
    void regist(const char* nickname, const char* password, const char* lastName,
                const char* firstName, const char* address, const char* zipCode, const char* city,
                const char* state, const char* country, const char* email);
    void newGame(int mapId, bool placeBeforeAttack, bool capitals, int timeout, bool sameHosts,
                 bool replaceBots, bool increasingCards, bool hideCards, bool noWhispering,
                 bool blind, int minimumHumans, int ratingRange, bool gifts, bool receiveCards,
                 int timerMode, bool sameLevel, bool noRobots);
    void globalChat(const QString& text);
    void gameChat(const QString& text);
    void whisper(const QString& nickname, const QString& text);
    void join(int gameId);
    void watch(int gameId);
    void part();
    void robot(const QString& name);
    void place(int country);
    void attack(int from, int to, int dice, bool doOrDie);
    void take(int armies);
    void exchange(int card1, int card2, int card3);
    void end();
    void armies();
    void start();
    void all(int country);
    void capital(int country);
    void move(int from, int to, int armies);
    void ping();
    void kick(const QString& nickname);
    void membersChat(const QString& text);
    void addMask(const QString& mask, const QString& kind);
    void removeMask(const QString& mask, const QString& kind);
    void startMap(const QString& pictureName, const QString& mapName, const unsigned char* index,
                  int length);
    void continentMap(int number, const QString& name, int bonus);
    void countryMap(int number, const QString& name, int continent, int labelX, int labelY,
                    int areaX, int areaY, int areaWidth, int areaHeight);
    void neighbourMap(int country, int neighbour);
    void lineMap(int x1, int y1, int x2, int y2);
    void endMap(int slot);
    void storeSlot(int slot);

signals:
    // The message lives only during the emission; receivers copy what they keep.
    void send(Message* message);

private:
    void appendClientTail(Message& message);
    void emitOpcode(Opcode opcode);
    void emitInts(Opcode opcode, std::initializer_list<int> values);
    void emitStrings(Opcode opcode, std::initializer_list<const QString*> texts);
};
