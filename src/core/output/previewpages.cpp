#include "core/output/previewpages.h"

#include <algorithm>

PreviewPages::PreviewPages(int count) : m_count(std::max(1, count)) {}

void PreviewPages::goTo(int page)
{
    m_current = std::clamp(page, 1, m_count);
}
