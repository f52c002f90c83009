#pragma once

#include <QString>

// What the server accepts as a nickname; the registration form shows the same
// rule as its hint.
namespace Rules {

inline constexpr int MinNicknameLength = 2;
inline constexpr int MaxNicknameLength = 16;

// MinNicknameLength to MaxNicknameLength ASCII letters, digits, '-' and '_'.
bool isValidNickname(const QString& nickname);

} // namespace Rules
