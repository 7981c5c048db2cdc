#include "recordingnotifier.h"

void RecordingNotifier::information(const OperatorText &caption, const OperatorText &text)
{
    m_entries.append({Kind::Information, caption, text});
}

void RecordingNotifier::error(const OperatorText &caption, const OperatorText &text)
{
    m_entries.append({Kind::Error, caption, text});
}

bool RecordingNotifier::question(const OperatorText &caption, const OperatorText &text)
{
    m_entries.append({Kind::Question, caption, text});
    return m_answers.isEmpty() ? false : m_answers.takeFirst();
}
