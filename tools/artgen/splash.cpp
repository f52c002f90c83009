#include "splash.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace art {
namespace {

using namespace palette;

const QSize splashSize(500, 300);
// The board is computed at twice the size and scaled down, which smooths the
// borders of the territories.
constexpr int supersample = 2;

struct Blob
{
    qreal x, y, radius;
};

// Continents as clusters of blobs; land is where their summed field exceeds 0.3.
const std::array<Blob, 21> blobs{{
    {70, 72, 34},   {112, 60, 32},  {122, 102, 24}, {84, 108, 22}, {150, 136, 12}, {172, 182, 24},
    {162, 218, 26}, {178, 254, 20}, {242, 70, 22},  {276, 58, 20}, {262, 102, 17}, {287, 160, 28},
    {302, 205, 28}, {292, 246, 20}, {348, 72, 32},  {398, 60, 32}, {436, 96, 28},  {382, 116, 26},
    {448, 146, 14}, {420, 236, 24}, {458, 252, 22},
}};

qreal field(qreal x, qreal y)
{
    qreal sum = 0;
    for (const Blob& blob : blobs) {
        const qreal dx = (x - blob.x) / blob.radius;
        const qreal dy = (y - blob.y) / blob.radius;
        sum += std::exp(-(dx * dx + dy * dy));
    }
    return sum;
}

const std::array<QColor, 6> seatTints{
    QColor(0xe8, 0x8a, 0x7e), QColor(0x86, 0xaa, 0xd8), QColor(0x9c, 0xd0, 0x6a),
    QColor(0xf0, 0xd8, 0x6a), QColor(0xc0, 0x9c, 0xc4), QColor(0xf2, 0xb2, 0x6a),
};

struct Territory
{
    QPointF seed;
    int seat;
};

QImage board()
{
    // A fixed seed: the picture must come out the same on every run.
    std::mt19937 random(20261206);
    auto uniform = [&random](qreal low, qreal high) {
        return low + (high - low) * (random() / 4294967296.0);
    };

    std::vector<Territory> territories;
    // Seeds kept apart from each other give territories of similar size.
    for (int attempt = 0; attempt < 4000; ++attempt) {
        const QPointF seed(uniform(10, 490), uniform(10, 290));
        if (field(seed.x(), seed.y()) < 0.45)
            continue;
        const bool crowded =
            std::any_of(territories.begin(), territories.end(),
                        [&](const Territory& t) { return QLineF(t.seed, seed).length() < 26; });
        if (!crowded)
            territories.push_back({seed, int(random() % seatTints.size())});
    }

    const int width = splashSize.width() * supersample;
    const int height = splashSize.height() * supersample;
    std::vector<int> owner(size_t(width) * height, -1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const qreal px = (x + 0.5) / supersample;
            const qreal py = (y + 0.5) / supersample;
            if (field(px, py) < 0.3)
                continue;
            int nearest = 0;
            qreal best = 1e12;
            for (size_t i = 0; i < territories.size(); ++i) {
                const qreal dx = px - territories[i].seed.x();
                const qreal dy = py - territories[i].seed.y();
                const qreal distance = dx * dx + dy * dy;
                if (distance < best) {
                    best = distance;
                    nearest = int(i);
                }
            }
            owner[size_t(y) * width + x] = nearest;
        }
    }

    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QColor border(0x3a, 0x32, 0x28);
    const QColor coast(0x12, 0x20, 0x30);
    auto at = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return -1;
        return owner[size_t(y) * width + x];
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int here = at(x, y);
            if (here < 0)
                continue;
            const int neighbours[4] = {at(x + 1, y), at(x - 1, y), at(x, y + 1), at(x, y - 1)};
            QColor color = seatTints[size_t(territories[size_t(here)].seat)];
            // Light from the upper left gives the land a little relief.
            const qreal px = (x + 0.5) / supersample;
            const qreal py = (y + 0.5) / supersample;
            const qreal slope = field(px + 1.5, py + 1.5) - field(px - 1.5, py - 1.5);
            const qreal shade = std::clamp(1.0 - 1.5 * slope, 0.85, 1.1);
            color = QColor::fromRgbF(std::min(1.0f, float(color.redF() * shade)),
                                     std::min(1.0f, float(color.greenF() * shade)),
                                     std::min(1.0f, float(color.blueF() * shade)));
            for (int n : neighbours) {
                if (n < 0) {
                    color = coast;
                    break;
                }
                if (n != here && n < here)
                    color = border;
            }
            image.setPixel(x, y, color.rgba());
        }
    }
    image = image.scaled(splashSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font(QStringLiteral("DejaVu Sans"), 9, true));
    for (size_t i = 0; i < territories.size(); i += 3) {
        const Territory& t = territories[i];
        const QColor seat = seatTints[size_t(t.seat)].darker(170);
        p.setPen(QPen(QColor(0, 0, 0, 160), 1.0));
        p.setBrush(seat);
        const QRectF disc(t.seed.x() - 7, t.seed.y() - 7, 14, 14);
        p.drawEllipse(disc);
        p.setPen(paper);
        p.drawText(disc, Qt::AlignCenter, QString::number(1 + random() % 9));
    }
    return image;
}

void draw(QPainter& p)
{
    QLinearGradient sea(0, 0, 0, splashSize.height());
    sea.setColorAt(0.0, QColor(0x1d, 0x44, 0x6a));
    sea.setColorAt(1.0, QColor(0x0c, 0x1f, 0x36));
    p.fillRect(QRect(QPoint(0, 0), splashSize), sea);
    p.setPen(QPen(QColor(255, 255, 255, 22), 1.0));
    for (int x = 25; x < splashSize.width(); x += 50)
        p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, splashSize.height()));
    for (int y = 25; y < splashSize.height(); y += 50)
        p.drawLine(QPointF(0, y + 0.5), QPointF(splashSize.width(), y + 0.5));

    // Sea lines between the continents, as the game draws them.
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2, Qt::DashLine));
    const QLineF seaLines[] = {
        {140, 126, 160, 166}, {150, 50, 226, 62},   {262, 118, 278, 136}, {196, 222, 268, 218},
        {316, 146, 352, 118}, {444, 160, 432, 214}, {22, 62, 0, 62},      {478, 62, 500, 62},
    };
    for (const QLineF& line : seaLines)
        p.drawLine(line);

    p.drawImage(QPointF(0, 0), board());

    // A dark band behind the name keeps it readable over any territory.
    QLinearGradient band(0, 105, 0, 205);
    band.setColorAt(0.0, QColor(8, 16, 28, 0));
    band.setColorAt(0.3, QColor(8, 16, 28, 170));
    band.setColorAt(0.7, QColor(8, 16, 28, 170));
    band.setColorAt(1.0, QColor(8, 16, 28, 0));
    p.fillRect(QRectF(0, 105, splashSize.width(), 100), band);

    const QFont title = font(QStringLiteral("DejaVu Serif"), 72, true);
    const QString name = QStringLiteral("Tarvenix");
    const QFontMetricsF metrics(title);
    QPainterPath text;
    text.addText((splashSize.width() - metrics.horizontalAdvance(name)) / 2,
                 155 + (metrics.ascent() - metrics.descent()) / 2, title, name);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 140));
    p.drawPath(text.translated(3, 3));
    QLinearGradient gold(0, 120, 0, 185);
    gold.setColorAt(0.0, butter.light);
    gold.setColorAt(1.0, orange.base);
    p.setPen(QPen(QColor(0x4a, 0x2a, 0x00), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gold);
    p.drawPath(text);

    p.setPen(QPen(QColor(0, 0, 0), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, splashSize.width() - 1, splashSize.height() - 1));
}

} // namespace

Picture splashPicture()
{
    // It fills its whole rectangle: the start-up decodes it without an alpha
    // channel.
    return Picture{QStringLiteral("Splash/Splash.png"), splashSize, false, draw, true};
}

} // namespace art
