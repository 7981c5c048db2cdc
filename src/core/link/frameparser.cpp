#include "core/link/frameparser.h"

#include "core/link/commandsequencer.h"
#include "core/link/keypadtable.h"
#include "core/link/linkframe.h"

namespace {
constexpr int PresentBit = 0x80; // clear when the keypad is excluded
constexpr int SignedInBit = 0x40;
constexpr int RequestBit = 0x20;
constexpr int KeyBits = 0x1F;
} // namespace

FrameParser::FrameParser(KeypadTable &table, CommandSequencer &sequencer)
    : m_table(table), m_sequencer(sequencer)
{
}

void FrameParser::apply(const LinkFrame &frame)
{
    if (!frame.isValid())
        return;
    if (frame.kind() == LinkFrame::KeypadKind)
        applyKeypadFrame(frame);
    else if (frame.kind() == LinkFrame::RequestStatusKind)
        applyRequestStatus(frame);
}

void FrameParser::applyKeypadFrame(const LinkFrame &frame)
{
    const LinkMode mode = m_sequencer.mode();
    if (mode == LinkMode::BaseStationSearch) {
        // The base station answers the probe with a keypad frame for keypad 1.
        if (frame.keypad() == 1)
            m_sequencer.markBaseAnswered();
        return;
    }
    KeypadEntry *entry = m_table.entry(frame.keypad());
    if (!entry)
        return;
    const int status = frame.data();
    switch (mode) {
    case LinkMode::StartupRollCall:
    case LinkMode::MonitorRollCall:
    case LinkMode::SingleKeypadQuery:
        entry->excluded = (status & PresentBit) ? 0 : 1;
        entry->request = (status & RequestBit) ? 1 : 0;
        entry->answered = 1;
        break;
    case LinkMode::SignInFinalPass:
    case LinkMode::SignInPolling:
        entry->signedIn = (status & SignedInBit) ? 1 : 0;
        entry->request = (status & RequestBit) ? 1 : 0;
        break;
    case LinkMode::VotePolling:
    case LinkMode::VoteFinalPass:
        entry->keyCode = status & KeyBits;
        entry->request = (status & RequestBit) ? 1 : 0;
        break;
    default:
        break;
    }
}

void FrameParser::applyRequestStatus(const LinkFrame &frame)
{
    KeypadEntry *entry = m_table.entry(frame.keypad());
    if (!entry)
        return;
    // A delegate who waits for a free microphone is not speaking: the request flag means an open
    // microphone (the hall names the newest one as speaker), the waiting flag a place in the queue.
    switch (frame.data()) {
    case 0x00:
    case 0x04:
    case 0x30:
        entry->request = 0;
        entry->waiting = 0;
        break;
    case 0x01:
        entry->request = 1;
        entry->waiting = 0;
        break;
    case 0x02:
        entry->request = 0;
        entry->waiting = 1;
        break;
    case 0x08: {
        // The floor was given to this keypad: every other unreserved request is withdrawn.
        const LinkSettings &s = m_sequencer.settings();
        m_table.clearRequests(s.reservedCount + 1, s.keypadCount);
        entry->request = 1;
        entry->waiting = 0;
        break;
    }
    default:
        break;
    }
}
