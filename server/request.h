#pragma once

#include "message.h"
#include "protocol.h"

#include <QString>

// Reading requests without trusting them: a field counts as present only
// when it has the type the request's table gives it.
namespace request {

inline bool isInt(const Message& m, int i)
{
    return i < m.count() && m.fieldLength(i) == 4 && !m.getString(i) && !m.getBytes(i);
}

inline bool isString(const Message& m, int i)
{
    return m.getString(i) != nullptr;
}

inline bool isBytes(const Message& m, int i)
{
    return m.getBytes(i) != nullptr;
}

// True when fields 1.. have the types the protocol table gives the request.
// Surplus fields are allowed, since the login and registration end in a list
// of adapter addresses.
inline bool matches(const Message& m, Opcode opcode)
{
    const char* pattern = Protocol::requestFields(opcode);
    if (!pattern)
        return false;
    int i = 1;
    for (const char* p = pattern; *p && *p != '*'; ++p, ++i) {
        const bool ok = ((*p == 'i' || *p == 'b') && isInt(m, i)) ||
                        (*p == 's' && isString(m, i)) || (*p == 'd' && isBytes(m, i));
        if (!ok)
            return false;
    }
    return true;
}

inline QString text(const Message& m, int i)
{
    return QString::fromLatin1(m.getString(i));
}

} // namespace request
