#include "CvxSampleIterBase.h"

#include "CvxData.h"
#include "CvxDataTable.h"
#include "CvxLabelMgr.h"

#include <algorithm>

CvxSampleIterBase::CvxSampleIterBase(const CvxData& data, const CvxLabelChannel& label, int mode)
    : m_label(label), m_mode(mode == kModeSubRows ? kModeSubRows : kModeSamples)
{
    m_column = data.GetColumnWithLabelID(label.GetLabelID());
    if (m_column == nullptr) {
        return;
    }
    m_table = &m_column->GetTable();
    m_rowCount = m_column->GetRowCount();
    m_kind = m_column->GetValueKind();
    m_simple = !m_column->HasSubRows();
    const bool numeric = m_kind <= EvxValueKind::U128;
    m_adjust = numeric && (m_column->HasXZ() || label.GetChannel() >= 0);
    if (m_simple && !m_adjust && m_kind <= EvxValueKind::U64) {
        m_fastEligible = true;
        switch (m_kind) {
        case EvxValueKind::U8: m_fastShift = 0; m_fastMask = 0xFF; break;
        case EvxValueKind::U16: m_fastShift = 1; m_fastMask = 0xFFFF; break;
        case EvxValueKind::U32: m_fastShift = 2; m_fastMask = 0xFFFFFFFF; break;
        default: m_fastShift = 3; m_fastMask = ~std::uint64_t{0}; break;
        }
    }

    const CvxLabelBase* labelBase = CvxLabelMgr::GetInstance().IDToLabel(label.GetLabelID());
    CvxBase base(kBaseHex);
    if (m_kind == EvxValueKind::Time) {
        base = CvxBase(labelBase != nullptr && labelBase->GetBase().IsInGroup(kBaseGroupTime)
                           ? labelBase->GetBase().GetCode()
                           : kBaseTime);
    } else if (m_kind == EvxValueKind::Sample) {
        base = CvxBase(kBaseSample);
    } else if (labelBase != nullptr) {
        base = labelBase->GetBase();
    }
    const int width = label.GetChannel() >= 0 ? 1 : m_column->GetWidth();
    m_formatter = CvxValueFormatter(base, width, labelBase);
}

CvxSampleIterBase::CvxSampleIterBase(const CvxDataTable& table)
    : m_table(&table), m_rowCount(table.GetRowCount()), m_formatter(CvxBase(kBaseSample), 64)
{
}

void CvxSampleIterBase::EnterRowForward(std::int64_t row)
{
    row = std::max<std::int64_t>(row, 0);
    if (m_simple) {
        m_row = std::min(row, m_rowCount);
        return;
    }
    if (WalksSubRows()) {
        while (row < m_rowCount && m_column->FirstEntryOfRow(row) == m_column->EntryEndOfRow(row)) {
            ++row;
        }
    }
    m_row = std::min(row, m_rowCount);
    if (m_row < m_rowCount) {
        const std::int64_t first = m_column->FirstEntryOfRow(m_row);
        m_rowEntryEnd = m_column->EntryEndOfRow(m_row);
        m_entry = first < m_rowEntryEnd ? first : -1;
    } else {
        m_entry = -1;
    }
}

void CvxSampleIterBase::EnterRowBackward(std::int64_t row)
{
    row = std::min(row, m_rowCount - 1);
    if (m_simple) {
        m_row = std::max<std::int64_t>(row, -1);
        return;
    }
    if (WalksSubRows()) {
        while (row >= 0 && m_column->FirstEntryOfRow(row) == m_column->EntryEndOfRow(row)) {
            --row;
        }
    }
    m_row = std::max<std::int64_t>(row, -1);
    if (m_row >= 0) {
        const std::int64_t first = m_column->FirstEntryOfRow(m_row);
        m_rowEntryEnd = m_column->EntryEndOfRow(m_row);
        if (first == m_rowEntryEnd) {
            m_entry = -1;
        } else {
            m_entry = WalksSubRows() ? m_rowEntryEnd - 1 : first;
        }
    } else {
        m_entry = -1;
    }
}

void CvxSampleIterBase::EnterFastWindow()
{
    m_fastIndex = 0;
    if (!m_fastEligible || m_row < 0 || m_row >= m_rowCount) {
        return;
    }
    std::int64_t first = 0;
    std::int64_t length = 0;
    const void* chunk = m_column->ValueChunk(m_row, first, length);
    length = std::min(length, m_rowCount - first);
    if (chunk == nullptr || m_row < first || m_row >= first + length) {
        return;
    }
    m_fastEnd = static_cast<const char*>(chunk) + (length << m_fastShift);
    m_fastFirstRow = first;
    m_fastIndex = m_row - (first + length);
}

void CvxSampleIterBase::First()
{
    EnterRowForward(0);
    EnterFastWindow();
}

void CvxSampleIterBase::Last()
{
    EnterRowBackward(m_rowCount - 1);
    EnterFastWindow();
}

void CvxSampleIterBase::NextSlow()
{
    StepForward();
    EnterFastWindow();
}

void CvxSampleIterBase::PrevSlow()
{
    StepBackward();
    EnterFastWindow();
}

void CvxSampleIterBase::StepForward()
{
    if (m_row >= m_rowCount) {
        return;
    }
    if (m_row < 0) {
        First();
        return;
    }
    if (WalksSubRows() && m_entry + 1 < m_rowEntryEnd) {
        ++m_entry;
        return;
    }
    EnterRowForward(m_row + 1);
}

void CvxSampleIterBase::StepBackward()
{
    if (m_row < 0) {
        m_row = -1;
        m_entry = -1;
        return;
    }
    if (m_row >= m_rowCount) {
        Last();
        return;
    }
    if (WalksSubRows() && m_entry > m_column->FirstEntryOfRow(m_row)) {
        --m_entry;
        return;
    }
    EnterRowBackward(m_row - 1);
}

bool CvxSampleIterBase::GotoRow(std::int64_t row)
{
    if (m_rowCount == 0) {
        m_row = 0;
        m_entry = -1;
        m_fastIndex = 0;
        return false;
    }
    const std::int64_t clamped = std::clamp<std::int64_t>(row, 0, m_rowCount - 1);
    EnterRowForward(clamped);
    EnterFastWindow();
    return clamped == row;
}

void CvxSampleIterBase::SetPosition(const CvxPosition& position)
{
    if (m_table == nullptr) {
        return;
    }
    std::int64_t row = m_table->FirstRowAtOrAfter(position.AsTime());
    // Rows at exactly the position's time are ordered further by sample, sub-row and table.
    while (row < m_rowCount && m_table->GetRowTime(row) == position.AsTime()) {
        if (WalksSubRows()) {
            const std::int64_t end = m_column->EntryEndOfRow(row);
            for (std::int64_t e = m_column->FirstEntryOfRow(row); e < end; ++e) {
                if (m_table->GetRowPosition(row, m_column->GetEntrySubRow(e)) >= position) {
                    m_row = row;
                    m_entry = e;
                    m_rowEntryEnd = end;
                    m_fastIndex = 0;
                    return;
                }
            }
        } else if (m_table->GetRowPosition(row) >= position) {
            break;
        }
        ++row;
    }
    EnterRowForward(row);
    EnterFastWindow();
}

CvxPosition CvxSampleIterBase::GetPosition() const
{
    if (IsDone()) {
        return CvxPosition();
    }
    return m_table->GetRowPosition(m_row, GetSubRowIndex());
}

std::int64_t CvxSampleIterBase::GetSampleNumber() const
{
    return m_table == nullptr ? 0 : m_table->GetSampleNumber(m_row);
}

CvxTime CvxSampleIterBase::GetTime() const
{
    return IsDone() ? CvxTime() : m_table->GetRowTime(m_row);
}

int CvxSampleIterBase::GetSubRowIndex() const
{
    if (!WalksSubRows() || IsDone() || m_entry < 0) {
        return 0;
    }
    return m_column->GetEntrySubRow(m_entry);
}

int CvxSampleIterBase::GetLastSubRowIndex() const
{
    if (!WalksSubRows() || IsDone()) {
        return 0;
    }
    return std::max(m_column->GetSubRowSlots(m_row) - 1, 0);
}

int CvxSampleIterBase::GetDataStatus() const
{
    if (IsDone()) {
        return kStatusNotAvailable;
    }
    if (m_column == nullptr) {
        return kStatusValid;
    }
    const int status = m_column->GetStatus(m_row);
    if (status != kStatusValid) {
        return status;
    }
    return !m_simple && m_entry < 0 ? kStatusNoSample : kStatusValid;
}

bool CvxSampleIterBase::LoadChunk() const
{
    m_chunkLength = 0;
    const std::int64_t entry = EntryIndex();
    if (m_column == nullptr || entry < 0 || entry >= m_column->GetEntryCount()) {
        return false;
    }
    m_chunk = m_column->ValueChunk(entry, m_chunkFirst, m_chunkLength);
    m_maskChunk = m_column->MaskChunk(entry);
    if (m_chunk == nullptr) {
        m_chunkLength = 0;
        return false;
    }
    return true;
}

CvxSampleIterBase::SlowValue CvxSampleIterBase::GetValueSlow() const
{
    if (IsDone()) {
        return {CvxUInt(), false};
    }
    switch (m_kind) {
    case EvxValueKind::Time:
        return {CvxUInt::FromU128(static_cast<CvxUInt128>(m_table->GetRowTime(m_row).AsInt128())), true};
    case EvxValueKind::Sample:
        return {CvxUInt(static_cast<std::uint64_t>(m_table->GetSampleNumber(m_row))), true};
    case EvxValueKind::String:
        return {CvxUInt(), false};
    default:
        break;
    }
    const std::int64_t k = EntryIndex() - m_chunkFirst;
    if (static_cast<std::uint64_t>(k) >= static_cast<std::uint64_t>(m_chunkLength) && !LoadChunk()) {
        return {CvxUInt(), false};
    }
    const std::int64_t i = EntryIndex() - m_chunkFirst;
    CvxUInt value;
    switch (m_kind) {
    case EvxValueKind::U8: value = CvxUInt(static_cast<const std::uint8_t*>(m_chunk)[i]); break;
    case EvxValueKind::U16: value = CvxUInt(static_cast<const std::uint16_t*>(m_chunk)[i]); break;
    case EvxValueKind::U32: value = CvxUInt(static_cast<const std::uint32_t*>(m_chunk)[i]); break;
    case EvxValueKind::U64: value = CvxUInt(static_cast<const std::uint64_t*>(m_chunk)[i]); break;
    default: value = static_cast<const CvxUInt*>(m_chunk)[i]; break;
    }
    return {m_adjust ? Adjusted(value, i) : value, true};
}

CvxUInt CvxSampleIterBase::Adjusted(CvxUInt out, std::int64_t k) const
{
    if (m_maskChunk != nullptr) {
        std::uint64_t mask = 0;
        switch (m_kind) {
        case EvxValueKind::U8: mask = static_cast<const std::uint8_t*>(m_maskChunk)[k]; break;
        case EvxValueKind::U16: mask = static_cast<const std::uint16_t*>(m_maskChunk)[k]; break;
        case EvxValueKind::U32: mask = static_cast<const std::uint32_t*>(m_maskChunk)[k]; break;
        default: mask = static_cast<const std::uint64_t*>(m_maskChunk)[k]; break;
        }
        out = CvxUInt::FourState(out.Low64(), mask);
    }
    const int channel = m_label.GetChannel();
    if (channel >= 0) {
        const bool wide = m_kind == EvxValueKind::U128;
        const CvxUInt128 bits = wide ? out.AsU128() : out.Low64();
        const std::uint64_t bit = channel < 128 ? static_cast<std::uint64_t>((bits >> channel) & 1) : 0;
        const std::uint64_t maskBit = !wide && channel < 64 ? (out.High64() >> channel) & 1 : 0;
        out = CvxUInt::FourState(bit, maskBit);
    }
    return out;
}

bool CvxSampleIterBase::GetValue(std::u16string& text) const
{
    text.clear();
    if (IsDone()) {
        return false;
    }
    const int status = GetDataStatus();
    if (status != kStatusValid && status != kStatusUncertain) {
        return false;
    }
    if (m_kind == EvxValueKind::String) {
        text.assign(m_column->GetString(EntryIndex()));
        return true;
    }
    CvxUInt value;
    if (!GetValue(value)) {
        return false;
    }
    m_formatter.Format(value, text);
    return true;
}
