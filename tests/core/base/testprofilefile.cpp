#include "core/base/profilefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The seat plan as an administrator might have left it: comments, blank lines, odd spacing.
const QByteArray seatPlan = "; seat plan of the main hall\n"
                            "[appInfo]\n"
                            "count=2\n"
                            "\n"
                            "[Control1]\n"
                            "caption=1\n"
                            "left = 0\n"
                            "top=0\n"
                            "\n"
                            "; the chair\n"
                            "[Control2]\n"
                            "caption=2\n"
                            "left=52\n";

} // namespace

class TestProfileFile final : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void missingFileSectionOrKeyReadsEmpty();
    void namesMatchWithoutCaseAndBlanks();
    void valueLosesBlanksAndOneQuotePair();
    void readIntTakesTheLeadingNumber_data();
    void readIntTakesTheLeadingNumber();
    void longValueIsCutAt255();
    void cutNeverSplitsASurrogatePair();

    void writeReplacesInPlaceAndKeepsEverythingElse();
    void writeAddsKeyAtSectionEndAndSectionAtFileEnd();
    void writeCreatesAMissingFile();
    void writtenValueReadsBackAsGiven_data();
    void writtenValueReadsBackAsGiven();
    void unsafeNamesAndValuesAreRefused_data();
    void unsafeNamesAndValuesAreRefused();
    void keyWithTrailingBlankKeepsItsSpelling();
    void deleteKeyRemovesOnlyThatLine();
    void deleteSectionRemovesHeaderAndEntries();
    void editWritesSeveralChangesOnce();
    void crlfFileKeepsItsLineEnds();
    void failedWriteLeavesTheOldFile();

    void encodingsAreRead_data();
    void encodingsAreRead();
    void writeTurnsUtf16IntoUtf8();

private:
    QString path(const QString &name = u"seat.ini"_s) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void TestProfileFile::init()
{
    QVERIFY(m_dir.isValid());
    QFile::remove(path());
    QVERIFY(writeBytes(path(), seatPlan));
}

void TestProfileFile::missingFileSectionOrKeyReadsEmpty()
{
    const ProfileFile plan(path());
    QCOMPARE(plan.readString(u"Control1"_s, u"caption"_s), u"1"_s);
    QCOMPARE(plan.readString(u"Control9"_s, u"caption"_s), QString());
    QCOMPARE(plan.readString(u"Control1"_s, u"right"_s), QString());
    QCOMPARE(plan.readInt(u"Control1"_s, u"right"_s), 0);
    QCOMPARE(plan.readInt(u"Control1"_s, u"right"_s, 50), 50);

    const ProfileFile missing(path(u"none.ini"_s));
    QCOMPARE(missing.readString(u"appInfo"_s, u"count"_s), QString());
    QCOMPARE(missing.readInt(u"appInfo"_s, u"count"_s), 0);
    QVERIFY(missing.read().isEmpty());
    // A key of one section is not found in another.
    QCOMPARE(plan.readString(u"appInfo"_s, u"caption"_s), QString());
}

void TestProfileFile::namesMatchWithoutCaseAndBlanks()
{
    const ProfileFile plan(path());
    QCOMPARE(plan.readInt(u"APPINFO"_s, u"Count"_s), 2);
    QCOMPARE(plan.readInt(u"Control1"_s, u"left"_s, -1), 0); // written "left = 0"
    QCOMPARE(plan.readInt(u"Control2"_s, u" left "_s), 52);
}

void TestProfileFile::valueLosesBlanksAndOneQuotePair()
{
    QVERIFY(writeBytes(path(), "[T]\n"
                               "plain=  two words  \n"
                               "double=\" kept blanks \"\n"
                               "single='quoted'\n"
                               "inner=a \"b\" c\n"
                               "unmatched=\"open\n"
                               "twice=\"\"x\"\"\n"
                               "empty=\n"));
    const ProfileFile file(path());
    QCOMPARE(file.readString(u"T"_s, u"plain"_s), u"two words"_s);
    QCOMPARE(file.readString(u"T"_s, u"double"_s), u" kept blanks "_s);
    QCOMPARE(file.readString(u"T"_s, u"single"_s), u"quoted"_s);
    QCOMPARE(file.readString(u"T"_s, u"inner"_s), u"a \"b\" c"_s);
    QCOMPARE(file.readString(u"T"_s, u"unmatched"_s), u"\"open"_s);
    QCOMPARE(file.readString(u"T"_s, u"twice"_s), u"\"x\""_s);
    QCOMPARE(file.readString(u"T"_s, u"empty"_s), QString());
    QVERIFY(file.read().value(u"T", u"empty").has_value());
}

void TestProfileFile::readIntTakesTheLeadingNumber_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain") << u"12"_s << 12;
    QTest::newRow("negative") << u"-5"_s << -5;
    QTest::newRow("plus sign") << u"+7"_s << 7;
    QTest::newRow("trailing text ends the number") << u"7x3"_s << 7;
    QTest::newRow("no digits") << u"abc"_s << 0;
    QTest::newRow("hex is not read") << u"0x10"_s << 0;
    QTest::newRow("empty value") << QString() << 0;
    QTest::newRow("too large is held at the end") << u"99999999999"_s << 2147483647;
    QTest::newRow("too small is held at the end") << u"-99999999999"_s << -2147483647 - 1;
}

void TestProfileFile::readIntTakesTheLeadingNumber()
{
    QFETCH(QString, value);
    QFETCH(int, expected);
    ProfileFile file(path());
    QVERIFY(file.writeString(u"Control1"_s, u"bottom"_s, value));
    QCOMPARE(file.readInt(u"Control1"_s, u"bottom"_s, 99), expected);
}

void TestProfileFile::longValueIsCutAt255()
{
    ProfileFile file(path());
    const QString value = QString(300, u'x');
    QVERIFY(file.writeString(u"Control1"_s, u"caption"_s, value));
    QCOMPARE(file.readString(u"Control1"_s, u"caption"_s), QString(255, u'x'));
    QCOMPARE(file.readString(u"Control1"_s, u"caption"_s, 10), QString(10, u'x'));
    // The file itself keeps the whole value.
    QCOMPARE(file.read().value(u"Control1", u"caption").value_or(QString()), value);
}

void TestProfileFile::cutNeverSplitsASurrogatePair()
{
    const QString clef = QString::fromUcs4(U"\U0001D11E");
    const QString value = QString(254, u'a') + clef + u"b"_s;
    QCOMPARE(ProfileFile::cut(value, 255), QString(254, u'a'));
    QCOMPARE(ProfileFile::cut(value, 256), QString(254, u'a') + clef);
}

void TestProfileFile::writeReplacesInPlaceAndKeepsEverythingElse()
{
    ProfileFile file(path());
    QVERIFY(file.writeString(u"control1"_s, u"LEFT"_s, u"104"_s));
    QVERIFY(file.writeString(u"appInfo"_s, u"count"_s, u"3"_s));
    const QByteArray expected =
        QByteArray(seatPlan).replace("left = 0", "left =104").replace("count=2", "count=3");
    QCOMPARE(readBytes(path()), expected);
}

void TestProfileFile::writeAddsKeyAtSectionEndAndSectionAtFileEnd()
{
    ProfileFile file(path());
    QVERIFY(file.writeString(u"Control1"_s, u"right"_s, u"42"_s));
    QVERIFY(file.writeString(u"Control3"_s, u"caption"_s, u"3"_s));
    QCOMPARE(readBytes(path()), QByteArray("; seat plan of the main hall\n"
                                           "[appInfo]\n"
                                           "count=2\n"
                                           "\n"
                                           "[Control1]\n"
                                           "caption=1\n"
                                           "left = 0\n"
                                           "top=0\n"
                                           "right=42\n"
                                           "\n"
                                           "; the chair\n"
                                           "[Control2]\n"
                                           "caption=2\n"
                                           "left=52\n"
                                           "\n"
                                           "[Control3]\n"
                                           "caption=3\n"));
}

void TestProfileFile::writeCreatesAMissingFile()
{
    ProfileFile presets(path(u"Vidaddr.ini"_s));
    QVERIFY(presets.writeString(u"Vidset"_s, u"SetVid"_s, u"2"_s));
    QVERIFY(presets.writeString(u"VID0"_s, u"cell12"_s, u"12"_s));
    QCOMPARE(readBytes(presets.path()), QByteArray("[Vidset]\nSetVid=2\n\n[VID0]\ncell12=12\n"));
    // Deleting from a file that is not there creates nothing.
    ProfileFile none(path(u"none.ini"_s));
    QVERIFY(none.deleteSection(u"VID0"_s));
    QVERIFY(!QFile::exists(none.path()));
}

void TestProfileFile::writtenValueReadsBackAsGiven_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << u"Seat 12"_s;
    QTest::newRow("leading and trailing blanks") << u"  padded  "_s;
    QTest::newRow("enclosed in quotes") << u"\"quoted\""_s;
    QTest::newRow("enclosed in single quotes") << u"'single'"_s;
    QTest::newRow("equals sign and semicolon") << u"a=b; c"_s;
    QTest::newRow("brackets") << u"[not a section]"_s;
    QTest::newRow("chinese") << u"主席台"_s;
    QTest::newRow("empty") << QString();
}

void TestProfileFile::writtenValueReadsBackAsGiven()
{
    QFETCH(QString, value);
    ProfileFile file(path());
    QVERIFY(file.writeString(u"Control2"_s, u"caption"_s, value));
    QCOMPARE(file.readString(u"Control2"_s, u"caption"_s), value);
    QVERIFY(file.writeString(u"New"_s, u"caption"_s, value));
    QCOMPARE(file.readString(u"New"_s, u"caption"_s), value);
    QCOMPARE(file.readInt(u"appInfo"_s, u"count"_s), 2);
}

void TestProfileFile::unsafeNamesAndValuesAreRefused_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("line break in value") << u"Control1"_s << u"caption"_s << u"1\n[appInfo]\ncount=99"_s;
    QTest::newRow("carriage return in value") << u"Control1"_s << u"caption"_s << u"1\r"_s;
    QTest::newRow("equals sign in key") << u"Control1"_s << u"a=b"_s << u"1"_s;
    QTest::newRow("empty key") << u"Control1"_s << QString() << u"1"_s;
    QTest::newRow("blank key") << u"Control1"_s << u"  "_s << u"1"_s;
    QTest::newRow("key that reads as a header") << u"Control1"_s << u"[x"_s << u"1"_s;
    QTest::newRow("key that reads as a comment") << u"Control1"_s << u";x"_s << u"1"_s;
    QTest::newRow("bracket in section") << u"a]b"_s << u"k"_s << u"1"_s;
    QTest::newRow("empty section") << QString() << u"k"_s << u"1"_s;
    QTest::newRow("line break in section") << u"a\nb"_s << u"k"_s << u"1"_s;
}

void TestProfileFile::unsafeNamesAndValuesAreRefused()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    ProfileFile file(path());
    QVERIFY(!file.writeString(section, key, value));
    QCOMPARE(readBytes(path()), seatPlan);
}

void TestProfileFile::keyWithTrailingBlankKeepsItsSpelling()
{
    QVERIFY(writeBytes(path(), "[FrmSysset]\nMsgClew =Setup\n"));
    ProfileFile file(path());
    QCOMPARE(file.readString(u"FrmSysset"_s, u"MsgClew "_s), u"Setup"_s);
    QVERIFY(file.writeString(u"FrmSysset"_s, u"MsgClew"_s, u"System setup"_s));
    QVERIFY(file.writeString(u"FrmSysset"_s, u"IDC_SAVE "_s, u"Save"_s));
    QCOMPARE(readBytes(path()), QByteArray("[FrmSysset]\nMsgClew =System setup\nIDC_SAVE =Save\n"));
    QCOMPARE(file.read().keys(u"FrmSysset"), QStringList({u"MsgClew "_s, u"IDC_SAVE "_s}));
}

void TestProfileFile::deleteKeyRemovesOnlyThatLine()
{
    ProfileFile file(path());
    QVERIFY(file.deleteKey(u"Control1"_s, u"Left"_s));
    QCOMPARE(readBytes(path()), QByteArray(seatPlan).replace("left = 0\n", ""));
    QVERIFY(file.deleteKey(u"Control1"_s, u"nothing"_s));
    QVERIFY(file.deleteKey(u"Nowhere"_s, u"left"_s));
    QCOMPARE(readBytes(path()), QByteArray(seatPlan).replace("left = 0\n", ""));
}

void TestProfileFile::deleteSectionRemovesHeaderAndEntries()
{
    ProfileFile file(path());
    QVERIFY(file.deleteSection(u"CONTROL1"_s));
    QCOMPARE(readBytes(path()), QByteArray("; seat plan of the main hall\n"
                                           "[appInfo]\n"
                                           "count=2\n"
                                           "\n"
                                           "\n"
                                           "; the chair\n"
                                           "[Control2]\n"
                                           "caption=2\n"
                                           "left=52\n"));
    QCOMPARE(file.readString(u"Control1"_s, u"caption"_s), QString());
    QVERIFY(file.deleteSection(u"Control2"_s));
    QVERIFY(!file.read().hasSection(u"Control2"));
    QCOMPARE(file.readInt(u"appInfo"_s, u"count"_s), 2);
}

void TestProfileFile::editWritesSeveralChangesOnce()
{
    ProfileFile file(path());
    QVERIFY(file.edit([](ProfileDocument &document) {
        document.removeSection(u"Control2");
        return document.setValue(u"appInfo", u"count", u"1");
    }));
    QCOMPARE(file.readInt(u"appInfo"_s, u"count"_s), 1);
    QVERIFY(!file.read().hasSection(u"Control2"));

    // An abandoned edit writes nothing.
    QVERIFY(!file.edit([](ProfileDocument &document) {
        document.removeSection(u"appInfo");
        return false;
    }));
    QCOMPARE(file.readInt(u"appInfo"_s, u"count"_s), 1);
}

void TestProfileFile::crlfFileKeepsItsLineEnds()
{
    QVERIFY(writeBytes(path(), "[appInfo]\r\ncount=2\r\n"));
    ProfileFile file(path());
    QVERIFY(file.writeString(u"appInfo"_s, u"count"_s, u"3"_s));
    QVERIFY(file.writeString(u"Control1"_s, u"caption"_s, u"1"_s));
    QCOMPARE(readBytes(path()), QByteArray("[appInfo]\r\ncount=3\r\n\r\n[Control1]\r\ncaption=1\r\n"));
}

void TestProfileFile::failedWriteLeavesTheOldFile()
{
    // A path that is a folder cannot be read as a file: nothing is written over it.
    ProfileFile folder(m_dir.path());
    QVERIFY(!folder.writeString(u"appInfo"_s, u"count"_s, u"9"_s));
    QVERIFY(QFileInfo(m_dir.path()).isDir());

    // The replacement is built next to the file: a folder that cannot take it fails the write.
    QVERIFY(QDir(m_dir.path()).mkdir(u"locked"_s));
    const QString lockedDir = m_dir.filePath(u"locked"_s);
    const QString lockedFile = lockedDir + u"/seat.ini"_s;
    QVERIFY(writeBytes(lockedFile, seatPlan));
    QVERIFY(QFile::setPermissions(lockedDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    ProfileFile file(lockedFile);
    const bool written = file.writeString(u"appInfo"_s, u"count"_s, u"9"_s);
    const QByteArray after = readBytes(lockedFile);
    QFile::setPermissions(lockedDir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (written)
        QSKIP("the file system does not refuse writes here (running as root)");
    QCOMPARE(after, seatPlan);
}

void TestProfileFile::encodingsAreRead_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QString text = u"[Public]\nVoteTitle=表决结果\n"_s;
    QTest::newRow("utf-8") << text.toUtf8();
    QTest::newRow("utf-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QStringEncoder little(QStringConverter::Utf16LE);
    QStringEncoder big(QStringConverter::Utf16BE);
    QTest::newRow("utf-16 le with byte-order mark") << QByteArray("\xFF\xFE") + QByteArray(little(text));
    QTest::newRow("utf-16 be with byte-order mark") << QByteArray("\xFE\xFF") + QByteArray(big(text));
    // 表决结果 in the legacy Chinese code page, as older installations wrote it.
    QTest::newRow("gb18030") << QByteArray("[Public]\r\nVoteTitle=\xB1\xED\xBE\xF6\xBD\xE1\xB9\xFB\r\n");
}

void TestProfileFile::encodingsAreRead()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(writeBytes(path(u"menu.ini"_s), bytes));
    const ProfileFile file(path(u"menu.ini"_s));
    QCOMPARE(file.readString(u"Public"_s, u"VoteTitle"_s), u"表决结果"_s);
    // The byte-order mark is not part of the first section's name.
    QCOMPARE(file.read().sectionNames(), QStringList{u"Public"_s});
}

void TestProfileFile::writeTurnsUtf16IntoUtf8()
{
    QStringEncoder little(QStringConverter::Utf16LE);
    const QString text = u"; 语言文件\n[Public]\nVoteTitle=表决结果\n"_s;
    QVERIFY(writeBytes(path(u"menu.ini"_s), QByteArray("\xFF\xFE") + QByteArray(little(text))));
    ProfileFile file(path(u"menu.ini"_s));
    QVERIFY(file.writeString(u"Public"_s, u"VoteType1"_s, u"表决"_s));
    QCOMPARE(readBytes(file.path()),
             u"; 语言文件\n[Public]\nVoteTitle=表决结果\nVoteType1=表决\n"_s.toUtf8());
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "testprofilefile.moc"
