#pragma once
// A place in the acquired data: a table, a time, a sample number and a sub-row.

#include "CvxID.h"
#include "CvxTime.h"

#include <compare>
#include <cstdint>
#include <limits>

class CvxPosition {
public:
    // Display modes: time display, sample display; print ranges also use "samples" (2).
    static constexpr int kModeTime = 0;
    static constexpr int kModeSample = 1;
    static constexpr int kModeSamples = 2;
    // The sample number of a position that stands for a time alone; it sorts before
    // every sample at that time.
    static constexpr std::int64_t kNoSample = std::numeric_limits<std::int64_t>::min();

    CvxPosition() = default;
    CvxPosition(const CvxID& table, CvxTime time, std::int64_t sample, int subrow = 0, int mode = kModeTime)
        : m_table(table), m_time(time), m_sample(sample), m_subrow(subrow), m_mode(mode)
    {
    }
    // The earliest position at a time, before any sample taken at that time.
    static CvxPosition AtTime(CvxTime time) { return CvxPosition(CvxID::NullID(), time, kNoSample); }

    CvxTime AsTime() const { return m_time; }
    CvxInt128 AsInt128() const { return m_time.AsInt128(); }
    std::int64_t AsSample() const { return m_sample; }
    bool HasSample() const { return m_sample != kNoSample; }
    int GetSubrowIndex() const { return m_subrow; }
    const CvxID& GetTableID() const { return m_table; }
    int GetMode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }

    // Order: time, then sample, then sub-row, then table (the mode plays no part).
    friend bool operator==(const CvxPosition& a, const CvxPosition& b)
    {
        return a.m_time == b.m_time && a.m_sample == b.m_sample && a.m_subrow == b.m_subrow
            && a.m_table == b.m_table;
    }
    friend std::strong_ordering operator<=>(const CvxPosition& a, const CvxPosition& b)
    {
        if (auto c = a.m_time <=> b.m_time; c != 0) {
            return c;
        }
        if (auto c = a.m_sample <=> b.m_sample; c != 0) {
            return c;
        }
        if (auto c = a.m_subrow <=> b.m_subrow; c != 0) {
            return c;
        }
        return a.m_table <=> b.m_table;
    }

private:
    CvxID m_table;
    CvxTime m_time;
    std::int64_t m_sample = kNoSample;
    int m_subrow = 0;
    int m_mode = kModeTime;
};
