#pragma once
// One table of acquired data (an analyzer module or a file): its own time base, row count,
// trigger row and acquisition end time, and one column per bus/signal.

#include "CvxChunkedArray.h"
#include "CvxDataColumnComponent.h"
#include "CvxID.h"
#include "CvxPosition.h"
#include "CvxTime.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CvxData;

class CvxDataTable {
public:
    CvxDataTable(CvxData& owner, const CvxID& id, std::u16string name);
    CvxDataTable(const CvxDataTable&) = delete;
    CvxDataTable& operator=(const CvxDataTable&) = delete;

    const CvxID& GetID() const { return m_id; }
    const std::u16string& GetName() const { return m_name; }
    std::int64_t GetRowCount() const { return m_rowCount; }

    // ---- Time base ----
    // Evenly spaced samples: time(row) = (row - trigger row) x period + offset.
    void SetUniformTimeBase(CvxTime period, CvxTime offset = CvxTime());
    // One time per row, given in ticks of `tick` (a VCD timescale, say) with AppendRowTime.
    void SetTickTimeBase(CvxTime tick);
    // Appends the time of the next row, in ticks; times must not decrease.
    void AppendRowTime(std::int64_t ticks);
    bool HasRowTimes() const { return m_tick.AsInt128() != 0; }
    CvxTime GetPeriod() const { return m_period; }
    CvxTime GetTick() const { return m_tick; }

    // Trigger row: sample number 0 and, for evenly spaced samples, time "0 s" (plus the offset).
    std::int64_t GetTriggerRow() const { return m_triggerRow; }
    void SetTriggerRow(std::int64_t row) { m_triggerRow = row; }
    // Wall-clock time at which the acquisition ended.
    std::chrono::system_clock::time_point GetEndTime() const { return m_endTime; }
    void SetEndTime(std::chrono::system_clock::time_point t) { m_endTime = t; }

    // The tick count of a row of a table with per-row times.
    std::int64_t GetRowTicks(std::int64_t row) const { return m_rowTicks[static_cast<std::size_t>(row)]; }
    CvxTime GetRowTime(std::int64_t row) const
    {
        if (m_tick.AsInt128() != 0) {
            return m_tick * m_rowTicks[static_cast<std::size_t>(row)];
        }
        return m_period * (row - m_triggerRow) + m_offset;
    }
    std::int64_t GetSampleNumber(std::int64_t row) const { return row - m_triggerRow; }
    std::int64_t GetRowOfSample(std::int64_t sample) const { return sample + m_triggerRow; }
    // First row whose time is at or after t (the row count when there is none).
    std::int64_t FirstRowAtOrAfter(CvxTime t) const;
    CvxPosition GetRowPosition(std::int64_t row, int subRow = 0) const
    {
        return CvxPosition(m_id, GetRowTime(row), GetSampleNumber(row), subRow);
    }

    // ---- Columns ----
    // Adds an empty column for a label (no two columns of a table show the same label).
    CvxDataColumnComponent& AddColumn(const CvxID& label, EvxValueKind kind, int width, bool subRows = false);
    std::size_t GetColumnCount() const { return m_columns.size(); }
    CvxDataColumnComponent& GetColumn(std::size_t i) { return *m_columns[i]; }
    const CvxDataColumnComponent& GetColumn(std::size_t i) const { return *m_columns[i]; }
    CvxDataColumnComponent* GetColumnWithLabelID(const CvxID& label) const;

    // Ends filling: the row count becomes the number of row times (per-row times) or the
    // longest column, and shorter columns are padded with rows of status 1.
    void Finish();

    std::size_t MemoryBytes() const;

private:
    CvxData* m_owner;
    CvxID m_id;
    std::u16string m_name;
    std::int64_t m_rowCount = 0;
    std::int64_t m_triggerRow = 0;
    CvxTime m_period = CvxTime::FromNs(1);
    CvxTime m_offset;
    CvxTime m_tick; // 0: evenly spaced
    CvxChunkedArray<std::int64_t> m_rowTicks;
    std::chrono::system_clock::time_point m_endTime = std::chrono::system_clock::now();
    std::vector<std::unique_ptr<CvxDataColumnComponent>> m_columns;
};
