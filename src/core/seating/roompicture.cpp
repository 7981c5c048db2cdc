#include "core/seating/roompicture.h"

#include "core/base/bitmapfile.h"
#include "core/base/dataroot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

RoomPicture::RoomPicture(const DataRoot &root)
    : m_folder(root.filePath(relativeFolder())), m_photoFolder(root.filePath(QStringLiteral("System/photo")))
{}

bool RoomPicture::isPlainName(const QString &ico)
{
    return !ico.isEmpty() && ico != u"." && ico != u".." && !ico.contains(u'/') && !ico.contains(u'\\') &&
           !ico.contains(QChar(0));
}

RoomPicture::Import RoomPicture::import(const QString &sourcePath, QString &ico) const
{
    const QFileInfo source(sourcePath);
    QString base = source.completeBaseName();
    if (!isPlainName(base + u".bmp") || base.isEmpty())
        base = QStringLiteral("room");
    const QString name = base + QStringLiteral(".bmp");
    const QString target = QDir(m_folder).filePath(name);
    // Writing a file over itself would first empty it.
    const QString canonicalSource = source.canonicalFilePath();
    if (!canonicalSource.isEmpty() && canonicalSource == QFileInfo(target).canonicalFilePath())
        return Import::SameFile;

    QByteArray bitmap;
    switch (BitmapFile::fromFile(sourcePath, MaxConvertedSide, bitmap)) {
    case BitmapFile::Load::Read:
        break;
    case BitmapFile::Load::Unreadable:
        return Import::Unreadable;
    case BitmapFile::Load::NotAPicture:
    case BitmapFile::Load::Damaged:
    case BitmapFile::Load::TooLarge:
        return Import::NotAPicture;
    }
    if (!QDir().mkpath(m_folder))
        return Import::WriteFailed;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bitmap) != bitmap.size() || !file.commit())
        return Import::WriteFailed;
    ico = name;
    return Import::Imported;
}

QImage RoomPicture::load(const QString &ico) const
{
    if (!isPlainName(ico))
        return {};
    for (const QString &folder : {m_folder, m_photoFolder}) {
        const QString path = QDir(folder).filePath(ico);
        if (QFileInfo(path).isFile()) {
            const QImage picture(path);
            if (!picture.isNull())
                return picture;
        }
    }
    return {};
}

bool RoomPicture::remove(const QString &ico) const
{
    if (!isPlainName(ico))
        return false;
    const QString path = QDir(m_folder).filePath(ico);
    return QFileInfo(path).isFile() && QFile::remove(path);
}
