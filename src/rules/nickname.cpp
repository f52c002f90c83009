#include "nickname.h"

#include <algorithm>

bool Rules::isValidNickname(const QString& nickname)
{
    if (nickname.size() < MinNicknameLength || nickname.size() > MaxNicknameLength)
        return false;
    return std::all_of(nickname.cbegin(), nickname.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
               u == '-' || u == '_';
    });
}
