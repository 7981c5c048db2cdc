#pragma once

#include "core/counting/countedkeypads.h"
#include "core/counting/votetypetable.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <span>

class KeypadTable;

// The counters of one count, rebuilt from zero every time.
struct BallotCounters
{
    int notAnswered = 0;
    std::array<int, 5> counts{}; // keys 1..5

    int count(int key) const { return counts[size_t(key - 1)]; }
    int &count(int key) { return counts[size_t(key - 1)]; }
    bool operator==(const BallotCounters &) const = default;
};

// The motion's counting settings, as the texts of its `Overture` row.
struct BallotSettings
{
    QString VoteBase;
    QString VoteAbet;
    QString VoteAbetValue;
    QString Unit;
    QString ytText;
    QString mark;
};

// The interface texts the tally compares against or writes, already looked up in the current language
// file. Base and pass rule are stored as display texts, so they can only be recognised by these.
struct TallyTexts
{
    static constexpr QStringView VoteSection = u"FrmMeeVote";
    static constexpr QStringView ScreenSection = u"FrmScrText";
    static constexpr QStringView cbBaseOneKey = u"cbBaseOne";
    static constexpr QStringView cbBaseTwoKey = u"cbBaseTwo";
    static constexpr QStringView cbAbetOneKey = u"cbAbetOne";
    static constexpr QStringView DateYesKey = u"DateYes";
    static constexpr QStringView DateBreakKey = u"DateBreak";
    static constexpr QStringView PassVoteOkKey = u"PassVoteOk";
    static constexpr QStringView PassVoteNoKey = u"PassVoteNo";

    QString cbBaseOne;  // percentages of the due count
    QString cbBaseTwo;  // percentages of the present count
    QString cbAbetOne;  // pass only above the threshold
    QString DateYes;    // the state of a voted motion
    QString DateBreak;  // the state of a ballot that never reached its final pass
    QString PassVoteOk; // verdict words
    QString PassVoteNo;

    static TallyTexts lookUp(const VoteTypeTable::Lookup &lookup);
};

struct TallyResult
{
    // For the yes/no ballot and the appraisal: count 3 with the non-answering keypads added when `Unit`
    // says so, and not-answered by subtraction from the present count. Otherwise the counters as counted.
    BallotCounters counters;
    std::array<double, 3> percentages{}; // unrounded; full ballots only
    double average = 0;                  // scoring only
    std::optional<bool> passed;          // full ballots only
    QString verdict;                     // `ytText` and the verdict word; full ballots only
    QString result;                      // the text stored in `result`
    QString resultWithoutVerdict;        // the same with an empty verdict field, for a result not final
};

// The three columns every result write sets in the motion's row.
struct BallotResultWrite
{
    QString result;
    QString VoteState;
    QString PollTimel;
};

// Counting and pass rules of every vote type, and the stored forms of their outcome. It owns no window,
// timer or storage: the voting feeds it at every live tick and after the final poll pass, and stores what
// it returns; the charts and the reports read the stored texts back through ColonList.
class BallotTally
{
public:
    // Key codes of keypads 1..n in order (element 0 is keypad 1).
    static BallotCounters count(VoteType type, std::span<const int> keyCodes);
    // Key codes straight from the keypad table, keypads 1..keypadCount (at most 249) that `counted` takes.
    static BallotCounters count(VoteType type, const KeypadTable &table, int keypadCount,
                                const CountedKeypads &counted = {});

    static TallyResult tally(VoteType type, const BallotCounters &counted, int dueCount, int presentCount,
                             const BallotSettings &settings, const TallyTexts &texts);

    // The columns of a result write made at local time `now`. Only the result of a final pass that heard
    // the line is final: anything else (a live count, what was collected before the base station went
    // away) is stored without a verdict and in the interrupted state, so it is never taken for an outcome.
    static BallotResultWrite resultWrite(const TallyResult &tallied, const QDateTime &now,
                                         const TallyTexts &texts, bool final);
    // `PollTimel`: local time as "%Y/%m/%d/-%H:%M:%S".
    static QString pollTimeText(const QDateTime &now);
    // `VoteState` of a motion that has a result.
    static QString voteStateText(const TallyTexts &texts) { return texts.DateYes; }

    // A number as printf "%2.2f" writes it in the C locale, whatever the process locale is: the stored
    // texts are read back on machines with other settings.
    static QString twoDecimals(double value);
    // A stored number: leading blanks, an optional sign and the digits that follow; anything else reads
    // as 0, and values beyond int are held at its limits.
    static int decimalValue(QStringView text);
};
