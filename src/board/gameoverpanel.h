#pragma once

#include "boardpanel.h"
#include "gamechronicle.h"

#include <QColor>
#include <QList>

class QTableWidget;

// The end of a game over the board: who won, and for every seat its
// countries and armies at the end, what it conquered, how its dice fared
// against the exact odds, the cards it traded and its turns.
class GameOverPanel : public BoardPanel
{
    Q_OBJECT

public:
    enum Column {
        PlayerColumn,
        CountriesColumn,
        ArmiesColumn,
        ConqueredColumn,
        LuckColumn,
        CardsColumn,
        TurnsColumn,
        ColumnCount
    };

    struct Row
    {
        QColor colour;
        SeatFigures figures;
        bool winner = false;
    };

    explicit GameOverPanel(QWidget* board);

    // "+1.5": what the dice took beyond the odds, one decimal, always signed.
    static QString luckText(double luck);
    // "12:05", or "1:02:05" past an hour.
    static QString durationText(qint64 milliseconds);

    void showSummary(const QString& winner, int turns, qint64 durationMs, const QList<Row>& rows);
    QTableWidget* table() const { return m_table; }

private:
    QTableWidget* m_table = nullptr;
};
