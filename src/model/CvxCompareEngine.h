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

#include <vector>

class CvxCompareEngine {
public:
    explicit CvxCompareEngine(CvxCompareModel& model) : m_model(model) {}

    void CopyReference(const std::vector<CvxLabelChannel>& labels, const CvxCompareRange& range,
                       const CvxCompareModel::ColumnWidthMeasure& measure);
    void Compare(bool copyShortcutAllowed);

    // For tests: compare with the entry-by-entry path only.
    void CompareGeneral(bool copyShortcutAllowed);

private:
    void CompareImpl(bool copyShortcutAllowed, bool allowFastPath);
    // The position of the range's marker, falling back to the data marker (and rewriting the
    // range's marker identifier) when the window has no such marker.
    CvxPosition ResolveFrom(CvxCompareRange& range);
    CvxPosition ResolveTo(CvxCompareRange& range);

    CvxCompareModel& m_model;
};
