#include "core/counting/votetypetable.h"

#include "core/link/linkmode.h"

namespace {

constexpr unsigned FullOptions = MotionOption::CountingBase | MotionOption::PassingRule |
                                 MotionOption::AbstainSwitch | MotionOption::Percentages |
                                 MotionOption::Verdict | MotionOption::LiveDisplay;
// An appraisal is counted like a yes/no ballot but has no pass rule, so no verdict either.
constexpr unsigned AppraisalOptions = MotionOption::CountingBase | MotionOption::Percentages |
                                      MotionOption::LiveDisplay | MotionOption::KeyScores;
constexpr unsigned ScoresOnly = unsigned(MotionOption::KeyScores);

// The command values are the keypads' own: one-of-five and scoring share a value, as do the single-key
// ballots of three keys.
constexpr std::array<VoteTypeInfo, VoteTypeTable::Count> Types{{
    {VoteType::YesNo, u"VoteType1", 3, KeyCounting::SingleKey, ResultForm::FullBallot,
     Command::BallotStartThree, u"BtnVoteStart1", u"BtnVoteEnd1", 1, FullOptions},
    {VoteType::ElectOneOfThree, u"VoteType2", 3, KeyCounting::SingleKey, ResultForm::ThreeCounts,
     Command::BallotStartThree, u"BtnVoteStart2", u"BtnVoteEnd2", 2, ScoresOnly},
    {VoteType::ElectSeveralOfThree, u"VoteType3", 3, KeyCounting::SeveralKeys, ResultForm::ThreeCounts,
     Command::BallotStartThreeSeveral, u"BtnVoteStart2", u"BtnVoteEnd2", 3, ScoresOnly},
    {VoteType::ElectOneOfFive, u"VoteType4", 5, KeyCounting::SingleKey, ResultForm::FiveCounts,
     Command::BallotStartFive, u"BtnVoteStart2", u"BtnVoteEnd2", 4, ScoresOnly},
    {VoteType::ElectSeveralOfFive, u"VoteType5", 5, KeyCounting::SeveralKeys, ResultForm::FiveCounts,
     Command::BallotStartFiveSeveral, u"BtnVoteStart2", u"BtnVoteEnd2", 5, ScoresOnly},
    {VoteType::Scoring, u"VoteType6", 5, KeyCounting::SingleKey, ResultForm::AverageScore,
     Command::BallotStartFive, u"BtnVoteStart3", u"BtnVoteEnd3", 6, ScoresOnly},
    {VoteType::Appraisal, u"VoteType7", 3, KeyCounting::SingleKey, ResultForm::FullBallot,
     Command::BallotStartThree, u"BtnVoteStart4", u"BtnVoteEnd4", 1, AppraisalOptions},
}};

static_assert(Types[0].command == 0xF75501 && Types[2].command == 0xF75507 && Types[3].command == 0xF75503 &&
                  Types[4].command == 0xF75505 && Types[5].command == 0xF75503,
              "the keypads know the ballot kinds by these values");

} // namespace

const std::array<VoteTypeInfo, VoteTypeTable::Count> &VoteTypeTable::all()
{
    return Types;
}

const VoteTypeInfo &VoteTypeTable::info(VoteType type)
{
    return Types[size_t(type)];
}

std::optional<VoteType> VoteTypeTable::fromIndex(int index)
{
    if (index < 0 || index >= Count)
        return std::nullopt;
    return Types[size_t(index)].type;
}

std::optional<VoteType> VoteTypeTable::match(const QString &oveType, const Lookup &lookup)
{
    if (oveType.isEmpty())
        return std::nullopt;
    for (const VoteTypeInfo &t : Types) {
        if (lookup(Section, t.typeKey) == oveType)
            return t.type;
    }
    return std::nullopt;
}
