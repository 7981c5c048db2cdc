#include "core/link/frameassembler.h"

#include <algorithm>

FrameAssembler::KindSet FrameAssembler::consoleKinds()
{
    KindSet kinds;
    kinds.set(LinkFrame::KeypadKind);
    kinds.set(LinkFrame::RequestStatusKind);
    return kinds;
}

FrameAssembler::FrameAssembler(KindSet acceptedKinds) : m_kinds(acceptedKinds) {}

QList<LinkFrame> FrameAssembler::feed(QByteArrayView bytes, qint64 nowMs)
{
    QList<LinkFrame> frames;
    if (bytes.isEmpty())
        return frames;
    qsizetype start = 0;
    if (m_length > 0 && nowMs - m_lastByteMs > SilenceMs) {
        // The gap is measured when the bytes are read, not when they arrived: the rest of a frame may
        // have waited in the port while the interface thread was busy. So the old bytes are kept only if
        // the new ones complete a valid frame with them; otherwise the gap was a boundary.
        const qsizetype need = 4 - m_length;
        std::array<quint8, 4> joined = m_pending;
        for (qsizetype i = 0; i < need && i < bytes.size(); ++i)
            joined[size_t(m_length + i)] = quint8(bytes[i]);
        if (bytes.size() >= need && LinkFrame{joined}.isValid()) {
            frames.append(LinkFrame{joined});
            start = need;
        } else {
            m_skipped += quint64(m_length);
        }
        m_length = 0;
    }
    m_lastByteMs = nowMs;

    for (const char c : bytes.sliced(start)) {
        if (m_length == 0 && !m_kinds.test(quint8(c))) {
            ++m_skipped;
            continue;
        }
        m_pending[size_t(m_length++)] = quint8(c);
        if (m_length < 4)
            continue;
        const LinkFrame candidate{m_pending};
        if (candidate.isValid()) {
            frames.append(candidate);
            m_length = 0;
            continue;
        }
        // Not a frame at this offset: drop the first byte and look for the next known kind among the rest.
        ++m_skipped;
        std::rotate(m_pending.begin(), m_pending.begin() + 1, m_pending.end());
        m_length = 3;
        while (m_length > 0 && !m_kinds.test(m_pending[0])) {
            std::rotate(m_pending.begin(), m_pending.begin() + 1, m_pending.begin() + m_length);
            --m_length;
            ++m_skipped;
        }
    }
    return frames;
}

void FrameAssembler::reset()
{
    m_length = 0;
}
