#include "core/store/meetingdatabase.h"

#include <QCryptographicHash>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlRecord>

#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/store/columntext.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingfiles.h"
#include "core/store/meetingjournal.h"

namespace {

// Lists leave the photo out: a roster of a few hundred delegates with pictures would otherwise drag every
// picture through memory for a list that shows none.
QString delegateListColumns()
{
    return QStringLiteral(
        "CellNo,EmpName,EmpSex,Nationality,Unit,Title,Office_phone,delegacy,presidium,SeatNo");
}

QString delegateRecordColumns()
{
    return delegateListColumns() + QStringLiteral(",Grouping");
}

QString delegateInsert()
{
    return QStringLiteral("INSERT INTO Employees (CellNo,EmpName,EmpSex,Nationality,Unit,Title,Office_phone,"
                          "delegacy,presidium,SeatNo,Grouping)VALUES(?,?,?,?,?,?,?,?,?,?,?)");
}

QVariantList delegateValues(const DelegateRecord &r)
{
    return {r.CellNo,       r.EmpName,  r.EmpSex,    r.Nationality, r.Unit,    r.Title,
            r.Office_phone, r.delegacy, r.presidium, r.SeatNo,      r.Grouping};
}

QString jsonText(const QVariantMap &fields)
{
    return QString::fromUtf8(QJsonDocument(QJsonObject::fromVariantMap(fields)).toJson(QJsonDocument::Compact));
}

JournalNote delegateNote(const QString &operation, const QVariantMap &fields)
{
    QVariantMap content = fields;
    content.insert(QStringLiteral("op"), operation);
    return {JournalKind::DelegateChanged, QString(), jsonText(content)};
}

QVariantMap delegateFields(const DelegateRecord &r)
{
    return {{QStringLiteral("CellNo"), r.CellNo},
            {QStringLiteral("EmpName"), r.EmpName},
            {QStringLiteral("EmpSex"), r.EmpSex},
            {QStringLiteral("Nationality"), r.Nationality},
            {QStringLiteral("Unit"), r.Unit},
            {QStringLiteral("Title"), r.Title},
            {QStringLiteral("Office_phone"), r.Office_phone},
            {QStringLiteral("delegacy"), r.delegacy},
            {QStringLiteral("presidium"), r.presidium},
            {QStringLiteral("SeatNo"), r.SeatNo},
            {QStringLiteral("Grouping"), r.Grouping}};
}

QVariantMap motionFields(const MotionRecord &m)
{
    return {{QStringLiteral("OveName"), m.OveName},
            {QStringLiteral("OveType"), m.OveType},
            {QStringLiteral("VoteBase"), m.VoteBase},
            {QStringLiteral("VoteAbet"), m.VoteAbet},
            {QStringLiteral("VoteAbetValue"), m.VoteAbetValue},
            {QStringLiteral("VoteTimelRes"), m.VoteTimelRes},
            {QStringLiteral("VoteTimelValue"), m.VoteTimelValue},
            {QStringLiteral("Unit"), m.Unit},
            {QStringLiteral("ViewPer"), m.ViewPer},
            {QStringLiteral("ViewPass"), m.ViewPass},
            {QStringLiteral("VoteDll"), m.VoteDll},
            {QStringLiteral("ytText"), m.ytText},
            {QStringLiteral("mark"), m.mark},
            {QStringLiteral("VoteState"), m.VoteState},
            {QStringLiteral("insertdate"), m.insertdate}};
}

QString column(const QSqlRecord &row, const QString &name)
{
    QString text;
    readColumn(row, name, text);
    return text;
}

MotionRecord motionFrom(const QSqlRecord &row, MotionRecord m)
{
    readColumn(row, QStringLiteral("OveName"), m.OveName);
    readColumn(row, QStringLiteral("OveType"), m.OveType);
    readColumn(row, QStringLiteral("VoteBase"), m.VoteBase);
    readColumn(row, QStringLiteral("VoteAbet"), m.VoteAbet);
    readColumn(row, QStringLiteral("VoteAbetValue"), m.VoteAbetValue);
    readColumn(row, QStringLiteral("VoteTimelRes"), m.VoteTimelRes);
    readColumn(row, QStringLiteral("VoteTimelValue"), m.VoteTimelValue);
    readColumn(row, QStringLiteral("Unit"), m.Unit);
    readColumn(row, QStringLiteral("ViewPer"), m.ViewPer);
    readColumn(row, QStringLiteral("ViewPass"), m.ViewPass);
    readColumn(row, QStringLiteral("VoteDll"), m.VoteDll);
    readColumn(row, QStringLiteral("ytText"), m.ytText);
    readColumn(row, QStringLiteral("VoteState"), m.VoteState);
    readColumn(row, QStringLiteral("insertdate"), m.insertdate);
    readColumn(row, QStringLiteral("result"), m.result);
    readColumn(row, QStringLiteral("PollTimel"), m.PollTimel);
    readColumn(row, QStringLiteral("rtf"), m.rtf);
    readColumn(row, QStringLiteral("mark"), m.mark);
    readColumn(row, QStringLiteral("candidate"), m.candidate);
    readColumn(row, QStringLiteral("factresult1"), m.factresult1);
    readColumn(row, QStringLiteral("factresult2"), m.factresult2);
    readColumn(row, QStringLiteral("factresult3"), m.factresult3);
    return m;
}

} // namespace

MeetingDatabase::MeetingDatabase(const DataRoot &root, QString meetingName, OperatorNotifier &notifier)
    : m_meetingName(std::move(meetingName)), m_filePath(MeetingFiles::filePath(root, m_meetingName)),
      m_notifier(notifier)
{}

bool MeetingDatabase::usable()
{
    if (!m_filePath.isEmpty())
        return true;
    m_notifier.error(DatabaseAccess::caption(),
                     OperatorText::plain(
                         QStringLiteral("\"%1\" cannot name a meeting database file.").arg(m_meetingName)));
    return false;
}

bool MeetingDatabase::execute(const QString &sql, const QVariantList &values, const JournalNotes &notes)
{
    if (!usable())
        return false;
    DatabaseAccess db(m_filePath, m_notifier);
    if (notes.isEmpty())
        return db.execute(sql, values);
    if (!db.begin())
        return false;
    if (db.execute(sql, values) && MeetingJournal::append(db, notes) && db.commit())
        return true;
    db.rollback();
    return false;
}

JournalNote MeetingDatabase::motionNote(const QString &operation, const QString &OveName, QVariantMap fields)
{
    fields.insert(QStringLiteral("op"), operation);
    return {JournalKind::MotionChanged, OveName, jsonText(fields)};
}

DelegateList MeetingDatabase::delegates(const QString &where, const QVariantList &values)
{
    DelegateList list;
    if (!usable())
        return list;
    DatabaseAccess db(m_filePath, m_notifier);
    const QList<QSqlRecord> rows = db.query(QStringLiteral("select ") + delegateListColumns() +
                                                QStringLiteral(" from Employees ") + where,
                                            values);
    for (const QSqlRecord &row : rows) {
        list.CellNo.append(column(row, QStringLiteral("CellNo")));
        list.EmpName.append(column(row, QStringLiteral("EmpName")));
        list.EmpSex.append(column(row, QStringLiteral("EmpSex")));
        list.Nationality.append(column(row, QStringLiteral("Nationality")));
        list.Unit.append(column(row, QStringLiteral("Unit")));
        list.Title.append(column(row, QStringLiteral("Title")));
        list.Office_phone.append(column(row, QStringLiteral("Office_phone")));
        list.delegacy.append(column(row, QStringLiteral("delegacy")));
        list.presidium.append(column(row, QStringLiteral("presidium")));
        list.SeatNo.append(column(row, QStringLiteral("SeatNo")));
    }
    return list;
}

DelegateList MeetingDatabase::listDelegates()
{
    return delegates(QStringLiteral("order by ID"), {});
}

DelegateList MeetingDatabase::findDelegatesByKeypad(const QString &CellNo)
{
    return delegates(QStringLiteral("where CellNo =?"), {CellNo});
}

DelegateList MeetingDatabase::findDelegatesByName(const QString &EmpName)
{
    return delegates(QStringLiteral("where  EmpName =?"), {EmpName});
}

DelegateList MeetingDatabase::delegatesBySignIn(const QString &sign)
{
    return delegates(QStringLiteral("where sign = ?"), {sign});
}

DelegateList MeetingDatabase::delegatesBySignIns(const QStringList &signs)
{
    if (signs.isEmpty())
        return {};
    QStringList marks;
    QVariantList values;
    for (const QString &sign : signs) {
        marks.append(QStringLiteral("?"));
        values.append(sign);
    }
    return delegates(QStringLiteral("where sign in (") + marks.join(QLatin1Char(',')) +
                         QStringLiteral(") order by ID"),
                     values);
}

bool MeetingDatabase::delegateExists(const QString &CellNo)
{
    if (!usable())
        return false;
    DatabaseAccess db(m_filePath, m_notifier);
    return !db.query(QStringLiteral("select id from Employees where CellNo = ?"), {CellNo}).isEmpty();
}

bool MeetingDatabase::readDelegate(const QString &CellNo, DelegateRecord &record)
{
    if (!usable())
        return false;
    DatabaseAccess db(m_filePath, m_notifier);
    const QList<QSqlRecord> rows =
        db.query(QStringLiteral("select ") + delegateRecordColumns() +
                     QStringLiteral(" from Employees where  CellNo = ? order by ID"),
                 {CellNo});
    if (rows.isEmpty())
        return false;
    const QSqlRecord &row = rows.first();
    readColumn(row, QStringLiteral("CellNo"), record.CellNo);
    readColumn(row, QStringLiteral("EmpName"), record.EmpName);
    readColumn(row, QStringLiteral("EmpSex"), record.EmpSex);
    readColumn(row, QStringLiteral("Nationality"), record.Nationality);
    readColumn(row, QStringLiteral("Unit"), record.Unit);
    readColumn(row, QStringLiteral("Title"), record.Title);
    readColumn(row, QStringLiteral("Office_phone"), record.Office_phone);
    readColumn(row, QStringLiteral("delegacy"), record.delegacy);
    readColumn(row, QStringLiteral("presidium"), record.presidium);
    readColumn(row, QStringLiteral("SeatNo"), record.SeatNo);
    readColumn(row, QStringLiteral("Grouping"), record.Grouping);
    return true;
}

QString MeetingDatabase::delegateName(const QString &CellNo)
{
    if (!usable())
        return {};
    DatabaseAccess db(m_filePath, m_notifier);
    const QList<QSqlRecord> rows =
        db.query(QStringLiteral("select EmpName from Employees where CellNo = ? order by ID"), {CellNo});
    return rows.isEmpty() ? QString() : column(rows.first(), QStringLiteral("EmpName"));
}

bool MeetingDatabase::insertDelegate(const DelegateRecord &r)
{
    return execute(delegateInsert(), delegateValues(r), {delegateNote(QStringLiteral("insert"), delegateFields(r))});
}

bool MeetingDatabase::insertDelegates(const QList<DelegateRecord> &records)
{
    if (!usable())
        return false;
    QList<QVariantList> rows;
    JournalNotes notes;
    rows.reserve(records.size());
    for (const DelegateRecord &r : records) {
        rows.append(delegateValues(r));
        notes.append(delegateNote(QStringLiteral("insert"), delegateFields(r)));
    }
    DatabaseAccess db(m_filePath, m_notifier);
    if (!db.begin())
        return false;
    if (db.executeEach(delegateInsert(), rows) && MeetingJournal::append(db, notes) && db.commit())
        return true;
    db.rollback();
    return false;
}

bool MeetingDatabase::updateDelegate(const QString &previousCellNo, const QString &Grouping,
                                     const DelegateRecord &r)
{
    QVariantMap updated = delegateFields(r);
    updated.insert(QStringLiteral("previousCellNo"), previousCellNo);
    updated.insert(QStringLiteral("Grouping"), Grouping);
    return execute(QStringLiteral("update Employees set CellNo = ?,EmpName= ?,EmpSex = ?,Nationality = ?,"
                                  "Unit = ? ,Title = ?,Office_phone =?,delegacy =?,presidium =?,SeatNo =? "
                                  "where CellNo = ? and Grouping=?"),
                   {r.CellNo, r.EmpName, r.EmpSex, r.Nationality, r.Unit, r.Title, r.Office_phone, r.delegacy,
                    r.presidium, r.SeatNo, previousCellNo, Grouping},
                   {delegateNote(QStringLiteral("update"), updated)});
}

bool MeetingDatabase::deleteDelegate(const QString &CellNo)
{
    return execute(QStringLiteral("delete from Employees where CellNo = ?"), {CellNo},
                   {delegateNote(QStringLiteral("delete"), {{QStringLiteral("CellNo"), CellNo}})});
}

bool MeetingDatabase::deleteAllDelegates()
{
    return execute(QStringLiteral("delete from Employees"), {}, {delegateNote(QStringLiteral("delete all"), {})});
}

bool MeetingDatabase::storePhoto(const QString &rowFilter, const QVariantList &keys, const QByteArray &photo)
{
    if (!usable())
        return false;
    // The photo goes to the first row the filter finds; right after an insert that is the new delegate.
    QVariantList values{photo.isNull() ? QByteArray("") : photo};
    values.append(keys);
    DatabaseAccess db(m_filePath, m_notifier);
    if (!db.begin())
        return false;
    int written = 0;
    // The journal keeps the picture's fingerprint, not its bytes: enough to show which picture was stored.
    QVariantMap fields{{QStringLiteral("CellNo"), keys.last()},
                       {QStringLiteral("photoSha256"),
                        QString::fromLatin1(
                            QCryptographicHash::hash(photo, QCryptographicHash::Sha256).toHex())}};
    if (keys.size() > 1)
        fields.insert(QStringLiteral("Grouping"), keys.first());
    if (!db.execute(
            QStringLiteral("update Employees set Photo = ? where id = (select id from Employees where ") +
                rowFilter + QStringLiteral(" order by id limit 1)"),
            values, &written) ||
        (written > 0 && !MeetingJournal::append(db, {delegateNote(QStringLiteral("photo"), fields)}))) {
        db.rollback();
        return false;
    }
    if (written == 0) {
        db.rollback();
        m_notifier.error(
            DatabaseAccess::caption(),
            OperatorText::plain(QStringLiteral("No delegate with keypad %1 was found; the photo was "
                                               "not stored.")
                                    .arg(keys.last().toString())));
        return false;
    }
    if (db.commit())
        return true;
    db.rollback();
    return false;
}

bool MeetingDatabase::writePhotoByKeypad(const QString &CellNo, const QByteArray &photo)
{
    return storePhoto(QStringLiteral("CellNo = ?"), {CellNo}, photo);
}

bool MeetingDatabase::writePhoto(const QString &Grouping, const QString &CellNo, const QByteArray &photo)
{
    return storePhoto(QStringLiteral("Grouping = ? and CellNo = ?"), {Grouping, CellNo}, photo);
}

QByteArray MeetingDatabase::readPhoto(const QString &Grouping, const QString &CellNo)
{
    if (!usable())
        return {};
    DatabaseAccess db(m_filePath, m_notifier);
    const QList<QSqlRecord> rows = db.query(
        QStringLiteral("select Photo from Employees where Grouping = ? and CellNo = ? order by id limit 1"),
        {Grouping, CellNo});
    if (rows.isEmpty())
        return {};
    const QVariant photo = rows.first().value(0);
    return photo.typeId() == QMetaType::QByteArray ? photo.toByteArray() : QByteArray();
}

bool MeetingDatabase::storeSignIn(const QList<SignInMark> &marks, const JournalNotes &notes)
{
    if (!usable())
        return false;
    QList<QVariantList> signs;
    QList<QVariantList> log;
    signs.reserve(marks.size());
    log.reserve(marks.size());
    for (const SignInMark &m : marks) {
        signs.append({m.sign, m.CellNo});
        log.append({m.CellNo, m.sign});
    }
    DatabaseAccess db(m_filePath, m_notifier);
    if (!db.begin())
        return false;
    if (db.executeEach(QStringLiteral("update Employees set  sign=? where  CellNo=?"), signs) &&
        db.execute(QStringLiteral("delete from SignIn"), {}) &&
        db.executeEach(QStringLiteral("INSERT INTO SignIn (CellNo,sign)VALUES(?,?)"), log) &&
        MeetingJournal::append(db, notes) && db.commit())
        return true;
    db.rollback();
    return false;
}

QList<SignInMark> MeetingDatabase::lastSignIn()
{
    QList<SignInMark> marks;
    if (!usable())
        return marks;
    DatabaseAccess db(m_filePath, m_notifier);
    QHash<QString, qsizetype> at;
    for (const QSqlRecord &row :
         db.query(QStringLiteral("select CellNo, sign from SignIn order by rowid"), {})) {
        const SignInMark mark{column(row, QStringLiteral("CellNo")), column(row, QStringLiteral("sign"))};
        const auto found = at.constFind(mark.CellNo);
        if (found != at.constEnd()) {
            marks[*found] = mark;
        } else {
            at.insert(mark.CellNo, marks.size());
            marks.append(mark);
        }
    }
    return marks;
}

bool MeetingDatabase::clearSignInLog()
{
    return execute(QStringLiteral("delete from SignIn"), {});
}

MotionList MeetingDatabase::listMotions()
{
    MotionList list;
    if (!usable())
        return list;
    DatabaseAccess db(m_filePath, m_notifier);
    for (const QSqlRecord &row : db.query(QStringLiteral("select OveName,OveType,VoteState from Overture "
                                                         "order by ID"))) {
        list.OveName.append(column(row, QStringLiteral("OveName")));
        list.OveType.append(column(row, QStringLiteral("OveType")));
        list.VoteState.append(column(row, QStringLiteral("VoteState")));
    }
    return list;
}

bool MeetingDatabase::motionExists(const QString &OveName)
{
    if (!usable())
        return false;
    DatabaseAccess db(m_filePath, m_notifier);
    return !db.query(QStringLiteral("select id from Overture where OveName = ?"), {OveName}).isEmpty();
}

bool MeetingDatabase::readMotion(const QString &OveName, MotionRecord &record)
{
    if (!usable())
        return false;
    DatabaseAccess db(m_filePath, m_notifier);
    const QList<QSqlRecord> rows =
        db.query(QStringLiteral("select * from Overture where OveName = ? order by ID"), {OveName});
    if (rows.isEmpty())
        return false;
    record = motionFrom(rows.first(), record);
    return true;
}

bool MeetingDatabase::insertMotion(const MotionRecord &m)
{
    return execute(
        QStringLiteral("INSERT INTO Overture (OveName,OveType,VoteBase,VoteAbet,VoteAbetValue,"
                       "VoteTimelRes,VoteTimelValue,Unit,ViewPer,ViewPass,VoteDll,ytText,mark,VoteState,"
                       "insertdate)VALUES(?,?,?,?,?,?,?,?,?,?, ?,?, ?,?,?)"),
        {m.OveName, m.OveType, m.VoteBase, m.VoteAbet, m.VoteAbetValue, m.VoteTimelRes, m.VoteTimelValue,
         m.Unit, m.ViewPer, m.ViewPass, m.VoteDll, m.ytText, m.mark, m.VoteState, m.insertdate},
        {motionNote(QStringLiteral("insert"), m.OveName, motionFields(m))});
}

bool MeetingDatabase::updateMotion(const MotionRecord &m, const JournalNotes &notes)
{
    return execute(
        QStringLiteral("update Overture set OveName=?,OveType=?,VoteBase=?,VoteAbet=?,VoteAbetValue=?,"
                       "VoteTimelRes=?,VoteTimelValue=?,Unit=?,ViewPer=?,ViewPass=?,VoteDll = ?,"
                       "ytText = ? where insertdate =?"),
        {m.OveName, m.OveType, m.VoteBase, m.VoteAbet, m.VoteAbetValue, m.VoteTimelRes, m.VoteTimelValue,
         m.Unit, m.ViewPer, m.ViewPass, m.VoteDll, m.ytText, m.insertdate},
        JournalNotes{motionNote(QStringLiteral("update"), m.OveName, motionFields(m))} + notes);
}

bool MeetingDatabase::deleteMotion(const QString &OveName)
{
    return execute(QStringLiteral("delete from Overture where OveName = ?"), {OveName},
                   {motionNote(QStringLiteral("delete"), OveName, {})});
}

bool MeetingDatabase::storeCandidates(const QString &OveName, const QString &candidate)
{
    return execute(QStringLiteral("update Overture set candidate=? where OveName =?"), {candidate, OveName},
                   {motionNote(QStringLiteral("candidates"), OveName, {{QStringLiteral("candidate"), candidate}})});
}

bool MeetingDatabase::storeContentFile(const QString &insertdate, const QString &rtf)
{
    return execute(QStringLiteral("update Overture set rtf=? where insertdate =?"), {rtf, insertdate},
                   {motionNote(QStringLiteral("document"), QString(),
                               {{QStringLiteral("insertdate"), insertdate}, {QStringLiteral("rtf"), rtf}})});
}

bool MeetingDatabase::storeResult(const QString &OveName, const QString &result, const QString &VoteState,
                                  const QString &PollTimel, const JournalNotes &notes)
{
    return execute(QStringLiteral("update Overture set result=?,VoteState = ?,PollTimel= ? where OveName =?"),
                   {result, VoteState, PollTimel, OveName}, notes);
}

QList<MotionRecord> MeetingDatabase::motions(const QString &where, const QVariantList &values)
{
    QList<MotionRecord> list;
    if (!usable())
        return list;
    DatabaseAccess db(m_filePath, m_notifier);
    for (const QSqlRecord &row : db.query(QStringLiteral("select * from Overture ") + where, values))
        list.append(motionFrom(row, {}));
    return list;
}

QList<MotionRecord> MeetingDatabase::motionsByType(const QString &OveType)
{
    return motions(QStringLiteral("where OveType=? order by ID"), {OveType});
}

QList<MotionRecord> MeetingDatabase::motionsByTypeAndState(const QString &OveType, const QString &VoteState)
{
    return motions(QStringLiteral("where OveType=? and VoteState = ? order by ID"), {OveType, VoteState});
}

QList<MotionRecord> MeetingDatabase::allMotions()
{
    return motions(QStringLiteral("order by ID"), {});
}

QList<MotionRecord> MeetingDatabase::motionsByState(const QString &VoteState)
{
    return motions(QStringLiteral("where VoteState = ? order by ID"), {VoteState});
}
