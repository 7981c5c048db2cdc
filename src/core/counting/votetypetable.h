#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

// The seven kinds of ballot. The order is fixed: index 0..6 is the vote type number handed between the
// windows, and VoteType1..VoteType7 are its catalogue keys.
enum class VoteType : int
{
    YesNo = 0,
    ElectOneOfThree = 1,
    ElectSeveralOfThree = 2,
    ElectOneOfFive = 3,
    ElectSeveralOfFive = 4,
    Scoring = 5,
    Appraisal = 6,
};

// How a keypad's key code becomes counts.
enum class KeyCounting
{
    SingleKey,   // the code must be exactly one key; several keys at once count nowhere
    SeveralKeys, // every key pressed counts
};

// What the stored `result` text of the type holds.
enum class ResultForm
{
    FullBallot,   // Unit, due, present, counts 1..3, not answered, three percentages, verdict
    ThreeCounts,  // counts 1..3
    FiveCounts,   // counts 1..5
    AverageScore, // the average score
};

// The options a motion of the type carries, each a column of its `Overture` row that the motions window
// offers for it. A type without an option stores that column's neutral value.
enum class MotionOption : unsigned
{
    CountingBase = 1U << 0,  // `VoteBase`: percentages of the due or of the present count
    PassingRule = 1U << 1,   // `VoteAbet` and `VoteAbetValue`: the pass rule and its threshold
    AbstainSwitch = 1U << 2, // `Unit`: present delegates who press no key count as abstaining
    Percentages = 1U << 3,   // `ViewPer`
    Verdict = 1U << 4,       // `ViewPass` and `ytText`: the verdict shown when the ballot ends
    LiveDisplay = 1U << 5,   // `VoteDll`
    KeyScores = 1U << 6,     // `mark`: the key scores of the settings at the time of saving
};

constexpr unsigned operator|(MotionOption a, MotionOption b)
{
    return unsigned(a) | unsigned(b);
}
constexpr unsigned operator|(unsigned a, MotionOption b)
{
    return a | unsigned(b);
}

struct VoteTypeInfo
{
    VoteType type;
    QStringView typeKey; // section Public: the display text stored in `OveType`
    int keyCount;        // keys 1..keyCount carry a meaning
    KeyCounting counting;
    ResultForm resultForm;
    unsigned command;            // sent to the keypads to open the ballot
    QStringView startCaptionKey; // section FrmMeeVote
    QStringView endCaptionKey;   // section FrmMeeVote
    int chartKind;               // what the chart control draws for a result of this type
    unsigned motionOptions;      // MotionOption flags

    int index() const { return int(type); }
    bool isElection() const
    {
        return resultForm == ResultForm::ThreeCounts || resultForm == ResultForm::FiveCounts;
    }
    // Candidates named in the candidate list of an election; 0 for the other types.
    int candidateCount() const { return isElection() ? keyCount : 0; }
    bool offers(MotionOption option) const { return (motionOptions & unsigned(option)) != 0; }
};

// The one description of the vote types. The voting, the charts and the reports read their per-type
// choices from here instead of switching on the type themselves.
class VoteTypeTable
{
public:
    static constexpr int Count = 7;
    static constexpr QStringView Section = u"Public";

    static const std::array<VoteTypeInfo, Count> &all();
    static const VoteTypeInfo &info(VoteType type);
    // The type with number 0..6, none for any other number.
    static std::optional<VoteType> fromIndex(int index);

    // Looks up a text of the catalogue: (section, key) -> text, empty for a missing key. A lambda that
    // joins strings must spell its return type QString: with the string builder on, a deduced return
    // type refers to temporaries that are gone by the time the function object converts it.
    using Lookup = std::function<QString(QStringView section, QStringView key)>;

    // The type whose display text equals `oveType`, trying VoteType1..VoteType7 in order; none when no
    // text matches. An empty display text (a key missing from the language file) never matches.
    static std::optional<VoteType> match(const QString &oveType, const Lookup &lookup);
};
