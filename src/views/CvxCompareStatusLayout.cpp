#include "CvxCompareStatusLayout.h"

#include <algorithm>

CvxCompareStatusLayout::CvxCompareStatusLayout(int width, const std::array<int, kCounters>& counterWidths, int gripWidth)
{
    int right = std::max(0, width - gripWidth);
    for (std::size_t part = kParts - 1; part >= 1; --part) {
        m_right[part] = right;
        m_left[part] = right - counterWidths[part - 1];
        right = m_left[part];
    }
    m_left[0] = 0;
    m_right[0] = std::max(0, right);
}
