#include "core/output/nameboard.h"

#include <algorithm>

NameBoard::NameBoard(QObject *parent) : QObject(parent) {}

void NameBoard::setColours(const QColor &background, const QColor &text)
{
    m_background = background;
    m_text = text;
    emit changed();
}

void NameBoard::setFont(int tenths, const QString &face)
{
    m_fontTenths = std::max(1, tenths);
    m_fontFace = face;
    emit changed();
}

void NameBoard::setGrid(int rows, int columns)
{
    m_rows = std::max(1, rows);
    m_columns = std::max(1, columns);
    emit changed();
}

void NameBoard::setTitle(const QString &title)
{
    m_title = title;
    emit changed();
}

void NameBoard::setNames(const QStringList &names, int count)
{
    m_names = names.mid(0, MaxNames);
    m_count = std::clamp(count, 0, int(m_names.size()));
    emit changed();
}
