#include "iothread.h"

#include "sessionsocket.h"

#include <QHash>

#include <utility>

// The connections of one thread, by id, living on it.
class IoThread::Worker : public QObject
{
public:
    void apply(const Batch& batch)
    {
        for (const Command& c : batch.commands) {
            if (c.kind == Command::Adopt) {
                m_sockets.insert(c.id, c.socket);
                connect(c.socket, &SessionSocket::closed, this, [this, id = c.id] {
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
                socket->write(batch.payloads[size_t(c.payload)]);
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

    void closeAll()
    {
        const QHash<quint64, SessionSocket*> left = std::exchange(m_sockets, {});
        for (SessionSocket* socket : left) {
            socket->disconnect(this);
            delete socket;
        }
    }

private:
    QHash<quint64, SessionSocket*> m_sockets;
};

IoThread::IoThread(QObject* parent) : QObject(parent), m_worker(new Worker)
{
    m_thread.setObjectName(QStringLiteral("io"));
    m_worker->moveToThread(&m_thread);
    m_thread.start();
}

IoThread::~IoThread()
{
    flush();
    QMetaObject::invokeMethod(
        m_worker, [this] { m_worker->closeAll(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_worker;
}

quint64 IoThread::adopt(SessionSocket* socket)
{
    const quint64 id = ++m_nextId;
    socket->moveToThread(&m_thread);
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
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, batch = std::exchange(m_batch, {})] { worker->apply(batch); },
        Qt::QueuedConnection);
    m_batch.commands.reserve(reserve);
}
