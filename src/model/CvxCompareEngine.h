#pragma once
// The reference copy and the comparison. The copy fills one store per chosen bus/signal
// with the input values over a range. The comparison walks, per reference column, the input
// over the compare range against the reference shifted by the offset: counted from the
// first input row of the range, input row k stands against reference row k - offset. It
// counts what it compared and what differed, marks the differing and matching rows per
// input table, marks the overview buckets and applies the run-until rule.
//
// Columns without sub-rows whose values are plain numbers take a block-wise path that reads
// the input chunks and the reference pages directly and marks runs of equal rows word-wise;
// everything else takes the entry-by-entry path. Both give the same results.

#include "CvxCompareModel.h"

#include <climits>

#include <vector>

// Whether an entry lies after the end of the compare interval. The end takes in the whole of
// its sample (every sub-row), and an end that stands for a time alone (a marker set at a time)
// every sample at that time.
inline bool CvxIsAfterEnd(const CvxPosition& entry, const CvxPosition& end)
{
    if (!end.HasSample()) {
        return entry.AsTime() > end.AsTime();
    }
    const CvxPosition wholeSample(end.GetTableID(), end.AsTime(), end.AsSample(), INT_MAX);
    return entry > wholeSample;
}

class CvxCompareEngine {
public:
    explicit CvxCompareEngine(CvxCompareModel& model) : m_model(model) {}

    void CopyReference(const std::vector<CvxLabelChannel>& labels, const CvxCompareRange& range,
                       const CvxCompareModel::ColumnWidthMeasure& measure);
    void Compare(bool copyShortcutAllowed);

    // For tests: compare with the entry-by-entry path only.
    void CompareGeneral(bool copyShortcutAllowed);
    // The columns the last comparison walked block-wise (tests check that the shapes meant
    // for that path take it).
    int GetBlockWiseColumns() const { return m_blockWiseColumns; }

private:
    void CompareImpl(bool copyShortcutAllowed, bool allowFastPath);
    // The position of the range's marker, falling back to the data marker (and rewriting the
    // range's marker identifier) when the window has no such marker.
    CvxPosition ResolveFrom(CvxCompareRange& range);
    CvxPosition ResolveTo(CvxCompareRange& range);

    CvxCompareModel& m_model;
    int m_blockWiseColumns = 0;
};
