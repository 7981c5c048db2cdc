#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class ConductStatusBar;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SeatMapView;
class SpeakingTimeWindow;
class SpeechController;

// The discussion page of the conference (FrmMootset): the seat map with every microphone's state, the
// keypad field with the one-keypad commands, speech mode and speakers at once, the speaker's name on the
// hall, and the buttons of the two companion windows (camera control and speaking time). It shows the
// controller's state and forwards clicks.
class SpeechPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpeechPage)

public:
    static constexpr QSize PageSize{810, 672};

    // `cameraWindow` is the camera control window the page shows and hides; none leaves its button off.
    SpeechPage(SpeechController &controller, const TextCatalogue &catalogue, const QString &photoFolder,
               QWidget *cameraWindow = nullptr, QWidget *parent = nullptr);
    ~SpeechPage() override;

    // The console shows the page (running) or switches to another one: leaving hides both companion
    // windows and puts their buttons back to "open".
    void setRunning(bool running);

    SeatMapView *seatMap() const { return m_map; }
    QLineEdit *keypadField() const { return m_keypad; }
    QComboBox *modeList() const { return m_mode; }
    QComboBox *countList() const { return m_count; }
    QCheckBox *nameDisplay() const { return m_nameDisplay; }
    QPushButton *cameraButton() const { return m_camera; }
    QPushButton *speakingTimeButton() const { return m_speakingTimeButton; }
    SpeakingTimeWindow *speakingTimeWindow() const { return m_speakingTime; }
    QPushButton *button(const QString &key) const;

private:
    void build(const QString &photoFolder);
    void refreshState();
    void toggleCamera();
    void toggleSpeakingTime();
    void showCompanionLabels();

    SpeechController &m_controller;
    WindowTexts m_texts;
    QWidget *m_cameraWindow;
    SeatMapView *m_map = nullptr;
    QLineEdit *m_keypad = nullptr;
    QComboBox *m_mode = nullptr;
    QComboBox *m_count = nullptr;
    QComboBox *m_rest = nullptr;
    QCheckBox *m_nameDisplay = nullptr;
    QRadioButton *m_byId = nullptr;
    QRadioButton *m_byName = nullptr;
    QPushButton *m_camera = nullptr;
    QPushButton *m_speakingTimeButton = nullptr;
    ConductStatusBar *m_status = nullptr;
    SpeakingTimeWindow *m_speakingTime = nullptr;
};
