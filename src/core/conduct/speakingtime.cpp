#include "core/conduct/speakingtime.h"

#include "core/base/inputfilter.h"
#include "core/store/textnumber.h"

#include <algorithm>

namespace {
// Two digits at most, as the fields hold.
QString field(const QString &text)
{
    return InputFilter::digitsOnly(text).left(2);
}

int bounded(const QString &text)
{
    return std::clamp(textNumber(text), 0, SpeakingTime::FieldLimit);
}
} // namespace

QString SpeakingTime::clockText(int seconds)
{
    seconds = std::max(0, seconds);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void SpeakingTime::setMinutesText(const QString &text)
{
    m_minutes = field(text);
}

void SpeakingTime::setSecondsText(const QString &text)
{
    m_seconds = field(text);
}

void SpeakingTime::setCallAheadText(const QString &text)
{
    m_callAhead = field(text);
}

void SpeakingTime::accept()
{
    const int minutes = bounded(m_minutes);
    const int seconds = bounded(m_seconds);
    const int callAhead = bounded(m_callAhead);
    m_minutes = QString::number(minutes);
    m_seconds = QString::number(seconds);
    m_callAhead = QString::number(callAhead);
    m_allowance = minutes * 60 + seconds;
    m_callAheadSeconds = callAhead;
}

void SpeakingTime::followSpeakers(const QList<Speaker> &open)
{
    QList<Speaker> next;
    for (const Speaker &speaker : open) {
        const auto known = std::find_if(m_speaking.cbegin(), m_speaking.cend(),
                                        [&](const Speaker &s) { return s.keypad == speaker.keypad; });
        if (known != m_speaking.cend())
            next.append(*known);
        else if (!m_expired.contains(speaker.keypad))
            next.append({speaker.keypad, speaker.name, m_allowance});
    }
    m_speaking = next;
    // A speaker whose microphone closed may speak again later with a full allowance.
    m_expired.removeIf([&](int keypad) {
        return std::none_of(open.cbegin(), open.cend(), [&](const Speaker &s) { return s.keypad == keypad; });
    });
}

QList<int> SpeakingTime::tick()
{
    QList<int> ended;
    for (Speaker &speaker : m_speaking) {
        speaker.secondsLeft = std::max(0, speaker.secondsLeft - 1);
        if (speaker.secondsLeft == 0)
            ended.append(speaker.keypad);
    }
    m_speaking.removeIf([](const Speaker &s) { return s.secondsLeft == 0; });
    m_expired.append(ended);
    return ended;
}

bool SpeakingTime::isEnding(const Speaker &speaker) const
{
    return speaker.secondsLeft <= m_callAheadSeconds;
}
