#include "message.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

// Buffers up to this size survive clear(), so the usual small fields of the
// next message need no allocation; a map block is given back at once.
constexpr qsizetype KeptCapacity = 4096;

qint32 readBigEndian(const unsigned char* bytes)
{
    return qFromBigEndian<qint32>(bytes);
}

} // namespace

MessageField MessageField::fromInt(qint32 value)
{
    MessageField f;
    f.m_tag = Integer;
    f.setLength(4);
    f.m_data.resize(4);
    qToBigEndian<qint32>(value, f.m_data.data());
    f.m_received = HeadSize + 4;
    return f;
}

MessageField MessageField::fromString(const char* text)
{
    const qsizetype n = text ? qstrlen(text) : 0;
    MessageField f;
    f.m_tag = String;
    f.setLength(qint32(n + 1));
    f.m_data.resize(n + 1);
    if (n)
        std::memcpy(f.m_data.data(), text, size_t(n));
    f.m_data[n] = '\0';
    f.m_received = HeadSize + int(n) + 1;
    return f;
}

MessageField MessageField::fromBytes(const unsigned char* bytes, int length)
{
    MessageField f;
    f.m_tag = Bytes;
    length = std::max(length, 0);
    f.setLength(length);
    if (length > 0 && bytes)
        f.m_data = QByteArray(reinterpret_cast<const char*>(bytes), length);
    else if (length > 0)
        f.m_data = QByteArray(length, '\0');
    f.m_received = HeadSize + length;
    return f;
}

void MessageField::setLength(qint32 length)
{
    qToBigEndian<qint32>(length, m_length);
}

qint32 MessageField::length() const
{
    return readBigEndian(m_length);
}

bool MessageField::isComplete() const
{
    const qint32 len = length();
    // A length that feed() rejected never completes the field.
    return m_received >= HeadSize && len >= 0 && len <= MaxLength && m_received >= len + HeadSize;
}

void MessageField::reset()
{
    m_tag = 0;
    std::memset(m_length, 0, sizeof m_length);
    if (m_data.capacity() > KeptCapacity)
        m_data = QByteArray();
    else
        m_data.resize(0);
    m_received = 0;
}

int MessageField::feed(const unsigned char* bytes, int n)
{
    if (n < 0 || n > MaxLength)
        return -1;
    if (n == 0)
        return 0;

    int used = 0;
    if (m_received == 0) {
        m_tag = bytes[used++];
        m_received = 1;
        if (m_tag == Integer) {
            setLength(4);
            m_received = HeadSize;
        }
    }
    while (m_received < HeadSize) {
        if (used == n)
            return used;
        m_length[m_received - 1] = bytes[used++];
        ++m_received;
    }

    const qint32 len = length();
    if (len < 0 || len > MaxLength)
        return -1;
    if (isComplete())
        return used;

    const int have = m_received - HeadSize;
    if (have == 0)
        m_data.resize(len);
    const int take = std::min(len - have, n - used);
    std::memcpy(m_data.data() + have, bytes + used, size_t(take));
    m_received += take;
    used += take;
    // A string always ends inside its field, whatever the peer sent.
    if (m_tag == String && isComplete())
        m_data[len - 1] = '\0';
    return used;
}

int MessageField::wireSize() const
{
    return m_tag == Integer ? HeadSize : HeadSize + std::max(length(), 0);
}

char* MessageField::write(char* out) const
{
    *out++ = char(m_tag);
    if (m_tag != Integer) {
        std::memcpy(out, m_length, sizeof m_length);
        out += sizeof m_length;
    }
    const qint32 len = m_tag == Integer ? 4 : length();
    if (len > 0 && !m_data.isEmpty()) {
        std::memcpy(out, m_data.constData(), size_t(len));
    } else if (len > 0) {
        std::memset(out, 0, size_t(len));
    }
    return out + std::max(len, 0);
}

MessageField& Message::appendField()
{
    if (m_used == m_fields.size())
        m_fields.emplace_back();
    else
        m_fields[m_used].reset();
    return m_fields[m_used++];
}

void Message::built()
{
    m_state = Built;
    m_serialised.clear();
}

void Message::addInt(qint32 value)
{
    appendField() = MessageField::fromInt(value);
    built();
}

void Message::addString(const char* text)
{
    appendField() = MessageField::fromString(text);
    built();
}

void Message::addBytes(const unsigned char* bytes, int length)
{
    appendField() = MessageField::fromBytes(bytes, length);
    built();
}

const MessageField* Message::field(int i) const
{
    if (i < 0 || i >= m_used)
        return nullptr;
    return &m_fields[i];
}

qint32 Message::getInt(int i) const
{
    const MessageField* f = field(i);
    if (!f || f->tag() != MessageField::Integer || !f->hasData() || !f->isComplete())
        return 0;
    return readBigEndian(reinterpret_cast<const unsigned char*>(f->data()));
}

const char* Message::getString(int i) const
{
    const MessageField* f = field(i);
    if (!f || f->tag() != MessageField::String || !f->hasData() || !f->isComplete())
        return nullptr;
    return f->data();
}

const unsigned char* Message::getBytes(int i) const
{
    const MessageField* f = field(i);
    if (!f || f->tag() != MessageField::Bytes || !f->hasData() || !f->isComplete())
        return nullptr;
    return reinterpret_cast<const unsigned char*>(f->data());
}

int Message::fieldLength(int i) const
{
    const MessageField* f = field(i);
    return f ? f->length() : 0;
}

int Message::size() const
{
    int total = CountSize;
    for (int i = 0; i < m_used; ++i)
        total += m_fields[i].wireSize();
    return total;
}

const QByteArray& Message::data() const
{
    if (m_serialised.isEmpty()) {
        m_serialised.resize(size());
        char* out = m_serialised.data();
        qToBigEndian<qint32>(m_used, out);
        out += CountSize;
        for (int i = 0; i < m_used; ++i)
            out = m_fields[i].write(out);
    }
    return m_serialised;
}

int Message::feed(const unsigned char* bytes, int n)
{
    m_state = Receiving;
    m_serialised.clear();
    if (n <= 0)
        return 0;

    int used = 0;
    while (m_headerReceived < CountSize && used < n)
        m_count[m_headerReceived++] = bytes[used++];
    if (m_headerReceived < CountSize)
        return used;

    const qint32 count = readBigEndian(m_count);
    if (count < 0 || count > MaxFields)
        return -1;

    while (used < n && !isComplete()) {
        MessageField* last = m_used > 0 ? &m_fields[m_used - 1] : nullptr;
        if (!last || last->isComplete())
            last = &appendField();
        const int r = last->feed(bytes + used, std::min(n - used, int(MessageField::MaxLength)));
        if (r < 0)
            return -1;
        used += r;
    }
    return used;
}

bool Message::isComplete() const
{
    switch (m_state) {
    case Built:
        return true;
    case Empty:
        return false;
    case Receiving:
        break;
    }
    if (m_headerReceived < CountSize)
        return false;
    const qint32 count = readBigEndian(m_count);
    // A count that feed() rejected never completes the message.
    if (count < 0 || count > MaxFields || m_used < count)
        return false;
    if (count == 0)
        return true;
    return m_fields[m_used - 1].isComplete();
}

void Message::clear()
{
    for (int i = 0; i < m_used; ++i)
        m_fields[i].reset();
    m_used = 0;
    std::memset(m_count, 0, sizeof m_count);
    m_headerReceived = 0;
    m_state = Empty;
    m_serialised.clear();
}
