// Rasterises the projected territories written by tools/mapgen into a base picture,
// its country index and the map description the local server serves.
//
// maprender [--preview DIR] DATA_DIR MAP.json...
//
// For each MAP.json it writes DATA_DIR/Maps/<file>, the same picture three times as large
// as DATA_DIR/Maps/<name>@3x.png, and DATA_DIR/maps/<folder>/{map.json, index.gz}. With --preview
// it also writes <folder>-index.png (territories in random colours, overlay anchors outlined) and
// <folder>-tinted.png (six seat colours laid over the board the way the client tints owned
// countries) into DIR.

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {

constexpr int Sea = 0;
constexpr int Filler = 0xFFFFFF;
constexpr QRgb SeaColour = qRgb(30, 54, 86);
constexpr int BorderZone = 5;
// The larger base picture is this many times the size of the picture.
constexpr int LargeScale = 3;

// Where the board draws its pies, dice, status and hover texts, in picture coordinates.
const QRect OverlayRects[] = {
    QRect(24, 314, 50, 50), QRect(90, 314, 50, 50),  QRect(24, 366, 132, 28),
    QRect(45, 220, 55, 85), QRect(359, 10, 160, 15), QRect(306, 353, 160, 16),
};

struct Territory
{
    int number = 0;
    QString name;
    int continent = 0;
    QPainterPath path;
};

struct Line
{
    int a = 0;
    int b = 0;
    bool wrap = false;
};

struct Source
{
    int id = 0;
    QString name;
    QString author;
    QString picture;
    QString file;
    QString folder;
    int width = 0;
    int height = 0;
    quint32 seed = 0;
    int minIsland = 0;
    QJsonArray continents;
    std::vector<Territory> territories;
    QPainterPath fillers;
    std::vector<Line> lines;
};

// One territory's label, area and neighbours as the map description carries them.
struct Placement
{
    QPoint label;
    QRect area;
};

class Grid
{
public:
    Grid(int width, int height, int value = 0)
        : m_width(width), m_height(height), m_cells(std::size_t(width) * height, value)
    {}
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    int& at(int x, int y) { return m_cells[std::size_t(y) * m_width + x]; }
    int at(int x, int y) const { return m_cells[std::size_t(y) * m_width + x]; }
    int value(int x, int y, int outside) const { return contains(x, y) ? at(x, y) : outside; }

private:
    int m_width;
    int m_height;
    std::vector<int> m_cells;
};

QPainterPath ringsToPath(const QJsonArray& rings)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QJsonValue& ringValue : rings) {
        const QJsonArray ring = ringValue.toArray();
        QPolygonF polygon;
        for (const QJsonValue& point : ring) {
            const QJsonArray xy = point.toArray();
            polygon << QPointF(xy.at(0).toDouble(), xy.at(1).toDouble());
        }
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    return path;
}

bool readSource(const QString& fileName, Source& source)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(fileName));
        return false;
    }
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    source.id = root.value(QStringLiteral("id")).toInt();
    source.name = root.value(QStringLiteral("name")).toString();
    source.author = root.value(QStringLiteral("author")).toString();
    source.picture = root.value(QStringLiteral("picture")).toString();
    source.file = root.value(QStringLiteral("file")).toString();
    source.folder = root.value(QStringLiteral("folder")).toString();
    source.width = root.value(QStringLiteral("width")).toInt();
    source.height = root.value(QStringLiteral("height")).toInt();
    source.seed = quint32(root.value(QStringLiteral("seed")).toInt());
    source.minIsland = root.value(QStringLiteral("minIsland")).toInt();
    source.continents = root.value(QStringLiteral("continents")).toArray();
    for (const QJsonValue& value : root.value(QStringLiteral("territories")).toArray()) {
        const QJsonObject object = value.toObject();
        source.territories.push_back(
            {object.value(QStringLiteral("number")).toInt(),
             object.value(QStringLiteral("name")).toString(),
             object.value(QStringLiteral("continent")).toInt(),
             ringsToPath(object.value(QStringLiteral("rings")).toArray())});
    }
    source.fillers = ringsToPath(root.value(QStringLiteral("fillers")).toArray());
    for (const QJsonValue& value : root.value(QStringLiteral("lines")).toArray()) {
        const QJsonObject object = value.toObject();
        source.lines.push_back({object.value(QStringLiteral("a")).toInt(),
                                object.value(QStringLiteral("b")).toInt(),
                                object.value(QStringLiteral("wrap")).toBool()});
    }
    return source.width > 0 && source.height > 0 && !source.territories.empty();
}

// Paints every territory with its number as the colour, without anti-aliasing, so each
// pixel belongs to exactly one territory: the last one painted over it. The one pixel
// outline closes the seam that pixel-centre sampling leaves where two pieces of land
// share an edge.
Grid rasterise(const Source& source)
{
    QImage image(source.width, source.height, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor::fromRgb(Filler), 0));
        painter.setBrush(QColor::fromRgb(Filler));
        painter.drawPath(source.fillers);
        for (const Territory& territory : source.territories) {
            const QColor colour = QColor::fromRgb(QRgb(territory.number));
            painter.setPen(QPen(colour, 0));
            painter.setBrush(colour);
            painter.drawPath(territory.path);
        }
    }
    Grid grid(source.width, source.height);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x)
            grid.at(x, y) = int(image.pixel(x, y) & 0xFFFFFF);
    return grid;
}

const int Dx4[] = {1, -1, 0, 0};
const int Dy4[] = {0, 0, 1, -1};

// Land that only fills the gaps between two sources' boundaries joins the territory that
// reaches it first.
void absorbFillers(Grid& grid)
{
    std::deque<QPoint> queue;
    for (int y = 0; y < grid.height(); ++y)
        for (int x = 0; x < grid.width(); ++x)
            if (grid.at(x, y) != Sea && grid.at(x, y) != Filler)
                queue.emplace_back(x, y);
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        for (int d = 0; d < 4; ++d) {
            const int x = p.x() + Dx4[d];
            const int y = p.y() + Dy4[d];
            if (grid.contains(x, y) && grid.at(x, y) == Filler) {
                grid.at(x, y) = grid.at(p.x(), p.y());
                queue.emplace_back(x, y);
            }
        }
    }
    for (int y = 0; y < grid.height(); ++y)
        for (int x = 0; x < grid.width(); ++x)
            if (grid.at(x, y) == Filler)
                grid.at(x, y) = Sea;
}

// Pixels within a few pixels of a land border: where a border meets the coast, the sea
// between the two territories is a bay, not a strait.
Grid borderZone(const Grid& grid)
{
    Grid zone(grid.width(), grid.height());
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            const int own = grid.at(x, y);
            const int right = grid.value(x + 1, y, Sea);
            const int below = grid.value(x, y + 1, Sea);
            if (own == Sea || ((right == Sea || right == own) && (below == Sea || below == own)))
                continue;
            for (int dy = -BorderZone; dy <= BorderZone; ++dy)
                for (int dx = -BorderZone; dx <= BorderZone; ++dx)
                    if (zone.contains(x + dx, y + dy))
                        zone.at(x + dx, y + dy) = 1;
        }
    }
    return zone;
}

// Two territories facing each other across less than three pixels of sea would look
// joined; the coast is cut back on both sides until the strait is wide enough.
bool widenStraits(Grid& grid, const Grid& zone)
{
    std::vector<QPoint> cut;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            const int own = grid.at(x, y);
            if (own == Sea || zone.at(x, y))
                continue;
            bool narrow = false;
            for (int dy = -3; dy <= 3 && !narrow; ++dy) {
                for (int dx = -3; dx <= 3 && !narrow; ++dx) {
                    const int other = grid.value(x + dx, y + dy, Sea);
                    if (other == Sea || other == own || std::abs(dx) + std::abs(dy) == 1)
                        continue;
                    bool throughSea = true;
                    if (std::abs(dx) == 1 && std::abs(dy) == 1) {
                        throughSea =
                            grid.value(x + dx, y, Sea) == Sea && grid.value(x, y + dy, Sea) == Sea;
                    } else {
                        const int steps = std::max(std::abs(dx), std::abs(dy));
                        for (int k = 1; k < steps && throughSea; ++k) {
                            const int mx = x + int(std::lround(double(dx) * k / steps));
                            const int my = y + int(std::lround(double(dy) * k / steps));
                            throughSea = grid.value(mx, my, Sea) == Sea;
                        }
                    }
                    narrow = throughSea;
                }
            }
            if (narrow)
                cut.emplace_back(x, y);
        }
    }
    for (const QPoint& p : cut)
        grid.at(p.x(), p.y()) = Sea;
    return !cut.empty();
}

// Islands below the size limit are dropped, except a territory's largest piece.
void dropIslands(Grid& grid, int minPixels)
{
    Grid component(grid.width(), grid.height(), -1);
    std::vector<std::vector<QPoint>> pieces;
    std::map<int, std::size_t> largest;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            if (grid.at(x, y) == Sea || component.at(x, y) >= 0)
                continue;
            const int own = grid.at(x, y);
            std::vector<QPoint> piece{QPoint(x, y)};
            component.at(x, y) = int(pieces.size());
            for (std::size_t i = 0; i < piece.size(); ++i) {
                for (int d = 0; d < 4; ++d) {
                    const int nx = piece[i].x() + Dx4[d];
                    const int ny = piece[i].y() + Dy4[d];
                    if (grid.contains(nx, ny) && component.at(nx, ny) < 0 &&
                        grid.at(nx, ny) == own) {
                        component.at(nx, ny) = int(pieces.size());
                        piece.emplace_back(nx, ny);
                    }
                }
            }
            auto best = largest.find(own);
            if (best == largest.end() || pieces[best->second].size() < piece.size())
                largest[own] = pieces.size();
            pieces.push_back(std::move(piece));
        }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const QPoint first = pieces[i].front();
        if (largest[grid.at(first.x(), first.y())] == i || int(pieces[i].size()) >= minPixels)
            continue;
        for (const QPoint& p : pieces[i])
            grid.at(p.x(), p.y()) = Sea;
    }
}

// Turns territory numbers into the country index: a one pixel border (-1) wherever two
// territories touch, so no two 4-adjacent pixels belong to different countries, and a
// halo (-2) around it.
Grid makeIndex(const Grid& land)
{
    Grid index(land.width(), land.height());
    for (int y = 0; y < land.height(); ++y) {
        for (int x = 0; x < land.width(); ++x) {
            const int own = land.at(x, y);
            if (own == Sea) {
                index.at(x, y) = -1;
                continue;
            }
            const int right = land.value(x + 1, y, Sea);
            const int below = land.value(x, y + 1, Sea);
            const bool border = (right != Sea && right != own) || (below != Sea && below != own);
            index.at(x, y) = border ? -1 : own;
        }
    }
    Grid result = index;
    for (int y = 0; y < land.height(); ++y) {
        for (int x = 0; x < land.width(); ++x) {
            if (land.at(x, y) == Sea || index.at(x, y) < 0)
                continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (land.value(x + dx, y + dy, Sea) != Sea &&
                        index.value(x + dx, y + dy, 0) == -1)
                        result.at(x, y) = -2;
        }
    }
    return result;
}

// Slivers of land so thin that border and halo cover them whole would show as black
// specks with no country near; they go to the sea.
Grid makeIndexWithoutSlivers(Grid& land)
{
    for (;;) {
        Grid index = makeIndex(land);
        bool changed = false;
        for (int y = 0; y < land.height(); ++y) {
            for (int x = 0; x < land.width(); ++x) {
                if (land.at(x, y) == Sea || index.at(x, y) > 0)
                    continue;
                bool country = false;
                for (int dy = -3; dy <= 3 && !country; ++dy)
                    for (int dx = -3; dx <= 3 && !country; ++dx)
                        country = index.value(x + dx, y + dy, 0) > 0;
                if (!country) {
                    land.at(x, y) = Sea;
                    changed = true;
                }
            }
        }
        if (!changed)
            return index;
    }
}

// Chamfer distance (3-4) from every pixel to the nearest pixel of another index value.
Grid distanceInside(const Grid& index)
{
    const int big = 1 << 28;
    Grid dist(index.width(), index.height(), big);
    for (int y = 0; y < index.height(); ++y)
        for (int x = 0; x < index.width(); ++x)
            if (index.at(x, y) <= 0)
                dist.at(x, y) = 0;
    auto relax = [&](int x, int y, int dx, int dy, int cost) {
        if (dist.contains(x + dx, y + dy))
            dist.at(x, y) = std::min(dist.at(x, y), dist.at(x + dx, y + dy) + cost);
        else
            dist.at(x, y) = std::min(dist.at(x, y), cost);
    };
    for (int y = 0; y < index.height(); ++y) {
        for (int x = 0; x < index.width(); ++x) {
            relax(x, y, -1, 0, 3);
            relax(x, y, 0, -1, 3);
            relax(x, y, -1, -1, 4);
            relax(x, y, 1, -1, 4);
        }
    }
    for (int y = index.height() - 1; y >= 0; --y) {
        for (int x = index.width() - 1; x >= 0; --x) {
            relax(x, y, 1, 0, 3);
            relax(x, y, 0, 1, 3);
            relax(x, y, 1, 1, 4);
            relax(x, y, -1, 1, 4);
        }
    }
    return dist;
}

// The label's baseline start is chosen so that a two-digit army number sits as far from
// the territory's borders and coasts as it can.
std::map<int, Placement> placeLabels(const Grid& index)
{
    const Grid dist = distanceInside(index);
    const QPoint samples[] = {{0, 0},  {14, 0}, {0, -10}, {14, -10},
                              {7, -5}, {7, 0},  {0, -5},  {14, -5}};
    std::map<int, Placement> placements;
    // Ranked by the distance the whole number keeps from the edges, then (for territories
    // too thin for any number) by how much of the number lies inside, then by depth.
    std::map<int, std::tuple<int, int, int>> best;
    for (int y = 0; y < index.height(); ++y) {
        for (int x = 0; x < index.width(); ++x) {
            const int own = index.at(x, y);
            if (own <= 0)
                continue;
            Placement& placement = placements[own];
            placement.area = placement.area.isNull() ? QRect(x, y, 1, 1)
                                                     : placement.area.united(QRect(x, y, 1, 1));
            int score = 1 << 28;
            int inside = 0;
            for (const QPoint& s : samples) {
                const int sx = x + s.x();
                const int sy = y + s.y();
                const bool in = index.value(sx, sy, 0) == own;
                inside += in;
                score = std::min(score, in ? dist.at(sx, sy) : 0);
            }
            const int centre = index.value(x + 7, y - 5, 0) == own ? dist.at(x + 7, y - 5) : 0;
            const std::tuple<int, int, int> key(score, inside, centre);
            auto found = best.find(own);
            if (found == best.end() || found->second < key) {
                best[own] = key;
                placement.label = QPoint(x, y);
            }
        }
    }
    return placements;
}

// Territories are neighbours by land where two of their pixels touched before the border
// was drawn between them and both still show within three pixels of that border: a
// contact of a pixel or two vanishes under the border and its halo.
std::set<std::pair<int, int>> landNeighbours(const Grid& land, const Grid& index)
{
    std::set<std::pair<int, int>> pairs;
    for (int y = 0; y < land.height(); ++y) {
        for (int x = 0; x < land.width(); ++x) {
            const int own = land.at(x, y);
            for (const int other : {land.value(x + 1, y, Sea), land.value(x, y + 1, Sea)})
                if (own != Sea && other != Sea && other != own)
                    pairs.insert({std::min(own, other), std::max(own, other)});
        }
    }
    std::set<std::pair<int, int>> visible;
    for (int y = 0; y < land.height(); ++y) {
        for (int x = 0; x < land.width(); ++x) {
            if (land.at(x, y) == Sea || index.at(x, y) != -1)
                continue;
            std::set<int> near;
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx)
                    if (index.value(x + dx, y + dy, 0) > 0)
                        near.insert(index.at(x + dx, y + dy));
            for (const int a : near)
                for (const int b : near)
                    if (a < b && pairs.count({a, b}))
                        visible.insert({a, b});
        }
    }
    return visible;
}

std::vector<QPoint> coastOf(const Grid& index, const Grid& land, int number)
{
    std::vector<QPoint> coast;
    for (int y = 0; y < index.height(); ++y) {
        for (int x = 0; x < index.width(); ++x) {
            if (index.at(x, y) != number)
                continue;
            for (int d = 0; d < 4; ++d) {
                if (land.value(x + Dx4[d], y + Dy4[d], Sea) == Sea) {
                    coast.emplace_back(x, y);
                    break;
                }
            }
        }
    }
    return coast;
}

QJsonArray normalisedLine(QPoint a, QPoint b)
{
    if (b.y() < a.y() || (b.y() == a.y() && b.x() < a.x()))
        std::swap(a, b);
    return QJsonArray{a.x(), a.y(), b.x(), b.y()};
}

// Sea lines run between the closest coast pixels of the two territories; a line that
// wraps round the world is drawn as two stubs running to the left and right edges.
QJsonArray seaLines(const Source& source, const Grid& index, const Grid& land)
{
    QJsonArray lines;
    for (const Line& line : source.lines) {
        const std::vector<QPoint> a = coastOf(index, land, line.a);
        const std::vector<QPoint> b = coastOf(index, land, line.b);
        if (a.empty() || b.empty()) {
            std::fprintf(stderr, "sea line %d-%d: a territory has no coast\n", line.a, line.b);
            continue;
        }
        if (line.wrap) {
            // The stubs start where the two coasts are closest round the back of the world.
            long long bestDistance = -1;
            QPoint left;
            QPoint right;
            for (const QPoint& p : a) {
                for (const QPoint& q : b) {
                    const long long dx = p.x() + (source.width - 1 - q.x());
                    const long long dy = p.y() - q.y();
                    if (bestDistance < 0 || dx * dx + dy * dy < bestDistance) {
                        bestDistance = dx * dx + dy * dy;
                        left = p;
                        right = q;
                    }
                }
            }
            lines.append(normalisedLine(left, QPoint(0, left.y())));
            lines.append(normalisedLine(right, QPoint(source.width - 1, right.y())));
            continue;
        }
        long long bestDistance = -1;
        QPoint bestA;
        QPoint bestB;
        for (const QPoint& p : a) {
            for (const QPoint& q : b) {
                const long long dx = p.x() - q.x();
                const long long dy = p.y() - q.y();
                const long long d = dx * dx + dy * dy;
                if (bestDistance < 0 || d < bestDistance) {
                    bestDistance = d;
                    bestA = p;
                    bestB = q;
                }
            }
        }
        lines.append(normalisedLine(bestA, bestB));
    }
    return lines;
}

// Smooth value noise: a deterministic stand-in for relief, since the sources carry no
// elevation.
class Relief
{
public:
    explicit Relief(quint32 seed) : m_seed(seed) {}

    double at(double x, double y) const
    {
        double sum = 0;
        double amplitude = 1;
        double frequency = 1.0 / 48;
        for (int octave = 0; octave < 5; ++octave) {
            sum += amplitude * noise(x * frequency, y * frequency, octave);
            amplitude *= 0.5;
            frequency *= 2;
        }
        return sum;
    }

private:
    double lattice(int x, int y, int octave) const
    {
        quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + m_seed * 2246822519u +
                    quint32(octave) * 3266489917u;
        h = (h ^ (h >> 13)) * 1274126177u;
        h ^= h >> 16;
        return (h & 0xFFFF) / 65535.0;
    }
    double noise(double x, double y, int octave) const
    {
        const int x0 = int(std::floor(x));
        const int y0 = int(std::floor(y));
        const double fx = x - x0;
        const double fy = y - y0;
        const double sx = fx * fx * (3 - 2 * fx);
        const double sy = fy * fy * (3 - 2 * fy);
        const double top =
            lattice(x0, y0, octave) + (lattice(x0 + 1, y0, octave) - lattice(x0, y0, octave)) * sx;
        const double bottom = lattice(x0, y0 + 1, octave) +
                              (lattice(x0 + 1, y0 + 1, octave) - lattice(x0, y0 + 1, octave)) * sx;
        return top + (bottom - top) * sy;
    }

    quint32 m_seed;
};

// The land's colour at a point given in picture pixels, fractions allowed: the same
// shading at every size of picture. coast (0 to 1) darkens the outline.
QRgb landColour(const Relief& relief, double x, double y, double coast)
{
    // Light from the north-west over the noise surface; the coast is darkened a little
    // so the land's outline reads before any border is drawn.
    const double gx = relief.at(x + 1, y) - relief.at(x - 1, y);
    const double gy = relief.at(x, y + 1) - relief.at(x, y - 1);
    const double shade = std::clamp(-(gx + gy) * 4.0, -1.0, 1.0);
    const double h = relief.at(x, y);
    const double edge = 18 * coast;
    const double r = 228 + 20 * shade - 14 * h - edge;
    const double g = 222 + 20 * shade - 8 * h - edge;
    const double b = 190 + 16 * shade - 18 * h - edge;
    return qRgb(std::clamp(int(r), 150, 250), std::clamp(int(g), 150, 250),
                std::clamp(int(b), 130, 240));
}

QImage paintPicture(const Grid& land, quint32 seed)
{
    const Relief relief(seed);
    auto coast = [&](int x, int y) {
        for (int d = 0; d < 4; ++d)
            if (land.value(x + Dx4[d], y + Dy4[d], Sea) == Sea)
                return true;
        return false;
    };
    QImage picture(land.width(), land.height(), QImage::Format_RGB32);
    for (int y = 0; y < land.height(); ++y) {
        for (int x = 0; x < land.width(); ++x) {
            picture.setPixel(x, y,
                             land.at(x, y) == Sea
                                 ? SeaColour
                                 : landColour(relief, x, y, coast(x, y) ? 1.0 : 0.0));
        }
    }
    return picture;
}

// The land of the larger picture: the territories drawn smoothly at that size, kept
// to where the picture's own land lies, so that straits cut and islands dropped there
// are cut and dropped here too, and water the picture shows as land is land. 0 is
// sea, 255 land.
std::vector<quint8> largeLand(const Source& source, const Grid& land, int scale)
{
    const int w = source.width * scale;
    const int h = source.height * scale;
    QImage drawn(w, h, QImage::Format_Grayscale8);
    drawn.fill(0);
    {
        // One path for all the land, so that where two territories meet their
        // edges do not each leave a half-covered seam. The outline one picture
        // pixel wide grows the land as the picture's own outline grows it.
        QPainterPath all = source.fillers;
        all.setFillRule(Qt::WindingFill);
        for (const Territory& territory : source.territories)
            all.addPath(territory.path);
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        painter.setPen(QPen(Qt::white, 1.0));
        painter.setBrush(Qt::white);
        painter.drawPath(all);
    }
    auto isLand = [&](int x, int y) {
        return land.value(std::clamp(x, 0, land.width() - 1), std::clamp(y, 0, land.height() - 1),
                          Sea) != Sea
                   ? 1.0
                   : 0.0;
    };
    std::vector<quint8> cover(std::size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const quint8* line = drawn.constScanLine(y);
        const double py = (y + 0.5) / scale - 0.5;
        const int y0 = int(std::floor(py));
        const double fy = py - y0;
        for (int x = 0; x < w; ++x) {
            const double px = (x + 0.5) / scale - 0.5;
            const int x0 = int(std::floor(px));
            const double fx = px - x0;
            const double top = isLand(x0, y0) + (isLand(x0 + 1, y0) - isLand(x0, y0)) * fx;
            const double bottom =
                isLand(x0, y0 + 1) + (isLand(x0 + 1, y0 + 1) - isLand(x0, y0 + 1)) * fx;
            const double support = top + (bottom - top) * fy;
            // Sea the picture's land has closed (a lagoon, a fjord's head) stays land.
            const double kept = std::clamp((support - 0.2) / 0.4, 0.0, 1.0);
            const double closed = std::clamp((support - 0.75) / 0.25, 0.0, 1.0);
            cover[std::size_t(y) * w + x] =
                quint8(std::lround(std::max(line[x] * kept, 255 * closed)));
        }
    }
    return cover;
}

// The base picture at scale times its size, for boards larger than the picture and for
// HiDPI screens: the same sea, the same shading and coast, with smooth outlines. The
// country index stays at the picture's own size.
QImage paintLargePicture(const Source& source, const Grid& land, int scale)
{
    const int w = source.width * scale;
    const int h = source.height * scale;
    const std::vector<quint8> cover = largeLand(source, land, scale);
    // Distance to the sea in pixels of this size (chamfer 3-4, divided by 3), for a coast
    // as wide as one pixel of the picture.
    Grid dist(w, h, 1 << 28);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (cover[std::size_t(y) * w + x] < 128)
                dist.at(x, y) = 0;
    auto relax = [&](int x, int y, int dx, int dy, int cost) {
        if (dist.contains(x + dx, y + dy))
            dist.at(x, y) = std::min(dist.at(x, y), dist.at(x + dx, y + dy) + cost);
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            relax(x, y, -1, 0, 3);
            relax(x, y, 0, -1, 3);
            relax(x, y, -1, -1, 4);
            relax(x, y, 1, -1, 4);
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = w - 1; x >= 0; --x) {
            relax(x, y, 1, 0, 3);
            relax(x, y, 0, 1, 3);
            relax(x, y, 1, 1, 4);
            relax(x, y, -1, 1, 4);
        }
    }
    const Relief relief(source.seed);
    QImage picture(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int c = cover[std::size_t(y) * w + x];
            if (c == 0) {
                line[x] = SeaColour;
                continue;
            }
            const double coast = std::clamp(scale + 1 - dist.at(x, y) / 3.0, 0.0, 1.0);
            const QRgb l =
                landColour(relief, (x + 0.5) / scale - 0.5, (y + 0.5) / scale - 0.5, coast);
            auto mix = [c](int a, int b) {
                return (a * c + b * (255 - c) + 127) / 255;
            };
            line[x] = qRgb(mix(qRed(l), qRed(SeaColour)), mix(qGreen(l), qGreen(SeaColour)),
                           mix(qBlue(l), qBlue(SeaColour)));
        }
    }
    return picture;
}

// "World.png" becomes "World@3x.png".
QString largeFileName(const QString& file, int scale)
{
    const QFileInfo info(file);
    return QStringLiteral("%1@%2x.%3").arg(info.completeBaseName()).arg(scale).arg(info.suffix());
}

QByteArray gzipIndex(const Grid& index)
{
    QByteArray raw;
    raw.reserve(index.width() * index.height() * 4);
    for (int y = 0; y < index.height(); ++y) {
        for (int x = 0; x < index.width(); ++x) {
            const quint32 v = quint32(index.at(x, y));
            raw.append(char(v >> 24));
            raw.append(char(v >> 16));
            raw.append(char(v >> 8));
            raw.append(char(v));
        }
    }
    z_stream stream{};
    // 15 + 16 asks zlib for a gzip wrapper; the header's time stays 0 and its system
    // field is fixed below so a second run gives the same bytes.
    deflateInit2(&stream, 9, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
    gz_header header{};
    header.os = 3;
    deflateSetHeader(&stream, &header);
    QByteArray out(int(deflateBound(&stream, uLong(raw.size()))) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(raw.data());
    stream.avail_in = uInt(raw.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(int(stream.total_out));
    deflateEnd(&stream);
    return out;
}

bool writeFile(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(fileName));
        return false;
    }
    return true;
}

QImage colouredBoard(const QImage& picture, const Grid& index)
{
    QImage coloured = picture;
    for (int y = 0; y < index.height(); ++y)
        for (int x = 0; x < index.width(); ++x)
            if (picture.pixel(x, y) != SeaColour && index.at(x, y) < 0)
                coloured.setPixel(x, y, index.at(x, y) == -1 ? 0xFF000000 : 0xFF777777);
    return coloured;
}

void drawLines(QImage& image, const QJsonArray& lines)
{
    QPainter painter(&image);
    painter.setPen(Qt::white);
    for (const QJsonValue& value : lines) {
        const QJsonArray l = value.toArray();
        painter.drawLine(l.at(0).toInt(), l.at(1).toInt(), l.at(2).toInt(), l.at(3).toInt());
    }
}

void writePreviews(const QString& dir, const Source& source, const QImage& picture,
                   const Grid& index, const std::map<int, Placement>& placements,
                   const QJsonArray& lines)
{
    QRandomGenerator random(source.seed);
    std::map<int, QRgb> colours;
    for (const Territory& territory : source.territories)
        colours[territory.number] =
            qRgb(60 + random.bounded(180), 60 + random.bounded(180), 60 + random.bounded(180));
    QImage indexView(index.width(), index.height(), QImage::Format_RGB32);
    for (int y = 0; y < index.height(); ++y) {
        for (int x = 0; x < index.width(); ++x) {
            const int v = index.at(x, y);
            indexView.setPixel(x, y,
                               v > 0                              ? colours[v]
                               : v == -2                          ? qRgb(119, 119, 119)
                               : picture.pixel(x, y) == SeaColour ? SeaColour
                                                                  : qRgb(0, 0, 0));
        }
    }
    drawLines(indexView, lines);
    {
        QPainter painter(&indexView);
        painter.setPen(Qt::red);
        for (const QRect& r : OverlayRects)
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::white);
        for (const auto& [number, placement] : placements)
            painter.drawRect(placement.label.x() - 1, placement.label.y() - 1, 2, 2);
    }
    indexView.save(dir + QStringLiteral("/") + source.folder + QStringLiteral("-index.png"));

    const QRgb seats[] = {qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 255, 255),
                          qRgb(0, 0, 255),   qRgb(0, 255, 0), qRgb(255, 0, 255)};
    const QRgb texts[] = {qRgb(0, 0, 0),       qRgb(255, 255, 255), qRgb(0, 0, 0),
                          qRgb(255, 255, 255), qRgb(0, 0, 0),       qRgb(0, 0, 0)};
    QImage tinted = colouredBoard(picture, index);
    for (int y = 0; y < index.height(); ++y) {
        for (int x = 0; x < index.width(); ++x) {
            const int v = index.at(x, y);
            if (v <= 0)
                continue;
            const QRgb c = seats[v % 6];
            const QRgb o = picture.pixel(x, y);
            auto mix = [](int cc, int oc) {
                return cc + (oc - cc) * 155 / 255;
            };
            tinted.setPixel(
                x, y,
                qRgb(mix(qRed(c), qRed(o)), mix(qGreen(c), qGreen(o)), mix(qBlue(c), qBlue(o))));
        }
    }
    drawLines(tinted, lines);
    {
        QPainter painter(&tinted);
        QFont font = painter.font();
        font.setWeight(QFont::Bold);
        painter.setFont(font);
        for (const auto& [number, placement] : placements) {
            painter.setPen(QColor(texts[number % 6]));
            painter.drawText(placement.label, QString::number(1 + number % 12));
        }
        painter.setPen(Qt::white);
        font.setWeight(QFont::Normal);
        painter.setFont(font);
        painter.drawText(359, 21, QStringLiteral("Attack or end your turn"));
        painter.drawText(311, 363, source.territories.front().name);
    }
    tinted.save(dir + QStringLiteral("/") + source.folder + QStringLiteral("-tinted.png"));
}

bool render(const QString& sourceFile, const QString& dataDir, const QString& previewDir)
{
    Source source;
    if (!readSource(sourceFile, source))
        return false;
    Grid land = rasterise(source);
    absorbFillers(land);
    dropIslands(land, source.minIsland);
    const Grid zone = borderZone(land);
    for (int pass = 0; pass < 8; ++pass)
        if (!widenStraits(land, zone))
            break;
    dropIslands(land, source.minIsland);
    const Grid index = makeIndexWithoutSlivers(land);
    const std::map<int, Placement> placements = placeLabels(index);

    bool ok = true;
    QJsonArray countries;
    for (const Territory& territory : source.territories) {
        const auto found = placements.find(territory.number);
        if (found == placements.end()) {
            std::fprintf(stderr, "%s: territory %s has no pixels left\n", qPrintable(source.name),
                         qPrintable(territory.name));
            ok = false;
            continue;
        }
        const Placement& p = found->second;
        countries.append(QJsonObject{
            {QStringLiteral("number"), territory.number},
            {QStringLiteral("name"), territory.name},
            {QStringLiteral("continent"), territory.continent},
            {QStringLiteral("label"), QJsonArray{p.label.x(), p.label.y()}},
            {QStringLiteral("area"),
             QJsonArray{p.area.x(), p.area.y(), p.area.width(), p.area.height()}},
        });
    }
    std::set<std::pair<int, int>> pairs = landNeighbours(land, index);
    for (const Line& line : source.lines)
        pairs.insert({std::min(line.a, line.b), std::max(line.a, line.b)});
    QJsonArray neighbours;
    for (const auto& [a, b] : pairs)
        neighbours.append(QJsonArray{a, b});
    const QJsonArray lines = seaLines(source, index, land);

    const QJsonObject map{
        {QStringLiteral("id"), source.id},
        {QStringLiteral("name"), source.name},
        {QStringLiteral("author"), source.author},
        {QStringLiteral("picture"), source.picture},
        {QStringLiteral("continents"), source.continents},
        {QStringLiteral("countries"), countries},
        {QStringLiteral("neighbours"), neighbours},
        {QStringLiteral("lines"), lines},
    };
    const QImage picture = paintPicture(land, source.seed);
    const QString mapDir = dataDir + QStringLiteral("/maps/") + source.folder;
    QDir().mkpath(mapDir);
    QDir().mkpath(dataDir + QStringLiteral("/Maps"));
    ok = picture.save(dataDir + QStringLiteral("/Maps/") + source.file, "PNG") && ok;
    ok = paintLargePicture(source, land, LargeScale)
             .save(dataDir + QStringLiteral("/Maps/") + largeFileName(source.file, LargeScale),
                   "PNG") &&
         ok;
    ok = writeFile(mapDir + QStringLiteral("/map.json"),
                   QJsonDocument(map).toJson(QJsonDocument::Indented)) &&
         ok;
    ok = writeFile(mapDir + QStringLiteral("/index.gz"), gzipIndex(index)) && ok;
    if (!previewDir.isEmpty()) {
        QDir().mkpath(previewDir);
        writePreviews(previewDir, source, picture, index, placements, lines);
    }
    std::printf("%s: %d countries, %d neighbour pairs, %d sea lines\n", qPrintable(source.name),
                int(countries.size()), int(neighbours.size()), int(lines.size()));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("preview"),
                      QStringLiteral("Also write index and tinted previews into <dir>."),
                      QStringLiteral("dir")});
    parser.addPositionalArgument(QStringLiteral("data"),
                                 QStringLiteral("The data folder that receives Maps/ and maps/."));
    parser.addPositionalArgument(QStringLiteral("maps"),
                                 QStringLiteral("Projected maps written by mapgen."),
                                 QStringLiteral("map.json..."));
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() < 2)
        parser.showHelp(1);
    bool ok = true;
    for (int i = 1; i < args.size(); ++i)
        ok = render(args.at(i), args.at(0), parser.value(QStringLiteral("preview"))) && ok;
    return ok ? 0 : 1;
}
