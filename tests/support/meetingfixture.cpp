#include "meetingfixture.h"

#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"

bool MeetingFixture::create(int due, int delegates, const QString &quorumMode, const QString &quorumPercent)
{
    system = std::make_unique<SystemDatabase>(root, notifier);
    if (!system->ensureExists() || !MeetingFiles::create(root, meetingName, notifier))
        return false;
    MeetingRecord meeting;
    meeting.MeeName = meetingName;
    meeting.MeeAddr = QStringLiteral("Hall A");
    meeting.insertdate = QStringLiteral("20261208090000");
    meeting.DueNum = QString::number(due);
    meeting.SignIn = QStringLiteral("0");
    meeting.bSetLimit = quorumMode;
    meeting.limit = quorumPercent;
    if (!system->insertMeeting(meeting))
        return false;
    MeetingDatabase database(root, meetingName, notifier);
    for (int n = 1; n <= delegates; ++n) {
        DelegateRecord delegate;
        delegate.CellNo = QString::number(n);
        delegate.EmpName = QStringLiteral("Delegate %1").arg(n);
        if (!database.insertDelegate(delegate))
            return false;
    }
    return notifier.count() == 0;
}

std::unique_ptr<ConferenceContext> MeetingFixture::conference(Link &link, HallScreen &hall,
                                                              TextCatalogue catalogue,
                                                              const QString &meetingFolder,
                                                              const QString &screenWidth)
{
    auto context =
        std::make_unique<ConferenceContext>(link, *system, root, notifier, hall, std::move(catalogue));
    context->meeting.MeeName = meetingName;
    context->meeting.insertdate = meetingFolder;
    context->screenWidthText = screenWidth;
    return context;
}
