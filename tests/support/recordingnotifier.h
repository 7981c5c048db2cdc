#pragma once

#include "core/base/operatornotifier.h"

#include <QList>

// Records every message the core shows, and answers questions from a queue (No when it runs dry, since
// No is the answer that changes nothing).
class RecordingNotifier final : public OperatorNotifier
{
public:
    enum class Kind { Information, Error, Question };
    struct Entry
    {
        Kind kind;
        OperatorText caption;
        OperatorText text;
    };

    void information(const OperatorText &caption, const OperatorText &text) override;
    void error(const OperatorText &caption, const OperatorText &text) override;
    bool question(const OperatorText &caption, const OperatorText &text) override;

    void queueAnswer(bool yes) { m_answers.append(yes); }
    const QList<Entry> &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    void clear() { m_entries.clear(); }

private:
    QList<Entry> m_entries;
    QList<bool> m_answers;
};
