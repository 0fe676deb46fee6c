#pragma once
// The paged store of the reference buffer: the values of one bus/signal in a temporary file,
// with at most page limit pages of page size rows in memory (pages are in-memory stores,
// CvxCompareVectorDataSource bodies). Filled by Append, closed by EndAppend, then read
// through iterators; Save and Load move the persisted form (docs/datastore.md).
//
// The iterator reads its current page's array itself, so walking rows costs no call beyond
// the iterator's own slots, and those are inlined where the iterator's type is known. For
// walks over a store of a known element type, GetRun and Skip hand out whole runs of a page.

#include "CvxCompareDataSource.h"
#include "CvxComparePageFile.h"
#include "CvxCompareVectorDataSource.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <span>
#include <stdexcept>
#include <string>

template <typename T>
class CvxComparePageDataSource final : public CvxCompareDataSource {
public:
    using Element = CvxCompareElement<T>;
    using Page = typename CvxCompareVectorDataSource<T>::Ref;

    class CvxComparePageDataSourceRef final : public CvxDataRefCount {
    public:
        CvxComparePageDataSourceRef(std::int32_t pageSize, std::int32_t pageLimit) : m_paging(pageSize, pageLimit) {}

        // The paging with the rows appended so far counted in; the next Append takes the
        // write page afresh, since the caller may end, save or load the store.
        CvxComparePageFile<Page>& GetPaging()
        {
            SettleWritePage();
            return m_paging;
        }

        // A store into the write page and a pointer bump; counting rows and changing pages
        // happen out of line, once a page.
        void Append(const T& value)
        {
            if (m_cursor == m_limit) [[unlikely]] {
                OpenWritePage();
            }
            *m_cursor = Element::Narrow(value, m_narrowed);
            ++m_cursor;
        }

    private:
        ~CvxComparePageDataSourceRef() override = default;

        // Counts the rows written since the write page was opened into the page and the paging.
        void SettleWritePage()
        {
            if (m_cursor != nullptr) {
                Page* page = m_paging.GetWritePage();
                const auto rows = static_cast<std::int32_t>(m_cursor - page->GetSlots());
                m_paging.AddRows(rows - page->GetCount());
                page->SetCount(rows);
                m_cursor = m_limit = nullptr;
            }
        }
        [[gnu::noinline]] void OpenWritePage()
        {
            SettleWritePage();
            Page& page = m_paging.PrepareWritePage();
            // No row beyond the largest row count a store has.
            const std::int32_t room = std::min(page.GetCapacity() - page.GetCount(),
                                               std::numeric_limits<std::int32_t>::max() - m_paging.GetCount());
            if (room <= 0) {
                throw std::out_of_range("invalid vector<T> subscript");
            }
            m_cursor = page.GetSlots() + page.GetCount();
            m_limit = m_cursor + room;
        }

        CvxComparePageFile<Page> m_paging;
        T* m_cursor = nullptr;
        T* m_limit = nullptr;
        T m_narrowed{};
    };

    using Ref = CvxComparePageDataSourceRef;

    class CvxComparePageDataSourceIter final : public CvxCompareDataSourceIter {
    public:
        explicit CvxComparePageDataSourceIter(CvxCompareRefPtr<Ref> store)
            : CvxCompareDataSourceIter(0, store->GetPaging().GetCount()), m_store(std::move(store))
        {
        }

        void First() override
        {
            SetIndex(GetFirstIndex());
            Settle();
        }
        // The last row (first when there is none).
        void Last() override
        {
            const std::int32_t last = GetEndIndex() - 1;
            SetIndex(last < GetFirstIndex() ? GetFirstIndex() : last);
            Settle();
        }
        void Next() override
        {
            const std::int32_t c = Cur();
            if (c < m_pageLast) {
                SetIndex(c + 1);
                return;
            }
            if (c != std::numeric_limits<std::int32_t>::max()) {
                SetIndex(c + 1);
            }
            Settle();
        }
        void Prev() override
        {
            const std::int32_t c = Cur();
            if (c != std::numeric_limits<std::int32_t>::min()) {
                SetIndex(c - 1);
            }
            Settle();
        }
        bool IsDone() const override { return Cur() >= GetEndIndex() || Cur() < GetFirstIndex(); }
        // Clamps the row to 0 .. count - 1; answers false when it had to.
        bool Goto(std::int32_t row) override;

        bool GetValue(CvxUInt& out) override
        {
            if constexpr (Element::kIsString) {
                return false;
            } else {
                const T* value = Slot();
                if (value == nullptr) {
                    out = CvxUInt();
                    return false;
                }
                Element::ToUInt(*value, out);
                return true;
            }
        }
        bool GetValue(std::u16string& out) override
        {
            if constexpr (Element::kIsString) {
                const T* value = Slot();
                if (value == nullptr) {
                    out.clear();
                    return false;
                }
                out = *value;
                return true;
            } else {
                return false;
            }
        }
        using CvxCompareDataSourceIter::GetValue;

        // The values from the cursor to the end of its page or of the rows, whichever comes
        // first; empty when the cursor is on no row.
        std::span<const T> GetRun()
        {
            if (IsDone() || Slot() == nullptr) {
                return {};
            }
            const std::int32_t last = std::min(m_pageLast, GetEndIndex() - 1);
            return {m_values + (Cur() - m_pageStart), static_cast<std::size_t>(last - Cur() + 1)};
        }
        std::int32_t GetValueRun(const void*& values, int& width) override
        {
            if constexpr (!Element::kIsPlain) {
                return CvxCompareDataSourceIter::GetValueRun(values, width);
            } else {
                const std::span<const T> run = GetRun();
                values = run.data();
                width = static_cast<int>(sizeof(T));
                return static_cast<std::int32_t>(run.size());
            }
        }
        // As n calls of Next (n >= 0).
        void Skip(std::int32_t n)
        {
            const std::int64_t to = static_cast<std::int64_t>(Cur()) + std::max(n, 0);
            SetIndex(static_cast<std::int32_t>(std::min<std::int64_t>(to, std::numeric_limits<std::int32_t>::max())));
            Settle();
        }

    private:
        // Brings the current page to the cursor when the cursor is on a row outside it.
        void Settle()
        {
            const std::int32_t c = Cur();
            if ((c < m_pageStart || c > m_pageLast) && !IsDone()) {
                Turn(c);
            }
        }
        // The value at the cursor, or null when the cursor is on no slot of a page.
        const T* Slot()
        {
            auto i = static_cast<std::uint32_t>(Cur() - m_pageStart);
            if (i >= m_pageLength) {
                Settle();
                i = static_cast<std::uint32_t>(Cur() - m_pageStart);
                if (i >= m_pageLength) {
                    return nullptr;
                }
            }
            return m_values + i;
        }
        void Turn(std::int32_t row);

        CvxCompareRefPtr<Ref> m_store;
        CvxCompareRefPtr<Page> m_page;
        const T* m_values = nullptr;
        std::int32_t m_pageStart = 0;
        std::int32_t m_pageLast = -1;
        std::uint32_t m_pageLength = 0;
    };

    using Iter = CvxComparePageDataSourceIter;

    CvxComparePageDataSource(std::int32_t pageSize, std::int32_t pageLimit) : m_body(new Ref(pageSize, pageLimit)) {}
    explicit CvxComparePageDataSource(CvxCompareRefPtr<Ref> body) : m_body(std::move(body)) {}

    CvxComparePageDataSource* Clone() const override { return new (std::nothrow) CvxComparePageDataSource(m_body); }
    Iter* CreateIter() const override { return new (std::nothrow) Iter(m_body); }
    void DestroyIter(CvxCompareDataSourceIter* iter) const override { delete iter; }
    std::int32_t GetCount() const override { return m_body->GetPaging().GetCount(); }

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

private:
    template <typename V>
    void AppendAll(const V* values, std::int32_t count)
    {
        for (std::int32_t i = 0; i < count; ++i) {
            m_body->Append(Element::FromUInt(CvxUInt(static_cast<std::uint64_t>(values[i]))));
        }
    }

public:

    void AppendValues(const void* values, int width, std::int32_t count) override
    {
        if constexpr (!Element::kIsString) {
            switch (width) {
            case 1: AppendAll(static_cast<const std::uint8_t*>(values), count); break;
            case 2: AppendAll(static_cast<const std::uint16_t*>(values), count); break;
            case 4: AppendAll(static_cast<const std::uint32_t*>(values), count); break;
            default: AppendAll(static_cast<const std::uint64_t*>(values), count); break;
            }
        }
    }
    void EndAppend() override { m_body->GetPaging().EndAppend(); }
    bool IsString() const override { return Element::kIsString; }
    int GetValueWidth() const override { return static_cast<int>(Element::kValueWidth); }
    bool IsFourState() const override { return Element::kIsFourState; }
    void Save(CvxPersistenceDataStream& stream) override { m_body->GetPaging().Save(stream); }
    void Load(CvxPersistenceDataStream& stream) override { m_body->GetPaging().Load(stream); }

    std::int32_t GetPageSize() const { return m_body->GetPaging().GetPageSize(); }
    std::int32_t GetPageLimit() const { return m_body->GetPaging().GetPageLimit(); }
    const std::string& GetFileName() const { return m_body->GetPaging().GetFileName(); }
    const CvxCompareRefPtr<Ref>& GetBody() const { return m_body; }

private:
    CvxCompareRefPtr<Ref> m_body;
};

extern template class CvxComparePageDataSource<std::uint8_t>;
extern template class CvxComparePageDataSource<std::uint16_t>;
extern template class CvxComparePageDataSource<std::uint32_t>;
extern template class CvxComparePageDataSource<std::uint64_t>;
extern template class CvxComparePageDataSource<CvxUInt>;
extern template class CvxComparePageDataSource<CvxCompareFourState<std::uint8_t>>;
extern template class CvxComparePageDataSource<CvxCompareFourState<std::uint16_t>>;
extern template class CvxComparePageDataSource<CvxCompareFourState<std::uint32_t>>;
extern template class CvxComparePageDataSource<CvxCompareFourState<std::uint64_t>>;
extern template class CvxComparePageDataSource<std::u16string>;
