#pragma once

#include "attemptlimiter.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The server's brakes on password guessing and account farming: failed
// logins space out further attempts from the same address and on the same
// account, and each address may register only so many accounts an hour.
// An account's pauses hold back only the addresses that failed, so its
// owner, logging in from an address of his own or from the one he last
// logged in from, gets in while others guess at it.
// Times are milliseconds of the server's clock; accounts are keyed without
// regard to case, as nicknames are.
class LoginGuard
{
public:
    struct Limits
    {
        int addressFreeFailures = 3;
        int accountFreeFailures = 5;
        qint64 addressMaxDelayMs = 60'000;
        qint64 accountMaxDelayMs = 15'000;
        int registrationsPerHour = 10;
        // Addresses exempt from every limit kept per address; an account's
        // pauses still apply to them once they failed on it.
        QStringList trusted;
    };

    explicit LoginGuard(const Limits& limits);

    // When a login for the account from the address, asked at `now`, may be
    // checked: `now` or later.
    qint64 nextLogin(const QString& address, const QString& nickname, qint64 now) const;
    // The login is being checked now; the next ones wait their pauses.
    void loginStarted(const QString& address, const QString& nickname, qint64 now);
    void loginFailed(const QString& address, const QString& nickname, qint64 now);
    void loginSucceeded(const QString& address, const QString& nickname);
    // A login or registration whose client left before its answer.
    void loginAbandoned(const QString& address, qint64 now);
    int failures(const QString& address, qint64 now) const
    {
        return m_addresses.failures(address, now);
    }
    bool isTrusted(const QString& address) const { return m_limits.trusted.contains(address); }
    // A reload's new registration share and trusted addresses.
    void setRegistrationLimits(int perHour, const QStringList& trusted)
    {
        m_limits.registrationsPerHour = perHour;
        m_limits.trusted = trusted;
    }

    // Counts a registration from the address; false once the address has
    // registered its share within the last hour.
    bool allowRegistration(const QString& address, qint64 now);

private:
    // What the guard knows of one account beyond its failure count.
    struct AccountWatch
    {
        // Addresses that failed on the account, with the time of their last
        // failure; only the most recent few are kept.
        QHash<QString, qint64> failedFrom;
        QString lastLogin;
    };

    static QString accountKey(const QString& nickname) { return nickname.toLower(); }
    // Whether the account's pauses apply to a login from the address.
    bool isSuspect(const QString& address, const QString& account, qint64 now) const;

    Limits m_limits;
    AttemptLimiter m_addresses;
    AttemptLimiter m_accounts;
    // Accounts watched before those with nothing worth keeping are swept.
    static constexpr qsizetype WatchPruneAbove = 4096;
    QHash<QString, AccountWatch> m_watch;
    qsizetype m_watchPruneAt = WatchPruneAbove;
    QHash<QString, QList<qint64>> m_registrations;
};
