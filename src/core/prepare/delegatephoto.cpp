#include "core/prepare/delegatephoto.h"

#include "core/base/bitmapfile.h"

namespace DelegatePhoto {

Load fromFile(const QString &path, QByteArray &photo)
{
    switch (BitmapFile::fromFile(path, MaxConvertedSide, photo)) {
    case BitmapFile::Load::Read:
        return Load::Stored;
    case BitmapFile::Load::Unreadable:
        return Load::Unreadable;
    case BitmapFile::Load::NotAPicture:
        break;
    case BitmapFile::Load::Damaged:
        return Load::Damaged;
    case BitmapFile::Load::TooLarge:
        return Load::TooLarge;
    }
    return Load::NotAPicture;
}

QImage image(const QByteArray &photo)
{
    if (!photo.startsWith("BM"))
        return {};
    return QImage::fromData(photo, "BMP");
}

} // namespace DelegatePhoto
