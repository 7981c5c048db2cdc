#pragma once

#include "core/conduct/ballottally.h"
#include "core/shell/dataroot.h"

#include <QObject>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

class OperatorNotifier;

// Writes the live results of a ballot on a thread of its own. A result write is a committed transaction
// that waits for the disk, which may take tens of milliseconds: on the interface thread, every live tick
// would freeze the hall screen and the operator's window for that long. Only the newest result matters,
// so a result that arrives while another is being written replaces the one still waiting. Failures are
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

    void write(const QString &OveName, const BallotResultWrite &result);
    // Returns when every result handed in is on disk (or failed): the caller may then open the meeting's
    // database itself.
    void flush();

private:
    struct Job
    {
        QString OveName;
        BallotResultWrite result;
    };
    void run();

    DataRoot m_root;
    QString m_meetingName;
    OperatorNotifier &m_notifier;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<Job> m_pending;
    bool m_busy = false;
    bool m_stopping = false;
    bool m_failureShown = false;
    std::thread m_thread;
};
