// Checks the committed base pictures and default maps: that each map's country index
// fits its picture, that countries, labels, areas and neighbours agree with the index,
// and that the board's overlays (pies, dice, status and hover texts) lie over sea.

#include "mapdata.h"

#include <QDir>
#include <QImage>
#include <QTest>

#include <map>
#include <set>
#include <utility>

namespace {

const std::map<QString, QString> PictureFiles = {
    {QStringLiteral("world"), QStringLiteral("World.png")},
    {QStringLiteral("europe"), QStringLiteral("Europe.png")},
    {QStringLiteral("africa"), QStringLiteral("Africa.png")},
    {QStringLiteral("north america"), QStringLiteral("NorthAmerica.png")},
    {QStringLiteral("united states"), QStringLiteral("UnitedStates.png")}};

// The areas the board paints over at fixed picture coordinates: both statistics pies
// (50 x 50) with their captions below, the five dice (25 x 25), the start of the status
// line above its baseline and the start of the hover line.
const QRect OverlayRects[] = {QRect(24, 314, 50, 50),  QRect(90, 314, 50, 50),
                              QRect(24, 366, 132, 28), QRect(45, 220, 55, 85),
                              QRect(359, 10, 160, 15), QRect(306, 353, 160, 16)};

QString dataDir()
{
    return qEnvironmentVariable("TARVENIX_SOURCE_DIR") + QStringLiteral("/data");
}

using Pairs = std::set<std::pair<int, int>>;

QString where(const char* what, int x, int y)
{
    return QStringLiteral("%1 at %2,%3").arg(QLatin1String(what)).arg(x).arg(y);
}

// A default map with its picture and its index unpacked for pixel checks.
struct LoadedMap
{
    QString folder;
    MapData data;
    QImage picture;
    QRgb background = 0;
    int width = 0;
    int height = 0;
    std::vector<qint32> index;
    std::map<int, MapCountry> countries;
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
void borderPairs(const LoadedMap& map, Pairs& possible, Pairs& clear)
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

int countryNear(const LoadedMap& map, int x, int y)
{
    int found = 0;
    for (int r = 0; r <= 3 && !found; ++r)
        map.anyAround(x, y, r,
                      [&](int px, int py) { return (found = std::max(0, map.at(px, py))); });
    return found;
}

// The pairs of countries the sea lines join. A line that ends on the left edge and one
// that ends on the right edge at about the same height are one line round the world.
Pairs linePairs(const LoadedMap& map, QStringList& problems)
{
    Pairs pairs;
    std::vector<std::pair<int, int>> leftStubs, rightStubs;
    const int edge = map.width - 1;
    for (const auto& [x1, y1, x2, y2] : map.data.lines) {
        const QString line = QStringLiteral("line %1,%2-%3,%4").arg(x1).arg(y1).arg(x2).arg(y2);
        if (y1 > y2 || (y1 == y2 && x1 > x2))
            problems << line + QStringLiteral(" not normalised");
        const int a = countryNear(map, x1, y1), b = countryNear(map, x2, y2);
        if ((x1 == 0 || x2 == 0) && (a > 0) != (b > 0))
            leftStubs.push_back({std::max(a, b), x1 == 0 ? y1 : y2});
        else if ((x1 == edge || x2 == edge) && (a > 0) != (b > 0))
            rightStubs.push_back({std::max(a, b), x1 == edge ? y1 : y2});
        else if (a > 0 && b > 0 && a != b)
            pairs.insert({std::min(a, b), std::max(a, b)});
        else
            problems << line + QStringLiteral(" joins no two countries");
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
    void largePictures_data() { pictures_data(); }
    void largePictures();
    void structure_data() { mapRows(); }
    void structure();
    void index_data() { mapRows(); }
    void index();
    void neighbours_data() { mapRows(); }
    void neighbours();

private:
    void mapRows();
    const LoadedMap& current();

    std::map<QString, LoadedMap> m_maps;
};

void TestMapData::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("TARVENIX_SOURCE_DIR"), "TARVENIX_SOURCE_DIR is not set");
    const QDir mapsDir(dataDir() + QStringLiteral("/maps"));
    const QStringList folders = mapsDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY2(!folders.isEmpty(), "no default maps");
    for (const QString& folder : folders) {
        LoadedMap map;
        map.folder = folder;
        QString error;
        std::optional<MapData> data = MapData::readFolder(mapsDir.filePath(folder), &error);
        QVERIFY2(data, qPrintable(folder + QStringLiteral(": ") + error));
        map.data = *data;
        // Everything the server checks before it offers a map.
        error = map.data.validate();
        QVERIFY2(error.isEmpty(), qPrintable(folder + QStringLiteral(": ") + error));
        const auto file = PictureFiles.find(map.data.picture);
        QVERIFY2(file != PictureFiles.end(), qPrintable(folder + QStringLiteral(": picture")));
        map.picture = QImage(dataDir() + QStringLiteral("/Maps/") + file->second)
                          .convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!map.picture.isNull(), qPrintable(folder + QStringLiteral(": picture missing")));
        std::tie(map.width, map.height) = std::pair(map.picture.width(), map.picture.height());
        map.background = map.picture.pixel(0, 0) & 0xFFFFFF;
        // One word per pixel of the picture, and not a byte more.
        std::optional<std::vector<qint32>> index = map.data.indexValues();
        QVERIFY2(index, qPrintable(folder + QStringLiteral(": index does not fit")));
        QCOMPARE(index->size(), std::size_t(map.width) * map.height);
        map.index = std::move(*index);
        for (const MapContinent& continent : map.data.continents)
            map.continents.insert(continent.number);
        for (const MapCountry& country : map.data.countries)
            map.countries.emplace(country.number, country);
        m_maps.emplace(folder, std::move(map));
    }
}

void TestMapData::mapRows()
{
    QTest::addColumn<QString>("folder");
    for (const auto& [folder, map] : m_maps)
        QTest::newRow(qPrintable(folder)) << folder;
}

const LoadedMap& TestMapData::current()
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
        QImage(dataDir() + QStringLiteral("/Maps/") + file).convertToFormat(QImage::Format_RGB32);
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

// Every base picture three times as large, for big boards and HiDPI screens: the same
// sea colour, sea under the overlays, and land where the picture has land, so that
// what is seen of a country lies where the index puts it.
void TestMapData::largePictures()
{
    QFETCH(QString, file);
    constexpr int Scale = 3;
    const QImage picture =
        QImage(dataDir() + QStringLiteral("/Maps/") + file).convertToFormat(QImage::Format_RGB32);
    QString largeFile = file;
    largeFile.insert(largeFile.size() - 4, QStringLiteral("@3x"));
    const QImage large = QImage(dataDir() + QStringLiteral("/Maps/") + largeFile)
                             .convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!large.isNull(), qPrintable(largeFile));
    QCOMPARE(large.size(), picture.size() * Scale);
    const QRgb background = picture.pixel(0, 0);
    QCOMPARE(large.pixel(0, 0), background);
    for (const QRect& rect : OverlayRects) {
        const QRect scaled(rect.topLeft() * Scale, rect.size() * Scale);
        QImage sea(scaled.size(), QImage::Format_RGB32);
        sea.fill(background);
        QVERIFY2(large.copy(scaled) == sea,
                 qPrintable(where("land under an overlay", rect.x(), rect.y())));
    }
    // Coasts are smooth in the large picture, so single pixels may differ along
    // them; the middle of a pixel's block follows the picture almost everywhere,
    // and land or sea a whole pixel away from any coast never changes.
    int differing = 0;
    int land = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool pictureSea = picture.pixel(x, y) == background;
            const bool largeSea = large.pixel(x * Scale + 1, y * Scale + 1) == background;
            land += !pictureSea;
            if (pictureSea == largeSea)
                continue;
            ++differing;
            bool nearCoast = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    nearCoast =
                        nearCoast || (picture.rect().contains(x + dx, y + dy) &&
                                      (picture.pixel(x + dx, y + dy) == background) != pictureSea);
            QVERIFY2(
                nearCoast,
                qPrintable(where(pictureSea ? "land off the coast" : "sea inside the land", x, y)));
        }
    }
    QVERIFY2(differing * 50 < land,
             qPrintable(QStringLiteral("%1 of %2 land pixels differ").arg(differing).arg(land)));
}

void TestMapData::structure()
{
    const LoadedMap& map = current();
    QCOMPARE(map.data.id, map.folder.section(QLatin1Char('-'), 0, 0).toInt());
    QVERIFY(!map.data.name.isEmpty());
    QVERIFY(!map.data.author.isEmpty());
    std::set<int> used;
    for (const auto& [number, country] : map.countries) {
        QVERIFY(!country.name.isEmpty());
        QVERIFY2(map.continents.count(country.continent),
                 qPrintable(country.name + QStringLiteral(" names an unknown continent")));
        used.insert(country.continent);
    }
    QCOMPARE(map.continents.size(), std::size_t(map.data.continents.size()));
    for (const MapContinent& continent : map.data.continents) {
        QVERIFY2(used.count(continent.number),
                 qPrintable(continent.name + QStringLiteral(" has no countries")));
        QVERIFY(continent.value > 0);
    }
}

// The index holds only border, halo and declared countries, sea exactly where the picture
// shows its background colour, and never two countries side by side without a border.
void TestMapData::index()
{
    const LoadedMap& map = current();
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
        const QString& name = country.name;
        QVERIFY2(boxes.count(number), qPrintable(name + QStringLiteral(" has no pixels")));
        QCOMPARE(QRect(country.areaX, country.areaY, country.areaWidth, country.areaHeight),
                 boxes.at(number));
        const int lx = country.labelX, ly = country.labelY;
        QVERIFY2(lx >= 0 && ly >= 10 && lx < map.width - 8 && ly < map.height,
                 qPrintable(name + QStringLiteral(" has its label at the edge")));
        QVERIFY2(map.at(lx, ly) == number,
                 qPrintable(name + QStringLiteral(" has its label outside")));
    }
}

// Listed neighbours are each pair once and really touch, by land or by a sea line; and
// every pair that touches by land is listed.
void TestMapData::neighbours()
{
    const LoadedMap& map = current();
    QStringList problems;
    Pairs byLand, clearlyByLand;
    borderPairs(map, byLand, clearlyByLand);
    const Pairs bySea = linePairs(map, problems);
    Pairs listed;
    for (const auto& [a, b] : map.data.neighbours) {
        const std::pair<int, int> pair(std::min(a, b), std::max(a, b));
        if (a == b || !map.countries.count(a) || !map.countries.count(b))
            problems << QStringLiteral("bad pair %1-%2").arg(a).arg(b);
        else if (!byLand.count(pair) && !bySea.count(pair))
            problems << QStringLiteral("%1 and %2 do not touch")
                            .arg(map.countries.at(a).name, map.countries.at(b).name);
        if (!listed.insert(pair).second)
            problems << QStringLiteral("pair %1-%2 listed twice").arg(a).arg(b);
    }
    for (const Pairs& touching : {clearlyByLand, bySea})
        for (const auto& [a, b] : touching)
            if (!listed.count({a, b}))
                problems << QStringLiteral("%1 and %2 touch but are not listed").arg(a).arg(b);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
}

QTEST_GUILESS_MAIN(TestMapData)
#include "tst_mapdata.moc"
