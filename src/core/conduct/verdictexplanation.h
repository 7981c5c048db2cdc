#pragma once

#include "core/counting/ballottally.h"
#include "core/conduct/journalaudit.h"

class TextCatalogue;

// How a verdict came about, in one sentence of the interface language: the in-favour count against the
// counting base, its share, the share the pass rule needs and the verdict. Built from the counting options
// and the tally's own unrounded figures, so the sentence never disagrees with the stored verdict. Only the
// yes/no ballot and the appraisal have a verdict; every other type, and a count without a verdict, gives
// an empty text.
class VerdictExplanation
{
public:
    static QString sentence(VoteType type, const TallyResult &tallied, const BallotSettings &settings,
                            const TallyTexts &texts, int due, int present, const TextCatalogue &catalogue);
    // The sentence for a journalled ballot, from its re-count; empty unless it ended with a final pass.
    static QString ofBallot(const JournalAudit::BallotCheck &check, const TextCatalogue &catalogue);
};
