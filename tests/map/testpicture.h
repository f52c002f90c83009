#pragma once

#include "indexcodec.h"

#include <QImage>

#include <vector>

// A small synthetic base picture: a sea frame of the background colour round
// a textured land block of 60 x 30 pixels. Land x 2..57, y 2..27.
namespace TestPicture {

constexpr int Width = 60;
constexpr int Height = 30;
constexpr QRgb Sea = 0xff1030a0u;

inline bool isLand(int x, int y)
{
    return x >= 2 && x <= 57 && y >= 2 && y <= 27;
}

inline QImage image()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            image.setPixel(x, y, isLand(x, y) ? qRgb(40 + 3 * x, 120 + 2 * y, 60) : Sea);
    return image;
}

// Three countries side by side, separated by one-pixel borders with halos:
// country 1 at x 2..17, border 19, country 2 at x 21..37, border 39,
// country 3 at x 41..57; halo columns 18, 20, 38, 40.
inline std::vector<qint32> index()
{
    std::vector<qint32> index(size_t(Width * Height), -1);
    for (int y = 2; y <= 27; ++y) {
        for (int x = 2; x <= 57; ++x) {
            const bool border = x == 19 || x == 39;
            const bool halo = x == 18 || x == 20 || x == 38 || x == 40;
            index[size_t(y * Width + x)] = border ? -1 : halo ? -2 : x <= 17 ? 1 : x <= 37 ? 2 : 3;
        }
    }
    return index;
}

inline QByteArray compressedIndex()
{
    const std::vector<qint32> words = index();
    return IndexCodec::deflate(words.data(), int(words.size()));
}

} // namespace TestPicture
