#include "games/elo.h"
#include "games/gamedirectory.h"
#include "games/gameroom.h"
#include "games/turnclock.h"
#include "indexcodec.h"
#include "lobby/lobby.h"
#include "mapdata.h"
#include "outgoing.h"
#include "passwordhasher.h"
#include "peer.h"
#include "robotinfo.h"
#include "server.h"
#include "serverfixture.h"
#include "storage/sqlitestorage.h"

#include "message.h"
#include "sender.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace {

// A file as the first server wrote it (its own schema and a dump of what it
// stored): alice registered with the minimum hashing cost and the password
// "secret", her mask, and a default map in one of her slots.
const char* const FirstSchemaFile[] = {
    "CREATE TABLE accounts ( id INTEGER PRIMARY KEY, nickname TEXT NOT NULL UNIQUE COLLATE"
    " NOCASE, password_hash TEXT NOT NULL, last_name TEXT NOT NULL DEFAULT '', first_name TEXT"
    " NOT NULL DEFAULT '', address TEXT NOT NULL DEFAULT '', zip TEXT NOT NULL DEFAULT '', city"
    " TEXT NOT NULL DEFAULT '', state TEXT NOT NULL DEFAULT '', country TEXT NOT NULL DEFAULT '',"
    " email TEXT NOT NULL DEFAULT '', rating INTEGER NOT NULL DEFAULT 1500, games INTEGER NOT"
    " NULL DEFAULT 0, level INTEGER NOT NULL DEFAULT 1, member INTEGER NOT NULL DEFAULT 0, admin"
    " INTEGER NOT NULL DEFAULT 0, banned INTEGER NOT NULL DEFAULT 0, smilie TEXT NOT NULL DEFAULT"
    " '', created TEXT NOT NULL DEFAULT CURRENT_TIMESTAMP)",
    "INSERT INTO accounts VALUES(1,'alice','$argon2id$v=19$m=8,t=1,p=1$+BzyvpxjVynPiL1XqE68ig$"
    "Ktveit1Ag8HjVF2wrsYoI2OucVjZcG9HcRUpq/jQQsU','Doe','Jane','Main St 1','1234','Town',"
    "'State','Land','alice@example.org',1500,0,1,0,0,0,'','2026-12-06 19:58:36')",
    "CREATE TABLE masks ( account_id INTEGER NOT NULL REFERENCES accounts(id) ON DELETE"
    " CASCADE, kind TEXT NOT NULL CHECK (kind IN ('friend', 'enemy')), pattern TEXT NOT NULL"
    " COLLATE NOCASE, PRIMARY KEY (account_id, kind, pattern))",
    "INSERT INTO masks VALUES(1,'friend','b*')",
    "CREATE TABLE maps ( id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, author TEXT"
    " NOT NULL, picture TEXT NOT NULL, index_gz BLOB NOT NULL, body TEXT NOT NULL, created TEXT"
    " NOT NULL DEFAULT CURRENT_TIMESTAMP)",
    "CREATE TABLE slots ( account_id INTEGER NOT NULL REFERENCES accounts(id) ON DELETE"
    " CASCADE, slot INTEGER NOT NULL CHECK (slot BETWEEN 0 AND 4), map_id INTEGER NOT NULL,"
    " PRIMARY KEY (account_id, slot))",
    "INSERT INTO slots VALUES(1,2,1)",
    "DELETE FROM sqlite_sequence",
    "INSERT INTO sqlite_sequence VALUES('maps',1000)",
    "PRAGMA user_version = 1",
};

// Writes the first server's file, then whatever else `extra` asks for.
bool writeFirstSchemaFile(const QString& path, const QStringList& extra = {})
{
    QStringList sql;
    for (const char* line : FirstSchemaFile)
        sql << QString::fromLatin1(line);
    return testutil::rawSql(path, sql + extra).has_value();
}

// The file's schema version, then its tables.
QStringList fileSchema(const QString& path)
{
    return testutil::rawSql(path, {QStringLiteral("PRAGMA user_version")}).value_or(QStringList()) +
           testutil::rawSql(path, {QStringLiteral("SELECT name FROM sqlite_master"
                                                  " WHERE type = 'table' ORDER BY name")})
               .value_or(QStringList());
}

} // namespace

using MapChange = std::function<void(MapData&)>;
Q_DECLARE_METATYPE(MapChange)

// A user the rooms and the lobby can seat, with nothing behind him but a
// record of what reached him.
class RecordingPeer : public Peer
{
public:
    explicit RecordingPeer(const QString& name, bool member = false)
    {
        setAccount({.nickname = name, .member = member});
    }
    void send(const QByteArray& wire) override { m_received += wire; }
    QString peerAddress() const override { return m_host; }
    const QString& host() const override { return m_host; }
    bool isLoopback() const override { return true; }

    // The messages received with the opcode, or all of them.
    QList<Message> messages(std::optional<Opcode> opcode = {}) const
    {
        QList<Message> result = testutil::split(m_received).value_or(QList<Message>());
        result.removeIf([opcode](const Message& m) { return opcode && !Protocol::is(m, *opcode); });
        return result;
    }
    Message last(Opcode opcode) const
    {
        return messages(opcode).value(messages(opcode).size() - 1);
    }
    QList<Opcode> opcodes() const
    {
        QList<Opcode> result;
        for (const Message& m : messages())
            result.append(Opcode(Protocol::opcodeOf(m)));
        return result;
    }
    void forget() { m_received.clear(); }

    // The texts of the messages with the opcode: "from: text" for chat.
    QStringList lines(Opcode opcode) const
    {
        QStringList result;
        for (const Message& m : messages(opcode)) {
            const QString first = testutil::text(m, 1);
            result.append(m.count() > 2 ? first + QStringLiteral(": ") + testutil::text(m, 2)
                                        : first);
        }
        return result;
    }

private:
    QString m_host = QStringLiteral("127.0.0.1");
    QByteArray m_received;
};

// The games of a server with nothing around them but a lobby of recording
// users and the shipped maps; requests are made by the client's own Sender
// and handed to the handler their opcode names, as the server does.
struct Directory
{
    Directory()
    {
        maps.loadDefaultMaps(testutil::dataDirectory());
        QObject::connect(&sender, &Sender::send, [this](Message* m) { request = *m; });
    }

    RecordingPeer* user(const QString& nickname, int level = 1)
    {
        auto& peer = users.emplace_back(std::make_unique<RecordingPeer>(nickname));
        peer->account().level = level;
        lobby.add(peer.get());
        return peer.get();
    }
    // Why the request was refused, or nothing.
    QString ask(Peer* user, const std::function<void(Sender&)>& make)
    {
        make(sender);
        switch (Opcode(Protocol::opcodeOf(request))) {
        case Opcode::NewGame:
            return games.newGame(user, request);
        case Opcode::Join:
            return games.join(user, request);
        case Opcode::Watch:
            return games.watch(user, request);
        case Opcode::Part:
            return games.part(user);
        case Opcode::Kick:
            return games.kick(user, request);
        case Opcode::Robot:
            return games.robot(user, request);
        default:
            return QStringLiteral("not a lobby move");
        }
    }
    // A new game on World with the options; its id, 0 when refused.
    int create(Peer* creator, const GameOptions& o = {}, int ratingRange = -1)
    {
        const QString refused = ask(creator, [&](Sender& s) {
            s.newGame(1, o.placeBeforeAttack, o.capitals, o.timeout, o.sameHosts, o.replaceBots,
                      o.increasingCards, o.hideCards, o.noWhispering, o.blind, o.minHumans,
                      ratingRange, o.gifts, o.receiveCards, o.timerMode, o.sameLevel, o.noRobots);
        });
        return refused.isEmpty() && creator->game() ? creator->game()->id() : 0;
    }

    ServerOptions options;
    Lobby lobby{options};
    MapStore maps;
    QList<RobotInfo> robots{{QStringLiteral("Anvil"), QStringLiteral("server")},
                            {QStringLiteral("Bramble"), QStringLiteral("server")}};
    SteadyTurnClock clock{1000};
    GameDirectory games{options, lobby, maps, robots, clock};
    std::vector<std::unique_ptr<RecordingPeer>> users;
    Sender sender;
    Message request;
};

// Two integer fields side by side, from the index on: a game's people and
// players, its players and robots.
std::pair<int, int> pairOf(const Message& m, int index)
{
    return {m.getInt(index), m.getInt(index + 1)};
}

// A user's record: the nickname, the game played in and the game watched.
bool isRecord(const Message& m, const QString& nickname, int playing, int watching)
{
    return testutil::text(m, 1) == nickname && m.getInt(4) == playing && m.getInt(5) == watching;
}

// The server's pieces on their own: map validation and transfer, the
// messages it sends, the game room's seats, the lobby's chat, password
// hashing and the database.
class TestServerParts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void mapValidation_data();
    void mapValidation();
    void serverMessagesFollowTheTable();
    void mapJsonIntegers_data();
    void mapJsonIntegers();

    void seatsInOrder();
    void gameLifecycle();
    void movingBetweenGamesAndSeats();
    void lobbyChatReachesExactlyTheRightUsers();
    void ratingsAfterAGame_data();
    void ratingsAfterAGame();
    void passwordHashes();
    void nicknameRules_data();
    void nicknameRules();

    void schemaVersions();
    void failedMigrationLeavesTheFileAsItWas();
};

void TestServerParts::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("TARVENIX_SERVER_LOG"))
        QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.server.info=false\n"
                                                        "tarvenix.server.warning=false"));
}

void TestServerParts::mapValidation_data()
{
    QTest::addColumn<MapChange>("change");
    QTest::addColumn<QString>("reason");
    const auto index = [](const std::function<void(std::vector<qint32>&)>& edit) {
        return [edit](MapData& m) {
            std::vector<qint32> words = m.indexValues().value();
            edit(words);
            m.index = IndexCodec::deflate(words.data(), int(words.size()));
        };
    };

    QTest::addRow("valid") << MapChange([](MapData&) {}) << QString();
    QTest::addRow("unknown picture")
        << MapChange([](MapData& m) { m.picture = QStringLiteral("mars"); }) << "unknown picture";
    QTest::addRow("empty name") << MapChange([](MapData& m) { m.name = QStringLiteral("  "); })
                                << "map name";
    QTest::addRow("no countries") << MapChange([](MapData& m) { m.countries.clear(); })
                                  << "countries";
    QTest::addRow("duplicate continent")
        << MapChange([](MapData& m) { m.continents.append(m.continents.first()); })
        << "continent 1 declared twice";
    QTest::addRow("duplicate country")
        << MapChange([](MapData& m) { m.countries.append(m.countries.first()); })
        << "country 1 declared twice";
    QTest::addRow("country number zero")
        << MapChange([](MapData& m) { m.countries[0].number = 0; }) << "not positive";
    QTest::addRow("unknown continent")
        << MapChange([](MapData& m) { m.countries[2].continent = 99; }) << "no continent";
    QTest::addRow("label outside")
        << MapChange([](MapData& m) { m.countries[0].labelY = 400; }) << "label outside";
    // Sums that wrap in 32 bits land back inside the picture.
    QTest::addRow("area wide enough to wrap") << MapChange([](MapData& m) {
        m.countries[0].areaX = 700;
        m.countries[0].areaWidth = std::numeric_limits<int>::max();
    }) << "area outside";
    QTest::addRow("area tall enough to wrap") << MapChange([](MapData& m) {
        m.countries[0].areaY = 300;
        m.countries[0].areaHeight = std::numeric_limits<int>::max();
    }) << "area outside";
    QTest::addRow("self neighbour") << MapChange([](MapData& m) {
        m.neighbours.append({2, 2});
    }) << "names no two";
    QTest::addRow("line outside") << MapChange([](MapData& m) {
        m.lines.append({0, 0, 100000, 5});
    }) << "line outside";
    QTest::addRow("too many lines") << MapChange([](MapData& m) {
        m.lines.resize(MapData::MaxLines + 1, {1, 1, 2, 2});
    }) << "too many";
    QTest::addRow("index one word short")
        << MapChange(index([](auto& w) { w.pop_back(); })) << "instead of";
    QTest::addRow("index one word long")
        << MapChange(index([](auto& w) { w.push_back(0); })) << "gzip stream of at most";
    QTest::addRow("unknown negative value")
        << MapChange(index([](auto& w) { w[1000] = -3; })) << "undeclared country -3";
}

void TestServerParts::mapValidation()
{
    QFETCH(MapChange, change);
    QFETCH(QString, reason);
    MapData map = testutil::shippedMap(QStringLiteral("3-africa"));
    change(map);
    const QString result = map.validate();
    QVERIFY2(reason.isEmpty() ? result.isEmpty() : result.contains(reason), qPrintable(result));
}

void TestServerParts::serverMessagesFollowTheTable()
{
    const MapData map = testutil::shippedMap(QStringLiteral("3-africa"));
    const std::optional<QList<Message>> messages = testutil::split(outgoing::mapTransfer(map));
    QVERIFY(messages);
    QList<Opcode> opcodes;
    for (const Message& m : *messages)
        opcodes.append(Opcode(Protocol::opcodeOf(m)));
    QList<Opcode> expected{Opcode::StartMap};
    expected << QList<Opcode>(map.continents.size(), Opcode::ContinentMap)
             << QList<Opcode>(map.countries.size(), Opcode::CountryMap)
             << QList<Opcode>(map.neighbours.size(), Opcode::NeighbourMap)
             << QList<Opcode>(map.lines.size(), Opcode::LineMap) << Opcode::EndMap;
    QCOMPARE(opcodes, expected);
    QCOMPARE(messages->at(0).getInt(1), map.id);
    QCOMPARE(testutil::text(messages->at(0), 3), QStringLiteral("africa"));
    // The last country's fields in the message's order, its name second.
    const MapCountry& c = map.countries.last();
    const Message& sent = messages->at(map.continents.size() + map.countries.size());
    const QList<int> fields = {c.number, c.continent, c.labelX,    c.labelY,
                               c.areaX,  c.areaY,     c.areaWidth, c.areaHeight};
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(sent.getInt(i == 0 ? 1 : i + 2), fields[i]);
    QCOMPARE(testutil::text(sent, 2), c.name);

    QList<Message> all = *messages;
    const QString name = QStringLiteral("alice");
    all << outgoing::greeting() << outgoing::ping() << outgoing::closed() << outgoing::upgrade()
        << outgoing::success(name) << outgoing::failure(FailureCode::TryLater)
        << outgoing::newUser(name, QStringLiteral("host"))
        << outgoing::user({name, 1500, 3, 2, 0, true, QString(), false, 1})
        << outgoing::endUser(name) << outgoing::mask(QStringLiteral("b*"), QStringLiteral("friend"))
        << outgoing::robot(RobotInfo{QStringLiteral("Anvil"), QStringLiteral("server")})
        << outgoing::slot(true, 4, 1001, QStringLiteral("Map"), name)
        << outgoing::newGame(1, 2, QStringLiteral("Map"), name, GameOptions{})
        << outgoing::game({1, name, true, 2, 3, 1, 1}) << outgoing::endGame(1)
        << outgoing::player(5, true, QStringLiteral("Anvil"))
        << outgoing::replace(0, QStringLiteral("Ember")) << outgoing::endPlayer(2);
    for (Opcode chat : {Opcode::GlobalChat, Opcode::GameChat, Opcode::MembersChat, Opcode::Whisper})
        all << outgoing::chat(chat, name, QStringLiteral("hello"));
    const GameEventPayload events[] = {
        event::Country{1, 2, 3},
        event::Init{20},
        event::More{1},
        event::Decide{1},
        event::Place{1, 3},
        event::Attack{1, 2, 3, true},
        event::Dice{0, {6, 5, 4}, 1, {3, 2}},
        event::Take{1, 2, 3},
        event::Card{7},
        event::Winner{0},
        event::MustExchange{1},
        event::Exchanged{1, 4},
        event::TurnEnd{},
        event::Clock{30},
        event::CardCount{1, 5},
        event::SeatOut{3},
    };
    for (const GameEventPayload& e : events)
        all << outgoing::gameEvent(e);

    // Every opcode the table lets the server send, but for those this
    // server never sends, comes out with the table's fields.
    QSet<qint32> wanted;
    int count = 0;
    const Protocol::OpcodeFields* table = Protocol::opcodeTable(&count);
    for (int i = 0; i < count; ++i) {
        if (table[i].message)
            wanted.insert(qint32(table[i].opcode));
    }
    for (Opcode unsent : {Opcode::Defend, Opcode::Queue, Opcode::RobotError})
        wanted.remove(qint32(unsent));
    QSet<qint32> seen;
    for (const Message& m : std::as_const(all)) {
        const auto opcode = Opcode(Protocol::opcodeOf(m));
        QVERIFY2(Protocol::conforms(m, Protocol::messageFields(opcode)),
                 Protocol::opcodeName(qint32(opcode)));
        seen.insert(qint32(opcode));
    }
    const auto sorted = [](const QSet<qint32>& set) {
        QList<qint32> list = set.values();
        std::sort(list.begin(), list.end());
        return list;
    };
    QCOMPARE(sorted(seen), sorted(wanted));
    // A text goes out in Latin-1.
    QCOMPARE(
        QByteArray(
            outgoing::chat(Opcode::GlobalChat, name, QString::fromLatin1("J\xf6rg")).getString(2)),
        QByteArray("J\xf6rg"));
}

void TestServerParts::mapJsonIntegers_data()
{
    QTest::addColumn<double>("labelX");
    QTest::addColumn<bool>("read");
    QTest::addRow("the largest int") << 2147483647.0 << true;
    QTest::addRow("fraction") << 10.5 << false;
    QTest::addRow("past the largest int") << 2147483648.0 << false;
    QTest::addRow("below the smallest int") << -2147483649.0 << false;
}

void TestServerParts::mapJsonIntegers()
{
    QFETCH(double, labelX);
    QFETCH(bool, read);
    QJsonObject json = testutil::shippedMap(QStringLiteral("3-africa")).toJson();
    QJsonArray countries = json.value(QStringLiteral("countries")).toArray();
    QJsonObject first = countries[0].toObject();
    first[QStringLiteral("label")] = QJsonArray{labelX, 20};
    countries[0] = first;
    json[QStringLiteral("countries")] = countries;
    const std::optional<MapData> back = MapData::fromJson(json, nullptr);
    QCOMPARE(bool(back), read);
    if (back)
        QCOMPARE(back->toJson(), json);
}

void TestServerParts::seatsInOrder()
{
    GameOptions o;
    o.minHumans = 2;
    GameRoom room(1, 1, QStringLiteral("Map"), QStringLiteral("me"), o);
    RecordingPeer first(QStringLiteral("first")), second(QStringLiteral("second"));
    QCOMPARE(room.seatHuman(&first, QStringLiteral("first")), 0);
    QCOMPARE(room.seatRobot(QStringLiteral("r")), 1);
    QVERIFY(!room.canStart());
    QCOMPARE(room.seatHuman(&second, QStringLiteral("second")), 2);
    QVERIFY(room.canStart());
    QCOMPARE(std::pair(room.players(), room.clients()), std::pair(3, 2));
    for (int i = 3; i < GameRoom::SeatCount; ++i)
        QCOMPARE(room.seatRobot(QStringLiteral("r%1").arg(i)), i);
    QCOMPARE(room.seatRobot(QStringLiteral("extra")), -1);
    // The lowest free seat is the next one taken.
    room.freeSeat(0);
    QCOMPARE(room.seatHuman(&first, QStringLiteral("first")), 0);
}

void TestServerParts::gameLifecycle()
{
    Directory d;
    RecordingPeer* alice = d.user(QStringLiteral("alice"));
    RecordingPeer* bob = d.user(QStringLiteral("bob"));
    RecordingPeer* carol = d.user(QStringLiteral("carol"));

    const int game = d.create(alice, {.timeout = 300, .minHumans = 2}, 100);
    QVERIFY(game > 0);
    // The map's id, name and author; a range of 100 points centres on
    // alice's 1500.
    const Message created = carol->last(Opcode::NewGame);
    QCOMPARE(std::pair(created.getInt(1), created.getInt(2)), std::pair(game, 1));
    QCOMPARE(std::pair(testutil::text(created, 3), testutil::text(created, 4)),
             std::pair(QStringLiteral("World"), QStringLiteral("Tarvenix")));
    QCOMPARE(std::pair(created.getInt(15), created.getInt(16)), std::pair(1400, 1600));
    QCOMPARE(testutil::text(carol->last(Opcode::Game), 2), QStringLiteral("alice"));
    QVERIFY(isRecord(carol->last(Opcode::User), QStringLiteral("alice"), game, 0));
    // The creator receives the map, then his seat.
    QCOMPARE(alice->opcodes().indexOf(Opcode::EndMap) + 1,
             alice->opcodes().indexOf(Opcode::Player));

    QCOMPARE(d.ask(bob, [&](Sender& s) { s.join(game); }), QString());
    const Message seated = alice->last(Opcode::Player);
    QCOMPARE(std::tuple(seated.getInt(1), seated.getInt(2), testutil::text(seated, 3)),
             std::tuple(1, 0, QStringLiteral("bob")));
    QCOMPARE(pairOf(carol->last(Opcode::Game), 4), std::pair(2, 2));
    QCOMPARE(d.ask(carol, [&](Sender& s) { s.watch(game); }), QString());
    QVERIFY(isRecord(carol->last(Opcode::User), QStringLiteral("carol"), 0, game));
    QCOMPARE(pairOf(alice->last(Opcode::Game), 4), std::pair(3, 2));

    // Only the operator seats robots, each robot once, by a known name.
    QCOMPARE(d.ask(bob, [](Sender& s) { s.robot(QStringLiteral("Bramble")); }),
             QStringLiteral("not the operator of a waiting game"));
    QCOMPARE(d.ask(alice, [](Sender& s) { s.robot(QStringLiteral("Anvil")); }), QString());
    for (const char* name : {"anvil", "Nobody"})
        QVERIFY(!d.ask(alice, [&](Sender& s) { s.robot(QLatin1String(name)); }).isEmpty());
    const Message robot = carol->last(Opcode::Player);
    QCOMPARE(std::tuple(robot.getInt(1), robot.getInt(2), testutil::text(robot, 3)),
             std::tuple(2, 1, QStringLiteral("Anvil")));
    QCOMPARE(pairOf(carol->last(Opcode::Game), 5), std::pair(3, 1));
    QCOMPARE(alice->messages(Opcode::Player).size(), 3);

    // Only the operator kicks.
    carol->forget();
    QCOMPARE(d.ask(bob, [](Sender& s) { s.kick(QStringLiteral("carol")); }),
             QStringLiteral("not the operator of a game"));
    QVERIFY(carol->opcodes().isEmpty());
    QCOMPARE(d.ask(alice, [](Sender& s) { s.kick(QStringLiteral("bob")); }), QString());
    QCOMPARE(carol->last(Opcode::EndPlayer).getInt(1), 1);
    QVERIFY(isRecord(bob->last(Opcode::User), QStringLiteral("bob"), 0, 0));
    QCOMPARE(pairOf(carol->last(Opcode::Game), 4), std::pair(2, 2));
    QCOMPARE(d.ask(alice, [](Sender& s) { s.kick(QStringLiteral("Anvil")); }), QString());
    QCOMPARE(carol->last(Opcode::EndPlayer).getInt(1), 2);

    // The operator leaves: the observer takes over the waiting game.
    QCOMPARE(d.ask(alice, [](Sender& s) { s.part(); }), QString());
    QCOMPARE(testutil::text(bob->last(Opcode::Game), 2), QStringLiteral("carol"));
    bob->forget();
    QCOMPARE(d.ask(carol, [](Sender& s) { s.part(); }), QString());
    // Carol's record goes out before the game's end.
    QCOMPARE(bob->opcodes(), (QList<Opcode>{Opcode::User, Opcode::EndGame}));
    QVERIFY(isRecord(bob->last(Opcode::User), QStringLiteral("carol"), 0, 0));
    QCOMPARE(bob->last(Opcode::EndGame).getInt(1), game);
    QCOMPARE(d.games.count(), 0);
}

void TestServerParts::movingBetweenGamesAndSeats()
{
    Directory d;
    RecordingPeer* alice = d.user(QStringLiteral("alice"));
    RecordingPeer* bob = d.user(QStringLiteral("bob"));
    RecordingPeer* carol = d.user(QStringLiteral("carol"));
    const int first = d.create(alice);
    const int second = d.create(bob, {.sameLevel = true});
    QVERIFY(first > 0 && second > first);

    // Joining another game leaves the first.
    QCOMPARE(d.ask(carol, [&](Sender& s) { s.join(first); }), QString());
    QVERIFY(carol->opcodes().contains(Opcode::EndMap));
    QCOMPARE(d.ask(carol, [&](Sender& s) { s.join(second); }), QString());
    QVERIFY(isRecord(carol->last(Opcode::User), QStringLiteral("carol"), second, 0));
    QCOMPARE(alice->last(Opcode::EndPlayer).getInt(1), 1);

    // A watcher sits down, and the operator steps back to watching: his seat
    // goes, and the game passes to the player who is left.
    QCOMPARE(d.ask(alice, [&](Sender& s) { s.watch(second); }), QString());
    QVERIFY(isRecord(alice->last(Opcode::User), QStringLiteral("alice"), 0, second));
    // The empty first game ended on the way.
    QCOMPARE(carol->last(Opcode::EndGame).getInt(1), first);
    QCOMPARE(d.ask(alice, [&](Sender& s) { s.join(second); }), QString());
    QCOMPARE(pairOf(bob->last(Opcode::Game), 4), std::pair(3, 3));
    QVERIFY(isRecord(alice->last(Opcode::User), QStringLiteral("alice"), second, 0));
    QCOMPARE(d.ask(bob, [&](Sender& s) { s.watch(second); }), QString());
    QCOMPARE(carol->last(Opcode::EndPlayer).getInt(1), 0);
    QCOMPARE(testutil::text(carol->last(Opcode::Game), 2), QStringLiteral("carol"));
    QVERIFY(isRecord(bob->last(Opcode::User), QStringLiteral("bob"), 0, second));
    // A game for one level takes no player of another.
    RecordingPeer* expert = d.user(QStringLiteral("expert"), 2);
    QCOMPARE(d.ask(expert, [&](Sender& s) { s.join(second); }),
             QStringLiteral("level differs from the operator's"));
    QVERIFY(expert->messages(Opcode::Player).isEmpty());
    QCOMPARE(d.games.count(), 1);
}

void TestServerParts::lobbyChatReachesExactlyTheRightUsers()
{
    Lobby lobby{ServerOptions{}};
    RecordingPeer alice(QStringLiteral("Alice"), true), bob(QStringLiteral("bob"), true),
        carol(QStringLiteral("carol")), dave(QStringLiteral("dave"));
    const QList<RecordingPeer*> all = {&alice, &bob, &carol, &dave};
    for (RecordingPeer* user : all)
        lobby.add(user);
    GameRoom room(1, 1, QStringLiteral("Map"), QStringLiteral("Alice"), GameOptions{});
    room.seatHuman(&alice, alice.nickname());
    alice.setGame(&room, false);
    room.addObserver(&carol);
    carol.setGame(&room, true);

    const auto request = [](Opcode opcode, const QStringList& texts) {
        Message m = Protocol::message(opcode);
        for (const QString& text : texts)
            m.addString(text.toLatin1().constData());
        return m;
    };
    QCOMPARE(lobby.chat(bob, request(Opcode::GlobalChat, {QStringLiteral("hello all")}), 0),
             QString());
    QCOMPARE(lobby.chat(alice, request(Opcode::GameChat, {QStringLiteral("game line")}), 0),
             QString());
    QCOMPARE(lobby.chat(alice, request(Opcode::MembersChat, {QStringLiteral("members")}), 0),
             QString());
    QCOMPARE(lobby.chat(carol, request(Opcode::MembersChat, {QStringLiteral("no member")}), 0),
             QStringLiteral("not a member"));
    QCOMPARE(
        lobby.whisper(
            alice, request(Opcode::Whisper, {QStringLiteral("DAVE"), QStringLiteral("psst")}), 0),
        QString());
    const QStringList none;
    for (const RecordingPeer* c : all) {
        QCOMPARE(c->lines(Opcode::GlobalChat), QStringList{QStringLiteral("bob: hello all")});
        QCOMPARE(c->lines(Opcode::GameChat), c == &alice || c == &carol
                                                 ? QStringList{QStringLiteral("Alice: game line")}
                                                 : none);
        QCOMPARE(c->lines(Opcode::MembersChat),
                 c == &alice || c == &bob ? QStringList{QStringLiteral("Alice: members")} : none);
        QCOMPARE(c->lines(Opcode::Whisper),
                 c == &dave ? QStringList{QStringLiteral("Alice: psst")} : none);
    }

    // Nobody whispers into or out of a game that forbids it.
    GameRoom quiet(2, 1, QStringLiteral("Map"), QStringLiteral("bob"), {.noWhispering = true});
    quiet.seatHuman(&bob, bob.nickname());
    bob.setGame(&quiet, false);
    for (auto [from, to] : {std::pair(&carol, &bob), std::pair(&bob, &carol)})
        QCOMPARE(lobby.whisper(*from,
                               request(Opcode::Whisper, {to->nickname(), QStringLiteral("x")}), 0),
                 QStringLiteral("game 2 does not allow whispering"));
    QCOMPARE(lobby.whisper(
                 dave, request(Opcode::Whisper, {QStringLiteral("eve"), QStringLiteral("x")}), 0),
             QStringLiteral("no such user"));

    // A user who leaves is gone for everyone.
    lobby.remove(&dave);
    QVERIFY(!lobby.find(QStringLiteral("dave")));
    QCOMPARE(lobby.find(QStringLiteral("ALICE")), &alice);
    for (const RecordingPeer* c : {&alice, &bob, &carol})
        QCOMPARE(c->lines(Opcode::EndUser), QStringList{QStringLiteral("dave")});
}

void TestServerParts::ratingsAfterAGame_data()
{
    QTest::addColumn<std::vector<int>>("before");
    QTest::addColumn<int>("winner");
    QTest::addColumn<std::vector<int>>("after");
    QTest::addRow("equals") << std::vector{1500, 1500} << 1 << std::vector{1484, 1516};
    QTest::addRow("each loser pays")
        << std::vector{1500, 1500, 1500} << 0 << std::vector{1532, 1484, 1484};
    QTest::addRow("the weaker wins") << std::vector{1500, 1900} << 0 << std::vector{1529, 1871};
    QTest::addRow("the stronger wins") << std::vector{1500, 1900} << 1 << std::vector{1497, 1903};
    QTest::addRow("never below 1") << std::vector{10, 1} << 0 << std::vector{26, 1};
    QTest::addRow("nobody won") << std::vector{1500, 1700} << -1 << std::vector{1500, 1700};
}

void TestServerParts::ratingsAfterAGame()
{
    QFETCH(std::vector<int>, before);
    QFETCH(int, winner);
    QFETCH(std::vector<int>, after);
    QCOMPARE(ratingsAfter(before, winner), after);
}

void TestServerParts::passwordHashes()
{
    const PasswordHasher fast(PasswordHasher::Cost::Minimum);
    const QByteArray hash = fast.hash("correct horse");
    QVERIFY(hash.startsWith("$argon2id$"));
    QVERIFY(fast.verify(hash, "correct horse"));
    QVERIFY(!fast.verify(hash, "correct hors"));
    for (const char* damaged : {"", "not a hash"})
        QVERIFY(!fast.verify(damaged, "correct horse"));
    // A random salt: the same password hashes differently each time.
    QVERIFY(fast.hash("correct horse") != hash);
    // The server's own setting wants such hashes upgraded; its hashes verify
    // under any setting.
    const PasswordHasher strict;
    QVERIFY(strict.needsRehash(hash));
    QVERIFY(!fast.needsRehash(hash));
    QVERIFY(strict.verify(hash, "correct horse"));
}

void TestServerParts::nicknameRules_data()
{
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<bool>("valid");
    QTest::addRow("sixteen") << "abcdefghij-_1234" << true;
    QTest::addRow("one letter") << "a" << false;
    QTest::addRow("seventeen") << "abcdefghij-_12345" << false;
    QTest::addRow("latin-1 letter") << QString::fromLatin1("j\xf6rg") << false;
}

void TestServerParts::nicknameRules()
{
    QFETCH(QString, nickname);
    QFETCH(bool, valid);
    QCOMPARE(Server::isValidNickname(nickname), valid);
}

void TestServerParts::schemaVersions()
{
    QTemporaryDir dir;
    const QString newer = dir.filePath(QStringLiteral("newer.db"));
    QVERIFY(writeFirstSchemaFile(
        newer, {QStringLiteral("PRAGMA user_version = %1").arg(SqliteStorage::SchemaVersion + 1)}));
    QString error;
    QVERIFY(!SqliteStorage().open(newer, &error));
    QVERIFY(error.contains(QStringLiteral("newer")));

    const QString path = dir.filePath(QStringLiteral("first.db"));
    QVERIFY(writeFirstSchemaFile(path));
    {
        SqliteStorage db;
        QVERIFY2(db.open(path, &error), qPrintable(error));
        // What the first server stored is all there.
        const std::optional<Account> alice = db.findAccount(QStringLiteral("ALICE"));
        QVERIFY(alice);
        QCOMPARE(std::pair(alice->nickname, alice->rating),
                 std::pair(QStringLiteral("alice"), 1500));
        QCOMPARE(alice->contact.value(7), QStringLiteral("alice@example.org"));
        QVERIFY(
            PasswordHasher(PasswordHasher::Cost::Minimum).verify(alice->passwordHash, "secret"));
        QCOMPARE(db.masks(alice->id).size(), 1);
        QCOMPARE(db.mapSlots(alice->id), (QList<int>{0, 0, 1, 0, 0}));

        // And what the new schema adds works: results, ratings, robots, and
        // uploaded maps still numbered after the default ones.
        GameResult result;
        result.gameId = 3;
        result.mapId = 1;
        result.seats = QStringLiteral("alice:human,Anvil:robot");
        QVERIFY(db.storeResult(result));
        QVERIFY(db.setRating(alice->id, 1516, 1));
        QVERIFY(
            db.storeRobotRating({QStringLiteral("Anvil"), QStringLiteral("server"), 1484, 1, 3}));
        QCOMPARE(db.storeMapInSlot(alice->id, 0, testutil::shippedMap(QStringLiteral("3-africa")),
                                   1 << 20)
                     .mapId,
                 SqliteStorage::FirstUploadedMapId);
    }
    QCOMPARE(fileSchema(path).value(0), QString::number(SqliteStorage::SchemaVersion));

    // Opened again, the file is current and keeps the new rows.
    SqliteStorage db;
    QVERIFY2(db.open(path, &error), qPrintable(error));
    QCOMPARE(db.resultCount(), 1);
    QCOMPARE(db.findAccount(QStringLiteral("alice"))->rating, 1516);
    QList<RobotInfo> robots{{QStringLiteral("Anvil"), QStringLiteral("server"), 1500, 0, 3},
                            {QStringLiteral("Ember"), QStringLiteral("server"), 1500, 0, 1}};
    db.loadRobotRatings(robots);
    QCOMPARE(std::pair(robots[0].rating, robots[0].games), std::pair(1484, 1));
    QCOMPARE(std::pair(robots[1].rating, robots[1].games), std::pair(1500, 0));
}

void TestServerParts::failedMigrationLeavesTheFileAsItWas()
{
    // A table in the way of the second version's makes its step fail.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("first.db"));
    QVERIFY(writeFirstSchemaFile(path, {QStringLiteral("CREATE TABLE results (x INTEGER)")}));
    const QStringList before = fileSchema(path);
    QCOMPARE(before.value(0), QStringLiteral("1"));
    for (int attempt = 0; attempt < 2; ++attempt) {
        QString error;
        QVERIFY(!SqliteStorage().open(path, &error));
        QCOMPARE(fileSchema(path), before);
    }
}

QTEST_GUILESS_MAIN(TestServerParts)
#include "tst_serverparts.moc"
