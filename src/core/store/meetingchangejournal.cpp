#include "core/store/meetingchangejournal.h"

#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingfiles.h"
#include "core/store/meetingjournal.h"
#include "core/store/meetingrecord.h"
#include "core/store/systemdatabase.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace MeetingChangeJournal {

JournalNote note(const QString &operation, const MeetingRecord &row, const QString &previousName)
{
    QJsonObject content{{QStringLiteral("op"), operation},
                        {QStringLiteral("MeeName"), row.MeeName},
                        {QStringLiteral("MeeAddr"), row.MeeAddr},
                        {QStringLiteral("DateStart"), row.DateStart},
                        {QStringLiteral("DateEnd"), row.DateEnd},
                        {QStringLiteral("bannerPath"), row.bannerPath},
                        {QStringLiteral("insertdate"), row.insertdate},
                        {QStringLiteral("DueNum"), row.DueNum},
                        {QStringLiteral("SignIn"), row.SignIn},
                        {QStringLiteral("bSetLimit"), row.bSetLimit},
                        {QStringLiteral("limit"), row.limit}};
    if (!previousName.isEmpty())
        content.insert(QStringLiteral("previousName"), previousName);
    return {JournalKind::MeetingChanged, QString(),
            QString::fromUtf8(QJsonDocument(content).toJson(QJsonDocument::Compact))};
}

Outcome record(const DataRoot &root, SystemDatabase &system, const QString &meetingName,
               const QString &operation, OperatorNotifier &notifier, const QString &previousName)
{
    // Opening a missing database would only raise an error at every change of such a meeting; making one
    // to hold the entry would invent a meeting database nobody asked for.
    const QString path = MeetingFiles::filePath(root, meetingName);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return Outcome::NoDatabase;
    MeetingRecord row;
    if (system.readMeeting(meetingName, row) &&
        MeetingJournal(root, meetingName, notifier).record({note(operation, row, previousName)}))
        return Outcome::Journalled;
    // The database access has shown why; this says what it means for the meeting.
    notifier.error(DatabaseAccess::caption(),
                   OperatorText::catalogue(QStringLiteral("Public"),
                                           QStringLiteral("MsgMeetingNotJournalled"), {meetingName}));
    return Outcome::Failed;
}

} // namespace MeetingChangeJournal
