#pragma once

#include "core/conduct/conferencecontext.h"
#include "gui/conduct/conferencehooks.h"
#include "gui/ui/windowtexts.h"

#include <QDialog>
#include <QPointer>

class HubButton;
class QMenu;
class SignInController;
class SignInWindow;
class VoteMonitorWindow;
class VotingController;
class VotingWindow;
struct StoredResult;

// The conference console (FrmConmee): after the meeting selection it holds one meeting, with the sign-in,
// voting, discussion and document pages in one child area and the buttons that switch between them on
// the left. It refuses to switch away, or to close, while a sign-in or a ballot runs.
class ConferenceWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConferenceWindow)

public:
    enum class Control
    {
        SignIn = 1074,
        Discussion = 1075,
        Voting = 1076,
        Document = 1077,
        Menu = 1078,
        Exit = 1080,
        InsertDisplay = 1276,
    };
    enum class Page
    {
        None,
        Speech,
        SignIn,
        Voting,
        Document
    };
    // "1"/"3" voting only, "0"/"2" voting and discussion; the text is read as a number, so text that is
    // no number counts as 0. Any other number selects neither layout.
    enum class Layout
    {
        VotingOnly,
        Discussion,
        Neither
    };
    static Layout layoutOf(const QString &systemType);

    static constexpr QPoint ChildOrigin{196, 22};

    // The context outlives the window: the console makes it when the operator opens the conference.
    ConferenceWindow(ConferenceContext &context, ConferenceHooks hooks = {}, QWidget *parent = nullptr);
    ~ConferenceWindow() override;

    // The meeting selection, then the conference until the operator leaves it. Cancelling the selection
    // ends it at once, before any page is made.
    void run();
    // Makes the pages for the chosen meeting and lays the buttons out by the system type.
    void openMeeting(const MeetingRecord &meeting);

    // What a click on the control does; false when it was refused because a sign-in or ballot runs.
    bool press(Control control);
    // The menu's items: 1401 meeting preparation, 1402 banner on the hall screen, 1403 manual, 1404 the hall
    // screen's size and colour.
    void runMenuItem(int item);

    Page currentPage() const;
    HubButton *button(Control control) const;
    const MeetingRecord &meeting() const { return m_context.meeting; }
    ConferenceState &conferenceState() { return m_context.state; }
    SignInController *signInController() const { return m_signIn; }
    VotingController *votingController() const { return m_voting; }
    SignInWindow *signInWindow() const { return m_signInWindow; }
    VotingWindow *votingWindow() const { return m_votingWindow; }
    VoteMonitorWindow *voteMonitor() const;
    // The result the query-result command hands to the result window.
    StoredResult selectedResult() const;

protected:
    void reject() override;

private:
    void buildButtons();
    void applyLayout(Layout layout);
    bool refusedWhileBusy();
    void showPage(Page page);
    void setControlEnabled(Control control, bool enabled);
    void stopSpeechPage();
    void leave();
    void showBanner();
    void reloadPages();
    void editCandidates();
    void openVoteMonitor();

    ConferenceContext &m_context;
    ConferenceHooks m_hooks;
    WindowTexts m_texts;
    QList<QPair<Control, HubButton *>> m_buttons;
    QMenu *m_menu;
    SignInController *m_signIn = nullptr;
    VotingController *m_voting = nullptr;
    SignInWindow *m_signInWindow = nullptr;
    VotingWindow *m_votingWindow = nullptr;
    QWidget *m_speechPage = nullptr;
    QWidget *m_documentPage = nullptr;
    QPointer<VoteMonitorWindow> m_monitor;
};
