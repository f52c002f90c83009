#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QTimer;

// Follows the maps sent for storing until the server confirms them. The
// protocol has no refusal: a stored map comes back as the personal slot it
// went into, so a map whose slot has not come back in time was not stored.
class MapStoreWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultTimeout = 10000;

    explicit MapStoreWatch(QObject* parent = nullptr);
    ~MapStoreWatch() override;

    void setTimeout(int milliseconds) { m_timeout = milliseconds; }
    int pendingCount() const { return int(m_pending.size()); }

public slots:
    void watch(int slot, const QString& name);
    // A slot message from the server.
    void slotArrived(bool personal, int slot, int mapId, const QString& name,
                     const QString& author);
    // Forgets every map still waiting, as when the login ends.
    void clear();

signals:
    // The name as the server gave it back.
    void stored(const QString& name, int slot);
    void notStored(const QString& name);

private:
    struct Pending
    {
        int slot;
        QString name;
        // The name as the server keeps it: Latin-1, without outer blanks.
        QString serverName;
        QTimer* timer;
    };

    void expired(QTimer* timer);

    QList<Pending> m_pending;
    int m_timeout = DefaultTimeout;
};
