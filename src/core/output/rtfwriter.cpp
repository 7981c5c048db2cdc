#include "core/output/rtfwriter.h"

#include <QBuffer>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSaveFile>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

using namespace Qt::StringLiterals;

constexpr double TwipsPerPixel = 15.0;

int twips(double pixels)
{
    return int(std::lround(pixels * TwipsPerPixel));
}

QString familyOf(const QTextCharFormat &f, const QTextDocument &document)
{
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return document.defaultFont().family();
}

bool isAscii(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

void appendHex(QByteArray &out, uchar b)
{
    static constexpr char Digits[] = "0123456789abcdef";
    out.append("\\'");
    out.append(Digits[b >> 4]);
    out.append(Digits[b & 0xF]);
}

class Writer
{
public:
    Writer(const QTextDocument &document, int codePage)
        : m_document(document), m_codePage(CodePage::isSupported(codePage) ? codePage : CodePage::Western)
    {}

    QByteArray run()
    {
        collectTables();
        m_out.append("{\\rtf1\\ansi\\ansicpg" + QByteArray::number(m_codePage) + "\\deff0");
        writeFontTable();
        writeColourTable();
        m_out.append("\\viewkind4\\uc1\r\n");
        for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next())
            writeBlock(block);
        m_out.append("}\r\n");
        return m_out;
    }

private:
    void collectTables()
    {
        m_fonts.append(m_document.defaultFont().family());
        for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                const QString family = familyOf(f, m_document);
                if (!m_fonts.contains(family))
                    m_fonts.append(family);
                for (const QBrush &brush : {f.foreground(), f.background()}) {
                    if (brush.style() != Qt::NoBrush && !m_colours.contains(brush.color().toRgb()))
                        m_colours.append(brush.color().toRgb());
                }
            }
        }
    }

    int charsetFor(const QString &family) const
    {
        if (isAscii(family))
            return 0;
        return m_codePage == CodePage::ChineseSimplified ? 134 : 1;
    }

    void writeFontTable()
    {
        m_out.append("{\\fonttbl");
        for (qsizetype i = 0; i < m_fonts.size(); ++i) {
            const QString family = QString(m_fonts[i]).remove(u';');
            m_out.append("{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" +
                         QByteArray::number(charsetFor(family)) + ' ');
            int uc = 1;
            writeText(family, uc);
            m_out.append(";}");
        }
        m_out.append("}\r\n");
    }

    void writeColourTable()
    {
        m_out.append("{\\colortbl ;");
        for (const QColor &c : std::as_const(m_colours))
            m_out.append("\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) +
                         "\\blue" + QByteArray::number(c.blue()) + ';');
        m_out.append("}\r\n");
    }

    void writeBlock(const QTextBlock &block)
    {
        const QTextBlockFormat f = block.blockFormat();
        m_out.append("\\pard");
        const Qt::Alignment h = f.alignment() & Qt::AlignHorizontal_Mask;
        if (h & Qt::AlignHCenter)
            m_out.append("\\qc");
        else if (h & Qt::AlignRight)
            m_out.append("\\qr");
        else if (h & Qt::AlignJustify)
            m_out.append("\\qj");
        else
            m_out.append("\\ql");
        auto measure = [this](const char *word, double pixels) {
            if (const int t = twips(pixels))
                m_out.append(QByteArray(word) + QByteArray::number(t));
        };
        measure("\\li", f.leftMargin());
        measure("\\ri", f.rightMargin());
        measure("\\fi", f.textIndent());
        measure("\\sb", f.topMargin());
        measure("\\sa", f.bottomMargin());
        for (auto it = block.begin(); !it.atEnd(); ++it)
            writeFragment(it.fragment());
        m_out.append("\\par\r\n");
    }

    void writeFragment(const QTextFragment &fragment)
    {
        const QTextCharFormat f = fragment.charFormat();
        if (f.isImageFormat()) {
            for (int i = 0; i < fragment.length(); ++i)
                writePicture(f.toImageFormat());
            return;
        }
        m_out.append("{\\f" + QByteArray::number(m_fonts.indexOf(familyOf(f, m_document))));
        double points = f.fontPointSize();
        if (points <= 0)
            points = m_document.defaultFont().pointSizeF();
        if (points <= 0)
            points = 12;
        m_out.append("\\fs" + QByteArray::number(std::lround(points * 2)));
        if (f.fontWeight() >= QFont::DemiBold)
            m_out.append("\\b");
        if (f.fontItalic())
            m_out.append("\\i");
        if (f.fontUnderline())
            m_out.append("\\ul");
        if (f.fontStrikeOut())
            m_out.append("\\strike");
        if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            m_out.append("\\super");
        else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
            m_out.append("\\sub");
        if (f.foreground().style() != Qt::NoBrush)
            m_out.append("\\cf" + QByteArray::number(m_colours.indexOf(f.foreground().color().toRgb()) + 1));
        if (f.background().style() != Qt::NoBrush)
            m_out.append("\\highlight" +
                         QByteArray::number(m_colours.indexOf(f.background().color().toRgb()) + 1));
        m_out.append(' ');
        int uc = 1;
        writeText(fragment.text(), uc);
        m_out.append('}');
    }

    // `uc` is the fallback length in force in the enclosing group.
    void writeText(const QString &text, int &uc)
    {
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            switch (u) {
            case u'\\':
            case u'{':
            case u'}':
                m_out.append('\\');
                m_out.append(char(u));
                continue;
            case u'\t':
                m_out.append("\\tab ");
                continue;
            case 0x2028: // a line break inside a paragraph
                m_out.append("\\line ");
                continue;
            case 0x00A0:
                m_out.append("\\~");
                continue;
            case 0x00AD:
                m_out.append("\\-");
                continue;
            case 0x2011:
                m_out.append("\\_");
                continue;
            default:
                break;
            }
            if (u < 0x20)
                continue;
            if (u < 0x80) {
                m_out.append(char(u));
                continue;
            }
            QByteArray fallback =
                c.isSurrogate() ? QByteArray() : CodePage::encode(m_codePage, QStringView(&c, 1));
            if (fallback.isEmpty())
                fallback = "?";
            if (int(fallback.size()) != uc) {
                uc = int(fallback.size());
                m_out.append("\\uc" + QByteArray::number(uc));
            }
            m_out.append("\\u" + QByteArray::number(u > 32767 ? int(u) - 65536 : int(u)));
            for (const char b : std::as_const(fallback)) {
                if (uchar(b) >= 0x20 && uchar(b) < 0x80 && b != '\\' && b != '{' && b != '}')
                    m_out.append(b);
                else
                    appendHex(m_out, uchar(b));
            }
        }
    }

    QImage imageOf(const QTextImageFormat &f) const
    {
        const QVariant resource = m_document.resource(QTextDocument::ImageResource, QUrl(f.name()));
        if (resource.typeId() == QMetaType::QImage)
            return resource.value<QImage>();
        if (resource.typeId() == QMetaType::QPixmap)
            return resource.value<QPixmap>().toImage();
        if (resource.typeId() == QMetaType::QByteArray)
            return QImage::fromData(resource.toByteArray());
        return {};
    }

    void writePicture(const QTextImageFormat &f)
    {
        const QImage image = imageOf(f);
        if (image.isNull())
            return;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return;
        const double width = f.width() > 0 ? f.width() : image.width();
        const double height = f.height() > 0 ? f.height() : image.height();
        m_out.append("{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
                     QByteArray::number(image.height()) + "\\picwgoal" + QByteArray::number(twips(width)) +
                     "\\pichgoal" + QByteArray::number(twips(height)) + "\r\n");
        const QByteArray hex = png.toHex();
        for (qsizetype i = 0; i < hex.size(); i += 128) {
            m_out.append(hex.mid(i, 128));
            m_out.append("\r\n");
        }
        m_out.append('}');
    }

    const QTextDocument &m_document;
    int m_codePage;
    QByteArray m_out;
    QStringList m_fonts;
    QList<QColor> m_colours;
};

} // namespace

QByteArray RtfWriter::write(const QTextDocument &document, int codePage)
{
    return Writer(document, codePage).run();
}

bool RtfWriter::writeFile(const QTextDocument &document, const QString &path, int codePage)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = write(document, codePage);
    if (file.write(data) != data.size())
        return false;
    return file.commit();
}
