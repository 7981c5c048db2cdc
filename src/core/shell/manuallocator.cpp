#include "core/shell/manuallocator.h"

#include <QDir>
#include <QFileInfo>

ManualLocator::ManualLocator(QString dataRootPath, QStringList shippedFolders)
{
    m_folders << std::move(dataRootPath);
    m_folders << std::move(shippedFolders);
}

QString ManualLocator::fileName(const QString &languageCode)
{
    if (languageCode == QLatin1String("0"))
        return QStringLiteral("Quorix使用说明书.pdf");
    if (languageCode == QLatin1String("1"))
        return QStringLiteral("Quorix-Manual-en.pdf");
    if (languageCode == QLatin1String("2"))
        return QStringLiteral("Quorix-Manual-pt.pdf");
    return {};
}

QStringList ManualLocator::candidates(const QString &languageCode) const
{
    QStringList codes{languageCode, QStringLiteral("1"), QStringLiteral("0")};
    codes.removeDuplicates();
    QStringList paths;
    for (const QString &code : codes) {
        const QString name = fileName(code);
        if (name.isEmpty())
            continue;
        for (const QString &folder : m_folders)
            if (!folder.isEmpty())
                paths << QDir::cleanPath(folder + QLatin1Char('/') + name);
    }
    paths.removeDuplicates();
    return paths;
}

QString ManualLocator::find(const QString &languageCode) const
{
    for (const QString &path : candidates(languageCode))
        if (QFileInfo(path).isFile())
            return path;
    return {};
}
