#pragma once

#include "core/counting/votetypetable.h"

#include <QList>
#include <QString>
#include <QStringList>

class DataRoot;
class TextCatalogue;

// The stored marks (`sign`, `OveType`, `VoteState`) are interface texts of whichever language was in use
// when they were written. A report therefore recognises them in every language file the installation
// has, while it shows its own texts in the current one.
class ReportLanguages final
{
public:
    // The current language first, then the others.
    explicit ReportLanguages(QList<VoteTypeTable::Lookup> lookups);
    // The current catalogue and the three language files below the data root.
    static ReportLanguages fromRoot(const DataRoot &root, const TextCatalogue &current);

    // The text in the current language.
    QString text(QStringView section, QStringView key) const;
    QStringList family(QStringView section, QStringView stem, int first, int last) const;
    // The text in every language, without empty or repeated ones.
    QStringList variants(QStringView section, QStringView key) const;
    // The vote type whose display text `OveType` holds in any of the languages.
    std::optional<VoteType> voteType(const QString &OveType) const;

private:
    QList<VoteTypeTable::Lookup> m_lookups;
};
