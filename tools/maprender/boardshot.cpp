// Shows a default map on the real board, with every country owned by a seat and given a
// few armies, and saves the board as a picture: how the map looks in a game.
//
// boardshot DATA_DIR MAP_FOLDER OUT.png
//
// DATA_DIR holds Maps/ (the board loads its pictures relative to the working directory).

#include "map.h"
#include "mapdata.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: boardshot DATA_DIR MAP_FOLDER OUT.png\n");
        return 2;
    }
    const QString folder = QFileInfo(args.at(2)).absoluteFilePath();
    const QString out = QFileInfo(args.at(3)).absoluteFilePath();
    if (!QDir::setCurrent(args.at(1))) {
        std::fprintf(stderr, "cannot enter %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const std::optional<MapData> file = MapData::readFolder(folder, nullptr);
    if (!file) {
        std::fprintf(stderr, "cannot read the map in %s\n", qPrintable(folder));
        return 1;
    }

    Map map;
    map.resize(map.minimumSize());
    // The default colour scheme of the six seats.
    const QColor fills[] = {Qt::yellow, Qt::red, Qt::cyan, Qt::blue, Qt::green, Qt::magenta};
    const QColor texts[] = {Qt::black, Qt::white, Qt::black, Qt::white, Qt::black, Qt::black};
    for (int seat = 0; seat < 6; ++seat) {
        map.setBackgroundColor(seat, fills[seat]);
        map.setTextColor(seat, texts[seat]);
    }
    map.loadMap(*file);
    for (const MapCountry& country : file->countries)
        map.setCountry(country.number, country.number % 6, 1 + country.number * 7 % 12);
    map.dice(0, 6, 4, 2, 1, 5, 3);
    return map.grab().save(out) ? 0 : 1;
}
