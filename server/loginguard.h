#pragma once

#include "attemptlimiter.h"

#include <QHash>
#include <QList>
#include <QString>

// The server's brakes on password guessing and account farming: failed
// logins space out further attempts from the same address and on the same
// account, and each address may register only so many accounts an hour.
// Times are milliseconds of the server's clock; accounts are keyed without
// regard to case, as nicknames are.
class LoginGuard
{
public:
    struct Limits
    {
        int addressFreeFailures = 3;
        // An account's owner must get through while someone else guesses at
        // it, so its pauses start later and stay shorter.
        int accountFreeFailures = 5;
        qint64 addressMaxDelayMs = 60'000;
        qint64 accountMaxDelayMs = 15'000;
        int registrationsPerHour = 10;
    };

    explicit LoginGuard(const Limits& limits);

    // When a login for the account from the address, arriving at `now`, may
    // be checked. An empty address is one the server does not hold to
    // account (a trusted one); only the account's count applies.
    qint64 reserveLogin(const QString& address, const QString& nickname, qint64 now);
    void loginFailed(const QString& address, const QString& nickname, qint64 now);
    void loginSucceeded(const QString& nickname);
    int failures(const QString& address, qint64 now) const
    {
        return m_addresses.failures(address, now);
    }

    // Counts a registration from the address; false once the address has
    // registered its share within the last hour.
    bool allowRegistration(const QString& address, qint64 now);

private:
    static QString accountKey(const QString& nickname) { return nickname.toLower(); }

    Limits m_limits;
    AttemptLimiter m_addresses;
    AttemptLimiter m_accounts;
    QHash<QString, QList<qint64>> m_registrations;
};
