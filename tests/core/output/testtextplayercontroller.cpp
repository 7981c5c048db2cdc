#include "core/output/textplayercontroller.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "core/output/codepage.h"
#include "core/output/textfilereader.h"

using namespace Qt::StringLiterals;

namespace {

QColor colourAt(QTextDocument &document, int position)
{
    QTextCursor c(&document);
    c.setPosition(position + 1);
    return c.charFormat().foreground().color();
}

} // namespace

class TestTextPlayerController final : public QObject
{
    Q_OBJECT

private slots:
    void stepsColourBothCopies();
    void previousRecoloursTheSentenceAfter();
    void automaticSteppingStopsAtTheEnd();
    void speedZeroStepsOnceASecond();
    void restoreStopsAndRecolours();
    void textColourRecoloursAtOnceHighlightFromTheNextStep();
    void copiesGetTheirSizes();
    void fontAppliesToTheWholeTextOfBoth();
    void filesAreReadInTheirEncoding_data();
    void filesAreReadInTheirEncoding();
    void unreadableFileChangesNothing();
};

void TestTextPlayerController::stepsColourBothCopies()
{
    QTextDocument mine;
    QTextDocument hall;
    TextPlayerController player(&mine, &hall);
    player.setText(u"One, two.\nThree\n"_s);
    player.nextSentence();
    player.nextSentence();
    for (QTextDocument *d : {&mine, &hall}) {
        QCOMPARE(colourAt(*d, 0), QColor(0, 0, 0));
        QCOMPARE(colourAt(*d, 3), QColor(0, 0, 0));
        QCOMPARE(colourAt(*d, 4), QColor(255, 0, 0));
        QCOMPARE(colourAt(*d, 8), QColor(255, 0, 0));
        QCOMPARE(colourAt(*d, 10), QColor(0, 0, 0));
    }
    // The paragraph break counts as one character, as in the document.
    player.nextSentence();
    QCOMPARE(player.stepper().sentenceEnd(), 16);
    QCOMPARE(colourAt(hall, 10), QColor(255, 0, 0));
    QCOMPARE(colourAt(hall, 14), QColor(255, 0, 0));
}

void TestTextPlayerController::previousRecoloursTheSentenceAfter()
{
    QTextDocument mine;
    QTextDocument hall;
    TextPlayerController player(&mine, &hall);
    player.setText(u"a,b,c"_s);
    player.nextSentence();
    player.nextSentence();
    player.previousSentence();
    QCOMPARE(colourAt(hall, 0), QColor(255, 0, 0));
    QCOMPARE(colourAt(hall, 2), QColor(0, 0, 0));
    QCOMPARE(colourAt(hall, 3), QColor(0, 0, 0));
}

void TestTextPlayerController::automaticSteppingStopsAtTheEnd()
{
    QTextDocument mine;
    TextPlayerController player(&mine, nullptr);
    player.setText(u"no pause symbol"_s);
    QSignalSpy toggled(&player, &TextPlayerController::automaticChanged);
    player.toggleAutomatic(2);
    QVERIFY(player.isAutomatic());
    QVERIFY(player.isTimerActive());
    QCOMPARE(player.timerInterval(), 2000);
    player.tick(); // the whole text is one sentence
    QVERIFY(player.isTimerActive());
    QVERIFY(player.stepper().atEnd());
    player.tick(); // the following tick stops the timer; the button still offers to pause
    QVERIFY(!player.isTimerActive());
    QVERIFY(player.isAutomatic());
    player.toggleAutomatic(2);
    QVERIFY(!player.isAutomatic());
    QCOMPARE(toggled.count(), 2);
}

void TestTextPlayerController::speedZeroStepsOnceASecond()
{
    TextPlayerController player(nullptr, nullptr);
    player.toggleAutomatic(0);
    QCOMPARE(player.timerInterval(), 1000);
    player.toggleAutomatic(0);
    player.toggleAutomatic(-4);
    QCOMPARE(player.timerInterval(), 1000);
    player.toggleAutomatic(0);
    player.toggleAutomatic(5);
    QCOMPARE(player.timerInterval(), 5000);
}

void TestTextPlayerController::restoreStopsAndRecolours()
{
    QTextDocument hall;
    TextPlayerController player(nullptr, &hall);
    player.setText(u"a,b,c"_s);
    player.toggleAutomatic(1);
    player.nextSentence();
    player.restore();
    QVERIFY(!player.isTimerActive());
    QCOMPARE(player.stepper().sentenceEnd(), 0);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(colourAt(hall, i), QColor(0, 0, 0));
}

void TestTextPlayerController::textColourRecoloursAtOnceHighlightFromTheNextStep()
{
    QTextDocument hall;
    TextPlayerController player(nullptr, &hall);
    player.setText(u"a,b,c"_s);
    player.nextSentence();
    player.setHighlightColour(QColor(0, 255, 0));
    QCOMPARE(colourAt(hall, 0), QColor(255, 0, 0));
    player.nextSentence();
    QCOMPARE(colourAt(hall, 2), QColor(0, 255, 0));
    player.setTextColour(QColor(0, 0, 128));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(colourAt(hall, i), QColor(0, 0, 128));
}

void TestTextPlayerController::copiesGetTheirSizes()
{
    QTextDocument mine;
    QTextDocument hall;
    TextPlayerController player(&mine, &hall);
    player.setText(u"x\ny\n"_s);
    QTextCursor a(&mine);
    a.setPosition(1);
    QTextCursor b(&hall);
    b.setPosition(1);
    QCOMPARE(a.charFormat().fontPointSize(), 12.8); // 256 twips
    QCOMPARE(b.charFormat().fontPointSize(), 16.2); // 324 twips
    QCOMPARE(a.charFormat().fontWeight(), int(QFont::Normal));
    QCOMPARE(mine.toPlainText(), u"x\ny\n"_s);
}

void TestTextPlayerController::fontAppliesToTheWholeTextOfBoth()
{
    QTextDocument mine;
    QTextDocument hall;
    TextPlayerController player(&mine, &hall);
    player.setText(u"a,b"_s);
    player.nextSentence();
    QFont f(u"DejaVu Sans"_s);
    f.setPointSize(30);
    f.setBold(true);
    player.applyFont(f);
    for (QTextDocument *d : {&mine, &hall}) {
        QTextCursor c(d);
        c.setPosition(3);
        QCOMPARE(c.charFormat().fontPointSize(), 30.0);
        QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(colourAt(*d, 0), QColor(255, 0, 0)); // a font is not a colour
    }
}

void TestTextPlayerController::filesAreReadInTheirEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("legacyCodePage"); // the operator's language's

    const QString chinese = u"各位代表，\n大家好。\n"_s;
    QByteArray utf16le("\xFF\xFE");
    for (const QChar c : u"各位代表，\r\n大家好。"_s) {
        utf16le.append(char(c.unicode() & 0xFF));
        utf16le.append(char(c.unicode() >> 8));
    }
    QByteArray utf16be("\xFE\xFF");
    for (const QChar c : u"各位代表，\n大家好。\n"_s) {
        utf16be.append(char(c.unicode() >> 8));
        utf16be.append(char(c.unicode() & 0xFF));
    }
    QTest::newRow("utf-8 with bom") << (QByteArray("\xEF\xBB\xBF") + chinese.toUtf8()) << chinese
                                    << int(CodePage::ChineseSimplified);
    QTest::newRow("utf-8 without bom") << chinese.toUtf8() << chinese << int(CodePage::ChineseSimplified);
    QTest::newRow("utf-16le with crlf") << utf16le << chinese << int(CodePage::ChineseSimplified);
    QTest::newRow("utf-16be") << utf16be << chinese << int(CodePage::ChineseSimplified);
    QTest::newRow("legacy chinese code page")
        << CodePage::encode(CodePage::ChineseSimplified, u"各位代表，\r\n大家好。"_s) << chinese
        << int(CodePage::ChineseSimplified);
    QTest::newRow("empty file") << QByteArray() << QString() << int(CodePage::ChineseSimplified);
    // An English operator's file saved by a Western program: "São" in Windows-1252.
    QTest::newRow("windows-1252 under english")
        << QByteArray("S\xE3o Paulo\r\n") << u"S\u00E3o Paulo\n"_s << int(CodePage::Western);
    QTest::newRow("blank lines kept")
        << QByteArray("a\n\nb") << u"a\n\nb\n"_s << int(CodePage::ChineseSimplified);
}

void TestTextPlayerController::filesAreReadInTheirEncoding()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"speech.txt"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    QTextDocument hall;
    TextPlayerController player(nullptr, &hall);
    QFETCH(int, legacyCodePage);
    player.setLegacyCodePage(legacyCodePage);
    QVERIFY(player.openFile(path));
    QFETCH(QString, text);
    QCOMPARE(player.text(), text);
}

void TestTextPlayerController::unreadableFileChangesNothing()
{
    QTextDocument hall;
    TextPlayerController player(nullptr, &hall);
    player.setText(u"kept"_s);
    QVERIFY(!player.openFile(u"/nonexistent/quorix/speech.txt"_s));
    QCOMPARE(hall.toPlainText(), u"kept"_s);
    QVERIFY(!TextFileReader::read(u"/nonexistent/quorix/speech.txt"_s).has_value());
}

QTEST_MAIN(TestTextPlayerController)
#include "testtextplayercontroller.moc"
