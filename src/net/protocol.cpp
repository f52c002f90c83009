#include "protocol.h"

#include "message.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

using Protocol::OpcodeFields;

constexpr OpcodeFields Table[] = {
    {Opcode::Start, "Start", nullptr, ""},
    {Opcode::Login, "Login", "ssis*", nullptr},
    {Opcode::Register, "Register", "ssssssssssis*", nullptr},
    {Opcode::Success, "Success", nullptr, "s"},
    {Opcode::Failure, "Failure", nullptr, "i"},
    {Opcode::NewUser, "NewUser", nullptr, "ss"},
    // Field 9 of a user record is sent but carries nothing the client uses.
    {Opcode::User, "User", nullptr, "siiiibsbii"},
    {Opcode::EndUser, "EndUser", nullptr, "s"},
    {Opcode::NewGame, "NewGame", "ibbibbbbbbiibbibb", "iissbbibbbbbbiiibbibb"},
    {Opcode::Game, "Game", nullptr, "isbiiii"},
    {Opcode::EndGame, "EndGame", nullptr, "i"},
    {Opcode::GlobalChat, "GlobalChat", "s", "ss"},
    {Opcode::GameChat, "GameChat", "s", "ss"},
    {Opcode::Whisper, "Whisper", "ss", "ss"},
    {Opcode::Player, "Player", nullptr, "ibs"},
    {Opcode::Join, "Join", "i", nullptr},
    {Opcode::Watch, "Watch", "i", nullptr},
    {Opcode::Part, "Part", "", nullptr},
    {Opcode::Country, "Country", nullptr, "iii"},
    {Opcode::Robot, "Robot", "s", "ssiii"},
    {Opcode::Init, "Init", nullptr, "i"},
    {Opcode::Mask, "Mask", nullptr, "ss"},
    {Opcode::More, "More", nullptr, "i"},
    {Opcode::Decide, "Decide", nullptr, "i"},
    {Opcode::Place, "Place", "i", "ii"},
    {Opcode::Attack, "Attack", "iiib", "iiib"},
    {Opcode::Dice, "Dice", nullptr, "iiiiiii"},
    {Opcode::Take, "Take", "i", "iii"},
    {Opcode::Card, "Card", nullptr, "i"},
    {Opcode::Winner, "Winner", nullptr, "i"},
    {Opcode::Upgrade, "Upgrade", nullptr, ""},
    {Opcode::Exchange, "Exchange", "iii", "i"},
    {Opcode::Exchanged, "Exchanged", nullptr, "ii"},
    {Opcode::End, "End", "", ""},
    {Opcode::Armies, "Armies", "", nullptr},
    {Opcode::StartGame, "StartGame", "", nullptr},
    {Opcode::All, "All", "i", nullptr},
    {Opcode::Capital, "Capital", "i", nullptr},
    {Opcode::Defend, "Defend", nullptr, ""},
    {Opcode::Move, "Move", "iii", nullptr},
    {Opcode::Ping, "Ping", "", ""},
    {Opcode::Clock, "Clock", nullptr, "i"},
    {Opcode::Closed, "Closed", nullptr, ""},
    {Opcode::Kick, "Kick", "s", nullptr},
    {Opcode::MembersChat, "MembersChat", "s", "ss"},
    {Opcode::Replace, "Replace", nullptr, "is"},
    {Opcode::CardCount, "CardCount", nullptr, "ii"},
    {Opcode::EndPlayer, "EndPlayer", nullptr, "i"},
    {Opcode::AddMask, "AddMask", "ss", nullptr},
    {Opcode::RemoveMask, "RemoveMask", "ss", nullptr},
    {Opcode::Queue, "Queue", nullptr, "i"},
    {Opcode::StartMap, "StartMap", "ssd", "issd"},
    {Opcode::ContinentMap, "ContinentMap", "isi", "isi"},
    {Opcode::CountryMap, "CountryMap", "isiiiiiii", "isiiiiiii"},
    {Opcode::NeighbourMap, "NeighbourMap", "ii", "ii"},
    {Opcode::LineMap, "LineMap", "iiii", "iiii"},
    {Opcode::EndMap, "EndMap", "i", ""},
    {Opcode::Slot, "Slot", "i", "biiss"},
    {Opcode::RobotError, "RobotError", nullptr, "ss"},
};

// The numbers run from 0 without a gap, so a number is its row.
constexpr bool numberedInOrder()
{
    for (std::size_t i = 0; i < std::size(Table); ++i) {
        if (qint32(Table[i].opcode) != qint32(i))
            return false;
    }
    return true;
}
static_assert(numberedInOrder(), "the opcode table must list every number once, in order");

bool flag(const Message& m, int i)
{
    return m.getInt(i) != 0;
}

} // namespace

namespace Protocol {

const OpcodeFields* opcodeTable(int* count)
{
    *count = int(std::size(Table));
    return Table;
}

const OpcodeFields* fieldsOf(qint32 opcode)
{
    if (opcode < 0 || opcode >= qint32(std::size(Table)))
        return nullptr;
    return &Table[opcode];
}

const char* requestFields(Opcode opcode)
{
    const OpcodeFields* row = fieldsOf(opcode);
    return row ? row->request : nullptr;
}

const char* messageFields(Opcode opcode)
{
    const OpcodeFields* row = fieldsOf(opcode);
    return row ? row->message : nullptr;
}

const char* opcodeName(qint32 opcode)
{
    const OpcodeFields* row = fieldsOf(opcode);
    return row ? row->name : nullptr;
}

Message message(Opcode opcode)
{
    Message m;
    m.addInt(qint32(opcode));
    return m;
}

qint32 opcodeOf(const Message& message)
{
    return message.getInt(0);
}

Field Field::bytes(const QByteArray& block)
{
    return Field(Kind::Bytes, block);
}

void Field::appendTo(Message& message) const
{
    switch (m_kind) {
    case Kind::Integer:
        message.addInt(m_int);
        break;
    case Kind::Text:
        message.addString(m_bytes.constData());
        break;
    case Kind::Bytes:
        message.addBytes(reinterpret_cast<const unsigned char*>(m_bytes.constData()),
                         int(m_bytes.size()));
        break;
    }
}

namespace {

Message buildFrom(Opcode opcode, const Field* first, const Field* last)
{
    Message m = message(opcode);
    for (const Field* f = first; f != last; ++f)
        f->appendTo(m);
    Q_ASSERT_X(conforms(m, messageFields(opcode)), "Protocol::build", opcodeName(qint32(opcode)));
    return m;
}

} // namespace

Message build(Opcode opcode, std::initializer_list<Field> fields)
{
    return buildFrom(opcode, fields.begin(), fields.end());
}

Message build(Opcode opcode, const std::vector<Field>& fields)
{
    return buildFrom(opcode, fields.data(), fields.data() + fields.size());
}

bool conforms(const Message& m, const char* pattern)
{
    if (!pattern || m.count() != 1 + int(std::strlen(pattern)))
        return false;
    for (int i = 1; i < m.count(); ++i) {
        const bool text = m.getString(i) != nullptr;
        const bool bytes = m.getBytes(i) != nullptr;
        const bool integer = m.fieldLength(i) == 4 && !text && !bytes;
        bool ok = false;
        switch (pattern[i - 1]) {
        case 'i':
            ok = integer;
            break;
        case 'b':
            ok = integer && (m.getInt(i) == 0 || m.getInt(i) == 1);
            break;
        case 's':
            ok = text;
            break;
        case 'd':
            ok = bytes;
            break;
        }
        if (!ok)
            return false;
    }
    return true;
}

} // namespace Protocol

namespace {

// Both wire orders list the options alike and differ only where the rating
// limit stands: the request sends one range, the announcement the two
// bounds. `field` takes each option in order, `limit` stands for the rating
// fields between minHumans and gifts.
template <typename Options, typename Field, typename Limit>
void inWireOrder(Options& o, Field&& field, Limit&& limit)
{
    field(o.placeBeforeAttack);
    field(o.capitals);
    field(o.timeout);
    field(o.sameHosts);
    field(o.replaceBots);
    field(o.increasingCards);
    field(o.hideCards);
    field(o.noWhispering);
    field(o.blind);
    field(o.minHumans);
    limit();
    field(o.gifts);
    field(o.receiveCards);
    field(o.timerMode);
    field(o.sameLevel);
    field(o.noRobots);
}

// Reads the options in order from field `next` on.
struct OptionReader
{
    const Message& m;
    int next;

    void operator()(bool& option) { option = flag(m, next++); }
    void operator()(int& option) { option = m.getInt(next++); }
};

} // namespace

void GameOptions::encodeRequest(Message& m, int ratingRange) const
{
    inWireOrder(
        *this, [&m](auto option) { m.addInt(int(option)); },
        [&m, ratingRange] { m.addInt(ratingRange); });
}

GameOptions GameOptions::decodeRequest(const Message& m, int first, int* ratingRange)
{
    GameOptions o;
    OptionReader read{m, first};
    inWireOrder(o, read, [&read, ratingRange] { read(*ratingRange); });
    return o;
}

void GameOptions::encodeAnnouncement(Message& m) const
{
    for (int v : announcementValues())
        m.addInt(v);
}

std::array<int, GameOptions::AnnouncementFieldCount> GameOptions::announcementValues() const
{
    std::array<int, AnnouncementFieldCount> values{};
    auto next = values.begin();
    inWireOrder(
        *this, [&next](auto option) { *next++ = int(option); },
        [this, &next] {
            *next++ = minRating;
            *next++ = maxRating;
        });
    return values;
}

GameOptions GameOptions::decodeAnnouncement(const Message& m, int first)
{
    GameOptions o;
    OptionReader read{m, first};
    inWireOrder(o, read, [&read, &o] {
        read(o.minRating);
        read(o.maxRating);
    });
    return o;
}

void GameOptions::applyRatingRange(int ratingRange, int creatorRating)
{
    if (ratingRange < 0) {
        minRating = 0;
        maxRating = 0;
        return;
    }
    minRating = std::max(1, creatorRating - ratingRange);
    maxRating = creatorRating + ratingRange;
}
