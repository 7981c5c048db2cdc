#include "core/base/textcatalogue.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/counting/votetypetable.h"
#include "core/base/dataroot.h"
#include "core/base/operatortext.h"

using namespace Qt::StringLiterals;

namespace {

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

} // namespace

class TestTextCatalogue final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void languageCodeChoosesTheFile_data();
    void languageCodeChoosesTheFile();
    void missingKeyIsEmptyWithoutFallBack();
    void longTextIsCutAt255();
    void editedFileTakesEffectAtTheNextLookup();
    void removedFileGivesEmptyTexts();
    void familyReadsTheNumberedKeys();
    void resolverShowsCatalogueTextsAndLiterals();
    void lookupServesTheVoteTypeMatch();

private:
    QString menuPath(const QString &name) const { return m_dir.filePath(u"System/Menu/"_s + name); }

    QTemporaryDir m_dir;
};

void TestTextCatalogue::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(u"System/Menu"_s));
    QVERIFY(writeText(menuPath(u"menu.ini"_s), u"[FrmMain]\nDlgName=会议表决系统\nMsgExit=确定退出吗？\n"_s));
    QVERIFY(writeText(menuPath(u"menu_e.ini"_s), u"[FrmMain]\nDlgName=Voting console\n"_s));
    QVERIFY(writeText(menuPath(u"menu_p.ini"_s), u"[FrmMain]\nDlgName=Consola de votação\n"_s));
}

void TestTextCatalogue::languageCodeChoosesTheFile_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");

    QTest::newRow("0 simplified chinese") << u"0"_s << u"System/Menu/menu.ini"_s << u"会议表决系统"_s;
    QTest::newRow("1 english") << u"1"_s << u"System/Menu/menu_e.ini"_s << u"Voting console"_s;
    QTest::newRow("2 portuguese") << u"2"_s << u"System/Menu/menu_p.ini"_s << u"Consola de votação"_s;
    QTest::newRow("3 chooses no file") << u"3"_s << QString() << QString();
    QTest::newRow("empty code (no Manage row)") << QString() << QString() << QString();
    QTest::newRow("code with a blank") << u"1 "_s << QString() << QString();
}

void TestTextCatalogue::languageCodeChoosesTheFile()
{
    QFETCH(QString, code);
    QFETCH(QString, file);
    QFETCH(QString, title);

    QCOMPARE(TextCatalogue::relativePath(code), file);
    const TextCatalogue catalogue(DataRoot(m_dir.path()), code);
    QCOMPARE(catalogue.filePath(), file.isEmpty() ? QString() : m_dir.filePath(file));
    QCOMPARE(catalogue.text(u"FrmMain"_s, u"DlgName"_s), title);
    QCOMPARE(TextCatalogue::isLanguageCode(code), !file.isEmpty());
}

void TestTextCatalogue::missingKeyIsEmptyWithoutFallBack()
{
    const TextCatalogue english(DataRoot(m_dir.path()), u"1"_s);
    // MsgExit is only in the Chinese file: the English console shows nothing rather than Chinese.
    QCOMPARE(english.text(u"FrmMain"_s, u"MsgExit"_s), QString());
    QCOMPARE(english.text(u"FrmPass"_s, u"DlgName"_s), QString());
    QCOMPARE(TextCatalogue().text(u"FrmMain"_s, u"DlgName"_s), QString());
    const TextCatalogue missingFile(m_dir.filePath(u"System/Menu/menu_x.ini"_s));
    QCOMPARE(missingFile.text(u"FrmMain"_s, u"DlgName"_s), QString());
}

void TestTextCatalogue::longTextIsCutAt255()
{
    const QString path = m_dir.filePath(u"long.ini"_s);
    QVERIFY(writeText(path, u"[Public]\nRunErr="_s + QString(300, u'长') + u"\n"_s));
    const TextCatalogue catalogue(path);
    QCOMPARE(catalogue.text(u"Public"_s, u"RunErr"_s), QString(255, u'长'));
}

void TestTextCatalogue::editedFileTakesEffectAtTheNextLookup()
{
    const QString path = m_dir.filePath(u"edited.ini"_s);
    QVERIFY(writeText(path, u"[FrmLink]\nMsgClew4=On line\n"_s));
    const TextCatalogue catalogue(path);
    const TextCatalogue copy = catalogue;
    QCOMPARE(catalogue.text(u"FrmLink"_s, u"MsgClew4"_s), u"On line"_s);

    // A new text of another length.
    QVERIFY(writeText(path, u"[FrmLink]\nMsgClew4=Answered\n"_s));
    QCOMPARE(catalogue.text(u"FrmLink"_s, u"MsgClew4"_s), u"Answered"_s);
    QCOMPARE(copy.text(u"FrmLink"_s, u"MsgClew4"_s), u"Answered"_s);

    // The same length: the modification time tells the change.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QDateTime before = file.fileTime(QFileDevice::FileModificationTime);
    file.close();
    QVERIFY(writeText(path, u"[FrmLink]\nMsgClew4=Answer!!\n"_s));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(before.addSecs(5), QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(catalogue.text(u"FrmLink"_s, u"MsgClew4"_s), u"Answer!!"_s);
}

void TestTextCatalogue::removedFileGivesEmptyTexts()
{
    const QString path = m_dir.filePath(u"removed.ini"_s);
    QVERIFY(writeText(path, u"[FrmLogo]\nMsgClew=Base station\n"_s));
    const TextCatalogue catalogue(path);
    QCOMPARE(catalogue.text(u"FrmLogo"_s, u"MsgClew"_s), u"Base station"_s);
    QVERIFY(QFile::remove(path));
    QCOMPARE(catalogue.text(u"FrmLogo"_s, u"MsgClew"_s), QString());
}

void TestTextCatalogue::familyReadsTheNumberedKeys()
{
    const QString path = m_dir.filePath(u"family.ini"_s);
    QVERIFY(writeText(path, u"[FrmScrText]\nStatic4=Yes\nStatic5=No\nStatic7=Absent\n"_s));
    const TextCatalogue catalogue(path);
    QCOMPARE(catalogue.family(u"FrmScrText"_s, u"Static"_s, 4, 7),
             QStringList({u"Yes"_s, u"No"_s, QString(), u"Absent"_s}));
    QCOMPARE(catalogue.family(u"FrmScrText"_s, u"Static"_s, 1, 0), QStringList());
    QCOMPARE(TextCatalogue::familyKey(u"MsgClew"_s, 18), u"MsgClew18"_s);
}

void TestTextCatalogue::resolverShowsCatalogueTextsAndLiterals()
{
    const TextCatalogue catalogue(DataRoot(m_dir.path()), u"1"_s);
    const OperatorText title = OperatorText::catalogue(u"FrmMain"_s, u"DlgName"_s);
    const OperatorText engine = OperatorText::plain(u"database is locked"_s);
    QCOMPARE(catalogue.resolve(title), u"Voting console"_s);
    QCOMPARE(catalogue.resolve(engine), u"database is locked"_s);

    std::function<QString(const OperatorText &)> resolve;
    {
        const TextCatalogue scoped(DataRoot(m_dir.path()), u"2"_s);
        resolve = scoped.resolver();
    }
    // The resolver outlives the catalogue it came from.
    QCOMPARE(resolve(title), u"Consola de votação"_s);
    QCOMPARE(resolve(engine), u"database is locked"_s);
}

void TestTextCatalogue::lookupServesTheVoteTypeMatch()
{
    const QString path = m_dir.filePath(u"types.ini"_s);
    QVERIFY(writeText(path, u"[Public]\nVoteType1=Motion\nVoteType6=Scoring\nVoteType7=Appraisal\n"_s));
    const TextCatalogue catalogue(path);
    QCOMPARE(VoteTypeTable::match(u"Scoring"_s, catalogue.lookup()), std::optional(VoteType::Scoring));
    QCOMPARE(VoteTypeTable::match(u"Election"_s, catalogue.lookup()), std::nullopt);
}

QTEST_GUILESS_MAIN(TestTextCatalogue)
#include "testtextcatalogue.moc"
