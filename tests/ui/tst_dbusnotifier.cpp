#include "dbusnotifier.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QVariantMap>

// A notification service of the test's own, on a session bus of its own.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList calls;

public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int timeout)
    {
        calls << QStringList{app,
                             QString::number(replaces),
                             icon,
                             summary,
                             body,
                             QString::number(actions.size()),
                             hints.value(QStringLiteral("desktop-entry")).toString(),
                             QString::number(timeout)}
                     .join(QLatin1Char('|'));
        return 40 + uint(calls.size());
    }
};

// The desktop notification goes to org.freedesktop.Notifications on the
// session bus with the arguments its Notify method takes, each replacing
// the program's previous one; without a bus nothing happens.
class TestDBusNotifier : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void notifiesAndReplaces();

private:
    QProcess m_daemon;
};

void TestDBusNotifier::initTestCase()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is not installed");
    m_daemon.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                            QStringLiteral("--print-address=1")});
    QVERIFY(m_daemon.waitForStarted());
    QTRY_VERIFY(m_daemon.canReadLine());
    const QByteArray address = m_daemon.readLine().trimmed();
    QVERIFY(!address.isEmpty());
    // Read by the session bus connection when it is first used.
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
}

void TestDBusNotifier::cleanupTestCase()
{
    m_daemon.kill();
    m_daemon.waitForFinished();
}

void TestDBusNotifier::notifiesAndReplaces()
{
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    QDBusConnection service = QDBusConnection::connectToBus(
        QString::fromLocal8Bit(qgetenv("DBUS_SESSION_BUS_ADDRESS")), QStringLiteral("service"));
    QVERIFY(service.isConnected());
    FakeNotifications fake;
    QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &fake,
                                   QDBusConnection::ExportAllSlots));
    QVERIFY(service.registerService(QStringLiteral("org.freedesktop.Notifications")));

    DBusNotifier notifier;
    notifier.notify(QStringLiteral("Tarvenix: your turn"), QStringLiteral("Pick your capital"));
    QTRY_COMPARE(fake.calls.size(), 1);
    // The answer names the message; the next one takes its place.
    QTest::qWait(50);
    notifier.notify(QStringLiteral("Tarvenix: your turn"),
                    QStringLiteral("Your turn: exchange cards"));
    QTRY_COMPARE(fake.calls.size(), 2);
    QCOMPARE(fake.calls,
             QStringList({QStringLiteral("tarvenix|0|tarvenix|Tarvenix: your turn|Pick your "
                                         "capital|0|tarvenix|10000"),
                          QStringLiteral("tarvenix|41|tarvenix|Tarvenix: your turn|Your turn: "
                                         "exchange cards|0|tarvenix|10000")}));
    QDBusConnection::disconnectFromBus(QStringLiteral("service"));
}

QTEST_GUILESS_MAIN(TestDBusNotifier)
#include "tst_dbusnotifier.moc"
