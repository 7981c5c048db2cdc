#pragma once

#include <QByteArray>
#include <QString>

// Pictures that the installation keeps as BMP files, the one format every reader of its stored pictures
// knows (delegate photos, the room picture of the seat plan). A BMP file is kept byte for byte; any other
// picture the platform reads (PNG, JPEG, ...) is converted to a 24-bit BMP laid on white, scaled down
// first when it is larger than its use could ever need.
namespace BitmapFile {

enum class Load
{
    Read,
    Unreadable,  // the file cannot be opened
    NotAPicture, // no picture in it
    Damaged,     // a picture format, but cut short or broken: never stored half decoded
    TooLarge,    // more than MaxPixels: refused before it is decoded
};

// 50 megapixels: far beyond any photo or room plan, and still decodable without exhausting memory.
inline constexpr qint64 MaxPixels = 50'000'000;

Load fromFile(const QString &path, int maxConvertedSide, QByteArray &bitmap);

} // namespace BitmapFile
