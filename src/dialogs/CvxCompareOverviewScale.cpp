#include "CvxCompareOverviewScale.h"

#include "CvxCompareResults.h"

#include <algorithm>
#include <cstdint>

void CvxCompareOverviewScale::Set(CvxInt128 start, CvxInt128 end, int height)
{
    m_start = start;
    m_end = end;
    m_height = end >= start ? std::max(height, 0) : 0;
    m_shift = 0;
    m_shiftedStart = start;
    m_unitsPerPixel = 1;
    if (m_height == 0) {
        return;
    }
    // Unsigned: the span of the two extreme times does not fit a signed 128-bit value.
    const CvxUInt128 span = static_cast<CvxUInt128>(end) - static_cast<CvxUInt128>(start);
    while ((span >> m_shift) >= (CvxUInt128{1} << kSpanBits)) {
        ++m_shift;
    }
    m_shiftedStart = CvxInt128ShiftRight(start, m_shift);
    const auto shiftedSpan = static_cast<std::int64_t>(span >> m_shift);
    m_unitsPerPixel = std::max<std::int64_t>(1, shiftedSpan / m_height);
}

int CvxCompareOverviewScale::PixelOf(CvxInt128 position) const
{
    if (m_height == 0) {
        return -1;
    }
    const CvxInt128 offset = CvxInt128ShiftRight(position, m_shift) - m_shiftedStart;
    if (offset <= 0) {
        return 0;
    }
    const CvxInt128 pixel = offset / m_unitsPerPixel;
    return pixel >= m_height ? m_height - 1 : static_cast<int>(pixel);
}

CvxInt128 CvxCompareOverviewScale::PositionOf(int pixel) const
{
    if (m_height == 0) {
        return m_start;
    }
    const int row = std::clamp(pixel, 0, m_height - 1);
    // Multiplying, not shifting left: the shifted start may be negative.
    const CvxInt128 first = (m_shiftedStart + CvxInt128{row} * m_unitsPerPixel) * (CvxInt128{1} << m_shift);
    return std::clamp(first, m_start, m_end);
}

class CvxCompareOverviewScale::Collector {
public:
    explicit Collector(const CvxCompareOverviewScale& scale)
        : m_scale(scale)
        , m_seen(static_cast<std::size_t>(scale.m_height), false)
    {
    }

    void Add(CvxInt128 position)
    {
        // Sorted positions mostly fall in the row of the one before: two comparisons, on the
        // unshifted positions, tell.
        if (position >= m_low && position <= m_high) {
            return;
        }
        const int row = m_scale.PixelOf(position);
        m_seen[static_cast<std::size_t>(row)] = true;
        // The row's bounds as positions; the first and last rows take everything beyond.
        const CvxInt128 unit = CvxInt128{1} << m_scale.m_shift;
        const auto firstOf = [&](int r) { return (m_scale.m_shiftedStart + CvxInt128{r} * m_scale.m_unitsPerPixel) * unit; };
        m_low = row == 0 ? kCvxInt128Min : firstOf(row);
        m_high = row == m_scale.m_height - 1 ? kCvxInt128Max : firstOf(row + 1) - 1;
    }

    std::vector<int> Take() const
    {
        std::vector<int> ticks;
        for (std::size_t row = 0; row < m_seen.size(); ++row) {
            if (m_seen[row]) {
                ticks.push_back(static_cast<int>(row));
            }
        }
        return ticks;
    }

private:
    const CvxCompareOverviewScale& m_scale;
    std::vector<bool> m_seen;
    // An empty range at first: the first position always finds its row.
    CvxInt128 m_low = kCvxInt128Max;
    CvxInt128 m_high = kCvxInt128Min;
};

std::vector<int> CvxCompareOverviewScale::Ticks(const std::vector<CvxInt128>& positions) const
{
    if (m_height == 0) {
        return {};
    }
    Collector collector(*this);
    for (const CvxInt128 position : positions) {
        collector.Add(position);
    }
    return collector.Take();
}

std::vector<int> CvxCompareOverviewScale::Ticks(const CvxCompareResults& results) const
{
    if (m_height == 0) {
        return {};
    }
    Collector collector(*this);
    for (const int bucket : results.GetBucketList()) {
        collector.Add(results.GetBucketTime(bucket).AsInt128());
    }
    return collector.Take();
}
