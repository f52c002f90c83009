#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// What the operator's commands act on: the users and games, the accounts'
// flags and lines from the server. The server is one; the commands know
// nothing else of it.
class AdminTarget
{
public:
    enum class AccountFlag { Member, Admin, Banned };
    enum class FlagResult { Changed, Unchanged, NoAccount, Failed };

    // One line per logged-in user, and per game.
    virtual QStringList adminUsers() const = 0;
    virtual QStringList adminGames() = 0;
    virtual int adminUserCount() const = 0;
    // A line from the server to every user.
    virtual void adminSay(const QString& text) = 0;
    // Tells the user why, takes him out of his game and closes his
    // connection; false when he is not logged in.
    virtual bool adminKick(const QString& nickname, const QString& why) = 0;
    // Stores the flag and shows the change to the lobby; a ban also closes
    // the user's connection. `done` learns the outcome and the account's
    // spelling of the nickname once the storage has answered.
    using FlagDone = std::function<void(FlagResult result, const QString& nickname)>;
    virtual void adminSetFlag(const QString& nickname, AccountFlag flag, bool on,
                              FlagDone done) = 0;

protected:
    ~AdminTarget() = default;
};
