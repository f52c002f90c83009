#pragma once

#include <QStyledItemDelegate>

// Delegate of the lobby's lists. It draws the pictures a row hands over in
// GameItem::IconsRole over the normal cell, 14 pixels apart (then the number
// of GameItem::CountRole, if any), and lets a row's
// own text colour (a friend, an enemy, an admin) also be its selection colour.
class LobbyDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Over a picture, the tooltip says what the picture means.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The number drawn after a cell's icons.
    static QString countText(int count);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
