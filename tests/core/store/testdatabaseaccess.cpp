#include "core/store/databaseaccess.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

#include "recordingnotifier.h"

class TestDatabaseAccess : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void missingFileIsOneMessageAndNothingRead();
    void createdFileIsWalWithFullSync();
    void failingStatementReturnsFailureWithOneMessage_data();
    void failingStatementReturnsFailureWithOneMessage();
    void failingQueryReadsNothing();
    void secondOpenOfAnOpenFileIsRefused();
    void openingOneAfterAnotherSucceeds();
    void connectionsAreRemovedAfterUse();
    void valuesAreBoundNeverSpliced_data();
    void valuesAreBoundNeverSpliced();
    void blobIsReadBackWhole();
    void rollbackWritesNothing();
    void fileNamesWithUriCharactersAreKept_data();
    void fileNamesWithUriCharactersAreKept();

private:
    QString makeTable(const QString &name = QStringLiteral("t.db"));

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingNotifier m_notifier;
};

void TestDatabaseAccess::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_notifier.clear();
}

QString TestDatabaseAccess::makeTable(const QString &name)
{
    const QString path = m_dir->filePath(name);
    DatabaseAccess db(path, m_notifier);
    db.open(DatabaseAccess::OpenMode::Create);
    db.execute(QStringLiteral(
        "create table t (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT, n INTEGER, b BLOB)"));
    return path;
}

void TestDatabaseAccess::missingFileIsOneMessageAndNothingRead()
{
    const QString path = m_dir->filePath(QStringLiteral("Data/absent.db"));
    DatabaseAccess db(path, m_notifier);
    bool ok = true;
    QVERIFY(db.query(QStringLiteral("select * from t"), {}, &ok).isEmpty());
    QVERIFY(!ok);
    QVERIFY(!db.execute(QStringLiteral("create table t (x)")));
    QCOMPARE(m_notifier.count(), 1);
    const RecordingNotifier::Entry &e = m_notifier.entries().first();
    QCOMPARE(e.kind, RecordingNotifier::Kind::Error);
    QVERIFY2(e.text.literal.contains(QStringLiteral("unable to open")), qPrintable(e.text.literal));
    QVERIFY(e.text.literal.contains(QDir::toNativeSeparators(path)));
    QVERIFY(!QFileInfo::exists(path));
}

void TestDatabaseAccess::createdFileIsWalWithFullSync()
{
    DatabaseAccess db(m_dir->filePath(QStringLiteral("new.db")), m_notifier);
    QVERIFY(db.open(DatabaseAccess::OpenMode::Create));
    QCOMPARE(db.query(QStringLiteral("PRAGMA journal_mode")).value(0).value(0).toString(),
             QStringLiteral("wal"));
    QCOMPARE(db.query(QStringLiteral("PRAGMA synchronous")).value(0).value(0).toInt(), 2);
    QCOMPARE(db.query(QStringLiteral("PRAGMA locking_mode")).value(0).value(0).toString(),
             QStringLiteral("exclusive"));
    QCOMPARE(m_notifier.count(), 0);
}

void TestDatabaseAccess::failingStatementReturnsFailureWithOneMessage_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("engineText");
    QTest::newRow("syntax") << QStringLiteral("updte t set name = ?") << QStringLiteral("syntax error");
    QTest::newRow("missing table") << QStringLiteral("update nowhere set name = ?")
                                   << QStringLiteral("no such table: nowhere");
    QTest::newRow("missing column") << QStringLiteral("update t set missing = ?")
                                    << QStringLiteral("no such column: missing");
}

void TestDatabaseAccess::failingStatementReturnsFailureWithOneMessage()
{
    QFETCH(QString, sql);
    QFETCH(QString, engineText);
    const QString path = makeTable();
    DatabaseAccess db(path, m_notifier);
    QVERIFY(!db.execute(sql, {QStringLiteral("x")}));
    QCOMPARE(m_notifier.count(), 1);
    QVERIFY2(m_notifier.entries().first().text.literal.contains(engineText),
             qPrintable(m_notifier.entries().first().text.literal));
    QCOMPARE(db.errorText(), m_notifier.entries().first().text.literal);
    // The connection stays usable for the rest of the operation.
    QVERIFY(db.execute(QStringLiteral("insert into t (name) values (?)"), {QStringLiteral("after")}));
    QCOMPARE(m_notifier.count(), 1);
}

void TestDatabaseAccess::failingQueryReadsNothing()
{
    const QString path = makeTable();
    DatabaseAccess db(path, m_notifier);
    QVERIFY(db.execute(QStringLiteral("insert into t (name) values (?)"), {QStringLiteral("a")}));
    bool ok = true;
    QVERIFY(db.query(QStringLiteral("select nothing from t"), {}, &ok).isEmpty());
    QVERIFY(!ok);
    QCOMPARE(m_notifier.count(), 1);
}

void TestDatabaseAccess::secondOpenOfAnOpenFileIsRefused()
{
    const QString path = makeTable();
    DatabaseAccess first(path, m_notifier);
    QVERIFY(first.open());

    DatabaseAccess second(path, m_notifier);
    bool ok = true;
    QVERIFY(second.query(QStringLiteral("select * from t"), {}, &ok).isEmpty());
    QVERIFY(!ok);
    QVERIFY(!second.execute(QStringLiteral("insert into t (name) values ('x')")));
    QCOMPARE(m_notifier.count(), 1);
    QVERIFY2(m_notifier.entries().first().text.literal.contains(QStringLiteral("already open")),
             qPrintable(m_notifier.entries().first().text.literal));

    // The holder is not disturbed, and once it lets go the file opens again.
    QVERIFY(first.execute(QStringLiteral("insert into t (name) values (?)"), {QStringLiteral("a")}));
    first.close();
    DatabaseAccess third(path, m_notifier);
    QCOMPARE(third.query(QStringLiteral("select name from t")).size(), 1);
    QCOMPARE(m_notifier.count(), 1);
}

void TestDatabaseAccess::openingOneAfterAnotherSucceeds()
{
    const QString path = makeTable();
    {
        DatabaseAccess db(path, m_notifier);
        QVERIFY(db.execute(QStringLiteral("insert into t (name) values (?)"), {QStringLiteral("first")}));
    }
    {
        DatabaseAccess db(path, m_notifier);
        QVERIFY(db.execute(QStringLiteral("update t set n = 5 where name = ?"), {QStringLiteral("first")}));
    }
    DatabaseAccess db(path, m_notifier);
    const QList<QSqlRecord> rows = db.query(QStringLiteral("select name, n from t"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().value(1).toInt(), 5);
    QCOMPARE(m_notifier.count(), 0);
}

void TestDatabaseAccess::connectionsAreRemovedAfterUse()
{
    const QString path = makeTable();
    {
        DatabaseAccess db(path, m_notifier);
        db.query(QStringLiteral("select * from t"));
        QCOMPARE(QSqlDatabase::connectionNames().size(), 1);
    }
    {
        DatabaseAccess missing(m_dir->filePath(QStringLiteral("missing.db")), m_notifier);
        missing.query(QStringLiteral("select * from t"));
    }
    QVERIFY(QSqlDatabase::connectionNames().isEmpty());
    // Nothing of the failed open is left in the registry of open files either.
    DatabaseAccess again(path, m_notifier);
    QVERIFY(again.open());
}

void TestDatabaseAccess::valuesAreBoundNeverSpliced_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("single quote") << QStringLiteral("O'Brien");
    QTest::newRow("double quotes") << QStringLiteral("the \"double quotes\" motion");
    QTest::newRow("statement in a value") << QStringLiteral("x'); drop table t; --");
    QTest::newRow("question mark") << QStringLiteral("who?");
    QTest::newRow("chinese") << QStringLiteral("代表大会");
    QTest::newRow("empty") << QString();
}

void TestDatabaseAccess::valuesAreBoundNeverSpliced()
{
    QFETCH(QString, value);
    const QString path = makeTable();
    {
        DatabaseAccess db(path, m_notifier);
        QVERIFY(db.execute(QStringLiteral("insert into t (name) values (?)"), {value}));
        QVERIFY(db.execute(QStringLiteral("insert into t (name) values (?)"), {QStringLiteral("other")}));
    }
    DatabaseAccess db(path, m_notifier);
    const QList<QSqlRecord> rows = db.query(QStringLiteral("select name from t where name = ?"), {value});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().value(0).toString(), value);
    QCOMPARE(db.query(QStringLiteral("select * from t")).size(), 2);
    QCOMPARE(m_notifier.count(), 0);
}

void TestDatabaseAccess::blobIsReadBackWhole()
{
    QByteArray bytes(1000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 37) & 0xFF);
    const QString path = makeTable();
    {
        DatabaseAccess db(path, m_notifier);
        QVERIFY(db.execute(QStringLiteral("insert into t (b) values (?)"), {bytes}));
    }
    DatabaseAccess db(path, m_notifier);
    QCOMPARE(db.query(QStringLiteral("select b from t")).value(0).value(0).toByteArray(), bytes);
}

void TestDatabaseAccess::rollbackWritesNothing()
{
    const QString path = makeTable();
    {
        DatabaseAccess db(path, m_notifier);
        QVERIFY(db.begin());
        QVERIFY(db.executeEach(QStringLiteral("insert into t (name) values (?)"),
                               {{QStringLiteral("a")}, {QStringLiteral("b")}}));
        db.rollback();
        QVERIFY(db.begin());
        // A failing row in the middle stops the run; the caller rolls back what came before it.
        QVERIFY(!db.executeEach(QStringLiteral("insert into t (id, name) values (?, ?)"),
                                {{1, QStringLiteral("c")}, {1, QStringLiteral("duplicate key")}}));
        db.rollback();
    }
    DatabaseAccess db(path, m_notifier);
    QVERIFY(db.query(QStringLiteral("select * from t")).isEmpty());
    QCOMPARE(m_notifier.count(), 1);
}

void TestDatabaseAccess::fileNamesWithUriCharactersAreKept_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("space and hash") << QStringLiteral("annual meeting #3.db");
    QTest::newRow("question and percent") << QStringLiteral("what? 100%.db");
    QTest::newRow("chinese") << QStringLiteral("年会.db");
}

void TestDatabaseAccess::fileNamesWithUriCharactersAreKept()
{
    QFETCH(QString, name);
    const QString path = makeTable(name);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{name});
    DatabaseAccess db(path, m_notifier);
    QVERIFY(db.execute(QStringLiteral("insert into t (name) values (?)"), {name}));
    QCOMPARE(m_notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestDatabaseAccess)
#include "testdatabaseaccess.moc"
