#include "core/store/systemdatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "core/base/dataroot.h"
#include "core/store/databaseaccess.h"
#include "recordingnotifier.h"

#include <functional>

class TestSystemDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstStartCreatesTheFactoryDatabase();
    void existingDatabaseIsKept();
    void damagedDatabaseIsNamedAndMovedAsideOnlyOnYes_data();
    void damagedDatabaseIsNamedAndMovedAsideOnlyOnYes();
    void everySettingWriteChangesOnlyItsColumns();
    void byteColumnsReadAsDecimalAndNullsAsEmpty();
    void missingSettingsRowLeavesTheRecordEmpty();
    void missingDatabaseIsOneMessageAndNothingRead();
    void linkSettingsComeFromTheSettingsRecord();
    void screenSetupLastRowWinsAndWritesSetEveryRow();
    void meetingRegisterRoundTrip();
    void renamingFindsTheRowByItsStamp();
    void readMeetingKeepsTextsOfNullColumns();
    void quotesInMeetingValuesAreStoredExactly_data();
    void quotesInMeetingValuesAreStoredExactly();

private:
    MeetingRecord meeting(const QString &name, const QString &stamp) const;
    void exec(const QString &sql);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataRoot> m_root;
    std::unique_ptr<SystemDatabase> m_db;
    RecordingNotifier m_notifier;
};

void TestSystemDatabase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_root = std::make_unique<DataRoot>(m_dir->path());
    m_notifier.clear();
    m_db = std::make_unique<SystemDatabase>(*m_root, m_notifier);
}

MeetingRecord TestSystemDatabase::meeting(const QString &name, const QString &stamp) const
{
    MeetingRecord r;
    r.MeeName = name;
    r.MeeAddr = QStringLiteral("Hall A");
    r.DateStart = QStringLiteral("2026/3/1");
    r.DateEnd = QStringLiteral("2026/3/2");
    r.DueNum = QStringLiteral("120");
    r.bSetLimit = QStringLiteral("1");
    r.limit = QStringLiteral("50");
    r.insertdate = stamp;
    return r;
}

void TestSystemDatabase::exec(const QString &sql)
{
    DatabaseAccess db(m_db->filePath(), m_notifier);
    QVERIFY(db.execute(sql));
}

void TestSystemDatabase::firstStartCreatesTheFactoryDatabase()
{
    QVERIFY(!QFileInfo::exists(m_root->filePath(QStringLiteral("System/SystemData.db"))));
    QVERIFY(m_db->ensureExists());
    QCOMPARE(m_db->filePath(), m_root->filePath(QStringLiteral("System/SystemData.db")));
    QVERIFY(QFileInfo::exists(m_db->filePath()));
    QCOMPARE(QDir(m_root->filePath(QStringLiteral("System"))).entryList(QDir::Files),
             QStringList{QStringLiteral("SystemData.db")});

    const SettingsRecord s = m_db->loadSettings();
    QCOMPARE(s, SystemDatabase::factorySettings());
    QCOMPARE(s.cellnum, QStringLiteral("100"));
    QCOMPARE(s.mark, QStringLiteral("0:25:50:75:100:"));
    QCOMPARE(s.UserPass, SystemDatabase::factoryPassword());
    QCOMPARE(m_db->loadInstallation(), SystemDatabase::factoryInstallation());
    QCOMPARE(m_db->loadInstallation().borderism, QStringLiteral("1"));
    QCOMPARE(m_db->loadScreenSetup(), ScreenSetupRecord());
    QCOMPARE(m_db->listMeetings().size(), 0);
    QCOMPARE(m_notifier.count(), 0);
}

void TestSystemDatabase::existingDatabaseIsKept()
{
    QVERIFY(m_db->ensureExists());
    QVERIFY(m_db->setKeypadCount(QStringLiteral("60")));
    QVERIFY(m_db->insertMeeting(meeting(QStringLiteral("Board"), QStringLiteral("20260301090000"))));
    QVERIFY(m_db->ensureExists());
    QCOMPARE(m_db->loadSettings().cellnum, QStringLiteral("60"));
    QCOMPARE(m_db->listMeetings().MeeName, QStringList{QStringLiteral("Board")});
    QCOMPARE(m_notifier.count(), 0);
}

void TestSystemDatabase::damagedDatabaseIsNamedAndMovedAsideOnlyOnYes_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("yes");
    QTest::newRow("0 bytes, No") << "empty" << false;
    QTest::newRow("0 bytes, Yes") << "empty" << true;
    QTest::newRow("other bytes, Yes") << "random" << true;
    QTest::newRow("cut short, No") << "truncated" << false;
    QTest::newRow("cut short, Yes") << "truncated" << true;
}

void TestSystemDatabase::damagedDatabaseIsNamedAndMovedAsideOnlyOnYes()
{
    QFETCH(QString, damage);
    QFETCH(bool, yes);
    const QString path = m_db->filePath();
    QVERIFY(m_db->ensureExists());
    QVERIFY(m_db->setKeypadCount(QStringLiteral("60")));
    // A sound database opens without a word.
    QVERIFY(m_db->openAtStart());
    QCOMPARE(m_notifier.count(), 0);

    QFile file(path);
    if (damage == u"truncated") {
        QVERIFY(file.resize(3000));
    } else {
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (int i = 0; damage == u"random" && i < 8192; ++i)
            file.putChar(char((i * 7919 + 13) % 251));
        file.close();
    }
    const QByteArray damaged = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unread");
    }();

    m_notifier.queueAnswer(yes);
    QCOMPARE(m_db->openAtStart(), yes);
    QCOMPARE(m_notifier.count(), 1);
    const RecordingNotifier::Entry asked = m_notifier.entries().first();
    QCOMPARE(asked.kind, RecordingNotifier::Kind::Question);
    QCOMPARE(asked.text.key, QStringLiteral("MsgSysDbDamaged"));
    QCOMPARE(asked.text.args.value(0), QDir::toNativeSeparators(path));
    QVERIFY(!asked.text.args.value(1).isEmpty());
    const QString aside = QDir::fromNativeSeparators(asked.text.args.value(2));
    QFile kept(yes ? aside : path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), damaged);
    if (yes) {
        // The new database is the factory's.
        QCOMPARE(m_db->loadSettings().cellnum, SystemDatabase::factorySettings().cellnum);
        QVERIFY(!m_db->loadInstallation().borderism.isEmpty());
    } else {
        QVERIFY(!QFileInfo::exists(aside));
    }
}

void TestSystemDatabase::everySettingWriteChangesOnlyItsColumns()
{
    QVERIFY(m_db->ensureExists());
    SettingsRecord expected = SystemDatabase::factorySettings();
    struct Step
    {
        const char *name;
        std::function<bool()> write;
        std::function<void(SettingsRecord &)> change;
    };
    SystemDatabase &db = *m_db;
    const QList<Step> steps = {
        {"keypad count", [&] { return db.setKeypadCount(QStringLiteral("249")); },
         [](SettingsRecord &s) { s.cellnum = QStringLiteral("249"); }},
        {"port range", [&] { return db.setPortRange(QStringLiteral("3"), QStringLiteral("12")); },
         [](SettingsRecord &s) {
             s.comlow = QStringLiteral("3");
             s.comHigh = QStringLiteral("12");
         }},
        {"screen size", [&] { return db.setScreenSize(QStringLiteral("1920*1080")); },
         [](SettingsRecord &s) { s.ScrSize = QStringLiteral("1920*1080"); }},
        {"background colour", [&] { return db.setScreenColor(0xFFFFFFFFu); },
         [](SettingsRecord &s) { s.ScrColor = QStringLiteral("4294967295"); }},
        {"text colour", [&] { return db.setScreenTextColor(255); },
         [](SettingsRecord &s) { s.ScrTextColor = QStringLiteral("255"); }},
        {"password", [&] { return db.setUserPass(QStringLiteral("Se'cret \"1\" ")); },
         [](SettingsRecord &s) { s.UserPass = QStringLiteral("Se'cret \"1\" "); }},
        {"ballot defaults",
         [&] {
             return db.setBallotDefaults(QStringLiteral("2"), QStringLiteral("1"),
                                         QStringLiteral("0:10:20:30:40:"));
         },
         [](SettingsRecord &s) {
             s.per = QStringLiteral("2");
             s.Pass = QStringLiteral("1");
             s.mark = QStringLiteral("0:10:20:30:40:");
         }},
        {"reserved count", [&] { return db.setReservedCount(QStringLiteral("4")); },
         [](SettingsRecord &s) { s.cinnum = QStringLiteral("4"); }},
        {"seat-plan selection", [&] { return db.setSeatPlanSelection(QStringLiteral("Yes")); },
         [](SettingsRecord &s) { s.SeatYesORNo = QStringLiteral("Yes"); }},
        {"seat-plan picture", [&] { return db.setSeatPlanPicture(QStringLiteral("hall's plan.bmp")); },
         [](SettingsRecord &s) { s.ico = QStringLiteral("hall's plan.bmp"); }},
    };
    for (const Step &step : steps) {
        QVERIFY2(step.write(), step.name);
        step.change(expected);
        QVERIFY2(m_db->loadSettings() == expected, step.name);
    }
    QCOMPARE(m_notifier.count(), 0);
}

void TestSystemDatabase::byteColumnsReadAsDecimalAndNullsAsEmpty()
{
    QVERIFY(m_db->ensureExists());
    QVERIFY(m_db->setBallotDefaults(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("x")));
    exec(QStringLiteral("update sysbasicset set mark = NULL, cellnum = 7"));
    const SettingsRecord s = m_db->loadSettings();
    QCOMPARE(s.per, QStringLiteral("1"));
    QCOMPARE(s.Pass, QStringLiteral("2"));
    QCOMPARE(s.cellnum, QStringLiteral("7"));
    QCOMPARE(s.mark, QString());
}

void TestSystemDatabase::missingSettingsRowLeavesTheRecordEmpty()
{
    QVERIFY(m_db->ensureExists());
    exec(QStringLiteral("delete from sysbasicset"));
    exec(QStringLiteral("delete from Manage"));
    QCOMPARE(m_db->loadSettings(), SettingsRecord());
    QCOMPARE(m_db->loadInstallation(), InstallationRecord());
    QCOMPARE(m_db->linkSettings(), (LinkSettings{1, 0, 0, 0})); // at least keypad 1 is polled
    QCOMPARE(m_notifier.count(), 0);
}

void TestSystemDatabase::missingDatabaseIsOneMessageAndNothingRead()
{
    QCOMPARE(m_db->loadSettings(), SettingsRecord());
    QCOMPARE(m_notifier.count(), 1);
    QVERIFY(!m_db->setKeypadCount(QStringLiteral("5")));
    QCOMPARE(m_notifier.count(), 2);
    QVERIFY(!QFileInfo::exists(m_db->filePath()));
}

void TestSystemDatabase::linkSettingsComeFromTheSettingsRecord()
{
    QVERIFY(m_db->ensureExists());
    // The factory settings are the link's own defaults.
    QCOMPARE(m_db->linkSettings(), LinkSettings());
    QVERIFY(m_db->setKeypadCount(QStringLiteral("60")));
    QVERIFY(m_db->setReservedCount(QStringLiteral("3")));
    QVERIFY(m_db->setPortRange(QStringLiteral("2"), QStringLiteral("5")));
    QCOMPARE(m_db->linkSettings(), (LinkSettings{60, 3, 2, 5}));
    QVERIFY(m_db->setKeypadCount(QStringLiteral("many")));
    QCOMPARE(m_db->linkSettings().keypadCount, 1);
}

void TestSystemDatabase::screenSetupLastRowWinsAndWritesSetEveryRow()
{
    QVERIFY(m_db->ensureExists());
    exec(QStringLiteral("insert into pass (ScrSize, ScrColor) values ('1366*768', NULL)"));
    ScreenSetupRecord expected;
    expected.ScrSize = QStringLiteral("1366*768");
    QCOMPARE(m_db->loadScreenSetup(), expected);

    QVERIFY(m_db->setScreenSetupSize(QStringLiteral("1280*720")));
    QVERIFY(m_db->setScreenSetupColor(16711680));
    DatabaseAccess db(m_db->filePath(), m_notifier);
    const QList<QSqlRecord> rows = db.query(QStringLiteral("select ScrSize, ScrColor from pass"));
    QCOMPARE(rows.size(), 2);
    for (const QSqlRecord &row : rows) {
        QCOMPARE(row.value(0).toString(), QStringLiteral("1280*720"));
        QCOMPARE(row.value(1).toString(), QStringLiteral("16711680"));
    }
}

void TestSystemDatabase::meetingRegisterRoundTrip()
{
    QVERIFY(m_db->ensureExists());
    QVERIFY(m_db->insertMeeting(meeting(QStringLiteral("Board"), QStringLiteral("20260301090000"))));
    QVERIFY(m_db->insertMeeting(meeting(QStringLiteral("Assembly"), QStringLiteral("20260302090000"))));
    QVERIFY(m_db->insertMeeting(meeting(QStringLiteral("Council"), QStringLiteral("20260303090000"))));

    const MeetingList list = m_db->listMeetings();
    QCOMPARE(list.MeeName,
             (QStringList{QStringLiteral("Board"), QStringLiteral("Assembly"), QStringLiteral("Council")}));
    QCOMPARE(list.DateStart.size(), 3);
    QCOMPARE(list.DateStart.first(), QStringLiteral("2026/3/1"));

    QVERIFY(m_db->meetingExists(QStringLiteral("Assembly")));
    QVERIFY(!m_db->meetingExists(QStringLiteral("assembly")));
    QVERIFY(m_db->recordSignInCount(QStringLiteral("Assembly"), QStringLiteral("87")));
    QVERIFY(m_db->recordBanner(QStringLiteral("20260302090000"), QStringLiteral("20260302090000.rtf")));

    MeetingRecord expected = meeting(QStringLiteral("Assembly"), QStringLiteral("20260302090000"));
    expected.SignIn = QStringLiteral("87");
    expected.bannerPath = QStringLiteral("20260302090000.rtf");
    MeetingRecord read;
    QVERIFY(m_db->readMeeting(QStringLiteral("Assembly"), read));
    QCOMPARE(read, expected);

    QVERIFY(m_db->deleteMeeting(QStringLiteral("Board")));
    QVERIFY(!m_db->meetingExists(QStringLiteral("Board")));
    QVERIFY(!m_db->readMeeting(QStringLiteral("Board"), read));
    QCOMPARE(read, expected);
    QCOMPARE(m_db->listMeetings().MeeName,
             (QStringList{QStringLiteral("Assembly"), QStringLiteral("Council")}));
    QCOMPARE(m_notifier.count(), 0);
}

void TestSystemDatabase::renamingFindsTheRowByItsStamp()
{
    QVERIFY(m_db->ensureExists());
    QVERIFY(m_db->insertMeeting(meeting(QStringLiteral("Board"), QStringLiteral("20260301090000"))));
    QVERIFY(m_db->insertMeeting(meeting(QStringLiteral("Council"), QStringLiteral("20260303090000"))));
    MeetingRecord renamed = meeting(QStringLiteral("Executive board"), QStringLiteral("20260301090000"));
    renamed.MeeAddr = QStringLiteral("Room 2");
    renamed.bSetLimit = QStringLiteral("2");
    renamed.limit = QStringLiteral("0");
    QVERIFY(m_db->updateMeeting(renamed));

    QCOMPARE(m_db->listMeetings().MeeName,
             (QStringList{QStringLiteral("Executive board"), QStringLiteral("Council")}));
    MeetingRecord read;
    QVERIFY(m_db->readMeeting(QStringLiteral("Executive board"), read));
    QCOMPARE(read, renamed);
    QVERIFY(!m_db->meetingExists(QStringLiteral("Board")));
}

void TestSystemDatabase::readMeetingKeepsTextsOfNullColumns()
{
    QVERIFY(m_db->ensureExists());
    QVERIFY(m_db->insertMeeting(meeting(QStringLiteral("Board"), QStringLiteral("20260301090000"))));
    MeetingRecord read;
    read.bannerPath = QStringLiteral("kept.rtf");
    read.SignIn = QStringLiteral("kept");
    QVERIFY(m_db->readMeeting(QStringLiteral("Board"), read));
    QCOMPARE(read.bannerPath, QStringLiteral("kept.rtf"));
    QCOMPARE(read.SignIn, QStringLiteral("kept"));
    QCOMPARE(read.MeeName, QStringLiteral("Board"));
}

// These names broke the statements when typed text was spliced into them; bound as values they are
// stored and found like any other name.
void TestSystemDatabase::quotesInMeetingValuesAreStoredExactly_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("single quote") << QStringLiteral("O'Brien's hearing");
    QTest::newRow("double quotes") << QStringLiteral("The \"annual\" meeting");
    QTest::newRow("both") << QStringLiteral("'\"");
    QTest::newRow("statement") << QStringLiteral("x\"); delete from Mottag; --");
}

void TestSystemDatabase::quotesInMeetingValuesAreStoredExactly()
{
    QFETCH(QString, name);
    QVERIFY(m_db->ensureExists());
    QVERIFY(m_db->insertMeeting(meeting(QStringLiteral("Other"), QStringLiteral("20260101000000"))));
    MeetingRecord r = meeting(name, QStringLiteral("20260301090000"));
    r.MeeAddr = name;
    QVERIFY(m_db->insertMeeting(r));
    QVERIFY(m_db->meetingExists(name));
    MeetingRecord read;
    QVERIFY(m_db->readMeeting(name, read));
    QCOMPARE(read, r);
    QVERIFY(m_db->recordSignInCount(name, QStringLiteral("3")));
    QVERIFY(m_db->readMeeting(name, read));
    QCOMPARE(read.SignIn, QStringLiteral("3"));
    QCOMPARE(m_db->listMeetings().MeeName, (QStringList{QStringLiteral("Other"), name}));
    QVERIFY(m_db->deleteMeeting(name));
    QCOMPARE(m_db->listMeetings().MeeName, QStringList{QStringLiteral("Other")});
    QCOMPARE(m_notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestSystemDatabase)
#include "testsystemdatabase.moc"
