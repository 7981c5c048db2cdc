#pragma once

#include "gui/ui/windowtexts.h"

#include <QDialog>

class LoginController;
class OperatorNotifier;
class QLineEdit;

// Guards the console with the operator password (FrmPass). Exit ends the program at once.
class LoginWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoginWindow)

public:
    LoginWindow(LoginController &controller, OperatorNotifier &notifier, const TextCatalogue &catalogue,
                const QString &photoFolder, QWidget *parent = nullptr);

    QLineEdit *passwordField() const { return m_field; }

private:
    void onOk();

    LoginController &m_controller;
    OperatorNotifier &m_notifier;
    WindowTexts m_texts;
    QLineEdit *m_field;
};
