#include "message.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

qint32 readBigEndian(const unsigned char* bytes)
{
    return qFromBigEndian<qint32>(bytes);
}

bool validLength(qint32 length)
{
    return length >= 0 && length <= MessageField::MaxLength;
}

} // namespace

MessageField MessageField::fromInt(qint32 value)
{
    MessageField f;
    f.m_tag = Integer;
    f.setLength(4);
    qToBigEndian<qint32>(value, f.m_int);
    f.m_received = HeadSize + 4;
    return f;
}

MessageField MessageField::fromString(const char* text)
{
    const qsizetype n = text ? qstrlen(text) : 0;
    MessageField f;
    f.m_tag = String;
    f.setLength(qint32(n + 1));
    // The terminating NUL of the text is the field's last byte.
    f.m_data = QByteArray(text ? text : "", n + 1);
    f.m_received = HeadSize + f.m_size;
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
    m_size = length;
}

qint32 MessageField::length() const
{
    return readBigEndian(m_length);
}

const char* MessageField::data() const
{
    if (!isComplete() || m_size == 0)
        return nullptr;
    return m_tag == Integer ? reinterpret_cast<const char*>(m_int) : m_data.constData();
}

int MessageField::feed(const unsigned char* bytes, int n)
{
    if (n < 0 || n > MaxLength)
        return -1;
    if (n == 0)
        return 0;

    // Most fields arrive whole inside one chunk: take those in one step.
    if (m_received == 0 && n >= HeadSize) {
        m_tag = bytes[0];
        if (m_tag == Integer) {
            std::memcpy(m_int, bytes + 1, sizeof m_int);
            setLength(4);
            m_received = HeadSize + 4;
            return HeadSize;
        }
        const qint32 len = readBigEndian(bytes + 1);
        if (validLength(len) && n - HeadSize >= len) {
            std::memcpy(m_length, bytes + 1, sizeof m_length);
            m_size = len;
            m_data.resize(len);
            if (len > 0) {
                std::memcpy(m_data.data(), bytes + HeadSize, size_t(len));
                if (m_tag == String)
                    m_data[len - 1] = '\0';
            }
            m_received = HeadSize + len;
            return m_received;
        }
    }

    int used = 0;
    if (m_received == 0) {
        m_tag = bytes[used++];
        m_received = 1;
        if (m_tag == Integer) {
            setLength(4);
            m_received = HeadSize;
        }
    }
    if (m_received < HeadSize) {
        const int take = std::min(HeadSize - m_received, n - used);
        std::memcpy(m_length + m_received - 1, bytes + used, size_t(take));
        m_received += take;
        used += take;
        if (m_received < HeadSize)
            return used;
        const qint32 len = readBigEndian(m_length);
        if (!validLength(len))
            return -1;
        m_size = len;
        // The buffer grows with the bytes that arrive, never to the announced
        // length at once: a peer that announces a large field and then sends
        // nothing costs no more memory than it has sent.
        if (m_tag != Integer)
            m_data.truncate(0);
    }
    if (m_size < 0)
        return -1;

    const int have = m_received - HeadSize;
    const int take = std::min(m_size - have, n - used);
    if (take > 0) {
        if (m_tag == Integer)
            std::memcpy(m_int + have, bytes + used, size_t(take));
        else
            m_data.append(reinterpret_cast<const char*>(bytes + used), take);
        m_received += take;
        used += take;
        // A string always ends inside its field, whatever the peer sent.
        if (m_tag == String && isComplete())
            m_data[m_size - 1] = '\0';
    }
    return used;
}

qsizetype MessageField::heldBytes() const
{
    return m_data.capacity();
}

int MessageField::wireSize() const
{
    return m_tag == Integer ? HeadSize : HeadSize + std::max(length(), 0);
}

char* MessageField::write(char* out) const
{
    *out++ = char(m_tag);
    if (m_tag == Integer) {
        std::memcpy(out, m_int, sizeof m_int);
        return out + sizeof m_int;
    }
    std::memcpy(out, m_length, sizeof m_length);
    out += sizeof m_length;
    const qint32 len = std::max(length(), 0);
    if (len > 0 && m_data.size() >= len)
        std::memcpy(out, m_data.constData(), size_t(len));
    else if (len > 0)
        std::memset(out, 0, size_t(len));
    return out + len;
}

void Message::built()
{
    m_state = Built;
    dropSerialised();
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
    if (!f || f->tag() != MessageField::Integer)
        return 0;
    const char* d = f->data();
    return d ? readBigEndian(reinterpret_cast<const unsigned char*>(d)) : 0;
}

const char* Message::getString(int i) const
{
    const MessageField* f = field(i);
    if (!f || f->tag() != MessageField::String)
        return nullptr;
    return f->data();
}

const unsigned char* Message::getBytes(int i) const
{
    const MessageField* f = field(i);
    if (!f || f->tag() != MessageField::Bytes)
        return nullptr;
    return reinterpret_cast<const unsigned char*>(f->data());
}

int Message::fieldLength(int i) const
{
    const MessageField* f = field(i);
    return f ? f->length() : 0;
}

qsizetype Message::heldBytes() const
{
    qsizetype total = m_serialised.capacity();
    for (const MessageField& f : m_fields)
        total += qsizetype(sizeof f) + f.heldBytes();
    return total;
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
    dropSerialised();
    if (n <= 0)
        return 0;

    int used = 0;
    if (m_headerReceived < CountSize) {
        const int take = std::min(CountSize - m_headerReceived, n);
        std::memcpy(m_count + m_headerReceived, bytes, size_t(take));
        m_headerReceived += take;
        used = take;
        if (m_headerReceived < CountSize)
            return used;
        const qint32 count = readBigEndian(m_count);
        if (count < 0 || count > MaxFields)
            return -1;
        m_expected = count;
    }
    if (m_expected < 0)
        return -1;

    while (used < n) {
        MessageField* last = m_used > 0 ? &m_fields[m_used - 1] : nullptr;
        if (!last || last->isComplete()) {
            if (m_used == m_expected)
                break;
            last = &appendField();
        }
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
    // A count that feed() rejected never completes the message.
    if (m_expected < 0 || m_used < m_expected)
        return false;
    return m_expected == 0 || m_fields[m_used - 1].isComplete();
}

void Message::clear()
{
    // Spare slots are reset when they are taken again; only a large buffer
    // is given back now.
    for (int i = 0; i < m_used; ++i)
        m_fields[i].releaseLargeBuffer();
    m_used = 0;
    std::memset(m_count, 0, sizeof m_count);
    m_headerReceived = 0;
    m_expected = -1;
    m_state = Empty;
    dropSerialised();
}
