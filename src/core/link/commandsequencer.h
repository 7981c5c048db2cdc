#pragma once

#include "core/link/linkmode.h"
#include "core/link/linksettings.h"

#include <QObject>

#include <bitset>
#include <deque>

// Flags the sequencer raises for the windows; each window clears the flag it consumed.
enum class LinkEvent
{
    LinkReady,      // the start-up roll call finished (or the operator went on without a base station)
    NoBaseStation,  // the search tried every port without an answer
    RollCallDone,   // a monitor roll call finished
    SignInPassDone, // the final sign-in poll pass finished
    VotePassDone,   // the final vote poll pass finished
};

// The one-shot 500 ms timers of the link, named after what they start when they fire.
enum class OneShotTimer
{
    SignInFinalPass, // the final sign-in pass begins
    VoteFinalPass,   // the final vote pass begins
    StartupRollCall, // the start-up roll call begins after the base station answered
    PhaseEndCommand, // the closing command after the start-up roll call
    SearchAgain,     // a lost base station: the next sweep over the ports
};

// Decides which frame goes to the base station next: searches the ports, runs the poll passes and sends
// the single commands the windows post, at most one frame per tick. It owns the link control values and
// the event flags. Time comes from outside: the owner calls onTickTimer() every tick period and
// onOneShot() when a requested one-shot timer fires, so tests drive it tick by tick.
//
// A base station that went away (its device vanished, or a whole poll pass brought no answer at all) is
// searched for again over the port range, sweep after sweep, until it answers. Meanwhile the polls are
// suspended and what windows post is held; when it answers, a running sign-in or ballot goes on polling
// where it was (a final pass starts over, its closing command sent again, since it must be complete),
// a held post is acted on, and with nothing running a roll call follows as at start-up. A final pass that
// brought no answer never raises its done flag.
class CommandSequencer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandSequencer)

public:
    static constexpr int OneShotMs = 500;
    static constexpr int TickMs = 30;

    explicit CommandSequencer(QObject *parent = nullptr);

    void applySettings(const LinkSettings &settings) { m_settings = settings; }
    const LinkSettings &settings() const { return m_settings; }

    // Posts are acted on in the order given, one a tick. Camera and speech commands wait their turn and
    // are never replaced, so no command the operator gave is lost (a camera stopped right after it was
    // moved, a lock right after a close); among the other modes a later post before the next tick still
    // replaces the earlier one.
    void post(LinkMode mode);
    void post(LinkMode mode, quint32 command);
    // Posts not yet acted on.
    int queuedPosts() const { return int(m_posts.size()); }

    // The tick timer: counts ticks for the search step (one step every third tick), then runs a tick.
    void onTickTimer();
    void tick();
    void onOneShot(OneShotTimer timer);

    // A frame came from the line; a poll pass that ends without one means the line is dead.
    void noteAnswer();
    // The base station went away: suspend the polls, hold the posts, search the ports again.
    void markLost();
    bool isLost() const { return m_lost; }
    // The base station answered once and has not been lost since.
    bool hasBaseStation() const { return m_found && !m_lost; }

    LinkMode mode() const { return m_mode; }
    int currentPort() const { return m_currentPort; }
    bool isSearching() const { return m_search; }
    // Set by the frame parser when the base station answers the probe.
    void markBaseAnswered() { m_baseAnswered = true; }

    void raise(LinkEvent event) { m_events.set(size_t(event)); }
    bool isRaised(LinkEvent event) const { return m_events.test(size_t(event)); }
    // Returns whether the flag was raised, and clears it.
    bool take(LinkEvent event);

    void requestHideMainWindow() { m_hideMainWindow = true; }
    void requestShowMainWindow() { m_showMainWindow = true; }

    // Poll progress, for the windows that show it.
    int rollCallCounter() const { return m_rollCall.counter; }
    bool isRollCallRunning() const { return m_rollCall.running; }
    bool isSignInPollRunning() const { return m_signIn.running; }
    bool isVotePollRunning() const { return m_vote.running; }
    // How far the final pass of a sign-in or a ballot has come, 0..100; 0 before it begins.
    int signInFinalPassProgress() const { return finalPassProgress(m_signIn); }
    int voteFinalPassProgress() const { return finalPassProgress(m_vote); }
    // A sign-in or ballot given up while the base station was lost: its poll must not come back with it.
    void abandonSignInPoll() { m_signIn = {}; }
    void abandonVotePoll() { m_vote = {}; }

signals:
    void openPortRequested(int portNumber);
    void sendRequested(quint32 command);
    void oneShotRequested(OneShotTimer timer);
    void startupSearchFinished();
    void linkLost();
    void linkRestored();
    void hideMainWindowRequested();
    void showMainWindowRequested();

private:
    struct Poll
    {
        bool running = false;
        int counter = 0;
        bool finalPass = false;
        int answers = 0;    // frames received during the current pass
        bool armed = false; // a final pass waits for its one-shot timer
        bool finalPassUnfinished() const { return finalPass && (running || armed); }
    };
    struct Post
    {
        LinkMode mode = LinkMode::Idle;
        quint32 command = 0;
    };
    // What was going on when the base station went away.
    struct Held
    {
        LinkMode mode = LinkMode::Idle;
        quint32 command = 0;
    };

    void actOnModeRequest();
    void beginSearch();
    void restore();
    void searchStep();
    void rollCallStep();
    void pollStep(Poll &poll, LinkEvent passDone);
    int finalPassProgress(const Poll &poll) const;
    void setPending(quint32 command);

    LinkSettings m_settings;
    LinkMode m_mode = LinkMode::BaseStationSearch;
    std::deque<Post> m_posts; // posted, not yet acted on; kept while the base station is lost
    quint32 m_postedCommand = 0;

    bool m_search = false;
    bool m_baseAnswered = false;
    bool m_searchStep = false;
    int m_tickCounter = 0;
    int m_currentPort = 0;

    bool m_lost = false;
    bool m_found = false;
    bool m_startupDone = false;       // the start-up roll call has ended: later losses are reconnections
    bool m_reconnectRollCall = false; // the roll call after a reconnection: no start-up flags
    Held m_held;

    bool m_pendingSend = false;
    quint32 m_pendingCommand = 0;

    Poll m_rollCall;
    Poll m_signIn;
    Poll m_vote;

    std::bitset<5> m_events;
    bool m_hideMainWindow = false;
    bool m_showMainWindow = false;
};
