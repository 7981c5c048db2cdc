#include "core/output/rtfwriter.h"

#include <QCryptographicHash>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include "core/output/rtfreader.h"

using namespace Qt::StringLiterals;

namespace {

QString colourName(const QBrush &b)
{
    return b.style() == Qt::NoBrush ? u"none"_s : b.color().name();
}

// What a reader of the document sees, run by run: fragments that look the same are one run.
QStringList describe(const QTextDocument &d)
{
    QStringList lines;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        lines.append(u"paragraph align=%1 left=%2 right=%3 indent=%4 above=%5 below=%6"_s
                         .arg(int(bf.alignment() & Qt::AlignHorizontal_Mask))
                         .arg(bf.leftMargin())
                         .arg(bf.rightMargin())
                         .arg(bf.textIndent())
                         .arg(bf.topMargin())
                         .arg(bf.bottomMargin()));
        QString lastLook;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat()) {
                const QTextImageFormat img = f.toImageFormat();
                const QImage image = d.resource(QTextDocument::ImageResource, QUrl(img.name()))
                                         .value<QImage>()
                                         .convertToFormat(QImage::Format_ARGB32);
                const QByteArray pixels(reinterpret_cast<const char *>(image.constBits()),
                                        image.sizeInBytes());
                lines.append(u"  picture %1x%2 shown %3x%4 %5"_s.arg(image.width())
                                 .arg(image.height())
                                 .arg(img.width())
                                 .arg(img.height())
                                 .arg(QString::fromLatin1(
                                     QCryptographicHash::hash(pixels, QCryptographicHash::Md5).toHex())));
                lastLook.clear();
                continue;
            }
            const QStringList families = f.fontFamilies().toStringList();
            const QString look =
                u"%1 %2pt%3%4%5%6 va=%7 fg=%8 bg=%9"_s
                    .arg(families.isEmpty() ? d.defaultFont().family() : families.first())
                    .arg(f.fontPointSize() > 0 ? f.fontPointSize() : d.defaultFont().pointSizeF())
                    .arg(f.fontWeight() >= QFont::DemiBold ? u" bold"_s : QString())
                    .arg(f.fontItalic() ? u" italic"_s : QString())
                    .arg(f.fontUnderline() ? u" underline"_s : QString())
                    .arg(f.fontStrikeOut() ? u" strike"_s : QString())
                    .arg(int(f.verticalAlignment()))
                    .arg(colourName(f.foreground()))
                    .arg(colourName(f.background()));
            if (look == lastLook) {
                lines.last() += it.fragment().text();
            } else {
                lines.append(u"  "_s + look + u" | "_s + it.fragment().text());
                lastLook = look;
            }
        }
    }
    return lines;
}

QTextCharFormat charFormat(const QString &family, double points)
{
    QTextCharFormat f;
    f.setFontFamilies({family});
    f.setFontPointSize(points);
    return f;
}

// A document with everything the writer keeps.
void fill(QTextDocument &d)
{
    QTextCursor c(&d);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setBottomMargin(10);
    c.setBlockFormat(centred);
    QTextCharFormat title = charFormat(u"黑体"_s, 36);
    title.setFontWeight(QFont::Bold);
    title.setForeground(QColor(255, 0, 0));
    c.insertText(u"2026年度代表大会"_s, title);

    QTextBlockFormat body;
    body.setAlignment(Qt::AlignJustify);
    body.setLeftMargin(48);
    body.setRightMargin(12);
    body.setTextIndent(-24);
    body.setTopMargin(6);
    c.insertBlock(body);
    c.insertText(u"Plain {braces} and \\backslash\\, "_s, charFormat(u"Arial"_s, 12));
    QTextCharFormat styled = charFormat(u"Arial"_s, 10.5);
    styled.setFontItalic(true);
    styled.setFontUnderline(true);
    c.insertText(u"italic underlined"_s, styled);
    QTextCharFormat struck = charFormat(u"DejaVu Sans"_s, 9);
    struck.setFontStrikeOut(true);
    struck.setBackground(QColor(255, 255, 0));
    c.insertText(u" struck on yellow"_s, struck);
    QTextCharFormat raised = charFormat(u"Arial"_s, 12);
    raised.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    c.insertText(u"2"_s, raised);
    raised.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    raised.setForeground(QColor(0, 128, 0));
    c.insertText(u"i"_s, raised);

    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    c.insertBlock(right);
    c.insertText(u"tab\there\u2028new line\u00A0nbsp soft\u00ADhyphen non\u2011breaking"_s,
                 charFormat(u"宋体"_s, 14));

    c.insertBlock(QTextBlockFormat());
    c.insertText(u"café € “quotes” ÿ 日本語 한국어 😀 Ωμέγα"_s, charFormat(u"Times New Roman"_s, 12));

    c.insertBlock(QTextBlockFormat()); // an empty paragraph in between

    c.insertBlock(centred);
    QImage image(5, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, qRgb(x * 50, y * 60, 200));
    }
    d.addResource(QTextDocument::ImageResource, QUrl(u"photo.png"_s), image);
    QTextImageFormat picture;
    picture.setName(u"photo.png"_s);
    picture.setWidth(10);
    picture.setHeight(8);
    c.insertText(u"before "_s, charFormat(u"Arial"_s, 12));
    c.insertImage(picture);
    c.insertText(u" after"_s, charFormat(u"Arial"_s, 12));

    c.insertBlock(QTextBlockFormat()); // and an empty last paragraph
}

} // namespace

class TestRtfWriter final : public QObject
{
    Q_OBJECT

private slots:
    void writtenDocumentReadsBackTheSame_data();
    void writtenDocumentReadsBackTheSame();
    void emptyDocumentReadsBackEmpty();
    void outputIsSevenBitWithFallbacksForOlderReaders();
    void readingAndWritingAgainChangesNothing();
    void fileIsWrittenWhole();
};

void TestRtfWriter::writtenDocumentReadsBackTheSame_data()
{
    QTest::addColumn<int>("codePage");
    QTest::newRow("cp936") << 936;
    QTest::newRow("cp1252") << 1252;
}

void TestRtfWriter::writtenDocumentReadsBackTheSame()
{
    QFETCH(int, codePage);
    QTextDocument original;
    fill(original);
    QTextDocument copy;
    QVERIFY(RtfReader::read(RtfWriter::write(original, codePage), copy));
    QCOMPARE(describe(copy), describe(original));
    QCOMPARE(copy.toPlainText(), original.toPlainText());
}

void TestRtfWriter::emptyDocumentReadsBackEmpty()
{
    QTextDocument empty;
    QTextDocument copy;
    copy.setPlainText(u"something"_s);
    QVERIFY(RtfReader::read(RtfWriter::write(empty), copy));
    QCOMPARE(copy.blockCount(), 1);
    QVERIFY(copy.toPlainText().isEmpty());
}

void TestRtfWriter::outputIsSevenBitWithFallbacksForOlderReaders()
{
    QTextDocument d;
    QTextCursor(&d).insertText(u"你好 café"_s, charFormat(u"宋体"_s, 12));
    const QByteArray rtf = RtfWriter::write(d);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936"));
    QVERIFY(std::all_of(rtf.cbegin(), rtf.cend(), [](char c) { return uchar(c) < 0x80; }));
    // The GBK bytes follow each \u for readers that do not know it; the font name is in its code page.
    QVERIFY(rtf.contains("\\uc2\\u20320\\'c4\\'e3\\u22909\\'ba\\'c3"));
    QVERIFY(rtf.contains("\\fcharset134 \\uc2\\u23435\\'cb\\'ce\\u20307\\'cc\\'e5;"));
    QVERIFY(rtf.contains("{\\fonttbl"));
    QVERIFY(rtf.contains("{\\colortbl ;"));

    const QByteArray western = RtfWriter::write(d, 1252);
    QVERIFY(western.contains("\\ansicpg1252"));
    QVERIFY(western.contains("caf\\u233\\'e9"));
    QVERIFY(western.contains("\\u20320?")); // no cp1252 byte for it
}

void TestRtfWriter::readingAndWritingAgainChangesNothing()
{
    QTextDocument original;
    fill(original);
    const QByteArray first = RtfWriter::write(original);
    QTextDocument copy;
    RtfReader::read(first, copy);
    QCOMPARE(RtfWriter::write(copy), first);
}

void TestRtfWriter::fileIsWrittenWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"insretview.rtf"_s);
    QTextDocument original;
    fill(original);
    QVERIFY(RtfWriter::writeFile(original, path));
    QTextDocument copy;
    QVERIFY(RtfReader::readFile(path, copy));
    QCOMPARE(describe(copy), describe(original));
    // A second write replaces the file rather than appending to it.
    QTextDocument small;
    small.setPlainText(u"short"_s);
    QVERIFY(RtfWriter::writeFile(small, path));
    QVERIFY(RtfReader::readFile(path, copy));
    QCOMPARE(copy.toPlainText(), u"short"_s);
    QVERIFY(!RtfWriter::writeFile(small, dir.filePath(u"no/such/folder/x.rtf"_s)));
}

QTEST_MAIN(TestRtfWriter)
#include "testrtfwriter.moc"
