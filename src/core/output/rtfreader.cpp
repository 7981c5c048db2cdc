#include "core/output/rtfreader.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include "core/output/codepage.h"
#include "core/output/rtfpicture.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

using namespace Qt::StringLiterals;

// Deeper nesting than this is kept count of but not followed: no real document comes near it, and a
// damaged one must not grow the state stack without bound.
constexpr int MaxDepth = 400;
constexpr double TwipsPerPixel = 15.0; // 1440 per inch at 96 pixels per inch

enum class Destination
{
    Text,
    FontTable,
    ColourTable,
    Picture,
    Skip,
};

struct CharState
{
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int foreground = 0; // colour table index; 0 is automatic
    int background = 0;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
};

struct ParaState
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0; // twips
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
};

struct GroupState
{
    Destination destination = Destination::Text;
    CharState chars;
    ParaState para;
    int uc = 1;
};

struct FontEntry
{
    QString name;
    int charset = 0;
    int codePage = 0; // \cpgN, overrides the charset
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Destinations whose content is not document text.
bool isSkippedDestination(QByteArrayView w)
{
    static constexpr const char *Words[] = {
        "stylesheet",
        "info",
        "header",
        "headerl",
        "headerr",
        "headerf",
        "footer",
        "footerl",
        "footerr",
        "footerf",
        "footnote",
        "annotation",
        "nonshppict",
        "fldinst",
        "objdata",
        "objclass",
        "objname",
        "xe",
        "tc",
        "txe",
        "rxe",
        "filetbl",
        "revtbl",
        "listtable",
        "listoverridetable",
        "template",
        "ftnsep",
        "ftnsepc",
        "ftncn",
        "aftnsep",
        "aftnsepc",
        "aftncn",
        "atnid",
        "atnauthor",
        "atndate",
        "bkmkstart",
        "bkmkend",
        "datafield",
        "userprops",
        "docvar",
        "falt",
        "panose",
        "upr",
        "pgdsctbl",
        "rsidtbl",
        "generator",
        "xmlnstbl",
        "themedata",
        "colorschememapping",
        "latentstyles",
        "datastore",
        "mmathPr",
        "fchars",
        "lchars",
        "pn",
        "keycode",
    };
    for (const char *word : Words) {
        if (w == QByteArrayView(word))
            return true;
    }
    return false;
}

char16_t specialCharacter(QByteArrayView w)
{
    struct Entry
    {
        const char *word;
        char16_t ch;
    };
    static constexpr Entry Entries[] = {
        {"emdash", 0x2014},    {"endash", 0x2013},    {"emspace", 0x2003}, {"enspace", 0x2002},
        {"qmspace", 0x2005},   {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"zwj", 0x200D},     {"zwnj", 0x200C},
        {"zwbo", 0x200B},      {"ltrmark", 0x200E},   {"rtlmark", 0x200F}, {"line", 0x2028},
        {"tab", 0x0009},
    };
    for (const Entry &e : Entries) {
        if (w == QByteArrayView(e.word))
            return e.ch;
    }
    return 0;
}

class Parser
{
public:
    Parser(QByteArrayView data, QTextDocument &document)
        : m_data(data), m_document(document), m_cursor(&document)
    {
        m_stack.append(GroupState{});
    }

    void run()
    {
        while (m_pos < m_data.size() && !m_done) {
            const char c = m_data[m_pos];
            if (c == '{') {
                ++m_pos;
                openGroup();
            } else if (c == '}') {
                ++m_pos;
                closeGroup();
            } else if (c == '\\') {
                ++m_pos;
                control();
            } else {
                ++m_pos;
                if (c != '\r' && c != '\n')
                    textByte(c);
            }
        }
        flush();
        while (m_stack.size() > 1)
            popState();
        if (!m_pendingBreak)
            m_cursor.setBlockFormat(blockFormat(state().para));
    }

private:
    GroupState &state() { return m_stack.last(); }

    // Groups.
    void openGroup()
    {
        m_skip = 0;
        flush();
        if (m_stack.size() >= MaxDepth) {
            ++m_ignoredDepth;
            return;
        }
        m_stack.append(state());
        m_star = false;
    }

    void closeGroup()
    {
        m_skip = 0;
        flush();
        if (m_ignoredDepth > 0) {
            --m_ignoredDepth;
            return;
        }
        if (m_stack.size() <= 1)
            return;
        popState();
        // Whatever follows the document's outermost group is not part of it.
        if (m_stack.size() == 1)
            m_done = true;
    }

    void popState()
    {
        const GroupState closing = m_stack.takeLast();
        if (closing.destination == Destination::Picture && state().destination != Destination::Picture)
            insertPicture();
        if (closing.destination == Destination::FontTable && state().destination != Destination::FontTable)
            finishFont();
    }

    // Tokens.
    void control()
    {
        if (m_pos >= m_data.size())
            return;
        const char c = m_data[m_pos];
        if (isLetter(c)) {
            const qsizetype start = m_pos;
            while (m_pos < m_data.size() && isLetter(m_data[m_pos]))
                ++m_pos;
            const QByteArrayView word = m_data.sliced(start, std::min<qsizetype>(m_pos - start, 32));
            bool hasParam = false;
            qint64 param = 0;
            bool negative = false;
            if (m_pos + 1 < m_data.size() && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
                negative = true;
                ++m_pos;
            }
            while (m_pos < m_data.size() && isDigit(m_data[m_pos])) {
                hasParam = true;
                if (param < 100000000000LL)
                    param = param * 10 + (m_data[m_pos] - '0');
                ++m_pos;
            }
            if (m_pos < m_data.size() && m_data[m_pos] == ' ')
                ++m_pos;
            const qint64 limited = std::clamp<qint64>(
                negative ? -param : param, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
            controlWord(word, hasParam, int(limited));
            return;
        }
        ++m_pos;
        if (c == '\'') {
            const int hi = m_pos < m_data.size() ? hexValue(m_data[m_pos]) : -1;
            const int lo = m_pos + 1 < m_data.size() ? hexValue(m_data[m_pos + 1]) : -1;
            if (hi < 0 || lo < 0)
                return;
            m_pos += 2;
            hexByte(char(hi * 16 + lo));
            return;
        }
        controlSymbol(c);
    }

    bool skipFallback()
    {
        if (m_skip <= 0)
            return false;
        --m_skip;
        return true;
    }

    void textByte(char c)
    {
        if (skipFallback())
            return;
        switch (state().destination) {
        case Destination::Text:
            if (!state().chars.hidden && (uchar(c) >= 0x20 || c == '\t'))
                m_bytes.append(c);
            break;
        case Destination::FontTable:
            if (c == ';')
                finishFont();
            else if (uchar(c) >= 0x20)
                m_fontBytes.append(c);
            break;
        case Destination::ColourTable:
            if (c == ';')
                finishColour();
            break;
        case Destination::Picture:
            m_picture.appendHexDigit(c);
            break;
        case Destination::Skip:
            break;
        }
    }

    void hexByte(char b)
    {
        if (skipFallback())
            return;
        switch (state().destination) {
        case Destination::Text:
            if (!state().chars.hidden)
                m_bytes.append(b);
            break;
        case Destination::FontTable:
            m_fontBytes.append(b);
            break;
        case Destination::Picture:
            m_picture.data.append(b);
            break;
        case Destination::ColourTable:
        case Destination::Skip:
            break;
        }
    }

    void controlSymbol(char c)
    {
        if (skipFallback())
            return;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            textByte(c);
            return;
        case '*':
            m_star = true;
            return;
        case '~':
            unicode(0x00A0);
            return;
        case '-':
            unicode(0x00AD);
            return;
        case '_':
            unicode(0x2011);
            return;
        case '\r':
        case '\n':
            if (state().destination == Destination::Text) {
                flush();
                endParagraph();
            }
            return;
        default:
            return;
        }
    }

    void controlWord(QByteArrayView w, bool hasParam, int param)
    {
        const bool star = std::exchange(m_star, false);
        if (w == "bin") {
            // Raw bytes follow; they are data whatever the destination, and never text.
            const qsizetype n = std::clamp<qsizetype>(hasParam ? param : 0, 0, m_data.size() - m_pos);
            if (!skipFallback() && state().destination == Destination::Picture)
                m_picture.data.append(m_data.sliced(m_pos, n).toByteArray());
            m_pos += n;
            return;
        }
        if (skipFallback())
            return;
        GroupState &s = state();
        if (s.destination == Destination::Skip)
            return;
        if (star && w != "shppict") {
            s.destination = Destination::Skip;
            return;
        }
        if (isSkippedDestination(w)) {
            flush();
            s.destination = Destination::Skip;
            return;
        }
        if (w == "u") {
            if (hasParam && param >= -32768 && param <= 65535)
                unicode(char16_t(param < 0 ? param + 65536 : param));
            m_skip = s.uc;
            return;
        }
        if (w == "uc") {
            s.uc = std::clamp(param, 0, 100);
            return;
        }

        switch (s.destination) {
        case Destination::FontTable:
            fontTableWord(w, hasParam, param);
            return;
        case Destination::ColourTable:
            colourWord(w, param);
            return;
        case Destination::Picture:
            pictureWord(w, hasParam, param);
            return;
        case Destination::Skip:
            return;
        case Destination::Text:
            break;
        }

        flush();
        if (documentWord(w, hasParam, param) || characterWord(w, hasParam, param) || paragraphWord(w, param))
            return;
        if (const char16_t ch = specialCharacter(w)) {
            unicode(ch);
            return;
        }
        if (w == "fonttbl") {
            s.destination = Destination::FontTable;
            m_fontId = -1;
        } else if (w == "colortbl") {
            s.destination = Destination::ColourTable;
            m_colours.clear();
            m_red = m_green = m_blue = 0;
            m_colourSet = false;
        } else if (w == "pict") {
            s.destination = Destination::Picture;
            m_picture = RtfPicture{};
        }
    }

    bool documentWord(QByteArrayView w, bool hasParam, int param)
    {
        if (w == "rtf") {
            return true;
        } else if (w == "ansicpg") {
            if (hasParam && CodePage::isSupported(param))
                m_documentCodePage = param;
        } else if (w == "ansi") {
            m_documentCodePage = CodePage::Western;
        } else if (w == "mac") {
            m_documentCodePage = 10000;
        } else if (w == "pc") {
            m_documentCodePage = 437;
        } else if (w == "pca") {
            m_documentCodePage = 850;
        } else if (w == "deff") {
            m_defaultFont = param;
        } else {
            return false;
        }
        return true;
    }

    bool characterWord(QByteArrayView w, bool hasParam, int param)
    {
        CharState &c = state().chars;
        const bool on = !hasParam || param != 0;
        if (w == "plain") {
            c = CharState{};
        } else if (w == "b") {
            c.bold = on;
        } else if (w == "i") {
            c.italic = on;
        } else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "uldash" || w == "ulwave" ||
                   w == "ulth" || w == "uldashd" || w == "uldashdd" || w == "ulhair" || w == "ulthd") {
            c.underline = on;
        } else if (w == "ulnone") {
            c.underline = false;
        } else if (w == "strike" || w == "striked") {
            c.strike = on;
        } else if (w == "v") {
            c.hidden = on;
        } else if (w == "f") {
            c.font = param;
        } else if (w == "fs") {
            if (hasParam && param > 0)
                c.halfPoints = std::min(param, 3276);
        } else if (w == "cf") {
            c.foreground = param;
        } else if (w == "cb" || w == "highlight" || w == "chcbpat") {
            c.background = param;
        } else if (w == "super") {
            c.vertical = QTextCharFormat::AlignSuperScript;
        } else if (w == "sub") {
            c.vertical = QTextCharFormat::AlignSubScript;
        } else if (w == "nosupersub") {
            c.vertical = QTextCharFormat::AlignNormal;
        } else {
            return false;
        }
        return true;
    }

    bool paragraphWord(QByteArrayView w, int param)
    {
        ParaState &p = state().para;
        if (w == "pard") {
            p = ParaState{};
        } else if (w == "ql") {
            p.alignment = Qt::AlignLeft;
        } else if (w == "qc") {
            p.alignment = Qt::AlignHCenter;
        } else if (w == "qr") {
            p.alignment = Qt::AlignRight;
        } else if (w == "qj" || w == "qd") {
            p.alignment = Qt::AlignJustify;
        } else if (w == "li") {
            p.left = param;
        } else if (w == "ri") {
            p.right = param;
        } else if (w == "fi") {
            p.first = param;
        } else if (w == "sb") {
            p.before = param;
        } else if (w == "sa") {
            p.after = param;
        } else if (w == "par" || w == "page" || w == "sect") {
            endParagraph();
        } else if (w == "cell" || w == "nestcell") {
            insertText(u"\t"_s);
            m_cellTabLast = true;
        } else if (w == "row" || w == "nestrow") {
            if (m_cellTabLast)
                m_cursor.deletePreviousChar();
            m_cellTabLast = false;
            endParagraph();
        } else {
            return false;
        }
        return true;
    }

    void fontTableWord(QByteArrayView w, bool hasParam, int param)
    {
        if (w == "f") {
            finishFont();
            m_fontId = hasParam ? param : -1;
            m_fonts[m_fontId] = FontEntry{};
        } else if (w == "fcharset") {
            m_fonts[m_fontId].charset = param;
        } else if (w == "cpg") {
            m_fonts[m_fontId].codePage = CodePage::isSupported(param) ? param : 0;
        }
    }

    void colourWord(QByteArrayView w, int param)
    {
        int *component = w == "red" ? &m_red : w == "green" ? &m_green : w == "blue" ? &m_blue : nullptr;
        if (!component)
            return;
        *component = std::clamp(param, 0, 255);
        m_colourSet = true;
    }

    void pictureWord(QByteArrayView w, bool hasParam, int param)
    {
        RtfPicture &p = m_picture;
        if (w == "pngblip")
            p.kind = RtfPicture::Kind::Png;
        else if (w == "jpegblip")
            p.kind = RtfPicture::Kind::Jpeg;
        else if (w == "dibitmap")
            p.kind = RtfPicture::Kind::Dib;
        else if (w == "wbitmap")
            p.kind = RtfPicture::Kind::DeviceBitmap;
        else if (w == "emfblip" || w == "wmetafile" || w == "macpict" || w == "pmmetafile")
            p.kind = RtfPicture::Kind::Unsupported;
        else if (w == "picw")
            p.picw = param;
        else if (w == "pich")
            p.pich = param;
        else if (w == "picwgoal")
            p.goalw = param;
        else if (w == "pichgoal")
            p.goalh = param;
        else if (w == "picscalex" && hasParam)
            p.scalex = param;
        else if (w == "picscaley" && hasParam)
            p.scaley = param;
        else if (w == "wbmbitspixel" && hasParam)
            p.bitsPixel = param;
        else if (w == "wbmwidthbytes")
            p.widthBytes = param;
    }

    // Text.
    int codePage() const
    {
        const CharState &c = m_stack.last().chars;
        const auto it = m_fonts.constFind(c.font >= 0 ? c.font : m_defaultFont);
        if (it != m_fonts.cend()) {
            if (it->codePage)
                return it->codePage;
            if (const int cp = CodePage::fromCharset(it->charset))
                return cp;
        }
        return m_documentCodePage;
    }

    void unicode(char16_t ch)
    {
        switch (state().destination) {
        case Destination::Text:
            if (state().chars.hidden)
                return;
            m_run += CodePage::decode(codePage(), m_bytes);
            m_bytes.clear();
            m_run += QChar(ch);
            return;
        case Destination::FontTable:
            m_fontName += CodePage::decode(fontCodePage(), m_fontBytes);
            m_fontBytes.clear();
            m_fontName += QChar(ch);
            return;
        default:
            return;
        }
    }

    void flush()
    {
        if (m_bytes.isEmpty() && m_run.isEmpty())
            return;
        QString text = m_run + CodePage::decode(codePage(), m_bytes);
        m_run.clear();
        m_bytes.clear();
        insertText(text);
    }

    void insertText(const QString &text)
    {
        if (text.isEmpty())
            return;
        beginContent();
        m_cursor.insertText(text, charFormat(state().chars));
    }

    // A paragraph mark only opens the next paragraph once something goes into it, so the mark that ends a
    // document's last paragraph leaves no empty one behind.
    void beginContent()
    {
        if (m_pendingBreak) {
            m_cursor.insertBlock();
            m_pendingBreak = false;
        }
        m_cellTabLast = false;
    }

    void endParagraph()
    {
        beginContent();
        m_cursor.setBlockFormat(blockFormat(state().para));
        m_cursor.setBlockCharFormat(charFormat(state().chars));
        m_pendingBreak = true;
    }

    QTextCharFormat charFormat(const CharState &c) const
    {
        QTextCharFormat f;
        const auto font = m_fonts.constFind(c.font >= 0 ? c.font : m_defaultFont);
        if (font != m_fonts.cend() && !font->name.isEmpty())
            f.setFontFamilies(QStringList{font->name});
        f.setFontPointSize(c.halfPoints / 2.0);
        f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(c.italic);
        f.setFontUnderline(c.underline);
        f.setFontStrikeOut(c.strike);
        if (c.vertical != QTextCharFormat::AlignNormal)
            f.setVerticalAlignment(c.vertical);
        if (c.foreground > 0 && c.foreground < m_colours.size() && m_colours[c.foreground].isValid())
            f.setForeground(m_colours[c.foreground]);
        if (c.background > 0 && c.background < m_colours.size() && m_colours[c.background].isValid())
            f.setBackground(m_colours[c.background]);
        return f;
    }

    static QTextBlockFormat blockFormat(const ParaState &p)
    {
        QTextBlockFormat f;
        f.setAlignment(p.alignment);
        f.setLeftMargin(p.left / TwipsPerPixel);
        f.setRightMargin(p.right / TwipsPerPixel);
        f.setTextIndent(p.first / TwipsPerPixel);
        f.setTopMargin(p.before / TwipsPerPixel);
        f.setBottomMargin(p.after / TwipsPerPixel);
        return f;
    }

    // Tables.
    int fontCodePage() const
    {
        const FontEntry &f = m_fonts.value(m_fontId);
        if (f.codePage)
            return f.codePage;
        const int cp = CodePage::fromCharset(f.charset);
        return cp ? cp : m_documentCodePage;
    }

    void finishFont()
    {
        if (m_fontBytes.isEmpty() && m_fontName.isEmpty())
            return;
        const QString name = QString(m_fontName + CodePage::decode(fontCodePage(), m_fontBytes)).trimmed();
        m_fontBytes.clear();
        m_fontName.clear();
        if (m_fonts[m_fontId].name.isEmpty())
            m_fonts[m_fontId].name = name;
    }

    void finishColour()
    {
        m_colours.append(m_colourSet ? QColor(m_red, m_green, m_blue) : QColor());
        m_red = m_green = m_blue = 0;
        m_colourSet = false;
    }

    void insertPicture()
    {
        const RtfPicture picture = std::exchange(m_picture, RtfPicture{});
        const QImage image = picture.image();
        if (image.isNull())
            return;
        const QSizeF size = picture.displaySize(image);
        const QString name = u"rtf-picture-%1"_s.arg(++m_pictureCount);
        m_document.addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat format;
        format.setName(name);
        format.setWidth(size.width());
        format.setHeight(size.height());
        beginContent();
        m_cursor.insertImage(format);
    }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    QTextDocument &m_document;
    QTextCursor m_cursor;
    QList<GroupState> m_stack;
    int m_ignoredDepth = 0;
    bool m_done = false;
    bool m_star = false;
    int m_skip = 0;
    bool m_pendingBreak = false;
    bool m_cellTabLast = false;

    int m_documentCodePage = CodePage::Western;
    int m_defaultFont = 0;
    QByteArray m_bytes; // text bytes not yet decoded, all in the current code page
    QString m_run;      // decoded text not yet inserted, all in the current format

    QHash<int, FontEntry> m_fonts;
    int m_fontId = -1;
    QByteArray m_fontBytes;
    QString m_fontName;

    QList<QColor> m_colours;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colourSet = false;

    RtfPicture m_picture;
    int m_pictureCount = 0;
};

} // namespace

bool RtfReader::read(QByteArrayView rtf, QTextDocument &document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QByteArrayView data = rtf;
    while (!data.isEmpty() &&
           (data.front() == ' ' || data.front() == '\r' || data.front() == '\n' || data.front() == '\t'))
        data = data.sliced(1);
    const bool isRtf = data.startsWith("{\\rtf");
    Parser parser(data, document);
    parser.run();
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
    return isRtf;
}

bool RtfReader::readFile(const QString &path, QTextDocument &document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    read(data, document);
    return true;
}
