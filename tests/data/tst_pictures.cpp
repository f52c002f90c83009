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
const QStringList PictureFolders = {QStringLiteral("Icons"), QStringLiteral("Buttons"),
                                    QStringLiteral("WinIcons"), QStringLiteral("Cards"),
                                    QStringLiteral("Splash")};

QString sourceDir()
{
    return qEnvironmentVariable("TARVENIX_SOURCE_DIR");
}

QString hiDpiPath(const QString& path)
{
    return path.left(path.size() - 4) + QStringLiteral("@2x.png");
}

// Reads the list; a line that does not parse is reported with its number.
std::vector<Entry> readList(QString* error)
{
    QFile file(sourceDir() + QStringLiteral("/data/pictures.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot open ") + file.fileName();
        return {};
    }
    std::vector<Entry> entries;
    for (int number = 1; !file.atEnd(); ++number) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")));
        bool ok = words.size() >= 3, heightOk = false;
        Entry entry;
        if (ok)
            entry = {words[0], QSize(words[1].toInt(&ok), words[2].toInt(&heightOk))};
        ok = ok && heightOk && entry.path.endsWith(QStringLiteral(".png")) && !entry.size.isEmpty();
        for (int i = 3; ok && i < words.size(); ++i) {
            if (words[i] == QStringLiteral("@2x"))
                entry.hiDpi = true;
            else if (words[i] == QStringLiteral("spacing") && i + 1 < words.size())
                ok = (entry.spacing = words[++i].toInt(&ok)) > 0 && ok;
            else
                ok = false;
        }
        if (!ok) {
            *error = QString(QStringLiteral("data/pictures.txt line %1 does not parse: %2"))
                         .arg(number)
                         .arg(line);
            return {};
        }
        entries.push_back(entry);
    }
    return entries;
}

QImage load(const QString& path)
{
    QImageReader reader(path);
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        qWarning("%s: %s", qPrintable(path), qPrintable(reader.errorString()));
    return image;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void picture_data();
    void picture();
    void noTwoAlike();
    void everyFileIsListed();
    void everyNamedPictureIsListed();

private:
    std::vector<Entry> m_entries;
    std::set<QString> m_listed;
};

void TestPictures::initTestCase()
{
    QVERIFY2(!sourceDir().isEmpty(), "TARVENIX_SOURCE_DIR is not set");
    QString error;
    m_entries = readList(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!m_entries.empty());
    for (const Entry& entry : m_entries)
        QVERIFY2(m_listed.insert(entry.path).second,
                 qPrintable(entry.path + QStringLiteral(" is listed twice")));
}

void TestPictures::picture_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("hiDpi");
    QTest::addColumn<int>("spacing");
    for (const Entry& entry : m_entries)
        QTest::newRow(qPrintable(entry.path))
            << entry.path << entry.size << entry.hiDpi << entry.spacing;
}

// The program loads every picture relative to its working directory, the run directory.
void TestPictures::picture()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(bool, hiDpi);
    QFETCH(int, spacing);

    const QImage image = load(path);
    QCOMPARE(image.size(), size);
    int visible = 0, opaque = 0, dark = 0, first = size.width(), last = -1;
    std::set<QRgb> colours;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            ++visible;
            opaque += qAlpha(pixel) == 255;
            dark += qAlpha(pixel) >= 128 && qGray(pixel) <= 160;
            colours.insert(pixel);
            first = std::min(first, x);
            last = std::max(last, x);
        }
    }
    const int area = size.width() * size.height();
    QVERIFY2(visible * 10 >= area,
             qPrintable(QString(QStringLiteral("only %1 pixels visible")).arg(visible)));
    QVERIFY2(colours.size() >= 2, "the picture is one flat colour");
    if (path.startsWith(QStringLiteral("Splash/"))) {
        QCOMPARE(opaque, area);
    } else {
        // Icons, buttons, window icons and cards are drawn over whatever lies behind them:
        // lists, tab bars and the tool bar, which are white or light grey.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(size.width() - 1, size.height() - 1)), 0);
        QVERIFY2(dark * 20 >= area,
                 qPrintable(QString(QStringLiteral("only %1 pixels dark")).arg(dark)));
    }
    // The lists draw these side by side a fixed step apart; wider drawings would run
    // into their neighbours.
    if (spacing > 0)
        QVERIFY2(
            last - first + 1 <= spacing - 1,
            qPrintable(
                QString(QStringLiteral("columns %1 to %2 leave no gap")).arg(first).arg(last)));
    if (!hiDpi)
        return;
    // The HiDPI copy must show the same picture, not a stale or a neighbouring one:
    // shrunk to the normal size it differs from the normal picture only by the smoothing.
    const QImage large = load(hiDpiPath(path));
    QCOMPARE(large.size(), size * 2);
    const QImage a = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = large.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                         .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 difference = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            difference += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                          std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    // Matching pairs differ by about 4 at most; two different icons by 20 and more.
    const double mean = double(difference) / (4.0 * area);
    QVERIFY2(mean < 8.0, qPrintable(QString(QStringLiteral("mean difference %1")).arg(mean)));
}

// Two identical pictures in one folder mean one was drawn in place of another.
void TestPictures::noTwoAlike()
{
    std::map<QString, std::map<QString, QImage>> folders;
    for (const Entry& entry : m_entries)
        folders[entry.path.section(QLatin1Char('/'), 0, 0)][entry.path] = load(entry.path);
    for (const auto& [folder, pictures] : folders)
        for (auto i = pictures.begin(); i != pictures.end(); ++i)
            for (auto j = std::next(i); j != pictures.end(); ++j)
                QVERIFY2(i->second != j->second,
                         qPrintable(i->first + QStringLiteral(" and ") + j->first +
                                    QStringLiteral(" are the same picture")));
}

// A file nobody lists is either left over or misnamed.
void TestPictures::everyFileIsListed()
{
    std::set<QString> known = m_listed;
    for (const Entry& entry : m_entries)
        if (entry.hiDpi)
            known.insert(hiDpiPath(entry.path));
    const QDir data(sourceDir() + QStringLiteral("/data"));
    int files = 0;
    for (const QString& folder : PictureFolders) {
        for (QDirIterator it(data.filePath(folder), QDir::Files); it.hasNext(); ++files) {
            const QString path = data.relativeFilePath(it.next());
            QVERIFY2(known.count(path) == 1,
                     qPrintable(path + QStringLiteral(" is not in data/pictures.txt")));
        }
    }
    QCOMPARE(files, int(known.size()));
}

void TestPictures::everyNamedPictureIsListed()
{
    const QRegularExpression named(QStringLiteral("\"((?:") +
                                   PictureFolders.join(QLatin1Char('|')) +
                                   QStringLiteral(")/[A-Za-z0-9_]+\\.png)\""));
    QDirIterator it(sourceDir() + QStringLiteral("/src"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int sources = 0;
    for (; it.hasNext(); ++sources) {
        QFile file(it.next());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = named.globalMatch(text); match.hasNext();) {
            const QString path = match.next().captured(1);
            QVERIFY2(m_listed.count(path) == 1,
                     qPrintable(QFileInfo(file).fileName() + QStringLiteral(" loads ") + path +
                                QStringLiteral(", which data/pictures.txt does not list")));
        }
    }
    QVERIFY(sources > 0);
}

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
