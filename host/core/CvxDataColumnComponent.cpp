#include "CvxDataColumnComponent.h"

#include "CvxDataTable.h"

#include <stdexcept>

EvxValueKind CvxDataColumnComponent::KindForWidth(int width)
{
    if (width <= 8) {
        return EvxValueKind::U8;
    }
    if (width <= 16) {
        return EvxValueKind::U16;
    }
    if (width <= 32) {
        return EvxValueKind::U32;
    }
    if (width <= 64) {
        return EvxValueKind::U64;
    }
    return EvxValueKind::U128;
}

CvxDataColumnComponent::CvxDataColumnComponent(const CvxDataTable& table, const CvxID& label, EvxValueKind kind,
                                               int width, bool subRows)
    : m_table(&table), m_label(label), m_kind(kind), m_width(width), m_subRows(subRows)
{
    switch (kind) {
    case EvxValueKind::String:
        m_attributes.Add(kAttrString);
        break;
    case EvxValueKind::Time:
    case EvxValueKind::Sample:
        m_attributes.Add(kAttrGeneric);
        m_subRows = false;
        break;
    default:
        m_attributes.Add(kAttrInteger);
        break;
    }
    if (m_subRows) {
        m_attributes.Add(kAttrSubRows);
    }
    m_plain = !m_subRows && kind <= EvxValueKind::U64;
    if (m_width > 0 && m_width < 64) {
        m_widthMask = (std::uint64_t{1} << m_width) - 1;
    }
}

std::int64_t CvxDataColumnComponent::GetRowCount() const
{
    if (m_kind == EvxValueKind::Time || m_kind == EvxValueKind::Sample) {
        return m_table->GetRowCount();
    }
    return m_rows;
}

void CvxDataColumnComponent::PushStatus()
{
    // Called as a row is added: the status array, once made, keeps one entry per row.
    if (!m_status.empty()) {
        m_status.push_back(kStatusValid);
    }
}

void CvxDataColumnComponent::StartMasks()
{
    // Made at the first X/Z: the entries so far get empty masks.
    m_hasMask = true;
    m_plain = false;
    const auto before = static_cast<std::size_t>(m_entries);
    switch (m_kind) {
    case EvxValueKind::U8: m_mask8.append(before, 0); break;
    case EvxValueKind::U16: m_mask16.append(before, 0); break;
    case EvxValueKind::U32: m_mask32.append(before, 0); break;
    default: m_mask64.append(before, 0); break;
    }
}

void CvxDataColumnComponent::AppendNumeric(std::uint64_t low, std::uint64_t highOrMask, bool wide)
{
    const bool masked = !wide && m_width < 64;
    const std::uint64_t widthMask = masked ? ((std::uint64_t{1} << m_width) - 1) : ~std::uint64_t{0};
    low &= widthMask;
    std::uint64_t mask = wide ? 0 : (highOrMask & widthMask);
    if (mask != 0 && !m_hasMask && m_kind != EvxValueKind::U128) {
        StartMasks();
    }
    switch (m_kind) {
    case EvxValueKind::U8:
        m_u8.push_back(static_cast<std::uint8_t>(low));
        if (m_hasMask) {
            m_mask8.push_back(static_cast<std::uint8_t>(mask));
        }
        break;
    case EvxValueKind::U16:
        m_u16.push_back(static_cast<std::uint16_t>(low));
        if (m_hasMask) {
            m_mask16.push_back(static_cast<std::uint16_t>(mask));
        }
        break;
    case EvxValueKind::U32:
        m_u32.push_back(static_cast<std::uint32_t>(low));
        if (m_hasMask) {
            m_mask32.push_back(static_cast<std::uint32_t>(mask));
        }
        break;
    case EvxValueKind::U64:
        m_u64.push_back(low);
        if (m_hasMask) {
            m_mask64.push_back(mask);
        }
        break;
    case EvxValueKind::U128: {
        CvxUInt128 v = static_cast<CvxUInt128>(low) | (static_cast<CvxUInt128>(wide ? highOrMask : 0) << 64);
        if (m_width < 128) {
            v &= (CvxUInt128{1} << m_width) - 1;
        }
        m_u128.push_back(CvxUInt::FromU128(v));
        break;
    }
    default:
        throw std::logic_error("numeric value appended to a non-numeric column");
    }
    ++m_entries;
}

void CvxDataColumnComponent::AppendSlow(std::uint64_t value, std::uint64_t xzMask)
{
    if (m_subRows) {
        throw std::logic_error("Append on a column with sub-rows");
    }
    if (m_kind == EvxValueKind::Time || m_kind == EvxValueKind::Sample) {
        return;
    }
    PushStatus();
    AppendNumeric(value, xzMask, false);
    ++m_rows;
}

void CvxDataColumnComponent::AppendRowsOf(const CvxDataColumnComponent& from, std::int64_t first, std::int64_t count)
{
    if (m_subRows != from.m_subRows || from.m_kind != m_kind || from.m_width != m_width) {
        throw std::logic_error("AppendRowsOf between columns of different shapes");
    }
    const bool numeric = m_kind == EvxValueKind::U8 || m_kind == EvxValueKind::U16 || m_kind == EvxValueKind::U32
                         || m_kind == EvxValueKind::U64 || m_kind == EvxValueKind::U128;
    if (m_kind == EvxValueKind::Time || m_kind == EvxValueKind::Sample) {
        return; // derived from the table
    }
    if (m_subRows) {
        for (std::int64_t row = first; row < first + count; ++row) {
            AppendRow(from.GetSubRowSlots(row));
            for (std::int64_t e = from.FirstEntryOfRow(row); e < from.EntryEndOfRow(row); ++e) {
                numeric ? AppendSubRow(from.GetEntrySubRow(e), from.GetValue(e))
                        : AppendSubRowString(from.GetEntrySubRow(e), from.GetString(e));
            }
            if (from.GetStatus(row) != kStatusValid) {
                SetStatus(m_rows - 1, from.GetStatus(row));
            }
        }
        return;
    }
    if (!numeric || from.HasStatuses() || HasStatuses()) {
        for (std::int64_t row = first; row < first + count; ++row) {
            const int status = from.GetStatus(row);
            if (status != kStatusValid && status != kStatusUncertain) {
                AppendMissing(status);
                continue;
            }
            numeric ? Append(from.GetValue(row)) : AppendString(from.GetString(row));
            if (status != kStatusValid) {
                SetStatus(m_rows - 1, status);
            }
        }
        return;
    }
    const auto at = static_cast<std::size_t>(first);
    const auto n = static_cast<std::size_t>(count);
    if (from.m_hasMask && !m_hasMask) {
        StartMasks();
    }
    switch (m_kind) {
    case EvxValueKind::U8: m_u8.append_from(from.m_u8, at, n); break;
    case EvxValueKind::U16: m_u16.append_from(from.m_u16, at, n); break;
    case EvxValueKind::U32: m_u32.append_from(from.m_u32, at, n); break;
    case EvxValueKind::U64: m_u64.append_from(from.m_u64, at, n); break;
    default: m_u128.append_from(from.m_u128, at, n); break;
    }
    if (m_hasMask && from.m_hasMask) {
        switch (m_kind) {
        case EvxValueKind::U8: m_mask8.append_from(from.m_mask8, at, n); break;
        case EvxValueKind::U16: m_mask16.append_from(from.m_mask16, at, n); break;
        case EvxValueKind::U32: m_mask32.append_from(from.m_mask32, at, n); break;
        default: m_mask64.append_from(from.m_mask64, at, n); break;
        }
    } else if (m_hasMask) {
        switch (m_kind) {
        case EvxValueKind::U8: m_mask8.append(n, 0); break;
        case EvxValueKind::U16: m_mask16.append(n, 0); break;
        case EvxValueKind::U32: m_mask32.append(n, 0); break;
        default: m_mask64.append(n, 0); break;
        }
    }
    m_entries += count;
    m_rows += count;
}

void CvxDataColumnComponent::Append(const CvxUInt& value)
{
    if (m_subRows) {
        throw std::logic_error("Append on a column with sub-rows");
    }
    if (m_kind == EvxValueKind::Time || m_kind == EvxValueKind::Sample) {
        return;
    }
    PushStatus();
    AppendNumeric(value.Low64(), value.High64(), m_kind == EvxValueKind::U128);
    ++m_rows;
}

void CvxDataColumnComponent::AppendString(std::u16string_view value)
{
    if (m_subRows || m_kind != EvxValueKind::String) {
        throw std::logic_error("AppendString on a column that holds no strings or has sub-rows");
    }
    PushStatus();
    m_strings.push_back(value);
    ++m_entries;
    ++m_rows;
}

void CvxDataColumnComponent::AppendMissing(int status)
{
    if (m_kind == EvxValueKind::Time || m_kind == EvxValueKind::Sample) {
        return;
    }
    if (m_subRows) {
        AppendRow(0);
    } else if (m_kind == EvxValueKind::String) {
        AppendString(u"");
    } else {
        Append(std::uint64_t{0});
    }
    SetStatus(m_rows - 1, status);
}

void CvxDataColumnComponent::AppendRow(int slots)
{
    if (!m_subRows) {
        throw std::logic_error("AppendRow on a column without sub-rows");
    }
    if (slots < 0 || slots > kMaxSubRows) {
        throw std::out_of_range("sub-row slot count out of range");
    }
    PushStatus();
    m_rowFirst.push_back(static_cast<std::uint64_t>(m_entries));
    m_rowSlots.push_back(static_cast<std::uint8_t>(slots));
    ++m_rows;
}

void CvxDataColumnComponent::CheckSubRowSlot(int subRow, bool isString) const
{
    if (!m_subRows || m_rows == 0 || subRow < 0 || subRow >= m_rowSlots.back()
        || isString != (m_kind == EvxValueKind::String)) {
        throw std::out_of_range("sub-row value outside the last row's slots");
    }
    if (m_entries > static_cast<std::int64_t>(m_rowFirst.back()) && m_entrySubRow.back() >= subRow) {
        throw std::out_of_range("sub-row slots must be filled in increasing order");
    }
}

void CvxDataColumnComponent::AppendSubRow(int subRow, std::uint64_t value, std::uint64_t xzMask)
{
    CheckSubRowSlot(subRow, false);
    AppendNumeric(value, m_kind == EvxValueKind::U128 ? 0 : xzMask, m_kind == EvxValueKind::U128);
    m_entrySubRow.push_back(static_cast<std::uint8_t>(subRow));
}

void CvxDataColumnComponent::AppendSubRow(int subRow, const CvxUInt& value)
{
    CheckSubRowSlot(subRow, false);
    AppendNumeric(value.Low64(), value.High64(), m_kind == EvxValueKind::U128);
    m_entrySubRow.push_back(static_cast<std::uint8_t>(subRow));
}

void CvxDataColumnComponent::AppendSubRowString(int subRow, std::u16string_view value)
{
    CheckSubRowSlot(subRow, true);
    m_strings.push_back(value);
    m_entrySubRow.push_back(static_cast<std::uint8_t>(subRow));
    ++m_entries;
}

void CvxDataColumnComponent::SetStatus(std::int64_t row, int status)
{
    if (row < 0 || row >= m_rows || status < kStatusNotAvailable || status > kStatusUncertain) {
        throw std::out_of_range("status of a row that does not exist");
    }
    if (m_status.empty()) {
        if (status == kStatusValid) {
            return;
        }
        m_status.append(static_cast<std::size_t>(m_rows), kStatusValid);
        m_plain = false;
    }
    m_status[static_cast<std::size_t>(row)] = static_cast<std::uint8_t>(status);
}

void CvxDataColumnComponent::PadTo(std::int64_t rows)
{
    if (m_kind == EvxValueKind::Time || m_kind == EvxValueKind::Sample) {
        return;
    }
    while (m_rows < rows) {
        AppendMissing(kStatusNoSample);
    }
}

CvxUInt CvxDataColumnComponent::GetValue(std::int64_t entry) const
{
    const auto i = static_cast<std::size_t>(entry);
    switch (m_kind) {
    case EvxValueKind::U8: return CvxUInt::FourState(m_u8[i], m_hasMask ? m_mask8[i] : 0);
    case EvxValueKind::U16: return CvxUInt::FourState(m_u16[i], m_hasMask ? m_mask16[i] : 0);
    case EvxValueKind::U32: return CvxUInt::FourState(m_u32[i], m_hasMask ? m_mask32[i] : 0);
    case EvxValueKind::U64: return CvxUInt::FourState(m_u64[i], m_hasMask ? m_mask64[i] : 0);
    case EvxValueKind::U128: return m_u128[i];
    case EvxValueKind::Time: return CvxUInt::FromU128(static_cast<CvxUInt128>(m_table->GetRowTime(entry).AsInt128()));
    case EvxValueKind::Sample:
        return CvxUInt(static_cast<std::uint64_t>(m_table->GetSampleNumber(entry)));
    case EvxValueKind::String: break;
    }
    return CvxUInt();
}

namespace {

template <typename T>
const void* ChunkOf(const CvxChunkedArray<T>& array, std::int64_t entry, std::int64_t& first, std::int64_t& length)
{
    const auto chunk = static_cast<std::size_t>(entry) >> CvxChunkedArray<T>::kShift;
    if (entry < 0 || chunk >= array.ChunkCount()) {
        return nullptr;
    }
    first = static_cast<std::int64_t>(chunk << CvxChunkedArray<T>::kShift);
    length = static_cast<std::int64_t>(array.ChunkLength(chunk));
    return array.ChunkData(chunk);
}

} // namespace

const void* CvxDataColumnComponent::ValueChunk(std::int64_t entry, std::int64_t& chunkFirst,
                                               std::int64_t& chunkLength) const
{
    switch (m_kind) {
    case EvxValueKind::U8: return ChunkOf(m_u8, entry, chunkFirst, chunkLength);
    case EvxValueKind::U16: return ChunkOf(m_u16, entry, chunkFirst, chunkLength);
    case EvxValueKind::U32: return ChunkOf(m_u32, entry, chunkFirst, chunkLength);
    case EvxValueKind::U64: return ChunkOf(m_u64, entry, chunkFirst, chunkLength);
    case EvxValueKind::U128: return ChunkOf(m_u128, entry, chunkFirst, chunkLength);
    default: return nullptr;
    }
}

const void* CvxDataColumnComponent::MaskChunk(std::int64_t entry) const
{
    if (!m_hasMask) {
        return nullptr;
    }
    std::int64_t first = 0;
    std::int64_t length = 0;
    switch (m_kind) {
    case EvxValueKind::U8: return ChunkOf(m_mask8, entry, first, length);
    case EvxValueKind::U16: return ChunkOf(m_mask16, entry, first, length);
    case EvxValueKind::U32: return ChunkOf(m_mask32, entry, first, length);
    case EvxValueKind::U64: return ChunkOf(m_mask64, entry, first, length);
    default: return nullptr;
    }
}

std::size_t CvxDataColumnComponent::MemoryBytes() const
{
    return sizeof(*this) + m_u8.MemoryBytes() + m_u16.MemoryBytes() + m_u32.MemoryBytes() + m_u64.MemoryBytes()
        + m_u128.MemoryBytes() + m_strings.MemoryBytes() + m_mask8.MemoryBytes() + m_mask16.MemoryBytes()
        + m_mask32.MemoryBytes() + m_mask64.MemoryBytes() + m_status.MemoryBytes() + m_rowFirst.MemoryBytes()
        + m_rowSlots.MemoryBytes() + m_entrySubRow.MemoryBytes();
}
