#include "core/prepare/meetingregistercontroller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/output/screengeometry.h"
#include "core/prepare/documenteditorcontroller.h"
#include "core/base/inputfilter.h"
#include "core/prepare/meetingmaterial.h"
#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/store/meetingchangejournal.h"
#include "core/store/meetingfiles.h"
#include "core/store/systemdatabase.h"
#include "core/store/textnumber.h"

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd");

OperatorText registerText(const char *key)
{
    return OperatorText::catalogue(QStringLiteral("FrmMeeset"), QLatin1String(key));
}

} // namespace

QString MeetingRegisterController::dateText(QDate date)
{
    return date.toString(DateFormat);
}

QDate MeetingRegisterController::dateFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    for (const QString &format : {DateFormat, QStringLiteral("yyyy-M-d"), QStringLiteral("yyyy/M/d"),
                                  QStringLiteral("yyyy.M.d"), QStringLiteral("yyyy年M月d日")}) {
        const QDate date = QDate::fromString(trimmed, format);
        if (date.isValid())
            return date;
    }
    return {};
}

MeetingRegisterController::MeetingRegisterController(const DataRoot &root, SystemDatabase &system,
                                                     OperatorNotifier &notifier, TextCatalogue catalogue,
                                                     StampClock::Now now, QObject *parent)
    : QObject(parent), m_root(root), m_system(system), m_notifier(notifier),
      m_catalogue(std::move(catalogue)), m_clock(std::move(now))
{}

void MeetingRegisterController::open()
{
    const SettingsRecord settings = m_system.loadSettings();
    m_screenSize = ScreenGeometry::sizeFromText(settings.ScrSize);
    m_screenBackground = ScreenGeometry::colourFromText(settings.ScrColor);
    m_screenText = ScreenGeometry::colourFromText(settings.ScrTextColor);
    m_row = -1;
    m_record = {};
    m_fields = {};
    fillList();
    setState(State::Browsing);
    emit fieldsChanged();
}

void MeetingRegisterController::fillList()
{
    m_list = m_system.listMeetings();
    emit listChanged();
}

void MeetingRegisterController::setState(State state)
{
    m_state = state;
    emit stateChanged();
}

int MeetingRegisterController::rowOf(const QString &name) const
{
    return int(m_list.MeeName.indexOf(name));
}

void MeetingRegisterController::information(const char *key)
{
    m_notifier.information(registerText("MsgClew"), registerText(key));
}

bool MeetingRegisterController::refusedWhileOpen(const QString &name)
{
    if (m_openMeeting.isEmpty() || name != m_openMeeting)
        return false;
    information("MsgClewOpen");
    return true;
}

QString MeetingRegisterController::setName(const QString &text)
{
    m_fields.name = InputFilter::meetingName(text);
    return m_fields.name;
}

QString MeetingRegisterController::setPlace(const QString &text)
{
    m_fields.place = InputFilter::withoutQuotes(text);
    return m_fields.place;
}

QString MeetingRegisterController::setDue(const QString &text)
{
    m_fields.due = InputFilter::digitsOnly(text);
    return m_fields.due;
}

QString MeetingRegisterController::setRatio(const QString &text)
{
    m_fields.ratio = InputFilter::digitsOnly(text);
    return m_fields.ratio;
}

void MeetingRegisterController::setQuorum(bool on)
{
    m_fields.quorum = on;
    m_fields.ratio = on ? QStringLiteral("50") : QStringLiteral("0");
    emit fieldsChanged();
    emit stateChanged();
}

void MeetingRegisterController::showRecord()
{
    m_fields = {};
    m_fields.name = m_record.MeeName;
    m_fields.place = m_record.MeeAddr;
    m_fields.start = m_record.DateStart;
    m_fields.end = m_record.DateEnd;
    m_fields.due = m_record.DueNum;
    // Any other stored value leaves the box clear with no ratio, as "2" does.
    m_fields.quorum = m_record.bSetLimit == u"1";
    m_fields.ratio = m_fields.quorum ? m_record.limit : QStringLiteral("0");
    emit fieldsChanged();
}

void MeetingRegisterController::select(int row)
{
    if (isEditing())
        return;
    if (row < 0 || row >= m_list.size()) {
        m_row = -1;
        m_record = {};
        setState(State::Browsing);
        return;
    }
    MeetingRecord record;
    if (!m_system.readMeeting(m_list.MeeName.at(row), record)) {
        // Gone since the list was read (or unreadable): show what the database holds now.
        m_row = -1;
        m_record = {};
        fillList();
        setState(State::Browsing);
        return;
    }
    m_row = row;
    m_record = record;
    showRecord();
    setState(State::Selected);
}

void MeetingRegisterController::startNew()
{
    if (isEditing())
        return;
    m_fields = {};
    const QString today = dateText(QDate::currentDate());
    m_fields.start = today;
    m_fields.end = today;
    m_fields.ratio = QStringLiteral("0");
    emit fieldsChanged();
    setState(State::EditingNew);
}

void MeetingRegisterController::startEdit()
{
    if (m_state != State::Selected)
        return;
    setState(State::EditingExisting);
}

void MeetingRegisterController::cancel()
{
    if (m_state == State::EditingExisting) {
        // The fields go back to what is stored: abandoned changes are not shown as the meeting's.
        showRecord();
        setState(State::Selected);
    } else if (m_state == State::EditingNew) {
        m_row = -1;
        m_record = {};
        m_fields = {};
        emit fieldsChanged();
        setState(State::Browsing);
    }
}

MeetingRecord MeetingRegisterController::recordFromFields(const QString &name) const
{
    MeetingRecord r = m_state == State::EditingExisting ? m_record : MeetingRecord{};
    r.MeeName = name;
    r.MeeAddr = m_fields.place;
    r.DateStart = m_fields.start;
    r.DateEnd = m_fields.end;
    r.DueNum = InputFilter::canonicalNumber(m_fields.due);
    r.bSetLimit = m_fields.quorum ? QStringLiteral("1") : QStringLiteral("2");
    r.limit = m_fields.quorum ? InputFilter::canonicalNumber(m_fields.ratio) : QStringLiteral("0");
    return r;
}

bool MeetingRegisterController::save()
{
    if (!isEditing())
        return false;
    const QString name = m_fields.name.trimmed();
    if (name.isEmpty()) {
        information("MsgClew1");
        return false;
    }
    if (!MeetingFiles::isUsableName(name)) {
        information("MsgClew5");
        return false;
    }
    if (m_fields.due.isEmpty() || textNumber(m_fields.due) == 0) {
        m_notifier.information(registerText("MsgClew"), registerText("MsgDueNum"));
        return false;
    }
    const bool stored = m_state == State::EditingNew ? saveNew(name) : saveExisting(name);
    if (stored)
        setState(State::Selected);
    return stored;
}

QString MeetingRegisterController::freshStamp()
{
    // A material folder already there belongs to a meeting made within the same second, or to one whose
    // row is gone: either way the stamp is taken.
    QString stamp = m_clock.next();
    while (QFileInfo::exists(MeetingMaterial::folderPath(m_root, stamp)))
        stamp = m_clock.next();
    return stamp;
}

bool MeetingRegisterController::saveNew(const QString &name)
{
    if (m_system.meetingExists(name)) {
        information("MsgClew2");
        return false;
    }
    MeetingRecord record = recordFromFields(name);
    record.insertdate = freshStamp();
    if (!m_system.insertMeeting(record))
        return false;
    fillList();
    m_row = rowOf(name);
    if (m_row < 0)
        m_row = int(m_list.size()) - 1;
    m_record = record;
    m_system.readMeeting(name, m_record);
    showRecord();
    createMaterialFolder(record.insertdate);
    // A database that could not be made has no journal; the operator was told why.
    if (MeetingFiles::create(m_root, name, m_notifier))
        journal(MeetingChangeJournal::Created);
    return true;
}

void MeetingRegisterController::createMaterialFolder(const QString &insertdate)
{
    const QString folder = MeetingMaterial::folderPath(m_root, insertdate);
    if (!folder.isEmpty() && QDir().mkpath(folder))
        return;
    const QString text = QStringLiteral("%1\"%2\"%3")
                             .arg(m_catalogue.text(QStringLiteral("FrmMeeset"), QStringLiteral("MsgClew3")),
                                  QDir::toNativeSeparators(folder),
                                  m_catalogue.text(QStringLiteral("FrmMeeset"), QStringLiteral("MsgClew4")));
    m_notifier.information(registerText("MsgClew"), OperatorText::plain(text));
}

bool MeetingRegisterController::saveExisting(const QString &name)
{
    const QString storedName = m_record.MeeName;
    if (name != storedName) {
        // The conference would go on writing to the database under the old name, which no longer opens.
        if (refusedWhileOpen(storedName))
            return false;
        if (m_system.meetingExists(name)) {
            information("MsgClew2");
            return false;
        }
        // A meeting renamed while its database stays under the old name would open an empty or a
        // stranger's database from then on, so a move that fails keeps the old name.
        const QString oldFile = MeetingFiles::filePath(m_root, storedName);
        if (!oldFile.isEmpty() && QFileInfo::exists(oldFile) &&
            !MeetingFiles::rename(m_root, storedName, name)) {
            information("MsgClew6");
            return false;
        }
    }
    const MeetingRecord record = recordFromFields(name);
    if (!m_system.updateMeeting(record)) {
        fillList();
        return false;
    }
    fillList();
    m_row = rowOf(name);
    m_record = record;
    showRecord();
    if (name != storedName)
        journal(MeetingChangeJournal::Renamed, storedName);
    else
        journal(MeetingChangeJournal::Updated);
    return true;
}

bool MeetingRegisterController::remove()
{
    if (m_state != State::Selected || refusedWhileOpen(m_record.MeeName))
        return false;
    if (!m_notifier.question(registerText("MsgClew"), registerText("MsgDelinfo")))
        return false;
    const MeetingRecord gone = m_record;
    // The files go only once the row is gone: a meeting still listed keeps everything it had.
    if (!m_system.deleteMeeting(gone.MeeName)) {
        fillList();
        return false;
    }
    fillList();
    MeetingFiles::remove(m_root, gone.MeeName);
    const QString folder = MeetingMaterial::folderPath(m_root, gone.insertdate);
    if (!folder.isEmpty())
        QDir(folder).removeRecursively();
    if (!gone.bannerPath.isEmpty()) {
        const QString banner = MeetingMaterial::bannerPath(m_root, gone.bannerPath);
        if (!banner.isEmpty())
            QFile::remove(banner);
    }
    m_row = -1;
    m_record = {};
    m_fields = {};
    emit fieldsChanged();
    setState(State::Browsing);
    return true;
}

DocumentSetup MeetingRegisterController::bannerSetup() const
{
    DocumentSetup setup;
    setup.mode = DocumentSetup::Mode::Banner;
    setup.title = m_record.MeeName;
    setup.storedName = m_record.bannerPath;
    setup.baseName = m_record.insertdate;
    setup.width = m_screenSize.width();
    setup.background = m_screenBackground;
    setup.text = m_screenText;
    return setup;
}

void MeetingRegisterController::bannerSaved()
{
    if (m_state != State::Selected)
        return;
    const QString bannerPath = MeetingMaterial::documentName(m_record.insertdate);
    if (!m_system.recordBanner(m_record.insertdate, bannerPath))
        return;
    m_record.bannerPath = bannerPath;
    journal(MeetingChangeJournal::BannerSaved);
}

// After the row's commit: the meeting stays stored as saved even when its journal cannot take the entry,
// and the operator is told so rather than the change being undone behind the window's back.
void MeetingRegisterController::journal(const QString &operation, const QString &previousName)
{
    MeetingChangeJournal::record(m_root, m_system, m_record.MeeName, operation, m_notifier, previousName);
}
