#include "core/base/bitmapfile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>

namespace BitmapFile {

namespace {
// The JPEG reader fills what a cut-off file lacks with grey and only warns; a whole file ends with the
// end-of-image marker (some writers pad after it).
bool endsAsJpeg(const QByteArray &bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && (bytes.at(end - 1) == '\0' || bytes.at(end - 1) == '\n' || bytes.at(end - 1) == '\r'))
        --end;
    return end >= 2 && quint8(bytes.at(end - 2)) == 0xFF && quint8(bytes.at(end - 1)) == 0xD9;
}
} // namespace

Load fromFile(const QString &path, int maxConvertedSide, QByteArray &bitmap)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Load::Unreadable;
    const QByteArray bytes = file.readAll();
    QBuffer source;
    source.setData(bytes);
    source.open(QIODevice::ReadOnly);
    QImageReader reader(&source);
    const QByteArray format = reader.format();
    if (format.isEmpty())
        return Load::NotAPicture;
    const QSize size = reader.size();
    if (!size.isValid())
        return Load::NotAPicture;
    if (qint64(size.width()) * size.height() > MaxPixels)
        return Load::TooLarge;
    if (format == "jpeg" && !endsAsJpeg(bytes))
        return Load::Damaged;
    if (bytes.startsWith("BM") && !QImage::fromData(bytes, "BMP").isNull()) {
        bitmap = bytes;
        return Load::Read;
    }
    QImage picture;
    if (!reader.read(&picture) || picture.isNull())
        return Load::Damaged;
    if (picture.width() > maxConvertedSide || picture.height() > maxConvertedSide)
        picture =
            picture.scaled(maxConvertedSide, maxConvertedSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // 24-bit: the depth every bitmap reader takes. A transparent picture is laid on white.
    QImage opaque(picture.size(), QImage::Format_RGB888);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, picture);
    }
    QByteArray converted;
    QBuffer buffer(&converted);
    buffer.open(QIODevice::WriteOnly);
    if (!opaque.save(&buffer, "BMP"))
        return Load::NotAPicture;
    bitmap = converted;
    return Load::Read;
}

} // namespace BitmapFile
