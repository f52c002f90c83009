#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QSize>
#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QPainter;

namespace art {

// One picture of the program: where it goes below the data folder, its size in
// device-independent pixels, and the painter code that draws it in those units.
// Pictures marked hiDpi are also written at twice the size as name@2x.png.
// An opaque picture, which covers every pixel, is written without an alpha
// channel: it decodes faster and needs no conversion before it is shown.
struct Picture
{
    QString path;
    QSize size;
    bool hiDpi = false;
    std::function<void(QPainter&)> draw;
    bool opaque = false;
};

// A colour ramp from the Tango palette: light, base and dark shade. Every
// picture fills with the light or base shade and outlines with the dark one,
// which keeps the whole set in one style.
struct Ramp
{
    QColor light;
    QColor base;
    QColor dark;
};

namespace palette {
inline const Ramp butter{QColor(0xfc, 0xe9, 0x4f), QColor(0xed, 0xd4, 0x00),
                         QColor(0xc4, 0xa0, 0x00)};
inline const Ramp orange{QColor(0xfc, 0xaf, 0x3e), QColor(0xf5, 0x79, 0x00),
                         QColor(0xce, 0x5c, 0x00)};
inline const Ramp chocolate{QColor(0xe9, 0xb9, 0x6e), QColor(0xc1, 0x7d, 0x11),
                            QColor(0x8f, 0x59, 0x02)};
inline const Ramp chameleon{QColor(0x8a, 0xe2, 0x34), QColor(0x73, 0xd2, 0x16),
                            QColor(0x4e, 0x9a, 0x06)};
inline const Ramp sky{QColor(0x72, 0x9f, 0xcf), QColor(0x34, 0x65, 0xa4), QColor(0x20, 0x4a, 0x87)};
inline const Ramp plum{QColor(0xad, 0x7f, 0xa8), QColor(0x75, 0x50, 0x7b),
                       QColor(0x5c, 0x35, 0x66)};
inline const Ramp scarlet{QColor(0xef, 0x29, 0x29), QColor(0xcc, 0x00, 0x00),
                          QColor(0xa4, 0x00, 0x00)};
inline const Ramp aluminium{QColor(0xee, 0xee, 0xec), QColor(0xd3, 0xd7, 0xcf),
                            QColor(0x88, 0x8a, 0x85)};
inline const Ramp slate{QColor(0x88, 0x8a, 0x85), QColor(0x55, 0x57, 0x53),
                        QColor(0x2e, 0x34, 0x36)};
inline const QColor ink(0x2e, 0x34, 0x36);
inline const QColor paper(0xff, 0xff, 0xff);
inline const QColor cream(0xfb, 0xf8, 0xef);
} // namespace palette

// Fills a path flat and outlines it with a one-unit pen in the ramp's dark shade.
void flat(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& stroke);
void flat(QPainter& p, const QPainterPath& path, const Ramp& ramp);

// Fills a path with a top-to-bottom gradient from the light to the base shade
// and outlines it; used by the larger pictures where a gradient still reads.
void shaded(QPainter& p, const QPainterPath& path, const Ramp& ramp);

// Sets single pixels from a picture drawn in text, '#' for a set pixel; small
// glyphs on 16-pixel icons stay sharp this way.
void pixels(QPainter& p, int x, int y, const QColor& color,
            std::initializer_list<const char*> rows);

// Like pixels, with the shape's edge pixels in the outline colour and the
// inner ones in the fill colour.
void outlined(QPainter& p, int x, int y, const QColor& fill, const QColor& outline,
              std::initializer_list<const char*> rows);

// The red diagonal bar that marks something on a 16-pixel icon as not allowed.
void forbid(QPainter& p);

// A star with the given number of points, the first one at the rotation angle
// (radians, clockwise from straight up).
QPainterPath star(QPointF centre, int points, qreal outer, qreal inner, qreal rotation);

QPainterPath roundedRect(const QRectF& rect, qreal radius);
QPainterPath ellipse(const QRectF& rect);
QPainterPath polygon(std::initializer_list<QPointF> points);

// Draws the picture at the given scale onto a transparent image (an opaque
// picture's image has no alpha channel).
QImage render(const Picture& picture, int scale);
// The picture drawn into a square of the given side, for the application
// icon at the sizes of the desktop's icon theme.
QImage renderSquare(const Picture& picture, int side);

// Loads the DejaVu fonts from their files so the text in the pictures does not
// depend on the machine's font configuration. Returns false if one is missing.
bool loadFonts();
QFont font(const QString& family, qreal pixelSize, bool bold);

} // namespace art
