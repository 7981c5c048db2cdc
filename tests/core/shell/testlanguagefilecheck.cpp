#include "core/shell/languagefilecheck.h"

#include "recordingnotifier.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/counting/ballottally.h"
#include "core/base/textcatalogue.h"

using namespace Qt::StringLiterals;

namespace {
const QString shippedFile = QStringLiteral(QUORIX_SOURCE_DIR "/data/System/Menu/menu_e.ini");

// The shipped English file without the lines that begin with one of `dropped`.
QByteArray shippedWithout(const QList<QByteArray> &dropped)
{
    QFile file(shippedFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray out;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (std::none_of(dropped.begin(), dropped.end(),
                         [&](const QByteArray &d) { return line.startsWith(d); }))
            out += line + '\n';
    }
    return out;
}
} // namespace

class TestLanguageFileCheck final : public QObject
{
    Q_OBJECT

private slots:
    void damagedFileIsNamedAndGetsTheShippedTexts_data();
    void damagedFileIsNamedAndGetsTheShippedTexts();
    void soundFileChangesNothing();
};

void TestLanguageFileCheck::damagedFileIsNamedAndGetsTheShippedTexts_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("named"); // some of the keys the message must name
    QTest::addColumn<QStringList>("notNamed");

    QTest::newRow("empty") << QByteArray()
                           << QStringList{"FrmManChe/MsgScrView9", "FrmMeeVote/DateYes", "FrmMain/DlgName"}
                           << QStringList{};
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 131 + 7) % 256);
    QTest::newRow("binary") << binary
                            << QStringList{"Public/VoteType1", "FrmScrText/PassVoteOk", "FrmPass/DlgName"}
                            << QStringList{};
    QTest::newRow("a few keys missing or empty")
        << shippedWithout({"DateBreak=", "MsgScrView10=", "DateNo="}) + "[FrmMeeVote]\nDateNo=\"  \"\n"
        << QStringList{"FrmMeeVote/DateBreak", "FrmManChe/MsgScrView10", "FrmMeeVote/DateNo"}
        << QStringList{"FrmMeeVote/DateYes", "FrmMain/DlgName"};
}

void TestLanguageFileCheck::damagedFileIsNamedAndGetsTheShippedTexts()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, named);
    QFETCH(QStringList, notNamed);
    QTemporaryDir dir;
    const QString path = dir.filePath("menu_e.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();

    TextCatalogue catalogue(path);
    RecordingNotifier notifier;
    QVERIFY(!LanguageFileCheck::check(catalogue, shippedFile, notifier));
    QCOMPARE(notifier.count(), 1);
    const OperatorText message = notifier.entries().first().text;
    QCOMPARE(message.key, "MsgLangMissing");
    QCOMPARE(message.args.value(0), QDir::toNativeSeparators(path));
    for (const QString &key : named)
        QVERIFY2(message.args.value(1).split(", ").contains(key), qPrintable(key));
    for (const QString &key : notNamed)
        QVERIFY2(!message.args.value(1).contains(key), qPrintable(key));
    // The message itself can be read even when the file lacks it.
    QVERIFY(catalogue.resolve(message).contains(QDir::toNativeSeparators(path)));

    // What is stored is never empty: the shipped texts stand in, copies of the catalogue included.
    const TallyTexts texts = TallyTexts::lookUp(TextCatalogue(catalogue).lookup());
    QCOMPARE(texts.DateBreak, "Halted");
    QCOMPARE(texts.DateYes, "Voted");
    QCOMPARE(catalogue.text("FrmManChe", "MsgScrView10"), "Absent");
    QCOMPARE(catalogue.text("FrmMeeVote", "DateNo"), "Ready");
}

void TestLanguageFileCheck::soundFileChangesNothing()
{
    TextCatalogue catalogue(shippedFile);
    RecordingNotifier notifier;
    QVERIFY(LanguageFileCheck::check(catalogue, shippedFile, notifier));
    QCOMPARE(notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestLanguageFileCheck)
#include "testlanguagefilecheck.moc"
