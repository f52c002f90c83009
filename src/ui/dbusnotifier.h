#pragma once

#include "desktopnotifier.h"

#include <QObject>

// The desktop's notification service (org.freedesktop.Notifications) on the
// session bus. Without a bus or a service nothing happens. A new message
// replaces the program's previous one instead of piling up beside it.
class DBusNotifier : public QObject, public DesktopNotifier
{
    Q_OBJECT

public:
    explicit DBusNotifier(QObject* parent = nullptr);

    void notify(const QString& summary, const QString& body) override;

    static constexpr int TimeoutMs = 10000;

private:
    uint m_lastId = 0;
};
