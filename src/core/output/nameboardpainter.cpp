#include "core/output/nameboardpainter.h"

#include <QPainter>

#include "core/output/displayfonts.h"
#include "core/output/nameboard.h"

NameBoardLayout NameBoardPainter::layout(const NameBoard &board, const QRect &client)
{
    NameBoardLayout l;
    const int clientRight = client.left() + client.width();
    const int clientBottom = client.top() + client.height();
    const int left = client.left() + int(client.width() * 0.05);
    const int top = client.top() + int(client.height() * 0.05);
    l.work = QRect(QPoint(left, top), QPoint(clientRight - 1, clientBottom - 1));

    // Centred by an estimate of the title's width from its length and the font size, as the halls'
    // screens have always placed it.
    const int length = int(board.title().size());
    l.title = QPoint((left + clientRight) / 2 - (length / 2) * board.fontTenths() / 7, client.top() + 10);

    const double cellWidth = double(clientRight - left) / board.columns();
    const double cellHeight = double(clientBottom - top) / board.rows();
    for (int i = 0; i < board.count(); ++i) {
        const int column = i % board.columns();
        const int row = i / board.columns();
        l.names.append(QPoint(int(left + column * cellWidth), int(top + (row + 1) * cellHeight)));
    }
    return l;
}

void NameBoardPainter::paint(QPainter &painter, const QRect &client, const NameBoard &board)
{
    if (client.width() <= 0 || client.height() <= 0)
        return;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.fillRect(client, board.background());
    painter.setClipRect(client);
    painter.setFont(DisplayFonts::font(board.fontFace(), board.fontTenths()));
    painter.setPen(board.textColour());

    const NameBoardLayout l = layout(board, client);
    const int farRight = client.left() + client.width() * 4;
    const int farDown = client.top() + client.height() * 4;
    auto draw = [&](const QPoint &at, const QString &text) {
        if (!text.isEmpty())
            painter.drawText(QRect(at, QPoint(farRight, farDown)),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    };
    draw(l.title, board.title());
    for (int i = 0; i < l.names.size(); ++i)
        draw(l.names[i], board.names().value(i));
    painter.restore();
}

QImage NameBoardPainter::render(const NameBoard &board, const QSize &size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(board.background());
    QPainter painter(&image);
    paint(painter, QRect(QPoint(0, 0), size), board);
    return image;
}
