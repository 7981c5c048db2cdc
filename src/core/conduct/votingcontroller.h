#pragma once

#include "core/conduct/conferencecontext.h"
#include "core/counting/ballottally.h"
#include "core/counting/countedkeypads.h"
#include "core/output/chartmodel.h"
#include "core/store/journalentry.h"
#include "core/store/motionrecord.h"

#include <QMap>

#include <QObject>

#include <memory>

class LiveResultWriter;
class MeetingDatabase;
class Link;
class QTimer;

// Runs the motions of a meeting one at a time: the operator selects a motion and adjusts its counting
// options, starts the ballot, watches it live, stops it (or the count-down does), and the outcome is
// stored in the motion's row and shown on the window's preview chart and the hall screen's chart. It
// posts link modes and reads key codes from the keypad table; the tally does the counting. Every timer's
// work is a method tests call directly.
class VotingController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VotingController)

public:
    enum class Phase
    {
        Idle,
        Announcing,
        Collecting,
        Live,
        Waiting,
        Releasing
    };

    struct Options
    {
        bool timeLimit = false;
        bool unit = false;
        bool showPercentages = false;
        bool showVerdict = false;
        bool liveDisplay = false;
    };

    // The time limits an operator may choose, in seconds.
    static const QStringList &timeLimitChoices();
    // The count-down caption with the rest as mm:ss, as the charts show it.
    QString countDownCaption(int remaining) const;
    // What the vote monitor shows for a key code: "----" for none, `pressed` for a valid answer of the
    // type, nothing for an invalid one. It never tells which key was pressed.
    static QString monitorStatus(VoteType type, int keyCode, const QString &pressed);
    // A stored result as a question can name it: its fields, without the colons.
    static QString storedResultText(const QString &result);

    explicit VotingController(ConferenceContext &context, QObject *parent = nullptr);
    ~VotingController() override;

    // Reads the meeting's counts and its motions.
    void open();

    // -1: no motion selected.
    void selectMotion(int row);
    // Puts the selected motion's document, or its title when it has none, on the hall; only between
    // ballots.
    void showMotionOnHall();
    void start();
    void stop();
    // A new candidate list from the candidate window; an empty list changes nothing.
    void setCandidates(const QString &list);

    void setBase(const QString &text);
    void setPassRule(const QString &text);
    void setThreshold(int percent);
    void setUnit(bool on);
    void setShowPercentages(bool on);
    void setShowVerdict(bool on);
    void setLiveDisplay(bool on);
    void setTimeLimit(bool on);
    void setTimeLimitSeconds(const QString &seconds);

    // Returns when the live results handed to the writer are on disk; call before reading the meeting's
    // database during a ballot, so the read does not meet the writer's connection.
    void waitForLiveResults();
    // How the selected motion's stored verdict came about, in one sentence from the journal's re-count;
    // empty when the motion has no verdict or the journal cannot vouch for the stored one.
    QString explainedVerdict();

    // Timer work.
    void onAnnounce();
    void onCollect();
    void onLiveTick();
    void onCountDownTick();
    void onFinalPassCheck();
    void onRelease();

    // What the window shows.
    const MotionList &motions() const { return m_motions; }
    int selectedRow() const { return m_row; }
    const MotionRecord &motion() const { return m_motion; }
    VoteType type() const { return m_type; }
    Phase phase() const { return m_phase; }
    int due() const { return m_due; }
    int present() const { return m_present; }
    Options options() const;
    QStringList candidateNames() const { return m_candidates; }
    QStringList scoreFields() const { return m_scores; }
    QString verdict() const { return m_verdict; }
    int remainingSeconds() const { return m_remaining; }
    ChartModel &preview() { return m_preview; }
    QString startCaption() const;
    QString stopCaption() const;
    bool isStartEnabled() const { return m_startEnabled; }
    bool isStopEnabled() const { return m_stopEnabled; }
    bool isQueryEnabled() const { return m_queryEnabled; }
    bool isListEnabled() const { return m_listEnabled; }
    bool isCandidateListEnabled() const;
    bool areOptionsEnabled() const { return m_optionsEnabled; }
    // Base, pass rule, threshold and Unit: only a yes/no ballot has them.
    bool isSettingsGroupEnabled() const;
    // Show percentages and live display: the yes/no ballot and the appraisal.
    bool areDisplayOptionsEnabled() const;
    bool isMonitorEnabled() const { return m_stopEnabled; }
    // Keypads off the meeting's roster that answered this ballot: never counted, shown as a warning.
    const QList<int> &strangers() const { return m_strangers; }
    // The base station is lost while a ballot runs: the figures shown are from before the loss.
    bool isStale() const;
    // The ballot is to end as soon as the base station is back.
    bool isWaitingForBaseStation() const { return m_stopWanted; }
    // The final pass after Stop, 0..100.
    int finalPassProgress() const;

    const Link &link() const { return m_context.link; }

signals:
    void changed();
    // The ballot ended and its result is stored.
    void ballotFinished();

private:
    void readMeetingCounts();
    void loadMotion(const QString &name, bool onSelection);
    void writeSettingsBack();
    void showStartScreen();
    void showResult(bool final);
    enum class Write
    {
        Live,        // a live tick: off the interface thread, with the key codes changed since the last
        Final,       // after the final pass, with the verdict
        Interrupted, // what was collected when the operator gave up on a lost base station
    };
    void tallyAndStore(Write write);
    void writeResult(Write write);
    QMap<int, int> keyCodes() const;
    JournalNotes changedKeyCodes();
    void journalStart(MeetingDatabase &database, const MotionRecord &stored, const MotionRecord &record);
    void beginFinalPass();
    // Asks whether to keep what was collected as an interrupted ballot; true when it was stored.
    bool offerInterruptedResult();
    void storeInterrupted();
    void afterStoring();
    void onConnectionChanged();
    QString labelList() const;
    void forBothCharts(const std::function<void(ChartModel &)> &apply);
    QString text(QStringView section, QStringView key) const;
    const VoteTypeInfo &info() const { return VoteTypeTable::info(m_type); }
    bool isYes(const QString &flag) const { return flag == QLatin1String("1"); }

    ConferenceContext &m_context;
    TallyTexts m_texts;
    ChartModel m_preview;
    std::unique_ptr<LiveResultWriter> m_liveWriter;

    QTimer *m_announceTimer;
    QTimer *m_collectTimer;
    QTimer *m_liveTimer;
    QTimer *m_countDownTimer;
    QTimer *m_waitTimer;
    QTimer *m_releaseTimer;

    MotionList m_motions;
    int m_row = -1;
    MotionRecord m_motion;
    VoteType m_type = VoteType::YesNo;
    QStringList m_candidates;
    QStringList m_scores;
    TallyResult m_tallied;
    QString m_verdict;
    CountedKeypads m_counted;
    QList<int> m_strangers;
    QMap<int, int> m_journalledCodes; // the key codes the journal has for the running ballot
    bool m_stopByCountDown = false;
    bool m_linkLostJournalled = false;
    bool m_typeKnown = true;
    bool m_stopWanted = false;
    bool m_askingAboutLoss = false;
    bool m_lossOffered = false; // asked once for this loss while waiting for the final pass
    int m_due = 0;
    int m_present = 0;
    int m_remaining = 0;
    bool m_live = false;
    Phase m_phase = Phase::Idle;
    bool m_startEnabled = false;
    bool m_stopEnabled = false;
    bool m_queryEnabled = false;
    bool m_listEnabled = true;
    bool m_optionsEnabled = false;
    bool m_settingsLocked = false; // the yes/no ballot's settings, once the keypads know the ballot
};
