#include "gameitem.h"

#include "pictures.h"

GameItem::GameItem(const GameRecord& record) : GameRecord(record)
{
    m_shownRunning = running;
    refresh();
}

void GameItem::update(const QString& operatorName, bool running, int clients, int players,
                      int robots, int disconnected)
{
    if (running)
        m_shownRunning = true;
    this->operatorName = operatorName;
    this->running = running;
    this->clients = clients;
    this->players = players;
    this->robots = robots;
    this->disconnected = disconnected;
    refresh();
}

void GameItem::refresh()
{
    setText(OperatorColumn, operatorName);
    setText(HumansColumn, QString::number(minHumans));
    setText(TimeoutColumn, timeoutText());
    setText(RatingColumn, ratingText());
    setText(MapColumn, mapText);
    // The seat and option cells have no text of their own, but their size
    // and pictures may have changed even when no text did.
    emitDataChanged();
}

QString GameItem::statusIcon() const
{
    return m_shownRunning ? QStringLiteral("Icons/Running.png")
                          : QStringLiteral("Icons/Waiting.png");
}

QVariant GameItem::data(int column, int role) const
{
    if (role == Qt::DecorationRole && column == OperatorColumn)
        return Pictures::pixmap(statusIcon());
    if (role == IconsRole) {
        if (column == UsersColumn)
            return seatIcons();
        if (column == OptionsColumn)
            return optionIcons();
        return {};
    }
    if (role == Qt::ToolTipRole && column == MapColumn)
        return mapText;
    return QTreeWidgetItem::data(column, role);
}

QString GameItem::sortKey(int column) const
{
    switch (column) {
    case OperatorColumn:
        return QString::asprintf("%01d ", running ? 1 : 0) + operatorName.toLower();
    case UsersColumn:
        return QString::asprintf("%010d", clients + robots + disconnected);
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
