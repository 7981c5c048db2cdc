#pragma once

#include <QString>

class DataRoot;
class OperatorNotifier;

// The database files of the meetings, Data/<meeting name>.db below the data root: their names, and the
// creation, move and deletion that the meeting register asks for. A file moves and goes together with the
// engine's -wal, -shm and -journal files beside it, so committed work left in a log after a crash is never
// parted from its file, and a stale log never lands on a new file of the same name.
namespace MeetingFiles {

// A meeting name names a file in Data/ itself, so it must be one file name: not empty, not "." or "..",
// and without a path separator or a NUL.
bool isUsableName(const QString &meetingName);

QString relativePath(const QString &meetingName);
// Empty when the name is not usable.
QString filePath(const DataRoot &root, const QString &meetingName);

// The creation procedure for a new meeting. When the file exists the operator is asked `Export1`; No
// keeps the file and its data, Yes deletes it (`Export2` when that fails). Then the file is created
// (`Export3` when that fails), opened (`Export4`) and given its tables `Overture`, `Employees` and
// `SignIn` in that order; a failing table shows the engine's message and the tables made before it stay.
// True when the new database holds its three tables.
bool create(const DataRoot &root, const QString &meetingName, OperatorNotifier &notifier);

// Moves the file to its new name. The register ignores a failed move, so this only says whether it moved.
bool rename(const DataRoot &root, const QString &oldName, const QString &newName);

// Deletes the file, without asking. True when no file of that name is left.
bool remove(const DataRoot &root, const QString &meetingName);

} // namespace MeetingFiles
