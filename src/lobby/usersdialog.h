#pragma once

#include "lobbymodel.h"

#include <QWidget>

class MasksWidget;
class QHBoxLayout;
class QStackedWidget;
class UsersWidget;

// The games and users window: the users page and the masks page on a stack,
// both showing the lobby model. The main window feeds the model from the
// server's user and game messages and reacts to the window's signals; the
// window's own operations pass straight on to the model.
class UsersDialog : public QWidget
{
    Q_OBJECT

public:
    explicit UsersDialog(LobbyModel* model, QWidget* parent = nullptr);

    LobbyModel* model() const { return m_model; }

    const UserInfo* addUser(const QString& nickname, const QString& hostname)
    {
        return m_model->addUser(nickname, hostname);
    }
    const UserInfo* findUser(const QString& nickname) const { return m_model->findUser(nickname); }
    void removeUser(const QString& nickname) { m_model->removeUser(nickname); }
    void updateUser(const QString& nickname, int rating, int games, int playingGame,
                    int watchingGame, bool member, const QString& smilie, bool admin, int level)
    {
        m_model->updateUser(nickname, rating, games, playingGame, watchingGame, member, smilie,
                            admin, level);
    }
    void clear() { m_model->clear(); }
    const GameRecord* addGame(const GameRecord& record) { return m_model->addGame(record); }
    const GameRecord* findGame(int id) const { return m_model->findGame(id); }
    void removeGame(int id) { m_model->removeGame(id); }
    void setMe(const UserInfo* me) { m_model->setMe(me ? me->nickname : QString()); }
    // Adds a mask the server has stored, without requesting anything.
    void insertMask(const QString& pattern, const QString& type)
    {
        m_model->insertMask(pattern, type);
    }

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
    void playAgainstRobots();
    void addMask(const QString& pattern, const QString& type);
    void removeMask(const QString& pattern, const QString& type);
    void isFriend(const QString& nickname, bool value);
    void isEnemy(const QString& nickname, bool value);

private slots:
    void makeFriend(const QString& nickname, bool value);
    void makeEnemy(const QString& nickname, bool value);

private:
    LobbyModel* m_model;
    QHBoxLayout* m_layout;
    QStackedWidget* m_stack;
    UsersWidget* m_usersWidget;
    MasksWidget* m_masksWidget;
};
