#pragma once
// Walks the values of one bus/signal (or the rows of a table) in an acquisition.
// Mode 1 visits every filled sub-row slot; mode 6 visits each sample once. The common
// case, a column without sub-rows, steps and reads inline without virtual calls, so that
// walking a column costs little more than walking an array.

#include "CvxBase.h"
#include "CvxDataColumnComponent.h"
#include "CvxLabelChannel.h"
#include "CvxPosition.h"
#include "CvxUInt.h"
#include "CvxValueFormatter.h"

#include <cstdint>
#include <cstring>
#include <string>

class CvxData;
class CvxDataTable;

class CvxSampleIterBase {
public:
    static constexpr int kModeSubRows = 1;
    static constexpr int kModeSamples = 6;

    virtual ~CvxSampleIterBase() = default;

    // False when the data has no column for the label: the iterator is then always done.
    bool IsValid() const { return m_table != nullptr; }
    const CvxDataTable* GetTable() const { return m_table; }
    const CvxDataColumnComponent* GetColumn() const { return m_column; }
    const CvxLabelChannel& GetLabelChannel() const { return m_label; }
    int GetMode() const { return m_mode; }

    // ---- Walking ----
    void First();
    void Last();
    // From before the first entry, Next goes to the first; past the last it stays done
    // (Prev from there goes to the last entry).
    void Next()
    {
        // Inside the fast window, a step is two increments; its ends are crossed out of line.
        if (m_fastIndex < -1) [[likely]] {
            ++m_fastIndex;
            ++m_row;
        } else {
            NextSlow();
        }
    }
    // From past the last entry, Prev goes to the last; before the first it stays done.
    void Prev()
    {
        if (m_fastIndex < 0 && m_row > m_fastFirstRow) {
            --m_fastIndex;
            --m_row;
        } else {
            PrevSlow();
        }
    }
    bool IsDone() const
    {
        return m_fastIndex >= 0 && static_cast<std::uint64_t>(m_row) >= static_cast<std::uint64_t>(m_rowCount);
    }
    // Moves to the first entry of a row, clamped to the rows that exist (false when clamped;
    // an empty column answers false and is done).
    bool GotoRow(std::int64_t row);
    // Moves to the first entry at or after the position (done when there is none).
    void SetPosition(const CvxPosition& position);
    // Position of the current entry (a default position when done).
    CvxPosition GetPosition() const;

    // ---- The current entry ----
    std::int64_t GetRow() const { return m_row; }
    std::int64_t GetSampleNumber() const;
    CvxTime GetTime() const;
    int GetSubRowIndex() const;
    // Index of the current sample's last sub-row slot (0 for samples without sub-rows).
    int GetLastSubRowIndex() const;
    int GetDataStatus() const;

    // The value as a wide unsigned integer (numeric, time and sample-number columns); false
    // for string columns and when done.
    bool GetValue(CvxUInt& out) const
    {
        // Inside the fast window (a plain column of up to 64 bits, no X/Z, no single channel,
        // no sub-rows) the value is one load from the chunk. Everything else (wide values,
        // X/Z masks, single channels, sub-rows, derived values, done) takes the call.
        if (m_fastIndex < 0) [[likely]] {
            // One unaligned 8-byte load (chunks are padded for it) and a mask.
            std::uint64_t raw;
            std::memcpy(&raw, m_fastEnd + (m_fastIndex << m_fastShift), sizeof raw);
            out = CvxUInt(raw & m_fastMask);
            return true;
        }
        // Returned by value, so that the common path keeps the value in registers.
        const SlowValue slow = GetValueSlow();
        if (slow.ok) {
            out = slow.value;
        }
        return slow.ok;
    }
    // The value as text: the string itself for string columns, else formatted in the base;
    // empty (and false) when the entry holds no sample or the iterator is done.
    bool GetValue(std::u16string& text) const;

    const CvxValueFormatter& GetFormatter() const { return m_formatter; }
    // Formats values in another base than the label's.
    void SetBase(const CvxBase& base) { m_formatter.SetBase(base); }
    void SetReferenceTime(CvxTime t) { m_formatter.SetReferenceTime(t); }

protected:
    CvxSampleIterBase(const CvxData& data, const CvxLabelChannel& label, int mode);
    // Walks the rows of a table; values are sample numbers.
    explicit CvxSampleIterBase(const CvxDataTable& table);

private:
    void NextSlow();
    void PrevSlow();
    void StepForward();
    void StepBackward();
    // Sets the fast window around the current row (or leaves it, where the row cannot be read
    // inline); every out-of-line move ends here.
    void EnterFastWindow();

    struct SlowValue {
        CvxUInt value;
        bool ok;
    };
    SlowValue GetValueSlow() const;
    CvxUInt Adjusted(CvxUInt value, std::int64_t k) const;
    bool LoadChunk() const;
    // Puts the iterator on the first entry of the first row at or after `row` that has one
    // (past the end when none).
    void EnterRowForward(std::int64_t row);
    // Puts the iterator on the last entry of the last row at or before `row` that has one
    // (before the start when none).
    void EnterRowBackward(std::int64_t row);
    std::int64_t EntryIndex() const { return m_simple ? m_row : m_entry; }
    bool WalksSubRows() const { return m_column != nullptr && m_column->HasSubRows() && m_mode == kModeSubRows; }

    const CvxDataTable* m_table = nullptr;
    const CvxDataColumnComponent* m_column = nullptr;
    CvxLabelChannel m_label;
    int m_mode = kModeSamples;
    EvxValueKind m_kind = EvxValueKind::Sample;
    bool m_simple = true; // one entry per row: entry == row
    bool m_adjust = false; // X/Z mask or single channel to apply
    bool m_fastEligible = false; // values are read inline (see GetValue)
    std::int64_t m_rowCount = 0;
    std::int64_t m_row = -1;
    std::int64_t m_entry = -1;      // sub-rows only; without them the entry is the row
    std::int64_t m_rowEntryEnd = 0; // sub-rows: end of the current row's entries

    // The fast window: the rows of one chunk read inline. While m_fastIndex < 0, the current
    // row's value lies at m_fastEnd + (m_fastIndex << m_fastShift) and the window holds rows
    // m_fastFirstRow .. m_row - m_fastIndex - 1; at 0 every step and read takes the call.
    std::int64_t m_fastIndex = 0;
    const char* m_fastEnd = nullptr;
    std::int64_t m_fastFirstRow = 0;
    int m_fastShift = 0;
    std::uint64_t m_fastMask = 0;

    // The chunk of values that holds the current entry.
    mutable const void* m_chunk = nullptr;
    mutable const void* m_maskChunk = nullptr;
    mutable std::int64_t m_chunkFirst = 0;
    mutable std::int64_t m_chunkLength = 0;

    CvxValueFormatter m_formatter;
};
