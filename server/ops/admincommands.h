#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

class AdminTarget;

// The operator's commands, one a line, each with a plain answer: the users
// and games, kick, ban, member and admin flags, a line to everyone, a
// shutdown with a countdown, and a reload of the settings. Every command is
// logged with what it did. What reaches it has come through the admin
// socket, which only the server's own user (or root) can open.
class AdminCommands : public QObject
{
    Q_OBJECT

public:
    struct Reply
    {
        bool done = true;
        // Why it was refused.
        QString reason;
        QStringList lines;
    };
    // Reads the settings again; lines naming what changed, or false with
    // the reason.
    using Reloader = std::function<bool(QStringList* changes, QString* error)>;

    static constexpr int MaxSayLength = 400;
    static constexpr int MaxShutdownSeconds = 24 * 3600;

    explicit AdminCommands(AdminTarget& server, QObject* parent = nullptr);

    void setReloader(Reloader reloader) { m_reloader = std::move(reloader); }
    // Runs the command and hands its answer to done: at once, or, for a
    // change the database stores, once it has.
    void run(const QString& line, const std::function<void(const Reply&)>& done);
    bool isShuttingDown() const { return m_countdown.isActive(); }

signals:
    // The countdown is over: the program shuts down in order.
    void shutdownNow(const QString& reason);

private:
    Reply answer(const QString& line);
    // Answers through done once the flag is stored; nothing when it did.
    std::optional<Reply> flag(const QString& command, const QStringList& words,
                              const std::function<void(const Reply&)>& done);
    Reply shutdown(const QStringList& words, const QString& rest);
    void tick();
    static Reply refused(const QString& why);

    AdminTarget& m_server;
    Reloader m_reloader;
    QTimer m_countdown;
    int m_secondsLeft = 0;
    QString m_shutdownReason;
};
