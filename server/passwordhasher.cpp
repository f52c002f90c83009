#include "passwordhasher.h"

#include <sodium.h>

namespace {

bool sodiumReady()
{
    // sodium_init() is safe to call more than once, but once is all it needs.
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace

PasswordHasher::PasswordHasher(Cost cost) : m_usable(sodiumReady())
{
    if (cost == Cost::Minimum) {
        m_opsLimit = crypto_pwhash_OPSLIMIT_MIN;
        m_memLimit = crypto_pwhash_MEMLIMIT_MIN;
    } else {
        m_opsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
        m_memLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;
    }
}

QByteArray PasswordHasher::hash(const QByteArray& password) const
{
    if (!m_usable)
        return {};
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, password.constData(), size_t(password.size()), m_opsLimit,
                          m_memLimit) != 0)
        return {};
    return QByteArray(out);
}

bool PasswordHasher::verify(const QByteArray& encodedHash, const QByteArray& password) const
{
    if (!m_usable || encodedHash.isEmpty() || encodedHash.size() >= crypto_pwhash_STRBYTES)
        return false;
    return crypto_pwhash_str_verify(encodedHash.constData(), password.constData(),
                                    size_t(password.size())) == 0;
}

bool PasswordHasher::needsRehash(const QByteArray& encodedHash) const
{
    return crypto_pwhash_str_needs_rehash(encodedHash.constData(), m_opsLimit, m_memLimit) != 0;
}
