#include "core/link/commandsequencer.h"

CommandSequencer::CommandSequencer(QObject *parent) : QObject(parent) {}

void CommandSequencer::post(LinkMode mode)
{
    m_mode = mode;
    m_modeRequest = true;
}

void CommandSequencer::post(LinkMode mode, quint32 command)
{
    m_postedCommand = command & 0xFFFFFF;
    post(mode);
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
    if (m_modeRequest) {
        m_modeRequest = false;
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
    if (!m_pendingSend) {
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
        m_search = true;
        m_currentPort = m_settings.lowestPort < 1 ? 0 : m_settings.lowestPort - 1;
        break;
    case LinkMode::MonitorRollCall:
        m_rollCall = {true, 0, false};
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
        m_signIn = {false, 0, true};
        setPending(m_postedCommand);
        emit oneShotRequested(OneShotTimer::SignInFinalPass);
        break;
    case LinkMode::SignInPolling:
        m_signIn.running = true;
        m_signIn.counter = 0;
        break;
    case LinkMode::VoteCommand:
        m_vote.finalPass = false;
        setPending(m_postedCommand);
        break;
    case LinkMode::VotePolling:
        m_vote.running = true;
        m_vote.counter = 0;
        break;
    case LinkMode::VoteFinalPass:
        m_vote = {false, 0, true};
        setPending(m_postedCommand);
        emit oneShotRequested(OneShotTimer::VoteFinalPass);
        break;
    case LinkMode::StartupRollCall: // begun by its one-shot timer, not by a post
    case LinkMode::Idle:
        break;
    }
}

void CommandSequencer::searchStep()
{
    if (m_baseAnswered) {
        m_baseAnswered = false;
        m_search = false;
        setPending(Command::PhaseStart);
        m_mode = LinkMode::Idle;
        emit oneShotRequested(OneShotTimer::StartupRollCall);
    } else if (m_currentPort < m_settings.highestPort) {
        ++m_currentPort;
        emit openPortRequested(m_currentPort);
        setPending(Command::Probe);
    } else {
        m_search = false;
        raise(LinkEvent::NoBaseStation);
    }
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
    if (m_mode == LinkMode::StartupRollCall) {
        emit startupSearchFinished();
        raise(LinkEvent::LinkReady);
        m_showMainWindow = true;
        emit oneShotRequested(OneShotTimer::PhaseEndCommand);
    } else if (m_mode == LinkMode::MonitorRollCall) {
        raise(LinkEvent::RollCallDone);
    }
}

// One keypad per tick, 1 .. keypad count, over and over until a final pass is asked for; the final pass
// ends with its done flag and stops.
void CommandSequencer::pollStep(Poll &poll, LinkEvent passDone)
{
    if (!poll.running)
        return;
    if (poll.counter < m_settings.keypadCount) {
        ++poll.counter;
        setPending(Command::Poll | (quint32(poll.counter) & 0xFF));
        return;
    }
    if (poll.finalPass) {
        raise(passDone);
        poll.running = false;
    }
    poll.counter = 0;
}

void CommandSequencer::onOneShot(OneShotTimer timer)
{
    switch (timer) {
    case OneShotTimer::SignInFinalPass:
        m_signIn.running = true;
        m_signIn.counter = 0;
        break;
    case OneShotTimer::VoteFinalPass:
        m_vote.running = true;
        m_vote.counter = 0;
        break;
    case OneShotTimer::StartupRollCall:
        m_mode = LinkMode::StartupRollCall;
        m_rollCall = {true, 0, false};
        break;
    case OneShotTimer::PhaseEndCommand:
        setPending(Command::PhaseEnd);
        m_mode = LinkMode::Idle;
        break;
    }
}

void CommandSequencer::setPending(quint32 command)
{
    m_pendingCommand = command;
    m_pendingSend = true;
}
