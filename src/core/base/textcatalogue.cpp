#include "core/base/textcatalogue.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>

#include "core/base/dataroot.h"
#include "core/base/operatortext.h"
#include "core/base/profilefile.h"

namespace {

QString foldedName(QStringView name)
{
    return ProfileDocument::trimmedBlanks(name).toString().toCaseFolded();
}

QString entryId(QStringView section, QStringView key)
{
    return foldedName(section) + QChar(0) + foldedName(key);
}

} // namespace

// The parsed file and what the file looked like when it was read.
class TextCatalogue::Cache
{
public:
    explicit Cache(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }

    QString text(QStringView section, QStringView key)
    {
        if (m_path.isEmpty())
            return m_standIns.value(entryId(section, key));
        refresh();
        const QString id = entryId(section, key);
        const QString text = m_texts.value(id);
        return text.trimmed().isEmpty() ? m_standIns.value(id, text) : text;
    }

    void setStandIn(QStringView section, QStringView key, const QString &text)
    {
        m_standIns.insert(entryId(section, key), text);
    }

private:
    struct Stamp
    {
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const Stamp &) const = default;
    };

    Stamp stamp() const
    {
        const QFileInfo info(m_path);
        if (!info.exists())
            return {};
        return {true, info.size(), info.lastModified(), info.metadataChangeTime()};
    }

    void refresh()
    {
        const Stamp now = stamp();
        if (m_read && now == m_stamp)
            return;
        m_texts.clear();
        if (now.exists) {
            const QList<ProfileDocument::Entry> entries = ProfileFile(m_path).read().entries();
            for (const ProfileDocument::Entry &entry : entries) {
                const QString id = entryId(entry.section, entry.key);
                if (!m_texts.contains(id)) // the first section and key of a name win, as in the lookup
                    m_texts.insert(id, ProfileFile::cut(entry.value, TextCatalogue::TextLimit));
            }
        }
        m_stamp = now;
        m_read = true;
    }

    QString m_path;
    bool m_read = false;
    Stamp m_stamp;
    QHash<QString, QString> m_texts;
    QHash<QString, QString> m_standIns;
};

QStringList TextCatalogue::languageCodes()
{
    return {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")};
}

bool TextCatalogue::isLanguageCode(const QString &code)
{
    return languageCodes().contains(code);
}

QString TextCatalogue::relativePath(const QString &languageCode)
{
    if (languageCode == u"0")
        return QStringLiteral("System/Menu/menu.ini");
    if (languageCode == u"1")
        return QStringLiteral("System/Menu/menu_e.ini");
    if (languageCode == u"2")
        return QStringLiteral("System/Menu/menu_p.ini");
    return {};
}

TextCatalogue::TextCatalogue() : m_cache(std::make_shared<Cache>(QString())) {}

TextCatalogue::TextCatalogue(const DataRoot &root, const QString &languageCode)
    : TextCatalogue(isLanguageCode(languageCode) ? root.filePath(relativePath(languageCode)) : QString())
{}

TextCatalogue::TextCatalogue(const QString &filePath) : m_cache(std::make_shared<Cache>(filePath)) {}

QString TextCatalogue::filePath() const
{
    return m_cache->path();
}

void TextCatalogue::setStandIns(const QList<std::pair<QString, QString>> &entries, const QStringList &texts)
{
    for (qsizetype i = 0; i < entries.size() && i < texts.size(); ++i)
        m_cache->setStandIn(entries.at(i).first, entries.at(i).second, texts.at(i));
}

QString TextCatalogue::text(const QString &section, const QString &key) const
{
    return m_cache->text(section, key);
}

QStringList TextCatalogue::texts(const QString &section, const QStringList &keys) const
{
    QStringList texts;
    texts.reserve(keys.size());
    for (const QString &key : keys)
        texts.append(text(section, key));
    return texts;
}

QString TextCatalogue::familyKey(const QString &stem, int number)
{
    return stem + QString::number(number);
}

QStringList TextCatalogue::family(const QString &section, const QString &stem, int first, int last) const
{
    QStringList texts;
    for (int number = first; number <= last; ++number)
        texts.append(text(section, familyKey(stem, number)));
    return texts;
}

namespace {
// One pass over the text, so a "%2" inside a filled-in meeting name stays as it is.
QString filled(const QString &text, const QStringList &args)
{
    if (args.isEmpty())
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'%' && i + 1 < text.size() && text.at(i + 1).isDigit()) {
            const int n = text.at(i + 1).digitValue();
            if (n >= 1 && n <= args.size()) {
                out += args.at(n - 1);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}
} // namespace

QString TextCatalogue::resolve(const OperatorText &text) const
{
    return text.isCatalogue() ? filled(m_cache->text(text.section, text.key), text.args) : text.literal;
}

std::function<QString(const OperatorText &)> TextCatalogue::resolver() const
{
    return [cache = m_cache](const OperatorText &text) -> QString {
        return text.isCatalogue() ? filled(cache->text(text.section, text.key), text.args) : text.literal;
    };
}

std::function<QString(QStringView, QStringView)> TextCatalogue::lookup() const
{
    return [cache = m_cache](QStringView section, QStringView key) -> QString {
        return cache->text(section, key);
    };
}
