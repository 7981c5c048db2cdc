#include "gui/prepare/meetingpreparationwindow.h"

#include "core/prepare/delegaterostercontroller.h"
#include "core/prepare/meetingregistercontroller.h"
#include "core/prepare/motionscontroller.h"
#include "core/shell/windowplacement.h"
#include "gui/prepare/delegaterosterpage.h"
#include "gui/prepare/meetingregisterpage.h"
#include "gui/prepare/motionspage.h"
#include "gui/ui/hubbutton.h"
#include "gui/ui/picturebackground.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

// The pages fill the child area the background leaves for them.
const QRect ChildArea(196, 22, 818, 682);

} // namespace

MeetingPreparationWindow::MeetingPreparationWindow(const DataRoot &root, SystemDatabase &system,
                                                   OperatorNotifier &notifier, const TextCatalogue &catalogue,
                                                   const QString &photoFolder, QWidget *parent)
    : QDialog(parent), m_texts(catalogue, QStringLiteral("FrmMeeOut")),
      m_meetings(new MeetingRegisterController(root, system, notifier, catalogue, {}, this)),
      m_delegates(new DelegateRosterController(root, notifier, catalogue, this)),
      m_motions(new MotionsController(root, system, notifier, catalogue, {}, this)),
      m_header(new QLabel(this))
{
    setObjectName(QStringLiteral("FrmMeeOut"));
    setFixedSize(WindowPlacement::HubSize);
    setPictureBackground(this, photoFolder + QStringLiteral("/PrepareBmp.bmp"));

    m_header->setGeometry(10, 8, 180, 34);
    m_header->setAlignment(Qt::AlignCenter);
    m_header->setStyleSheet(QStringLiteral("color: #ffffff; font-size: 13pt; font-weight: bold;"));

    const char *keys[] = {"IDC_FOUND_ADMEE", "IDC_FOUND_ADMAN", "IDC_FOUND_ADOVE"};
    for (int i = 0; i < 3; ++i) {
        m_pageButtons[i] = new HubButton(this);
        m_pageButtons[i]->setObjectName(QLatin1String(keys[i]));
        m_pageButtons[i]->setGeometry(10, 50 + i * 80, 180, 50);
        const Page page = Page(i);
        connect(m_pageButtons[i], &HubButton::clicked, this, [this, page] { showPage(page); });
    }
    m_exit = new HubButton(this);
    m_exit->setObjectName(QStringLiteral("IDC_MEEFITOUT_EXIT"));
    m_exit->setGeometry(10, 550, 180, 50);
    connect(m_exit, &HubButton::clicked, this, &QDialog::accept);
    // Before the pages exist: apply() sets every descendant named like a control, and the pages' controls
    // take their captions from sections of their own.
    m_texts.apply(this);

    auto *area = new QWidget(this);
    area->setGeometry(ChildArea);
    QPalette pale = area->palette();
    pale.setColor(QPalette::Window, QColor(0xf4, 0xf7, 0xfa));
    area->setPalette(pale);
    area->setAutoFillBackground(true);
    m_meetingsPage = new MeetingRegisterPage(*m_meetings, root, notifier, catalogue, area);
    m_delegatesPage = new DelegateRosterPage(*m_delegates, catalogue, area);
    m_motionsPage = new MotionsPage(*m_motions, root, notifier, catalogue, area);
    for (QWidget *page : {static_cast<QWidget *>(m_meetingsPage), static_cast<QWidget *>(m_delegatesPage),
                          static_cast<QWidget *>(m_motionsPage)})
        page->setGeometry(0, 0, ChildArea.width(), ChildArea.height());

    connect(m_meetings, &MeetingRegisterController::stateChanged, this,
            &MeetingPreparationWindow::updateButtons);
    connect(m_delegatesPage, &DelegateRosterPage::returnRequested, this,
            [this] { showPage(Page::Meetings); });
    m_meetings->open();
    showPage(Page::Meetings);
}

MeetingPreparationWindow::~MeetingPreparationWindow() = default;

HubButton *MeetingPreparationWindow::pageButton(Page page) const
{
    return m_pageButtons[int(page)];
}

QString MeetingPreparationWindow::header() const
{
    return m_header->text();
}

void MeetingPreparationWindow::showPage(Page page)
{
    if (page != Page::Meetings && !m_meetings->hasMeeting())
        return;
    const MeetingRecord &meeting = m_meetings->record();
    if (page == Page::Delegates)
        m_delegates->setMeeting(meeting.MeeName);
    else if (page == Page::Motions)
        m_motions->setMeeting(meeting.MeeName, meeting.insertdate);
    m_page = page;
    const QString titles[] = {m_texts.text(QStringLiteral("MsgClew1")),
                              m_texts.text(QStringLiteral("MsgClew2")),
                              m_texts.text(QStringLiteral("MsgClew3"))};
    m_header->setText(titles[int(page)]);
    m_meetingsPage->setVisible(page == Page::Meetings);
    m_delegatesPage->setVisible(page == Page::Delegates);
    m_motionsPage->setVisible(page == Page::Motions);
    updateButtons();
}

void MeetingPreparationWindow::updateButtons()
{
    // The roster and the motions belong to the meeting chosen in the register, and not while it is being
    // made or changed.
    const bool meeting = m_meetings->hasMeeting();
    pageButton(Page::Meetings)->setEnabled(m_page != Page::Meetings);
    pageButton(Page::Delegates)->setEnabled(meeting && m_page != Page::Delegates);
    pageButton(Page::Motions)->setEnabled(meeting && m_page != Page::Motions);
}

void MeetingPreparationWindow::reject()
{
    accept();
}

void MeetingPreparationWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape would leave the whole window from any field of any page; the exit button does that.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
