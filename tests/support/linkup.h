#pragma once

#include "fakelinkport.h"

#include "core/link/link.h"

inline QByteArray keypadFrameBytes(quint8 status, quint8 keypad)
{
    const LinkFrame f = LinkFrame::withChecksum(LinkFrame::KeypadKind, status, keypad);
    return QByteArray(reinterpret_cast<const char *>(f.bytes.data()), 4);
}

// Lets a running search (at start-up, or for a lost base station) reach the lowest port and has the base
// station answer there, ticking until the link has it.
inline void answerTheSearch(Link &link, FakeLinkPort &port)
{
    port.opened.clear();
    for (int i = 0; i < 6 && port.opened.isEmpty(); ++i)
        link.sequencer().onTickTimer();
    port.deliver(keypadFrameBytes(0x80, 1), 0);
    for (int i = 0; i < 6 && !link.hasBaseStation(); ++i)
        link.sequencer().onTickTimer();
}

// The start-up on a fake line: the search up to the base station's answer and the start-up roll call
// (which nobody answers). What it sent is forgotten.
inline void bringUp(Link &link, FakeLinkPort &port)
{
    link.post(LinkMode::BaseStationSearch);
    answerTheSearch(link, port);
    link.stop(); // the link's own one-shot timers: the test drives them
    CommandSequencer &sequencer = link.sequencer();
    sequencer.onOneShot(OneShotTimer::StartupRollCall);
    while (!sequencer.take(LinkEvent::LinkReady))
        sequencer.tick();
    sequencer.onOneShot(OneShotTimer::PhaseEndCommand);
    sequencer.tick();
    port.sent.clear();
    port.opened.clear();
}
