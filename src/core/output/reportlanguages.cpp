#include "core/output/reportlanguages.h"

#include "core/base/dataroot.h"
#include "core/base/textcatalogue.h"

ReportLanguages::ReportLanguages(QList<VoteTypeTable::Lookup> lookups) : m_lookups(std::move(lookups)) {}

ReportLanguages ReportLanguages::fromRoot(const DataRoot &root, const TextCatalogue &current)
{
    QList<VoteTypeTable::Lookup> lookups{current.lookup()};
    for (const QString &code : TextCatalogue::languageCodes()) {
        const TextCatalogue other(root, code);
        if (other.filePath() != current.filePath())
            lookups.append(other.lookup());
    }
    return ReportLanguages(std::move(lookups));
}

QString ReportLanguages::text(QStringView section, QStringView key) const
{
    return m_lookups.isEmpty() ? QString() : m_lookups.constFirst()(section, key);
}

QStringList ReportLanguages::family(QStringView section, QStringView stem, int first, int last) const
{
    QStringList texts;
    for (int n = first; n <= last; ++n)
        texts.append(text(section, QString(stem.toString() + QString::number(n))));
    return texts;
}

QStringList ReportLanguages::variants(QStringView section, QStringView key) const
{
    QStringList texts;
    for (const VoteTypeTable::Lookup &lookup : m_lookups) {
        const QString text = lookup(section, key);
        if (!text.isEmpty() && !texts.contains(text))
            texts.append(text);
    }
    return texts;
}

std::optional<VoteType> ReportLanguages::voteType(const QString &OveType) const
{
    for (const VoteTypeTable::Lookup &lookup : m_lookups)
        if (const auto type = VoteTypeTable::match(OveType, lookup))
            return type;
    return std::nullopt;
}
