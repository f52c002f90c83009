#include "useritem.h"

#include "listwidth.h"
#include "lobbydelegate.h"
#include "namecolour.h"
#include "userinfo.h"

#include <QCoreApplication>
#include <QHeaderView>

#include <algorithm>

UserItem::UserItem(const UserInfo* user) : m_user(user)
{
    refresh();
}

void UserItem::refresh()
{
    setText(NicknameColumn, m_user->nickname);
    setText(RatingColumn, QString::number(m_user->rating));
    setText(LevelColumn, QString::number(m_user->level));
    setText(GamesColumn, QString::number(m_user->games));
    // The colour comes from data(), so the view must be told even when no
    // text changed.
    emitDataChanged();
}

QStringList UserItem::headerLabels()
{
    return {QCoreApplication::translate("UserItem", "Nickname"),
            QCoreApplication::translate("UserItem", "Rating"),
            QCoreApplication::translate("UserItem", "Lvl"),
            QCoreApplication::translate("UserItem", "Games")};
}

void UserItem::setUpList(QTreeWidget* list)
{
    list->setColumnCount(ColumnCount);
    list->setHeaderLabels(headerLabels());
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setSortingEnabled(true);
    list->sortByColumn(NicknameColumn, Qt::AscendingOrder);
    list->setItemDelegate(new LobbyDelegate(list));
    // The designed widths, widened where a title or a four-digit number
    // would not fit.
    const int widths[] = {90, 38, 25, 43};
    const int digits = QFontMetrics(list->font()).horizontalAdvance(QStringLiteral("0000")) + 12;
    for (int column = 0; column < ColumnCount; ++column) {
        int width = std::max(widths[column], list->header()->sectionSizeHint(column));
        if (column != NicknameColumn)
            width = std::max(width, digits);
        list->header()->resizeSection(column, width);
    }
    // Nicknames show whole, and the list is never narrower than its columns,
    // so it needs no horizontal scroll bar.
    keepColumnsInView(list, {NicknameColumn});
}

QVariant UserItem::data(int column, int role) const
{
    if (role == Qt::ForegroundRole) {
        const QColor colour = nameColour(m_user->admin, m_user->isFriend, m_user->isEnemy);
        if (colour.isValid())
            return QBrush(colour);
    }
    return QTreeWidgetItem::data(column, role);
}

QString UserItem::sortKey(int column) const
{
    int number = 0;
    switch (column) {
    case NicknameColumn:
        return m_user->nickname.toLower();
    case RatingColumn:
        number = m_user->rating;
        break;
    case LevelColumn:
        number = m_user->level;
        break;
    case GamesColumn:
        number = m_user->games;
        break;
    default:
        break;
    }
    return QString::asprintf("%010d", number);
}

bool UserItem::operator<(const QTreeWidgetItem& other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const auto* user = dynamic_cast<const UserItem*>(&other);
    if (!user)
        return QTreeWidgetItem::operator<(other);
    return sortKey(column) < user->sortKey(column);
}
