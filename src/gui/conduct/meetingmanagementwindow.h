#pragma once

#include "core/store/meetingrecord.h"
#include "gui/ui/windowtexts.h"

#include <QDialog>

#include <functional>

class HubButton;
class QComboBox;
class QFrame;
class QLabel;
class SystemDatabase;

// The report pages the meeting-management window shows; they come from the reports. While one is
// missing its button stays disabled.
struct MeetingReportHooks
{
    std::function<QWidget *(QWidget *parent)> createSignInReport;
    std::function<QWidget *(QWidget *parent)> createBallotReport;
    std::function<QWidget *(QWidget *parent)> createJournal;
    // Hands the chosen meeting to a report page before it is shown.
    std::function<void(QWidget *page, const MeetingRecord &meeting)> showReport;
};

// A past meeting's records (FrmMdisposal): choose a meeting, see its details, its sign-in and ballot
// reports, or its journal, in the child area of the hub picture.
class MeetingManagementWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MeetingManagementWindow)

public:
    enum class Control
    {
        Details = 1238,
        SignInReport = 1239,
        BallotReport = 1240,
        Journal = 1241,
        Close = 2, // IDCANCEL
    };
    enum class Page
    {
        Details,
        SignInReport,
        BallotReport,
        Journal
    };
    // The details' values in the order the panel shows them.
    enum Field
    {
        Name,
        Place,
        FirstDay,
        LastDay,
        Due,
        Present,
        Quorum,
        FieldCount
    };

    MeetingManagementWindow(SystemDatabase &systemDatabase, const TextCatalogue &catalogue,
                            const QString &photoFolder, MeetingReportHooks hooks = {},
                            QWidget *parent = nullptr);

    HubButton *button(Control control) const;
    QComboBox *meetingCombo() const { return m_meetings; }
    QString fieldText(Field field) const;
    Page currentPage() const { return m_page; }
    const MeetingRecord &meeting() const { return m_meeting; }

    void chooseMeeting(int index);
    void showPage(Page page);

protected:
    // A click on the picture outside every control closes the window, as it always has.
    void mousePressEvent(QMouseEvent *event) override;

private:
    void build();

    SystemDatabase &m_systemDatabase;
    WindowTexts m_texts;
    MeetingReportHooks m_hooks;
    QList<QPair<Control, HubButton *>> m_buttons;
    QComboBox *m_meetings;
    QFrame *m_details;
    QLabel *m_fields[FieldCount] = {};
    QWidget *m_signInReport = nullptr;
    QWidget *m_ballotReport = nullptr;
    QWidget *m_journal = nullptr;
    Page m_page = Page::Details;
    MeetingRecord m_meeting;
    bool m_chosen = false;
};
