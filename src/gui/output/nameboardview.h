#pragma once

#include <QPointer>
#include <QWidget>

class NameBoard;

// Shows the hall screen's name board: a title over a grid of names. Repaints whenever the board changes,
// painting off-screen with NameBoardPainter and copying in one step.
class NameBoardView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NameBoardView)

public:
    // The board is not owned; one destroyed first leaves an empty view.
    explicit NameBoardView(NameBoard *board = nullptr, QWidget *parent = nullptr);

    void setBoard(NameBoard *board);
    NameBoard *board() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPointer<NameBoard> m_board;
    QMetaObject::Connection m_changed;
};
