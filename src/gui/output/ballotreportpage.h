#pragma once

#include "core/output/ballotreportcontroller.h"
#include "gui/ui/windowtexts.h"

#include <QWidget>

class ListTable;
class OperatorNotifier;
class QComboBox;
class QLabel;
class QPushButton;

// The ballot report (FrmVoteput), a page of the meeting-management window: the motions of a category with
// their results, all or only the voted ones, export and the print preview.
class BallotReportPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BallotReportPage)

public:
    enum class Control
    {
        ViewAll,
        ViewVoted,
        Export,
        Print
    };

    BallotReportPage(const DataRoot &root, const TextCatalogue &catalogue, OperatorNotifier &notifier,
                     QWidget *parent = nullptr);

    void setMeeting(const QString &meetingName);
    BallotReportController &controller() { return m_controller; }
    QPushButton *button(Control control) const;
    QComboBox *categories() const { return m_categories; }
    ListTable *list() const { return m_list; }
    QLabel *note() const { return m_note; }

private:
    void refresh();

    WindowTexts m_texts;
    OperatorNotifier &m_notifier;
    BallotReportController m_controller;
    QList<QPushButton *> m_buttons;
    QComboBox *m_categories;
    QLabel *m_title;
    ListTable *m_list;
    QLabel *m_note;
};
