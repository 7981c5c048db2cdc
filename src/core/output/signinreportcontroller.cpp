#include "core/output/signinreportcontroller.h"

#include "core/output/reportfiles.h"
#include "core/store/meetingdatabase.h"

SignInReportController::SignInReportController(const DataRoot &root, ReportLanguages languages,
                                               OperatorNotifier &notifier)
    : m_root(root), m_languages(std::move(languages)), m_notifier(notifier)
{}

SignInReportController::~SignInReportController() = default;

void SignInReportController::setMeeting(const QString &meetingName)
{
    m_meetingName = meetingName;
    m_database = std::make_unique<MeetingDatabase>(m_root, meetingName, m_notifier);
    m_dueCount = int(build(List::Due).size());
    m_presentCount = int(build(List::Present).size());
    show(List::Due);
}

void SignInReportController::show(List list)
{
    m_list = list;
    m_table = build(list);
}

QStringList SignInReportController::marks(QStringView reportKey, QStringView signInKey) const
{
    QStringList texts = m_languages.variants(Section, reportKey);
    for (const QString &text : m_languages.variants(SignInSection, signInKey))
        if (!texts.contains(text))
            texts.append(text);
    return texts;
}

ReportTable SignInReportController::build(List list)
{
    ReportTable table;
    table.title = m_languages.text(Section, list == List::Due       ? u"MsgClew11"
                                            : list == List::Present ? u"MsgClew12"
                                                                    : u"MsgClew13");
    table.headings = m_languages.family(Section, u"MsgClew", 1, 10);
    table.columnPixels = {60, 80, 50, 50, 80, 80, 120, 120, 80, 60};
    table.printWeights = {13, 27, 10, 17, 19, 15, 21, 19, 15, 9};
    table.centredColumns = {0, 2, 9};
    if (!m_database)
        return table;
    DelegateList delegates;
    switch (list) {
    case List::Due:
        delegates = m_database->listDelegates();
        break;
    // The sign-in writes its marks from its own section; the report's texts name the same marks and are
    // recognised too, so an edited language file where the two differ still finds every delegate.
    case List::Present:
        delegates = m_database->delegatesBySignIns(marks(u"MsgClew17", u"MsgScrView9"));
        break;
    case List::Absent:
        delegates = m_database->delegatesBySignIns(marks(u"MsgClew18", u"MsgScrView10"));
        break;
    }
    for (qsizetype i = 0; i < delegates.size(); ++i)
        table.rows.append({delegates.CellNo[i], delegates.EmpName[i], delegates.EmpSex[i],
                           delegates.Nationality[i], delegates.Unit[i], delegates.Title[i],
                           delegates.Office_phone[i], delegates.delegacy[i], delegates.presidium[i],
                           delegates.SeatNo[i]});
    return table;
}

bool SignInReportController::exportTo(const QString &path)
{
    return ReportFiles::exportSheet(path, m_table, m_notifier);
}

ReportDocument SignInReportController::document(const QDate &today) const
{
    ReportDocument document = ReportFiles::document(m_languages, m_meetingName, today);
    document.summary = m_languages.text(Section, u"IDC_STATIC_YDRS") + u' ' + QString::number(m_dueCount) +
                       u' ' + m_languages.text(Section, u"IDC_STATIC_YDRSP") + u"    " +
                       m_languages.text(Section, u"IDC_STATIC_SDRS") + u' ' +
                       QString::number(m_presentCount) + u' ' +
                       m_languages.text(Section, u"IDC_STATIC_SDRSP");
    document.table = m_table;
    return document;
}
