#pragma once

#include "core/conduct/journalreportcontroller.h"
#include "gui/ui/windowtexts.h"

#include <QWidget>

class ListTable;
class OperatorNotifier;
class QComboBox;
class QLabel;
class QPushButton;

// The journal (FrmJournal), a page of the meeting-management window: a meeting's journal entries, filtered
// by motion; "verify" checks the chain and re-counts every ballot; export as workbook or .csv and as PDF.
class JournalPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JournalPage)

public:
    enum class Control
    {
        Verify,
        ExportSheet,
        ExportPdf
    };

    JournalPage(const DataRoot &root, const TextCatalogue &catalogue, OperatorNotifier &notifier,
                QWidget *parent = nullptr);

    void setMeeting(const QString &meetingName);
    JournalReportController &controller() { return m_controller; }
    QPushButton *button(Control control) const;
    QComboBox *motions() const { return m_motions; }
    ListTable *entries() const { return m_entries; }
    ListTable *ballots() const { return m_ballots; }
    QLabel *chain() const { return m_chain; }

private:
    void refresh();

    WindowTexts m_texts;
    JournalReportController m_controller;
    QList<QPushButton *> m_buttons;
    QComboBox *m_motions;
    ListTable *m_entries;
    QLabel *m_chain;
    ListTable *m_ballots;
};
