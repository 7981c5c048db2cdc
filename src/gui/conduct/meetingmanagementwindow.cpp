#include "gui/conduct/meetingmanagementwindow.h"

#include "core/shell/windowplacement.h"
#include "core/store/systemdatabase.h"
#include "gui/ui/hubbutton.h"
#include "gui/ui/picturebackground.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

namespace {
const QRect PanelPlace(236, 96, 740, 420);
const QRect ReportPlace(196, 80, 818, 624);
} // namespace

MeetingManagementWindow::MeetingManagementWindow(SystemDatabase &systemDatabase,
                                                 const TextCatalogue &catalogue, const QString &photoFolder,
                                                 MeetingReportHooks hooks, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_systemDatabase(systemDatabase), m_texts(catalogue, QStringLiteral("FrmMdisposal")),
      m_hooks(std::move(hooks)), m_meetings(new QComboBox(this)), m_details(new QFrame(this))
{
    setObjectName(QStringLiteral("FrmMdisposal"));
    setFixedSize(WindowPlacement::HubSize);
    setPictureBackground(this, photoFolder + QStringLiteral("/ManageBmp.bmp"));
    build();
    m_texts.apply(this);

    const MeetingList meetings = m_systemDatabase.listMeetings();
    m_meetings->addItems(meetings.MeeName);
    m_meetings->setCurrentIndex(-1);
    m_meetings->setPlaceholderText(
        m_texts.text(meetings.size() == 0 ? QStringLiteral("MsgClew2") : QStringLiteral("MsgClew1")));
    connect(m_meetings, &QComboBox::activated, this, &MeetingManagementWindow::chooseMeeting);

    if (m_hooks.createSignInReport)
        m_signInReport = m_hooks.createSignInReport(this);
    if (m_hooks.createBallotReport)
        m_ballotReport = m_hooks.createBallotReport(this);
    if (m_hooks.createJournal)
        m_journal = m_hooks.createJournal(this);
    for (QWidget *report : {m_signInReport, m_ballotReport, m_journal}) {
        if (report) {
            report->setGeometry(ReportPlace);
            report->hide();
        }
    }
    showPage(Page::Details);
}

void MeetingManagementWindow::build()
{
    const std::pair<Control, const char *> buttons[] = {{Control::Details, "IDC_MOOTNOTE_BUTTON"},
                                                        {Control::SignInReport, "IDC_REGQUE_BUTTON"},
                                                        {Control::BallotReport, "IDC_VOTEPUT_BUTTON3"},
                                                        {Control::Journal, "IDC_JOURNAL_BUTTON"},
                                                        {Control::Close, "IDCANCEL"}};
    const int tops[] = {50, 130, 210, 290, 550};
    for (int i = 0; i < 5; ++i) {
        auto *button = new HubButton(this);
        button->setObjectName(QLatin1String(buttons[i].second));
        button->setGeometry(10, tops[i], 180, 50);
        m_buttons.append({buttons[i].first, button});
    }
    connect(button(Control::Details), &HubButton::clicked, this, [this] { showPage(Page::Details); });
    connect(button(Control::SignInReport), &HubButton::clicked, this,
            [this] { showPage(Page::SignInReport); });
    connect(button(Control::BallotReport), &HubButton::clicked, this,
            [this] { showPage(Page::BallotReport); });
    connect(button(Control::Journal), &HubButton::clicked, this, [this] { showPage(Page::Journal); });
    connect(button(Control::Close), &HubButton::clicked, this, &QDialog::accept);

    auto *meetingCaption = new QLabel(this);
    meetingCaption->setObjectName(QStringLiteral("IDC_MDISPOSAL_SIGN"));
    meetingCaption->setGeometry(236, 36, 120, 28);
    meetingCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_meetings->setGeometry(364, 36, 400, 28);

    m_details->setGeometry(PanelPlace);
    m_details->setObjectName(QStringLiteral("detailsPanel"));
    m_details->setStyleSheet(QStringLiteral("QFrame#detailsPanel { background-color: #ffffff;"
                                            " border: 1px solid #d3dce7; border-radius: 10px; }"
                                            "QLabel { color: #1e3a5f; font-size: 11pt; }"));
    struct Row
    {
        const char *caption;
        Field first;
        Field second; // the dates' second value, after IDC_STATIC_MTIMELTO
    };
    const Row rows[] = {{"IDC_STATIC_MOOTNAME", Name, Name},        {"IDC_STATIC_MOOTADDR", Place, Place},
                        {"IDC_STATIC_MOOTDATA", FirstDay, LastDay}, {"IDC_STATIC_EXNUM", Due, Due},
                        {"IDC_MDISPOSAL_SIGN1", Present, Present},  {"IDC_STATICP_ENLIST", Quorum, Quorum}};
    int y = 36;
    for (const Row &row : rows) {
        auto *caption = new QLabel(m_details);
        caption->setObjectName(QLatin1String(row.caption));
        caption->setGeometry(24, y, 200, 32);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_fields[row.first] = new QLabel(m_details);
        m_fields[row.first]->setGeometry(240, y, row.first == row.second ? 470 : 120, 32);
        m_fields[row.first]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (row.first != row.second) {
            auto *to = new QLabel(m_details);
            to->setObjectName(QStringLiteral("IDC_STATIC_MTIMELTO"));
            to->setGeometry(364, y, 40, 32);
            to->setAlignment(Qt::AlignCenter);
            m_fields[row.second] = new QLabel(m_details);
            m_fields[row.second]->setGeometry(410, y, 200, 32);
        }
        y += 58;
    }
}

HubButton *MeetingManagementWindow::button(Control control) const
{
    for (const auto &[c, button] : m_buttons)
        if (c == control)
            return button;
    return nullptr;
}

QString MeetingManagementWindow::fieldText(Field field) const
{
    return m_fields[field]->text();
}

void MeetingManagementWindow::chooseMeeting(int index)
{
    if (index < 0 || index >= m_meetings->count())
        return;
    MeetingRecord meeting;
    if (!m_systemDatabase.readMeeting(m_meetings->itemText(index), meeting))
        return;
    m_meeting = meeting;
    m_chosen = true;
    m_fields[Name]->setText(meeting.MeeName);
    m_fields[Place]->setText(meeting.MeeAddr);
    m_fields[FirstDay]->setText(meeting.DateStart);
    m_fields[LastDay]->setText(meeting.DateEnd);
    m_fields[Due]->setText(meeting.DueNum);
    m_fields[Present]->setText(meeting.SignIn);
    m_fields[Quorum]->setText(meeting.bSetLimit == QLatin1String("1") ? meeting.limit + QLatin1Char('%')
                                                                      : QString());
    // A report already on show follows the new meeting.
    showPage(m_page);
}

void MeetingManagementWindow::showPage(Page page)
{
    QWidget *report = page == Page::SignInReport   ? m_signInReport
                      : page == Page::BallotReport ? m_ballotReport
                      : page == Page::Journal      ? m_journal
                                                   : nullptr;
    if (page != Page::Details && (!report || !m_chosen))
        return;
    m_page = page;
    m_details->setVisible(page == Page::Details);
    if (m_signInReport)
        m_signInReport->setVisible(page == Page::SignInReport);
    if (m_ballotReport)
        m_ballotReport->setVisible(page == Page::BallotReport);
    if (m_journal)
        m_journal->setVisible(page == Page::Journal);
    if (report && m_hooks.showReport)
        m_hooks.showReport(report, m_meeting);
    button(Control::Details)->setEnabled(page != Page::Details);
    button(Control::SignInReport)->setEnabled(m_chosen && m_signInReport && page != Page::SignInReport);
    button(Control::BallotReport)->setEnabled(m_chosen && m_ballotReport && page != Page::BallotReport);
    button(Control::Journal)->setEnabled(m_chosen && m_journal && page != Page::Journal);
}

void MeetingManagementWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr) {
        accept();
        return;
    }
    QDialog::mousePressEvent(event);
}
