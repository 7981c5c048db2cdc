#include "core/store/meetingdatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "core/base/dataroot.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingfiles.h"
#include "recordingnotifier.h"

class TestMeetingDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init();

    // Creation, move and deletion of the files.
    void creationMakesTheTablesInOrder();
    void existingFileAnsweredNoKeepsItsData();
    void existingFileAnsweredYesStartsAfresh();
    void fileThatCannotBeDeletedShowsExport2();
    void fileThatCannotBeCreatedShowsExport3();
    void nameThatIsNoFileNameIsRefused_data();
    void nameThatIsNoFileNameIsRefused();
    void renameMovesTheFileAndDeleteRemovesIt();
    void renameOntoAnExistingMeetingFails();
    void missingMeetingFileIsOneMessageAndNothingRead();

    // Delegates.
    void delegateRoundTrip();
    void quotesInDelegateValuesAreStoredExactly_data();
    void quotesInDelegateValuesAreStoredExactly();
    void updateFindsTheRowByPreviousKeypadAndGroup();
    void deleteByKeypadRemovesEveryGroup();
    void photoOfAThousandBytesReadsBackTheSame();
    void emptyPhotoReadsBackAsNone();
    void photoFollowsTheGroup();
    void photoForAMissingRowIsOneMessage();
    void signInStoresEveryMarkAndLogsInOrder();
    void signInThatFailsWritesNothing();

    // Motions.
    void motionRoundTrip();
    void motionUpdatesAndSingleColumnWrites();
    void motionQueriesByTypeAndState();
    void quotesInMotionTitlesAreStoredExactly_data();
    void quotesInMotionTitlesAreStoredExactly();

private:
    QString create(const QString &name = QStringLiteral("Board"));
    QList<QSqlRecord> rows(const QString &name, const QString &sql);
    static DelegateRecord delegate(const QString &keypad, const QString &name, const QString &group = {});
    static MotionRecord motion(const QString &title, const QString &stamp);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataRoot> m_root;
    RecordingNotifier m_notifier;
};

void TestMeetingDatabase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_root = std::make_unique<DataRoot>(m_dir->path());
    m_notifier.clear();
}

QString TestMeetingDatabase::create(const QString &name)
{
    RecordingNotifier quiet;
    if (!MeetingFiles::create(*m_root, name, quiet))
        qWarning("creating %s failed", qPrintable(name));
    return MeetingFiles::filePath(*m_root, name);
}

QList<QSqlRecord> TestMeetingDatabase::rows(const QString &name, const QString &sql)
{
    RecordingNotifier quiet;
    DatabaseAccess db(MeetingFiles::filePath(*m_root, name), quiet);
    return db.query(sql);
}

DelegateRecord TestMeetingDatabase::delegate(const QString &keypad, const QString &name, const QString &group)
{
    DelegateRecord r;
    r.CellNo = keypad;
    r.EmpName = name;
    r.EmpSex = QStringLiteral("F");
    r.Nationality = QStringLiteral("Irish");
    r.Unit = QStringLiteral("Works council");
    r.Title = QStringLiteral("Chair");
    r.Office_phone = QStringLiteral("+353 1 555 0101");
    r.delegacy = QStringLiteral("North");
    r.presidium = QStringLiteral("yes");
    r.SeatNo = QStringLiteral("A-") + keypad;
    r.Grouping = group;
    return r;
}

MotionRecord TestMeetingDatabase::motion(const QString &title, const QString &stamp)
{
    MotionRecord m;
    m.OveName = title;
    m.OveType = QStringLiteral("Yes/No");
    m.VoteBase = QStringLiteral("Present");
    m.VoteAbet = QStringLiteral("Over");
    m.VoteAbetValue = QStringLiteral("50");
    m.VoteTimelRes = QStringLiteral("1");
    m.VoteTimelValue = QStringLiteral("60");
    m.Unit = QStringLiteral("2");
    m.ViewPer = QStringLiteral("1");
    m.ViewPass = QStringLiteral("1");
    m.VoteDll = QStringLiteral("2");
    m.ytText = QStringLiteral("Motion");
    m.mark = QStringLiteral("0:25:50:75:100:");
    m.VoteState = QStringLiteral("No");
    m.insertdate = stamp;
    return m;
}

void TestMeetingDatabase::creationMakesTheTablesInOrder()
{
    QVERIFY(MeetingFiles::create(*m_root, QStringLiteral("Board"), m_notifier));
    QCOMPARE(m_notifier.count(), 0);
    QVERIFY(QFileInfo::exists(m_root->filePath(QStringLiteral("Data/Board.db"))));
    QStringList tables;
    for (const QSqlRecord &r :
         rows(QStringLiteral("Board"), QStringLiteral("select name from sqlite_master where "
                                                      "type = 'table' and name not like "
                                                      "'sqlite%' order by rowid")))
        tables.append(r.value(0).toString());
    // The journal comes after the three tables every meeting database has always had.
    QCOMPARE(tables, (QStringList{QStringLiteral("Overture"), QStringLiteral("Employees"),
                                  QStringLiteral("SignIn"), QStringLiteral("Journal")}));
    QCOMPARE(
        rows(QStringLiteral("Board"), QStringLiteral("PRAGMA journal_mode")).value(0).value(0).toString(),
        QStringLiteral("wal"));
}

void TestMeetingDatabase::existingFileAnsweredNoKeepsItsData()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("1"), QStringLiteral("Ann"))));

    m_notifier.queueAnswer(false);
    QVERIFY(!MeetingFiles::create(*m_root, QStringLiteral("Board"), m_notifier));
    QCOMPARE(m_notifier.count(), 1);
    const RecordingNotifier::Entry &asked = m_notifier.entries().first();
    QCOMPARE(asked.kind, RecordingNotifier::Kind::Question);
    QCOMPARE(asked.caption, OperatorText::catalogue(QStringLiteral("FrmMeeset"), QStringLiteral("MsgClew")));
    QCOMPARE(asked.text, OperatorText::catalogue(QStringLiteral("FrmMeeset"), QStringLiteral("Export1")));
    QCOMPARE(db.listDelegates().EmpName, QStringList{QStringLiteral("Ann")});
}

void TestMeetingDatabase::existingFileAnsweredYesStartsAfresh()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("1"), QStringLiteral("Ann"))));

    m_notifier.queueAnswer(true);
    QVERIFY(MeetingFiles::create(*m_root, QStringLiteral("Board"), m_notifier));
    QCOMPARE(m_notifier.count(), 1);
    QCOMPARE(db.listDelegates().size(), 0);
    QCOMPARE(m_notifier.count(), 1);
}

void TestMeetingDatabase::fileThatCannotBeDeletedShowsExport2()
{
    // A folder in the file's place cannot be deleted as a file.
    QVERIFY(QDir().mkpath(m_root->filePath(QStringLiteral("Data/Board.db/inside"))));
    m_notifier.queueAnswer(true);
    QVERIFY(!MeetingFiles::create(*m_root, QStringLiteral("Board"), m_notifier));
    QCOMPARE(m_notifier.count(), 2);
    QCOMPARE(m_notifier.entries().at(1).kind, RecordingNotifier::Kind::Information);
    QCOMPARE(m_notifier.entries().at(1).text,
             OperatorText::catalogue(QStringLiteral("FrmMeeset"), QStringLiteral("Export2")));
    QVERIFY(QFileInfo(m_root->filePath(QStringLiteral("Data/Board.db"))).isDir());
}

void TestMeetingDatabase::fileThatCannotBeCreatedShowsExport3()
{
    // A file where the Data folder belongs leaves nowhere to create the database.
    QFile blocker(m_root->filePath(QStringLiteral("Data")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!MeetingFiles::create(*m_root, QStringLiteral("Board"), m_notifier));
    QCOMPARE(m_notifier.count(), 1);
    QCOMPARE(m_notifier.entries().first().kind, RecordingNotifier::Kind::Information);
    QCOMPARE(m_notifier.entries().first().text,
             OperatorText::catalogue(QStringLiteral("FrmMeeset"), QStringLiteral("Export3")));
}

void TestMeetingDatabase::nameThatIsNoFileNameIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("parent folder") << QStringLiteral("..");
    QTest::newRow("climbs into System") << QStringLiteral("../System/SystemData");
    QTest::newRow("backslash") << QStringLiteral("a\\b");
}

void TestMeetingDatabase::nameThatIsNoFileNameIsRefused()
{
    QFETCH(QString, name);
    QVERIFY(!MeetingFiles::create(*m_root, name, m_notifier));
    QCOMPARE(m_notifier.count(), 1);
    MeetingDatabase db(*m_root, name, m_notifier);
    QVERIFY(db.filePath().isEmpty());
    QCOMPARE(db.listDelegates().size(), 0);
    QCOMPARE(m_notifier.count(), 2);
    QVERIFY(!MeetingFiles::remove(*m_root, name));
    QVERIFY(!QDir(m_root->filePath(QStringLiteral("Data"))).exists() ||
            QDir(m_root->filePath(QStringLiteral("Data"))).isEmpty());
}

void TestMeetingDatabase::renameMovesTheFileAndDeleteRemovesIt()
{
    create(QStringLiteral("Board"));
    QVERIFY(MeetingDatabase(*m_root, QStringLiteral("Board"), m_notifier)
                .insertDelegate(delegate(QStringLiteral("3"), QStringLiteral("Cai"))));
    QVERIFY(MeetingFiles::rename(*m_root, QStringLiteral("Board"), QStringLiteral("Board 2026")));
    QVERIFY(!QFileInfo::exists(m_root->filePath(QStringLiteral("Data/Board.db"))));
    MeetingDatabase moved(*m_root, QStringLiteral("Board 2026"), m_notifier);
    QCOMPARE(moved.listDelegates().EmpName, QStringList{QStringLiteral("Cai")});

    QVERIFY(MeetingFiles::remove(*m_root, QStringLiteral("Board 2026")));
    QVERIFY(QDir(m_root->filePath(QStringLiteral("Data"))).isEmpty());
    QCOMPARE(m_notifier.count(), 0);
    // Deleting what is already gone is no failure; moving it is.
    QVERIFY(MeetingFiles::remove(*m_root, QStringLiteral("Board 2026")));
    QVERIFY(!MeetingFiles::rename(*m_root, QStringLiteral("Board 2026"), QStringLiteral("Other")));
}

void TestMeetingDatabase::renameOntoAnExistingMeetingFails()
{
    create(QStringLiteral("A"));
    create(QStringLiteral("B"));
    QVERIFY(MeetingDatabase(*m_root, QStringLiteral("B"), m_notifier)
                .insertDelegate(delegate(QStringLiteral("1"), QStringLiteral("kept"))));
    QVERIFY(!MeetingFiles::rename(*m_root, QStringLiteral("A"), QStringLiteral("B")));
    QVERIFY(QFileInfo::exists(MeetingFiles::filePath(*m_root, QStringLiteral("A"))));
    QCOMPARE(MeetingDatabase(*m_root, QStringLiteral("B"), m_notifier).listDelegates().EmpName,
             QStringList{QStringLiteral("kept")});
}

void TestMeetingDatabase::missingMeetingFileIsOneMessageAndNothingRead()
{
    MeetingDatabase db(*m_root, QStringLiteral("Nowhere"), m_notifier);
    QCOMPARE(db.listDelegates().size(), 0);
    QCOMPARE(m_notifier.count(), 1);
    QCOMPARE(m_notifier.entries().first().kind, RecordingNotifier::Kind::Error);
    DelegateRecord record;
    record.EmpName = QStringLiteral("untouched");
    QVERIFY(!db.readDelegate(QStringLiteral("1"), record));
    QCOMPARE(record.EmpName, QStringLiteral("untouched"));
    QCOMPARE(m_notifier.count(), 2);
    QVERIFY(!QFileInfo::exists(db.filePath()));
}

void TestMeetingDatabase::delegateRoundTrip()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    const DelegateRecord ann = delegate(QStringLiteral("1"), QStringLiteral("Ann"), QStringLiteral("G1"));
    const DelegateRecord bo = delegate(QStringLiteral("2"), QStringLiteral("Bo"));
    QVERIFY(db.insertDelegate(ann));
    QVERIFY(db.insertDelegate(bo));

    DelegateRecord read;
    QVERIFY(db.readDelegate(QStringLiteral("1"), read));
    QCOMPARE(read, ann);
    QVERIFY(!db.readDelegate(QStringLiteral("9"), read));
    QCOMPARE(read, ann);

    const DelegateList all = db.listDelegates();
    QCOMPARE(all.CellNo, (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    QCOMPARE(all.EmpName, (QStringList{QStringLiteral("Ann"), QStringLiteral("Bo")}));
    QCOMPARE(all.Office_phone.first(), ann.Office_phone);
    QCOMPARE(all.SeatNo.last(), bo.SeatNo);
    QCOMPARE(all.presidium.size(), 2);

    QCOMPARE(db.findDelegatesByKeypad(QStringLiteral("2")).EmpName, QStringList{QStringLiteral("Bo")});
    QCOMPARE(db.findDelegatesByName(QStringLiteral("Ann")).CellNo, QStringList{QStringLiteral("1")});
    QCOMPARE(db.findDelegatesByName(QStringLiteral("Nobody")).size(), 0);
    QVERIFY(db.delegateExists(QStringLiteral("2")));
    QVERIFY(!db.delegateExists(QStringLiteral("3")));
    QCOMPARE(db.delegateName(QStringLiteral("1")), QStringLiteral("Ann"));
    QCOMPARE(db.delegateName(QStringLiteral("3")), QString());
    QCOMPARE(m_notifier.count(), 0);
}

// These values broke the statements when typed text was spliced into them (a double quote in the insert,
// a single quote everywhere else); bound as values they are stored and found exactly.
void TestMeetingDatabase::quotesInDelegateValuesAreStoredExactly_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("single quote") << QStringLiteral("O'Brien");
    QTest::newRow("double quotes") << QStringLiteral("Li \"Junior\" Wei");
    QTest::newRow("statement") << QStringLiteral("x'); delete from Employees; --");
}

void TestMeetingDatabase::quotesInDelegateValuesAreStoredExactly()
{
    QFETCH(QString, name);
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("7"), QStringLiteral("other"))));
    DelegateRecord r = delegate(QStringLiteral("8"), name, name);
    r.Unit = name;
    QVERIFY(db.insertDelegate(r));
    DelegateRecord read;
    QVERIFY(db.readDelegate(QStringLiteral("8"), read));
    QCOMPARE(read, r);
    QCOMPARE(db.findDelegatesByName(name).CellNo, QStringList{QStringLiteral("8")});

    DelegateRecord changed = r;
    changed.Title = name;
    QVERIFY(db.updateDelegate(QStringLiteral("8"), name, changed));
    QVERIFY(db.readDelegate(QStringLiteral("8"), read));
    QCOMPARE(read, changed);
    QVERIFY(db.writePhoto(name, QStringLiteral("8"), QByteArray("BM")));
    QCOMPARE(db.readPhoto(name, QStringLiteral("8")), QByteArray("BM"));
    QCOMPARE(db.listDelegates().size(), 2);
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingDatabase::updateFindsTheRowByPreviousKeypadAndGroup()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    const DelegateRecord inA = delegate(QStringLiteral("7"), QStringLiteral("Ann"), QStringLiteral("A"));
    const DelegateRecord inB = delegate(QStringLiteral("7"), QStringLiteral("Bo"), QStringLiteral("B"));
    QVERIFY(db.insertDelegate(inA));
    QVERIFY(db.insertDelegate(inB));

    DelegateRecord changed =
        delegate(QStringLiteral("12"), QStringLiteral("Ann Murphy"), QStringLiteral("Z"));
    QVERIFY(db.updateDelegate(QStringLiteral("7"), QStringLiteral("A"), changed));

    const QList<QSqlRecord> table =
        rows(QStringLiteral("Board"),
             QStringLiteral("select CellNo, EmpName, Grouping from Employees order by id"));
    QCOMPARE(table.size(), 2);
    QCOMPARE(table.at(0).value(0).toString(), QStringLiteral("12"));
    QCOMPARE(table.at(0).value(1).toString(), QStringLiteral("Ann Murphy"));
    QCOMPARE(table.at(0).value(2).toString(), QStringLiteral("A")); // the group itself is not changed
    QCOMPARE(table.at(1).value(0).toString(), QStringLiteral("7"));
    QCOMPARE(table.at(1).value(1).toString(), QStringLiteral("Bo"));
    QCOMPARE(table.at(1).value(2).toString(), QStringLiteral("B"));
}

void TestMeetingDatabase::deleteByKeypadRemovesEveryGroup()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("7"), QStringLiteral("Ann"), QStringLiteral("A"))));
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("7"), QStringLiteral("Bo"), QStringLiteral("B"))));
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("8"), QStringLiteral("Cai"), QStringLiteral("A"))));
    QVERIFY(db.deleteDelegate(QStringLiteral("7")));
    QCOMPARE(db.listDelegates().EmpName, QStringList{QStringLiteral("Cai")});
    QVERIFY(db.deleteAllDelegates());
    QCOMPARE(db.listDelegates().size(), 0);
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingDatabase::photoOfAThousandBytesReadsBackTheSame()
{
    create();
    QByteArray photo(1000, '\0');
    photo[0] = 'B';
    photo[1] = 'M';
    for (int i = 2; i < photo.size(); ++i)
        photo[i] = char((i * 131) % 256); // zero bytes and 0xFF among them
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    // A new delegate and then its photo: two operations that open the same file one after the other.
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("5"), QStringLiteral("Eve"), QStringLiteral("G"))));
    QVERIFY(db.writePhotoByKeypad(QStringLiteral("5"), photo));
    const QByteArray read = db.readPhoto(QStringLiteral("G"), QStringLiteral("5"));
    QCOMPARE(read.size(), 1000);
    QCOMPARE(read, photo);
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingDatabase::emptyPhotoReadsBackAsNone()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("5"), QStringLiteral("Eve"))));
    QVERIFY(db.readPhoto(QString(), QStringLiteral("5")).isEmpty());
    QVERIFY(db.writePhoto(QString(), QStringLiteral("5"), QByteArray("BM-old")));
    QVERIFY(db.writePhoto(QString(), QStringLiteral("5"), QByteArray()));
    QVERIFY(db.readPhoto(QString(), QStringLiteral("5")).isEmpty());
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingDatabase::photoFollowsTheGroup()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("5"), QStringLiteral("Eve"), QStringLiteral("A"))));
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("5"), QStringLiteral("Fay"), QStringLiteral("B"))));
    QVERIFY(db.writePhoto(QStringLiteral("B"), QStringLiteral("5"), QByteArray("BM-fay")));
    QVERIFY(db.readPhoto(QStringLiteral("A"), QStringLiteral("5")).isEmpty());
    QCOMPARE(db.readPhoto(QStringLiteral("B"), QStringLiteral("5")), QByteArray("BM-fay"));
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingDatabase::photoForAMissingRowIsOneMessage()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    QVERIFY(!db.writePhoto(QStringLiteral("A"), QStringLiteral("5"), QByteArray("BM")));
    QCOMPARE(m_notifier.count(), 1);
    QVERIFY(!db.writePhotoByKeypad(QStringLiteral("5"), QByteArray("BM")));
    QCOMPARE(m_notifier.count(), 2);
}

void TestMeetingDatabase::signInStoresEveryMarkAndLogsInOrder()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    for (int n = 1; n <= 5; ++n)
        QVERIFY(db.insertDelegate(delegate(QString::number(n), QStringLiteral("D%1").arg(n))));
    const QString present = QStringLiteral("Present");
    const QString absent = QStringLiteral("Absent's");
    QList<SignInMark> marks;
    for (int n = 1; n <= 6; ++n) // keypad 6 has no delegate: it is logged all the same
        marks.append({QString::number(n), n % 2 ? present : absent});
    QVERIFY(db.storeSignIn(marks));

    QCOMPARE(db.delegatesBySignIn(present).CellNo,
             (QStringList{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("5")}));
    QCOMPARE(db.delegatesBySignIn(absent).CellNo, (QStringList{QStringLiteral("2"), QStringLiteral("4")}));
    const QList<QSqlRecord> log =
        rows(QStringLiteral("Board"), QStringLiteral("select CellNo, sign from SignIn order by id"));
    QCOMPARE(log.size(), 6);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(log.at(i).value(0).toString(), marks.at(i).CellNo);
        QCOMPARE(log.at(i).value(1).toString(), marks.at(i).sign);
    }
    QVERIFY(db.clearSignInLog());
    QVERIFY(rows(QStringLiteral("Board"), QStringLiteral("select * from SignIn")).isEmpty());
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingDatabase::signInThatFailsWritesNothing()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    QVERIFY(db.insertDelegate(delegate(QStringLiteral("1"), QStringLiteral("Ann"))));
    {
        DatabaseAccess raw(db.filePath(), m_notifier);
        QVERIFY(raw.execute(QStringLiteral("drop table SignIn")));
    }
    // The marks go in first and the log fails after them: the marks must not stay behind.
    QVERIFY(!db.storeSignIn({{QStringLiteral("1"), QStringLiteral("Present")}}));
    QCOMPARE(m_notifier.count(), 1);
    QVERIFY2(m_notifier.entries().first().text.literal.contains(QStringLiteral("SignIn")),
             qPrintable(m_notifier.entries().first().text.literal));
    QCOMPARE(db.delegatesBySignIn(QStringLiteral("Present")).size(), 0);
    QCOMPARE(m_notifier.count(), 1);
}

void TestMeetingDatabase::motionRoundTrip()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    const MotionRecord budget = motion(QStringLiteral("Budget"), QStringLiteral("20260301100000"));
    QVERIFY(db.insertMotion(budget));
    QVERIFY(db.insertMotion(motion(QStringLiteral("Audit"), QStringLiteral("20260301100001"))));

    MotionRecord read;
    QVERIFY(db.readMotion(QStringLiteral("Budget"), read));
    QCOMPARE(read, budget);
    QVERIFY(db.motionExists(QStringLiteral("Audit")));
    QVERIFY(!db.motionExists(QStringLiteral("Nothing")));
    QVERIFY(!db.readMotion(QStringLiteral("Nothing"), read));

    const MotionList list = db.listMotions();
    QCOMPARE(list.OveName, (QStringList{QStringLiteral("Budget"), QStringLiteral("Audit")}));
    QCOMPARE(list.OveType.first(), QStringLiteral("Yes/No"));
    QCOMPARE(list.VoteState.last(), QStringLiteral("No"));

    QVERIFY(db.deleteMotion(QStringLiteral("Budget")));
    QCOMPARE(db.listMotions().OveName, QStringList{QStringLiteral("Audit")});
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingDatabase::motionUpdatesAndSingleColumnWrites()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    MotionRecord m = motion(QStringLiteral("Budget"), QStringLiteral("20260301100000"));
    QVERIFY(db.insertMotion(m));

    MotionRecord changed = motion(QStringLiteral("Budget 2027"), QStringLiteral("20260301100000"));
    changed.OveType = QStringLiteral("Election of 3");
    changed.VoteAbetValue = QStringLiteral("67");
    changed.VoteDll = QStringLiteral("1");
    changed.ytText = QStringLiteral("Result");
    changed.mark = QStringLiteral("not written by an update");
    QVERIFY(db.updateMotion(changed));
    QVERIFY(db.storeCandidates(QStringLiteral("Budget 2027"), QStringLiteral("Ann:Bo:Cai:")));
    QVERIFY(db.storeContentFile(QStringLiteral("20260301100000"), QStringLiteral("20260301100000.rtf")));
    QVERIFY(db.storeResult(QStringLiteral("Budget 2027"), QStringLiteral("10:2:1:0:"), QStringLiteral("Yes"),
                           QStringLiteral("2026/03/01/-10:05:00")));

    MotionRecord expected = changed;
    expected.mark = m.mark;
    expected.candidate = QStringLiteral("Ann:Bo:Cai:");
    expected.rtf = QStringLiteral("20260301100000.rtf");
    expected.result = QStringLiteral("10:2:1:0:");
    expected.VoteState = QStringLiteral("Yes");
    expected.PollTimel = QStringLiteral("2026/03/01/-10:05:00");
    MotionRecord read;
    QVERIFY(db.readMotion(QStringLiteral("Budget 2027"), read));
    QCOMPARE(read, expected);
    QVERIFY(!db.motionExists(QStringLiteral("Budget")));
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingDatabase::motionQueriesByTypeAndState()
{
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    MotionRecord a = motion(QStringLiteral("A"), QStringLiteral("1"));
    MotionRecord b = motion(QStringLiteral("B"), QStringLiteral("2"));
    MotionRecord c = motion(QStringLiteral("C"), QStringLiteral("3"));
    c.OveType = QStringLiteral("Scoring");
    for (const MotionRecord &m : {a, b, c})
        QVERIFY(db.insertMotion(m));
    QVERIFY(db.storeResult(QStringLiteral("B"), QStringLiteral("1:"), QStringLiteral("Yes"),
                           QStringLiteral("t")));
    QVERIFY(db.storeResult(QStringLiteral("C"), QStringLiteral("2:"), QStringLiteral("Yes"),
                           QStringLiteral("t")));

    auto titles = [](const QList<MotionRecord> &list) {
        QStringList t;
        for (const MotionRecord &m : list)
            t.append(m.OveName);
        return t;
    };
    QCOMPARE(titles(db.motionsByType(QStringLiteral("Yes/No"))),
             (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(titles(db.motionsByTypeAndState(QStringLiteral("Yes/No"), QStringLiteral("Yes"))),
             QStringList{QStringLiteral("B")});
    QCOMPARE(titles(db.motionsByState(QStringLiteral("Yes"))),
             (QStringList{QStringLiteral("B"), QStringLiteral("C")}));
    QCOMPARE(db.motionsByState(QStringLiteral("Yes")).last().result, QStringLiteral("2:"));
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingDatabase::quotesInMotionTitlesAreStoredExactly_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("double quotes") << QStringLiteral("Adopt the \"green\" budget");
    QTest::newRow("single quote") << QStringLiteral("Members' fees");
}

void TestMeetingDatabase::quotesInMotionTitlesAreStoredExactly()
{
    QFETCH(QString, title);
    create();
    MeetingDatabase db(*m_root, QStringLiteral("Board"), m_notifier);
    MotionRecord m = motion(title, QStringLiteral("20260301100000"));
    m.ytText = title;
    QVERIFY(db.insertMotion(m));
    QVERIFY(db.motionExists(title));
    QVERIFY(db.storeResult(title, QStringLiteral("5:1:0:"), QStringLiteral("Yes"), QStringLiteral("t")));
    MotionRecord read;
    QVERIFY(db.readMotion(title, read));
    QCOMPARE(read.OveName, title);
    QCOMPARE(read.ytText, title);
    QCOMPARE(read.result, QStringLiteral("5:1:0:"));
    QCOMPARE(db.listMotions().OveName, QStringList{title});
    QVERIFY(db.deleteMotion(title));
    QCOMPARE(db.listMotions().size(), 0);
    QCOMPARE(m_notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestMeetingDatabase)
#include "testmeetingdatabase.moc"
