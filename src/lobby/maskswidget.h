#pragma once

#include "lobbymodel.h"

#include <QHash>
#include <QWidget>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class UserItem;
struct UserInfo;

// The lobby's masks page: the user's friend and enemy masks, wildcard
// patterns matched against "nickname@hostname" of every logged-on user, and
// the users they are matched against, as the lobby model holds them. Adding
// or removing a mask reports every user whose standing changes through
// isFriend and isEnemy.
class MasksWidget : public QWidget
{
    Q_OBJECT

public:
    enum MaskColumn { TypeColumn, PatternColumn };

    explicit MasksWidget(LobbyModel* model, QWidget* parent = nullptr);

signals:
    void addMask(const QString& pattern, const QString& type);
    void removeMask(const QString& pattern, const QString& type);
    void users();
    void isFriend(const QString& nickname, bool value);
    void isEnemy(const QString& nickname, bool value);

private slots:
    void friendButtonClicked();
    void enemyButtonClicked();
    void removeButtonClicked();
    void userSelectionChanged();
    void maskSelectionChanged();

private:
    void addFromInput(const QString& type);
    void addMaskRow(const LobbyModel::Mask& mask);
    void removeMaskRow(const LobbyModel::Mask& mask);
    void addUser(const UserInfo* user);
    void refreshUser(const UserInfo* user);
    void removeUser(const UserInfo* user);
    void clear();

    LobbyModel* m_model;
    QLabel* m_masksLabel;
    QLabel* m_usersLabel;
    QLabel* m_inputLabel;
    QTreeWidget* m_maskList;
    QTreeWidget* m_userList;
    QLineEdit* m_inputBox;
    QLabel* m_inputHint;
    QPushButton* m_friendButton;
    QPushButton* m_enemyButton;
    QPushButton* m_removeButton;
    QPushButton* m_usersButton;
    QWidget* m_buttons;
    QGridLayout* m_mainLayout;
    QHBoxLayout* m_buttonsLayout;
    QHash<QString, UserItem*> m_userRows;
};
