#include "core/conduct/verdictexplanation.h"

#include "core/base/operatortext.h"
#include "core/base/textcatalogue.h"

QString VerdictExplanation::sentence(VoteType type, const TallyResult &tallied, const BallotSettings &s,
                                     const TallyTexts &texts, int due, int present,
                                     const TextCatalogue &catalogue)
{
    if (VoteTypeTable::info(type).resultForm != ResultForm::FullBallot || !tallied.passed)
        return {};
    const QString section = QStringLiteral("Public");
    const QString inFavour = type == VoteType::Appraisal
                                 ? catalogue.text(QStringLiteral("FrmScrText"), QStringLiteral("ScrSatisfied"))
                                 : catalogue.text(QStringLiteral("FrmScrText"), QStringLiteral("Static4"));
    const QString threshold = QString::number(BallotTally::decimalValue(s.VoteAbetValue));
    const QString rule = catalogue.resolve(OperatorText::catalogue(
        section, s.VoteAbet == texts.cbAbetOne ? QStringLiteral("VerdictMore") : QStringLiteral("VerdictAtLeast"),
        {threshold}));
    const QString verdict = catalogue.text(
        section, *tallied.passed ? QStringLiteral("VerdictPassed") : QStringLiteral("VerdictFailed"));
    // The tally leaves the percentages at 0 for a zero or unrecognised base; so does the sentence, saying why.
    const bool dueBase = s.VoteBase == texts.cbBaseOne && due > 0;
    const bool presentBase = s.VoteBase == texts.cbBaseTwo && present > 0;
    const QString key = dueBase       ? QStringLiteral("VerdictDue")
                        : presentBase ? QStringLiteral("VerdictPresent")
                                      : QStringLiteral("VerdictNoBase");
    const int base = dueBase ? due : presentBase ? present : 0;
    return catalogue.resolve(OperatorText::catalogue(
        section, key,
        {inFavour, QString::number(tallied.counters.count(1)), QString::number(base),
         BallotTally::twoDecimals(tallied.percentages[0]), rule, verdict}));
}

QString VerdictExplanation::ofBallot(const JournalAudit::BallotCheck &check, const TextCatalogue &catalogue)
{
    if (!check.startFound || check.kind != JournalKind::BallotResult)
        return {};
    const BallotStartRecord &start = check.start;
    return sentence(start.type, check.recounted, start.settings, start.texts, start.due, start.present, catalogue);
}
