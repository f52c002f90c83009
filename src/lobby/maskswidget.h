#pragma once

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
// the users they are matched against. Adding or removing a mask reports every
// user whose standing changes through isFriend and isEnemy; the lobby keeps
// the flags.
class MasksWidget : public QWidget
{
    Q_OBJECT

public:
    enum MaskColumn { TypeColumn, PatternColumn };

    explicit MasksWidget(QWidget* parent = nullptr);

    // Adds a mask to the list without telling the server: for the masks the
    // server sends at login and, after the request, for the user's own.
    // Empty patterns and duplicates up to letter case are dropped.
    void insertMask(const QString& pattern, const QString& type);
    bool matchesFriend(const UserInfo& user) const;
    bool matchesEnemy(const UserInfo& user) const;
    // The masks as (type, pattern) pairs, in list order.
    QList<QPair<QString, QString>> masks() const;

    void addUser(const UserInfo* user);
    void refreshUser(const UserInfo* user);
    void removeUser(const QString& nickname);
    // Removes every user row and every mask.
    void clear();

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
    bool matches(const UserInfo& user, const QString& type) const;
    QList<const UserInfo*> usersInOrder() const;

    QLabel* m_masksLabel;
    QLabel* m_usersLabel;
    QLabel* m_inputLabel;
    QTreeWidget* m_maskList;
    QTreeWidget* m_userList;
    QLineEdit* m_inputBox;
    QPushButton* m_friendButton;
    QPushButton* m_enemyButton;
    QPushButton* m_removeButton;
    QPushButton* m_usersButton;
    QWidget* m_buttons;
    QGridLayout* m_mainLayout;
    QHBoxLayout* m_buttonsLayout;
    QHash<QString, UserItem*> m_userRows;
};
