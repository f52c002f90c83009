#include "iothread.h"

#include "sessionsocket.h"

#include <QCoreApplication>

#include <utility>

// The connections of one thread, by id, living on it.
class IoThread::Worker : public QObject
{
public:
    void apply(std::vector<Command>& batch)
    {
        for (Command& c : batch) {
            if (c.kind == Command::Adopt) {
                m_connections.insert(c.id, c.connection);
                connect(c.connection, &SessionSocket::closed, this, [this, id = c.id] {
                    if (SessionSocket* gone = m_connections.take(id))
                        gone->deleteLater();
                });
                c.connection->start();
                continue;
            }
            // A connection that has closed meanwhile takes nothing more.
            SessionSocket* connection = m_connections.value(c.id);
            if (!connection)
                continue;
            switch (c.kind) {
            case Command::Write:
                connection->write(c.bytes);
                break;
            case Command::Finish:
                connection->finish();
                break;
            case Command::Drop:
                connection->drop();
                break;
            case Command::Login:
                connection->setLogin(c.loggedIn, c.loginPending);
                break;
            case Command::Adopt:
                break;
            }
        }
    }

    void closeAll()
    {
        const QHash<quint64, SessionSocket*> left = std::exchange(m_connections, {});
        for (SessionSocket* connection : left) {
            connection->disconnect(this);
            delete connection;
        }
    }

private:
    QHash<quint64, SessionSocket*> m_connections;
};

IoThread::IoThread(bool ownThread, QObject* parent) : QObject(parent), m_worker(new Worker)
{
    if (!ownThread)
        return;
    m_thread.setObjectName(QStringLiteral("io"));
    m_worker->moveToThread(&m_thread);
    m_thread.start();
}

IoThread::~IoThread()
{
    flush();
    if (m_thread.isRunning()) {
        QMetaObject::invokeMethod(
            m_worker, [this] { m_worker->closeAll(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    } else {
        QCoreApplication::sendPostedEvents(m_worker);
        m_worker->closeAll();
    }
    delete m_worker;
}

quint64 IoThread::adopt(SessionSocket* connection)
{
    const quint64 id = ++m_nextId;
    if (m_thread.isRunning())
        connection->moveToThread(&m_thread);
    post(Command::Adopt, id).connection = connection;
    return id;
}

void IoThread::write(quint64 id, const QByteArray& wire)
{
    post(Command::Write, id).bytes = wire;
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
    Command& command = m_batch.emplace_back();
    command.kind = kind;
    command.id = id;
    return command;
}

void IoThread::flush()
{
    m_flushPosted = false;
    if (m_batch.empty())
        return;
    QMetaObject::invokeMethod(
        m_worker,
        [worker = m_worker, batch = std::exchange(m_batch, {})]() mutable { worker->apply(batch); },
        Qt::QueuedConnection);
}
