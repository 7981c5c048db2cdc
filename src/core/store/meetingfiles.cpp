#include "core/store/meetingfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingjournal.h"

namespace {

QStringList sidecarSuffixes()
{
    return {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")};
}

void removeSidecars(const QString &path)
{
    for (const QString &suffix : sidecarSuffixes())
        QFile::remove(path + suffix);
}

OperatorText meetingText(const char *key)
{
    return OperatorText::catalogue(QStringLiteral("FrmMeeset"), QString::fromLatin1(key));
}

// The tables of a meeting database, created in this order. The key of each is SQLite's autonumber and the
// photo is a BLOB; text columns keep their declared lengths as documentation, which SQLite does not enforce.
QStringList createStatements()
{
    return {
        QStringLiteral("create table Overture(id INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL"
                       ",OveName varchar(250),OveType varchar(30),VoteBase varchar(30),VoteAbet varchar(10)"
                       ",VoteAbetValue int,VoteTimelRes tinyint,VoteTimelValue varchar(10),Unit tinyint"
                       ",ViewPer tinyint,ViewPass tinyint,VoteDll tinyint,ytText varchar(30)"
                       ",VoteState varchar(6),result varchar(100),factresult1 varchar(250)"
                       ",factresult2 varchar(250),factresult3 varchar(250),PollTimel varchar(50)"
                       ",rtf varchar(50),mark varchar(50),candidate varchar(100),insertdate varchar(50))"),
        QStringLiteral("create table Employees(id INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL"
                       ",CellNo varchar(5),EmpName varchar(50),Photo BLOB,EmpSex varchar(10)"
                       ",Nationality varchar(40),Unit varchar(40),Title varchar(20),Office_phone varchar(30)"
                       ",delegacy varchar(30),presidium varchar(30),SeatNo varchar(30),sign varchar(30)"
                       ",Grouping varchar(30))"),
        QStringLiteral("create table SignIn (id INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL"
                       ",CellNo varchar(10),sign varchar(30))"),
    };
}

} // namespace

namespace MeetingFiles {

bool isUsableName(const QString &meetingName)
{
    if (meetingName.isEmpty() || meetingName == QStringLiteral(".") || meetingName == QStringLiteral(".."))
        return false;
    return !meetingName.contains(QLatin1Char('/')) && !meetingName.contains(QLatin1Char('\\')) &&
           !meetingName.contains(QChar(0));
}

QString relativePath(const QString &meetingName)
{
    return QStringLiteral("Data/") + meetingName + QStringLiteral(".db");
}

QString filePath(const DataRoot &root, const QString &meetingName)
{
    return isUsableName(meetingName) ? root.filePath(relativePath(meetingName)) : QString();
}

bool create(const DataRoot &root, const QString &meetingName, OperatorNotifier &notifier)
{
    const OperatorText caption = meetingText("MsgClew");
    const QString path = filePath(root, meetingName);
    if (path.isEmpty()) {
        notifier.information(caption,
                             OperatorText::plain(QStringLiteral("\"%1\" cannot name a meeting database "
                                                                "file.")
                                                     .arg(meetingName)));
        return false;
    }

    if (QFileInfo::exists(path)) {
        if (!notifier.question(caption, meetingText("Export1")))
            return false;
        QFile::setPermissions(path,
                              QFile::permissions(path) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (!QFile::remove(path)) {
            notifier.information(caption, meetingText("Export2"));
            return false;
        }
    }
    // A log left beside a file that is gone belongs to no file; on a new file it would replay old pages.
    removeSidecars(path);
    QDir().mkpath(root.filePath(QStringLiteral("Data")));

    {
        DatabaseAccess file(path, notifier);
        if (!file.open(DatabaseAccess::OpenMode::Create, DatabaseAccess::Reporting::Silent)) {
            notifier.information(caption, meetingText("Export3"));
            return false;
        }
    }
    DatabaseAccess db(path, notifier);
    if (!db.open(DatabaseAccess::OpenMode::Existing, DatabaseAccess::Reporting::Silent)) {
        notifier.information(caption, meetingText("Export4"));
        return false;
    }
    for (const QString &statement : createStatements()) {
        if (!db.execute(statement))
            return false;
    }
    return MeetingJournal::ensureTable(db);
}

bool rename(const DataRoot &root, const QString &oldName, const QString &newName)
{
    const QString from = filePath(root, oldName);
    const QString to = filePath(root, newName);
    if (from.isEmpty() || to.isEmpty() || from == to)
        return false;
    if (!QFile::rename(from, to))
        return false;
    for (const QString &suffix : sidecarSuffixes()) {
        QFile::remove(to + suffix);
        if (QFileInfo::exists(from + suffix))
            QFile::rename(from + suffix, to + suffix);
    }
    return true;
}

bool remove(const DataRoot &root, const QString &meetingName)
{
    const QString path = filePath(root, meetingName);
    if (path.isEmpty())
        return false;
    if (QFileInfo::exists(path) && !QFile::remove(path))
        return false;
    removeSidecars(path);
    return true;
}

} // namespace MeetingFiles
