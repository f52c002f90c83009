#include "sender.h"

#include "message.h"
#include "networkadapters.h"

namespace {

void addLatin1(Message& message, const QString& text)
{
    message.addString(text.toLatin1().constData());
}

} // namespace

Sender::Sender(QObject* parent) : QObject(parent) {}

void Sender::appendClientTail(Message& message)
{
    message.addInt(ProtocolVersion);
    message.addString(ClientIdentifier);
    for (const QString& address : networkAdapterAddresses())
        addLatin1(message, address);
}

void Sender::emitOpcode(int opcode)
{
    Message m;
    m.addInt(opcode);
    emit send(&m);
}

void Sender::emitInts(int opcode, std::initializer_list<int> values)
{
    Message m;
    m.addInt(opcode);
    for (int value : values)
        m.addInt(value);
    emit send(&m);
}

void Sender::emitStrings(int opcode, std::initializer_list<const QString*> texts)
{
    Message m;
    m.addInt(opcode);
    for (const QString* text : texts)
        addLatin1(m, *text);
    emit send(&m);
}

void Sender::login(const char* nickname, const char* password)
{
    Message m;
    m.addInt(Login);
    m.addString(nickname);
    m.addString(password);
    appendClientTail(m);
    emit send(&m);
}

void Sender::regist(const char* nickname, const char* password, const char* lastName,
                    const char* firstName, const char* address, const char* zipCode,
                    const char* city, const char* state, const char* country, const char* email)
{
    Message m;
    m.addInt(Regist);
    for (const char* text :
         {nickname, password, lastName, firstName, address, zipCode, city, state, country, email})
        m.addString(text);
    appendClientTail(m);
    emit send(&m);
}

void Sender::newGame(int mapId, bool placeBeforeAttack, bool capitals, int timeout, bool sameHosts,
                     bool replaceBots, bool increasingCards, bool hideCards, bool noWhispering,
                     bool blind, int minimumHumans, int ratingRange, bool gifts, bool receiveCards,
                     int timerMode, bool sameLevel, bool noRobots)
{
    emitInts(NewGame, {mapId, placeBeforeAttack, capitals, timeout, sameHosts, replaceBots,
                       increasingCards, hideCards, noWhispering, blind, minimumHumans, ratingRange,
                       gifts, receiveCards, timerMode, sameLevel, noRobots});
}

void Sender::globalChat(const QString& text)
{
    emitStrings(GlobalChat, {&text});
}

void Sender::gameChat(const QString& text)
{
    emitStrings(GameChat, {&text});
}

void Sender::whisper(const QString& nickname, const QString& text)
{
    emitStrings(Whisper, {&nickname, &text});
}

void Sender::join(int gameId)
{
    emitInts(Join, {gameId});
}

void Sender::watch(int gameId)
{
    emitInts(Watch, {gameId});
}

void Sender::part()
{
    emitOpcode(Part);
}

void Sender::robot(const QString& name)
{
    emitStrings(Robot, {&name});
}

void Sender::place(int country)
{
    emitInts(Place, {country});
}

void Sender::attack(int from, int to, int dice, bool doOrDie)
{
    emitInts(Attack, {from, to, dice, doOrDie});
}

void Sender::take(int armies)
{
    emitInts(Take, {armies});
}

void Sender::exchange(int card1, int card2, int card3)
{
    emitInts(Exchange, {card1, card2, card3});
}

void Sender::end()
{
    emitOpcode(End);
}

void Sender::armies()
{
    emitOpcode(Armies);
}

void Sender::start()
{
    emitOpcode(Start);
}

void Sender::all(int country)
{
    emitInts(All, {country});
}

void Sender::capital(int country)
{
    emitInts(Capital, {country});
}

void Sender::move(int from, int to, int armies)
{
    emitInts(Move, {from, to, armies});
}

void Sender::ping()
{
    emitOpcode(Ping);
}

void Sender::kick(const QString& nickname)
{
    emitStrings(Kick, {&nickname});
}

void Sender::membersChat(const QString& text)
{
    emitStrings(MembersChat, {&text});
}

void Sender::addMask(const QString& mask, const QString& kind)
{
    emitStrings(AddMask, {&mask, &kind});
}

void Sender::removeMask(const QString& mask, const QString& kind)
{
    emitStrings(RemoveMask, {&mask, &kind});
}

void Sender::startMap(const QString& pictureName, const QString& mapName,
                      const unsigned char* index, int length)
{
    Message m;
    m.addInt(StartMap);
    addLatin1(m, pictureName);
    addLatin1(m, mapName);
    m.addBytes(index, index ? length : 0);
    emit send(&m);
}

void Sender::continentMap(int number, const QString& name, int bonus)
{
    Message m;
    m.addInt(ContinentMap);
    m.addInt(number);
    addLatin1(m, name);
    m.addInt(bonus);
    emit send(&m);
}

void Sender::countryMap(int number, const QString& name, int continent, int labelX, int labelY,
                        int areaX, int areaY, int areaWidth, int areaHeight)
{
    Message m;
    m.addInt(CountryMap);
    m.addInt(number);
    addLatin1(m, name);
    for (int value : {continent, labelX, labelY, areaX, areaY, areaWidth, areaHeight})
        m.addInt(value);
    emit send(&m);
}

void Sender::neighbourMap(int country, int neighbour)
{
    emitInts(NeighbourMap, {country, neighbour});
}

void Sender::lineMap(int x1, int y1, int x2, int y2)
{
    emitInts(LineMap, {x1, y1, x2, y2});
}

void Sender::endMap(int slot)
{
    emitInts(EndMap, {slot});
}

void Sender::storeSlot(int slot)
{
    emitInts(StoreSlot, {slot});
}
