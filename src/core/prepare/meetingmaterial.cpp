#include "core/prepare/meetingmaterial.h"

#include "core/base/dataroot.h"

namespace MeetingMaterial {

bool isPlainName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

QString documentName(const QString &stamp)
{
    return stamp + QStringLiteral(".rtf");
}

QString folderPath(const DataRoot &root, const QString &meetingStamp)
{
    return isPlainName(meetingStamp) ? root.filePath(QStringLiteral("MeeFile/") + meetingStamp) : QString();
}

QString bannerFolderPath(const DataRoot &root)
{
    return root.filePath(QStringLiteral("MeeFile/Meebanner"));
}

QString bannerPath(const DataRoot &root, const QString &bannerName)
{
    return isPlainName(bannerName) ? bannerFolderPath(root) + QLatin1Char('/') + bannerName : QString();
}

QString contentPath(const DataRoot &root, const QString &meetingStamp, const QString &documentName)
{
    const QString folder = folderPath(root, meetingStamp);
    if (folder.isEmpty() || !isPlainName(documentName))
        return {};
    return folder + QLatin1Char('/') + documentName;
}

} // namespace MeetingMaterial
