#pragma once

#include <QByteArray>
#include <QObject>
#include <QThread>

#include <memory>
#include <vector>

class SessionSocket;

// A thread that carries connections' bytes, and the main thread's side of
// it: what the main thread asks of a connection (write these bytes, finish,
// drop, the login's state) is collected in order through one turn of its
// event loop and handed over in one batch, so that a broadcast to a
// thousand users costs one hand-over, its bytes are encoded once and held
// once in the batch, and every connection sees its messages in the order
// they were sent.
//
// The I/O thread takes every batch handed over since it last looked at
// once, and writes each connection what they hold for it in one system
// call: the busier the thread, the more lines go out in one write.
//
// Made without a thread of its own, it carries the connections on the
// thread that made it and applies each batch when that thread's event loop
// comes round.
class IoThread : public QObject
{
    Q_OBJECT

public:
    struct Command
    {
        enum Kind : quint8 { Adopt, Write, Finish, Drop, Login };
        Kind kind = Write;
        bool loggedIn = false;
        bool loginPending = false;
        // The bytes to write, by their place in the batch's payloads.
        qint32 payload = -1;
        quint64 id = 0;
        SessionSocket* socket = nullptr;
    };
    struct Batch
    {
        std::vector<Command> commands;
        std::vector<QByteArray> payloads;
    };

    enum class Mode { OwnThread, CallerThread };
    explicit IoThread(Mode mode = Mode::OwnThread, QObject* parent = nullptr);
    // Closes the connections left, on their thread, and ends it.
    ~IoThread() override;

    // Moves the socket, which must have no parent, to the thread and starts
    // it there; the id names it in the calls below.
    quint64 adopt(SessionSocket* socket);
    void write(quint64 id, const QByteArray& wire);
    void finish(quint64 id);
    void drop(quint64 id);
    void setLogin(quint64 id, bool loggedIn, bool pending);

private:
    class Worker;

    Command& post(Command::Kind kind, quint64 id);
    void flush();

    std::unique_ptr<QThread> m_thread;
    Worker* m_worker;
    Batch m_batch;
    bool m_flushPosted = false;
    quint64 m_nextId = 0;
};
