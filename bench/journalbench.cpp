// What the journal costs at the busy moments of a ballot: the final pass of 249 keypads stored with its
// journal entry (every keypad's key code, the counts, the result and the verdict) in one transaction, the
// same store without the journal for comparison, a live tick's write with the key codes that changed, and
// the verification of a journal of many ballots. Every commit is synced to disk, as in the console. Give a
// folder as argument to measure on another disk; by default a temporary folder is used.

#include "benchsupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "core/conduct/ballotjournal.h"
#include "core/conduct/journalaudit.h"
#include "core/base/dataroot.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"
#include "core/store/meetingjournal.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Keypads = 249;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::unique_ptr<QTemporaryDir> temporary = benchFolder(args);
    if (!temporary)
        return 1;
    const DataRoot root(temporary->path());
    BenchNotifier notifier;
    const QString meeting = QStringLiteral("Annual assembly");
    if (!MeetingFiles::create(root, meeting, notifier))
        return 1;
    MeetingDatabase database(root, meeting, notifier);
    MotionRecord motion;
    motion.OveName = QStringLiteral("Budget");
    motion.insertdate = QStringLiteral("20260301090000");
    database.insertMotion(motion);

    TallyTexts texts;
    texts.cbBaseOne = QStringLiteral("due");
    texts.cbBaseTwo = QStringLiteral("present");
    texts.cbAbetOne = QStringLiteral("more");
    texts.DateYes = QStringLiteral("Voted");
    texts.DateBreak = QStringLiteral("Halted");
    texts.PassVoteOk = QStringLiteral("passed");
    texts.PassVoteNo = QStringLiteral("not passed");
    BallotStartRecord start;
    start.settings = {texts.cbBaseOne, texts.cbAbetOne, QStringLiteral("50"), QStringLiteral("1"), {}, {}};
    start.texts = texts;
    start.due = Keypads;
    start.present = 240;
    for (int n = 1; n <= Keypads; ++n)
        start.counted.append(n);
    database.updateMotion(motion, {BallotJournal::start(motion.OveName, start)});

    // Every keypad answers, the keys spread over yes, no and abstain; each round a few change their mind.
    QMap<int, int> codes;
    for (int n = 1; n <= Keypads; ++n)
        codes.insert(n, 1 << (n % 3));
    const auto outcomeOf = [&](int round) {
        codes[1 + round % Keypads] = 1 << (round % 3);
        const TallyResult tallied = JournalAudit::recount(start, codes);
        const BallotResultWrite columns = BallotTally::resultWrite(tallied, QDateTime::currentDateTime(), texts, true);
        return std::pair{columns, BallotOutcomeRecord{codes, tallied.counters, columns.result, tallied.verdict,
                                                      columns.VoteState, columns.PollTimel}};
    };

    measure("final pass of 249 keypads: result and journal entry", 50, [&](int round) {
        const auto [columns, outcome] = outcomeOf(round);
        database.storeResult(motion.OveName, columns.result, columns.VoteState, columns.PollTimel,
                             {BallotJournal::outcome(JournalKind::BallotResult, motion.OveName, outcome)});
    });
    measure("the same result without a journal entry", 50, [&](int round) {
        const BallotResultWrite columns = outcomeOf(round).first;
        // The engine writes nothing for a row rewritten with the values it holds, and a change of mind
        // rarely moves the counts: the time column differs each round so every round is a synced write,
        // as each round with a journal entry is.
        database.storeResult(motion.OveName, columns.result, columns.VoteState,
                             columns.PollTimel + QLatin1Char('/') + QString::number(round));
    });
    measure("live tick: result and 10 changed key codes", 50, [&](int round) {
        const BallotResultWrite columns = outcomeOf(round).first;
        QMap<int, int> changed;
        for (int i = 0; i < 10; ++i)
            changed.insert(1 + (round * 10 + i) % Keypads, 1);
        database.storeResult(motion.OveName, columns.result, columns.VoteState, columns.PollTimel,
                             {BallotJournal::live(motion.OveName, changed)});
    });
    const QList<JournalEntry> entries = MeetingJournal(root, meeting, notifier).entries();
    const QList<MotionRecord> motions = database.allMotions();
    measure("verify: chain and re-count of the journal above", 10, [&](int) {
        const JournalAudit::Report report = JournalAudit::run(entries, motions);
        if (report.ballots.isEmpty())
            std::fprintf(stderr, "no ballots re-counted\n");
    });
    std::printf("journal entries: %lld\n", qlonglong(entries.size()));
    return notifier.messages == 0 ? 0 : 1;
}
