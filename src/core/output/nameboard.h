#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>

// The hall screen's name board: a title over a grid of short texts (the delegates who signed in, a page
// at a time). State only; NameBoardPainter draws it. Every setter ends with changed(), on which the pane
// repaints.
class NameBoard final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NameBoard)

public:
    static constexpr int MaxNames = 250;
    static constexpr int DefaultRows = 9;
    static constexpr int DefaultColumns = 3;
    // Until a font is set: the pane's own, 12 points.
    static constexpr int DefaultFontTenths = 120;

    explicit NameBoard(QObject *parent = nullptr);

    void setColours(const QColor &background, const QColor &text);
    void setFont(int tenths, const QString &face);
    // Fewer than one row or column would leave no cell to draw into; such a grid is taken as 1.
    void setGrid(int rows, int columns);
    void setTitle(const QString &title);
    // The first `count` names are drawn (no more than the list holds, and at most 250).
    void setNames(const QStringList &names, int count);

    QString title() const { return m_title; }
    const QStringList &names() const { return m_names; }
    int count() const { return m_count; }
    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    QColor background() const { return m_background; }
    QColor textColour() const { return m_text; }
    int fontTenths() const { return m_fontTenths; }
    QString fontFace() const { return m_fontFace; }

signals:
    void changed();

private:
    QString m_title;
    QStringList m_names;
    int m_count = 0;
    int m_rows = DefaultRows;
    int m_columns = DefaultColumns;
    QColor m_background = QColor(0, 0, 255);
    QColor m_text = QColor(255, 255, 255);
    int m_fontTenths = DefaultFontTenths;
    QString m_fontFace;
};
