#include "indexcodec.h"

#include <QtEndian>

#include <algorithm>
#include <zlib.h>

namespace {

// Gzip framing instead of a bare zlib stream.
constexpr int GzipWindowBits = 15 + 16;
// Words converted for deflating at a time.
constexpr int ChunkWords = 4096;

} // namespace

namespace IndexCodec {

int inflate(const char* data, int length, qint32* words, int capacity, const WordsReady& ready)
{
    if (!data || length <= 0 || !words || capacity <= 0)
        return 0;

    z_stream stream{};
    if (inflateInit2(&stream, GzipWindowBits) != Z_OK)
        return 0;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = uInt(length);

    auto* out = reinterpret_cast<unsigned char*>(words);
    const size_t totalBytes = size_t(capacity) * sizeof(qint32);
    size_t produced = 0;
    int done = 0;
    while (produced < totalBytes) {
        // One call with the whole room lets zlib stay on its fast path; the
        // room ends at the index, so a longer stream cannot write past it.
        const size_t room = totalBytes - produced;
        stream.next_out = out + produced;
        stream.avail_out = uInt(room);
        const int status = ::inflate(&stream, Z_NO_FLUSH);
        produced += room - stream.avail_out;

        const int complete = int(produced / sizeof(qint32));
        if (complete > done) {
            if (ready)
                ready(done, complete - done);
            done = complete;
        }
        if (status != Z_OK)
            break;
        if (stream.avail_out == uInt(room) && stream.avail_in == 0)
            break;
    }
    inflateEnd(&stream);
    return done;
}

QByteArray deflate(const qint32* words, int count)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, GzipWindowBits, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return {};

    const uLong inputBytes = uLong(std::max(count, 0)) * sizeof(qint32);
    QByteArray block(qsizetype(deflateBound(&stream, inputBytes)), Qt::Uninitialized);
    stream.next_out = reinterpret_cast<Bytef*>(block.data());
    stream.avail_out = uInt(block.size());

    qint32 chunk[ChunkWords];
    int status = Z_OK;
    for (int first = 0; status == Z_OK;) {
        const int n = std::min(ChunkWords, std::max(count, 0) - first);
        for (int k = 0; k < n; ++k)
            chunk[k] = qToBigEndian(words[first + k]);
        first += n;
        stream.next_in = reinterpret_cast<Bytef*>(chunk);
        stream.avail_in = uInt(n) * sizeof(qint32);
        status = ::deflate(&stream, first >= count ? Z_FINISH : Z_NO_FLUSH);
        if (status == Z_STREAM_END)
            break;
    }
    const bool ok = status == Z_STREAM_END;
    block.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return ok ? block : QByteArray();
}

} // namespace IndexCodec
