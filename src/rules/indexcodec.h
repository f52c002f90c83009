#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <functional>
#include <optional>

// The country index travels as a gzip stream (RFC 1952) of big-endian signed
// 32-bit words, one per pixel in row-major order.
namespace IndexCodec {

// Called with the range of words [first, first + count) that has just been
// decoded; the words are still big-endian, as they travel, so that the caller
// converts them in the same pass in which it uses them.
using WordsReady = std::function<void(int first, int count)>;

// Inflates straight into `words`, never writing more than `capacity` words
// whatever the stream claims; returns the number of complete words decoded.
// A truncated or corrupt stream ends the decoding where it breaks.
int inflate(const char* data, int length, qint32* words, int capacity,
            const WordsReady& ready = {});

// Inflates into at most maxOutput bytes, for input that must be exactly one
// well-formed gzip member: nothing for a damaged or truncated stream, for
// bytes after it, or for output that would pass the bound, so a small block
// cannot blow up into gigabytes.
std::optional<QByteArray> inflateBounded(const QByteArray& gzip, qsizetype maxOutput);

QByteArray deflate(const qint32* words, int count);

} // namespace IndexCodec
