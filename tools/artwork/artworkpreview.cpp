#include "artworkpreview.h"

#include <QDir>
#include <QFont>
#include <QPainter>

QList<ArtworkPreview::Slot> ArtworkPreview::mainWindowSlots()
{
    // The four daily tasks across the first row, the house-keeping three centred under them.
    const QList<QPair<QString, QString>> first = {
        {QStringLiteral("BtnPrepare"), QStringLiteral("Meeting preparation")},
        {QStringLiteral("BtnConference"), QStringLiteral("Conference")},
        {QStringLiteral("BtnManage"), QStringLiteral("Meeting management")},
        {QStringLiteral("BtnMonitor"), QStringLiteral("Keypad monitor")}};
    const QList<QPair<QString, QString>> second = {
        {QStringLiteral("BtnSettings"), QStringLiteral("Settings")},
        {QStringLiteral("BtnHelp"), QStringLiteral("Help")},
        {QStringLiteral("BtnExit"), QStringLiteral("Exit")}};
    QList<Slot> placed;
    const auto place = [&placed](const QList<QPair<QString, QString>> &row, int left, int top) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            const QRect tile(left + int(i) * 192, top, 128, 128);
            placed.append(
                {row[i].first, row[i].second, tile, QRect(tile.left() - 16, tile.bottom() + 9, 160, 24)});
        }
    };
    place(first, 160, 236);
    place(second, 256, 444);
    return placed;
}

QImage ArtworkPreview::mainWindow(const QString &photoDir, QString *error)
{
    const QDir dir(photoDir);
    QImage image(dir.filePath(QStringLiteral("MainBmp.bmp")));
    if (image.isNull()) {
        *error = QStringLiteral("MainBmp.bmp is missing in %1").arg(photoDir);
        return {};
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(QColor(0x1e, 0x3a, 0x5f));
    const QList<Slot> all = mainWindowSlots();
    for (qsizetype i = 0; i < all.size(); ++i) {
        // Show one button hovered and one disabled, so the preview also judges the state pictures.
        const QString state = i == 1   ? QStringLiteral("hover")
                              : i == 3 ? QStringLiteral("disabled")
                                       : QStringLiteral("normal");
        const QImage button(dir.filePath(all[i].button + QLatin1Char('_') + state + QStringLiteral(".png")));
        if (button.isNull()) {
            *error = QStringLiteral("%1 pictures are missing in %2").arg(all[i].button, photoDir);
            return {};
        }
        painter.drawImage(all[i].tile.topLeft(), button);
        painter.drawText(all[i].labelRect, Qt::AlignHCenter | Qt::AlignTop, all[i].label);
    }
    return image;
}
