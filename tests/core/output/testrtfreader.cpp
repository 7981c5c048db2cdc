#include "core/output/rtfreader.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include "core/output/codepage.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray sample(const QString &name)
{
    QFile f(QStringLiteral(QUORIX_RTF_SAMPLES) + u'/' + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing sample %s", qPrintable(name));
    return f.readAll();
}

QStringList paragraphs(const QTextDocument &d)
{
    QStringList list;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next())
        list.append(b.text());
    return list;
}

// The format of the character at a position of a paragraph.
QTextCharFormat formatAt(const QTextDocument &d, int block, int offset)
{
    QTextCursor c(d.findBlockByNumber(block));
    c.setPosition(c.position() + offset + 1);
    return c.charFormat();
}

QStringList families(const QTextCharFormat &f)
{
    return f.fontFamilies().toStringList();
}

struct Picture
{
    QImage image;
    QSizeF size;
};

QList<Picture> pictures(const QTextDocument &d)
{
    QList<Picture> list;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().isImageFormat())
                continue;
            const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
            list.append({d.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>(),
                         QSizeF(f.width(), f.height())});
        }
    }
    return list;
}

QString read(const QByteArray &rtf)
{
    QTextDocument d;
    RtfReader::read(rtf, d);
    // The raw text keeps line separators and no-break spaces as they are.
    return d.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

} // namespace

class TestRtfReader final : public QObject
{
    Q_OBJECT

private slots:
    void chineseBannerFromARichEditEditor();
    void westernMotionDocumentFromAWordProcessor();
    void bitmapsOfOlderEditors();
    void textEscapesAndUnicode_data();
    void textEscapesAndUnicode();
    void codePagesDecodeTheirBytes_data();
    void codePagesDecodeTheirBytes();
    void damagedInputGivesWhatCouldBeRead_data();
    void damagedInputGivesWhatCouldBeRead();
    void plainTextIsNotRichText();
    void readingReplacesTheDocument();
    void missingFileLeavesTheDocumentAlone();
};

void TestRtfReader::chineseBannerFromARichEditEditor()
{
    QTextDocument d;
    QVERIFY(RtfReader::read(sample(u"banner-cp936.rtf"_s), d));
    QCOMPARE(paragraphs(d), (QStringList{u"2026年度代表大会"_s, u"第一次全体会议"_s,
                                         u"会议时间：2026-12-07 9:00，地点：大会堂"_s}));
    const QTextCharFormat title = formatAt(d, 0, 0);
    QCOMPARE(families(title), QStringList{u"黑体"_s});
    QCOMPARE(title.fontPointSize(), 36.0);
    QCOMPARE(title.fontWeight(), int(QFont::Bold));
    QCOMPARE(title.foreground().color(), QColor(255, 0, 0));
    QCOMPARE(d.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(d.findBlockByNumber(0).blockFormat().bottomMargin(), 200 / 15.0);

    const QTextCharFormat second = formatAt(d, 1, 0);
    QCOMPARE(second.fontWeight(), int(QFont::Normal));
    QCOMPARE(second.fontPointSize(), 24.0);
    QCOMPARE(second.foreground().color(), QColor(255, 255, 0));

    QCOMPARE(d.findBlockByNumber(2).blockFormat().alignment(), Qt::AlignLeft);
    QCOMPARE(families(formatAt(d, 2, 0)), QStringList{u"宋体"_s});
    QCOMPARE(families(formatAt(d, 2, 5)), QStringList{u"Arial"_s});
    QCOMPARE(formatAt(d, 2, 0).foreground().style(), Qt::NoBrush); // \cf0 is the automatic colour
}

void TestRtfReader::westernMotionDocumentFromAWordProcessor()
{
    QTextDocument d;
    QVERIFY(RtfReader::read(sample(u"motion-word.rtf"_s), d));
    const QString objectMark(QChar::ObjectReplacementCharacter);
    QCOMPARE(
        paragraphs(d),
        (QStringList{u"Motion on the café budget"_s,
                     u"The assembly notes costs, risks and objections; the “plan” passes – see the annex."_s,
                     u"中文 and 大会 and 😀 end"_s, u"Item\tVotes"_s, u"Budget\t41"_s, objectMark,
                     u"Closing words."_s}));
    const QTextCharFormat heading = formatAt(d, 0, 0);
    QCOMPARE(families(heading), QStringList{u"Arial"_s});
    QCOMPARE(heading.fontPointSize(), 16.0);
    QCOMPARE(heading.fontWeight(), int(QFont::Bold));
    QCOMPARE(d.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(d.findBlockByNumber(0).blockFormat().topMargin(), 16.0);

    const QTextBlockFormat body = d.findBlockByNumber(1).blockFormat();
    QCOMPARE(body.alignment(), Qt::AlignJustify);
    QCOMPARE(body.leftMargin(), 48.0);
    QCOMPARE(body.textIndent(), -24.0);
    const QString text = d.findBlockByNumber(1).text();
    QCOMPARE(families(formatAt(d, 1, 0)), QStringList{u"Times New Roman"_s}); // \plain: the default font
    QVERIFY(formatAt(d, 1, int(text.indexOf(u"costs"_s))).fontItalic());
    QVERIFY(!formatAt(d, 1, int(text.indexOf(u", risks"_s))).fontItalic());
    QVERIFY(formatAt(d, 1, int(text.indexOf(u"risks"_s))).fontUnderline());
    QCOMPARE(formatAt(d, 1, int(text.indexOf(u"objections"_s))).foreground().color(), QColor(192, 0, 0));
    QCOMPARE(formatAt(d, 1, int(text.indexOf(u"annex"_s))).foreground().color(), QColor(0, 0, 255));

    QCOMPARE(families(formatAt(d, 2, 0)), QStringList{u"宋体"_s});
    const QList<Picture> pics = pictures(d);
    QCOMPARE(pics.size(), 1); // the metafile stand-in is not read as well
    QCOMPARE(pics[0].image.size(), QSize(4, 3));
    QCOMPARE(pics[0].image.pixelColor(0, 0), QColor(255, 0, 0));
    QCOMPARE(pics[0].image.pixelColor(3, 2), QColor(0, 0, 255));
    QCOMPARE(pics[0].size, QSizeF(4, 3)); // 60 x 45 twips
    QCOMPARE(d.findBlockByNumber(5).blockFormat().alignment(), Qt::AlignHCenter);
}

void TestRtfReader::bitmapsOfOlderEditors()
{
    QTextDocument d;
    QVERIFY(RtfReader::read(sample(u"bitmaps.rtf"_s), d));
    const QList<Picture> pics = pictures(d);
    QCOMPARE(pics.size(), 2);
    // The bitmap's rows are stored bottom-up: the top row is green, the bottom one blue.
    QCOMPARE(pics[0].image.size(), QSize(3, 2));
    QCOMPARE(pics[0].image.pixelColor(0, 0), QColor(0, 255, 0));
    QCOMPARE(pics[0].image.pixelColor(2, 1), QColor(0, 0, 255));
    QCOMPARE(pics[0].size, QSizeF(6, 4));
    // The device bitmap: 101 / 010, a bit set is white.
    QCOMPARE(pics[1].image.size(), QSize(3, 2));
    QCOMPARE(pics[1].image.pixelColor(0, 0), QColor(255, 255, 255));
    QCOMPARE(pics[1].image.pixelColor(1, 0), QColor(0, 0, 0));
    QCOMPARE(pics[1].image.pixelColor(1, 1), QColor(255, 255, 255));
    QVERIFY(d.toPlainText().endsWith(u"after the metafile"_s));
}

void TestRtfReader::textEscapesAndUnicode_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("escaped braces and backslash") << QByteArray("{\\rtf1 a\\{b\\}c\\\\d}") << u"a{b}c\\d"_s;
    QTest::newRow("control word delimiter space")
        << QByteArray("{\\rtf1 \\b bold\\b0  plain}") << u"bold plain"_s;
    QTest::newRow("line breaks in the file are not text") << QByteArray("{\\rtf1 ab\r\ncd\n}") << u"abcd"_s;
    QTest::newRow("tab, line and specials") << QByteArray("{\\rtf1 a\\tab b\\line c\\~d\\emdash e\\bullet}")
                                            << u"a\tb\u2028c\u00A0d\u2014e\u2022"_s;
    QTest::newRow("unicode skips one fallback") << QByteArray("{\\rtf1 \\u26085?x}") << u"日x"_s;
    QTest::newRow("uc0 has no fallback") << QByteArray("{\\rtf1\\uc0 \\u26085 x}") << u"日x"_s;
    QTest::newRow("uc2 skips two hex escapes")
        << QByteArray("{\\rtf1\\ansicpg936\\uc2\\u26085\\'c8\\'d5x}") << u"日x"_s;
    QTest::newRow("fallback counts a control word as one")
        << QByteArray("{\\rtf1\\uc2 \\u26085\\emdash ?x}") << u"日x"_s;
    QTest::newRow("a group ends the fallback") << QByteArray("{\\rtf1\\uc3 \\u26085{x}y}") << u"日xy"_s;
    QTest::newRow("uc is scoped to its group")
        << QByteArray("{\\rtf1 {\\uc2 \\u26085??}\\u26085?x}") << u"日日x"_s;
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-4064?}") << u"\uF020"_s;
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << u"😀"_s;
    QTest::newRow("unknown control words are skipped")
        << QByteArray("{\\rtf1\\foo\\barbaz12 a\\qux-3 b}") << u"ab"_s;
    QTest::newRow("unknown starred destinations are skipped")
        << QByteArray("{\\rtf1 a{\\*\\something {nested} text}b}") << u"ab"_s;
    QTest::newRow("hidden text is left out") << QByteArray("{\\rtf1 a{\\v hidden}b\\v c\\v0 d}") << u"abd"_s;
    QTest::newRow("binary data is never text") << QByteArray("{\\rtf1 a{\\*\\blob\\bin3 }}x}b}") << u"ab"_s;
    QTest::newRow("text after the document is ignored") << QByteArray("{\\rtf1 a}b") << u"a"_s;
    QTest::newRow("paragraphs, the last mark leaves no empty one")
        << QByteArray("{\\rtf1 one\\par two\\par}") << u"one\ntwo"_s;
    QTest::newRow("empty paragraphs in between are kept")
        << QByteArray("{\\rtf1 one\\par\\par two\\par\\par}") << u"one\n\ntwo\n"_s;
    QTest::newRow("escaped line end is a paragraph") << QByteArray("{\\rtf1 a\\\nb}") << u"a\nb"_s;
    QTest::newRow("field result without the instruction")
        << QByteArray("{\\rtf1 {\\field{\\fldinst PAGE}{\\fldrslt 7}}}") << u"7"_s;
    QTest::newRow("table rows become tabbed paragraphs")
        << QByteArray("{\\rtf1\\trowd\\cellx1\\cellx2 \\intbl a\\cell b\\cell\\row\\trowd \\intbl c\\cell "
                      "d\\cell\\row "
                      "end}")
        << u"a\tb\nc\td\nend"_s;
}

void TestRtfReader::textEscapesAndUnicode()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(read(rtf), text);
}

void TestRtfReader::codePagesDecodeTheirBytes_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("cp1252 by default")
        << QByteArray("{\\rtf1 caf\\'e9 \\'80 \\'93x\\'94}") << u"café € “x”"_s;
    QTest::newRow("cp936 from the document")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'c4\\'e3\\'ba\\'c3}") << u"你好"_s;
    QTest::newRow("a trail byte written as a plain character")
        << QByteArray("{\\rtf1\\ansicpg936 \\'b0@}") << CodePage::decode(936, "\xb0@");
    QTest::newRow("cp936 from the font's charset")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset134 SimSun;}}"
                      "\\f0 caf\\'e9 \\f1 \\'c4\\'e3}")
        << u"café 你"_s;
    QTest::newRow("cyrillic charset")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset204 X;}}\\f0 \\'cf\\'f0}") << u"Пр"_s;
    QTest::newRow("unknown code page falls back to cp1252")
        << QByteArray("{\\rtf1\\ansicpg99999 \\'e9}") << u"é"_s;
}

void TestRtfReader::codePagesDecodeTheirBytes()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(read(rtf), text);
}

void TestRtfReader::damagedInputGivesWhatCouldBeRead_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("missing closing braces") << QByteArray("{\\rtf1 {\\b one\\par two") << u"one\ntwo"_s;
    QTest::newRow("stray closing braces") << QByteArray("}}{\\rtf1 a}") << u"a"_s;
    QTest::newRow("cut inside a control word") << QByteArray("{\\rtf1 ab\\pa") << u"ab"_s;
    QTest::newRow("cut inside a hex escape") << QByteArray("{\\rtf1 ab\\'e") << u"abe"_s;
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 a\\'zzb}") << u"azzb"_s;
    QTest::newRow("backslash at the very end") << QByteArray("{\\rtf1 a\\") << u"a"_s;
    QTest::newRow("huge parameters") << QByteArray("{\\rtf1\\fs999999999999999999 \\u99999999?x}") << u"x"_s;
    QTest::newRow("huge fallback length") << QByteArray("{\\rtf1\\uc99999999999 \\u26085 abc}") << u"日"_s;
    QTest::newRow("binary length past the end") << QByteArray("{\\rtf1 a\\bin999999 xyz") << u"a"_s;
    QTest::newRow("negative binary length") << QByteArray("{\\rtf1 a\\bin-5 b}") << u"ab"_s;
    QTest::newRow("colour index beyond the table")
        << QByteArray("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}\\cf99\\cb-1\\highlight7 x}") << u"x"_s;
    QTest::newRow("font that was never declared") << QByteArray("{\\rtf1\\f42 x}") << u"x"_s;
    QTest::newRow("picture with damaged data")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e470d0a}b}") << u"ab"_s;
    QTest::newRow("bitmap larger than its data")
        << QByteArray("{\\rtf1 {\\pict\\wbitmap0\\picw30000\\pich30000\\wbmbitspixel24 00ff}b}") << u"b"_s;
    QTest::newRow("dib header lying about its size")
        << QByteArray("{\\rtf1 {\\pict\\dibitmap0 ffffff7f0100000001000000010018000000}b}") << u"b"_s;
    QTest::newRow("nesting far too deep")
        << (QByteArray("{\\rtf1 ") + QByteArray(5000, '{') + "deep" + QByteArray(5000, '}') + "x}")
        << u"deepx"_s;
    QTest::newRow("nul bytes in the text") << QByteArray("{\\rtf1 a\0b}", 11) << u"ab"_s;
}

void TestRtfReader::damagedInputGivesWhatCouldBeRead()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(read(rtf), text);
}

void TestRtfReader::plainTextIsNotRichText()
{
    QTextDocument d;
    QVERIFY(!RtfReader::read("just words", d));
    QCOMPARE(d.toPlainText(), u"just words"_s);
    QVERIFY(RtfReader::read("\r\n  {\\rtf1 x}", d));
    QVERIFY(!RtfReader::read(QByteArray(), d));
    QVERIFY(d.isEmpty());
}

void TestRtfReader::readingReplacesTheDocument()
{
    QTextDocument d;
    d.setPlainText(u"old text"_s);
    RtfReader::read("{\\rtf1 new}", d);
    QCOMPARE(d.toPlainText(), u"new"_s);
    QVERIFY(!d.isModified());
    QVERIFY(!d.isUndoAvailable());
}

void TestRtfReader::missingFileLeavesTheDocumentAlone()
{
    QTextDocument d;
    d.setPlainText(u"kept"_s);
    QVERIFY(!RtfReader::readFile(u"/nonexistent/quorix/banner.rtf"_s, d));
    QCOMPARE(d.toPlainText(), u"kept"_s);
}

QTEST_MAIN(TestRtfReader)
#include "testrtfreader.moc"
