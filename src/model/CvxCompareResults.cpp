#include "CvxCompareResults.h"

#include <algorithm>

CvxCompareTableMarks::CvxCompareTableMarks(const CvxID& table, std::int64_t rowCount)
    : m_table(table), m_input(rowCount + 1), m_reference(rowCount + 1)
{
}

void CvxCompareResults::SetIntervalStart(const CvxID& table, std::int64_t row)
{
    for (auto& [id, start] : m_intervalStarts) {
        if (id == table) {
            start = row;
            return;
        }
    }
    m_intervalStarts.emplace_back(table, row);
}

bool CvxCompareResults::GetIntervalStart(const CvxID& table, std::int64_t& row) const
{
    for (const auto& [id, start] : m_intervalStarts) {
        if (id == table) {
            row = start;
            return true;
        }
    }
    return false;
}

void CvxCompareResults::Clear()
{
    m_pairedOffset = 0;
    m_intervalStarts.clear();
    m_samplesCompared = 0;
    m_comparisons = 0;
    m_differences = 0;
    for (CvxCompareTableMarks& marks : m_differenceMarks) {
        marks.Clear();
    }
    for (CvxCompareTableMarks& marks : m_matchMarks) {
        marks.Clear();
    }
    m_buckets.Clear();
    m_bucketList.clear();
}

namespace {

void Reset(std::vector<CvxCompareTableMarks>& marks, const std::vector<std::pair<CvxID, std::int64_t>>& tables)
{
    const bool same = marks.size() == tables.size()
        && std::equal(marks.begin(), marks.end(), tables.begin(), [](const CvxCompareTableMarks& m, const auto& t) {
               return m.GetTableID() == t.first && m.GetRowCount() == t.second;
           });
    if (same) {
        for (CvxCompareTableMarks& m : marks) {
            m.Clear();
        }
        return;
    }
    marks.clear();
    for (const auto& [table, rows] : tables) {
        marks.emplace_back(table, rows);
    }
}

const CvxCompareTableMarks* FindMarks(const std::vector<CvxCompareTableMarks>& marks, const CvxID& table)
{
    const auto it = std::find_if(marks.begin(), marks.end(), [&](const auto& m) { return m.GetTableID() == table; });
    return it == marks.end() ? nullptr : &*it;
}

} // namespace

void CvxCompareResults::ResetMarks(const std::vector<std::pair<CvxID, std::int64_t>>& tables)
{
    Reset(m_differenceMarks, tables);
    Reset(m_matchMarks, tables);
}

const CvxCompareTableMarks* CvxCompareResults::FindDifferenceMarks(const CvxID& table) const
{
    return FindMarks(m_differenceMarks, table);
}

const CvxCompareTableMarks* CvxCompareResults::FindMatchMarks(const CvxID& table) const
{
    return FindMarks(m_matchMarks, table);
}

std::int64_t CvxCompareResults::CountDifferingInputRows() const
{
    std::int64_t rows = 0;
    for (const CvxCompareTableMarks& marks : m_differenceMarks) {
        rows += marks.GetInputRows().Count();
    }
    return rows;
}

void CvxCompareResults::SetOverviewWidth(int width)
{
    m_width = std::max(width, 0);
    m_buckets = CvxCacheBitSet(m_width + 1);
    m_bucketTimes.assign(static_cast<size_t>(m_width) + 1, CvxTime());
    m_bucketList.clear();
}

void CvxCompareResults::SetScale(CvxInt128 first, CvxInt128 last)
{
    const CvxInt128 perBucket = m_width > 0 ? (last - first) / m_width : 0;
    // The smallest multiple of 4 that brings the time per bucket to at most 0xFFFFF; a
    // negative time per bucket keeps shift 0.
    int shift = 0;
    if (perBucket > 0) {
        while (shift < 128 && CvxInt128ShiftRight(perBucket, shift) > 0xFFFFF) {
            shift += 4;
        }
    }
    m_shift = shift;
    m_divisor = static_cast<int>(static_cast<std::uint32_t>(CvxInt128ShiftRight(perBucket, shift)));
    m_origin = static_cast<int>(static_cast<std::uint32_t>(CvxInt128ShiftRight(first, shift)));
}

int CvxCompareResults::BucketOf(CvxInt128 time) const
{
    if (m_divisor == 0) {
        return -1;
    }
    std::uint32_t v = 0;
    if (m_shift >= 0 && m_shift <= 127) {
        v = static_cast<std::uint32_t>(CvxInt128ShiftRight(time, m_shift));
    }
    // Both v and the origin are the low 32 bits of larger values; their difference modulo
    // 2^32 is the true distance even where the low bits wrapped in between. It is taken
    // unsigned: the span (width x a divisor of up to 20 bits) reaches past 2^31 on a desktop
    // wider than 2048 pixels, and a time before the origin wraps to far beyond the last bucket.
    const std::uint32_t distance = v - static_cast<std::uint32_t>(m_origin);
    const std::uint32_t bucket = distance / static_cast<std::uint32_t>(m_divisor);
    return bucket <= static_cast<std::uint32_t>(m_width) ? static_cast<int>(bucket) : -1;
}

bool CvxCompareResults::MarkBucket(int bucket, CvxTime time)
{
    if (bucket < 0 || bucket > m_width || m_buckets.Contains(bucket)) {
        return false;
    }
    m_buckets.Add(bucket);
    m_bucketTimes[static_cast<size_t>(bucket)] = time;
    return true;
}

void CvxCompareResults::RebuildBucketList()
{
    // The summary of the bit set jumps over runs of empty words, so a wide overview with
    // few differences costs little.
    m_bucketList.clear();
    for (std::int64_t b = m_buckets.NextSet(0); b >= 0; b = m_buckets.NextSet(b + 1)) {
        m_bucketList.push_back(static_cast<int>(b));
    }
}

CvxTime CvxCompareResults::GetBucketTime(int bucket) const
{
    return bucket >= 0 && bucket <= m_width ? m_bucketTimes[static_cast<size_t>(bucket)] : CvxTime();
}
