#pragma once

#include <QWidget>

#include <map>
#include <memory>

class GameItem;
class GameRecord;
class MasksWidget;
class QHBoxLayout;
class QStackedWidget;
class UsersWidget;
struct UserInfo;

// The games and users window. It owns the record of every logged-on user and
// shows the users page and the masks page on a stack; the main window feeds
// it from the server's user and game messages and reacts to its signals.
class UsersDialog : public QWidget
{
    Q_OBJECT

public:
    explicit UsersDialog(QWidget* parent = nullptr);
    ~UsersDialog() override;

    // Replaces any record of that nickname; friend and enemy come from the
    // masks.
    UserInfo* addUser(const QString& nickname, const QString& hostname);
    UserInfo* findUser(const QString& nickname) const;
    void removeUser(const QString& nickname);
    // Game ids that name no known game count as none.
    void updateUser(const QString& nickname, int rating, int games, int playingGame,
                    int watchingGame, bool member, const QString& smilie, bool admin, int level);
    void clear();

    GameItem* addGame(const GameRecord& record);
    GameItem* findGame(int id) const;
    // Users who were in the game are in no game afterwards.
    void removeGame(int id);

    // The own user record, or null while the server has not announced it or
    // after it was removed.
    void setMe(const UserInfo* me);
    UserInfo* me() const;
    // The game entry a user is in, or null.
    GameItem* gameOf(const UserInfo* user) const;

    QList<UserInfo*> users() const;
    QList<UserInfo*> usersInGame(int id) const;
    QList<UserInfo*> members() const;
    QList<GameItem*> games() const;

    // Adds a mask the server has stored, without requesting anything.
    void insertMask(const QString& pattern, const QString& type);

    void updateButtons();

    UsersWidget* usersWidget() const { return m_usersWidget; }
    MasksWidget* masksWidget() const { return m_masksWidget; }

public slots:
    void switchDisplay();

signals:
    void join(int id);
    void watch(int id);
    void kick(const QString& nickname);
    void newGame();
    void addMask(const QString& pattern, const QString& type);
    void removeMask(const QString& pattern, const QString& type);
    void isFriend(const QString& nickname, bool value);
    void isEnemy(const QString& nickname, bool value);

private slots:
    void makeFriend(const QString& nickname, bool value);
    void makeEnemy(const QString& nickname, bool value);

private:
    void refreshRows(const UserInfo* user);

    QHBoxLayout* m_layout;
    QStackedWidget* m_stack;
    UsersWidget* m_usersWidget;
    MasksWidget* m_masksWidget;
    std::map<QString, std::unique_ptr<UserInfo>> m_users;
};
