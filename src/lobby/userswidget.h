#pragma once

#include <QHash>
#include <QWidget>

class GameItem;
class GameRecord;
class LegendList;
class LobbyModel;
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
// kick and open a new game. It shows the lobby model, one row per game and
// per user, and follows its changes.
class UsersWidget : public QWidget
{
    Q_OBJECT

public:
    enum PlayerColumn { PlayerNickname, PlayerHostname, PlayerRating, PlayerLevel, PlayerGames };

    explicit UsersWidget(LobbyModel* model, QWidget* parent = nullptr);

    // Re-evaluates the buttons and, since a user may have moved, the people
    // shown for the chosen game.
    void updateButtons();

    QSize minimumSizeHint() const override;

signals:
    void join(int id);
    void watch(int id);
    void kick(const QString& nickname);
    void newGame();
    void playAgainstRobots();
    void edit();

private slots:
    void joinButtonClicked();
    void watchButtonClicked();
    void kickButtonClicked();
    void userSelectionChanged();
    void gameSelectionChanged();
    void playerSelectionChanged();

private:
    void addGame(const GameRecord* game);
    void refreshGame(const GameRecord* game);
    void removeGame(const GameRecord* game);
    void addUser(const UserInfo* user);
    void refreshUser(const UserInfo* user);
    void removeUser(const UserInfo* user);
    void clear();
    GameItem* currentGame() const;
    const GameRecord* chosenGame() const;
    const UserInfo* currentUser() const;
    void evaluateButtons();
    void fillPlayers();
    void addPlayerRow(const UserInfo* user, bool observer);
    void fillLegend();
    // The width below which the games and the users no longer fit side by
    // side.
    int sideBySideWidth() const;
    // Side by side, the games list over the players and the users list over
    // the legend; on a narrow screen the games take the whole width, and
    // below them the users over the players share the height with the
    // legend.
    void arrange(bool narrow);
    void arrangeForWidth();

protected:
    bool event(QEvent* event) override;

private:
    QLabel* m_gamesLabel;
    QLabel* m_usersLabel;
    QLabel* m_playersLabel;
    QLabel* m_legendLabel;
    QTreeWidget* m_gameList;
    QTreeWidget* m_userList;
    QTreeWidget* m_playerList;
    LegendList* m_legendList;
    QPushButton* m_joinButton;
    QPushButton* m_watchButton;
    QPushButton* m_kickButton;
    QPushButton* m_newButton;
    QPushButton* m_robotsButton;
    QPushButton* m_editButton;
    QWidget* m_buttons;
    QGridLayout* m_mainLayout;
    bool m_narrow = false;
    QHBoxLayout* m_buttonsLayout;
    LobbyModel* m_model;
    QHash<QString, UserItem*> m_userRows;
    QHash<int, GameItem*> m_gameRows;
    // The user in no game whose row the players list shows alone, if any.
    QString m_loneUser;
    bool m_choosingPlayer = false;
};
