#pragma once

#include "core/conduct/conferencecontext.h"
#include "core/counting/countedkeypads.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <memory>

class LiveResultWriter;
class Link;
class QTimer;

// The roll call of a meeting from the keypads: opens sign-in on the keypads, polls them while delegates
// press their sign-in key, counts present and absent against the due number, judges the quorum, counts
// down an optional time limit, and at the end stores who was there. It posts link modes and reads the
// keypad table; it never sends a frame. Every timer's work is a method tests call directly.
class SignInController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SignInController)

public:
    static constexpr int ListRows = 19;
    static constexpr int NamesPerPage = 24;

    struct Cell
    {
        int row;
        int group;
    };
    // Keypad n's place in the list: 19 rows, then the next group of three columns.
    static Cell cellOf(int keypad);
    // "mm:ss", each part two digits.
    static QString clockText(int seconds);

    explicit SignInController(ConferenceContext &context, QObject *parent = nullptr);
    ~SignInController() override;

    // Reads the meeting's counts and delegates; called when the window opens. While no sign-in runs, the
    // keypads' marks and whether ballots may run come from the meeting's own last sign-in.
    void open();

    void start();
    void fill();
    void end();
    // The number typed for a single keypad; false when it is refused (the field is then emptied).
    bool queryKeypad(const QString &numberText);
    void setCountDownEnabled(bool enabled);
    void setCountDownSeconds(const QString &text);
    void showSignedList();
    void showAbsentList();
    void pageUp();
    void pageDown();

    // Returns when the live journal entries handed to the writer are on disk; call before reading the
    // meeting's database while the sign-in runs, so the read does not meet the writer's connection.
    void waitForLiveEntries();

    // Timer work.
    void onCommandPhase();   // 1 s after Start or Fill: sign-in opens on the keypads
    void onBeginPolling();   // 2 s later: continuous polling, optional count-down
    void onRefresh();        // every second while polling
    void onCountDownTick();  // every second with a count-down
    void onFinalPassCheck(); // every second after End until the final pass is in
    void onRelease();        // 500 ms after storing
    void onQueryAnswer();    // 100 ms after a single keypad query

    // What the window shows.
    QString nameOf(int keypad) const { return m_names.value(keypad); }
    QString stateText(int keypad) const;
    int keypadCount() const;
    int due() const { return m_due; }
    int signedCount() const { return m_signed; }
    int absent() const { return m_absent; }
    QString quorumText() const { return m_quorumText; }
    QString countDownText() const { return m_countDownText; }
    bool isRunning() const { return m_running; }
    bool isStartEnabled() const { return m_startEnabled; }
    bool isEndEnabled() const { return m_endEnabled; }
    bool areCountDownControlsEnabled() const { return m_startEnabled; }
    bool isCountDownEnabled() const { return m_countDownEnabled; }
    QString countDownSeconds() const { return m_countDownSeconds; }
    bool areListButtonsEnabled() const { return m_startEnabled; }
    // Which name list is on the hall screen: 0 none, 1 signed in, 2 absent.
    int shownList() const { return m_shownList; }
    // Keypads off the meeting's roster that signed in: never counted, shown as a warning.
    const QList<int> &strangers() const { return m_strangers; }
    // The base station is lost while the sign-in runs: the figures are from before the loss.
    bool isStale() const;
    // The sign-in is to end as soon as the base station is back.
    bool isWaitingForBaseStation() const { return m_endWanted; }
    // The final pass after End, 0..100.
    int finalPassProgress() const;
    bool isFinalPassRunning() const { return m_running && m_ended; }

    const Link &link() const { return m_context.link; }

signals:
    // Buttons, counts or texts changed.
    void changed();
    void listRefreshed();
    // A sign-in was ended: the conference may run ballots.
    void signInEnded();

private:
    void beginCommandPhase(bool fill);
    void restoreLastSignIn();
    void beginFinalPass();
    bool offerCollectedSignIn();
    void storeAndRelease();
    void onConnectionChanged();
    void information(const char *key, QStringList args = {});
    void refresh();
    void countRoutine();
    void sendCountsToHall();
    // `kind`: the journal entry the marks are stored with.
    void store(const QString &kind);
    void journalStart();
    void journalNewlySigned();
    // Writes the register's present count once the sign-in has ended.
    void recordPresentCount(int count);
    void showNamePage();
    void showList(int which);
    QString text(const char *section, const char *key) const;
    ConferenceContext &m_context;

    QTimer *m_commandTimer;
    QTimer *m_pollingTimer;
    QTimer *m_refreshTimer;
    QTimer *m_countDownTimer;
    QTimer *m_finalPassTimer;
    QTimer *m_releaseTimer;
    QTimer *m_queryTimer;
    // The sign-in's live journal entries, off the interface thread.
    std::unique_ptr<LiveResultWriter> m_journal;
    QSet<int> m_journalledSigned;
    bool m_linkLostJournalled = false;
    int m_journalledCount = -1; // the present count the journal last recorded for the register

    QMap<int, QString> m_names;
    CountedKeypads m_counted;
    QList<int> m_strangers;
    bool m_endWanted = false;
    bool m_askingAboutLoss = false;
    bool m_lossOffered = false;
    QString m_quorumMode;
    int m_quorumPercent = 0;
    int m_due = 0;
    int m_signed = 0;
    int m_absent = 0;
    QString m_quorumText;
    QString m_countDownText = QStringLiteral("00:00");
    int m_secondsLeft = 0;
    bool m_fill = false;
    bool m_running = false;
    bool m_ended = false;
    bool m_marksRefused = false; // the meeting database refused the last sign-in's marks
    bool m_startEnabled = true;
    bool m_endEnabled = false;
    bool m_countDownEnabled = false;
    QString m_countDownSeconds;
    int m_queriedKeypad = 0;
    int m_shownList = 0;
    QStringList m_listNames;
    int m_page = 0;
};
