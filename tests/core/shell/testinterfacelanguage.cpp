#include "core/shell/interfacelanguage.h"

#include <QTemporaryDir>
#include <QTest>

#include "core/base/dataroot.h"
#include "core/base/textcatalogue.h"
#include "core/store/databaseaccess.h"
#include "core/store/systemdatabase.h"
#include "recordingnotifier.h"

using namespace Qt::StringLiterals;

class TestInterfaceLanguage final : public QObject
{
    Q_OBJECT

private slots:
    void codeIsStoredForTheNextStart_data();
    void codeIsStoredForTheNextStart();
    void otherStartUpSettingsStay();
    void unknownCodeIsRefused_data();
    void unknownCodeIsRefused();
    void missingManageRowIsAdded();
};

void TestInterfaceLanguage::codeIsStoredForTheNextStart_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("file");
    QTest::newRow("0 simplified chinese") << u"0"_s << u"System/Menu/menu.ini"_s;
    QTest::newRow("1 english") << u"1"_s << u"System/Menu/menu_e.ini"_s;
    QTest::newRow("2 portuguese") << u"2"_s << u"System/Menu/menu_p.ini"_s;
}

void TestInterfaceLanguage::codeIsStoredForTheNextStart()
{
    QFETCH(QString, code);
    QFETCH(QString, file);
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    RecordingNotifier notifier;

    // A fresh installation: the database does not exist yet.
    QVERIFY(InterfaceLanguage::choose(root, code, notifier));
    QCOMPARE(notifier.count(), 0);
    SystemDatabase system(root, notifier);
    const QString stored = system.loadInstallation().borderism;
    QCOMPARE(stored, code);
    QCOMPARE(TextCatalogue(root, stored).filePath(), root.filePath(file));
}

void TestInterfaceLanguage::otherStartUpSettingsStay()
{
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    RecordingNotifier notifier;
    SystemDatabase system(root, notifier);
    QVERIFY(system.ensureExists());
    {
        DatabaseAccess db(system.filePath(), notifier);
        QVERIFY(db.execute(u"update Manage set function = ?, mianbmp = ? where tag = ?"_s,
                           {u"1"_s, u"hall.bmp"_s, u"tag"_s}));
    }
    QVERIFY(InterfaceLanguage::choose(root, u"2"_s, notifier));
    QVERIFY(InterfaceLanguage::choose(root, u"1"_s, notifier));
    const InstallationRecord m = system.loadInstallation();
    QCOMPARE(m.borderism, u"1"_s);
    QCOMPARE(m.function, u"1"_s);
    QCOMPARE(m.mianbmp, u"hall.bmp"_s);
    QCOMPARE(m.logobmp, SystemDatabase::factoryInstallation().logobmp);
    QCOMPARE(notifier.count(), 0);
}

void TestInterfaceLanguage::unknownCodeIsRefused_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("3") << u"3"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("leading zero") << u"01"_s;
    QTest::newRow("blank") << u" 1"_s;
    QTest::newRow("name instead of code") << u"english"_s;
}

void TestInterfaceLanguage::unknownCodeIsRefused()
{
    QFETCH(QString, code);
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    RecordingNotifier notifier;
    QVERIFY(InterfaceLanguage::choose(root, u"2"_s, notifier));

    QVERIFY(!InterfaceLanguage::choose(root, code, notifier));
    QCOMPARE(notifier.count(), 1);
    QCOMPARE(notifier.entries().first().kind, RecordingNotifier::Kind::Error);
    QCOMPARE(SystemDatabase(root, notifier).loadInstallation().borderism, u"2"_s);
}

void TestInterfaceLanguage::missingManageRowIsAdded()
{
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    RecordingNotifier notifier;
    SystemDatabase system(root, notifier);
    QVERIFY(system.ensureExists());
    {
        DatabaseAccess db(system.filePath(), notifier);
        QVERIFY(db.execute(u"delete from Manage"_s));
    }
    QCOMPARE(system.loadInstallation().borderism, QString());
    QVERIFY(InterfaceLanguage::choose(root, u"1"_s, notifier));
    const InstallationRecord m = system.loadInstallation();
    QCOMPARE(m.borderism, u"1"_s);
    QCOMPARE(m.function, SystemDatabase::factoryInstallation().function);
    QCOMPARE(notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestInterfaceLanguage)
#include "testinterfacelanguage.moc"
