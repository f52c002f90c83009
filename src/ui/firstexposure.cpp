#include "firstexposure.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <QWindow>

FirstExposure::FirstExposure(QWidget* widget, std::function<void()> then, QObject* parent)
    : QObject(parent), m_window(widget->windowHandle()), m_then(std::move(then))
{
    if (!m_window)
        return;
    if (m_window->isExposed())
        schedule();
    else
        m_window->installEventFilter(this);
}

bool FirstExposure::eventFilter(QObject* watched, QEvent* event)
{
    // The filter sees the expose before the window handles (paints) it; the
    // callback is queued behind that.
    if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed()) {
        m_window->removeEventFilter(this);
        schedule();
    }
    return false;
}

void FirstExposure::schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_fired = true;
            if (m_then)
                m_then();
        },
        Qt::QueuedConnection);
}
