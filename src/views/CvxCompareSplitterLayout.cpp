#include "CvxCompareSplitterLayout.h"

#include <algorithm>

void CvxCompareSplitterLayout::SetSideWidths(int left, int right)
{
    m_left = std::max(0, left);
    m_right = std::max(0, right);
}

int CvxCompareSplitterLayout::LeftColumn() const
{
    return m_sidesShown ? std::min(m_left, std::max(0, m_client.width() - kBarSize)) : 0;
}

int CvxCompareSplitterLayout::RightColumn() const
{
    if (!m_sidesShown) {
        return 0;
    }
    // The left column comes first; the right one gets what is left of the width after it.
    return std::min(m_right, std::max(0, m_client.width() - LeftColumn() - 2 * kBarSize));
}

int CvxCompareSplitterLayout::CentreColumn() const
{
    if (!m_sidesShown) {
        return m_client.width();
    }
    return std::max(0, m_client.width() - LeftColumn() - RightColumn() - 2 * kBarSize);
}

QRect CvxCompareSplitterLayout::GetCell(Cell cell) const
{
    const int rowHeight = std::min(m_rowHeight, std::max(0, m_client.height() - kBarSize));
    const int dataTop = rowHeight + kBarSize;
    const int dataHeight = std::max(0, m_client.height() - dataTop);
    const bool header = cell <= kHeaderRight;
    const int top = header ? 0 : dataTop;
    const int height = header ? rowHeight : dataHeight;
    const int column = header ? cell : cell - kDataLeft;
    if (!m_sidesShown) {
        return column == 1 ? QRect(0, top, m_client.width(), height) : QRect();
    }
    // In a client narrower than the bars, what does not fit starts at its right edge.
    const int width = m_client.width();
    switch (column) {
    case 0: return QRect(0, top, LeftColumn(), height);
    case 1: return QRect(std::min(width, LeftColumn() + kBarSize), top, CentreColumn(), height);
    default: return QRect(std::min(width, LeftColumn() + CentreColumn() + 2 * kBarSize), top, RightColumn(), height);
    }
}

QRect CvxCompareSplitterLayout::GetBar(Bar bar) const
{
    if (bar == kRowBar) {
        return QRect(0, GetBarPosition(kRowBar), m_client.width(), kBarSize);
    }
    if (!m_sidesShown || bar == kNoBar || bar >= kBarCount) {
        return QRect();
    }
    return QRect(GetBarPosition(bar), 0, kBarSize, m_client.height());
}

CvxCompareSplitterLayout::Bar CvxCompareSplitterLayout::HitTest(const QPoint& point) const
{
    for (const Bar bar : {kRowBar, kLeftBar, kRightBar}) {
        if (GetBar(bar).contains(point)) {
            return bar;
        }
    }
    return kNoBar;
}

int CvxCompareSplitterLayout::GetBarPosition(Bar bar) const
{
    switch (bar) {
    case kRowBar: return std::min(m_rowHeight, std::max(0, m_client.height() - kBarSize));
    case kLeftBar: return LeftColumn();
    case kRightBar: return LeftColumn() + kBarSize + CentreColumn();
    default: return 0;
    }
}

std::pair<int, int> CvxCompareSplitterLayout::GetTrackLimits(Bar bar) const
{
    switch (bar) {
    case kRowBar: return {0, std::max(0, m_client.height() - kBarSize)};
    case kLeftBar: return {0, std::max(0, m_client.width() - RightColumn() - 2 * kBarSize)};
    case kRightBar: return {LeftColumn() + kBarSize, std::max(LeftColumn() + kBarSize, m_client.width() - kBarSize)};
    default: return {0, 0};
    }
}

void CvxCompareSplitterLayout::MoveBar(Bar bar, int position)
{
    const auto [low, high] = GetTrackLimits(bar);
    position = std::clamp(position, low, high);
    switch (bar) {
    case kRowBar: m_rowHeight = position; break;
    case kLeftBar: m_left = position; break;
    case kRightBar: m_right = m_client.width() - position - kBarSize; break;
    default: break;
    }
}
