#include "parser.h"

#include "message.h"

namespace {

// Reads the fields of one message by index; every accessor of Message
// already answers 0 or null for a missing or wrongly typed field.
class Fields
{
public:
    explicit Fields(const Message& message) : m_message(message) {}

    int i(int index) const { return m_message.getInt(index); }
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
    const int opcode = f.i(0);
    switch (opcode) {
    case Start:
        emit start();
        break;
    case Success:
        emit success(f.s(1));
        break;
    case Failure:
        emit failure(f.i(1));
        break;
    case NewUser:
        emit newUser(f.s(1), f.s(2));
        break;
    case User:
        // Field 9 is sent by the server but carries nothing the client uses.
        emit user(f.s(1), f.i(2), f.i(3), f.i(4), f.i(5), f.b(6), f.s(7), f.b(8), f.i(10));
        break;
    case EndUser:
        emit endUser(f.s(1));
        break;
    case NewGame:
        emit newGame(f.i(1), f.i(2), f.s(3), f.s(4), f.b(5), f.b(6), f.i(7), f.b(8), f.b(9),
                     f.b(10), f.b(11), f.b(12), f.b(13), f.i(14), f.i(15), f.i(16), f.b(17),
                     f.b(18), f.i(19), f.b(20), f.b(21));
        break;
    case Game:
        emit game(f.i(1), f.s(2), f.b(3), f.i(4), f.i(5), f.i(6), f.i(7));
        break;
    case EndGame:
        emit endGame(f.i(1));
        break;
    case GlobalChat:
        emit globalChat(f.s(1), f.s(2));
        break;
    case GameChat:
        emit gameChat(f.s(1), f.s(2));
        break;
    case Whisper:
        emit whisper(f.s(1), f.s(2));
        break;
    case Player:
        emit player(f.i(1), f.b(2), f.s(3));
        break;
    case Country:
        emit country(f.i(1), f.i(2), f.i(3));
        break;
    case Robot:
        emit robot(f.s(1), f.s(2), f.i(3), f.i(4), f.i(5));
        break;
    case Init:
        emit init(f.i(1));
        break;
    case Mask:
        emit mask(f.s(1), f.s(2));
        break;
    case More:
        emit more(f.i(1));
        break;
    case Decide:
        emit decide(f.i(1));
        break;
    case Place:
        emit place(f.i(1), f.i(2));
        break;
    case Attack:
        emit attack(f.i(1), f.i(2), f.i(3), f.b(4));
        break;
    case Dice:
        emit dice(f.i(1), f.i(2), f.i(3), f.i(4), f.i(5), f.i(6), f.i(7));
        break;
    case Take:
        emit take(f.i(1), f.i(2), f.i(3));
        break;
    case Card:
        emit card(f.i(1));
        break;
    case Winner:
        emit winner(f.i(1));
        break;
    case Upgrade:
        emit upgrade();
        break;
    case Exchange:
        emit exchange(f.i(1));
        break;
    case Exchanged:
        emit exchanged(f.i(1), f.i(2));
        break;
    case End:
        emit end();
        break;
    case Defend:
        emit defend();
        break;
    case Ping:
        emit ping();
        break;
    case Clock:
        emit clock(f.i(1));
        break;
    case Closed:
        emit closed();
        break;
    case MembersChat:
        emit membersChat(f.s(1), f.s(2));
        break;
    case Replace:
        emit replace(f.i(1), f.s(2));
        break;
    case CardCount:
        emit cardCount(f.i(1), f.i(2));
        break;
    case EndPlayer:
        emit endPlayer(f.i(1));
        break;
    case Queue:
        emit queue(f.i(1));
        break;
    case StartMap: {
        const auto* index = reinterpret_cast<const char*>(message->getBytes(4));
        emit startMap(f.i(1), f.s(2), f.s(3), index, index ? message->fieldLength(4) : 0);
        break;
    }
    case ContinentMap:
        emit continentMap(f.i(1), f.s(2), f.i(3));
        break;
    case CountryMap:
        emit countryMap(f.i(1), f.s(2), f.i(3), f.i(4), f.i(5), f.i(6), f.i(7), f.i(8), f.i(9));
        break;
    case NeighbourMap:
        emit neighbourMap(f.i(1), f.i(2));
        break;
    case LineMap:
        emit lineMap(f.i(1), f.i(2), f.i(3), f.i(4));
        break;
    case EndMap:
        emit endMap();
        break;
    case Slot:
        emit slot(f.b(1), f.i(2), f.i(3), f.s(4), f.s(5));
        break;
    case RobotError:
        emit robotError(f.s(1), f.s(2));
        break;
    default:
        emit unknownOpcode(opcode);
        break;
    }
}
