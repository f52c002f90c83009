#include "sender.h"

#include "message.h"
#include "networkadapters.h"
#include "protocol.h"

namespace {

void addLatin1(Message& message, const QString& text)
{
    message.addString(text.toLatin1().constData());
}

} // namespace

Sender::Sender(QObject* parent) : QObject(parent) {}

void Sender::appendClientTail(Message& message)
{
    message.addInt(Protocol::Version);
    message.addString(Protocol::ClientIdentifier);
    for (const QString& address : networkAdapterAddresses())
        addLatin1(message, address);
}

void Sender::emitOpcode(Opcode opcode)
{
    Message m = Protocol::message(opcode);
    emit send(&m);
}

void Sender::emitInts(Opcode opcode, std::initializer_list<int> values)
{
    Message m = Protocol::message(opcode);
    for (int value : values)
        m.addInt(value);
    emit send(&m);
}

void Sender::emitStrings(Opcode opcode, std::initializer_list<const QString*> texts)
{
    Message m = Protocol::message(opcode);
    for (const QString* text : texts)
        addLatin1(m, *text);
    emit send(&m);
}

void Sender::login(const char* nickname, const char* password)
{
    Message m = Protocol::message(Opcode::Login);
    m.addString(nickname);
    m.addString(password);
    appendClientTail(m);
    emit send(&m);
}

void Sender::regist(const char* nickname, const char* password, const char* lastName,
                    const char* firstName, const char* address, const char* zipCode,
                    const char* city, const char* state, const char* country, const char* email)
{
    Message m = Protocol::message(Opcode::Register);
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
    GameOptions o;
    o.placeBeforeAttack = placeBeforeAttack;
    o.capitals = capitals;
    o.timeout = timeout;
    o.sameHosts = sameHosts;
    o.replaceBots = replaceBots;
    o.increasingCards = increasingCards;
    o.hideCards = hideCards;
    o.noWhispering = noWhispering;
    o.blind = blind;
    o.minHumans = minimumHumans;
    o.gifts = gifts;
    o.receiveCards = receiveCards;
    o.timerMode = timerMode;
    o.sameLevel = sameLevel;
    o.noRobots = noRobots;
    Message m = Protocol::message(Opcode::NewGame);
    m.addInt(mapId);
    o.encodeRequest(m, ratingRange);
    emit send(&m);
}

void Sender::globalChat(const QString& text)
{
    emitStrings(Opcode::GlobalChat, {&text});
}

void Sender::gameChat(const QString& text)
{
    emitStrings(Opcode::GameChat, {&text});
}

void Sender::whisper(const QString& nickname, const QString& text)
{
    emitStrings(Opcode::Whisper, {&nickname, &text});
}

void Sender::join(int gameId)
{
    emitInts(Opcode::Join, {gameId});
}

void Sender::watch(int gameId)
{
    emitInts(Opcode::Watch, {gameId});
}

void Sender::part()
{
    emitOpcode(Opcode::Part);
}

void Sender::robot(const QString& name)
{
    emitStrings(Opcode::Robot, {&name});
}

void Sender::place(int country)
{
    emitInts(Opcode::Place, {country});
}

void Sender::attack(int from, int to, int dice, bool doOrDie)
{
    emitInts(Opcode::Attack, {from, to, dice, doOrDie});
}

void Sender::take(int armies)
{
    emitInts(Opcode::Take, {armies});
}

void Sender::exchange(int card1, int card2, int card3)
{
    emitInts(Opcode::Exchange, {card1, card2, card3});
}

void Sender::end()
{
    emitOpcode(Opcode::End);
}

void Sender::armies()
{
    emitOpcode(Opcode::Armies);
}

void Sender::start()
{
    emitOpcode(Opcode::StartGame);
}

void Sender::all(int country)
{
    emitInts(Opcode::All, {country});
}

void Sender::capital(int country)
{
    emitInts(Opcode::Capital, {country});
}

void Sender::move(int from, int to, int armies)
{
    emitInts(Opcode::Move, {from, to, armies});
}

void Sender::ping()
{
    emitOpcode(Opcode::Ping);
}

void Sender::kick(const QString& nickname)
{
    emitStrings(Opcode::Kick, {&nickname});
}

void Sender::membersChat(const QString& text)
{
    emitStrings(Opcode::MembersChat, {&text});
}

void Sender::addMask(const QString& mask, const QString& kind)
{
    emitStrings(Opcode::AddMask, {&mask, &kind});
}

void Sender::removeMask(const QString& mask, const QString& kind)
{
    emitStrings(Opcode::RemoveMask, {&mask, &kind});
}

void Sender::startMap(const QString& pictureName, const QString& mapName,
                      const unsigned char* index, int length)
{
    Message m = Protocol::message(Opcode::StartMap);
    addLatin1(m, pictureName);
    addLatin1(m, mapName);
    m.addBytes(index, index ? length : 0);
    emit send(&m);
}

void Sender::continentMap(int number, const QString& name, int bonus)
{
    Message m = Protocol::message(Opcode::ContinentMap);
    m.addInt(number);
    addLatin1(m, name);
    m.addInt(bonus);
    emit send(&m);
}

void Sender::countryMap(int number, const QString& name, int continent, int labelX, int labelY,
                        int areaX, int areaY, int areaWidth, int areaHeight)
{
    Message m = Protocol::message(Opcode::CountryMap);
    m.addInt(number);
    addLatin1(m, name);
    for (int value : {continent, labelX, labelY, areaX, areaY, areaWidth, areaHeight})
        m.addInt(value);
    emit send(&m);
}

void Sender::neighbourMap(int country, int neighbour)
{
    emitInts(Opcode::NeighbourMap, {country, neighbour});
}

void Sender::lineMap(int x1, int y1, int x2, int y2)
{
    emitInts(Opcode::LineMap, {x1, y1, x2, y2});
}

void Sender::endMap(int slot)
{
    emitInts(Opcode::EndMap, {slot});
}

void Sender::storeSlot(int slot)
{
    emitInts(Opcode::Slot, {slot});
}
