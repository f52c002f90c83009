#include "armies.h"
#include "cardset.h"
#include "indexcodec.h"
#include "mapdata.h"
#include "seating.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {

// Two continents of two and one countries, and one without any.
MapData smallMap()
{
    MapData map;
    map.continents = {{1, QStringLiteral("North"), 5},
                      {2, QStringLiteral("Isle"), 2},
                      {3, QStringLiteral("Empty"), 7}};
    map.countries = {{1, {}, 1}, {2, {}, 1}, {3, {}, 2}};
    return map;
}

QByteArray gzipWords(int count, qint32 value)
{
    const std::vector<qint32> words(size_t(count), value);
    return IndexCodec::deflate(words.data(), count);
}

} // namespace

// The rules client and server share: the set rule, the armies of a turn, who
// may sit down and start, and reading a map folder with its bounded index.
class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void setRule();
    void armies();
    void seating();
    void inflateIsBounded();
    void readFolder_data();
    void readFolder();
};

// Three cards, 0 horseman, 1 cannon, 2 footman, 3 joker, in each order: a
// set is three alike, one of each, or any two with a joker; two jokers make a
// set only with a third.
void TestRules::setRule()
{
    for (const auto& [codes, isSet] :
         {std::pair("000", true), std::pair("012", true), std::pair("013", true),
          std::pair("003", true), std::pair("001", false), std::pair("033", false),
          std::pair("333", true)}) {
        QByteArray order(codes);
        do {
            QVERIFY2(Rules::isSet(order[0] - '0', order[1] - '0', order[2] - '0') == isSet,
                     order.constData());
        } while (std::next_permutation(order.begin(), order.end()));
    }
}

void TestRules::armies()
{
    // Countries held and the armies of the turn: a third, but at least three.
    for (const auto& [countries, armies] :
         {std::pair(0, 3), std::pair(11, 3), std::pair(12, 4), std::pair(42, 14)}) {
        QCOMPARE(Rules::decideArmies(countries), armies);
        QCOMPARE(Rules::reinforcements(countries, 0), armies);
        QCOMPARE(Rules::reinforcements(countries, 7), armies + 7);
    }

    // Owners of countries 1, 2 and 3, and seat 0's bonus; nobody holds the
    // continent without countries.
    const QList<std::pair<QList<int>, int>> bonuses = {
        {{0, 1, 1}, 0}, {{0, 0, 1}, 5}, {{-1, 2, 0}, 2}, {{0, 0, 0}, 7}};
    for (const auto& [owners, bonus] : bonuses) {
        const auto ownerOf = [&owners = owners](int country) {
            return owners.value(country - 1, -1);
        };
        QCOMPARE(Rules::continentBonus(smallMap(), ownerOf, 0), bonus);
        QCOMPARE(Rules::continentBonus(smallMap(), ownerOf, -1), 0);
    }
}

void TestRules::seating()
{
    // Running, robots forbidden, humans needed, players and robots; whether
    // a robot may sit down and whether the game may start.
    const QList<std::array<int, 7>> rows = {
        {0, 0, 1, 1, 0, 1, 0}, // alone
        {0, 0, 2, 2, 0, 1, 1}, // two humans
        {0, 1, 1, 2, 0, 0, 1}, // robots forbidden
        {0, 0, 1, 6, 2, 0, 1}, // full
        {0, 0, 2, 4, 4, 0, 0}, // robots at their limit
        {0, 0, 3, 3, 1, 1, 0}, // too few humans
        {1, 0, 1, 4, 0, 1, 0}, // running
    };
    for (const auto& [running, noRobots, minHumans, players, robots, robot, start] : rows) {
        QCOMPARE(Rules::canAddRobot(noRobots, minHumans, players, robots), bool(robot));
        QCOMPARE(Rules::canStart(running, minHumans, players, robots), bool(start));
    }
}

void TestRules::inflateIsBounded()
{
    // 64 MiB of zeros packs into about 64 KiB: a small block must not be
    // allowed to unpack into all of it.
    const QByteArray bomb = gzipWords(16 * 1024 * 1024, 0);
    QVERIFY(bomb.size() < 0x100000);
    QVERIFY(!IndexCodec::inflateBounded(bomb, 1248000));

    const QByteArray packed = gzipWords(300, 0x01020304);
    const qsizetype size = 300 * 4;
    const std::optional<QByteArray> exact = IndexCodec::inflateBounded(packed, size);
    QVERIFY(exact);
    QCOMPARE(exact->left(4), QByteArray("\x01\x02\x03\x04"));
    QCOMPARE(IndexCodec::inflateBounded(packed, size + 100), exact);
    QVERIFY(!IndexCodec::inflateBounded(packed, size - 1));
    QVERIFY(!IndexCodec::inflateBounded(packed.left(packed.size() - 9), size));
    QVERIFY(!IndexCodec::inflateBounded(QByteArray(), size));
    // Nothing may follow the one member: neither junk nor a second member.
    QVERIFY(!IndexCodec::inflateBounded(packed + 'x', size + 100));
    QVERIFY(!IndexCodec::inflateBounded(packed + gzipWords(1, 7), size + 100));

    // The board's inflate is lenient instead: it keeps what fits and what came.
    std::vector<qint32> words(100);
    QCOMPARE(IndexCodec::inflate(packed.constData(), int(packed.size()), words.data(), 100), 100);
    QCOMPARE(IndexCodec::inflate(packed.constData(), int(packed.size()) - 9, words.data(), 100),
             100);
}

void TestRules::readFolder_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QByteArray>("index");
    QTest::addColumn<bool>("read");

    const QByteArray good = QJsonDocument(smallMap().toJson()).toJson();
    QTest::newRow("map") << good << gzipWords(4, 1) << true;
    QTest::newRow("no index") << good << QByteArray() << false;
    QTest::newRow("oversized index") << good << QByteArray(0x100001, 'x') << false;
    QTest::newRow("not JSON") << QByteArray("[1,") << gzipWords(4, 1) << false;
    QTest::newRow("no id") << QByteArray("{ \"name\": \"x\" }") << gzipWords(4, 1) << false;
}

void TestRules::readFolder()
{
    QFETCH(QByteArray, json);
    QFETCH(QByteArray, index);
    QFETCH(bool, read);

    QTemporaryDir dir;
    for (const auto& [name, bytes] : {std::pair("map.json", json), std::pair("index.gz", index)}) {
        QFile file(dir.filePath(QLatin1String(name)));
        QVERIFY(bytes.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(bytes) > 0));
    }

    QString error;
    const std::optional<MapData> map = MapData::readFolder(dir.path(), &error);
    QCOMPARE(bool(map), read);
    QCOMPARE(error.isEmpty(), read);
    if (map) {
        QCOMPARE(map->index, index);
        QCOMPARE(map->toJson(), smallMap().toJson());
    }
}

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
