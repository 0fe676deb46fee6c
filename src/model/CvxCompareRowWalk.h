#pragma once
// Walks the rows the grid shows (every column's entries and the tables they stand for, in
// time order, with sub-rows where a column has them) from the centre of the compare window,
// a given number of rows at a time. Each walk stops at the first or last row of the data
// and when the user cancels (the host's cancel service), so a long walk never blocks.

#include "CvxPosition.h"
#include "CvxSampleIterBase.h"

#include <memory>
#include <optional>
#include <vector>

class CvxCompareModel;
class CvxTimeCorrelatedIter;

class CvxCompareRowWalk {
public:
    // At the model's centre; without valid data the walk is empty.
    explicit CvxCompareRowWalk(const CvxCompareModel& model);
    CvxCompareRowWalk(const CvxCompareRowWalk&) = delete;
    CvxCompareRowWalk& operator=(const CvxCompareRowWalk&) = delete;
    ~CvxCompareRowWalk();

    bool IsValid() const { return m_walk != nullptr; }
    // The row the walk stands on (the null position when empty).
    const CvxPosition& GetPosition() const { return m_position; }

    // Back to the centre row.
    void Reset();
    // Steps |rows| rows forward (positive) or back (negative) and answers the rows stepped,
    // fewer at the data's ends or on a cancel.
    int Step(int rows);
    // From the centre, the rows to the first row at or after `target`: negative when it lies
    // before the centre. None when the data ends or a cancel comes first, or `limit` rows pass.
    std::optional<int> RowsTo(const CvxPosition& target, int limit);

    // The first row at or after a position (the last row when none is); the walk is back at
    // the centre afterwards. None without data.
    std::optional<CvxPosition> RowAtOrAfter(const CvxPosition& position);

    // The first and last rows of a window of `rows` rows around the centre: half of them
    // before it, the rest from it on, both ends held at the data's ends.
    struct Window {
        CvxPosition first;
        CvxPosition last;
    };
    std::optional<Window> WindowOf(int rows);

private:
    static bool Cancelled();

    std::vector<std::unique_ptr<CvxSampleIterBase>> m_columns;
    std::unique_ptr<CvxTimeCorrelatedIter> m_walk;
    CvxPosition m_centre;
    CvxPosition m_position;
};
