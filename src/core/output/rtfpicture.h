#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

// A picture embedded in rich text: what its control words say and its data bytes, and the image they
// make. Only the kinds a word processor writes for ordinary pictures are drawn; metafiles are skipped.
struct RtfPicture
{
    enum class Kind
    {
        Unknown, // no kind given: the data is tried as any image format
        Png,
        Jpeg,
        Dib,          // \dibitmap: a bitmap file without its file header
        DeviceBitmap, // \wbitmap: raw rows of \wbmbitspixel bits
        Unsupported,  // metafiles and the like
    };

    // Data past this size is dropped; the image readers refuse larger images anyway.
    static constexpr qsizetype MaxBytes = 128LL * 1024 * 1024;

    Kind kind = Kind::Unknown;
    int picw = 0; // pixels for bitmaps
    int pich = 0;
    int goalw = 0; // display size in twips
    int goalh = 0;
    int scalex = 100; // percent
    int scaley = 100;
    int bitsPixel = 1;
    int widthBytes = 0;
    QByteArray data;

    // Hex digits of the picture's data; anything else between them is ignored.
    void appendHexDigit(char c);
    // Null when the kind is not drawn or the data is damaged.
    QImage image() const;
    // The size the picture is shown at, in pixels of a 96-dpi display; the image's own size when the
    // stored size is missing or absurd.
    QSizeF displaySize(const QImage &image) const;

    static QImage imageFromDib(const QByteArray &dib);

private:
    int m_nibble = -1; // the high half of a byte awaiting its low half
};
