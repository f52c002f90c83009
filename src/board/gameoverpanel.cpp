#include "gameoverpanel.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QTableWidget>
#include <QVBoxLayout>

GameOverPanel::GameOverPanel(QWidget* board) : BoardPanel(board)
{
    setObjectName(QStringLiteral("GameOverPanel"));
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("GameOverTable"));
    m_table->setHorizontalHeaderLabels({tr("Player"), tr("Countries"), tr("Armies"),
                                        tr("Conquered"), tr("Luck"), tr("Cards traded"),
                                        tr("Turns")});
    m_table->horizontalHeaderItem(LuckColumn)
        ->setToolTip(tr("Armies the player's dice took beyond what the exact odds of the same "
                        "throws give on average; below zero, fewer"));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setShowGrid(false);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    body()->insertWidget(2, m_table);
}

QString GameOverPanel::luckText(double luck)
{
    // No "-0.0" for a throw that went exactly as the odds say.
    if (qAbs(luck) < 0.05)
        luck = 0;
    return QString::asprintf("%+.1f", luck);
}

QString GameOverPanel::durationText(qint64 milliseconds)
{
    const qint64 seconds = std::max<qint64>(0, milliseconds / 1000);
    if (seconds >= 3600)
        return QString::asprintf("%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                                 seconds % 60);
    return QString::asprintf("%lld:%02lld", seconds / 60, seconds % 60);
}

void GameOverPanel::showSummary(const QString& winner, int turns, qint64 durationMs,
                                const QList<Row>& rows)
{
    setTitle(tr("%1 has won the game").arg(winner));
    const QString duration = durationText(durationMs);
    setText(turns == 1 ? tr("One turn in %1").arg(duration)
                       : tr("%1 turns in %2").arg(QString::number(turns), duration));
    m_table->setRowCount(int(rows.size()));
    const int swatch = fontMetrics().height() - 4;
    for (int r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        const SeatFigures& f = row.figures;
        QPixmap colour(swatch, swatch);
        colour.fill(row.colour);
        {
            QPainter painter(&colour);
            painter.setPen(Qt::black);
            painter.drawRect(0, 0, swatch - 1, swatch - 1);
        }
        auto* name = new QTableWidgetItem(QIcon(colour), f.name);
        QFont font = m_table->font();
        font.setBold(row.winner);
        name->setFont(font);
        m_table->setItem(r, PlayerColumn, name);
        const QString luck = f.throws > 0 ? luckText(f.luck()) : QStringLiteral("–");
        const QString cells[] = {QString::number(f.countries),   QString::number(f.armies),
                                 QString::number(f.conquered),   luck,
                                 QString::number(f.cardsTraded), QString::number(f.turns)};
        for (int c = CountriesColumn; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(cells[c - CountriesColumn]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setFont(font);
            m_table->setItem(r, c, item);
        }
        if (f.throws > 0)
            m_table->item(r, LuckColumn)
                ->setToolTip(tr("%1 armies taken in %2 throws; the odds give %3")
                                 .arg(QString::number(f.kills), QString::number(f.throws),
                                      QString::number(f.expectedKills, 'f', 1)));
    }
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();
    m_table->updateGeometry();
    popUp();
}
