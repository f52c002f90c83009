#pragma once

#include "message.h"
#include "protocol.h"

#include <QMetaType>
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

constexpr int op(Opcode opcode)
{
    return int(opcode);
}
