#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;
class QWindow;

// Calls back once, after a shown widget's window was first exposed: on the
// event loop's next turn, when the expose has been handled and the window
// painted. Work the first picture does not need can wait for it.
class FirstExposure : public QObject
{
    Q_OBJECT

public:
    // The widget must have been shown (it has its window). The callback runs
    // at most once; it does not run once the watch is deleted.
    FirstExposure(QWidget* widget, std::function<void()> then, QObject* parent = nullptr);

    bool hasFired() const { return m_fired; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void schedule();

    QPointer<QWindow> m_window;
    std::function<void()> m_then;
    bool m_scheduled = false;
    bool m_fired = false;
};
