#pragma once

#include <QString>

#include <optional>

// A database of its own on the tests' PostgreSQL server, made from the URL
// in TARVENIX_TEST_PG (a role that may create databases) and dropped with
// the object, so that tests run side by side on one server.
class PgTestDatabase
{
public:
    PgTestDatabase();
    ~PgTestDatabase();
    PgTestDatabase(const PgTestDatabase&) = delete;
    PgTestDatabase& operator=(const PgTestDatabase&) = delete;

    // Empty when there is no database: skipReason() says why.
    QString url() const { return m_url; }
    QString skipReason() const { return m_skipReason; }
    // Runs the statements on the database past the storage; the first
    // column of the last one's rows, nothing once one fails.
    std::optional<QStringList> sql(const QStringList& statements) const;
    // Ends every other connection to the database, as a restarted database
    // server would.
    bool dropConnections() const;

    // A connection of its own holding a table locked against every other,
    // as a long transaction would, until release() or its end. Given a
    // SQLite file instead of a URL, it holds the file's write lock, as a
    // second writer or a long checkpoint would.
    class TableLock
    {
    public:
        TableLock(const QString& location, const QString& table);
        ~TableLock();
        TableLock(const TableLock&) = delete;
        TableLock& operator=(const TableLock&) = delete;
        bool isHeld() const { return m_held; }
        void release();

    private:
        QString m_name;
        bool m_held = false;
    };

    static constexpr const char* Variable = "TARVENIX_TEST_PG";

private:
    QString m_name;
    QString m_url;
    QString m_skipReason;
};
