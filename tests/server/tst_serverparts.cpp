#include "clientsession.h"
#include "database.h"
#include "gameroom.h"
#include "mapdata.h"
#include "mapstore.h"
#include "maptransfer.h"
#include "passwordhasher.h"
#include "server.h"
#include "testmaps.h"

#include "message.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <limits>
#include <memory>
#include <vector>

namespace {

// A file as the first server wrote it (its own schema and a dump of what it
// stored): two accounts registered with the minimum hashing cost and the
// password "secret", alice's masks, and a default map in one of her slots.
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
    "INSERT INTO accounts VALUES(2,'bob','$argon2id$v=19$m=8,t=1,p=1$4HmN0GFOwFK2rb++UDB9bw$"
    "ZL6hqVGGw363r2NII87yxRCMCMfdYTz63jw37untcg0','Doe','Jane','Main St 1','1234','Town',"
    "'State','Land','bob@example.org',1500,0,1,0,0,0,'','2026-12-06 19:58:36')",
    "CREATE TABLE masks ( account_id INTEGER NOT NULL REFERENCES accounts(id) ON DELETE"
    " CASCADE, kind TEXT NOT NULL CHECK (kind IN ('friend', 'enemy')), pattern TEXT NOT NULL"
    " COLLATE NOCASE, PRIMARY KEY (account_id, kind, pattern))",
    "INSERT INTO masks VALUES(1,'friend','b*')",
    "INSERT INTO masks VALUES(1,'enemy','mallory')",
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
    bool ok = true;
    {
        QSqlDatabase raw =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("first"));
        raw.setDatabaseName(path);
        ok = raw.open();
        QSqlQuery q(raw);
        for (const char* sql : FirstSchemaFile)
            ok = ok && q.exec(QString::fromLatin1(sql));
        for (const QString& sql : extra)
            ok = ok && q.exec(sql);
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("first"));
    return ok;
}

// The file's schema version and its tables, read past the server.
std::pair<int, QStringList> fileSchema(const QString& path)
{
    std::pair<int, QStringList> result{-1, {}};
    {
        QSqlDatabase raw =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        raw.setDatabaseName(path);
        if (raw.open()) {
            QSqlQuery q(raw);
            if (q.exec(QStringLiteral("PRAGMA user_version")) && q.next())
                result.first = q.value(0).toInt();
            q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"
                                  " ORDER BY name"));
            while (q.next())
                result.second.append(q.value(0).toString());
            raw.close();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return result;
}

// A fresh database in a temporary directory with one account, alice's.
struct AliceDatabase
{
    AliceDatabase()
    {
        QString error;
        if (!db.open(dir.filePath(QStringLiteral("server.db")), &error))
            qWarning() << "cannot open the database:" << error;
        Account a;
        a.nickname = QStringLiteral("alice");
        a.passwordHash = "h";
        if (const std::optional<Account> created = db.createAccount(a))
            alice = created->id;
    }

    QTemporaryDir dir;
    Database db;
    qint64 alice = 0;
};

} // namespace

// The server's pieces on their own: map validation and transfer, the game
// room's seat rules, password hashing and the database.
class TestServerParts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void mapValidation_data();
    void mapValidation();
    void mapTransferOrder();
    void mapJsonRoundTrip();
    void mapJsonRefusesNonIntegers_data();
    void mapJsonRefusesNonIntegers();

    void seatRules_data();
    void seatRules();
    void successorPrefersPlayers();

    void passwordHashes();

    void nicknameRules_data();
    void nicknameRules();

    void accountsAreUniqueWithoutRegardToCase();
    void masksAreUniqueAndCapped();
    void storedMapsComeBackWhole();
    void mapQuotaCountsTheOtherSlots();
    void mapCacheKeepsTheRecentUploads();
    void newerSchemaIsRefused();
    void firstSchemaIsMigrated();
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
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");

    QTest::newRow("valid") << "" << QStringLiteral("");
    QTest::newRow("unknown picture") << "picture" << QStringLiteral("unknown picture");
    QTest::newRow("empty name") << "name" << QStringLiteral("map name");
    QTest::newRow("no countries") << "nocountries" << QStringLiteral("countries");
    QTest::newRow("duplicate continent") << "dupcontinent" << QStringLiteral("declared twice");
    QTest::newRow("duplicate country") << "dupcountry" << QStringLiteral("declared twice");
    QTest::newRow("country number zero") << "zero" << QStringLiteral("not positive");
    QTest::newRow("unknown continent") << "continent" << QStringLiteral("no continent");
    QTest::newRow("label outside") << "label" << QStringLiteral("label outside");
    QTest::newRow("negative area") << "negarea" << QStringLiteral("area outside");
    QTest::newRow("area past the edge") << "area" << QStringLiteral("area outside");
    QTest::newRow("area wide enough to wrap") << "widearea" << QStringLiteral("area outside");
    QTest::newRow("area tall enough to wrap") << "tallarea" << QStringLiteral("area outside");
    QTest::newRow("self neighbour") << "selfneighbour" << QStringLiteral("names no two");
    QTest::newRow("unknown neighbour") << "neighbour" << QStringLiteral("names no two");
    QTest::newRow("line outside") << "line" << QStringLiteral("line outside");
    QTest::newRow("too many lines") << "lines" << QStringLiteral("too many");
    QTest::newRow("index one word short") << "short" << QStringLiteral("instead of");
    QTest::newRow("index one word long") << "long" << QStringLiteral("gzip stream of at most");
    QTest::newRow("index not gzip") << "garbage" << QStringLiteral("gzip");
    QTest::newRow("index padded with junk") << "padded" << QStringLiteral("gzip");
    QTest::newRow("index in two members") << "twomembers" << QStringLiteral("gzip");
    QTest::newRow("index empty") << "empty" << QStringLiteral("gzip");
    QTest::newRow("undeclared country") << "undeclared" << QStringLiteral("undeclared country 4");
    QTest::newRow("unknown negative value") << "minus3" << QStringLiteral("undeclared country -3");
}

void TestServerParts::mapValidation()
{
    QFETCH(QString, fault);
    QFETCH(QString, reason);

    MapData map = testmaps::bandMap(1, QStringLiteral("Bands"), 3);
    QByteArray raw = testmaps::bandIndex(3);
    if (fault == QStringLiteral("picture"))
        map.picture = QStringLiteral("mars");
    else if (fault == QStringLiteral("name"))
        map.name = QStringLiteral("  ");
    else if (fault == QStringLiteral("nocountries"))
        map.countries.clear();
    else if (fault == QStringLiteral("dupcontinent"))
        map.continents.append(map.continents.first());
    else if (fault == QStringLiteral("dupcountry"))
        map.countries.append(map.countries.first());
    else if (fault == QStringLiteral("zero"))
        map.countries[0].number = 0;
    else if (fault == QStringLiteral("continent"))
        map.countries[2].continent = 3;
    else if (fault == QStringLiteral("label"))
        map.countries[0].labelY = 400;
    else if (fault == QStringLiteral("negarea"))
        map.countries[0].areaHeight = -1;
    else if (fault == QStringLiteral("area"))
        map.countries[2].areaWidth += 1;
    else if (fault == QStringLiteral("widearea")) {
        map.countries[0].areaX = 700;
        map.countries[0].areaWidth = std::numeric_limits<int>::max();
    } else if (fault == QStringLiteral("tallarea")) {
        map.countries[0].areaY = 300;
        map.countries[0].areaHeight = std::numeric_limits<int>::max();
    } else if (fault == QStringLiteral("selfneighbour"))
        map.neighbours.append({2, 2});
    else if (fault == QStringLiteral("neighbour"))
        map.neighbours.append({2, 4});
    else if (fault == QStringLiteral("line"))
        map.lines.append({0, 0, 100000, 5});
    else if (fault == QStringLiteral("lines"))
        map.lines.resize(MapData::MaxLines + 1, {1, 1, 2, 2});
    else if (fault == QStringLiteral("short"))
        map.index = testmaps::gzip(raw.left(raw.size() - 4));
    else if (fault == QStringLiteral("long"))
        map.index = testmaps::gzip(raw + QByteArray(4, '\0'));
    else if (fault == QStringLiteral("garbage"))
        map.index = raw.left(200);
    else if (fault == QStringLiteral("padded"))
        map.index = testmaps::gzip(raw) + QByteArray(1024 * 1024, 'j');
    else if (fault == QStringLiteral("twomembers"))
        map.index = testmaps::gzip(raw.left(4000)) + testmaps::gzip(raw.mid(4000));
    else if (fault == QStringLiteral("empty"))
        map.index.clear();
    else if (fault == QStringLiteral("undeclared"))
        map.index = testmaps::gzip(testmaps::bandIndex(4));
    else if (fault == QStringLiteral("minus3")) {
        qToBigEndian<qint32>(-3, raw.data() + 4 * 1000);
        map.index = testmaps::gzip(raw);
    }

    const QString result = map.validate();
    if (reason.isEmpty())
        QVERIFY2(result.isEmpty(), qPrintable(result));
    else
        QVERIFY2(result.contains(reason), qPrintable(result));
}

void TestServerParts::mapTransferOrder()
{
    const MapData map = testmaps::bandMap(7, QStringLiteral("Bands"), 3);
    const QByteArray bytes = mapTransfer(map);
    QList<Message> messages;
    Message m;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    int pos = 0;
    while (pos < bytes.size()) {
        const int used = m.feed(data + pos, int(bytes.size() - pos));
        QVERIFY(used > 0);
        pos += used;
        if (m.isComplete()) {
            messages.append(m);
            m.clear();
        }
    }
    QList<Opcode> opcodes;
    for (const Message& msg : messages)
        opcodes.append(Opcode(Protocol::opcodeOf(msg)));
    QCOMPARE(opcodes, (QList<Opcode>{Opcode::StartMap, Opcode::ContinentMap, Opcode::ContinentMap,
                                     Opcode::CountryMap, Opcode::CountryMap, Opcode::CountryMap,
                                     Opcode::NeighbourMap, Opcode::NeighbourMap, Opcode::LineMap,
                                     Opcode::EndMap}));

    const Message& start = messages[0];
    QCOMPARE(start.getInt(1), 7);
    QCOMPARE(QString::fromLatin1(start.getString(2)), QStringLiteral("Bands"));
    QCOMPARE(QString::fromLatin1(start.getString(3)), QStringLiteral("europe"));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(start.getBytes(4)), start.fieldLength(4)),
             map.index);
    const Message& country = messages[5];
    const MapCountry& c = map.countries[2];
    const QList<int> fields = {c.number, -1,      c.continent, c.labelX,    c.labelY,
                               c.areaX,  c.areaY, c.areaWidth, c.areaHeight};
    for (int i = 0; i < fields.size(); ++i) {
        if (i != 1)
            QCOMPARE(country.getInt(i + 1), fields[i]);
    }
    QCOMPARE(QString::fromLatin1(country.getString(2)), c.name);
    QCOMPARE(messages[9].count(), 1);
}

void TestServerParts::mapJsonRoundTrip()
{
    const MapData map = testmaps::bandMap(3, QStringLiteral("Bands"), 4);
    QString error;
    const std::optional<MapData> back = MapData::fromJson(map.toJson(), &error);
    QVERIFY2(back, qPrintable(error));
    QCOMPARE(back->id, 3);
    QCOMPARE(back->picture, map.picture);
    QCOMPARE(back->continents.size(), map.continents.size());
    QCOMPARE(back->countries.size(), 4);
    QCOMPARE(back->countries[3].areaWidth, map.countries[3].areaWidth);
    QCOMPARE(back->countries[1].labelX, map.countries[1].labelX);
    QCOMPARE(back->neighbours, map.neighbours);
    QCOMPARE(back->lines, map.lines);
}

void TestServerParts::mapJsonRefusesNonIntegers_data()
{
    QTest::addColumn<double>("labelX");
    QTest::newRow("fraction") << 10.5;
    QTest::newRow("past the largest int") << 2147483648.0;
    QTest::newRow("below the smallest int") << -2147483649.0;
    QTest::newRow("far beyond") << 1e300;
}

void TestServerParts::mapJsonRefusesNonIntegers()
{
    QFETCH(double, labelX);
    QJsonObject json = testmaps::bandMap(3, QStringLiteral("Bands"), 2).toJson();
    QJsonArray countries = json.value(QStringLiteral("countries")).toArray();
    QJsonObject first = countries[0].toObject();
    first[QStringLiteral("label")] = QJsonArray{labelX, 20};
    countries[0] = first;
    json[QStringLiteral("countries")] = countries;
    QString error;
    QVERIFY(!MapData::fromJson(json, &error));
    QVERIFY(!error.isEmpty());

    // The extremes themselves are integers like any other.
    first[QStringLiteral("label")] = QJsonArray{2147483647.0, -2147483648.0};
    countries[0] = first;
    json[QStringLiteral("countries")] = countries;
    const std::optional<MapData> extremes = MapData::fromJson(json, &error);
    QVERIFY2(extremes, qPrintable(error));
    QCOMPARE(extremes->countries[0].labelX, std::numeric_limits<int>::max());
    QCOMPARE(extremes->countries[0].labelY, std::numeric_limits<int>::min());
}

void TestServerParts::seatRules_data()
{
    QTest::addColumn<bool>("noRobots");
    QTest::addColumn<int>("minHumans");
    QTest::addColumn<int>("humans");
    QTest::addColumn<int>("robots");
    QTest::addColumn<bool>("canAddRobot");
    QTest::addColumn<bool>("canStart");

    QTest::newRow("alone") << false << 1 << 1 << 0 << true << false;
    QTest::newRow("two humans") << false << 2 << 2 << 0 << true << true;
    QTest::newRow("one human one robot") << false << 1 << 1 << 1 << true << true;
    QTest::newRow("too few humans") << false << 3 << 2 << 1 << true << false;
    QTest::newRow("robot cap reached") << false << 4 << 1 << 2 << false << false;
    QTest::newRow("robots forbidden") << true << 1 << 1 << 0 << false << false;
    QTest::newRow("full") << false << 1 << 3 << 3 << false << true;
    QTest::newRow("five robots") << false << 1 << 1 << 5 << false << true;
}

void TestServerParts::seatRules()
{
    QFETCH(bool, noRobots);
    QFETCH(int, minHumans);
    QFETCH(int, humans);
    QFETCH(int, robots);
    QFETCH(bool, canAddRobot);
    QFETCH(bool, canStart);

    GameOptions o;
    o.noRobots = noRobots;
    o.minHumans = minHumans;
    GameRoom room(1, 1, QStringLiteral("Map"), QStringLiteral("me"), o);
    // Seating reads the session's account, so each human gets a session of
    // its own; its socket never connects.
    const ServerOptions options;
    std::vector<std::unique_ptr<ClientSession>> sessions;
    for (int i = 0; i < humans; ++i) {
        sessions.push_back(std::make_unique<ClientSession>(new QTcpSocket, options));
        QCOMPARE(room.seatHuman(sessions.back().get(), QStringLiteral("p%1").arg(i)), i);
    }
    for (int i = 0; i < robots; ++i)
        QCOMPARE(room.seatRobot(QStringLiteral("r%1").arg(i)), humans + i);
    QCOMPARE(room.canAddRobot(), canAddRobot);
    QCOMPARE(room.canStart(), canStart);
    QCOMPARE(room.players(), humans + robots);
    QCOMPARE(room.clients(), humans);
    if (humans + robots == GameRoom::SeatCount)
        QCOMPARE(room.seatRobot(QStringLiteral("extra")), -1);
}

void TestServerParts::successorPrefersPlayers()
{
    GameRoom room(1, 1, QStringLiteral("Map"), QStringLiteral("me"), GameOptions{});
    const ServerOptions options;
    ClientSession a(new QTcpSocket, options), b(new QTcpSocket, options),
        c(new QTcpSocket, options);
    ClientSession* first = &a;
    ClientSession* second = &b;
    ClientSession* watcher = &c;
    room.seatHuman(first, QStringLiteral("first"));
    room.seatHuman(second, QStringLiteral("second"));
    room.addObserver(watcher);
    QCOMPARE(room.successor(), first);
    room.freeSeat(0);
    QCOMPARE(room.successor(), second);
    QCOMPARE(room.seatHuman(first, QStringLiteral("first")), 0);
    room.freeSeat(0);
    room.freeSeat(1);
    QCOMPARE(room.successor(), watcher);
    QVERIFY(!room.isEmpty());
    room.removeObserver(watcher);
    QVERIFY(room.isEmpty());
    QCOMPARE(room.successor(), nullptr);
}

void TestServerParts::passwordHashes()
{
    const PasswordHasher fast(PasswordHasher::Cost::Minimum);
    QVERIFY(fast.isUsable());
    const QByteArray hash = fast.hash("correct horse");
    QVERIFY(hash.startsWith("$argon2id$"));
    QVERIFY(!hash.contains("correct horse"));
    QVERIFY(fast.verify(hash, "correct horse"));
    QVERIFY(!fast.verify(hash, "correct hors"));
    QVERIFY(!fast.verify(hash, ""));
    QVERIFY(!fast.verify("", "correct horse"));
    QVERIFY(!fast.verify("not a hash", "correct horse"));
    // The same password hashes differently each time (random salt).
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
    QTest::newRow("two letters") << "ab" << true;
    QTest::newRow("sixteen") << "abcdefghij-_1234" << true;
    QTest::newRow("one letter") << "a" << false;
    QTest::newRow("seventeen") << "abcdefghij-_12345" << false;
    QTest::newRow("space") << "a b" << false;
    QTest::newRow("at sign") << "a@b" << false;
    QTest::newRow("latin-1 letter") << QString::fromLatin1("j\xf6rg") << false;
    QTest::newRow("empty") << "" << false;
}

void TestServerParts::nicknameRules()
{
    QFETCH(QString, nickname);
    QFETCH(bool, valid);
    QCOMPARE(Server::isValidNickname(nickname), valid);
}

void TestServerParts::accountsAreUniqueWithoutRegardToCase()
{
    QTemporaryDir dir;
    Database db;
    QString error;
    QVERIFY2(db.open(dir.filePath(QStringLiteral("a.db")), &error), qPrintable(error));
    Account a;
    a.nickname = QStringLiteral("Alice");
    a.passwordHash = "$argon2id$x";
    a.contact = {QStringLiteral("Doe"),  QStringLiteral("Alice"),        QStringLiteral("1 Road"),
                 QStringLiteral("123"),  QStringLiteral("Town"),         QStringLiteral("State"),
                 QStringLiteral("Land"), QStringLiteral("a@example.org")};
    const std::optional<Account> created = db.createAccount(a);
    QVERIFY(created);
    QVERIFY(created->id > 0);
    a.nickname = QStringLiteral("ALICE");
    QVERIFY(!db.createAccount(a));

    const std::optional<Account> found = db.findAccount(QStringLiteral("alice"));
    QVERIFY(found);
    QCOMPARE(found->nickname, QStringLiteral("Alice"));
    QCOMPARE(found->rating, 1500);
    QCOMPARE(found->games, 0);
    QCOMPARE(found->level, 1);
    QCOMPARE(found->contact.value(7), QStringLiteral("a@example.org"));
    QVERIFY(!found->banned && !found->member && !found->admin);

    QVERIFY(db.setFlags(found->id, true, false, true));
    QVERIFY(db.findAccount(QStringLiteral("Alice"))->banned);
    QVERIFY(!db.setFlags(9999, true, true, true));
}

void TestServerParts::masksAreUniqueAndCapped()
{
    AliceDatabase fixture;
    Database& db = fixture.db;
    const qint64 id = fixture.alice;
    QVERIFY(id);

    QVERIFY(db.addMask(id, QStringLiteral("bob@*"), QStringLiteral("friend")));
    QVERIFY(!db.addMask(id, QStringLiteral("BOB@*"), QStringLiteral("friend")));
    QVERIFY(db.addMask(id, QStringLiteral("bob@*"), QStringLiteral("enemy")));
    QVERIFY(!db.addMask(id, QStringLiteral("x"), QStringLiteral("stranger")));
    QCOMPARE(db.masks(id).size(), 2);
    QVERIFY(db.removeMask(id, QStringLiteral("Bob@*"), QStringLiteral("enemy")));
    QVERIFY(!db.removeMask(id, QStringLiteral("bob@*"), QStringLiteral("enemy")));
    QCOMPARE(db.masks(id).size(), 1);

    for (int i = 1; i < Database::MaxMasksPerAccount; ++i)
        QVERIFY(db.addMask(id, QStringLiteral("m%1").arg(i), QStringLiteral("enemy")));
    QVERIFY(!db.addMask(id, QStringLiteral("one too many"), QStringLiteral("enemy")));
    QCOMPARE(db.masks(id).size(), Database::MaxMasksPerAccount);
}

void TestServerParts::storedMapsComeBackWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("maps.db"));
    qint64 account = 0;
    int first = 0;
    int second = 0;
    const MapData map = testmaps::bandMap(0, QStringLiteral("Bands"), 5);
    constexpr qint64 Plenty = 1 << 20;
    {
        Database db;
        QString error;
        QVERIFY(db.open(path, &error));
        Account a;
        a.nickname = QStringLiteral("alice");
        a.passwordHash = "h";
        account = db.createAccount(a)->id;
        first = db.storeMapInSlot(account, 3, map, Plenty).mapId;
        second = db.storeMapInSlot(account, 3, map, Plenty).mapId;
        QCOMPARE(first, Database::FirstUploadedMapId);
        QCOMPARE(second, first + 1);
        QCOMPARE(db.storeMapInSlot(account, 5, map, Plenty).mapId, 0);
        QCOMPARE(db.storeMapInSlot(account, -1, map, Plenty).mapId, 0);
        QVERIFY(db.setSlot(account, 0, 1));
        QVERIFY(!db.setSlot(account, 5, 1));
    }
    Database db;
    QString error;
    QVERIFY(db.open(path, &error));
    QCOMPARE(db.mapSlots(account), (QList<int>{1, 0, 0, second, 0}));
    const std::optional<MapData> back = db.loadMap(first);
    QVERIFY(back);
    QCOMPARE(back->id, first);
    QCOMPARE(back->index, map.index);
    QCOMPARE(back->countries.size(), 5);
    QCOMPARE(back->name, QStringLiteral("Bands"));
    QVERIFY(back->validate().isEmpty());
    QVERIFY(!db.loadMap(second + 1));

    // The replaced map goes once no slot holds it; a default map never does.
    QVERIFY(db.setSlot(account, 1, first));
    QVERIFY(!db.removeMapIfUnused(first));
    QVERIFY(db.setSlot(account, 1, 0));
    QVERIFY(!db.removeMapIfUnused(1));
    QVERIFY(db.removeMapIfUnused(first));
    QVERIFY(!db.loadMap(first));
    QVERIFY(db.loadMap(second));
    QCOMPARE(db.removeUnusedMaps(), 0);
    QVERIFY(db.setSlot(account, 3, 0));
    QCOMPARE(db.removeUnusedMaps(), 1);
    QVERIFY(!db.loadMap(second));
}

void TestServerParts::mapQuotaCountsTheOtherSlots()
{
    AliceDatabase fixture;
    Database& db = fixture.db;
    const qint64 account = fixture.alice;
    QVERIFY(account);
    const MapData map = testmaps::bandMap(0, QStringLiteral("Bands"), 5);

    // Room for two maps of this size.
    const qint64 one =
        map.index.size() + QJsonDocument(map.toJson()).toJson(QJsonDocument::Compact).size();
    const qint64 quota = 2 * one;

    QVERIFY(db.storeMapInSlot(account, 0, map, quota).mapId > 0);
    QVERIFY(db.storeMapInSlot(account, 1, map, quota).mapId > 0);
    const Database::StoredSlot third = db.storeMapInSlot(account, 2, map, quota);
    QCOMPARE(third.mapId, 0);
    QVERIFY(third.overQuota);
    QCOMPARE(db.mapSlots(account)[2], 0);
    // Replacing a full slot does not count the map it replaces.
    const Database::StoredSlot replaced = db.storeMapInSlot(account, 1, map, quota);
    QVERIFY(replaced.mapId > 0);
    QVERIFY(!replaced.overQuota);
    QVERIFY(!db.storeMapInSlot(account, 1, map, quota - 1).mapId);
}

void TestServerParts::mapCacheKeepsTheRecentUploads()
{
    AliceDatabase fixture;
    Database& db = fixture.db;
    const qint64 account = fixture.alice;
    QVERIFY(account);
    MapStore store(db);
    QList<int> ids;
    for (int i = 0; i < MapStore::CachedUploads + 8; ++i) {
        MapData map = testmaps::bandMap(0, QStringLiteral("Map %1").arg(i), 3);
        map.id = db.storeMapInSlot(account, i % Database::SlotCount, map, 1 << 30).mapId;
        QVERIFY(map.id > 0);
        ids.append(map.id);
        QVERIFY(store.add(map));
        // The first map is used all along, so it is never the one to go.
        QVERIFY(store.find(ids.first()));
    }
    QCOMPARE(store.cachedUploads(), MapStore::CachedUploads);
    // An evicted map comes back from the database whole.
    const MapStore::Entry* evicted = store.find(ids[1]);
    QVERIFY(evicted);
    QCOMPARE(evicted->map.name, QStringLiteral("Map 1"));
    QCOMPARE(store.cachedUploads(), MapStore::CachedUploads);

    QVERIFY(db.setSlot(account, 1, 0));
    QVERIFY(db.removeMapIfUnused(ids[1]));
    store.forget(ids[1]);
    QVERIFY(!store.find(ids[1]));
    QCOMPARE(store.cachedUploads(), MapStore::CachedUploads - 1);
}

void TestServerParts::newerSchemaIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("future.db"));
    {
        QSqlDatabase raw =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("future"));
        raw.setDatabaseName(path);
        QVERIFY(raw.open());
        QSqlQuery q(raw);
        QVERIFY(
            q.exec(QStringLiteral("PRAGMA user_version = %1").arg(Database::SchemaVersion + 1)));
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("future"));
    Database db;
    QString error;
    QVERIFY(!db.open(path, &error));
    QVERIFY(error.contains(QStringLiteral("newer")));
}

void TestServerParts::firstSchemaIsMigrated()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("first.db"));
    QVERIFY(writeFirstSchemaFile(path));
    {
        Database db;
        QString error;
        QVERIFY2(db.open(path, &error), qPrintable(error));

        // What the first server stored is all there.
        const std::optional<Account> alice = db.findAccount(QStringLiteral("ALICE"));
        QVERIFY(alice);
        QCOMPARE(alice->nickname, QStringLiteral("alice"));
        QCOMPARE(alice->rating, 1500);
        QCOMPARE(alice->contact.value(7), QStringLiteral("alice@example.org"));
        const PasswordHasher hasher(PasswordHasher::Cost::Minimum);
        QVERIFY(hasher.verify(alice->passwordHash, "secret"));
        QVERIFY(!hasher.verify(alice->passwordHash, "Secret"));
        QVERIFY(db.findAccount(QStringLiteral("bob")));
        const QList<StoredMask> masks = db.masks(alice->id);
        QCOMPARE(masks.size(), 2);
        QCOMPARE(db.mapSlots(alice->id), (QList<int>{0, 0, 1, 0, 0}));

        // And what the new schema adds works: results, ratings, robots, and
        // uploaded maps still numbered after the default ones.
        QCOMPARE(db.resultCount(), 0);
        GameResult result;
        result.gameId = 3;
        result.mapId = 1;
        result.mapName = QStringLiteral("World");
        result.seats = QStringLiteral("alice:human,Anvil:robot");
        result.winner = QStringLiteral("alice");
        result.turns = 40;
        result.rounds = 20;
        result.durationSeconds = 600;
        QVERIFY(db.storeResult(result));
        QCOMPARE(db.resultCount(), 1);
        QVERIFY(db.setRating(alice->id, 1516, 1));
        QVERIFY(
            db.storeRobotRating({QStringLiteral("Anvil"), QStringLiteral("server"), 1484, 1, 3}));
        QCOMPARE(db.storeMapInSlot(alice->id, 0, testmaps::bandMap(0, QStringLiteral("Bands"), 5),
                                   1 << 20)
                     .mapId,
                 Database::FirstUploadedMapId);
    }
    QCOMPARE(fileSchema(path).first, Database::SchemaVersion);

    // Opened again, the file is current and keeps the new rows.
    Database db;
    QString error;
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
    const std::pair<int, QStringList> before = fileSchema(path);
    QCOMPARE(before.first, 1);
    for (int attempt = 0; attempt < 2; ++attempt) {
        Database db;
        QString error;
        QVERIFY(!db.open(path, &error));
        QCOMPARE(fileSchema(path), before);
    }
}

QTEST_GUILESS_MAIN(TestServerParts)
#include "tst_serverparts.moc"
