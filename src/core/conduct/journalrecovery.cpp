#include "core/conduct/journalrecovery.h"

#include "core/conduct/journalaudit.h"
#include "core/base/operatornotifier.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"
#include "core/store/meetingjournal.h"
#include "core/store/meetingrecord.h"
#include "core/store/systemdatabase.h"

#include <QDateTime>
#include <QFileInfo>

int JournalRecovery::Unfinished::collected() const
{
    int n = 0;
    if (ballot) {
        for (int keypad : ballotStart.counted)
            n += keyCodes.value(keypad, 0) != 0 ? 1 : 0;
    } else {
        for (int keypad : signInStart.counted)
            n += signedIn.contains(keypad) ? 1 : 0;
    }
    return n;
}

JournalRecovery::JournalRecovery(const DataRoot &root, SystemDatabase &systemDatabase, OperatorNotifier &notifier)
    : m_root(root), m_systemDatabase(systemDatabase), m_notifier(notifier)
{}

QList<JournalRecovery::Unfinished> JournalRecovery::unfinished(const QList<JournalEntry> &entries)
{
    std::optional<Unfinished> signIn;
    std::optional<Unfinished> ballot;
    for (const JournalEntry &e : entries) {
        if (e.kind == JournalKind::SignInStart) {
            // A new sign-in replaces one left unfinished before it: the operator started over.
            signIn.reset();
            if (const auto start = SignInJournal::readStart(e.content)) {
                Unfinished run;
                run.stamp = e.stamp;
                run.signInStart = *start;
                for (int keypad : start->signedBefore)
                    run.signedIn.insert(keypad);
                signIn = run;
            }
        } else if (e.kind == JournalKind::SignInLive && signIn) {
            for (int keypad : SignInJournal::readLive(e.content))
                signIn->signedIn.insert(keypad);
        } else if (SignInJournal::isEnd(e.kind)) {
            signIn.reset();
        } else if (e.kind == JournalKind::BallotStart) {
            ballot.reset();
            if (const auto start = BallotJournal::readStart(e.content)) {
                Unfinished run;
                run.ballot = true;
                run.motion = e.motion;
                run.stamp = e.stamp;
                run.ballotStart = *start;
                ballot = run;
            }
        } else if (e.kind == JournalKind::BallotLive && ballot && e.motion == ballot->motion) {
            const QMap<int, int> changed = BallotJournal::readLive(e.content);
            for (auto it = changed.cbegin(); it != changed.cend(); ++it)
                ballot->keyCodes.insert(it.key(), it.value());
        } else if (BallotJournal::isOutcome(e.kind) || e.kind == JournalKind::BallotDiscarded) {
            ballot.reset();
        }
    }
    QList<Unfinished> runs;
    if (signIn)
        runs.append(*signIn);
    if (ballot)
        runs.append(*ballot);
    return runs;
}

QList<JournalRecovery::Unfinished> JournalRecovery::scan()
{
    QList<Unfinished> runs;
    for (const QString &meeting : m_systemDatabase.listMeetings().MeeName) {
        // A registered meeting whose database was never made has nothing to recover; opening it would only
        // raise an error at every start.
        const QString path = MeetingFiles::filePath(m_root, meeting);
        if (path.isEmpty() || !QFileInfo::exists(path))
            continue;
        for (Unfinished run : unfinished(MeetingJournal(m_root, meeting, m_notifier).entries())) {
            run.meeting = meeting;
            runs.append(run);
        }
    }
    return runs;
}

bool JournalRecovery::store(const Unfinished &run)
{
    MeetingDatabase database(m_root, run.meeting, m_notifier);
    if (run.ballot) {
        // Stored as the voting stores a ballot that never reached its final pass: the figures collected,
        // no verdict, the interrupted state.
        const TallyResult tallied = JournalAudit::recount(run.ballotStart, run.keyCodes);
        const BallotResultWrite columns =
            BallotTally::resultWrite(tallied, QDateTime::currentDateTime(), run.ballotStart.texts, false);
        QMap<int, int> codes;
        for (int keypad : run.ballotStart.counted)
            codes.insert(keypad, run.keyCodes.value(keypad, 0));
        const BallotOutcomeRecord outcome{codes,          tallied.counters,  columns.result,
                                          QString(),      columns.VoteState, columns.PollTimel};
        return database.storeResult(run.motion, columns.result, columns.VoteState, columns.PollTimel,
                                    {BallotJournal::outcome(JournalKind::BallotRecovered, run.motion, outcome)});
    }
    const SignInStartRecord &start = run.signInStart;
    QList<SignInMark> marks;
    for (int n = 1; n <= start.keypadCount; ++n)
        marks.append({QString::number(n), run.signedIn.contains(n) ? start.presentMark : start.absentMark});
    const int present = run.collected();
    if (!database.storeSignIn(marks, {SignInJournal::marks(JournalKind::SignInRecovered, marks, present)}))
        return false;
    return m_systemDatabase.recordSignInCount(run.meeting, QString::number(present));
}

bool JournalRecovery::discard(const Unfinished &run)
{
    MeetingDatabase database(m_root, run.meeting, m_notifier);
    if (!run.ballot)
        return MeetingJournal(m_root, run.meeting, m_notifier).record({SignInJournal::discarded()});
    // The live writes left the collected figures in the motion's row; it gets back what it held before.
    const BallotStartRecord &start = run.ballotStart;
    return database.storeResult(run.motion, start.previousResult, start.previousVoteState,
                                start.previousPollTimel, {BallotJournal::discarded(run.motion)});
}

void JournalRecovery::offer()
{
    const OperatorText caption = OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgRecoverClew"));
    for (const Unfinished &run : scan()) {
        const QString began = run.stamp.left(19);
        const QString collected = QString::number(run.collected());
        const OperatorText question =
            run.ballot ? OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgRecoverBallot"),
                                                 {run.meeting, run.motion, began, collected})
                       : OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgRecoverSignIn"),
                                                 {run.meeting, began, collected});
        if (m_notifier.question(caption, question)) {
            store(run);
            continue;
        }
        if (m_notifier.question(caption,
                                OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgRecoverDiscard"))))
            discard(run);
    }
}
