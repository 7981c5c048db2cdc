#pragma once

#include "recordingnotifier.h"

#include "core/base/dataroot.h"
#include "core/conduct/conferencecontext.h"
#include "core/store/systemdatabase.h"

#include <QTemporaryDir>

#include <memory>

// A data root in a temporary folder with the system database and one meeting whose delegates sit on
// keypads 1..delegates, named "Delegate n".
struct MeetingFixture
{
    QTemporaryDir dir;
    RecordingNotifier notifier;
    DataRoot root{dir.path()};
    std::unique_ptr<SystemDatabase> system;
    QString meetingName = QStringLiteral("Plenary O'Brien");

    // quorumMode "1" with a percentage, "2" without.
    bool create(int due, int delegates, const QString &quorumMode = QStringLiteral("1"),
                const QString &quorumPercent = QStringLiteral("50"));
    // This meeting's conference, as the console makes it when the operator opens the meeting.
    std::unique_ptr<ConferenceContext> conference(Link &link, HallScreen &hall, TextCatalogue catalogue,
                                                  const QString &meetingFolder = QStringLiteral("folder"),
                                                  const QString &screenWidth = QStringLiteral("1024"));
};
