#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <initializer_list>
#include <vector>

class Message;

// The game protocol declared once: every opcode with the fields it carries in
// each direction, the login failure codes, the version and the client's name,
// and the game options with their two wire orders. Nothing else in the
// client, the server or the tests writes an opcode number.

// A request and a server message with the same number concern the same
// thing, so each number is one enumerator.
enum class Opcode : qint32 {
    Start = 0, // the server's greeting
    Login = 1,
    Register = 2,
    Success = 3,
    Failure = 4,
    NewUser = 5,
    User = 6,
    EndUser = 7,
    NewGame = 8,
    Game = 9,
    EndGame = 10,
    GlobalChat = 11,
    GameChat = 12,
    Whisper = 13,
    Player = 14,
    Join = 15,
    Watch = 16,
    Part = 17,
    Country = 18,
    Robot = 19,
    Init = 20,
    Mask = 21,
    More = 22,
    Decide = 23,
    Place = 24,
    Attack = 25,
    Dice = 26,
    Take = 27,
    Card = 28,
    Winner = 29,
    Upgrade = 30,
    Exchange = 31,
    Exchanged = 32,
    End = 33,
    Armies = 34,
    StartGame = 35,
    All = 36,
    Capital = 37,
    Defend = 38,
    Move = 39,
    Ping = 40,
    Clock = 41,
    Closed = 42,
    Kick = 43,
    MembersChat = 44,
    Replace = 45,
    CardCount = 46,
    EndPlayer = 47,
    AddMask = 48,
    RemoveMask = 49,
    Queue = 50,
    StartMap = 51,
    ContinentMap = 52,
    CountryMap = 53,
    NeighbourMap = 54,
    LineMap = 55,
    EndMap = 56,
    Slot = 57, // the request stores a slot, the message reports one
    RobotError = 58,
};

// Why the server refused a login or a registration; the client reads any
// other value as a failed logon.
enum class FailureCode : qint32 {
    InvalidNickname = 0,
    AlreadyLoggedOn = 1,
    NicknameTaken = 2,
    Banned = 3,
    NicknameRefused = 4,
    WrongPassword = 5,
    LogonFailed = 6,
    // The local server's own: too many logins or registrations for now,
    // and a storage failure. The client shows both as a failed logon.
    TryLater = 7,
    ServerError = 8,
};

namespace Protocol {

inline constexpr int Version = 11;
inline constexpr char ClientIdentifier[] = "tarvenix";

// The fields after the opcode, one letter each: 'i' integer, 'b' boolean (an
// integer 0 or 1), 's' Latin-1 string, 'd' byte block; a final '*' stands
// for any number of further strings (the adapter addresses of a login).
struct OpcodeFields
{
    Opcode opcode;
    const char* name;
    // What the client sends, or null when it never sends this opcode.
    const char* request;
    // What the server sends, or null when it never sends this opcode.
    const char* message;
};

// Every opcode, in number order.
const OpcodeFields* opcodeTable(int* count);
// The row of an opcode, or null for a number no opcode has.
const OpcodeFields* fieldsOf(qint32 opcode);
inline const OpcodeFields* fieldsOf(Opcode opcode)
{
    return fieldsOf(qint32(opcode));
}
// The request's and the message's fields; null where that direction has none.
const char* requestFields(Opcode opcode);
const char* messageFields(Opcode opcode);
// The enumerator's name ("NewGame"), or null for an unknown number.
const char* opcodeName(qint32 opcode);

// A message holding only the opcode; the caller appends the fields.
Message message(Opcode opcode);
// Field 0 as the opcode it holds (any integer; 0 for a message without one).
qint32 opcodeOf(const Message& message);
inline bool is(const Message& message, Opcode opcode)
{
    return opcodeOf(message) == qint32(opcode);
}

// One field of a message being built: an integer (or a flag), a text, or a
// byte block. Texts go out in Latin-1, the protocol's character set; this is
// the one place where they are converted.
class Field
{
public:
    enum class Kind { Integer, Text, Bytes };

    Field(qint32 value) : m_kind(Kind::Integer), m_int(value) {}
    Field(bool value) : m_kind(Kind::Integer), m_int(value ? 1 : 0) {}
    Field(const QString& text) : m_kind(Kind::Text), m_bytes(text.toLatin1()) {}
    // A pointer would silently turn into a flag.
    Field(const char*) = delete;
    static Field bytes(const QByteArray& block);

    Kind kind() const { return m_kind; }
    void appendTo(Message& message) const;

private:
    Field(Kind kind, const QByteArray& bytes) : m_kind(kind), m_bytes(bytes) {}

    Kind m_kind;
    qint32 m_int = 0;
    QByteArray m_bytes;
};

// The message with the fields, in the order of the server's side of the
// table; a field list that does not fit the table is a fault of the caller.
Message build(Opcode opcode, std::initializer_list<Field> fields);
Message build(Opcode opcode, const std::vector<Field>& fields);
// True when fields 1.. of the message are exactly what the pattern lists:
// their number, and each one's type ('b' an integer 0 or 1).
bool conforms(const Message& message, const char* pattern);

} // namespace Protocol

// The rules a game is created with. The server's game announcement carries
// all seventeen in its own order (fields 5 to 21 of NewGame); the client's
// new-game request carries them in another order and asks for a rating
// range instead of the two bounds: a range r >= 0 admits the players rated
// within r of the creator (the minimum never below 1), a negative range
// admits everyone (both bounds 0). applyRatingRange() does that mapping.
struct GameOptions
{
    // Players must place their armies before they may attack.
    bool placeBeforeAttack = false;
    // Every player picks a capital at the start.
    bool capitals = false;
    // Seconds per turn.
    int timeout = 120;
    // Players from the same host are admitted.
    bool sameHosts = false;
    // Players who leave or lose their connection are replaced by robots.
    bool replaceBots = false;
    // The armies for an exchanged set of cards increase.
    bool increasingCards = false;
    // The number of cards of the other players is hidden.
    bool hideCards = false;
    // Whispering is not allowed in the game.
    bool noWhispering = false;
    // Blind map.
    bool blind = false;
    // The game needs at least this many human players.
    int minHumans = 1;
    // Ratings admitted; both above 0 for a limit, 0 for none.
    int minRating = 0;
    int maxRating = 0;
    // Gifts are allowed.
    bool gifts = false;
    // A player obtains the cards of the players he defeats.
    bool receiveCards = false;
    // When the turn timer expires: 0 the current player is kicked out, 1 he is
    // kicked out if he was inactive, 2 the next turn starts.
    int timerMode = 0;
    // Only players of the same level are admitted.
    bool sameLevel = false;
    // No robots in the game.
    bool noRobots = false;

    // Request order (fields 2 to 17 of NewGame, after the map id): the
    // options with the rating range in place of the two bounds.
    static constexpr int RequestFieldCount = 16;
    void encodeRequest(Message& message, int ratingRange) const;
    // Reads the request's options from field `first` on; the bounds stay 0
    // until applyRatingRange().
    static GameOptions decodeRequest(const Message& message, int first, int* ratingRange);

    // Announcement order (fields 5 to 21 of the server's NewGame).
    static constexpr int AnnouncementFieldCount = 17;
    void encodeAnnouncement(Message& message) const;
    std::array<int, AnnouncementFieldCount> announcementValues() const;
    static GameOptions decodeAnnouncement(const Message& message, int first);

    // The bounds a requested range gives a creator of this rating.
    void applyRatingRange(int ratingRange, int creatorRating);

    bool operator==(const GameOptions&) const = default;
};
