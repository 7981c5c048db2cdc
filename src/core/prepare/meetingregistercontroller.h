#pragma once

#include "core/prepare/stampclock.h"
#include "core/base/textcatalogue.h"
#include "core/store/meetingrecord.h"

#include <QColor>
#include <QDate>
#include <QObject>
#include <QSize>

class DataRoot;
class OperatorNotifier;
class SystemDatabase;
struct DocumentSetup;

// The meeting register (FrmMeeset): creates, edits and deletes meetings. A meeting is its `Mottag` row
// plus three things on disk that this controller keeps in step with it: the meeting database
// Data/<name>.db, the material folder MeeFile/<insertdate>/ and the banner MeeFile/Meebanner/<bannerPath>.
class MeetingRegisterController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MeetingRegisterController)

public:
    enum class State
    {
        Browsing,        // no meeting selected
        Selected,        // the fields show the selected meeting
        EditingNew,      // the fields are a new meeting's
        EditingExisting, // the fields are the selected meeting's, being changed
    };

    struct Fields
    {
        QString name;
        QString place;
        QString start; // the date pickers' texts, see dateText()
        QString end;
        QString due;
        bool quorum = false;
        QString ratio;

        bool operator==(const Fields &) const = default;
    };

    // Shown when the expected number is missing or 0; the register has always shown it in Chinese.

    // The date pickers show and store dates as "yyyy-MM-dd". Reading also takes the other forms a date
    // may have been stored in; an unreadable text gives an invalid date.
    static QString dateText(QDate date);
    static QDate dateFromText(const QString &text);

    MeetingRegisterController(const DataRoot &root, SystemDatabase &system, OperatorNotifier &notifier,
                              TextCatalogue catalogue, StampClock::Now now = {}, QObject *parent = nullptr);

    // Reads the screen settings for the banner and fills the list; nothing is selected.
    void open();
    // The meeting a conference holds open while this register runs from the conference's menu: its
    // database is in use by name, so it can be changed but neither renamed nor deleted. Empty: none.
    void setOpenMeeting(const QString &name) { m_openMeeting = name; }
    const QString &openMeeting() const { return m_openMeeting; }

    const MeetingList &meetings() const { return m_list; }
    int selectedRow() const { return m_row; }
    State state() const { return m_state; }
    const Fields &fields() const { return m_fields; }
    // The selected meeting as stored.
    const MeetingRecord &record() const { return m_record; }
    // A meeting is chosen and not being edited: the roster and the motions may open it.
    bool hasMeeting() const { return m_state == State::Selected; }

    bool canCreate() const { return !isEditing(); }
    bool canEdit() const { return m_state == State::Selected; }
    bool canDelete() const { return m_state == State::Selected; }
    bool canEditBanner() const { return m_state == State::Selected; }
    bool canSave() const { return isEditing(); }
    bool canCancel() const { return isEditing(); }
    bool isEditing() const { return m_state == State::EditingNew || m_state == State::EditingExisting; }
    bool listEnabled() const { return !isEditing(); }
    bool ratioEnabled() const { return isEditing() && m_fields.quorum; }

    // Field changes while editing. The text setters return the text as filtered, for the field to show.
    QString setName(const QString &text);
    QString setPlace(const QString &text);
    QString setDue(const QString &text);
    QString setRatio(const QString &text);
    void setStart(const QString &text) { m_fields.start = text; }
    void setEnd(const QString &text) { m_fields.end = text; }
    // Ticking proposes a ratio of 50 percent; clearing sets 0.
    void setQuorum(bool on);

    // A negative row clears the selection.
    void select(int row);
    void startNew();
    void startEdit();
    void cancel();
    // True when the meeting was stored.
    bool save();
    // Asks first; true when the meeting was deleted.
    bool remove();

    // The banner editor's setup for the selected meeting, and what follows when the editor saved.
    DocumentSetup bannerSetup() const;
    void bannerSaved();

signals:
    void listChanged();
    void fieldsChanged();
    void stateChanged();

private:
    void fillList();
    void setState(State state);
    void showRecord();
    int rowOf(const QString &name) const;
    MeetingRecord recordFromFields(const QString &name) const;
    bool saveNew(const QString &name);
    bool saveExisting(const QString &name);
    void createMaterialFolder(const QString &insertdate);
    QString freshStamp();
    void information(const char *key);
    bool refusedWhileOpen(const QString &name);
    // The selected meeting's row changed: its journal gets the row as stored now.
    void journal(const QString &operation, const QString &previousName = {});

    const DataRoot &m_root;
    SystemDatabase &m_system;
    OperatorNotifier &m_notifier;
    TextCatalogue m_catalogue;
    StampClock m_clock;
    MeetingList m_list;
    int m_row = -1;
    State m_state = State::Browsing;
    Fields m_fields;
    MeetingRecord m_record;
    QSize m_screenSize;
    QColor m_screenBackground;
    QColor m_screenText;
    QString m_openMeeting;
};
