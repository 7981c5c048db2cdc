#pragma once

#include "core/conduct/conferencecontext.h"
#include "core/conduct/speakingtime.h"
#include "core/seating/seatplanmodel.h"

#include <QList>
#include <QMap>
#include <QObject>

class Link;
class QTimer;

// The floor of a meeting: how the microphone system grants it (speech mode and speakers at once), one
// delegate's microphone opened or closed, locked or unlocked, all microphones closed, every seat's
// microphone state for the seat map, the speaking order with the newest speaker's name on the hall
// screen, and the speaking time of each speaker. Commands go out as link mode 5 through the sequencer;
// the states come back through the keypad table. Every timer's work is a method tests call directly.
class SpeechController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpeechController)

public:
    static constexpr int SeatRefreshMs = 100;
    static constexpr int ScanMs = 200;
    static constexpr int SpeakingTickMs = 1000;
    static constexpr int MaxSpeakers = 8;

    // The texts MsgMode1..MsgMode3.
    enum class Mode
    {
        Free,    // a new speaker beyond the count closes the oldest
        Replace, // mode value 4
        Queue,   // mode value 2
    };
    enum class MicState
    {
        Offline,
        Locked,
        Closed,
        Open,
        Waiting,
    };

    explicit SpeechController(ConferenceContext &context, QObject *parent = nullptr);

    // The page is shown: the delegates' names and the seat plan are read again and the timers run.
    void open();
    // The page is left: the timers stop; the hall keeps what it shows.
    void leave();
    bool isRunning() const { return m_running; }

    Mode mode() const { return m_mode; }
    void setMode(Mode mode);
    bool isSpeakerCountEnabled() const { return m_mode != Mode::Free; }
    int speakerCount() const { return m_speakerCount; }
    void setSpeakerCount(int count);

    // The keypad number field: typed, or filled by a seat click and by a speaker whose time ran out.
    QString keypadText() const { return m_keypadText; }
    void setKeypadText(const QString &text);
    // A click on seat `index` of the seat map.
    void clickSeat(int index);

    // The one-keypad commands on the number in the field; false (and MsgClewErr) when it names no keypad.
    bool openMicrophone();
    bool closeMicrophone();
    bool lock();
    bool unlock();
    void closeAll();

    int keypadCount() const;
    MicState micState(int keypad) const;
    // Off-line and locked seats cannot be clicked; every other state can, also after a lock is lifted
    // or an off-line keypad returns.
    bool isSeatEnabled(int keypad) const { return m_enabled.value(keypad, false); }
    // The keypad a seat stands for: its caption read as a number, 0 for none.
    int keypadOfSeat(int index) const;
    const SeatPlanModel &seats() const { return m_seats; }
    SeatPlanModel &seats() { return m_seats; }
    bool hasSeatPlan() const { return m_hasPlan; }
    // The label under a seat: the keypad number, or the name of the delegate with that keypad.
    bool labelsByName() const { return m_labelsByName; }
    void setLabelsByName(bool byName);
    QString seatLabel(int index) const;

    QString nameOf(int keypad) const { return m_names.value(keypad); }
    // The keypads whose microphones are open, oldest first.
    const QList<int> &speakingOrder() const { return m_order; }
    int shownSpeaker() const { return m_shownSpeaker; }
    QString hallLine() const { return m_hallLine; }
    bool isNameDisplayOn() const { return m_nameDisplay; }
    void setNameDisplay(bool on);

    const Link &link() const { return m_context.link; }
    Link &link() { return m_context.link; }

    SpeakingTime &speakingTime() { return m_speakingTime; }
    const SpeakingTime &speakingTime() const { return m_speakingTime; }
    bool isSpeakingTimeOpen() const { return m_speakingTimeOpen; }
    void setSpeakingTimeOpen(bool open);

    // Timer work.
    void refreshSeats();   // every 100 ms: the seat map's states
    void scan();           // every 200 ms: the speaking order, the hall line, the speaking-time lists
    void onSpeakingTick(); // every second while the speaking-time window is open

signals:
    void changed();
    void seatsChanged();
    void speakersChanged();

private:
    bool singleKeypad(quint32 command);
    void post(quint32 command);
    void onSent(quint32 command);
    void showHallLine();
    void prepareHall();
    void loadSeatPlan();
    ConferenceContext &m_context;

    QTimer *m_seatTimer;
    QTimer *m_scanTimer;
    QTimer *m_speakingTimer;

    SeatPlanModel m_seats;
    bool m_hasPlan = false;
    bool m_labelsByName = false;
    QMap<int, QString> m_names;
    QMap<int, MicState> m_states;
    QMap<int, bool> m_enabled;
    bool m_running = false;

    Mode m_mode = Mode::Free;
    int m_speakerCount = 1;
    QString m_keypadText;
    QList<int> m_order;
    QList<int> m_waitingKeypads;
    int m_shownSpeaker = 0;
    QString m_hallLine;
    bool m_nameDisplay = false;
    bool m_speakingTimeOpen = false;
    SpeakingTime m_speakingTime;
};
