#pragma once

#include <QList>

class QTreeWidget;

// Whenever rows come or change, widens the given columns to their longest
// text and keeps the list at least as wide as all its columns need, so that
// it shows them without a horizontal scroll bar where the window has room.
void keepColumnsInView(QTreeWidget* list, const QList<int>& widened = {});
