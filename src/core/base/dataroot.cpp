#include "core/base/dataroot.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

DataRoot::DataRoot(QString path) : m_path(QDir::cleanPath(std::move(path))) {}

DataRoot DataRoot::locate(const QString &explicitPath)
{
    if (!explicitPath.isEmpty())
        return DataRoot(QFileInfo(explicitPath).absoluteFilePath());
    const QString programDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(programDir + QStringLiteral("/System")).isDir())
        return DataRoot(programDir);
    return DataRoot(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString DataRoot::filePath(const QString &relative) const
{
    return m_path + QLatin1Char('/') + relative;
}

QString DataRoot::comLinkPath(int portNumber) const
{
    return filePath(QStringLiteral("System/dev/COM%1").arg(portNumber));
}

bool DataRoot::seedFrom(const QStringList &shippedFolders) const
{
    bool complete = true;
    for (const QString &folder : shippedFolders) {
        const QString system = QFileInfo(folder + QStringLiteral("/System")).absoluteFilePath();
        if (!QFileInfo(system).isDir())
            continue;
        QDirIterator it(system, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target =
                filePath(QStringLiteral("System/") + QDir(system).relativeFilePath(source));
            if (QFileInfo::exists(target))
                continue;
            const QString partial = target + QStringLiteral(".part");
            QFile::remove(partial);
            const bool copied = QDir().mkpath(QFileInfo(target).absolutePath()) &&
                                QFile::copy(source, partial) && QFile::rename(partial, target);
            if (!copied) {
                QFile::remove(partial);
                complete = false;
            }
        }
    }
    return complete;
}
