#include "loginguard.h"

#include <algorithm>

namespace {

constexpr qint64 Hour = 60 * 60 * 1000;
// As long as an address's failure on an account marks it, as the failure
// counts themselves are forgotten.
constexpr qint64 ForgetFailureMs = 15 * 60 * 1000;
// Failing addresses remembered per account: beyond them the oldest goes,
// and an attacker with more addresses than this has each address's own
// pauses to wait out anyway.
constexpr qsizetype FailedAddressesKept = 64;
} // namespace

LoginGuard::LoginGuard(const Limits& limits)
    : m_limits(limits), m_addresses(limits.addressFreeFailures, limits.addressMaxDelayMs),
      m_accounts(limits.accountFreeFailures, limits.accountMaxDelayMs)
{}

bool LoginGuard::isSuspect(const QString& address, const QString& account, qint64 now) const
{
    const auto watch = m_watch.constFind(account);
    if (watch != m_watch.cend()) {
        if (watch->lastLogin == address)
            return false;
        const auto failed = watch->failedFrom.constFind(address);
        if (failed != watch->failedFrom.cend() && now - *failed < ForgetFailureMs)
            return true;
    }
    return !isTrusted(address) && m_addresses.failures(address, now) > 0;
}

qint64 LoginGuard::nextLogin(const QString& address, const QString& nickname, qint64 now) const
{
    const QString account = accountKey(nickname);
    const qint64 byAddress = isTrusted(address) ? now : m_addresses.nextAttempt(address, now);
    if (!isSuspect(address, account, now))
        return byAddress;
    return std::max(byAddress, m_accounts.nextAttempt(account, now));
}

void LoginGuard::loginStarted(const QString& address, const QString& nickname, qint64 now)
{
    const QString account = accountKey(nickname);
    if (!isTrusted(address))
        m_addresses.attempted(address, now);
    if (isSuspect(address, account, now))
        m_accounts.attempted(account, now);
}

void LoginGuard::loginFailed(const QString& address, const QString& nickname, qint64 now)
{
    const QString account = accountKey(nickname);
    if (!isTrusted(address))
        m_addresses.failed(address, now);
    m_accounts.failed(account, now);

    // Swept when the table has doubled since the last sweep, so that a
    // table of many real owners is not walked at every failure.
    if (m_watch.size() > m_watchPruneAt && !m_watch.contains(account)) {
        for (auto it = m_watch.begin(); it != m_watch.end();) {
            auto& failed = it->failedFrom;
            failed.removeIf(
                [now](const auto& entry) { return now - entry.value() >= ForgetFailureMs; });
            if (failed.isEmpty() && it->lastLogin.isEmpty())
                it = m_watch.erase(it);
            else
                ++it;
        }
        m_watchPruneAt = std::max(WatchPruneAbove, 2 * m_watch.size());
    }
    QHash<QString, qint64>& failed = m_watch[account].failedFrom;
    if (!failed.contains(address) && failed.size() >= FailedAddressesKept) {
        const auto oldest = std::min_element(failed.cbegin(), failed.cend());
        failed.erase(oldest);
    }
    failed.insert(address, now);
}

void LoginGuard::loginSucceeded(const QString& address, const QString& nickname)
{
    // The counts stay and fade with time alone: an address's, or a guesser
    // would clear them with a login of his own between guesses; an
    // account's, or its owner's every login would give the guessers their
    // free attempts again. The owner's address is no longer held back.
    AccountWatch& watch = m_watch[accountKey(nickname)];
    watch.lastLogin = address;
    watch.failedFrom.remove(address);
}

void LoginGuard::loginAbandoned(const QString& address, qint64 now)
{
    if (!isTrusted(address))
        m_addresses.failed(address, now);
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
