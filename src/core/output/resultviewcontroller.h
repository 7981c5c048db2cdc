#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include "core/counting/votetypetable.h"

#include <array>

class ChartModel;

// One stored result as the voting's query-result command hands it over.
struct StoredResult
{
    QString meetingName;
    QString motionName;
    VoteType type = VoteType::YesNo;
    QString candidate;        // the motion's candidate list
    QString result;           // the `result` text
    QString pollTime;         // `PollTimel`
    int percentageFlag = 2;   // `ViewPer` as a number: 1 show percentages
    QSize screenSize;         // the big screen's width and height
    bool interrupted = false; // the ballot never reached its final pass: counts without a verdict
    bool showVerdict = false; // `ViewPass`: the verdict goes on the hall with the result
    QString explanation{};    // how the verdict came about, one sentence; empty when there is none
};

// The catalogue texts the result window shows or builds its label lists from, already looked up.
struct ResultViewTexts
{
    static constexpr QStringView Section = u"FrmResult";

    QString VoteTitle;                                   // section Public: the window title
    std::array<QString, VoteTypeTable::Count> voteTypes; // section Public: VoteType1..VoteType7
    QString strYD;                                       // "due"
    QString strQD;                                       // "present"
    std::array<QString, 4> MsgVote;   // MsgVote1..MsgVote4: in favour, against, abstain, not answered
    QString MsgClewNokey;             // the no-key entry after the candidates of a one-of-three election
    QString MsgClewMark;              // the average score's label
    QString MsgInterrupted;           // under the chart of a ballot that never reached its final pass
    QString ScrBallotReport;          // section FrmScrText: the caption
    std::array<QString, 3> appraisal; // section FrmScrText: satisfied, dissatisfied, unknown
    QString ScrUnitPersons;           // section FrmScrText: the units after the counts
    QString ScrUnitVotes;

    static ResultViewTexts lookUp(const VoteTypeTable::Lookup &lookup);
};

// The three views of the result window.
enum class ResultStyle
{
    Bar = 1,
    Pie = 2,
    Table = 3,
};

// What the result window shows for one stored result of any vote type, without the window: the texts of
// its fields and what its chart and the hall screen's chart pane draw. Every view is applied to all
// charts handed in, so the hall always sees what the operator sees.
class ResultViewController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultViewController)

public:
    static constexpr int CandidateCount = 5;

    explicit ResultViewController(const ResultViewTexts &texts, QObject *parent = nullptr);

    // The window's own chart and the big screen's chart pane. The charts are not owned; one destroyed
    // before this controller is dropped from the list.
    void addChart(ChartModel *chart);

    // Opening: remembers the result, splits the candidates, colours every chart and shows the table.
    void open(const StoredResult &stored);
    // A view; scoring has only the table, whatever is asked.
    void showView(ResultStyle requested);

    const StoredResult &stored() const { return m_stored; }
    QString windowTitle() const { return m_texts.VoteTitle; }
    QString typeText() const;
    // The first five fields of the candidate list; empty where the list has fewer.
    QStringList candidateNames() const { return m_candidates; }
    ResultStyle currentStyle() const { return m_style; }
    // The label list and chart kind the stored type draws with.
    QString labelList() const;
    int chartKind() const;
    ResultStyle effectiveStyle(ResultStyle requested) const;

    // The hall names the motion over its result, and under the title its verdict when the motion shows
    // it (the verdict field of a full ballot's result) or that the ballot was halted.
    QString captionText() const;
    QString subcaptionText() const;

private:
    ResultViewTexts m_texts;
    StoredResult m_stored;
    QStringList m_candidates;
    ResultStyle m_style = ResultStyle::Table;
    QList<QPointer<ChartModel>> m_charts;
};
