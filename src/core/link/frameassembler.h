#pragma once

#include "core/link/linkframe.h"

#include <QByteArrayView>
#include <QList>

#include <bitset>

// Turns the bytes of successive serial reads into frames. A read may end in the middle of a frame (on
// Linux a read often returns a single byte), so the bytes of an unfinished frame are kept and completed by
// the next read. Frames have no marker, so the boundary is found again in two ways after a lost or stray
// byte: silence longer than the frame gap ends a partial frame, and a four-byte window counts as a frame
// only when its checksum holds and its first byte is a kind the reader knows; otherwise the window slides
// by one byte. Silence is judged when bytes are read, so old bytes that the next read completes into a
// valid frame are kept: the interface thread may have been busy while the rest waited. The kind matters: in a
// run of keypad frames every rotation of the four-byte grid sums to 0xFF as well, so the checksum alone
// cannot tell a misaligned window.
class FrameAssembler
{
public:
    // A partial frame older than this is dropped. The base station answers at most one poll per 30 ms
    // tick, and four bytes at 9600 baud take about 4 ms, so a gap this long can only be a boundary.
    static constexpr qint64 SilenceMs = 20;

    using KindSet = std::bitset<256>;
    // The kinds the console receives: keypad frames and request status frames.
    static KindSet consoleKinds();

    explicit FrameAssembler(KindSet acceptedKinds = consoleKinds());

    // Feeds the bytes of one read, received at `nowMs` on a monotonic clock; returns the frames completed.
    QList<LinkFrame> feed(QByteArrayView bytes, qint64 nowMs);
    void reset();

    int pendingBytes() const { return m_length; }
    // Bytes skipped while looking for a frame boundary, for diagnostics.
    quint64 skippedBytes() const { return m_skipped; }

private:
    KindSet m_kinds;
    std::array<quint8, 4> m_pending{};
    int m_length = 0;
    qint64 m_lastByteMs = 0;
    quint64 m_skipped = 0;
};
