#pragma once
// The overview strip's geometry, without a window: maps the compared span (first to last
// compared position, 128-bit femtoseconds) onto H pixel rows and back, and turns the
// difference positions of the results into ticks, one per distinct pixel row.
//
// The span is first shifted right until it fits in 20 bits, so that a pixel row is a small
// integer division away. Tick building does even that only once per new row: the strip is
// rebuilt on every comparison, and a comparison may report a million differences.

#include "CvxInt128.h"

#include <cstdint>
#include <vector>

class CvxCompareResults;

class CvxCompareOverviewScale {
public:
    static constexpr int kSpanBits = 20;

    // A strip of `height` pixel rows over the span from start to end; an empty strip (height
    // 0 or less, or end before start) maps nothing.
    void Set(CvxInt128 start, CvxInt128 end, int height);

    bool IsEmpty() const { return m_height <= 0; }
    int GetHeight() const { return m_height; }
    int GetShift() const { return m_shift; }
    CvxInt128 GetShiftedStart() const { return m_shiftedStart; }
    std::int64_t GetUnitsPerPixel() const { return m_unitsPerPixel; }

    // The pixel row of a position, clamped to 0 .. H - 1 (-1 for an empty strip).
    int PixelOf(CvxInt128 position) const;
    // The first position of the span that maps to the pixel row (clamped to the strip and the
    // span): PixelOf gives the row back.
    CvxInt128 PositionOf(int pixel) const;

    // The ascending, distinct pixel rows of the positions (in any order).
    std::vector<int> Ticks(const std::vector<CvxInt128>& positions) const;
    // The same for the first difference of every marked bucket of the results.
    std::vector<int> Ticks(const CvxCompareResults& results) const;

private:
    // Collects positions one at a time; a run of positions in one pixel row costs no division.
    class Collector;

    CvxInt128 m_start = 0;
    CvxInt128 m_end = 0;
    int m_height = 0;
    int m_shift = 0;
    CvxInt128 m_shiftedStart = 0;
    std::int64_t m_unitsPerPixel = 1;
};
