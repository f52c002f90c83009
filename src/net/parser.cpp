#include "parser.h"

#include "fieldbounds.h"
#include "message.h"
#include "protocol.h"

namespace {

// Reads the fields of one message by index; every accessor of Message
// already answers 0 or null for a missing or wrongly typed field. Numbers
// come within the bounds of their kind, so what the client computes from
// them cannot overflow.
class Fields
{
public:
    explicit Fields(const Message& message) : m_message(message) {}

    int i(int index) const
    {
        return FieldBounds::clamp(m_message.getInt(index), FieldBounds::Number);
    }
    int xy(int index) const
    {
        return FieldBounds::clamp(m_message.getInt(index), FieldBounds::Coordinate);
    }
    int armies(int index) const
    {
        return FieldBounds::clamp(m_message.getInt(index), FieldBounds::Armies);
    }
    bool b(int index) const { return m_message.getInt(index) != 0; }
    QString s(int index) const
    {
        const char* text = m_message.getString(index);
        return text ? QString::fromLatin1(text) : QString();
    }

private:
    const Message& m_message;
};

} // namespace

Parser::Parser(QObject* parent) : QObject(parent) {}

void Parser::parse(Message* message)
{
    if (!message || message->count() == 0)
        return;
    const Fields f(*message);
    const qint32 opcode = Protocol::opcodeOf(*message);
    switch (Opcode(opcode)) {
    case Opcode::Start:
        emit start();
        break;
    case Opcode::Success:
        emit success(f.s(1));
        break;
    case Opcode::Failure:
        emit failure(f.i(1));
        break;
    case Opcode::NewUser:
        emit newUser(f.s(1), f.s(2));
        break;
    case Opcode::User:
        // Field 9 is sent by the server but carries nothing the client uses.
        emit user(f.s(1), f.i(2), f.i(3), f.i(4), f.i(5), f.b(6), f.s(7), f.b(8), f.i(10));
        break;
    case Opcode::EndUser:
        emit endUser(f.s(1));
        break;
    case Opcode::NewGame: {
        const GameOptions o = GameOptions::decodeAnnouncement(*message, 5);
        emit newGame(f.i(1), f.i(2), f.s(3), f.s(4), o.placeBeforeAttack, o.capitals, o.timeout,
                     o.sameHosts, o.replaceBots, o.increasingCards, o.hideCards, o.noWhispering,
                     o.blind, o.minHumans, o.minRating, o.maxRating, o.gifts, o.receiveCards,
                     o.timerMode, o.sameLevel, o.noRobots);
        break;
    }
    case Opcode::Game:
        emit game(f.i(1), f.s(2), f.b(3), f.i(4), f.i(5), f.i(6), f.i(7));
        break;
    case Opcode::EndGame:
        emit endGame(f.i(1));
        break;
    case Opcode::GlobalChat:
        emit globalChat(f.s(1), f.s(2));
        break;
    case Opcode::GameChat:
        emit gameChat(f.s(1), f.s(2));
        break;
    case Opcode::Whisper:
        emit whisper(f.s(1), f.s(2));
        break;
    case Opcode::Player:
        emit player(f.i(1), f.b(2), f.s(3));
        break;
    case Opcode::Country:
        emit country(f.i(1), f.i(2), f.armies(3));
        break;
    case Opcode::Robot:
        emit robot(f.s(1), f.s(2), f.i(3), f.i(4), f.i(5));
        break;
    case Opcode::Init:
        emit init(f.armies(1));
        break;
    case Opcode::Mask:
        emit mask(f.s(1), f.s(2));
        break;
    case Opcode::More:
        emit more(f.i(1));
        break;
    case Opcode::Decide:
        emit decide(f.i(1));
        break;
    case Opcode::Place:
        emit place(f.i(1), f.armies(2));
        break;
    case Opcode::Attack:
        emit attack(f.i(1), f.i(2), f.i(3), f.b(4));
        break;
    case Opcode::Dice:
        emit dice(f.i(1), f.i(2), f.i(3), f.i(4), f.i(5), f.i(6), f.i(7));
        break;
    case Opcode::Take:
        emit take(f.i(1), f.i(2), f.armies(3));
        break;
    case Opcode::Card:
        emit card(f.i(1));
        break;
    case Opcode::Winner:
        emit winner(f.i(1));
        break;
    case Opcode::Upgrade:
        emit upgrade();
        break;
    case Opcode::Exchange:
        emit exchange(f.i(1));
        break;
    case Opcode::Exchanged:
        emit exchanged(f.i(1), f.armies(2));
        break;
    case Opcode::End:
        emit end();
        break;
    case Opcode::Defend:
        emit defend();
        break;
    case Opcode::Ping:
        emit ping();
        break;
    case Opcode::Clock:
        emit clock(f.i(1));
        break;
    case Opcode::Closed:
        emit closed();
        break;
    case Opcode::MembersChat:
        emit membersChat(f.s(1), f.s(2));
        break;
    case Opcode::Replace:
        emit replace(f.i(1), f.s(2));
        break;
    case Opcode::CardCount:
        emit cardCount(f.i(1), f.i(2));
        break;
    case Opcode::EndPlayer:
        emit endPlayer(f.i(1));
        break;
    case Opcode::Queue:
        emit queue(f.i(1));
        break;
    case Opcode::StartMap: {
        const auto* index = reinterpret_cast<const char*>(message->getBytes(4));
        emit startMap(f.i(1), f.s(2), f.s(3), index, index ? message->fieldLength(4) : 0);
        break;
    }
    case Opcode::ContinentMap:
        emit continentMap(f.i(1), f.s(2), f.i(3));
        break;
    case Opcode::CountryMap:
        emit countryMap(f.i(1), f.s(2), f.i(3), f.xy(4), f.xy(5), f.xy(6), f.xy(7), f.xy(8),
                        f.xy(9));
        break;
    case Opcode::NeighbourMap:
        emit neighbourMap(f.i(1), f.i(2));
        break;
    case Opcode::LineMap:
        emit lineMap(f.xy(1), f.xy(2), f.xy(3), f.xy(4));
        break;
    case Opcode::EndMap:
        emit endMap();
        break;
    case Opcode::Slot:
        emit slot(f.b(1), f.i(2), f.i(3), f.s(4), f.s(5));
        break;
    case Opcode::RobotError:
        emit robotError(f.s(1), f.s(2));
        break;
    default:
        emit unknownOpcode(opcode);
        break;
    }
}
