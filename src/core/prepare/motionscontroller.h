#pragma once

#include "core/counting/votetypetable.h"
#include "core/prepare/stampclock.h"
#include "core/base/textcatalogue.h"
#include "core/store/motionrecord.h"

#include <QColor>
#include <QObject>
#include <QSize>

#include <memory>
#include <optional>

class DataRoot;
class MeetingDatabase;
class OperatorNotifier;
class SystemDatabase;
struct DocumentSetup;

// The motions of one meeting (FrmMeeMat): yes/no ballots, elections, scorings and appraisals, one
// `Overture` row each. Which options a motion carries, and what a type stores for the options it does not
// carry, follow the vote type table.
class MotionsController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MotionsController)

public:
    enum class State
    {
        Browsing,
        Selected,
        EditingNew,
        EditingExisting,
    };

    struct Fields
    {
        QString title;
        int type = 0; // vote type number 0..6; -1 while a stored type text is none of them
        int base = 0; // 0 the due count (cbVBaseOne), 1 the present count (cbVBaseTwo)
        int rule = 0; // 0 more than (cbVAberOne), 1 at least (cbVAberTwo)
        QString threshold;
        bool timeLimit = false;
        QString seconds; // one of secondValues(); empty while none is chosen
        bool abstain = false;
        bool percentages = false;
        bool verdict = false;
        bool live = false;
        QString verdictText; // `ytText`

        bool operator==(const Fields &) const = default;
    };

    static constexpr int HighestThreshold = 100;

    // The time limits a ballot may have, in seconds.
    static const QStringList &secondValues();
    // The limit proposed when the time-limit box is ticked with none chosen.
    static QString defaultSeconds() { return QStringLiteral("60"); }

    MotionsController(const DataRoot &root, SystemDatabase &system, OperatorNotifier &notifier,
                      TextCatalogue catalogue, StampClock::Now now = {}, QObject *parent = nullptr);
    ~MotionsController() override;

    // The meeting and its stamp, which names its material folder; reads everything afresh.
    void setMeeting(const QString &meetingName, const QString &meetingStamp);
    // Reads the settings and the list again; nothing is selected afterwards.
    void refresh();

    // The combo items, in the order of the numbers in Fields.
    QStringList typeTexts() const;
    QStringList baseTexts() const;
    QStringList ruleTexts() const;

    const MotionList &list() const { return m_list; }
    int selectedRow() const { return m_row; }
    State state() const { return m_state; }
    const Fields &fields() const { return m_fields; }
    // The selected motion as stored.
    const MotionRecord &record() const { return m_record; }
    // The stored type of the selected motion; none when its text is no type of the current language.
    std::optional<VoteType> selectedType() const;
    // The selected motion has been voted on: its candidates are fixed.
    bool voted() const;

    bool isEditing() const { return m_state == State::EditingNew || m_state == State::EditingExisting; }
    bool canCreate() const { return !isEditing(); }
    bool canEdit() const { return m_state == State::Selected; }
    bool canDelete() const { return m_state == State::Selected; }
    bool canSave() const { return isEditing(); }
    bool canCancel() const { return isEditing(); }
    bool canEditCandidates() const;
    bool canEditContent() const { return m_state == State::Selected; }
    bool listEnabled() const { return !isEditing(); }
    // Whether the control of an option can be changed: while editing, and only when the type carries it.
    bool optionEnabled(MotionOption option) const;
    bool secondsEnabled() const { return isEditing() && m_fields.timeLimit; }
    // The five key scores are shown for scorings: the settings' while editing, else the motion's own.
    bool scoresVisible() const;
    QStringList scores() const;

    QString setTitle(const QString &text);
    // Digits only, and at most 100: the threshold is a percentage.
    QString setThreshold(const QString &text);
    void setType(int type);
    void setBase(int base) { m_fields.base = base; }
    void setRule(int rule) { m_fields.rule = rule; }
    void setTimeLimit(bool on);
    void setSeconds(const QString &seconds) { m_fields.seconds = seconds; }
    void setAbstain(bool on) { m_fields.abstain = on; }
    void setPercentages(bool on) { m_fields.percentages = on; }
    void setVerdict(bool on) { m_fields.verdict = on; }
    void setLive(bool on) { m_fields.live = on; }
    void setVerdictText(const QString &text) { m_fields.verdictText = text; }

    // A negative row clears the selection.
    void select(int row);
    void startNew();
    void startEdit();
    void cancel();
    bool save();
    // Asks first; the motion's content document goes with it.
    bool remove();

    // The candidate list as the candidate window returns it; an empty list changes nothing.
    bool storeCandidates(const QString &candidate);
    // The content editor's setup for the selected motion, and what follows when the editor saved.
    DocumentSetup contentSetup() const;
    void contentSaved();

signals:
    void listChanged();
    void fieldsChanged();
    void stateChanged();

private:
    const VoteTypeInfo &typeInfo() const;
    void fillList();
    void setState(State state);
    void showRecord();
    int rowOf(const QString &title) const;
    MotionRecord recordFromFields(MotionRecord record) const;
    QString text(const char *key) const;
    void information(const char *key);

    const DataRoot &m_root;
    SystemDatabase &m_system;
    OperatorNotifier &m_notifier;
    TextCatalogue m_catalogue;
    StampClock m_clock;
    QString m_meetingName;
    QString m_meetingStamp;
    std::unique_ptr<MeetingDatabase> m_database;
    MotionList m_list;
    int m_row = -1;
    State m_state = State::Browsing;
    Fields m_fields;
    MotionRecord m_record;
    QString m_settingsMark;
    bool m_percentagesByDefault = false;
    bool m_verdictByDefault = false;
    QSize m_screenSize;
    QColor m_screenBackground;
    QColor m_screenText;
};
