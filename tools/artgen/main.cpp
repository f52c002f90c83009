// Draws the program's icons, buttons, window icons, cards and splash picture
// into the data folder, the program's icon for the desktop into dist/, and
// a contact sheet of them into docs/.

#include "buttons.h"
#include "cards.h"
#include "icons.h"
#include "sheet.h"
#include "splash.h"
#include "style.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

bool cannotWrite(const QString& path, const QString& reason)
{
    QTextStream(stderr) << "artgen: cannot write " << path << ": " << reason << '\n';
    return false;
}

// libpng reports an error by jumping back to the setjmp: nothing here
// changes across it.
bool writeUnfiltered(png_structp png, png_infop info, FILE* file, const QImage& image)
{
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y)
        png_write_row(png, image.constScanLine(y));
    png_write_end(png, nullptr);
    return true;
}

// An opaque picture (the splash) is decoded at every start of the client:
// its rows go unfiltered, because undoing the filters libpng picks (mostly
// Paeth) took longer than inflating the rows (and the file is no larger).
bool saveUnfiltered(const QImage& picture, const QString& path)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB888);
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        return cannotWrite(path, QString::fromLocal8Bit(std::strerror(errno)));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool written = info && writeUnfiltered(png, info, file, image);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0 || !written)
        return cannotWrite(path, QStringLiteral("libpng failed"));
    return true;
}

bool save(const QImage& image, const QString& path, bool opaque = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (opaque)
        return saveUnfiltered(image, path);
    QImageWriter writer(path, "png");
    if (!writer.write(image)) {
        QTextStream(stderr) << "artgen: cannot write " << path << ": " << writer.errorString()
                            << '\n';
        return false;
    }
    return true;
}

QString hiDpiName(const QString& path)
{
    QString name = path;
    return name.insert(name.size() - 4, QStringLiteral("@2x"));
}

} // namespace

int main(int argc, char* argv[])
{
    // The pictures are drawn into images only; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("artgen"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draws the pictures of data/ and the contact sheet docs/icons.png."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("root"),
                                 QStringLiteral("The source tree that holds data/ and docs/."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(1);
    const QDir root(parser.positionalArguments().constFirst());
    const QDir data(root.filePath(QStringLiteral("data")));

    if (!art::loadFonts()) {
        QTextStream(stderr) << "artgen: the DejaVu fonts (fonts-dejavu-core) are missing\n";
        return 1;
    }

    art::Sheet sheet;
    sheet.icons = art::listIcons();
    sheet.buttons = art::toolbarButtons();
    sheet.windowIcons = art::windowIcons();
    sheet.cards = art::cardPictures();

    std::vector<art::Picture> all;
    for (const auto* group : {&sheet.icons, &sheet.buttons, &sheet.windowIcons, &sheet.cards})
        all.insert(all.end(), group->begin(), group->end());
    all.push_back(art::splashPicture());

    for (const art::Picture& picture : all) {
        if (!save(art::render(picture, 1), data.filePath(picture.path), picture.opaque))
            return 1;
        if (picture.hiDpi && !save(art::render(picture, 2), data.filePath(hiDpiName(picture.path))))
            return 1;
    }
    // The window icon of the main window is the program's icon in the menus,
    // drawn afresh at each size of the hicolor icon theme.
    for (const art::Picture& picture : sheet.windowIcons) {
        if (!picture.path.endsWith(QLatin1String("/Bomb.png")))
            continue;
        for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
            if (!save(art::renderSquare(picture, side),
                      root.filePath(QStringLiteral("dist/icons/tarvenix-%1.png").arg(side))))
                return 1;
        }
    }
    if (!save(art::contactSheet(sheet), root.filePath(QStringLiteral("docs/icons.png"))))
        return 1;
    return 0;
}
