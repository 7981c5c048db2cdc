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
    if (m_length > 0 && nowMs - m_lastByteMs > SilenceMs) {
        m_skipped += quint64(m_length);
        m_length = 0;
    }
    m_lastByteMs = nowMs;

    for (const char c : bytes) {
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
