#pragma once

#include <QString>

// Shows a short message outside the program's windows, where the desktop
// shows such messages. The main window only talks to this interface, so the
// call can be watched without a desktop.
class DesktopNotifier
{
public:
    virtual ~DesktopNotifier() = default;
    virtual void notify(const QString& summary, const QString& body) = 0;
};
