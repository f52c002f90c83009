#include "tint.h"

Tint::Tint(const QColor& colour)
{
    const QRgb c = colour.rgb();
    for (int o = 0; o < 256; ++o) {
        m_red[o] = QRgb(channel(qRed(c), o)) << 16;
        m_green[o] = QRgb(channel(qGreen(c), o)) << 8;
        m_blue[o] = QRgb(channel(qBlue(c), o));
    }
}
