#include "sheet.h"

#include <QFileInfo>
#include <QPainter>

namespace art {
namespace {

constexpr int sheetWidth = 960;
constexpr int margin = 16;
constexpr int columns = 4;
constexpr int cellWidth = (sheetWidth - 2 * margin) / columns;

QString label(const Picture& picture)
{
    return QFileInfo(picture.path).completeBaseName();
}

// A light checkerboard behind enlarged pictures shows where they are transparent.
void checkerboard(QPainter& p, const QRect& rect)
{
    p.fillRect(rect, QColor(0xff, 0xff, 0xff));
    for (int y = rect.top(); y <= rect.bottom(); y += 8) {
        for (int x = rect.left() + ((y - rect.top()) / 8 % 2) * 8; x <= rect.right(); x += 16)
            p.fillRect(QRect(x, y, 8, 8).intersected(rect), QColor(0xe8, 0xe8, 0xe6));
    }
}

class Layout
{
public:
    explicit Layout(QPainter& p) : m_p(p) {}

    void heading(const QString& text)
    {
        m_y += 14;
        m_p.setPen(palette::ink);
        m_p.setFont(font(QStringLiteral("DejaVu Sans"), 15, true));
        m_p.drawText(QPointF(margin, m_y + 16), text);
        m_p.fillRect(QRectF(margin, m_y + 24, sheetWidth - 2 * margin, 1), palette::aluminium.dark);
        m_y += 34;
    }

    // Lays out cells of the given height in rows of four and calls draw for each.
    void grid(int count, int height, const std::function<void(int, QPoint)>& draw)
    {
        for (int i = 0; i < count; ++i) {
            const QPoint origin(margin + (i % columns) * cellWidth, m_y + (i / columns) * height);
            draw(i, origin);
        }
        m_y += ((count + columns - 1) / columns) * height;
    }

    void name(QPoint at, const QString& text)
    {
        m_p.setPen(palette::ink);
        m_p.setFont(font(QStringLiteral("DejaVu Sans"), 12, false));
        m_p.drawText(at, text);
    }

    int height() const { return m_y + margin; }

private:
    QPainter& m_p;
    int m_y = margin;
};

void drawSheet(QPainter& p, Layout& layout, const Sheet& sheet)
{
    layout.heading(QStringLiteral("List icons, 16 px: real size and four times enlarged"));
    layout.grid(int(sheet.icons.size()), 80, [&](int i, QPoint at) {
        const QImage image = render(sheet.icons[size_t(i)], 1);
        const QRect big(at.x(), at.y() + 4, 64, 64);
        checkerboard(p, big);
        p.drawImage(big, image.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        p.drawImage(QPoint(at.x() + 74, at.y() + 28), image);
        layout.name(QPoint(at.x() + 98, at.y() + 41), label(sheet.icons[size_t(i)]));
    });

    auto twoSizes = [&](const std::vector<Picture>& pictures) {
        layout.grid(int(pictures.size()), 84, [&](int i, QPoint at) {
            const Picture& picture = pictures[size_t(i)];
            const QRect big(at.x(), at.y() + 4, 64, 64);
            checkerboard(p, big);
            p.drawImage(big, render(picture, 2));
            p.drawImage(QPoint(at.x() + 74, at.y() + 20), render(picture, 1));
            layout.name(QPoint(at.x() + 114, at.y() + 41), label(picture));
        });
    };
    layout.heading(QStringLiteral("Tool bar buttons, 32 px and 64 px"));
    twoSizes(sheet.buttons);
    layout.heading(QStringLiteral("Window icons, 32 px and 64 px"));
    twoSizes(sheet.windowIcons);

    layout.heading(QStringLiteral("Cards"));
    layout.grid(int(sheet.cards.size()), 160, [&](int i, QPoint at) {
        const Picture& picture = sheet.cards[size_t(i)];
        p.drawImage(at, render(picture, 1));
        layout.name(QPoint(at.x() + 100, at.y() + 70), label(picture));
    });
}

} // namespace

QImage contactSheet(const Sheet& sheet)
{
    // The height is known only after laying everything out once.
    QImage probe(1, 1, QImage::Format_ARGB32);
    int height = 0;
    {
        QPainter p(&probe);
        Layout layout(p);
        drawSheet(p, layout, sheet);
        height = layout.height();
    }

    QImage image(sheetWidth, height, QImage::Format_RGB32);
    image.fill(QColor(0xf6, 0xf6, 0xf4));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Layout layout(p);
    drawSheet(p, layout, sheet);
    return image;
}

} // namespace art
