// Checks the pictures the client loads from its working directory against the list in
// data/pictures.txt: each one exists in the run directory, loads, has its size, shows
// something that stands out on the light lists and bars, keeps to the slot the lists
// draw it in and has a HiDPI copy of the same picture; no two pictures of a folder are
// the same; and every picture file and every picture the sources name is listed.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace {

struct Entry
{
    QString path;
    QSize size;
    bool hiDpi = false;
    int spacing = 0;
};

// The folders whose pictures this list covers; the map pictures have their own test.
const QStringList PictureFolders = {"Icons", "Buttons", "WinIcons", "Cards", "Splash"};

QString sourceDir()
{
    return qEnvironmentVariable("TARVENIX_SOURCE_DIR");
}

QString hiDpiPath(const QString& path)
{
    return path.left(path.size() - 4) + "@2x.png";
}

// Reads the list; a line that does not parse is reported with its number.
std::vector<Entry> readList(QString* error)
{
    QFile file(sourceDir() + "/data/pictures.txt");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = "cannot open " + file.fileName();
        return {};
    }
    std::vector<Entry> entries;
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList words = line.split(QRegularExpression("\\s+"));
        bool widthOk = false;
        bool heightOk = false;
        Entry entry;
        if (words.size() >= 3) {
            entry.path = words[0];
            entry.size = QSize(words[1].toInt(&widthOk), words[2].toInt(&heightOk));
        }
        bool ok = widthOk && heightOk && entry.path.endsWith(".png") && !entry.size.isEmpty();
        for (int i = 3; ok && i < words.size(); ++i) {
            if (words[i] == "@2x") {
                entry.hiDpi = true;
            } else if (words[i] == "spacing" && i + 1 < words.size()) {
                entry.spacing = words[++i].toInt(&ok);
                ok = ok && entry.spacing > 0;
            } else {
                ok = false;
            }
        }
        if (!ok) {
            *error = QString("data/pictures.txt line %1 does not parse: %2").arg(number).arg(line);
            return {};
        }
        entries.push_back(entry);
    }
    return entries;
}

QImage load(const QString& path, QString* error)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        *error = path + ": " + reader.errorString();
    return image;
}

// Icons, buttons, window icons and cards are drawn over whatever lies behind them.
bool isSprite(const QString& path)
{
    return !path.startsWith("Splash/");
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listed_data();
    void listed();
    void showsSomething_data();
    void showsSomething();
    void keepsToItsSlot_data();
    void keepsToItsSlot();
    void largeCopyMatches_data();
    void largeCopyMatches();
    void standsOutFromLightBackgrounds_data();
    void standsOutFromLightBackgrounds();
    void noTwoAlike();
    void everyFileIsListed();
    void everyNamedPictureIsListed();

private:
    enum class Rows { All, Spaced, HiDpi, Sprites };
    void addRows(Rows which);

    std::vector<Entry> m_entries;
};

void TestPictures::initTestCase()
{
    QVERIFY2(!sourceDir().isEmpty(), "TARVENIX_SOURCE_DIR is not set");
    QString error;
    m_entries = readList(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!m_entries.empty());
    std::set<QString> seen;
    for (const Entry& entry : m_entries)
        QVERIFY2(seen.insert(entry.path).second, qPrintable(entry.path + " is listed twice"));
}

void TestPictures::addRows(Rows which)
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("hiDpi");
    QTest::addColumn<int>("spacing");
    for (const Entry& entry : m_entries) {
        const bool wanted = which == Rows::All || (which == Rows::Spaced && entry.spacing > 0) ||
                            (which == Rows::HiDpi && entry.hiDpi) ||
                            (which == Rows::Sprites && isSprite(entry.path));
        if (wanted) {
            QTest::newRow(qPrintable(entry.path))
                << entry.path << entry.size << entry.hiDpi << entry.spacing;
        }
    }
}

void TestPictures::listed_data()
{
    addRows(Rows::All);
}

// The program loads every picture relative to its working directory, the run directory.
void TestPictures::listed()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(bool, hiDpi);

    QString error;
    const QImage image = load(path, &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), size);
    if (hiDpi) {
        const QImage large = load(hiDpiPath(path), &error);
        QVERIFY2(!large.isNull(), qPrintable(error));
        QCOMPARE(large.size(), size * 2);
    }
}

void TestPictures::showsSomething_data()
{
    addRows(Rows::All);
}

void TestPictures::showsSomething()
{
    QFETCH(QString, path);

    QString error;
    const QImage image = load(path, &error).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!image.isNull(), qPrintable(error));
    int visible = 0;
    int opaque = 0;
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            visible += qAlpha(pixel) > 0 ? 1 : 0;
            opaque += qAlpha(pixel) == 255 ? 1 : 0;
            if (qAlpha(pixel) > 0)
                colours.insert(pixel);
        }
    }
    const int area = image.width() * image.height();
    QVERIFY2(visible * 10 >= area,
             qPrintable(QString("only %1 of %2 pixels visible").arg(visible).arg(area)));
    QVERIFY2(colours.size() >= 2, "the picture is one flat colour");
    if (isSprite(path)) {
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
    } else {
        QCOMPARE(opaque, area);
    }
}

void TestPictures::keepsToItsSlot_data()
{
    addRows(Rows::Spaced);
}

// The lists draw these pictures side by side a fixed step apart; wider drawings
// would run into their neighbours.
void TestPictures::keepsToItsSlot()
{
    QFETCH(QString, path);
    QFETCH(int, spacing);

    QString error;
    const QImage image = load(path, &error).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!image.isNull(), qPrintable(error));
    int first = image.width();
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    QVERIFY(last >= first);
    QVERIFY2(last - first + 1 <= spacing - 1,
             qPrintable(QString("visible columns %1 to %2 leave no gap at a step of %3")
                            .arg(first)
                            .arg(last)
                            .arg(spacing)));
}

void TestPictures::largeCopyMatches_data()
{
    addRows(Rows::HiDpi);
}

// The copy for HiDPI screens must show the same picture, not a stale or a neighbouring one:
// shrunk to the normal size it differs from the normal picture only by the smoothing.
void TestPictures::largeCopyMatches()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    QString error;
    const QImage small = load(path, &error).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY2(!small.isNull(), qPrintable(error));
    const QImage large = load(hiDpiPath(path), &error)
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied)
                             .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY2(!large.isNull(), qPrintable(error));
    qint64 difference = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb a = small.pixel(x, y);
            const QRgb b = large.pixel(x, y);
            difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
        }
    }
    const double mean = double(difference) / (4.0 * size.width() * size.height());
    // Matching pairs differ by about 4 at most; two different icons by 20 and more.
    QVERIFY2(mean < 8.0, qPrintable(QString("mean difference %1").arg(mean)));
}

void TestPictures::standsOutFromLightBackgrounds_data()
{
    addRows(Rows::Sprites);
}

// Lists, tab bars and the tool bar are white or light grey: a picture needs enough dark,
// solid pixels to be seen on them.
void TestPictures::standsOutFromLightBackgrounds()
{
    QFETCH(QString, path);

    QString error;
    const QImage image = load(path, &error).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!image.isNull(), qPrintable(error));
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) >= 128 && qGray(pixel) <= 160)
                ++dark;
        }
    }
    const int area = image.width() * image.height();
    QVERIFY2(dark * 20 >= area,
             qPrintable(QString("only %1 of %2 pixels are dark and solid").arg(dark).arg(area)));
}

// Two identical pictures in one folder mean one was drawn in place of another.
void TestPictures::noTwoAlike()
{
    std::map<QString, std::vector<std::pair<QString, QImage>>> folders;
    for (const Entry& entry : m_entries) {
        QString error;
        const QImage image = load(entry.path, &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        folders[entry.path.section('/', 0, 0)].emplace_back(entry.path, image);
    }
    for (const auto& [folder, pictures] : folders) {
        for (size_t i = 0; i < pictures.size(); ++i) {
            for (size_t j = i + 1; j < pictures.size(); ++j) {
                QVERIFY2(pictures[i].second != pictures[j].second,
                         qPrintable(pictures[i].first + " and " + pictures[j].first +
                                    " are the same picture"));
            }
        }
    }
}

// A file nobody lists is either left over or misnamed.
void TestPictures::everyFileIsListed()
{
    std::set<QString> known;
    for (const Entry& entry : m_entries) {
        known.insert(entry.path);
        if (entry.hiDpi)
            known.insert(hiDpiPath(entry.path));
    }
    const QDir data(sourceDir() + "/data");
    int files = 0;
    for (const QString& folder : PictureFolders) {
        QDirIterator it(data.filePath(folder), QDir::Files);
        while (it.hasNext()) {
            const QString path = data.relativeFilePath(it.next());
            ++files;
            QVERIFY2(known.count(path) == 1, qPrintable(path + " is not in data/pictures.txt"));
        }
    }
    QCOMPARE(files, int(known.size()));
}

void TestPictures::everyNamedPictureIsListed()
{
    std::set<QString> listed;
    for (const Entry& entry : m_entries)
        listed.insert(entry.path);

    const QRegularExpression named("\"((?:" + PictureFolders.join('|') +
                                   ")/[A-Za-z0-9_]+\\.png)\"");
    QDirIterator it(sourceDir() + "/src", {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    int sources = 0;
    while (it.hasNext()) {
        QFile file(it.next());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        ++sources;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = named.globalMatch(text); match.hasNext();) {
            const QString path = match.next().captured(1);
            QVERIFY2(listed.count(path) == 1,
                     qPrintable(QFileInfo(file).fileName() + " loads " + path +
                                ", which data/pictures.txt does not list"));
        }
    }
    QVERIFY(sources > 0);
}

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
