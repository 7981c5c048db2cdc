#include "core/shell/dataroot.h"

#include <QCoreApplication>
#include <QDir>
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
