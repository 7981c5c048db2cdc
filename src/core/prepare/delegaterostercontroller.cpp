#include "core/prepare/delegaterostercontroller.h"

#include <QDir>

#include "core/output/sheetfile.h"
#include "core/base/inputfilter.h"
#include "core/prepare/preparationstatements.h"
#include "core/prepare/rostersheet.h"
#include "core/base/operatornotifier.h"
#include "core/store/meetingdatabase.h"
#include "core/store/textnumber.h"

namespace {

OperatorText rosterText(const char *key)
{
    return OperatorText::catalogue(QStringLiteral("FrmManinfo"), QLatin1String(key));
}

} // namespace

DelegateRosterController::DelegateRosterController(const DataRoot &root, OperatorNotifier &notifier,
                                                   TextCatalogue catalogue, QObject *parent)
    : QObject(parent), m_root(root), m_notifier(notifier), m_catalogue(std::move(catalogue))
{}

DelegateRosterController::~DelegateRosterController() = default;

void DelegateRosterController::information(const char *key)
{
    m_notifier.information(rosterText("clew"), rosterText(key));
}

void DelegateRosterController::error(const char *key)
{
    m_notifier.error(rosterText("clew"), rosterText(key));
}

void DelegateRosterController::setMeeting(const QString &meetingName)
{
    if (!m_database || meetingName != m_meetingName) {
        m_meetingName = meetingName;
        m_database = std::make_unique<MeetingDatabase>(m_root, meetingName, m_notifier);
        m_group.clear();
        clearFields();
        setPhoto({}, false);
    }
    refresh();
}

void DelegateRosterController::refresh()
{
    readGroups();
    fillList();
}

void DelegateRosterController::readGroups()
{
    m_groups = m_database ? PreparationStatements::groupings(*m_database, m_notifier) : QStringList();
}

void DelegateRosterController::fillList()
{
    m_list = m_database ? m_database->listDelegates() : DelegateList();
    m_row = -1;
    m_selectedKeypad.clear();
    m_selectedGroup.clear();
    emit listChanged();
    emit stateChanged();
}

int DelegateRosterController::rowOfKeypad(const QString &keypad) const
{
    return int(m_list.CellNo.indexOf(keypad));
}

void DelegateRosterController::setFields(const DelegateRecord &fields)
{
    m_fields = fields;
    m_fields.CellNo = InputFilter::digitsOnly(fields.CellNo);
}

QString DelegateRosterController::setKeypad(const QString &text)
{
    m_fields.CellNo = InputFilter::digitsOnly(text);
    return m_fields.CellNo;
}

void DelegateRosterController::clearFields()
{
    const QString sex = m_fields.EmpSex;
    m_fields = {};
    m_fields.EmpSex = sex;
    emit fieldsChanged();
}

void DelegateRosterController::setPhoto(const QByteArray &photo, bool replaced)
{
    m_photo = photo;
    m_photoReplaced = replaced;
    emit photoChanged();
}

void DelegateRosterController::select(int row)
{
    if (!m_database || row < 0 || row >= rowCount()) {
        m_row = -1;
        emit stateChanged();
        information("MsgClewSet");
        return;
    }
    DelegateRecord record;
    if (!m_database->readDelegate(m_list.CellNo.at(row), record)) {
        fillList();
        return;
    }
    m_row = row;
    m_selectedKeypad = record.CellNo;
    m_selectedGroup = record.Grouping;
    m_fields = record;
    emit fieldsChanged();
    setPhoto(m_database->readPhoto(m_selectedGroup, m_selectedKeypad), false);
    emit stateChanged();
}

void DelegateRosterController::first()
{
    if (rowCount() > 0)
        select(0);
}

void DelegateRosterController::previous()
{
    if (rowCount() == 0)
        return;
    if (m_row == 0)
        information("MsgUp");
    else
        select(m_row < 0 ? 0 : m_row - 1);
}

void DelegateRosterController::next()
{
    if (rowCount() == 0)
        return;
    if (m_row == rowCount() - 1)
        information("MsgNext");
    else
        select(m_row + 1);
}

void DelegateRosterController::last()
{
    if (rowCount() > 0)
        select(rowCount() - 1);
}

bool DelegateRosterController::checkFields(bool forNew)
{
    if (m_fields.CellNo.isEmpty() || m_fields.EmpName.trimmed().isEmpty()) {
        information("MsgClewNew1");
        return false;
    }
    // A delegate whose keypad can never answer on the link (0, or 250 and above) could never sign in or
    // vote, whether the delegate is new or changed.
    const int number = textNumber(m_fields.CellNo);
    if (number < LowestKeypad || number > HighestKeypad) {
        const QString range = m_catalogue.text(QStringLiteral("FrmManinfo"), QStringLiteral("MsgClewRange"));
        m_notifier.information(rosterText("clew"),
                               OperatorText::plain(range.arg(LowestKeypad).arg(HighestKeypad)));
        return false;
    }
    const QString keypad = InputFilter::canonicalNumber(m_fields.CellNo);
    const bool moves = forNew || keypad != m_selectedKeypad;
    if (moves && m_database->delegateExists(keypad)) {
        information("MsgClewNew3");
        return false;
    }
    return true;
}

bool DelegateRosterController::addDelegate()
{
    if (!m_database || !checkFields(true))
        return false;
    DelegateRecord record = m_fields;
    record.CellNo = InputFilter::canonicalNumber(m_fields.CellNo);
    record.Grouping = m_group;
    if (!m_database->insertDelegate(record))
        return false;
    if (!m_photo.isEmpty())
        m_database->writePhotoByKeypad(record.CellNo, m_photo);
    readGroups();
    fillList();
    information("MsgClewNew4");
    // The next delegate starts from empty fields and no photo, so nothing of this one passes to it.
    clearFields();
    setPhoto({}, false);
    return true;
}

bool DelegateRosterController::changeDelegate()
{
    if (!m_database || m_row < 0 || !checkFields(false))
        return false;
    DelegateRecord record = m_fields;
    record.CellNo = InputFilter::canonicalNumber(m_fields.CellNo);
    record.Grouping = m_selectedGroup;
    if (!m_database->updateDelegate(m_selectedKeypad, m_selectedGroup, record))
        return false;
    // A removed photo is a change too: it is written as empty.
    if (m_photoReplaced)
        m_database->writePhoto(m_selectedGroup, record.CellNo, m_photo);
    fillList();
    information("MsgClewEdit");
    const int row = rowOfKeypad(record.CellNo);
    if (row >= 0)
        select(row);
    return true;
}

bool DelegateRosterController::deleteDelegate()
{
    if (!m_database || m_row < 0)
        return false;
    if (!m_notifier.question(rosterText("clew"), rosterText("MsgClewDel2")))
        return false;
    const int row = m_row;
    if (!m_database->deleteDelegate(m_selectedKeypad))
        return false;
    readGroups();
    fillList();
    if (rowCount() == 0) {
        clearFields();
        setPhoto({}, false);
        return true;
    }
    select(std::min(row, rowCount() - 1));
    return true;
}

bool DelegateRosterController::clearAll()
{
    if (!m_database)
        return false;
    if (!m_notifier.question(rosterText("clew"), rosterText("MsgClewDel1")))
        return false;
    if (!m_database->deleteAllDelegates())
        return false;
    readGroups();
    fillList();
    clearFields();
    setPhoto({}, false);
    return true;
}

bool DelegateRosterController::search(SearchBy by, const QString &text)
{
    if (!m_database)
        return false;
    const QString key = text.trimmed();
    if (key.isEmpty()) {
        information("MsgClewLook");
        return false;
    }
    const bool digits = InputFilter::digitsOnly(key) == key;
    const DelegateList found =
        by == SearchBy::Keypad
            ? m_database->findDelegatesByKeypad(digits ? InputFilter::canonicalNumber(key) : key)
            : m_database->findDelegatesByName(key);
    if (found.size() == 0) {
        information("MsgClewLook1");
        return false;
    }
    m_list = found;
    m_row = -1;
    m_selectedKeypad.clear();
    m_selectedGroup.clear();
    emit listChanged();
    emit stateChanged();
    return true;
}

void DelegateRosterController::setGroup(const QString &group)
{
    m_group = group;
    fillList();
}

bool DelegateRosterController::loadPhoto(const QString &path)
{
    QByteArray photo;
    switch (DelegatePhoto::fromFile(path, photo)) {
    case DelegatePhoto::Load::Stored:
        break;
    case DelegatePhoto::Load::Damaged:
        m_notifier.information(rosterText("clew"), OperatorText::catalogue(QStringLiteral("FrmManinfo"),
                                                                           QStringLiteral("MsgPhotoDamaged"),
                                                                           {QDir::toNativeSeparators(path)}));
        return false;
    case DelegatePhoto::Load::TooLarge:
        m_notifier.information(rosterText("clew"), OperatorText::catalogue(QStringLiteral("FrmManinfo"),
                                                                           QStringLiteral("MsgPhotoTooLarge"),
                                                                           {QDir::toNativeSeparators(path)}));
        return false;
    case DelegatePhoto::Load::Unreadable:
    case DelegatePhoto::Load::NotAPicture:
        information("MsgClewerror");
        return false;
    }
    setPhoto(photo, true);
    return true;
}

void DelegateRosterController::removePhoto()
{
    setPhoto({}, true);
}

QStringList DelegateRosterController::headings() const
{
    return m_catalogue.family(QStringLiteral("FrmManinfo"), QStringLiteral("LstText"), 1, 10);
}

bool DelegateRosterController::exportList(const QString &path)
{
    const SheetFile::Format format = SheetFile::formatOfName(path);
    if (format != SheetFile::Format::Xlsx && format != SheetFile::Format::Csv) {
        information("MsgEduceType");
        return false;
    }
    if (!SheetFile::write(path, RosterSheet::sheetName(), RosterSheet::rows(headings(), m_list),
                          RosterSheet::columnPixels(), 1)) {
        error("MsgEduceFail");
        return false;
    }
    information("MsgClewEduce");
    return true;
}

bool DelegateRosterController::importFile(const QString &path)
{
    if (!m_database)
        return false;
    SheetLimits limits;
    limits.rows = RosterSheet::MostRows;
    limits.columns = RosterSheet::Columns;
    const SheetReading reading = SheetFile::read(path, RosterSheet::sheetName(), limits);
    switch (reading.failure) {
    case SheetReading::Failure::None:
        break;
    case SheetReading::Failure::Unreadable:
        error("MsgLeadOpen");
        return false;
    case SheetReading::Failure::TooLarge:
        error("MsgLeadSize");
        return false;
    case SheetReading::Failure::Protected:
        error("MsgLeadLocked");
        return false;
    default:
        error("MsgLeadDamaged");
        return false;
    }
    if (!RosterSheet::headingMatches(reading.rows, headings())) {
        error("MsgClewErr");
        return false;
    }
    if (reading.rows.size() < 2) {
        information("MsgLeadEmpty");
        return false;
    }

    // The keypads of the meeting are read from the database, not from the list, which may show a search.
    QSet<QString> used;
    const DelegateList stored = m_database->listDelegates();
    for (const QString &keypad : stored.CellNo)
        used.insert(InputFilter::digitsOnly(keypad) == keypad ? InputFilter::canonicalNumber(keypad)
                                                              : keypad);
    RosterImport result = RosterSheet::check(reading.rows, used, m_group);
    if (!result.delegates.isEmpty() && !m_database->insertDelegates(result.delegates)) {
        refresh();
        return false;
    }
    m_lastImport = std::move(result);
    readGroups();
    fillList();
    emit imported();
    return true;
}
