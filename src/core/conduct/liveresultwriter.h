#pragma once

#include "core/counting/ballottally.h"
#include "core/base/dataroot.h"
#include "core/store/journalentry.h"

#include <QObject>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

class OperatorNotifier;

// Writes the live state of a ballot or a sign-in on a thread of its own: the live result and the journal
// entries of what changed since the last tick. A write is a committed transaction that waits for the disk,
// which may take tens of milliseconds: on the interface thread, every live tick would freeze the hall
// screen and the operator's window for that long. Only the newest result matters, so a result that arrives
// while another is being written replaces the one still waiting; journal notes are never dropped, they
// queue in order and go to disk in the same transaction as the result written with them. Failures are
// reported on the interface thread, once until a write succeeds again, so a full disk does not raise a
// message box twice a second.
class LiveResultWriter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LiveResultWriter)

public:
    LiveResultWriter(DataRoot root, QString meetingName, OperatorNotifier &notifier,
                     QObject *parent = nullptr);
    ~LiveResultWriter() override;

    void write(const QString &OveName, const BallotResultWrite &result, const JournalNotes &notes = {});
    // Journal notes without a result (the sign-in's live state, the link lost and found).
    void journal(const JournalNotes &notes);
    // Returns when every result handed in is on disk (or failed): the caller may then open the meeting's
    // database itself.
    void flush();

private:
    struct Job
    {
        std::optional<std::pair<QString, BallotResultWrite>> result;
        JournalNotes notes;
        bool empty() const { return !result && notes.isEmpty(); }
    };
    void run();

    DataRoot m_root;
    QString m_meetingName;
    OperatorNotifier &m_notifier;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    Job m_pending;
    bool m_busy = false;
    bool m_stopping = false;
    bool m_failureShown = false;
    std::thread m_thread;
};
