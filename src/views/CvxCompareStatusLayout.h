#pragma once
// Where the five parts of the Compare window's status bar go: part 0 (no counter) on the
// left, then the four counters, each as wide as its label and a sample value. The counters
// keep their widths from the right edge (less the size grip); part 0 takes what is left and
// is the first to shrink. In a bar too narrow for all counters the leftmost ones are cut off.

#include <array>

class CvxCompareStatusLayout {
public:
    static constexpr int kParts = 5;
    static constexpr int kCounters = kParts - 1;

    CvxCompareStatusLayout(int width, const std::array<int, kCounters>& counterWidths, int gripWidth);

    // The part's right edge and left edge; a part cut off on the left has a left edge below 0,
    // part 0 of a bar too narrow for the counters has no width.
    int GetLeft(int part) const { return m_left[static_cast<std::size_t>(part)]; }
    int GetRight(int part) const { return m_right[static_cast<std::size_t>(part)]; }
    int GetWidth(int part) const { return GetRight(part) - GetLeft(part); }

private:
    std::array<int, kParts> m_left{};
    std::array<int, kParts> m_right{};
};
