#include "core/output/sentencestepper.h"

#include <algorithm>

using namespace Qt::StringLiterals;

QStringList SentenceStepper::defaultPauseSymbols()
{
    return {u","_s, u"."_s, u";"_s, u"?"_s, u"，"_s, u"。"_s, u"；"_s, u"？"_s};
}

// The whole default list: a field offering only the Latin four dropped the full-width symbols on the
// first Apply, and Chinese text then ran to its end in one step.
QString SentenceStepper::defaultEntry()
{
    return defaultPauseSymbols().join(QString());
}

SentenceStepper::SentenceStepper() : m_symbols(defaultPauseSymbols()) {}

void SentenceStepper::setText(const QString &text)
{
    m_text = text;
    m_start = std::min(m_start, length());
    m_end = std::min(m_end, length());
}

void SentenceStepper::setPauseSymbols(const QString &entry)
{
    m_symbols.clear();
    const QString taken = entry.left(MaxEntryLength);
    for (qsizetype i = 0; i < taken.size(); ++i) {
        // A character outside the basic plane is one symbol too, not two halves.
        const qsizetype n = taken[i].isHighSurrogate() && i + 1 < taken.size() ? 2 : 1;
        m_symbols.append(taken.mid(i, n));
        i += n - 1;
    }
}

bool SentenceStepper::isPause(qsizetype position) const
{
    if (position < 0 || position >= m_text.size())
        return false;
    return m_symbols.contains(QString(m_text[position]));
}

SentenceStepper::Step SentenceStepper::next()
{
    m_start = m_end;
    bool readPause = false;
    while (!readPause && m_end < length()) {
        ++m_end;
        readPause = isPause(m_end - 1);
    }
    return {0, m_start, m_start, m_end};
}

SentenceStepper::Step SentenceStepper::previous()
{
    const int oldEnd = m_end;
    m_end = m_start;
    bool readPause = false;
    while (!readPause && m_start > 0) {
        --m_start;
        readPause = isPause(m_start - 1);
    }
    return {0, oldEnd, m_start, m_end};
}

void SentenceStepper::restore()
{
    m_start = 0;
    m_end = 0;
}
