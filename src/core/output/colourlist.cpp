#include "core/output/colourlist.h"

#include "core/output/screengeometry.h"

#include <algorithm>

namespace {

constexpr std::array<quint32, ColourList::Count> Colours{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

} // namespace

const std::array<quint32, ColourList::Count> &ColourList::values()
{
    return Colours;
}

QColor ColourList::colour(int index)
{
    if (index < 0 || index >= Count)
        return {};
    return ScreenGeometry::colourFromBgr(Colours[size_t(index)]);
}

int ColourList::indexOf(quint32 bgr)
{
    const auto it = std::find(Colours.cbegin(), Colours.cend(), bgr & 0xFFFFFFu);
    return it == Colours.cend() ? -1 : int(it - Colours.cbegin());
}
