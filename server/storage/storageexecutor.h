#pragma once

#include "storage.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QThread;

// Runs storage work for the event loop and hands each result back to it.
// Jobs run one at a time in the order they were posted, and their
// continuations follow in the same order on the thread that posted them, so
// that writes keep their order and each client hears of them as before. A
// local file answers at once: its jobs and their continuations run inline,
// before post() returns. A database across the network answers on a thread
// of its own, where its connection lives, and the event loop goes on
// meanwhile.
class StorageExecutor : public QObject
{
    Q_OBJECT

public:
    using Job = std::function<void(Storage&)>;

    ~StorageExecutor() override = default;

    // Runs job with the storage, then done (if any) on this object's thread.
    // A job that answers a request (a client or the operator waits for it)
    // shares the deadline with its time in the queue: one that waited long
    // behind a database that did not answer gives up soon. Other work gets
    // the whole deadline for each statement.
    virtual void post(Job job, std::function<void()> done = {}, bool answersRequest = false) = 0;
    // Whether continuations run before post() returns.
    virtual bool isInline() const = 0;

    // Runs job and hands its result to then, unless context has gone by
    // then.
    template <typename Result, typename Work, typename Then>
    void run(QObject* context, Work work, Then then)
    {
        auto result = std::make_shared<Result>();
        post([result, work = std::move(work)](Storage& storage) { *result = work(storage); },
             [result, context = QPointer<QObject>(context), then = std::move(then)] {
                 if (context)
                     then(std::move(*result));
             },
             true);
    }

protected:
    explicit StorageExecutor(QObject* parent) : QObject(parent) {}
};

// What a request's handler answers: why it refused the request at once, or
// nothing when it carried it out, or the storage work the request waits for.
// The work runs with the storage; `then` follows on the event loop, before
// the requester's later requests are taken on, learns whether the requester
// is still there (only then may it touch him) and tells why it refused the
// request, if it did.
struct StorageAnswer
{
    StorageAnswer() = default;
    StorageAnswer(QString why) : refusal(std::move(why)) {}
    StorageAnswer(StorageExecutor::Job job, std::function<QString(bool present)> next)
        : work(std::move(job)), then(std::move(next))
    {}

    // The work answers a Result, which `next(result, present)` takes.
    template <typename Result, typename Work, typename Next>
    static StorageAnswer later(Work work, Next next)
    {
        auto result = std::make_shared<Result>();
        return {[result, work = std::move(work)](Storage& storage) { *result = work(storage); },
                [result, next = std::move(next)](bool present) mutable {
                    return next(std::move(*result), present);
                }};
    }

    bool waits() const { return bool(work); }

    QString refusal;
    StorageExecutor::Job work;
    std::function<QString(bool present)> then;
};

// Runs every job at once on the caller's thread.
class InlineStorageExecutor final : public StorageExecutor
{
public:
    explicit InlineStorageExecutor(Storage& storage, QObject* parent = nullptr)
        : StorageExecutor(parent), m_storage(storage)
    {}

    void post(Job job, std::function<void()> done = {}, bool answersRequest = false) override;
    bool isInline() const override { return true; }

private:
    Storage& m_storage;
};

// Owns a storage that lives on a thread of its own: it is opened there,
// used only there and closed there.
class ThreadStorageExecutor final : public StorageExecutor
{
public:
    using Opener = std::function<std::unique_ptr<Storage>(QString* error)>;

    explicit ThreadStorageExecutor(QObject* parent = nullptr);
    // Runs every job posted so far, drops the continuations still due and
    // closes the storage on its thread.
    ~ThreadStorageExecutor() override;

    // Opens the storage on the thread and waits for it; false, with the
    // reason, when it cannot be opened.
    bool open(const Opener& opener, QString* error);
    // The storage's deadline for a statement, in milliseconds (0: none),
    // which a request shares with its time in the queue.
    void setDeadline(int ms) { m_deadlineMs = ms; }

    void post(Job job, std::function<void()> done = {}, bool answersRequest = false) override;
    bool isInline() const override { return false; }

private:
    std::unique_ptr<QThread> m_thread;
    // Lives on the thread; jobs are queued to it.
    std::unique_ptr<QObject> m_worker;
    std::unique_ptr<Storage> m_storage;
    int m_deadlineMs = 0;
};
