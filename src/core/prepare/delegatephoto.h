#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A delegate's photo as the roster stores it: the complete bytes of a BMP file, the one format every
// reader of the `Photo` column knows. A BMP file is kept byte for byte; any other picture the platform
// reads (PNG, JPEG, ...) is converted to BMP bytes, scaled down first when it is larger than a photo
// frame could ever use.
namespace DelegatePhoto {

enum class Load
{
    Stored,
    Unreadable,  // the file cannot be opened: the previous photo stays
    NotAPicture, // no picture in it: refused rather than stored unshown
    Damaged,     // cut short or broken: refused rather than stored half decoded
    TooLarge,    // more pixels than BitmapFile::MaxPixels
};

// Longest side of a converted picture; BMP files are stored as they are.
inline constexpr int MaxConvertedSide = 1024;

Load fromFile(const QString &path, QByteArray &photo);

// The picture of stored photo bytes; null unless they are a BMP file (starting with "BM").
QImage image(const QByteArray &photo);

} // namespace DelegatePhoto
