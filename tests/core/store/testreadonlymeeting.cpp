// A meeting database on write-protected media, as an operator who is not root meets it. The tests run as
// root, whose right to override file permissions would make every chmod below meaningless, so this test
// process gives that right up first: from then on a file or folder without write permission is exactly
// what it is for any operator, for Qt's checks and for the engine alike.

#include "core/store/meetingdatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "core/base/dataroot.h"
#include "core/store/meetingfiles.h"
#include "recordingnotifier.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Drops CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH from every set of this process, for good.
bool giveUpPermissionOverride()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
        const quint32 bit = 1u << (cap % 32);
        data[cap / 32].effective &= ~bit;
        data[cap / 32].permitted &= ~bit;
        data[cap / 32].inheritable &= ~bit;
    }
    return syscall(SYS_capset, &header, data) == 0;
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

constexpr auto ReadOnlyFile = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr auto ReadOnlyFolder = ReadOnlyFile | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                QFileDevice::ExeOther;

} // namespace

class TestReadOnlyMeeting final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writeProtectedMeetingIsReadAndWritesAreRefused_data();
    void writeProtectedMeetingIsReadAndWritesAreRefused();
};

void TestReadOnlyMeeting::initTestCase()
{
    if (!giveUpPermissionOverride())
        QSKIP("this process cannot give up its right to override file permissions");
}

void TestReadOnlyMeeting::writeProtectedMeetingIsReadAndWritesAreRefused_data()
{
    QTest::addColumn<bool>("fileProtected");
    QTest::addColumn<bool>("folderProtected");
    QTest::newRow("file read-only") << true << false;
    QTest::newRow("folder read-only (no journal can be made)") << false << true;
    QTest::newRow("read-only medium (both)") << true << true;
}

void TestReadOnlyMeeting::writeProtectedMeetingIsReadAndWritesAreRefused()
{
    QFETCH(bool, fileProtected);
    QFETCH(bool, folderProtected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const DataRoot root(dir.path());
    RecordingNotifier notifier;
    QVERIFY(MeetingFiles::create(root, QStringLiteral("Board"), notifier));
    const QString path = MeetingFiles::filePath(root, QStringLiteral("Board"));
    const QString folder = QFileInfo(path).absolutePath();
    {
        MeetingDatabase writable(root, QStringLiteral("Board"), notifier);
        DelegateRecord ann;
        ann.CellNo = QStringLiteral("1");
        ann.EmpName = QStringLiteral("Ann");
        QVERIFY(writable.insertDelegate(ann));
        MotionRecord budget;
        budget.OveName = QStringLiteral("Budget");
        budget.insertdate = QStringLiteral("20250101120000");
        QVERIFY(writable.insertMotion(budget));
    }
    QCOMPARE(notifier.count(), 0);
    const QByteArray before = digest(path);
    const QStringList filesBefore = QDir(folder).entryList(QDir::Files);

    const auto origFile = QFile::permissions(path);
    const auto origFolder = QFile::permissions(folder);
    if (fileProtected)
        QVERIFY(QFile::setPermissions(path, ReadOnlyFile));
    if (folderProtected)
        QVERIFY(QFile::setPermissions(folder, ReadOnlyFolder));
    // The protection holds for this process, as it would for an operator.
    QVERIFY(!QFileInfo(fileProtected ? path : folder).isWritable());

    MeetingDatabase meeting(root, QStringLiteral("Board"), notifier);
    // Viewing works: before, every open switched the file to WAL and failed with "disk I/O error".
    QCOMPARE(meeting.listDelegates().EmpName, QStringList{QStringLiteral("Ann")});
    QCOMPARE(meeting.listMotions().OveName, QStringList{QStringLiteral("Budget")});
    QCOMPARE(notifier.count(), 0);

    // Every kind of write is refused once, plainly, naming the file; a transaction is never begun.
    DelegateRecord bo;
    bo.CellNo = QStringLiteral("2");
    bo.EmpName = QStringLiteral("Bo");
    QVERIFY(!meeting.insertDelegate(bo));
    QVERIFY(!meeting.storeSignIn({{QStringLiteral("1"), QStringLiteral("present")}}));
    QVERIFY(!meeting.storeResult(QStringLiteral("Budget"), QStringLiteral("1:0:0:"), QStringLiteral("Voted"),
                                 QStringLiteral("2025/01/01/-12:00:00")));
    QCOMPARE(notifier.count(), 3);
    for (const RecordingNotifier::Entry &entry : notifier.entries()) {
        QCOMPARE(entry.kind, RecordingNotifier::Kind::Error);
        QCOMPARE(entry.text.key, QStringLiteral("MsgDbReadOnly"));
        QCOMPARE(entry.text.args, QStringList{QDir::toNativeSeparators(path)});
    }

    QVERIFY(QFile::setPermissions(folder, origFolder));
    QVERIFY(QFile::setPermissions(path, origFile));
    // Nothing written, nothing left beside the file.
    QCOMPARE(digest(path), before);
    QCOMPARE(QDir(folder).entryList(QDir::Files), filesBefore);
    notifier.clear();
    QCOMPARE(meeting.listDelegates().EmpName, QStringList{QStringLiteral("Ann")});
    QCOMPARE(meeting.listMotions().VoteState, QStringList{QString()});
    // Writable again: the same object writes.
    QVERIFY(meeting.insertDelegate(bo));
    QCOMPARE(notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestReadOnlyMeeting)
#include "testreadonlymeeting.moc"
