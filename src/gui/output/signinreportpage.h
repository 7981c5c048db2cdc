#pragma once

#include "core/output/signinreportcontroller.h"
#include "gui/ui/windowtexts.h"

#include <QWidget>

class ListTable;
class OperatorNotifier;
class QLabel;
class QLineEdit;
class QPushButton;

// The sign-in report (FrmRegque), a page of the meeting-management window: the due, present or absent
// delegates, the due and present counts, export and the print preview.
class SignInReportPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SignInReportPage)

public:
    enum class Control
    {
        Due,
        Present,
        Absent,
        Export,
        Print
    };

    SignInReportPage(const DataRoot &root, const TextCatalogue &catalogue, OperatorNotifier &notifier,
                     QWidget *parent = nullptr);

    void setMeeting(const QString &meetingName);
    SignInReportController &controller() { return m_controller; }
    QPushButton *button(Control control) const;
    ListTable *list() const { return m_list; }
    QString dueText() const;
    QString presentText() const;

private:
    void show(SignInReportController::List list);
    void refresh();

    WindowTexts m_texts;
    OperatorNotifier &m_notifier;
    SignInReportController m_controller;
    QList<QPushButton *> m_buttons;
    QLabel *m_title;
    ListTable *m_list;
    QLineEdit *m_due;
    QLineEdit *m_present;
};
