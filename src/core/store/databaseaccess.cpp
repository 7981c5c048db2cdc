#include "core/store/databaseaccess.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <algorithm>

#include "core/base/operatornotifier.h"

namespace {

// The files that access objects of this process hold open. It stands beside the file lock that another
// process meets, so it is as wide as the process; the mutex only guards against a future second thread.
struct OpenFiles
{
    QMutex mutex;
    QSet<QString> paths;
};

OpenFiles &openFiles()
{
    static OpenFiles files;
    return files;
}

QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("quorix-store-%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

QString engineText(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

// Another process that holds the file (a crashed console's successor, an import run) gets this long to let
// go before the open is refused; short enough that the operator never waits on it.
constexpr int BusyGraceMs = 200;

// Records hold "nothing" as an empty text, and rows are found by such texts (a delegate without a group),
// so a text is never bound as NULL, which would match nothing; it goes in as the empty text.
void bindAll(QSqlQuery &query, const QVariantList &values)
{
    static const QString emptyText = QString::fromLatin1("", 0);
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QVariant &value = values.at(i);
        if (value.typeId() == QMetaType::QString && value.toString().isNull())
            query.bindValue(int(i), emptyText);
        else
            query.bindValue(int(i), value);
    }
}

} // namespace

DatabaseAccess::DatabaseAccess(QString filePath, OperatorNotifier &notifier)
    : m_filePath(std::move(filePath)), m_notifier(notifier)
{}

DatabaseAccess::~DatabaseAccess()
{
    close();
}

bool DatabaseAccess::open(OpenMode mode, Reporting reporting)
{
    if (m_state == State::Open)
        return true;
    if (m_state == State::Failed)
        return false;
    QString error;
    if (openConnection(mode, error)) {
        m_state = State::Open;
        return true;
    }
    m_state = State::Failed;
    m_errorText = error;
    if (reporting == Reporting::Operator)
        report(error);
    return false;
}

bool DatabaseAccess::ensureOpen()
{
    return open();
}

bool DatabaseAccess::openConnection(OpenMode mode, QString &error)
{
    if (m_filePath.isEmpty()) {
        error = QStringLiteral("No database file was named.");
        return false;
    }
    const QString key = QFileInfo(m_filePath).absoluteFilePath();
    const QString shownPath = QDir::toNativeSeparators(key);
    {
        OpenFiles &files = openFiles();
        const QMutexLocker lock(&files.mutex);
        if (files.paths.contains(key)) {
            error = QStringLiteral("The database %1 is already open in another operation; "
                                   "it can be opened only once at a time.")
                        .arg(shownPath);
            return false;
        }
        files.paths.insert(key);
    }
    m_registryKey = key;
    m_connectionName = nextConnectionName();

    // A file on write-protected media, or one whose folder cannot take the journal beside it, can only
    // be read: opened for writing it failed on every access ("disk I/O error"), so it could not even be
    // viewed. It is opened read-only instead, and every write is refused with a message of our own.
    const QFileInfo file(key);
    const bool writable = file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
    m_readOnly = mode == OpenMode::Existing && file.exists() && !writable;

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        // A URI lets the engine itself refuse a missing file (mode=rw) instead of creating an empty one.
        QUrl uri = QUrl::fromLocalFile(key);
        QString options = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyGraceMs);
        if (m_readOnly) {
            // A WAL file is read through a shared index (-shm) beside it, which a folder that cannot be
            // written cannot hold, and which a writable one would keep as litter after the read. With no
            // log beside the file, everything committed is in the file itself, and a file this console
            // cannot write is an archive copy that nobody changes under it, so it is read as unchanging.
            // A log left beside it (after a crash) must be read with it: the engine is left to try that,
            // and says so when it cannot.
            const bool logBeside = QFileInfo(key + QStringLiteral("-wal")).size() > 0;
            uri.setQuery(logBeside ? QStringLiteral("mode=ro") : QStringLiteral("mode=ro&immutable=1"));
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        } else {
            uri.setQuery(mode == OpenMode::Create ? QStringLiteral("mode=rwc") : QStringLiteral("mode=rw"));
        }
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(options);
        if (!db.open()) {
            error = engineText(db.lastError()) + QStringLiteral(" (") + shownPath + QLatin1Char(')');
        } else if (!m_readOnly) {
            // The locking mode comes first: set before the file is first read, it makes the connection take
            // the file lock at once and keep the WAL index in its own memory, so no -shm file is shared.
            // A read-only connection takes neither: an exclusive lock cannot be had on a file opened for
            // reading, and the journal mode is the file's own (a switch would be a write).
            QSqlQuery pragma(db);
            for (const QString &statement :
                 {QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"), QStringLiteral("PRAGMA journal_mode=WAL"),
                  QStringLiteral("PRAGMA synchronous=FULL")}) {
                if (!pragma.exec(statement)) {
                    error =
                        engineText(pragma.lastError()) + QStringLiteral(" (") + shownPath + QLatin1Char(')');
                    break;
                }
            }
        }
    }
    if (error.isEmpty())
        return true;
    close();
    return false;
}

QList<QSqlRecord> DatabaseAccess::query(const QString &sql, const QVariantList &values, bool *ok)
{
    QList<QSqlRecord> rows;
    bool success = false;
    if (ensureOpen()) {
        QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
        q.setForwardOnly(true);
        if (q.prepare(sql)) {
            bindAll(q, values);
            if (q.exec()) {
                while (q.next())
                    rows.append(q.record());
                success = !q.lastError().isValid();
            }
        }
        if (!success) {
            rows.clear();
            report(q.lastError());
        }
    }
    if (ok)
        *ok = success;
    return rows;
}

bool DatabaseAccess::execute(const QString &sql, const QVariantList &values, int *rowsAffected)
{
    return executeEach(sql, {values}, rowsAffected);
}

bool DatabaseAccess::executeEach(const QString &sql, const QList<QVariantList> &rows, int *rowsAffected)
{
    if (rowsAffected)
        *rowsAffected = 0;
    if (!ensureOpen() || refuseWriteIfReadOnly())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    if (!q.prepare(sql)) {
        report(q.lastError());
        return false;
    }
    for (const QVariantList &values : rows) {
        bindAll(q, values);
        if (!q.exec()) {
            report(q.lastError());
            return false;
        }
        if (rowsAffected)
            *rowsAffected += std::max(0, q.numRowsAffected());
    }
    return true;
}

bool DatabaseAccess::begin()
{
    if (!ensureOpen() || refuseWriteIfReadOnly())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (db.transaction())
        return true;
    report(db.lastError());
    return false;
}

bool DatabaseAccess::commit()
{
    if (!isOpen())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (db.commit())
        return true;
    report(db.lastError());
    db.rollback();
    return false;
}

void DatabaseAccess::rollback()
{
    if (isOpen())
        QSqlDatabase::database(m_connectionName, false).rollback();
}

void DatabaseAccess::close()
{
    if (!m_connectionName.isEmpty()) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
        m_connectionName.clear();
    }
    if (!m_registryKey.isEmpty()) {
        OpenFiles &files = openFiles();
        const QMutexLocker lock(&files.mutex);
        files.paths.remove(m_registryKey);
        m_registryKey.clear();
    }
    if (m_state == State::Open)
        m_state = State::Closed;
}

OperatorText DatabaseAccess::caption()
{
    return OperatorText::plain(QCoreApplication::applicationName());
}

bool DatabaseAccess::refuseWriteIfReadOnly()
{
    if (!m_readOnly)
        return false;
    reportReadOnly();
    return true;
}

void DatabaseAccess::reportReadOnly()
{
    const QString shownPath = QDir::toNativeSeparators(QFileInfo(m_filePath).absoluteFilePath());
    const OperatorText text =
        OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgDbReadOnly"), {shownPath});
    m_errorText = QStringLiteral("read-only: ") + shownPath;
    m_notifier.error(caption(), text);
}

void DatabaseAccess::report(const QSqlError &error)
{
    // The engine's own refusal to write (a medium made read-only under an open file, a file the check
    // could not see as read-only) reads as the same plain message as the refusal above.
    constexpr int SqliteReadOnly = 8;
    bool isCode = false;
    const int code = error.nativeErrorCode().toInt(&isCode);
    if (isCode && (code & 0xff) == SqliteReadOnly) {
        reportReadOnly();
        return;
    }
    report(engineText(error));
}

void DatabaseAccess::report(const QString &text)
{
    m_errorText = text;
    m_notifier.error(caption(), OperatorText::plain(text));
}
