#include "storageexecutor.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

void InlineStorageExecutor::post(Job job, std::function<void()> done, bool)
{
    job(m_storage);
    if (done)
        done();
}

ThreadStorageExecutor::ThreadStorageExecutor(QObject* parent)
    : StorageExecutor(parent), m_thread(std::make_unique<QThread>()),
      m_worker(std::make_unique<QObject>())
{
    m_thread->setObjectName(QStringLiteral("storage"));
    m_worker->moveToThread(m_thread.get());
    m_thread->start();
}

ThreadStorageExecutor::~ThreadStorageExecutor()
{
    // Queued behind every job posted before: what was answered as done is
    // written before the storage closes.
    QMetaObject::invokeMethod(
        m_worker.get(),
        [this] {
            m_storage.reset();
            m_thread->quit();
        },
        Qt::QueuedConnection);
    m_thread->wait();
    m_worker.reset();
}

bool ThreadStorageExecutor::open(const Opener& opener, QString* error)
{
    QMetaObject::invokeMethod(
        m_worker.get(), [&] { m_storage = opener(error); }, Qt::BlockingQueuedConnection);
    return m_storage != nullptr;
}

void ThreadStorageExecutor::post(Job job, std::function<void()> done, bool answersRequest)
{
    QElapsedTimer queued;
    if (answersRequest && m_deadlineMs > 0)
        queued.start();
    QMetaObject::invokeMethod(
        m_worker.get(),
        [this, job = std::move(job), done = std::move(done), queued] {
            m_storage->setTimeLeft(
                queued.isValid() ? int(std::max<qint64>(0, m_deadlineMs - queued.elapsed())) : -1);
            job(*m_storage);
            // Queued to this object, on the event loop's thread, in the
            // order the jobs ran; dropped if the executor has gone.
            if (done)
                QMetaObject::invokeMethod(this, done, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}
