#pragma once
// The in-memory store: a fixed-capacity array of values for the rows start .. start + count - 1.
// The paged stores use it as their pages. The array is sized once, at construction (a
// capacity beyond what it can hold fails with std::length_error "vector<T> too long"), and
// never grows: appending to a full store fails with std::out_of_range "invalid vector<T>
// subscript". The iterator's index is relative to the array, not to start.

#include "CvxCompareDataSource.h"
#include "CvxCompareElement.h"
#include "CvxCompareMemoryReader.h"
#include "CvxCompareRefPtr.h"
#include "CvxDataRefCount.h"

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

template <typename T>
class CvxCompareVectorDataSource final : public CvxCompareDataSource {
public:
    using Element = CvxCompareElement<T>;

    // The shared body: count, start and the values array.
    class CvxCompareVectorDataSourceRef final : public CvxDataRefCount {
    public:
        // Numeric pages have one fixed layout size, so their file offsets are computed.
        static constexpr bool kFixedSize = !Element::kIsString;

        explicit CvxCompareVectorDataSourceRef(std::int32_t capacity)
        {
            if (capacity < 0 || static_cast<std::uint64_t>(capacity) > m_values.max_size()) {
                throw std::length_error("vector<T> too long");
            }
            m_values.resize(static_cast<std::size_t>(capacity));
        }

        std::int32_t GetCount() const { return m_count; }
        std::int32_t GetStart() const { return m_start; }
        void SetStart(std::int32_t start) { m_start = start; }
        std::int32_t GetCapacity() const { return static_cast<std::int32_t>(m_values.size()); }
        bool IsFull() const { return m_count >= GetCapacity(); }
        const T* GetValues() const { return m_values.data(); }

        void Append(const T& value)
        {
            if (IsFull()) {
                throw std::out_of_range("invalid vector<T> subscript");
            }
            m_values[static_cast<std::size_t>(m_count)] = value;
            ++m_count;
        }

        // For a writer that fills slots count .. capacity - 1 itself and then says how many
        // rows the page holds (the paged store's appends).
        T* GetSlots() { return m_values.data(); }
        void SetCount(std::int32_t count) { m_count = count; }

        // Paging: a page taken for other rows starts empty; its old values stay until
        // overwritten (strings keep their buffers).
        void Reset(std::int32_t start)
        {
            m_count = 0;
            m_start = start;
        }
        // Slots count .. capacity - 1 become zero values, so that padding is always zero.
        void ClearTail()
        {
            for (std::size_t i = static_cast<std::size_t>(m_count); i < m_values.size(); ++i) {
                Element::Clear(m_values[i]);
            }
        }
        // A page read back holds every slot.
        void SetFull() { m_count = GetCapacity(); }

        // The raw bytes of a numeric page.
        void* GetData() { return m_values.data(); }
        std::size_t GetByteSize() const { return m_values.size() * Element::kWidth; }

        // Appends the page's layout: capacity elements or records.
        void Encode(std::vector<std::uint8_t>& out) const { Element::Encode(m_values.data(), m_values.size(), out); }
        // Reads up to capacity elements or records; the slots not read become zero values.
        // Answers how many were read; count becomes capacity.
        template <typename Reader>
        std::int32_t Decode(Reader& reader)
        {
            std::size_t n = 0;
            if constexpr (Element::kIsString) {
                while (n < m_values.size() && Element::Decode(reader, &m_values[n], 1)) {
                    ++n;
                }
            } else {
                n = std::min(m_values.size(), reader.GetRemaining() / Element::kWidth);
                Element::Decode(reader, m_values.data(), n);
            }
            m_count = static_cast<std::int32_t>(n);
            ClearTail();
            SetFull();
            return static_cast<std::int32_t>(n);
        }

    private:
        ~CvxCompareVectorDataSourceRef() override = default;

        std::int32_t m_count = 0;
        std::int32_t m_start = 0;
        std::vector<T> m_values;
    };

    using Ref = CvxCompareVectorDataSourceRef;

    class CvxCompareVectorDataSourceIter final : public CvxCompareDataSourceIter {
    public:
        CvxCompareVectorDataSourceIter() = default;
        explicit CvxCompareVectorDataSourceIter(CvxCompareRefPtr<Ref> body) { Attach(std::move(body)); }

        // Re-seats the iterator on a body: rows 0 .. count - 1, cursor on 0.
        void Attach(CvxCompareRefPtr<Ref> body)
        {
            m_body = std::move(body);
            m_values = m_body ? m_body->GetValues() : nullptr;
            m_capacity = m_body ? m_body->GetCapacity() : 0;
            SetRange(0, m_body ? m_body->GetCount() : 0);
            SetIndex(0);
        }

        bool GetValue(CvxUInt& out) override
        {
            if constexpr (Element::kIsString) {
                return false;
            } else {
                if (!InArray()) {
                    out = CvxUInt();
                    return false;
                }
                Element::ToUInt(m_values[Cur()], out);
                return true;
            }
        }
        bool GetValue(std::u16string& out) override
        {
            if constexpr (Element::kIsString) {
                if (!InArray()) {
                    out.clear();
                    return false;
                }
                out = m_values[Cur()];
                return true;
            } else {
                return false;
            }
        }
        using CvxCompareDataSourceIter::GetValue;

    private:
        bool InArray() const { return static_cast<std::uint32_t>(Cur()) < static_cast<std::uint32_t>(m_capacity); }

        CvxCompareRefPtr<Ref> m_body;
        const T* m_values = nullptr;
        std::int32_t m_capacity = 0;
    };

    using Iter = CvxCompareVectorDataSourceIter;

    explicit CvxCompareVectorDataSource(std::int32_t capacity) : m_body(new Ref(capacity)) {}
    explicit CvxCompareVectorDataSource(CvxCompareRefPtr<Ref> body) : m_body(std::move(body)) {}

    CvxCompareVectorDataSource* Clone() const override { return new (std::nothrow) CvxCompareVectorDataSource(m_body); }
    Iter* CreateIter() const override { return new (std::nothrow) Iter(m_body); }
    void DestroyIter(CvxCompareDataSourceIter* iter) const override { delete iter; }
    std::int32_t GetCount() const override { return m_body->GetCount(); }

    void Append(const std::u16string& value) override
    {
        if constexpr (Element::kIsString) {
            m_body->Append(value);
        }
    }
    void Append(const CvxUInt& value) override
    {
        if constexpr (!Element::kIsString) {
            m_body->Append(Element::FromUInt(value));
        }
    }
    using CvxCompareDataSource::Append;
    using CvxCompareDataSource::AppendRow;
    using CvxCompareDataSource::AppendSubRow;

    virtual void SetStart(std::int32_t row) { m_body->SetStart(row); }
    virtual std::int32_t GetStart() const { return m_body->GetStart(); }
    // start + count - 1, so start - 1 when empty.
    virtual std::int32_t GetEnd() const
    {
        return static_cast<std::int32_t>(static_cast<std::int64_t>(m_body->GetStart()) + m_body->GetCount() - 1);
    }

    const CvxCompareRefPtr<Ref>& GetBody() const { return m_body; }

private:
    CvxCompareRefPtr<Ref> m_body;
};

extern template class CvxCompareVectorDataSource<std::uint8_t>;
extern template class CvxCompareVectorDataSource<std::uint16_t>;
extern template class CvxCompareVectorDataSource<std::uint32_t>;
extern template class CvxCompareVectorDataSource<std::uint64_t>;
extern template class CvxCompareVectorDataSource<CvxUInt>;
extern template class CvxCompareVectorDataSource<CvxCompareFourState<std::uint8_t>>;
extern template class CvxCompareVectorDataSource<CvxCompareFourState<std::uint16_t>>;
extern template class CvxCompareVectorDataSource<CvxCompareFourState<std::uint32_t>>;
extern template class CvxCompareVectorDataSource<CvxCompareFourState<std::uint64_t>>;
extern template class CvxCompareVectorDataSource<std::u16string>;
