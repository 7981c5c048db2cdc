#include "core/output/resultviewcontroller.h"

#include "core/output/chartmodel.h"
#include "core/base/colonlist.h"

namespace {

using namespace Qt::StringLiterals;

// The result window and the hall show results white on blue.
const QColor Blue = QColor(0, 0, 255);
const QColor White = QColor(255, 255, 255);

} // namespace

ResultViewTexts ResultViewTexts::lookUp(const VoteTypeTable::Lookup &lookup)
{
    ResultViewTexts t;
    t.VoteTitle = lookup(VoteTypeTable::Section, u"VoteTitle");
    for (const VoteTypeInfo &info : VoteTypeTable::all())
        t.voteTypes[size_t(info.index())] = lookup(VoteTypeTable::Section, info.typeKey);
    t.strYD = lookup(Section, u"strYD");
    t.strQD = lookup(Section, u"strQD");
    t.MsgVote[0] = lookup(Section, u"MsgVote1");
    t.MsgVote[1] = lookup(Section, u"MsgVote2");
    t.MsgVote[2] = lookup(Section, u"MsgVote3");
    t.MsgVote[3] = lookup(Section, u"MsgVote4");
    t.MsgClewNokey = lookup(Section, u"MsgClewNokey");
    t.MsgClewMark = lookup(Section, u"MsgClewMark");
    t.MsgInterrupted = lookup(Section, u"MsgInterrupted");
    t.ScrBallotReport = lookup(u"FrmScrText", u"ScrBallotReport");
    t.ScrUnitPersons = lookup(u"FrmScrText", u"ScrUnitPersons");
    t.ScrUnitVotes = lookup(u"FrmScrText", u"ScrUnitVotes");
    t.appraisal = {lookup(u"FrmScrText", u"ScrSatisfied"), lookup(u"FrmScrText", u"ScrDissatisfied"),
                   lookup(u"FrmScrText", u"ScrUnknown")};
    return t;
}

ResultViewController::ResultViewController(const ResultViewTexts &texts, QObject *parent)
    : QObject(parent), m_texts(texts), m_candidates(CandidateCount)
{}

void ResultViewController::addChart(ChartModel *chart)
{
    if (chart && !m_charts.contains(chart))
        m_charts.append(chart);
}

void ResultViewController::open(const StoredResult &stored)
{
    m_stored = stored;
    m_candidates = ColonList::fields(stored.candidate, CandidateCount);
    for (const QPointer<ChartModel> &chart : std::as_const(m_charts)) {
        if (chart)
            chart->setColours(Blue, Blue);
    }
    showView(ResultStyle::Table);
}

QString ResultViewController::typeText() const
{
    return m_texts.voteTypes[size_t(VoteTypeTable::info(m_stored.type).index())];
}

QString ResultViewController::labelList() const
{
    switch (m_stored.type) {
    case VoteType::YesNo:
        return ColonList::join({m_texts.strYD, m_texts.strQD, m_texts.MsgVote[0], m_texts.MsgVote[1],
                                m_texts.MsgVote[2], m_texts.MsgVote[3]});
    case VoteType::Appraisal:
        return ColonList::join({m_texts.strYD, m_texts.strQD, m_texts.appraisal[0], m_texts.appraisal[1],
                                m_texts.appraisal[2], m_texts.MsgVote[3]});
    case VoteType::ElectOneOfThree:
        // The candidates as stored, then the no-key entry.
        return m_stored.candidate + ColonList::join({m_texts.MsgClewNokey});
    case VoteType::ElectSeveralOfThree:
    case VoteType::ElectOneOfFive:
    case VoteType::ElectSeveralOfFive:
        return m_stored.candidate;
    case VoteType::Scoring:
        return ColonList::join({m_texts.MsgClewMark});
    }
    return {};
}

int ResultViewController::chartKind() const
{
    return VoteTypeTable::info(m_stored.type).chartKind;
}

ResultStyle ResultViewController::effectiveStyle(ResultStyle requested) const
{
    return m_stored.type == VoteType::Scoring ? ResultStyle::Table : requested;
}

void ResultViewController::showView(ResultStyle requested)
{
    m_style = effectiveStyle(requested);
    const QString labels = labelList();
    for (const QPointer<ChartModel> &chart : std::as_const(m_charts)) {
        if (!chart)
            continue;
        chart->setCaption(captionText(), White);
        chart->setSubcaption(subcaptionText());
        chart->setPercentageDisplay(m_stored.percentageFlag);
        chart->setUnits(m_texts.ScrUnitPersons, m_texts.ScrUnitVotes);
        chart->setScreen(int(m_style), chartKind());
        chart->showResult(m_stored.result, labels, White);
        if (m_style != ResultStyle::Table)
            chart->setSecondCaption(QString(), White);
    }
}

QString ResultViewController::captionText() const
{
    return m_stored.motionName.isEmpty() ? m_texts.ScrBallotReport : m_stored.motionName;
}

QString ResultViewController::subcaptionText() const
{
    if (m_stored.interrupted)
        return m_texts.MsgInterrupted;
    if (!m_stored.showVerdict || VoteTypeTable::info(m_stored.type).chartKind != 1)
        return {};
    // Unit, due, present, three counts, not answered, three percentages, then the verdict.
    constexpr int VerdictField = 10;
    return ColonList::fields(m_stored.result, VerdictField + 1).value(VerdictField);
}
