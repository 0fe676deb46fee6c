#pragma once
// The block-wise comparison of one column whose values are plain numbers: no sub-rows, no
// statuses, no X/Z masks, the whole bus (not one channel), in the input and in the
// reference. It reads the input chunks and the reference pages directly, finds equal runs
// with memcmp-like block tests and marks them word-wise; it gives exactly the counts, marks,
// buckets and stop point of the entry-by-entry walk.

#include "CvxPosition.h"
#include "CvxTime.h"

#include <cstdint>

class CvxCompareDataSource;
class CvxCompareDataSourceIter;
class CvxCompareResults;
class CvxCompareTableMarks;
class CvxSampleIterBase;

class CvxCompareFastColumn {
public:
    struct Outcome {
        std::int64_t compared = 0;
        std::int64_t differences = 0;
        bool stopped = false;
    };

    // `input` sits on its first entry at or after the start of the interval; `reference` is
    // the store iterator after its Goto(-offset).
    CvxCompareFastColumn(CvxSampleIterBase& input, const CvxCompareDataSource& store, CvxCompareDataSourceIter& reference,
                         const CvxPosition& end);

    bool IsApplicable() const { return m_applicable; }

    // Whether the input iterator walks plain numbers: a whole bus of up to 64 bits without
    // sub-rows, statuses or X/Z masks.
    static bool IsPlainInput(const CvxSampleIterBase& input);
    // The reference copy of such an input, chunk by chunk: every row from the iterator's
    // entry to the last row whose time is not later than `to`. Answers the rows appended.
    static std::int64_t CopyPlain(CvxSampleIterBase& input, CvxCompareDataSource& store, CvxTime to);
    // With `stopArmed`, stops at the difference that makes this column's count reach `budget`
    // (the threshold less the differences found before this column).
    Outcome Run(int offset, bool shortcut, CvxCompareTableMarks& differences, CvxCompareTableMarks& matches,
                CvxCompareResults& results, bool stopArmed, std::int64_t budget);

private:
    CvxSampleIterBase& m_input;
    CvxCompareDataSourceIter& m_reference;
    CvxPosition m_end;
    bool m_applicable = false;
};
