#include "legendlist.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <numeric>

LegendList::LegendList(QWidget* parent) : QTreeWidget(parent)
{
    setUniformRowHeights(true);
}

int LegendList::itemHeight() const
{
    if (topLevelItemCount() == 0)
        return fontMetrics().height();
    return std::max(indexRowSizeHint(model()->index(0, 0)), 1);
}

int LegendList::heightFor(int columns) const
{
    const int count = topLevelItemCount();
    const int rows = (count + std::max(columns, 1) - 1) / std::max(columns, 1);
    return header()->sizeHint().height() + rows * itemHeight() + 2 * frameWidth();
}

QSize LegendList::viewportSizeHint() const
{
    if (topLevelItemCount() == 0)
        return QTreeWidget::viewportSizeHint();
    const int headerHeight = header()->isHidden() ? 0 : header()->height();
    return {header()->length(), topLevelItemCount() * itemHeight() + headerHeight};
}

void LegendList::flow()
{
    const int count = topLevelItemCount();
    m_itemHeight = itemHeight();
    // The viewport's height counts as if no scroll bar took its width, so
    // that the rows fit the room the list really has.
    const int fits = std::max(viewport()->height() / m_itemHeight, 1);
    const int columns = count > fits ? (count + fits - 1) / fits : 1;
    m_columns = columns;
    m_edges.clear();
    if (columns == 1)
        return;
    m_rowsPerColumn = (count + columns - 1) / columns;
    const int width = viewport()->width();
    QList<int> natural;
    for (int column = 0; column < columns; ++column) {
        int widest = 0;
        const int last = std::min(count, (column + 1) * m_rowsPerColumn);
        for (int row = column * m_rowsPerColumn; row < last; ++row)
            widest = std::max(widest, sizeHintForIndex(model()->index(row, 0)).width());
        natural << widest;
    }
    // Short of width, each column gives up its share of what is missing.
    const int wanted = std::max(std::accumulate(natural.cbegin(), natural.cend(), 0), 1);
    int x = 0;
    for (int column = 0; column < columns; ++column) {
        m_edges << x;
        x += wanted <= width ? natural[column] : natural[column] * width / wanted;
    }
    m_edges << width;
}

QRect LegendList::cell(int row) const
{
    const int column = row / m_rowsPerColumn;
    const int left = m_edges[column];
    return {left, (row % m_rowsPerColumn) * m_itemHeight, m_edges[column + 1] - left, m_itemHeight};
}

QRect LegendList::visualRect(const QModelIndex& index) const
{
    if (m_columns == 1 || !index.isValid() || index.row() >= topLevelItemCount())
        return QTreeWidget::visualRect(index);
    return cell(index.row());
}

QModelIndex LegendList::indexAt(const QPoint& point) const
{
    if (m_columns == 1)
        return QTreeWidget::indexAt(point);
    const auto right = std::upper_bound(m_edges.cbegin(), m_edges.cend(), point.x());
    const int column = int(right - m_edges.cbegin()) - 1;
    if (column < 0 || column >= m_columns || point.y() < 0)
        return {};
    const int rowInColumn = point.y() / m_itemHeight;
    const int row = column * m_rowsPerColumn + rowInColumn;
    if (rowInColumn >= m_rowsPerColumn || row >= topLevelItemCount())
        return {};
    return model()->index(row, 0);
}

void LegendList::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    // Flowing, every row is in view already.
    if (m_columns == 1)
        QTreeWidget::scrollTo(index, hint);
}

void LegendList::updateGeometries()
{
    QTreeWidget::updateGeometries();
    flow();
    if (m_columns > 1) {
        verticalScrollBar()->setRange(0, 0);
        horizontalScrollBar()->setRange(0, 0);
        header()->resizeSection(0, viewport()->width());
    }
}

void LegendList::paintEvent(QPaintEvent* event)
{
    if (m_columns == 1) {
        QTreeWidget::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = cell(row);
        if (!event->rect().intersects(option.rect))
            continue;
        const QModelIndex index = model()->index(row, 0);
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (index == currentIndex() && hasFocus())
            option.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

void LegendList::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags)
{
    if (m_columns == 1) {
        QTreeWidget::setSelection(rect, flags);
        return;
    }
    QItemSelection selection;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        if (cell(row).intersects(rect.normalized())) {
            const QModelIndex index = model()->index(row, 0);
            selection.select(index, index);
        }
    }
    selectionModel()->select(selection, flags);
}

QRegion LegendList::visualRegionForSelection(const QItemSelection& selection) const
{
    if (m_columns == 1)
        return QTreeWidget::visualRegionForSelection(selection);
    QRegion region;
    for (const QModelIndex& index : selection.indexes())
        region += visualRect(index);
    return region;
}
