#pragma once

#include <QTreeWidgetItem>

struct UserInfo;

// A row of a users list (the lobby's and the masks page's) showing one user
// record. The record must outlive the row: the lobby deletes a user's rows
// before it deletes his record.
class UserItem : public QTreeWidgetItem
{
public:
    enum Column { NicknameColumn, RatingColumn, LevelColumn, GamesColumn, ColumnCount };

    explicit UserItem(const UserInfo* user);

    const UserInfo* user() const { return m_user; }
    // Shows the record's current values and colour.
    void refresh();

    // The list's column titles, shared by both users lists.
    static QStringList headerLabels();
    static void setUpList(QTreeWidget* list);

    QVariant data(int column, int role) const override;
    bool operator<(const QTreeWidgetItem& other) const override;
    QString sortKey(int column) const;

private:
    const UserInfo* m_user;
};
