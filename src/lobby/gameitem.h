#pragma once

#include "gamerecord.h"

#include <QTreeWidgetItem>

// A game entry as a row of the lobby's games list. The seat icons and the
// option strip are handed to the list's delegate through IconsRole, which
// draws them over the cell.
class GameItem : public QTreeWidgetItem, public GameRecord
{
public:
    enum Column {
        OperatorColumn,
        UsersColumn,
        HumansColumn,
        TimeoutColumn,
        RatingColumn,
        MapColumn,
        OptionsColumn,
        ColumnCount
    };
    // Item data role carrying the picture files a cell draws in a row.
    static constexpr int IconsRole = Qt::UserRole + 1;

    explicit GameItem(const GameRecord& record);

    // Stores a status message's values; a game that has started keeps its
    // running picture for good.
    void update(const QString& operatorName, bool running, int clients, int players, int robots,
                int disconnected);

    // Picture file of the first column: running once the game has started.
    QString statusIcon() const;

    QVariant data(int column, int role) const override;
    bool operator<(const QTreeWidgetItem& other) const override;
    QString sortKey(int column) const;

private:
    void refresh();

    bool m_shownRunning = false;
};
