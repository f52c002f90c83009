#include "hintline.h"

#include <QResizeEvent>

HintLine::HintLine(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QSize HintLine::sizeHint() const
{
    // As narrow as the bar likes, as high as the text needs at the width
    // the bar gave.
    return {1, std::max(heightForWidth(std::max(width(), 1)), fontMetrics().height())};
}

QSize HintLine::minimumSizeHint() const
{
    return sizeHint();
}

void HintLine::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        updateGeometry();
}
