#pragma once

#include "core/conduct/ballotjournal.h"
#include "core/store/meetingjournal.h"
#include "core/store/motionrecord.h"

// Checks a meeting's journal: the hash chain, and every ballot re-counted from its journalled key codes
// with the ballot tally, compared with what the journal says was stored and, for the last outcome of each
// motion, with what the motion's row holds now.
class JournalAudit
{
public:
    enum class Stored
    {
        Matches,
        Differs,
        NotChecked, // a later ballot of the motion replaced this outcome
        MotionGone, // the motion was deleted or renamed since
    };

    struct BallotCheck
    {
        qint64 entryId = 0;
        QString kind;
        QString motion;
        QString stamp;
        BallotStartRecord start;
        TallyResult recounted;
        BallotOutcomeRecord journalled;
        QString storedResult;
        bool startFound = false;
        bool recountMatches = false; // figures, result text and verdict as the journal says they were stored
        Stored stored = Stored::NotChecked;
        bool ok() const { return startFound && recountMatches && stored != Stored::Differs; }
    };

    struct Report
    {
        MeetingJournal::ChainCheck chain;
        QList<BallotCheck> ballots;
        bool allMatch() const;
    };

    static Report run(const QList<JournalEntry> &entries, const QList<MotionRecord> &motions);

    // The tally of a journalled ballot from the codes of its counted keypads.
    static TallyResult recount(const BallotStartRecord &start, const QMap<int, int> &keyCodes);
    // What a ballot that ended this way stores as `result`: the verdict only after a final pass.
    static QString storedForm(const QString &kind, const TallyResult &tallied);
};
