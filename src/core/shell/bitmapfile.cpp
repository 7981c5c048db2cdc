#include "core/shell/bitmapfile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>

namespace BitmapFile {

Load fromFile(const QString &path, int maxConvertedSide, QByteArray &bitmap)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Load::Unreadable;
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("BM") && !QImage::fromData(bytes, "BMP").isNull()) {
        bitmap = bytes;
        return Load::Read;
    }
    QImage picture = QImage::fromData(bytes);
    if (picture.isNull())
        return Load::NotAPicture;
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
