#include "core/conduct/journalreportcontroller.h"

#include "core/conduct/verdictexplanation.h"
#include "core/output/reportfiles.h"
#include "core/output/reportpagerenderer.h"
#include "core/base/operatornotifier.h"
#include "core/store/meetingdatabase.h"

JournalReportController::JournalReportController(const DataRoot &root, TextCatalogue catalogue,
                                                 OperatorNotifier &notifier)
    : m_root(root), m_catalogue(std::move(catalogue)), m_notifier(notifier)
{
    rebuild();
}

QString JournalReportController::text(const QString &key, const QStringList &args) const
{
    return m_catalogue.resolve(OperatorText::catalogue(Section.toString(), key, args));
}

QString JournalReportController::kindText(const QString &kind) const
{
    const QString shown = m_catalogue.text(Section.toString(), QStringLiteral("Kind") + kind);
    return shown.isEmpty() ? kind : shown;
}

void JournalReportController::setMeeting(const QString &meetingName)
{
    m_meetingName = meetingName;
    m_filter.clear();
    m_verified = false;
    m_report = {};
    m_all = meetingName.isEmpty() ? QList<JournalEntry>()
                                  : MeetingJournal(m_root, meetingName, m_notifier).entries();
    rebuild();
}

QStringList JournalReportController::motions() const
{
    QStringList names;
    for (const JournalEntry &e : m_all)
        if (!e.motion.isEmpty() && !names.contains(e.motion))
            names.append(e.motion);
    return names;
}

void JournalReportController::setMotionFilter(const QString &motion)
{
    m_filter = motion;
    rebuild();
}

void JournalReportController::verify()
{
    m_all = MeetingJournal(m_root, m_meetingName, m_notifier).entries();
    m_report = JournalAudit::run(m_all, MeetingDatabase(m_root, m_meetingName, m_notifier).allMotions());
    m_verified = true;
    rebuild();
}

QString JournalReportController::chainText() const
{
    if (!m_verified)
        return {};
    const MeetingJournal::ChainCheck &chain = m_report.chain;
    switch (chain.status) {
    case MeetingJournal::Break::Edited:
        return text(QStringLiteral("MsgChainEdited"), {QString::number(chain.brokenAt)});
    case MeetingJournal::Break::Missing:
        return text(QStringLiteral("MsgChainMissing"), {QString::number(chain.brokenAt)});
    case MeetingJournal::Break::None:
        break;
    }
    QString line = text(QStringLiteral("MsgChainOk"), {QString::number(chain.entries)});
    if (m_report.ballots.isEmpty())
        line += u' ' + text(QStringLiteral("MsgNoBallots"));
    return line;
}

QString JournalReportController::explanation(const JournalAudit::BallotCheck &check) const
{
    return VerdictExplanation::ofBallot(check, m_catalogue);
}

void JournalReportController::rebuild()
{
    m_entries = {};
    m_entries.title = text(QStringLiteral("Title"), {m_meetingName});
    m_entries.headings = {text(QStringLiteral("ColNo")), text(QStringLiteral("ColTime")),
                          text(QStringLiteral("ColKind")), text(QStringLiteral("ColMotion")),
                          text(QStringLiteral("ColContent"))};
    m_entries.columnPixels = {50, 170, 150, 160, 600};
    m_entries.printWeights = {5, 17, 15, 16, 47};
    m_entries.centredColumns = {0};
    for (const JournalEntry &e : m_all) {
        if (!m_filter.isEmpty() && e.motion != m_filter)
            continue;
        m_entries.rows.append({QString::number(e.id), e.stamp, kindText(e.kind), e.motion, e.content});
    }

    m_ballots = {};
    m_ballots.headings = {text(QStringLiteral("ColBallot")), text(QStringLiteral("ColMatch")),
                          text(QStringLiteral("ColExplained"))};
    m_ballots.columnPixels = {200, 110, 490};
    for (const JournalAudit::BallotCheck &check : m_report.ballots) {
        if (!m_filter.isEmpty() && check.motion != m_filter)
            continue;
        QString match;
        if (!check.startFound)
            match = text(QStringLiteral("MsgBallotNoStart"));
        else if (check.ok())
            match = text(QStringLiteral("MsgBallotOk"));
        else
            match = text(QStringLiteral("MsgBallotDiffers"),
                         {JournalAudit::storedForm(check.kind, check.recounted), check.journalled.result,
                          check.storedResult});
        m_ballots.rows.append({check.motion + u" (" + check.stamp.left(19) + u')', match, explanation(check)});
    }
}

ReportDocument JournalReportController::document(const QDate &today) const
{
    ReportDocument document =
        ReportFiles::document(ReportLanguages::fromRoot(m_root, m_catalogue), m_meetingName, today);
    document.summary = m_verified ? chainText() : m_entries.title;
    document.table = m_entries;
    return document;
}

bool JournalReportController::exportSheet(const QString &path)
{
    return ReportFiles::exportSheet(path, m_entries, m_notifier);
}

bool JournalReportController::exportPdf(const QString &path)
{
    const ReportPageRenderer renderer(document(QDate::currentDate()));
    return ReportFiles::savePdf(path, renderer, m_entries.title, m_notifier);
}
