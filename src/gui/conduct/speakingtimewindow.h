#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class QLineEdit;
class QTableWidget;
class SpeechController;

// The speaking-time window (FrmSpeak), a small window on top at the right edge of the operator's screen:
// who speaks with the time left (the last seconds in red), who waits, and the speaking time and warning
// fields. It shows the speech controller's lists and forwards the fields and OK.
class SpeakingTimeWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpeakingTimeWindow)

public:
    static constexpr QSize WindowSize{300, 430};

    SpeakingTimeWindow(SpeechController &controller, const TextCatalogue &catalogue,
                       QWidget *parent = nullptr);

    void showAtRightEdge();

    QTableWidget *speakingList() const { return m_speaking; }
    QTableWidget *waitingList() const { return m_waiting; }
    QLineEdit *minutesField() const { return m_minutes; }
    QLineEdit *secondsField() const { return m_seconds; }
    QLineEdit *callAheadField() const { return m_callAhead; }
    void accept();

private:
    void rebuildLists();
    void showFields();

    SpeechController &m_controller;
    WindowTexts m_texts;
    QTableWidget *m_speaking;
    QTableWidget *m_waiting;
    QLineEdit *m_minutes;
    QLineEdit *m_seconds;
    QLineEdit *m_callAhead;
};
