#pragma once

#include <QTreeWidgetItem>

class GameRecord;
class QPainter;

// A row of the lobby's games list showing one game of the lobby model. The
// seat icons and the option strip are handed to the list's delegate through
// IconsRole, which draws them over the cell. The game must outlive the row:
// the list drops a game's row before the model deletes the game.
class GameItem : public QTreeWidgetItem
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
    // Item data role carrying a number drawn after a cell's icons (the
    // observers, when they are too many for an icon each); none when 0.
    static constexpr int CountRole = Qt::UserRole + 2;

    explicit GameItem(const GameRecord* game);

    const GameRecord* game() const { return m_game; }
    // Shows the game's current values.
    void refresh();

    // Draws a game's option strip with its left edge at the painter's origin.
    static void paintOptions(QPainter* painter, const GameRecord& game);

    QVariant data(int column, int role) const override;
    bool operator<(const QTreeWidgetItem& other) const override;
    QString sortKey(int column) const;

private:
    const GameRecord* m_game;
};
