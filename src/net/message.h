#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <cstring>

// One field of a protocol message: a tag byte, a 32-bit big-endian length and
// the data. Integers carry no length on the wire; they are kept with length 4.
class MessageField
{
public:
    enum Tag : quint8 { Integer = 0, String = 1, Bytes = 2 };

    static constexpr qint32 MaxLength = 0x100000;
    static constexpr int HeadSize = 5;
    // Buffers up to this size survive reset(), so the usual small fields of
    // the next message need no allocation; a map block is given back at once.
    static constexpr qsizetype KeptCapacity = 4096;

    MessageField() = default;

    static MessageField fromInt(qint32 value);
    static MessageField fromString(const char* text);
    static MessageField fromBytes(const unsigned char* bytes, int length);

    // Takes in up to n received bytes; returns how many were used, or -1 on a
    // length outside 0..MaxLength.
    int feed(const unsigned char* bytes, int n);
    bool isComplete() const { return m_size >= 0 && m_received == HeadSize + m_size; }
    // Forgets the received content but keeps a small buffer for the next message.
    void reset()
    {
        m_tag = 0;
        std::memset(m_length, 0, sizeof m_length);
        m_size = -1;
        m_received = 0;
        releaseLargeBuffer();
    }
    void releaseLargeBuffer()
    {
        if (m_data.capacity() > KeptCapacity)
            m_data = QByteArray();
    }

    quint8 tag() const { return m_tag; }
    qint32 length() const;
    // The data of a complete field; null when it has none (a length of 0).
    const char* data() const;
    // Heap memory the field holds for its data.
    qsizetype heldBytes() const;
    // Bytes on the wire: the tag, the length unless it is an integer, the data.
    int wireSize() const;
    char* write(char* out) const;

private:
    void setLength(qint32 length);

    quint8 m_tag = 0;
    // The length as it came off the wire, and decoded once it is known to be
    // valid (-1 until then).
    unsigned char m_length[4] = {};
    qint32 m_size = -1;
    int m_received = 0;
    // An integer's four value bytes live here rather than on the heap: most
    // fields are integers, and they should cost no allocation.
    unsigned char m_int[4] = {};
    QByteArray m_data;
};

// One protocol message: an ordered list of typed fields, field 0 being the
// opcode by convention. Built for sending with the add functions, or assembled
// from received bytes with feed() in chunks of any size.
class Message
{
public:
    enum State { Empty = 0, Receiving = 1, Built = 2 };

    static constexpr qint32 MaxFields = 1024;
    static constexpr int CountSize = 4;

    Message() = default;

    void addInt(qint32 value);
    void addString(const char* text);
    void addBytes(const unsigned char* bytes, int length);

    // None of these fail: a missing field, or one of another type, reads as 0
    // or null. Strings always end inside their field; a field of length 0
    // reads as null.
    qint32 getInt(int i) const;
    const char* getString(int i) const;
    const unsigned char* getBytes(int i) const;
    int fieldLength(int i) const;
    int count() const { return m_used; }

    int size() const;
    // The wire form, built once and kept until the next change.
    const QByteArray& data() const;

    // Takes in up to n received bytes and never reads beyond the end of this
    // message; returns the number used, or -1 on a framing error.
    int feed(const unsigned char* bytes, int n);
    bool isComplete() const;
    void clear();

    State state() const { return m_state; }
    // Memory held by the fields (spare ones included) and the wire form; it
    // follows the bytes received, not the lengths a peer announces.
    qsizetype heldBytes() const;

private:
    MessageField& appendField()
    {
        if (m_used == m_fields.size())
            m_fields.emplace_back();
        else
            m_fields[m_used].reset();
        return m_fields[m_used++];
    }
    const MessageField* field(int i) const;
    void built();
    void dropSerialised()
    {
        if (!m_serialised.isNull())
            m_serialised = QByteArray();
    }

    // Fields beyond m_used are spare slots kept from earlier messages, so that
    // receiving reuses their buffers instead of allocating for every message.
    QList<MessageField> m_fields;
    int m_used = 0;
    unsigned char m_count[CountSize] = {};
    int m_headerReceived = 0;
    // The decoded count once all four bytes are in and valid, otherwise -1.
    qint32 m_expected = -1;
    State m_state = Empty;
    mutable QByteArray m_serialised;
};
