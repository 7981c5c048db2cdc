#include "core/output/nameboardpainter.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

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
    const int gap = std::max(2, int(cellWidth / 40));
    for (int i = 0; i < board.count(); ++i) {
        const int column = i % board.columns();
        const int row = i / board.columns();
        const QPoint at(int(left + column * cellWidth), int(top + (row + 1) * cellHeight));
        l.names.append(at);
        // The next column starts at the next truncated position; a gap of a fortieth of a cell keeps the
        // last letter of one name off the first of its neighbour.
        const int right = std::min(clientRight, int(left + (column + 1) * cellWidth) - gap);
        const int bottom = std::min(clientBottom, int(top + (row + 2) * cellHeight));
        l.cells.append(QRect(at, QPoint(right - 1, bottom - 1)));
    }
    return l;
}

FittedName NameBoardPainter::fit(const QFont &font, const QString &name, const QSize &cell)
{
    FittedName fitted{font, name};
    // Glyphs may reach a pixel or two past their advance: measured against a slightly narrower box, the
    // ink stays inside the cell.
    const qreal room = cell.width() - 3;
    if (name.isEmpty() || room <= 0 || cell.height() <= 0)
        return fitted;
    const int full = std::max(1, font.pixelSize());
    const int smallest = std::max(1, int(full * MinimumShare));
    int px = full;
    // Shrink by the measured overshoot, then step down: advances do not scale exactly with the size.
    for (;;) {
        const QFontMetricsF fm(fitted.font);
        const qreal width = fm.horizontalAdvance(name);
        if ((width <= room && fm.height() <= cell.height()) || px <= smallest)
            break;
        const double scale = std::min(room / std::max(width, 1.0), cell.height() / fm.height());
        px = std::max(smallest, std::min(px - 1, int(px * scale)));
        fitted.font.setPixelSize(px);
    }
    const QFontMetricsF fm(fitted.font);
    if (fm.horizontalAdvance(name) > room)
        fitted.text = fm.elidedText(name, Qt::ElideRight, room);
    return fitted;
}

void NameBoardPainter::paint(QPainter &painter, const QRect &client, const NameBoard &board)
{
    if (client.width() <= 0 || client.height() <= 0)
        return;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.fillRect(client, board.background());
    painter.setClipRect(client);
    const QFont font = DisplayFonts::font(board.fontFace(), board.fontTenths());
    painter.setPen(board.textColour());

    const NameBoardLayout l = layout(board, client);
    if (!board.title().isEmpty()) {
        // The title keeps its place but not the width past the client's edge.
        const QRect titleBox(l.title, QPoint(client.right(), client.bottom()));
        const FittedName title = fit(font, board.title(), titleBox.size());
        painter.setFont(title.font);
        painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title.text);
    }
    for (int i = 0; i < l.cells.size(); ++i) {
        const QString name = board.names().value(i);
        if (name.isEmpty() || l.cells[i].isEmpty())
            continue;
        const FittedName fitted = fit(font, name, l.cells[i].size());
        painter.setFont(fitted.font);
        painter.drawText(l.cells[i], Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, fitted.text);
    }
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
