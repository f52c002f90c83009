#pragma once

#include <QDateTime>
#include <QWidget>

class QTimer;

// The turn clock at the end of the button bar: counts the seconds left for
// the current turn down to 00:00 and marks the last ten with a red box. Its
// timer runs only while there is something to count.
class Clock : public QWidget
{
    Q_OBJECT

public:
    explicit Clock(QWidget* parent = nullptr);

    // Starts counting down from the given number of seconds.
    void set(int seconds);
    // Shows 00:00 at once and counts no more: the game is over or left.
    void stop();
    // Whole seconds left, rounded up so the full count shows first; 0 once
    // the deadline has passed.
    int remaining() const;
    QString text() const;
    bool isWarning() const;
    bool isCounting() const;

public slots:
    void recalculate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QDateTime m_deadline;
    QTimer* m_timer;
};
