#pragma once

#include "core/link/keypadtable.h"
#include "core/prepare/delegatephoto.h"
#include "core/prepare/rosterimport.h"
#include "core/base/textcatalogue.h"
#include "core/store/delegaterecord.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QStringList>

#include <memory>

class DataRoot;
class MeetingDatabase;
class OperatorNotifier;

// The delegate roster (FrmManinfo) of one meeting: one `Employees` row per delegate, bound to a keypad,
// with personal data and an optional photo.
//
// Rows are keyed by keypad number and group. The group of new rows is the channel chosen in the window;
// a selected delegate is changed, and its photo read and written, in the group it is stored in, so a
// delegate of another channel is never missed.
class DelegateRosterController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DelegateRosterController)

public:
    enum class SearchBy
    {
        Keypad,
        Name,
    };

    // Keypad numbers the roster takes: those that can answer on the link.
    static constexpr int LowestKeypad = KeypadTable::FirstKeypad;
    static constexpr int HighestKeypad = KeypadTable::LastKeypad;

    // The catalogue gives the list headings that head an exported roster and that an imported one must
    // carry.
    DelegateRosterController(const DataRoot &root, OperatorNotifier &notifier, TextCatalogue catalogue,
                             QObject *parent = nullptr);
    ~DelegateRosterController() override;

    // Opens the meeting's database and shows every delegate.
    void setMeeting(const QString &meetingName);
    const QString &meetingName() const { return m_meetingName; }
    // Reads the list and the groups again; nothing is selected afterwards.
    void refresh();

    // The rows shown: every delegate, or what the last search found.
    const DelegateList &list() const { return m_list; }
    int rowCount() const { return int(m_list.size()); }
    int selectedRow() const { return m_row; }
    const QStringList &groups() const { return m_groups; }
    const QString &currentGroup() const { return m_group; }

    bool canEdit() const { return m_row >= 0; }
    bool canDelete() const { return m_row >= 0; }
    bool canClear() const { return rowCount() > 0; }

    // The edit fields. The window hands them over before New and Edit; the keypad number is filtered on
    // every change.
    const DelegateRecord &fields() const { return m_fields; }
    void setFields(const DelegateRecord &fields);
    QString setKeypad(const QString &text);

    // A row outside the list shows MsgClewSet and clears the selection.
    void select(int row);
    void first();
    void previous();
    void next();
    void last();

    bool addDelegate();
    bool changeDelegate();
    // The selected delegate, after asking.
    bool deleteDelegate();
    // Every delegate of the meeting, after asking.
    bool clearAll();
    bool search(SearchBy by, const QString &text);
    // The channel for new rows; the list is read again.
    void setGroup(const QString &group);

    // The photo shown; stored with the next New or Edit.
    const QByteArray &photo() const { return m_photo; }
    QImage photoImage() const { return DelegatePhoto::image(m_photo); }
    bool loadPhoto(const QString &path);
    void removePhoto();

    // Spreadsheet exchange. Export writes the rows the list shows, under the list headings, as .xlsx or
    // .csv by the name's suffix, and says whether it worked. Import reads an .xlsx, .xls or .csv file in
    // the same layout, stores the rows the roster's rules take in one transaction (all or none), and
    // reads the list again; lastImport() then tells what was stored and which rows were refused.
    QStringList headings() const;
    bool exportList(const QString &path);
    bool importFile(const QString &path);
    const RosterImport &lastImport() const { return m_lastImport; }

signals:
    void listChanged();
    void fieldsChanged();
    void stateChanged();
    void photoChanged();
    // An import stored its rows (perhaps none) and refused the others; see lastImport().
    void imported();

private:
    void fillList();
    void readGroups();
    void clearFields();
    void setPhoto(const QByteArray &photo, bool replaced);
    bool checkFields(bool forNew);
    int rowOfKeypad(const QString &keypad) const;
    void information(const char *key);
    void error(const char *key);

    const DataRoot &m_root;
    OperatorNotifier &m_notifier;
    TextCatalogue m_catalogue;
    QString m_meetingName;
    std::unique_ptr<MeetingDatabase> m_database;
    DelegateList m_list;
    QStringList m_groups;
    QString m_group;
    int m_row = -1;
    QString m_selectedKeypad;
    QString m_selectedGroup;
    DelegateRecord m_fields;
    QByteArray m_photo;
    bool m_photoReplaced = false;
    RosterImport m_lastImport;
};
