#include "core/store/meetingjournal.h"

#include <QCryptographicHash>
#include <QLocale>
#include <QSqlRecord>

#include "core/base/dataroot.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingfiles.h"

namespace {
// A separator that no field of an entry contains, so no two different entries hash the same text.
constexpr QChar FieldSeparator(0x1F);
} // namespace

MeetingJournal::MeetingJournal(const DataRoot &root, QString meetingName, OperatorNotifier &notifier)
    : m_meetingName(std::move(meetingName)), m_filePath(MeetingFiles::filePath(root, m_meetingName)),
      m_notifier(notifier)
{}

bool MeetingJournal::ensureTable(DatabaseAccess &db)
{
    return db.execute(QStringLiteral("create table if not exists Journal(id INTEGER PRIMARY KEY NOT NULL"
                                     ",stamp varchar(30),kind varchar(30),motion varchar(250)"
                                     ",content text,hash varchar(64))"));
}

QString MeetingJournal::hashOf(const QString &previousHash, const JournalEntry &e)
{
    const QString text = previousHash + FieldSeparator + QString::number(e.id) + FieldSeparator + e.stamp +
                         FieldSeparator + e.kind + FieldSeparator + e.motion + FieldSeparator + e.content;
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

bool MeetingJournal::append(DatabaseAccess &db, const JournalNotes &notes, const QDateTime &now)
{
    if (notes.isEmpty())
        return true;
    if (!ensureTable(db))
        return false;
    bool ok = false;
    const QList<QSqlRecord> last =
        db.query(QStringLiteral("select id, hash from Journal order by id desc limit 1"), {}, &ok);
    if (!ok)
        return false;
    qint64 id = last.isEmpty() ? 0 : last.first().value(0).toLongLong();
    QString previous = last.isEmpty() ? QString() : last.first().value(1).toString();
    // Milliseconds keep the entries of one tick apart for a reader; the C locale keeps the digits Western.
    const QString stamp = QLocale::c().toString(now, u"yyyy-MM-dd HH:mm:ss.zzz");
    QList<QVariantList> rows;
    rows.reserve(notes.size());
    for (const JournalNote &note : notes) {
        JournalEntry e{++id, stamp, note.kind, note.motion, note.content, {}};
        e.hash = hashOf(previous, e);
        previous = e.hash;
        rows.append({e.id, e.stamp, e.kind, e.motion, e.content, e.hash});
    }
    return db.executeEach(
        QStringLiteral("insert into Journal (id,stamp,kind,motion,content,hash)values(?,?,?,?,?,?)"), rows);
}

MeetingJournal::ChainCheck MeetingJournal::checkChain(const QList<JournalEntry> &entries)
{
    ChainCheck check;
    check.entries = int(entries.size());
    QString previous;
    qint64 expectedId = 1;
    for (const JournalEntry &e : entries) {
        if (e.id != expectedId) {
            check.status = Break::Missing;
            check.brokenAt = e.id;
            return check;
        }
        if (hashOf(previous, e) != e.hash) {
            check.status = Break::Edited;
            check.brokenAt = e.id;
            return check;
        }
        previous = e.hash;
        ++expectedId;
    }
    return check;
}

bool MeetingJournal::record(const JournalNotes &notes)
{
    if (m_filePath.isEmpty())
        return false;
    DatabaseAccess db(m_filePath, m_notifier);
    if (!db.begin())
        return false;
    if (append(db, notes) && db.commit())
        return true;
    db.rollback();
    return false;
}

QList<JournalEntry> MeetingJournal::entries()
{
    QList<JournalEntry> list;
    if (m_filePath.isEmpty())
        return list;
    DatabaseAccess db(m_filePath, m_notifier);
    // A database from before the journal gains the table here, so reading it never fails on a missing table.
    if (!ensureTable(db))
        return list;
    for (const QSqlRecord &row :
         db.query(QStringLiteral("select id,stamp,kind,motion,content,hash from Journal order by id"))) {
        list.append({row.value(0).toLongLong(), row.value(1).toString(), row.value(2).toString(),
                     row.value(3).toString(), row.value(4).toString(), row.value(5).toString()});
    }
    return list;
}
