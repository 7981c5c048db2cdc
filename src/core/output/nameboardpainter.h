#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class NameBoard;
class QPainter;

// Where the name board's texts go: the top-left corner of each text.
struct NameBoardLayout
{
    QRect work; // 5 % in from the left and the top; no inset on the right and at the bottom
    QPoint title;
    QList<QPoint> names; // the first `count` names, row by row
    // The box each name must stay in: from its corner to the next column (less a gap), one row high, and
    // never past the client.
    QList<QRect> cells;
};

// How one name is drawn in its cell: the board's font, shrunk no further than MinimumShare of its size,
// and the name elided when even that is too wide.
struct FittedName
{
    QFont font;
    QString text;
};

// Draws the name board on any paint device. The placement rule is the one the halls know, so that a page
// of names lands where it always did; only the fonts are mapped to installed ones.
class NameBoardPainter final
{
public:
    NameBoardPainter() = delete;

    // A name may shrink to this share of the board's font; below that the hall cannot read it.
    static constexpr double MinimumShare = 0.6;

    static NameBoardLayout layout(const NameBoard &board, const QRect &client);
    static FittedName fit(const QFont &font, const QString &name, const QSize &cell);
    static void paint(QPainter &painter, const QRect &client, const NameBoard &board);
    static QImage render(const NameBoard &board, const QSize &size);
};
