#include "sampleresults.h"

#include <QDateTime>
#include <QRandomGenerator>

#include "core/counting/ballottally.h"
#include "core/counting/votetypetable.h"
#include "core/base/textcatalogue.h"
#include "core/store/meetingdatabase.h"
#include "core/store/systemdatabase.h"
#include "core/store/textnumber.h"

#include <algorithm>
#include <vector>

namespace {

// One keypad's answer: most press one key, favouring the first (in favour, on a ballot); in the elections of
// several some press two or three; a few press nothing.
int keyCode(const VoteTypeInfo &info, QRandomGenerator &random)
{
    if (random.bounded(100) < 6)
        return 0;
    const auto pick = [&] {
        // Weights fall from the first key to the last, so the charts are not flat; most motions pass.
        static constexpr int Ballot[] = {72, 17, 11, 0, 0};
        static constexpr int Election[] = {34, 24, 18, 14, 10};
        const int *Weights = info.resultForm == ResultForm::FullBallot ? Ballot : Election;
        int total = 0;
        for (int k = 0; k < info.keyCount; ++k)
            total += Weights[k];
        int roll = int(random.bounded(total));
        for (int k = 0; k < info.keyCount; ++k) {
            roll -= Weights[k];
            if (roll < 0)
                return k + 1;
        }
        return 1;
    };
    int code = 1 << (pick() - 1);
    if (info.counting == KeyCounting::SeveralKeys) {
        for (int extra = int(random.bounded(3)); extra > 0; --extra)
            code |= 1 << (pick() - 1);
    }
    return code;
}

} // namespace

int SampleResults::store(const DataRoot &root, const QString &meetingName, const TextCatalogue &catalogue,
                         OperatorNotifier &notifier)
{
    SystemDatabase system(root, notifier);
    MeetingRecord meeting;
    if (!system.readMeeting(meetingName, meeting))
        return -1;
    const int due = std::max(1, textNumber(meeting.DueNum));
    const int present = std::max(1, due * 9 / 10);
    const VoteTypeTable::Lookup lookup = catalogue.lookup();
    const TallyTexts texts = TallyTexts::lookUp(lookup);

    MeetingDatabase database(root, meetingName, notifier);
    const MotionList motions = database.listMotions();
    QDateTime when = QDateTime::currentDateTime().addSecs(-3600);
    int stored = 0;
    for (qsizetype i = 0; i < motions.size(); ++i) {
        MotionRecord motion;
        if (!database.readMotion(motions.OveName[i], motion) || !motion.result.isEmpty())
            continue;
        const std::optional<VoteType> type = VoteTypeTable::match(motion.OveType, lookup);
        if (!type)
            continue;
        QRandomGenerator random(quint32(1000 + i));
        std::vector<int> codes;
        for (int keypad = 0; keypad < present; ++keypad)
            codes.push_back(keyCode(VoteTypeTable::info(*type), random));
        const BallotCounters counted = BallotTally::count(*type, codes);
        const BallotSettings settings{motion.VoteBase, motion.VoteAbet, motion.VoteAbetValue,
                                      motion.Unit,     motion.ytText,   motion.mark};
        const TallyResult tallied = BallotTally::tally(*type, counted, due, present, settings, texts);
        when = when.addSecs(240);
        const BallotResultWrite write = BallotTally::resultWrite(tallied, when, texts, true);
        if (database.storeResult(motion.OveName, write.result, write.VoteState, write.PollTimel))
            ++stored;
    }
    return stored;
}
