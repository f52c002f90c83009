#include "indexcodec.h"

#include <QtEndian>

#include <algorithm>
#include <zlib.h>

namespace {

// Gzip framing instead of a bare zlib stream.
constexpr int GzipWindowBits = 15 + 16;
// Words converted for deflating at a time.
constexpr int ChunkWords = 4096;

struct Outcome
{
    qsizetype produced = 0;
    // The stream ended inside the room with no byte after it.
    bool ended = false;
    // The stream holds more than the room.
    bool beyond = false;
};

// Inflates one gzip stream into out[0, room), calling progress with the bytes
// produced so far whenever they grow.
Outcome inflateInto(const char* data, qsizetype length, unsigned char* out, qsizetype room,
                    const std::function<void(qsizetype)>& progress)
{
    Outcome result;
    z_stream stream{};
    if (!data || length <= 0 || inflateInit2(&stream, GzipWindowBits) != Z_OK)
        return result;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = uInt(length);

    int status = Z_OK;
    while (result.produced < room) {
        // One call with the whole room lets zlib stay on its fast path; the
        // room ends where the caller's buffer does, so a longer stream cannot
        // write past it.
        const qsizetype left = room - result.produced;
        stream.next_out = out + result.produced;
        stream.avail_out = uInt(left);
        status = ::inflate(&stream, Z_NO_FLUSH);
        const qsizetype made = left - qsizetype(stream.avail_out);
        result.produced += made;
        if (made > 0 && progress)
            progress(result.produced);
        if (status != Z_OK || (made == 0 && stream.avail_in == 0))
            break;
    }
    if (status == Z_OK && result.produced == room) {
        // The room is full: one byte more tells whether the stream ends here.
        unsigned char probe;
        stream.next_out = &probe;
        stream.avail_out = 1;
        status = ::inflate(&stream, Z_NO_FLUSH);
        result.beyond = stream.avail_out == 0;
    }
    result.ended = status == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    return result;
}

} // namespace

namespace IndexCodec {

int inflate(const char* data, int length, qint32* words, int capacity, const WordsReady& ready)
{
    if (!words || capacity <= 0)
        return 0;
    int done = 0;
    const Outcome outcome = inflateInto(data, length, reinterpret_cast<unsigned char*>(words),
                                        qsizetype(capacity) * 4, [&](qsizetype produced) {
                                            const int complete =
                                                int(produced / qsizetype(sizeof(qint32)));
                                            if (complete > done && ready)
                                                ready(done, complete - done);
                                            done = std::max(done, complete);
                                        });
    return int(outcome.produced / qsizetype(sizeof(qint32)));
}

std::optional<QByteArray> inflateBounded(const QByteArray& gzip, qsizetype maxOutput)
{
    QByteArray out(maxOutput, Qt::Uninitialized);
    const Outcome outcome = inflateInto(
        gzip.constData(), gzip.size(), reinterpret_cast<unsigned char*>(out.data()), maxOutput, {});
    if (!outcome.ended || outcome.beyond)
        return std::nullopt;
    out.truncate(outcome.produced);
    return out;
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
