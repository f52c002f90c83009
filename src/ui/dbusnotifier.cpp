#include "dbusnotifier.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

DBusNotifier::DBusNotifier(QObject* parent) : QObject(parent) {}

void DBusNotifier::notify(const QString& summary, const QString& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QCoreApplication::applicationName());
    hints.insert(QStringLiteral("category"), QStringLiteral("im.received"));
    call << QCoreApplication::applicationName() << m_lastId << QStringLiteral("tarvenix") << summary
         << body << QStringList() << hints << int(TimeoutMs);
    // Never wait for the desktop: the answer only names the message.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isValid())
                    m_lastId = reply.value();
                finished->deleteLater();
            });
}
