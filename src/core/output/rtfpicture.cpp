#include "core/output/rtfpicture.h"

#include <algorithm>

namespace {

constexpr double TwipsPerPixel = 15.0;
constexpr double MaxSide = 20000;

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

quint32 le32(const QByteArray &b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size())
        return 0;
    return quint32(uchar(b[at])) | (quint32(uchar(b[at + 1])) << 8) | (quint32(uchar(b[at + 2])) << 16) |
           (quint32(uchar(b[at + 3])) << 24);
}

quint16 le16(const QByteArray &b, qsizetype at)
{
    if (at < 0 || at + 2 > b.size())
        return 0;
    return quint16(uchar(b[at]) | (uchar(b[at + 1]) << 8));
}

void putLe32(QByteArray &b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

// A device-independent bitmap is a bitmap file without its 14-byte file header: put one in front.
QImage dibWithFileHeader(const QByteArray &dib)
{
    const quint32 headerSize = le32(dib, 0);
    if (headerSize < 12 || headerSize > quint32(dib.size()))
        return {};
    quint32 paletteBytes = 0;
    if (headerSize >= 40) {
        const quint16 bitCount = le16(dib, 14);
        const quint32 compression = le32(dib, 16);
        quint32 colours = le32(dib, 32);
        if (colours == 0 && bitCount <= 8)
            colours = 1u << bitCount;
        if (colours > 256)
            return {};
        paletteBytes = colours * 4;
        if (headerSize == 40 && (compression == 3 || compression == 6))
            paletteBytes += compression == 3 ? 12 : 16;
    } else {
        const quint16 bitCount = le16(dib, 10);
        paletteBytes = bitCount <= 8 ? (1u << bitCount) * 3 : 0;
    }
    const quint64 offset = 14ull + headerSize + paletteBytes;
    if (offset > quint64(dib.size()) + 14)
        return {};
    QByteArray file("BM");
    putLe32(file, quint32(dib.size() + 14));
    putLe32(file, 0);
    putLe32(file, quint32(offset));
    file.append(dib);
    return QImage::fromData(file, "BMP");
}

// A device-dependent bitmap: raw rows, top row first, with no palette of its own.
QImage imageFromDeviceBitmap(const RtfPicture &p)
{
    const int w = p.picw;
    const int h = p.pich;
    const int bpp = p.bitsPixel;
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384)
        return {};
    const qint64 minStride = (qint64(w) * bpp + 7) / 8;
    const qint64 stride = p.widthBytes > 0 ? p.widthBytes : ((qint64(w) * bpp + 15) / 16) * 2;
    if (stride < minStride || stride * h > p.data.size() || stride * h > RtfPicture::MaxBytes)
        return {};
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < h; ++y) {
        const auto *row = reinterpret_cast<const uchar *>(p.data.constData() + stride * y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            switch (bpp) {
            case 1:
                out[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                break;
            case 4: {
                const int v = ((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF) * 17;
                out[x] = qRgb(v, v, v);
                break;
            }
            case 8:
                out[x] = qRgb(row[x], row[x], row[x]);
                break;
            case 24:
                out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            case 32:
                out[x] = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
                break;
            default:
                return {};
            }
        }
    }
    return image;
}

} // namespace

void RtfPicture::appendHexDigit(char c)
{
    const int v = hexDigit(c);
    if (v < 0 || data.size() >= MaxBytes)
        return;
    if (m_nibble < 0) {
        m_nibble = v;
    } else {
        data.append(char(m_nibble * 16 + v));
        m_nibble = -1;
    }
}

QImage RtfPicture::image() const
{
    switch (kind) {
    case Kind::Png:
    case Kind::Jpeg:
    case Kind::Unknown:
        return QImage::fromData(data);
    case Kind::Dib:
        return imageFromDib(data);
    case Kind::DeviceBitmap:
        return imageFromDeviceBitmap(*this);
    case Kind::Unsupported:
        break;
    }
    return {};
}

QSizeF RtfPicture::displaySize(const QImage &image) const
{
    double width = goalw > 0 ? goalw / TwipsPerPixel : image.width();
    double height = goalh > 0 ? goalh / TwipsPerPixel : image.height();
    if (scalex > 0)
        width = width * scalex / 100.0;
    if (scaley > 0)
        height = height * scaley / 100.0;
    if (!(width > 0 && width < MaxSide && height > 0 && height < MaxSide))
        return image.size();
    return {width, height};
}

QImage RtfPicture::imageFromDib(const QByteArray &dib)
{
    return dibWithFileHeader(dib);
}
