#pragma once

#include <QString>
#include <QStringList>

// The operator's manual of each interface language and where an installation keeps it: in the data root
// (a portable installation holds it beside System/), else in the folders the console ships its files from
// (the build tree, or share/quorix/data of an installed package).
class ManualLocator
{
public:
    ManualLocator(QString dataRootPath, QStringList shippedFolders);

    // "Quorix使用说明书.pdf" for Simplified Chinese, the name every installation has always looked for;
    // the English and Portuguese manuals lie beside it. Empty for a code that names no language.
    static QString fileName(const QString &languageCode);

    // Every path looked at, in order: the language's own manual in each folder, then the English one, then
    // the Chinese one, so an operator gets some manual rather than none.
    QStringList candidates(const QString &languageCode) const;
    // The first candidate that exists; empty when none does.
    QString find(const QString &languageCode) const;

private:
    QStringList m_folders;
};
