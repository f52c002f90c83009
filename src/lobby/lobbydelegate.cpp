#include "lobbydelegate.h"

#include "gameitem.h"
#include "gamerecord.h"
#include "iconlegend.h"
#include "pictures.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QLocale>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

void LobbyDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant foreground = index.data(Qt::ForegroundRole);
    if (foreground.canConvert<QBrush>()) {
        const QColor colour = foreground.value<QBrush>().color();
        option->palette.setColor(QPalette::Highlight, colour);
        option->palette.setColor(QPalette::HighlightedText, Qt::white);
    }
}

void LobbyDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QStringList icons = index.data(GameItem::IconsRole).toStringList();
    if (icons.isEmpty())
        return;
    painter->save();
    painter->setClipRect(option.rect);
    int x = option.rect.left() + 2;
    for (const QString& file : icons) {
        const QPixmap& picture = Pictures::pixmap(file);
        if (!picture.isNull()) {
            const QSize size = picture.deviceIndependentSize().toSize();
            const int y = option.rect.top() + (option.rect.height() - size.height()) / 2;
            painter->drawPixmap(x, y, picture);
        }
        x += GameRecord::IconStep;
    }
    if (const int count = index.data(GameItem::CountRole).toInt(); count > 0) {
        const QRect text(x + 1, option.rect.top(), option.rect.right() - x, option.rect.height());
        painter->setPen(option.palette.color(
            option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, countText(count));
    }
    painter->restore();
}

QString LobbyDelegate::countText(int count)
{
    return QLocale().toString(count);
}

QSize LobbyDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QStringList icons = index.data(GameItem::IconsRole).toStringList();
    if (!icons.isEmpty()) {
        int tallest = 0;
        for (const QString& file : icons)
            tallest = std::max(tallest, Pictures::pixmap(file).height());
        int width = 4 + GameRecord::IconStep * int(icons.size());
        if (const int count = index.data(GameItem::CountRole).toInt(); count > 0)
            width += 2 + option.fontMetrics.horizontalAdvance(countText(count));
        size.setWidth(std::max(size.width(), width));
        size.setHeight(std::max(size.height(), tallest + 2));
    }
    return size;
}

bool LobbyDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                              const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QStringList icons = index.data(GameItem::IconsRole).toStringList();
    if (event->type() != QEvent::ToolTip || icons.isEmpty())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    // The pictures lie as paint() draws them.
    int slot = (event->pos().x() - option.rect.left() - 2) / GameRecord::IconStep;
    // The number after the last icon counts what that icon shows.
    if (slot >= icons.size() && index.data(GameItem::CountRole).toInt() > 0)
        slot = int(icons.size()) - 1;
    const QString text =
        slot >= 0 && slot < icons.size()
            ? IconLegend::meaning(icons[slot], index.column() == GameItem::UsersColumn)
            : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
    return true;
}
