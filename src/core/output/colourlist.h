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
};
