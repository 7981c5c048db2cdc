#pragma once

#include <QObject>

class Link;
class QTimer;

// The keypad check: asks every keypad to answer once and shows who did. It only posts link modes and
// reads the answered flags; the sequencer does the polling, one keypad per slowed-down tick.
class KeypadMonitorController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeypadMonitorController)

public:
    static constexpr int RowsPerColumn = 30;
    // The sequencer's tick while a check runs, and the normal tick it goes back to.
    static constexpr int CheckTickMs = 200;
    static constexpr int NormalTickMs = 30;

    struct Cell
    {
        int row;
        int columnPair;
    };
    // Keypad n's place in the list: 30 rows, then the next pair of columns. Keypads 241..249 go into a
    // ninth pair, so no keypad is ever hidden from the operator.
    static Cell cellOf(int keypad);
    static int columnPairs(int keypadCount);

    explicit KeypadMonitorController(Link &link, QObject *parent = nullptr);

    int total() const;
    int answered() const;
    int notAnswered() const { return total() - answered(); }
    bool hasAnswered(int keypad) const;
    int progress() const { return m_progress; }
    bool isCheckEnabled() const { return m_checkEnabled; }
    // No base station answers (none was found, or it was lost): a check would show every keypad off line.
    bool isBaseStationMissing() const;

    void startCheck();
    // Leaves the monitor: the tick goes back to normal and the main window comes back. A check still
    // running is ended with the release its own end would have sent.
    void close();

    // Timer work, called by the timers and directly by tests.
    void onStartRollCall();
    void onWatch();
    void onFinish();

signals:
    // The list is to be rebuilt (a new check) or its states and counts refreshed.
    void listRebuilt();
    void refreshed();
    void checkEnabledChanged(bool enabled);

private:
    void setCheckEnabled(bool enabled);

    Link &m_link;
    QTimer *m_startTimer;
    QTimer *m_watchTimer;
    QTimer *m_finishTimer;
    int m_progress = 0;
    bool m_checkEnabled = true;
};
