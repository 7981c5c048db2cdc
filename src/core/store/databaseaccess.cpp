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

#include "core/shell/operatornotifier.h"

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

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        // A URI lets the engine itself refuse a missing file (mode=rw) instead of creating an empty one.
        QUrl uri = QUrl::fromLocalFile(key);
        uri.setQuery(mode == OpenMode::Create ? QStringLiteral("mode=rwc") : QStringLiteral("mode=rw"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyGraceMs));
        if (!db.open()) {
            error = engineText(db.lastError()) + QStringLiteral(" (") + shownPath + QLatin1Char(')');
        } else {
            // The locking mode comes first: set before the file is first read, it makes the connection take
            // the file lock at once and keep the WAL index in its own memory, so no -shm file is shared.
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
            report(engineText(q.lastError()));
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
    if (!ensureOpen())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    if (!q.prepare(sql)) {
        report(engineText(q.lastError()));
        return false;
    }
    for (const QVariantList &values : rows) {
        bindAll(q, values);
        if (!q.exec()) {
            report(engineText(q.lastError()));
            return false;
        }
        if (rowsAffected)
            *rowsAffected += std::max(0, q.numRowsAffected());
    }
    return true;
}

bool DatabaseAccess::begin()
{
    if (!ensureOpen())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (db.transaction())
        return true;
    report(engineText(db.lastError()));
    return false;
}

bool DatabaseAccess::commit()
{
    if (!isOpen())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (db.commit())
        return true;
    report(engineText(db.lastError()));
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

void DatabaseAccess::report(const QString &text)
{
    m_errorText = text;
    m_notifier.error(caption(), OperatorText::plain(text));
}
