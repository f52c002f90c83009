#include "mappicture.h"

#include "country.h"
#include "indexcodec.h"
#include "mapline.h"
#include "tint.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

MapPicture::MapPicture(const QString& name, const QString& fileName)
    : MapPicture(name, QImage(fileName))
{}

MapPicture::MapPicture(const QString& name, const QImage& image)
    : m_name(name), m_picture(image.convertToFormat(QImage::Format_RGB32))
{
    build();
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
    m_coloured = m_picture.copy();
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
    const int w = width();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const qint32* index = m_index.data() + size_t(y) * size_t(w);
        const qint32* mask = m_mask.data() + size_t(y) * size_t(w);
        const QRgb* pic = pictureLine(y);
        QRgb* col = colouredLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if (index[x] != country.number || mask[x] == Outside)
                continue;
            col[x] = tinted ? tint.apply(pic[x]) : pic[x];
        }
    }
}

QRect MapPicture::fillArea(Country& country, QPoint point)
{
    if (indexAt(point) != Unclaimed || !rect().contains(point) || country.number <= 0)
        return {};
    const int w = width();
    const int h = height();
    const Tint red(QColor(255, 0, 0));
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
        if (m_mask[size_t(k)] != Outside)
            col[k] = red.apply(pic[k]);
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
}

void MapPicture::compressIndex()
{
    m_block = isNull() ? QByteArray() : IndexCodec::deflate(m_index.data(), width() * height());
}

void MapPicture::setDevicePixelRatio(int ratio)
{
    ratio = std::max(ratio, 1);
    if (ratio == m_ratio && !m_display.isNull())
        return;
    m_ratio = ratio;
    m_display = QImage();
    refresh();
}

void MapPicture::refresh()
{
    if (isNull())
        return;
    if (m_display.size() != size() * m_ratio) {
        m_display = QImage(size() * m_ratio, QImage::Format_RGB32);
        m_display.setDevicePixelRatio(m_ratio);
    }
    refreshRect(rect());
}

void MapPicture::refreshRect(const QRect& rect)
{
    const QRect r = rect.intersected(this->rect());
    if (r.isEmpty() || m_display.isNull())
        return;
    const int ratio = m_ratio;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(m_coloured.constScanLine(y)) + r.left();
        for (int dy = 0; dy < ratio; ++dy) {
            QRgb* dst =
                reinterpret_cast<QRgb*>(m_display.scanLine(y * ratio + dy)) + r.left() * ratio;
            if (ratio == 1) {
                std::copy(src, src + r.width(), dst);
                continue;
            }
            for (int x = 0; x < r.width(); ++x)
                std::fill_n(dst + x * ratio, ratio, src[x]);
        }
    }
}
