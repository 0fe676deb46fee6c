#pragma once
// What the last comparison found: the four counts, per input table the input and reference
// rows that differed and that matched, and the difference overview (which of W + 1 time
// buckets hold a difference, and the time of the first difference in each).

#include "CvxCacheBitSet.h"
#include "CvxID.h"
#include "CvxInt128.h"
#include "CvxTime.h"

#include <cstdint>
#include <utility>
#include <vector>

// The input rows and reference rows of one input table (bit sets of row count + 1 bits).
class CvxCompareTableMarks {
public:
    CvxCompareTableMarks(const CvxID& table, std::int64_t rowCount);

    const CvxID& GetTableID() const { return m_table; }
    std::int64_t GetRowCount() const { return m_input.Size() - 1; }
    void Clear()
    {
        m_input.Clear();
        m_reference.Clear();
    }
    const CvxCacheBitSet& GetInputRows() const { return m_input; }
    const CvxCacheBitSet& GetReferenceRows() const { return m_reference; }
    CvxCacheBitSet& GetInputRows() { return m_input; }
    CvxCacheBitSet& GetReferenceRows() { return m_reference; }
    void Add(std::int64_t inputRow, std::int64_t referenceRow)
    {
        m_input.Add(inputRow);
        m_reference.Add(referenceRow);
    }

private:
    CvxID m_table;
    CvxCacheBitSet m_input;
    CvxCacheBitSet m_reference;
};

class CvxCompareResults {
public:
    int GetSamplesCompared() const { return m_samplesCompared; }
    int GetComparisons() const { return m_comparisons; }
    int GetDifferences() const { return m_differences; }
    void SetSamplesCompared(int n) { m_samplesCompared = n; }
    void SetComparisons(int n) { m_comparisons = n; }
    void SetDifferences(int n) { m_differences = n; }
    // Counts to 0, no marks, no marked buckets (the scale stays).
    void Clear();
    // One empty marks object per table, in table order, reusing the bit sets of the last
    // comparison where a table keeps its identity and size: fresh memory is costly to touch.
    void ResetMarks(const std::vector<std::pair<CvxID, std::int64_t>>& tables);

    // ---- Marks, one per input table in table order ----
    std::vector<CvxCompareTableMarks>& GetDifferenceMarks() { return m_differenceMarks; }
    std::vector<CvxCompareTableMarks>& GetMatchMarks() { return m_matchMarks; }
    const std::vector<CvxCompareTableMarks>& GetDifferenceMarks() const { return m_differenceMarks; }
    const std::vector<CvxCompareTableMarks>& GetMatchMarks() const { return m_matchMarks; }
    // Null for a table without marks.
    const CvxCompareTableMarks* FindDifferenceMarks(const CvxID& table) const;
    const CvxCompareTableMarks* FindMatchMarks(const CvxID& table) const;
    // Input rows marked as different, each row once, summed over all tables.
    std::int64_t CountDifferingInputRows() const;

    // ---- How the rows were paired ----
    // Input row k of a table's interval stood against reference row k - offset: the offset
    // and, per input table, the first row of the interval, as the comparison used them (the
    // settings may change before anyone asks, as an options request without "Execute" does).
    void SetPairedOffset(int offset) { m_pairedOffset = offset; }
    int GetPairedOffset() const { return m_pairedOffset; }
    void SetIntervalStart(const CvxID& table, std::int64_t row);
    // False for a table the comparison did not walk.
    bool GetIntervalStart(const CvxID& table, std::int64_t& row) const;

    // ---- Overview ----
    // W: the number of buckets minus one. Setting it clears the buckets.
    int GetOverviewWidth() const { return m_width; }
    void SetOverviewWidth(int width);
    // The time-to-bucket scale from the span of the data (Set) and its use (BucketOf).
    void SetScale(CvxInt128 first, CvxInt128 last);
    int GetShift() const { return m_shift; }
    int GetDivisor() const { return m_divisor; }
    int GetOrigin() const { return m_origin; }
    // The bucket of a time; -1 when it falls outside 0 to W or the divisor is 0.
    int BucketOf(CvxInt128 time) const;
    // Marks a bucket with the time of its first difference; false when already marked.
    bool MarkBucket(int bucket, CvxTime time);
    bool IsBucketMarked(int bucket) const { return m_buckets.Contains(bucket); }
    // Rebuilds the list of marked buckets, ascending.
    void RebuildBucketList();
    const std::vector<int>& GetBucketList() const { return m_bucketList; }
    CvxTime GetBucketTime(int bucket) const;

private:
    int m_samplesCompared = 0;
    int m_comparisons = 0;
    int m_differences = 0;
    std::vector<CvxCompareTableMarks> m_differenceMarks;
    std::vector<CvxCompareTableMarks> m_matchMarks;
    int m_pairedOffset = 0;
    std::vector<std::pair<CvxID, std::int64_t>> m_intervalStarts;
    int m_width = 0;
    CvxCacheBitSet m_buckets{1};
    std::vector<CvxTime> m_bucketTimes = std::vector<CvxTime>(1);
    std::vector<int> m_bucketList;
    int m_shift = 0;
    int m_divisor = 0;
    int m_origin = 0;
};
