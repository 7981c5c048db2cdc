#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class ChartView;
class ConductStatusBar;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTableWidget;
class VotingController;

// The voting page of the conference (FrmMeeVote): the meeting's motions, the counting options of the
// selected one, start and stop with the captions of its type, the preview chart, and the commands that
// open the candidate window, the result window and the vote monitor. It shows the controller's state and
// forwards clicks; the windows it asks for are opened by whoever listens.
class VotingWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VotingWindow)

public:
    enum class Control
    {
        Candidates,
        Start,
        Stop,
        QueryResult,
        Monitor,
        ShowMotion,
    };

    static constexpr QSize PageSize{815, 676};

    VotingWindow(VotingController &controller, const TextCatalogue &catalogue, QWidget *parent = nullptr);

    // Whether a listener opens the candidate window or the result window; without one the command stays
    // disabled.
    void setCandidateWindowAvailable(bool available);
    void setResultWindowAvailable(bool available);

    QPushButton *button(Control control) const;
    QTableWidget *motionList() const { return m_list; }
    QGroupBox *optionGroup() const { return m_options; }
    QCheckBox *timeLimitCheck() const { return m_timeLimit; }
    QComboBox *secondsCombo() const { return m_seconds; }
    ChartView *preview() const { return m_preview; }
    // Due and present as shown.
    QString countText(int which) const;

signals:
    void candidatesRequested();
    void resultRequested();
    void monitorRequested();

private:
    void build();
    void buildOptions();
    void fillMotions();
    void refreshState();
    void refreshOptions();
    void onSelectionChanged();

    VotingController &m_controller;
    WindowTexts m_texts;
    QTableWidget *m_list;
    QList<QPair<Control, QPushButton *>> m_buttons;
    QLabel *m_counts[2] = {};
    QLabel *m_verdict = nullptr;
    ConductStatusBar *m_status = nullptr;
    QGroupBox *m_options = nullptr;
    QComboBox *m_base = nullptr;
    QComboBox *m_passRule = nullptr;
    QSlider *m_threshold = nullptr;
    QLabel *m_thresholdText = nullptr;
    QCheckBox *m_unit = nullptr;
    QCheckBox *m_showPercentages = nullptr;
    QCheckBox *m_showVerdict = nullptr;
    QCheckBox *m_liveDisplay = nullptr;
    QCheckBox *m_timeLimit = nullptr;
    QComboBox *m_seconds = nullptr;
    ChartView *m_preview = nullptr;
    QStringList m_shownMotions; // what the list shows, to refill it only when the motions changed
    bool m_candidateWindow = true;
    bool m_resultWindow = true;
};
