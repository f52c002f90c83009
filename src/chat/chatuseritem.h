#pragma once

#include <QColor>
#include <QStyledItemDelegate>
#include <QTreeWidgetItem>

// One nickname in a chat box's user list, in the colour and strike-out the
// scripts give it. The list keeps the nickname as it was given and sorts it
// without regard to case.
class ChatUserItem : public QTreeWidgetItem
{
public:
    static constexpr int Type = QTreeWidgetItem::UserType + 1;

    ChatUserItem(QTreeWidget* list, const QString& nickname);

    QString nickname() const { return text(0); }
    QColor color() const { return m_color; }
    bool strikeOut() const { return m_strikeOut; }
    // Both repaint the row only when the value changes.
    void setColor(const QColor& color);
    void setStrikeOut(bool strikeOut);

    QVariant data(int column, int role) const override;
    bool operator<(const QTreeWidgetItem& other) const override;
    QString sortKey(int column) const { return text(column).toLower(); }

private:
    QColor m_color = Qt::black;
    bool m_strikeOut = false;
};

// Paints a user list's rows with the row's own colour as the selection
// colour too, so a selected friend still reads as a friend.
class ChatUserDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
