#include "gameitem.h"

#include "gamerecord.h"
#include "pictures.h"

#include <QPainter>

GameItem::GameItem(const GameRecord* game) : m_game(game)
{
    refresh();
}

void GameItem::refresh()
{
    setText(OperatorColumn, m_game->operatorName);
    setText(HumansColumn, QString::number(m_game->options.minHumans));
    setText(TimeoutColumn, m_game->timeoutText());
    setText(RatingColumn, m_game->ratingText());
    setText(MapColumn, m_game->mapText);
    // The seat and option cells have no text of their own, but their size
    // and pictures may have changed even when no text did.
    emitDataChanged();
}

void GameItem::paintOptions(QPainter* painter, const GameRecord& game)
{
    int x = 0;
    for (const QString& file : game.optionIcons()) {
        const QPixmap& picture = Pictures::pixmap(file);
        if (!picture.isNull())
            painter->drawPixmap(x, 0, picture);
        x += GameRecord::IconStep;
    }
}

QVariant GameItem::data(int column, int role) const
{
    if (role == Qt::DecorationRole && column == OperatorColumn)
        return Pictures::pixmap(m_game->statusIcon());
    if (role == IconsRole) {
        if (column == UsersColumn)
            return m_game->seatIcons();
        if (column == OptionsColumn)
            return m_game->optionIcons();
        return {};
    }
    if (role == CountRole)
        return column == UsersColumn ? m_game->observerCount() : 0;
    if (role == Qt::ToolTipRole && column == MapColumn)
        return m_game->mapText;
    return QTreeWidgetItem::data(column, role);
}

QString GameItem::sortKey(int column) const
{
    switch (column) {
    case OperatorColumn:
        return QString::asprintf("%01d ", m_game->running ? 1 : 0) + m_game->operatorName.toLower();
    case UsersColumn:
        return QString::asprintf("%010d", m_game->clients + m_game->robots + m_game->disconnected);
    default:
        return text(column).toLower();
    }
}

bool GameItem::operator<(const QTreeWidgetItem& other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const auto* game = dynamic_cast<const GameItem*>(&other);
    if (!game)
        return QTreeWidgetItem::operator<(other);
    return sortKey(column) < game->sortKey(column);
}
