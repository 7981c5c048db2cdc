#pragma once

#include "gui/ui/windowtexts.h"

#include <QDialog>

class DataRoot;
class DelegateRosterController;
class DelegateRosterPage;
class HubButton;
class MeetingRegisterController;
class MeetingRegisterPage;
class MotionsController;
class MotionsPage;
class OperatorNotifier;
class QLabel;
class SystemDatabase;

// The meeting-preparation window (FrmMeeOut): a hub picture with the meeting register, the delegate
// roster and the motions as pages in its child area. The roster and the motions open the meeting chosen
// in the register, so their buttons wait for one.
class MeetingPreparationWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MeetingPreparationWindow)

public:
    enum class Page
    {
        Meetings,
        Delegates,
        Motions,
    };

    MeetingPreparationWindow(const DataRoot &root, SystemDatabase &system, OperatorNotifier &notifier,
                             const TextCatalogue &catalogue, const QString &photoFolder,
                             QWidget *parent = nullptr);
    ~MeetingPreparationWindow() override;

    Page page() const { return m_page; }
    HubButton *pageButton(Page page) const;
    HubButton *exitButton() const { return m_exit; }
    QString header() const;

    MeetingRegisterController &meetings() const { return *m_meetings; }
    DelegateRosterController &delegates() const { return *m_delegates; }
    MotionsController &motions() const { return *m_motions; }
    MeetingRegisterPage *meetingsPage() const { return m_meetingsPage; }
    DelegateRosterPage *delegatesPage() const { return m_delegatesPage; }
    MotionsPage *motionsPage() const { return m_motionsPage; }

    void showPage(Page page);
    // The meeting a conference holds open: the register keeps it from being renamed or deleted.
    void setOpenMeeting(const QString &name);

public slots:
    // Leaving the window always ends it with OK: the main window comes back.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void updateButtons();
    void updateTitle();

    WindowTexts m_texts;
    MeetingRegisterController *m_meetings;
    DelegateRosterController *m_delegates;
    MotionsController *m_motions;
    QLabel *m_header;
    MeetingRegisterPage *m_meetingsPage;
    DelegateRosterPage *m_delegatesPage;
    MotionsPage *m_motionsPage;
    HubButton *m_pageButtons[3];
    HubButton *m_exit;
    Page m_page = Page::Meetings;
};
