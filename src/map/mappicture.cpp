#include "mappicture.h"

#include "country.h"
#include "indexcodec.h"
#include "mapline.h"
#include "tint.h"

#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace {

constexpr int FileDetailScale = 3;

// Tints for the few fill colours a refresh meets, built once each.
class TintCache
{
public:
    const Tint& operator[](QRgb colour)
    {
        for (auto& [c, tint] : m_tints) {
            if (c == colour)
                return *tint;
        }
        if (m_tints.size() == 16)
            m_tints.erase(m_tints.begin());
        m_tints.emplace_back(colour, std::make_unique<Tint>(QColor::fromRgb(colour)));
        return *m_tints.back().second;
    }

private:
    std::vector<std::pair<QRgb, std::unique_ptr<Tint>>> m_tints;
};

} // namespace

MapPicture::MapPicture(const QString& name, const QString& fileName)
    : MapPicture(name, QImage(fileName))
{
    if (fileName.endsWith(QLatin1String(".png"))) {
        m_detailFile = fileName;
        m_detailFile.insert(m_detailFile.size() - 4, QStringLiteral("@%1x").arg(FileDetailScale));
    }
}

MapPicture::MapPicture(const QString& name, const QImage& image, const QImage& detail)
    : m_name(name), m_picture(image.convertToFormat(QImage::Format_RGB32))
{
    build();
    if (isNull() || detail.isNull() || detail.width() % width() != 0 ||
        detail.width() / width() < 2 || detail.size() != size() * (detail.width() / width()))
        return;
    m_detail = detail.convertToFormat(QImage::Format_RGB32);
    m_detailScale = detail.width() / width();
}

void MapPicture::build()
{
    if (m_picture.isNull()) {
        m_picture = QImage();
        return;
    }
    // A 32-bit image has no padding between lines, so the whole picture can
    // be walked as one array of w * h pixels.
    m_background = m_picture.pixel(0, 0);
    const int total = width() * height();
    const QRgb* pic = pictureLine(0);
    m_mask.resize(size_t(total));
    for (int k = 0; k < total; ++k)
        m_mask[size_t(k)] = pic[k] == m_background ? Outside : Unclaimed;
    m_index = m_mask;
    m_tint.assign(size_t(total), 0);
    m_coloured = m_picture.copy();
}

bool MapPicture::loadDetail()
{
    if (m_detailScale > 1 || m_detailFile.isEmpty())
        return m_detailScale > 1;
    QImage detail(m_detailFile);
    if (detail.size() != size() * FileDetailScale) {
        // Without a usable file the picture itself is scaled.
        m_detailFile.clear();
        return false;
    }
    m_detail = detail.convertToFormat(QImage::Format_RGB32);
    m_detailScale = FileDetailScale;
    return true;
}

qint32 MapPicture::indexAt(QPoint point) const
{
    if (!rect().contains(point))
        return 0;
    return m_index[size_t(point.y()) * size_t(width()) + size_t(point.x())];
}

qint32 MapPicture::maskAt(QPoint point) const
{
    if (!rect().contains(point))
        return 0;
    return m_mask[size_t(point.y()) * size_t(width()) + size_t(point.x())];
}

void MapPicture::fill(const Country& country, const QColor& colour)
{
    const QRect area = country.area.intersected(rect());
    if (area.isEmpty())
        return;
    const bool tinted = colour.isValid();
    const Tint tint(tinted ? colour : QColor(Qt::black));
    const QRgb tintColour = tinted ? colour.rgb() : 0;
    const int w = width();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const size_t line = size_t(y) * size_t(w);
        const qint32* index = m_index.data() + line;
        const qint32* mask = m_mask.data() + line;
        QRgb* tints = m_tint.data() + line;
        const QRgb* pic = pictureLine(y);
        QRgb* col = colouredLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if (index[x] != country.number || mask[x] == Outside)
                continue;
            col[x] = tinted ? tint.apply(pic[x]) : pic[x];
            tints[x] = tintColour;
        }
    }
}

QRect MapPicture::fillArea(Country& country, QPoint point)
{
    if (indexAt(point) != Unclaimed || !rect().contains(point) || country.number <= 0)
        return {};
    const int w = width();
    const int h = height();
    const QColor redColour(255, 0, 0);
    const Tint red(redColour);
    qint32* index = m_index.data();
    const QRgb* pic = pictureLine(0);
    QRgb* col = colouredLine(0);

    int left = point.x(), right = point.x(), top = point.y(), bottom = point.y();
    // Pixels are claimed when pushed, so each enters the stack at most once
    // and the stack never holds more than the picture's pixel count.
    std::vector<int> stack;
    stack.reserve(1024);
    auto claim = [&](int k) {
        index[k] = country.number;
        if (m_mask[size_t(k)] != Outside) {
            col[k] = red.apply(pic[k]);
            m_tint[size_t(k)] = redColour.rgb();
        }
        stack.push_back(k);
    };
    claim(point.y() * w + point.x());
    while (!stack.empty()) {
        const int k = stack.back();
        stack.pop_back();
        const int x = k % w;
        const int y = k / w;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        if (x > 0 && index[k - 1] == Unclaimed)
            claim(k - 1);
        if (x + 1 < w && index[k + 1] == Unclaimed)
            claim(k + 1);
        if (y > 0 && index[k - w] == Unclaimed)
            claim(k - w);
        if (y + 1 < h && index[k + w] == Unclaimed)
            claim(k + w);
    }
    const QRect filled(QPoint(left, top), QPoint(right, bottom));
    country.area = country.area.isEmpty() ? filled : country.area.united(filled);
    return filled;
}

void MapPicture::burnLine(const MapLine& line)
{
    const int w = width();
    const QRect bounds = rect();
    for (const QPoint& p : line.pixels()) {
        if (!bounds.contains(p))
            continue;
        const size_t k = size_t(p.y()) * size_t(w) + size_t(p.x());
        if (m_mask[k] == Outside)
            continue;
        QRgb* col = colouredLine(p.y());
        if ((m_index[k] == Outside || m_index[k] == Halo) && col[p.x()] == Black)
            continue;
        m_index[k] = Outside;
        col[p.x()] = Black;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint q(p.x() + dx, p.y() + dy);
                if ((dx == 0 && dy == 0) || !bounds.contains(q))
                    continue;
                const size_t n = size_t(q.y()) * size_t(w) + size_t(q.x());
                if (m_index[n] == Outside || m_index[n] == Halo || m_mask[n] == Outside)
                    continue;
                m_index[n] = Halo;
                colouredLine(q.y())[q.x()] = Grey;
            }
        }
    }
}

void MapPicture::restore()
{
    m_block.clear();
    if (isNull())
        return;
    std::memcpy(m_coloured.bits(), m_picture.constBits(), size_t(m_picture.sizeInBytes()));
    m_index = m_mask;
    std::fill(m_tint.begin(), m_tint.end(), 0);
}

void MapPicture::setIndex(const char* data, int length)
{
    m_block.clear();
    if (isNull())
        return;
    const int total = width() * height();
    qint32* index = m_index.data();
    const qint32* mask = m_mask.data();
    const QRgb* pic = pictureLine(0);
    QRgb* col = colouredLine(0);
    const QRgb background = m_background;
    const int decoded = IndexCodec::inflate(data, length, index, total, [&](int first, int count) {
        // One pass converts each word and recolours its pixel, with selects
        // instead of branches so that it vectorises; the picture's own pixel
        // tells the outside apart, so the mask need not be read.
        for (int k = first; k < first + count; ++k) {
            const qint32 v = qFromBigEndian(index[k]);
            index[k] = v;
            const QRgb p = pic[k];
            QRgb c = v == Outside ? Black : p;
            c = v == Halo ? Grey : c;
            col[k] = p == background ? p : c;
        }
    });
    // Whatever the stream did not cover is bare picture again.
    std::copy(mask + decoded, mask + total, index + decoded);
    std::copy(pic + decoded, pic + total, col + decoded);
    std::fill(m_tint.begin(), m_tint.end(), 0);
}

void MapPicture::compressIndex()
{
    m_block = isNull() ? QByteArray() : IndexCodec::deflate(m_index.data(), width() * height());
}

void MapPicture::setDisplaySize(const QSize& size)
{
    if (isNull() || size.isEmpty() || size == m_display.size())
        return;
    // The detail is only worth its memory when the board is larger than the
    // picture; at the picture's own size and below the picture scales well.
    if (size.width() > width() || size.height() > height()) {
        if (loadDetail() && m_detailColoured.size() != m_detail.size())
            m_detailColoured = QImage(m_detail.size(), QImage::Format_RGB32);
    }
    m_display = QImage(size, QImage::Format_RGB32);
    refresh();
}

void MapPicture::releaseDisplay()
{
    m_display = QImage();
    m_detailColoured = QImage();
    if (!m_detailFile.isEmpty()) {
        m_detail = QImage();
        m_detailScale = 1;
    }
}

void MapPicture::refresh()
{
    refreshRect(rect());
}

void MapPicture::refreshRect(const QRect& rect)
{
    // The coast a detail picture adds beside a picture pixel takes that
    // pixel's colour, so with a detail a change reaches one pixel further.
    const QRect r =
        (m_detailScale > 1 ? rect.adjusted(-1, -1, 1, 1) : rect).intersected(this->rect());
    if (r.isEmpty() || m_display.isNull())
        return;
    colourDetail(r);
    scaleToDisplay(r);
}

void MapPicture::colourDetail(const QRect& r)
{
    const int k = m_detailScale;
    if (k == 1 || m_detailColoured.isNull())
        return;
    const int w = width();
    const QRgb background = m_background;
    TintCache tints;
    // What a picture pixel lays over its block of detail pixels: a solid
    // colour for borders and halos, a country's tint over the detail's own
    // texture, or nothing.
    struct Cover
    {
        QRgb solid = 0;
        const Tint* tint = nullptr;
    };
    auto cover = [&](size_t at) {
        const qint32 v = m_index[at];
        if (v == Outside)
            return Cover{Black, nullptr};
        if (v == Halo)
            return Cover{Grey, nullptr};
        const QRgb tint = m_tint[at];
        return Cover{0, tint ? &tints[tint] : nullptr};
    };
    auto apply = [](const Cover& c, QRgb detail) {
        return c.solid ? c.solid : c.tint ? c.tint->apply(detail) : detail;
    };
    std::vector<Cover> covers(size_t(r.width()));
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const size_t line = size_t(y) * size_t(w);
        for (int x = r.left(); x <= r.right(); ++x)
            covers[size_t(x - r.left())] =
                m_mask[line + size_t(x)] != Outside ? cover(line + size_t(x)) : Cover{};
        for (int sy = 0; sy < k; ++sy) {
            const int Y = y * k + sy;
            const QRgb* pic = reinterpret_cast<const QRgb*>(m_detail.constScanLine(Y));
            QRgb* out = reinterpret_cast<QRgb*>(m_detailColoured.scanLine(Y));
            const int ny = sy == 0 ? y - 1 : sy == k - 1 ? y + 1 : y;
            for (int x = r.left(); x <= r.right(); ++x) {
                const size_t s = line + size_t(x);
                const int X0 = x * k;
                if (m_mask[s] != Outside) {
                    const Cover& c = covers[size_t(x - r.left())];
                    for (int X = X0; X < X0 + k; ++X)
                        out[X] = pic[X] == background ? pic[X] : apply(c, pic[X]);
                    continue;
                }
                for (int sx = 0; sx < k; ++sx) {
                    const int X = X0 + sx;
                    out[X] = pic[X];
                    if (pic[X] == background)
                        continue;
                    // Land the smooth coast adds beside the picture's land
                    // takes the colour of the land it adjoins: detail pixels
                    // at the edge of their block look to the next picture
                    // pixel on that side.
                    const int nx = sx == 0 ? x - 1 : sx == k - 1 ? x + 1 : x;
                    for (const QPoint n : {QPoint(nx, y), QPoint(x, ny), QPoint(nx, ny)}) {
                        if (n == QPoint(x, y) || !rect().contains(n))
                            continue;
                        const size_t t = size_t(n.y()) * size_t(w) + size_t(n.x());
                        if (m_mask[t] != Outside) {
                            out[X] = apply(cover(t), pic[X]);
                            break;
                        }
                    }
                }
            }
        }
    }
}

void MapPicture::scaleToDisplay(const QRect& r)
{
    const QImage& source = detailColoured();
    const qreal fx = qreal(m_display.width()) / width();
    const qreal fy = qreal(m_display.height()) / height();
    // One display pixel more on each side: smooth scaling reads across the
    // rectangle's edge.
    const QRect target = QRectF(r.x() * fx, r.y() * fy, r.width() * fx, r.height() * fy)
                             .toAlignedRect()
                             .adjusted(-1, -1, 1, 1)
                             .intersected(m_display.rect());
    QPainter painter(&m_display);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, source.size() != m_display.size());
    painter.setClipRect(target);
    painter.drawImage(QRectF(m_display.rect()), source);
}
