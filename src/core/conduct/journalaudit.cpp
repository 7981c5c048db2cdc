#include "core/conduct/journalaudit.h"

#include <QHash>

bool JournalAudit::Report::allMatch() const
{
    if (!chain.intact())
        return false;
    for (const BallotCheck &check : ballots)
        if (!check.ok())
            return false;
    return true;
}

TallyResult JournalAudit::recount(const BallotStartRecord &start, const QMap<int, int> &keyCodes)
{
    const QList<int> codes = BallotJournal::codesOf(start, keyCodes);
    const BallotCounters counted = BallotTally::count(start.type, codes);
    return BallotTally::tally(start.type, counted, start.due, start.present, start.settings, start.texts);
}

QString JournalAudit::storedForm(const QString &kind, const TallyResult &tallied)
{
    return kind == JournalKind::BallotResult ? tallied.result : tallied.resultWithoutVerdict;
}

JournalAudit::Report JournalAudit::run(const QList<JournalEntry> &entries, const QList<MotionRecord> &motions)
{
    Report report;
    report.chain = MeetingJournal::checkChain(entries);

    QHash<QString, BallotStartRecord> open;  // the last started ballot of each motion
    QHash<QString, qsizetype> lastOutcome;   // index into report.ballots
    QHash<QString, bool> unfinished;         // a ballot started after the last outcome and never ended
    for (const JournalEntry &e : entries) {
        if (e.kind == JournalKind::BallotStart) {
            if (const auto start = BallotJournal::readStart(e.content))
                open.insert(e.motion, *start);
            unfinished.insert(e.motion, true);
        } else if (e.kind == JournalKind::BallotDiscarded) {
            unfinished.insert(e.motion, false);
        } else if (BallotJournal::isOutcome(e.kind)) {
            BallotCheck check;
            check.entryId = e.id;
            check.kind = e.kind;
            check.motion = e.motion;
            check.stamp = e.stamp;
            const auto outcome = BallotJournal::readOutcome(e.content);
            const auto start = open.constFind(e.motion);
            check.startFound = outcome && start != open.constEnd();
            if (check.startFound) {
                check.start = *start;
                check.journalled = *outcome;
                check.recounted = recount(*start, outcome->keyCodes);
                check.recountMatches = storedForm(e.kind, check.recounted) == outcome->result &&
                                       (e.kind == JournalKind::BallotResult ? check.recounted.verdict
                                                                             : QString()) == outcome->verdict &&
                                       check.recounted.counters == outcome->counters;
            }
            unfinished.insert(e.motion, false);
            lastOutcome.insert(e.motion, report.ballots.size());
            report.ballots.append(check);
        }
    }

    for (auto it = lastOutcome.cbegin(); it != lastOutcome.cend(); ++it) {
        BallotCheck &check = report.ballots[*it];
        if (unfinished.value(it.key()) || !check.startFound)
            continue;
        const auto motion = std::find_if(motions.cbegin(), motions.cend(),
                                         [&](const MotionRecord &m) { return m.OveName == it.key(); });
        if (motion == motions.cend()) {
            check.stored = Stored::MotionGone;
            continue;
        }
        check.storedResult = motion->result;
        check.stored = motion->result == check.journalled.result && motion->VoteState == check.journalled.VoteState
                           ? Stored::Matches
                           : Stored::Differs;
    }
    return report;
}
