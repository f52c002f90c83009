#pragma once

#include <QObject>
#include <QTimer>

// Tells systemd how the service stands (sd_notify): ready once it listens,
// reloading, stopping, and a watchdog ping from the event loop, so that a
// loop that hangs gets the service restarted. Without NOTIFY_SOCKET (not
// started by systemd) it does nothing.
class SystemdNotifier : public QObject
{
    Q_OBJECT

public:
    explicit SystemdNotifier(QObject* parent = nullptr);

    static bool isActive();
    void ready(const QString& status);
    void reloading();
    void stopping();
    // Starts pinging at half the interval systemd asked for (WatchdogSec=).
    void startWatchdog();
    int watchdogIntervalMs() const { return m_watchdog.interval(); }

private:
    static void notify(const QByteArray& state);

    QTimer m_watchdog;
};
