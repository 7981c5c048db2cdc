#pragma once

#include "core/store/journalentry.h"

#include <QDateTime>

class DatabaseAccess;
class DataRoot;
class OperatorNotifier;

// The append-only journal of a meeting, table `Journal` of its database. Every entry carries a SHA-256
// over its own fields and the hash of the entry before it, so an entry edited, deleted or moved after it
// was written breaks the chain from that place on. Entries are appended on the connection and inside the
// transaction of what they record: a crash leaves both or neither.
//
// The chain cannot show that entries were cut off at its end; the stored outcomes they led to then no
// longer match a re-count, which the verifier reports.
class MeetingJournal final
{
    Q_DISABLE_COPY_MOVE(MeetingJournal)

public:
    enum class Break
    {
        None,
        Edited,  // the entry's hash does not fit its fields and the entry before it
        Missing, // entries before this one are gone
    };
    struct ChainCheck
    {
        Break status = Break::None;
        qint64 brokenAt = 0; // the id of the first entry that does not fit
        int entries = 0;
        bool intact() const { return status == Break::None; }
    };

    MeetingJournal(const DataRoot &root, QString meetingName, OperatorNotifier &notifier);

    // Creates the table when the database does not have it yet (databases made before the journal).
    static bool ensureTable(DatabaseAccess &db);
    // Appends the notes in order on `db`, which the caller has in a transaction.
    static bool append(DatabaseAccess &db, const JournalNotes &notes,
                       const QDateTime &now = QDateTime::currentDateTime());
    static QString hashOf(const QString &previousHash, const JournalEntry &entry);
    static ChainCheck checkChain(const QList<JournalEntry> &entries);

    // Appends the notes in a transaction of their own.
    bool record(const JournalNotes &notes);
    // Every entry in order; empty when the meeting has no journal yet.
    QList<JournalEntry> entries();

private:
    QString m_meetingName;
    QString m_filePath;
    OperatorNotifier &m_notifier;
};
