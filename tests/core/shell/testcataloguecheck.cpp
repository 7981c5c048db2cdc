// The catalogue check: every text the console looks up must exist, non-empty, in each of the three
// language files, and the texts that stored records are compared against must agree and fit their columns.
//
// What the console looks up comes from two places, so the check grows by itself as windows are added:
// - the central list tests/core/shell/cataloguekeys.txt (every section and key the windows read, also
//   through loops and object names that no scan can follow);
// - a scan of src/ for the ways the code names a catalogue entry:
//     a section literal followed by a key literal in one call, e.g.
//         OperatorText::catalogue(QStringLiteral("FrmLogo"), QStringLiteral("MsgClew"))
//     a numbered family, e.g. family(QStringLiteral("FrmRegque"), QStringLiteral("MsgClew"), 1, 18)
//     in a file that belongs to one window (its setObjectName names the section, or it names only one
//     section), the control keys it names (IDC_..., IDOK, IDCANCEL, BTN_...) and the keys it passes to
//     text(), texts({...}) or a helper whose name ends in Text, e.g. m_texts.text(QStringLiteral("MsgExit"))
//     in a .ui file, the control keys inside a top-level widget named after a section.

#include "core/base/profilefile.h"
#include "core/base/textcatalogue.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString sourceDir = QStringLiteral(QUORIX_SOURCE_DIR);
const QString menuDir = sourceDir + u"/data/System/Menu/"_s;
const QString centralList = sourceDir + u"/tests/core/shell/cataloguekeys.txt"_s;

struct CatalogueKey
{
    QString section;
    QString key;
    QString where; // the file that asks for it

    QString name() const { return section + u'/' + key; }
};

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList languageFiles()
{
    return {u"menu.ini"_s, u"menu_e.ini"_s, u"menu_p.ini"_s};
}

bool isControlKey(const QString &name)
{
    return name.startsWith(u"IDC_") || name == u"IDOK" || name == u"IDCANCEL" || name.startsWith(u"BTN_");
}

bool looksLikeKey(const QString &text)
{
    static const QRegularExpression key(u"^[A-Za-z][A-Za-z0-9_]* ?$"_s);
    return key.match(text).hasMatch();
}

// Comments go, string literals stay: a comment may show an example that is not a key.
QString withoutComments(const QString &code)
{
    QString out;
    out.reserve(code.size());
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        const QChar next = i + 1 < code.size() ? code[i + 1] : QChar();
        if (c == u'"' || c == u'\'') {
            const qsizetype start = i;
            for (++i; i < code.size() && code[i] != c && code[i] != u'\n'; ++i) {
                if (code[i] == u'\\')
                    ++i;
            }
            out += QStringView(code).sliced(start, std::min(i + 1, code.size()) - start);
        } else if (c == u'/' && next == u'/') {
            while (i < code.size() && code[i] != u'\n')
                ++i;
            out += u'\n';
        } else if (c == u'/' && next == u'*') {
            const qsizetype end = code.indexOf(u"*/"_s, i + 2);
            i = end < 0 ? code.size() : end + 1;
            out += u' ';
        } else {
            out += c;
        }
    }
    return out;
}

// A string literal, bare or in one of Qt's wrappers; group 1 is its text.
const QString literal =
    u"(?:(?:QStringLiteral|QLatin1String|QLatin1StringView|QString::fromLatin1|"
    "QString::fromUtf8)\\(\\s*(?:u8|u)?\"([^\"\\\\\\n]*)\"\\s*\\)|(?:u8|u)?\"([^\"\\\\\\n]*)\"(?:_s|_L1)?)"_s;

QString literalText(const QRegularExpressionMatch &match, int first)
{
    return match.capturedView(first).isNull() ? match.captured(first + 1) : match.captured(first);
}

// The catalogue entries a source file names; `sections` are the known section names.
QList<CatalogueKey> scanSource(const QString &code, const QString &where, const QSet<QString> &sections)
{
    static const QRegularExpression anyLiteral(literal);
    static const QRegularExpression pair(literal + u"\\s*,\\s*"_s + literal +
                                         u"(?:\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*\\))?"_s);
    static const QRegularExpression objectName(u"setObjectName\\(\\s*"_s + literal);
    static const QRegularExpression textCall(u"\\b([A-Za-z_]\\w*)\\(\\s*"_s + literal + u"\\s*\\)"_s);
    static const QRegularExpression textsList(u"\\btexts\\(\\s*(?:QStringList)?\\s*\\{([^}]*)\\}"_s);
    static const QRegularExpression frm(u"^Frm\\w+$"_s);

    const auto isSection = [&](const QString &name) {
        return sections.contains(name) || frm.match(name).hasMatch() || name == u"Public";
    };

    const QString text = withoutComments(code);
    QList<CatalogueKey> found;

    for (auto it = pair.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString section = literalText(m, 1);
        const QString key = literalText(m, 3);
        if (!isSection(section) || !looksLikeKey(key))
            continue;
        if (m.capturedView(5).isNull()) {
            found.append({section, key, where});
        } else {
            for (int n = m.captured(5).toInt(); n <= m.captured(6).toInt(); ++n)
                found.append({section, TextCatalogue::familyKey(key, n), where});
        }
    }

    // The window the file belongs to.
    QString own;
    for (auto it = objectName.globalMatch(text); it.hasNext() && own.isEmpty();) {
        const QString name = literalText(it.next(), 1);
        if (isSection(name))
            own = name;
    }
    if (own.isEmpty()) {
        QSet<QString> named;
        for (auto it = anyLiteral.globalMatch(text); it.hasNext();) {
            const QString name = literalText(it.next(), 1);
            if (isSection(name))
                named.insert(name);
        }
        if (named.size() == 1)
            own = *named.cbegin();
    }
    if (own.isEmpty())
        return found;

    for (auto it = anyLiteral.globalMatch(text); it.hasNext();) {
        const QString name = literalText(it.next(), 1);
        if (isControlKey(name) && looksLikeKey(name))
            found.append({own, name, where});
    }
    for (auto it = textCall.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString function = m.captured(1);
        const bool reader =
            function == u"text" || (function.endsWith(u"Text") && function.front().isLower() &&
                                    !function.startsWith(u"set") && !function.startsWith(u"insert") &&
                                    !function.startsWith(u"append") && !function.startsWith(u"draw"));
        const QString key = literalText(m, 2);
        if (reader && looksLikeKey(key))
            found.append({own, key, where});
    }
    for (auto it = textsList.globalMatch(text); it.hasNext();) {
        const QString list = it.next().captured(1);
        for (auto item = anyLiteral.globalMatch(list); item.hasNext();) {
            const QString key = literalText(item.next(), 1);
            if (looksLikeKey(key))
                found.append({own, key, where});
        }
    }
    return found;
}

// A Designer form whose top-level widget is named after its section.
QList<CatalogueKey> scanForm(const QString &form, const QString &where, const QSet<QString> &sections)
{
    static const QRegularExpression widgetName(u"<widget\\s[^>]*name=\"([^\"]+)\""_s);
    QList<CatalogueKey> found;
    auto it = widgetName.globalMatch(form);
    if (!it.hasNext())
        return found;
    const QString own = it.next().captured(1);
    if (!sections.contains(own) && !own.startsWith(u"Frm"))
        return found;
    while (it.hasNext()) {
        const QString name = it.next().captured(1);
        if (isControlKey(name))
            found.append({own, name, where});
    }
    return found;
}

QList<CatalogueKey> readCentralList(const QString &text)
{
    QList<CatalogueKey> keys;
    QString section;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']'))
            section = trimmed.mid(1, trimmed.size() - 2);
        else if (trimmed.size() >= 2 && trimmed.startsWith(u'"') && trimmed.endsWith(u'"'))
            keys.append({section, trimmed.mid(1, trimmed.size() - 2), u"cataloguekeys.txt"_s});
        else
            keys.append({section, trimmed, u"cataloguekeys.txt"_s});
    }
    return keys;
}

QSet<QString> sectionNames(const QList<CatalogueKey> &keys)
{
    QSet<QString> names;
    for (const CatalogueKey &key : keys)
        names.insert(key.section);
    return names;
}

QList<CatalogueKey> scanTree(const QString &root, const QSet<QString> &sections)
{
    QList<CatalogueKey> found;
    QDirIterator it(root, {u"*.cpp"_s, u"*.h"_s, u"*.ui"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString where = path.mid(sourceDir.size() + 1);
        const QString text = readText(path);
        found += path.endsWith(u".ui") ? scanForm(text, where, sections) : scanSource(text, where, sections);
    }
    return found;
}

// A text a person reads, written into the code: a literal with letters handed straight to a widget's text,
// a window title, a list's headings, the hall's captions and text, or a plain operator message. Keys
// looked up in the catalogue are no such text (they are the argument of a lookup, not of the setter).
struct FixedText
{
    QString text;
    QString where;
};

QList<FixedText> scanFixedTexts(const QString &code, const QString &where)
{
    static const QString setters =
        u"setText|setWindowTitle|setPlaceholderText|setToolTip|setStatusTip|setTitle|setCaption|"
        "setSubcaption|setSecondCaption|showMessage|showKeyLegend|insertText|addAction|setSuffix|setPrefix|"
        "setSpecialValueText|setLabelText|setPlainText|setHtml|setHeaderLabels|setHorizontalHeaderLabels|"
        "setVerticalHeaderLabels|setColumns|addItem|addItems|plain"_s;
    static const QString widgets = u"QLabel|QPushButton|QCheckBox|QRadioButton|QGroupBox|QAction|QMenu"_s;
    // The literal opens the argument: alone, first of several, or first of a sum. Braced lists below.
    static const QRegularExpression call(u"\\b(?:"_s + setters + u")\\(\\s*"_s + literal + u"\\s*[,)+]"_s);
    static const QRegularExpression constructed(u"\\bnew\\s+(?:"_s + widgets + u")\\(\\s*"_s + literal +
                                                u"\\s*[,)+]"_s);
    static const QRegularExpression listItem(u"\\b(?:setHorizontalHeaderLabels|setHeaderLabels|setColumns|"
                                             "addItems)\\(\\s*(?:QStringList)?\\s*\\{([^}]*)\\}"_s);
    static const QRegularExpression anyLiteral(literal);
    static const QRegularExpression letters(u"\\p{L}.*\\p{L}"_s);

    const QString text = withoutComments(code);
    QList<FixedText> found;
    const auto take = [&](const QString &t) {
        if (letters.match(t).hasMatch())
            found.append({t, where});
    };
    for (const QRegularExpression *re : {&call, &constructed}) {
        for (auto it = re->globalMatch(text); it.hasNext();)
            take(literalText(it.next(), 1));
    }
    for (auto it = listItem.globalMatch(text); it.hasNext();) {
        const QString list = it.next().captured(1);
        // Only the items that are literals themselves, not the keys inside lookups.
        static const QRegularExpression bare(u"(?:^|,)\\s*"_s + literal + u"\\s*(?=,|$)"_s);
        for (auto item = bare.globalMatch(list); item.hasNext();)
            take(literalText(item.next(), 1));
    }
    return found;
}

QString id(const QString &section, const QString &key)
{
    return section.trimmed().toCaseFolded() + u'/' + key.trimmed().toCaseFolded();
}

} // namespace

class TestCatalogueCheck final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void scanFindsWhatTheCodeLooksUp_data();
    void scanFindsWhatTheCodeLooksUp();
    void scanOfTheSourcesFindsKeys();

    void everyKeyInUseHasATextInEveryLanguage_data();
    void everyKeyInUseHasATextInEveryLanguage();
    void languagesHoldTheSameKeys();
    void noKeyIsDefinedTwiceOrTooLong_data();
    void noKeyIsDefinedTwiceOrTooLong();
    void storedTextsAgreeAcrossWindows_data();
    void storedTextsAgreeAcrossWindows();
    void alternativesDiffer_data();
    void alternativesDiffer();
    void textsFitTheirColumns_data();
    void textsFitTheirColumns();
    void fixedTextScanFindsLiterals_data();
    void fixedTextScanFindsLiterals();
    void noTextAPersonReadsIsWrittenInTheCode();

private:
    QList<CatalogueKey> m_central;
    QList<CatalogueKey> m_scanned;
    QSet<QString> m_sections;
};

void TestCatalogueCheck::initTestCase()
{
    const QString list = readText(centralList);
    QVERIFY2(!list.isEmpty(), qPrintable(u"cannot read "_s + centralList));
    m_central = readCentralList(list);
    m_sections = sectionNames(m_central);
    m_scanned = scanTree(sourceDir + u"/src"_s, m_sections);
}

void TestCatalogueCheck::scanFindsWhatTheCodeLooksUp_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("message of the core")
        << u"link.cpp"_s
        << u"m_notifier.error(OperatorText::catalogue(QStringLiteral(\"FrmLogo\"), "
           u"QStringLiteral(\"MsgClew\")),\n"
           "    OperatorText::catalogue(QStringLiteral(\"Public\"), QStringLiteral(\"MsgLinkLost\")));"_s
        << QStringList{u"FrmLogo/MsgClew"_s, u"Public/MsgLinkLost"_s};
    QTest::newRow("literal operators") << u"a.cpp"_s << u"catalogue.text(u\"Public\"_s, u\"VoteTitle\"_s);"_s
                                       << QStringList{u"Public/VoteTitle"_s};
    QTest::newRow("key with a trailing blank")
        << u"a.cpp"_s << u"text(QStringLiteral(\"FrmSysset\"), QStringLiteral(\"MsgClew \"))"_s
        << QStringList{u"FrmSysset/MsgClew "_s};
    QTest::newRow("numbered family")
        << u"a.cpp"_s << u"family(QStringLiteral(\"FrmRegque\"), QStringLiteral(\"MsgClew\"), 17, 18)"_s
        << QStringList{u"FrmRegque/MsgClew17"_s, u"FrmRegque/MsgClew18"_s};
    QTest::newRow("window named by its object name")
        << u"a.cpp"_s
        << u"setObjectName(QStringLiteral(\"FrmError\"));\n"
           "ok->setObjectName(QStringLiteral(\"IDOK\"));\n"
           "for (const char *key : {\"IDC_STATIC_ERRCLEW1\", \"IDC_STATIC_ERRCLEW2\"}) {}\n"
           "setWindowTitle(m_texts.text(QStringLiteral(\"DlgError\")));\n"
           "m_texts.texts({QStringLiteral(\"LstSpa1\"), u\"LstSpa2\"_s});"_s
        << QStringList{u"FrmError/DlgError"_s,
                       u"FrmError/IDC_STATIC_ERRCLEW1"_s,
                       u"FrmError/IDC_STATIC_ERRCLEW2"_s,
                       u"FrmError/IDOK"_s,
                       u"FrmError/LstSpa1"_s,
                       u"FrmError/LstSpa2"_s};
    QTest::newRow("helper of a file with one section")
        << u"meetingfiles.cpp"_s
        << u"OperatorText meetingText(const char *key)\n"
           "{ return OperatorText::catalogue(QStringLiteral(\"FrmMeeset\"), QString::fromLatin1(key)); }\n"
           "notifier.question(caption, meetingText(\"Export1\"));"_s
        << QStringList{u"FrmMeeset/Export1"_s};
    QTest::newRow("captions set as text are no keys")
        << u"a.cpp"_s
        << u"setObjectName(QStringLiteral(\"FrmLink\"));\n"
           "label->setText(QStringLiteral(\"Total\"));\n"
           "m_chart.setCaption(QStringLiteral(\"Ballot Report\"));\n"
           "m_bigScreen.showText(QStringLiteral(\"Count Down:\"));"_s
        << QStringList{};
    QTest::newRow("comments are not code")
        << u"a.h"_s
        << u"// e.g. text(QStringLiteral(\"FrmMain\"), QStringLiteral(\"Example\"))\n"
           "/* family(QStringLiteral(\"FrmRegque\"), QStringLiteral(\"Stem\"), 1, 3) */\n"
           "const char *url = \"http://example\"; // text(u\"Public\"_s, u\"Nothing\"_s)"_s
        << QStringList{};
    QTest::newRow("a file with several sections counts only pairs")
        << u"a.cpp"_s
        << u"WindowTexts vote(c, QStringLiteral(\"FrmMeeVote\"));\n"
           "WindowTexts shared(c, QStringLiteral(\"Public\"));\n"
           "vote.text(QStringLiteral(\"MsgClew\"));"_s
        << QStringList{};
    QTest::newRow("designer form")
        << u"nominee.ui"_s
        << u"<ui version=\"4.0\"><widget class=\"QDialog\" name=\"FrmNominee\">"
           "<widget class=\"QPushButton\" name=\"IDOK\"/><widget class=\"QLabel\" name=\"nameLabel\"/>"
           "<widget class=\"QLabel\" name=\"IDC_STATIC_CDATEONE\"/></widget></ui>"_s
        << QStringList{u"FrmNominee/IDC_STATIC_CDATEONE"_s, u"FrmNominee/IDOK"_s};
}

void TestCatalogueCheck::scanFindsWhatTheCodeLooksUp()
{
    QFETCH(QString, file);
    QFETCH(QString, code);
    QFETCH(QStringList, expected);

    const QList<CatalogueKey> keys =
        file.endsWith(u".ui") ? scanForm(code, file, m_sections) : scanSource(code, file, m_sections);
    QStringList names;
    for (const CatalogueKey &key : keys)
        names.append(key.name());
    names.sort();
    names.removeDuplicates();
    QCOMPARE(names, expected);
}

void TestCatalogueCheck::scanOfTheSourcesFindsKeys()
{
    // A scan that finds nothing would let every later check pass: the link's own message must be there.
    const bool linkLost = std::any_of(m_scanned.cbegin(), m_scanned.cend(), [](const CatalogueKey &key) {
        return key.section == u"Public" && key.key == u"MsgLinkLost";
    });
    QVERIFY2(linkLost, "the scan of src/ did not find Public/MsgLinkLost");
    QVERIFY(m_central.size() > 500);
}

void TestCatalogueCheck::everyKeyInUseHasATextInEveryLanguage_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &file : languageFiles())
        QTest::newRow(qPrintable(file)) << file;
}

void TestCatalogueCheck::everyKeyInUseHasATextInEveryLanguage()
{
    QFETCH(QString, file);
    const TextCatalogue catalogue(menuDir + file);
    const ProfileDocument document = ProfileFile(menuDir + file).read();
    QVERIFY2(!document.isEmpty(), qPrintable(u"cannot read "_s + menuDir + file));

    QStringList missing;
    for (const CatalogueKey &key : m_central + m_scanned) {
        if (catalogue.text(key.section, key.key).isEmpty())
            missing.append(u"["_s + key.section + u"] \""_s + key.key + u"\" (" + key.where + u')');
        // A key that ends with a blank is written with it, as the windows spell it.
        if (key.key.endsWith(u' ') && !document.keys(key.section).contains(key.key))
            missing.append(u"["_s + key.section + u"] \""_s + key.key + u"\" without its blank");
    }
    missing.removeDuplicates();
    QVERIFY2(missing.isEmpty(),
             qPrintable(file + u" lacks or leaves empty:\n  "_s + missing.join(u"\n  "_s)));
}

void TestCatalogueCheck::languagesHoldTheSameKeys()
{
    QMap<QString, QSet<QString>> keysOf;
    for (const QString &file : languageFiles()) {
        for (const ProfileDocument::Entry &entry : ProfileFile(menuDir + file).read().entries())
            keysOf[file].insert(id(entry.section, entry.key));
    }
    QStringList differences;
    const QSet<QString> all = keysOf[u"menu.ini"_s] + keysOf[u"menu_e.ini"_s] + keysOf[u"menu_p.ini"_s];
    for (const QString &key : all) {
        for (const QString &file : languageFiles()) {
            if (!keysOf[file].contains(key))
                differences.append(file + u" lacks "_s + key);
        }
    }
    differences.sort();
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u'\n')));
}

void TestCatalogueCheck::noKeyIsDefinedTwiceOrTooLong_data()
{
    everyKeyInUseHasATextInEveryLanguage_data();
}

void TestCatalogueCheck::noKeyIsDefinedTwiceOrTooLong()
{
    QFETCH(QString, file);
    QStringList problems;
    QSet<QString> seen;
    for (const ProfileDocument::Entry &entry : ProfileFile(menuDir + file).read().entries()) {
        // The lookup takes the first section and key of a name: a second one would never be read.
        if (seen.contains(id(entry.section, entry.key)))
            problems.append(u"twice: ["_s + entry.section + u"] "_s + entry.key);
        seen.insert(id(entry.section, entry.key));
        if (entry.value.size() > TextCatalogue::TextLimit)
            problems.append(u"longer than 255 characters: ["_s + entry.section + u"] "_s + entry.key);
    }
    QSet<QString> headers;
    static const QRegularExpression header(u"^\\s*\\[([^\\]]*)\\]"_s, QRegularExpression::MultilineOption);
    for (auto it = header.globalMatch(readText(menuDir + file)); it.hasNext();) {
        const QString name = it.next().captured(1).trimmed().toCaseFolded();
        if (headers.contains(name))
            problems.append(u"section twice: "_s + name);
        headers.insert(name);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(file + u":\n  "_s + problems.join(u"\n  "_s)));
}

void TestCatalogueCheck::storedTextsAgreeAcrossWindows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sectionA");
    QTest::addColumn<QString>("keyA");
    QTest::addColumn<QString>("sectionB");
    QTest::addColumn<QString>("keyB");

    // The motions window stores these texts and the voting window recognises them by its own keys; the
    // sign-in stores its marks and the sign-in report finds delegates by the report's texts.
    const QList<QStringList> pairs = {
        {u"FrmMeeMat"_s, u"cbVBaseOne"_s, u"FrmMeeVote"_s, u"cbBaseOne"_s},
        {u"FrmMeeMat"_s, u"cbVBaseTwo"_s, u"FrmMeeVote"_s, u"cbBaseTwo"_s},
        {u"FrmMeeMat"_s, u"cbVAberOne"_s, u"FrmMeeVote"_s, u"cbAbetOne"_s},
        {u"FrmMeeMat"_s, u"cbVAberTwo"_s, u"FrmMeeVote"_s, u"cbAbetTwo"_s},
        {u"FrmMeeMat"_s, u"DataYes"_s, u"FrmMeeVote"_s, u"DateYes"_s},
        {u"FrmMeeMat"_s, u"DataNo"_s, u"FrmMeeVote"_s, u"DateNo"_s},
        {u"FrmManChe"_s, u"MsgScrView9"_s, u"FrmRegque"_s, u"MsgClew17"_s},
        {u"FrmManChe"_s, u"MsgScrView10"_s, u"FrmRegque"_s, u"MsgClew18"_s},
    };
    for (const QString &file : languageFiles()) {
        for (const QStringList &p : pairs) {
            QTest::addRow("%s %s = %s", qPrintable(file), qPrintable(p[1]), qPrintable(p[3]))
                << file << p[0] << p[1] << p[2] << p[3];
        }
    }
}

void TestCatalogueCheck::storedTextsAgreeAcrossWindows()
{
    QFETCH(QString, file);
    QFETCH(QString, sectionA);
    QFETCH(QString, keyA);
    QFETCH(QString, sectionB);
    QFETCH(QString, keyB);
    const TextCatalogue catalogue(menuDir + file);
    QVERIFY(!catalogue.text(sectionA, keyA).isEmpty());
    QCOMPARE(catalogue.text(sectionA, keyA), catalogue.text(sectionB, keyB));
}

void TestCatalogueCheck::alternativesDiffer_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QStringList>("keys");

    // Texts told apart by comparing them: stored states and options, and the two captions of every
    // button that keeps its state in its caption.
    const QList<std::pair<QString, QStringList>> groups = {
        {u"Public"_s,
         {u"VoteType1"_s, u"VoteType2"_s, u"VoteType3"_s, u"VoteType4"_s, u"VoteType5"_s, u"VoteType6"_s,
          u"VoteType7"_s}},
        {u"FrmMeeVote"_s, {u"cbBaseOne"_s, u"cbBaseTwo"_s}},
        {u"FrmMeeVote"_s, {u"cbAbetOne"_s, u"cbAbetTwo"_s}},
        {u"FrmMeeVote"_s, {u"DateYes"_s, u"DateNo"_s, u"DateBreak"_s}},
        {u"FrmRegque"_s, {u"MsgClew17"_s, u"MsgClew18"_s}},
        {u"FrmScrText"_s, {u"PassVoteOk"_s, u"PassVoteNo"_s}},
        {u"FrmManinfo"_s, {u"LstText1"_s, u"LstText2"_s}},
        {u"FrmFile"_s, {u"BtnAuto"_s, u"BtnPause"_s}},
        {u"Frmbasicset"_s, {u"BtnClew1"_s, u"BtnClew2"_s}},
        {u"FrmMootset"_s, {u"BtnOpenvid"_s, u"BtnClosevid"_s}},
        {u"FrmMootset"_s, {u"BtnOpenTemiDlg"_s, u"BtnCloseTemiDlg"_s}},
        {u"FrmMootset"_s, {u"MsgMode1"_s, u"MsgMode2"_s, u"MsgMode3"_s}},
        {u"Frmfound"_s, {u"BtnClewNew"_s, u"BtnClewDel"_s}},
        {u"Frmfound"_s, {u"BtnClewlead"_s, u"BtnClewBmp"_s}},
        {u"Frmfound"_s, {u"BtnClewMove"_s, u"BtnClewrivet"_s}},
    };
    for (const QString &file : languageFiles()) {
        for (const auto &[section, keys] : groups)
            QTest::addRow("%s %s", qPrintable(file), qPrintable(keys.join(u'/'))) << file << section << keys;
    }
}

void TestCatalogueCheck::alternativesDiffer()
{
    QFETCH(QString, file);
    QFETCH(QString, section);
    QFETCH(QStringList, keys);
    const TextCatalogue catalogue(menuDir + file);
    QStringList texts = catalogue.texts(section, keys);
    texts.removeDuplicates();
    QCOMPARE(texts.size(), keys.size());
}

void TestCatalogueCheck::textsFitTheirColumns_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("limit");

    QList<std::tuple<QString, QString, int>> limits;
    for (int n = 1; n <= 7; ++n)
        limits.append({u"Public"_s, TextCatalogue::familyKey(u"VoteType"_s, n), 30}); // `OveType`
    for (const char *key : {"cbVBaseOne", "cbVBaseTwo"})
        limits.append({u"FrmMeeMat"_s, QLatin1String(key), 30}); // `VoteBase`
    for (const char *key : {"cbBaseOne", "cbBaseTwo"})
        limits.append({u"FrmMeeVote"_s, QLatin1String(key), 30});
    for (const char *key : {"cbVAberOne", "cbVAberTwo"})
        limits.append({u"FrmMeeMat"_s, QLatin1String(key), 10}); // `VoteAbet`
    for (const char *key : {"cbAbetOne", "cbAbetTwo"})
        limits.append({u"FrmMeeVote"_s, QLatin1String(key), 10});
    for (const char *key : {"DataYes", "DataNo"})
        limits.append({u"FrmMeeMat"_s, QLatin1String(key), 6}); // `VoteState`
    for (const char *key : {"DateYes", "DateNo", "DateBreak"})
        limits.append({u"FrmMeeVote"_s, QLatin1String(key), 6});
    for (const char *key : {"MsgScrView9", "MsgScrView10"})
        limits.append({u"FrmManChe"_s, QLatin1String(key), 30}); // `Employees`.`sign`
    // The printed ballot report hands each of these over in a field of 20 characters with its terminator.
    for (int n = 1; n <= 17; ++n)
        limits.append({u"FrmVoteput"_s, TextCatalogue::familyKey(u"szTag"_s, n), 19});

    for (const QString &file : languageFiles()) {
        for (const auto &[section, key, limit] : limits)
            QTest::addRow("%s %s", qPrintable(file), qPrintable(key)) << file << section << key << limit;
    }
}

void TestCatalogueCheck::textsFitTheirColumns()
{
    QFETCH(QString, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, limit);
    const QString text = TextCatalogue(menuDir + file).text(section, key);
    QVERIFY(!text.isEmpty());
    QVERIFY2(text.size() <= limit,
             qPrintable(u"\""_s + text + u"\" has "_s + QString::number(text.size()) +
                        u" characters, at most "_s + QString::number(limit) + u" fit"_s));
}

void TestCatalogueCheck::fixedTextScanFindsLiterals_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("a caption set from code")
        << u"button->setText(QStringLiteral(\"Close\"));"_s << QStringList{u"Close"_s};
    QTest::newRow("a window title") << u"setWindowTitle(u\"on-line monitoring\"_s);"_s
                                    << QStringList{u"on-line monitoring"_s};
    QTest::newRow("the hall's caption, with a colour")
        << u"chart.setCaption(QStringLiteral(\"Ballot Report\"), colour);"_s
        << QStringList{u"Ballot Report"_s};
    QTest::newRow("text put on the hall, then a name")
        << u"cursor.insertText(QStringLiteral(\"Motion: \") + name, format);"_s << QStringList{u"Motion: "_s};
    QTest::newRow("a widget made with its text")
        << u"auto *close = new QPushButton(QStringLiteral(\"Close\"), this);"_s << QStringList{u"Close"_s};
    QTest::newRow("headings, one fixed")
        << u"m_list->setHorizontalHeaderLabels({QStringLiteral(\"ID\"), m_texts.text(QStringLiteral(\"MsgClew2\"))});"_s
        << QStringList{u"ID"_s};
    QTest::newRow("a plain operator message")
        << u"m_notifier.error(caption, OperatorText::plain(QStringLiteral(\"File is damaged\")));"_s
        << QStringList{u"File is damaged"_s};
    QTest::newRow("a looked-up text is no literal")
        << u"button->setText(m_texts.text(QStringLiteral(\"BtnMonitor\")));"_s << QStringList{};
    QTest::newRow("symbols and figures are not language")
        << u"percent->setText(QStringLiteral(\"%\")); label->setText(QStringLiteral(\"00:00\"));"_s
        << QStringList{};
    QTest::newRow("in a comment") << u"// setText(QStringLiteral(\"Example\"))\nint x;"_s << QStringList{};
}

void TestCatalogueCheck::fixedTextScanFindsLiterals()
{
    QFETCH(QString, code);
    QFETCH(QStringList, expected);
    QStringList texts;
    for (const FixedText &fixed : scanFixedTexts(code, u"sample.cpp"_s))
        texts.append(fixed.text);
    QCOMPARE(texts, expected);
}

// The windows and the hall take every text a person reads from the language files. What is left is
// allowed here by file and text, each with its reason.
void TestCatalogueCheck::noTextAPersonReadsIsWrittenInTheCode()
{
    const QSet<QString> allowed{
        // The product's name is the same in every language: the captions of the messages given before a
        // language file can be read, and the About item of the main window's system menu.
        u"src/gui/shell/consoleapplication.cpp|Quorix"_s,
        u"src/gui/shell/mainwindow.cpp|Quorix…"_s,
        // Seeding the data folder failed: no language file may be there to read a text from.
        u"src/gui/shell/consoleapplication.cpp|Some installation files could not be copied to "_s,
    };
    QStringList offenders;
    int scannedFiles = 0;
    QDirIterator it(sourceDir + u"/src"_s, {u"*.cpp"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString where = path.mid(sourceDir.size() + 1);
        // The command-line entry point prints to a terminal for installers, not to the operator.
        if (where.startsWith(u"src/app/"))
            continue;
        ++scannedFiles;
        for (const FixedText &fixed : scanFixedTexts(readText(path), where)) {
            if (!allowed.contains(where + u'|' + fixed.text))
                offenders.append(where + u": \"" + fixed.text + u'"');
        }
    }
    QVERIFY(scannedFiles > 100);
    QVERIFY2(offenders.isEmpty(),
             qPrintable(u"texts written in the code:\n  "_s + offenders.join(u"\n  "_s)));
}

QTEST_GUILESS_MAIN(TestCatalogueCheck)
#include "testcataloguecheck.moc"
