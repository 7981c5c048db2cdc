#include "core/conduct/liveresultwriter.h"

#include "core/base/operatornotifier.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingjournal.h"

namespace {
// Collects what the database layer would show, so it can be shown on the interface thread instead.
class CollectingNotifier final : public OperatorNotifier
{
public:
    void information(const OperatorText &caption, const OperatorText &text) override { keep(caption, text); }
    void error(const OperatorText &caption, const OperatorText &text) override { keep(caption, text); }
    bool question(const OperatorText &caption, const OperatorText &text) override
    {
        keep(caption, text);
        return false;
    }
    bool failed() const { return m_failed; }
    OperatorText caption;
    OperatorText text;

private:
    void keep(const OperatorText &c, const OperatorText &t)
    {
        if (m_failed)
            return;
        m_failed = true;
        caption = c;
        text = t;
    }
    bool m_failed = false;
};
} // namespace

LiveResultWriter::LiveResultWriter(DataRoot root, QString meetingName, OperatorNotifier &notifier,
                                   QObject *parent)
    : QObject(parent), m_root(std::move(root)), m_meetingName(std::move(meetingName)), m_notifier(notifier),
      m_thread([this] { run(); })
{}

LiveResultWriter::~LiveResultWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void LiveResultWriter::write(const QString &OveName, const BallotResultWrite &result, const JournalNotes &notes)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pending.result = std::pair{OveName, result};
        m_pending.notes.append(notes);
    }
    m_wake.notify_one();
}

void LiveResultWriter::journal(const JournalNotes &notes)
{
    if (notes.isEmpty())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_pending.notes.append(notes);
    }
    m_wake.notify_one();
}

void LiveResultWriter::flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_pending.empty() && !m_busy; });
}

void LiveResultWriter::run()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return !m_pending.empty() || m_stopping; });
            if (m_pending.empty())
                return; // stopping with nothing left to write
            job = std::exchange(m_pending, Job{});
            m_busy = true;
        }
        CollectingNotifier collected;
        if (job.result) {
            const auto &[OveName, result] = *job.result;
            MeetingDatabase(m_root, m_meetingName, collected)
                .storeResult(OveName, result.result, result.VoteState, result.PollTimel, job.notes);
        } else {
            MeetingJournal(m_root, m_meetingName, collected).record(job.notes);
        }
        if (collected.failed()) {
            const OperatorText caption = collected.caption;
            const OperatorText text = collected.text;
            QMetaObject::invokeMethod(
                this,
                [this, caption, text] {
                    if (m_failureShown)
                        return;
                    m_failureShown = true;
                    m_notifier.error(caption, text);
                },
                Qt::QueuedConnection);
        } else {
            QMetaObject::invokeMethod(
                this, [this] { m_failureShown = false; }, Qt::QueuedConnection);
        }
        {
            const std::lock_guard lock(m_mutex);
            m_busy = false;
        }
        m_idle.notify_all();
    }
}
