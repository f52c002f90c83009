#include "indexcodec.h"
#include "map.h"
#include "mapdata.h"
#include "mappicture.h"

#include <QApplication>
#include <QDir>
#include <QImage>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const char* const PictureFiles[] = {"Maps/World.png", "Maps/Europe.png", "Maps/Africa.png",
                                    "Maps/NorthAmerica.png", "Maps/UnitedStates.png"};

struct DefaultMap
{
    QString folder;
    MapData file;
};

std::vector<DefaultMap> defaultMaps()
{
    std::vector<DefaultMap> maps;
    const QDir dir(QStringLiteral("maps"));
    for (const QString& entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (auto file = MapData::readFolder(dir.filePath(entry), nullptr))
            maps.push_back({entry, *file});
    }
    return maps;
}

// The reference: zlib alone inflating the index into a buffer of its size.
void inflateOnly(benchmark::State& state, const DefaultMap& map, int words)
{
    std::vector<unsigned char> out(size_t(words) * 4);
    for (auto _ : state) {
        z_stream s{};
        inflateInit2(&s, 15 + 16);
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(map.file.index.constData()));
        s.avail_in = uInt(map.file.index.size());
        s.next_out = out.data();
        s.avail_out = uInt(out.size());
        inflate(&s, Z_FINISH);
        inflateEnd(&s);
        benchmark::DoNotOptimize(out.data());
    }
}

// The codec's own chunked inflate, without applying anything to the picture.
void inflateChunked(benchmark::State& state, const DefaultMap& map, int words)
{
    std::vector<qint32> buffer(static_cast<size_t>(words));
    for (auto _ : state) {
        IndexCodec::inflate(map.file.index.constData(), int(map.file.index.size()), buffer.data(),
                            words);
        benchmark::DoNotOptimize(buffer.data());
    }
}

void setIndex(benchmark::State& state, const DefaultMap& map, MapPicture* picture)
{
    for (auto _ : state) {
        picture->setIndex(map.file.index.constData(), int(map.file.index.size()));
        benchmark::DoNotOptimize(picture->index());
    }
}

void buildPictures(benchmark::State& state)
{
    for (auto _ : state) {
        for (const char* file : PictureFiles) {
            MapPicture picture(QString(), QString::fromLatin1(file));
            // The size of a board filling a 1600 pixel wide window.
            picture.setDisplaySize(QSize(1600, 820));
            benchmark::DoNotOptimize(picture.display().constBits());
        }
    }
}

// Every country dealt round the six seats with a few armies.
void deal(Map& map)
{
    int seat = 0;
    for (const auto& [number, country] : map.countries()) {
        map.setCountry(number, seat, 1 + number % 7);
        seat = (seat + 1) % Map::Seats;
    }
}

void setCountryOwner(benchmark::State& state, const DefaultMap& map)
{
    Map board;
    board.loadMap(map.file);
    deal(board);
    int largest = 0;
    int largestArea = -1;
    for (const auto& [number, country] : board.countries()) {
        const int area = country.area.width() * country.area.height();
        if (area > largestArea) {
            largest = number;
            largestArea = area;
        }
    }
    int owner = 0;
    for (auto _ : state) {
        owner = (owner + 1) % Map::Seats;
        board.setCountry(largest, owner, 5);
    }
    state.SetLabel(board.country(largest)->name.toStdString());
}

void repaint(benchmark::State& state, const DefaultMap& map)
{
    const QSize size(int(state.range(0)), int(state.range(1)));
    Map board;
    board.loadMap(map.file);
    deal(board);
    board.dice(0, 6, 4, 1, 1, 5, 3);
    board.resize(size);
    QImage target(size, QImage::Format_RGB32);
    // The first paint builds the display image at the board's size, once.
    board.render(&target);
    for (auto _ : state) {
        board.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

// An owner change as the board shows it: the country retinted and what it
// marked for repainting drawn again, the way the window repaints it.
void repaintOwnerChange(benchmark::State& state, const DefaultMap& map)
{
    const QSize size(int(state.range(0)), int(state.range(1)));
    Map board;
    board.loadMap(map.file);
    deal(board);
    board.resize(size);
    QImage target(size, QImage::Format_RGB32);
    board.render(&target);
    const auto largest = std::max_element(
        board.countries().cbegin(), board.countries().cend(), [](const auto& a, const auto& b) {
            return a.second.area.width() * a.second.area.height() <
                   b.second.area.width() * b.second.area.height();
        });
    const int number = largest->first;
    const QRect pies(MapPicture::ArmiesPieAnchor, QSize(130, 80));
    int owner = 0;
    for (auto _ : state) {
        owner = (owner + 1) % Map::Seats;
        board.setCountry(number, owner, 5);
        const Country& c = *board.country(number);
        const QRegion dirty = QRegion(board.toWidget(c.area).adjusted(-1, -1, 1, 1)) +
                              board.toWidget(board.labelRect(c)).adjusted(-2, -2, 2, 2) +
                              board.toWidget(pies).adjusted(-1, -1, 1, 1);
        board.render(&target, dirty.boundingRect().topLeft(), dirty);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetLabel(largest->second.name.toStdString());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QDir::setCurrent(qEnvironmentVariable("TARVENIX_RUN_DIR", QStringLiteral(TARVENIX_RUN_DIR)));
    QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.map.warning=false"));

    // Kept alive for the whole run: the benchmarks refer to them.
    static const std::vector<DefaultMap> maps = defaultMaps();
    static std::vector<std::unique_ptr<MapPicture>> pictures;
    const Map probe;
    for (const DefaultMap& map : maps) {
        const std::string name = map.folder.toStdString();
        const MapPicture* source = probe.picture(map.file.picture);
        if (!source)
            source = probe.picture(QStringLiteral("world"));
        pictures.push_back(std::make_unique<MapPicture>(*source));
        MapPicture* target = pictures.back().get();
        const int words = target->width() * target->height();
        benchmark::RegisterBenchmark(("inflateOnly/" + name).c_str(), inflateOnly, map, words)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("inflateChunked/" + name).c_str(), inflateChunked, map, words)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("setIndex/" + name).c_str(), setIndex, map, target)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("setCountryOwner/" + name).c_str(), setCountryOwner, map)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("repaint/" + name).c_str(), repaint, map)
            ->Args({787, 406})
            ->Args({1600, 900})
            ->Args({2560, 1440})
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("repaintOwnerChange/" + name).c_str(), repaintOwnerChange,
                                     map)
            ->Args({787, 406})
            ->Args({1600, 900})
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("buildPictures", buildPictures)->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
