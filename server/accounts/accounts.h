#pragma once

#include "clientsession.h"
#include "loginguard.h"
#include "logthrottle.h"
#include "passwordhasher.h"
#include "protocol.h"
#include "robotinfo.h"
#include "serveroptions.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QSet>
#include <QThreadPool>

#include <functional>

class Message;
class StorageExecutor;

// What a login shows its user from the storage besides his account, read in
// the same wait: his masks, his map slots (map ids by slot), and the
// uploaded maps in them that the server does not hold yet.
struct LoginWelcome
{
    QList<StoredMask> masks;
    QList<int> mapSlots;
    QList<MapData> maps;
};

// Logins and registrations of the connections not logged in yet: the
// version check, the nickname and contact rules, the pauses after failed
// attempts (the guard), the bound on waiting logins, and the password
// hashes on threads of their own. Requests come in as messages; a handler
// returns why it refused the request outright, or nothing when it took it
// on, and the answer goes to the client as it comes.
class Accounts : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxPasswordLength = 128;
    static constexpr int MaxContactLength = 128;
    // Failed logins a connection may make before it is closed.
    static constexpr int MaxFailedLogins = 5;
    // A rejoining player's login is checked at the latest this long before
    // his seat's grace runs out, so that the answer comes in time.
    static constexpr qint64 RejoinMarginMs = 2000;

    // Times come from the clock, which outlives the accounts.
    Accounts(const ServerOptions& options, const QList<RobotInfo>& robots,
             const QElapsedTimer& clock, int refusalLinesPerSecond, QObject* parent = nullptr);
    ~Accounts() override;

    // Where the account reads and writes run; their answers come back to
    // the event loop, and the login or registration waits for them.
    void setStorage(StorageExecutor* storage) { m_storage = storage; }
    // How long a running game still keeps the nickname's seat for him, or
    // -1 when no game does.
    void setGraceLeft(std::function<qint64(const QString&)> graceLeft)
    {
        m_graceLeft = std::move(graceLeft);
    }
    // Whether the nickname is logged in here already (another server on the
    // same database is asked through the storage).
    void setLoggedOn(std::function<bool(const QString&)> loggedOn)
    {
        m_loggedOn = std::move(loggedOn);
    }
    // The uploaded maps the server holds already, which a login need not
    // read.
    void setHeldMaps(std::function<QSet<int>()> heldMaps) { m_heldMaps = std::move(heldMaps); }

    bool isUsable() const { return m_hasher.isUsable(); }
    // Refused logins logged a second; the rest are counted for a summary.
    LogThrottle& loginLog() { return m_loginLog; }
    // The options changed (a reload): the guard takes their limits.
    void limitsChanged()
    {
        m_guard.setRegistrationLimits(m_options.registrationsPerAddressPerHour,
                                      m_options.trustedAddresses);
    }

    QString login(ClientSession* session, const Message& message);
    QString registration(ClientSession* session, const Message& message);
    // The session has gone, with whatever login of it waits.
    void sessionClosed(ClientSession* session);
    // Waits for the hashes being made; their answers go nowhere.
    void waitForHashes() { m_hashing.waitForDone(); }

signals:
    void loggedIn(ClientSession* session, const Account& account, const LoginWelcome& welcome);
    // A refused login went unlogged; a summary is due.
    void refusalsSuppressed();

private:
    bool checkVersion(ClientSession* session, const Message& message, int field);
    void loginFailed(ClientSession* session, FailureCode code, const QString& why);
    // False, with the client told to try later, when too many logins wait
    // and his address holds as many of them as any other. Otherwise the
    // address holding the most gives up its newest to make room, so that a
    // crowd, however many addresses it spreads over, never keeps out an
    // address that waits for nothing.
    bool admitLogin(ClientSession* session);
    // The priority of a password check on the hashing threads: a login from
    // an address that has not failed and waits for nothing else goes ahead
    // of the repeated attempts of others.
    int hashPriority(const ClientSession* session) const;
    // Marks a login or registration of the session as waiting (for its turn
    // or its hash) and counts it; a session that goes stops counting.
    void setLoginPending(ClientSession* session, bool pending);
    // Checks the login now, or waits for the pause its address or its
    // account must keep, and tries again then.
    void takeLoginTurn(ClientSession* session, const QString& nickname, const QByteArray& password,
                       bool heldBefore);
    void checkLogin(ClientSession* session, const QString& nickname, const QByteArray& password);
    void accountFound(ClientSession* session, const std::optional<Account>& account, bool failed,
                      const QString& nickname, const QByteArray& password);
    void passwordChecked(ClientSession* session,
                         const std::shared_ptr<const std::atomic_bool>& ticket, bool matches,
                         const QByteArray& upgradedHash, qint64 accountId, const QString& nickname,
                         const QString& address);
    // The account as read again once its password matched, and whether this
    // server now holds its login.
    struct LoginRecord
    {
        std::optional<Account> account;
        bool failed = false;
        bool claimed = false;
        LoginWelcome welcome;
    };
    void loginRecordRead(ClientSession* session, const LoginRecord& record,
                         const QString& nickname);
    // A registration whose nickname was looked up: the rest of its checks,
    // then its hash.
    void registrationLookedUp(ClientSession* session, Account account, const QByteArray& password,
                              bool taken, bool failed);
    void registrationHashed(ClientSession* session,
                            const std::shared_ptr<const std::atomic_bool>& ticket,
                            const Account& account);
    struct Registered
    {
        std::optional<Account> created;
        // Whether the nickname could be read when the account was refused.
        bool failed = false;
    };
    void registrationStored(ClientSession* session, const Registered& registered,
                            const QString& nickname);
    // Whether the session still waits for the answer its ticket was given
    // for.
    static bool stillWaiting(ClientSession* session,
                             const std::shared_ptr<const std::atomic_bool>& ticket);

    const ServerOptions& m_options;
    const QList<RobotInfo>& m_robots;
    const QElapsedTimer& m_clock;
    StorageExecutor* m_storage = nullptr;
    std::function<qint64(const QString&)> m_graceLeft;
    std::function<bool(const QString&)> m_loggedOn;
    std::function<QSet<int>()> m_heldMaps;
    PasswordHasher m_hasher;
    LoginGuard m_guard;
    LogThrottle m_loginLog;
    // Logins and registrations of live connections waiting for their turn
    // or their hash, by address, oldest first, each with its arrival.
    struct Waiting
    {
        ClientSession* session;
        quint64 arrival;
    };
    QHash<QString, QList<Waiting>> m_waiting;
    int m_pendingLogins = 0;
    quint64 m_arrivals = 0;
    // Last, so that it is destroyed first: its threads use the hasher.
    QThreadPool m_hashing;
};
