#pragma once

#include <QString>
#include <QStringList>

// One motion, election, scoring or appraisal of a meeting: an `Overture` row, all values as texts. The
// integer columns are held as their decimal text.
struct MotionRecord
{
    QString OveName; // title; unique within the meeting, key of reads, deletes and results
    QString OveType;
    QString VoteBase;
    QString VoteAbet;
    QString VoteAbetValue;
    QString VoteTimelRes;
    QString VoteTimelValue;
    QString Unit;
    QString ViewPer;
    QString ViewPass;
    QString VoteDll;
    QString ytText;
    QString VoteState;
    QString insertdate; // creation stamp; key of updates
    QString result;
    QString PollTimel;
    QString rtf;
    QString mark;
    QString candidate;
    QString factresult1;
    QString factresult2;
    QString factresult3;

    bool operator==(const MotionRecord &) const = default;
};

// Motions as the motion lists show them: three parallel columns in creation order.
struct MotionList
{
    QStringList OveName;
    QStringList OveType;
    QStringList VoteState;

    qsizetype size() const { return OveName.size(); }
};
