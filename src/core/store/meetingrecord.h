#pragma once

#include <QString>
#include <QStringList>

// One meeting of the register: a `Mottag` row of the system database, all values as texts.
struct MeetingRecord
{
    QString MeeName;    // unique among meetings; also names the meeting's database file
    QString MeeAddr;    // place
    QString DateStart;  // first day, as the date picker shows it
    QString DateEnd;    // last day
    QString bannerPath; // banner document in MeeFile/Meebanner/, empty before one was saved
    QString insertdate; // creation stamp "%Y%m%d%H%M%S"; fixed for the meeting's life, key of updates
    QString DueNum;     // delegates expected
    QString SignIn;     // delegates signed in at the last sign-in
    QString bSetLimit;  // "1" when a quorum ratio is set, "2" when not
    QString limit;      // quorum ratio in percent, "0" when none is set

    bool operator==(const MeetingRecord &) const = default;
};

// The register as the meeting lists show it: name and first day of every meeting, in creation order.
struct MeetingList
{
    QStringList MeeName;
    QStringList DateStart;

    qsizetype size() const { return MeeName.size(); }
};
