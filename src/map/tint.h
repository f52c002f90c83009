#pragma once

#include <QColor>
#include <QRgb>

#include <array>

// Lays 100/255 of a fill colour over a picture pixel so that the picture's
// texture stays visible: each channel becomes c + (o - c) * 155 / 255.
class Tint
{
public:
    explicit Tint(const QColor& colour);

    QRgb apply(QRgb original) const
    {
        return 0xff000000u | m_red[qRed(original)] | m_green[qGreen(original)] |
               m_blue[qBlue(original)];
    }

    static int channel(int fill, int original) { return fill + (original - fill) * 155 / 255; }

private:
    // One table per channel, already shifted into place: a fill touches
    // thousands of pixels with the same colour.
    std::array<QRgb, 256> m_red;
    std::array<QRgb, 256> m_green;
    std::array<QRgb, 256> m_blue;
};
