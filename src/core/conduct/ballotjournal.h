#pragma once

#include "core/counting/ballottally.h"
#include "core/store/journalentry.h"

#include <QMap>

#include <optional>

// What a ballot's journal entries hold, written and read back in one place. The start entry carries
// everything a re-count needs besides the key codes: the type, the counting options, the due and present
// counts, the keypads that count and the very texts the tally compared against, so a ballot re-counts to
// the same figures whatever language the console runs in later. It also keeps the motion's result from
// before the ballot, so a ballot discarded after a crash leaves the motion as it was.
struct BallotStartRecord
{
    VoteType type = VoteType::YesNo;
    QString OveType;
    BallotSettings settings;
    TallyTexts texts;
    int due = 0;
    int present = 0;
    QList<int> counted; // keypads whose answers count, ascending
    QString previousResult;
    QString previousVoteState;
    QString previousPollTimel;
};

// The outcome entry of a ballot: every counted keypad's key code, the counts and what was stored.
struct BallotOutcomeRecord
{
    QMap<int, int> keyCodes;
    BallotCounters counters;
    QString result;
    QString verdict;
    QString VoteState;
    QString PollTimel;
};

namespace BallotJournal {

JournalNote start(const QString &OveName, const BallotStartRecord &record);
// The key codes that changed since the last live entry.
JournalNote live(const QString &OveName, const QMap<int, int> &changed);
// `byCountDown`: the count-down ended the ballot, not the operator.
JournalNote stop(const QString &OveName, bool byCountDown);
// kind: JournalKind::BallotResult, BallotInterrupted or BallotRecovered.
JournalNote outcome(const QString &kind, const QString &OveName, const BallotOutcomeRecord &record);
JournalNote discarded(const QString &OveName);
// The base station lost or found again while a sign-in (no motion) or a ballot runs.
JournalNote link(bool lost, const QString &OveName, const QString &detail);

std::optional<BallotStartRecord> readStart(const QString &content);
std::optional<BallotOutcomeRecord> readOutcome(const QString &content);
QMap<int, int> readLive(const QString &content);

// The key codes of the counted keypads in ascending order, a keypad not heard from as 0.
QList<int> codesOf(const BallotStartRecord &start, const QMap<int, int> &keyCodes);

bool isOutcome(const QString &kind);

} // namespace BallotJournal
