#include "admincommands.h"

#include "admintarget.h"
#include "serverlogging.h"

#include <QRegularExpression>

namespace {

// Seconds left at which the countdown speaks again.
bool announcedAt(int seconds)
{
    return seconds == 600 || seconds == 300 || seconds == 120 || seconds == 60 || seconds == 30 ||
           seconds == 10 || (seconds > 0 && seconds <= 5);
}

QString timeLeft(int seconds)
{
    if (seconds >= 120 && seconds % 60 == 0)
        return QStringLiteral("%1 minutes").arg(seconds / 60);
    return seconds == 1 ? QStringLiteral("1 second") : QStringLiteral("%1 seconds").arg(seconds);
}

const char* usage()
{
    return "commands: users, games, kick NICK, ban NICK on|off, member NICK on|off, "
           "admin NICK on|off, say TEXT, shutdown SECONDS [REASON], shutdown cancel, reload";
}

} // namespace

AdminCommands::AdminCommands(AdminTarget& server, QObject* parent)
    : QObject(parent), m_server(server)
{
    m_countdown.setInterval(1000);
    connect(&m_countdown, &QTimer::timeout, this, &AdminCommands::tick);
}

AdminCommands::Reply AdminCommands::refused(const QString& why)
{
    return {false, why, {}};
}

void AdminCommands::run(const QString& line, const std::function<void(const Reply&)>& done)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QStringList words = line.trimmed().split(space, Qt::SkipEmptyParts);
    const QString command = words.value(0).toLower();
    if (command == QLatin1String("ban") || command == QLatin1String("member") ||
        command == QLatin1String("admin")) {
        if (const std::optional<Reply> refused = flag(command, words, done))
            done(*refused);
        return;
    }
    done(answer(line));
}

AdminCommands::Reply AdminCommands::answer(const QString& line)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QString trimmed = line.trimmed();
    const QStringList words = trimmed.split(space, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return refused(QString::fromLatin1(usage()));
    const QString command = words.first().toLower();
    const QString rest = trimmed.mid(words.first().size()).trimmed();

    Reply reply;
    if (command == QLatin1String("users") && words.size() == 1) {
        reply.lines = m_server.adminUsers();
        qCInfo(lcServer).noquote() << "admin: users -" << reply.lines.size() << "listed";
    } else if (command == QLatin1String("games") && words.size() == 1) {
        reply.lines = m_server.adminGames();
        qCInfo(lcServer).noquote() << "admin: games -" << reply.lines.size() << "listed";
    } else if (command == QLatin1String("kick") && words.size() == 2) {
        if (!m_server.adminKick(words[1], QStringLiteral("You have been removed by the operator.")))
            return refused(QStringLiteral("%1 is not logged in").arg(words[1]));
        reply.lines.append(QStringLiteral("%1 removed").arg(words[1]));
        qCInfo(lcServer).noquote() << "admin: kick" << logText(words[1]) << "- connection closed";
    } else if (command == QLatin1String("say") && !rest.isEmpty()) {
        if (rest.size() > MaxSayLength)
            return refused(QStringLiteral("at most %1 characters").arg(MaxSayLength));
        m_server.adminSay(rest);
        reply.lines.append(QStringLiteral("said to %1 users").arg(m_server.adminUserCount()));
        qCInfo(lcServer).noquote()
            << "admin: say" << logText(rest) << "- to" << m_server.adminUserCount() << "users";
    } else if (command == QLatin1String("shutdown") && words.size() >= 2) {
        return shutdown(words, rest);
    } else if (command == QLatin1String("reload") && words.size() == 1) {
        if (!m_reloader)
            return refused(QStringLiteral("no settings to reload"));
        QStringList changes;
        QString error;
        if (!m_reloader(&changes, &error))
            return refused(error);
        reply.lines = changes.isEmpty() ? QStringList{QStringLiteral("nothing changed")} : changes;
    } else {
        qCWarning(lcServer).noquote() << "admin: refused" << logText(trimmed);
        return refused(QStringLiteral("not a command: %1; %2")
                           .arg(logText(trimmed), QString::fromLatin1(usage())));
    }
    return reply;
}

std::optional<AdminCommands::Reply>
AdminCommands::flag(const QString& command, const QStringList& words,
                    const std::function<void(const Reply&)>& done)
{
    const QString state = words.size() == 3 ? words[2].toLower() : QString();
    if (state != QLatin1String("on") && state != QLatin1String("off"))
        return refused(QStringLiteral("usage: %1 NICK on|off").arg(command));
    const bool on = state == QLatin1String("on");
    const AdminTarget::AccountFlag which =
        command == QLatin1String("ban")      ? AdminTarget::AccountFlag::Banned
        : command == QLatin1String("member") ? AdminTarget::AccountFlag::Member
                                             : AdminTarget::AccountFlag::Admin;
    m_server.adminSetFlag(
        words[1], which, on,
        [command, state, asked = words[1], done](AdminTarget::FlagResult result,
                                                 const QString& nickname) {
            switch (result) {
            case AdminTarget::FlagResult::NoAccount:
                done(refused(QStringLiteral("no account %1").arg(logText(asked))));
                return;
            case AdminTarget::FlagResult::Failed:
                qCWarning(lcServer).noquote()
                    << "admin:" << command << nickname << state << "- the database refused it";
                done(refused(QStringLiteral("the database refused the change")));
                return;
            case AdminTarget::FlagResult::Unchanged:
                qCInfo(lcServer).noquote()
                    << "admin:" << command << nickname << state << "- unchanged";
                done(
                    {true, {}, {QStringLiteral("%1 %2 already %3").arg(nickname, command, state)}});
                return;
            case AdminTarget::FlagResult::Changed:
                break;
            }
            qCInfo(lcServer).noquote() << "admin:" << command << nickname << state << "- stored";
            done({true, {}, {QStringLiteral("%1 %2 %3").arg(nickname, command, state)}});
        });
    return std::nullopt;
}

AdminCommands::Reply AdminCommands::shutdown(const QStringList& words, const QString& rest)
{
    if (words.size() == 2 && words[1].toLower() == QLatin1String("cancel")) {
        if (!m_countdown.isActive())
            return refused(QStringLiteral("no shutdown is counting down"));
        m_countdown.stop();
        m_server.adminSay(QStringLiteral("The shutdown is called off."));
        qCInfo(lcServer).noquote() << "admin: shutdown cancel - countdown stopped";
        return {true, {}, {QStringLiteral("shutdown called off")}};
    }
    bool ok = false;
    const int seconds = words[1].toInt(&ok);
    if (!ok || seconds < 0 || seconds > MaxShutdownSeconds)
        return refused(QStringLiteral("usage: shutdown SECONDS [REASON] (0 to %1 seconds), or "
                                      "shutdown cancel")
                           .arg(MaxShutdownSeconds));
    QString reason = rest.mid(words[1].size()).trimmed();
    if (reason.size() > MaxSayLength)
        return refused(QStringLiteral("the reason takes at most %1 characters").arg(MaxSayLength));
    m_shutdownReason = reason;
    m_secondsLeft = seconds;
    qCInfo(lcServer).noquote() << "admin: shutdown" << seconds
                               << (reason.isEmpty() ? QString() : logText(reason))
                               << "- countdown started";
    if (seconds > 0) {
        m_server.adminSay(
            reason.isEmpty()
                ? QStringLiteral("The server shuts down in %1.").arg(timeLeft(seconds))
                : QStringLiteral("The server shuts down in %1: %2").arg(timeLeft(seconds), reason));
        m_countdown.start();
    } else {
        QTimer::singleShot(0, this, [this] { emit shutdownNow(m_shutdownReason); });
    }
    return {true, {}, {QStringLiteral("shutting down in %1").arg(timeLeft(seconds))}};
}

void AdminCommands::tick()
{
    --m_secondsLeft;
    if (m_secondsLeft <= 0) {
        m_countdown.stop();
        emit shutdownNow(m_shutdownReason);
        return;
    }
    if (announcedAt(m_secondsLeft))
        m_server.adminSay(
            QStringLiteral("The server shuts down in %1.").arg(timeLeft(m_secondsLeft)));
}
