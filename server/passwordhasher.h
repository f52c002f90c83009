#pragma once

#include <QByteArray>

// Argon2id password hashes through libsodium. A hash carries its own
// parameters, so hashes made with one cost setting verify under any other.
class PasswordHasher
{
public:
    enum class Cost { Interactive, Minimum };

    explicit PasswordHasher(Cost cost = Cost::Interactive);

    // False only if libsodium could not start or ran out of memory.
    bool isUsable() const { return m_usable; }

    // The encoded hash string, or an empty array on failure.
    QByteArray hash(const QByteArray& password) const;
    bool verify(const QByteArray& encodedHash, const QByteArray& password) const;
    // True when the hash was made with other limits than the current ones.
    bool needsRehash(const QByteArray& encodedHash) const;

private:
    unsigned long long m_opsLimit = 0;
    size_t m_memLimit = 0;
    bool m_usable = false;
};
