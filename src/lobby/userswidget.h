#pragma once

#include <QHash>
#include <QWidget>

class GameItem;
class GameRecord;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class UserItem;
struct UserInfo;

// The lobby's users page: the games on the server, the logged-on users, the
// people of the chosen game, an icon legend, and the buttons to join, watch,
// kick and open a new game. It owns the game entries (as rows of its games
// list) and one row per user record; the records belong to the UsersDialog.
class UsersWidget : public QWidget
{
    Q_OBJECT

public:
    enum PlayerColumn { PlayerNickname, PlayerHostname, PlayerRating, PlayerLevel, PlayerGames };

    explicit UsersWidget(QWidget* parent = nullptr);

    // Replaces any entry with the same id.
    GameItem* addGame(const GameRecord& record);
    GameItem* findGame(int id) const;
    void removeGame(int id);
    QList<GameItem*> games() const;

    void addUser(const UserInfo* user);
    void refreshUser(const UserInfo* user);
    void removeUser(const QString& nickname);
    void clear();

    // The own user record, remembered by nickname so that it is gone the
    // moment the record is removed.
    void setMe(const UserInfo* me);
    QString meNickname() const { return m_me; }

    // Re-evaluates the buttons and, since a user may have moved, the people
    // shown for the chosen game.
    void updateButtons();

signals:
    void join(int id);
    void watch(int id);
    void kick(const QString& nickname);
    void newGame();
    void edit();

private slots:
    void joinButtonClicked();
    void watchButtonClicked();
    void kickButtonClicked();
    void userSelectionChanged();
    void gameSelectionChanged();
    void playerSelectionChanged();

private:
    const UserInfo* me() const;
    GameItem* currentGame() const;
    const UserInfo* currentUser() const;
    void evaluateButtons();
    void fillPlayers();
    void addPlayerRow(const UserInfo* user, bool observer);
    void fillLegend();

    QLabel* m_gamesLabel;
    QLabel* m_usersLabel;
    QLabel* m_playersLabel;
    QLabel* m_legendLabel;
    QTreeWidget* m_gameList;
    QTreeWidget* m_userList;
    QTreeWidget* m_playerList;
    QTreeWidget* m_legendList;
    QPushButton* m_joinButton;
    QPushButton* m_watchButton;
    QPushButton* m_kickButton;
    QPushButton* m_newButton;
    QPushButton* m_editButton;
    QWidget* m_buttons;
    QGridLayout* m_mainLayout;
    QHBoxLayout* m_buttonsLayout;
    QHash<QString, UserItem*> m_userRows;
    QHash<int, GameItem*> m_games;
    QString m_me;
    // The user in no game whose row the players list shows alone, if any.
    QString m_loneUser;
    bool m_choosingPlayer = false;
};
