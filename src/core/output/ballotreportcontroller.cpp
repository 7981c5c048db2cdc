#include "core/output/ballotreportcontroller.h"

#include "core/output/reportfiles.h"
#include "core/base/colonlist.h"
#include "core/store/meetingdatabase.h"

namespace {
constexpr QStringView VoteSection = u"FrmMeeVote";

bool belongs(BallotReportController::Category category, VoteType type)
{
    switch (category) {
    case BallotReportController::Category::Votes:
        return type == VoteType::YesNo;
    case BallotReportController::Category::Elections:
        return VoteTypeTable::info(type).isElection();
    case BallotReportController::Category::Scorings:
        return type == VoteType::Scoring;
    case BallotReportController::Category::Appraisals:
        return type == VoteType::Appraisal;
    }
    return false;
}
} // namespace

BallotReportController::BallotReportController(const DataRoot &root, ReportLanguages languages,
                                               OperatorNotifier &notifier)
    : m_root(root), m_languages(std::move(languages)), m_notifier(notifier)
{
    m_table = emptyTable();
}

BallotReportController::~BallotReportController() = default;

void BallotReportController::setMeeting(const QString &meetingName)
{
    m_meetingName = meetingName;
    m_database = std::make_unique<MeetingDatabase>(m_root, meetingName, m_notifier);
    m_votedOnly = false;
    rebuild();
}

void BallotReportController::setCategory(Category category)
{
    m_category = category;
    rebuild();
}

void BallotReportController::viewAll()
{
    m_votedOnly = false;
    rebuild();
}

void BallotReportController::viewVoted()
{
    m_votedOnly = true;
    rebuild();
}

ReportTable BallotReportController::emptyTable() const
{
    ReportTable table;
    const int n = int(m_category);
    table.title = m_languages.text(Section, QString(QStringLiteral("Msglist") + QString::number(n)));
    const QString number = m_languages.text(Section, u"MsgVote1");
    const QString motion = m_languages.text(Section, u"MsgVote2");
    const QString due = m_languages.text(VoteSection, u"strYD");
    const QString present = m_languages.text(VoteSection, u"strQD");
    switch (m_category) {
    case Category::Votes:
        table.headings =
            QStringList{number, motion, due, present} + m_languages.family(Section, u"MsgVote", 3, 8);
        table.columnPixels = {40, 320, 50, 50, 50, 50, 50, 50, 100, 150};
        table.printWeights = {6, 36, 8, 10, 7, 7, 10, 10, 20, 22};
        table.centredColumns = {0, 2, 3, 4, 5, 6, 7};
        break;
    case Category::Elections:
        table.headings = QStringList{number, motion} + m_languages.family(Section, u"MsgEle", 1, 11);
        table.columnPixels = {40, 280, 80, 70, 80, 70, 80, 70, 80, 70, 80, 70, 150};
        table.printWeights = {6, 30, 14, 7, 14, 7, 14, 7, 14, 7, 14, 7, 22};
        table.centredColumns = {0, 3, 5, 7, 9, 11};
        break;
    case Category::Scorings:
        table.headings = QStringList{number, motion} + m_languages.family(Section, u"MsgGrade", 1, 3);
        table.columnPixels = {40, 480, 55, 55, 150};
        table.centredColumns = {0, 2};
        break;
    case Category::Appraisals:
        table.headings =
            QStringList{number, motion, due, present} + m_languages.family(Section, u"MsgPingyi", 1, 5);
        table.columnPixels = {40, 320, 80, 80, 80, 80, 80, 80, 150};
        table.printWeights = {6, 36, 8, 10, 10, 12, 10, 10, 22};
        table.centredColumns = {0, 2, 3, 4, 5, 6, 7};
        break;
    }
    return table;
}

void BallotReportController::rebuild()
{
    m_table = emptyTable();
    m_unrecognised = 0;
    if (!m_database)
        return;
    const QStringList voted = m_languages.variants(VoteSection, u"DateYes");
    // Read once and sorted here rather than asked of the database by type: the stored type and state are
    // texts of whichever language wrote them.
    for (const MotionRecord &motion : m_database->allMotions()) {
        const std::optional<VoteType> type = m_languages.voteType(motion.OveType);
        if (!type) {
            ++m_unrecognised;
            continue;
        }
        if (!belongs(m_category, *type) || (m_votedOnly && !voted.contains(motion.VoteState)))
            continue;
        m_table.rows.append(row(int(m_table.size()) + 1, motion, *type));
    }
}

QStringList BallotReportController::row(int number, const MotionRecord &motion, VoteType type) const
{
    QStringList cells{QString::number(number), motion.OveName};
    const QStringList fields = ColonList::fields(motion.result, 11);
    switch (m_category) {
    case Category::Votes:
    case Category::Appraisals: {
        // With `Unit` "1" the keypads that pressed nothing are already counted as abstaining.
        const QString notAnswered = fields[0] == u"1" ? QString() : fields[6];
        cells << fields[1] << fields[2] << fields[3] << fields[4] << fields[5] << notAnswered;
        if (m_category == Category::Votes)
            cells << fields[10];
        break;
    }
    case Category::Elections: {
        const int candidates = VoteTypeTable::info(type).candidateCount();
        const QStringList names = ColonList::fields(motion.candidate, 5);
        for (int i = 0; i < 5; ++i) {
            cells << (i < candidates ? names[i] : QString()) << (i < candidates ? fields[i] : QString());
        }
        break;
    }
    case Category::Scorings:
        cells << fields[0] << QString();
        break;
    }
    cells << motion.PollTimel;
    return cells;
}

bool BallotReportController::exportTo(const QString &path)
{
    return ReportFiles::exportSheet(path, m_table, m_notifier);
}

ReportDocument BallotReportController::document(const QDate &today) const
{
    ReportDocument document = ReportFiles::document(m_languages, m_meetingName, today);
    document.summary = m_languages.text(Section, u"szTag1");
    document.table = m_table;
    if (!printable())
        return document;
    auto tag = [this](int n) { return m_languages.text(Section, QString(u"szTag" + QString::number(n))); };
    for (const QStringList &row : m_table.rows) {
        ReportFormPage page;
        page.title = tag(1);
        if (m_category == Category::Votes) {
            // Motion, due, present, the three counts, not voted, verdict and time: the list's columns
            // 1..9 under the printed headings 4 and 6..13.
            ReportFormBox box;
            box.weights = {3, 7};
            const int tags[] = {4, 6, 7, 8, 9, 10, 11, 12, 13};
            for (int i = 0; i < 9; ++i)
                box.rows.append({tag(tags[i]), row.value(i + 1)});
            page.boxes.append(box);
        } else {
            ReportFormBox motion;
            motion.weights = {3, 7};
            motion.rows = {{tag(4), row.value(1)}, {tag(13), row.value(12)}};
            // The candidates with their votes; an election of fewer than five leaves the rest out.
            ReportFormBox candidates;
            candidates.headings = {tag(14), tag(15)};
            candidates.weights = {7, 3};
            for (int i = 0; i < 5; ++i) {
                const QString name = row.value(2 + 2 * i);
                const QString votes = row.value(3 + 2 * i);
                if (!name.isEmpty() || !votes.isEmpty())
                    candidates.rows.append({name, votes});
            }
            page.boxes = {motion, candidates};
        }
        document.forms.append(page);
    }
    return document;
}

bool BallotReportController::printable() const
{
    return (m_category == Category::Votes || m_category == Category::Elections) && m_table.size() > 0;
}
