#include "style.h"

#include <QFont>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>
#include <numbers>
#include <string>

namespace art {

void flat(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& stroke)
{
    p.setPen(QPen(stroke, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void flat(QPainter& p, const QPainterPath& path, const Ramp& ramp)
{
    flat(p, path, ramp.light, ramp.dark);
}

void shaded(QPainter& p, const QPainterPath& path, const Ramp& ramp)
{
    const QRectF box = path.boundingRect();
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0.0, ramp.light);
    gradient.setColorAt(1.0, ramp.base);
    p.setPen(QPen(ramp.dark, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gradient);
    p.drawPath(path);
}

void pixels(QPainter& p, int x, int y, const QColor& color, std::initializer_list<const char*> rows)
{
    int row = 0;
    for (const char* line : rows) {
        for (int column = 0; line[column] != '\0'; ++column) {
            if (line[column] == '#')
                p.fillRect(QRectF(x + column, y + row, 1, 1), color);
        }
        ++row;
    }
}

void outlined(QPainter& p, int x, int y, const QColor& fill, const QColor& outline,
              std::initializer_list<const char*> rows)
{
    const std::vector<std::string> shape(rows.begin(), rows.end());
    auto set = [&shape](int column, int row) {
        return row >= 0 && row < int(shape.size()) && column >= 0 &&
               column < int(shape[size_t(row)].size()) && shape[size_t(row)][size_t(column)] == '#';
    };
    for (int row = 0; row < int(shape.size()); ++row) {
        for (int column = 0; column < int(shape[size_t(row)].size()); ++column) {
            if (!set(column, row))
                continue;
            const bool inner = set(column - 1, row) && set(column + 1, row) &&
                               set(column, row - 1) && set(column, row + 1);
            p.fillRect(QRectF(x + column, y + row, 1, 1), inner ? fill : outline);
        }
    }
}

void forbid(QPainter& p)
{
    const QPointF from(3.5, 12.5);
    const QPointF to(12.5, 3.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::paper, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(palette::scarlet.base, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

QPainterPath star(QPointF centre, int points, qreal outer, qreal inner, qreal rotation)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = rotation + i * std::numbers::pi / points;
        const QPointF point(centre.x() + radius * std::sin(angle),
                            centre.y() - radius * std::cos(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

QPainterPath roundedRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath ellipse(const QRectF& rect)
{
    QPainterPath path;
    path.addEllipse(rect);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    path.closeSubpath();
    return path;
}

namespace {

// Qt's own conversion out of premultiplied alpha takes a vectorised path that
// multiplies by an approximate reciprocal of the alpha, whose last bit differs
// between processors: a colour that falls exactly half way between two values
// comes out one apart from machine to machine. This is exact integer
// arithmetic and rounds halves up, so the files are the same everywhere.
QImage straightAlpha(const QImage& premultiplied)
{
    QImage image(premultiplied.size(), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(from[x]);
            const auto channel = [alpha](int value) {
                return (value * 255 + alpha / 2) / alpha;
            };
            to[x] = alpha == 0 ? 0
                               : qRgba(channel(qRed(from[x])), channel(qGreen(from[x])),
                                       channel(qBlue(from[x])), alpha);
        }
    }
    return image;
}

} // namespace

QImage render(const Picture& picture, int scale)
{
    QImage image(picture.size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(scale, scale);
        picture.draw(p);
    }
    if (picture.opaque)
        return image.convertToFormat(QImage::Format_RGB32);
    return straightAlpha(image);
}

QImage renderSquare(const Picture& picture, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(qreal(side) / picture.size.width(), qreal(side) / picture.size.height());
        picture.draw(p);
    }
    return straightAlpha(image);
}

bool loadFonts()
{
    static const char* const files[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf",
                                        "DejaVuSerif-Bold.ttf", "DejaVuSansCondensed-Bold.ttf"};
    for (const char* file : files) {
        const QString path =
            QStringLiteral("/usr/share/fonts/truetype/dejavu/") + QLatin1String(file);
        if (QFontDatabase::addApplicationFont(path) < 0)
            return false;
    }
    return true;
}

QFont font(const QString& family, qreal pixelSize, bool bold)
{
    QFont f(family);
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    // Hinting follows the font configuration of the machine; without it the
    // glyph outlines are the same everywhere.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    return f;
}

} // namespace art
