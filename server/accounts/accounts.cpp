// Logging in and registering. Requests are checked on the event loop; the
// password hashes, a tenth of a second of work each, run on the hashing
// threads, and the answer goes out when the hash is done, to the session if
// it is still there. Failed logins space out the next attempts from the same
// address and on the same account.

#include "accounts.h"

#include "nickname.h"
#include "ops/metrics.h"
#include "outgoing.h"
#include "request.h"
#include "serverlogging.h"
#include "storage/storage.h"

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

void Accounts::checkLogin(ClientSession* session, const QString& nickname,
                          const QByteArray& password)
{
    bool failed = false;
    const std::optional<Account> account = m_storage->findAccount(nickname, &failed);
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
    if (matches) {
        m_guard.loginSucceeded(address, nickname);
        if (!upgradedHash.isEmpty())
            m_storage->setPasswordHash(accountId, upgradedHash);
    } else {
        m_guard.loginFailed(address, nickname, now);
    }
    if (!session || !*ticket || session->state() != ClientSession::State::Connected)
        return;
    setLoginPending(session, false);
    if (!matches) {
        loginFailed(session, FailureCode::WrongPassword,
                    QStringLiteral("wrong password for %1").arg(nickname));
        return;
    }
    // Read again: the account may have been changed while its hash was
    // being checked.
    bool failed = false;
    const std::optional<Account> account = m_storage->findAccount(nickname, &failed);
    if (failed || !account) {
        loginFailed(session, FailureCode::ServerError,
                    QStringLiteral("database error reading %1").arg(nickname));
        return;
    }
    if (account->banned) {
        loginFailed(session, FailureCode::Banned,
                    QStringLiteral("%1 is banned").arg(account->nickname));
        return;
    }
    if (m_loggedOn && m_loggedOn(account->nickname)) {
        loginFailed(session, FailureCode::AlreadyLoggedOn,
                    QStringLiteral("%1 is already logged on").arg(account->nickname));
        return;
    }
    emit loggedIn(session, *account);
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
    bool failed = false;
    const bool taken = robotName || m_storage->findAccount(nickname, &failed);
    if (failed) {
        loginFailed(session, FailureCode::ServerError,
                    QStringLiteral("database error looking up %1").arg(nickname));
        return {};
    }
    if (taken) {
        loginFailed(session, FailureCode::NicknameTaken,
                    QStringLiteral("nickname %1 is taken").arg(nickname));
        return {};
    }
    if (password.isEmpty() || password.size() > MaxPasswordLength) {
        loginFailed(session, FailureCode::LogonFailed,
                    QStringLiteral("password empty or too long"));
        return {};
    }
    Account account;
    account.nickname = nickname;
    for (int i = 3; i <= 10; ++i) {
        const QString value = request::text(message, i).trimmed();
        if (value.size() > MaxContactLength) {
            loginFailed(session, FailureCode::LogonFailed,
                        QStringLiteral("contact field %1 too long").arg(i));
            return {};
        }
        account.contact.append(value);
    }
    account.member = m_options.newAccountsAreMembers;
    if (!m_guard.isTrusted(session->peerAddress()) &&
        !m_guard.allowRegistration(session->peerAddress(), m_clock.elapsed())) {
        loginFailed(session, FailureCode::TryLater,
                    QStringLiteral("%1 registrations this hour from the address")
                        .arg(m_options.registrationsPerAddressPerHour));
        return {};
    }
    if (!admitLogin(session))
        return {};

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
    return {};
}

void Accounts::registrationHashed(ClientSession* session,
                                  const std::shared_ptr<const std::atomic_bool>& ticket,
                                  const Account& account)
{
    // Nobody is left to use an account whose registration went away.
    if (!session || !*ticket || session->state() != ClientSession::State::Connected)
        return;
    setLoginPending(session, false);
    if (account.passwordHash.isEmpty()) {
        loginFailed(session, FailureCode::LogonFailed, QStringLiteral("password hashing failed"));
        return;
    }
    const std::optional<Account> created = m_storage->createAccount(account);
    if (!created) {
        // Another registration of the name may have got in first.
        bool failed = false;
        if (!m_storage->findAccount(account.nickname, &failed) || failed)
            loginFailed(session, FailureCode::ServerError,
                        QStringLiteral("database error storing %1").arg(account.nickname));
        else
            loginFailed(session, FailureCode::NicknameTaken,
                        QStringLiteral("nickname %1 was taken meanwhile").arg(account.nickname));
        return;
    }
    qCInfo(lcServer).noquote() << "registered" << created->nickname;
    Metrics::instance().registrations.add();
    m_guard.loginSucceeded(session->peerAddress(), created->nickname);
    emit loggedIn(session, *created);
}
