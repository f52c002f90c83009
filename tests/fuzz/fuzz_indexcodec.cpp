// The country index codec on any stream: inflating never writes past the
// room it is given and reports contiguous ranges inside it, and what it
// decoded deflates and inflates back to the same words.

#include "fuzzcheck.h"
#include "indexcodec.h"

#include <QtEndian>

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes choose the room, up to a fifth of a board.
    const int capacity = 1 + (data[0] | (data[1] << 8));
    const char* stream = reinterpret_cast<const char*>(data + 2);
    const int length = int(size - 2);

    std::vector<qint32> words(size_t(capacity) + 1, 0x5a5a5a5a);
    int next = 0;
    const int done =
        IndexCodec::inflate(stream, length, words.data(), capacity, [&](int first, int count) {
            FUZZ_CHECK(first == next);
            FUZZ_CHECK(count > 0);
            next = first + count;
            FUZZ_CHECK(next <= capacity);
        });
    FUZZ_CHECK(done >= 0 && done <= capacity);
    FUZZ_CHECK(done == next);
    FUZZ_CHECK(words[size_t(capacity)] == 0x5a5a5a5a);

    std::vector<qint32> decoded(words.begin(), words.begin() + done);
    for (qint32& w : decoded)
        w = qFromBigEndian(w);
    const QByteArray packed = IndexCodec::deflate(decoded.data(), done);
    std::vector<qint32> back(size_t(done) + 1);
    const int again =
        IndexCodec::inflate(packed.constData(), int(packed.size()), back.data(), int(back.size()));
    FUZZ_CHECK(again == done);
    for (int i = 0; i < done; ++i)
        FUZZ_CHECK(qFromBigEndian(back[size_t(i)]) == decoded[size_t(i)]);
    return 0;
}
