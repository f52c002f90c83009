// Checks the committed base pictures and default maps: that each map's country index
// fits its picture, that countries, labels, areas and neighbours agree with the index,
// and that the board's overlays (pies, dice, status and hover texts) lie over sea.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <zlib.h>

#include <map>
#include <set>
#include <utility>

namespace {

const std::map<QString, QString> PictureFiles = {
    {"world", "World.png"},
    {"europe", "Europe.png"},
    {"africa", "Africa.png"},
    {"north america", "NorthAmerica.png"},
    {"united states", "UnitedStates.png"},
};

// The areas the board paints over at fixed picture coordinates: both statistics pies
// (50 x 50) with their captions below, the five dice (25 x 25), the start of the status
// line above its baseline and the start of the hover line.
const QRect OverlayRects[] = {
    QRect(24, 314, 50, 50), QRect(90, 314, 50, 50),  QRect(24, 366, 132, 28),
    QRect(45, 220, 55, 85), QRect(359, 10, 160, 15), QRect(306, 353, 160, 16),
};

QString dataDir()
{
    return qEnvironmentVariable("TARVENIX_SOURCE_DIR") + "/data";
}

QByteArray gunzip(const QByteArray& compressed)
{
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK)
        return {};
    QByteArray out;
    char buffer[65536];
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.constData()));
    stream.avail_in = uInt(compressed.size());
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, int(sizeof buffer - stream.avail_out));
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END ? out : QByteArray();
}

struct MapData
{
    QString folder;
    QJsonObject json;
    QImage picture;
    QRgb background = 0;
    int width = 0;
    int height = 0;
    std::vector<qint32> index;
    std::map<int, QJsonObject> countries;
    std::set<int> continents;

    qint32 at(int x, int y) const { return index[std::size_t(y) * width + x]; }
    bool sea(int x, int y) const { return (picture.pixel(x, y) & 0xFFFFFF) == background; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    bool countryWithin(int x, int y, int r) const
    {
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (inside(x + dx, y + dy) && at(x + dx, y + dy) > 0)
                    return true;
        return false;
    }
    bool borderNextTo(int x, int y) const
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (inside(x + dx, y + dy) && at(x + dx, y + dy) == -1 && !sea(x + dx, y + dy))
                    return true;
        return false;
    }
};

// Countries a and b clearly share a border when a straight horizontal or vertical run
// from one to the other crosses only border and halo pixels (at most three), never sea.
std::set<std::pair<int, int>> clearBorderPairs(const MapData& map)
{
    std::set<std::pair<int, int>> pairs;
    const int directions[2][2] = {{1, 0}, {0, 1}};
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            const int own = map.at(x, y);
            if (own <= 0)
                continue;
            for (const auto& d : directions) {
                for (int step = 1; step <= 4; ++step) {
                    const int nx = x + d[0] * step;
                    const int ny = y + d[1] * step;
                    if (nx >= map.width || ny >= map.height || map.sea(nx, ny))
                        break;
                    const int other = map.at(nx, ny);
                    if (other > 0) {
                        if (other != own)
                            pairs.insert({std::min(own, other), std::max(own, other)});
                        break;
                    }
                }
            }
        }
    }
    return pairs;
}

// Countries a and b may touch when both have pixels within three pixels of one land
// border pixel; a staircase border with its halo can be five pixels thick.
std::set<std::pair<int, int>> possibleBorderPairs(const MapData& map)
{
    std::set<std::pair<int, int>> pairs;
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            if (map.at(x, y) != -1 || map.sea(x, y))
                continue;
            std::set<int> near;
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx)
                    if (x + dx >= 0 && y + dy >= 0 && x + dx < map.width && y + dy < map.height &&
                        map.at(x + dx, y + dy) > 0)
                        near.insert(map.at(x + dx, y + dy));
            for (const int a : near)
                for (const int b : near)
                    if (a < b)
                        pairs.insert({a, b});
        }
    }
    return pairs;
}

int countryNear(const MapData& map, int x, int y)
{
    for (int r = 0; r <= 3; ++r)
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) {
                const int px = x + dx;
                const int py = y + dy;
                if (px >= 0 && py >= 0 && px < map.width && py < map.height && map.at(px, py) > 0)
                    return map.at(px, py);
            }
    return 0;
}

// The pairs of countries the sea lines join. A line that ends on the left edge and one
// that ends on the right edge at about the same height are one line round the world.
std::set<std::pair<int, int>> linePairs(const MapData& map, QStringList& problems)
{
    std::set<std::pair<int, int>> pairs;
    std::vector<std::pair<int, int>> leftStubs;
    std::vector<std::pair<int, int>> rightStubs;
    for (const QJsonValue& value : map.json.value("lines").toArray()) {
        const QJsonArray l = value.toArray();
        const int x1 = l.at(0).toInt(), y1 = l.at(1).toInt();
        const int x2 = l.at(2).toInt(), y2 = l.at(3).toInt();
        if (y1 > y2 || (y1 == y2 && x1 > x2))
            problems << QStringLiteral("line %1,%2-%3,%4 not normalised")
                            .arg(x1)
                            .arg(y1)
                            .arg(x2)
                            .arg(y2);
        const int a = countryNear(map, x1, y1);
        const int b = countryNear(map, x2, y2);
        const int edge = map.width - 1;
        if ((x1 == 0 || x2 == 0) && (a > 0) != (b > 0)) {
            leftStubs.push_back({a > 0 ? a : b, x1 == 0 ? y1 : y2});
        } else if ((x1 == edge || x2 == edge) && (a > 0) != (b > 0)) {
            rightStubs.push_back({a > 0 ? a : b, x1 == edge ? y1 : y2});
        } else if (a > 0 && b > 0 && a != b) {
            pairs.insert({std::min(a, b), std::max(a, b)});
        } else {
            problems << QStringLiteral("line %1,%2-%3,%4 joins no two countries")
                            .arg(x1)
                            .arg(y1)
                            .arg(x2)
                            .arg(y2);
        }
    }
    if (leftStubs.size() != rightStubs.size())
        problems << QStringLiteral("a line round the world lacks its other half");
    for (const auto& [a, ya] : leftStubs) {
        int best = -1;
        int bestGap = 1 << 30;
        for (const auto& [b, yb] : rightStubs) {
            if (std::abs(ya - yb) < bestGap) {
                bestGap = std::abs(ya - yb);
                best = b;
            }
        }
        if (best > 0)
            pairs.insert({std::min(a, best), std::max(a, best)});
    }
    return pairs;
}

} // namespace

class TestMapData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pictures_data();
    void pictures();
    void structure_data() { mapRows(); }
    void structure();
    void index_data() { mapRows(); }
    void index();
    void countries_data() { mapRows(); }
    void countries();
    void neighbours_data() { mapRows(); }
    void neighbours();
    void straits_data() { mapRows(); }
    void straits();

private:
    void mapRows();
    const MapData& current();

    std::map<QString, MapData> m_maps;
};

void TestMapData::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("TARVENIX_SOURCE_DIR"), "TARVENIX_SOURCE_DIR is not set");
    const QDir mapsDir(dataDir() + "/maps");
    const QStringList folders = mapsDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY2(!folders.isEmpty(), "no default maps");
    for (const QString& folder : folders) {
        MapData map;
        map.folder = folder;
        QFile jsonFile(mapsDir.filePath(folder + "/map.json"));
        QVERIFY2(jsonFile.open(QIODevice::ReadOnly), qPrintable(folder));
        QJsonParseError error;
        map.json = QJsonDocument::fromJson(jsonFile.readAll(), &error).object();
        QVERIFY2(error.error == QJsonParseError::NoError,
                 qPrintable(folder + ": " + error.errorString()));
        const auto file = PictureFiles.find(map.json.value("picture").toString());
        QVERIFY2(file != PictureFiles.end(), qPrintable(folder + ": unknown picture"));
        map.picture =
            QImage(dataDir() + "/Maps/" + file->second).convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!map.picture.isNull(), qPrintable(folder + ": picture missing"));
        map.width = map.picture.width();
        map.height = map.picture.height();
        map.background = map.picture.pixel(0, 0) & 0xFFFFFF;
        QFile indexFile(mapsDir.filePath(folder + "/index.gz"));
        QVERIFY2(indexFile.open(QIODevice::ReadOnly), qPrintable(folder));
        const QByteArray raw = gunzip(indexFile.readAll());
        QVERIFY2(raw.size() == qsizetype(map.width) * map.height * 4,
                 qPrintable(folder + ": index does not have one word per pixel"));
        const auto* bytes = reinterpret_cast<const uchar*>(raw.constData());
        for (qsizetype i = 0; i < raw.size(); i += 4)
            map.index.push_back(qint32(quint32(bytes[i]) << 24 | quint32(bytes[i + 1]) << 16 |
                                       quint32(bytes[i + 2]) << 8 | bytes[i + 3]));
        for (const QJsonValue& value : map.json.value("continents").toArray())
            map.continents.insert(value.toObject().value("number").toInt());
        for (const QJsonValue& value : map.json.value("countries").toArray()) {
            const QJsonObject country = value.toObject();
            const int number = country.value("number").toInt();
            QVERIFY2(number > 0, qPrintable(folder + ": country number not positive"));
            QVERIFY2(map.countries.emplace(number, country).second,
                     qPrintable(folder + ": country number used twice"));
        }
        m_maps.emplace(folder, std::move(map));
    }
}

void TestMapData::mapRows()
{
    QTest::addColumn<QString>("folder");
    for (const auto& [folder, map] : m_maps)
        QTest::newRow(qPrintable(folder)) << folder;
}

const MapData& TestMapData::current()
{
    QFETCH(QString, folder);
    return m_maps.at(folder);
}

void TestMapData::pictures_data()
{
    QTest::addColumn<QString>("file");
    for (const auto& [name, file] : PictureFiles)
        QTest::newRow(qPrintable(name)) << file;
}

// Every base picture: the size the index transfer assumes, and sea under the overlays.
void TestMapData::pictures()
{
    QFETCH(QString, file);
    const QImage picture =
        QImage(dataDir() + "/Maps/" + file).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), QSize(780, 400));
    const QRgb background = picture.pixel(0, 0);
    for (const QRect& rect : OverlayRects)
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                QVERIFY2(
                    picture.pixel(x, y) == background,
                    qPrintable(QStringLiteral("land under an overlay at %1,%2").arg(x).arg(y)));
    QVERIFY2(QColor(background).lightness() < 110, "the sea is too light for white text");
    // Land is light everywhere: a dark or blended pixel off the flat sea colour would be
    // land to the board, painted black where the index says -1.
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != background)
                QVERIFY2(QColor(picture.pixel(x, y)).lightness() >= 120,
                         qPrintable(QStringLiteral("dark land at %1,%2").arg(x).arg(y)));
}

void TestMapData::structure()
{
    const MapData& map = current();
    QCOMPARE(map.json.value("id").toInt(), map.folder.section('-', 0, 0).toInt());
    QVERIFY(!map.json.value("name").toString().isEmpty());
    QVERIFY(!map.json.value("author").toString().isEmpty());
    std::set<int> used;
    for (const auto& [number, country] : map.countries) {
        QVERIFY2(map.continents.count(country.value("continent").toInt()),
                 qPrintable(country.value("name").toString() + " names an unknown continent"));
        QVERIFY(!country.value("name").toString().isEmpty());
        used.insert(country.value("continent").toInt());
    }
    QCOMPARE(map.continents.size(), std::size_t(map.json.value("continents").toArray().size()));
    for (const QJsonValue& value : map.json.value("continents").toArray()) {
        const QJsonObject continent = value.toObject();
        QVERIFY2(used.count(continent.value("number").toInt()),
                 qPrintable(continent.value("name").toString() + " has no countries"));
        QVERIFY(continent.value("value").toInt() > 0);
    }
}

// The index holds only border, halo and declared countries, sea exactly where the picture
// shows its background colour, and never two countries side by side without a border.
void TestMapData::index()
{
    const MapData& map = current();
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            const qint32 v = map.at(x, y);
            if (v < 0)
                QVERIFY2(v == -1 || v == -2, qPrintable(QStringLiteral("value %1").arg(v)));
            else
                QVERIFY2(map.countries.count(v),
                         qPrintable(QStringLiteral("undeclared %1 at %2,%3").arg(v).arg(x).arg(y)));
            if (map.sea(x, y))
                QVERIFY2(v == -1,
                         qPrintable(QStringLiteral("sea at %1,%2 is %3").arg(x).arg(y).arg(v)));
            // Land marked -1 or -2 is painted black or grey by the board, so it must be a
            // border between countries or the halo beside one.
            if (v == -1 && !map.sea(x, y))
                QVERIFY2(map.countryWithin(x, y, 3),
                         qPrintable(QStringLiteral("stray border at %1,%2").arg(x).arg(y)));
            if (v == -2)
                QVERIFY2(map.borderNextTo(x, y),
                         qPrintable(QStringLiteral("halo without border at %1,%2").arg(x).arg(y)));
            if (v > 0 && x + 1 < map.width && map.at(x + 1, y) > 0)
                QVERIFY2(map.at(x + 1, y) == v,
                         qPrintable(QStringLiteral("no border at %1,%2").arg(x).arg(y)));
            if (v > 0 && y + 1 < map.height && map.at(x, y + 1) > 0)
                QVERIFY2(map.at(x, y + 1) == v,
                         qPrintable(QStringLiteral("no border at %1,%2").arg(x).arg(y)));
        }
    }
}

// Each country's area is exactly the box round its pixels and its label sits on one of
// them, clear of the picture's edges.
void TestMapData::countries()
{
    const MapData& map = current();
    std::map<int, QRect> boxes;
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x)
            if (map.at(x, y) > 0)
                boxes[map.at(x, y)] |= QRect(x, y, 1, 1);
    for (const auto& [number, country] : map.countries) {
        const QString name = country.value("name").toString();
        QVERIFY2(boxes.count(number), qPrintable(name + " has no pixels"));
        const QJsonArray area = country.value("area").toArray();
        QCOMPARE(
            QRect(area.at(0).toInt(), area.at(1).toInt(), area.at(2).toInt(), area.at(3).toInt()),
            boxes.at(number));
        const QJsonArray label = country.value("label").toArray();
        const int lx = label.at(0).toInt();
        const int ly = label.at(1).toInt();
        QVERIFY2(lx >= 0 && ly >= 10 && lx < map.width - 8 && ly < map.height,
                 qPrintable(name + " has its label at the edge"));
        QVERIFY2(map.at(lx, ly) == number, qPrintable(name + " has its label outside"));
    }
}

// Listed neighbours are each pair once and really touch, by land or by a sea line; and
// every pair that touches by land is listed.
void TestMapData::neighbours()
{
    const MapData& map = current();
    QStringList problems;
    const std::set<std::pair<int, int>> byLand = possibleBorderPairs(map);
    const std::set<std::pair<int, int>> clearlyByLand = clearBorderPairs(map);
    const std::set<std::pair<int, int>> bySea = linePairs(map, problems);
    std::set<std::pair<int, int>> listed;
    for (const QJsonValue& value : map.json.value("neighbours").toArray()) {
        const int a = value.toArray().at(0).toInt();
        const int b = value.toArray().at(1).toInt();
        if (a == b || !map.countries.count(a) || !map.countries.count(b))
            problems << QStringLiteral("bad pair %1-%2").arg(a).arg(b);
        if (!listed.insert({std::min(a, b), std::max(a, b)}).second)
            problems << QStringLiteral("pair %1-%2 listed twice").arg(a).arg(b);
        if (!byLand.count({std::min(a, b), std::max(a, b)}) &&
            !bySea.count({std::min(a, b), std::max(a, b)}))
            problems << QStringLiteral("%1 and %2 do not touch")
                            .arg(map.countries.at(a).value("name").toString(),
                                 map.countries.at(b).value("name").toString());
    }
    for (const auto& pair : clearlyByLand)
        if (!listed.count(pair))
            problems << QStringLiteral("border %1-%2 not listed").arg(pair.first).arg(pair.second);
    for (const auto& pair : bySea)
        if (!listed.count(pair))
            problems
                << QStringLiteral("sea line %1-%2 not listed").arg(pair.first).arg(pair.second);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
}

// Two different countries never face each other across less than three pixels of sea,
// except in the bays where a land border meets the coast.
void TestMapData::straits()
{
    const MapData& map = current();
    std::vector<bool> nearBorder(map.index.size(), false);
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x)
            if (map.at(x, y) == -1 && !map.sea(x, y))
                for (int dy = -5; dy <= 5; ++dy)
                    for (int dx = -5; dx <= 5; ++dx)
                        if (x + dx >= 0 && y + dy >= 0 && x + dx < map.width && y + dy < map.height)
                            nearBorder[std::size_t(y + dy) * map.width + x + dx] = true;
    const int directions[2][2] = {{1, 0}, {0, 1}};
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            const int own = map.at(x, y);
            if (own <= 0)
                continue;
            for (const auto& d : directions) {
                int step = 1;
                while (step <= 3 && x + d[0] * step < map.width && y + d[1] * step < map.height &&
                       map.sea(x + d[0] * step, y + d[1] * step))
                    ++step;
                if (step == 1 || step > 3 || x + d[0] * step >= map.width ||
                    y + d[1] * step >= map.height || nearBorder[std::size_t(y) * map.width + x])
                    continue;
                const int other = map.at(x + d[0] * step, y + d[1] * step);
                QVERIFY2(other <= 0 || other == own,
                         qPrintable(QStringLiteral("strait of %1 pixels at %2,%3")
                                        .arg(step - 1)
                                        .arg(x)
                                        .arg(y)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestMapData)
#include "tst_mapdata.moc"
