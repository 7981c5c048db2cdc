#pragma once

#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QVariantList>

class OperatorNotifier;
class QSqlError;
struct OperatorText;

// One connection to one database file for the span of one table operation. A table operation creates the
// object on the stack, runs its statements and lets it go; nothing stays open between operations.
//
// Exclusive use of a file: while an object holds a file open, a second open of the same file is refused,
// as the console always worked. Inside the process a registry of open files refuses it at once with a
// message of our own; another process is kept out by SQLite's exclusive locking mode, which takes the file
// lock at the first access and holds it until the connection closes (that process sees "database is
// locked" after a short grace period). Operations therefore never nest on one file: a two-step operation
// closes the file after its first step and opens it again for the second.
//
// Durability: every file is in WAL journal mode with synchronous FULL, so a committed write survives a
// crash or a power cut and a write cut off half-way leaves the file as it was before.
//
// Read-only files: a file that cannot be written, or whose folder cannot (write-protected media), is
// opened for reading only; every statement that would write is then refused before it reaches the
// engine with the catalogue's "read-only" message naming the file, and nothing is changed.
//
// Failures: every failure is shown to the operator exactly once, as an error with the application's name
// as caption and the engine's own message as text; the call then returns empty rows or false. An object
// whose open failed stays closed and answers every later call with failure, without a further message.
//
// Every value is bound as a parameter: no typed text ever becomes part of a statement.
class DatabaseAccess final
{
    Q_DISABLE_COPY_MOVE(DatabaseAccess)

public:
    enum class OpenMode
    {
        Existing, // the file must exist; a missing file is a failure (a read then reads nothing)
        Create,   // a missing file is created empty
    };
    enum class Reporting
    {
        Operator, // failures to open are shown to the operator
        Silent,   // the caller shows a message of its own (the meeting database creation does)
    };

    DatabaseAccess(QString filePath, OperatorNotifier &notifier);
    ~DatabaseAccess();

    // The caption of database failure messages: the application's name.
    static OperatorText caption();

    const QString &filePath() const { return m_filePath; }
    bool isOpen() const { return m_state == State::Open; }
    // Opened for reading only: the file or its folder cannot be written. Writes are refused.
    bool isReadOnly() const { return m_readOnly; }
    // The engine's text of the last failure, empty when there was none.
    const QString &errorText() const { return m_errorText; }

    // Queries and statements open the file themselves when it is not open yet; open() is for the callers
    // that need a mode or a reporting of their own.
    bool open(OpenMode mode = OpenMode::Existing, Reporting reporting = Reporting::Operator);

    // Reads every row of a query. On failure the rows are empty and *ok (when given) is false.
    QList<QSqlRecord> query(const QString &sql, const QVariantList &values = {}, bool *ok = nullptr);
    // Runs one statement; false on failure. *rowsAffected (when given) counts the rows it changed.
    bool execute(const QString &sql, const QVariantList &values = {}, int *rowsAffected = nullptr);
    // Runs one statement once for each list of values, prepared once; stops at the first failure.
    bool executeEach(const QString &sql, const QList<QVariantList> &rows, int *rowsAffected = nullptr);

    // A transaction on this connection. A failed commit is rolled back, so either every statement since
    // begin() is written or none is.
    bool begin();
    bool commit();
    void rollback();

    // Closes the connection; the destructor closes it too. Uncommitted work is rolled back by the engine.
    void close();

private:
    enum class State
    {
        Closed,
        Open,
        Failed
    };

    bool ensureOpen();
    bool openConnection(OpenMode mode, QString &error);
    bool refuseWriteIfReadOnly();
    void reportReadOnly();
    void report(const QSqlError &error);
    void report(const QString &text);

    QString m_filePath;
    QString m_registryKey;
    QString m_connectionName;
    OperatorNotifier &m_notifier;
    State m_state = State::Closed;
    bool m_readOnly = false;
    QString m_errorText;
};
