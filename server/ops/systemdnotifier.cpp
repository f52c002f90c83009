#include "systemdnotifier.h"

#include <systemd/sd-daemon.h>

#include <cstdint>

SystemdNotifier::SystemdNotifier(QObject* parent) : QObject(parent)
{
    connect(&m_watchdog, &QTimer::timeout, this, [] { notify("WATCHDOG=1"); });
}

bool SystemdNotifier::isActive()
{
    return qEnvironmentVariableIsSet("NOTIFY_SOCKET");
}

void SystemdNotifier::notify(const QByteArray& state)
{
    if (isActive())
        sd_notify(0, state.constData());
}

void SystemdNotifier::ready(const QString& status)
{
    notify("READY=1\nSTATUS=" + status.toUtf8());
}

void SystemdNotifier::reloading()
{
    notify("RELOADING=1");
}

void SystemdNotifier::stopping()
{
    m_watchdog.stop();
    notify("STOPPING=1");
}

void SystemdNotifier::startWatchdog()
{
    std::uint64_t usec = 0;
    if (!isActive() || sd_watchdog_enabled(0, &usec) <= 0 || usec == 0)
        return;
    // Pinged from a timer of the event loop: a loop that stops answering
    // stops the pings.
    m_watchdog.start(int(std::max<std::uint64_t>(usec / 2000, 1)));
    notify("WATCHDOG=1");
}
