#pragma once
// One bus/signal of an acquired data table: its values stored column-wise at the label's
// width (1, 2, 4, 8 or 16 bytes, or strings), with optional sub-rows, statuses and X/Z masks.

#include "CvxBitSet.h"
#include "CvxChunkedArray.h"
#include "CvxID.h"
#include "CvxUInt.h"

#include <cstdint>
#include <string_view>

class CvxDataTable;

// How a column keeps its values; time and sample-number columns derive them from the table.
enum class EvxValueKind : std::uint8_t { U8, U16, U32, U64, U128, String, Time, Sample };

// Data status of a column at a row.
enum EvxDataStatus : int {
    kStatusNotAvailable = 0,
    kStatusNoSample = 1, // no sample for this column at this row (drawn blank)
    kStatusValid = 2,
    kStatusCancelled = 3,
    kStatusUncertain = 4, // drawn grey
};

class CvxDataColumnComponent {
public:
    // Attribute numbers of the column's attribute set.
    static constexpr int kAttrString = 9;
    static constexpr int kAttrInteger = 11;
    static constexpr int kAttrGeneric = 13;
    static constexpr int kAttrSubRows = 18;
    // Sub-row slots of one sample are numbered 0 to 254.
    static constexpr int kMaxSubRows = 255;

    // The value kind of a numeric label of `width` bits.
    static EvxValueKind KindForWidth(int width);

    CvxDataColumnComponent(const CvxDataTable& table, const CvxID& label, EvxValueKind kind, int width, bool subRows);
    CvxDataColumnComponent(const CvxDataColumnComponent&) = delete;
    CvxDataColumnComponent& operator=(const CvxDataColumnComponent&) = delete;

    const CvxID& GetLabelID() const { return m_label; }
    const CvxDataTable& GetTable() const { return *m_table; }
    const CvxBitSet& GetAttributes() const { return m_attributes; }
    EvxValueKind GetValueKind() const { return m_kind; }
    int GetWidth() const { return m_width; }
    bool HasSubRows() const { return m_subRows; }
    bool HasXZ() const { return m_hasMask; }
    bool HasStatuses() const { return !m_status.empty(); }

    std::int64_t GetRowCount() const;
    // Stored values: one per row without sub-rows, one per filled sub-row slot with them.
    std::int64_t GetEntryCount() const { return m_entries; }

    // ---- Filling, rows in order, for columns without sub-rows ----
    // A value of up to 64 bits; a non-zero mask marks X/Z bits (four-state labels).
    void Append(std::uint64_t value, std::uint64_t xzMask = 0)
    {
        // A plain column of up to 64 bits (no sub-rows, no X/Z or statuses so far) takes the
        // value inline: a mask and a store into its chunk.
        if (m_plain && xzMask == 0) [[likely]] {
            value &= m_widthMask;
            switch (m_kind) {
            case EvxValueKind::U8: m_u8.push_back(static_cast<std::uint8_t>(value)); break;
            case EvxValueKind::U16: m_u16.push_back(static_cast<std::uint16_t>(value)); break;
            case EvxValueKind::U32: m_u32.push_back(static_cast<std::uint32_t>(value)); break;
            default: m_u64.push_back(value); break;
            }
            ++m_entries;
            ++m_rows;
            return;
        }
        AppendSlow(value, xzMask);
    }
    // A value of any width; for labels of up to 64 bits, words 2-3 are the X/Z mask.
    void Append(const CvxUInt& value);
    void AppendString(std::u16string_view value);
    // A row without a value, with status 0 (not available), 1 (no sample) or 3 (cancelled).
    void AppendMissing(int status);
    // Rows [first, first + count) of a column of the same kind, width and sub-row shape: values,
    // masks, sub-rows and statuses as they are there, copied in bulk where nothing else varies.
    void AppendRowsOf(const CvxDataColumnComponent& from, std::int64_t first, std::int64_t count);

    // ---- Filling, for columns with sub-rows ----
    // Starts a row with `slots` sub-row slots (0 to 255), none filled yet.
    void AppendRow(int slots);
    // Fills slot `subRow` of the last row; slots are filled in increasing order.
    void AppendSubRow(int subRow, std::uint64_t value, std::uint64_t xzMask = 0);
    void AppendSubRow(int subRow, const CvxUInt& value);
    void AppendSubRowString(int subRow, std::u16string_view value);

    // Status of a row already appended (2 unless set otherwise).
    void SetStatus(std::int64_t row, int status);
    // Pads the column with rows of status 1 up to `rows` rows (time and sample columns need none).
    void PadTo(std::int64_t rows);

    // ---- Reading ----
    int GetStatus(std::int64_t row) const
    {
        return m_status.empty() ? static_cast<int>(kStatusValid) : m_status[static_cast<std::size_t>(row)];
    }
    std::int64_t FirstEntryOfRow(std::int64_t row) const
    {
        return m_subRows ? static_cast<std::int64_t>(m_rowFirst[static_cast<std::size_t>(row)]) : row;
    }
    std::int64_t EntryEndOfRow(std::int64_t row) const
    {
        if (!m_subRows) {
            return row + 1;
        }
        return row + 1 < static_cast<std::int64_t>(m_rowFirst.size())
            ? static_cast<std::int64_t>(m_rowFirst[static_cast<std::size_t>(row + 1)])
            : m_entries;
    }
    int GetSubRowSlots(std::int64_t row) const { return m_subRows ? m_rowSlots[static_cast<std::size_t>(row)] : 1; }
    int GetEntrySubRow(std::int64_t entry) const { return m_subRows ? m_entrySubRow[static_cast<std::size_t>(entry)] : 0; }
    // The value of an entry (numeric kinds; time and sample columns take the entry as the row).
    CvxUInt GetValue(std::int64_t entry) const;
    std::u16string_view GetString(std::int64_t entry) const { return m_strings[static_cast<std::size_t>(entry)]; }

    // Raw access for iterators: the chunk of values holding `entry`, its first entry and its
    // length; null for string, time and sample columns.
    const void* ValueChunk(std::int64_t entry, std::int64_t& chunkFirst, std::int64_t& chunkLength) const;
    const void* MaskChunk(std::int64_t entry) const;

    std::size_t MemoryBytes() const;

private:
    void AppendSlow(std::uint64_t value, std::uint64_t xzMask);
    void AppendNumeric(std::uint64_t low, std::uint64_t highOrMask, bool wide);
    void StartMasks();
    void PushStatus();
    void CheckSubRowSlot(int subRow, bool isString) const;

    const CvxDataTable* m_table;
    CvxID m_label;
    EvxValueKind m_kind;
    int m_width;
    bool m_subRows;
    bool m_hasMask = false;
    // Append's inline path applies: 8 to 64 bits, no sub-rows, no masks, no statuses.
    bool m_plain = false;
    std::uint64_t m_widthMask = ~std::uint64_t{0};
    CvxBitSet m_attributes;
    std::int64_t m_entries = 0;
    std::int64_t m_rows = 0;

    CvxChunkedArray<std::uint8_t> m_u8;
    CvxChunkedArray<std::uint16_t> m_u16;
    CvxChunkedArray<std::uint32_t> m_u32;
    CvxChunkedArray<std::uint64_t> m_u64;
    CvxChunkedArray<CvxUInt> m_u128;
    CvxStringChunks m_strings;
    // X/Z masks, same element type as the values; made at the first X/Z.
    CvxChunkedArray<std::uint8_t> m_mask8;
    CvxChunkedArray<std::uint16_t> m_mask16;
    CvxChunkedArray<std::uint32_t> m_mask32;
    CvxChunkedArray<std::uint64_t> m_mask64;

    CvxChunkedArray<std::uint8_t> m_status;       // per row; empty while every row is valid
    CvxChunkedArray<std::uint64_t> m_rowFirst;    // sub-rows: first entry of each row
    CvxChunkedArray<std::uint8_t> m_rowSlots;     // sub-rows: slot count of each row
    CvxChunkedArray<std::uint8_t> m_entrySubRow;  // sub-rows: slot of each entry
};
