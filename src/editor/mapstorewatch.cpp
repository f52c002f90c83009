#include "mapstorewatch.h"

#include <QTimer>

MapStoreWatch::MapStoreWatch(QObject* parent) : QObject(parent) {}

MapStoreWatch::~MapStoreWatch() = default;

void MapStoreWatch::watch(int slot, const QString& name)
{
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, timer] { expired(timer); });
    m_pending.append({slot, name, QString::fromLatin1(name.toLatin1()).trimmed(), timer});
    timer->start(m_timeout);
}

void MapStoreWatch::slotArrived(bool personal, int slot, int mapId, const QString& name,
                                const QString& author)
{
    Q_UNUSED(mapId);
    Q_UNUSED(author);
    if (!personal)
        return;
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        const Pending& p = m_pending[i];
        if (p.slot != slot || (name != p.name && name != p.serverName))
            continue;
        const Pending done = m_pending.takeAt(i);
        delete done.timer;
        emit stored(name, done.slot);
        return;
    }
}

void MapStoreWatch::clear()
{
    for (const Pending& p : std::as_const(m_pending))
        delete p.timer;
    m_pending.clear();
}

void MapStoreWatch::expired(QTimer* timer)
{
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (m_pending[i].timer != timer)
            continue;
        const Pending done = m_pending.takeAt(i);
        // Deleting the timer from inside its own timeout is not safe.
        done.timer->deleteLater();
        emit notStored(done.name);
        return;
    }
}
