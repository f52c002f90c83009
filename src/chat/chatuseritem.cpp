#include "chatuseritem.h"

#include <QBrush>
#include <QFont>

ChatUserItem::ChatUserItem(QTreeWidget* list, const QString& nickname)
    : QTreeWidgetItem(list, QStringList{nickname}, Type)
{}

void ChatUserItem::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    emitDataChanged();
}

void ChatUserItem::setStrikeOut(bool strikeOut)
{
    if (strikeOut == m_strikeOut)
        return;
    m_strikeOut = strikeOut;
    emitDataChanged();
}

QVariant ChatUserItem::data(int column, int role) const
{
    switch (role) {
    case Qt::ForegroundRole:
        return QBrush(m_color);
    case Qt::FontRole:
        if (m_strikeOut) {
            // Only the strike-out is set, so the list's own font fills in
            // the rest.
            QFont font;
            font.setStrikeOut(true);
            return font;
        }
        break;
    default:
        break;
    }
    return QTreeWidgetItem::data(column, role);
}

bool ChatUserItem::operator<(const QTreeWidgetItem& other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const QString mine = sortKey(column);
    const QString theirs = other.text(column).toLower();
    // Nicknames equal but for case keep a fixed order among themselves.
    if (mine == theirs)
        return text(column) < other.text(column);
    return mine < theirs;
}

void ChatUserDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant foreground = index.data(Qt::ForegroundRole);
    if (!foreground.canConvert<QBrush>())
        return;
    const QColor color = foreground.value<QBrush>().color();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        option->palette.setColor(group, QPalette::Highlight, color);
        option->palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
}
