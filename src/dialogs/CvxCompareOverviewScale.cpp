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
        , m_limit(static_cast<std::int64_t>(scale.m_height) * scale.m_unitsPerPixel)
    {
    }

    void Add(CvxInt128 position)
    {
        // The offset within the shifted span, clamped so that it fits 64 bits.
        const CvxInt128 wide = CvxInt128ShiftRight(position, m_scale.m_shift) - m_scale.m_shiftedStart;
        const std::int64_t offset = wide <= 0 ? 0 : wide >= m_limit ? m_limit : static_cast<std::int64_t>(wide);
        if (offset >= m_low && offset < m_high) {
            return; // the row of the last position: sorted positions mostly land here
        }
        const int pixel = static_cast<int>(std::min<std::int64_t>(offset / m_scale.m_unitsPerPixel, m_scale.m_height - 1));
        m_seen[static_cast<std::size_t>(pixel)] = true;
        m_low = pixel == 0 ? 0 : static_cast<std::int64_t>(pixel) * m_scale.m_unitsPerPixel;
        m_high = pixel == m_scale.m_height - 1 ? m_limit + 1 : (pixel + 1) * m_scale.m_unitsPerPixel;
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
    std::int64_t m_limit;
    std::int64_t m_low = 0;
    std::int64_t m_high = 0; // empty range: the first position always computes its row
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
