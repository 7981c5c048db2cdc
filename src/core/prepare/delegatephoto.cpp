#include "core/prepare/delegatephoto.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>

namespace DelegatePhoto {

Load fromFile(const QString &path, QByteArray &photo)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Load::Unreadable;
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("BM") && !QImage::fromData(bytes, "BMP").isNull()) {
        photo = bytes;
        return Load::Stored;
    }
    QImage picture = QImage::fromData(bytes);
    if (picture.isNull())
        return Load::NotAPicture;
    if (picture.width() > MaxConvertedSide || picture.height() > MaxConvertedSide)
        picture =
            picture.scaled(MaxConvertedSide, MaxConvertedSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // 24-bit: the depth every bitmap reader takes. A transparent picture is laid on white, as a photo
    // frame shows it.
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
    photo = converted;
    return Load::Stored;
}

QImage image(const QByteArray &photo)
{
    if (!photo.startsWith("BM"))
        return {};
    return QImage::fromData(photo, "BMP");
}

} // namespace DelegatePhoto
