#pragma once
// The in-memory sub-row store: for the rows start .. start + count - 1, each row a run of
// sub-row slots, each slot a value and a present flag (1 when a value was stored there). The
// paged sub-row store uses it as its pages. The rows are kept flat: row i's slots are
// begin[i] .. begin[i + 1] - 1 of one value array and one flag array, which keep their size
// (and strings their buffers) when a page is reused, so steady filling and reading allocate
// nothing. Only the last row takes sub-rows. Rows never appended have no sub-rows.
//
// Refusals: a row beyond the capacity, or a slot outside its row, fail with
// std::out_of_range "invalid vector<T> subscript"; a negative capacity or sub-row count with
// std::length_error "vector<T> too long".

#include "CvxCompareDataSource.h"
#include "CvxCompareElement.h"
#include "CvxCompareMemoryReader.h"
#include "CvxCompareRefPtr.h"
#include "CvxDataRefCount.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

template <typename T>
class CvxCompareVectorSubRowDataSource final : public CvxCompareDataSource {
public:
    using Element = CvxCompareElement<T>;

    class CvxCompareVectorSubRowDataSourceRef final : public CvxDataRefCount {
    public:
        static constexpr bool kFixedSize = false;

        explicit CvxCompareVectorSubRowDataSourceRef(std::int32_t capacity)
        {
            if (capacity < 0 || static_cast<std::uint64_t>(capacity) >= m_begin.max_size()) {
                throw std::length_error("vector<T> too long");
            }
            m_begin.assign(static_cast<std::size_t>(capacity) + 1, 0);
        }

        std::int32_t GetCount() const { return m_count; }
        std::int32_t GetStart() const { return m_start; }
        void SetStart(std::int32_t start) { m_start = start; }
        std::int32_t GetCapacity() const { return static_cast<std::int32_t>(m_begin.size() - 1); }
        bool IsFull() const { return m_count >= GetCapacity(); }

        // Sub-rows of row i of the array (0 for rows never appended).
        std::int32_t GetSubRowCount(std::int32_t i) const
        {
            if (static_cast<std::uint32_t>(i) >= static_cast<std::uint32_t>(m_count)) {
                return 0;
            }
            return m_begin[static_cast<std::size_t>(i) + 1] - m_begin[static_cast<std::size_t>(i)];
        }
        const std::int32_t* GetRowBegins() const { return m_begin.data(); }
        const T* GetValues() const { return m_values.data(); }
        const std::uint8_t* GetPresent() const { return m_present.data(); }

        void AppendRow(const T& value, std::int32_t subRow, std::int32_t subRowCount)
        {
            // Everything is checked before anything changes: a refused row leaves no trace.
            if (subRowCount < 0) {
                throw std::length_error("vector<T> too long");
            }
            if (IsFull() || subRow < 0 || subRow >= subRowCount) {
                throw std::out_of_range("invalid vector<T> subscript");
            }
            const std::size_t first = static_cast<std::size_t>(m_begin[static_cast<std::size_t>(m_count)]);
            Grow(first + static_cast<std::size_t>(subRowCount));
            for (std::size_t i = first; i < first + static_cast<std::size_t>(subRowCount); ++i) {
                Element::Clear(m_values[i]);
                m_present[i] = 0;
            }
            m_begin[static_cast<std::size_t>(m_count) + 1] = static_cast<std::int32_t>(first) + subRowCount;
            ++m_count;
            AppendSubRow(value, subRow);
        }

        void AppendSubRow(const T& value, std::int32_t subRow)
        {
            if (m_count == 0 || subRow < 0 || subRow >= GetSubRowCount(m_count - 1)) {
                throw std::out_of_range("invalid vector<T> subscript");
            }
            const std::size_t slot = static_cast<std::size_t>(m_begin[static_cast<std::size_t>(m_count) - 1] + subRow);
            m_values[slot] = value;
            m_present[slot] = 1;
        }

        void Reset(std::int32_t start)
        {
            m_count = 0;
            m_start = start;
        }
        // Rows beyond count have no sub-rows.
        void ClearTail() { std::fill(m_begin.begin() + m_count + 1, m_begin.end(), m_begin[static_cast<std::size_t>(m_count)]); }
        void SetFull()
        {
            ClearTail();
            m_count = GetCapacity();
        }

        // Appends capacity row records: sub-row count, the values, the present flags.
        void Encode(std::vector<std::uint8_t>& out) const
        {
            for (std::int32_t row = 0; row < GetCapacity(); ++row) {
                const std::int32_t n = GetSubRowCount(row);
                const auto* head = reinterpret_cast<const std::uint8_t*>(&n);
                out.insert(out.end(), head, head + 4);
                if (n > 0) {
                    const std::size_t first = static_cast<std::size_t>(m_begin[static_cast<std::size_t>(row)]);
                    Element::Encode(m_values.data() + first, static_cast<std::size_t>(n), out);
                    out.insert(out.end(), m_present.begin() + static_cast<std::ptrdiff_t>(first),
                               m_present.begin() + static_cast<std::ptrdiff_t>(first) + n);
                }
            }
        }

        // Reads up to capacity row records; a record that the reader does not hold whole ends
        // the page (it and the rows after it have no sub-rows). Answers the rows read; count
        // becomes capacity.
        template <typename Reader>
        std::int32_t Decode(Reader& reader)
        {
            m_count = 0;
            while (m_count < GetCapacity() && DecodeRow(reader)) {
                ++m_count;
            }
            const std::int32_t rows = m_count;
            SetFull();
            return rows;
        }

    private:
        ~CvxCompareVectorSubRowDataSourceRef() override = default;

        void Grow(std::size_t size)
        {
            if (m_values.size() < size) {
                m_values.resize(size);
                m_present.resize(size);
            }
        }

        template <typename Reader>
        bool DecodeRow(Reader& reader)
        {
            const std::uint8_t* head = reader.Take(4);
            if (head == nullptr) {
                return false;
            }
            std::int32_t n = 0;
            std::memcpy(&n, head, 4);
            // Every slot takes at least its smallest element layout and its flag byte.
            if (n < 0 || static_cast<std::uint64_t>(n) * (Element::kMinBytes + 1) > reader.GetRemaining()) {
                return false;
            }
            const std::size_t first = static_cast<std::size_t>(m_begin[static_cast<std::size_t>(m_count)]);
            Grow(first + static_cast<std::size_t>(n));
            if (!Element::Decode(reader, m_values.data() + first, static_cast<std::size_t>(n))) {
                return false;
            }
            const std::uint8_t* flags = reader.Take(static_cast<std::size_t>(n));
            if (flags == nullptr) {
                return false;
            }
            for (std::int32_t i = 0; i < n; ++i) {
                m_present[first + static_cast<std::size_t>(i)] = flags[i] != 0 ? 1 : 0;
            }
            m_begin[static_cast<std::size_t>(m_count) + 1] = static_cast<std::int32_t>(first) + n;
            return true;
        }

        std::int32_t m_count = 0;
        std::int32_t m_start = 0;
        std::vector<std::int32_t> m_begin; // capacity + 1 entries
        std::vector<T> m_values;
        std::vector<std::uint8_t> m_present;
    };

    using Ref = CvxCompareVectorSubRowDataSourceRef;

    // Walks every sub-row slot of every row in order (see docs/datastore.md).
    class CvxCompareVectorSubRowDataSourceIter final : public CvxCompareDataSourceIter {
    public:
        CvxCompareVectorSubRowDataSourceIter() = default;
        explicit CvxCompareVectorSubRowDataSourceIter(CvxCompareRefPtr<Ref> body) { Attach(std::move(body)); }

        void Attach(CvxCompareRefPtr<Ref> body)
        {
            m_body = std::move(body);
            SetRange(0, m_body ? m_body->GetCount() : 0);
            SetIndex(0);
            m_subRow = 0;
        }

        void First() override
        {
            CvxDataIter::First();
            m_subRow = 0;
        }
        void Last() override
        {
            m_subRow = 0;
            SetIndex(GetEndIndex());
            Prev();
        }
        void Next() override
        {
            if (m_subRow + 1 < RowSize(Cur())) {
                ++m_subRow;
                return;
            }
            CvxDataIter::Next();
            m_subRow = 0;
        }
        void Prev() override
        {
            if (m_subRow > 0) {
                --m_subRow;
                return;
            }
            CvxDataIter::Prev();
            m_subRow = IsDone() ? 0 : std::max(RowSize(Cur()) - 1, 0);
        }
        bool Goto(std::int32_t row) override
        {
            m_subRow = 0;
            const bool inside = CvxDataIter::Goto(row);
            m_subRow = 0;
            return inside;
        }

        bool GetValue(CvxUInt& out) override
        {
            if constexpr (Element::kIsString) {
                return false;
            } else {
                const T* value = Slot();
                if (value == nullptr) {
                    out = CvxUInt();
                } else {
                    Element::ToUInt(*value, out);
                }
                return true;
            }
        }
        bool GetValue(std::u16string& out) override
        {
            if constexpr (Element::kIsString) {
                const T* value = Slot();
                if (value == nullptr) {
                    out.clear();
                } else {
                    out = *value;
                }
                return true;
            } else {
                return false;
            }
        }
        using CvxCompareDataSourceIter::GetValue;

        std::int32_t GetSubRow() const override { return m_subRow; }
        bool GotoSubRow(std::int32_t k) override
        {
            const std::int32_t n = RowSize(Cur());
            if (k < 0) {
                m_subRow = 0;
                return false;
            }
            if (k >= n) {
                m_subRow = std::max(n - 1, 0);
                return false;
            }
            m_subRow = k;
            return m_body->GetPresent()[SlotIndex()] != 0;
        }
        std::int32_t GetLastSubRow() const override { return RowSize(Cur()) - 1; }

    private:
        std::int32_t RowSize(std::int32_t row) const { return m_body ? m_body->GetSubRowCount(row) : 0; }
        std::size_t SlotIndex() const
        {
            return static_cast<std::size_t>(m_body->GetRowBegins()[static_cast<std::size_t>(Cur())] + m_subRow);
        }
        // The current slot, or null when the cursor is on none.
        const T* Slot() const
        {
            if (m_subRow < 0 || m_subRow >= RowSize(Cur())) {
                return nullptr;
            }
            return m_body->GetValues() + SlotIndex();
        }

        CvxCompareRefPtr<Ref> m_body;
        std::int32_t m_subRow = 0;
    };

    using Iter = CvxCompareVectorSubRowDataSourceIter;

    explicit CvxCompareVectorSubRowDataSource(std::int32_t capacity) : m_body(new Ref(capacity)) {}
    explicit CvxCompareVectorSubRowDataSource(CvxCompareRefPtr<Ref> body) : m_body(std::move(body)) {}

    CvxCompareVectorSubRowDataSource* Clone() const override
    {
        return new (std::nothrow) CvxCompareVectorSubRowDataSource(m_body);
    }
    Iter* CreateIter() const override { return new (std::nothrow) Iter(m_body); }
    void DestroyIter(CvxCompareDataSourceIter* iter) const override { delete iter; }
    std::int32_t GetCount() const override { return m_body->GetCount(); }

    void AppendSubRow(const std::u16string& value, std::int32_t subRow) override
    {
        if constexpr (Element::kIsString) {
            m_body->AppendSubRow(value, subRow);
        }
    }
    void AppendRow(const std::u16string& value, std::int32_t subRow, std::int32_t subRowCount) override
    {
        if constexpr (Element::kIsString) {
            m_body->AppendRow(value, subRow, subRowCount);
        }
    }
    void AppendSubRow(const CvxUInt& value, std::int32_t subRow) override
    {
        if constexpr (!Element::kIsString) {
            m_body->AppendSubRow(Element::FromUInt(value), subRow);
        }
    }
    void AppendRow(const CvxUInt& value, std::int32_t subRow, std::int32_t subRowCount) override
    {
        if constexpr (!Element::kIsString) {
            m_body->AppendRow(Element::FromUInt(value), subRow, subRowCount);
        }
    }
    using CvxCompareDataSource::Append;

    virtual void SetStart(std::int32_t row) { m_body->SetStart(row); }
    virtual std::int32_t GetStart() const { return m_body->GetStart(); }
    virtual std::int32_t GetEnd() const
    {
        return static_cast<std::int32_t>(static_cast<std::int64_t>(m_body->GetStart()) + m_body->GetCount() - 1);
    }

private:
    CvxCompareRefPtr<Ref> m_body;
};

extern template class CvxCompareVectorSubRowDataSource<std::uint8_t>;
extern template class CvxCompareVectorSubRowDataSource<std::uint16_t>;
extern template class CvxCompareVectorSubRowDataSource<std::uint32_t>;
extern template class CvxCompareVectorSubRowDataSource<std::uint64_t>;
extern template class CvxCompareVectorSubRowDataSource<CvxUInt>;
extern template class CvxCompareVectorSubRowDataSource<CvxCompareFourState<std::uint8_t>>;
extern template class CvxCompareVectorSubRowDataSource<CvxCompareFourState<std::uint16_t>>;
extern template class CvxCompareVectorSubRowDataSource<CvxCompareFourState<std::uint32_t>>;
extern template class CvxCompareVectorSubRowDataSource<CvxCompareFourState<std::uint64_t>>;
extern template class CvxCompareVectorSubRowDataSource<std::u16string>;
