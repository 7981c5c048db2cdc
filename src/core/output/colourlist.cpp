#include "core/output/colourlist.h"

#include "core/output/screengeometry.h"

#include <algorithm>
#include <cmath>

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

namespace {

// WCAG relative luminance and contrast ratio: what decides whether a highlight reads on a background.
double luminance(const QColor &c)
{
    const auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int distance(const QColor &a, const QColor &b)
{
    const int r = a.red() - b.red();
    const int g = a.green() - b.green();
    const int bl = a.blue() - b.blue();
    return r * r + g * g + bl * bl;
}

} // namespace

quint32 ColourList::highlightFor(const QColor &background, const QColor &text)
{
    // Apart from the text by at least half the cube's edge, so a highlighted sentence is told from the
    // rest at a glance.
    constexpr int Apart = 128 * 128 * 3;
    quint32 best = values()[0];
    double bestContrast = -1;
    for (int i = 0; i < Count; ++i) {
        const QColor c = colour(i);
        if (distance(c, text) < Apart)
            continue;
        const double ratio = contrast(c, background);
        if (ratio > bestContrast) {
            bestContrast = ratio;
            best = values()[size_t(i)];
        }
    }
    return best;
}

quint32 ColourList::nearest(const QColor &c)
{
    int best = 0;
    for (int i = 1; i < Count; ++i)
        if (distance(colour(i), c) < distance(colour(best), c))
            best = i;
    return values()[size_t(best)];
}
