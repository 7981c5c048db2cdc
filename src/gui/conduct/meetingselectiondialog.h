#pragma once

#include "core/store/meetingrecord.h"
#include "gui/ui/windowtexts.h"

#include <QDialog>

class QPushButton;
class QTableWidget;
class SystemDatabase;

// The meeting a conference holds (FrmMeestart): every meeting of the register, numbered from 1; a click
// on a row chooses it and enables OK.
class MeetingSelectionDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MeetingSelectionDialog)

public:
    MeetingSelectionDialog(SystemDatabase &systemDatabase, const TextCatalogue &catalogue,
                           QWidget *parent = nullptr);

    // The chosen meeting's row; empty until a row was clicked.
    const MeetingRecord &meeting() const { return m_meeting; }
    QTableWidget *list() const { return m_list; }
    QPushButton *okButton() const { return m_ok; }

private:
    void choose(int row);

    SystemDatabase &m_systemDatabase;
    WindowTexts m_texts;
    QTableWidget *m_list;
    QPushButton *m_ok;
    MeetingRecord m_meeting;
};
