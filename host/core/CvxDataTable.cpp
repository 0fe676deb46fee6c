#include "CvxDataTable.h"

#include "CvxData.h"

#include <algorithm>
#include <stdexcept>

CvxDataTable::CvxDataTable(CvxData& owner, const CvxID& id, std::u16string name)
    : m_owner(&owner), m_id(id), m_name(std::move(name))
{
}

void CvxDataTable::SetUniformTimeBase(CvxTime period, CvxTime offset)
{
    if (period.AsInt128() <= 0) {
        throw std::invalid_argument("the sample period must be positive");
    }
    m_period = period;
    m_offset = offset;
    m_tick = CvxTime();
}

void CvxDataTable::SetTickTimeBase(CvxTime tick)
{
    if (tick.AsInt128() <= 0) {
        throw std::invalid_argument("the time tick must be positive");
    }
    m_tick = tick;
}

void CvxDataTable::AppendRowTime(std::int64_t ticks)
{
    if (!m_rowTicks.empty() && ticks < m_rowTicks.back()) {
        throw std::invalid_argument("row times must not decrease");
    }
    m_rowTicks.push_back(ticks);
}

std::int64_t CvxDataTable::FirstRowAtOrAfter(CvxTime t) const
{
    if (m_tick.AsInt128() != 0) {
        // Smallest row whose tick count reaches ceil(t / tick).
        const CvxInt128 needed = CvxInt128CeilDiv(t.AsInt128(), m_tick.AsInt128());
        std::int64_t lo = 0;
        std::int64_t hi = m_rowCount;
        while (lo < hi) {
            const std::int64_t mid = lo + (hi - lo) / 2;
            if (m_rowTicks[static_cast<std::size_t>(mid)] < needed) {
                lo = mid + 1;
            } else {
                hi = mid;
            }
        }
        return lo;
    }
    const CvxInt128 steps = CvxInt128CeilDiv((t - m_offset).AsInt128(), m_period.AsInt128());
    const CvxInt128 row = steps + m_triggerRow;
    return static_cast<std::int64_t>(std::clamp<CvxInt128>(row, 0, m_rowCount));
}

CvxDataColumnComponent& CvxDataTable::AddColumn(const CvxID& label, EvxValueKind kind, int width, bool subRows)
{
    if (GetColumnWithLabelID(label) != nullptr) {
        throw std::invalid_argument("the table already has a column for this label");
    }
    m_columns.push_back(std::make_unique<CvxDataColumnComponent>(*this, label, kind, width, subRows));
    m_owner->InvalidateLabelIndex();
    return *m_columns.back();
}

CvxDataColumnComponent* CvxDataTable::GetColumnWithLabelID(const CvxID& label) const
{
    for (const auto& column : m_columns) {
        if (column->GetLabelID() == label) {
            return column.get();
        }
    }
    return nullptr;
}

void CvxDataTable::Finish()
{
    std::int64_t rows = 0;
    if (HasRowTimes()) {
        rows = static_cast<std::int64_t>(m_rowTicks.size());
    } else {
        for (const auto& column : m_columns) {
            if (column->GetValueKind() != EvxValueKind::Time && column->GetValueKind() != EvxValueKind::Sample) {
                rows = std::max(rows, column->GetRowCount());
            }
        }
    }
    m_rowCount = rows;
    for (const auto& column : m_columns) {
        if (column->GetRowCount() > rows) {
            throw std::invalid_argument("a column holds more rows than the table has times");
        }
        column->PadTo(rows);
    }
}

std::size_t CvxDataTable::MemoryBytes() const
{
    std::size_t bytes = sizeof(*this) + m_rowTicks.MemoryBytes();
    for (const auto& column : m_columns) {
        bytes += column->MemoryBytes();
    }
    return bytes;
}
