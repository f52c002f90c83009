#pragma once

#include "message.h"
#include "protocol.h"

#include <QMetaType>
#include <QStringList>
#include <QVariantList>

// A byte-block field in a field list, told apart from a string field.
struct Block
{
    QByteArray bytes;
};

Q_DECLARE_METATYPE(Block)

// A message from a list of ints (bools as 0 or 1), Latin-1 strings and blocks.
inline Message messageOf(const QVariantList& fields)
{
    Message m;
    for (const QVariant& field : fields) {
        if (field.metaType() == QMetaType::fromType<int>() ||
            field.metaType() == QMetaType::fromType<bool>()) {
            m.addInt(field.toInt());
        } else if (field.metaType() == QMetaType::fromType<QByteArray>()) {
            m.addString(field.toByteArray().constData());
        } else if (field.metaType() == QMetaType::fromType<Block>()) {
            const QByteArray b = field.value<Block>().bytes;
            m.addBytes(reinterpret_cast<const unsigned char*>(b.constData()), int(b.size()));
        } else {
            qFatal("unexpected field type %s", field.typeName());
        }
    }
    return m;
}

inline QByteArray wireOf(const QVariantList& fields)
{
    return messageOf(fields).data();
}

// A request as the opcode's name followed by its string and number fields
// (as the protocol table types them), joined by '|'.
inline QString requestText(const Message& message)
{
    const qint32 opcode = Protocol::opcodeOf(message);
    QStringList fields{QLatin1String(Protocol::opcodeName(opcode))};
    const char* types = Protocol::requestFields(Opcode(opcode));
    for (int i = 1; i < message.count() && types[i - 1] != '*'; ++i)
        fields << (types[i - 1] == 's' ? QString::fromLatin1(message.getString(i))
                                       : QString::number(message.getInt(i)));
    return fields.join(QLatin1Char('|'));
}

constexpr int op(Opcode opcode)
{
    return int(opcode);
}
