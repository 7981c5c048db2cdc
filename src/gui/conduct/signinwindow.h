#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class ConductStatusBar;
class SignInController;

// The sign-in page of the conference (FrmManChe): who has signed in, in groups of three columns of 19
// rows, the due, present and absent counts with the quorum line, the count-down, the single-keypad query
// and the name lists for the hall. It shows the controller's state and forwards clicks.
class SignInWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SignInWindow)

public:
    enum class Control
    {
        Start = 1082,
        End = 1083,
        Fill = 1084,
        QueryOk = 1090,
        SignedList = 1605,
        SignedUp = 1606,
        SignedDown = 1607,
        AbsentList = 1608,
        AbsentUp = 1609,
        AbsentDown = 1610,
    };

    static constexpr QSize PageSize{815, 676};

    SignInWindow(SignInController &controller, const TextCatalogue &catalogue, QWidget *parent = nullptr);

    ConductStatusBar *statusBar() const { return m_status; }

    QPushButton *button(Control control) const;
    QTableWidget *list() const { return m_list; }
    QLineEdit *keypadField() const { return m_keypadField; }
    QLineEdit *secondsField() const { return m_secondsField; }
    QCheckBox *countDownCheck() const { return m_countDownCheck; }
    // Due, present, absent as shown.
    QString countText(int which) const;
    QString quorumText() const;
    QString countDownText() const;

private:
    void build();
    void rebuildList();
    void refreshList();
    void refreshState();
    void queryKeypad();

    SignInController &m_controller;
    WindowTexts m_texts;
    QTableWidget *m_list;
    QList<QPair<Control, QPushButton *>> m_buttons;
    QLabel *m_counts[3] = {};
    QLabel *m_quorum = nullptr;
    ConductStatusBar *m_status = nullptr;
    QLabel *m_countDown = nullptr;
    QGroupBox *m_countDownFrame = nullptr;
    QCheckBox *m_countDownCheck = nullptr;
    QLineEdit *m_secondsField = nullptr;
    QLineEdit *m_keypadField = nullptr;
};
