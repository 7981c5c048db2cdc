#pragma once

#include "core/store/journalentry.h"

#include <QString>

class DataRoot;
class OperatorNotifier;
class SystemDatabase;
struct MeetingRecord;

// The register's changes to a meeting, journalled as `MeetingChanged` entries in that meeting's own
// journal. The register row lives in the system database and the journal in the meeting's database, and no
// transaction spans two files: the entry is written after the row's change was committed, with the row
// read back as it is now stored. An entry therefore never stands for a change that was not made; a crash
// between the two writes leaves a change without its entry, which the next change's entry (carrying the
// whole row) makes up for.
namespace MeetingChangeJournal {

// What happened to the row; stored in the entry's "op".
inline const QString Created = QStringLiteral("create");
inline const QString Updated = QStringLiteral("update");
inline const QString Renamed = QStringLiteral("rename");
inline const QString BannerSaved = QStringLiteral("banner");
inline const QString PresentCount = QStringLiteral("presentCount");

// The row's columns and the operation; `previousName` only when the meeting was renamed.
JournalNote note(const QString &operation, const MeetingRecord &row, const QString &previousName = {});

enum class Outcome
{
    Journalled,
    NoDatabase, // the meeting has no database (never made, or lost): there is no journal to write to
    Failed,     // the row is changed but its entry could not be written; the operator was told
};

// Reads the meeting's row back from the system database and appends its entry to the meeting's journal.
Outcome record(const DataRoot &root, SystemDatabase &system, const QString &meetingName,
               const QString &operation, OperatorNotifier &notifier, const QString &previousName = {});

} // namespace MeetingChangeJournal
