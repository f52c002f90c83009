#include "iothread.h"

#include "sessionsocket.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QTimer>

#include <utility>

namespace {

// Long enough to gather the lines of a busy moment into one write, short
// beside the latency a player notices.
constexpr qint64 MinTakeIntervalNs = 2'000'000;

} // namespace

// The connections of one thread, by id, living on it.
class IoThread::Worker : public QObject
{
public:
    Worker()
    {
        m_later.setSingleShot(true);
        m_later.setTimerType(Qt::PreciseTimer);
        connect(&m_later, &QTimer::timeout, this, [this] { take(); });
        m_lastTake.start();
    }

    // From the main thread: queues the batch and wakes the worker, unless a
    // wake-up is already on its way.
    void hand(Batch&& batch)
    {
        const QMutexLocker lock(&m_lock);
        m_handed.push_back(std::move(batch));
        if (m_takePosted)
            return;
        m_takePosted = true;
        QMetaObject::invokeMethod(this, &Worker::takeSoon, Qt::QueuedConnection);
    }

    // Writes everything handed over, at once.
    void take()
    {
        {
            const QMutexLocker lock(&m_lock);
            m_taken.swap(m_handed);
            m_takePosted = false;
        }
        m_lastTake.start();
        for (const Batch& batch : m_taken)
            apply(batch);
        // The pending bytes point into the batches: out before they go.
        for (SessionSocket* socket : m_dirty)
            socket->flushPending();
        m_dirty.clear();
        m_taken.clear();
    }

    void closeAll()
    {
        const QHash<quint64, SessionSocket*> left = std::exchange(m_sockets, {});
        for (SessionSocket* socket : left) {
            socket->disconnect(this);
            delete socket;
        }
    }

private:
    // Each write to a socket costs the kernel about as much as a chat line
    // does to the main thread: when writes follow each other closely, the
    // worker waits for the rest of a short interval, so that what comes in
    // meanwhile goes out in the same writes. A quiet server writes at once.
    void takeSoon()
    {
        const qint64 since = m_lastTake.nsecsElapsed();
        if (since >= MinTakeIntervalNs)
            take();
        else
            m_later.start(int((MinTakeIntervalNs - since + 999'999) / 1'000'000));
    }

    void apply(const Batch& batch)
    {
        for (const Command& c : batch.commands) {
            if (c.kind == Command::Adopt) {
                m_sockets.insert(c.id, c.socket);
                connect(c.socket, &SessionSocket::closed, this, [this, id = c.id] {
                    // Deleted later, so that a socket on the list of those
                    // with bytes pending is still there when the list is
                    // gone through.
                    if (SessionSocket* gone = m_sockets.take(id))
                        gone->deleteLater();
                });
                c.socket->start();
                continue;
            }
            // A connection that has closed meanwhile takes nothing more.
            SessionSocket* socket = m_sockets.value(c.id);
            if (!socket)
                continue;
            switch (c.kind) {
            case Command::Write:
                if (socket->queue(batch.payloads[size_t(c.payload)]))
                    m_dirty.push_back(socket);
                break;
            case Command::Finish:
                socket->finish();
                break;
            case Command::Drop:
                socket->drop();
                break;
            case Command::Login:
                socket->setLogin(c.loggedIn, c.loginPending);
                break;
            case Command::Adopt:
                break;
            }
        }
    }

    QMutex m_lock;
    // Handed over by the main thread, under the lock.
    std::vector<Batch> m_handed;
    bool m_takePosted = false;
    // The worker's own: the batches being applied, and the connections
    // that have bytes pending from them.
    std::vector<Batch> m_taken;
    std::vector<SessionSocket*> m_dirty;
    QHash<quint64, SessionSocket*> m_sockets;
    QElapsedTimer m_lastTake;
    QTimer m_later{this};
};

IoThread::IoThread(Mode mode, QObject* parent) : QObject(parent), m_worker(new Worker)
{
    if (mode == Mode::CallerThread)
        return;
    m_thread = std::make_unique<QThread>();
    m_thread->setObjectName(QStringLiteral("io"));
    m_worker->moveToThread(m_thread.get());
    m_thread->start();
}

IoThread::~IoThread()
{
    flush();
    if (m_thread) {
        QMetaObject::invokeMethod(
            m_worker,
            [this] {
                m_worker->take();
                m_worker->closeAll();
            },
            Qt::BlockingQueuedConnection);
        m_thread->quit();
        m_thread->wait();
    } else {
        m_worker->take();
        m_worker->closeAll();
    }
    delete m_worker;
}

quint64 IoThread::adopt(SessionSocket* socket)
{
    const quint64 id = ++m_nextId;
    if (m_thread)
        socket->moveToThread(m_thread.get());
    post(Command::Adopt, id).socket = socket;
    return id;
}

void IoThread::write(quint64 id, const QByteArray& wire)
{
    // A broadcast hands the same bytes to every user in a row; they are
    // kept once, so that no count of references is touched per user.
    std::vector<QByteArray>& payloads = m_batch.payloads;
    if (payloads.empty() || payloads.back().constData() != wire.constData() ||
        payloads.back().size() != wire.size())
        payloads.push_back(wire);
    post(Command::Write, id).payload = qint32(payloads.size() - 1);
}

void IoThread::finish(quint64 id)
{
    post(Command::Finish, id);
}

void IoThread::drop(quint64 id)
{
    post(Command::Drop, id);
}

void IoThread::setLogin(quint64 id, bool loggedIn, bool pending)
{
    Command& command = post(Command::Login, id);
    command.loggedIn = loggedIn;
    command.loginPending = pending;
}

IoThread::Command& IoThread::post(Command::Kind kind, quint64 id)
{
    if (!m_flushPosted) {
        // Everything asked until the event loop comes round goes over at
        // once.
        m_flushPosted = true;
        QMetaObject::invokeMethod(this, &IoThread::flush, Qt::QueuedConnection);
    }
    Command& command = m_batch.commands.emplace_back();
    command.kind = kind;
    command.id = id;
    return command;
}

void IoThread::flush()
{
    m_flushPosted = false;
    if (m_batch.commands.empty())
        return;
    // The next batch starts with room for as many commands as this one.
    const size_t reserve = m_batch.commands.size();
    Batch batch = std::exchange(m_batch, {});
    m_batch.commands.reserve(reserve);
    m_worker->hand(std::move(batch));
}
