// Framing and decoding of a received byte stream: the same stream cut into
// random chunks must frame into the same messages as in one piece, every
// typed read of every field must stay inside it, a message's wire form must
// frame back into itself, and the parser must take any of them.

#include "fuzzcheck.h"
#include "message.h"
#include "parser.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <cstring>

namespace {

// Cuts the stream into messages, fed in chunks of 1 to 64 bytes from a small
// generator seeded by `seed` (0: the whole stream at once). A framing error
// ends the list with an empty entry.
QList<QByteArray> frame(const unsigned char* data, int size, uint32_t seed, Parser* parser)
{
    QList<QByteArray> messages;
    Message m;
    uint32_t state = seed;
    for (int offset = 0; offset < size;) {
        int n = size - offset;
        if (seed != 0) {
            state = state * 1103515245u + 12345u;
            n = std::min(n, int(1 + (state >> 16) % 64));
        }
        const int used = m.feed(data + offset, n);
        if (used < 0)
            return messages << QByteArray();
        FUZZ_CHECK(used > 0 || m.isComplete());
        offset += used;
        if (!m.isComplete())
            continue;
        for (int i = -1; i <= m.count(); ++i) {
            const int length = m.fieldLength(i);
            FUZZ_CHECK(length >= 0 && length <= MessageField::MaxLength);
            if (const char* text = m.getString(i))
                FUZZ_CHECK(int(std::strlen(text)) < length);
            if (m.getBytes(i))
                FUZZ_CHECK(length > 0);
            m.getInt(i);
        }
        if (parser)
            parser->parse(&m);
        messages.append(m.data());
        m.clear();
    }
    return messages;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > 4 * 1024 * 1024)
        return 0;
    static Parser parser;
    const uint32_t seed = 1u + data[0] + (uint32_t(data[1]) << 8);
    const unsigned char* stream = data + 2;
    const int length = int(size - 2);

    const QList<QByteArray> whole = frame(stream, length, 0, &parser);
    FUZZ_CHECK(frame(stream, length, seed, nullptr) == whole);
    for (const QByteArray& wire : whole) {
        if (wire.isEmpty())
            break;
        Message again;
        const int used =
            again.feed(reinterpret_cast<const unsigned char*>(wire.constData()), int(wire.size()));
        FUZZ_CHECK(used == wire.size());
        FUZZ_CHECK(again.isComplete());
        FUZZ_CHECK(again.data() == wire);
    }
    return 0;
}
