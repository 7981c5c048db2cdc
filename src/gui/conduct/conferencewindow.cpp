#include "gui/conduct/conferencewindow.h"

#include "core/conduct/signincontroller.h"
#include "core/conduct/votingcontroller.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/output/resultviewcontroller.h"
#include "core/output/screengeometry.h"
#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/shell/systemtype.h"
#include "core/shell/windowplacement.h"
#include "core/store/settingsrecord.h"
#include "core/store/systemdatabase.h"
#include "core/store/textnumber.h"
#include "gui/conduct/meetingselectiondialog.h"
#include "gui/conduct/signinwindow.h"
#include "gui/conduct/startupprogressdialog.h"
#include "gui/conduct/votemonitorwindow.h"
#include "gui/conduct/votingwindow.h"
#include "gui/ui/hubbutton.h"
#include "gui/ui/picturebackground.h"

#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

namespace {
enum MenuItem
{
    MeetingPreparation = 1401,
    Banner = 1402,
    Manual = 1403,
    ScreenSetup = 1404,
};

OperatorText conferenceText(const char *key)
{
    return OperatorText::catalogue(QStringLiteral("FrmConmee"), QLatin1String(key));
}

QRect screenOf(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}
} // namespace

ConferenceWindow::Layout ConferenceWindow::layoutOf(const QString &systemType)
{
    switch (systemTypeOf(systemType)) {
    case SystemType::VotingOnly:
        return Layout::VotingOnly;
    case SystemType::Discussion:
        return Layout::Discussion;
    case SystemType::Neither:
        break;
    }
    return Layout::Neither;
}

ConferenceWindow::ConferenceWindow(ConferenceContext &context, ConferenceHooks hooks, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_context(context), m_hooks(std::move(hooks)),
      m_texts(m_context.catalogue, QStringLiteral("FrmConmee")), m_menu(new QMenu(this))
{
    setObjectName(QStringLiteral("FrmConmee"));
    setFixedSize(WindowPlacement::HubSize);
    setPictureBackground(this, m_context.photoFolder + QStringLiteral("/ConferenceBmp.bmp"));
    buildButtons();
    m_texts.apply(this);
    for (Control c : {Control::Discussion, Control::Document, Control::InsertDisplay})
        setControlEnabled(c, c != Control::Discussion);
}

ConferenceWindow::~ConferenceWindow()
{
    // The pages hold the controllers by reference: they go first.
    delete m_monitor;
    delete m_signInWindow;
    delete m_votingWindow;
}

void ConferenceWindow::buildButtons()
{
    const std::pair<Control, const char *> captions[] = {
        {Control::Discussion, "IDC_STASPE_BUTTON"},
        {Control::SignIn, "IDC_MANCHE_BUTTON"},
        {Control::Voting, "IDC_MEEVOTE_BUTTON"},
        {Control::Document, "IDC_MEECONT_BUTTON"},
        {Control::InsertDisplay, "IDC_INSERTVIEW_BUTTON"},
        {Control::Menu, "IDC_CONMEE_MENU"},
        {Control::Exit, "IDC_CONMEE_EXIT"},
    };
    for (const auto &[control, key] : captions) {
        auto *button = new HubButton(this);
        button->setObjectName(QLatin1String(key));
        m_buttons.append({control, button});
        const Control c = control;
        connect(button, &HubButton::clicked, this, [this, c] { press(c); });
    }
    const std::pair<int, const char *> items[] = {{MeetingPreparation, "MenuName1"},
                                                  {Banner, "MenuName2"},
                                                  {Manual, "MenuName3"},
                                                  {ScreenSetup, "MenuName4"}};
    for (const auto &[item, key] : items) {
        QAction *action = m_menu->addAction(m_texts.text(QLatin1String(key)));
        const int id = item;
        connect(action, &QAction::triggered, this, [this, id] { runMenuItem(id); });
    }
    m_menu->actions().at(0)->setEnabled(bool(m_hooks.runMeetingPreparation));
    m_menu->actions().at(2)->setEnabled(bool(m_hooks.openHelp));
    m_menu->actions().at(3)->setEnabled(bool(m_hooks.openScreenSetup));
    applyLayout(Layout::Neither);
}

HubButton *ConferenceWindow::button(Control control) const
{
    for (const auto &[c, button] : m_buttons)
        if (c == control)
            return button;
    return nullptr;
}

// A control whose window is not part of this console stays disabled whatever the page asks.
void ConferenceWindow::setControlEnabled(Control control, bool enabled)
{
    bool available = true;
    if (control == Control::Discussion)
        available = bool(m_hooks.createSpeechPage) && m_speechPage;
    else if (control == Control::Document)
        available = bool(m_hooks.createDocumentPage) && m_documentPage;
    else if (control == Control::InsertDisplay)
        available = bool(m_hooks.openScreenTextEditor);
    button(control)->setEnabled(enabled && available);
}

void ConferenceWindow::applyLayout(Layout layout)
{
    const bool votingOnly = layout == Layout::VotingOnly;
    const int x = votingOnly ? 20 : 10;
    const int width = votingOnly ? 150 : 180;
    // The menu has no place of its own in either layout; it sits above the exit button. The text player
    // had none either (a button of no size, and no menu item), so it could not be opened: it takes the
    // free place between the menu and the exit button.
    const std::pair<Control, int> places[] = {
        {Control::Discussion, 50},
        {Control::SignIn, votingOnly ? 50 : 130},
        {Control::Voting, votingOnly ? 150 : 210},
        {Control::InsertDisplay, votingOnly ? 250 : 290},
        {Control::Menu, votingOnly ? 350 : 370},
        {Control::Document, 450},
        {Control::Exit, 550},
    };
    for (const auto &[control, y] : places)
        button(control)->setGeometry(x, y, width, 50);
    button(Control::Discussion)->setVisible(!votingOnly);
}

void ConferenceWindow::run()
{
    MeetingSelectionDialog selection(m_context.systemDatabase, m_context.catalogue);
    if (selection.exec() != QDialog::Accepted)
        return;
    move(WindowPlacement::centred(screenOf(this).size()).position);
    openMeeting(selection.meeting());
    exec();
}

void ConferenceWindow::openMeeting(const MeetingRecord &meeting)
{
    if (m_signIn)
        return;
    m_context.meeting = meeting;
    setWindowTitle(m_texts.meetingTitle(meeting.MeeName));
    const SettingsRecord settings = m_context.systemDatabase.loadSettings();
    const ScreenGeometry geometry =
        ScreenGeometry::fromSettings(settings, QGuiApplication::primaryScreen()->geometry().width());
    m_context.hall.setGeometry(geometry.rect, geometry.background, geometry.text);
    QString screenHeight;
    SettingsRecord::splitScreenSize(settings.ScrSize, m_context.screenWidthText, screenHeight);

    m_signIn = new SignInController(m_context, this);
    m_voting = new VotingController(m_context, this);
    m_signIn->open();
    m_voting->open();
    m_signInWindow = new SignInWindow(*m_signIn, m_context.catalogue, this);
    m_votingWindow = new VotingWindow(*m_voting, m_context.catalogue, this);
    m_votingWindow->setCandidateWindowAvailable(bool(m_hooks.editCandidates));
    m_votingWindow->setResultWindowAvailable(bool(m_hooks.openResult));
    connect(m_votingWindow, &VotingWindow::candidatesRequested, this, &ConferenceWindow::editCandidates);
    connect(m_votingWindow, &VotingWindow::resultRequested, this, [this] {
        if (m_hooks.openResult)
            m_hooks.openResult(this, selectedResult());
    });
    connect(m_votingWindow, &VotingWindow::monitorRequested, this, &ConferenceWindow::openVoteMonitor);
    for (QWidget *page : {static_cast<QWidget *>(m_signInWindow), static_cast<QWidget *>(m_votingWindow)}) {
        page->move(ChildOrigin);
        page->hide();
    }
    if (m_hooks.createDocumentPage) {
        m_documentPage = m_hooks.createDocumentPage(this);
        m_documentPage->setGeometry(QRect(ChildOrigin, QSize(818, 682)));
        m_documentPage->hide();
        setControlEnabled(Control::Document, true);
    }
    // Enter typed into a field of a page must not press whichever button last had the focus.
    for (QPushButton *pageButton : findChildren<QPushButton *>())
        pageButton->setAutoDefault(false);

    const Layout layout = layoutOf(m_context.systemType);
    applyLayout(layout);
    if (layout == Layout::Neither)
        return;
    if (layout == Layout::Discussion && m_hooks.createSpeechPage) {
        m_speechPage = m_hooks.createSpeechPage(this, m_context);
        m_speechPage->setGeometry(QRect(ChildOrigin, QSize(810, 672)));
        showPage(Page::Speech);
        setControlEnabled(Control::Discussion, false);
        if (m_hooks.runSpeechPage)
            m_hooks.runSpeechPage(m_speechPage, true);
        StartupProgressDialog progress(m_context.link.settings().keypadCount, m_context.photoFolder, this);
        progress.exec();
        return;
    }
    // A voting-only installation starts on the sign-in; so does a discussion installation while this
    // console has no discussion page to start on.
    showPage(Page::SignIn);
    setControlEnabled(Control::SignIn, false);
}

ConferenceWindow::Page ConferenceWindow::currentPage() const
{
    const std::pair<Page, QWidget *> pages[] = {{Page::Speech, m_speechPage},
                                                {Page::SignIn, m_signInWindow},
                                                {Page::Voting, m_votingWindow},
                                                {Page::Document, m_documentPage}};
    for (const auto &[page, widget] : pages)
        if (widget && !widget->isHidden())
            return page;
    return Page::None;
}

void ConferenceWindow::showPage(Page page)
{
    const std::pair<Page, QWidget *> pages[] = {{Page::Speech, m_speechPage},
                                                {Page::SignIn, m_signInWindow},
                                                {Page::Voting, m_votingWindow},
                                                {Page::Document, m_documentPage}};
    for (const auto &[p, widget] : pages) {
        if (!widget)
            continue;
        widget->setVisible(p == page);
        // The keyboard starts on the page, not on whichever left button comes first.
        if (p == page)
            widget->setFocus(Qt::OtherFocusReason);
    }
}

bool ConferenceWindow::refusedWhileBusy()
{
    if (m_signIn && m_signIn->isRunning()) {
        m_context.notifier.information(conferenceText("MsgClew"), conferenceText("MsgClewCheErr"));
        return true;
    }
    if (m_voting && m_voting->phase() != VotingController::Phase::Idle) {
        m_context.notifier.information(conferenceText("MsgClew"), conferenceText("MsgClewVoteErr"));
        return true;
    }
    return false;
}

// Leaving the discussion page stops it, in the installations that have one.
void ConferenceWindow::stopSpeechPage()
{
    const QString &type = m_context.systemType;
    if (type != QLatin1String("0") && type != QLatin1String("2"))
        return;
    if (m_speechPage && m_hooks.runSpeechPage && !m_speechPage->isHidden())
        m_hooks.runSpeechPage(m_speechPage, false);
    if (m_speechPage)
        m_speechPage->hide();
    setControlEnabled(Control::Discussion, true);
}

bool ConferenceWindow::press(Control control)
{
    if (refusedWhileBusy())
        return false;
    if (!m_signIn && control != Control::Exit && control != Control::Menu)
        return true; // no meeting yet: nothing to switch to
    switch (control) {
    case Control::Discussion:
        if (!m_speechPage)
            break;
        showPage(Page::Speech);
        if (m_hooks.runSpeechPage)
            m_hooks.runSpeechPage(m_speechPage, true);
        setControlEnabled(Control::Discussion, false);
        for (Control c : {Control::SignIn, Control::Voting, Control::Document, Control::InsertDisplay})
            setControlEnabled(c, true);
        break;
    case Control::SignIn:
        stopSpeechPage();
        showPage(Page::SignIn);
        setControlEnabled(Control::SignIn, false);
        for (Control c : {Control::Voting, Control::Document, Control::InsertDisplay})
            setControlEnabled(c, true);
        break;
    case Control::Voting:
        stopSpeechPage();
        // The counts and the motions as they are now: a sign-in may have just ended.
        m_voting->open();
        m_voting->selectMotion(-1);
        showPage(Page::Voting);
        setControlEnabled(Control::Voting, false);
        for (Control c : {Control::SignIn, Control::Document, Control::InsertDisplay})
            setControlEnabled(c, true);
        break;
    case Control::Document:
        if (!m_documentPage)
            break;
        stopSpeechPage();
        showPage(Page::Document);
        setControlEnabled(Control::Document, false);
        for (Control c : {Control::SignIn, Control::Voting, Control::InsertDisplay})
            setControlEnabled(c, true);
        break;
    case Control::InsertDisplay:
        if (m_hooks.openScreenTextEditor)
            m_hooks.openScreenTextEditor(this);
        break;
    case Control::Menu: {
        const HubButton *menuButton = button(Control::Menu);
        m_menu->popup(menuButton->mapToGlobal(QPoint(menuButton->width(), 0)));
        break;
    }
    case Control::Exit:
        leave();
        break;
    }
    return true;
}

void ConferenceWindow::runMenuItem(int item)
{
    if (refusedWhileBusy())
        return;
    switch (item) {
    case MeetingPreparation:
        if (m_hooks.runMeetingPreparation) {
            m_hooks.runMeetingPreparation(this, m_context.meeting.MeeName);
            reloadPages();
        }
        break;
    case Banner:
        showBanner();
        break;
    case Manual:
        if (m_hooks.openHelp)
            m_hooks.openHelp();
        break;
    case ScreenSetup:
        if (m_hooks.openScreenSetup)
            m_hooks.openScreenSetup(this);
        break;
    default:
        break;
    }
}

// The delegates, the due number and the motions may have been edited in the meeting preparation.
void ConferenceWindow::reloadPages()
{
    if (!m_signIn)
        return;
    m_context.systemDatabase.readMeeting(m_context.meeting.MeeName, m_context.meeting);
    m_signIn->open();
    m_voting->open();
    m_voting->selectMotion(-1);
}

void ConferenceWindow::showBanner()
{
    HallScreen &hall = m_context.hall;
    // The banner may have been saved since the meeting was chosen.
    MeetingRecord current = m_context.meeting;
    m_context.systemDatabase.readMeeting(m_context.meeting.MeeName, current);
    if (current.bannerPath.isEmpty()) {
        hall.show(HallScreen::Pane::Text);
        hall.clearText();
        return;
    }
    const QString path = m_context.root.filePath(QStringLiteral("MeeFile/Meebanner/") + current.bannerPath);
    // A banner that cannot be read leaves the hall as it was, in front of the delegates, and the operator
    // learns which file is missing rather than seeing the hall go blank.
    switch (hall.showDocument(path)) {
    case DocumentReader::Start::Reading:
        hall.show(HallScreen::Pane::Text);
        break;
    case DocumentReader::Start::Missing:
        m_context.notifier.error(
            OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgDocClew")),
            OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgBannerMissing"),
                                    {QDir::toNativeSeparators(path)}));
        break;
    case DocumentReader::Start::TooLarge:
        DocumentReader::reportTooLarge(m_context.notifier, path);
        break;
    }
}

void ConferenceWindow::editCandidates()
{
    if (!m_hooks.editCandidates || !m_voting)
        return;
    const MotionRecord &motion = m_voting->motion();
    const bool voted =
        motion.VoteState == m_context.catalogue.text(QStringLiteral("FrmMeeVote"), QStringLiteral("DateYes"));
    const QString list = m_hooks.editCandidates(this, motion.candidate, m_voting->type(), voted);
    m_voting->setCandidates(list);
}

void ConferenceWindow::openVoteMonitor()
{
    if (m_monitor || !m_voting)
        return;
    const SignInController *signIn = m_signIn;
    const VotingController *voting = m_voting;
    auto *monitor = new VoteMonitorWindow(
        m_context.link, m_context.catalogue, [voting] { return voting->type(); },
        [signIn](int keypad) { return signIn->nameOf(keypad); }, this);
    monitor->setAttribute(Qt::WA_DeleteOnClose);
    monitor->move(WindowPlacement::centred(screenOf(this).size()).position);
    m_monitor = monitor;
    monitor->show();
}

VoteMonitorWindow *ConferenceWindow::voteMonitor() const
{
    return m_monitor;
}

StoredResult ConferenceWindow::selectedResult() const
{
    StoredResult result;
    if (!m_voting)
        return result;
    const MotionRecord &motion = m_voting->motion();
    result.meetingName = m_context.meeting.MeeName;
    result.motionName = motion.OveName;
    result.type = m_voting->type();
    result.candidate = motion.candidate;
    result.result = motion.result;
    result.pollTime = motion.PollTimel;
    result.percentageFlag = textNumber(motion.ViewPer);
    result.showVerdict = textNumber(motion.ViewPass) == 1;
    result.screenSize = m_context.hall.geometry().size();
    result.interrupted = motion.VoteState ==
                         m_context.catalogue.text(QStringLiteral("FrmMeeVote"), QStringLiteral("DateBreak"));
    if (!result.interrupted)
        result.explanation = m_voting->explainedVerdict();
    return result;
}

void ConferenceWindow::leave()
{
    if (!m_context.notifier.question(conferenceText("MsgClew"), conferenceText("MsgClewExit")))
        return;
    if (m_speechPage && m_hooks.runSpeechPage && !m_speechPage->isHidden())
        m_hooks.runSpeechPage(m_speechPage, false);
    if (m_monitor)
        m_monitor->close();
    QDialog::accept();
}

// Escape and the window's close box go the way of the exit button.
void ConferenceWindow::reject()
{
    press(Control::Exit);
}
