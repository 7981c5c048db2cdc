#include "core/store/systemdatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/store/columntext.h"
#include "core/store/databaseaccess.h"

namespace {

// The key of the single rows of `sysbasicset` and `Manage`.
QString tag()
{
    return QStringLiteral("tag");
}

// The small counts and switches are INTEGER columns; callers still see them as decimal texts.
QStringList createStatements()
{
    return {
        QStringLiteral(
            "create table sysbasicset (Tag TEXT, cellnum INTEGER, cinnum INTEGER, comHigh INTEGER, "
            "comlow INTEGER, ScrSize TEXT, ScrColor TEXT, ScrTextColor TEXT, SeatYesORNo TEXT, ico TEXT, "
            "UserPass TEXT, per INTEGER, Pass INTEGER, mark TEXT)"),
        QStringLiteral(
            "create table Manage (tag TEXT, borderism TEXT, function TEXT, mianbmp TEXT, logobmp TEXT)"),
        QStringLiteral("create table pass (ScrSize TEXT, ScrColor TEXT)"),
        // "limit" is a keyword of SQLite's dialect and is quoted wherever it appears.
        QStringLiteral(
            "create table Mottag (ID INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL, MeeName TEXT, "
            "MeeAddr TEXT, DateStart TEXT, DateEnd TEXT, DueNum TEXT, bSetLimit TEXT, \"limit\" TEXT, "
            "insertdate TEXT, SignIn TEXT, bannerPath TEXT)"),
    };
}

void removeWithSidecars(const QString &path)
{
    for (const QString &suffix :
         {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        QFile::remove(path + suffix);
}

MeetingRecord meetingFrom(const QSqlRecord &row, MeetingRecord record)
{
    readColumn(row, QStringLiteral("MeeName"), record.MeeName);
    readColumn(row, QStringLiteral("MeeAddr"), record.MeeAddr);
    readColumn(row, QStringLiteral("DateStart"), record.DateStart);
    readColumn(row, QStringLiteral("DateEnd"), record.DateEnd);
    readColumn(row, QStringLiteral("insertdate"), record.insertdate);
    readColumn(row, QStringLiteral("DueNum"), record.DueNum);
    readColumn(row, QStringLiteral("bSetLimit"), record.bSetLimit);
    readColumn(row, QStringLiteral("limit"), record.limit);
    readColumn(row, QStringLiteral("SignIn"), record.SignIn);
    readColumn(row, QStringLiteral("bannerPath"), record.bannerPath);
    return record;
}

} // namespace

SettingsRecord SystemDatabase::factorySettings()
{
    SettingsRecord s;
    s.cellnum = QStringLiteral("100");
    s.cinnum = QStringLiteral("1");
    s.comHigh = QStringLiteral("8");
    s.comlow = QStringLiteral("1");
    s.ScrSize = QStringLiteral("1024*768");
    s.ScrColor = QStringLiteral("16711680");
    s.ScrTextColor = QStringLiteral("16777215");
    s.SeatYesORNo = QStringLiteral("No");
    s.ico = QString();
    s.UserPass = factoryPassword();
    s.per = QStringLiteral("1");
    s.Pass = QStringLiteral("1");
    s.mark = QStringLiteral("0:25:50:75:100:");
    return s;
}

InstallationRecord SystemDatabase::factoryInstallation()
{
    return {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("MainBmp.bmp"),
            QStringLiteral("LogoBmp.bmp")};
}

SystemDatabase::SystemDatabase(const DataRoot &root, OperatorNotifier &notifier)
    : m_filePath(root.filePath(relativePath())), m_notifier(notifier)
{}

QString SystemDatabase::damage() const
{
    const QFileInfo info(m_filePath);
    if (info.size() == 0)
        return QStringLiteral("0 bytes");
    QString problem;
    bool busy = false;
    {
        const QString name = QStringLiteral("quorix-check-") + QString::number(quintptr(this));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_filePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            problem = db.lastError().text();
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
                // A running console holds the file for a moment: busy is not damage.
                const QString code = q.lastError().nativeErrorCode();
                busy = code == u"5" || code == u"6";
                problem = q.lastError().text();
            } else if (q.value(0).toString() != u"ok")
                problem = q.value(0).toString();
            for (const char *table : {"sysbasicset", "Manage", "pass", "Mottag"}) {
                if (!problem.isEmpty())
                    break;
                if (!q.exec(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(table)) || !q.next())
                    problem = q.lastError().text();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("quorix-check-") + QString::number(quintptr(this)));
    return busy ? QString() : problem;
}

bool SystemDatabase::openAtStart()
{
    const QFileInfo info(m_filePath);
    const QFileInfo folder(info.absolutePath());
    const OperatorText caption =
        OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgSysDbClew"));
    const QString shownPath = QDir::toNativeSeparators(m_filePath);
    if (info.exists() && (!info.isReadable() || !info.isWritable() || !folder.isWritable())) {
        m_notifier.error(caption, OperatorText::catalogue(QStringLiteral("Public"),
                                                          QStringLiteral("MsgSysDbLocked"), {shownPath}));
        return false;
    }
    if (!info.exists())
        return ensureExists();
    const QString problem = damage();
    if (problem.isEmpty())
        return true;
    const QString aside = m_filePath + QStringLiteral(".damaged-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
    if (!m_notifier.question(
            caption, OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgSysDbDamaged"),
                                             {shownPath, problem, QDir::toNativeSeparators(aside)})))
        return false;
    // The sidecars go with it: a new file must not pick up the damaged one's write-ahead log.
    for (const QString &suffix :
         {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
        if (QFileInfo::exists(m_filePath + suffix) && !QFile::rename(m_filePath + suffix, aside + suffix)) {
            m_notifier.error(
                caption, OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgSysDbLocked"),
                                                 {QDir::toNativeSeparators(m_filePath + suffix)}));
            return false;
        }
    }
    if (!QFile::rename(m_filePath, aside)) {
        m_notifier.error(caption, OperatorText::catalogue(QStringLiteral("Public"),
                                                          QStringLiteral("MsgSysDbLocked"), {shownPath}));
        return false;
    }
    return ensureExists();
}

bool SystemDatabase::ensureExists()
{
    if (QFileInfo::exists(m_filePath))
        return true;
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    const QString building = m_filePath + QStringLiteral(".new");
    removeWithSidecars(building);

    bool built = false;
    {
        DatabaseAccess db(building, m_notifier);
        if (!db.open(DatabaseAccess::OpenMode::Create))
            return false;
        const SettingsRecord s = factorySettings();
        const InstallationRecord m = factoryInstallation();
        const ScreenSetupRecord p;
        built = db.begin();
        for (const QString &statement : createStatements())
            built = built && db.execute(statement);
        built =
            built &&
            db.execute(QStringLiteral("INSERT INTO sysbasicset (Tag,cellnum,cinnum,comHigh,comlow,ScrSize,"
                                      "ScrColor,ScrTextColor,SeatYesORNo,ico,UserPass,per,Pass,mark)"
                                      "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                       {tag(), s.cellnum, s.cinnum, s.comHigh, s.comlow, s.ScrSize, s.ScrColor,
                        s.ScrTextColor, s.SeatYesORNo, s.ico, s.UserPass, s.per, s.Pass, s.mark});
        built =
            built && db.execute(QStringLiteral("INSERT INTO Manage (tag,borderism,function,mianbmp,logobmp)"
                                               "VALUES(?,?,?,?,?)"),
                                {tag(), m.borderism, m.function, m.mianbmp, m.logobmp});
        built = built && db.execute(QStringLiteral("INSERT INTO pass (ScrSize,ScrColor)VALUES(?,?)"),
                                    {p.ScrSize, p.ScrColor});
        built = built && db.commit();
        if (!built)
            db.rollback();
    }
    if (built) {
        QFile file(building);
        if (file.rename(m_filePath))
            return true;
        m_notifier.error(
            DatabaseAccess::caption(),
            OperatorText::plain(QStringLiteral("The system database %1 could not be put in place: %2")
                                    .arg(QDir::toNativeSeparators(m_filePath), file.errorString())));
    }
    removeWithSidecars(building);
    return false;
}

SettingsRecord SystemDatabase::loadSettings()
{
    SettingsRecord s;
    DatabaseAccess db(m_filePath, m_notifier);
    const QList<QSqlRecord> rows =
        db.query(QStringLiteral("select * from sysbasicset  where Tag = ?"), {tag()});
    if (rows.isEmpty())
        return s;
    const QSqlRecord &row = rows.first();
    readColumn(row, QStringLiteral("cellnum"), s.cellnum);
    readColumn(row, QStringLiteral("cinnum"), s.cinnum);
    readColumn(row, QStringLiteral("comlow"), s.comlow);
    readColumn(row, QStringLiteral("comHigh"), s.comHigh);
    readColumn(row, QStringLiteral("ScrTextColor"), s.ScrTextColor);
    readColumn(row, QStringLiteral("ScrSize"), s.ScrSize);
    readColumn(row, QStringLiteral("ScrColor"), s.ScrColor);
    readColumn(row, QStringLiteral("UserPass"), s.UserPass);
    readColumn(row, QStringLiteral("SeatYesORNo"), s.SeatYesORNo);
    readColumn(row, QStringLiteral("ico"), s.ico);
    readColumn(row, QStringLiteral("per"), s.per);
    readColumn(row, QStringLiteral("Pass"), s.Pass);
    readColumn(row, QStringLiteral("mark"), s.mark);
    return s;
}

bool SystemDatabase::updateSettings(const QString &assignments, QVariantList values)
{
    values.append(tag());
    DatabaseAccess db(m_filePath, m_notifier);
    return db.execute(
        QStringLiteral("update sysbasicset set ") + assignments + QStringLiteral(" where Tag = ?"), values);
}

bool SystemDatabase::setKeypadCount(const QString &cellnum)
{
    return updateSettings(QStringLiteral("cellnum=?"), {cellnum});
}

bool SystemDatabase::setPortRange(const QString &comlow, const QString &comHigh)
{
    return updateSettings(QStringLiteral("comlow=?,comHigh=?"), {comlow, comHigh});
}

bool SystemDatabase::setScreenSize(const QString &ScrSize)
{
    return updateSettings(QStringLiteral("ScrSize=?"), {ScrSize});
}

bool SystemDatabase::setScreenColor(quint32 ScrColor)
{
    return updateSettings(QStringLiteral("ScrColor=?"), {QString::number(ScrColor)});
}

bool SystemDatabase::setScreenTextColor(quint32 ScrTextColor)
{
    return updateSettings(QStringLiteral("ScrTextColor=?"), {QString::number(ScrTextColor)});
}

bool SystemDatabase::setUserPass(const QString &UserPass)
{
    return updateSettings(QStringLiteral("UserPass = ?"), {UserPass});
}

bool SystemDatabase::setBallotDefaults(const QString &per, const QString &Pass, const QString &mark)
{
    return updateSettings(QStringLiteral("per=?,Pass =?,mark =?"), {per, Pass, mark});
}

bool SystemDatabase::setReservedCount(const QString &cinnum)
{
    return updateSettings(QStringLiteral("cinnum = ?"), {cinnum});
}

bool SystemDatabase::setSeatPlanSelection(const QString &SeatYesORNo)
{
    return updateSettings(QStringLiteral("SeatYesORNo=?"), {SeatYesORNo});
}

bool SystemDatabase::setSeatPlanPicture(const QString &ico)
{
    return updateSettings(QStringLiteral("ico=?"), {ico});
}

InstallationRecord SystemDatabase::loadInstallation()
{
    InstallationRecord m;
    DatabaseAccess db(m_filePath, m_notifier);
    const QList<QSqlRecord> rows = db.query(QStringLiteral("select * from Manage where tag = ?"), {tag()});
    if (rows.isEmpty())
        return m;
    const QSqlRecord &row = rows.first();
    readColumn(row, QStringLiteral("borderism"), m.borderism);
    readColumn(row, QStringLiteral("function"), m.function);
    readColumn(row, QStringLiteral("mianbmp"), m.mianbmp);
    readColumn(row, QStringLiteral("logobmp"), m.logobmp);
    return m;
}

ScreenSetupRecord SystemDatabase::loadScreenSetup()
{
    ScreenSetupRecord p;
    DatabaseAccess db(m_filePath, m_notifier);
    for (const QSqlRecord &row : db.query(QStringLiteral("select * from pass"))) {
        const ScreenSetupRecord defaults;
        p = defaults;
        readColumn(row, QStringLiteral("ScrSize"), p.ScrSize);
        readColumn(row, QStringLiteral("ScrColor"), p.ScrColor);
    }
    return p;
}

bool SystemDatabase::setScreenSetupSize(const QString &ScrSize)
{
    DatabaseAccess db(m_filePath, m_notifier);
    return db.execute(QStringLiteral("update pass set ScrSize=?"), {ScrSize});
}

bool SystemDatabase::setScreenSetupColor(quint32 ScrColor)
{
    DatabaseAccess db(m_filePath, m_notifier);
    return db.execute(QStringLiteral("update pass set ScrColor=?"), {QString::number(ScrColor)});
}

MeetingList SystemDatabase::listMeetings()
{
    MeetingList list;
    DatabaseAccess db(m_filePath, m_notifier);
    for (const QSqlRecord &row : db.query(QStringLiteral("select * from Mottag order by ID"))) {
        QString name;
        QString start;
        readColumn(row, QStringLiteral("MeeName"), name);
        readColumn(row, QStringLiteral("DateStart"), start);
        list.MeeName.append(name);
        list.DateStart.append(start);
    }
    return list;
}

bool SystemDatabase::readMeeting(const QString &MeeName, MeetingRecord &record)
{
    DatabaseAccess db(m_filePath, m_notifier);
    const QList<QSqlRecord> rows =
        db.query(QStringLiteral("select * from Mottag where MeeName = ?"), {MeeName});
    if (rows.isEmpty())
        return false;
    record = meetingFrom(rows.first(), record);
    return true;
}

bool SystemDatabase::meetingExists(const QString &MeeName)
{
    DatabaseAccess db(m_filePath, m_notifier);
    return !db.query(QStringLiteral("select * from Mottag where MeeName = ?"), {MeeName}).isEmpty();
}

bool SystemDatabase::insertMeeting(const MeetingRecord &r)
{
    DatabaseAccess db(m_filePath, m_notifier);
    return db.execute(
        QStringLiteral("INSERT INTO Mottag (MeeName,MeeAddr,DateStart,DateEnd,DueNum,bSetLimit,"
                       "\"limit\",insertdate)VALUES(?,?,?,?,?,?,?,?)"),
        {r.MeeName, r.MeeAddr, r.DateStart, r.DateEnd, r.DueNum, r.bSetLimit, r.limit, r.insertdate});
}

bool SystemDatabase::updateMeeting(const MeetingRecord &r)
{
    DatabaseAccess db(m_filePath, m_notifier);
    return db.execute(
        QStringLiteral("update Mottag set MeeName=?,MeeAddr=?,DateStart=?,DateEnd=?,DueNum =?,"
                       "bSetLimit =?,\"limit\" =? where insertdate=?"),
        {r.MeeName, r.MeeAddr, r.DateStart, r.DateEnd, r.DueNum, r.bSetLimit, r.limit, r.insertdate});
}

bool SystemDatabase::deleteMeeting(const QString &MeeName)
{
    DatabaseAccess db(m_filePath, m_notifier);
    return db.execute(QStringLiteral("delete from Mottag where MeeName = ?"), {MeeName});
}

bool SystemDatabase::recordSignInCount(const QString &MeeName, const QString &SignIn)
{
    DatabaseAccess db(m_filePath, m_notifier);
    return db.execute(QStringLiteral("update Mottag set SignIn=? where MeeName =?"), {SignIn, MeeName});
}

bool SystemDatabase::recordBanner(const QString &insertdate, const QString &bannerPath)
{
    DatabaseAccess db(m_filePath, m_notifier);
    return db.execute(QStringLiteral("update Mottag set bannerPath=? where insertdate =?"),
                      {bannerPath, insertdate});
}
