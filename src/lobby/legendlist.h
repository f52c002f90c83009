#pragma once

#include <QList>
#include <QTreeWidget>

// The lobby's icon legend: a one-column list that, when its height is short
// of its rows, flows them down into as many columns side by side as it takes
// to show every row, in their order. Each column is as wide as its longest
// text where the width allows, else the columns share the width in the
// proportion of their texts and cut them short (the rows' tooltips give them
// whole).
class LegendList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit LegendList(QWidget* parent = nullptr);

    // The columns the rows flow into at the current size; 1 is a plain list.
    int flowColumns() const { return m_columns; }
    // The height the list needs to show every row in the given number of
    // columns.
    int heightFor(int columns) const;

    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void updateGeometries() override;
    // What a plain list of all the rows asks for, however they flow now.
    QSize viewportSizeHint() const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;

private:
    int itemHeight() const;
    void flow();
    QRect cell(int row) const;

    int m_columns = 1;
    int m_rowsPerColumn = 0;
    int m_itemHeight = 0;
    // The left edges of the flowing columns, and the right edge of the last.
    QList<int> m_edges;
};
