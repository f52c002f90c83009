#include "listwidth.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Fits the list once the current burst of changes is over, and again when
// it is shown, since only then do its style and fonts measure truly.
class ColumnFitter : public QObject
{
public:
    ColumnFitter(QTreeWidget* list, const QList<int>& widened)
        : QObject(list), m_list(list), m_widened(widened)
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, &ColumnFitter::fit);
        const QAbstractItemModel* model = list->model();
        auto later = [this] {
            m_timer.start();
        };
        connect(model, &QAbstractItemModel::rowsInserted, this, later);
        connect(model, &QAbstractItemModel::dataChanged, this, later);
        connect(model, &QAbstractItemModel::modelReset, this, later);
        list->installEventFilter(this);
        m_timer.start();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_list && event->type() == QEvent::Show)
            m_timer.start();
        return false;
    }

private:
    void fit()
    {
        QHeaderView* header = m_list->header();
        const QAbstractItemView* view = m_list;
        // What a column's title and texts need. The last column may have been
        // stretched over the rest, so its own width does not count; stretched,
        // it never gets narrower than the header's default section, though.
        const int last = header->count() - 1;
        auto needs = [&](int column) {
            const int own = column != last                 ? header->sectionSize(column)
                            : header->stretchLastSection() ? header->defaultSectionSize()
                                                           : 0;
            return std::max(
                {own, header->sectionSizeHint(column), view->sizeHintForColumn(column)});
        };
        for (int column : std::as_const(m_widened)) {
            if (header->sectionResizeMode(column) == QHeaderView::Interactive &&
                needs(column) > header->sectionSize(column))
                header->resizeSection(column, needs(column));
        }
        int columns = 0;
        for (int column = 0; column < header->count(); ++column)
            columns += needs(column);
        const int width =
            columns + 2 * m_list->frameWidth() + m_list->verticalScrollBar()->sizeHint().width();
        m_list->setMinimumWidth(std::max(m_list->minimumWidth(), width));
    }

    QTreeWidget* m_list;
    QList<int> m_widened;
    QTimer m_timer;
};

} // namespace

void keepColumnsInView(QTreeWidget* list, const QList<int>& widened)
{
    new ColumnFitter(list, widened);
}
