#include "core/link/commandsequencer.h"

#include <algorithm>

namespace {
// The single commands the operator gives from the floor pages and the camera windows.
bool isOperatorCommand(LinkMode mode)
{
    return mode == LinkMode::CameraCommand || mode == LinkMode::SpeechCommand;
}
} // namespace

CommandSequencer::CommandSequencer(QObject *parent) : QObject(parent) {}

void CommandSequencer::post(LinkMode mode)
{
    post(mode, m_posts.empty() ? (m_lost ? m_held.command : m_postedCommand) : m_posts.back().command);
}

void CommandSequencer::post(LinkMode mode, quint32 command)
{
    // The search owns the line while the base station is lost; the posts wait for it in their order.
    if (m_lost && mode == LinkMode::BaseStationSearch) {
        beginSearch();
        return;
    }
    // Among the mode changes of the conduct windows a later post still replaces one not yet acted on, as
    // their steps expect. A camera or speech command is one the operator gave: it is never replaced and
    // never replaces, so two of them within one tick both go out, in their order.
    if (!m_posts.empty() && !isOperatorCommand(m_posts.back().mode) && !isOperatorCommand(mode))
        m_posts.pop_back();
    // A post alone in the queue sets the mode at once, as posts always have: frames that arrive before
    // the next tick are read in the new mode.
    if (m_posts.empty() && !m_lost)
        m_mode = mode;
    m_posts.push_back({mode, command & 0xFFFFFF});
}

bool CommandSequencer::take(LinkEvent event)
{
    const bool raised = isRaised(event);
    m_events.reset(size_t(event));
    return raised;
}

void CommandSequencer::onTickTimer()
{
    if (++m_tickCounter >= 3) {
        m_tickCounter = 0;
        m_searchStep = true;
    }
    tick();
}

void CommandSequencer::tick()
{
    // A command already waiting (left by a one-shot timer) goes first; the post waits a tick.
    if (!m_posts.empty() && !m_lost && !m_pendingSend) {
        const Post next = m_posts.front();
        m_posts.pop_front();
        m_mode = next.mode;
        m_postedCommand = next.command;
        actOnModeRequest();
    }
    if (m_searchStep) {
        m_searchStep = false;
        if (m_search)
            searchStep();
    }
    // A command waiting to go out (posted by a window or left by a one-shot timer) has this tick to
    // itself: a running poll would otherwise overwrite it and the command would never be sent. The poll
    // goes on at the next tick without skipping a keypad.
    if (!m_pendingSend && !m_lost) {
        rollCallStep();
        pollStep(m_signIn, LinkEvent::SignInPassDone);
        pollStep(m_vote, LinkEvent::VotePassDone);
    }

    if (m_pendingSend) {
        m_pendingSend = false;
        emit sendRequested(m_pendingCommand);
    }
    if (m_hideMainWindow) {
        m_hideMainWindow = false;
        emit hideMainWindowRequested();
    }
    if (m_showMainWindow) {
        m_showMainWindow = false;
        emit showMainWindowRequested();
    }
}

void CommandSequencer::actOnModeRequest()
{
    switch (m_mode) {
    case LinkMode::BaseStationSearch:
        beginSearch();
        break;
    case LinkMode::MonitorRollCall:
        m_rollCall = {true, 0, false, 0, false};
        break;
    case LinkMode::CameraCommand:
    case LinkMode::SpeechCommand:
    case LinkMode::VoteClosingCommand:
        setPending(m_postedCommand);
        break;
    case LinkMode::PlainCommand:
    case LinkMode::SingleKeypadQuery:
        // A sign-in poll that is already cycling keeps cycling.
        m_signIn.finalPass = false;
        setPending(m_postedCommand);
        break;
    case LinkMode::SignInFinalPass:
        m_signIn = {false, 0, true, 0, true};
        setPending(m_postedCommand);
        emit oneShotRequested(OneShotTimer::SignInFinalPass);
        break;
    case LinkMode::SignInPolling:
        m_signIn.running = true;
        m_signIn.counter = 0;
        m_signIn.answers = 0;
        break;
    case LinkMode::VoteCommand:
        m_vote.finalPass = false;
        setPending(m_postedCommand);
        break;
    case LinkMode::VotePolling:
        m_vote.running = true;
        m_vote.counter = 0;
        m_vote.answers = 0;
        break;
    case LinkMode::VoteFinalPass:
        m_vote = {false, 0, true, 0, true};
        setPending(m_postedCommand);
        emit oneShotRequested(OneShotTimer::VoteFinalPass);
        break;
    case LinkMode::StartupRollCall: // begun by its one-shot timer, not by a post
    case LinkMode::Idle:
        break;
    }
}

// An answer flag left from before (a late probe answer, a keypad-1 frame after a reconnection) would
// otherwise "find" the base station at the first step, on no port at all.
void CommandSequencer::beginSearch()
{
    m_search = true;
    m_baseAnswered = false;
    m_currentPort = m_settings.lowestPort < 1 ? 0 : m_settings.lowestPort - 1;
    m_mode = LinkMode::BaseStationSearch;
}

void CommandSequencer::searchStep()
{
    if (m_baseAnswered) {
        m_baseAnswered = false;
        m_search = false;
        if (m_lost && m_startupDone) {
            restore();
            return;
        }
        // Found for the first time, or lost again before the start-up roll call was over: the start-up
        // goes on from here.
        const bool wasLost = m_lost;
        m_lost = false;
        m_found = true;
        m_reconnectRollCall = false;
        setPending(Command::PhaseStart);
        m_mode = LinkMode::Idle;
        emit oneShotRequested(OneShotTimer::StartupRollCall);
        if (wasLost)
            emit linkRestored();
    } else if (m_currentPort < m_settings.highestPort) {
        ++m_currentPort;
        emit openPortRequested(m_currentPort);
        setPending(Command::Probe);
    } else {
        m_search = false;
        if (m_lost)
            emit oneShotRequested(OneShotTimer::SearchAgain);
        else
            raise(LinkEvent::NoBaseStation);
    }
}

void CommandSequencer::noteAnswer()
{
    if (m_lost)
        return;
    for (Poll *poll : {&m_rollCall, &m_signIn, &m_vote})
        if (poll->running)
            ++poll->answers;
}

void CommandSequencer::markLost()
{
    // Before the base station was ever found, the start-up search (or the operator's choice to go on
    // without it) is in charge.
    if (m_lost || !m_found)
        return;
    m_lost = true;
    // Posts not yet acted on are kept; so is the mode that was running, so it can go on.
    m_held = {m_mode, m_postedCommand};
    m_pendingSend = false;
    m_search = false;
    beginSearch();
    emit linkLost();
}

void CommandSequencer::restore()
{
    m_lost = false;
    m_found = true;
    m_mode = m_held.mode;
    m_postedCommand = m_held.command;
    // A final pass must be complete: it starts over with its closing command, which may have gone into
    // the dead line.
    const bool redoFinalPass = (m_held.mode == LinkMode::VoteFinalPass && m_vote.finalPassUnfinished()) ||
                               (m_held.mode == LinkMode::SignInFinalPass && m_signIn.finalPassUnfinished());
    const bool polling = m_rollCall.running || m_signIn.running || m_vote.running;
    for (Poll *poll : {&m_rollCall, &m_signIn, &m_vote}) {
        poll->counter = 0;
        poll->answers = 0;
    }
    if (redoFinalPass) {
        m_posts.push_front({m_held.mode, m_held.command});
    } else if (!m_posts.empty()) {
        // The posts made before and during the loss are acted on, in their order.
    } else if (!polling && !m_signIn.armed && !m_vote.armed) {
        // Nothing was running: a roll call as at start-up, without what the start-up does at its end.
        m_reconnectRollCall = true;
        setPending(Command::PhaseStart);
        m_mode = LinkMode::Idle;
        emit oneShotRequested(OneShotTimer::StartupRollCall);
    }
    emit linkRestored();
}

void CommandSequencer::rollCallStep()
{
    if (!m_rollCall.running)
        return;
    if (m_rollCall.counter < m_settings.keypadCount) {
        ++m_rollCall.counter;
        setPending(Command::Poll | (quint32(m_rollCall.counter) & 0xFF));
        return;
    }
    m_rollCall.running = false;
    if (m_mode == LinkMode::StartupRollCall && m_reconnectRollCall) {
        m_reconnectRollCall = false;
        emit oneShotRequested(OneShotTimer::PhaseEndCommand);
    } else if (m_mode == LinkMode::StartupRollCall) {
        m_startupDone = true;
        emit startupSearchFinished();
        raise(LinkEvent::LinkReady);
        m_showMainWindow = true;
        emit oneShotRequested(OneShotTimer::PhaseEndCommand);
    } else if (m_mode == LinkMode::MonitorRollCall) {
        raise(LinkEvent::RollCallDone);
    }
}

// One keypad per tick, 1 .. keypad count, over and over until a final pass is asked for; the final pass
// ends with its done flag and stops. A whole pass without a single answer means the line is dead, not that
// every delegate left: the base station is searched for again, and a final pass is not done.
void CommandSequencer::pollStep(Poll &poll, LinkEvent passDone)
{
    if (!poll.running)
        return;
    if (poll.counter < m_settings.keypadCount) {
        ++poll.counter;
        setPending(Command::Poll | (quint32(poll.counter) & 0xFF));
        return;
    }
    const bool silent = poll.answers == 0 && m_settings.keypadCount > 0;
    poll.counter = 0;
    poll.answers = 0;
    if (silent) {
        markLost(); // without a base station ever found, the pass simply starts over
        return;
    }
    if (poll.finalPass) {
        raise(passDone);
        poll.running = false;
    }
}

void CommandSequencer::onOneShot(OneShotTimer timer)
{
    switch (timer) {
    case OneShotTimer::SignInFinalPass:
        m_signIn = {true, 0, m_signIn.finalPass, 0, false};
        break;
    case OneShotTimer::VoteFinalPass:
        m_vote = {true, 0, m_vote.finalPass, 0, false};
        break;
    case OneShotTimer::StartupRollCall:
        if (m_lost)
            break;
        m_mode = LinkMode::StartupRollCall;
        m_rollCall = {true, 0, false, 0, false};
        break;
    case OneShotTimer::PhaseEndCommand:
        if (m_lost)
            break;
        setPending(Command::PhaseEnd);
        m_mode = LinkMode::Idle;
        break;
    case OneShotTimer::SearchAgain:
        if (m_lost && !m_search)
            beginSearch();
        break;
    }
}

int CommandSequencer::finalPassProgress(const Poll &poll) const
{
    if (!poll.finalPass || !poll.running || m_settings.keypadCount <= 0)
        return 0;
    return std::min(100, poll.counter * 100 / m_settings.keypadCount);
}

void CommandSequencer::setPending(quint32 command)
{
    m_pendingCommand = command;
    m_pendingSend = true;
}
