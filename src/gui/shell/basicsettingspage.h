#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class BasicSettingsController;
class ColourPicker;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The basic-settings page of the system setup (Frmbasicset). Each group has its own apply button; the
// page shows the controller's fields and forwards what the operator applies.
class BasicSettingsPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BasicSettingsPage)

public:
    enum class Apply
    {
        KeypadCount,
        ReservedCount,
        PortRange,
        Password,
        PasswordCancel,
        Scores,
        ScoresCancel,
        HallScreen,
    };

    BasicSettingsPage(BasicSettingsController &controller, const TextCatalogue &catalogue,
                      QWidget *parent = nullptr);

    // Fills every field from the controller (after it was opened).
    void showFields();

    QLineEdit *keypadCountField() const { return m_keypads; }
    QLineEdit *reservedCountField() const { return m_reserved; }
    QLineEdit *lowestPortField() const { return m_lowPort; }
    QLineEdit *highestPortField() const { return m_highPort; }
    QComboBox *screenSizeList() const { return m_size; }
    ColourPicker *backgroundPicker() const { return m_background; }
    ColourPicker *textColourPicker() const { return m_textColour; }
    QLabel *preview() const { return m_preview; }
    QLineEdit *passwordField(int which) const { return m_passwords[which]; }
    QLineEdit *scoreField(int key) const { return m_scores[key]; }
    QCheckBox *percentagesBox() const { return m_percentages; }
    QCheckBox *verdictBox() const { return m_verdict; }
    QPushButton *button(Apply which) const;

private:
    QWidget *buildCounts();
    QWidget *buildScreen();
    QWidget *buildPassword();
    QWidget *buildScores();
    QPushButton *makeButton(Apply which, const QString &key);
    void showScores();
    void showPreview();
    void showHallButton();
    void changePassword();

    BasicSettingsController &m_controller;
    WindowTexts m_texts;
    QList<QPair<Apply, QPushButton *>> m_buttons;
    QLineEdit *m_keypads = nullptr;
    QLineEdit *m_reserved = nullptr;
    QLineEdit *m_lowPort = nullptr;
    QLineEdit *m_highPort = nullptr;
    QComboBox *m_size = nullptr;
    ColourPicker *m_background = nullptr;
    ColourPicker *m_textColour = nullptr;
    QLabel *m_preview = nullptr;
    QLineEdit *m_passwords[3] = {};
    QLineEdit *m_scores[5] = {};
    QCheckBox *m_percentages = nullptr;
    QCheckBox *m_verdict = nullptr;
};
