// Logging in and registering. Requests are checked on the event loop; the
// password hashes, a tenth of a second of work each, run on the hashing
// threads, the account's reads and writes go through the storage executor,
// and the answer goes out when the last of them is done, to the session if
// it is still there. Failed logins space out the next attempts from the same
// address and on the same account.

#include "accounts.h"

#include "nickname.h"
#include "ops/metrics.h"
#include "outgoing.h"
#include "request.h"
#include "serverlogging.h"
#include "storage/storage.h"
#include "storage/storageexecutor.h"

#include <QPointer>

namespace {

// What a hashing thread hands back for a login.
struct PasswordCheck
{
    bool matches = false;
    // A hash under the current limits, when the stored one was made under
    // others.
    QByteArray upgradedHash;
};

// A failed login's result as the metrics name it.
QString failureLabel(FailureCode code)
{
    switch (code) {
    case FailureCode::InvalidNickname:
        return QStringLiteral("invalid_nickname");
    case FailureCode::AlreadyLoggedOn:
        return QStringLiteral("already_logged_on");
    case FailureCode::NicknameTaken:
    case FailureCode::NicknameRefused:
        return QStringLiteral("nickname_taken");
    case FailureCode::Banned:
        return QStringLiteral("banned");
    case FailureCode::WrongPassword:
        return QStringLiteral("wrong_password");
    case FailureCode::TryLater:
        return QStringLiteral("try_later");
    case FailureCode::ServerError:
        return QStringLiteral("server_error");
    case FailureCode::LogonFailed:
        break;
    }
    return QStringLiteral("failed");
}

// Read with the account once it logs in. A map the storage cannot read is
// left out, as its slot then is.
LoginWelcome readWelcome(Storage& storage, qint64 accountId, const QSet<int>& held)
{
    LoginWelcome welcome;
    welcome.masks = storage.masks(accountId);
    welcome.mapSlots = storage.mapSlots(accountId);
    for (const int id : std::as_const(welcome.mapSlots)) {
        if (id < Storage::FirstUploadedMapId || held.contains(id))
            continue;
        if (std::optional<MapData> map = storage.loadMap(id))
            welcome.maps.append(std::move(*map));
    }
    return welcome;
}

} // namespace

namespace {

LoginGuard::Limits guardLimits(const ServerOptions& options)
{
    LoginGuard::Limits limits;
    limits.registrationsPerHour = options.registrationsPerAddressPerHour;
    limits.trusted = options.trustedAddresses;
    return limits;
}

} // namespace

Accounts::Accounts(const ServerOptions& options, const QList<RobotInfo>& robots,
                   const QElapsedTimer& clock, int refusalLinesPerSecond, QObject* parent)
    : QObject(parent), m_options(options), m_robots(robots), m_clock(clock),
      m_hasher(options.fastPasswordHashing ? PasswordHasher::Cost::Minimum
                                           : PasswordHasher::Cost::Interactive),
      m_guard(guardLimits(options)), m_loginLog(refusalLinesPerSecond)
{
    m_hashing.setMaxThreadCount(std::max(1, options.hashingThreads));
}

Accounts::~Accounts()
{
    // Hashes still being checked answer to accounts that are going; their
    // answers are dropped with them.
    m_hashing.waitForDone();
}

bool Accounts::checkVersion(ClientSession* session, const Message& message, int field)
{
    if (message.getInt(field) == Protocol::Version)
        return true;
    session->send(outgoing::upgrade());
    session->finish(QStringLiteral("protocol version %1").arg(message.getInt(field)));
    return false;
}

void Accounts::loginFailed(ClientSession* session, FailureCode code, const QString& why)
{
    Metrics::instance().logins.add(failureLabel(code));
    session->send(outgoing::failure(code));
    if (m_loginLog.allow(m_clock.elapsed(), session->peerAddress())) {
        qCWarning(lcServer).noquote()
            << "login refused for" << session->peerAddress() << "-" << why;
    } else {
        emit refusalsSuppressed();
    }
    if (session->addFailedLogin() >= MaxFailedLogins)
        session->finish(QStringLiteral("too many failed logins"));
}

bool Accounts::admitLogin(ClientSession* session)
{
    if (m_pendingLogins < m_options.maxPendingLogins)
        return true;
    const QString address = session->peerAddress();
    const qsizetype mine = m_waiting.value(address).size();
    // Of the addresses holding the most, the one whose newest came last.
    auto busiest = m_waiting.end();
    for (auto it = m_waiting.begin(); it != m_waiting.end(); ++it) {
        if (busiest == m_waiting.end() || it->size() > busiest->size() ||
            (it->size() == busiest->size() && it->last().arrival > busiest->last().arrival))
            busiest = it;
    }
    if (busiest == m_waiting.end() || busiest->size() <= mine) {
        loginFailed(
            session, FailureCode::TryLater,
            QStringLiteral("%1 logins are being checked already, %2 of them from the address")
                .arg(m_pendingLogins)
                .arg(mine));
        return false;
    }
    ClientSession* newest = busiest->last().session;
    const QString crowded = busiest.key();
    setLoginPending(newest, false);
    loginFailed(
        newest, FailureCode::TryLater,
        QStringLiteral("its address %1 holds the most waiting logins; one from %2 takes its place")
            .arg(crowded, address));
    return true;
}

int Accounts::hashPriority(const ClientSession* session) const
{
    const QString address = session->peerAddress();
    return m_guard.failures(address, m_clock.elapsed()) == 0 && m_waiting.value(address).size() <= 1
               ? 1
               : 0;
}

void Accounts::sessionClosed(ClientSession* session)
{
    // A login given up before its answer counts against the address as a
    // failure: otherwise one could send guesses and hang up, over and over,
    // and never be held back.
    if (session->isLoginPending())
        m_guard.loginAbandoned(session->peerAddress(), m_clock.elapsed());
    setLoginPending(session, false);
}

void Accounts::setLoginPending(ClientSession* session, bool pending)
{
    if (session->isLoginPending() == pending)
        return;
    session->setLoginPending(pending);
    m_pendingLogins += pending ? 1 : -1;
    const QString address = session->peerAddress();
    if (pending) {
        m_waiting[address].append({session, ++m_arrivals});
        return;
    }
    const auto it = m_waiting.find(address);
    if (it == m_waiting.end())
        return;
    it->removeIf([session](const Waiting& w) { return w.session == session; });
    if (it->isEmpty())
        m_waiting.erase(it);
}

QString Accounts::login(ClientSession* session, const Message& message)
{
    if (session->isLoginPending())
        return QStringLiteral("a login is being checked already");
    // A request short of its fields is still answered: the client waits for
    // an answer to every login.
    if (!request::matches(message, Opcode::Login)) {
        loginFailed(session, FailureCode::LogonFailed, QStringLiteral("malformed login request"));
        return {};
    }
    if (!checkVersion(session, message, 3))
        return {};
    const QString nickname = request::text(message, 1);
    if (!Rules::isValidNickname(nickname)) {
        loginFailed(session, FailureCode::InvalidNickname, QStringLiteral("invalid nickname"));
        return {};
    }
    if (!admitLogin(session))
        return {};
    setLoginPending(session, true);
    takeLoginTurn(session, nickname, QByteArray(message.getString(2)), false);
    return {};
}

void Accounts::takeLoginTurn(ClientSession* session, const QString& nickname,
                             const QByteArray& password, bool heldBefore)
{
    const qint64 now = m_clock.elapsed();
    const QString address = session->peerAddress();
    qint64 at = m_guard.nextLogin(address, nickname, now);
    // A player whose seat is kept for him is let in before it is given up,
    // however his address or his account was guessed at meanwhile.
    const qint64 grace = (m_graceLeft ? m_graceLeft(nickname) : -1);
    if (grace >= 0)
        at = std::min(at, now + std::max<qint64>(0, grace - RejoinMarginMs));
    if (at <= now) {
        m_guard.loginStarted(address, nickname, now);
        checkLogin(session, nickname, password);
        return;
    }
    if (!heldBefore) {
        qCInfo(lcServer).noquote()
            << "login from" << address << "for" << nickname << "held back" << at - now << "ms after"
            << m_guard.failures(address, now) << "failed logins";
    }
    // The timer belongs to the session: a login whose client has gone is
    // never checked, and nobody waits behind it. Another login may take the
    // turn first; this one then waits again.
    QTimer::singleShot(at - now, session,
                       [this, session, ticket = session->loginTicket(), nickname, password] {
                           if (*ticket && session->state() == ClientSession::State::Connected)
                               takeLoginTurn(session, nickname, password, true);
                       });
}

bool Accounts::stillWaiting(ClientSession* session,
                            const std::shared_ptr<const std::atomic_bool>& ticket)
{
    return session && *ticket && session->state() == ClientSession::State::Connected;
}

void Accounts::checkLogin(ClientSession* session, const QString& nickname,
                          const QByteArray& password)
{
    struct Found
    {
        std::optional<Account> account;
        bool failed = false;
    };
    m_storage->run<Found>(
        session,
        [nickname](Storage& storage) {
            Found found;
            found.account = storage.findAccount(nickname, &found.failed);
            return found;
        },
        [this, session, ticket = session->loginTicket(), nickname, password](const Found& found) {
            // A login that made room for another's, or whose client went,
            // while the account was read is over.
            if (stillWaiting(session, ticket))
                accountFound(session, found.account, found.failed, nickname, password);
        });
}

void Accounts::accountFound(ClientSession* session, const std::optional<Account>& account,
                            bool failed, const QString& nickname, const QByteArray& password)
{
    if (failed || !account) {
        setLoginPending(session, false);
        if (failed) {
            loginFailed(session, FailureCode::ServerError,
                        QStringLiteral("database error looking up %1").arg(nickname));
            return;
        }
        m_guard.loginFailed(session->peerAddress(), nickname, m_clock.elapsed());
        loginFailed(session, FailureCode::InvalidNickname,
                    QStringLiteral("no account %1").arg(nickname));
        return;
    }

    const QByteArray stored = account->passwordHash;
    const qint64 id = account->id;
    const QString address = session->peerAddress();
    m_hashing.start(
        [this, guard = QPointer(session), present = session->presence(),
         ticket = session->loginTicket(), stored, password, id, nickname, address] {
            // A client that left, or whose login made room for another's,
            // while it waited for the hashing thread costs it nothing.
            if (!*present || !*ticket)
                return;
            PasswordCheck check;
            check.matches = m_hasher.verify(stored, password);
            if (check.matches && m_hasher.needsRehash(stored))
                check.upgradedHash = m_hasher.hash(password);
            QMetaObject::invokeMethod(
                this,
                [this, guard, ticket, check, id, nickname, address] {
                    passwordChecked(guard, ticket, check.matches, check.upgradedHash, id, nickname,
                                    address);
                },
                Qt::QueuedConnection);
        },
        hashPriority(session));
}

void Accounts::passwordChecked(ClientSession* session,
                               const std::shared_ptr<const std::atomic_bool>& ticket, bool matches,
                               const QByteArray& upgradedHash, qint64 accountId,
                               const QString& nickname, const QString& address)
{
    const qint64 now = m_clock.elapsed();
    if (matches)
        m_guard.loginSucceeded(address, nickname);
    else
        m_guard.loginFailed(address, nickname, now);
    if (!matches || !stillWaiting(session, ticket)) {
        if (!upgradedHash.isEmpty()) {
            m_storage->post([accountId, upgradedHash](Storage& storage) {
                storage.setPasswordHash(accountId, upgradedHash);
            });
        }
        if (!stillWaiting(session, ticket))
            return;
        setLoginPending(session, false);
        loginFailed(session, FailureCode::WrongPassword,
                    QStringLiteral("wrong password for %1").arg(nickname));
        return;
    }
    // Read again: the account may have been changed while its hash was
    // being checked. A nickname logged on here is not claimed again; one
    // logged on at another server sharing the database cannot be.
    const bool here = m_loggedOn && m_loggedOn(nickname);
    m_storage->run<LoginRecord>(
        this,
        [accountId, upgradedHash, nickname, here,
         held = m_heldMaps ? m_heldMaps() : QSet<int>()](Storage& storage) {
            if (!upgradedHash.isEmpty())
                storage.setPasswordHash(accountId, upgradedHash);
            LoginRecord record;
            record.account = storage.findAccount(nickname, &record.failed);
            if (!record.failed && record.account && !record.account->banned && !here)
                record.claimed = storage.claimLogin(record.account->nickname);
            if (record.claimed)
                record.welcome = readWelcome(storage, record.account->id, held);
            return record;
        },
        [this, guard = QPointer(session), ticket, nickname](const LoginRecord& record) {
            if (stillWaiting(guard, ticket)) {
                loginRecordRead(guard, record, nickname);
                return;
            }
            // Nobody is left to use the login it claimed, unless the
            // nickname logged on here meanwhile.
            if (record.claimed && !(m_loggedOn && m_loggedOn(record.account->nickname))) {
                m_storage->post([name = record.account->nickname](Storage& storage) {
                    storage.releaseLogin(name);
                });
            }
        });
}

void Accounts::loginRecordRead(ClientSession* session, const LoginRecord& record,
                               const QString& nickname)
{
    setLoginPending(session, false);
    const std::optional<Account>& account = record.account;
    if (record.failed || !account) {
        loginFailed(session, FailureCode::ServerError,
                    QStringLiteral("database error reading %1").arg(nickname));
        return;
    }
    if (account->banned) {
        loginFailed(session, FailureCode::Banned,
                    QStringLiteral("%1 is banned").arg(account->nickname));
        return;
    }
    if ((m_loggedOn && m_loggedOn(account->nickname)) || !record.claimed) {
        loginFailed(session, FailureCode::AlreadyLoggedOn,
                    QStringLiteral("%1 is already logged on").arg(account->nickname));
        return;
    }
    emit loggedIn(session, *account, record.welcome);
}

QString Accounts::registration(ClientSession* session, const Message& message)
{
    if (session->isLoginPending())
        return QStringLiteral("a login is being checked already");
    if (!request::matches(message, Opcode::Register)) {
        loginFailed(session, FailureCode::LogonFailed,
                    QStringLiteral("malformed registration request"));
        return {};
    }
    if (!checkVersion(session, message, 11))
        return {};
    const QString nickname = request::text(message, 1);
    const QByteArray password(message.getString(2));
    if (!Rules::isValidNickname(nickname)) {
        loginFailed(session, FailureCode::InvalidNickname, QStringLiteral("invalid nickname"));
        return {};
    }
    const bool robotName = std::any_of(m_robots.cbegin(), m_robots.cend(), [&](const RobotInfo& r) {
        return r.name.compare(nickname, Qt::CaseInsensitive) == 0;
    });
    Account account;
    account.nickname = nickname;
    for (int i = 3; i <= 10; ++i)
        account.contact.append(request::text(message, i).trimmed());
    if (robotName) {
        registrationLookedUp(session, account, password, true, false);
        return {};
    }
    // While a database across the network looks the name up, the
    // registration waits as it does for its hash.
    const bool waits = !m_storage->isInline();
    if (waits)
        setLoginPending(session, true);
    struct Found
    {
        bool taken = false;
        bool failed = false;
    };
    m_storage->run<Found>(
        session,
        [nickname](Storage& storage) {
            Found found;
            found.taken = storage.findAccount(nickname, &found.failed).has_value();
            return found;
        },
        [this, session, ticket = session->loginTicket(), waits, account,
         password](const Found& found) {
            if (waits) {
                if (!stillWaiting(session, ticket))
                    return;
                setLoginPending(session, false);
            }
            registrationLookedUp(session, account, password, found.taken, found.failed);
        });
    return {};
}

void Accounts::registrationLookedUp(ClientSession* session, Account account,
                                    const QByteArray& password, bool taken, bool failed)
{
    const QString& nickname = account.nickname;
    if (failed) {
        loginFailed(session, FailureCode::ServerError,
                    QStringLiteral("database error looking up %1").arg(nickname));
        return;
    }
    if (taken) {
        loginFailed(session, FailureCode::NicknameTaken,
                    QStringLiteral("nickname %1 is taken").arg(nickname));
        return;
    }
    if (password.isEmpty() || password.size() > MaxPasswordLength) {
        loginFailed(session, FailureCode::LogonFailed,
                    QStringLiteral("password empty or too long"));
        return;
    }
    for (int i = 0; i < account.contact.size(); ++i) {
        if (account.contact.at(i).size() > MaxContactLength) {
            loginFailed(session, FailureCode::LogonFailed,
                        QStringLiteral("contact field %1 too long").arg(i + 3));
            return;
        }
    }
    account.member = m_options.newAccountsAreMembers;
    if (!m_guard.isTrusted(session->peerAddress()) &&
        !m_guard.allowRegistration(session->peerAddress(), m_clock.elapsed())) {
        loginFailed(session, FailureCode::TryLater,
                    QStringLiteral("%1 registrations this hour from the address")
                        .arg(m_options.registrationsPerAddressPerHour));
        return;
    }
    if (!admitLogin(session))
        return;

    setLoginPending(session, true);
    m_hashing.start(
        [this, guard = QPointer(session), present = session->presence(),
         ticket = session->loginTicket(), account, password] {
            if (!*present || !*ticket)
                return;
            Account hashed = account;
            hashed.passwordHash = m_hasher.hash(password);
            QMetaObject::invokeMethod(
                this, [this, guard, ticket, hashed] { registrationHashed(guard, ticket, hashed); },
                Qt::QueuedConnection);
        },
        hashPriority(session));
}

void Accounts::registrationHashed(ClientSession* session,
                                  const std::shared_ptr<const std::atomic_bool>& ticket,
                                  const Account& account)
{
    // Nobody is left to use an account whose registration went away.
    if (!session || !*ticket || session->state() != ClientSession::State::Connected)
        return;
    if (account.passwordHash.isEmpty()) {
        setLoginPending(session, false);
        loginFailed(session, FailureCode::LogonFailed, QStringLiteral("password hashing failed"));
        return;
    }
    m_storage->run<Registered>(
        this,
        [account](Storage& storage) {
            Registered registered;
            registered.created = storage.createAccount(account);
            if (registered.created) {
                // A new account is logged on here from the start.
                storage.claimLogin(registered.created->nickname);
                return registered;
            }
            // Another registration of the name may have got in first.
            bool failed = false;
            const bool found = storage.findAccount(account.nickname, &failed).has_value();
            registered.failed = failed || !found;
            return registered;
        },
        [this, guard = QPointer(session), ticket,
         nickname = account.nickname](const Registered& registered) {
            if (stillWaiting(guard, ticket)) {
                registrationStored(guard, registered, nickname);
                return;
            }
            if (!registered.created)
                return;
            qCInfo(lcServer).noquote()
                << "registered" << registered.created->nickname << "for a client that left";
            m_storage->post([name = registered.created->nickname](Storage& storage) {
                storage.releaseLogin(name);
            });
        });
}

void Accounts::registrationStored(ClientSession* session, const Registered& registered,
                                  const QString& nickname)
{
    setLoginPending(session, false);
    const std::optional<Account>& created = registered.created;
    if (!created) {
        if (registered.failed)
            loginFailed(session, FailureCode::ServerError,
                        QStringLiteral("database error storing %1").arg(nickname));
        else
            loginFailed(session, FailureCode::NicknameTaken,
                        QStringLiteral("nickname %1 was taken meanwhile").arg(nickname));
        return;
    }
    qCInfo(lcServer).noquote() << "registered" << created->nickname;
    Metrics::instance().registrations.add();
    m_guard.loginSucceeded(session->peerAddress(), created->nickname);
    // A new account has no masks and no slots yet.
    emit loggedIn(session, *created, LoginWelcome{});
}
