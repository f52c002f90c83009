// Checks what the program ships in data/ for what would break a game: each default
// map's index fits its picture and agrees with its countries, every country can be
// reached, countries that share a border are neighbours, the board's overlays lie over
// sea; every listed picture loads at its size and every picture the sources name is
// listed.

#include "mapdata.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include <map>
#include <set>

namespace {

const std::map<QString, QString> PictureFiles = {
    {QStringLiteral("world"), QStringLiteral("World.png")},
    {QStringLiteral("europe"), QStringLiteral("Europe.png")},
    {QStringLiteral("africa"), QStringLiteral("Africa.png")},
    {QStringLiteral("north america"), QStringLiteral("NorthAmerica.png")},
    {QStringLiteral("united states"), QStringLiteral("UnitedStates.png")}};

// The board paints the statistics pies with their captions, the dice and the status
// and hover lines at these picture coordinates.
const QRect OverlayRects[] = {QRect(24, 314, 50, 50),  QRect(90, 314, 50, 50),
                              QRect(24, 366, 132, 28), QRect(45, 220, 55, 85),
                              QRect(359, 10, 160, 15), QRect(306, 353, 160, 16)};

QString dataPath(const QString& path)
{
    return qEnvironmentVariable("TARVENIX_SOURCE_DIR") + QStringLiteral("/data/") + path;
}

QString where(const char* what, int x, int y)
{
    return QStringLiteral("%1 at %2,%3").arg(QLatin1String(what)).arg(x).arg(y);
}

} // namespace

class TestShippedData : public QObject
{
    Q_OBJECT

private slots:
    void maps_data();
    void maps();
    void pictures_data();
    void pictures();
    void everyNamedPictureIsListed();
};

void TestShippedData::maps_data()
{
    QTest::addColumn<QString>("folder");
    const QDir dir(dataPath(QStringLiteral("maps")));
    const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY2(!folders.isEmpty(), "no default maps");
    for (const QString& folder : folders)
        QTest::newRow(qPrintable(folder)) << dir.filePath(folder);
}

void TestShippedData::maps()
{
    QFETCH(QString, folder);
    QString error;
    const std::optional<MapData> data = MapData::readFolder(folder, &error);
    QVERIFY2(data, qPrintable(error));
    // Everything the server checks before it offers a map.
    QVERIFY2(data->validate().isEmpty(), qPrintable(data->validate()));
    QCOMPARE(data->id,
             folder.section(QLatin1Char('/'), -1).section(QLatin1Char('-'), 0, 0).toInt());

    const QString file = QStringLiteral("Maps/") + PictureFiles.at(data->picture);
    const QImage picture = QImage(dataPath(file)).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(picture.size(), QSize(780, 400));
    const QRgb sea = picture.pixel(0, 0);
    for (const QRect& rect : OverlayRects) {
        QImage flat(rect.size(), QImage::Format_RGB32);
        flat.fill(sea);
        QVERIFY2(picture.copy(rect) == flat,
                 qPrintable(where("land under an overlay", rect.x(), rect.y())));
    }
    QCOMPARE(QImage(dataPath(file.chopped(4) + QStringLiteral("@3x.png"))).size(),
             picture.size() * 3);

    const std::optional<std::vector<qint32>> index = data->indexValues();
    QVERIFY2(index, "the index does not fit the picture");
    const int width = picture.width();
    auto at = [&](int x, int y) {
        return (*index)[std::size_t(y) * width + x];
    };
    auto landBorder = [&](int x, int y) {
        return at(x, y) == -1 && picture.pixel(x, y) != sea;
    };
    // Whether any pixel within r of (x, y) passes the test.
    auto near = [&](int x, int y, int r, auto test) {
        for (int py = std::max(0, y - r); py <= std::min(picture.height() - 1, y + r); ++py)
            for (int px = std::max(0, x - r); px <= std::min(width - 1, x + r); ++px)
                if (test(px, py))
                    return true;
        return false;
    };
    std::map<int, MapCountry> countries;
    for (const MapCountry& country : data->countries)
        countries.emplace(country.number, country);

    // The index holds only borders, halos and declared countries, and sea where the
    // picture shows it; a country's area is the box round its pixels. The board
    // paints border land black and halo land grey, so neither may stray from a
    // border, and other land is light.
    std::map<int, QRect> boxes;
    std::set<std::pair<int, int>> touching;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            const qint32 v = at(x, y);
            QVERIFY2(v == -1 || v == -2 || countries.count(v),
                     qPrintable(where("undeclared value", x, y)));
            if (picture.pixel(x, y) == sea)
                QVERIFY2(v == -1, qPrintable(where("a country on sea", x, y)));
            else if (v == -1)
                QVERIFY2(near(x, y, 3, [&](int px, int py) { return at(px, py) > 0; }),
                         qPrintable(where("stray border", x, y)));
            else
                QVERIFY2(QColor(picture.pixel(x, y)).lightness() >= 120,
                         qPrintable(where("dark land", x, y)));
            if (v == -2)
                QVERIFY2(near(x, y, 1, landBorder), qPrintable(where("halo without border", x, y)));
            if (v <= 0)
                continue;
            boxes[v] |= QRect(x, y, 1, 1);
            // Across a land border (at most three pixels of border and halo) lies a
            // country that the player can attack.
            for (const QPoint d : {QPoint(1, 0), QPoint(0, 1)}) {
                for (int step = 1; step <= 4; ++step) {
                    const int nx = x + d.x() * step, ny = y + d.y() * step;
                    if (nx >= width || ny >= picture.height() || picture.pixel(nx, ny) == sea)
                        break;
                    if (const int other = at(nx, ny); other > 0) {
                        if (other != v)
                            touching.insert({std::min(v, other), std::max(v, other)});
                        break;
                    }
                }
            }
        }
    }
    for (const auto& [number, country] : countries) {
        QVERIFY2(boxes.count(number), qPrintable(country.name + QStringLiteral(" has no pixels")));
        QCOMPARE(QRect(country.areaX, country.areaY, country.areaWidth, country.areaHeight),
                 boxes.at(number));
        QVERIFY2(at(country.labelX, country.labelY) == number,
                 qPrintable(country.name + QStringLiteral(" has its label outside")));
    }

    // Neighbours are listed once each, every pair sharing a border is among them, and
    // every country can be reached from every other.
    std::set<std::pair<int, int>> listed;
    std::map<int, std::vector<int>> adjacent;
    for (const auto& [a, b] : data->neighbours) {
        QVERIFY2(listed.insert({std::min(a, b), std::max(a, b)}).second,
                 qPrintable(QStringLiteral("pair %1-%2 listed twice").arg(a).arg(b)));
        adjacent[a].push_back(b);
        adjacent[b].push_back(a);
    }
    for (const auto& [a, b] : touching)
        QVERIFY2(listed.count({a, b}),
                 qPrintable(QStringLiteral("%1 and %2 touch but are not listed")
                                .arg(countries.at(a).name, countries.at(b).name)));
    std::set<int> reached;
    for (std::vector<int> queue{countries.begin()->first}; !queue.empty();) {
        const int country = queue.back();
        queue.pop_back();
        if (reached.insert(country).second)
            queue.insert(queue.end(), adjacent[country].begin(), adjacent[country].end());
    }
    QCOMPARE(reached.size(), countries.size());
}

// data/pictures.txt lists every picture of the working directory but the maps' as
// "path width height [@2x] [spacing N]"; "@2x" promises a copy twice the size.
void TestShippedData::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("hiDpi");
    QFile file(dataPath(QStringLiteral("pictures.txt")));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")));
        QVERIFY2(words.size() >= 3, qPrintable(line));
        QTest::newRow(qPrintable(words[0])) << words[0] << QSize(words[1].toInt(), words[2].toInt())
                                            << words.contains(QStringLiteral("@2x"));
    }
}

// The program loads these relative to its working directory, the run directory.
void TestShippedData::pictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(bool, hiDpi);
    QVERIFY(!size.isEmpty());
    QCOMPARE(QImage(path).size(), size);
    if (hiDpi)
        QCOMPARE(QImage(path.chopped(4) + QStringLiteral("@2x.png")).size(), size * 2);
}

void TestShippedData::everyNamedPictureIsListed()
{
    QFile list(dataPath(QStringLiteral("pictures.txt")));
    QVERIFY(list.open(QIODevice::ReadOnly));
    const QString listed = QString::fromUtf8(list.readAll());
    const QRegularExpression named(
        QStringLiteral("\"((?:Icons|Buttons|WinIcons|Cards|Splash)/[A-Za-z0-9_]+\\.png)\""));
    QDirIterator it(qEnvironmentVariable("TARVENIX_SOURCE_DIR") + QStringLiteral("/src"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int names = 0;
    while (it.hasNext()) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (auto match = named.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext();
             ++names) {
            const QString path = match.next().captured(1);
            QVERIFY2(listed.contains(QLatin1Char('\n') + path + QLatin1Char(' ')),
                     qPrintable(file.fileName() + QStringLiteral(" loads the unlisted ") + path));
        }
    }
    QVERIFY(names > 0);
}

QTEST_GUILESS_MAIN(TestShippedData)
#include "tst_shippeddata.moc"
