#include "loginguard.h"

#include <algorithm>

namespace {

constexpr qint64 Hour = 60 * 60 * 1000;

} // namespace

LoginGuard::LoginGuard(const Limits& limits)
    : m_limits(limits), m_addresses(limits.addressFreeFailures, limits.addressMaxDelayMs),
      m_accounts(limits.accountFreeFailures, limits.accountMaxDelayMs)
{}

qint64 LoginGuard::reserveLogin(const QString& address, const QString& nickname, qint64 now)
{
    const qint64 byAddress = address.isEmpty() ? now : m_addresses.reserve(address, now);
    return std::max(byAddress, m_accounts.reserve(accountKey(nickname), byAddress));
}

void LoginGuard::loginFailed(const QString& address, const QString& nickname, qint64 now)
{
    if (!address.isEmpty())
        m_addresses.failed(address, now);
    m_accounts.failed(accountKey(nickname), now);
}

void LoginGuard::loginSucceeded(const QString& nickname)
{
    // Only the account's count goes: an address's failures fade with time
    // alone, or a guesser would clear them with a login of his own between
    // guesses.
    m_accounts.succeeded(accountKey(nickname));
}

bool LoginGuard::allowRegistration(const QString& address, qint64 now)
{
    // Addresses whose hour has passed are swept out as the table grows, so
    // it holds only the last hour's registrants.
    if (m_registrations.size() > 4096) {
        for (auto it = m_registrations.begin(); it != m_registrations.end();) {
            if (it->isEmpty() || now - it->last() >= Hour)
                it = m_registrations.erase(it);
            else
                ++it;
        }
    }
    QList<qint64>& times = m_registrations[address];
    times.erase(
        std::remove_if(times.begin(), times.end(), [now](qint64 t) { return now - t >= Hour; }),
        times.end());
    if (times.size() >= m_limits.registrationsPerHour)
        return false;
    times.append(now);
    return true;
}
