#pragma once

#include <QColor>

#include <array>

// The sixteen colours every colour picker of the console offers, in their order, as 0x00BBGGRR values
// (the form the settings store).
class ColourList final
{
public:
    static constexpr int Count = 16;

    ColourList() = delete;

    static const std::array<quint32, Count> &values();
    static QColor colour(int index);
    // The entry holding a stored value, -1 when none does (the picker then shows no selection).
    static int indexOf(quint32 bgr);
    // The entry that stands out most from the background while staying clearly apart from the text
    // colour: the text player's highlight on whatever colours the hall has.
    static quint32 highlightFor(const QColor &background, const QColor &text);
    // Of the entries, the one nearest to a colour (a hall colour that is not in the list).
    static quint32 nearest(const QColor &colour);
};
