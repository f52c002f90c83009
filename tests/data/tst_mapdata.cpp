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
#include <QtEndian>

#include <zlib.h>

#include <map>
#include <set>
#include <utility>

namespace {

const std::map<QString, QString> PictureFiles = {{"world", "World.png"},
                                                 {"europe", "Europe.png"},
                                                 {"africa", "Africa.png"},
                                                 {"north america", "NorthAmerica.png"},
                                                 {"united states", "UnitedStates.png"}};

// The areas the board paints over at fixed picture coordinates: both statistics pies
// (50 x 50) with their captions below, the five dice (25 x 25), the start of the status
// line above its baseline and the start of the hover line.
const QRect OverlayRects[] = {QRect(24, 314, 50, 50),  QRect(90, 314, 50, 50),
                              QRect(24, 366, 132, 28), QRect(45, 220, 55, 85),
                              QRect(359, 10, 160, 15), QRect(306, 353, 160, 16)};

QString dataDir()
{
    return qEnvironmentVariable("TARVENIX_SOURCE_DIR") + "/data";
}

using Pairs = std::set<std::pair<int, int>>;

QString where(const char* what, int x, int y)
{
    return QStringLiteral("%1 at %2,%3").arg(QLatin1String(what)).arg(x).arg(y);
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
    bool landBorder(int x, int y) const { return at(x, y) == -1 && !sea(x, y); }
    // Calls f(px, py) for each picture pixel within r of (x, y), row by row, until f
    // returns true; returns whether it did.
    template <typename F> bool anyAround(int x, int y, int r, F f) const
    {
        for (int py = std::max(0, y - r); py <= std::min(height - 1, y + r); ++py)
            for (int px = std::max(0, x - r); px <= std::min(width - 1, x + r); ++px)
                if (f(px, py))
                    return true;
        return false;
    }
};

// Countries a and b may touch when both have pixels within three pixels of one land border
// pixel: a staircase border with its halo can be five pixels thick. They clearly share a
// border when a straight horizontal or vertical run from one to the other crosses only
// border and halo pixels (at most three), never sea.
void borderPairs(const MapData& map, Pairs& possible, Pairs& clear)
{
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            std::set<int> near;
            if (map.landBorder(x, y))
                map.anyAround(x, y, 3, [&](int px, int py) {
                    if (map.at(px, py) > 0)
                        near.insert(map.at(px, py));
                    return false;
                });
            for (const int a : near)
                for (const int b : near)
                    if (a < b)
                        possible.insert({a, b});
            const int own = map.at(x, y);
            for (const QPoint d : {QPoint(1, 0), QPoint(0, 1)}) {
                for (int step = 1; own > 0 && step <= 4; ++step) {
                    const int nx = x + d.x() * step, ny = y + d.y() * step;
                    if (nx >= map.width || ny >= map.height || map.sea(nx, ny))
                        break;
                    if (const int other = map.at(nx, ny); other > 0) {
                        if (other != own)
                            clear.insert({std::min(own, other), std::max(own, other)});
                        break;
                    }
                }
            }
        }
    }
}

int countryNear(const MapData& map, int x, int y)
{
    int found = 0;
    for (int r = 0; r <= 3 && !found; ++r)
        map.anyAround(x, y, r,
                      [&](int px, int py) { return (found = std::max(0, map.at(px, py))); });
    return found;
}

// The pairs of countries the sea lines join. A line that ends on the left edge and one
// that ends on the right edge at about the same height are one line round the world.
Pairs linePairs(const MapData& map, QStringList& problems)
{
    Pairs pairs;
    std::vector<std::pair<int, int>> leftStubs, rightStubs;
    const int edge = map.width - 1;
    for (const QJsonValue& value : map.json.value("lines").toArray()) {
        const QJsonArray l = value.toArray();
        const int x1 = l.at(0).toInt(), y1 = l.at(1).toInt();
        const int x2 = l.at(2).toInt(), y2 = l.at(3).toInt();
        const QString line = QStringLiteral("line %1,%2-%3,%4").arg(x1).arg(y1).arg(x2).arg(y2);
        if (y1 > y2 || (y1 == y2 && x1 > x2))
            problems << line + " not normalised";
        const int a = countryNear(map, x1, y1), b = countryNear(map, x2, y2);
        if ((x1 == 0 || x2 == 0) && (a > 0) != (b > 0))
            leftStubs.push_back({std::max(a, b), x1 == 0 ? y1 : y2});
        else if ((x1 == edge || x2 == edge) && (a > 0) != (b > 0))
            rightStubs.push_back({std::max(a, b), x1 == edge ? y1 : y2});
        else if (a > 0 && b > 0 && a != b)
            pairs.insert({std::min(a, b), std::max(a, b)});
        else
            problems << line + " joins no two countries";
    }
    if (leftStubs.size() != rightStubs.size())
        problems << QStringLiteral("a line round the world lacks its other half");
    for (const auto& [a, ya] : leftStubs) {
        int best = -1, bestGap = 1 << 30;
        for (const auto& [b, yb] : rightStubs)
            if (std::abs(ya - yb) < bestGap)
                std::tie(best, bestGap) = std::pair(b, std::abs(ya - yb));
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
    void neighbours_data() { mapRows(); }
    void neighbours();

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
        std::tie(map.width, map.height) = std::pair(map.picture.width(), map.picture.height());
        map.background = map.picture.pixel(0, 0) & 0xFFFFFF;
        // One big-endian word per pixel, and not a byte more.
        map.index.resize(std::size_t(map.width) * map.height);
        const QByteArray path = QFile::encodeName(mapsDir.filePath(folder + "/index.gz"));
        QByteArray raw(qsizetype(map.index.size()) * 4 + 1, '\0');
        gzFile gz = gzopen(path.constData(), "rb");
        QVERIFY2(gz, path.constData());
        const int read = gzread(gz, raw.data(), unsigned(raw.size()));
        gzclose(gz);
        QVERIFY2(read == raw.size() - 1, qPrintable(folder + ": index does not fit the picture"));
        qFromBigEndian<qint32>(raw.constData(), qsizetype(map.index.size()), map.index.data());
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
    for (const QRect& rect : OverlayRects) {
        QImage sea(rect.size(), QImage::Format_RGB32);
        sea.fill(background);
        QVERIFY2(picture.copy(rect) == sea,
                 qPrintable(where("land under an overlay", rect.x(), rect.y())));
    }
    QVERIFY2(QColor(background).lightness() < 110, "the sea is too light for white text");
    // Land is light everywhere: a dark or blended pixel off the flat sea colour would be
    // land to the board, painted black where the index says -1.
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != background)
                QVERIFY2(QColor(picture.pixel(x, y)).lightness() >= 120,
                         qPrintable(where("dark land", x, y)));
}

void TestMapData::structure()
{
    const MapData& map = current();
    QCOMPARE(map.json.value("id").toInt(), map.folder.section('-', 0, 0).toInt());
    QVERIFY(!map.json.value("name").toString().isEmpty());
    QVERIFY(!map.json.value("author").toString().isEmpty());
    std::set<int> used;
    for (const auto& [number, country] : map.countries) {
        const QString name = country.value("name").toString();
        QVERIFY(!name.isEmpty());
        QVERIFY2(map.continents.count(country.value("continent").toInt()),
                 qPrintable(name + " names an unknown continent"));
        used.insert(country.value("continent").toInt());
    }
    const QJsonArray continents = map.json.value("continents").toArray();
    QCOMPARE(map.continents.size(), std::size_t(continents.size()));
    for (const QJsonValue& value : continents) {
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
            QVERIFY2(v == -1 || v == -2 || map.countries.count(v),
                     qPrintable(where("undeclared value", x, y)));
            if (map.sea(x, y))
                QVERIFY2(v == -1, qPrintable(where("a country on sea", x, y)));
            // Land marked -1 or -2 is painted black or grey by the board, so it must be a
            // border between countries or the halo beside one.
            else if (v == -1)
                QVERIFY2(map.anyAround(x, y, 3, [&](int px, int py) { return map.at(px, py) > 0; }),
                         qPrintable(where("stray border", x, y)));
            if (v == -2)
                QVERIFY2(
                    map.anyAround(x, y, 1, [&](int px, int py) { return map.landBorder(px, py); }),
                    qPrintable(where("halo without border", x, y)));
            const bool right = x + 1 < map.width && map.at(x + 1, y) > 0;
            const bool below = y + 1 < map.height && map.at(x, y + 1) > 0;
            QVERIFY2(v <= 0 ||
                         ((!right || map.at(x + 1, y) == v) && (!below || map.at(x, y + 1) == v)),
                     qPrintable(where("no border", x, y)));
            // Two different countries never face each other across less than three pixels of
            // sea, except in the bays where a land border meets the coast.
            for (const QPoint d : {QPoint(1, 0), QPoint(0, 1)}) {
                int step = 1;
                auto across = [&] {
                    const QPoint p = QPoint(x, y) + d * step;
                    return p.x() < map.width && p.y() < map.height ? map.at(p.x(), p.y()) : 0;
                };
                while (v > 0 && step <= 3 && across() == -1 &&
                       map.sea(x + d.x() * step, y + d.y() * step))
                    ++step;
                if (v > 0 && step > 1 && step <= 3)
                    QVERIFY2(
                        across() <= 0 || across() == v ||
                            map.anyAround(x, y, 5,
                                          [&](int px, int py) { return map.landBorder(px, py); }),
                        qPrintable(where("narrow strait", x, y)));
            }
        }
    }
    // Each country's area is exactly the box round its pixels and its label sits on one
    // of them, clear of the picture's edges.
    std::map<int, QRect> boxes;
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x)
            if (map.at(x, y) > 0)
                boxes[map.at(x, y)] |= QRect(x, y, 1, 1);
    for (const auto& [number, country] : map.countries) {
        const QString name = country.value("name").toString();
        QVERIFY2(boxes.count(number), qPrintable(name + " has no pixels"));
        const QJsonArray a = country.value("area").toArray();
        QCOMPARE(QRect(a.at(0).toInt(), a.at(1).toInt(), a.at(2).toInt(), a.at(3).toInt()),
                 boxes.at(number));
        const int lx = country.value("label")[0].toInt(), ly = country.value("label")[1].toInt();
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
    Pairs byLand, clearlyByLand;
    borderPairs(map, byLand, clearlyByLand);
    const Pairs bySea = linePairs(map, problems);
    Pairs listed;
    for (const QJsonValue& value : map.json.value("neighbours").toArray()) {
        const int a = value[0].toInt(), b = value[1].toInt();
        const std::pair<int, int> pair(std::min(a, b), std::max(a, b));
        if (a == b || !map.countries.count(a) || !map.countries.count(b))
            problems << QStringLiteral("bad pair %1-%2").arg(a).arg(b);
        else if (!byLand.count(pair) && !bySea.count(pair))
            problems << QStringLiteral("%1 and %2 do not touch")
                            .arg(map.countries.at(a).value("name").toString(),
                                 map.countries.at(b).value("name").toString());
        if (!listed.insert(pair).second)
            problems << QStringLiteral("pair %1-%2 listed twice").arg(a).arg(b);
    }
    for (const Pairs& touching : {clearlyByLand, bySea})
        for (const auto& [a, b] : touching)
            if (!listed.count({a, b}))
                problems << QStringLiteral("%1 and %2 touch but are not listed").arg(a).arg(b);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
}

QTEST_GUILESS_MAIN(TestMapData)
#include "tst_mapdata.moc"
