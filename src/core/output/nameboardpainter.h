#pragma once

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
};

// Draws the name board on any paint device. The placement rule is the one the halls know, so that a page
// of names lands where it always did; only the fonts are mapped to installed ones.
class NameBoardPainter final
{
public:
    NameBoardPainter() = delete;

    static NameBoardLayout layout(const NameBoard &board, const QRect &client);
    static void paint(QPainter &painter, const QRect &client, const NameBoard &board);
    static QImage render(const NameBoard &board, const QSize &size);
};
